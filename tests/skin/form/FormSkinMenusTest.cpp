#include "tests/skin/form/FormSkinTesting.h"

#include "platform/classlib/Menus.h"
#include "skin/data/ResourceStrData.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMessageRouter.h"
#include "skin/form/SkinPopupMenu.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace formskintesting;

namespace {

// An item's name, or "-" for a separator.
std::vector<std::string> Names(const TMenuItem& Items) {
  std::vector<std::string> names;
  for (int i = 0; i < Items.Count(); ++i)
    names.push_back(Items.Items(i)->IsLine() ? "-" : Items.Items(i)->Name());
  return names;
}

TMenuItem* Item(const TMenuItem& Items, const std::string& Name) {
  for (int i = 0; i < Items.Count(); ++i)
    if (Items.Items(i)->Name() == Name) return Items.Items(i);
  return nullptr;
}

// The form in front with its activation messages handled: they would close a menu opened before.
void Activate(TForm& Form) {
  SetForegroundWindow(Form.Handle());
  windowtesting::PumpFor(100);
}

void PostKey(TForm& Form, WORD Key) {
  PostMessageW(Form.Handle(), WM_KEYDOWN, Key, 0);
  windowtesting::Pump();
}

TEST(FormSkinMenus, TheSystemMenuFollowsTheFormsStateAndIcons) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  using I = TskBorderIcon;
  struct TCase {
    const char* what;
    TskBorderIcons icons;
    std::function<void()> state;
    std::vector<std::string> names;
  };
  const std::vector<TCase> cases{
      {"the program's forms", {I::biSystemMenu, I::biMinimize, I::biRollUp}, [] {},
       {"FSK_MINITEM", "FSK_ROLLUP", "-", "FSK_CLOSE"}},
      {"rolled up", {I::biSystemMenu, I::biMinimize, I::biRollUp}, [&fs] { fs.SetRollUpState(true); },
       {"FSK_MINITEM", "FSK_RESTORE", "-", "FSK_CLOSE"}},
      {"maximized", {I::biSystemMenu, I::biMinimize, I::biMaximize, I::biMinimizeToTray},
       [&fs] { fs.SetWindowState(TWindowState::wsMaximized); },
       {"FSK_MINITEM", "FSK_RESTORE", "FSK_MINTOTRAY", "-", "FSK_CLOSE"}},
      {"no icons", {}, [] {}, {"FSK_CLOSE"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.what);
    fs.SetBorderIcons(c.icons);
    c.state();
    TMenuItem* items = fs.GetSystemMenu();
    EXPECT_EQ(Names(*items), c.names);
    TMenuItem* close = Item(*items, "FSK_CLOSE");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->Caption(), "&Close");
    EXPECT_EQ(ShortCutToText(close->ShortCut()), "Alt+F4");
    // Restore undoes the state the case made.
    if (TMenuItem* restore = Item(*items, "FSK_RESTORE")) {
      EXPECT_EQ(restore->Caption(), "&Restore");
      restore->Click();
      windowtesting::Pump();
      EXPECT_FALSE(fs.RollUpState);
      EXPECT_EQ(fs.WindowState, TWindowState::wsNormal);
    }
  }
}

TEST(FormSkinMenus, CaptionsComeFromTheSkinsStringTableWhenItHasOne) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetBorderIcons({TskBorderIcon::biMinimize});
  TskSkinData strings(nullptr);
  TskResourceStrData table(nullptr);
  TStringList lines;
  lines.Add("mi_mincaption=Shrink");
  table.SetResStrs(lines);
  strings.SetResourceStrData(&table);
  fs.SetSkinData(&strings);
  TMenuItem* items = fs.GetSystemMenu();
  EXPECT_EQ(Item(*items, "FSK_MINITEM")->Caption(), "Shrink");
  EXPECT_EQ(Item(*items, "FSK_CLOSE")->Caption(), "") << "a key the table lacks";
  // The tray menu was made with the component, before any skin.
  EXPECT_EQ(Item(*fs.TrayMenu->Items(), "TRAY_FSK_CLOSE")->Caption(), "&Close");
  fs.SetSkinData(nullptr);
  EXPECT_EQ(Item(*fs.GetSystemMenu(), "FSK_MINITEM")->Caption(), "Mi&nimize");
}

TEST(FormSkinMenus, RestoreUnrollsAMaximizedFormAndKeepsItMaximized) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetWindowState(TWindowState::wsMaximized);
  fs.SetRollUpState(true);
  TMenuItem* restore = Item(*fs.GetSystemMenu(), "FSK_RESTORE");
  ASSERT_NE(restore, nullptr);
  restore->Click();
  windowtesting::Pump();
  EXPECT_FALSE(fs.RollUpState);
  EXPECT_EQ(fs.WindowState, TWindowState::wsMaximized);
}

