#include "transitions/TveffectRaster.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace transitions {

using namespace classlib;

namespace {

// Scratch bitmaps, each lent to one drawing call at a time and kept for the next: a new full-frame
// DIB section every frame costs more than the copy made into it. They are not kept per thread: the
// runtime frees a thread's own objects only after the system has ended the thread, and freeing a
// bitmap's GDI objects there can fault and take the whole process down. Nor are they freed when the
// program ends, for the same reason: the pool lives until the process ends.
class TScratchPool {
public:
  static TScratchPool& Instance() {
    static TScratchPool* const pool = new TScratchPool;  // lives until the process ends (see above)
    return *pool;
  }

  std::unique_ptr<TBitmap> Take() {
    const std::lock_guard lock(FMutex);
    if (FFree.empty()) {
      // Room for every bitmap ever made, so that giving one back never allocates.
      FFree.reserve(++FMade);
      return std::make_unique<TBitmap>();
    }
    std::unique_ptr<TBitmap> bitmap = std::move(FFree.back());
    FFree.pop_back();
    return bitmap;
  }

  void Give(std::unique_ptr<TBitmap> Bitmap) noexcept {
    const std::lock_guard lock(FMutex);
    FFree.push_back(std::move(Bitmap));
  }

private:
  TScratchPool() = default;

  std::mutex FMutex;
  std::vector<std::unique_ptr<TBitmap>> FFree;
  std::size_t FMade = 0;
};

// A scratch bitmap of at least the given size in Format, the caller's until the lease ends.
class TScratch {
public:
  TScratch(TPixelFormat Format, int Width, int Height) : FBitmap(TScratchPool::Instance().Take()) {
    FBitmap->SetPixelFormat(Format);
    if (FBitmap->Width() < Width || FBitmap->Height() < Height)
      FBitmap->SetSize(std::max(FBitmap->Width(), Width), std::max(FBitmap->Height(), Height));
  }
  ~TScratch() { TScratchPool::Instance().Give(std::move(FBitmap)); }
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;

  TBitmap& Bitmap() { return *FBitmap; }

private:
  std::unique_ptr<TBitmap> FBitmap;
};

// Colour-on-colour stretching for one blit, the DC's own mode restored after it.
class TStretchMode {
public:
  explicit TStretchMode(HDC DC) : FDC(DC), FSaved(SetStretchBltMode(DC, COLORONCOLOR)) {}
  ~TStretchMode() {
    if (FSaved) SetStretchBltMode(FDC, FSaved);
  }
  TStretchMode(const TStretchMode&) = delete;
  TStretchMode& operator=(const TStretchMode&) = delete;

private:
  HDC FDC;
  int FSaved;
};

}  // namespace

TDibRows RowsOf(TBitmap& Bitmap) {
  TDibRows rows;
  if (Bitmap.Empty()) return rows;
  DIBSECTION section{};
  if (GetObjectW(Bitmap.Handle(), sizeof(section), &section) != sizeof(section) || !section.dsBm.bmBits) return rows;
  GdiFlush();
  rows.Bits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
  rows.Stride = section.dsBm.bmWidthBytes;
  rows.Width = section.dsBm.bmWidth;
  rows.Height = section.dsBm.bmHeight;
  rows.BitCount = section.dsBm.bmBitsPixel;
  rows.BottomUp = section.dsBmih.biHeight > 0;
  if (section.dsBmih.biCompression == BI_BITFIELDS) {
    rows.Masks = {section.dsBitfields[0], section.dsBitfields[1], section.dsBitfields[2]};
  } else if (rows.BitCount == 16) {
    rows.Masks = {0x7C00, 0x03E0, 0x001F};
  } else if (rows.BitCount == 32) {
    rows.Masks = TDibRows::RgbMasks;
  }
  return rows;
}

TFrame::TFrame(TBitmap& ADisplay, TBitmap& AImage, const TExtents& Extents, int AStep, int AProgress)
    : Display(ADisplay), Image(AImage), W(Extents.W), H(Extents.H), X(Extents.X), Y(Extents.Y), G(Extents.G),
      Step(AStep), P(AProgress) {}

