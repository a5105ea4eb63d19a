#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/WideText.h"

#include <memory>
#include <set>
#include <vector>

using namespace classlib;
using windowtesting::ReadForm;

namespace {

const char* const MenuForm = R"(object TestForm: TForm
  object Target: TCustomControl
    Width = 100
    Height = 100
    PopupMenu = Popup
  end
  object Popup: TPopupMenu
    OnPopup = MenuPopup
    object Edit1: TMenuItem
      Caption = 'Edit'
      OnClick = ItemClick
    end
    object Line1: TMenuItem
      Caption = '-'
    end
    object Slide1: TMenuItem
      Caption = 'SlideShow'
      object Play1: TMenuItem
        Caption = 'Play'
        Checked = True
        OnClick = ItemClick
      end
      object Folder1: TMenuItem
        Caption = 'Set Folder'
        Enabled = False
        OnClick = ItemClick
      end
    end
    object Hidden1: TMenuItem
      Caption = 'Hidden'
      Visible = False
    end
    object Home1: TMenuItem
      Caption = '&Home'
      Tag = 7
      OnClick = ItemClick
    end
  end
end
)";

class Menus : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(MenuForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("ItemClick", [this](TObject* s) {
        Events.push_back(dynamic_cast<TComponent*>(s)->Name() + " click");
      });
      form.RegisterHandler<TNotifyEvent>("MenuPopup", [this](TObject*) { Events.push_back("popup"); });
    });
    Popup = dynamic_cast<TPopupMenu*>(Form->FindComponent("Popup"));
    ASSERT_NE(Popup, nullptr);
  }

  TMenuItem* Item(const char* Name) { return dynamic_cast<TMenuItem*>(Form->FindComponent(Name)); }

  std::unique_ptr<TForm> Form;
  TPopupMenu* Popup = nullptr;
  std::vector<String> Events;
};

String MenuString(HMENU Menu, int Position) {
  WCHAR text[64] = {};
  GetMenuStringW(Menu, static_cast<UINT>(Position), text, 64, MF_BYPOSITION);
  return FromWide(text);
}

TEST_F(Menus, TheDescriptionNestsItemsInTheMenuAndInEachOther) {
  TMenuItem* root = Popup->Items();
  ASSERT_EQ(root->Count(), 5);
  EXPECT_EQ(root->Items(0), Item("Edit1"));
  EXPECT_TRUE(root->Items(1)->IsLine());
  EXPECT_EQ(Item("Slide1")->Count(), 2);
  EXPECT_EQ(Item("Folder1")->Parent(), Item("Slide1"));
  EXPECT_EQ(Item("Folder1")->MenuIndex(), 1);
  EXPECT_EQ(Item("Home1")->Tag(), 7);
  EXPECT_EQ(dynamic_cast<TControl*>(Form->FindComponent("Target"))->PopupMenu(), Popup);
}

