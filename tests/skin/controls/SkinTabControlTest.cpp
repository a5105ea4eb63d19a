#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinTabControl.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char TabsForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 300
  object Tabs: TskSkinTabControl
    Left = 10
    Top = 10
    Width = 400
    Height = 200
    TabWidth = 60
    TabStop = False
    Tabs.Strings = (
      'One'
      'Two'
      'Three'
      'Four'
      'Five')
    TabIndex = 1
  end
end)";

RECT NativeDisplayRect(HWND Window) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  GetClassInfoExW(nullptr, L"SysTabControl32", &wc);
  RECT r;
  GetClientRect(Window, &r);
  CallWindowProcW(wc.lpfnWndProc, Window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

class SkinTabControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(TabsForm);
    Tabs = dynamic_cast<TskSkinTabControl*>(Form->FindComponent("Tabs"));
    ASSERT_TRUE(Tabs);
    Tabs->OnChange = [this](TObject*) { ++Changes; };
  }
  void UseSkin(const char* Name) {
    Tabs->SetSkinDataName(Name);
    Tabs->SetSkinData(&Skin.Skin());
    windowtesting::Pump();
  }
  COLORREF Pixel(int X, int Y) { return WindowPixel(Tabs->Handle(), X, Y); }

  TTestSkin Skin;
  std::unique_ptr<TForm> Form;
  TskSkinTabControl* Tabs = nullptr;
  int Changes = 0;
};

}  // namespace

TEST_F(SkinTabControlTest, ItemsFromTheStringsAndTheSelection) {
  EXPECT_EQ(SendMessageW(Tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_EQ(Tabs->TabIndex(), 1);
  EXPECT_EQ(Tabs->HotTab(), -1) << "no tab is hot before the pointer came";
  const TRect r = Tabs->GetItemRect(3);
  SendMessageW(Tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 10, r.top + 10));
  SendMessageW(Tabs->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 10, r.top + 10));
  EXPECT_EQ(Tabs->TabIndex(), 3);
  EXPECT_EQ(Changes, 1);
  Tabs->Tabs().Delete(4);
  EXPECT_EQ(SendMessageW(Tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 4);
  EXPECT_EQ(Tabs->TabIndex(), 3);
}

TEST_F(SkinTabControlTest, DisplayRectBordersOnlyWithoutABackgroundPicture) {
  struct Case {
    const char* SkinName;  // null: no skin
    int Border;            // the frame's width the corrected rectangle keeps (-1: the default frame)
  } cases[] = {{nullptr, -1}, {"tab", 4}, {"bgtab", 0}};
  for (const Case& c : cases) {
    if (c.SkinName) UseSkin(c.SkinName);
    const HWND h = Tabs->Handle();
    const RECT n = NativeDisplayRect(h);
    RECT got;
    GetClientRect(h, &got);
    SendMessageW(h, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&got));
    const int w = Tabs->ClientWidth(), hgt = Tabs->ClientHeight();
    const RECT want = c.Border < 0 ? RECT{1, n.top - 5, w - 1, hgt - 1}
                                   : RECT{c.Border, n.top - 6 + c.Border, w - c.Border, hgt - c.Border};
    EXPECT_TRUE(EqualRect(&got, &want)) << (c.SkinName ? c.SkinName : "none") << ": " << got.left << "," << got.top
                                        << "," << got.right << "," << got.bottom;
  }
}

TEST_F(SkinTabControlTest, PageAreaLooks) {
  const TRect display = Tabs->DisplayRect();
  const int mx = (display.left + display.right) / 2, my = (display.top + display.bottom) / 2;
  EXPECT_EQ(Pixel(mx, my), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(Tabs->GetItemRect(1).left + 3, Tabs->GetItemRect(1).top + 10), 0xD2BDB6u);
  WriteLooks("skintabcontrol_default", {Tabs->Handle()}, 400, 200);

  // The description's client piece tiled inside the skinned frame.
  UseSkin("tab");
  const TRect skinned = Tabs->DisplayRect();
  EXPECT_EQ(Pixel(mx, my), TabClientColor);
  EXPECT_EQ(Pixel(skinned.left - 2, my), TabFrameColor);
  EXPECT_EQ(Pixel(Tabs->Width() - 5, 3), TabStripColor);
  EXPECT_EQ(Pixel(Tabs->GetItemRect(0).left + 3, Tabs->GetItemRect(0).top + 10), NormalColor);
  EXPECT_EQ(Pixel(Tabs->GetItemRect(1).left + 3, Tabs->GetItemRect(1).top + 10), ActiveTabColor);
  WriteLooks("skintabcontrol_looks", {Tabs->Handle()}, 400, 200);

  // Over a background picture: the picture alone, no frame, the tabs on top.
  UseSkin("bgtab");
  EXPECT_EQ(Pixel(mx, my), TabBackgroundColor);
  EXPECT_EQ(Pixel(1, my), TabBackgroundColor);
  EXPECT_EQ(Pixel(Tabs->Width() - 5, 3), TabBackgroundColor);
  EXPECT_EQ(Pixel(Tabs->GetItemRect(0).left + 3, Tabs->GetItemRect(0).top + 10), NormalColor);
  windowtesting::TPaintTarget target(Tabs->Width(), Tabs->Height(), 0xFF00FF);
  SendMessageW(Tabs->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0);
  EXPECT_EQ(target.Pixel(mx, my), TabBackgroundColor);
  WriteLooks("skintabcontrol_background", {Tabs->Handle()}, 400, 200);

  // A background index naming no picture: the skinned frame as without one.
  UseSkin("badtab");
  EXPECT_EQ(Pixel(mx, my), TabClientColor);
}

TEST_F(SkinTabControlTest, HotTabDrawnFromTheMouseInLook) {
  UseSkin("tab");
  const TRect r = Tabs->GetItemRect(3);
  SendMessageW(Tabs->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 10, r.top + 10));
  EXPECT_EQ(Tabs->HotTab(), 3);
  EXPECT_EQ(Pixel(r.left + 3, r.top + 10), HotColor);
  SendMessageW(Tabs->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Tabs->HotTab(), -1);
  EXPECT_EQ(Pixel(r.left + 3, r.top + 10), NormalColor);
}

TEST_F(SkinTabControlTest, ScrollerOfFixedSize) {
  Tabs->SetDefaultItemHeight(30);  // the tab control's scroller does not follow it
  // Two tabs cut off, with or without the scroller over the strip's end.
  Tabs->SetWidth(Tabs->GetItemRect(2).right + 36 + 4);
  windowtesting::Pump();
  TskSkinUpDown* scroller = Tabs->TabScroller();
  ASSERT_NE(scroller, nullptr);
  EXPECT_EQ(FindWindowExW(Tabs->Handle(), nullptr, L"msctls_updown32", nullptr), nullptr);
  EXPECT_EQ(scroller->Width(), 36);
  EXPECT_EQ(scroller->Height(), 18);
  EXPECT_EQ(scroller->Max(), 2);
  EXPECT_EQ(scroller->Left(), Tabs->Width() - 36);
  Tabs->SetWidth(500);
  windowtesting::Pump();
  EXPECT_EQ(Tabs->TabScroller(), nullptr);
}
