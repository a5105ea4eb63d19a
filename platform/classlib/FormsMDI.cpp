// The multiple-document side of TForm: the parent keeps the system's MDI client window inside its
// client area (below its aligned controls) and its children are windows of that client, so the
// system's own MDI code activates, tiles and cascades them.
#include "platform/classlib/Forms.h"

#include "platform/classlib/Menus.h"

#include <algorithm>

namespace classlib {

namespace {

// Where the system would number the window menu's entries of the children; our menus never show
// those entries, but the client needs a range that no command of the program uses.
constexpr UINT FirstChildCommand = 0xFF00;

}  // namespace

void TForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) FMenu->RemoveFreeNotification(this);
  FMenu = Value;
  if (FMenu) FMenu->FreeNotification(this);
}

void TForm::SetWindowMenu(TMenuItem* Value) {
  if (Value == FWindowMenu) return;
  if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
  FWindowMenu = Value;
  if (FWindowMenu) FWindowMenu->FreeNotification(this);
}

void TForm::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  if (AComponent == FWindowMenu) FWindowMenu = nullptr;
}

void TForm::MDIChildParams(TCreateParams& Params) const {
  Params.Style &= ~(WS_POPUP | WS_DISABLED);
  Params.Style |= WS_CHILD;
  Params.ExStyle = (Params.ExStyle & ~WS_EX_TOPMOST) | WS_EX_MDICHILD;
  TForm* main = Application->MainForm();
  Params.WndParent = main && main != this ? main->FClientHandle : nullptr;
}

void TForm::CreateWnd() {
  if (FFormStyle == TFormStyle::fsMDIChild) {
    TForm* main = Application->MainForm();
    if (!main || main == this || main->FFormStyle != TFormStyle::fsMDIForm)
      throw EComponentError("Cannot create form. No MDI forms are currently active");
    main->HandleNeeded();
  }
  TCustomControl::CreateWnd();
  if (FFormStyle == TFormStyle::fsMDIForm) CreateClientWindow();
  // The system shows an MDI child as it makes it; a form shows when it is shown.
  if (FFormStyle == TFormStyle::fsMDIChild && !Visible() && IsWindowVisible(FHandle)) ShowWindow(FHandle, SW_HIDE);
}

void TForm::CreateClientWindow() {
  CLIENTCREATESTRUCT client{nullptr, FirstChildCommand};
  const TRect r = ClientRect();
  FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, FHandle, nullptr,
                                  GetModuleHandleW(nullptr), &client);
  if (!FClientHandle) throw EComponentError("cannot create the MDI client window of " + Name());
}

void TForm::AlignControls(TControl* AControl, TRect& Rect) {
  TCustomControl::AlignControls(AControl, Rect);
  // The client takes what the aligned controls leave, beneath them.
  if (FClientHandle && IsWindow(FClientHandle))
    SetWindowPos(FClientHandle, HWND_BOTTOM, Rect.left, Rect.top, std::max<LONG>(0, Rect.right - Rect.left),
                 std::max<LONG>(0, Rect.bottom - Rect.top), SWP_NOACTIVATE);
}

void TForm::DefaultHandler(TMessage& Message) {
  if (!FHandle || Message.Msg >= CM_BASE) return;
  if (FFormStyle == TFormStyle::fsMDIChild) {
    Message.Result = DefMDIChildProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  // The system's frame procedure would stretch the client over the whole client area on WM_SIZE;
  // AlignControls places it instead.
  if (FClientHandle && IsWindow(FClientHandle) && Message.Msg != WM_SIZE) {
    Message.Result = DefFrameProcW(FHandle, FClientHandle, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  TCustomControl::DefaultHandler(Message);
}

LRESULT TForm::ClientMessage(UINT Msg, WPARAM WParam, LPARAM LParam) const {
  if (FFormStyle != TFormStyle::fsMDIForm || !FClientHandle) return 0;
  return SendMessageW(FClientHandle, Msg, WParam, LParam);
}

int TForm::MDIChildCount() const {
  int count = 0;
  while (MDIChildren(count)) ++count;
  return count;
}

TForm* TForm::MDIChildren(int Index) const {
  if (FFormStyle != TFormStyle::fsMDIForm || !FClientHandle || Index < 0) return nullptr;
  // The client's windows in z-order: the system brings each child it activates to the top.
  for (HWND window = GetWindow(FClientHandle, GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT)) {
    auto* child = dynamic_cast<TForm*>(FindControl(window));
    if (!child || child->FFormStyle != TFormStyle::fsMDIChild) continue;
    if (Index-- == 0) return child;
  }
  return nullptr;
}

TForm* TForm::ActiveMDIChild() const {
  const auto window = reinterpret_cast<HWND>(ClientMessage(WM_MDIGETACTIVE, 0, 0));
  return dynamic_cast<TForm*>(FindControl(window));
}

void TForm::Tile() { ClientMessage(WM_MDITILE, MDITILE_HORIZONTAL, 0); }

void TForm::Cascade() { ClientMessage(WM_MDICASCADE, 0, 0); }

void TForm::ArrangeIcons() { ClientMessage(WM_MDIICONARRANGE, 0, 0); }

void TForm::Next() { ClientMessage(WM_MDINEXT, 0, 0); }

void TForm::Previous() { ClientMessage(WM_MDINEXT, 0, 1); }

}  // namespace classlib
