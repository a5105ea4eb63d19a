#include "platform/classlib/Forms.h"

#include "platform/classlib/FormReader.h"
#include "platform/classlib/Threads.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <commctrl.h>

namespace classlib {

TGlobalObject<TApplication> Application;
TGlobalObject<TScreen> Screen;

namespace {

String UpperCaseAscii(String text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

BOOL CALLBACK CollectEnabledWindow(HWND Window, LPARAM List) {
  if (IsWindowVisible(Window) && IsWindowEnabled(Window)) reinterpret_cast<std::vector<HWND>*>(List)->push_back(Window);
  return TRUE;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* AOwner) : TCustomControl(AOwner), FIcon(std::make_unique<TIcon>()) {
  SetVisible(false);
  Screen->FForms.push_back(this);
}

TForm::~TForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application->HandleException(std::current_exception());
    }
  }
  auto& forms = Screen->FForms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  // A freed main form must not stay the application's (the next form made takes its place).
  if (Application->FMainForm == this) Application->FMainForm = nullptr;
}

void TForm::ReadForm() { ReadComponentResource(this, UpperCaseAscii(ClassName())); }

void TForm::AfterConstruction() {
  if (OnCreate) OnCreate(this);
}

void TForm::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  Params.ExStyle = 0;
  Params.WndParent = nullptr;
  if (Application->MainForm() && Application->MainForm() != this && Application->MainForm()->HandleAllocated())
    Params.WndParent = Application->MainForm()->FHandle;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      Params.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      Params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case TFormBorderStyle::bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION;
      Params.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case TFormBorderStyle::bsToolWindow:
      Params.Style |= WS_CAPTION;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      Params.Style |= WS_CAPTION | WS_THICKFRAME;
      Params.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (FBorderStyle != TFormBorderStyle::bsNone && FBorderIcons.Contains(TBorderIcon::biSystemMenu)) {
    Params.Style |= WS_SYSMENU;
    if (FBorderStyle != TFormBorderStyle::bsDialog && FBorderStyle != TFormBorderStyle::bsToolWindow &&
        FBorderStyle != TFormBorderStyle::bsSizeToolWin) {
      if (FBorderIcons.Contains(TBorderIcon::biMinimize)) Params.Style |= WS_MINIMIZEBOX;
      if (FBorderIcons.Contains(TBorderIcon::biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    }
  }
  if (FFormStyle == TFormStyle::fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FFormStyle == TFormStyle::fsMDIChild) MDIChildParams(Params);
  // The outer size follows a client size asked for before the window existed.
  if (FClientWidthWanted >= 0 || FClientHeightWanted >= 0) {
    RECT r{0, 0, FClientWidthWanted >= 0 ? FClientWidthWanted : FWidth,
           FClientHeightWanted >= 0 ? FClientHeightWanted : FHeight};
    AdjustWindowRectEx(&r, Params.Style, FALSE, Params.ExStyle);
    if (FClientWidthWanted >= 0) Params.Width = r.right - r.left;
    if (FClientHeightWanted >= 0) Params.Height = r.bottom - r.top;
  }
}

TRect TForm::AdjustedOuter(int ClientW, int ClientH) const {
  TCreateParams params;
  const_cast<TForm*>(this)->CreateParams(params);
  RECT r{0, 0, ClientW, ClientH};
  AdjustWindowRectEx(&r, params.Style, FALSE, params.ExStyle);
  return r;
}

void TForm::SetClientWidth(int Value) {
  if (HandleAllocated()) {
    SetWidth(FWidth - ClientWidth() + Value);
    return;
  }
  FClientWidthWanted = Value;
  const TRect r = AdjustedOuter(Value, 0);
  FWidth = r.right - r.left;
}

void TForm::SetClientHeight(int Value) {
  if (HandleAllocated()) {
    SetHeight(FHeight - ClientHeight() + Value);
    return;
  }
  FClientHeightWanted = Value;
  const TRect r = AdjustedOuter(0, Value);
  FHeight = r.bottom - r.top;
}

TRect TForm::ClientRect() const {
  if (HandleAllocated()) return TCustomControl::ClientRect();
  const TRect outer = AdjustedOuter(0, 0);
  return Rect(0, 0, std::max(0, FWidth - (outer.right - outer.left)), std::max(0, FHeight - (outer.bottom - outer.top)));
}

bool TForm::Showing() const { return HandleAllocated() && IsWindowVisible(FHandle); }

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) throw EComponentError("the border of a shown form cannot change");
}

