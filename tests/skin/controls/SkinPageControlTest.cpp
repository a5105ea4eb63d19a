#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinControlsRegistration.h"
#include "skin/controls/SkinPageControl.h"

#include <vector>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

// Two page controls side by side: Plain never gets a skin, Skinned gets the test skin.
const char PagesForm[] = R"(object TestForm: TForm
  Width = 900
  Height = 420
  object Plain: TskSkinPageControl
    Left = 10
    Top = 10
    Width = 400
    Height = 300
    TabWidth = 60
    TabStop = False
    ActivePage = PlainB
    object PlainA: TskSkinTabSheet
      Caption = 'A'
    end
    object PlainB: TskSkinTabSheet
      Caption = 'B'
    end
    object PlainC: TskSkinTabSheet
      Caption = 'C'
    end
    object PlainD: TskSkinTabSheet
      Caption = 'D'
    end
    object PlainE: TskSkinTabSheet
      Caption = 'E'
    end
  end
  object Skinned: TskSkinPageControl
    Left = 430
    Top = 10
    Width = 400
    Height = 300
    TabWidth = 60
    TabStop = False
    ActivePage = SkinnedB
    object SkinnedA: TskSkinTabSheet
      Caption = 'A'
    end
    object SkinnedB: TskSkinTabSheet
      Caption = 'B'
    end
    object SkinnedC: TskSkinTabSheet
      Caption = 'C'
    end
  end
end)";

// The main window's page control: no skin, several rows allowed, its tab row above the form.
const char MainForm[] = R"(object TestForm: TForm
  ClientWidth = 701
  ClientHeight = 529
  object Pages: TskSkinPageControl
    Left = 0
    Top = -22
    Width = 702
    Height = 552
    ActivePage = Home
    MultiLine = True
    TabStop = False
    object Home: TskSkinTabSheet
      Caption = 'Home'
    end
    object Pictures: TskSkinTabSheet
      Caption = 'Pictures'
    end
    object Player: TskSkinTabSheet
      Caption = 'Player'
    end
  end
end)";

