#include "skin/controls/SkinViewBars.h"

#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinViewHelpers.h"

namespace skin {

using namespace classlib;

TskViewBars::~TskViewBars() {
  if (V) V->OnChange = nullptr;
  if (H) H->OnChange = nullptr;
}

void TskViewBars::StripScrollStyles(TCreateParams& Params) {
  Params.Style &= ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL);
}

bool TskViewBars::HandleNonClient(TMessage& Message) {
  if (Message.Msg != WM_NCCALCSIZE && Message.Msg != WM_NCPAINT) return false;
  // The whole window is client area, and nothing is drawn around it.
  Message.Result = 0;
  return true;
}

void TskViewBars::Link(TskSkinScrollBar*& Field, TskSkinScrollBar* Value, const TNotifyEvent& OnChange) {
  TskSkinScrollBar* const other = &Field == &V ? H : V;
  if (Field && Field != Value && Field != other) {
    // A bar let go no longer scrolls this view.
    Field->OnChange = nullptr;
    Field->RemoveFreeNotification(&View);
  }
  Field = Value;
  if (Value) {
    Value->FreeNotification(&View);
    Value->SetEnabled(true);
    Value->SetVisible(false);
    Value->OnChange = OnChange;
  }
}

void TskViewBars::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation != TOperation::opRemove) return;
  if (AComponent == V) V = nullptr;
  if (AComponent == H) H = nullptr;
}

// A size or paint inside the bars' own update would start it again.
bool TskViewBars::UpdateAfter(UINT Msg) const {
  switch (Msg) {
    case WM_SIZE:
    case WM_PAINT: return !Busy;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: return true;
    default: return false;
  }
}

bool TskViewBars::ShowBar(TskSkinScrollBar& Bar, bool Show) {
  Show = Show && View.Visible();
  const bool wasVisible = Bar.Visible();
  {
    TFlagScope busy(Busy);
    Bar.SetVisible(Show);
  }
  return wasVisible != Show;
}

void TskViewBars::FinishUpdate(bool VisibilityChanged) {
  if (V && H && H->Both() != V->Visible()) H->SetBoth(V->Visible());
  if (View.Align() != TAlign::alNone && VisibilityChanged && View.Parent()) {
    TFlagScope busy(Busy);
    View.Parent()->Realign();
  }
}

void TskViewBars::FollowVisible() {
  if (V) V->SetVisible(View.Visible());
  if (H) H->SetVisible(View.Visible());
}

void TskViewBars::Realign() const {
  for (TskSkinScrollBar* bar : {V, H})
    if (bar && bar->Parent() && bar->Align() != TAlign::alNone) bar->Parent()->Realign();
}

}  // namespace skin