TEST(FormSkinMenus, TheApplicationsSystemMenuGetsTheStandardItemsOnce) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  TPopupMenu own(form.get());
  auto* about = new TMenuItem(form.get());
  about->SetName("About1");
  about->SetCaption("About");
  own.Items()->Add(about);
  fs.SetSystemMenu(&own);
  fs.SetBorderIcons({TskBorderIcon::biMinimize, TskBorderIcon::biMaximize, TskBorderIcon::biRollUp,
                     TskBorderIcon::biMinimizeToTray});
  const std::vector<std::string> expected{"FSK_MINITEM", "FSK_MAXITEM", "FSK_ROLLUP", "FSK_MINTOTRAY", "About1",
                                          "FSK_CLOSE"};
  EXPECT_EQ(Names(*fs.GetSystemMenu()), expected);
  EXPECT_EQ(fs.GetSystemMenu(), own.Items());
  EXPECT_EQ(Names(*own.Items()), expected) << "opened twice";
  // The built-in menu and the application's do not clash over the items' names.
  fs.SetSystemMenu(nullptr);
  EXPECT_EQ(Names(*fs.GetSystemMenu()).back(), "FSK_CLOSE");
  fs.SetSystemMenu(&own);
  EXPECT_EQ(Names(*fs.GetSystemMenu()), expected);

  TPopupMenu plain(form.get());
  auto* help = new TMenuItem(form.get());
  help->SetName("Help1");
  plain.Items()->Add(help);
  fs.SetSystemMenu(&plain);
  fs.SetUseDefaultSysMenu(false);
  EXPECT_EQ(Names(*fs.GetSystemMenu()), (std::vector<std::string>{"Help1"}));
  fs.SetSystemMenu(nullptr);
}

TEST(FormSkinMenus, TheTrayMenuIsFixedAndFollowsTheFormsSkin) {
  TFrameSkin skin;
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  ASSERT_NE(fs.TrayMenu, nullptr);
  EXPECT_EQ(Names(*fs.TrayMenu->Items()), (std::vector<std::string>{"TRAY_FSK_RESTORE", "-", "TRAY_FSK_CLOSE"}));
  EXPECT_EQ(fs.TrayMenu->Items()->Items(0)->Caption(), "&Restore");
  EXPECT_EQ(fs.TrayMenu->Items()->Items(2)->Caption(), "&Close");
  EXPECT_EQ(fs.TrayMenu->PopupForm(), form.get());
  EXPECT_EQ(fs.TrayMenu->FindFormSkin(), &fs);
  fs.SetSkinData(&skin.Skin());
  EXPECT_EQ(fs.TrayMenu->SkinData(), &skin.Skin());
  fs.SetSkinData(nullptr);
  EXPECT_EQ(fs.TrayMenu->SkinData(), nullptr);
}

TEST(FormSkinMenus, ACaptionRightClickOpensTheSystemMenuAndAChosenItemRuns) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  fs.SetBorderIcons({TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biRollUp});
  int opens = 0, closes = 0;
  fs.OnSkinMenuOpen = [&opens](TObject*) { ++opens; };
  fs.OnSkinMenuClose = [&closes](TObject*) { ++closes; };
  Activate(*form);
  const RECT frame = WindowRect(form->Handle());
  const int x = frame.left + 80, y = frame.top + 12;
  ASSERT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTCAPTION);
  MouseTo(x, y);
  skintesting::queued::RightClick(x, y);
  windowtesting::PumpFor(100);
  ASSERT_TRUE(fs.SkinMenu->IsOpen);
  EXPECT_TRUE(fs.MenuLoop);
  EXPECT_EQ(opens, 1);
  ASSERT_EQ(fs.SkinMenu->PopupWindows.size(), 1u);
  RECT place;
  GetWindowRect(fs.SkinMenu->PopupWindows[0]->Handle(), &place);
  EXPECT_EQ(place.left, x);
  EXPECT_EQ(place.top, y);
  // Minimize, roll up: Down reaches the roll-up item and Return runs it.
  PostKey(*form, VK_DOWN);
  PostKey(*form, VK_RETURN);
  windowtesting::Pump();
  EXPECT_TRUE(fs.RollUpState);
  EXPECT_FALSE(fs.MenuLoop);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(TskAppMessageRouter::Contains(&fs));
  fs.SetRollUpState(false);
  MouseTo(0, 0);
}

