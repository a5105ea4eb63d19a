// The notification-area icon: the record the shell receives (through the replaceable shell function),
// clicks told from double clicks by the double-click time, icon indexes, the shell's restart,
// minimizing the application to the icon through the form frame, and one run against Wine's own
// notification area.
#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Shell.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinTrayIcon.h"

#include <cstring>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

struct TShellCall {
  DWORD Message;
  NOTIFYICONDATAA Data;
};

// Records the shell calls instead of making them, for as long as it lives.
class TShellRecorder {
public:
  TShellRecorder() : FSaved(ShellNotifyIconProc()) {
    ShellNotifyIconProc() = [this](DWORD Message, NOTIFYICONDATAA* Data) {
      Calls.push_back({Message, *Data});
      return TRUE;
    };
  }
  ~TShellRecorder() { ShellNotifyIconProc() = FSaved; }
  std::vector<TShellCall> Calls;

private:
  TShellNotifyIconProc FSaved;
};

class TrayIconTest : public ::testing::Test {
protected:
  void SetUp() override {
    windowtesting::InitApplication();
    Icon = std::make_unique<TskTrayIcon>(nullptr);
    Icon->OnClick = [this](TObject*) { Events.push_back("click"); };
    Icon->OnDblClick = [this](TObject*) { Events.push_back("dblclick"); };
    Icon->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState, int, int) {
      Events.push_back(B == TMouseButton::mbLeft ? "down" : "rdown");
    };
    Icon->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState, int, int) {
      Events.push_back(B == TMouseButton::mbLeft ? "up" : "rup");
    };
  }
  void TearDown() override { Icon.reset(); }

  void Mouse(UINT Message) { SendMessageW(Icon->Handle(), WM_TRAYNOTIFY, 1, Message); }

  TShellRecorder Shell;
  std::unique_ptr<TskTrayIcon> Icon;
  std::vector<std::string> Events;
};

std::unique_ptr<TImageList> IconList(int Count) {
  auto list = std::make_unique<TImageList>(nullptr);
  for (int i = 0; i < Count; ++i) {
    TBitmap picture;
    picture.SetPixelFormat(TPixelFormat::pf24bit);
    picture.SetSize(16, 16);
    picture.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(40 * i, 0, 0)));
    picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
    list->Add(&picture, nullptr);
  }
  return list;
}

}  // namespace

TEST_F(TrayIconTest, ShellRecordCarriesTheIconAndItsTip) {
  Icon->SetHint(std::string(200, 'x'));
  Icon->Loaded();
  ASSERT_GE(Shell.Calls.size(), 2u);
  const TShellCall& add = Shell.Calls.back();
  EXPECT_EQ(add.Message, static_cast<DWORD>(NIM_ADD));
  const NOTIFYICONDATAA& d = add.Data;
  EXPECT_EQ(d.cbSize, offsetof(NOTIFYICONDATAA, guidItem));
  EXPECT_EQ(d.hWnd, Icon->Handle());
  EXPECT_EQ(d.uID, 1u);
  EXPECT_EQ(d.uFlags, 7u);
  EXPECT_EQ(d.uCallbackMessage, 0x800u);
  EXPECT_EQ(d.hIcon, Icon->Icon().Handle());
  EXPECT_NE(d.hIcon, nullptr);
  // At most 127 characters of the tip are used.
  EXPECT_EQ(std::string(d.szTip), std::string(127, 'x'));
  EXPECT_EQ(d.dwState, 0u);
  EXPECT_EQ(d.dwStateMask, 0u);

  // Without ShowHint the tip is empty.
  Icon->SetShowHint(false);
  EXPECT_EQ(Shell.Calls.back().Message, static_cast<DWORD>(NIM_MODIFY));
  EXPECT_EQ(Shell.Calls.back().Data.szTip[0], 0);
  Icon->SetIconVisible(false);
  EXPECT_EQ(Shell.Calls.back().Message, static_cast<DWORD>(NIM_DELETE));
  EXPECT_FALSE(Icon->IconVisible());
}

