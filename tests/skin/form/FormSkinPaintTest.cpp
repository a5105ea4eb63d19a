#include "tests/skin/form/FormSkinObjectsTesting.h"

#include "skin/data/Skutils.h"
#include "skin/form/FormSkinObjects.h"

using namespace classlib;
using namespace skin;
using namespace formskinobjectstesting;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);

// The columns of the window's caption row that show red, the colour the tests give caption texts.
void RedColumns(HWND Window, int Top, int Bottom, int Width, int& First, int& Last) {
  First = Width, Last = -1;
  for (int y = Top; y < Bottom; ++y)
    for (int x = 0; x < Width; ++x)
      if (FramePixel(Window, x, y) == Red) First = std::min(First, x), Last = std::max(Last, x);
}

bool Grey(COLORREF C) { return GetRValue(C) == GetGValue(C) && GetGValue(C) == GetBValue(C); }

class DefaultFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    F.AlwaysActive = true;
    F.DefCaptionFont().SetColor(static_cast<TColor>(Red));
    RECT r;
    GetWindowRect(Window(), &r);
    ASSERT_EQ(r.right - r.left, 300);
    ASSERT_EQ(r.bottom - r.top, 200);
  }
  HWND Window() { return Plain.Form->Handle(); }
  COLORREF At(int X, int Y) { return FramePixel(Window(), X, Y); }
  TskSkinStdButtonObject& Button(int Index) {
    return dynamic_cast<TskSkinStdButtonObject&>(*F.FrameObjects.at(static_cast<size_t>(Index)));
  }

  TSkinnedForm Plain{300, 200, ""};
  TskFormSkin& F = *Plain.FormSkin;
};

}  // namespace

TEST_F(DefaultFrameTest, ThreeFramesGripLinesAndButtons) {
  F.PaintNCDefault();
  ASSERT_EQ(F.FrameObjects.size(), 6u);
  const struct {
    int X, Y;
    TColor Colour;
  } pixels[] = {{0, 0, cl3DLight},       {299, 100, cl3DDkShadow}, {150, 199, cl3DDkShadow},
                {1, 1, clBtnHighlight},  {298, 100, clBtnShadow},  {2, 2, clBtnFace},
                {297, 197, clBtnFace}};
  for (const auto& p : pixels) EXPECT_EQ(At(p.X, p.Y), ColorToRGB(p.Colour)) << p.X << "," << p.Y;
  // An empty caption leaves the grip lines alone: light and dark rows from the caption's left.
  const int x = F.DefCaptionRect.left + 4;
  EXPECT_EQ(At(x, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(x, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(x, 7), ColorToRGB(clBtnHighlight));
  // The close button at the right end of the caption: flat, then framed while the pointer is in.
  auto& close = Button(0);
  EXPECT_TRUE(EqRects(close.ObjectRect, Rect(280, 4, 297, 21)));
  EXPECT_EQ(At(281, 5), ColorToRGB(clBtnFace));
  close.Hovered = true;
  F.PaintNCDefault();
  EXPECT_EQ(At(280, 4), RGB(0, 0, 128));
  EXPECT_EQ(At(282, 6), RGB(182, 189, 210));
}

TEST_F(DefaultFrameTest, LongCaptionIsCutBeforeTheButtons) {
  Plain.Form->SetCaption(String(80, 'W'));
  F.PaintNCDefault();
  int first = 0, last = 0;
  RedColumns(Window(), 3, 22, 300, first, last);
  ASSERT_GE(last, 0);
  int buttons = 300;
  for (const auto& object : F.FrameObjects)
    if (object->Visible && object->ObjectRect.left > 150) buttons = std::min<int>(buttons, object->ObjectRect.left);
  EXPECT_LT(last, buttons);
  EXPECT_GE(first, F.DefCaptionRect.left - 3);
  // The cut text ends with three dots: the last red columns, as wide as "...", form three runs.
  auto sheet = Picture(10, 10, 0xFFFFFF);
  sheet->Canvas()->SetFont(F.DefCaptionFont());
  const int dots = sheet->Canvas()->TextWidth("...");
  int runs = 0;
  bool inRun = false;
  for (int x = last; x > last - dots + 1; --x) {
    bool red = false;
    for (int y = 3; y < 22; ++y) red = red || At(x, y) == Red;
    if (red && !inRun) ++runs;
    inRun = red;
  }
  EXPECT_EQ(runs, 3);
}

TEST_F(DefaultFrameTest, ShortCaptionIsCentredInTheCaptionRect) {
  Plain.Form->SetCaption("Tavrel");
  F.PaintNCDefault();
  int first = 0, last = 0;
  RedColumns(Window(), 3, 22, 300, first, last);
  ASSERT_GE(last, 0);
  const int centre = (F.DefCaptionRect.left + F.DefCaptionRect.right) / 2;
  EXPECT_NEAR((first + last) / 2, centre, 4);
}

namespace {

class SkinnedFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    F.AlwaysActive = true;
    F.SetSkinData(&Skin.Skin());
    windowtesting::Pump();
    RECT r;
    GetWindowRect(Window(), &r);
    ASSERT_EQ(r.right - r.left, 200);
    ASSERT_EQ(r.bottom - r.top, 120);
  }
  HWND Window() { return Skinned.Form->Handle(); }
  COLORREF At(int X, int Y) { return FramePixel(Window(), X, Y); }
  TskActiveSkinObject& Object(const char* Name) { return *F.FrameObjects.at(static_cast<size_t>(F.GetIndex(Name))); }
  void MakeInactive() {
    F.AlwaysActive = false;
    Other = std::make_unique<TSkinnedForm>(100, 100, "Other");
    SetForegroundWindow(Other->Form->Handle());
    windowtesting::Pump();
    ASSERT_FALSE(F.GetFormActive());
  }

  TObjectSkin Skin;
  TSkinnedForm Skinned{200, 120, "Frame"};
  TskFormSkin& F = *Skinned.FormSkin;
  std::unique_ptr<TSkinnedForm> Other;
};

}  // namespace

