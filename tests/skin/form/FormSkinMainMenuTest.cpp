// The main menu drawn in the skinned frame: its items from the skin, the drop-downs they open, and
// the keyboard of main-menu mode (Alt, arrows, accelerators, Return and Escape), with real input.
#include "tests/skin/form/MainMenuTesting.h"
#include "tests/skin/form/SkinMenuTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"
#include "skin/form/FormSkinObjects.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace mainmenutesting;

namespace {

// "Long" does not fit in a 300-wide frame, nor does "Last" after it.
const char* const MenuForm = R"(object TestForm: TForm
  Width = 300
  Height = 200
  Caption = 'Menus'
  object Edit: TEdit
    Left = 10
    Top = 10
    Width = 100
    Height = 21
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
        OnClick = ItemClick
      end
      object More1: TMenuItem
        Caption = '&More'
        object Deep1: TMenuItem
          Caption = '&Deep'
          OnClick = ItemClick
        end
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      object Cut1: TMenuItem
        Caption = '&Cut'
        OnClick = ItemClick
      end
    end
    object Hidden1: TMenuItem
      Caption = 'Hidden'
      Visible = False
    end
    object Run1: TMenuItem
      Caption = '&Run'
      OnClick = ItemClick
    end
    object Long1: TMenuItem
      Caption = 'A caption far too long for the menu area of this frame'
      OnClick = ItemClick
    end
    object Last1: TMenuItem
      Caption = '&Last'
      OnClick = ItemClick
    end
  end
  object FormSkin: TskFormSkin
    MainMenu = MainMenu1
  end
end
)";

class FrameMainMenu : public ::testing::Test {
protected:
  void SetUp() override {
    skinmenutesting::MouseTo(0, 0);
    Form = ShowMenuForm(MenuForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("ItemClick", [this](TObject* Sender) {
        Log.push_back(dynamic_cast<TComponent*>(Sender)->Name() + " click");
      });
    });
    F = dynamic_cast<TskFormSkin*>(Form->FindComponent("FormSkin"));
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
    ASSERT_TRUE(F && Edit);
    F->OnMainMenuEnter = [this](TObject* Sender) { Log.push_back(Sender == F ? "enter" : "enter by other"); };
    F->OnMainMenuExit = [this](TObject*) { Log.push_back("exit"); };
    F->SetSkinData(&Skin.Skin());
    Edit->SetFocus();
    windowtesting::PumpFor(100);
  }

  void TearDown() override {
    F->SkinMenu->CloseMenu(0);
    Form.reset();
    windowtesting::Pump();
  }

  TskSkinMainMenuItem* Item(const std::string& Name) {
    for (const auto& object : F->FrameObjects)
      if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get()); item && item->IDName == Name) return item;
    return nullptr;
  }
  // The names of the hot items, in order.
  std::string HotItems() {
    std::string names;
    for (const auto& object : F->FrameObjects)
      if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get()); item && item->Active) names += item->IDName + " ";
    return names;
  }
  size_t Windows() { return F->SkinMenu->PopupWindows.size(); }
  POINT ItemCentre(const std::string& Name) {
    const TRect r = Item(Name)->ObjectRect;
    return POINT{Form->Left() + (r.left + r.right) / 2, Form->Top() + (r.top + r.bottom) / 2};
  }
  void Click(const std::string& Name) {
    const POINT p = ItemCentre(Name);
    skinmenutesting::LeftClick(p.x, p.y);
    windowtesting::PumpFor(150);
  }

  TMainMenuSkin Skin;
  std::unique_ptr<TForm> Form;
  TskFormSkin* F = nullptr;
  TEdit* Edit = nullptr;
  std::vector<std::string> Log;
};