TEST_F(TrayIconTest, BalloonHintGoesOutWithTheInfoFlag) {
  Shell.Calls.clear();
  EXPECT_TRUE(Icon->ShowBalloonHint("Title", "Some text", TskBalloonHintIcon::skbitWarning));
  ASSERT_EQ(Shell.Calls.size(), 2u);
  // First the old balloon is emptied, then the new one shown.
  EXPECT_EQ(Shell.Calls[0].Data.uFlags, 7u | NIF_INFO);
  EXPECT_EQ(Shell.Calls[0].Data.szInfo[0], 0);
  const NOTIFYICONDATAA& d = Shell.Calls[1].Data;
  EXPECT_EQ(d.uFlags, 7u | NIF_INFO);
  EXPECT_STREQ(d.szInfo, "Some text");
  EXPECT_STREQ(d.szInfoTitle, "Title");
  EXPECT_EQ(d.dwInfoFlags, 2u);
  EXPECT_EQ(Icon->NotifyData().uFlags, 7u);
  // Long texts are cut to the fields.
  Icon->ShowBalloonHint(std::string(100, 't'), std::string(300, 'i'), TskBalloonHintIcon::skbitError);
  EXPECT_EQ(std::strlen(Shell.Calls.back().Data.szInfo), 255u);
  EXPECT_EQ(std::strlen(Shell.Calls.back().Data.szInfoTitle), 63u);
  EXPECT_EQ(Shell.Calls.back().Data.dwInfoFlags, 3u);
}

TEST_F(TrayIconTest, ClickIsToldFromDoubleClickByTheDoubleClickTime) {
  const DWORD later = GetDoubleClickTime() + 150;
  // A single click: the click once the double-click time has passed.
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(Events, (std::vector<std::string>{"down", "up"}));
  windowtesting::PumpFor(later);
  EXPECT_EQ(Events, (std::vector<std::string>{"down", "up", "click"}));
  // A double click: no click at all.
  Events.clear();
  Mouse(WM_LBUTTONDOWN);
  Mouse(WM_LBUTTONUP);
  Mouse(WM_LBUTTONDBLCLK);
  Mouse(WM_LBUTTONUP);
  windowtesting::PumpFor(later);
  EXPECT_EQ(Events, (std::vector<std::string>{"down", "up", "dblclick", "up"}));
  // A press held past the double-click time clicks on release.
  Events.clear();
  Mouse(WM_LBUTTONDOWN);
  windowtesting::PumpFor(later);
  Mouse(WM_LBUTTONUP);
  EXPECT_EQ(Events, (std::vector<std::string>{"down", "click", "up"}));
  // Right button; and nothing while disabled.
  Events.clear();
  Mouse(WM_RBUTTONDOWN);
  Mouse(WM_RBUTTONUP);
  Icon->SetEnabled(false);
  Mouse(WM_LBUTTONDOWN);
  EXPECT_EQ(Events, (std::vector<std::string>{"rdown", "rup"}));
}

TEST_F(TrayIconTest, DoubleClickRunsTheMenusDefaultItem) {
  TskSkinPopupMenu menu(nullptr);
  int clicked = 0;
  for (int i = 0; i < 3; ++i) {
    auto* item = new TMenuItem(&menu);  // owned by the menu
    item->SetCaption("Item");
    item->SetDefault(i > 0);
    item->OnClick = [&clicked, i](TObject*) { clicked = i; };
    menu.Items()->Add(item);
  }
  Icon->SetPopupMenu(&menu);
  Mouse(WM_LBUTTONDBLCLK);
  EXPECT_EQ(clicked, 1);
  Icon->SetPopupMenu(nullptr);
}

