#include "platform/classlib/Controls.h"

#include "platform/classlib/ActnList.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <unordered_map>
#include <windowsx.h>

namespace classlib {

std::function<bool(TControl*, TComponent*, TPoint)> TControl::PopupMenuHook;
std::function<void(std::exception_ptr)> TControl::ExceptionHook;
std::function<TCursor()> TControl::ScreenCursorHook;

namespace {

// The control whose window is being created on this thread: the first messages of a window
// arrive before CreateWindowEx returns.
thread_local TWinControl* CreatingControl = nullptr;
// The windowless control that holds the mouse between a button press and its release.
TControl* CaptureControl = nullptr;

// The control of each window this library made. Kept in the process rather than as a window
// property: every message looks its control up, and a property read is a round trip to the
// window server under Wine.
class TWindowControls {
public:
  TWinControl* Find(HWND Window) {
    std::lock_guard lock(FLock);
    const auto it = FControls.find(Window);
    return it == FControls.end() ? nullptr : it->second;
  }
  void Set(HWND Window, TWinControl* Control) {
    std::lock_guard lock(FLock);
    FControls[Window] = Control;
  }
  void Remove(HWND Window) {
    std::lock_guard lock(FLock);
    FControls.erase(Window);
  }

private:
  std::mutex FLock;
  std::unordered_map<HWND, TWinControl*> FControls;
};
TWindowControls& WindowControls() {
  // Never destroyed: windows of static objects still get messages while the process ends.
  static TWindowControls* const controls = new TWindowControls;
  return *controls;
}

// The default procedure of every window class this library registered, by class name.
// (Wrapped: the calling-convention attribute of WNDPROC does not survive as a template argument.)
struct TClassDefault {
  WNDPROC Proc;
};
std::map<String, TClassDefault>& ClassDefaults() {
  static std::map<String, TClassDefault> defaults;
  return defaults;
}
std::mutex ClassDefaultsLock;

WNDPROC DefaultProcOf(HWND Window) {
  WCHAR name[256];
  if (GetClassNameW(Window, name, 256) == 0) return DefWindowProcW;
  std::lock_guard lock(ClassDefaultsLock);
  auto it = ClassDefaults().find(FromWide(name));
  return it == ClassDefaults().end() ? DefWindowProcW : it->second.Proc;
}

// Hands a paint DC to a control's canvas for the length of one paint, whatever happens inside.
class TCanvasPaintScope {
public:
  TCanvasPaintScope(TControlCanvas& Canvas, HDC DC) : FCanvas(Canvas) {
    FCanvas.FreeHandle();
    FCanvas.Lock();
    FCanvas.SetHandle(DC);
  }
  ~TCanvasPaintScope() {
    FCanvas.SetHandle(nullptr);
    FCanvas.Unlock();
  }
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
  TControlCanvas& FCanvas;
};

bool IsMouseMessage(UINT Msg) {
  return Msg >= WM_MOUSEFIRST && Msg <= WM_MOUSELAST && Msg != WM_MOUSEWHEEL && Msg != WM_MOUSEHWHEEL;
}

// Until an action's form is read, the order in which the form's references are resolved must not
// decide what a control keeps of its own: while the action loads, its clients check their defaults.
bool StillLoading(const TObject* Sender) {
  const auto* action = dynamic_cast<const TComponent*>(Sender);
  return action && action->ComponentState().Contains(TComponentStateItem::csLoading);
}

}  // namespace

namespace {

// Cursors a program put into the screen's table; the platform's own cursors stand beside them.
std::map<TCursor, HCURSOR>& InstalledCursors() {
  static std::map<TCursor, HCURSOR> cursors;
  return cursors;
}

}  // namespace

void InstallCursor(TCursor Cursor, HCURSOR Handle) {
  if (Handle == nullptr) InstalledCursors().erase(Cursor);
  else InstalledCursors()[Cursor] = Handle;
}

HCURSOR CursorHandle(TCursor Cursor) {
  if (const auto installed = InstalledCursors().find(Cursor); installed != InstalledCursors().end())
    return installed->second;
  struct Known {
    TCursor id;
    LPCWSTR system;
  };
  static const Known known[] = {
      {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
      {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},     {crSizeNWSE, IDC_SIZENWSE},
      {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW},   {crHourGlass, IDC_WAIT},
      {crNo, IDC_NO},             {crNoDrop, IDC_NO},         {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},
      {crHandPoint, IDC_HAND},    {crSizeAll, IDC_SIZEALL},
  };
  if (Cursor == crNone) return nullptr;
  if (Cursor == crDrag) return DragCursorImage();
  for (const Known& k : known)
    if (k.id == Cursor) return LoadCursorW(nullptr, k.system);
  return LoadCursorW(nullptr, IDC_ARROW);
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState shift;
  if (Keys & MK_SHIFT) shift.Include(TShiftStateItem::ssShift);
  if (Keys & MK_CONTROL) shift.Include(TShiftStateItem::ssCtrl);
  if (Keys & MK_LBUTTON) shift.Include(TShiftStateItem::ssLeft);
  if (Keys & MK_RBUTTON) shift.Include(TShiftStateItem::ssRight);
  if (Keys & MK_MBUTTON) shift.Include(TShiftStateItem::ssMiddle);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateItem::ssAlt);
  return shift;
}

TShiftState KeyDataToShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(TShiftStateItem::ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(TShiftStateItem::ssCtrl);
  if (GetKeyState(VK_MENU) < 0) shift.Include(TShiftStateItem::ssAlt);
  return shift;
}

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& Message) { WndProc(Message); };
  FFont->OnChange = [this](TObject*) {
    FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  TDragOperation::ControlDestroyed(*this);
  if (CaptureControl == this) CaptureControl = nullptr;
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EComponentError("a control cannot be its own parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (AWidth < 0) AWidth = 0;
  if (AHeight < 0) AHeight = 0;
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool resized = AWidth != FWidth || AHeight != FHeight;
  if (FParent && FVisible) FParent->Invalidate();
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  BoundsChanged();
  if (resized) Resize();
  RequestAlign();
}

void TControl::BoundsChanged() { Invalidate(); }

TRect TControl::ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
int TControl::ClientWidth() const { const TRect r = ClientRect(); return r.right - r.left; }
int TControl::ClientHeight() const { const TRect r = ClientRect(); return r.bottom - r.top; }
void TControl::SetClientWidth(int Value) { SetWidth(Value); }
void TControl::SetClientHeight(int Value) { SetHeight(Value); }

TPoint TControl::ClientOrigin() const {
  if (!FParent) return Point(FLeft, FTop);
  TPoint origin = const_cast<TWinControl*>(FParent)->ClientOrigin();
  return Point(origin.x + FLeft, origin.y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  const TPoint origin = ClientOrigin();
  return Point(P.x + origin.x, P.y + origin.y);
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  const TPoint origin = ClientOrigin();
  return Point(P.x - origin.x, P.y - origin.y);
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  VisibleChanged();
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

bool TControl::Showing() const { return FVisible && FParent && FParent->Showing(); }

void TControl::VisibleChanged() {
  if (FParent) FParent->Invalidate();
  Perform(CM_VISIBLECHANGED, FVisible, 0);
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  EnabledChanged();
}

void TControl::EnabledChanged() {
  Invalidate();
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  TextChanged();
}

void TControl::TextChanged() {
  Invalidate();
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TControl::ColorChanged() {
  Invalidate();
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::FontChanged() {
  Invalidate();
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFont->Assign(FParent->Font());
  FParentFont = true;  // the assignment went through OnChange
}

void TControl::ParentColorChanged() {
  if (!FParentColor || !FParent) return;
  SetColor(FParent->Color());
  FParentColor = true;
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (Value == FPopupMenu) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
  // A dying action has already let go of its links, so the one left without an action is ours.
  if (FActionLink && !FActionLink->Action()) FActionLink.reset();
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
  if (!Value) {
    FActionLink.reset();
    return;
  }
  if (!FActionLink) {
    FActionLink = std::make_unique<TBasicActionLink>();
    FActionLink->OnChange = [this](TObject* Sender) { ActionChange(Sender, StillLoading(Sender)); };
  }
  FActionLink->SetAction(Value);
  Value->FreeNotification(this);
  ActionChange(Value, StillLoading(Value));
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
  const auto* action = dynamic_cast<const TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults || FText.empty() || FText == Name()) SetCaption(action->Caption());
  if (!CheckDefaults || FEnabled) SetEnabled(action->Enabled());
  if (!CheckDefaults || FHint.empty()) SetHint(action->Hint());
  if (!CheckDefaults || FVisible) SetVisible(action->Visible());
}

void TControl::Loaded() {
  TComponent::Loaded();
  ParentFontChanged();
  ParentColorChanged();
}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated()) return;
  const TRect r = BoundsRect();
  InvalidateRect(FParent->FHandle, &r, !FControlStyle.Contains(TControlStyleItem::csOpaque));
}

void TControl::Show() {
  if (FParent) FParent->ShowControl(this);
  SetVisible(true);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  Invalidate();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.push_back(this);
  // A windowed control's place among its siblings is the system's z-order, which decides what
  // covers what on the screen.
  PlaceWindow(HWND_TOP);
  Invalidate();
}

void TControl::SendToBack() {
  if (!FParent) return;
  auto& list = FParent->FControls;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin(), this);
  PlaceWindow(HWND_BOTTOM);
  Invalidate();
}

void TControl::PlaceWindow(HWND After) {
  auto* window = dynamic_cast<TWinControl*>(this);
  if (window && window->HandleAllocated())
    SetWindowPos(window->Handle(), After, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  WindowProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg) && !FEnabled) return;
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      HandleMouse(Message);
      DefaultHandler(Message);
      // After the control's own handling of the press (a list selects the line pressed).
      if (Message.Msg == WM_LBUTTONDOWN && FDragMode == TDragMode::dmAutomatic && !Dragging()) BeginDrag(false);
      break;
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      break;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouse(TMessage& Message) {
  const int x = GET_X_LPARAM(Message.LParam);
  const int y = GET_Y_LPARAM(Message.LParam);
  TShiftState shift = KeysToShiftState(Message.WParam);
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SendCancelMode();
      break;
  }
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      FMouseCaptured = true;
      MouseDown(TMouseButton::mbLeft, shift, x, y);
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      MouseDown(TMouseButton::mbLeft, shift.Include(TShiftStateItem::ssDouble), x, y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      const bool clicked = FMouseCaptured;
      FMouseCaptured = false;
      MouseUp(TMouseButton::mbLeft, shift, x, y);
      const TRect r = ClientRect();
      const POINT p{x, y};
      if (clicked && PtInRect(&r, p) && ClicksOnMouseUp()) Click();
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, shift, x, y);
      break;
    case WM_MBUTTONUP:
      MouseUp(TMouseButton::mbMiddle, shift, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
  }
}

