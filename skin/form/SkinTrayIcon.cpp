#include "skin/form/SkinTrayIcon.h"

#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <map>
#include <vector>

namespace skin {

using namespace classlib;

namespace {

constexpr wchar_t IconWindowClass[] = L"TskTrayIconWindow";

// The record with the balloon fields, as far as the shell reads it.
constexpr DWORD NotifyDataSize = offsetof(NOTIFYICONDATAA, guidItem);
#ifndef _WIN64
static_assert(NotifyDataSize == 488, "the shell's record with balloon fields");
#endif

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}

// Text into a fixed field of the system code page, cut to Chars characters and ended by a zero.
template <size_t N>
void CopyText(char (&Field)[N], const String& Text, size_t Chars) {
  std::memset(Field, 0, N);
  WideString wide = ToWide(Text);
  if (wide.size() > Chars) wide.resize(Chars);
  if (wide.empty()) return;
  const int written = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(wide.c_str()),
                                          static_cast<int>(wide.size()), Field, static_cast<int>(N - 1), nullptr,
                                          nullptr);
  Field[std::max(0, std::min(written, static_cast<int>(N - 1)))] = 0;
}

// The keys held now, with the button when there is one.
TShiftState KeyboardShift(const TShiftState& Button = TShiftState{}) {
  TShiftState shift = Button;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(TShiftStateItem::ssShift);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateItem::ssAlt);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(TShiftStateItem::ssCtrl);
  return shift;
}

// The application's window is shared by every icon that hooks it: one procedure goes in front of
// the window's own and tells each hooked icon in turn, so icons may come and go in any order.
struct TAppHook {
  WNDPROC Original = nullptr;
  std::vector<TskTrayIcon*> Icons;
};
std::map<HWND, TAppHook>& AppHooks() {
  static std::map<HWND, TAppHook> hooks;
  return hooks;
}

}  // namespace

// The icon's hook in the owner form's window procedure. It stays in the chain when another hook
// came after it and this icon goes first: it then only passes messages on.
struct TskTrayFormHook {
  TskTrayIcon* Icon;
  std::function<void(TMessage&)> Previous;
};

namespace {

struct TFormHookProc {
  std::shared_ptr<TskTrayFormHook> State;
  void operator()(TMessage& Message) const;
};

}  // namespace

// ---------------------------------------------------------------------------------------------

TskTrayIcon::TskTrayIcon(TComponent* AOwner)
    : TComponent(AOwner),
      FIcon(std::make_unique<TIcon>()),
      FCycleTimer(std::make_unique<TTimer>(nullptr)),
      FDoubleClickTimer(std::make_unique<TTimer>(nullptr)) {
  TaskbarCreatedMessage();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = IconWindowClass;
  RegisterClassExW(&wc);
  // A hidden top-level window, not a message-only one: the shell's restart is broadcast to those.
  FWindow = CreateWindowExW(0, IconWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (!FWindow) throw EComponentError("The notification-area icon has no window");
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  FCycleTimer->SetEnabled(false);
  FCycleTimer->SetInterval(FAnimateTimerInterval);
  FCycleTimer->OnTimer = [this](TObject* Sender) { TimerCycle(Sender); };
  FDoubleClickTimer->SetEnabled(false);
  FDoubleClickTimer->SetInterval(GetDoubleClickTime());
  FDoubleClickTimer->OnTimer = [this](TObject* Sender) { TimerClick(Sender); };

  FNotifyData.cbSize = NotifyDataSize;
  FNotifyData.hWnd = FWindow;
  FNotifyData.uID = 1;
  FNotifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  FNotifyData.uCallbackMessage = WM_TRAYNOTIFY;

  if (Designing()) return;
  if (FIcon->Empty() && LoadDefaultIcon()) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(module, L"MAINICON");
    if (icon) FIcon->SetHandle(icon, false);
    else FIcon->SetHandle(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)), false);
  }
  HookApp();
  if (dynamic_cast<TWinControl*>(Owner())) HookForm();
}

TskTrayIcon::~TskTrayIcon() {
  SetIconVisible(false);
  SetDesignPreview(false);
  if (!Designing()) {
    UnHookForm();
    UnHookApp();
  }
  FCycleTimer.reset();
  FDoubleClickTimer.reset();
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
  DestroyWindow(FWindow);
}

bool TskTrayIcon::Designing() const { return ComponentState().Contains(TComponentStateItem::csDesigning); }

