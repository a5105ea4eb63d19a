#include "tests/support/testing.h"

#include "skin/data/Skutils.h"
#include "tests/classlib/WindowTesting.h"
#include "tests/skin/data/SkutilsTesting.h"

#include "platform/classlib/Forms.h"

#include <set>
#include <utility>

using namespace classlib;
using namespace skin;
using skintesting::PixelAt;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kInk = RGB(0, 0, 128);

// A white canvas of the given size to draw on, in the default font (Arial, as Liberation Sans).
class DrawTarget {
public:
  DrawTarget(int Width, int Height) { skintesting::Fill(FBitmap, Width, Height, kWhite); }
  TCanvas& Canvas() { return *FBitmap.Canvas(); }
  TBitmap& Bitmap() { return FBitmap; }
  // Every pixel of another colour than white, as (x, y) pairs.
  std::set<std::pair<int, int>> Inked() {
    std::set<std::pair<int, int>> inked;
    for (int y = 0; y < FBitmap.Height(); ++y)
      for (int x = 0; x < FBitmap.Width(); ++x)
        if (PixelAt(FBitmap, x, y) != kWhite) inked.insert({x, y});
    return inked;
  }

private:
  TBitmap FBitmap;
};

std::set<std::pair<int, int>> Row(int Y, int From, int To) {
  std::set<std::pair<int, int>> row;
  for (int x = From; x <= To; ++x) row.insert({x, Y});
  return row;
}

std::set<std::pair<int, int>> Column(int X, int From, int To) {
  std::set<std::pair<int, int>> column;
  for (int y = From; y <= To; ++y) column.insert({X, y});
  return column;
}

std::set<std::pair<int, int>> Join(std::initializer_list<std::set<std::pair<int, int>>> Parts) {
  std::set<std::pair<int, int>> all;
  for (const auto& part : Parts) all.insert(part.begin(), part.end());
  return all;
}

TEST(SkinText, CorrectTextbyWidthShortensWithAnEllipsis) {
  DrawTarget target(10, 10);
  TCanvas& canvas = target.Canvas();
  String fits = "Fits";
  CorrectTextbyWidth(canvas, fits, canvas.TextWidth("Fits"));
  EXPECT_EQ(fits, "Fits");

  const int threeAndDots = canvas.TextWidth("ABC...");
  String eight = "ABCDEFGH";
  CorrectTextbyWidth(canvas, eight, threeAndDots);
  EXPECT_EQ(eight, "ABC...");

  String nothing = "ABCDEFGH";
  CorrectTextbyWidth(canvas, nothing, 0);
  EXPECT_EQ(nothing, "...");

  // Letters of two bytes go whole.
  String umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\xA4\xC3\xB6\xC3\xBC";
  CorrectTextbyWidth(canvas, umlauts, canvas.TextWidth("\xC3\xA4\xC3\xB6..."));
  EXPECT_EQ(umlauts, "\xC3\xA4\xC3\xB6...");
}

TEST(SkinText, DrawText2PlacesTheTextBesideTheLeftEdgeAndCentresIt) {
  DrawTarget drawn(130, 40), reference(130, 40);
  for (DrawTarget* target : {&drawn, &reference}) target->Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
  // The default font's text is 12 or 13 pixels high: either way it starts at 20 - 6.
  const int textHeight = drawn.Canvas().TextHeight("Hg");
  ASSERT_TRUE(textHeight == 12 || textHeight == 13) << textHeight;
  SKDrawText2(drawn.Canvas(), "Hg", TRect{10, 10, 110, 30});
  reference.Canvas().TextOut(12, 14, "Hg");
  EXPECT_FALSE(drawn.Inked().empty());
  EXPECT_EQ(drawn.Inked(), reference.Inked());

  DrawTarget shifted(130, 40), shiftedReference(130, 40);
  shifted.Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
  shiftedReference.Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText3(shifted.Canvas(), "Hg", TRect{10, 10, 110, 30}, 5);
  shiftedReference.Canvas().TextOut(17, 14, "Hg");
  EXPECT_EQ(shifted.Inked(), shiftedReference.Inked());

  // SKDrawText: one line, vertically centred, clipped to R.
  DrawTarget single(130, 40);
  single.Canvas().Brush()->SetStyle(TBrushStyle::bsClear);
  SKDrawText(single.Canvas(), "Hg", TRect{10, 10, 110, 30});
  ASSERT_FALSE(single.Inked().empty());
  for (const auto& [x, y] : single.Inked()) {
    EXPECT_GE(x, 10);
    EXPECT_GE(y, 10);
    EXPECT_LT(y, 30);
  }
}

