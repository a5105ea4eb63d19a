#include "tests/skin/form/SkinMenuTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinFormRegistration.h"
#include "skin/form/SkinMenu.h"
#include "skin/form/SkinMessageRouter.h"
#include "skin/form/SkinPopupMenu.h"

#include <memory>
#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinmenutesting;

namespace {

const char* const PopupForm = R"(object TestForm: TForm
  Width = 400
  Height = 300
  object FormSkin: TskFormSkin
  end
  object Edit: TEdit
    Left = 10
    Top = 10
    Width = 100
    Height = 21
    PopupMenu = Menu
  end
  object Opener: TPanel
    Left = 10
    Top = 50
    Width = 100
    Height = 50
  end
  object Menu: TskSkinPopupMenu
    OnPopup = MenuPopup
    OnMenuClose = MenuClosed
    object Open1: TMenuItem
      Caption = '&Open'
      OnClick = ItemClick
    end
    object Home1: TMenuItem
      Caption = '&Home'
      OnClick = ItemClick
    end
  end
  object Second: TskSkinPopupMenu
    object Tile1: TMenuItem
      Caption = 'Tile'
      OnClick = ItemClick
    end
  end
end
)";

class SkinPopupMenus : public ::testing::Test {
protected:
  void SetUp() override {
    MoveMouse(0, 0);
    RegisterSkinFormClasses();
    Form = ShowForm(PopupForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("ItemClick", [this](TObject* Sender) {
        Log.push_back(dynamic_cast<TComponent*>(Sender)->Name() + " click");
      });
      form.RegisterHandler<TNotifyEvent>("MenuPopup", [this](TObject* Sender) {
        Log.push_back(dynamic_cast<TComponent*>(Sender)->Name() + " popup");
      });
      form.RegisterHandler<TNotifyEvent>("MenuClosed", [this](TObject*) { Log.push_back("menu closed"); });
    });
    FormSkin = dynamic_cast<TskFormSkin*>(Form->FindComponent("FormSkin"));
    Menu = dynamic_cast<TskSkinPopupMenu*>(Form->FindComponent("Menu"));
    Second = dynamic_cast<TskSkinPopupMenu*>(Form->FindComponent("Second"));
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
    Opener = dynamic_cast<TControl*>(Form->FindComponent("Opener"));
    ASSERT_TRUE(FormSkin && Menu && Second && Edit && Opener);
    Watch(Opener, "opener");
    Watch(Edit, "edit");
    Edit->SetFocus();
    windowtesting::Pump();
  }

  void TearDown() override {
    Form.reset();
    windowtesting::Pump();
  }

  void Watch(TControl* Control, const std::string& Name) {
    const std::function<void(TMessage&)> previous = Control->WindowProc;
    Control->WindowProc = [this, previous, Name](TMessage& Message) {
      if (Message.Msg == WM_CLOSESKINMENU || Message.Msg == WM_AFTERDISPATCH)
        Log.push_back(Name + " " + std::to_string(Message.Msg));
      else if (Message.Msg == WM_KEYDOWN)
        Log.push_back(Name + " key");
      previous(Message);
    };
  }

  TskSkinMenu& Engine() { return *FormSkin->SkinMenu; }

  // A key as the application's loop receives it.
  void Post(WORD Key) {
    PostMessageW(Edit->Handle(), WM_KEYDOWN, Key, 0);
    windowtesting::Pump();
  }

  // Nothing of an open menu is left: no window, no hook, no kept control.
  void ExpectClosed() {
    EXPECT_FALSE(Engine().IsOpen);
    EXPECT_TRUE(Engine().PopupWindows.empty());
    EXPECT_FALSE(FormSkin->MenuLoop);
    EXPECT_EQ(Engine().PopupControl, nullptr);
    EXPECT_FALSE(Engine().OnMenuClose);
    EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
  }

  std::unique_ptr<TForm> Form;
  TskFormSkin* FormSkin = nullptr;
  TskSkinPopupMenu* Menu = nullptr;
  TskSkinPopupMenu* Second = nullptr;
  TEdit* Edit = nullptr;
  TControl* Opener = nullptr;
  std::vector<std::string> Log;
};

