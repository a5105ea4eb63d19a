// A metafile picture: an enhanced metafile, read from EMF data or from a placeable Windows metafile,
// and played into the rectangle it is drawn in.
//
// Classes in this file: TMetafile.
#pragma once

#include "platform/classlib/Graphics.h"

namespace classlib {

class TMetafile : public TGraphic {
public:
  TMetafile() = default;
  ~TMetafile() override;

  void Assign(const TPersistent& Source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // Attributes

  bool Empty() const override { return FHandle == nullptr; }
  // The size it is drawn at, in screen pixels.
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  HENHMETAFILE Handle() const { return FHandle; }

  // Operations

  // EMF data, or a placeable Windows metafile (key D7 CD C6 9A). Anything else raises EInvalidGraphic
  // ("Metafile is not valid") and leaves the picture as it was.
  void LoadFromStream(TStream& Stream) override;
  // Writes EMF data; nothing for an empty picture.
  void SaveToStream(TStream& Stream) const override;

protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

private:
  void Install(HENHMETAFILE Handle, int AWidth, int AHeight);

  HENHMETAFILE FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

}  // namespace classlib
