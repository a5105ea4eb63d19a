#include "skin/plain/SkinPlainPages.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr int kTabHeight = 20;
constexpr int kTabRowHeight = kTabHeight + 2;  // the selected tab stands 2 pixels above the others

}  // namespace

TskSkinPageControl::TskSkinPageControl(classlib::TComponent* AOwner) : TPageControl(AOwner) {}

void TskSkinPageControl::CreateHandleDone() {
  TPageControl::CreateHandleDone();
  SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(0, kTabHeight));
  Realign();
}

void TskSkinPageControl::AlignControls(classlib::TControl*, classlib::TRect& Rect) {
  Rect = ClientRect();
  Rect.top = kTabRowHeight;
  Rect.right -= 1;
  Rect.bottom -= 1;
  for (int i = 0; i < PageCount(); ++i)
    Pages(i)->SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
}

TskSkinTabSheet::TskSkinTabSheet(classlib::TComponent* AOwner) : TTabSheet(AOwner) {}

}  // namespace skin
