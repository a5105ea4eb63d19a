#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Canvas.h"

#include <atomic>

using namespace classlib;

namespace {

constexpr TPixelFormat kTrueColourFormats[] = {TPixelFormat::pf24bit, TPixelFormat::pf32bit};

std::unique_ptr<TBitmap> MakeBitmap(TPixelFormat format, int width, int height, TColor background) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(format);
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(background);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

// The pixel as the DIB holds it, read through ScanLine (true-colour formats).
TColor PixelOf(TBitmap& bitmap, int x, int y) {
  const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
  const int bytes = bitmap.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3;
  return TColor(RGB(row[x * bytes + 2], row[x * bytes + 1], row[x * bytes]));
}

TEST(Canvas, DrawsShapesWithItsPenAndBrushIntoBitmaps) {
  for (TPixelFormat format : kTrueColourFormats) {
    SCOPED_TRACE(int(format));
    auto bitmap = MakeBitmap(format, 40, 30, clWhite);
    TCanvas& canvas = *bitmap->Canvas();

    canvas.Pen()->SetColor(clRed);
    canvas.Brush()->SetColor(clBlue);
    canvas.Rectangle(2, 2, 10, 8);
    EXPECT_EQ(PixelOf(*bitmap, 2, 2), clRed);
    EXPECT_EQ(PixelOf(*bitmap, 9, 7), clRed);  // right and bottom edges are the last pixels inside
    EXPECT_EQ(PixelOf(*bitmap, 5, 5), clBlue);
    EXPECT_EQ(PixelOf(*bitmap, 10, 8), clWhite);

    canvas.Pen()->SetColor(clLime);
    canvas.MoveTo(0, 20);
    canvas.LineTo(30, 20);
    EXPECT_EQ(PixelOf(*bitmap, 0, 20), clLime);
    EXPECT_EQ(PixelOf(*bitmap, 29, 20), clLime);
    EXPECT_EQ(PixelOf(*bitmap, 30, 20), clWhite);
    EXPECT_EQ(canvas.PenPos().x, 30);
    EXPECT_EQ(canvas.PenPos().y, 20);

    canvas.Brush()->SetColor(clYellow);
    canvas.FillRect(Rect(12, 2, 16, 6));
    EXPECT_EQ(PixelOf(*bitmap, 12, 2), clYellow);
    EXPECT_EQ(PixelOf(*bitmap, 15, 5), clYellow);
    EXPECT_EQ(PixelOf(*bitmap, 16, 6), clWhite);

    canvas.Brush()->SetColor(clFuchsia);
    canvas.FrameRect(Rect(20, 2, 26, 8));
    EXPECT_EQ(PixelOf(*bitmap, 20, 2), clFuchsia);
    EXPECT_EQ(PixelOf(*bitmap, 25, 7), clFuchsia);
    EXPECT_EQ(PixelOf(*bitmap, 22, 4), clWhite);

    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetColor(clBlack);
    canvas.Ellipse(30, 0, 40, 10);
    EXPECT_EQ(PixelOf(*bitmap, 35, 5), clBlack);
    EXPECT_EQ(PixelOf(*bitmap, 30, 0), clWhite);

    canvas.Pen()->SetColor(clTeal);
    canvas.Brush()->SetColor(clTeal);
    canvas.Polygon({Point(0, 22), Point(8, 22), Point(0, 29)});
    EXPECT_EQ(PixelOf(*bitmap, 1, 24), clTeal);
    EXPECT_EQ(PixelOf(*bitmap, 7, 28), clWhite);

    // A clear brush leaves the inside alone.
    canvas.Pen()->SetColor(clNavy);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    canvas.Rectangle(12, 10, 20, 16);
    EXPECT_EQ(PixelOf(*bitmap, 12, 10), clNavy);
    EXPECT_EQ(PixelOf(*bitmap, 15, 13), clWhite);

    canvas.Pen()->SetColor(clMaroon);
    canvas.Polyline({Point(30, 12), Point(38, 12), Point(38, 18)});
    EXPECT_EQ(PixelOf(*bitmap, 30, 12), clMaroon);
    EXPECT_EQ(PixelOf(*bitmap, 38, 15), clMaroon);
    EXPECT_EQ(PixelOf(*bitmap, 38, 18), clWhite);  // the end point is not drawn
    EXPECT_EQ(PixelOf(*bitmap, 34, 15), clWhite);  // nor is anything filled

    canvas.Pen()->SetColor(clGreen);
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clGreen);
    canvas.RoundRect(20, 22, 30, 29, 4, 4);
    EXPECT_EQ(PixelOf(*bitmap, 25, 25), clGreen);
    EXPECT_EQ(PixelOf(*bitmap, 20, 22), clWhite);  // a rounded corner

    const TRect clip = canvas.ClipRect();
    EXPECT_EQ(clip.right - clip.left, 40);
    EXPECT_EQ(clip.bottom - clip.top, 30);

    canvas.SetPixels(39, 29, clAqua);
    EXPECT_EQ(PixelOf(*bitmap, 39, 29), clAqua);
    EXPECT_EQ(canvas.Pixels(39, 29), clAqua);
    EXPECT_EQ(canvas.Pixels(5, 5), clBlue);
  }
}

