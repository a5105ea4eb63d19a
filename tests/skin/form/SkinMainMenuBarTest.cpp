// The main-menu bar: its layout and looks with and without a skin, cut-off items and the menu of
// the hidden ones, its drop-downs and the keyboard it takes from the form's frame, and the buttons of
// a maximized MDI child as far as they stand without one.
#include "tests/skin/form/MainMenuTesting.h"
#include "tests/skin/form/SkinMenuTesting.h"

#include "platform/classlib/StdCtrls.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMainMenuBar.h"
#include "skin/form/SkinMenu.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace mainmenutesting;

namespace {

const char* const BarForm = R"(object TestForm: TForm
  Width = 300
  Height = 200
  Caption = 'Bar'
  object Edit: TEdit
    Left = 10
    Top = 60
    Width = 100
    Height = 21
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      Hint = 'The file menu'
      object Open1: TMenuItem
        Caption = '&Open'
        OnClick = ItemClick
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      object Cut1: TMenuItem
        Caption = '&Cut'
        OnClick = ItemClick
      end
    end
    object Run1: TMenuItem
      Caption = '&Run'
      OnClick = ItemClick
    end
    object Long1: TMenuItem
      Caption = 'A caption far too long for the bar of this form'
      OnClick = ItemClick
    end
    object Last1: TMenuItem
      Caption = '&Last'
      Enabled = False
      OnClick = ItemClick
    end
  end
  object Bar: TskSkinMainMenuBar
    MainMenu = MainMenu1
    FormSkin = FormSkin
    OnMainMenuItemClick = BarItemClick
  end
  object FormSkin: TskFormSkin
    MainMenuBar = Bar
  end
end
)";

class MainMenuBar : public ::testing::Test {
protected:
  void SetUp() override {
    skinmenutesting::MoveMouse(0, 0);
    Form = ShowMenuForm(BarForm, [this](TForm& form) {
      form.RegisterHandler<TNotifyEvent>("ItemClick", [this](TObject* Sender) {
        Log.push_back(dynamic_cast<TComponent*>(Sender)->Name() + " click");
      });
      form.RegisterHandler<TMainMenuItemClick>("BarItemClick",
                                               [this](const String& IDName) { Log.push_back(IDName + " pressed"); });
    });
    Bar = dynamic_cast<TskSkinMainMenuBar*>(Form->FindComponent("Bar"));
    F = dynamic_cast<TskFormSkin*>(Form->FindComponent("FormSkin"));
    Edit = dynamic_cast<TEdit*>(Form->FindComponent("Edit"));
    ASSERT_TRUE(Bar && F && Edit);
    F->OnMainMenuEnter = [this](TObject* Sender) { Log.push_back(Sender == Bar ? "enter by bar" : "enter"); };
    F->OnMainMenuExit = [this](TObject*) { Log.push_back("exit"); };
    Edit->SetFocus();
    windowtesting::PumpFor(100);
  }

  void TearDown() override {
    F->SkinMenu->CloseMenu(0);
    Form.reset();
    windowtesting::Pump();
  }

  TskSkinMainMenuBarItem* Item(const std::string& Name) {
    for (TskSkinMainMenuBarItem* item : Bar->Items())
      if (item->IDName == Name) return item;
    return nullptr;
  }
  std::string HotItems() {
    std::string names;
    for (TskSkinMainMenuBarItem* item : Bar->Items())
      if (item->Active) names += item->IDName + " ";
    return names;
  }
  POINT OnScreen(int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(Bar->Handle(), &p);
    return p;
  }
  POINT ItemPoint(const std::string& Name, int DX = -1, int DY = -1) {
    const TRect r = Item(Name)->ObjectRect;
    return OnScreen(DX < 0 ? (r.left + r.right) / 2 : r.left + DX, DY < 0 ? (r.top + r.bottom) / 2 : r.top + DY);
  }
  void ClickItem(const std::string& Name) {
    const POINT p = ItemPoint(Name);
    skinmenutesting::ClickAt(p.x, p.y);
    windowtesting::PumpFor(150);
  }
  size_t Windows() { return F->SkinMenu->PopupWindows.size(); }
  // Whether some pixel of a bar rectangle has the colour.
  bool AnyPixel(const TRect& R, COLORREF Color) {
    for (int y = R.top; y < R.bottom; ++y)
      for (int x = R.left; x < R.right; ++x) {
        const POINT p = OnScreen(x, y);
        if (ScreenPixel(p.x, p.y) == Color) return true;
      }
    return false;
  }