TEST_F(SkinnedFrameTest, BorderPiecesAndObjects) {
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), FrameColor);
  EXPECT_EQ(At(8, 6), CapLeftColor);
  EXPECT_EQ(At(130, 6), CapRightColor);
  EXPECT_EQ(At(185, 8), NormalColor);
  EXPECT_EQ(At(2, 60), FrameColor);
  EXPECT_EQ(At(197, 60), FrameColor);
  EXPECT_EQ(At(15, 100), NormalColor);
  // Objects are drawn into the pieces in their present looks, above and below the client area.
  Object("closebutton").Active = true;
  auto& a = dynamic_cast<TskSkinButtonObject&>(Object("groupa"));
  a.Down = true;
  F.PaintNCSkin();
  EXPECT_EQ(At(185, 8), HotColor);
  EXPECT_EQ(At(15, 100), DownColor);
  EXPECT_EQ(At(34, 98), NormalColor);
}

TEST_F(SkinnedFrameTest, InactiveFormUsesTheInactivePictureAndEffect) {
  MakeInactive();
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), InActiveFrameColor);
  Skin.Skin().AutoRenderingInActiveImage = true;
  F.PaintNCSkin();
  EXPECT_TRUE(Grey(At(1, 1))) << std::hex << At(1, 1);
  EXPECT_TRUE(Grey(At(1, 110))) << std::hex << At(1, 110);
  // Without an inactive picture the frame picture is the source.
  Skin.Skin().AutoRenderingInActiveImage = false;
  Skin.Skin().InActivePicture = std::make_unique<TBitmap>();
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), FrameColor);
}

TEST_F(SkinnedFrameTest, FrameBelowItsMinimumSizeIsNotPainted) {
  const HDC dc = GetWindowDC(Window());
  const RECT corner{0, 0, 4, 4};
  HBRUSH brush = CreateSolidBrush(Red);
  FillRect(dc, &corner, brush);
  DeleteObject(brush);
  ReleaseDC(Window(), dc);
  F.FormWidth = F.GetMinWidth() - 1;
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), Red);
  F.FormWidth = 200;
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), FrameColor);
}

TEST_F(SkinnedFrameTest, ActiveFormIgnoresTheInactiveEffect) {
  Skin.Skin().AutoRenderingInActiveImage = true;
  F.PaintNCSkin();
  EXPECT_EQ(At(1, 1), FrameColor);
}