void TControl::SendCancelMode() {
  TWinControl* focused = TWinControl::FindControl(GetFocus());
  if (focused && focused != this) focused->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else if (FActionLink && !ComponentState().Contains(TComponentStateItem::csDesigning))
    FActionLink->Execute();
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::DoContextPopup(const TPoint& MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::BeginDrag(bool Immediate, int Threshold) { TDragOperation::Begin(*this, Immediate, Threshold); }
void TControl::EndDrag(bool Drop) {
  if (Dragging()) TDragOperation::End(Drop);
}
void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (OnStartDrag) OnStartDrag(this, DragObject);
}
void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = false;
  if (!OnDragOver) return;
  Accept = true;
  OnDragOver(this, Source, X, Y, State, Accept);
}
void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}
void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (OnEndDrag) OnEndDrag(this, Target, X, Y);
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------------------------------------
// TWinControl

LRESULT CALLBACK StdWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* control = WindowControls().Find(Window);
  if (!control && CreatingControl) {
    control = CreatingControl;
    CreatingControl = nullptr;
    control->FHandle = Window;
    WindowControls().Set(Window, control);
  }
  if (!control) return CallWindowProcW(DefaultProcOf(Window), Window, Msg, WParam, LParam);

  TMessage message{Msg, WParam, LParam, 0};
  try {
    control->WindowProc(message);
  } catch (...) {
    // An exception must not unwind through the system's window code.
    if (TControl::ExceptionHook)
      TControl::ExceptionHook(std::current_exception());
  }
  if (Msg == WM_NCDESTROY) {
    WindowControls().Remove(Window);
    control->FHandle = nullptr;
  }
  return message.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(Color());
}