  TMainMenuSkin Skin;
  std::unique_ptr<TForm> Form;
  TskSkinMainMenuBar* Bar = nullptr;
  TskFormSkin* F = nullptr;
  TEdit* Edit = nullptr;
  std::vector<std::string> Log;
};

TEST_F(MainMenuBar, DefaultLookLaysTheItemsOutAtTheTopAndCutsOffWhatDoesNotFit) {
  EXPECT_EQ(TAlign::alTop, Bar->Align());
  EXPECT_EQ(22, Bar->Height());
  EXPECT_EQ(0, Bar->Top());
  EXPECT_EQ(Form->ClientWidth(), Bar->Width());
  const TRect file = Item("File1")->ObjectRect;
  EXPECT_EQ(2, file.left);
  EXPECT_EQ(2, file.top);
  EXPECT_EQ(20, file.bottom);
  EXPECT_EQ(file.right, Item("Edit1")->ObjectRect.left);
  EXPECT_TRUE(Item("Run1")->InBar);
  EXPECT_FALSE(Item("Long1")->InBar);
  EXPECT_FALSE(Item("Long1")->Enabled);
  EXPECT_TRUE(Bar->ItemsHidden);
  const POINT face = OnScreen(file.left + 2, file.top + 1);
  EXPECT_EQ(ColorToRGB(clBtnFace), ScreenPixel(face.x, face.y));
  // The marker of the hidden items in the last 5 pixels of the items area.
  EXPECT_EQ(RectText(TRect{Bar->Width() - 7, 2, Bar->Width() - 2, 20}), RectText(Bar->GetMarkerRect()));
  EXPECT_TRUE(AnyPixel(Bar->GetMarkerRect(), ColorToRGB(clBtnShadow)));

  // Hot: the navy frame and the light fill; the bar's item event and the item's hint.
  TMenuItem* entered = nullptr;
  Bar->OnItemMouseEnter = [&entered](TMenuItem* Item) { entered = Item; };
  const POINT centre = ItemPoint("File1");
  skinmenutesting::MoveMouse(centre.x, centre.y);
  windowtesting::PumpFor(150);
  EXPECT_EQ("File1 ", HotItems());
  EXPECT_EQ("File1", entered ? entered->Name() : String());
  EXPECT_EQ("The file menu", Bar->Hint());
  const POINT edge = ItemPoint("File1", 0, 5), inside = ItemPoint("File1", 2, 1);
  EXPECT_EQ(0x800000u, ScreenPixel(edge.x, edge.y));
  EXPECT_EQ(0xD2BDB6u, ScreenPixel(inside.x, inside.y));
  skinmenutesting::MoveMouse(0, 0);
  windowtesting::PumpFor(150);
  EXPECT_EQ("", HotItems());
}

