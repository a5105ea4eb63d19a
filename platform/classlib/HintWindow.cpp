#include "platform/classlib/HintWindow.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/WideText.h"

namespace classlib {

namespace {

constexpr UINT_PTR ShowHintTimer = 1;
constexpr UINT_PTR HideHintTimer = 2;

// The text flags of measuring and drawing: lines broken at the width, prefixes shown as they are.
constexpr UINT HintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

}  // namespace

THintWindowClass HintWindowClass = [](TComponent* Owner) { return std::make_unique<THintWindow>(Owner); };

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  Params.WndParent = nullptr;
  Params.ClassStyle |= CS_SAVEBITS;
}

void THintWindow::Dispatch(TMessage& Message) {
  // The mouse goes through the hint to whatever lies below it.
  if (Message.Msg == WM_NCHITTEST) {
    Message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(Message);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint) {
  const HDC dc = GetDC(nullptr);
  const HFONT font = Font().Handle();
  const HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, MaxWidth > 0 ? MaxWidth : 10000, 0};
  const WideString text = ToWide(AHint);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | HintTextFlags);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room for the border and a margin of two pixels on each side.
  return TRect{0, 0, r.right + 6, r.bottom + 4};
}

void THintWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  SetCaption(AHint);
  const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
  SetBounds(Rect.left, Rect.top, w, h);
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, w, h,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (!Visible()) return;
  SetVisible(false);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void THintWindow::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush()->SetColor(Color());
  const TRect client = ClientRect();
  canvas.FillRect(client);
  canvas.SetFont(Font());
  canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  // The font goes into the device context with the canvas's first text call.
  canvas.TextExtent(String());
  RECT r{client.left + 2, client.top + 1, client.right - 2, client.bottom - 1};
  const WideString text = ToWide(Caption());
  ::SetBkMode(canvas.Handle(), TRANSPARENT);
  ::SetTextColor(canvas.Handle(), ColorToRGB(Font().Color()));
  DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags);
}

// ---------------------------------------------------------------------------------------------
// The application's side: which control the mouse rests on, the two timers and the hint window.

void TApplication::SetShowHint(bool Value) {
  if (Value == FShowHint) return;
  FShowHint = Value;
  if (Value) {
    FHintWindow = HintWindowClass(nullptr);
    return;
  }
  CancelHint();
  FHintWindow.reset();
}

void TApplication::CancelHint() {
  KillTimer(FHandle, ShowHintTimer);
  KillTimer(FHandle, HideHintTimer);
  if (FHintWindow) FHintWindow->ReleaseHandle();
  SetHintControl(nullptr);
}

void TApplication::SetHintControl(TControl* Value) {
  if (FHintControl) FHintControl->RemoveFreeNotification(this);
  FHintControl = Value;
  // A control freed under the resting mouse must not be read when the timer fires.
  if (Value) Value->FreeNotification(this);
}


namespace {

// The control under a screen point whose hint applies there: the innermost control of this
// library, or the nearest parent that has a hint.
TControl* HintControlAt(HWND Window, const POINT& At) {
  TWinControl* windowed = TWinControl::FindControl(Window);
  if (!windowed) return nullptr;
  TControl* control = windowed;
  if (TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(At), false)) control = child;
  while (control && control->Hint().empty()) control = control->Parent();
  return control;
}

}  // namespace

void TApplication::HintMessage(const MSG& Msg) {
  switch (Msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      POINT cursor;
      GetCursorPos(&cursor);
      TControl* control = HintControlAt(Msg.hwnd, cursor);
      if (control == FHintControl) return;
      const bool wasShowing = FHintWindow && FHintWindow->Visible();
      CancelHint();
      if (!control || !control->ShowHint()) return;
      SetHintControl(control);
      // Moving from one hint to the next shows the next one sooner.
      SetTimer(FHandle, ShowHintTimer, static_cast<UINT>(wasShowing ? FHintShortPause : FHintPause), nullptr);
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (FHintControl) {
        // Clicked or typed: no hint until the mouse comes to another control.
        TControl* const control = FHintControl;
        CancelHint();
        SetHintControl(control);
      }
      return;
    default: return;
  }
}

void TApplication::HintTimerExpired(UINT_PTR Timer) {
  KillTimer(FHandle, Timer);
  if (Timer == HideHintTimer) {
    if (FHintWindow) FHintWindow->ReleaseHandle();
    return;
  }
  if (!FHintControl || !FHintWindow) return;
  THintInfo info;
  info.HintControl = FHintControl;
  GetCursorPos(&info.CursorPos);
  info.HintPos = TPoint{info.CursorPos.x, info.CursorPos.y + GetSystemMetrics(SM_CYCURSOR) / 2};
  info.HideTimeout = FHintHidePause;
  String text = FHintControl->Hint();
  bool canShow = true;
  if (OnShowHint) OnShowHint(text, canShow, info);
  if (!canShow || text.empty()) return;
  TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, text);
  OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHint(r, text);
  if (info.HideTimeout > 0) SetTimer(FHandle, HideHintTimer, static_cast<UINT>(info.HideTimeout), nullptr);
}

}  // namespace classlib