// The system's own answer to TCM_ADJUSTRECT for the client area of Window.
RECT NativeDisplayRect(HWND Window) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  GetClassInfoExW(nullptr, L"SysTabControl32", &wc);
  RECT r;
  GetClientRect(Window, &r);
  CallWindowProcW(wc.lpfnWndProc, Window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

RECT CorrectedDisplayRect(HWND Window) {
  RECT r;
  GetClientRect(Window, &r);
  SendMessageW(Window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

class SkinPageControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(PagesForm);
    Plain = dynamic_cast<TskSkinPageControl*>(Form->FindComponent("Plain"));
    Skinned = dynamic_cast<TskSkinPageControl*>(Form->FindComponent("Skinned"));
    ASSERT_TRUE(Plain && Skinned);
    Skinned->SetSkinData(&Skin.Skin());
    windowtesting::Pump();
  }
  // A point inside tab T away from its caption: Dy pixels below its top.
  static COLORREF TabPixel(TskSkinPageControl& Pages, int T, int Dx, int Dy) {
    const TRect r = Pages.GetItemRect(T);
    return WindowPixel(Pages.Handle(), r.left + Dx, r.top + Dy);
  }
  void Hover(TskSkinPageControl& Pages, int T) {
    const TRect r = Pages.GetItemRect(T);
    SendMessageW(Pages.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }

  TTestSkin Skin;
  std::unique_ptr<TForm> Form;
  TskSkinPageControl* Plain = nullptr;
  TskSkinPageControl* Skinned = nullptr;
};

}  // namespace

TEST_F(SkinPageControlTest, DisplayRectCorrectedPerTabPositionWithAndWithoutDescription) {
  struct Case {
    TTabPosition Position;
    // The corrected rectangle from the system's (L, T, R, B) and the client size (W, H); the
    // skin's frame is 4 pixels wide on every side.
    RECT (*Plain)(RECT N, int W, int H);
    RECT (*Skinned)(RECT N, int W, int H);
  } cases[] = {
      {TTabPosition::tpTop, [](RECT n, int w, int h) { return RECT{1, n.top - 5, w - 1, h - 1}; },
       [](RECT n, int w, int h) { return RECT{4, n.top - 6 + 4, w - 4, h - 4}; }},
      {TTabPosition::tpBottom, [](RECT n, int w, int) { return RECT{1, 1, w - 1, n.bottom + 3}; },
       [](RECT n, int w, int) { return RECT{4, n.top - 4 + 4, w - 4, n.bottom + 4 - 4}; }},
      {TTabPosition::tpLeft, [](RECT n, int w, int h) { return RECT{n.left - 3, n.top - 5, w - 1, h - 1}; },
       [](RECT n, int w, int h) { return RECT{n.left - 4 + 4, n.top - 4 + 4, w - 4, h - 4}; }},
      {TTabPosition::tpRight, [](RECT n, int, int h) { return RECT{n.left - 3, n.top - 5, n.right + 3, h - 1}; },
       [](RECT n, int, int h) { return RECT{4, n.top - 4 + 4, n.right + 4 - 4, h - 4}; }},
  };
  for (const Case& c : cases) {
    for (TskSkinPageControl* pages : {Plain, Skinned}) {
      pages->SetTabPosition(c.Position);
      windowtesting::Pump();
      const HWND h = pages->Handle();
      const RECT n = NativeDisplayRect(h);
      const RECT want = (pages == Plain ? c.Plain : c.Skinned)(n, pages->ClientWidth(), pages->ClientHeight());
      const RECT got = CorrectedDisplayRect(h);
      EXPECT_TRUE(EqualRect(&got, &want)) << pages->Name() << " position " << static_cast<int>(c.Position) << ": "
                                          << got.left << "," << got.top << "," << got.right << "," << got.bottom;
      // The pages fill the corrected area.
      const TRect page = pages->ActivePage()->BoundsRect();
      EXPECT_TRUE(EqualRect(&page, &got)) << pages->Name() << " position " << static_cast<int>(c.Position);
    }
  }
}

TEST_F(SkinPageControlTest, TabRectanglesShiftedOntoTheDrawnTabs) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  GetClassInfoExW(nullptr, L"SysTabControl32", &wc);
  struct Case {
    TTabPosition Position;
    bool MultiLine;
    int Dx, Dy;
  } cases[] = {{TTabPosition::tpTop, false, -2, -2}, {TTabPosition::tpTop, true, 0, -2},
               {TTabPosition::tpBottom, false, -2, 2}, {TTabPosition::tpLeft, true, -2, 0},
               {TTabPosition::tpRight, true, 2, 0}};
  for (const Case& c : cases) {
    Plain->SetTabPosition(c.Position);
    Plain->SetMultiLine(c.MultiLine);
    RECT native{};
    CallWindowProcW(wc.lpfnWndProc, Plain->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&native));
    const TRect got = Plain->GetItemRect(1);
    EXPECT_EQ(got.left - native.left, c.Dx) << static_cast<int>(c.Position) << " multi-line " << c.MultiLine;
    EXPECT_EQ(got.top - native.top, c.Dy) << static_cast<int>(c.Position) << " multi-line " << c.MultiLine;
  }
}