TWinControl::~TWinControl() {
  // Children die with their parent, whoever owns them.
  while (!FControls.empty()) delete FControls.back();
  DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND Window) {
  return Window ? WindowControls().Find(Window) : nullptr;
}

HWND TWinControl::Handle() {
  if (!FHandle) CreateHandle();
  return FHandle;
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  const bool shown = IsWindowVisible(FHandle) != FALSE;
  DestroyHandle();
  CreateHandle();
  if (shown && FHandle) ShowWindow(FHandle, SW_SHOWNA);
}

void TWinControl::CreateHandle() {
  if (FParent) FParent->Handle();  // creating the parent creates its children, this one too
  if (FHandle) return;
  CreateWnd();
  CreateHandleDone();
  for (TControl* child : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(child); win && !win->FHandle) win->CreateHandle();
  Realign();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (WantsVisibleWindow()) Params.Style |= WS_VISIBLE;
  if (!Enabled()) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->FHandle : nullptr;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EComponentError("Control '" + Name() + "' has no parent window");

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  const WideString className = ToWide(params.WinClassName);
  {
    std::lock_guard lock(ClassDefaultsLock);
    auto& defaults = ClassDefaults();
    auto it = defaults.find(params.WinClassName);
    if (it == defaults.end()) {
      WNDPROC defaultProc = DefWindowProcW;
      if (!params.SystemClass.empty()) {
        if (!GetClassInfoExW(nullptr, ToWide(params.SystemClass).c_str(), &wc))
          throw EComponentError("window class " + params.SystemClass + " is not available");
        defaultProc = wc.lpfnWndProc;
      } else {
        wc.hCursor = nullptr;  // WM_SETCURSOR picks the control's cursor
        wc.style = params.ClassStyle;
      }
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = StdWndProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = className.c_str();
      wc.hbrBackground = nullptr;
      if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EComponentError("cannot register window class " + params.WinClassName);
      it = defaults.emplace(params.WinClassName, TClassDefault{defaultProc}).first;
    }
    FDefWndProc = it->second.Proc;
  }
  CreateWindowHandle(params);
  if (!FHandle) throw EComponentError("cannot create the window of " + Name());
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  CreatingControl = this;
  const HWND window =
      CreateWindowExW(Params.ExStyle, ToWide(Params.WinClassName).c_str(), ToWide(Params.Caption).c_str(),
                      Params.Style, Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  CreatingControl = nullptr;
  if (window && !FHandle) {
    FHandle = window;
    WindowControls().Set(window, this);
  }
}

void TWinControl::CreateHandleDone() {
  if (FDefWndProc != DefWindowProcW) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
}

void TWinControl::DestroyWnd() {
  const HWND window = FHandle;
  if (!window) return;
  // The object is being torn down: late messages of the window go to the class default.
  WindowControls().Remove(window);
  FHandle = nullptr;
  // An MDI child leaves through its client, which keeps the list of children and activates the next.
  if ((GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_MDICHILD) && GetParent(window))
    SendMessageW(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else
    DestroyWindow(window);
}

void TWinControl::DestroyHandle() {
  for (TControl* child : FControls)
    if (auto* win = dynamic_cast<TWinControl*>(child)) win->DestroyHandle();
  DestroyWnd();
}

void TWinControl::InsertControl(TControl* AControl) {
  FControls.push_back(AControl);
  AControl->FParent = this;
  AControl->ParentFontChanged();
  AControl->ParentColorChanged();
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win && FHandle) {
    if (win->FHandle)
      ::SetParent(win->FHandle, FHandle);
    else
      win->CreateHandle();
  }
  if (AControl->Align() != TAlign::alNone) Realign();
  AControl->Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it == FControls.end()) return;
  AControl->Invalidate();
  FControls.erase(it);
  if (FMouseControl == AControl) FMouseControl = nullptr;
  if (auto* win = dynamic_cast<TWinControl*>(AControl); win && win->FHandle) win->DestroyHandle();
  AControl->FParent = nullptr;
  if (AControl->Align() != TAlign::alNone) Realign();
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    const TRect r = c->BoundsRect();
    if (PtInRect(&r, Pos)) return c;
  }
  return nullptr;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EComponentError("Cannot focus a disabled or invisible window");
  ::SetFocus(Handle());
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == FTabStop) return;
  FTabStop = Value;
  if (FHandle) {
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, Value ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TWinControl::BoundsChanged() {
  if (FHandle) SetWindowPos(FHandle, nullptr, FLeft, FTop, FWidth, FHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  Realign();
}

TRect TWinControl::ClientRect() const {
  if (!FHandle) return TControl::ClientRect();
  TRect r;
  GetClientRect(FHandle, &r);
  return r;
}

bool TWinControl::Showing() const {
  if (FHandle) return IsWindowVisible(FHandle);
  return TControl::Showing();
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

TPoint TWinControl::ClientOrigin() const {
  if (!FHandle) return TControl::ClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(FHandle, &origin);
  return origin;
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::ShowControl(TControl*) {
  if (FParent) FParent->ShowControl(this);
}

void TWinControl::Realign() {
  if (FAligning || FAlignLevel > 0) return;
  FAligning = true;
  TRect r = ClientRect();
  AdjustClientRect(r);
  AlignControls(nullptr, r);
  FAligning = false;
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  for (TControl* c : FControls) c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  // Aligning here would put the children back where they were.
  --FAlignLevel;
  Invalidate();
}

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0 && --FAlignLevel == 0) Realign();
}

void TWinControl::AlignControls(TControl*, TRect& R) {
  auto place = [&](TAlign align) {
    for (TControl* c : FControls) {
      if (c->Align() != align || !c->Visible()) continue;
      const int w = c->Width(), h = c->Height();
      switch (align) {
        case TAlign::alTop:
          c->SetBounds(R.left, R.top, R.right - R.left, h);
          R.top += h;
          break;
        case TAlign::alBottom:
          c->SetBounds(R.left, R.bottom - h, R.right - R.left, h);
          R.bottom -= h;
          break;
        case TAlign::alLeft:
          c->SetBounds(R.left, R.top, w, R.bottom - R.top);
          R.left += w;
          break;
        case TAlign::alRight:
          c->SetBounds(R.right - w, R.top, w, R.bottom - R.top);
          R.right -= w;
          break;
        case TAlign::alClient:
          c->SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top);
          break;
        case TAlign::alNone:
          break;
      }
    }
  };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) place(a);
}