TEST_F(Menus, TheSystemMenuShowsTheVisibleItemsAsTheyAre) {
  const TMenuHandle menu = Popup->Items()->CreatePopupHandle();
  ASSERT_EQ(GetMenuItemCount(menu.get()), 4) << "the hidden item is left out";
  EXPECT_EQ(MenuString(menu.get(), 0), "Edit");
  EXPECT_TRUE(GetMenuState(menu.get(), 1, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(MenuString(menu.get(), 3), "&Home");
  EXPECT_EQ(GetMenuItemID(menu.get(), 3), Item("Home1")->Command());

  const HMENU submenu = GetSubMenu(menu.get(), 2);
  ASSERT_NE(submenu, nullptr);
  EXPECT_EQ(GetMenuItemCount(submenu), 2);
  EXPECT_TRUE(GetMenuState(submenu, 0, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(submenu, 1, MF_BYPOSITION) & MF_GRAYED);

  // What the system reports as chosen reaches the item.
  EXPECT_TRUE(Popup->DispatchCommand(GetMenuItemID(submenu, 0)));
  EXPECT_TRUE(Popup->DispatchCommand(GetMenuItemID(menu.get(), 3)));
  EXPECT_EQ(Events, (std::vector<String>{"Play1 click", "Home1 click"}));
  EXPECT_FALSE(Popup->DispatchCommand(0)) << "a menu closed without a choice";
  TPopupMenu other(nullptr);
  EXPECT_FALSE(other.DispatchCommand(Item("Edit1")->Command())) << "an item of another menu";
}

TEST_F(Menus, ItemsComeAndGo) {
  TMenuItem* slide = Item("Slide1");
  auto* extra = new TMenuItem(Form.get());
  slide->Insert(0, extra);
  EXPECT_EQ(extra->Parent(), slide);
  EXPECT_EQ(slide->IndexOf(extra), 0);
  EXPECT_THROW(Popup->Items()->Add(extra), EComponentError) << "an item sits in one place";
  EXPECT_THROW(extra->Add(slide->Parent()), EComponentError) << "nor inside itself";

  slide->Delete(0);
  EXPECT_EQ(extra->Parent(), nullptr);
  EXPECT_EQ(slide->Count(), 2);
  Popup->Items()->Add(extra);
  EXPECT_EQ(Popup->Items()->Count(), 6);

  delete Item("Edit1");
  EXPECT_EQ(Popup->Items()->Count(), 5) << "a freed item leaves its parent";
  delete slide;
  EXPECT_EQ(Item("Play1"), nullptr) << "sub-items die with their parent";

  std::set<UINT> commands;
  for (int i = 0; i < Popup->Items()->Count(); ++i) commands.insert(Popup->Items()->Items(i)->Command());
  EXPECT_EQ(commands.size(), 4u) << "every item has its own identifier";
}

// Ends a menu that a test opened, should the keys meant for it not reach it.
void CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(Menus, ARightClickOpensTheMenuAndRunsTheChosenItem) {
  auto* target = dynamic_cast<TWinControl*>(Form->FindComponent("Target"));
  Form->SetBounds(50, 50, 300, 200);
  Form->HandleNeeded();
  POINT p{10, 10};
  ClientToScreen(target->Handle(), &p);

  Popup->SetAutoPopup(false);
  SendMessageW(target->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target->Handle()), MAKELPARAM(p.x, p.y));
  EXPECT_TRUE(Events.empty()) << "without AutoPopup a right click opens nothing";

  Popup->SetAutoPopup(true);
  // The menu's own loop reads the key meant for it: the accelerator of "&Home".
  PostMessageW(target->Handle(), WM_CHAR, 'h', 0);
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndMenuLater);
  SendMessageW(target->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target->Handle()), MAKELPARAM(p.x, p.y));
  KillTimer(nullptr, guard);
  EXPECT_EQ(Events, (std::vector<String>{"popup", "Home1 click"}));
  EXPECT_EQ(Popup->PopupComponent(), target);
}

}  // namespace

namespace {

TEST(MenuShortCuts, TextAndKeysGoBothWays) {
  struct TCase {
    TShortCut shortCut;
    const char* text;
  };
  for (const TCase& c : {TCase{static_cast<TShortCut>(scCtrl | 'O'), "Ctrl+O"}, TCase{VK_F5, "F5"},
                         TCase{static_cast<TShortCut>(scShift | scCtrl | VK_F12), "Shift+Ctrl+F12"},
                         TCase{static_cast<TShortCut>(scAlt | VK_DELETE), "Alt+Del"}, TCase{VK_RETURN, "Enter"},
                         TCase{static_cast<TShortCut>(scCtrl | '5'), "Ctrl+5"}, TCase{VK_NEXT, "PgDn"}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut);
  }
  EXPECT_EQ(TextToShortCut("ctrl+shift+o"), scCtrl | scShift | 'O') << "any case, any order of modifiers";
  EXPECT_EQ(ShortCut('S', TShiftState{TShiftStateItem::ssCtrl}), scCtrl | 'S');
  EXPECT_EQ(ShortCutToText(scNone), "");
  for (const char* bad : {"", "Ctrl+", "Ctrl+Nothing", "Hyper+A"}) EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
}

TEST(MenuShortCuts, TheAcceleratorIsTheLetterAfterASingleAmpersand) {
  EXPECT_TRUE(IsAccel('H', "&Home"));
  EXPECT_TRUE(IsAccel('O', "Go t&o"));
  EXPECT_FALSE(IsAccel('H', "Home"));
  EXPECT_FALSE(IsAccel('M', "&Home"));
  EXPECT_FALSE(IsAccel('B', "A && B")) << "a doubled ampersand shows itself";
  EXPECT_TRUE(IsAccel('C', "A && B &C"));
  EXPECT_FALSE(IsAccel('H', "Home&"));
}

const char* const ItemForm = R"(object TestForm: TForm
  object Pictures: TImageList
  end
  object Popup: TPopupMenu
    Images = Pictures
    object Save1: TMenuItem
      Caption = '&Save'
      ShortCut = 16467
      ImageIndex = 2
      RadioItem = True
      Default = True
      GroupIndex = 3
      Hint = 'Saves the list'
      OnDrawItem = DrawItem
    end
  end
end
)";