TEST_F(TrayIconTest, IconIndexStaysWithinTheList) {
  auto list = IconList(3);
  Icon->SetIconList(list.get());
  Icon->SetIconIndex(7);
  EXPECT_EQ(Icon->IconIndex(), 2);
  Icon->SetIconIndex(-4);
  EXPECT_EQ(Icon->IconIndex(), 0);
  // An empty list keeps the icon there is.
  auto empty = IconList(0);
  const HICON before = Icon->Icon().Handle();
  Icon->SetIconList(empty.get());
  Icon->SetIconIndex(5);
  EXPECT_EQ(Icon->IconIndex(), 0);
  EXPECT_EQ(Icon->Icon().Handle(), before);
  EXPECT_NE(before, nullptr);
  // Cycling names the index the next tick shows.
  std::vector<int> next;
  Icon->SetIconList(list.get());
  Icon->OnCycle = [&next](TObject*, int NextIndex) { next.push_back(NextIndex); };
  Icon->SetAnimateTimerInterval(20);
  Icon->SetCycleIcons(true);
  windowtesting::PumpFor(150);
  Icon->SetCycleIcons(false);
  ASSERT_GE(next.size(), 3u);
  EXPECT_EQ((std::vector<int>{next[0], next[1], next[2]}), (std::vector<int>{1, 2, 0}));
  Icon->SetIconList(nullptr);
}

TEST_F(TrayIconTest, BitmapBecomesASixteenPixelIcon) {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf24bit);
  picture.SetSize(16, 16);
  picture.Canvas()->Brush()->SetColor(clRed);
  picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
  TIcon icon;
  EXPECT_TRUE(TskTrayIcon::BitmapToIcon(picture, icon, clFuchsia));
  ASSERT_FALSE(icon.Empty());
  EXPECT_EQ(icon.Width(), 16);
  Icon->SetIcon(icon);
  EXPECT_NE(Icon->NotifyData().hIcon, nullptr);
}