TEST(SkinGlyphs, ArrowsFramesAndRollUpTriangles) {
  {
    DrawTarget target(11, 11);
    DrawArrowImage(target.Canvas(), TRect{0, 0, 11, 11}, static_cast<TColor>(kInk), 4);
    EXPECT_EQ(target.Inked(), Join({Row(4, 2, 8), Row(5, 3, 7), Row(6, 4, 6), Row(7, 5, 5)}));
    EXPECT_EQ(PixelAt(target.Bitmap(), 5, 4), kInk);
  }
  {
    DrawTarget target(11, 11);
    DrawArrowImage(target.Canvas(), TRect{0, 0, 11, 11}, static_cast<TColor>(kInk), 7);
    EXPECT_TRUE(target.Inked().empty());
  }
  {
    DrawTarget target(10, 10);
    Frm3D(target.Canvas(), TRect{0, 0, 10, 10}, static_cast<TColor>(RGB(255, 0, 0)), static_cast<TColor>(RGB(0, 0, 255)));
    for (int y = 0; y <= 9; ++y) EXPECT_EQ(PixelAt(target.Bitmap(), 0, y), y == 9 ? RGB(0, 0, 255) : RGB(255, 0, 0)) << y;
    for (int x = 0; x <= 8; ++x) EXPECT_EQ(PixelAt(target.Bitmap(), x, 0), RGB(255, 0, 0)) << x;
    for (int y = 0; y <= 8; ++y) EXPECT_EQ(PixelAt(target.Bitmap(), 9, y), RGB(0, 0, 255)) << y;
    for (int x = 0; x <= 9; ++x) EXPECT_EQ(PixelAt(target.Bitmap(), x, 9), RGB(0, 0, 255)) << x;
    EXPECT_EQ(target.Inked().size(), 36u);
  }
  {
    DrawTarget target(12, 12);
    DrawRestoreRollUpImage(target.Canvas(), 1, 0, static_cast<TColor>(kInk));
    EXPECT_EQ(target.Inked(), Join({Row(2, 2, 9), Row(3, 3, 8), Row(4, 4, 7), Row(5, 5, 6)}));
  }
  {
    DrawTarget target(12, 12);
    DrawRollUpImage(target.Canvas(), 1, 0, static_cast<TColor>(kInk));
    EXPECT_EQ(target.Inked(), Join({Row(3, 5, 6), Row(4, 4, 7), Row(5, 3, 8), Row(6, 2, 9)}));
  }
  {
    DrawTarget target(14, 14);
    DrawMaximizeImage(target.Canvas(), 1, 1, static_cast<TColor>(kInk));
    EXPECT_EQ(target.Inked(), Join({Row(1, 1, 11), Row(2, 1, 11), Row(10, 1, 11), Column(1, 1, 10), Column(11, 1, 10)}));
  }
  {
    DrawTarget target(12, 12);
    DrawMTImage(target.Canvas(), 0, 0, static_cast<TColor>(kInk));
    EXPECT_EQ(target.Inked(), Join({Row(2, 2, 6), Row(3, 2, 6), Row(4, 2, 6), Row(5, 2, 6), Row(6, 2, 6)}));
    EXPECT_EQ(PixelAt(target.Bitmap(), 4, 4), kInk);
  }
  {
    DrawTarget target(14, 14);
    DrawTrackArrowImage(target.Canvas(), TRect{0, 0, 10, 10}, static_cast<TColor>(kInk));
    EXPECT_EQ(target.Inked(), Join({Row(5, 3, 7), Row(6, 4, 6), Row(7, 5, 5)}));
  }
}