namespace {

// Whether DC draws onto its bitmap one to one, unclipped: what the direct copy assumes.
bool DrawsOneToOne(HDC DC) {
  POINT viewport{}, window{};
  if (GetMapMode(DC) != MM_TEXT || GetGraphicsMode(DC) != GM_COMPATIBLE || !GetViewportOrgEx(DC, &viewport) ||
      !GetWindowOrgEx(DC, &window) || viewport.x || viewport.y || window.x || window.y)
    return false;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool clipped = GetClipRgn(DC, region) == 1;
  DeleteObject(region);
  return !clipped;
}

// Nearest-pixel stretching of A of Source to B of Target, straight on the rows of two 32-bit DIB
// sections, each target pixel taking the source pixel under its centre. GDI's own stretching costs
// about four times as much at full-HD size, which is most of a frame's budget. False (nothing done)
// where the rows cannot be used: other layouts, one bitmap on both sides, mirrored or empty
// rectangles, a source outside its bitmap. The part of B outside the target is left out.
bool StretchRows(const TDibRows& Target, const TDibRows& Source, const TRect& A, const TRect& B) {
  if (!Target.SameLayout(Source) || Target.BitCount != 32 || Target.Bits == Source.Bits) return false;
  const int sw = A.right - A.left, sh = A.bottom - A.top;
  const int dw = B.right - B.left, dh = B.bottom - B.top;
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return false;
  if (A.left < 0 || A.top < 0 || A.right > Source.Width || A.bottom > Source.Height) return false;
  const int left = std::max(B.left, 0), right = std::min(B.right, Target.Width);
  const int top = std::max(B.top, 0), bottom = std::min(B.bottom, Target.Height);
  if (left >= right || top >= bottom) return true;

  const auto sourceOf = [](int I, int SourceLength, int TargetLength) {
    return static_cast<int>((2 * std::int64_t{I} + 1) * SourceLength / (2 * std::int64_t{TargetLength}));
  };
  std::vector<int> columns(static_cast<std::size_t>(right - left));
  for (int x = left; x < right; ++x)
    columns[static_cast<std::size_t>(x - left)] = A.left + sourceOf(x - B.left, sw, dw);
  const bool sameWidth = sw == dw;

  const std::uint8_t* previousTarget = nullptr;
  int previousSource = -1;
  for (int y = top; y < bottom; ++y) {
    auto* target = reinterpret_cast<std::uint32_t*>(Target.Row(y)) + left;
    const int sourceY = A.top + sourceOf(y - B.top, sh, dh);
    if (sourceY == previousSource) {
      std::memcpy(target, previousTarget, static_cast<std::size_t>(right - left) * 4);
    } else {
      const auto* source = reinterpret_cast<const std::uint32_t*>(Source.Row(sourceY));
      if (sameWidth) {
        std::memcpy(target, source + columns.front(), static_cast<std::size_t>(right - left) * 4);
      } else {
        for (std::size_t i = 0; i < columns.size(); ++i) target[i] = source[columns[i]];
      }
    }
    previousTarget = reinterpret_cast<const std::uint8_t*>(target);
    previousSource = sourceY;
  }
  return true;
}

}  // namespace

void TFrame::Copy(const TRect& A, const TRect& B) {
  HDC target = Display.Canvas()->Handle();
  if (DrawsOneToOne(target) && StretchRows(RowsOf(Display), RowsOf(Image), A, B)) return;
  TStretchMode mode(target);
  StretchBlt(target, B.left, B.top, B.right - B.left, B.bottom - B.top, Image.Canvas()->Handle(), A.left, A.top,
             A.right - A.left, A.bottom - A.top, SRCCOPY);
}

void TFrame::SelfCopy(const TRect& A, const TRect& B) {
  const int width = A.right - A.left;
  const int height = A.bottom - A.top;
  if (width <= 0 || height <= 0) return;
  TScratch snapshot(Display.PixelFormat(), width, height);
  HDC target = Display.Canvas()->Handle();
  HDC saved = snapshot.Bitmap().Canvas()->Handle();
  BitBlt(saved, 0, 0, width, height, target, A.left, A.top, SRCCOPY);
  TStretchMode mode(target);
  StretchBlt(target, B.left, B.top, B.right - B.left, B.bottom - B.top, saved, 0, 0, width, height, SRCCOPY);
}