TEST(MenuItems, TheDescriptionGivesItemsTheirShortCutsPicturesAndStates) {
  int drawn = 0;
  auto form = ReadForm(ItemForm, [&drawn](TForm& f) {
    f.RegisterHandler<TMenuDrawItemEvent>("DrawItem", [&drawn](TObject*, TCanvas&, const TRect&, bool) { ++drawn; });
  });
  auto* popup = dynamic_cast<TPopupMenu*>(form->FindComponent("Popup"));
  auto* item = dynamic_cast<TMenuItem*>(form->FindComponent("Save1"));
  ASSERT_TRUE(popup && item);
  EXPECT_EQ(item->ShortCut(), scCtrl | 'S');
  EXPECT_EQ(item->ImageIndex(), 2);
  EXPECT_TRUE(item->RadioItem());
  EXPECT_TRUE(item->Default());
  EXPECT_EQ(item->GroupIndex(), 3);
  EXPECT_EQ(item->Hint(), "Saves the list");
  ASSERT_TRUE(item->OnDrawItem);
  TCanvas canvas;
  item->OnDrawItem(item, canvas, TRect{}, false);
  EXPECT_EQ(drawn, 1);
  EXPECT_EQ(static_cast<TComponent*>(popup->Images()), form->FindComponent("Pictures"));
  EXPECT_EQ(item->GetParentMenu(), popup);
  EXPECT_EQ(TMenuItem(nullptr).GetParentMenu(), nullptr);

  // The system's menu shows the short cut and the default item.
  const TMenuHandle menu = popup->Items()->CreatePopupHandle();
  EXPECT_EQ(MenuString(menu.get(), 0), "&Save\tCtrl+S");
  EXPECT_EQ(GetMenuDefaultItem(menu.get(), FALSE, 0), item->Command());

  delete form->FindComponent("Pictures");
  EXPECT_EQ(popup->Images(), nullptr) << "a freed image list leaves the menu";
}

TEST(ApplicationMessages, AHandlerSeesMessagesBeforeTheyAreDispatched) {
  auto form = ReadForm("object TestForm: TForm\nend\n");
  form->Show();
  int keys = 0;
  Application->OnMessage = [&keys](MSG& Msg, bool& Handled) {
    if (Msg.message == WM_KEYDOWN) {
      ++keys;
      Handled = Msg.wParam == 'A';
    }
  };
  int reached = 0;
  form->OnKeyDown = [&reached](TObject*, WORD&, TShiftState) { ++reached; };
  PostMessageW(form->Handle(), WM_KEYDOWN, 'A', 0);
  PostMessageW(form->Handle(), WM_KEYDOWN, 'B', 0);
  windowtesting::Pump();
  Application->OnMessage = nullptr;
  EXPECT_EQ(keys, 2);
  EXPECT_EQ(reached, 1) << "the handled key went no further";
}

}  // namespace