void TForm::SetBorderIcons(TBorderIcons Value) {
  if (Value == FBorderIcons) return;
  FBorderIcons = Value;
  if (HandleAllocated()) throw EComponentError("the border icons of a shown form cannot change");
}

void TForm::SetFormStyle(TFormStyle Value) {
  if (Value == FFormStyle) return;
  FFormStyle = Value;
  if (HandleAllocated())
    SetWindowPos(FHandle, Value == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetWindowState(TWindowState Value) {
  if (Value == FWindowState) return;
  FWindowState = Value;
  if (HandleAllocated() && Showing())
    ShowWindow(FHandle, Value == TWindowState::wsMaximized   ? SW_MAXIMIZE
                        : Value == TWindowState::wsMinimized ? SW_MINIMIZE
                                                             : SW_RESTORE);
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == FHandle; }

bool TForm::IsShortCut(TMessage& Message) {
  bool handled = false;
  if (OnShortCut) OnShortCut(Message, handled);
  return handled;
}

void TForm::ApplyPosition() {
  if (FPositioned) return;
  FPositioned = true;
  int left = FLeft, top = FTop;
  switch (FPosition) {
    case TPosition::poScreenCenter:
    case TPosition::poDesktopCenter:
      left = (Screen->Width() - FWidth) / 2;
      top = (Screen->Height() - FHeight) / 2;
      break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter:
      if (TForm* main = Application->MainForm(); main && main != this) {
        left = main->Left() + (main->Width() - FWidth) / 2;
        top = main->Top() + (main->Height() - FHeight) / 2;
      } else {
        left = (Screen->Width() - FWidth) / 2;
        top = (Screen->Height() - FHeight) / 2;
      }
      break;
    default:
      return;
  }
  SetBounds(std::max(0, left), std::max(0, top), FWidth, FHeight);
}

void TForm::VisibleChanged() {
  if (Visible()) {
    HandleNeeded();
    ApplyPosition();
    const int show = FWindowState == TWindowState::wsMaximized   ? SW_SHOWMAXIMIZED
                     : FWindowState == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
                                                                 : SW_SHOWNORMAL;
    ShowWindow(FHandle, show);
    if (OnShow) OnShow(this);
  } else if (HandleAllocated()) {
    if (OnHide) OnHide(this);
    ShowWindow(FHandle, SW_HIDE);
  }
}

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated() && FFormStyle == TFormStyle::fsMDIChild) {
    // A child is brought forward and activated inside its parent's client.
    SendMessageW(GetParent(FHandle), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(FHandle), 0);
    BringWindowToTop(FHandle);
  } else if (HandleAllocated()) {
    BringWindowToTop(FHandle);
    SetForegroundWindow(FHandle);
  }
}

int TForm::ShowModal() {
  if (Visible() || FModal) throw EComponentError("Cannot make a visible window modal");
  // Every other window of the thread waits while the form is up.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
  for (HWND window : disabled) EnableWindow(window, FALSE);

  FModal = true;
  FModalResult = mrNone;
  Show();
  while (!Application->Terminated()) {
    Application->HandleMessage();
    if (FModalResult == mrNone) continue;
    // The form may refuse, as any close may.
    TCloseAction action = TCloseAction::caHide;
    if (CloseQuery()) {
      if (OnClose) OnClose(this, action);
    } else {
      action = TCloseAction::caNone;
    }
    if (action != TCloseAction::caNone) break;
    FModalResult = mrNone;
  }
  for (HWND window : disabled)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  Hide();
  FModal = false;
  return FModalResult;
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = FFormStyle == TFormStyle::fsMDIChild ? TCloseAction::caMinimize : TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case TCloseAction::caNone:
      return;
    case TCloseAction::caHide:
    case TCloseAction::caFree:
      if (Application->MainForm() == this) {
        Application->Terminate();
        return;
      }
      if (action == TCloseAction::caFree)
        Release();
      else
        Hide();
      return;
    case TCloseAction::caMinimize:
      SetWindowState(TWindowState::wsMinimized);
      return;
  }
}