TEST(Canvas, PenModesCombineWithThePixelsBelow) {
  auto bitmap = MakeBitmap(TPixelFormat::pf24bit, 10, 3, clWhite);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Pen()->SetMode(TPenMode::pmNot);
  canvas.MoveTo(0, 1);
  canvas.LineTo(10, 1);
  EXPECT_EQ(PixelOf(*bitmap, 4, 1), clBlack);
  canvas.Pen()->SetColor(clRed);
  canvas.Pen()->SetMode(TPenMode::pmXor);
  canvas.MoveTo(0, 1);
  canvas.LineTo(10, 1);
  EXPECT_EQ(PixelOf(*bitmap, 4, 1), clRed);  // black xor red
  canvas.MoveTo(0, 1);
  canvas.LineTo(10, 1);
  EXPECT_EQ(PixelOf(*bitmap, 4, 1), clBlack);  // xor twice gives the pixel back
}

TEST(Canvas, TextStaysInsideItsExtentAndItsRectangle) {
  for (TPixelFormat format : kTrueColourFormats) {
    SCOPED_TRACE(int(format));
    auto bitmap = MakeBitmap(format, 160, 40, clWhite);
    TCanvas& canvas = *bitmap->Canvas();
    canvas.Font()->SetColor(clBlack);
    canvas.Font()->SetHeight(-16);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    const TSize extent = canvas.TextExtent("Hgx");
    ASSERT_GT(extent.cx, 10);
    ASSERT_GT(extent.cy, 10);
    EXPECT_EQ(canvas.TextHeight("Hgx"), extent.cy);
    canvas.TextOut(10, 5, "Hgx");
    EXPECT_EQ(canvas.PenPos().x, 10 + extent.cx);

    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 60; ++x) {
        if (PixelOf(*bitmap, x, y) == clWhite) continue;
        const bool within = x >= 10 && x < 10 + extent.cx && y >= 5 && y < 5 + extent.cy;
        ++(within ? inside : outside);
      }
    }
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);

    // Text is UTF-8: "é" is one glyph, narrower than the two its bytes would make as Latin-1.
    EXPECT_LT(canvas.TextWidth("\xC3\xA9"), canvas.TextWidth("\xC3\x83\xC2\xA9"));

    // TextRect fills its rectangle with a solid brush and clips the text to it.
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(clSilver);
    canvas.TextRect(Rect(80, 10, 100, 20), 80, 8, "WWWWWWWWWW");
    int text = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 60; x < 160; ++x) {
        const TColor c = PixelOf(*bitmap, x, y);
        const bool within = x >= 80 && x < 100 && y >= 10 && y < 20;
        if (!within) {
          EXPECT_EQ(c, clWhite) << x << "," << y;
        } else if (c != clSilver) {
          ++text;
        }
      }
    }
    EXPECT_GT(text, 10);
  }
}

