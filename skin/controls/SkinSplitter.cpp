#include "skin/controls/SkinSplitter.h"

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

// Lifts the opaque style for one paint: the splitter's own painting may leave parts to its parent.
class TTransparentPaint {
public:
  explicit TTransparentPaint(TControl& Control) : FControl(Control) {
    TControlStyle style = Control.ControlStyle();
    Control.SetControlStyle(style.Exclude(TControlStyleItem::csOpaque));
  }
  ~TTransparentPaint() {
    TControlStyle style = FControl.ControlStyle();
    FControl.SetControlStyle(style.Include(TControlStyleItem::csOpaque));
  }
  TTransparentPaint(const TTransparentPaint&) = delete;
  TTransparentPaint& operator=(const TTransparentPaint&) = delete;

private:
  TControl& FControl;
};

}  // namespace

TskSkinSplitter::TskSkinSplitter(TComponent* AOwner) : TSplitter(AOwner) {
  // The face covers the whole bar: nothing behind it needs erasing first.
  TControlStyle style = ControlStyle();
  SetControlStyle(style.Include(TControlStyleItem::csOpaque));
}

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
  TTransparentPaint transparent(*this);
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
