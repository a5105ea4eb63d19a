#include "tests/skin/form/FormSkinTesting.h"

#include "platform/classlib/Menus.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMDITabsBar.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenuBarObjects.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace formskintesting;
using skin::TskFormSkin;
using skin::TskSkinMDITabsBar;

namespace {

// The main form: a skinned MDI parent with a window menu and a tabs bar along its top.
const char* const ParentForm = R"(object TestForm: TForm
  FormStyle = fsMDIForm
  Left = 20
  Top = 20
  Width = 700
  Height = 500
  Caption = 'Main'
  Menu = MainMenu1
  WindowMenu = Window1
  object FormSkin: TskFormSkin
    MDITabsBar = Tabs
  end
  object Tabs: TskSkinMDITabsBar
    Align = alTop
    FormSkin = FormSkin
  end
  object MainMenu1: TMainMenu
    object Window1: TMenuItem
      Caption = '&Window'
      object Tile1: TMenuItem
        Caption = '&Tile'
      end
    end
  end
end
)";

std::string ChildText(const std::string& Name) {
  return "object " + Name + ": TForm\n  FormStyle = fsMDIChild\n  Width = 200\n  Height = 150\n  Caption = '" + Name +
         "'\n  object FormSkin: TskFormSkin\n  end\nend\n";
}

std::string BoundsText(const TControl& C) {
  return std::to_string(C.Left()) + "," + std::to_string(C.Top()) + " " + std::to_string(C.Width()) + "x" +
         std::to_string(C.Height());
}

class FormSkinMDI : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegisterSkinFormClasses();
    windowtesting::InitApplication();
    TForm* form = nullptr;
    Application->CreateForm(form);
    Main.reset(form);
    ReadComponentText(form, Text(ParentForm), "TestForm");
    ASSERT_EQ(Application->MainForm(), form);
    Main->Show();
    windowtesting::PumpFor(50);
    Tabs = dynamic_cast<TskSkinMDITabsBar*>(Main->FindComponent("Tabs"));
    ASSERT_NE(Tabs, nullptr);
  }
  static String Text(const char* S) { return S; }

  TForm& AddChild(const std::string& Name) {
    Children.push_back(ShowForm(ChildText(Name)));
    return *Children.back();
  }
  // Sizes the main form so that the MDI work area is W x H.
  void SetWorkArea(int W, int H) {
    Main->SetClientWidth(W);
    Main->SetClientHeight(H + Tabs->Height());
    windowtesting::PumpFor(30);
    const TRect area = MainSkin().GetMDIWorkArea();
    ASSERT_EQ(area.right - area.left, W);
    ASSERT_EQ(area.bottom - area.top, H);
  }
  TskFormSkin& MainSkin() { return FormSkinOf(*Main); }
  // The window menu's child entries as "Caption" or "Caption*" when checked.
  std::vector<std::string> WindowEntries() const {
    std::vector<std::string> entries;
    TMenuItem* menu = Main->WindowMenu();
    for (int i = 0; i < menu->Count(); ++i) {
      const TMenuItem* item = menu->Items(i);
      if (item->Name().find("_FSKCHILDITEM") == String::npos) continue;
      entries.push_back(item->Caption() + (item->Checked() ? "*" : ""));
    }
    return entries;
  }
  std::vector<std::string> TabCaptions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < Tabs->TabCount(); ++i)
      captions.push_back(Tabs->Tabs(i)->Child->Caption() + (Tabs->Tabs(i)->Active ? "*" : ""));
    return captions;
  }

  std::unique_ptr<TForm> Main;
  TskSkinMDITabsBar* Tabs = nullptr;
  std::vector<std::unique_ptr<TForm>> Children;  // freed before the parent
};