TEST_F(SkinPopupMenus, ARightClickOpensTheMenuSkinnedAndTheMenuKeepsTheFormsMenuSkin) {
  TMenuSkin skin;
  FormSkin->SetMenusSkinData(&skin.Skin());
  ASSERT_EQ(FormSkin->SkinData(), nullptr);
  // The class library opens a control's menu through Popup at the point of the click.
  const TPoint at = Edit->ClientToScreen(Point(5, 5));
  SendMessageW(Edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit->Handle()), MAKELPARAM(at.x, at.y));
  windowtesting::Pump();
  ASSERT_TRUE(Engine().IsOpen);
  ASSERT_EQ(Engine().PopupWindows.size(), 1u);
  TskSkinPopupWindow& window = *Engine().PopupWindows[0];
  EXPECT_NE(window.WindowDescription, nullptr) << "the skinned look";
  RECT place;
  GetWindowRect(window.Handle(), &place);
  EXPECT_EQ(place.left, at.x);
  EXPECT_EQ(place.top, at.y);
  EXPECT_EQ(Menu->SkinData(), &skin.Skin());
  EXPECT_TRUE(FormSkin->MenuLoop);
  EXPECT_EQ(Engine().PopupControl, nullptr);

  // Keys drive the menu and reach nothing else; Escape on the last level ends it all.
  Post(VK_DOWN);
  EXPECT_EQ(window.HotIndex, 1);
  Post(VK_ESCAPE);
  ExpectClosed();
  EXPECT_EQ(Log, (std::vector<std::string>{"Menu popup", "menu closed"}));

  // The skin stays the menu's once the form's component names another.
  FormSkin->SetMenusSkinData(nullptr);
  Menu->Popup(200, 200);
  windowtesting::Pump();
  EXPECT_EQ(Menu->SkinData(), &skin.Skin());
  EXPECT_EQ(Engine().SkinData, &skin.Skin());
  Post(VK_RETURN);
  ExpectClosed();
  EXPECT_EQ(Log.back(), "Open1 click");
  Post('X');
  EXPECT_EQ(Log.back(), "edit key");
}

TEST_F(SkinPopupMenus, AChosenItemRunsBetweenTheControlsTwoMessagesAndTheCloseEventRunsOnce) {
  Menu->OnMenuClose = nullptr;
  Menu->Popup2(Opener, 200, 200);  // no skin anywhere: nothing is shown
  windowtesting::Pump();
  ExpectClosed();
  EXPECT_EQ(Log, (std::vector<std::string>{"Menu popup"}));

  TMenuSkin skin;
  FormSkin->SetMenusSkinData(&skin.Skin());
  int closes = 0;
  Menu->OnMenuClose = [&closes](TObject*) { ++closes; };
  Log.clear();
  Menu->PopupFromRect2(Opener, Rect(150, 150, 250, 170), false);
  windowtesting::Pump();
  ASSERT_TRUE(Engine().IsOpen);
  RECT place;
  GetWindowRect(Engine().PopupWindows[0]->Handle(), &place);
  EXPECT_EQ(place.top, 170) << "below the rectangle";
  // Assigned now, the event belongs to the next popup.
  Menu->OnMenuClose = [&closes](TObject*) { closes += 100; };
  Post(VK_RETURN);
  ExpectClosed();
  EXPECT_EQ(Log, (std::vector<std::string>{"Menu popup", "opener 1228", "Open1 click", "opener 1229"}));
  EXPECT_EQ(closes, 1);
}

