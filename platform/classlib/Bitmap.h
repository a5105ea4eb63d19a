// A bitmap picture held as a DIB section, with a canvas drawing into it and direct row access.
//
// Classes in this file: TBitmap.
#pragma once

#include "platform/classlib/Canvas.h"
#include "platform/classlib/Graphics.h"

#include <cstdint>
#include <vector>

namespace classlib {

// pfDevice stands for the screen's depth: a DIB section of the screen's bits per pixel.
enum class TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class TBitmapCanvas;
class TDibImage;  // a DIB section being built, defined where TBitmap is implemented

// The pixels live in a bottom-up DIB section (as in a BMP file), so ScanLine(0), the top row, is the
// last row in memory. Indexed formats get a palette when they are made: black and white for pf1bit,
// the 16 standard VGA colours for pf4bit and a grey ramp (index = level) for pf8bit; a bitmap read
// from a file or resource keeps the file's palette.
class TBitmap : public TGraphic {
public:
  TBitmap();
  ~TBitmap() override;

  void Assign(const TPersistent& Source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // Attributes

  bool Empty() const override { return FHandle == nullptr; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // Resizing keeps the top-left part of the picture; new parts take the canvas's brush colour.
  // A side below 0 counts as 0; a bitmap with a side of 0 is empty.
  void SetWidth(int Value) override { SetSize(Value, FHeight); }
  void SetHeight(int Value) override { SetSize(FWidth, Value); }
  void SetSize(int AWidth, int AHeight);

  // Changing the format converts the picture through GDI (nearest palette colours for indexed formats).
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);

  // The DIB section, or null when empty.
  HBITMAP Handle() const { return FHandle; }
  // Adopts Value: a DIB section is used as it is, any other bitmap is copied into a new DIB section
  // (and, when owned, deleted). An owned handle is deleted with the bitmap; a borrowed one is not.
  void SetHandle(HBITMAP Value, bool OwnsHandle = true);
  bool OwnsHandle() const { return FOwnsHandle; }
  // Gives the handle to the caller (who then owns it); the bitmap becomes empty.
  HBITMAP ReleaseHandle();

  // Draws into the DIB section. Locking it is the callers' way of sharing the bitmap between threads.
  TCanvas* Canvas();

  // The first byte of picture row Row (0 = top). GDI drawing is flushed first, so the row holds
  // what the canvas drew.
  void* ScanLine(int Row);

  // With Transparent set, Draw leaves out this colour. By default (clDefault) it is the colour of
  // the bottom-left pixel; any other value fixes it.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);

  // Operations

  // BMP files: 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, RLE4, RLE8 or bit fields.
  // A file that does not hold a sound BMP raises EInvalidGraphic and leaves the bitmap as it was.
  void LoadFromStream(TStream& Stream) override;
  // Writes the DIB as it is: file header, info header, palette (or bit fields) and the rows.
  void SaveToStream(TStream& Stream) const override;
  // A BITMAP resource of the module.
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);

protected:
  void Draw(TCanvas& ACanvas, const TRect& Rect) override;

private:
  friend class TBitmapCanvas;

  // Puts Image in place of the current picture (which it frees if owned) and fires OnChange.
  void InstallImage(TDibImage&& Image, TPixelFormat Format);
  void FreeImage();
  // A new image of the given size and format holding the current picture at its top-left.
  TDibImage ConvertedImage(int AWidth, int AHeight, TPixelFormat Format);
  std::uint8_t* Row(int Row) const;
  COLORREF ColorAt(int X, int Y) const;

  HBITMAP FHandle = nullptr;
  bool FOwnsHandle = false;
  std::uint8_t* FBits = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  int FBitCount = 0;
  bool FRgb565 = false;   // 16-bit pixels: 5-6-5 rather than 5-5-5
  bool FTopDown = false;  // only adopted DIB sections can be top-down
  std::vector<RGBQUAD> FPalette;
  TPixelFormat FPixelFormat = TPixelFormat::pfDevice;
  TColor FTransparentColor = clDefault;
  std::unique_ptr<TBitmapCanvas> FCanvas;
};

}  // namespace classlib