TEST_F(FormSkinMDI, FindsTheSkinningComponentsOfTheMainFormAndItsChildren) {
  EXPECT_EQ(skin::GetFormSkinComponent(Main.get()), &MainSkin());
  EXPECT_EQ(skin::GetFormSkinComponent(nullptr), nullptr);
  EXPECT_EQ(skin::GetFormSkinComponent(Main->Menu()), nullptr);
  TForm& a = AddChild("A");
  TForm& b = AddChild("B");
  EXPECT_EQ(skin::GetMDIChildFormSkinComponent2(), &FormSkinOf(b)) << "the active child's";
  EXPECT_EQ(skin::GetMDIChildFormSkinComponent(), nullptr) << "no child is maximized";
  FormSkinOf(a).SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(skin::GetMDIChildFormSkinComponent(), &FormSkinOf(a));
}

TEST_F(FormSkinMDI, TileFillsColumnsFromTheRightAndRowsFromTheBottom) {
  struct Case {
    int Children;
    std::vector<std::string> Bounds;  // by child index, the most recently activated first
  };
  const std::vector<Case> cases = {
      {1, {"0,0 800x601"}},
      {2, {"0,1 800x300", "0,301 800x300"}},
      {3, {"0,1 800x200", "0,201 800x200", "0,401 800x200"}},
      {5, {"0,1 400x300", "0,301 400x300", "400,1 400x200", "400,201 400x200", "400,401 400x200"}},
  };
  SetWorkArea(800, 601);
  const char* names[] = {"C1", "C2", "C3", "C4", "C5"};
  for (const Case& c : cases) {
    while (static_cast<int>(Children.size()) < c.Children) AddChild(names[Children.size()]);
    MainSkin().Tile();
    windowtesting::Pump();
    ASSERT_EQ(Main->MDIChildCount(), c.Children);
    for (int i = 0; i < c.Children; ++i)
      EXPECT_EQ(BoundsText(*Main->MDIChildren(i)), c.Bounds[static_cast<size_t>(i)])
          << c.Children << " children, child " << i;
  }
}

TEST_F(FormSkinMDI, CascadeStepsByTheCaptionAndStartsAgainAtTheEdge) {
  SetWorkArea(600, 601);
  for (const char* name : {"A", "B", "C"}) AddChild(name);
  // Without a skin the step is the default caption height (19) plus 3.
  MainSkin().Cascade();
  windowtesting::Pump();
  EXPECT_EQ(BoundsText(*Main->MDIChildren(0)), "44,44 556x557") << "the most recent child ends on top";
  EXPECT_EQ(BoundsText(*Main->MDIChildren(2)), "0,0 556x557");

  // 7 children: 600 - 480 leaves room for 5 steps; the seventh would pass the right edge.
  for (const char* name : {"D", "E", "F", "G"}) AddChild(name);
  MainSkin().Cascade();
  windowtesting::Pump();
  EXPECT_EQ(BoundsText(*Main->MDIChildren(6)), "0,0 490x491");
  EXPECT_EQ(BoundsText(*Main->MDIChildren(1)), "110,110 490x491");
  EXPECT_EQ(BoundsText(*Main->MDIChildren(0)), "0,0 490x491");

  // A skinned top border of no height still steps, by one pixel.
  MainSkin().SkinActive = true;
  MainSkin().LaidOutClientRect.top = 0;
  MainSkin().Cascade();
  MainSkin().SkinActive = false;
  EXPECT_EQ(BoundsText(*Main->MDIChildren(0)), "6,6 594x595");
}

TEST_F(FormSkinMDI, AMaximizedChildFillsTheWorkAreaAndNamesItselfInTheMainCaption) {
  SetWorkArea(500, 300);
  TForm& a = AddChild("A");
  AddChild("B");
  a.Show();
  windowtesting::PumpFor(30);
  EXPECT_EQ(MainSkin().FrameCaptionText(), "Main");

  FormSkinOf(a).SetWindowState(TWindowState::wsMaximized);
  windowtesting::PumpFor(30);
  EXPECT_EQ(BoundsText(a), "0,0 500x300");
  EXPECT_TRUE(MainSkin().IsMDIChildMaximized());
  EXPECT_EQ(MainSkin().GetMaximizeMDIChild(), &a);
  EXPECT_EQ(MainSkin().FrameCaptionText(), "Main - [A]");

  // The client window's new size refits the maximized child.
  SetWorkArea(450, 280);
  EXPECT_EQ(BoundsText(a), "0,0 450x280");

  FormSkinOf(a).SetWindowState(TWindowState::wsNormal);
  windowtesting::PumpFor(30);
  EXPECT_FALSE(MainSkin().IsMDIChildMaximized());
  EXPECT_EQ(MainSkin().FrameCaptionText(), "Main");
}

