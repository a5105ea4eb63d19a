// The fade (118) and the pivots (119-122) work on the pixels of 32-bit bitmaps: blue, green, red and a
// fourth byte that is not colour and is left as it is.
#include "transitions/TveffectFamilies.h"

#include "platform/classlib/ExtendedPrecision.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

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

// The run of k in [0, Count) for which Low <= A + k * D < High, as [First, Last).
std::pair<int, int> LinearRun(std::int64_t A, std::int64_t D, std::int64_t Low, std::int64_t High, int Count) {
  // floor(N / M) and ceil(N / M) for M > 0, whatever the sign of N.
  const auto floorDiv = [](std::int64_t N, std::int64_t M) { return N >= 0 ? N / M : -((-N + M - 1) / M); };
  const auto ceilDiv = [&](std::int64_t N, std::int64_t M) { return -floorDiv(-N, M); };
  std::int64_t first = 0, last = Count;
  if (D == 0) {
    if (A < Low || A >= High) last = 0;
  } else if (D > 0) {
    first = std::max<std::int64_t>(first, ceilDiv(Low - A, D));
    last = std::min<std::int64_t>(last, ceilDiv(High - A, D));
  } else {
    first = std::max<std::int64_t>(first, floorDiv(A - High, -D) + 1);
    last = std::min<std::int64_t>(last, floorDiv(A - Low, -D) + 1);
  }
  if (first >= last) return {0, 0};
  return {static_cast<int>(first), static_cast<int>(last)};
}

// Copies into Display the pixels of Image turned about (CX, CY) by Angle radians, counter-clockwise
// on the screen; CY counts upward from the bottom row. The turn is in 16.16 fixed point with the
// sine and cosine truncated; the products are formed in 64 bits, which a large picture needs.
//
// Near a quarter turn a row of the frame reads a column of the picture, a new cache line for every
// pixel: the frame is therefore filled in square tiles, whose reads stay within a few lines of the
// picture. Each pixel's position is the same linear function of x and y however the loop runs, so
// the part of a row that lands inside the picture is found once per row of a tile, and the pixels
// in it are copied without a test each.
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
  // Picture row H - 1 - b (b counting upward from the bottom row) starts at first + b * step.
  const std::uint8_t* const first = source.Row(H - 1);
  const std::ptrdiff_t step = source.Row(std::max(H - 2, 0)) - first;
  // CX + (across >> 16) in [0, W) and CY + (up >> 16) in [0, H).
  const std::int64_t acrossLow = -std::int64_t{CX} * 65536, acrossHigh = (W - std::int64_t{CX}) * 65536;
  const std::int64_t upLow = -std::int64_t{CY} * 65536, upHigh = (H - std::int64_t{CY}) * 65536;
  constexpr int Tile = 64;
  for (int top = 0; top < H; top += Tile) {
    const int bottom = std::min(top + Tile, H);
    for (int left = 0; left < W; left += Tile) {
      const int right = std::min(left + Tile, W);
      for (int y = top; y < bottom; ++y) {
        auto* to = reinterpret_cast<std::uint32_t*>(target.Row(y));
        const std::int64_t v = H - y - CY;
        const std::int64_t u = 1 - static_cast<std::int64_t>(CX) + left;
        const std::int64_t across0 = u * cs - v * sn;
        const std::int64_t up0 = u * sn + v * cs;
        const auto [acrossFirst, acrossLast] = LinearRun(across0, cs, acrossLow, acrossHigh, right - left);
        const auto [upFirst, upLast] = LinearRun(up0, sn, upLow, upHigh, right - left);
        const int begin = std::max(acrossFirst, upFirst), end = std::min(acrossLast, upLast);
        std::int64_t across = across0 + begin * cs;
        std::int64_t up = up0 + begin * sn;
        for (int k = begin; k < end; ++k, across += cs, up += sn) {
          const std::int64_t sx = CX + (across >> 16);
          const std::int64_t sb = CY + (up >> 16);
          to[left + k] = reinterpret_cast<const std::uint32_t*>(first + sb * step)[sx];
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