TEST_F(MainMenuBar, SkinnedLookKeepsTheSkinsHeightAndItsItemsArea) {
  Bar->SetSkinData(&Skin.Skin());
  windowtesting::PumpFor(50);
  EXPECT_TRUE(Bar->SkinDescribed);
  EXPECT_EQ(24, Bar->Height());
  Bar->SetHeight(40);
  EXPECT_EQ(24, Bar->Height());
  EXPECT_EQ(RectText(TRect{4, 3, Bar->Width() - 4, 21}), RectText(Bar->ItemsArea));
  const TRect file = Item("File1")->ObjectRect;
  EXPECT_EQ(RectText(TRect{4, 3, file.right, 21}), RectText(file));
  const POINT background = OnScreen(1, 1), item = OnScreen(file.left + 1, file.top + 1);
  EXPECT_EQ(BarColor, ScreenPixel(background.x, background.y));
  EXPECT_EQ(NormalColor, ScreenPixel(item.x, item.y));
  EXPECT_TRUE(AnyPixel(Bar->GetMarkerRect(), MarkColor));

  const POINT centre = ItemPoint("File1");
  skinmenutesting::MoveMouse(centre.x, centre.y);
  windowtesting::PumpFor(150);
  EXPECT_EQ(HotColor, ScreenPixel(item.x, item.y));
  ClickItem("File1");
  EXPECT_EQ(DownColor, ScreenPixel(item.x, item.y));
}

TEST_F(MainMenuBar, TheMarkerOpensTheHiddenItemsAndAWiderBarShowsThemAgain) {
  const TRect marker = Bar->GetMarkerRect();
  const POINT p = OnScreen((marker.left + marker.right) / 2, (marker.top + marker.bottom) / 2);
  skinmenutesting::ClickAt(p.x, p.y);
  windowtesting::PumpFor(150);
  ASSERT_EQ(1u, Windows());
  const auto& items = F->SkinMenu->PopupWindows[0]->MenuItems;
  ASSERT_EQ(2u, items.size());
  EXPECT_EQ("Long1", items[0]->SourceItem->Name());
  EXPECT_EQ("Last1", items[1]->SourceItem->Name());
  F->SkinMenu->Hide();
  windowtesting::Pump();

  Form->SetWidth(900);
  windowtesting::PumpFor(100);
  EXPECT_TRUE(Item("Long1")->InBar);
  EXPECT_TRUE(Item("Long1")->Enabled);
  // The item comes back with the state it had before it was cut off.
  EXPECT_TRUE(Item("Last1")->InBar);
  EXPECT_FALSE(Item("Last1")->Enabled);
  EXPECT_FALSE(Bar->ItemsHidden);
}

TEST_F(MainMenuBar, PressesOpenDropDownsThatFollowThePointerAndRunPlainItemsAtOnce) {
  ClickItem("File1");
  ASSERT_EQ(1u, Windows());
  EXPECT_TRUE(Item("File1")->Down);
  EXPECT_TRUE(Bar->MenuMode);
  EXPECT_TRUE(F->MainMenuActive);
  RECT place;
  GetWindowRect(F->SkinMenu->PopupWindows[0]->Handle(), &place);
  EXPECT_EQ(ItemPoint("File1", 0, 0).y + RectHeight(Item("File1")->ObjectRect), place.top);

  const POINT edit = ItemPoint("Edit1");
  skinmenutesting::MoveMouse(edit.x, edit.y);
  windowtesting::PumpFor(200);
  ASSERT_EQ(1u, Windows());
  EXPECT_TRUE(Item("Edit1")->Down);
  EXPECT_FALSE(Item("File1")->Down);
  // Leaving the bar for the drop-down keeps the item hot.
  skinmenutesting::MoveMouse(edit.x, place.top + 40);
  windowtesting::PumpFor(150);
  EXPECT_EQ("Edit1 ", HotItems());

  ClickItem("Run1");
  EXPECT_EQ(0u, Windows());
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_FALSE(Bar->MenuMode);
  EXPECT_EQ((std::vector<std::string>{"File1 pressed", "enter by bar", "exit", "Run1 pressed", "Run1 click"}), Log);
}