TEST_F(FormSkinMDI, MinimizedChildrenAreParkedAlongTheBottomAndParkedAgainOnResize) {
  SetWorkArea(500, 300);
  TForm& a = AddChild("A");
  TForm& b = AddChild("B");
  MainSkin().MinimizeAll();
  windowtesting::PumpFor(30);
  const int h = FormSkinOf(a).GetMinHeight();
  EXPECT_EQ(a.Top(), 300 - h);
  EXPECT_EQ(b.Top(), 300 - h);
  EXPECT_NE(a.Left(), b.Left()) << "two places side by side";

  SetWorkArea(500, 250);
  EXPECT_EQ(a.Top(), 250 - h);
  EXPECT_EQ(b.Top(), 250 - h);

  MainSkin().RestoreAll();
  EXPECT_EQ(FormSkinOf(a).WindowState, TWindowState::wsNormal);
  EXPECT_EQ(FormSkinOf(b).WindowState, TWindowState::wsNormal);
}

TEST_F(FormSkinMDI, TheWindowMenuListsTheShownChildrenAndChecksTheActiveOne) {
  TForm& a = AddChild("A");
  TForm& ab = AddChild("AB");
  EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"A", "AB*"}));
  EXPECT_EQ(Main->WindowMenu()->Items(0)->Caption(), "&Tile") << "entries go after the menu's own items";

  // The whole name is compared: the entry of A stands for A alone.
  a.Show();
  windowtesting::PumpFor(30);
  EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"A*", "AB"}));

  a.SetCaption("Renamed");
  EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"Renamed*", "AB"}));

  // Choosing an entry brings its child forward, restoring it when minimized.
  FormSkinOf(ab).SetWindowState(TWindowState::wsMinimized);
  Main->WindowMenu()->Items(2)->Click();
  windowtesting::PumpFor(30);
  EXPECT_EQ(Main->ActiveMDIChild(), &ab);
  EXPECT_EQ(FormSkinOf(ab).WindowState, TWindowState::wsNormal);
  EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"Renamed", "AB*"}));

  a.Hide();
  ab.Hide();
  windowtesting::PumpFor(30);
  EXPECT_TRUE(WindowEntries().empty());
  EXPECT_EQ(Main->WindowMenu()->Count(), 1);
}

TEST_F(FormSkinMDI, TabsFollowTheChildrenMadeActivatedAndClosed) {
  TForm& a = AddChild("A");
  AddChild("B");
  AddChild("C");
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"A", "B", "C*"}));
  a.Show();
  windowtesting::PumpFor(30);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"A*", "B", "C"}));

  std::vector<std::string> left;
  Tabs->OnTabMouseLeave = [&left](skin::TskMDITab* Tab) { left.push_back(Tab->Child->Caption()); };
  Tabs->TestActive(Tabs->Tabs(1)->ObjectRect.left + 5, 5);
  ASSERT_EQ(Tabs->HotTabIndex(), 1);
  Children[1]->Hide();  // B closes while the pointer is on its tab
  windowtesting::PumpFor(30);
  EXPECT_EQ(left, (std::vector<std::string>{"B"})) << "the leave event comes before the tab goes";
  EXPECT_EQ(Tabs->HotTabIndex(), -1);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"A*", "C"}));

  // A child freed while shown takes its tab (and its window-menu entry) with it.
  Children.erase(Children.begin() + 2);
  windowtesting::PumpFor(30);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"A*"}));
  EXPECT_EQ(WindowEntries(), (std::vector<std::string>{"A*"}));
  Tabs->Repaint();
}

