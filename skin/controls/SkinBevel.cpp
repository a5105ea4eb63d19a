#include "skin/controls/SkinBevel.h"

#include "skin/controls/SkinControl.h"
#include "skin/data/SkinButtonDescriptions.h"

namespace skin {

using namespace classlib;

TskSkinBevel::TskSkinBevel(TComponent* AOwner) : TBevel(AOwner) {}

TskSkinBevel::~TskSkinBevel() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinBevel::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  ChangeSkinData();
}

void TskSkinBevel::Notification(TComponent* AComponent, TOperation Operation) {
  TBevel::Notification(AComponent, Operation);
  // A freed skin must not be read again at the next paint.
  if (Operation == TOperation::opRemove && AComponent == FSkinData) {
    FSkinData = nullptr;
    ChangeSkinData();
  }
}

void TskSkinBevel::SetDividerMode(bool Value) {
  FDividerMode = Value;
  Invalidate();
}

void TskSkinBevel::ChangeSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  if (FSkinControlIndex == -1) {
    FLightColor = clBtnHighlight;
    FDarkColor = clBtnShadow;
  } else if (const auto* data =
                 dynamic_cast<const TskDataSkinBevel*>(FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get())) {
    FLightColor = data->LightColor;
    FDarkColor = data->DarkColor;
  }
  Invalidate();
}

void TskSkinBevel::Paint() {
  if (PrepareDesignPaint()) return;
  const bool lowered = Style() == TBevelStyle::bsLowered;
  const TColor first = lowered ? FDarkColor : FLightColor, second = lowered ? FLightColor : FDarkColor;
  if (!FDividerMode) return PaintShape(first, second);
  // The groove runs along a line's length, and across the middle of a box.
  const int w = Width(), h = Height();
  switch (Shape()) {
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine:
      BevelRect(Rect(2, h / 2 - 1, w - 2, h / 2), first, second);
      break;
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
    case TBevelShape::bsLeftLine:
    case TBevelShape::bsRightLine:
      BevelRect(Rect(w / 2 - 1, 2, w / 2, h - 2), first, second);
      break;
    case TBevelShape::bsSpacer:
      break;
  }
}

}  // namespace skin
