#include "tests/skin/form/SkinMenuTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/data/Skutils.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMessageRouter.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinmenutesting;

namespace {

const char* const MenuForm = R"(object TestForm: TForm
  Width = 400
  Height = 300
  object Edit: TEdit
    Left = 10
    Top = 10
    Width = 100
    Height = 21
  end
  object Opener: TPanel
    Left = 10
    Top = 50
    Width = 100
    Height = 50
  end
  object Marker: TLabel
    Left = 10
    Top = 120
    Width = 100
    Height = 20
    Caption = 'Marker'
  end
  object Menu: TPopupMenu
    object Open1: TMenuItem
      Caption = '&Open'
      ShortCut = 16463
      OnClick = ItemClick
    end
    object Line1: TMenuItem
      Caption = '-'
    end
    object Off1: TMenuItem
      Caption = 'Off'
      Enabled = False
      OnClick = ItemClick
    end
    object More1: TMenuItem
      Caption = '&More'
      OnClick = ItemClick
      object Sub1: TMenuItem
        Caption = 'Sub one'
        OnClick = ItemClick
      end
      object Sub2: TMenuItem
        Caption = 'Sub two'
        OnClick = ItemClick
      end
    end
    object Home1: TMenuItem
      Caption = '&Home'
      OnClick = ItemClick
    end
  end
end
)";

// Indexes of the menu's items in a window.
constexpr int OpenIndex = 0;
constexpr int LineIndex = 1;
constexpr int OffIndex = 2;
constexpr int MoreIndex = 3;
constexpr int HomeIndex = 4;

