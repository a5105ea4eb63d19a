// The skin engine's effect buffer: 24-bit pixels in memory for blending a control over its
// background, morphing between a control's images, the looks of an inactive form, and turning
// and flipping.
//
// Classes in this file: TskEffectBmp.
#pragma once

#include "platform/classlib/Types.h"

#include <cstdint>

namespace skin {

using classlib::TRect;

// Rows are stored top-down, each Width * 3 bytes (blue, green, red) padded to a multiple of 4.
// Mixing rounds each channel once, to the nearest integer with halves to even, from products
// formed in 80-bit extended precision, and clamps it to 0..255. Operations never read or write
// outside either buffer: positions beyond a buffer are clipped when written and brought to its
// nearest edge when read.
class TskEffectBmp {
public:
  // A buffer whose pixels are undefined until written. Sides below 1 give an empty buffer.
  TskEffectBmp(int AWidth, int AHeight);
  // A 24-bit copy of a bitmap; a handle that is not a bitmap gives an empty buffer.
  explicit TskEffectBmp(HBITMAP Bitmap);
  TskEffectBmp(const TskEffectBmp& Source);
  TskEffectBmp& operator=(const TskEffectBmp&) = delete;
  ~TskEffectBmp();

  // Attributes
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Bytes of the pixel block.
  int Size() const { return FSize; }
  HBITMAP Handle() const { return FHandle; }

  // Blue in bits 0-7, green 8-15, red 16-23; writes outside the buffer are ignored, reads give 0.
  void SetPixel(int X, int Y, int Color);
  int GetPixel(int X, int Y) const;
  // Reads a bitmap of the buffer's own size into it, so that the frames of an animation can share
  // one buffer; false, with nothing read, for another size or a handle that is not a bitmap.
  bool Load(HBITMAP Bitmap);
  // Row access; Row must lie within the buffer.
  std::uint8_t* GetLine(int Row);
  void SetLine(int Row, const void* Buffer);
  void GetScanLine(int Row, void* Buffer) const;

  // Drawing
  void Draw(HDC DC, int X, int Y) const;
  void Stretch(HDC DC, int X, int Y, int W, int H) const;
  void DrawRect(HDC DC, int X, int Y, int SrcX, int SrcY, int W, int H) const;

  // Two-buffer operations. Kf is brought into 0..1 where stated; the transitions show Src growing
  // as Kf goes from 0 to 1, and do nothing for a Src of another size.
  void Morph(const TskEffectBmp& Src, double Kf);
  // Mixes into R (right and bottom excluded) Src's pixels from X, Y on.
  void MorphRect(const TskEffectBmp& Src, double Kf, const TRect& R, int X, int Y);
  // Copies into R (right and bottom included) Src's pixels from X, Y on.
  void CopyRect(const TskEffectBmp& Src, const TRect& R, int X, int Y);
  void MorphGrad(const TskEffectBmp& Src, double Kf);
  void MorphHGrad(const TskEffectBmp& Src, double Kf);
  void MorphVGrad(const TskEffectBmp& Src, double Kf);
  void MorphLeftGrad(const TskEffectBmp& Src, double Kf);
  void MorphRightGrad(const TskEffectBmp& Src, double Kf);
  void MorphPush(const TskEffectBmp& Src, double Kf);
  void MorphLeftSlide(const TskEffectBmp& Src, double Kf);
  void MorphRightSlide(const TskEffectBmp& Src, double Kf);

  // This buffer written into Dest: scaled to Dest's size, turned a quarter counter-clockwise
  // (_1) or clockwise (_2), or upside down.
  void Resize(TskEffectBmp& Dest) const;
  void Rotate90_1(TskEffectBmp& Dest) const;
  void Rotate90_2(TskEffectBmp& Dest) const;
  void FlipVert(TskEffectBmp& Dest) const;

  // Effects on this buffer.
  void ChangeBrightness(double Kf);
  void ChangeDarkness(double Kf);
  void GrayScale();
  void Invert();
  void SplitBlur(int Amount);
  void Mosaic(int Size);
  void AddMonoNoise(int Amount);
  void AddColorNoise(int Amount);

private:
  void CreateSection(int AWidth, int AHeight);
  std::uint8_t* Pixel(int X, int Y) const { return FBits + static_cast<std::size_t>(Y) * FRowSize + 3 * X; }
  bool SameSize(const TskEffectBmp& Other) const { return Other.FWidth == FWidth && Other.FHeight == FHeight; }
  bool Empty() const { return !FBits; }

  HBITMAP FHandle = nullptr;
  int FWidth = 0;
  int FHeight = 0;
  int FSize = 0;
  int FRowSize = 0;
  std::uint8_t* FBits = nullptr;
  BITMAPINFOHEADER FBitmapHeader{};
  BITMAPINFO FBitmapInfo{};
};

}  // namespace skin