TEST(SkinGlyphs, EveryDefaultGlyphStaysInItsBox) {
  const struct {
    const char* name;
    void (*draw)(TCanvas&, int, int, TColor);
    int width, height;
  } glyphs[] = {{"radio", DrawRadioImage, 6, 6},        {"check", DrawCheckImage, 7, 8},
                {"close", DrawCloseImage, 10, 9},       {"sysmenu", DrawSysMenuImage, 9, 6},
                {"minimize", DrawMinimizeImage, 9, 10}, {"restore", DrawRestoreImage, 10, 10}};
  for (const auto& glyph : glyphs) {
    DrawTarget target(30, 30);
    glyph.draw(target.Canvas(), 10, 10, static_cast<TColor>(kInk));
    const auto inked = target.Inked();
    EXPECT_FALSE(inked.empty()) << glyph.name;
    for (const auto& [x, y] : inked) {
      EXPECT_TRUE(x >= 10 && x < 10 + glyph.width && y >= 10 && y < 10 + glyph.height) << glyph.name << " " << x << "," << y;
    }
  }
  DrawTarget centred(30, 30);
  DrawRCloseImage(centred.Canvas(), TRect{0, 0, 30, 30}, static_cast<TColor>(kInk));
  EXPECT_EQ(PixelAt(centred.Bitmap(), 11, 11), kInk);  // the close cross at 10, 10
}

TEST(SkinPictures, IsJpegFileIsCaseSensitive) {
  const struct {
    const char* name;
    bool jpeg;
  } rows[] = {{"photo.jpg", true},  {"photo.JPG", false}, {"a.jpeg.bmp", true}, {"b.jpe", false},
              {"skin.bmp", false},  {".jpg", true},       {"x.Jpeg", false},    {"", false}};
  for (const auto& row : rows) EXPECT_EQ(IsJpegFile(row.name), row.jpeg) << row.name;
}

// A 24 x 16 picture, left half red, right half blue, encoded as JPEG.
void MakeJpeg(TMemoryStream& Stream) {
  TBitmap picture;
  skintesting::MakePicture(picture, 24, 16, [](int x, int) { return x < 12 ? RGB(220, 0, 0) : RGB(0, 0, 220); });
  TJPEGImage jpeg;
  jpeg.Assign(picture);
  jpeg.SaveToStream(Stream);
  Stream.SetPosition(0);
}

bool Near(COLORREF A, COLORREF B) {
  return std::abs(GetRValue(A) - GetRValue(B)) < 40 && std::abs(GetGValue(A) - GetGValue(B)) < 40 &&
         std::abs(GetBValue(A) - GetBValue(B)) < 40;
}

TEST(SkinPictures, JpegPicturesLoadIntoBitmapsAndBadDataLeavesThemAlone) {
  TMemoryStream stream;
  MakeJpeg(stream);
  TBitmap bitmap;
  LoadFromJpegStream(bitmap, stream);
  ASSERT_EQ(bitmap.Width(), 24);
  ASSERT_EQ(bitmap.Height(), 16);
  EXPECT_TRUE(Near(PixelAt(bitmap, 3, 8), RGB(220, 0, 0)));
  EXPECT_TRUE(Near(PixelAt(bitmap, 20, 8), RGB(0, 0, 220)));

  testing_support::TempDir dir;
  stream.SaveToFile(dir.windowsFile("skin.jpg"));
  TBitmap fromFile;
  LoadFromJpegFile(fromFile, dir.windowsFile("skin.jpg"));
  EXPECT_EQ(fromFile.Width(), 24);
  EXPECT_TRUE(Near(PixelAt(fromFile, 20, 2), RGB(0, 0, 220)));

  // Truncated and foreign data raise, and the bitmap keeps its picture.
  const std::int64_t size = stream.Size();
  for (const std::int64_t keep : {std::int64_t{0}, std::int64_t{2}, size / 3}) {
    TMemoryStream bad;
    bad.Write(stream.Memory(), static_cast<int>(keep));
    bad.SetPosition(0);
    EXPECT_THROW(LoadFromJpegStream(bitmap, bad), EInvalidGraphic) << keep;
    EXPECT_EQ(bitmap.Width(), 24);
    EXPECT_TRUE(Near(PixelAt(bitmap, 3, 8), RGB(220, 0, 0)));
  }
  TMemoryStream foreign;
  foreign.Write("BM not a jpeg at all", 20);
  foreign.SetPosition(0);
  EXPECT_THROW(LoadFromJpegStream(bitmap, foreign), EInvalidGraphic);
  EXPECT_THROW(LoadFromJpegFile(bitmap, dir.windowsFile("missing.jpg")), Exception);
  EXPECT_EQ(bitmap.Width(), 24);
}