void TRectUnion::Add(int Left, int Top, int Right, int Bottom) {
  Left = std::max(Left, 0);
  Top = std::max(Top, 0);
  Right = std::min(Right, FWidth);
  Bottom = std::min(Bottom, FHeight);
  if (Left < Right && Top < Bottom) FRects.push_back(TRect{Left, Top, Right, Bottom});
}

void TRectUnion::AddRegion(HRGN Region) {
  const DWORD size = GetRegionData(Region, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return;
  std::vector<std::uint8_t> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (GetRegionData(Region, size, data) != size) return;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i) Add(rects[i]);
}

void TRectUnion::IntersectWith(const TRectUnion& Other) {
  // Band against band, span against span, both in order: linear in the size of the two unions.
  const TBands mine = Sweep();
  const TBands theirs = Other.Sweep();
  FRects.clear();
  auto a = mine.Bands.begin();
  auto b = theirs.Bands.begin();
  while (a != mine.Bands.end() && b != theirs.Bands.end()) {
    const int top = std::max(a->Top, b->Top);
    const int bottom = std::min(a->Bottom, b->Bottom);
    if (top < bottom) {
      int i = a->First, j = b->First;
      while (i < a->First + a->Count && j < b->First + b->Count) {
        const TSpan& x = mine.Spans[i];
        const TSpan& y = theirs.Spans[j];
        const int left = std::max(x.Left, y.Left);
        const int right = std::min(x.Right, y.Right);
        if (left < right) FRects.push_back(TRect{left, top, right, bottom});
        if (x.Right < y.Right) ++i;
        else ++j;
      }
    }
    if (a->Bottom < b->Bottom) ++a;
    else ++b;
  }
}

TRectUnion::TBands TRectUnion::Sweep() const {
  TBands result;
  if (FRects.empty()) return result;
  std::vector<TRect> byTop = FRects;
  std::sort(byTop.begin(), byTop.end(), [](const TRect& a, const TRect& b) { return a.top < b.top; });
  std::vector<int> edges;
  edges.reserve(byTop.size() * 2);
  for (const TRect& r : byTop) {
    edges.push_back(r.top);
    edges.push_back(r.bottom);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

  // The rectangles crossing the current band, kept in order of their left edges.
  std::vector<TRect> active;
  const auto byLeft = [](const TRect& a, const TRect& b) { return a.left < b.left; };
  std::size_t next = 0;
  for (std::size_t k = 0; k + 1 < edges.size(); ++k) {
    const int top = edges[k];
    const int bottom = edges[k + 1];
    std::erase_if(active, [top](const TRect& r) { return r.bottom <= top; });
    const std::size_t kept = active.size();
    while (next < byTop.size() && byTop[next].top <= top) active.push_back(byTop[next++]);
    if (active.size() > kept) {
      std::sort(active.begin() + static_cast<std::ptrdiff_t>(kept), active.end(), byLeft);
      std::inplace_merge(active.begin(), active.begin() + static_cast<std::ptrdiff_t>(kept), active.end(), byLeft);
    }
    if (active.empty()) continue;

    const int first = static_cast<int>(result.Spans.size());
    TSpan current{active.front().left, active.front().right};
    for (const TRect& r : active) {
      if (r.left <= current.Right) {
        current.Right = std::max<int>(current.Right, r.right);
      } else {
        result.Spans.push_back(current);
        current = TSpan{r.left, r.right};
      }
    }
    result.Spans.push_back(current);
    const int count = static_cast<int>(result.Spans.size()) - first;

    if (!result.Bands.empty()) {
      TBand& previous = result.Bands.back();
      if (previous.Bottom == top && previous.Count == count &&
          std::equal(result.Spans.begin() + previous.First, result.Spans.begin() + previous.First + count,
                     result.Spans.begin() + first)) {
        previous.Bottom = bottom;
        result.Spans.resize(first);
        continue;
      }
    }
    result.Bands.push_back(TBand{top, bottom, first, count});
  }
  return result;
}

void TRectUnion::DrawThrough(TBitmap& Display, TBitmap& Image) const {
  if (FRects.empty()) return;
  const TBands bands = Sweep();
  if (!Image.Transparent()) {
    const TDibRows target = RowsOf(Display);
    const TDibRows source = RowsOf(Image);
    if (target.SameLayout(source)) {
      const int bytes = target.BitCount / 8;
      return CopySpans(target, source, bands, [bytes](std::uint8_t* to, const std::uint8_t* from, int left, int right) {
        std::memcpy(to + left * bytes, from + left * bytes, static_cast<std::size_t>(right - left) * bytes);
      });
    }
    if (target.BitCount == 32 && target.Masks == TDibRows::RgbMasks && source.Bits && source.BitCount == 24) {
      // What GDI's conversion gives: the three bytes in order and a zero fourth byte.
      return CopySpans(target, source, bands, [](std::uint8_t* to, const std::uint8_t* from, int left, int right) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(to);
        for (int x = left; x < right; ++x)
          pixels[x] = from[3 * x] | (from[3 * x + 1] << 8) | (static_cast<std::uint32_t>(from[3 * x + 2]) << 16);
      });
    }
    if (target.Bits && target.BitCount >= 16) {
      // Converting the covered part once, as a blit through the region would, leaves a plain copy.
      TRect bounds{FWidth, FHeight, 0, 0};
      for (const TBand& band : bands.Bands) {
        bounds.top = std::min(bounds.top, band.Top);
        bounds.bottom = std::max(bounds.bottom, band.Bottom);
        bounds.left = std::min(bounds.left, bands.Spans[band.First].Left);
        bounds.right = std::max(bounds.right, bands.Spans[band.First + band.Count - 1].Right);
      }
      TScratch scratch(Display.PixelFormat(), FWidth, FHeight);
      TBitmap& converted = scratch.Bitmap();
      const TDibRows plain = RowsOf(converted);
      if (target.SameLayout(plain)) {
        BitBlt(converted.Canvas()->Handle(), bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, Image.Canvas()->Handle(), bounds.left, bounds.top, SRCCOPY);
        GdiFlush();
        const int bytes = target.BitCount / 8;
        return CopySpans(target, plain, bands, [bytes](std::uint8_t* to, const std::uint8_t* from, int left, int right) {
          std::memcpy(to + left * bytes, from + left * bytes, static_cast<std::size_t>(right - left) * bytes);
        });
      }
    }
  }
  DrawClipped(Display, Image, bands);
}

