// Masks to window regions.

#include "skin/data/Skutils.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace skin {

// ---------------------------------------------------------------------------------------------
// TFBitmap

TFBitmap::TFBitmap(HBITMAP Handle) {
  BITMAP source{};
  if (!Handle || GetObjectA(Handle, sizeof source, &source) == 0) return;
  FWidth = source.bmWidth;
  FHeight = std::abs(source.bmHeight);
  if (FWidth <= 0 || FHeight <= 0) {
    FWidth = FHeight = 0;
    return;
  }
  FBitmapHeader.biSize = sizeof(BITMAPINFOHEADER);
  FBitmapHeader.biWidth = FWidth;
  FBitmapHeader.biHeight = -FHeight;  // top-down
  FBitmapHeader.biPlanes = 1;
  FBitmapHeader.biBitCount = 24;
  FBitmapHeader.biCompression = BI_RGB;
  FBitmapInfo.bmiHeader = FBitmapHeader;
  void* bits = nullptr;
  FSection = CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!FSection) {
    FWidth = FHeight = 0;
    return;
  }
  FBits = static_cast<std::uint8_t*>(bits);
  // What was drawn on the source's canvas must be in its pixels before they are read.
  GdiFlush();
  const HDC screen = GetDC(nullptr);
  GetDIBits(screen, Handle, 0, static_cast<UINT>(FHeight), FBits, &FBitmapInfo, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  Initialize();
}

void TFBitmap::Initialize() {
  FRowPadding = FWidth % 4;
  FRowSize = FWidth * 3 + FRowPadding;
  FTotalSize = FRowSize * FHeight;
  FRows.resize(static_cast<std::size_t>(FHeight));
  for (int y = 0; y < FHeight; ++y) FRows[static_cast<std::size_t>(y)] = FBits + static_cast<std::size_t>(y) * FRowSize;
  FDC = CreateCompatibleDC(nullptr);
  if (FDC) FOldBitmap = SelectObject(FDC, FSection);
}

TFBitmap::~TFBitmap() {
  if (FDC) {
    SelectObject(FDC, FOldBitmap);
    DeleteDC(FDC);
  }
  if (FSection) DeleteObject(FSection);
}

// ---------------------------------------------------------------------------------------------
// Region data

namespace {

static_assert(sizeof(RGNDATAHEADER) == 32, "the block's header");
static_assert(sizeof(RECT) == 16, "one rectangle of the block");

// The black runs of every row, one rectangle one pixel high each, rows never merged.
void ScanRuns(const TFBitmap& Copy, int DX, int DY, std::vector<TRect>& Runs) {
  const int width = Copy.Width();
  for (int y = 0; y < Copy.Height(); ++y) {
    const std::uint8_t* row = Copy.ScanLine(y);
    int x = 0;
    while (x < width) {
      const std::uint8_t* p = row + 3 * x;
      if (p[0] | p[1] | p[2]) {
        ++x;
        continue;
      }
      const int start = x;
      do {
        ++x;
        p += 3;
      } while (x < width && (p[0] | p[1] | p[2]) == 0);
      Runs.push_back(TRect{start + DX, y + DY, x + DX, y + DY + 1});
    }
  }
}

// A band of the region: rectangles sharing their top and bottom, in order of their left sides.
struct TBand {
  std::size_t First, Count;
  LONG Top, Bottom;
};

bool SameColumns(const RECT* Rects, const TBand& A, const TBand& B) {
  if (A.Count != B.Count) return false;
  for (std::size_t i = 0; i < A.Count; ++i) {
    const RECT& a = Rects[A.First + i];
    const RECT& b = Rects[B.First + i];
    if (a.left != b.left || a.right != b.right) return false;
  }
  return true;
}

// The union of Pieces[First..First+Count), built by uniting halves pairwise: each union joins two
// regions of similar size, so the whole costs n log n, where adding one rectangle at a time (as
// the system's own ExtCreateRegion does) costs n squared.
HRGN Unite(const std::vector<RECT>& Pieces, std::size_t First, std::size_t Count) {
  if (Count == 1) return CreateRectRgnIndirect(&Pieces[First]);
  const std::size_t half = Count / 2;
  const HRGN left = Unite(Pieces, First, half);
  const HRGN right = Unite(Pieces, First + half, Count - half);
  CombineRgn(left, left, right, RGN_OR);
  DeleteObject(right);
  return left;
}

}  // namespace

