// The skinned check list box: the skinned list box whose items carry check states, with the
// caption's check button toggling the current item.
//
// Classes in this file: TskCheckListSkinValues, TskSkinCheckListBox.
#pragma once
#include "skin/boxes/SkinCheckInnerList.h"
#include "skin/boxes/SkinListBox.h"

namespace skin {

// The check list description's rectangles the painters and the hit test read.
struct TskCheckListSkinValues {
  classlib::TRect ItemCheckRect{}, CheckImageRect{}, UnCheckImageRect{};
};

class TskSkinCheckListBox : public TskSkinCustomListBox {
public:
  explicit TskSkinCheckListBox(classlib::TComponent* AOwner);

  // After the caption's check button toggled the current item.
  classlib::TNotifyEvent OnClickCheck;

  TskCheckListBox& CheckList() const { return static_cast<TskCheckListBox&>(InnerList()); }
  bool GetChecked(int Index) const { return CheckList().GetChecked(Index); }
  void SetChecked(int Index, bool Checked) { CheckList().SetChecked(Index, Checked); }
  classlib::TCheckBoxState GetState(int Index) const { return CheckList().GetState(Index); }
  void SetState(int Index, classlib::TCheckBoxState State) { CheckList().SetState(Index, State); }
  const TskCheckListSkinValues& CheckSkinValues() const { return FCheckValues; }

  void GetSkinData() override;

protected:
  void CheckButtonClick() override;

private:
  TskCheckListSkinValues FCheckValues;
};

}  // namespace skin