namespace {

// The client area's painting into memory: the form needs no place on the screen.
class ClientBackgroundTest : public ::testing::Test {
protected:
  void SetUp() override {
    F.AlwaysActive = true;
    F.SetSkinData(&Skin.Skin());
  }
  TskActiveSkinObject& Object(const char* Name) { return *F.FrameObjects.at(static_cast<size_t>(F.GetIndex(Name))); }
  COLORREF Paint(void (TskFormSkin::*Routine)(HDC), int X, int Y) {
    windowtesting::TPaintTarget target(300, 200, 0xFF00FF);
    (F.*Routine)(target.DC());
    return target.Pixel(X, Y);
  }

  TObjectSkin Skin;
  TSkinnedForm Skinned{200, 120, "Frame", false};
  TskFormSkin& F = *Skinned.FormSkin;
};

}  // namespace

TEST_F(ClientBackgroundTest, TilesOfTheBackgroundPicture) {
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG2, 0, 0), TileCornerColor);
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG2, 7, 5), TileCornerColor);
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG2, 1, 0), TileColor);
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG, 0, 0), ClientColor);
}

TEST_F(ClientBackgroundTest, BackgroundIndexNamingNoPicturePaintsThePlainBackground) {
  const COLORREF face = ColorToRGB(clBtnFace);
  Skin.Skin().BGPictureIndex = 9;
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG2, 0, 0), face);
  Skin.Skin().ActivePictures.push_back(std::make_unique<TBitmap>());
  Skin.Skin().BGPictureIndex = 3;
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG2, 0, 0), face);
  Skin.Skin().MDIBGPictureIndex = -1;
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG3, 0, 0), face);
  Skin.Skin().MDIBGPictureIndex = 2;
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG3, 0, 0), TileCornerColor);
}

TEST_F(ClientBackgroundTest, LogoCentredOrAtTheOrigin) {
  F.SetLogoBitMap(*Picture(10, 10, Red));
  const int cx = Skinned.Form->ClientWidth() / 2, cy = Skinned.Form->ClientHeight() / 2;
  EXPECT_EQ(Paint(&TskFormSkin::PaintBGDefault, cx, cy), Red);
  EXPECT_EQ(Paint(&TskFormSkin::PaintBGDefault, 0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG, cx, cy), Red);
  // A skin without a client rectangle: plain background, no logo.
  Skin.Skin().ClientRect = Rect(0, 0, 0, 0);
  EXPECT_EQ(Paint(&TskFormSkin::PaintBG, cx, cy), ColorToRGB(clBtnFace));
  F.SetLogoBitMap(*Picture(1000, 1000, Red));
  EXPECT_EQ(Paint(&TskFormSkin::PaintBGDefault, 0, 0), Red);
}

TEST_F(ClientBackgroundTest, ClientModePaintsTheWholeForm) {
  // Anchors at (0, 0): the picture at its own size, with the objects' present looks.
  Skin.Skin().LeftTopPoint = Skin.Skin().RightBottomPoint = TPoint{0, 0};
  Object("closebutton").Active = true;
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 1, 1), FrameColor);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 185, 8), HotColor);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 100, 60), ClientColor);
  // Rolled up: the roll-up picture with its middle tiled to the form's width.
  auto rollUp = Picture(50, 20, TileColor);
  rollUp->Canvas()->Brush()->SetColor(static_cast<TColor>(CapLeftColor));
  rollUp->Canvas()->FillRect(Rect(0, 0, 10, 20));
  rollUp->Canvas()->Brush()->SetColor(static_cast<TColor>(CapRightColor));
  rollUp->Canvas()->FillRect(Rect(40, 0, 50, 20));
  Skin.Skin().RollUpPicture = std::move(rollUp);
  Skin.Skin().RollUpLeftPoint = TPoint{10, 0};
  Skin.Skin().RollUpRightPoint = TPoint{40, 0};
  F.RollUpState = true;
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 2, 2), CapLeftColor);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 100, 2), TileColor);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 197, 2), CapRightColor);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 100, 25), 0xFF00FFu);
  F.RollUpState = false;
  // Without a skin: a black outline around the button face.
  F.SetSkinData(nullptr);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 0, 0), 0u);
  EXPECT_EQ(Paint(&TskFormSkin::Paint, 5, 5), ColorToRGB(clBtnFace));
}
