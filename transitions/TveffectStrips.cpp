// Bars (60-64, 71-75, 86-99), uneven shreds (65-68, 76-79, 100-109) and speckles (123-126): regions
// of many thin strips, drawn through in one pass.
#include "transitions/TveffectFamilies.h"

#include <algorithm>

namespace transitions {

using namespace classlib;

namespace {

// Bands 5 pixels wide with a period of 10, cut across one axis; the bars grow along the other axis
// (Length long) to Extent, first in the even bands and, after crossing once, in the odd ones.
// Kind 1 grows from the far end, 2 from the near end, 4 near then far, 5 far then near, 3 from
// both ends in alternate bands. Add takes (near, across, far, across + 5) along the bar's axis.
template <typename TAdd>
void AddBarPart(int Extent, int Length, int Across, int G, int Kind, TAdd Add) {
  if (Extent <= Length) {
    // A bar closer than G to the far end is finished at once.
    if (Length < Extent + G) Extent = Length;
    for (int i = 0; i < Across + 5; i += 10) {
      if (Kind == 1 || Kind == 5) Add(Length - Extent, i, Length, i + 5);
      else if (Kind == 2 || Kind == 4) Add(0, i, Extent, i + 5);
      else if (Kind == 3) {
        Add(0, i + 5, Extent, i + 10);
        Add(Length - Extent, i, Length, i + 5);
      }
    }
  } else {
    for (int i = 5; i < Across + 5; i += 10) {
      Add(0, i - 5, Length, i);
      if (Kind == 1 || Kind == 4) Add(2 * Length - Extent, i, Length, i + 5);
      else if (Kind == 2 || Kind == 5) Add(0, i, Extent - Length, i + 5);
    }
  }
}

void CreateBarRgn(TRectUnion& Area, int A, int B, int W, int H, int G, int HKind, int VKind) {
  AddBarPart(A, W, H, G, HKind, [&Area](int x1, int y1, int x2, int y2) { Area.Add(x1, y1, x2, y2); });
  // Columns: the far end of a column is its bottom, so vertical kind 1 grows from the bottom.
  AddBarPart(B, H, W, G, VKind, [&Area](int y1, int x1, int y2, int x2) { Area.Add(x1, y1, x2, y2); });
}

// Strips 5 pixels apart whose ends jitter by up to the amplitude either way; the last frames are clean.
template <typename TAdd>
void AddShredPart(int Extent, int Length, int Across, int Kind, TRandomGenerator& Random, TAdd Add) {
  if (Kind == 0) return;
  const int amp = Extent < Length ? Length / 7 : 0;
  auto jitter = [&Random, amp] {
    const int plus = Random.Random(amp);
    return plus - Random.Random(amp);
  };
  for (int off = 0; off < Across; off += 5) {
    const int end = off + 5 + Across % 5;
    switch (Kind) {
      case 1: Add(Length - Extent + jitter(), off, Length, end); break;
      case 2: Add(0, off, Extent + jitter(), end); break;
      case 3: {
        const int j1 = jitter();
        Add((Length - Extent + j1) / 2, off, Length / 2, end);
        const int j2 = jitter();
        Add(Length / 2, off, (Length + Extent + j2) / 2, end);
        break;
      }
      case 4: {
        const int j1 = jitter();
        Add(Length - (Extent + j1) / 2, off, Length, end);
        const int j2 = jitter();
        Add(0, off, (Extent + j2) / 2, end);
        break;
      }
    }
  }
}

void CreateShredRgn(TRectUnion& Area, int A, int B, int W, int H, int HKind, int VKind) {
  TRandomGenerator& random = EffectRandom();
  AddShredPart(A, W, H, HKind, random, [&Area](int x1, int y1, int x2, int y2) { Area.Add(x1, y1, x2, y2); });
  AddShredPart(B, H, W, VKind, random, [&Area](int y1, int x1, int y2, int x2) { Area.Add(x1, y1, x2, y2); });
}

// A solid edge with a fringe of random squares ahead of it: the near squares show with probability
// 2/k, the far ones 1/k. Kind 1 grows from the far end, any other kind from the near end.
template <typename TAdd>
void AddSpecklePart(int Extent, int Length, int Across, int Kind, TRandomGenerator& Random, TAdd Add) {
  if (Kind == 0) return;
  const int depth = Extent < Length ? Length / 10 : 0;
  const int s = std::max(depth / 20, 2);
  const int n = depth / s;
  const int t = (3 * depth / s) / 4;
  for (int row = 0; row < Across; row += s / 2) {
    if (Kind == 1) Add(Length - Extent, row, Length, row + s);
    else Add(0, row, Extent, row + s);
    for (int k = n; k >= 1; --k) {
      const int f = k <= t ? 1 : 0;
      if (Random.Random(k) > f) continue;
      if (Kind == 1) Add(Length - Extent - k * s, row, Length - Extent - k * s + s, row + s);
      else Add(Extent + k * s - s, row, Extent + k * s, row + s);
    }
  }
}

void CreateSpeckleRgn(TRectUnion& Area, int A, int B, int W, int H, int HKind, int VKind) {
  TRandomGenerator& random = EffectRandom();
  AddSpecklePart(A, W, H, HKind, random, [&Area](int x1, int y1, int x2, int y2) { Area.Add(x1, y1, x2, y2); });
  AddSpecklePart(B, H, W, VKind, random, [&Area](int y1, int x1, int y2, int x2) { Area.Add(x1, y1, x2, y2); });
}

}  // namespace

void ComposeStrips(TFrame& f, int Style) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y, G = f.G;
  TRectUnion area(W, H);
  switch (Style) {
    case 60: CreateBarRgn(area, 2 * X, 0, W, H, G, 1, 0); break;
    case 61: CreateBarRgn(area, 2 * X, 0, W, H, G, 2, 0); break;
    case 62: CreateBarRgn(area, 2 * X, 0, W, H, G, 4, 0); break;
    case 63: CreateBarRgn(area, 2 * X, 0, W, H, G, 5, 0); break;
    case 64: CreateBarRgn(area, X, 0, W, H, 0, 3, 0); break;
    case 71: CreateBarRgn(area, 0, 2 * Y, W, H, G, 0, 1); break;
    case 72: CreateBarRgn(area, 0, 2 * Y, W, H, G, 0, 2); break;
    case 73: CreateBarRgn(area, 0, 2 * Y, W, H, G, 0, 4); break;
    case 74: CreateBarRgn(area, 0, 2 * Y, W, H, G, 0, 5); break;
    case 75: CreateBarRgn(area, 0, Y, W, H, 0, 0, 3); break;
    case 86: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 1, 1); break;
    case 87: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 1, 2); break;
    case 88: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 2, 1); break;
    case 89: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 2, 2); break;
    case 90: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 4, 4); break;
    case 91: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 4, 5); break;
    case 92: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 5, 4); break;
    case 93: CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 5, 5); break;
    case 94: CreateBarRgn(area, X, Y, W, H, G, 1, 3); break;
    case 95: CreateBarRgn(area, X, Y, W, H, G, 2, 3); break;
    case 96: CreateBarRgn(area, X, Y, W, H, G, 3, 1); break;
    case 97: CreateBarRgn(area, X, Y, W, H, G, 3, 2); break;
    case 98: CreateBarRgn(area, X, Y, W, H, 0, 3, 3); break;
    case 99: {
      CreateBarRgn(area, 2 * X, 2 * Y, W, H, G, 1, 1);
      TRectUnion other(W, H);
      CreateBarRgn(other, 2 * X, 2 * Y, W, H, G, 2, 2);
      area.IntersectWith(other);
      break;
    }
    case 65: CreateShredRgn(area, X, 0, W, H, 1, 0); break;
    case 66: CreateShredRgn(area, X, 0, W, H, 2, 0); break;
    case 67: CreateShredRgn(area, X, 0, W, H, 3, 0); break;
    case 68: CreateShredRgn(area, X, 0, W, H, 4, 0); break;
    case 76: CreateShredRgn(area, 0, Y, W, H, 0, 1); break;
    case 77: CreateShredRgn(area, 0, Y, W, H, 0, 2); break;
    case 78: CreateShredRgn(area, 0, Y, W, H, 0, 3); break;
    case 79: CreateShredRgn(area, 0, Y, W, H, 0, 4); break;
    case 100: CreateShredRgn(area, X, Y, W, H, 1, 1); break;
    case 101: CreateShredRgn(area, X, Y, W, H, 1, 2); break;
    case 102: CreateShredRgn(area, X, Y, W, H, 2, 1); break;
    case 103: CreateShredRgn(area, X, Y, W, H, 2, 2); break;
    case 104: CreateShredRgn(area, X, Y, W, H, 1, 3); break;
    case 105: CreateShredRgn(area, X, Y, W, H, 2, 3); break;
    case 106: CreateShredRgn(area, X, Y, W, H, 3, 1); break;
    case 107: CreateShredRgn(area, X, Y, W, H, 3, 2); break;
    case 108: CreateShredRgn(area, X, Y, W, H, 3, 3); break;
    case 109: CreateShredRgn(area, X, Y, W, H, 4, 4); break;
    case 123: CreateSpeckleRgn(area, X, Y, W, H, 1, 0); break;
    case 124: CreateSpeckleRgn(area, X, Y, W, H, 2, 0); break;
    case 125: CreateSpeckleRgn(area, X, Y, W, H, 0, 1); break;
    case 126: CreateSpeckleRgn(area, X, Y, W, H, 0, 2); break;
  }
  area.DrawThrough(f.Display, f.Image);
}

}  // namespace transitions
