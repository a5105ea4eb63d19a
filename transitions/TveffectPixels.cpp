// The fade (118) and the pivots (119-122) work on the pixels of 32-bit bitmaps: blue, green, red and a
// fourth byte that is not colour and is left as it is.
#include "transitions/TveffectFamilies.h"

#include "platform/classlib/ExtendedPrecision.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace transitions {

using namespace classlib;

namespace {

constexpr long double Pi = 3.1415926535897932385L;

// v div 100 for v in 0..25500, as (v * 41944) >> 22: exact over that range.
constexpr std::uint32_t DivideBy100Factor = 41944;

bool BothThirtyTwoBit(const TDibRows& A, const TDibRows& B) {
  return A.Bits && B.Bits && A.BitCount == 32 && B.BitCount == 32;
}

// Each colour byte of Display becomes ((100 - Percent) * display + Percent * image) div 100.
void MergeTransparent(TBitmap& Display, TBitmap& Image, int Percent) {
  const TDibRows target = RowsOf(Display);
  const TDibRows source = RowsOf(Image);
  if (!BothThirtyTwoBit(target, source)) return;
  const int width = std::min(source.Width, target.Width);
  const int height = std::min(source.Height, target.Height);
  const auto keep = static_cast<std::uint16_t>(100 - Percent);
  const auto take = static_cast<std::uint16_t>(Percent);
  const __m128i keepWeight = _mm_set1_epi16(static_cast<short>(keep));
  const __m128i takeWeight = _mm_set1_epi16(static_cast<short>(take));
  const __m128i factor = _mm_set1_epi16(static_cast<short>(DivideBy100Factor));
  const __m128i fourthBytes = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i zero = _mm_setzero_si128();
  auto blend = [&](__m128i d, __m128i i) {
    const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), keepWeight),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(i, zero), takeWeight));
    const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), keepWeight),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(i, zero), takeWeight));
    const __m128i mixed = _mm_packus_epi16(_mm_srli_epi16(_mm_mulhi_epu16(lo, factor), 6),
                                           _mm_srli_epi16(_mm_mulhi_epu16(hi, factor), 6));
    return _mm_or_si128(_mm_andnot_si128(fourthBytes, mixed), _mm_and_si128(fourthBytes, d));
  };
  for (int y = 0; y < height; ++y) {
    std::uint8_t* to = target.Row(y);
    const std::uint8_t* from = source.Row(y);
    int x = 0;
    for (; x + 4 <= width; x += 4) {
      auto* d = reinterpret_cast<__m128i*>(to + x * 4);
      const auto* i = reinterpret_cast<const __m128i*>(from + x * 4);
      _mm_storeu_si128(d, blend(_mm_loadu_si128(d), _mm_loadu_si128(i)));
    }
    for (; x < width; ++x)
      for (int c = 0; c < 3; ++c) {
        std::uint8_t& d = to[x * 4 + c];
        d = static_cast<std::uint8_t>((keep * d + take * from[x * 4 + c]) * DivideBy100Factor >> 22);
      }
  }
}

// Copies into Display the pixels of Image turned about (CX, CY) by Angle radians, counter-clockwise
// on the screen; CY counts upward from the bottom row. The turn is in 16.16 fixed point with the
// sine and cosine truncated; the products are formed in 64 bits, which a large picture needs.
//
// Near a quarter turn a row of the frame reads a column of the picture, a new cache line for every
// pixel: the frame is therefore filled in square tiles, whose reads stay within a few lines of the
// picture. Each pixel's position is the same linear function of x and y however the loop runs.
void MergeRotate(TBitmap& Display, TBitmap& Image, int CX, int CY, long double Angle) {
  const TDibRows target = RowsOf(Display);
  const TDibRows source = RowsOf(Image);
  if (!BothThirtyTwoBit(target, source)) return;
  const int W = source.Width;
  const int H = source.Height;
  if (target.Width < W || target.Height < H) return;
  std::int64_t sn = 0, cs = 0;
  {
    TExtendedPrecision precision;
    sn = static_cast<std::int64_t>(sinl(-Angle) * 65536.0L);
    cs = static_cast<std::int64_t>(cosl(-Angle) * 65536.0L);
  }
  constexpr int Tile = 64;
  for (int top = 0; top < H; top += Tile) {
    const int bottom = std::min(top + Tile, H);
    for (int left = 0; left < W; left += Tile) {
      const int right = std::min(left + Tile, W);
      for (int y = top; y < bottom; ++y) {
        auto* to = reinterpret_cast<std::uint32_t*>(target.Row(y));
        const std::int64_t v = H - y - CY;
        const std::int64_t u = 1 - static_cast<std::int64_t>(CX) + left;
        std::int64_t across = u * cs - v * sn;
        std::int64_t up = u * sn + v * cs;
        for (int x = left; x < right; ++x, across += cs, up += sn) {
          const std::int64_t sx = CX + (across >> 16);
          const std::int64_t sb = CY + (up >> 16);
          if (sx >= 0 && sx < W && sb >= 0 && sb < H)
            to[x] = reinterpret_cast<const std::uint32_t*>(source.Row(H - 1 - static_cast<int>(sb)))[sx];
        }
      }
    }
  }
}

}  // namespace

void ComposePixels(TFrame& f, int Style) {
  if (Style == 118) return MergeTransparent(f.Display, f.Image, f.P);
  const int W = f.Image.Width();
  const int H = f.Image.Height();
  long double towards = 0, away = 0;
  {
    TExtendedPrecision precision;
    towards = (100 - f.P) * Pi / 200;
    away = (f.P - 100) * Pi / 200;
  }
  switch (Style) {
    case 119: return MergeRotate(f.Display, f.Image, -1, -1, towards);
    case 120: return MergeRotate(f.Display, f.Image, -1, H, away);
    case 121: return MergeRotate(f.Display, f.Image, W, -1, away);
    case 122: return MergeRotate(f.Display, f.Image, W, H, towards);
  }
}

}  // namespace transitions
