#include "skin/boxes/SkinDropDownTrack.h"

#include "skin/boxes/SkinListBox.h"

using namespace classlib;

namespace skin {

void TskDropDownTrack::Follow(TskSkinCustomListBox& List) {
  TskListBox& inner = List.InnerList();
  if (!inner.HandleAllocated()) return;
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(inner.Handle(), &p);
  const bool bar = List.ItemScrollBar() != nullptr;
  if (p.y < 0 && bar && FEnteredList) {
    StartScroll(1);
  } else if (p.y > inner.Height() && bar && FEnteredList) {
    StartScroll(2);
  } else if (p.y >= 0 && p.y <= inner.Height()) {
    StopScroll();
    inner.MouseMove({}, 1, p.y);
    FEnteredList = true;
  }
}

void TskDropDownTrack::StartScroll(int Mode) {
  if (FScrollMode == Mode) return;
  FScrollMode = Mode;
  KillTimer(FCombo.Handle(), ScrollTimer);
  SetTimer(FCombo.Handle(), ScrollTimer, 25, nullptr);
}

void TskDropDownTrack::StopScroll() {
  if (FScrollMode == 0) return;
  if (FCombo.HandleAllocated()) KillTimer(FCombo.Handle(), ScrollTimer);
  FScrollMode = 0;
}

void TskDropDownTrack::HotTrack(TskSkinCustomListBox& List, int X, int Y) {
  const int index = List.ItemAtPos(Point(X, Y), true);
  if (index >= 0 && index < List.Items().Count() && index != List.ItemIndex()) List.SetItemIndex(index);
}

}  // namespace skin