void TskTrayIcon::Loaded() {
  TComponent::Loaded();
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (!Designing() && owner && FMinimizedOnStart) {
    FIconVisible = true;
    FMinimizeToTray = true;
    // The main form stays hidden: it appears when the icon brings it back.
    Application->SetShowMainForm(false);
    ShowWindow(Application->Handle(), SW_HIDE);
  }
  ModifyIcon();
  SetIconVisible(FIconVisible);
}

void TskTrayIcon::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FIconList) FIconList = nullptr;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The shell

bool TskTrayIcon::InitIcon() {
  if (Designing() && !FPreviewChanging && !FDesignPreview) return false;
  FNotifyData.hIcon = FIcon->Handle();
  if (!FHint.empty() && FShowHint) CopyText(FNotifyData.szTip, FHint, 127);
  else std::memset(FNotifyData.szTip, 0, sizeof FNotifyData.szTip);
  return true;
}

bool TskTrayIcon::Notify(DWORD Message) { return ShellNotifyIconProc()(Message, &FNotifyData) != FALSE; }

bool TskTrayIcon::ShowIcon() {
  if (!FPreviewChanging) FIconVisible = true;
  if ((Designing() && !FPreviewChanging) || !InitIcon()) return false;
  return Notify(NIM_ADD);
}

bool TskTrayIcon::HideIcon() {
  if (!FPreviewChanging) FIconVisible = false;
  if ((Designing() && !FPreviewChanging) || !InitIcon()) return false;
  return Notify(NIM_DELETE);
}

bool TskTrayIcon::ModifyIcon() {
  if (!InitIcon()) return false;
  return Notify(NIM_MODIFY);
}

bool TskTrayIcon::ShowBalloonHint(const String& Title, const String& Text, TskBalloonHintIcon IconKind) {
  HideBalloonHint();
  FNotifyData.uFlags |= NIF_INFO;
  CopyText(FNotifyData.szInfo, Text, 255);
  CopyText(FNotifyData.szInfoTitle, Title, 63);
  FNotifyData.dwInfoFlags = static_cast<DWORD>(IconKind);
  const bool result = ModifyIcon();
  FNotifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  return result;
}

bool TskTrayIcon::HideBalloonHint() {
  FNotifyData.uFlags |= NIF_INFO;
  std::memset(FNotifyData.szInfo, 0, sizeof FNotifyData.szInfo);
  return ModifyIcon();
}