TEST_F(MainMenuBar, TheFormsKeysGoToTheBar) {
  Key(VK_MENU);
  EXPECT_TRUE(Bar->MenuMode);
  EXPECT_TRUE(F->MainMenuActive);
  EXPECT_EQ("File1 ", HotItems());
  for (const auto& [key, hot] : std::vector<std::pair<WORD, std::string>>{
           {VK_RIGHT, "Edit1 "}, {VK_RIGHT, "Run1 "}, {VK_RIGHT, "File1 "}, {VK_LEFT, "Run1 "}}) {
    Key(key);
    EXPECT_EQ(hot, HotItems()) << "after key " << key;
  }
  Key('E');  // an accelerator in main-menu mode opens the item
  ASSERT_EQ(1u, Windows());
  EXPECT_TRUE(Item("Edit1")->Down);
  Key(VK_ESCAPE);
  EXPECT_EQ(0u, Windows());
  EXPECT_FALSE(Item("Edit1")->Down);
  EXPECT_EQ("Edit1 ", HotItems());
  Key(VK_RETURN);
  EXPECT_EQ(1u, Windows());
  Key(VK_RETURN);  // Cut
  windowtesting::PumpFor(50);
  EXPECT_EQ(0u, Windows());
  EXPECT_FALSE(F->MainMenuActive);
  EXPECT_EQ("", HotItems());
  EXPECT_EQ((std::vector<std::string>{"enter by bar", "Edit1 pressed", "Edit1 pressed", "exit", "Cut1 click"}), Log);
}

TEST_F(MainMenuBar, ChildButtonsAreAddedOnceInTheirOrderAndPlaces) {
  const TRect before = Bar->ItemsArea;
  Bar->MDIChildMaximize();
  Bar->MDIChildMaximize();
  ASSERT_EQ(4, Bar->ButtonCount);
  ASSERT_EQ(9u, Bar->Objects.size());
  const TStdCommand commands[] = {TStdCommand::cmSysMenu, TStdCommand::cmClose, TStdCommand::cmMaximize,
                                  TStdCommand::cmMinimize};
  for (size_t i = 0; i < 4; ++i) {
    auto* button = dynamic_cast<TskSkinMainMenuBarButton*>(Bar->Objects[i].get());
    ASSERT_TRUE(button);
    EXPECT_EQ(commands[i], button->Command) << i;
  }
  windowtesting::PumpFor(50);
  // Squares as high as the items area: the system menu on the left, then from the right close,
  // restore, minimize.
  const int side = RectHeight(before);
  EXPECT_EQ(RectText(TRect{2, 2, 2 + side, 2 + side}), RectText(Bar->Objects[0]->ObjectRect));
  EXPECT_EQ(before.right, Bar->Objects[1]->ObjectRect.right);
  EXPECT_EQ(before.right - side - 2, Bar->Objects[2]->ObjectRect.right);
  EXPECT_EQ(before.right - 2 * (side + 2), Bar->Objects[3]->ObjectRect.right);
  EXPECT_EQ(2 + side + 2, Item("File1")->ObjectRect.left);
  EXPECT_EQ(before.right - 3 * (side + 2), Bar->ItemsArea.right);

  TskBorderIcons icons{TskBorderIcon::biSystemMenu};
  Bar->CheckButtons(icons);
  EXPECT_TRUE(Bar->Objects[0]->Enabled);
  EXPECT_TRUE(Bar->Objects[1]->Enabled);
  EXPECT_TRUE(Bar->Objects[2]->Enabled);
  EXPECT_FALSE(Bar->Objects[3]->Enabled);

  // No child is maximized (there is none): restoring takes the buttons away.
  Bar->MDIChildRestore();
  EXPECT_EQ(0, Bar->ButtonCount);
  EXPECT_EQ(5u, Bar->Objects.size());
}