void TForm::Release() {
  if (HandleAllocated())
    PostMessageW(FHandle, CM_RELEASE, 0, 0);
  else
    delete this;
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

bool TForm::PreviewKeyDown(WORD& Key, TShiftState Shift) {
  if (!FKeyPreview) return false;
  KeyDown(Key, Shift);
  return Key == 0;
}

void TForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      delete this;
      return;
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) != WA_INACTIVE) {
        if (OnActivate) OnActivate(this);
      } else if (OnDeactivate) {
        OnDeactivate(this);
      }
      break;
    case WM_MDIACTIVATE:
      // A child is told as it gains (lParam) or loses (wParam) the activation.
      if (reinterpret_cast<HWND>(Message.LParam) == FHandle) {
        if (OnActivate) OnActivate(this);
      } else if (reinterpret_cast<HWND>(Message.WParam) == FHandle && OnDeactivate) {
        OnDeactivate(this);
      }
      break;
  }
  TCustomControl::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TApplication

namespace {
const WCHAR ApplicationClass[] = L"TApplication";
}

TApplication::TApplication() : TComponent(nullptr) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = ApplicationClass;
  RegisterClassExW(&wc);
  // A message-only window: the target of wake-ups from worker threads.
  FHandle = CreateWindowExW(0, ApplicationClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  WakeMainThread = [window = FHandle] { PostMessageW(window, CM_SYNCHRONIZE, 0, 0); };
  TControl::ExceptionHook = [this](std::exception_ptr e) { HandleException(e); };
  TControl::ScreenCursorHook = [] { return Screen->Cursor(); };
}

TApplication::~TApplication() {
  DestroyComponents();
  WakeMainThread = nullptr;
  if (FHandle) DestroyWindow(FHandle);
}

LRESULT CALLBACK TApplication::WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == CM_SYNCHRONIZE) {
    try {
      CheckSynchronize();
    } catch (...) {
      Application->HandleException(std::current_exception());
    }
    return 0;
  }
  if (Msg == WM_TIMER) {
    Application->HintTimerExpired(WParam);
    return 0;
  }
  return DefWindowProcW(Window, Msg, WParam, LParam);
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

void TApplication::SetTitle(const String& Value) { FTitle = Value; }

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FHintControl) CancelHint();
  // A freed main form is no longer the application's.
  if (AComponent == FMainForm) FMainForm = nullptr;
}

bool TApplication::ProcessMessage(MSG& Msg) {
  if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (Msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (OnMessage) {
    // A copy: the handler may replace itself.
    const TMessageEvent handler = OnMessage;
    bool handled = false;
    handler(Msg, handled);
    if (handled) return true;
  }
  if (FShowHint) HintMessage(Msg);
  if ((Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) && Msg.hwnd) {
    auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(Msg.hwnd, GA_ROOT)));
    TMessage key{Msg.message, Msg.wParam, Msg.lParam, 0};
    if (form && form->IsShortCut(key)) return true;
  }
  TranslateMessage(&Msg);
  DispatchMessageW(&Msg);
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
  CheckSynchronize();
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    CheckSynchronize();
    WaitMessage();
  }
}

void TApplication::Run() {
  if (FMainForm && FShowMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Minimize() {
  if (FMainForm && FMainForm->HandleAllocated()) ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
  // Told as if the application's own window had been minimized, as hooks on that window expect.
  SendMessageW(FHandle, WM_SIZE, SIZE_MINIMIZED, 0);
}

void TApplication::Restore() {
  if (FMainForm && FMainForm->HandleAllocated() && IsIconic(FMainForm->Handle()))
    ShowWindow(FMainForm->Handle(), SW_RESTORE);
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
  FTerminated = true;
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  HWND owner = GetActiveWindow();
  if (!owner && FMainForm && FMainForm->HandleAllocated()) owner = FMainForm->Handle();
  return ::MessageBoxW(owner, ToWide(Text).c_str(), ToWide(Caption).c_str(), Flags);
}

void TApplication::ShowException(const std::exception& E) {
  String text = E.what();
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(std::exception_ptr E) {
  try {
    std::rethrow_exception(E);
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowException(Exception(""));
  }
}

// ---------------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen() : TComponent(nullptr) {}

TRect TScreen::WorkAreaRect() const {
  TRect r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  ::SetCursor(CursorHandle(Value == crDefault ? crArrow : Value));
}

TForm* TScreen::ActiveForm() const {
  const HWND active = GetActiveWindow();
  for (TForm* form : FForms)
    if (form->HandleAllocated() && form->Handle() == active) return form;
  return nullptr;
}

}  // namespace classlib
