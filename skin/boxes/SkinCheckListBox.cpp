#include "skin/boxes/SkinCheckListBox.h"

using namespace classlib;

namespace skin {

TskSkinCheckListBox::TskSkinCheckListBox(TComponent* AOwner)
    : TskSkinCustomListBox(AOwner, [](TskSkinCustomListBox* Owner) -> TskListBox* {
        return new TskCheckListBox(Owner);
      }) {
  CheckList().CheckOwner = this;
  FSkinDataName = "checklistbox";
}

void TskSkinCheckListBox::GetSkinData() {
  TskSkinCustomListBox::GetSkinData();
  if (FSkinControlIndex == -1) return;
  // A plain list box description has no check rectangles: the items then show no check and their
  // strips toggle nothing, as there is nothing to hit.
  const auto* data =
      dynamic_cast<const TskDataSkinCheckListBox*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) {
    FCheckValues = {};
    return;
  }
  FCheckValues.ItemCheckRect = data->ItemCheckRect;
  FCheckValues.CheckImageRect = data->CheckImageRect;
  FCheckValues.UnCheckImageRect = data->UnCheckImageRect;
}

void TskSkinCheckListBox::CheckButtonClick() {
  const int index = ItemIndex();
  if (index < 0) return;
  SetChecked(index, !GetChecked(index));
  if (OnClickCheck) OnClickCheck(this);
}

}  // namespace skin
