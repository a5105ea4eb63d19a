// A skinned side bar: a column of section buttons and, between the buttons of the open section and
// those after it, a panel of large flat item buttons, scrolled one item at a time by two small
// arrow buttons when they do not fit. Sections and items are collections stored with the form; the
// buttons are made from them while the bar has its window.
//
// Classes in this file: TskButtonBarItem, TskButtonBarItems, TskButtonBarSection,
// TskButtonBarSections, TskSectionButton, TskSectionItem, TskSkinButtonsBar.
#pragma once

#include "platform/classlib/Collections.h"
#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"

#include <memory>
#include <vector>

namespace skin {

class TskButtonBarSection;
class TskSkinButtonsBar;

class TskButtonBarItem : public classlib::TCollectionItem {
public:
  explicit TskButtonBarItem(classlib::TCollection* Collection);

  classlib::TNotifyEvent OnClick;
  classlib::TNotifyEvent OnDblClick;

  const classlib::String& Text() const { return FText; }
  void SetText(const classlib::String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  TskButtonLayout Layout() const { return FLayout; }
  void SetLayout(TskButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  const classlib::String& Hint() const { return FHint; }
  void SetHint(const classlib::String& Value) { FHint = Value; }

  void Assign(const classlib::TPersistent& Source) override;
  classlib::String GetDisplayName() const override;

private:
  classlib::String FText;
  int FImageIndex = 0;
  int FTag = 0;
  TskButtonLayout FLayout = TskButtonLayout::blGlyphTop;
  int FMargin = -1;
  int FSpacing = 1;
  classlib::String FHint;
};

// The items of a section: any change of them reaches the bar as a change of the section.
class TskButtonBarItems : public classlib::TCollection {
public:
  explicit TskButtonBarItems(TskButtonBarSection* Section) : FSection(Section) {}

  TskButtonBarSection* Section() const { return FSection; }
  TskButtonBarItem* Add() { return static_cast<TskButtonBarItem*>(TCollection::Add()); }
  TskButtonBarItem* GetItem(int Index) const { return static_cast<TskButtonBarItem*>(Items(Index)); }
  void SetItem(int Index, const TskButtonBarItem& Value) { GetItem(Index)->Assign(Value); }

protected:
  std::unique_ptr<classlib::TCollectionItem> CreateItem() override;
  void Update(classlib::TCollectionItem* Item) override;

private:
  TskButtonBarSection* FSection;
};

class TskButtonBarSection : public classlib::TCollectionItem {
public:
  explicit TskButtonBarSection(classlib::TCollection* Collection);

  classlib::TNotifyEvent OnClick;
  classlib::TNotifyEvent OnDblClick;

  const classlib::String& Text() const { return FText; }
  void SetText(const classlib::String& Value);
  TskButtonBarItems& Items() { return FItems; }
  void SetItems(const TskButtonBarItems& Value) { FItems.Assign(Value); }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const classlib::String& Hint() const { return FHint; }
  void SetHint(const classlib::String& Value) { FHint = Value; }
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);

  void Assign(const classlib::TPersistent& Source) override;
  classlib::String GetDisplayName() const override;

private:
  friend class TskButtonBarItems;

  classlib::String FText;
  TskButtonBarItems FItems{this};
  int FImageIndex = 0;
  int FTag = 0;
  classlib::String FHint;
  int FMargin = -1;
  int FSpacing = 1;
};

class TskButtonBarSections : public classlib::TCollection {
public:
  explicit TskButtonBarSections(TskSkinButtonsBar* Bar) : FBar(Bar) {}

  TskSkinButtonsBar* Bar() const { return FBar; }
  TskButtonBarSection* Add() { return static_cast<TskButtonBarSection*>(TCollection::Add()); }
  TskButtonBarSection* GetItem(int Index) const { return static_cast<TskButtonBarSection*>(Items(Index)); }
  void SetItem(int Index, const TskButtonBarSection& Value) { GetItem(Index)->Assign(Value); }

protected:
  std::unique_ptr<classlib::TCollectionItem> CreateItem() override;
  void Update(classlib::TCollectionItem* Item) override;

private:
  TskSkinButtonsBar* FBar;
};

// The button of a section: clicking it opens the section.
class TskSectionButton : public TskSkinSpeedButton {
public:
  TskSectionButton(classlib::TComponent* AOwner, int AItemIndex, TskSkinButtonsBar* AOwnerBar);

  int ItemIndex() const { return FItemIndex; }
  void ButtonClick() override;

protected:
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  TskSkinButtonsBar* FOwnerBar;
  int FItemIndex;
};

// The button of an item of the open section.
class TskSectionItem : public TskSkinSpeedButton {
public:
  TskSectionItem(classlib::TComponent* AOwner, int AItemIndex, int ASectionIndex, TskSkinButtonsBar* AOwnerBar);

  int ItemIndex() const { return FItemIndex; }
  int SectionIndex() const { return FSectionIndex; }
  void ButtonClick() override;

protected:
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  TskButtonBarItem* Item() const;