void TWinControl::TextChanged() {
  if (FHandle) SetWindowTextW(FHandle, ToWide(FText).c_str());
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TWinControl::FontChanged() {
  if (FHandle && FDefWndProc != DefWindowProcW)
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  for (TControl* child : FControls) child->ParentFontChanged();
  TControl::FontChanged();
}

void TWinControl::ColorChanged() {
  FBrush->SetColor(Color());
  for (TControl* child : FControls) child->ParentColorChanged();
  if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
  Perform(CM_COLORCHANGED, 0, 0);
}

void TWinControl::VisibleChanged() {
  UpdateWindowVisibility();
  Perform(CM_VISIBLECHANGED, Visible(), 0);
}

void TWinControl::UpdateWindowVisibility() {
  if (!FHandle) {
    if (WantsVisibleWindow() && FParent && FParent->FHandle) CreateHandle();
    return;
  }
  ShowWindow(FHandle, WantsVisibleWindow() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (FHandle) EnableWindow(FHandle, Enabled());
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

bool TWinControl::DoKeyDown(WORD& Key, TShiftState Shift) {
  TWinControl* top = this;
  while (top->FParent) top = top->FParent;
  if (top != this && top->PreviewKeyDown(Key, Shift)) return true;
  KeyDown(Key, Shift);
  return Key == 0;
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::WndProc(TMessage& Message) {
  if (IsMouseMessage(Message.Msg)) {
    if (Message.Msg == WM_MOUSEMOVE) TrackMouseLeave();
    if (IsControlMouseMsg(Message)) return;
  }
  TControl::WndProc(Message);
}

// Tells windowless children when the mouse comes and goes, and asks the system for our own leave.
void TWinControl::TrackMouseLeave() {
  if (!FTrackingLeave && FHandle) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
    FTrackingLeave = TrackMouseEvent(&track);
    Perform(CM_MOUSEENTER, 0, 0);
  }
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(FHandle, &p);
  TControl* under = ControlAtPos(p, false);
  if (dynamic_cast<TWinControl*>(under)) under = nullptr;
  if (under == FMouseControl) return;
  if (FMouseControl) FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
  FMouseControl = under;
  if (under) under->Perform(CM_MOUSEENTER, 0, 0);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
  TControl* target = nullptr;
  if (CaptureControl && CaptureControl->FParent == this) {
    target = CaptureControl;
  } else {
    const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    target = ControlAtPos(p, false);
    if (dynamic_cast<TWinControl*>(target)) target = nullptr;
  }
  if (!target) return false;
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      CaptureControl = target;
      SetCapture(FHandle);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      CaptureControl = nullptr;
      if (GetCapture() == FHandle) ReleaseCapture();
      break;
  }
  const int x = GET_X_LPARAM(Message.LParam) - target->Left();
  const int y = GET_Y_LPARAM(Message.LParam) - target->Top();
  Message.Result = target->Perform(Message.Msg, Message.WParam, MAKELPARAM(x, y));
  // The system makes a context-menu request only from a release it saw itself.
  if (Message.Msg == WM_RBUTTONUP && FHandle) {
    POINT screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    ::ClientToScreen(FHandle, &screen);
    Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(FHandle), MAKELPARAM(screen.x, screen.y));
  }
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (FDefWndProc == DefWindowProcW || ControlState().Contains(TControlStateItem::csCustomPaint)) {
        HandlePaint(Message);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (FDefWndProc == DefWindowProcW) {
        // A double-buffered control erases into its memory DC while painting.
        if (!FDoubleBuffered || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
          const TRect r = ClientRect();
          FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush->Handle());
        }
        Message.Result = 1;
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      // The bounds are known before the default handling sends WM_SIZE and WM_MOVE, whose
      // handlers read them.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
      bool resized = false;
      if (!(pos->flags & SWP_NOSIZE) || !(pos->flags & SWP_NOMOVE)) {
        RECT r;
        GetWindowRect(FHandle, &r);
        if (HWND parent = GetParent(FHandle); parent && (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_CHILD))
          MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        resized = r.right - r.left != FWidth || r.bottom - r.top != FHeight;
        FLeft = r.left;
        FTop = r.top;
        FWidth = r.right - r.left;
        FHeight = r.bottom - r.top;
      }
      DefaultHandler(Message);
      if (resized && FHandle) {
        Realign();
        Resize();
      }
      return;
    }
    case WM_SETCURSOR:
      if (LOWORD(Message.LParam) == HTCLIENT && reinterpret_cast<HWND>(Message.WParam) == FHandle) {
        POINT p;
        GetCursorPos(&p);
        ::ScreenToClient(FHandle, &p);
        TControl* under = ControlAtPos(p, false);
        TCursor cursor = under && !dynamic_cast<TWinControl*>(under) ? under->Cursor() : Cursor();
        if (ScreenCursorHook) {
          const TCursor screen = ScreenCursorHook();
          if (screen != crDefault) cursor = screen;
        }
        if (cursor != crDefault || FDefWndProc == DefWindowProcW) {
          ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_MOUSELEAVE:
      FTrackingLeave = false;
      if (FMouseControl) FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
      FMouseControl = nullptr;
      Perform(CM_MOUSELEAVE, 0, 0);
      return;
    case WM_CONTEXTMENU: {
      TPoint screen{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
      TControl* target = this;
      if (screen.x != -1 || screen.y != -1) {
        const TPoint local = ScreenToClient(screen);
        // A windowless child without a menu of its own leaves the click to this control's menu.
        if (TControl* under = ControlAtPos(local, false);
            under && !dynamic_cast<TWinControl*>(under) && under->PopupMenu())
          target = under;
      } else {
        screen = ClientToScreen(Point(0, 0));
      }
      bool handled = false;
      const bool fromKeys = GET_X_LPARAM(Message.LParam) == -1 && GET_Y_LPARAM(Message.LParam) == -1;
      target->DoContextPopup(fromKeys ? Point(-1, -1) : target->ScreenToClient(screen), handled);
      if (handled) return;
      if (target->PopupMenu() && PopupMenuHook && PopupMenuHook(target, target->PopupMenu(), screen)) return;
      break;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(Message.WParam);
      if (DoKeyDown(key, KeyDataToShiftState())) return;
      Message.WParam = key;
      if (Message.Msg == WM_KEYDOWN && (key == VK_RETURN || key == VK_ESCAPE) && !WantsKey(Message) &&
          OfferToForm(CM_DIALOGKEY, key, Message.LParam))
        return;
      break;
    }
    case WM_SYSCHAR:
      if (OfferToForm(CM_DIALOGCHAR, Message.WParam, Message.LParam)) return;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(Message.WParam);
      KeyUp(key, KeyDataToShiftState());
      if (key == 0) return;
      Message.WParam = key;
      break;
    }
    case WM_CHAR: {
      if (Message.WParam > ' ' && !WantsKey(Message) && OfferToForm(CM_DIALOGCHAR, Message.WParam, Message.LParam))
        return;
      char key = Message.WParam < 128 ? static_cast<char>(Message.WParam) : '\0';
      if (Message.WParam < 128) {
        KeyPress(key);
        if (key == 0) return;
        Message.WParam = static_cast<unsigned char>(key);
      }
      break;
    }
    case WM_SETFOCUS:
      if (TWinControl* top = TopParent(); top != this)
        top->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
      Perform(CM_ENTER, 0, 0);
      break;
    case CM_ENTER:
      if (OnEnter) OnEnter(this);
      return;
    case CM_EXIT:
      if (OnExit) OnExit(this);
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      // Offered to the children in turn until one takes it.
      for (size_t i = 0; i < FControls.size() && !Message.Result; ++i)
        Message.Result = FControls[i]->Perform(Message.Msg, Message.WParam, Message.LParam);
      return;
    case CM_FOCUSCHANGED:
      for (TControl* child : std::vector<TControl*>(FControls)) child->Perform(Message.Msg, Message.WParam, Message.LParam);
      return;
    case WM_KILLFOCUS:
      Perform(CM_EXIT, 0, 0);
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      // Notifications go back to the control that sent them.
      HWND child = nullptr;
      if (Message.Msg == WM_NOTIFY)
        child = reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom;
      else if (Message.Msg == WM_DRAWITEM)
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam)->hwndItem;
      else if (Message.Msg != WM_MEASUREITEM)
        child = reinterpret_cast<HWND>(Message.LParam);
      if (TWinControl* target = FindControl(child); target && target != this) {
        Message.Result = target->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
      }
      break;
    }
  }
  TControl::Dispatch(Message);
}