int CreateRgnFromBmp(TBitmap& Mask, int DX, int DY, TRegionData& RgnData) {
  if (Mask.Empty()) return 0;
  std::vector<TRect> runs;
  {
    const TFBitmap copy(Mask.Handle());
    // The buffer grows with the mask: a fine pattern has far more runs than a frame.
    runs.reserve(static_cast<std::size_t>(copy.Height()) * 2);
    ScanRuns(copy, DX, DY, runs);
  }
  constexpr std::size_t kHeader = sizeof(RGNDATAHEADER);
  if (runs.size() > (std::numeric_limits<int>::max() - kHeader) / sizeof(RECT)) return 0;
  const std::size_t size = kHeader + runs.size() * sizeof(RECT);
  RgnData.assign(size, 0);
  RGNDATAHEADER header{};
  header.dwSize = kHeader;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(runs.size());
  header.nRgnSize = 0;
  header.rcBound = TRect{DX, DY, Mask.Width() + DX, Mask.Height() + DY};
  std::memcpy(RgnData.data(), &header, kHeader);
  if (!runs.empty()) std::memcpy(RgnData.data() + kHeader, runs.data(), runs.size() * sizeof(RECT));
  return static_cast<int>(size);
}

HRGN RegionFromData(const TRegionData& RgnData) {
  if (RgnData.size() < sizeof(RGNDATAHEADER)) return nullptr;
  RGNDATAHEADER header;
  std::memcpy(&header, RgnData.data(), sizeof header);
  const std::size_t available = (RgnData.size() - sizeof header) / sizeof(RECT);
  const std::size_t count = std::min<std::size_t>(header.nCount, available);
  if (count == 0) return CreateRectRgn(0, 0, 0, 0);
  const auto* rects = reinterpret_cast<const RECT*>(RgnData.data() + sizeof header);

  // Rows of equal rectangles (most rows of a frame are alike) become one band each first.
  std::vector<TBand> bands;
  for (std::size_t i = 0; i < count;) {
    TBand band{i, 1, rects[i].top, rects[i].bottom};
    while (i + band.Count < count && rects[i + band.Count].top == band.Top &&
           rects[i + band.Count].bottom == band.Bottom && rects[i + band.Count].left >= rects[i + band.Count - 1].right)
      ++band.Count;
    i += band.Count;
    if (!bands.empty() && bands.back().Bottom == band.Top && SameColumns(rects, bands.back(), band))
      bands.back().Bottom = band.Bottom;
    else
      bands.push_back(band);
  }
  std::vector<RECT> pieces;
  pieces.reserve(count);
  for (const TBand& band : bands)
    for (std::size_t i = 0; i < band.Count; ++i)
      pieces.push_back(RECT{rects[band.First + i].left, band.Top, rects[band.First + i].right, band.Bottom});
  return Unite(pieces, 0, pieces.size());
}

void CreateSkinSimplyRegion(HRGN& Rgn, TBitmap& Mask) {
  TRegionData data;
  Rgn = CreateRgnFromBmp(Mask, 0, 0, data) ? RegionFromData(data) : nullptr;
}

void CreateSkinRegion(HRGN& Rgn, const TPoint& LT, const TPoint& RT, const TPoint& LB, const TPoint& RB,
                      const TRect& ClRect, const TPoint& NewLT, const TPoint& NewRT, const TPoint& NewLB,
                      const TPoint& NewRB, const TRect& NewClRect, TBitmap& Mask, int W, int H) {
  Rgn = nullptr;
  if (NewRT.x < NewLT.x || NewLB.y < NewLT.y) return;
  TBitmap top, left, right, bottom;
  CreateSkinMask(LT, RT, LB, RB, ClRect, NewLT, NewRT, NewLB, NewRB, NewClRect, Mask, top, left, right, bottom, W, H);

  auto bandRegion = [](TBitmap& band, int dx, int dy) -> HRGN {
    if (band.Width() <= 0 || band.Height() <= 0) return nullptr;
    TRegionData data;
    return CreateRgnFromBmp(band, dx, dy, data) ? RegionFromData(data) : nullptr;
  };
  const HRGN parts[] = {
      IsNullRect(NewClRect) ? nullptr : CreateRectRgnIndirect(&NewClRect),
      bandRegion(top, 0, 0),
      bandRegion(bottom, 0, NewClRect.bottom),
      bandRegion(left, 0, NewClRect.top),
      bandRegion(right, NewClRect.right, NewClRect.top),
  };
  // Every part that exists joins: a missing band (a skin without a top edge, say) must not take
  // the others with it.
  for (const HRGN part : parts) {
    if (!part) continue;
    if (!Rgn) {
      Rgn = part;
      continue;
    }
    CombineRgn(Rgn, Rgn, part, RGN_OR);
    DeleteObject(part);
  }
}

}  // namespace skin
