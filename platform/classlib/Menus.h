// Menus: a tree of items, shown through the system's popup menus.
//
// Classes in this file: TMenuItem, TMenu, TPopupMenu, TMainMenu.
#pragma once

#include "platform/classlib/Controls.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace classlib {

class TClassRegistry;
class TImageList;
class TMenu;

// A key with its modifiers, as menus store it: the virtual-key code in the low byte.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(WORD Key, TShiftState Shift);
// "Ctrl+Shift+F5", "Alt+Del"; "" for no key.
String ShortCutToText(TShortCut ShortCut);
// The reverse of ShortCutToText, modifiers and key names in any case; scNone for a text that
// names no key.
TShortCut TextToShortCut(const String& Text);
// Whether the caption's accelerator (the character after a single "&") is the key VK, in any case.
bool IsAccel(WORD VK, const String& Caption);

// Paints an item in place of the menu's own look (Selected: the item is highlighted).
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas& ACanvas, const TRect& ARect, bool Selected)>;

// A system menu, destroyed with its submenus.
struct TMenuDestroyer {
  void operator()(HMENU Menu) const { DestroyMenu(Menu); }
};
using TMenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuDestroyer>;

// One entry of a menu and the sub-items it opens. A caption of "-" makes the item a separator.
// Sub-items are freed with their parent item, whoever owns them.
class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;

  // Attributes
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool IsLine() const { return FCaption == "-"; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  // The identifier the item's entry carries in a system menu (the low word of WM_COMMAND).
  UINT Command() const { return FCommand; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  // -1 for no picture of the menu's Images.
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  // A checked radio item shows a dot instead of a tick.
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value) { FRadioItem = Value; }
  // The item a double click would choose, shown in bold by the system.
  bool Default() const { return FDefault; }
  void SetDefault(bool Value) { FDefault = Value; }
  // Merging main menus replaces the items of a group with those of the same group.
  BYTE GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(BYTE Value) { FGroupIndex = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }

  // Sub-items
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  // The menu whose tree holds the item; null for a tree of no menu.
  TMenu* GetParentMenu() const;
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the sub-item at Index out of this item; it is not freed (its owner frees it).
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  // This item or the sub-item, at any depth, whose entry carries Command; null when none does.
  TMenuItem* Find(UINT Command);

  // Operations
  virtual void Click();
  // The form reader nests an item in a menu (under its Items) or in another item.
  void SetParentComponent(TComponent* Value) override;
  // A system popup menu of the visible sub-items, with a submenu for each item that has sub-items.
  TMenuHandle CreatePopupHandle() const;

private:
  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  UINT FCommand;
  TShortCut FShortCut = scNone;
  int FImageIndex = -1;
  bool FRadioItem = false;
  bool FDefault = false;
  BYTE FGroupIndex = 0;
  String FHint;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  friend class TMenu;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root whose sub-items are the menu's entries.
  TMenuItem* Items() const { return FItems.get(); }
  // Runs the OnClick of the item of this menu whose entry carries Command (a WM_COMMAND's low word,
  // or what TrackPopupMenu returned); false when none does.
  bool DispatchCommand(UINT Command);
  // A key message (WM_KEYDOWN, WM_SYSKEYDOWN) as a short cut: the key with the shift state it came
  // with runs the OnClick of the enabled, visible item, under enabled and visible parents, that
  // carries that short cut; false when none does.
  bool IsShortCut(const TMessage& Message);
  // The pictures of the items' ImageIndex; null for none.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::unique_ptr<TMenuItem> FItems;
  TImageList* FImages = nullptr;
};

// A menu that opens at a point. With AutoPopup it opens on a right click on a control whose
// PopupMenu it is (that control is then its PopupComponent).
class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent* AOwner);

  TNotifyEvent OnPopup;

  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);

  // Fires OnPopup, shows the menu with its top-left corner at the screen point X, Y and waits for
  // the user. The chosen item's OnClick runs after the menu has closed.
  virtual void Popup(int X, int Y);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
};

// The items of a form's main menu, for a frame that draws them itself.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

// Registers the classes of this unit with the form reader.
void RegisterMenus(TClassRegistry& Registry);

}  // namespace classlib