bool TskTrayIcon::BitmapToIcon(TBitmap& Bitmap, TIcon& Icon, TColor MaskColor) {
  const HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
  ImageList_AddMasked(list, Bitmap.Handle(), ColorToRGB(MaskColor));
  if (const HICON icon = ImageList_GetIcon(list, 0, ILD_NORMAL)) Icon.SetHandle(icon);
  ImageList_Destroy(list);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Setters

void TskTrayIcon::SetIcon(const TIcon& Value) {
  FIcon->Assign(Value);
  ModifyIcon();
}

void TskTrayIcon::SetIconVisible(bool Value) {
  if (Value) ShowIcon();
  else HideIcon();
}

void TskTrayIcon::SetDesignPreview(bool Value) {
  FDesignPreview = Value;
  FPreviewChanging = true;
  if (Value) ShowIcon();
  else HideIcon();
  FPreviewChanging = false;
}

void TskTrayIcon::SetCycleIcons(bool Value) {
  FCycleIcons = Value;
  if (Value) SetIconIndex(0);
  FCycleTimer->SetEnabled(Value);
}

void TskTrayIcon::SetAnimateTimerInterval(unsigned Value) {
  FAnimateTimerInterval = Value;
  FCycleTimer->SetInterval(Value);
}

void TskTrayIcon::SetIconList(TImageList* Value) {
  if (FIconList) FIconList->RemoveFreeNotification(this);
  FIconList = Value;
  if (Value) Value->FreeNotification(this);
  SetIconIndex(0);
}

void TskTrayIcon::SetPopupMenu(TskSkinPopupMenu* Value) {
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TskTrayIcon::SetHint(const String& Value) {
  FHint = Value;
  ModifyIcon();
}

void TskTrayIcon::SetShowHint(bool Value) {
  FShowHint = Value;
  ModifyIcon();
}

void TskTrayIcon::SetIconIndex(int Value) {
  if (FIconList) {
    const int count = FIconList->Count();
    // An empty list has no icon to take: the present one stays.
    if (count > 0) {
      FIconIndex = std::clamp(Value, 0, count - 1);
      FIconList->GetIcon(FIconIndex, *FIcon);
    } else {
      FIconIndex = 0;
    }
  } else {
    FIconIndex = 0;
  }
  ModifyIcon();
}

// ---------------------------------------------------------------------------------------------
// The main form

void TskTrayIcon::ShowMainForm() {
  TForm* main = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(Owner()) || !main) return;
  ShowWindow(Application->Handle(), SW_RESTORE);
  main->SetVisible(true);
  if (main->HandleAllocated() && IsIconic(main->Handle())) ShowWindow(main->Handle(), SW_RESTORE);
}

void TskTrayIcon::HideMainForm() {
  TForm* main = Application->MainForm();
  if (!dynamic_cast<TWinControl*>(Owner()) || !main) return;
  main->SetVisible(false);
  ShowWindow(Application->Handle(), SW_HIDE);
}

void TskTrayIcon::DoMinimizeToTray() {
  HideMainForm();
  SetIconVisible(true);
}

void TskTrayIcon::PopupAtCursor() {
  if (!FPopupMenu || !FPopupMenu->AutoPopup()) return;
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  Application->ProcessMessages();
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(FWindow);
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->Handle());
  FPopupMenu->SetPopupComponent(this);
  FPopupMenu->Popup(cursor.x, cursor.y);
  if (owner && owner->HandleAllocated()) PostMessageW(owner->Handle(), WM_NULL, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Events

void TskTrayIcon::Click() {
  if (OnClick) OnClick(this);
}

void TskTrayIcon::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TskTrayIcon::CycleIcon() {
  if (OnCycle) OnCycle(this, NextIndex());
}

void TskTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TskTrayIcon::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

int TskTrayIcon::NextIndex() const {
  if (!FIconList || FIconIndex + 1 >= FIconList->Count()) return 0;
  return FIconIndex + 1;
}

void TskTrayIcon::TimerCycle(TObject*) {
  if (!FCycleIcons || !FIconList) return;
  FIconList->GetIcon(FIconIndex, *FIcon);
  CycleIcon();
  ModifyIcon();
  SetIconIndex(NextIndex());
}

void TskTrayIcon::TimerClick(TObject*) {
  FDoubleClickTimer->SetEnabled(false);
  if (!FDoubleClicked && FClickPending) {
    FClickPending = false;
    Click();
  }
  FDoubleClicked = false;
}

// ---------------------------------------------------------------------------------------------
// The icon's window

LRESULT CALLBACK TskTrayIcon::WindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* icon = reinterpret_cast<TskTrayIcon*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (!icon) return DefWindowProcW(Window, Msg, WParam, LParam);
  try {
    return icon->HandleIconMessage(Msg, WParam, LParam);
  } catch (...) {
    Application->HandleException(std::current_exception());
    return 0;
  }
}

LRESULT TskTrayIcon::HandleIconMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_TRAYNOTIFY) {
    if (FEnabled) IconMouseMessage(LParam);
    return 0;
  }
  // The shell restarted (the application's window, message-only here, never hears of it).
  if (Msg == TaskbarCreatedMessage()) {
    if (FIconVisible) ShowIcon();
    return 0;
  }
  switch (Msg) {
    case WM_DESTROY:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_USERCHANGED:
    case WM_NCDESTROY: return 1;
    default: return DefWindowProcW(FWindow, Msg, WParam, LParam);
  }
}

void TskTrayIcon::IconMouseMessage(LPARAM LParam) {
  POINT p{0, 0};
  GetCursorPos(&p);
  switch (static_cast<UINT>(LParam)) {
    case WM_MOUSEMOVE: MouseMove(KeyboardShift(), p.x, p.y); break;
    case WM_LBUTTONDOWN:
      FDoubleClickTimer->SetEnabled(true);
      MouseDown(TMouseButton::mbLeft, KeyboardShift(TShiftState{TShiftStateItem::ssLeft}), p.x, p.y);
      FClickStarted = true;
      if (FPopupByLeftButton) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      if (FClickStarted) FClickPending = true;
      // A press longer than the double-click time is a click at once.
      if (FClickStarted && !FDoubleClickTimer->Enabled()) {
        FClickStarted = false;
        FClickPending = false;
        Click();
      }
      FClickStarted = false;
      MouseUp(TMouseButton::mbLeft, KeyboardShift(TShiftState{TShiftStateItem::ssLeft}), p.x, p.y);
      break;
    case WM_LBUTTONDBLCLK:
      FClickPending = false;
      FDoubleClicked = true;
      DblClick();
      if (FPopupMenu && FPopupMenu->AutoPopup() && !FPopupByLeftButton) {
        TMenuItem* items = FPopupMenu->Items();
        for (int i = 0; i < items->Count(); ++i)
          if (items->Items(i)->Default()) {
            items->Items(i)->Click();
            break;
          }
      }
      break;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, KeyboardShift(TShiftState{TShiftStateItem::ssRight}), p.x, p.y);
      PopupAtCursor();
      break;
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, KeyboardShift(TShiftState{TShiftStateItem::ssRight}), p.x, p.y); break;
    case WM_MBUTTONDOWN: MouseDown(TMouseButton::mbMiddle, KeyboardShift(TShiftState{TShiftStateItem::ssMiddle}), p.x, p.y); break;
    case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, KeyboardShift(TShiftState{TShiftStateItem::ssMiddle}), p.x, p.y); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------------------------