TEST(Canvas, CopyRectScalesMirrorsAndAppliesTheCopyMode) {
  auto source = MakeBitmap(TPixelFormat::pf24bit, 4, 4, clRed);
  TCanvas& s = *source->Canvas();
  s.Brush()->SetColor(clBlue);
  s.FillRect(Rect(2, 0, 4, 2));
  s.Brush()->SetColor(clLime);
  s.FillRect(Rect(0, 2, 2, 4));
  s.Brush()->SetColor(clYellow);
  s.FillRect(Rect(2, 2, 4, 4));
  auto quadrant = [](int x, int y, int half) {
    static constexpr TColor colours[2][2] = {{clRed, clBlue}, {clLime, clYellow}};
    return colours[y / half][x / half];
  };

  for (TPixelFormat format : kTrueColourFormats) {
    SCOPED_TRACE(int(format));
    auto target = MakeBitmap(format, 8, 8, clWhite);
    target->Canvas()->CopyRect(Rect(0, 0, 8, 8), s, Rect(0, 0, 4, 4));
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) EXPECT_EQ(PixelOf(*target, x, y), quadrant(x, y, 4)) << x << "," << y;

    // A negative width mirrors the copy; it runs from the left edge's pixel leftwards.
    target->Canvas()->CopyRect(Rect(7, 0, -1, 8), s, Rect(0, 0, 4, 4));
    EXPECT_EQ(PixelOf(*target, 7, 0), clRed);
    EXPECT_EQ(PixelOf(*target, 0, 0), clBlue);

    target->Canvas()->SetCopyMode(cmNotSrcCopy);
    target->Canvas()->CopyRect(Rect(0, 0, 4, 4), s, Rect(0, 0, 4, 4));
    EXPECT_EQ(PixelOf(*target, 0, 0), clAqua);
  }
}

TEST(Canvas, DrawAndStretchDrawPlacePictures) {
  auto picture = MakeBitmap(TPixelFormat::pf24bit, 4, 4, clRed);
  picture->Canvas()->Brush()->SetColor(clYellow);
  picture->Canvas()->FillRect(Rect(2, 2, 4, 4));

  for (TPixelFormat format : kTrueColourFormats) {
    SCOPED_TRACE(int(format));
    auto target = MakeBitmap(format, 10, 10, clWhite);
    TCanvas& canvas = *target->Canvas();
    canvas.Draw(3, 3, picture.get());
    EXPECT_EQ(PixelOf(*target, 3, 3), clRed);
    EXPECT_EQ(PixelOf(*target, 6, 6), clYellow);
    EXPECT_EQ(PixelOf(*target, 2, 2), clWhite);
    EXPECT_EQ(PixelOf(*target, 7, 7), clWhite);

    canvas.StretchDraw(Rect(0, 0, 2, 2), picture.get());
    EXPECT_EQ(PixelOf(*target, 0, 0), clRed);
    EXPECT_EQ(PixelOf(*target, 1, 1), clYellow);

    canvas.Draw(0, 0, nullptr);  // nothing to draw
    TBitmap empty;
    canvas.StretchDraw(Rect(0, 0, 10, 10), &empty);
    EXPECT_EQ(PixelOf(*target, 9, 9), clWhite);
  }
}