// --- Live controls ---------------------------------------------------------------------------------

// A windowless control filling itself with one colour, noting the paint-copy states it saw.
class TColorBlock : public TGraphicControl {
public:
  TColorBlock(TWinControl* Parent, COLORREF Color, const TRect& Bounds) : TGraphicControl(nullptr), FFill(Color) {
    SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    SetParent(Parent);
  }
  bool SawOwnCopyState = false;
  bool SawParentCopyState = false;
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    SawOwnCopyState = ControlState().Contains(TControlStateItem::csPaintCopy);
    SawParentCopyState = Parent()->ControlState().Contains(TControlStateItem::csPaintCopy);
    Canvas().Brush()->SetColor(static_cast<TColor>(FFill));
    Canvas().FillRect(ClientRect());
  }

private:
  COLORREF FFill;
};

// A windowed control filling itself with one colour.
class TColorPanel : public TCustomControl {
public:
  TColorPanel(TWinControl* Parent, COLORREF Color, const TRect& Bounds) : TCustomControl(nullptr), FFill(Color) {
    SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    SetParent(Parent);
  }

protected:
  void Paint() override {
    Canvas().Brush()->SetColor(static_cast<TColor>(FFill));
    Canvas().FillRect(ClientRect());
  }

private:
  COLORREF FFill;
};

// A windowless control that paints what lies behind it: its parent paints it while it captures.
class TSeeThrough : public TGraphicControl {
public:
  TSeeThrough(TWinControl* Parent, const TRect& Bounds) : TGraphicControl(nullptr) {
    SetBounds(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    SetParent(Parent);
  }
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TBitmap behind;
    behind.SetSize(Width(), Height());
    GetParentImage(this, *behind.Canvas());
    Canvas().Draw(0, 0, &behind);
  }
};

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

TEST(SkinCapture, ParentImageShowsTheParentAndTheSiblingsBelow) {
  windowtesting::InitApplication();
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 150);
  form.SetColor(static_cast<TColor>(kRed));
  TColorBlock below(&form, kBlue, TRect{10, 10, 40, 40});
  TColorPanel panel(&form, kGreen, TRect{30, 30, 60, 60});
  TColorPanel inner(&panel, kYellow, TRect{15, 15, 22, 22});  // a custom child of the custom sibling
  TColorBlock control(&form, RGB(1, 1, 1), TRect{20, 20, 50, 50});
  TColorBlock above(&form, RGB(9, 9, 9), TRect{20, 20, 30, 30});
  form.HandleNeeded();
  panel.HandleNeeded();
  inner.HandleNeeded();

  DrawTarget target(30, 30);
  GetParentImage(&control, target.Canvas());
  EXPECT_EQ(PixelAt(target.Bitmap(), 0, 0), kBlue);       // (20, 20): above is not painted
  EXPECT_EQ(PixelAt(target.Bitmap(), 15, 15), kGreen);    // (35, 35): the panel covers the block
  EXPECT_EQ(PixelAt(target.Bitmap(), 22, 22), kGreen);
  EXPECT_EQ(PixelAt(target.Bitmap(), 0, 25), kRed);       // (20, 45): the form
  EXPECT_EQ(PixelAt(target.Bitmap(), 29, 5), kRed);
  EXPECT_EQ(PixelAt(target.Bitmap(), 27, 27), kYellow);   // (47, 47): the panel's own child
  EXPECT_EQ(above.Paints, 0);

  TColorBlock orphan(nullptr, kBlue, TRect{0, 0, 10, 10});
  DrawTarget untouched(10, 10);
  GetParentImage(&orphan, untouched.Canvas());
  GetParentImage2(&orphan, untouched.Canvas());
  GetParentImage(nullptr, untouched.Canvas());
  EXPECT_TRUE(untouched.Inked().empty());
}