template <typename TCopyRun>
void TRectUnion::CopySpans(const TDibRows& Target, const TDibRows& Source, const TBands& Bands, TCopyRun CopyRun) {
  const int width = std::min(Target.Width, Source.Width);
  const int height = std::min(Target.Height, Source.Height);
  for (const TBand& band : Bands.Bands) {
    const int bottom = std::min(band.Bottom, height);
    for (int y = band.Top; y < bottom; ++y) {
      std::uint8_t* to = Target.Row(y);
      const std::uint8_t* from = Source.Row(y);
      for (int i = band.First; i < band.First + band.Count; ++i) {
        const int left = Bands.Spans[i].Left;
        const int right = std::min(Bands.Spans[i].Right, width);
        if (left < right) CopyRun(to, from, left, right);
      }
    }
  }
}

void TRectUnion::DrawClipped(TBitmap& Display, TBitmap& Image, const TBands& Bands) {
  std::vector<RECT> rects;
  for (const TBand& band : Bands.Bands)
    for (int i = band.First; i < band.First + band.Count; ++i)
      rects.push_back(RECT{Bands.Spans[i].Left, band.Top, Bands.Spans[i].Right, band.Bottom});
  if (rects.empty()) return;
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  data->rdh.rcBound = RECT{0, 0, Display.Width(), Display.Height()};
  std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
  HRGN region = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
  if (!region) return;
  HDC target = Display.Canvas()->Handle();
  SelectClipRgn(target, region);
  DeleteObject(region);
  Display.Canvas()->Draw(0, 0, &Image);
  SelectClipRgn(target, nullptr);
}

void DrawThroughRegion(const TFrame& Frame, HRGN Region) {
  TRectUnion area(Frame.W, Frame.H);
  area.AddRegion(Region);
  area.DrawThrough(Frame.Display, Frame.Image);
}

}  // namespace transitions