TEST(Canvas, TransparentPicturesLeaveOutTheirTransparentColour) {
  auto glyph = MakeBitmap(TPixelFormat::pf24bit, 4, 4, clFuchsia);
  glyph->Canvas()->Brush()->SetColor(clRed);
  glyph->Canvas()->FillRect(Rect(1, 1, 3, 3));
  glyph->SetTransparent(true);
  EXPECT_EQ(glyph->TransparentColor(), clFuchsia);  // the bottom-left pixel

  auto target = MakeBitmap(TPixelFormat::pf32bit, 6, 6, clWhite);
  target->Canvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(PixelOf(*target, 1, 1), clWhite);
  EXPECT_EQ(PixelOf(*target, 2, 2), clRed);

  glyph->SetTransparentColor(clRed);
  target->Canvas()->Draw(1, 1, glyph.get());
  EXPECT_EQ(PixelOf(*target, 1, 1), clFuchsia);
  EXPECT_EQ(PixelOf(*target, 2, 2), clRed);  // left as it was
}

TEST(Canvas, GivesABorrowedDCBackAsItFoundIt) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  HBITMAP surface = CreateBitmap(16, 16, 1, 1, nullptr);
  HGDIOBJ oldSurface = SelectObject(dc, surface);
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Pen()->SetColor(clRed);
    canvas.Rectangle(0, 0, 5, 5);
    canvas.TextOut(0, 0, "x");
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font);
    // A changed pen is swapped out before its object is deleted.
    canvas.Pen()->SetWidth(2);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    canvas.LineTo(9, 9);
    canvas.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    canvas.SetHandle(dc);
    canvas.FillRect(Rect(0, 0, 2, 2));
  }  // the canvas dies holding the DC
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
  EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));  // not deleted
  SelectObject(dc, oldSurface);
  DeleteObject(surface);
  DeleteDC(dc);
}

// A canvas that fetches its DC only when drawing starts, as a control's canvas does.
class TLazyCanvas : public TCanvas {
public:
  HDC FSource = nullptr;
  int FRequests = 0;

protected:
  void CreateHandle() override {
    ++FRequests;
    SetHandle(FSource);
  }
};

TEST(Canvas, AsksForADCOnlyWhenDrawingNeedsOne) {
  TCanvas plain;
  try {
    plain.LineTo(1, 1);
    ADD_FAILURE() << "a canvas without a DC drew";
  } catch (const EInvalidGraphicOperation& e) {
    EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
  }
  EXPECT_FALSE(plain.HandleAllocated());

  HDC dc = CreateCompatibleDC(nullptr);
  TLazyCanvas lazy;
  lazy.FSource = dc;
  lazy.Pen()->SetColor(clRed);
  EXPECT_EQ(lazy.FRequests, 0);
  lazy.MoveTo(1, 1);
  lazy.LineTo(5, 5);
  EXPECT_EQ(lazy.FRequests, 1);
  EXPECT_EQ(lazy.Handle(), dc);
  lazy.SetHandle(nullptr);
  DeleteDC(dc);
}

struct TLockProbe {
  TCanvas* Canvas;
  std::atomic<bool> Entered{false};
};

DWORD WINAPI LockAndLeave(LPVOID parameter) {
  auto* probe = static_cast<TLockProbe*>(parameter);
  probe->Canvas->Lock();
  probe->Entered = true;
  probe->Canvas->Unlock();
  return 0;
}

TEST(Canvas, LockKeepsOtherThreadsOutUntilTheLastUnlock) {
  auto bitmap = MakeBitmap(TPixelFormat::pf32bit, 8, 8, clWhite);
  TCanvas& canvas = *bitmap->Canvas();
  canvas.Lock();
  canvas.Lock();
  EXPECT_EQ(canvas.LockCount(), 2);
  TLockProbe probe{&canvas};
  HANDLE thread = CreateThread(nullptr, 0, LockAndLeave, &probe, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  canvas.Unlock();
  Sleep(100);
  EXPECT_FALSE(probe.Entered);
  {
    TCanvasLock held(canvas);  // re-entered by the holder
    EXPECT_EQ(canvas.LockCount(), 2);
  }
  canvas.Unlock();
  EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  CloseHandle(thread);
  EXPECT_TRUE(probe.Entered);
  EXPECT_EQ(canvas.LockCount(), 0);
}

}  // namespace
