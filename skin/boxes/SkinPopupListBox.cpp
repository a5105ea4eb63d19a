#include "skin/boxes/SkinPopupListBox.h"

#include "platform/classlib/Forms.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/data/Skutils.h"

#include <algorithm>

using namespace classlib;

namespace skin {

TskPopupListBox::TskPopupListBox(TComponent* AOwner) : TskSkinListBox(AOwner) { SetVisible(false); }

void TskPopupListBox::CreateParams(TCreateParams& Params) {
  TskSkinListBox::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
  // A pop-up's position is on the screen; it is placed when it is shown.
  Params.X = 0;
  Params.Y = 0;
}

void TskPopupListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TskSkinListBox::Dispatch(Message);
}

void TskPopupListBox::Show(const TPoint& P) {
  const HWND window = Handle();
  auto* combo = dynamic_cast<TskSkinCustomComboBox*>(Owner());
  const bool blending = combo && CheckW2KWXP();
  const bool blend = blending && combo->ListBoxAlphaBlend();
  const bool animate = blend && combo->ListBoxAlphaBlendAnimation();
  const std::uint8_t value = blending ? combo->ListBoxAlphaBlendValue() : 0;
  if (blending) {
    if (blend != FAppliedAlphaBlend) {
      const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
      SetWindowLongPtrW(window, GWL_EXSTYLE, blend ? style | WS_EX_LAYERED : style & ~WS_EX_LAYERED);
      FAppliedAlphaBlend = blend;
    }
    if (blend && FAppliedAlphaValue != value) {
      FAppliedAlphaValue = animate ? 0 : value;
      SetAlphaBlendTransparent(window, FAppliedAlphaValue);
    }
  }
  SetWindowPos(window, HWND_TOP, P.x, P.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  if (!animate) return;
  Application->ProcessMessages();
  // A handler run just now may have freed this list (and its combo box with it): fade only a
  // window that still belongs to this object.
  if (!IsWindow(window) || TWinControl::FindControl(window) != this) return;
  for (int alpha = 2;; alpha += 2) {
    const std::uint8_t step = static_cast<std::uint8_t>(std::min<int>(alpha, value));
    SetAlphaBlendTransparent(window, step);
    if (step == value) break;
  }
}

void TskPopupListBox::Hide() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  SetVisible(false);
}

}  // namespace skin