TEST_F(FormSkinMDI, ClickingATabShowsItsChildAndDraggingReordersTheTabs) {
  TForm& a = AddChild("A");
  AddChild("B");
  AddChild("C");
  FormSkinOf(a).SetWindowState(TWindowState::wsMinimized);
  const auto press = [this](UINT Msg, int X) { Tabs->Perform(Msg, Msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(X, 5)); };
  // Tabs of 100 pixels: A 0..100, B 100..200, C 200..300.
  press(WM_LBUTTONDOWN, 50);
  press(WM_LBUTTONUP, 50);
  windowtesting::PumpFor(30);
  EXPECT_EQ(Main->ActiveMDIChild(), &a);
  EXPECT_EQ(FormSkinOf(a).WindowState, TWindowState::wsNormal) << "a minimized child is restored";

  // Released before the dragged tab's edge passes B's middle: no change.
  press(WM_LBUTTONDOWN, 50);
  press(WM_MOUSEMOVE, 80);
  EXPECT_TRUE(Tabs->DragInProgress());
  EXPECT_EQ(Tabs->GetMoveIndex(), -1);
  press(WM_LBUTTONUP, 80);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"A*", "B", "C"}));

  // Past B's middle: A goes behind B.
  press(WM_LBUTTONDOWN, 50);
  press(WM_MOUSEMOVE, 160);
  EXPECT_EQ(Tabs->GetMoveIndex(), 1);
  press(WM_LBUTTONUP, 160);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"B", "A*", "C"}));
  EXPECT_FALSE(Tabs->DragInProgress());

  // Dragged left past the middle of the first tab: C goes first.
  press(WM_LBUTTONDOWN, 250);
  press(WM_MOUSEMOVE, 90);
  press(WM_LBUTTONUP, 90);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"C*", "B", "A"}));
}

TEST_F(FormSkinMDI, ARightClickOnATabOpensThatChildsSystemMenu) {
  AddChild("A");
  AddChild("B");
  std::vector<std::string> downs;
  Tabs->OnTabMouseDown = [&downs](TMouseButton, TShiftState, skin::TskMDITab* Tab) {
    downs.push_back(Tab->Child->Caption());
  };
  Tabs->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 5));
  windowtesting::Pump();
  ASSERT_NE(MainSkin().SkinMenu, nullptr);
  ASSERT_TRUE(MainSkin().SkinMenu->IsOpen) << "opened by the main form's engine";
  ASSERT_EQ(MainSkin().SkinMenu->PopupWindows.size(), 1u);
  bool closeItem = false;
  for (const auto& item : MainSkin().SkinMenu->PopupWindows[0]->MenuItems)
    closeItem = closeItem || item->SourceItem->Name() == "FSK_CLOSE";
  EXPECT_TRUE(closeItem);
  EXPECT_EQ(MainSkin().SkinMenu->PopupWindows[0]->MenuItems[0]->SourceItem->Owner(), &FormSkinOf(*Children[0]))
      << "the system menu of A, the child under the pointer";
  EXPECT_EQ(downs, (std::vector<std::string>{"A"}));
  MainSkin().SkinMenu->CloseMenu(0);
  MainSkin().SkinMenuClose();
  windowtesting::Pump();
  Tabs->OnTabMouseDown = nullptr;
}

