// What the transitions share beyond the public geometry: the frame they compose, the union of
// rectangles a region transition reveals, and the raster routines that draw through it.
//
// Wine builds a region by one union per rectangle, so a region of a few thousand rectangles takes
// longer than a frame. The region transitions therefore collect their rectangles, sweep them once into
// y-x bands of merged spans, and copy those spans of the new picture straight into the frame's rows:
// the same pixels as drawing the new picture through the region, in one pass.
#pragma once

#include "transitions/Tveffect.h"

#include <array>
#include <cstdint>
#include <vector>

namespace transitions {

// Direct access to a DIB section's rows (no Bits for anything else).
struct TDibRows {
  std::uint8_t* Bits = nullptr;
  int Stride = 0;
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  bool BottomUp = true;
  std::array<DWORD, 3> Masks{};

  static constexpr std::array<DWORD, 3> RgbMasks{0xFF0000, 0x00FF00, 0x0000FF};

  std::uint8_t* Row(int Y) const { return Bits + static_cast<std::ptrdiff_t>(BottomUp ? Height - 1 - Y : Y) * Stride; }
  // Same pixel layout, so rows can be copied byte for byte. Indexed pixels are left out: their
  // meaning depends on each bitmap's palette.
  bool SameLayout(const TDibRows& Other) const {
    return Bits && Other.Bits && BitCount >= 16 && BitCount == Other.BitCount && Masks == Other.Masks;
  }
};

// The rows of Bitmap, with GDI's pending drawing flushed into them.
TDibRows RowsOf(classlib::TBitmap& Bitmap);

// One frame being composed, with the extents every transition starts from.
class TFrame {
public:
  TFrame(classlib::TBitmap& Display, classlib::TBitmap& Image, const TExtents& Extents, int Step, int Progress);

  classlib::TBitmap& Display;
  classlib::TBitmap& Image;
  const int W, H, X, Y, G, Step, P;

  // Scaled copy of a of Image to b of Display (source copy, colour-on-colour stretching).
  void Copy(const classlib::TRect& A, const classlib::TRect& B);
  // Copies a of Display to b of Display, reading a as it was before the copy.
  void SelfCopy(const classlib::TRect& A, const classlib::TRect& B);
};

// A union of rectangles, clipped to the frame.
class TRectUnion {
public:
  TRectUnion(int Width, int Height) : FWidth(Width), FHeight(Height) {}

  void Add(int Left, int Top, int Right, int Bottom);
  void Add(const classlib::TRect& R) { Add(R.left, R.top, R.right, R.bottom); }
  // The rectangles of a GDI region (which stays the caller's).
  void AddRegion(HRGN Region);
  // Keeps only what lies in both unions.
  void IntersectWith(const TRectUnion& Other);
  bool Empty() const { return FRects.empty(); }

  // Draws Image over Display at (0, 0) inside the union.
  void DrawThrough(classlib::TBitmap& Display, classlib::TBitmap& Image) const;

private:
  struct TSpan {
    int Left, Right;
    bool operator==(const TSpan&) const = default;
  };
  struct TBand {
    int Top, Bottom, First, Count;
  };
  struct TBands {
    std::vector<TBand> Bands;
    std::vector<TSpan> Spans;
  };

  // The union as y-x bands of disjoint spans, touching spans merged and equal neighbouring bands
  // joined: the form a region's data has.
  TBands Sweep() const;
  // Calls CopyRun(target row, source row, left, right) for every span of every row.
  template <typename TCopyRun>
  static void CopySpans(const TDibRows& Target, const TDibRows& Source, const TBands& Bands, TCopyRun CopyRun);
  static void DrawClipped(classlib::TBitmap& Display, classlib::TBitmap& Image, const TBands& Bands);

  int FWidth;
  int FHeight;
  std::vector<classlib::TRect> FRects;
};

// Draws Image through a GDI region (which stays the caller's).
void DrawThroughRegion(const TFrame& Frame, HRGN Region);

}  // namespace transitions
