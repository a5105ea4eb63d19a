// An icon picture: an HICON read from .ico data and drawn with its mask.
//
// Classes in this file: TIcon.
#pragma once

#include "platform/classlib/Graphics.h"

#include <cstdint>
#include <vector>

namespace classlib {

class TIcon : public TGraphic {
public:
  ~TIcon() override;

  void Assign(const TPersistent& Source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // Attributes

  bool Empty() const override { return FHandle == nullptr; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // An icon is as large as its image: these raise EInvalidGraphicOperation.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  HICON Handle() const { return FHandle; }
  // Adopts Value; an owned icon is destroyed with this object (or on the next change), a borrowed one
  // (a shared system icon, say) is not.
  void SetHandle(HICON Value, bool OwnsHandle = true);
  bool OwnsHandle() const { return FOwnsHandle; }
  // Gives the icon to the caller (who then owns it); this object becomes empty.
  HICON ReleaseHandle();

  // Operations

  // .ico data: the image the system picks for the standard icon size. Bad data raises EInvalidGraphic
  // ("Icon image is not valid") and leaves the icon as it was.
  void LoadFromStream(TStream& Stream) override;
  // The .ico data the icon was read from, or one 32-bit (or monochrome) image made from the handle.
  void SaveToStream(TStream& Stream) const override;

protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

private:
  void Install(HICON Handle, bool OwnsHandle, std::vector<std::uint8_t> Data);
  std::vector<std::uint8_t> EncodeHandle() const;

  HICON FHandle = nullptr;
  bool FOwnsHandle = false;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<std::uint8_t> FData;  // the .ico file the icon came from, empty for an adopted handle
};

}  // namespace classlib