TEST_F(FormSkinMDI, TheClientWindowIsBorderlessAndPaintsTheWorkspaceColour) {
  const HWND client = Main->ClientHandle();
  RECT window, inner;
  GetWindowRect(client, &window);
  GetClientRect(client, &inner);
  EXPECT_EQ(inner.right, window.right - window.left) << "no border and no scroll bars";
  EXPECT_EQ(inner.bottom, window.bottom - window.top);
  RedrawWindow(client, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  windowtesting::Pump();
  EXPECT_EQ(ScreenPixel(window.left + 1, window.top + 1), static_cast<COLORREF>(GetSysColor(COLOR_APPWORKSPACE)));
  EXPECT_EQ(ScreenPixel((window.left + window.right) / 2, window.bottom - 2),
            static_cast<COLORREF>(GetSysColor(COLOR_APPWORKSPACE)));
}

TEST_F(FormSkinMDI, TheClientWindowGetsItsOwnProcedureBackWhenTheComponentGoesFirst) {
  TForm& a = AddChild("A");
  AddChild("B");
  a.Show();
  windowtesting::PumpFor(30);
  delete &MainSkin();
  EXPECT_EQ(Main->ActiveMDIChild(), &a) << "the client still answers its own messages";
  RedrawWindow(Main->ClientHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  windowtesting::PumpFor(30);
}

TEST_F(FormSkinMDI, AChildDraggedInClientModeSnapsToTheWorkAreaInItsOwnCoordinates) {
  Children.push_back(ShowForm("object A: TForm\n  FormStyle = fsMDIChild\n  Width = 200\n  Height = 150\n"
                              "  object FormSkin: TskFormSkin\n    SupportNCArea = False\n    Magnetic = True\n  end\nend\n"));
  TForm& a = *Children.back();
  a.SetBounds(4, 40, 200, 150);
  TskFormSkin& fs = FormSkinOf(a);
  // The pointer moved 3 pixels right since the last step of a drag.
  SetCursorPos(300, 300);
  fs.DragInProgress = true;
  fs.DragX = 297;
  fs.DragY = 300;
  a.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  fs.DragInProgress = false;
  EXPECT_EQ(BoundsText(a), "0,40 200x150") << "7 pixels from the client's left edge: snapped to it";
}

// A main form whose main-menu bar merges the active child's menu.
const char* const BarParentForm = R"(object TestForm: TForm
  FormStyle = fsMDIForm
  Left = 20
  Top = 20
  Width = 600
  Height = 400
  Caption = 'Main'
  object FormSkin: TskFormSkin
    MainMenuBar = Bar
  end
  object Bar: TskSkinMainMenuBar
    Align = alTop
    MainMenu = MainMenu1
    FormSkin = FormSkin
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
    end
    object Window1: TMenuItem
      Caption = '&Window'
      GroupIndex = 9
    end
  end
end
)";

TEST(FormSkinMDIMainMenuBar, TheBarMergesTheActiveChildsMenuAndShowsTheChildButtonsOnce) {
  ::RegisterSkinFormClasses();
  windowtesting::InitApplication();
  TForm* form = nullptr;
  Application->CreateForm(form);
  std::unique_ptr<TForm> main(form);
  ReadComponentText(form, BarParentForm, "TestForm");
  main->Show();
  windowtesting::PumpFor(50);
  auto* bar = dynamic_cast<skin::TskSkinMainMenuBar*>(main->FindComponent("Bar"));
  ASSERT_NE(bar, nullptr);
  const auto items = [bar] {
    std::string names;
    for (skin::TskSkinMainMenuBarItem* item : bar->Items()) names += item->MenuItem->Name() + " ";
    return names;
  };
  EXPECT_EQ(items(), "File1 Window1 ");

  std::vector<std::unique_ptr<TForm>> children;
  children.push_back(ShowForm("object A: TForm\n  FormStyle = fsMDIChild\n  Width = 200\n  Height = 150\n"
                              "  object FormSkin: TskFormSkin\n  end\n  object ChildMenu: TMainMenu\n"
                              "    object Edit1: TMenuItem\n      Caption = '&Edit'\n      GroupIndex = 1\n    end\n"
                              "  end\nend\n"));
  EXPECT_EQ(items(), "File1 Edit1 Window1 ") << "the active child's menu merged by group";
  children.push_back(ShowForm(ChildText("B")));
  EXPECT_EQ(items(), "File1 Window1 ") << "a child without a menu takes the merged items away";

  TForm& a = *children[0];
  TForm& b = *children[1];
  FormSkinOf(a).SetWindowState(TWindowState::wsMaximized);
  FormSkinOf(b).SetWindowState(TWindowState::wsMaximized);
  windowtesting::PumpFor(30);
  EXPECT_EQ(bar->ButtonCount, 4) << "the child buttons come once";
  FormSkinOf(a).SetWindowState(TWindowState::wsNormal);
  EXPECT_EQ(bar->ButtonCount, 4) << "B is still maximized";
  EXPECT_EQ(FormSkinOf(*main).FrameCaptionText(), "Main - [B]");
  FormSkinOf(b).SetWindowState(TWindowState::wsNormal);
  EXPECT_EQ(bar->ButtonCount, 0);

  // A maximized child freed with its form takes its buttons and the caption's brackets along.
  FormSkinOf(a).SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(bar->ButtonCount, 4);
  children.erase(children.begin());
  windowtesting::PumpFor(30);
  EXPECT_EQ(bar->ButtonCount, 0);
  EXPECT_FALSE(FormSkinOf(*main).IsMDIChildMaximized());
  EXPECT_EQ(FormSkinOf(*main).FrameCaptionText(), "Main");
  children.clear();
}

// The layout of the tabs on a bar 150 pixels wide.
TEST(SkinMDITabsBar, TabsShareTheBarUpToTheirWidestAndTheLastReachesTheEdge) {
  ::RegisterSkinFormClasses();
  auto form = ShowForm("object TestForm: TForm\n  Width = 300\n  Height = 120\n  object Tabs: TskSkinMDITabsBar\n"
                       "    Width = 150\n  end\nend\n");
  auto* bar = dynamic_cast<TskSkinMDITabsBar*>(form->FindComponent("Tabs"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Height(), 21);
  struct Case {
    int Tabs;
    std::vector<std::string> Spans;
  };
  const std::vector<Case> cases = {
      {0, {}},
      {1, {"0-100"}},
      {3, {"0-50", "50-100", "100-150"}},
      {7, {"0-21", "21-42", "42-63", "63-84", "84-105", "105-126", "126-150"}},
  };
  std::vector<std::unique_ptr<TForm>> children;
  for (const Case& c : cases) {
    while (static_cast<int>(children.size()) < c.Tabs) {
      children.push_back(std::make_unique<TForm>(nullptr));
      children.back()->SetCaption("A caption far too wide for its tab");
      bar->AddTab(children.back().get());
    }
    bar->Repaint();  // laid out and painted, no tabs included
    std::vector<std::string> spans;
    for (int i = 0; i < bar->TabCount(); ++i)
      spans.push_back(std::to_string(bar->Tabs(i)->ObjectRect.left) + "-" + std::to_string(bar->Tabs(i)->ObjectRect.right));
    EXPECT_EQ(spans, c.Spans) << c.Tabs << " tabs";
  }
  for (auto& child : children) bar->DeleteTab(child.get());
  EXPECT_EQ(bar->TabCount(), 0);
}

TEST(SkinMDITabsBar, TheDefaultLookMarksTheActiveAndTheHotTab) {
  ::RegisterSkinFormClasses();
  auto form = ShowForm("object TestForm: TForm\n  Width = 400\n  Height = 120\n  object Tabs: TskSkinMDITabsBar\n"
                       "    Width = 350\n  end\nend\n");
  auto* bar = dynamic_cast<TskSkinMDITabsBar*>(form->FindComponent("Tabs"));
  std::vector<std::unique_ptr<TForm>> children;
  for (int i = 0; i < 3; ++i) {
    children.push_back(std::make_unique<TForm>(nullptr));
    bar->AddTab(children.back().get());
  }
  bar->Tabs(0)->Active = true;
  bar->Repaint();
  bar->TestActive(150, 5);
  windowtesting::Pump();
  const POINT origin = bar->ClientOrigin();
  EXPECT_EQ(ScreenPixel(origin.x + 50, origin.y + 2), 0xB59385u) << "active";
  EXPECT_EQ(ScreenPixel(origin.x + 150, origin.y + 2), 0xD2BDB6u) << "hot";
  EXPECT_EQ(ScreenPixel(origin.x + 250, origin.y + 2), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ScreenPixel(origin.x + 340, origin.y + 2), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)))
      << "the bar behind the tabs";
}

}  // namespace