class SkinMenus : public ::testing::Test {
protected:
  void SetUp() override {
    // The pointer stays away from the menus unless a test moves it.
    MouseTo(0, 0);
    Form = ShowForm(MenuForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("ItemClick", [this](TObject* Sender) {
        Log.push_back(dynamic_cast<TComponent*>(Sender)->Name() + " click");
        if (OnItemClick) OnItemClick();
      });
    });
    Menu = dynamic_cast<TPopupMenu*>(Form->FindComponent("Menu"));
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
    Opener = dynamic_cast<TControl*>(Form->FindComponent("Opener"));
    Marker = dynamic_cast<TControl*>(Form->FindComponent("Marker"));
    ASSERT_TRUE(Menu && Edit && Opener && Marker);
    Watch(Form.get(), "form");
    Watch(Opener, "opener");
    Watch(Marker, "marker");
    Watch(Edit, "edit");
    Edit->SetFocus();
    Engine = std::make_unique<TskSkinMenu>(nullptr, Form.get());
    windowtesting::Pump();
  }

  void TearDown() override {
    Engine.reset();
    Form.reset();
    windowtesting::Pump();
  }

  // Logs the menu messages, keys and wheel turns a control receives.
  void Watch(TControl* Control, const std::string& Name) {
    const std::function<void(TMessage&)> previous = Control->WindowProc;
    Control->WindowProc = [this, previous, Name](TMessage& Message) {
      if (Message.Msg == WM_CLOSESKINMENU || Message.Msg == WM_AFTERDISPATCH)
        Log.push_back(Name + " " + std::to_string(Message.Msg));
      else if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_MOUSEWHEEL)
        Log.push_back(Name + (Message.Msg == WM_KEYDOWN ? " key" : " wheel"));
      previous(Message);
    };
  }

  void Open(TControl* PopupControl = nullptr, TskSkinData* Skin = nullptr, int X = 200, int Y = 200) {
    Engine->Popup(PopupControl, Skin, 0, Rect(X, Y, X, Y), Menu->Items(), false);
    windowtesting::Pump();
  }

  TskSkinPopupWindow& Window(size_t Index) { return *Engine->PopupWindows.at(Index); }
  size_t WindowCount() const { return Engine->PopupWindows.size(); }

  // An item's rectangle on the screen.
  TRect ItemOnScreen(TskSkinPopupWindow& W, int Item) {
    TRect r = W.MenuItems.at(static_cast<size_t>(Item))->ItemBounds;
    RECT place;
    GetWindowRect(W.Handle(), &place);
    OffsetRect(&r, place.left, place.top);
    return r;
  }
  TPoint ItemCentre(TskSkinPopupWindow& W, int Item) {
    const TRect r = ItemOnScreen(W, Item);
    return Point((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  // A key as the application's loop receives it, posted to the focused edit.
  void Post(WORD Key) {
    PostMessageW(Edit->Handle(), WM_KEYDOWN, Key, 0);
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TPopupMenu* Menu = nullptr;
  TEdit* Edit = nullptr;
  TControl* Opener = nullptr;
  TControl* Marker = nullptr;
  std::unique_ptr<TskSkinMenu> Engine;
  std::vector<std::string> Log;
  std::function<void()> OnItemClick;
};

TEST_F(SkinMenus, WindowsAreTopMostToolPopupsAndClickingThemKeepsTheFocus) {
  Open(Opener);
  ASSERT_EQ(WindowCount(), 1u);
  const HWND root = Window(0).Handle();
  EXPECT_TRUE(IsWindowVisible(root));
  EXPECT_EQ(GetWindowLongW(root, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), static_cast<LONG>(WS_POPUP));
  EXPECT_EQ(GetWindowLongW(root, GWL_EXSTYLE) & ~WS_EX_TOPMOST, WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetClassLongW(root, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ(GetParent(root), nullptr);
  EXPECT_EQ(SendMessageW(root, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(Form->Handle()), 0), MA_NOACTIVATE);

  const HWND foreground = GetForegroundWindow();
  ASSERT_EQ(GetFocus(), Edit->Handle());
  // A click on an item with a submenu opens it at once; one on a disabled item does nothing.
  const TPoint more = ItemCentre(Window(0), MoreIndex);
  LeftClick(more.x, more.y);
  EXPECT_TRUE(PumpUntil([this] { return WindowCount() == 2; }));
  const TPoint off = ItemCentre(Window(0), OffIndex);
  LeftClick(off.x, off.y);
  windowtesting::PumpFor(150);
  EXPECT_TRUE(Engine->IsOpen);
  EXPECT_EQ(GetForegroundWindow(), foreground);
  EXPECT_EQ(GetFocus(), Edit->Handle());
  EXPECT_EQ(Log, (std::vector<std::string>{"More1 click"}));
}

TEST_F(SkinMenus, EightDefaultItemsInFiveRowsScrollWithArrowsAndKeys) {
  TPopupMenu items(nullptr);
  for (int i = 0; i < 8; ++i) {
    auto* item = new TMenuItem(&items);
    item->SetCaption("Item " + std::to_string(i));
    items.Items()->Add(item);
  }
  Engine->MaxMenuItemsInWindow = 5;
  Engine->Popup(nullptr, nullptr, 0, Rect(200, 150, 200, 150), items.Items(), false);
  windowtesting::Pump();
  TskSkinPopupWindow& w = Window(0);
  EXPECT_EQ(w.Height(), 5 * 20 + 6 + 20);
  EXPECT_TRUE(w.ScrollMode);
  EXPECT_TRUE(w.MaxItemsMode);
  EXPECT_EQ(w.VisibleItems, 5);
  EXPECT_EQ(w.ShowLeft, 200) << "placed like a menu of its own height";
  EXPECT_EQ(w.ShowTop, 150);
  EXPECT_EQ(w.MenuItems[0]->ItemBounds.top, 3 + 10) << "below the arrow strip";

  for (int i = 0; i < 4; ++i) Post(VK_DOWN);
  EXPECT_EQ(w.HotIndex, 4);
  EXPECT_EQ(w.FirstVisible, 0);
  Post(VK_DOWN);
  EXPECT_EQ(w.HotIndex, 5);
  EXPECT_EQ(w.FirstVisible, 1) << "the last item in view scrolls the window";
  EXPECT_FALSE(w.MenuItems[0]->InView);
  EXPECT_TRUE(w.MenuItems[5]->InView);

  // Resting on the lower arrow strip scrolls an item every 100 ms until the last is in view.
  RECT place;
  GetWindowRect(w.Handle(), &place);
  MouseTo(place.left + w.Width() / 2, place.bottom - 7);
  EXPECT_TRUE(PumpUntil([&w] { return w.FirstVisible == 3; }, 3000));
  windowtesting::PumpFor(250);
  EXPECT_EQ(w.FirstVisible, 3) << "nothing to scroll past the end";
  EXPECT_TRUE(w.MenuItems[7]->InView);

  // Up on the first item in view wraps to the end.
  MouseTo(0, 0);
  windowtesting::PumpFor(120);
  Engine->CloseMenu(0);
  Engine->Popup(nullptr, nullptr, 0, Rect(200, 150, 200, 150), items.Items(), false);
  windowtesting::Pump();
  Post(VK_UP);
  EXPECT_EQ(Window(0).HotIndex, 7);
  EXPECT_EQ(Window(0).FirstVisible, 3);
}

TEST_F(SkinMenus, WindowsStayInsideTheWorkArea) {
  const TRect wa = Engine->GetWorkArea();
  Open(nullptr, nullptr, wa.right - 5, 200);
  const int w = Window(0).Width();
  const int h = Window(0).Height();
  EXPECT_EQ(Window(0).ShowLeft, wa.right - w) << "a root window at the right edge moves left";
  EXPECT_EQ(Window(0).ShowTop, 200);

  // A submenu at the right edge opens to the left of its item.
  Post(VK_DOWN);
  Post(VK_RIGHT);
  ASSERT_EQ(WindowCount(), 2u);
  const TRect parent = ItemOnScreen(Window(0), MoreIndex);
  EXPECT_EQ(Window(1).ShowLeft, parent.left - Window(1).Width() - 1);
  EXPECT_EQ(Window(1).ShowTop, parent.top - Window(1).FrameItemsRect.top) << "first item beside its parent item";

  // Near the bottom a menu opens upward; OpenUpward near the top opens downward.
  Engine->Popup(nullptr, nullptr, 0, Rect(300, wa.bottom - 10, 300, wa.bottom - 10), Menu->Items(), false);
  EXPECT_EQ(Window(0).ShowTop, wa.bottom - 10 - h);
  Engine->Popup(nullptr, nullptr, 0, Rect(300, wa.top + 5, 310, wa.top + 15), Menu->Items(), true);
  EXPECT_EQ(Window(0).ShowTop, wa.top + 15);
  EXPECT_EQ(Window(0).ShowLeft, 300);

  // Taller than the work area: as tall as it, at its top, beside the anchor.
  TPopupMenu tall(nullptr);
  for (int i = 0; i < 80; ++i) {
    auto* item = new TMenuItem(&tall);
    item->SetCaption("Row " + std::to_string(i));
    tall.Items()->Add(item);
  }
  Engine->Popup(nullptr, nullptr, 0, Rect(300, 400, 320, 420), tall.Items(), false);
  TskSkinPopupWindow& t = Window(0);
  EXPECT_TRUE(t.ScrollMode);
  EXPECT_FALSE(t.MaxItemsMode);
  EXPECT_EQ(t.Height(), RectHeight(wa));
  EXPECT_EQ(t.ShowTop, wa.top);
  EXPECT_EQ(t.ShowLeft, 321);
  Engine->CloseMenu(0);
}

TEST_F(SkinMenus, AChosenItemRunsAfterTheChainHasClosed) {
  for (const auto& [opener, name] : {std::pair{Opener, std::string("opener")}, {Marker, std::string("marker")}}) {
    SCOPED_TRACE(name);
    Log.clear();
    Open(opener);
    const HWND root = Window(0).Handle();
    OnItemClick = [this, root] {
      Log.push_back(WindowCount() == 0 && !Engine->IsOpen && !IsWindowVisible(root) ? "closed" : "still open");
    };
    const TPoint home = ItemCentre(Window(0), HomeIndex);
    LeftClick(home.x, home.y);
    EXPECT_TRUE(PumpUntil([this] { return Log.size() >= 5; }));
    EXPECT_EQ(Log, (std::vector<std::string>{name + " 1228", "form 1228", "Home1 click", "closed", name + " 1229"}));
    EXPECT_EQ(Engine->PopupControl, nullptr);
    EXPECT_EQ(Engine->LastPopupControl, opener);
    // The window closed under its own mouse-up handler goes once that handler has returned.
    EXPECT_TRUE(PumpUntil([root] { return !IsWindow(root); }, 1000));
    OnItemClick = nullptr;
  }
}

TEST_F(SkinMenus, ASubmenuOpensAfterThePointerRestsOnItsItem) {
  Open(Opener);
  TskSkinPopupWindow& root = Window(0);
  const TskSkinMenuItem* more = root.MenuItems[MoreIndex].get();
  const TRect bounds = more->ItemBounds;
  root.TestActive((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  EXPECT_EQ(Engine->WaitingItem, more);
  EXPECT_TRUE(Engine->SubMenuTimer->Enabled());
  EXPECT_EQ(Engine->SubMenuTimer->Interval(), 500u);
  Engine->SubMenuTimer->OnTimer(Engine->SubMenuTimer.get());
  ASSERT_EQ(WindowCount(), 2u);
  EXPECT_EQ(Log, (std::vector<std::string>{"More1 click"})) << "the item's click runs first";
  EXPECT_FALSE(Engine->SubMenuTimer->Enabled());
  EXPECT_TRUE(more->SubMenuOpen);
  const TRect parent = ItemOnScreen(root, MoreIndex);
  EXPECT_EQ(Window(1).ShowLeft, parent.right + 1);
  EXPECT_EQ(Window(1).ShowTop, parent.top - Window(1).FrameItemsRect.top);

  // The same with the real pointer and the real clock.
  Engine->CloseMenu(0);
  Log.clear();
  Open(Opener);
  const TPoint centre = ItemCentre(Window(0), MoreIndex);
  MouseTo(centre.x, centre.y);
  windowtesting::PumpFor(200);
  EXPECT_EQ(WindowCount(), 1u) << "not before the rest";
  EXPECT_TRUE(PumpUntil([this] { return WindowCount() == 2; }, 3000));
  EXPECT_EQ(Log, (std::vector<std::string>{"More1 click"}));
}

TEST_F(SkinMenus, KeysDriveTheOpenMenuAndReachNothingElse) {
  int closes = 0;
  Open(Opener);
  Engine->OnMenuClose = [&closes](TObject*) { ++closes; };
  TskSkinPopupWindow& root = Window(0);
  EXPECT_EQ(root.HotIndex, OpenIndex) << "the first selectable item is lit";
  Post(VK_DOWN);
  EXPECT_EQ(root.HotIndex, MoreIndex) << "the separator and the disabled item are skipped";
  Post(VK_RIGHT);
  ASSERT_EQ(WindowCount(), 2u);
  EXPECT_EQ(Window(1).HotIndex, 0);
  Post(VK_LEFT);
  EXPECT_EQ(WindowCount(), 1u);
  EXPECT_FALSE(root.MenuItems[MoreIndex]->SubMenuOpen);
  Post(VK_LEFT);
  EXPECT_EQ(WindowCount(), 1u) << "Left does not close the root window";
  Post(VK_RETURN);
  ASSERT_EQ(WindowCount(), 2u) << "Return opens the hot item's submenu";
  PostMessageW(Edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  Post(VK_ESCAPE);
  EXPECT_EQ(WindowCount(), 1u) << "Escape closes one level";
  EXPECT_TRUE(Engine->IsOpen);
  EXPECT_EQ(closes, 0);
  Post(VK_UP);
  EXPECT_EQ(root.HotIndex, OpenIndex);
  Post(VK_UP);
  EXPECT_EQ(root.HotIndex, HomeIndex) << "Up on the first item starts again from the last";
  Post(VK_DOWN);
  EXPECT_EQ(root.HotIndex, OpenIndex) << "past the end the search starts again at the top";
  Post(VK_ESCAPE);
  EXPECT_FALSE(Engine->IsOpen);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(Log, (std::vector<std::string>{"More1 click", "More1 click", "opener 1228"}))
      << "opening a submenu runs its item; no key or wheel turn reached a control";
  EXPECT_FALSE(TskAppMessageRouter::Contains(Engine.get()));

  // Closed, the keys reach the form again.
  Post('X');
  EXPECT_EQ(Log.back(), "edit key");

  // Down on the last enabled item stays there.
  dynamic_cast<TMenuItem*>(Form->FindComponent("Home1"))->SetEnabled(false);
  Open(Opener);
  Post(VK_DOWN);
  Post(VK_DOWN);
  EXPECT_EQ(Window(0).HotIndex, MoreIndex);
  Engine->CloseMenu(0);

  // An accelerator chooses its item at once, with real key presses too.
  Log.clear();
  dynamic_cast<TMenuItem*>(Form->FindComponent("Home1"))->SetEnabled(true);
  Open(Opener);
  TapKey('H');
  EXPECT_TRUE(PumpUntil([this] { return !Engine->IsOpen; }));
  EXPECT_EQ(Log, (std::vector<std::string>{"opener 1228", "form 1228", "Home1 click", "opener 1229"}));
}

TEST_F(SkinMenus, OpeningAMenuClosesTheOneOpenBefore) {
  int closes = 0;
  Open(Opener);
  Engine->OnMenuClose = [&closes](TObject*) { ++closes; };
  Open(Marker);
  EXPECT_EQ(Log, (std::vector<std::string>{"opener 1228"}));
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(Engine->PopupControl, Marker);
  EXPECT_EQ(WindowCount(), 1u);
  Engine->CloseMenu(0);
  EXPECT_EQ(closes, 1) << "once";
  EXPECT_EQ(Log.back(), "marker 1228");
}

TEST_F(SkinMenus, AMenuWithNothingToShowLeavesNoState) {
  TMenuItem* home = dynamic_cast<TMenuItem*>(Form->FindComponent("Home1"));
  TMenuItem hidden(nullptr);
  auto* child = new TMenuItem(nullptr);
  child->SetVisible(false);
  hidden.Add(child);
  int closes = 0;
  struct TCase {
    const char* what;
    TMenuItem* item;
    int start;
  };
  for (const TCase& c : {TCase{"no children", home, 0}, TCase{"past the end", Menu->Items(), 5},
                         TCase{"only hidden children", &hidden, 0}}) {
    SCOPED_TRACE(c.what);
    Engine->OnMenuClose = [&closes](TObject*) { ++closes; };
    Engine->Popup(Opener, nullptr, c.start, Rect(200, 200, 200, 200), c.item, false);
    windowtesting::Pump();
    EXPECT_FALSE(Engine->IsOpen);
    EXPECT_EQ(WindowCount(), 0u);
    EXPECT_EQ(Engine->PopupControl, nullptr);
    EXPECT_FALSE(Engine->OnMenuClose);
    EXPECT_FALSE(TskAppMessageRouter::Contains(Engine.get()));
  }
  Post('X');
  EXPECT_EQ(Log, (std::vector<std::string>{"edit key"})) << "the keyboard was never taken";
  Open(Marker);
  Engine->CloseMenu(0);
  EXPECT_EQ(closes, 0);
  EXPECT_EQ(Log.back(), "marker 1228");
}

TEST(SkinMenuRules, OnlyTheClosingMessagesCloseAMenu) {
  const std::vector<UINT> closing{WM_MOVE,          WM_SIZE,          WM_ACTIVATE,      WM_KILLFOCUS,   WM_CANCELMODE,
                                  WM_MOUSEACTIVATE, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN, WM_LBUTTONDOWN,
                                  WM_RBUTTONDOWN,   WM_MBUTTONDOWN,   WM_PARENTNOTIFY};
  for (UINT msg = 0; msg < 0x10000; ++msg)
    EXPECT_EQ(CanMenuClose(msg), std::find(closing.begin(), closing.end(), msg) != closing.end()) << msg;
}

TEST_F(SkinMenus, WrappingAScrolledSkinnedMenuToItsEndShowsTheLastItem) {
  TMenuSkin skin;
  TPopupMenu items(nullptr);
  for (const char* caption : {"A", "Y", "-", "-", "-", "-", "Z"}) {
    auto* item = new TMenuItem(&items);
    item->SetCaption(caption);
    items.Items()->Add(item);
  }
  Engine->MaxMenuItemsInWindow = 3;
  Engine->Popup(nullptr, &skin.Skin(), 0, Rect(200, 150, 200, 150), items.Items(), false);
  windowtesting::Pump();
  TskSkinPopupWindow& w = Window(0);
  ASSERT_NE(w.WindowDescription, nullptr);
  ASSERT_TRUE(w.ScrollMode);
  EXPECT_EQ(w.HotIndex, 0);
  Post(VK_UP);
  EXPECT_EQ(w.HotIndex, 6);
  // Six items from the end would reach past the lower strip by their last 4 pixels.
  EXPECT_EQ(w.FirstVisible, 2);
  EXPECT_TRUE(w.MenuItems[6]->InView);
  EXPECT_LE(w.MenuItems[6]->ItemBounds.bottom, w.FrameItemsRect.bottom - 10);
}

TEST_F(SkinMenus, TwoMenusOpenAsOne) {
  TPopupMenu second(nullptr);
  for (const char* caption : {"Tile", "Cascade"}) {
    auto* item = new TMenuItem(&second);
    item->SetCaption(caption);
    second.Items()->Add(item);
  }
  const auto captions = [this] {
    std::vector<std::string> result;
    for (const auto& item : Window(0).MenuItems) result.push_back(item->SourceItem->Caption());
    return result;
  };
  const TRect r = Rect(200, 200, 200, 200);
  Engine->Popup2(Opener, nullptr, 3, r, Menu->Items(), second.Items(), false);
  ASSERT_EQ(WindowCount(), 1u);
  EXPECT_EQ(captions(), (std::vector<std::string>{"&More", "&Home", "Tile", "Cascade"}));
  Engine->Popup2(Opener, nullptr, 6, r, Menu->Items(), second.Items(), false);
  ASSERT_EQ(WindowCount(), 1u);
  EXPECT_EQ(captions(), (std::vector<std::string>{"Cascade"})) << "the start runs on into the second menu";
  Engine->Popup2(Opener, nullptr, 7, r, Menu->Items(), second.Items(), false);
  EXPECT_EQ(WindowCount(), 0u) << "past both";
  TMenuItem empty(nullptr);
  Engine->Popup2(Opener, nullptr, 0, r, &empty, second.Items(), false);
  EXPECT_EQ(WindowCount(), 0u) << "nothing without items in the first menu";
  EXPECT_FALSE(Engine->IsOpen);
  EXPECT_EQ(Engine->PopupControl, nullptr);
}

}  // namespace
