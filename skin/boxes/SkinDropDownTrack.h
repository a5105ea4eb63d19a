// The pointer tracking a combo box does over its dropped list while the press that dropped it is
// held: the row under the pointer becomes current, and once the pointer has been over the list a
// timer scrolls it a row at a time while the pointer stays above or below it. The combo box and
// the check combo box hold one each.
//
// Classes in this file: TskDropDownTrack.
#pragma once

#include "platform/classlib/Controls.h"

namespace skin {

class TskSkinCustomListBox;

class TskDropDownTrack {
public:
  // The scrolling timer's identifier on the combo box's window.
  static constexpr UINT_PTR ScrollTimer = 1;

  explicit TskDropDownTrack(classlib::TWinControl& ACombo) : FCombo(ACombo) {}
  TskDropDownTrack(const TskDropDownTrack&) = delete;
  TskDropDownTrack& operator=(const TskDropDownTrack&) = delete;

  // Attributes
  // Whether the pointer has been over the list since the press.
  bool EnteredList() const { return FEnteredList; }
  void SetEnteredList(bool Value) { FEnteredList = Value; }
  // 0 while not scrolling, 1 while scrolling up, 2 while scrolling down.
  int ScrollMode() const { return FScrollMode; }

  // Operations
  // Follows the pointer, wherever the cursor now is, over List.
  void Follow(TskSkinCustomListBox& List);
  void StopScroll();
  // Makes the row at (X, Y) of List current, for the list's own pointer moves.
  static void HotTrack(TskSkinCustomListBox& List, int X, int Y);

private:
  void StartScroll(int Mode);

  classlib::TWinControl& FCombo;
  bool FEnteredList = false;
  int FScrollMode = 0;
};

}  // namespace skin