// A "tab" description with flat-coloured tab pictures 40 x 24: normal, active and hot, each with a
// 3-pixel marker stripe along its top, and a background piece.
constexpr COLORREF TabColor = 0x0000C8, ActiveTabColor = 0x00C800, HotTabColor = 0xC80000;
constexpr COLORREF TabTopColor = 0x00C8C8, TabsBGColor = 0x404040;

class TTabSkin {
public:
  TTabSkin() {
    testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), R"([VERSION]
ver=2
skinname=Tabs

[PICTURES]
activepicturescount=1
0=tabs.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=1
0=tab:tab

[tab]
pictureindex=0
tabrect=0,0,40,24
activetabrect=0,24,40,48
mouseintabrect=0,48,40,72
tabsbgrect=40,0,50,24
tableftoffset=4
tabrightoffset=4
fontname=Arial
fontheight=14
fontcolor=16777215
focusfontcolor=0
mouseinfontcolor=0
)");
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(50, 72);
    TCanvas& c = *picture.Canvas();
    const auto fill = [&c](const TRect& R, COLORREF Color) {
      c.Brush()->SetColor(static_cast<TColor>(Color));
      c.FillRect(R);
    };
    fill(Rect(0, 0, 50, 72), TabsBGColor);
    const COLORREF looks[] = {TabColor, ActiveTabColor, HotTabColor};
    for (int i = 0; i < 3; ++i) {
      fill(Rect(0, i * 24, 40, i * 24 + 24), looks[i]);
      fill(Rect(0, i * 24, 40, i * 24 + 3), TabTopColor);
    }
    picture.SaveToFile(FDir.windowsFile("tabs.bmp"));
    FSkin = std::make_unique<skin::TskSkinData>(nullptr);
    FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
    EXPECT_FALSE(FSkin->Empty) << "the tab skin did not load";
  }
  skin::TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
};

