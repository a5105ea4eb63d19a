// The skinned hint window and its component: placement at the screen's edges, the plain and the
// skinned look, blending with the screen, one active component per main form, the delayed hint, the
// application's hint machinery given back, and the frame's object hints.
#include "tests/skin/form/FormSkinObjectsTesting.h"

#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinHint.h"

#include <cstdlib>

using namespace classlib;
using namespace skin;
using namespace formskinobjectstesting;

namespace {

constexpr COLORREF HintFrameColor = 0x208020;
constexpr COLORREF HintClientColor = 0xE0E0E0;
constexpr COLORREF HintTextColor = 0x0000FF;

const char HintSkinIni[] = R"([VERSION]
ver=2
skinname=Hints

[PICTURES]
activepicturescount=2
0=hint.bmp
1=mask.bmp

[FORMINFO]
borderwidth=0

[HINTWINDOW]
windowpictureindex=0
maskpictureindex=1
lefttoppoint=10,8
righttoppoint=50,8
leftbottompoint=10,32
rightbottompoint=50,32
clientrect=10,8,50,32
fontname=Arial
fontheight=14
fontcolor=255

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=0
)";

// A skin whose only pieces are a 60 x 40 hint picture (a frame around the client rectangle
// (10, 8, 50, 32)) and its mask.
class THintSkin {
public:
  THintSkin() {
    testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), HintSkinIni);
    auto picture = Picture(60, 40, HintFrameColor);
    picture->Canvas()->Brush()->SetColor(static_cast<TColor>(HintClientColor));
    picture->Canvas()->FillRect(Rect(10, 8, 50, 32));
    picture->SaveToFile(FDir.windowsFile("hint.bmp"));
    // The mask cuts a 4 x 4 square off the top-left corner.
    auto mask = Picture(60, 40, 0x000000);
    mask->Canvas()->Brush()->SetColor(static_cast<TColor>(0xFFFFFF));
    mask->Canvas()->FillRect(Rect(0, 0, 4, 4));
    mask->SaveToFile(FDir.windowsFile("mask.bmp"));
    windowtesting::InitApplication();
    FSkin = std::make_unique<TskSkinData>(nullptr);
    FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  }
  TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<TskSkinData> FSkin;
};

// The application's main form (a hint component serves only from there), freed at the end.
class SkinHintTest : public ::testing::Test {
protected:
  void SetUp() override {
    windowtesting::InitApplication();
    ASSERT_EQ(Application->MainForm(), nullptr);
    TForm* form = nullptr;
    Application->CreateForm(form);
    Main.reset(form);
    ASSERT_EQ(Application->MainForm(), form);
    Hint = new TskSkinHint(form);  // owned by the form
    Application->SetHintPause(40);
    Application->SetHintHidePause(5000);
  }
  void TearDown() override {
    Main.reset();
    EXPECT_EQ(Application->MainForm(), nullptr);
  }

  TskSkinHintWindow& Window() { return Hint->OwnHintWindow(); }
  RECT Bounds() {
    RECT r;
    GetWindowRect(Window().Handle(), &r);
    return r;
  }
  // Shows Text at Point and lets it paint.
  void Show(POINT Point, const char* Text) {
    Hint->ActivateHint(Point, Text);
    windowtesting::PumpFor(50);
  }

  std::unique_ptr<TForm> Main;
  TskSkinHint* Hint = nullptr;
};

bool Near(COLORREF A, COLORREF B, int Tolerance) {
  return std::abs(GetRValue(A) - GetRValue(B)) <= Tolerance && std::abs(GetGValue(A) - GetGValue(B)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(B)) <= Tolerance;
}

}  // namespace

TEST_F(SkinHintTest, HintStaysOnTheScreenByMovingToTheOtherSideOfItsPoint) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  Show(POINT{100, 100}, "Edge hint");
  const RECT first = Bounds();
  const int w = first.right - first.left, h = first.bottom - first.top;
  EXPECT_EQ(first.left, 100);
  EXPECT_EQ(first.top, 100);
  struct Case {
    POINT At;
    int Left, Top;
  } cases[] = {
      {{sw - 5, 100}, sw - 5 - w - 2, 100},
      {{100, sh - 5}, 100, sh - 5 - h - 2},
      {{sw - 5, sh - 5}, sw - 5 - w - 2, sh - 5 - h - 2},
      {{sw - w, sh - h}, sw - w, sh - h},
  };
  for (const auto& c : cases) {
    Show(c.At, "Edge hint");
    const RECT r = Bounds();
    EXPECT_EQ(r.left, c.Left) << c.At.x << "," << c.At.y;
    EXPECT_EQ(r.top, c.Top) << c.At.x << "," << c.At.y;
  }
  Hint->HideHint();
  EXPECT_FALSE(Hint->IsVisible());
  EXPECT_FALSE(IsWindowVisible(Window().Handle()));
}