TEST_F(FrameMainMenu, ItemsFromTheSkinOneForEachVisibleItemTheTooLongOnesCutOff) {
  std::vector<std::string> names;
  for (const auto& object : F->FrameObjects)
    if (auto* item = dynamic_cast<TskSkinMainMenuItem*>(object.get())) names.push_back(item->IDName);
  EXPECT_EQ((std::vector<std::string>{"File1", "Edit1", "Run1", "Long1", "Last1"}), names);
  // Laid out one after the other in the menu area, each 10 pixels wider than its caption.
  const TRect file = Item("File1")->ObjectRect;
  EXPECT_EQ(F->RealMainMenuRect.left, file.left);
  EXPECT_EQ(file.right, Item("Edit1")->ObjectRect.left);
  EXPECT_EQ(18, RectHeight(file));
  EXPECT_FALSE(Item("Long1")->Fits);
  EXPECT_FALSE(Item("Long1")->Enabled);
  EXPECT_FALSE(Item("Last1")->Enabled);
  EXPECT_TRUE(Item("Run1")->Fits);
  // The normal look on the screen, and the menu area where the items end.
  EXPECT_EQ(NormalColor, ScreenPixel(Form->Left() + file.left + 1, Form->Top() + file.top + 1));
  const TRect run = Item("Run1")->ObjectRect;
  EXPECT_EQ(MenuAreaColor, ScreenPixel(Form->Left() + run.right + 3, Form->Top() + run.top + 1));
}

TEST_F(FrameMainMenu, ClickOpensTheDropDownMovingOpensTheNextAndAPlainItemRunsAtOnce) {
  Click("File1");
  ASSERT_EQ(1u, Windows());
  EXPECT_TRUE(Item("File1")->Down);
  EXPECT_TRUE(F->MainMenuActive);
  EXPECT_TRUE(F->MenuLoop);
  EXPECT_EQ(DownColor, ScreenPixel(ItemCentre("File1").x - RectWidth(Item("File1")->ObjectRect) / 2 + 1,
                                   ItemCentre("File1").y - 7));
  // The drop-down opens below the item.
  RECT place;
  GetWindowRect(F->SkinMenu->PopupWindows[0]->Handle(), &place);
  EXPECT_EQ(Form->Top() + Item("File1")->ObjectRect.bottom, place.top);

  const POINT edit = ItemCentre("Edit1");
  skinmenutesting::MouseTo(edit.x, edit.y);
  windowtesting::PumpFor(200);
  ASSERT_EQ(1u, Windows());
  EXPECT_FALSE(Item("File1")->Down);
  EXPECT_TRUE(Item("Edit1")->Down);
  EXPECT_EQ("Cut1", F->SkinMenu->PopupWindows[0]->MenuItems[0]->SourceItem->Name());

  // A press on an item without subitems closes the menu and runs its command.
  Click("Run1");
  EXPECT_EQ(0u, Windows());
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_FALSE(F->MenuLoop);
  EXPECT_EQ((std::vector<std::string>{"enter", "exit", "Run1 click"}), Log);
}

TEST_F(FrameMainMenu, AltEntersAndLeavesTheModeAndArrowsWrapOverTheItemsThatFit) {
  TapKey(VK_MENU);
  EXPECT_TRUE(F->MainMenuActive);
  EXPECT_EQ("File1 ", HotItems());
  const struct {
    WORD Key;
    const char* Hot;
  } steps[] = {
      {VK_RIGHT, "Edit1 "}, {VK_RIGHT, "Run1 "}, {VK_RIGHT, "File1 "},  // Long1 and Last1 are cut off
      {VK_LEFT, "Run1 "},   {VK_LEFT, "Edit1 "},
  };
  for (const auto& step : steps) {
    TapKey(step.Key);
    EXPECT_EQ(step.Hot, HotItems()) << "after key " << step.Key;
  }
  // Keys that mean nothing to the menu reach no control while it has the keyboard.
  TapKey('X');
  EXPECT_EQ("", Edit->Text());
  TapKey(VK_MENU);
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_EQ("", HotItems());
  TapKey('X');
  EXPECT_EQ("x", Edit->Text());
  EXPECT_EQ((std::vector<std::string>{"enter", "exit"}), Log);
}

