// The root of the picture classes: TGraphic, an image that can load, save and draw itself,
// and the exceptions of the graphics units.
#pragma once

#include "platform/classlib/Component.h"

#include <memory>

namespace classlib {

class TCanvas;
class TStream;

// A picture file or resource that cannot be read ("Bitmap image is not valid").
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// A graphics call that cannot be carried out in the object's present state.
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};

class TGraphic : public TPersistent {
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual void SetHeight(int Value) = 0;

  // Drawn with one colour left out; what that colour is depends on the kind of picture.
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  // Whole files go through the class library's file stream, so paths are Windows paths.
  void LoadFromFile(const String& FileName);
  // The picture is encoded in memory first: a failure leaves an existing file untouched.
  void SaveToFile(const String& FileName) const;
  // Reads from the stream's position to its end.
  virtual void LoadFromStream(TStream& Stream) = 0;
  virtual void SaveToStream(TStream& Stream) const = 0;

  // A new picture of the same class holding a copy of this one (TPicture keeps its own copies).
  virtual std::unique_ptr<TGraphic> Clone() const = 0;

  TNotifyEvent OnChange;

protected:
  friend class TCanvas;
  // Draws the whole picture scaled into Rect of ACanvas (TCanvas::Draw and StretchDraw).
  virtual void Draw(TCanvas& ACanvas, const TRect& Rect) = 0;
  virtual void Changed();

private:
  bool FTransparent = false;
};

}  // namespace classlib
