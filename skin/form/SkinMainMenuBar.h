// A form's main menu shown as a skinned bar control instead of inside the frame: its items cut off
// when the bar is too narrow (a marker opens the hidden ones), the active MDI child's menu merged in
// by group, the maximized child's buttons at both ends, and the keyboard of the form's main menu.
//
// Classes in this file: TskSkinMainMenu, TskSkinMainMenuBar.
#pragma once

#include "platform/classlib/Menus.h"
#include "platform/classlib/Timer.h"
#include "skin/controls/SkinControl.h"
#include "skin/form/FormSkin.h"
#include "skin/form/SkinMenuBarObjects.h"

#include <functional>
#include <memory>
#include <vector>

namespace skin {

// The arrows' walk across a main menu's items: the first hot or pressed selectable item lets go and
// the next selectable one is entered (the one before when not Forward), round from the end to the
// start; without such an item the first selectable one is entered.
template <class TItem, class TSelectable>
void StepMainMenuItems(const std::vector<TItem*>& Items, bool Forward, TSelectable Selectable) {
  const int count = static_cast<int>(Items.size());
  const auto at = [&](int I) -> TItem& { return *Items[static_cast<size_t>(Forward ? I : count - 1 - I)]; };
  int first = -1, current = -1;
  for (int i = 0; i < count; ++i) {
    if (!Selectable(at(i))) continue;
    if (first < 0) first = i;
    if (current < 0 && (at(i).Active || at(i).Down)) current = i;
  }
  if (first < 0) return;
  if (current >= 0) {
    at(current).MouseLeave();
    for (int i = current + 1; i < count; ++i)
      if (Selectable(at(i))) {
        at(i).MouseEnter();
        return;
      }
  }
  at(first).MouseEnter();
}

// A main menu that names the skin its drop-downs use.
class TskSkinMainMenu : public classlib::TMainMenu {
public:
  explicit TskSkinMainMenu(classlib::TComponent* AOwner) : TMainMenu(AOwner) {}

  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  TskSkinData* FSkinData = nullptr;
};

// IDName is the pressed item's menu item's Name.
using TMainMenuItemClick = std::function<void(const classlib::String& IDName)>;
using TskItemEnterEvent = std::function<void(classlib::TMenuItem* MenuItem)>;
using TskItemLeaveEvent = std::function<void(classlib::TMenuItem* MenuItem)>;

class TskSkinMainMenuBar : public TskSkinControl {
public:
  explicit TskSkinMainMenuBar(classlib::TComponent* AOwner);
  ~TskSkinMainMenuBar() override;

  // Published properties
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  bool ScrollMenu() const { return FScrollMenu; }
  void SetScrollMenu(bool Value) { FScrollMenu = Value; }
  classlib::TFont& DefItemFont() { return *FDefItemFont; }
  void SetDefItemFont(const classlib::TFont& Value);
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool PopupToUp() const { return FPopupToUp; }
  void SetPopupToUp(bool Value) { FPopupToUp = Value; }
  TskFormSkin* FormSkin() const { return FFormSkin; }
  void SetFormSkin(TskFormSkin* Value);
  classlib::TMainMenu* MainMenu() const { return FMainMenu; }
  void SetMainMenu(classlib::TMainMenu* Value);

  TMainMenuItemClick OnMainMenuItemClick;
  TskItemEnterEvent OnItemMouseEnter;
  TskItemLeaveEvent OnItemMouseLeave;

  // State the objects and the form component read
  bool SkinDescribed = false;
  int ButtonCount = 0;
  bool ChildMaximizedMode = false;
  bool MenuMode = false;
  bool ItemsHidden = false;
  bool MarkerHot = false;
  classlib::TTimer* MorphingTimer;
  classlib::TTimer* PointerTimer;
  int ActiveIndex = -1, OldActiveIndex = -1, PressedIndex = -1;
  classlib::TRect ItemsArea{};
  classlib::TRect SkinRect{};
  classlib::TRect ItemsRect{};
  classlib::String MenuBarItemName, MaxButtonName, MinButtonName, SysMenuButtonName, CloseButtonName;
  classlib::TColor TrackMarkColor = 0, TrackMarkActiveColor = 0;
  classlib::TBitmap* BarPicture = nullptr;
  // Buttons first, then items.
  std::vector<std::unique_ptr<TskMenuBarObject>> Objects;
  bool ChildMenuMerged = false;

  // Operations
  void GetSkinData() override;
  void ChangeSkinData() override;
  void BeforeChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void UpDateItems();
  void UpDateEnabledItems();
  void ClearObjects();
  // The main menu of the main form's active MDI child; null when there is none.
  classlib::TMainMenu* GetChildMainMenu() const;
  // The maximized MDI child of the main form; null when there is none.
  classlib::TForm* GetMaximizedMDIChild() const;
  // The form component of that child; null without the child or its component.
  TskFormSkin* GetMDIChildFormSkinComponent() const;
  void MDIChildMaximize();
  void MDIChildRestore();
  void AddButtons();
  void DeleteButtons();
  void CheckButtons(TskBorderIcons Icons);
  void CloseSysMenu();
  bool FindHotKeyItem(WORD Key);
  void NextMainMenuItem();
  void PriorMainMenuItem();
  bool CheckReturnKey();
  void MenuEnter();
  void MenuClose();
  void MenuExit();
  void TrackScrollMenu();
  classlib::TRect GetMarkerRect() const;
  void DrawSkinObject(TskMenuBarObject& Object);
  void CalcRects();
  void PaintMenuBar(classlib::TCanvas& Canvas);
  void TestActive(int X, int Y);
  void TestMouse();
  void TestMorph();
  // The item objects, in bar order.
  std::vector<TskSkinMainMenuBarItem*> Items() const;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void Paint() override {}
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

private:
  void CreateMenu();
  // The maximized child's border icons as the frame counts them; all of them without its component.
  void CheckMaximizedChildButtons();
  void DrawMarker(classlib::TCanvas& Canvas);
  bool Selectable(const TskSkinMainMenuBarItem& Item) const { return Item.Enabled && Item.InBar; }

  bool FUseSkinFont = true;
  bool FScrollMenu = true;
  std::unique_ptr<classlib::TFont> FDefItemFont;
  int FDefaultWidth = 0;
  int FDefaultHeight = 22;
  bool FPopupToUp = false;
  TskFormSkin* FFormSkin = nullptr;
  classlib::TMainMenu* FMainMenu = nullptr;
};

}  // namespace skin