TEST_F(TrayIconTest, VisibleIconComesBackWhenTheShellRestarts) {
  Icon->Loaded();
  Shell.Calls.clear();
  SendMessageW(Icon->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_EQ(Shell.Calls.size(), 1u);
  EXPECT_EQ(Shell.Calls[0].Message, static_cast<DWORD>(NIM_ADD));
  Icon->SetIconVisible(false);
  Shell.Calls.clear();
  SendMessageW(Icon->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(Shell.Calls.empty());
}

TEST(TrayIconFrame, MinimizingToTheTrayHidesTheMainFormAndRestoringShowsIt) {
  TShellRecorder shell;
  windowtesting::InitApplication();
  ASSERT_EQ(Application->MainForm(), nullptr);
  TForm* form = nullptr;
  Application->CreateForm(form);
  std::unique_ptr<TForm> main(form);
  form->SetBounds(100, 100, 300, 200);
  auto* frame = new TskFormSkin(form);    // owned by the form
  auto* icon = new TskTrayIcon(form);     // owned by the form
  int minimized = 0, restored = 0;
  frame->OnMinimizeToTray = [&](TObject*) { ++minimized; };
  frame->OnRestoreFromTray = [&](TObject*) { ++restored; };
  frame->SetTrayIcon(icon);
  // The frame hides the icon while the form is shown; the icon drops the frame's tray menu and
  // restores the form on a double click.
  EXPECT_FALSE(icon->IconVisible());
  EXPECT_EQ(icon->PopupMenu(), frame->TrayMenu);
  ASSERT_TRUE(icon->OnDblClick);
  form->Show();
  windowtesting::Pump();

  frame->MinimizeToTray();
  windowtesting::Pump();
  EXPECT_TRUE(icon->MinimizeToTray());
  EXPECT_FALSE(form->Visible());
  EXPECT_TRUE(icon->IconVisible());
  EXPECT_EQ(shell.Calls.back().Message, static_cast<DWORD>(NIM_ADD));
  EXPECT_EQ(minimized, 1);

  SendMessageW(icon->Handle(), WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
  windowtesting::Pump();
  EXPECT_FALSE(icon->MinimizeToTray());
  EXPECT_TRUE(form->Visible());
  EXPECT_FALSE(IsIconic(form->Handle()));
  EXPECT_FALSE(icon->IconVisible());
  EXPECT_EQ(restored, 1);

  // The icon goes first: the frame keeps no reference to it.
  delete icon;
  EXPECT_EQ(frame->TrayIcon(), nullptr);
  frame->MinimizeToTray();
  EXPECT_EQ(minimized, 1);
  main.reset();
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(TrayIconShell, WinesNotificationAreaTakesTheIcon) {
  windowtesting::InitApplication();
  TskTrayIcon icon(nullptr);
  icon.SetHint("Tavrel");
  // Through the real shell: add, change, balloon, delete.
  EXPECT_TRUE(icon.ShowIcon());
  EXPECT_TRUE(icon.ModifyIcon());
  EXPECT_TRUE(icon.ShowBalloonHint("Tavrel", "A balloon", TskBalloonHintIcon::skbitInfo));
  EXPECT_TRUE(icon.HideIcon());
}

TEST(TrayIconFrame, IconWithAMenuOfItsOwnKeepsItAndItsDoubleClick) {
  TShellRecorder shell;
  windowtesting::InitApplication();
  auto form = windowtesting::ReadForm("object TestForm: TForm\nend\n");
  auto* frame = new TskFormSkin(form.get());  // owned by the form
  auto* icon = new TskTrayIcon(form.get());   // owned by the form
  TskSkinPopupMenu menu(nullptr);
  icon->SetPopupMenu(&menu);
  frame->SetAlwaysShowInTray(true);
  icon->SetIconVisible(true);
  frame->SetTrayIcon(icon);
  EXPECT_EQ(icon->PopupMenu(), &menu);
  EXPECT_FALSE(icon->OnDblClick);
  EXPECT_TRUE(icon->IconVisible());
  icon->SetPopupMenu(nullptr);
}

TEST(TrayIconFrame, ReadFromAFormDescription) {
  TShellRecorder shell;
  windowtesting::InitApplication();
  RegisterSkinFormClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Tray1: TskTrayIcon
    Hint = 'From the description'
    PopupByLeftButton = True
    AnimateTimerInterval = 300
    IconVisible = False
  end
  object HintComp: TskSkinHint
    AlphaBlendValue = 150
    UseSkinFont = False
    DefaultFont.Height = 20
  end
  object skFormSkin1: TskFormSkin
    TrayIcon = Tray1
    SkinHint = HintComp
  end
end
)");
  auto& icon = dynamic_cast<TskTrayIcon&>(*form->FindComponent("Tray1"));
  auto& hint = dynamic_cast<TskSkinHint&>(*form->FindComponent("HintComp"));
  auto& frame = dynamic_cast<TskFormSkin&>(*form->FindComponent("skFormSkin1"));
  EXPECT_EQ(icon.Hint(), "From the description");
  EXPECT_TRUE(icon.PopupByLeftButton());
  EXPECT_EQ(icon.AnimateTimerInterval(), 300u);
  EXPECT_FALSE(icon.IconVisible());
  EXPECT_STREQ(icon.NotifyData().szTip, "From the description");
  EXPECT_EQ(hint.AlphaBlendValue(), 150);
  EXPECT_FALSE(hint.UseSkinFont());
  EXPECT_EQ(hint.DefaultFont().Height(), 20);
  EXPECT_EQ(frame.TrayIcon(), &icon);
  EXPECT_EQ(frame.SkinHint(), &hint);
}

TEST(TrayIconFrame, MinimizedOnStartKeepsTheMainFormHiddenInTheTray) {
  TShellRecorder shell;
  windowtesting::InitApplication();
  auto form = windowtesting::ReadForm("object TestForm: TForm\nend\n");
  auto* icon = new TskTrayIcon(form.get());  // owned by the form
  icon->SetIconVisible(false);
  icon->SetMinimizedOnStart(true);
  icon->Loaded();
  EXPECT_TRUE(icon->IconVisible());
  EXPECT_TRUE(icon->MinimizeToTray());
  EXPECT_FALSE(Application->ShowMainForm());
  EXPECT_EQ(shell.Calls.back().Message, static_cast<DWORD>(NIM_ADD));
  Application->SetShowMainForm(true);
}