TEST(SkinCapture, ParentImage2PaintsTheParentAsACopyWithOnlyWindowlessSiblings) {
  windowtesting::InitApplication();
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 150);
  TColorPanel parent(&form, kRed, TRect{0, 0, 100, 100});
  TColorBlock below(&parent, kBlue, TRect{10, 10, 40, 40});
  TColorPanel panel(&parent, kGreen, TRect{30, 30, 60, 60});
  TColorBlock control(&parent, RGB(1, 1, 1), TRect{20, 20, 50, 50});
  form.HandleNeeded();
  parent.HandleNeeded();
  panel.HandleNeeded();

  DrawTarget target(30, 30);
  GetParentImage2(&control, target.Canvas());
  EXPECT_EQ(PixelAt(target.Bitmap(), 0, 0), kBlue);
  EXPECT_EQ(PixelAt(target.Bitmap(), 15, 15), kBlue);  // the windowed sibling is left out
  EXPECT_EQ(PixelAt(target.Bitmap(), 25, 25), kRed);
  EXPECT_TRUE(below.SawOwnCopyState);
  EXPECT_TRUE(below.SawParentCopyState);
  EXPECT_FALSE(parent.ControlState().Contains(TControlStateItem::csPaintCopy));
  EXPECT_FALSE(below.ControlState().Contains(TControlStateItem::csPaintCopy));
}

TEST(SkinCapture, AControlCapturingItselfWhileItsParentPaintsItStops) {
  windowtesting::InitApplication();
  TForm form(nullptr);
  form.SetBounds(0, 0, 100, 100);
  form.SetColor(static_cast<TColor>(kGreen));
  TSeeThrough control(&form, TRect{10, 10, 40, 40});
  form.HandleNeeded();
  DrawTarget target(30, 30);
  GetParentImage(&control, target.Canvas());
  EXPECT_EQ(PixelAt(target.Bitmap(), 5, 5), kGreen);
  EXPECT_LE(control.Paints, 1);
}

TEST(SkinWindows, AlphaBlendTransparentSetsTheLayeredWindowsOpacity) {
  const HWND window = CreateWindowExA(WS_EX_LAYERED, "STATIC", "layered", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  SetAlphaBlendTransparent(window, 128);
  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_EQ(key, 0u);
  DestroyWindow(window);
}

TEST(SkinCapture, ScreenImageCopiesTheScreenAreaAtTheBitmapsSize) {
  WNDCLASSA blueClass{};
  blueClass.lpfnWndProc = DefWindowProcA;
  blueClass.hInstance = GetModuleHandleA(nullptr);
  blueClass.hbrBackground = CreateSolidBrush(kBlue);
  blueClass.lpszClassName = "SkutilsBlueWindow";
  RegisterClassA(&blueClass);
  const HWND window = CreateWindowExA(WS_EX_TOPMOST, "SkutilsBlueWindow", "", WS_POPUP | WS_VISIBLE, 1180, 930, 60, 50,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  windowtesting::PumpFor(300);
  TBitmap shot;
  skintesting::Fill(shot, 20, 10, kWhite);
  // Away from the corner where the other test programs on the shared display put their windows.
  GetScreenImage(1190, 940, shot);
  EXPECT_EQ(PixelAt(shot, 0, 0), kBlue);
  EXPECT_EQ(PixelAt(shot, 19, 9), kBlue);
  DestroyWindow(window);
  UnregisterClassA("SkutilsBlueWindow", GetModuleHandleA(nullptr));
  DeleteObject(blueClass.hbrBackground);
}

}  // namespace