TWinControl* TWinControl::TopParent() {
  TWinControl* top = this;
  while (top->FParent) top = top->FParent;
  return top;
}

// Whether the window keeps a key or character for itself (a multi-line edit its Enter, an edit its
// characters) rather than leave it to the form's dialog handling.
bool TWinControl::WantsKey(const TMessage& Message) {
  if (Perform(CM_WANTSPECIALKEY, Message.WParam, 0)) return true;
  if (!FHandle || FDefWndProc == DefWindowProcW) return false;
  MSG msg{FHandle, Message.Msg, Message.WParam, Message.LParam, 0, {}};
  const LRESULT code = CallWindowProcW(FDefWndProc, FHandle, WM_GETDLGCODE, Message.WParam, reinterpret_cast<LPARAM>(&msg));
  if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return true;
  return Message.Msg == WM_CHAR && (code & DLGC_WANTCHARS);
}

bool TWinControl::OfferToForm(UINT Msg, WPARAM WParam, LPARAM LParam) {
  return TopParent()->Perform(Msg, WParam, LParam) != 0;
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle || Message.Msg >= CM_BASE) return;
  Message.Result = CallWindowProcW(FDefWndProc ? FDefWndProc : DefWindowProcW, FHandle, Message.Msg,
                                   Message.WParam, Message.LParam);
}

