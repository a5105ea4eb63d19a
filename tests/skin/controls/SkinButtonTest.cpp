#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/controls/SkinButton.h"

#include <cmath>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char ButtonForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 200
  Color = clRed
  object Edit: TEdit
    Left = 200
    Top = 10
    Width = 80
  end
  object Ok: TskSkinButton
    Left = 10
    Top = 10
    Caption = '&Open'
    CanFocused = True
    Default = True
  end
  object Quit: TskSkinButton
    Left = 10
    Top = 50
    Caption = 'Quit'
    CanFocused = True
    Cancel = True
  end
  object A: TskSkinButton
    Left = 10
    Top = 90
    GroupIndex = 1
  end
  object B: TskSkinButton
    Left = 100
    Top = 90
    GroupIndex = 1
  end
end)";

class SkinButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(ButtonForm);
    for (const char* name : {"Ok", "Quit", "A", "B"}) {
      auto* button = dynamic_cast<TskSkinButton*>(Form->FindComponent(name));
      ASSERT_TRUE(button) << name;
      button->OnClick = [this, button](TObject*) { Clicks.push_back(button->Name()); };
    }
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
  }
  TskSkinButton& Button(const char* Name) { return *dynamic_cast<TskSkinButton*>(Form->FindComponent(Name)); }
  void Post(TskSkinButton& B, UINT Msg, WPARAM W, int X, int Y) {
    PostMessageW(B.Handle(), Msg, W, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  void ClickAt(TskSkinButton& B) {
    Post(B, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Post(B, WM_LBUTTONUP, 0, 5, 5);
  }
  int Count(const char* Name) const { return static_cast<int>(std::count(Clicks.begin(), Clicks.end(), Name)); }

  std::unique_ptr<TForm> Form;
  TEdit* Edit = nullptr;
  std::vector<String> Clicks;
};

}  // namespace

TEST(GlyphTextLayout, FourLayoutsCentredAndWithMargin) {
  const TRect r = Rect(0, 0, 100, 40);  // centre (50, 20)
  struct Case {
    TskButtonLayout Layout;
    int Margin;
    TskGlyphTextPlace Want;
  } cases[] = {
      // glyph 16 x 16, text 30 x 14, spacing 4
      {TskButtonLayout::blGlyphLeft, -1, {25, 12, 45, 13}},
      {TskButtonLayout::blGlyphRight, -1, {59, 12, 25, 13}},
      {TskButtonLayout::blGlyphTop, -1, {42, 3, 35, 23}},
      {TskButtonLayout::blGlyphBottom, -1, {42, 21, 35, 3}},
      {TskButtonLayout::blGlyphLeft, 2, {2, 12, 22, 13}},
      {TskButtonLayout::blGlyphRight, 2, {82, 12, 48, 13}},
      {TskButtonLayout::blGlyphTop, 2, {42, 2, 35, 22}},
      {TskButtonLayout::blGlyphBottom, 2, {42, 22, 35, 4}},
  };
  for (const Case& c : cases) {
    const TskGlyphTextPlace p = CalcGlyphTextLayout(c.Layout, r, 16, 16, 30, 14, c.Margin, 4);
    EXPECT_EQ(p.GX, c.Want.GX) << static_cast<int>(c.Layout) << " margin " << c.Margin;
    EXPECT_EQ(p.GY, c.Want.GY) << static_cast<int>(c.Layout) << " margin " << c.Margin;
    EXPECT_EQ(p.TX, c.Want.TX) << static_cast<int>(c.Layout) << " margin " << c.Margin;
    EXPECT_EQ(p.TY, c.Want.TY) << static_cast<int>(c.Layout) << " margin " << c.Margin;
  }
}

TEST(GlyphTextLayout, PressedShiftsGlyphAndCaptionByOnePixel) {
  windowtesting::InitApplication();
  TBitmap glyph;
  glyph.SetPixelFormat(TPixelFormat::pf24bit);
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas()->SetPixels(0, 7, clWhite);  // the lower-left pixel names the transparent colour
  for (bool pressed : {false, true}) {
    TBitmap target;
    target.SetPixelFormat(TPixelFormat::pf24bit);
    target.SetSize(40, 40);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(Rect(0, 0, 40, 40));
    DrawGlyphAndText(*target.Canvas(), Rect(0, 0, 40, 40), -1, 0, TskButtonLayout::blGlyphLeft, "", glyph, 1, 1,
                     pressed);
    // The glyph's top-left corner sits at (16, 16), or one pixel further when pressed.
    const int at = pressed ? 17 : 16;
    EXPECT_EQ(target.Canvas()->Pixels(at, at), clBlue) << pressed;
    EXPECT_EQ(target.Canvas()->Pixels(at - 1, at - 1), clWhite) << pressed;
  }
}

TEST_F(SkinButtonTest, SkinnedLooksByState) {
  TTestSkin skin;
  TskSkinButton& ok = Button("Ok");
  TskSkinButton& quit = Button("Quit");
  ok.SetSkinData(&skin.Skin());
  quit.SetSkinData(&skin.Skin());
  quit.SetSkinDataName("plainbutton");
  quit.ChangeSkinData();
  ok.SetDefault(false);
  ok.Perform(CM_MOUSELEAVE, 0, 0);
  Edit->SetFocus();
  windowtesting::Pump();
  struct Step {
    const char* What;
    std::function<void()> Do;
    COLORREF Want;
  } steps[] = {
      {"normal", [] {}, NormalColor},
      {"hot", [&] { ok.Perform(CM_MOUSEENTER, 0, 0); }, HotColor},
      {"pressed", [&] { ok.SetDown(true); }, DownColor},
      {"released outside", [&] { ok.SetDown(false); ok.Perform(CM_MOUSELEAVE, 0, 0); }, NormalColor},
      {"disabled", [&] { ok.SetEnabled(false); }, DisabledColor},
  };
  for (const Step& s : steps) {
    s.Do();
    EXPECT_EQ(WindowPixel(ok.Handle(), 2, 2), s.Want) << s.What;
  }
  // Without "disabledskinrect" a disabled button keeps its normal look; "activeskinrect" and
  // "downskinrect" fall back to "skinrect".
  quit.Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(WindowPixel(quit.Handle(), 2, 2), NormalColor);
  quit.SetEnabled(false);
  EXPECT_EQ(WindowPixel(quit.Handle(), 2, 2), NormalColor);
  ok.SetEnabled(true);
  WriteLooks("skinbutton_looks", {ok.Handle(), quit.Handle()}, 75, 25);
}

TEST_F(SkinButtonTest, DefaultLooksByState) {
  TskSkinButton& b = Button("Quit");
  const COLORREF face = ColorToRGB(clBtnFace);
  struct Step {
    const char* What;
    std::function<void()> Do;
    COLORREF Frame, Face;
  } steps[] = {
      {"normal", [] {}, ColorToRGB(clBtnShadow), face},
      {"hot", [&] { b.Perform(CM_MOUSEENTER, 0, 0); }, 0x800000, 0xD2BDB6},
      {"pressed", [&] { b.SetDown(true); }, 0x800000, 0xB59385},
  };
  for (const Step& s : steps) {
    s.Do();
    EXPECT_EQ(WindowPixel(b.Handle(), 0, 0), s.Frame) << s.What;
    EXPECT_EQ(WindowPixel(b.Handle(), 3, 3), s.Face) << s.What;
  }
  b.SetDown(false);
  b.Perform(CM_MOUSELEAVE, 0, 0);
  WriteLooks("skinbutton_default", {b.Handle(), Button("Ok").Handle()}, 75, 25);
}

TEST_F(SkinButtonTest, DragOutAndReleaseDoesNotClick) {
  TskSkinButton& b = Button("Quit");
  Post(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_TRUE(b.Down());
  EXPECT_EQ(WindowPixel(b.Handle(), 3, 3), 0xB59385u);
  Post(b, WM_MOUSEMOVE, MK_LBUTTON, -30, 5);
  EXPECT_FALSE(b.Hovered());
  Post(b, WM_LBUTTONUP, 0, -30, 5);
  EXPECT_FALSE(b.Down());
  EXPECT_TRUE(Clicks.empty());
  ClickAt(b);
  EXPECT_EQ(Count("Quit"), 1);
}

TEST_F(SkinButtonTest, GroupsKeepOneButtonDown) {
  TskSkinButton& a = Button("A");
  TskSkinButton& b = Button("B");
  ClickAt(a);
  EXPECT_TRUE(a.Down());
  EXPECT_EQ(Count("A"), 1);  // a grouped button clicks on press
  ClickAt(a);
  EXPECT_TRUE(a.Down());  // a second press does not release it without AllowAllUp
  ClickAt(b);
  EXPECT_TRUE(b.Down());
  EXPECT_FALSE(a.Down());

  a.SetAllowAllUp(true);
  b.SetAllowAllUp(true);
  ClickAt(a);
  EXPECT_TRUE(a.Down());
  EXPECT_FALSE(b.Down());  // never two down at once, AllowAllUp or not
  const int before = Count("A");
  ClickAt(a);
  EXPECT_FALSE(a.Down());  // AllowAllUp: the second press releases it, clicking on release
  EXPECT_EQ(Count("A"), before + 1);
}

TEST_F(SkinButtonTest, KeyboardSpaceEnterEscapeAndAccelerators) {
  TskSkinButton& ok = Button("Ok");
  TskSkinButton& quit = Button("Quit");
  quit.SetFocus();
  windowtesting::Pump();
  Post(quit, WM_KEYDOWN, VK_SPACE, 0, 0);
  EXPECT_TRUE(quit.Down());
  EXPECT_TRUE(Clicks.empty());
  Post(quit, WM_KEYUP, VK_SPACE, 0, 0);
  EXPECT_FALSE(quit.Down());
  EXPECT_EQ(Count("Quit"), 1);
  // Enter on a focused button clicks it once, not the default button as well.
  Post(quit, WM_KEYDOWN, VK_RETURN, 0, 0);
  EXPECT_EQ(Count("Quit"), 2);
  EXPECT_EQ(Count("Ok"), 0);
  EXPECT_FALSE(ok.Hovered());

  // With an edit focused the default button is hot and takes Enter; Escape goes to Cancel.
  Edit->SetFocus();
  windowtesting::Pump();
  EXPECT_TRUE(ok.Hovered());
  EXPECT_EQ(WindowPixel(ok.Handle(), 3, 3), 0xD2BDB6u);
  PostMessageW(Edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
  windowtesting::Pump();
  EXPECT_EQ(Count("Ok"), 1);
  PostMessageW(Edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  windowtesting::Pump();
  EXPECT_EQ(Count("Quit"), 3);

  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE shifted[256];
  std::copy(std::begin(keys), std::end(keys), std::begin(shifted));
  shifted[VK_SHIFT] = 0x80;
  SetKeyboardState(shifted);
  PostMessageW(Edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  windowtesting::Pump();
  SetKeyboardState(keys);
  EXPECT_EQ(Count("Quit"), 3);  // not with Shift down

  // Alt+O reaches the button whose caption is "&Open"; it takes the focus and clicks.
  PostMessageW(Edit->Handle(), WM_SYSCHAR, 'o', 1 << 29);
  windowtesting::Pump();
  EXPECT_EQ(Count("Ok"), 2);
  EXPECT_EQ(GetFocus(), ok.Handle());
  EXPECT_EQ(Clicks.size(), 5u);
}

TEST_F(SkinButtonTest, MorphTicksRiseAndFallToExactEnds) {
  TTestSkin skin;
  TskSkinButton& b = Button("Quit");
  b.SetSkinDataName("morphbutton");
  b.SetSkinData(&skin.Skin());
  ASSERT_TRUE(b.EnableMorphing());
  b.Perform(CM_MOUSEENTER, 0, 0);
  ASSERT_TRUE(b.MorphTimerRunning());
  // Steps of 0.2 in floating point until the factor reaches or passes 1, then one tick that sets
  // exactly 1 and stops: six or seven ticks in all.
  int ticks = 0;
  while (b.MorphTimerRunning() && ticks < 10) {
    const double before = b.MorphKf();
    b.DoMorph();
    ++ticks;
    if (b.MorphTimerRunning()) {
      EXPECT_NEAR(b.MorphKf(), before + 0.2, 1e-9);
    }
  }
  EXPECT_GE(ticks, 6);
  EXPECT_LE(ticks, 7);
  EXPECT_EQ(b.MorphKf(), 1.0);
  EXPECT_FALSE(b.MorphTimerRunning());
  EXPECT_EQ(WindowPixel(b.Handle(), 2, 2), HotColor);

  b.Perform(CM_MOUSELEAVE, 0, 0);
  b.DoMorph();
  b.DoMorph();  // 0.6: a mix of the two looks
  const COLORREF mixed = WindowPixel(b.Handle(), 2, 2);
  EXPECT_NEAR(GetRValue(mixed), 0.4 * 200, 2);
  EXPECT_NEAR(GetGValue(mixed), 0.6 * 200, 2);
  while (b.MorphTimerRunning()) b.DoMorph();
  EXPECT_EQ(b.MorphKf(), 0.0);

  // And once in real time.
  b.Perform(CM_MOUSEENTER, 0, 0);
  windowtesting::PumpFor(400);
  EXPECT_EQ(b.MorphKf(), 1.0);
  EXPECT_FALSE(b.MorphTimerRunning());
}

TEST_F(SkinButtonTest, RepeatClicksWhileHeld) {
  TskSkinButton& b = Button("Quit");
  b.SetRepeatMode(true);
  Post(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  ASSERT_TRUE(b.RepeatTimerRunning());
  for (int i = 0; i < 3; ++i) b.RepeatTimerProc();
  Post(b, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_EQ(Count("Quit"), 4);
  EXPECT_FALSE(b.RepeatTimerRunning());

  // 350 ms held with RepeatInterval 100, in real time: the press and about three timer clicks; the
  // release stops the timer (a tick already on its way may still arrive).
  Clicks.clear();
  Post(b, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  windowtesting::PumpFor(350);
  const int held = Count("Quit");
  Post(b, WM_LBUTTONUP, 0, 5, 5);
  EXPECT_GE(held, 2);
  EXPECT_LE(held, 4);
  EXPECT_GE(Count("Quit"), held);
  EXPECT_LE(Count("Quit"), held + 1);
  EXPECT_FALSE(b.RepeatTimerRunning());
}

TEST_F(SkinButtonTest, AlphaBlendOverTheParent) {
  TskSkinButton& b = Button("Quit");
  const COLORREF face = ColorToRGB(clBtnFace);
  for (int value : {0, 200, 255}) {
    b.SetAlphaBlend(true);
    b.SetAlphaBlendValue(static_cast<std::uint8_t>(value));
    const COLORREF got = WindowPixel(b.Handle(), 5, 5);
    const double k = value / 255.0;
    EXPECT_NEAR(GetRValue(got), std::lround(k * GetRValue(face) + (1 - k) * 255), 1) << value;
    EXPECT_NEAR(GetGValue(got), std::lround(k * GetGValue(face)), 1) << value;
    EXPECT_NEAR(GetBValue(got), std::lround(k * GetBValue(face)), 1) << value;
  }
}

TEST_F(SkinButtonTest, PropertiesKeepTheirDefaults) {
  TskSkinButton& b = Button("A");
  EXPECT_EQ(b.Spacing(), 1);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.RepeatInterval(), 100);
  EXPECT_EQ(b.AlphaBlendValue(), 200);
  EXPECT_EQ(b.DefaultFont().Name(), "Arial");
  EXPECT_EQ(b.DefaultFont().Height(), 14);
  EXPECT_EQ(b.Width(), 75);
  EXPECT_EQ(b.Height(), 25);
  EXPECT_FALSE(b.CanFocused());  // a grouped button never takes the focus
  b.SetMargin(-2);
  EXPECT_EQ(b.Margin(), -1);
}

TEST_F(SkinButtonTest, AnActionFillsAnEmptyGlyphAndRunsWhenNoOnClickIsSet) {
  TPictureAction pictured;
  int executed = 0;
  pictured.Action->OnExecute = [&](TObject*) { ++executed; };
  pictured.Action->SetCaption("Play");

  TskSkinButton& quit = Button("Quit");
  quit.OnClick = nullptr;
  quit.SetAction(pictured.Action);
  EXPECT_EQ(quit.Caption(), "Play");
  ASSERT_EQ(quit.Glyph().Width(), 16);
  ASSERT_EQ(quit.Glyph().Height(), 16);
  EXPECT_EQ(quit.Glyph().Canvas()->Pixels(12, 2), clBlue);
  EXPECT_EQ(quit.Glyph().Canvas()->Pixels(2, 2), clFuchsia);  // masked out: the fill, transparent on the button
  ClickAt(quit);
  EXPECT_EQ(executed, 1);

  // A glyph of the button's own stays, and so does its own OnClick, which replaces the action's.
  TskSkinButton& ok = Button("Ok");
  TBitmap own;
  own.SetSize(8, 8);
  ok.SetGlyph(own);
  ok.SetAction(pictured.Action);
  EXPECT_EQ(ok.Glyph().Width(), 8);
  ClickAt(ok);
  EXPECT_EQ(Count("Ok"), 1);
  EXPECT_EQ(executed, 1);

  // No picture at the action's index: the glyph stays empty until there is one.
  TskSkinButton& a = Button("A");
  auto* other = new TAction(pictured.Owner.get());
  other->SetActionList(pictured.List);
  other->SetImageIndex(1);
  a.SetAction(other);
  EXPECT_TRUE(a.Glyph().Empty());
  other->SetImageIndex(0);
  EXPECT_EQ(a.Glyph().Width(), 16);
}