TEST(SkinMDITabsBar, SkinnedTabsTakeTheirLookAndHeightFromTheTabDescription) {
  ::RegisterSkinFormClasses();
  TTabSkin tabSkin;
  for (const TAlign align : {TAlign::alTop, TAlign::alBottom}) {
    auto form = ShowForm("object TestForm: TForm\n  Width = 400\n  Height = 160\n  object Tabs: TskSkinMDITabsBar\n"
                         "    Width = 300\n  end\nend\n");
    auto* bar = dynamic_cast<TskSkinMDITabsBar*>(form->FindComponent("Tabs"));
    bar->SetAlign(align);
    bar->SetSkinData(&tabSkin.Skin());
    EXPECT_EQ(bar->Height(), 24) << "the height of the tab picture";
    std::vector<std::unique_ptr<TForm>> children;
    for (int i = 0; i < 3; ++i) {
      children.push_back(std::make_unique<TForm>(nullptr));
      bar->AddTab(children.back().get());
    }
    bar->SetWidth(form->ClientWidth() - 20);
    bar->Tabs(0)->Active = true;
    bar->Repaint();
    bar->TestActive(150, 5);
    windowtesting::Pump();
    const POINT o = bar->ClientOrigin();
    const int stripe = align == TAlign::alBottom ? 22 : 1;  // the picture upside down along the bottom
    EXPECT_EQ(ScreenPixel(o.x + 50, o.y + 12), ActiveTabColor);
    EXPECT_EQ(ScreenPixel(o.x + 150, o.y + 12), HotTabColor);
    EXPECT_EQ(ScreenPixel(o.x + 250, o.y + 12), TabColor);
    EXPECT_EQ(ScreenPixel(o.x + 250, o.y + stripe), TabTopColor) << (align == TAlign::alBottom ? "bottom" : "top");
    EXPECT_EQ(ScreenPixel(o.x + bar->Width() - 2, o.y + 12), TabsBGColor) << "the background past the tabs";
  }
}
