// A radio group and a check group: a captioned skinned group box showing one skinned button per
// line of its Items, arranged in Columns inside the box's child area. The buttons belong to the
// group and are not stored with a form.
//
// Classes in this file: TskSkinButtonGroup, TskGroupButton, TskCheckGroupButton,
// TskSkinCustomRadioGroup, TskSkinRadioGroup, TskSkinCustomCheckGroup, TskSkinCheckGroup.
#pragma once

#include "platform/classlib/Strings.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinPanel.h"

#include <memory>
#include <vector>

namespace skin {

class TskSkinButtonGroup;

// A button of a group: it hands its keys to the group, which may refuse changes.
class TskGroupButton : public TskSkinCheckRadioBox {
public:
  // Owned by Group and shown in it; Radio makes it a radio button of the group's one set.
  TskGroupButton(TskSkinButtonGroup* Group, bool Radio);
  ~TskGroupButton() override;

  // Commands pass only while the group may change, one at a time.
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  TskSkinButtonGroup* FGroup;
  bool FClickGuard = false;
};

class TskCheckGroupButton : public TskGroupButton {
public:
  explicit TskCheckGroupButton(TskSkinButtonGroup* Group) : TskGroupButton(Group, false) {}
};

// What the radio and check groups share: the lines, the buttons made for them and their layout.
class TskSkinButtonGroup : public TskSkinGroupBox {
public:
  explicit TskSkinButtonGroup(classlib::TComponent* AOwner);
  ~TskSkinButtonGroup() override;

  // Attributes
  classlib::TStrings& Items() { return *FItems; }
  void SetItems(const classlib::TStrings& Value) { FItems->Assign(Value); }
  int Columns() const { return FColumns; }
  // Held to 1..16.
  void SetColumns(int Value);
  classlib::TImageList* Images() const { return FImages; }
  void SetImages(classlib::TImageList* Value);
  const classlib::String& ButtonSkinDataName() const { return FButtonSkinDataName; }
  void SetButtonSkinDataName(const classlib::String& Value);
  classlib::TFont& ButtonDefaultFont() { return *FButtonDefaultFont; }
  void SetButtonDefaultFont(const classlib::TFont& Value);
  int ButtonCount() const { return static_cast<int>(FButtonList.size()); }
  TskGroupButton& Buttons(int Index) const { return *FButtonList.at(static_cast<size_t>(Index)); }
  int ItemIndex() const { return FItemIndex; }

  // Operations
  virtual bool CanModify() { return true; }
  void SetSkinData(TskSkinData* Value) override;
  void ChangeSkinData() override;
  // Places the buttons column by column in the child area, in one deferred batch.
  void ArrangeButtons();

protected:
  friend class TskGroupButton;

  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void EnabledChanged() override;
  void FontChanged() override;
  void Resize() override;
  // While the form is read the group only stores what it is given.
  bool StreamingIn() const { return ComponentState().Contains(classlib::TComponentStateItem::csReading); }
  // A new button, owned by the group as a component.
  virtual TskGroupButton* NewButton() = 0;
  virtual void ItemsChange();
  virtual void UpdateButtons();
  virtual void ButtonClick(TskGroupButton& Button) = 0;
  void SetButtonCount(int Count);
  int IndexOfButton(const TskGroupButton& Button) const;

  classlib::TImageList* FImages = nullptr;
  classlib::String FButtonSkinDataName;
  std::vector<TskGroupButton*> FButtonList;
  std::unique_ptr<classlib::TStringList> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  std::unique_ptr<classlib::TFont> FButtonDefaultFont;
};

// One checked line at most: ItemIndex.
class TskSkinCustomRadioGroup : public TskSkinButtonGroup {
public:
  explicit TskSkinCustomRadioGroup(classlib::TComponent* AOwner);

  // -1 and the button count bound the index; checking a button fires OnClick.
  void SetItemIndex(int Value);

protected:
  TskGroupButton* NewButton() override;
  void ItemsChange() override;
  void UpdateButtons() override;
  void ButtonClick(TskGroupButton& Button) override;
  void Loaded() override;

private:
  bool FCheckingItem = false;
};

class TskSkinRadioGroup : public TskSkinCustomRadioGroup {
public:
  using TskSkinCustomRadioGroup::TskSkinCustomRadioGroup;
};

// A checked state per line; ItemIndex names the button toggled last.
class TskSkinCustomCheckGroup : public TskSkinButtonGroup {
public:
  explicit TskSkinCustomCheckGroup(classlib::TComponent* AOwner);

  // False, and nothing, for an index outside the buttons.
  bool GetCheckedStatus(int Index) const;
  void SetCheckedStatus(int Index, bool Value);

protected:
  TskGroupButton* NewButton() override;
  void ButtonClick(TskGroupButton& Button) override;
};

class TskSkinCheckGroup : public TskSkinCustomCheckGroup {
public:
  using TskSkinCustomCheckGroup::TskSkinCustomCheckGroup;
};

}  // namespace skin