TEST_F(SkinHintTest, PlainLookWithoutASkin) {
  Show(POINT{200, 200}, "Plain");
  ASSERT_TRUE(Hint->IsVisible());
  const HWND window = Window().Handle();
  EXPECT_EQ(FramePixel(window, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(FramePixel(window, 1, 1), ColorToRGB(clInfoBk));
  // A skin without a hint picture keeps the plain look.
  TObjectSkin noHintPicture;
  Hint->SetSkinData(&noHintPicture.Skin());
  Show(POINT{200, 200}, "Plain");
  EXPECT_EQ(Window().HintSkin, nullptr);
  EXPECT_EQ(FramePixel(window, 1, 1), ColorToRGB(clInfoBk));
}

TEST_F(SkinHintTest, ShortTextGetsThePicturesSizeAndIsCentredInItsClientRectangle) {
  THintSkin skin;
  ASSERT_FALSE(skin.Skin().Empty);
  ASSERT_EQ(skin.Skin().ActivePictures.size(), 2u);
  ASSERT_EQ(skin.Skin().HintWindow->WindowPictureIndex, 0);
  Hint->SetSkinData(&skin.Skin());
  Show(POINT{200, 200}, "i");
  ASSERT_EQ(Window().HintSkin, &skin.Skin());
  const RECT r = Bounds();
  EXPECT_EQ(r.right - r.left, 60);
  EXPECT_EQ(r.bottom - r.top, 40);
  const HWND window = Window().Handle();
  EXPECT_EQ(FramePixel(window, 6, 6), HintFrameColor);
  EXPECT_EQ(FramePixel(window, 12, 10), HintClientColor);
  // The window takes the mask's shape.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(window, region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 5, 1));
  EXPECT_TRUE(PtInRegion(region, 30, 20));
  DeleteObject(region);
  // The text's pixels lie around the client rectangle's centre (30, 20).
  int left = 60, right = -1, top = 40, bottom = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (Near(FramePixel(window, x, y), HintTextColor, 60)) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(right, left);
  EXPECT_NEAR((left + right) / 2.0, 30, 3);
  EXPECT_NEAR((top + bottom) / 2.0, 20, 4);

  // A long text grows the picture: the client rectangle grows with it.
  Show(POINT{200, 200}, "A much longer hint text");
  EXPECT_GT(Bounds().right - Bounds().left, 60);
  EXPECT_EQ(Window().HintClientRect.right - Window().HintClientRect.left, Bounds().right - Bounds().left - 20);
}

TEST_F(SkinHintTest, EmulatedBlendingMixesInTheScreenBelow) {
  auto below = windowtesting::ReadForm(
      "object TestForm: TForm\n  Left = 300\n  Top = 300\n  Width = 300\n  Height = 200\n  Color = clBlue\n"
      "  BorderStyle = bsNone\nend\n");
  below->Show();
  windowtesting::PumpFor(100);
  Hint->SetAlphaBlendSupport(false);
  Hint->SetAlphaBlend(true);
  Show(POINT{350, 350}, "Blended");
  const COLORREF info = ColorToRGB(clInfoBk);
  const double k = 1 - 200 / 255.0;
  const COLORREF expected = RGB(GetRValue(info) * (1 - k), GetGValue(info) * (1 - k), GetBValue(info) * (1 - k) + 255 * k);
  EXPECT_TRUE(Near(FramePixel(Window().Handle(), 1, 1), expected, 3))
      << std::hex << FramePixel(Window().Handle(), 1, 1) << " " << expected;
  Hint->HideHint();
}

TEST_F(SkinHintTest, OneActiveComponentOnTheMainForm) {
  EXPECT_EQ(FindHintComponent(), Hint);
  auto* second = new TskSkinHint(Main.get());  // owned by the form
  second->SetActive(true);
  EXPECT_FALSE(Hint->Active());
  EXPECT_EQ(FindHintComponent(), second);
  // Without an active component the hint windows show nothing.
  second->SetActive(false);
  Hint->ActivateHint(Point(100, 100), "Nothing");
  EXPECT_FALSE(IsWindowVisible(Hint->OwnHintWindow().Handle()));
}

TEST_F(SkinHintTest, DelayedHintShowsOnlyTheLastTextAfterThePause) {
  Hint->ActivateHint2("first");
  Hint->ActivateHint2("second");
  EXPECT_FALSE(Hint->IsVisible());
  windowtesting::PumpFor(150);
  ASSERT_TRUE(Hint->IsVisible());
  EXPECT_EQ(Window().Caption(), "second");
  // Below the cursor by the cursor's height margin, which the cursor's picture gives.
  EXPECT_GT(TskSkinHint::GetCursorHeightMargin(), 0);
  EXPECT_LE(TskSkinHint::GetCursorHeightMargin(), GetSystemMetrics(SM_CYCURSOR));
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_GE(Bounds().top, cursor.y - 40);
  Hint->HideHint();
  windowtesting::PumpFor(150);
  EXPECT_FALSE(Hint->IsVisible());
  // Shown, then hidden after the hide pause.
  Application->SetHintHidePause(60);
  Hint->ActivateHint2("third");
  windowtesting::PumpFor(80);
  EXPECT_TRUE(Hint->IsVisible());
  windowtesting::PumpFor(150);
  EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(SkinHintTest, FreedComponentsGiveTheApplicationsHintMachineryBack) {
  // The component of the fixture goes first, so that the state before any component shows.
  Main.reset();
  TForm* form = nullptr;
  Application->CreateForm(form);
  Main.reset(form);
  int plainCalls = 0;
  Application->OnShowHint = [&](String&, bool&, THintInfo&) { ++plainCalls; };
  Application->SetShowHint(true);
  EXPECT_EQ(dynamic_cast<TskSkinHintWindow*>(Application->HintWindow()), nullptr);

  int skinnedCalls = 0;
  auto* first = new TskSkinHint(form);
  first->OnShowHint = [&](String&, bool&, THintInfo&) { ++skinnedCalls; };
  auto* second = new TskSkinHint(form);
  EXPECT_NE(dynamic_cast<TskSkinHintWindow*>(Application->HintWindow()), nullptr);
  EXPECT_EQ(Application->HintShortPause(), 100);
  String text;
  bool canShow = true;
  THintInfo info;
  delete first;  // not the last installed: the second keeps serving
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(skinnedCalls, 0);
  EXPECT_EQ(plainCalls, 0);
  delete second;
  EXPECT_EQ(dynamic_cast<TskSkinHintWindow*>(Application->HintWindow()), nullptr);
  Application->OnShowHint(text, canShow, info);
  EXPECT_EQ(plainCalls, 1);
  Application->OnShowHint = nullptr;
  Application->SetShowHint(false);
}

TEST_F(SkinHintTest, FrameShowsTheHintOfTheObjectUnderThePointer) {
  TObjectSkin skin;
  TSkinnedForm skinned(200, 120, "Hints", false);
  TskFormSkin& frame = *skinned.FormSkin;
  frame.AlwaysActive = true;
  frame.SetShowObjectHint(true);
  frame.SetSkinHint(Hint);
  frame.SetSkinData(&skin.Skin());
  // The objects are driven here, not by the real pointer.
  frame.PointerTimer->SetEnabled(false);
  for (const auto& object : frame.FrameObjects) object->ObjectRect = object->SkinRect;
  frame.TestActive(188, 12, true);  // the close button
  windowtesting::PumpFor(150);
  ASSERT_TRUE(Hint->IsVisible());
  EXPECT_EQ(Window().Caption(), "Close");
  frame.TestActive(100, 60, true);  // the client area: no object
  EXPECT_FALSE(Hint->IsVisible());
  // A freed hint component is let go.
  delete Hint;
  Hint = nullptr;
  EXPECT_EQ(frame.SkinHint(), nullptr);
  frame.TestActive(188, 12, true);
}