// Hooks

namespace {

LRESULT CALLBACK AppHookProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

}  // namespace

void TskTrayIcon::HookApp() {
  const HWND app = Application->Handle();
  auto& hook = AppHooks()[app];
  if (!hook.Original)
    hook.Original =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(app, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AppHookProc)));
  hook.Icons.push_back(this);
  FAppHooked = true;
}

void TskTrayIcon::UnHookApp() {
  if (!FAppHooked) return;
  FAppHooked = false;
  const HWND app = Application->Handle();
  auto found = AppHooks().find(app);
  if (found == AppHooks().end()) return;
  auto& icons = found->second.Icons;
  icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
  // The window's own procedure goes back only when nothing was put in front of ours meanwhile.
  if (icons.empty() && GetWindowLongPtrW(app, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AppHookProc)) {
    SetWindowLongPtrW(app, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.Original));
    AppHooks().erase(found);
  }
}

namespace {

LRESULT CALLBACK AppHookProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto found = AppHooks().find(Window);
  if (found == AppHooks().end()) return DefWindowProcW(Window, Msg, WParam, LParam);
  const WNDPROC original = found->second.Original;
  // A copy: an icon may be freed by what a handler does.
  const std::vector<TskTrayIcon*> icons = found->second.Icons;
  for (TskTrayIcon* icon : icons) {
    const auto now = AppHooks().find(Window);
    if (now == AppHooks().end()) break;
    const auto& hooked = now->second.Icons;
    if (std::find(hooked.begin(), hooked.end(), icon) != hooked.end()) icon->AppMessage(Msg, WParam, LParam);
  }
  return CallWindowProcW(original, Window, Msg, WParam, LParam);
}

}  // namespace

void TskTrayIcon::AppMessage(UINT Msg, WPARAM WParam, LPARAM) {
  if (Msg == WM_SIZE && WParam == SIZE_MINIMIZED && FMinimizeToTray) {
    DoMinimizeToTray();
  } else if (Msg == WM_WINDOWPOSCHANGED && FMDIStartPending) {
    if (TForm* main = Application->MainForm()) {
      if (main->FormStyle() == TFormStyle::fsMDIForm && FMinimizedOnStart) ShowWindow(Application->Handle(), SW_HIDE);
      FMDIStartPending = false;
    }
  } else if (Msg == TaskbarCreatedMessage() && FIconVisible) {
    ShowIcon();
  }
}

void TFormHookProc::operator()(TMessage& Message) const {
  if (State->Icon) State->Icon->FormMessage(Message);
  if (State->Previous) State->Previous(Message);
}

void TskTrayIcon::HookForm() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  FFormHook = std::make_shared<TskTrayFormHook>();
  FFormHook->Icon = this;
  FFormHook->Previous = owner->WindowProc;
  owner->WindowProc = TFormHookProc{FFormHook};
}

void TskTrayIcon::UnHookForm() {
  if (!FFormHook) return;
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  const auto* ours = owner ? owner->WindowProc.target<TFormHookProc>() : nullptr;
  if (ours && ours->State == FFormHook) owner->WindowProc = FFormHook->Previous;
  // Else a later hook calls ours: it stays in the chain and only passes messages on.
  FFormHook->Icon = nullptr;
  FFormHook.reset();
}

void TskTrayIcon::FormMessage(TMessage& Message) {
  if (Message.Msg == WM_SHOWWINDOW && Message.WParam == 1 && Message.LParam == 0) {
    ShowWindow(Application->Handle(), SW_RESTORE);
    SetForegroundWindow(Application->Handle());
    if (auto* owner = dynamic_cast<TWinControl*>(Owner()); owner && owner->HandleAllocated())
      SetForegroundWindow(owner->Handle());
  }
}

}  // namespace skin
