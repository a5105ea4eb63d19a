#include "skin/controls/SkinSplitter.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

TskSkinSplitter::TskSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) {}

TskSkinSplitter::~TskSkinSplitter() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
}

void TskSkinSplitter::SetSkinData(TskSkinData* Value) {
  if (FSkinData && FSkinData != Value) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
  ChangeSkinData();
}

void TskSkinSplitter::Notification(TComponent* AComponent, TOperation Operation) {
  TSplitter::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FSkinData) {
    FSkinData = nullptr;
    FPicture = nullptr;
    FSkinControlIndex = -1;
  }
}

void TskSkinSplitter::GetSkinData() {
  FSkinControlIndex = FindSkinControlIndex(FSkinData, FSkinDataName);
  FPicture = nullptr;
  if (FSkinControlIndex == -1) return;
  const auto* data = dynamic_cast<const TskDataSkinSplitterControl*>(
      FSkinData->CtrlList[static_cast<size_t>(FSkinControlIndex)].get());
  if (!data) return;
  FLeftTopPoint = data->SkinLeftTopPoint;
  FRightTopPoint = data->SkinRightTopPoint;
  FLeftBottomPoint = data->SkinLeftBottomPoint;
  FSkinRect = data->SkinRect;
  FStretchEffect = data->StretchEffect;
  FPicture = SkinPicture(*FSkinData, data->PictureIndex);
}

void TskSkinSplitter::ChangeSkinData() {
  GetSkinData();
  const bool skinned = FSkinControlIndex != -1;
  if (Align() == TAlign::alTop || Align() == TAlign::alBottom) {
    const int size = skinned ? RectHeight(FSkinRect) : FDefaultSize;
    SetMinSize(size);
    SetHeight(size);
  } else {
    const int size = skinned ? RectWidth(FSkinRect) : FDefaultSize;
    SetMinSize(size);
    SetWidth(size);
  }
  Invalidate();
}

void TskSkinSplitter::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  GetSkinData();
  if (FSkinControlIndex == -1 || Align() == TAlign::alNone || Align() == TAlign::alClient) return TSplitter::Paint();
  // A description naming no picture still takes the skinned branch: the face shows the
  // splitter's colour.
  if (!FPicture || FPicture->Empty()) return TSplitter::Paint();
  TBitmap face;
  if (Align() == TAlign::alTop || Align() == TAlign::alBottom)
    CreateHSkinImage(FLeftTopPoint.x, RectWidth(FSkinRect) - FRightTopPoint.x, face, *FPicture, FSkinRect, Width(),
                     RectHeight(FSkinRect), FStretchEffect);
  else
    CreateVSkinImage(FLeftTopPoint.y, RectHeight(FSkinRect) - FLeftBottomPoint.y, face, *FPicture, FSkinRect,
                     RectWidth(FSkinRect), Height(), FStretchEffect);
  Canvas().Draw(0, 0, &face);
}

}  // namespace skin