TEST_F(SkinPopupMenus, OpeningASecondMenuClosesTheFirstBeforeItShows) {
  Menu->PopupFromRect2(Opener, Rect(200, 200, 200, 200), false);
  windowtesting::Pump();
  ASSERT_TRUE(Engine().IsOpen);
  size_t windowsWhenClosed = 99;
  Engine().OnMenuClose = [&](TObject*) {
    windowsWhenClosed = Engine().PopupWindows.size();
    Log.push_back("first closed");
  };
  Second->Popup(220, 220);
  windowtesting::Pump();
  EXPECT_EQ(windowsWhenClosed, 0u);
  ASSERT_TRUE(Engine().IsOpen);
  EXPECT_EQ(Engine().PopupWindows[0]->MenuItems[0]->SourceItem->Caption(), "Tile");
  EXPECT_EQ(Log, (std::vector<std::string>{"Menu popup", "opener 1228", "first closed"}));
  EXPECT_TRUE(FormSkin->MenuLoop);
  Post(VK_ESCAPE);
  ExpectClosed();
}

TEST_F(SkinPopupMenus, AMenuThatShowsNothingLeavesNoState) {
  TMenuSkin skin;
  FormSkin->SetMenusSkinData(&skin.Skin());
  int opens = 0, closes = 0;
  FormSkin->OnSkinMenuOpen = [&opens](TObject*) { ++opens; };
  FormSkin->OnSkinMenuClose = [&closes](TObject*) { ++closes; };
  // Emptied by its own OnPopup.
  Menu->OnPopup = [this](TObject*) {
    for (int i = 0; i < Menu->Items()->Count(); ++i) Menu->Items()->Items(i)->SetVisible(false);
  };
  Menu->Popup2(Opener, 200, 200);
  Menu->Popup(200, 200);
  windowtesting::Pump();
  ExpectClosed();
  EXPECT_EQ(opens, closes);
  Post('X');
  EXPECT_EQ(Log, (std::vector<std::string>{"edit key"}));
  // A later menu's close does not run the event of the popup that showed nothing.
  Second->Popup(200, 200);
  windowtesting::Pump();
  Post(VK_ESCAPE);
  ExpectClosed();
  EXPECT_EQ(Log, (std::vector<std::string>{"edit key"}));
}

TEST_F(SkinPopupMenus, TheMenuFindsItsFormsComponentThroughPopupFormOwnerOrOwnersOwner) {
  TComponent holder(Form.get());  // a non-form owner owned by the form
  TComponent loose(nullptr);      // a control's stand-in, owned by nothing
  TForm plain(nullptr);           // a form without a skinning component
  struct TCase {
    const char* what;
    TComponent* owner;
    TForm* popupForm;
    bool found;
  };
  for (const TCase& c : {TCase{"owned by the form", Form.get(), nullptr, true},
                         TCase{"owned by a component of the form", &holder, nullptr, true},
                         TCase{"owned by a control of the form", Edit, nullptr, true},
                         TCase{"owned elsewhere, PopupForm set", &loose, Form.get(), true},
                         TCase{"owned elsewhere", &loose, nullptr, false},
                         TCase{"no owner", nullptr, nullptr, false},
                         TCase{"PopupForm without a component", Form.get(), &plain, false}}) {
    SCOPED_TRACE(c.what);
    auto menu = std::make_unique<TskSkinPopupMenu>(c.owner);
    menu->SetPopupForm(c.popupForm);
    auto* item = new TMenuItem(menu.get());
    item->SetCaption("Item");
    menu->Items()->Add(item);
    int popups = 0;
    menu->OnPopup = [&popups](TObject*) { ++popups; };
    EXPECT_EQ(menu->FindFormSkin(), c.found ? FormSkin : nullptr);
    menu->Popup(200, 200);
    windowtesting::Pump();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(Engine().IsOpen, c.found);
    Engine().Hide();
    windowtesting::Pump();
    ExpectClosed();
  }
}

}  // namespace
