// Shapes: rounded rectangles (58, 59, 69, 70, 80-85), triangles (110-117), random squares (127), blinds
// and rectangle grids (136-142, 145-148), sectors (143, 144) and turning polygons (149, 150).
#include "transitions/TveffectFamilies.h"

#include "platform/classlib/ExtendedPrecision.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace transitions {

using namespace classlib;

namespace {

constexpr long double Pi = 3.1415926535897932385L;

// Owns a region for the length of a frame.
class TRegion {
public:
  explicit TRegion(HRGN Handle) : FHandle(Handle) {}
  ~TRegion() {
    if (FHandle) DeleteObject(FHandle);
  }
  TRegion(const TRegion&) = delete;
  TRegion& operator=(const TRegion&) = delete;

  HRGN Handle() const { return FHandle; }
  void Combine(HRGN Other, int Mode) {
    CombineRgn(FHandle, FHandle, Other, Mode);
    DeleteObject(Other);
  }

private:
  HRGN FHandle;
};

void DrawRoundRect(TFrame& f, int L, int T, int R, int B, int EW, int EH) {
  TRegion region(CreateRoundRectRgn(L, T, R, B, EW, EH));
  DrawThroughRegion(f, region.Handle());
}

void DrawTriangles(TFrame& f, std::initializer_list<std::array<POINT, 3>> Triangles) {
  TRegion region(CreateRectRgn(0, 0, 0, 0));
  for (const auto& t : Triangles)
    region.Combine(CreateTriangleRgn(t[0].x, t[0].y, t[1].x, t[1].y, t[2].x, t[2].y), RGN_OR);
  DrawThroughRegion(f, region.Handle());
}

// The grid's own step: half the grain, which must be at least 1 for the grid to end.
int HalfGrain(int G) { return std::max(G > 1 ? G / 2 : G, 1); }

// Slats: R added, then moved by (DX, DY) while Inside holds. A period below 1 would never leave the
// picture, and its slats would have no width anyway: nothing is added then.
template <typename TInside>
void AddSlats(TRectUnion& Area, int Period, TRect R, int DX, int DY, TInside Inside) {
  if (Period < 1) return;
  while (Inside(R)) {
    Area.Add(R);
    OffsetRect(&R, DX, DY);
  }
}

void AddBlindFromLeft(TRectUnion& Area, const TFrame& f, int p) {
  AddSlats(Area, p, Rect(0, 0, f.P * p / 100, f.H), p, 0, [&f](const TRect& r) { return r.left < f.W; });
}
void AddBlindFromRight(TRectUnion& Area, const TFrame& f, int p) {
  AddSlats(Area, p, Rect(f.W - f.P * p / 100, 0, f.W, f.H), -p, 0, [](const TRect& r) { return r.right >= 0; });
}
void AddBlindFromTop(TRectUnion& Area, const TFrame& f, int p) {
  AddSlats(Area, p, Rect(0, 0, f.W, f.P * p / 100), 0, p, [&f](const TRect& r) { return r.top < f.H; });
}
void AddBlindFromBottom(TRectUnion& Area, const TFrame& f, int p) {
  AddSlats(Area, p, Rect(0, f.H - f.P * p / 100, f.W, f.H), 0, -p, [](const TRect& r) { return r.bottom >= 0; });
}
// Bars growing from their centre lines, Period apart.
void AddHorizontalBars(TRectUnion& Area, const TFrame& f, int p) {
  const int d = f.P * p / 200;
  AddSlats(Area, p, Rect(0, p / 2 - d, f.W, p / 2 + d), 0, p, [&f](const TRect& r) { return r.top < f.H; });
}
void AddVerticalBars(TRectUnion& Area, const TFrame& f, int p) {
  const int d = f.P * p / 200;
  AddSlats(Area, p, Rect(p / 2 - d, 0, p / 2 + d, f.H), p, 0, [&f](const TRect& r) { return r.left < f.W; });
}

void ComposeBlinds(TFrame& f, int Style) {
  TRectUnion area(f.W, f.H);
  const int grain = std::max(f.G, 1);
  switch (Style) {
    case 136: AddBlindFromLeft(area, f, f.W / grain); break;
    case 137: AddBlindFromTop(area, f, f.H / grain); break;
    case 138: AddBlindFromLeft(area, f, f.X); break;
    case 139: AddBlindFromRight(area, f, f.X); break;
    case 140: AddBlindFromTop(area, f, f.Y); break;
    case 141: AddBlindFromBottom(area, f, f.Y); break;
    case 145:
      AddHorizontalBars(area, f, f.H / grain);
      AddBlindFromLeft(area, f, f.X);
      break;
    case 146:
      AddHorizontalBars(area, f, f.H / grain);
      AddBlindFromRight(area, f, f.X);
      break;
    case 147:
      AddVerticalBars(area, f, f.W / grain);
      AddBlindFromTop(area, f, f.Y);
      break;
    case 148:
      AddVerticalBars(area, f, f.W / grain);
      AddBlindFromBottom(area, f, f.Y);
      break;
    case 142: {
      // A rectangle centred on each point of a grid, growing with the run.
      const int rx = f.X / grain;
      const int ry = f.Y / grain;
      const int half = HalfGrain(f.G);
      const int cellW = f.W / half;
      const int cellH = f.H / half;
      for (int c = half; c >= 0; --c)
        for (int d = half; d >= 0; --d) area.Add(d * cellW - rx, c * cellH - ry, d * cellW + rx, c * cellH + ry);
      break;
    }
  }
  area.DrawThrough(f.Display, f.Image);
}

// 117: a grid of equal right triangles growing from their top-left corners. The triangles differ
// only by whole-pixel offsets, so one is scan-converted and its rows are stamped on every grid point.
void ComposeTriangleGrid(TFrame& f) {
  const int half = HalfGrain(f.G);
  const int rx = f.X / half;
  const int ry = f.Y / half;
  const int cellW = f.W / half;
  const int cellH = f.H / half;
  TRegion prototype(CreateTriangleRgn(-rx, -ry, rx, -ry, -rx, ry));
  const DWORD size = GetRegionData(prototype.Handle(), 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return;
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(prototype.Handle(), size, data) != size || data->rdh.nCount == 0) return;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  TRectUnion area(f.W, f.H);
  for (int c = half; c >= 0; --c)
    for (int d = half; d >= 0; --d) {
      const int x = d * cellW;
      const int y = c * cellH;
      if (x - rx >= f.W || y - ry >= f.H || x + rx <= 0 || y + ry <= 0) continue;
      for (DWORD i = 0; i < data->rdh.nCount; ++i)
        area.Add(rects[i].left + x, rects[i].top + y, rects[i].right + x, rects[i].bottom + y);
    }
  area.DrawThrough(f.Display, f.Image);
}

// 127: every grid cell draws the same number in every frame, so a square once shown stays. The draws
// come from a generator of the frame's own, seeded from the picture's size, so nobody else's sequence
// is disturbed.
void ComposeRandomSquares(TFrame& f) {
  TRandomGenerator random(static_cast<std::uint32_t>(f.W) * static_cast<std::uint32_t>(f.H));
  const int half = HalfGrain(f.G);
  TRectUnion area(f.W, f.H);
  for (int x = 0; x < f.W; x += half)
    for (int y = 0; y < f.H; y += half)
      if (random.Random(100) < f.P) area.Add(x - half, y - half, x + half, y + half);
  area.DrawThrough(f.Display, f.Image);
}

void ComposeSweep(TFrame& f, bool Clockwise) {
  const int cx = f.W / 2;
  const int cy = f.H / 2;
  const std::int64_t squared = static_cast<std::int64_t>(cx) * cx + static_cast<std::int64_t>(cy) * cy;
  auto radius = static_cast<std::int64_t>(std::sqrt(static_cast<double>(squared)));
  while (radius * radius < squared) ++radius;
  while (radius > 0 && (radius - 1) * (radius - 1) >= squared) --radius;
  long double start = 0, end = 0;
  {
    TExtendedPrecision precision;
    start = -Pi / 2;
    end = (Clockwise ? f.P * Pi / 50 : -f.P * Pi / 50) - Pi / 2;
  }
  TRegion region(CreateSectorRgn(cx, cy, static_cast<int>(radius), start, end, f.P));
  DrawThroughRegion(f, region.Handle());
}

void ComposeTurningPolygon(TFrame& f, bool Star) {
  const int cx = f.W / 2, cy = f.H / 2, X = f.X, Y = f.Y;
  const int a = X / 2, b = Y / 2;
  std::vector<TPoint> points;
  if (Star)
    points = {{cx - 2 * X, cy}, {cx - a, cy - b}, {cx, cy - 2 * Y}, {cx + a, cy - b},
              {cx + 2 * X, cy}, {cx + a, cy + b}, {cx, cy + 2 * Y}, {cx - a, cy + b}};
  else
    points = {{cx - a, cy - b}, {cx + a, cy - b}, {cx + a, cy + b}, {cx - a, cy + b}};
  long double angle = 0;
  {
    TExtendedPrecision precision;
    angle = f.P * Pi / 50;
  }
  RotatePoints(points, cx, cy, angle);
  TRegion region(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
  DrawThroughRegion(f, region.Handle());
}

}  // namespace

void ComposeShape(TFrame& f, int Style) {
  const int W = f.W, H = f.H, X = f.X, Y = f.Y;
  const int cx = W / 2, cy = H / 2;
  switch (Style) {
    case 58: return DrawRoundRect(f, -2 * W, -5, 2 * X, H + 5, 2 * W, 2 * W);
    case 59: return DrawRoundRect(f, W - 2 * X, -5, 3 * W, H + 5, 2 * W, 2 * W);
    case 69: return DrawRoundRect(f, -5, -2 * H, W + 5, 2 * Y, 2 * H, 2 * H);
    case 70: return DrawRoundRect(f, -5, H - 2 * Y, W + 5, 3 * H, 2 * H, 2 * H);
    case 80: return DrawRoundRect(f, -2 * W, -2 * H, 2 * X, 2 * Y, 2 * W, 2 * H);
    case 81: return DrawRoundRect(f, W - 2 * X, -2 * H, 3 * W, 2 * Y, 2 * W, 2 * H);
    case 82: return DrawRoundRect(f, -2 * W, H - 2 * Y, 2 * X, 3 * H, 2 * W, 2 * H);
    case 83: return DrawRoundRect(f, W - 2 * X, H - 2 * Y, 3 * W, 3 * H, 2 * H, 2 * H);
    case 84: return DrawRoundRect(f, cx - X, cy - Y, cx + X, cy + Y, 9 * X / 5, 9 * Y / 5);
    case 85: {
      TRegion region(CreateRectRgn(0, 0, W, H));
      region.Combine(CreateRoundRectRgn(X - W / 2, Y - H / 2, 3 * W / 2 - X, 3 * H / 2 - Y, 9 * (W - X) / 5,
                                        9 * (H - Y) / 5),
                     RGN_XOR);
      return DrawThroughRegion(f, region.Handle());
    }
    case 110: return DrawTriangles(f, {{{{0, 0}, {2 * X, 0}, {0, 2 * Y}}}});
    case 111: return DrawTriangles(f, {{{{W, 0}, {W - 2 * X, 0}, {W, 2 * Y}}}});
    case 112: return DrawTriangles(f, {{{{0, H}, {2 * X, H}, {0, H - 2 * Y}}}});
    case 113: return DrawTriangles(f, {{{{W, H}, {W - 2 * X, H}, {W, H - 2 * Y}}}});
    case 114: return DrawTriangles(f, {{{{0, H}, {0, 0}, {X, H}}}, {{{W, H}, {W, 0}, {W - X, 0}}}});
    case 115: return DrawTriangles(f, {{{{W, 0}, {0, 0}, {W, Y}}}, {{{W, H}, {0, H}, {0, H - Y}}}});
    case 116:
      return DrawTriangles(f, {{{{cx, cy}, {0, H}, {0, H - Y}}},
                               {{{0, 0}, {X, 0}, {cx, cy}}},
                               {{{W - X, H}, {cx, cy}, {W, H}}},
                               {{{cx, cy}, {W, 0}, {W, Y}}}});
    case 117: return ComposeTriangleGrid(f);
    case 127: return ComposeRandomSquares(f);
    case 143: return ComposeSweep(f, true);
    case 144: return ComposeSweep(f, false);
    case 149: return ComposeTurningPolygon(f, false);
    case 150: return ComposeTurningPolygon(f, true);
    default: return ComposeBlinds(f, Style);
  }
}

}  // namespace transitions