  TskSkinButtonsBar* FOwnerBar;
  int FItemIndex;
  int FSectionIndex;
};

class TskSkinButtonsBar : public TskSkinPanel {
public:
  static constexpr int ScrollButtonSize = 18;
  static constexpr int ScrollRepeatInterval = 150;

  explicit TskSkinButtonsBar(classlib::TComponent* AOwner);
  ~TskSkinButtonsBar() override;

  // Attributes
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowItemHint() const { return FShowItemHint; }
  void SetShowItemHint(bool Value) { FShowItemHint = Value; }
  classlib::TFont& DefaultSectionFont() { return *FDefaultSectionFont; }
  void SetDefaultSectionFont(const classlib::TFont& Value) { FDefaultSectionFont->Assign(Value); }
  classlib::TFont& DefaultItemFont() { return *FDefaultItemFont; }
  void SetDefaultItemFont(const classlib::TFont& Value) { FDefaultItemFont->Assign(Value); }
  int DefaultButtonHeight() const { return FDefaultButtonHeight; }
  void SetDefaultButtonHeight(int Value);
  const classlib::String& SectionButtonSkinDataName() const { return FSectionButtonSkinDataName; }
  void SetSectionButtonSkinDataName(const classlib::String& Value) { FSectionButtonSkinDataName = Value; }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  bool ItemsTransparent() const { return FItemsTransparent; }
  void SetItemsTransparent(bool Value);
  classlib::TImageList* ItemImages() const { return FItemImages; }
  void SetItemImages(classlib::TImageList* Value);
  classlib::TImageList* SectionImages() const { return FSectionImages; }
  void SetSectionImages(classlib::TImageList* Value);
  TskButtonBarSections& Sections() { return *FSections; }
  void SetSections(const TskButtonBarSections& Value) { FSections->Assign(Value); }
  int SectionIndex() const { return FSectionIndex; }
  void SetSectionIndex(int Value);

  // The parts made at run time.
  TskSkinPanel& ItemPanel() { return *FItemPanel; }
  int TopIndex() const { return FTopIndex; }
  int VisibleItemCount() const { return FVisibleItemCount; }
  int SectionButtonCount() const { return static_cast<int>(FSectionButtons.size()); }
  TskSectionButton* SectionButton(int Index) const { return FSectionButtons.at(static_cast<size_t>(Index)).get(); }
  int ItemButtonCount() const { return static_cast<int>(FItemButtons.size()); }
  TskSectionItem* ItemButton(int Index) const { return FItemButtons.at(static_cast<size_t>(Index)).get(); }
  TskSkinButton* UpButton() const { return FUpButton.get(); }
  TskSkinButton* DownButton() const { return FDownButton.get(); }

  // Operations
  void SetSkinData(TskSkinData* Value) override;
  void ChangeSkinData() override;
  // Makes the section buttons anew.
  void UpdateSections();
  // Refreshes the button of section Index (the items too when it is the open section).
  void UpdateSection(int Index);
  // Makes the item buttons of the open section anew.
  void UpdateItems();
  void OpenSection(int Index);
  // Works out which items fit and shows those from TopIndex on.
  void CheckVisibleItems();
  void ArangeItems();
  void ScrollUp();
  void ScrollDown();

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateWnd() override;

private:
  // Ready to make buttons: a window and at least one section.
  bool CanBuild() const;
  void FreeItemButtons();
  void ApplySection(TskSectionButton& Button, const TskButtonBarSection& Section);
  void OrderSectionButtons();
  std::unique_ptr<TskSkinButton> MakeScrollButton(const char* Glyph, void (TskSkinButtonsBar::*Scroll)());
  // Hides a button taken away and frees it once the message being handled has returned: the
  // button may be the one whose click took it away.
  void Retire(std::unique_ptr<classlib::TControl> Button);

  bool FShowItemHint = true;
  bool FShowButtons = true;
  std::unique_ptr<classlib::TFont> FDefaultSectionFont;
  std::unique_ptr<classlib::TFont> FDefaultItemFont;
  int FTopIndex = 0;
  int FVisibleItemCount = 0;
  int FItemHeight = 60;
  bool FItemsTransparent = true;
  // Parent of the item buttons: declared before them so that they go first.
  std::unique_ptr<TskSkinPanel> FItemPanel;
  std::unique_ptr<TskSkinButton> FUpButton, FDownButton;
  std::vector<std::unique_ptr<classlib::TControl>> FRetired;
  std::unique_ptr<TskButtonBarSections> FSections;
  int FSectionIndex = 0;
  classlib::TImageList* FItemImages = nullptr;
  classlib::TImageList* FSectionImages = nullptr;
  std::vector<std::unique_ptr<TskSectionButton>> FSectionButtons;
  std::vector<std::unique_ptr<TskSectionItem>> FItemButtons;
  classlib::String FSectionButtonSkinDataName = "toolbutton";
  int FDefaultButtonHeight = 25;
};

}  // namespace skin