void TWinControl::HandlePaint(TMessage& Message) {
  if (Message.WParam) {  // painting into a given DC (WM_PRINTCLIENT, a parent's buffer)
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    PaintWindow(dc);
    PaintControls(dc, nullptr);
    return;
  }
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(FHandle, &ps);
  if (FDoubleBuffered) {
    const TRect client = ClientRect();
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
    PaintWindow(memory);
    PaintControls(memory, nullptr);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
  } else {
    PaintWindow(dc);
    PaintControls(dc, nullptr);
  }
  EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  if (FDefWndProc != DefWindowProcW) DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  auto it = FControls.begin();
  if (First) it = std::find(FControls.begin(), FControls.end(), First);
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
    const TRect r = c->BoundsRect();
    if (!RectVisible(DC, &r)) continue;
    const int saved = SaveDC(DC);
    POINT origin;
    GetViewportOrgEx(DC, &origin);
    SetViewportOrgEx(DC, origin.x + r.left, origin.y + r.top, nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

// ---------------------------------------------------------------------------------------------
// Canvases of controls

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::CreateHandle() {
  // Outside painting, draw straight into the parent's (windowless) or own window.
  const TControl* control = &FControl;
  int dx = 0, dy = 0;
  while (control && !dynamic_cast<const TWinControl*>(control)) {
    dx += control->Left();
    dy += control->Top();
    control = control->Parent();
  }
  auto* window = const_cast<TWinControl*>(static_cast<const TWinControl*>(control));
  if (!window) throw EInvalidGraphicOperation("Control has no parent window");
  FWindow = window->Handle();
  FWindowDC = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  SetViewportOrgEx(FWindowDC, dx, dy, nullptr);
  IntersectClipRect(FWindowDC, 0, 0, FControl.Width(), FControl.Height());
  SetHandle(FWindowDC);
}

void TControlCanvas::FreeHandle() {
  if (!FWindowDC) return;
  SetHandle(nullptr);
  ReleaseDC(FWindow, FWindowDC);
  FWindowDC = nullptr;
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(*this)) {}

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT) return TControl::Dispatch(Message);
  TCanvasPaintScope scope(*FCanvas, reinterpret_cast<HDC>(Message.WParam));
  Paint();
}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(*this)) {}

void TCustomControl::PaintWindow(HDC DC) {
  TCanvasPaintScope scope(*FCanvas, DC);
  Paint();
}

}  // namespace classlib