TEST_F(SkinPageControlTest, DefaultLookNormalActiveAndHotTabs) {
  EXPECT_EQ(Plain->SkinControlIndex(), -1);
  EXPECT_EQ(Plain->GetItemRect(0).bottom - Plain->GetItemRect(0).top, 20) << "20-pixel tabs without a skin";
  EXPECT_EQ(Plain->HotTab(), -1);
  EXPECT_EQ(TabPixel(*Plain, 0, 3, 10), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(TabPixel(*Plain, 1, 3, 10), 0xD2BDB6u) << "the selected tab";
  EXPECT_EQ(TabPixel(*Plain, 1, 0, 10), 0x800000u) << "framed in navy";
  Hover(*Plain, 2);
  EXPECT_EQ(Plain->HotTab(), 2);
  EXPECT_EQ(Plain->HotTabPage(), 2);
  EXPECT_EQ(TabPixel(*Plain, 2, 3, 10), 0xD2BDB6u);
  EXPECT_EQ(TabPixel(*Plain, 2, 0, 10), 0xD2BDB6u) << "a hot tab has no frame";
  Hover(*Plain, 1);  // the selected tab stays selected under the pointer
  EXPECT_EQ(TabPixel(*Plain, 1, 0, 10), 0x800000u);
  EXPECT_EQ(TabPixel(*Plain, 2, 3, 10), GetSysColor(COLOR_BTNFACE));
  SendMessageW(Plain->Handle(), CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(Plain->HotTab(), -1);

  // The page area: a shadow line just outside the pages.
  const TRect page = Plain->ActivePage()->BoundsRect();
  EXPECT_EQ(WindowPixel(Plain->Handle(), page.left - 1, page.top + 20), GetSysColor(COLOR_BTNSHADOW));

  // A hidden tab leaves the row; its page stays.
  Plain->Pages(0)->SetTabVisible(false);
  EXPECT_EQ(Plain->TabIndex(), 0);
  EXPECT_EQ(Plain->PageCount(), 5);
  EXPECT_EQ(TabPixel(*Plain, 0, 0, 10), 0x800000u) << "B is the first tab now";
  WriteLooks("skinpagecontrol_default", {Plain->Handle()}, 400, 300);
}

TEST_F(SkinPageControlTest, SkinnedLooksFrameStripAndTabStates) {
  ASSERT_NE(Skinned->SkinControlIndex(), -1);
  const HWND h = Skinned->Handle();
  EXPECT_EQ(Skinned->GetItemRect(0).bottom - Skinned->GetItemRect(0).top, 20) << "the skin's tab height";
  EXPECT_EQ(TabPixel(*Skinned, 0, 3, 10), NormalColor);
  EXPECT_EQ(TabPixel(*Skinned, 0, 3, 1), TabTopColor);
  EXPECT_EQ(TabPixel(*Skinned, 1, 3, 10), ActiveTabColor);
  Hover(*Skinned, 2);
  EXPECT_EQ(TabPixel(*Skinned, 2, 3, 10), HotColor);
  Hover(*Skinned, 1);
  EXPECT_EQ(TabPixel(*Skinned, 1, 3, 10), ActiveTabColor) << "a selected tab is never hot";

  const TRect page = Skinned->ActivePage()->BoundsRect();
  EXPECT_EQ(WindowPixel(h, page.left - 2, page.top + 20), TabFrameColor);
  EXPECT_EQ(WindowPixel(h, page.right + 1, page.bottom + 1), TabFrameColor) << "the bottom-right corner";
  EXPECT_EQ(WindowPixel(h, Skinned->Width() - 5, 3), TabStripColor) << "the strip right of the tabs";

  Skinned->SetFocus();
  windowtesting::Pump();
  if (Skinned->Focused()) {
    EXPECT_EQ(TabPixel(*Skinned, 1, 3, 10), DownColor) << "focused";
  }
  WriteLooks("skinpagecontrol_looks", {h}, 400, 300);
}

TEST_F(SkinPageControlTest, BottomTabsFlippedSideTabsTurned) {
  struct Case {
    TTabPosition Position;
    // Where the top rows of the tab image end up: a point near that edge and one away from it.
    int EdgeX, EdgeY, AwayX, AwayY;  // as fractions of the tab rectangle in eighths
  } cases[] = {
      {TTabPosition::tpTop, 1, 0, 1, 4},
      {TTabPosition::tpBottom, 1, 8, 1, 4},
      {TTabPosition::tpLeft, 0, 1, 4, 1},
      {TTabPosition::tpRight, 8, 1, 4, 1},
  };
  std::vector<HWND> looks;
  for (const Case& c : cases) {
    Skinned->SetTabPosition(c.Position);
    windowtesting::Pump();
    const TRect r = Skinned->GetItemRect(0);
    const int w = r.right - r.left, hgt = r.bottom - r.top;
    auto at = [&](int Fx, int Fy) {
      const int x = r.left + std::min(w - 1, Fx * w / 8 + (Fx == 0 ? 1 : 0));
      const int y = r.top + std::min(hgt - 1, Fy * hgt / 8 + (Fy == 0 ? 1 : 0));
      return WindowPixel(Skinned->Handle(), x, y);
    };
    EXPECT_EQ(at(c.EdgeX, c.EdgeY), TabTopColor) << static_cast<int>(c.Position);
    EXPECT_EQ(at(c.AwayX, c.AwayY), NormalColor) << static_cast<int>(c.Position);
    if (c.Position == TTabPosition::tpBottom) WriteLooks("skinpagecontrol_bottom", {Skinned->Handle()}, 400, 300);
  }
}

TEST_F(SkinPageControlTest, PageBackgrounds) {
  struct Case {
    const char* SkinName;  // null: no skin
    COLORREF Want;
  } cases[] = {{nullptr, GetSysColor(COLOR_BTNFACE)},
               {"tab", TabClientColor},
               {"bgtab", TabBackgroundColor},
               // A background picture index naming no picture falls back to the client piece.
               {"badtab", TabClientColor}};
  for (const Case& c : cases) {
    Skinned->SetSkinDataName(c.SkinName ? c.SkinName : "tab");
    Skinned->SetSkinData(c.SkinName ? &Skin.Skin() : nullptr);
    auto* sheet = dynamic_cast<TskSkinTabSheet*>(Skinned->ActivePage());
    windowtesting::TPaintTarget target(sheet->Width(), sheet->Height(), 0xFF00FF);
    SendMessageW(sheet->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0);
    EXPECT_EQ(target.Pixel(sheet->Width() / 2, sheet->Height() / 2), c.Want) << (c.SkinName ? c.SkinName : "none");
    EXPECT_EQ(target.Pixel(sheet->Width() - 1, sheet->Height() - 1), c.Want) << (c.SkinName ? c.SkinName : "none");
  }
  // Edges of no length are left out of the frame instead of dividing by them.
  Skinned->SetSkinDataName("badtab");
  Skinned->SetSkinData(&Skin.Skin());
  EXPECT_NE(Skinned->SkinControlIndex(), -1);
  EXPECT_EQ(TabPixel(*Skinned, 0, 3, 10), NormalColor);
}

TEST_F(SkinPageControlTest, ScrollerReplacesTheSystemOneWhileTabsAreCutOff) {
  Plain->SetWidth(600);
  windowtesting::Pump();
  EXPECT_EQ(Plain->TabScroller(), nullptr);
  // Two tabs cut off at the right, with or without the scroller over the strip's end.
  const int cut = Plain->GetItemRect(2).right + 40 + 4;
  Plain->SetWidth(cut);
  windowtesting::Pump();
  TskSkinUpDown* scroller = Plain->TabScroller();
  ASSERT_NE(scroller, nullptr);
  EXPECT_EQ(FindWindowExW(Plain->Handle(), nullptr, L"msctls_updown32", nullptr), nullptr);
  EXPECT_EQ(scroller->Width(), 40);
  EXPECT_EQ(scroller->Height(), 20);
  EXPECT_EQ(scroller->Max(), 2);
  EXPECT_EQ(scroller->Position(), 0);
  EXPECT_EQ(scroller->Left(), cut - 40);
  EXPECT_EQ(scroller->Top(), 0);
  WriteLooks("skinpagecontrol_scroller", {Plain->Handle(), scroller->Handle()}, cut, 60);

  // A click on its up button scrolls the first tab off to the left.
  SendMessageW(scroller->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
  SendMessageW(scroller->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  EXPECT_EQ(scroller->Position(), 1);
  EXPECT_LE(Plain->GetItemRect(0).right, 0);
  EXPECT_EQ(Plain->GetPosition(), 1);

  Plain->SetWidth(600);
  windowtesting::Pump();
  EXPECT_EQ(Plain->TabScroller(), nullptr);
  EXPECT_EQ(FindWindowExW(Plain->Handle(), nullptr, L"msctls_updown32", nullptr), nullptr);

  // Several rows take no scroller.
  Plain->SetMultiLine(true);
  Plain->SetWidth(cut);
  windowtesting::Pump();
  EXPECT_EQ(Plain->TabScroller(), nullptr);
}

TEST(SkinPageControlMainWindow, PagesFillTheFormBelowTheHiddenTabRow) {
  auto form = ShowForm(MainForm);
  auto& pages = *dynamic_cast<TskSkinPageControl*>(form->FindComponent("Pages"));
  auto& home = *dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Home"));
  EXPECT_EQ(pages.SkinDataName(), "tab");
  EXPECT_EQ(pages.DefaultItemHeight(), 20);
  EXPECT_TRUE(pages.UseSkinFont());
  EXPECT_EQ(pages.Font().Name(), "Arial");
  EXPECT_EQ(pages.GetItemRect(0).bottom - pages.GetItemRect(0).top, 20);
  // The tab row lies above the form: the page begins at or above its client area's top.
  const TRect bounds = home.BoundsRect();
  EXPECT_LE(pages.Top() + bounds.top, 0) << bounds.top;
  EXPECT_EQ(bounds.left, 1);
  EXPECT_EQ(bounds.right, 701);
  EXPECT_EQ(bounds.bottom, 551);
  pages.SetActivePage(dynamic_cast<TTabSheet*>(form->FindComponent("Player")));
  EXPECT_EQ(pages.TabIndex(), 2);
  EXPECT_FALSE(home.Visible());
}

// The program's pages are switched in code only: the sheet left behind reports it.
const char SwitchedForm[] = R"(object TestForm: TForm
  ClientWidth = 701
  ClientHeight = 529
  object Pages: TskSkinPageControl
    Top = -22
    Width = 702
    Height = 552
    ActivePage = Home
    MultiLine = True
    object Home: TskSkinTabSheet
      OnHide = SheetHide
    end
    object Player: TskSkinTabSheet
      OnShow = SheetShow
      OnHide = SheetHide
    end
    object Viewer: TskSkinTabSheet
      OnHide = SheetHide
    end
  end
end
)";

TEST(SkinPageControlMainWindow, SwitchingFiresOnHideOfTheSheetLeft) {
  RegisterSkinControlClasses();
  std::vector<String> events;
  auto name = [](TObject* Sender) { return dynamic_cast<TComponent*>(Sender)->Name(); };
  auto form = windowtesting::ReadForm(SwitchedForm, [&](TForm& f) {
    f.RegisterHandler<TNotifyEvent>("SheetShow", [&](TObject* s) { events.push_back(name(s) + " show"); });
    f.RegisterHandler<TNotifyEvent>("SheetHide", [&](TObject* s) { events.push_back(name(s) + " hide"); });
  });
  auto* pages = dynamic_cast<TskSkinPageControl*>(form->FindComponent("Pages"));
  auto* home = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Home"));
  auto* player = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Player"));
  auto* viewer = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Viewer"));
  ASSERT_TRUE(pages && home && player && viewer);
  EXPECT_EQ(pages->ActivePage(), home);
  EXPECT_TRUE(events.empty());
  pages->HandleNeeded();

  pages->SetActivePage(player);
  EXPECT_EQ(events, (std::vector<String>{"Player show", "Home hide"}));
  viewer->Show();  // showing a sheet makes it the active page
  EXPECT_EQ(pages->ActivePage(), viewer);
  pages->SetActivePage(viewer);  // already active: nothing is left
  EXPECT_EQ(events, (std::vector<String>{"Player show", "Home hide", "Player hide"}));
  EXPECT_TRUE(viewer->Visible());
  EXPECT_FALSE(player->Visible());
  EXPECT_FALSE(home->Visible());
}