TEST_F(MainMenuBar, SkinnedChildButtonsTakeTheirSkinsSize) {
  Bar->SetSkinData(&Skin.Skin());
  Bar->MDIChildMaximize();
  windowtesting::PumpFor(50);
  ASSERT_EQ(4, Bar->ButtonCount);
  auto* close = dynamic_cast<TskSkinMainMenuBarButton*>(Bar->Objects[1].get());
  ASSERT_TRUE(close);
  EXPECT_TRUE(close->SkinSupport);
  EXPECT_EQ("barclose", close->IDName);
  // 14 x 14, centred on the 18-pixel items area, at its right end.
  EXPECT_EQ(RectText(TRect{Bar->Width() - 4 - 14, 5, Bar->Width() - 4, 19}), RectText(close->ObjectRect));
  const POINT p = OnScreen(close->ObjectRect.left + 2, close->ObjectRect.top + 2);
  EXPECT_EQ(ButtonColor, ScreenPixel(p.x, p.y));
  // The skin names no other button: they take the default look with their commands.
  auto* minimize = dynamic_cast<TskSkinMainMenuBarButton*>(Bar->Objects[3].get());
  ASSERT_TRUE(minimize);
  EXPECT_FALSE(minimize->SkinSupport);
  EXPECT_EQ(TStdCommand::cmMinimize, minimize->Command);
}

}  // namespace

namespace {

TEST(MainMenuBarProperties, DefaultsAndValuesReadFromADescription) {
  {
    TskSkinMainMenuBar bar(nullptr);
    EXPECT_TRUE(bar.UseSkinFont());
    EXPECT_TRUE(bar.ScrollMenu());
    EXPECT_FALSE(bar.PopupToUp());
    EXPECT_EQ(0, bar.DefaultWidth());
    EXPECT_EQ(22, bar.DefaultHeight());
    EXPECT_EQ(22, bar.Height());
    EXPECT_EQ(TAlign::alTop, bar.Align());
    EXPECT_EQ("mainmenubar", bar.SkinDataName());
    EXPECT_EQ("Arial", bar.DefItemFont().Name());
    EXPECT_EQ(14, bar.DefItemFont().Height());
    EXPECT_EQ(clBtnText, bar.DefItemFont().Color());
    EXPECT_FALSE(bar.MainMenu() || bar.FormSkin());
  }
  auto form = ShowMenuForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
      end
    end
  end
  object Bar: TskSkinMainMenuBar
    UseSkinFont = False
    ScrollMenu = False
    PopupToUp = True
    DefaultHeight = 30
    DefItemFont.Name = 'Courier New'
    DefItemFont.Height = 16
    DefItemFont.Style = [fsBold]
    MainMenu = MainMenu1
    FormSkin = FormSkin
  end
  object FormSkin: TskFormSkin
    MainMenuBar = Bar
  end
end
)");
  auto* bar = dynamic_cast<TskSkinMainMenuBar*>(form->FindComponent("Bar"));
  auto* f = dynamic_cast<TskFormSkin*>(form->FindComponent("FormSkin"));
  ASSERT_TRUE(bar && f);
  EXPECT_EQ(bar, f->MainMenuBar());
  EXPECT_FALSE(bar->UseSkinFont());
  EXPECT_FALSE(bar->ScrollMenu());
  EXPECT_EQ(30, bar->Height());
  EXPECT_EQ("Courier New", bar->DefItemFont().Name());
  EXPECT_EQ(16, bar->DefItemFont().Height());
  EXPECT_TRUE(bar->DefItemFont().Style().Contains(TFontStyle::fsBold));

  // Drop-downs open above the bar.
  const TRect file = bar->Items().at(0)->ObjectRect;
  POINT p{(file.left + file.right) / 2, (file.top + file.bottom) / 2};
  ClientToScreen(bar->Handle(), &p);
  skinmenutesting::ClickAt(p.x, p.y);
  windowtesting::PumpFor(150);
  ASSERT_EQ(1u, f->SkinMenu->PopupWindows.size());
  RECT place;
  GetWindowRect(f->SkinMenu->PopupWindows[0]->Handle(), &place);
  POINT top{0, file.top};
  ClientToScreen(bar->Handle(), &top);
  EXPECT_EQ(top.y, place.bottom);
  f->SkinMenu->CloseMenu(0);
}

}  // namespace