TEST_F(FrameMainMenu, EscapeClosesOneLevelAtATimeThenLeavesTheMode) {
  TapKey(VK_MENU);
  TapKey(VK_RETURN);  // opens the hot item's drop-down
  ASSERT_EQ(1u, Windows());
  TapKey(VK_DOWN);    // from Open to More
  TapKey(VK_RIGHT);   // More has subitems: its submenu opens instead of moving across the menu
  ASSERT_EQ(2u, Windows());
  EXPECT_TRUE(Item("File1")->Down);

  TapKey(VK_ESCAPE);
  EXPECT_EQ(1u, Windows());
  TapKey(VK_ESCAPE);
  EXPECT_EQ(0u, Windows());
  EXPECT_TRUE(F->MainMenuActive);
  EXPECT_FALSE(Item("File1")->Down);
  EXPECT_EQ("File1 ", HotItems());
  TapKey(VK_ESCAPE);
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_EQ("", HotItems());
  EXPECT_EQ((std::vector<std::string>{"enter", "exit"}), Log);
}

TEST_F(FrameMainMenu, AcceleratorsOpenOrRunTheItemsThatFitAndLeaveTheModeAfterACommand) {
  PressKeys({VK_MENU, 'E'});
  ASSERT_EQ(1u, Windows());
  EXPECT_TRUE(Item("Edit1")->Down);
  TapKey('C');  // the drop-down's own accelerator
  EXPECT_EQ(0u, Windows());
  windowtesting::PumpFor(50);
  EXPECT_FALSE(F->MainMenuActive);

  Log.clear();
  PressKeys({VK_MENU, 'R'});
  EXPECT_EQ((std::vector<std::string>{"Run1 click"}), Log);
  // The command ended main-menu mode: keys reach the controls again.
  EXPECT_FALSE(F->MainMenuActive);
  TapKey('Y');
  EXPECT_EQ("y", Edit->Text());

  // An item that does not fit has no accelerator.
  Log.clear();
  PressKeys({VK_MENU, 'L'});
  EXPECT_TRUE(Log.empty());
}

TEST_F(FrameMainMenu, ShortCutsOfTheMenuRunTheirItems) {
  PressKeys({VK_CONTROL, 'O'});
  EXPECT_EQ((std::vector<std::string>{"Open1 click"}), Log);
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_EQ("", Edit->Text());
}

TEST_F(FrameMainMenu, AltOrF10WithoutItemsStillEntersTheMode) {
  F->SetMainMenu(nullptr);
  EXPECT_TRUE(HotItems().empty());
  TapKey(VK_F10);
  EXPECT_TRUE(F->MainMenuActive);
  TapKey(VK_MENU);
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_EQ((std::vector<std::string>{"enter", "exit"}), Log);
}

TEST_F(FrameMainMenu, WheelTurnsAreSwallowedWhileAMenuIsOpen) {
  int wheels = 0;
  const auto previous = Edit->WindowProc;
  Edit->WindowProc = [&wheels, previous](TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) ++wheels;
    previous(Message);
  };
  PostMessageW(Edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  windowtesting::Pump();
  EXPECT_EQ(1, wheels);
  Click("File1");
  ASSERT_EQ(1u, Windows());
  PostMessageW(Edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  windowtesting::Pump();
  EXPECT_EQ(1, wheels);
  Edit->WindowProc = previous;
}

TEST(FrameSkinnedMainMenu, DropDownsOpenInTheSkinTheMenuNames) {
  TMainMenuSkin frameSkin;
  skinmenutesting::TMenuSkin menuSkin;
  auto form = ShowMenuForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object MainMenu1: TskSkinMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
      end
    end
  end
  object FormSkin: TskFormSkin
    MainMenu = MainMenu1
  end
end
)");
  auto* f = dynamic_cast<TskFormSkin*>(form->FindComponent("FormSkin"));
  auto* menu = dynamic_cast<TskSkinMainMenu*>(form->FindComponent("MainMenu1"));
  ASSERT_TRUE(f && menu);
  f->SetSkinData(&frameSkin.Skin());
  menu->SetSkinData(&menuSkin.Skin());
  windowtesting::PumpFor(50);
  PressKeys({VK_MENU, 'F'});
  ASSERT_EQ(1u, f->SkinMenu->PopupWindows.size());
  EXPECT_EQ(&menuSkin.Skin(), f->SkinMenu->SkinData);
  RECT place;
  GetWindowRect(f->SkinMenu->PopupWindows[0]->Handle(), &place);
  EXPECT_EQ(skinmenutesting::FrameColor, ScreenPixel(place.left + 10, place.top + 1));
  f->SkinMenu->CloseMenu(0);
}

}  // namespace
