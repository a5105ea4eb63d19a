// The list window inside a skinned check list box: the owner-drawn inner list whose items each
// carry a check state, drawn as a check box (or the skin's check images) and toggled by the mouse
// in the item's check strip and by the Space key.
//
// Classes in this file: TskCheckListBoxDataWrapper, TskCheckListBox.
#pragma once
#include "skin/boxes/SkinInnerList.h"

namespace skin {

class TskSkinCheckListBox;

// What an item keeps beside its string and object. It lives with the item in the class library's
// lines, so it follows the item through sorting and window re-creation and is freed with it.
class TskCheckListBoxDataWrapper : public classlib::TObject {
public:
  classlib::TCheckBoxState State = classlib::TCheckBoxState::cbUnchecked;
};

class TskCheckListBox : public TskListBox {
public:
  explicit TskCheckListBox(classlib::TComponent* AOwner) : TskListBox(AOwner) {}

  // Called after every toggle made by mouse or Space, changed or not (a grayed item stays grayed).
  classlib::TNotifyEvent OnListClickCheck;
  // The check list box that made this list; not owned. Set by that box.
  TskSkinCheckListBox* CheckOwner = nullptr;

  // An index outside the list raises EListError.
  bool GetChecked(int Index) const;
  void SetChecked(int Index, bool Checked);
  classlib::TCheckBoxState GetState(int Index) const;
  void SetState(int Index, classlib::TCheckBoxState State);
  // The item's user data: its object in Items.
  intptr_t GetItemData(int Index) const;
  void SetItemData(int Index, intptr_t Data);
  // The user's toggle: unchecked and checked swap, grayed stays; then OnListClickCheck.
  void ToggleClickCheck(int Index);
  // Repaints the item's rectangle at once, without erasing.
  void InvalidateCheck(int Index);

protected:
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void KeyPress(char& Key) override;
  void DrawItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                classlib::TOwnerDrawState State) override;

private:
  // Raises EListError for an index outside the list.
  void CheckIndex(int Index) const;
  // The item's wrapper, nullptr while the item has none; raises for an index outside the list.
  TskCheckListBoxDataWrapper* ExtractWrapper(int Index) const;
  TskCheckListBoxDataWrapper& GetWrapper(int Index);
  // The skin's hit rectangle of the check strip in an item of width W.
  classlib::TRect SkinCheckRect(int W) const;
  void DrawDefaultCheckItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                            classlib::TOwnerDrawState State);
  void DrawSkinCheckItem(classlib::TCanvas& Canvas, int Index, const classlib::TRect& Rect,
                         classlib::TOwnerDrawState State, bool Stretched);
  void SkinDrawCheckImage(int X, int Y, classlib::TCanvas& Cnvs, const classlib::TRect& R, classlib::TCanvas& SB);
};

}  // namespace skin
