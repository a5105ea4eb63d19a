#include "skin/plain/SkinPlainViews.h"

namespace skin {

using namespace classlib;

TskSkinListView::TskSkinListView(TComponent* AOwner) : TListView(AOwner) {}

void TskSkinListView::SetVScrollBar(TskSkinScrollBar* Value) {
  if (Value == FVScrollBar) return;
  FVScrollBar = Value;
  if (Value) Value->FreeNotification(this);
}

void TskSkinListView::Notification(TComponent* AComponent, TOperation Operation) {
  TListView::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == FVScrollBar) FVScrollBar = nullptr;
}

}  // namespace skin