TEST(FormSkinMenus, TheSystemMenuButtonOpensTheMenuBelowItselfAndComesUpWhenItCloses) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  Activate(*form);
  const int index = fs.GetIndex("sysmenubutton");
  ASSERT_GE(index, 0);
  auto& button = dynamic_cast<TskSkinButtonObject&>(*fs.FrameObjects.at(static_cast<size_t>(index)));
  const RECT frame = WindowRect(form->Handle());
  LeftClick(frame.left + 10, frame.top + 12);
  windowtesting::PumpFor(100);
  ASSERT_TRUE(fs.SkinMenu->IsOpen);
  EXPECT_TRUE(button.Down);
  RECT place;
  GetWindowRect(fs.SkinMenu->PopupWindows.at(0)->Handle(), &place);
  EXPECT_EQ(place.top, frame.top + 18) << "under the button";
  PostKey(*form, VK_ESCAPE);
  EXPECT_FALSE(fs.SkinMenu->IsOpen);
  EXPECT_FALSE(fs.MenuLoop);
  EXPECT_FALSE(button.Down);
  MouseTo(0, 0);
}

TEST(FormSkinMenus, EscapeAndAClickOnTheFormCloseTheMenuAndGiveTheKeysBack) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  Activate(*form);
  std::vector<UINT> seen;
  Application->OnMessage = [&seen](MSG& Msg, bool&) {
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_MOUSEWHEEL) seen.push_back(Msg.message);
  };
  fs.TrackSystemMenu(200, 200);
  PostKey(*form, 'Q');  // no item's accelerator
  PostMessageW(form->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(200, 200));
  windowtesting::Pump();
  EXPECT_TRUE(seen.empty()) << "keys and wheel belong to the menu";
  PostKey(*form, VK_ESCAPE);
  EXPECT_FALSE(fs.SkinMenu->IsOpen);
  EXPECT_FALSE(fs.MenuLoop);
  PostKey(*form, 'Q');
  EXPECT_EQ(seen, (std::vector<UINT>{WM_KEYDOWN}));

  fs.TrackSystemMenu(200, 200);
  ASSERT_TRUE(fs.SkinMenu->IsOpen);
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  windowtesting::Pump();
  EXPECT_FALSE(fs.SkinMenu->IsOpen);
  EXPECT_TRUE(fs.SkinMenu->PopupWindows.empty());
  EXPECT_FALSE(fs.MenuLoop);
  EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
  Application->OnMessage = nullptr;
}

TEST(FormSkinMenus, AltEndsTheMenuStateOnlyWhenAMenuIsOpen) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  int closes = 0;
  fs.OnSkinMenuClose = [&closes](TObject*) { ++closes; };
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(closes, 0);
  fs.TrackSystemMenu(200, 200);
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(fs.MenuLoop);
  EXPECT_FALSE(TskAppMessageRouter::Contains(&fs));
  fs.SkinMenu->Hide();
}

TEST(FormSkinMenus, AFormAndAnOpenMenuShareTheApplicationsHandlerAndEachRemovesItsOwn) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  Activate(*form);
  int before = 0;
  Application->OnMessage = [&before](MSG& Msg, bool&) {
    if (Msg.message == WM_KEYDOWN) ++before;
  };
  TPopupMenu items(nullptr);
  auto* item = new TMenuItem(&items);
  item->SetCaption("Other");
  items.Items()->Add(item);
  // Another engine, keeping the keyboard itself, opens while the form's menu state holds the hook;
  // either may end first.
  for (const bool formFirst : {true, false}) {
    SCOPED_TRACE(formFirst ? "the form ends first" : "the menu ends first");
    TskSkinMenu other(nullptr, form.get());
    fs.SkinMenuOpen();
    EXPECT_EQ(TskAppMessageRouter::Top(), &fs);
    other.Popup(nullptr, nullptr, 0, Rect(200, 200, 200, 200), items.Items(), false);
    windowtesting::Pump();
    EXPECT_EQ(TskAppMessageRouter::Top(), &other);
    ASSERT_TRUE(TskAppMessageRouter::Contains(&fs));
    PostKey(*form, VK_ESCAPE);  // the menu on top takes the key and closes
    EXPECT_FALSE(other.IsOpen);
    EXPECT_EQ(TskAppMessageRouter::Top(), &fs);
    if (formFirst) {
      other.Popup(nullptr, nullptr, 0, Rect(200, 200, 200, 200), items.Items(), false);
      fs.SkinMenuClose();
      EXPECT_FALSE(TskAppMessageRouter::Contains(&fs));
      EXPECT_EQ(TskAppMessageRouter::Top(), &other);
      PostKey(*form, 'Q');
      other.CloseMenu(0);
    } else {
      PostKey(*form, 'Q');  // the form's filter holds it
      fs.SkinMenuClose();
    }
    EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
    EXPECT_EQ(before, 0);
    PostKey(*form, 'Q');
    EXPECT_EQ(before, 1) << "the handler from before is back";
    before = 0;
  }

  // A form freed while its menu state holds the hook leaves no entry behind.
  fs.SkinMenuOpen();
  form.reset();
  windowtesting::Pump();
  EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
  Application->OnMessage = nullptr;
}

}  // namespace
