// Forms, the application object and the screen.
//
// Classes in this file: TForm, TApplication, TScreen.
#pragma once

#include "platform/classlib/Controls.h"
#include "platform/classlib/HintWindow.h"
#include "platform/classlib/Icon.h"

#include <utility>

namespace classlib {

class TMainMenu;
class TMenuItem;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum class TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
// The axis a scroll bar runs along.
enum class TScrollBarKind { sbHorizontal, sbVertical };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// A key message offered to a form before it is dispatched; Handled true consumes it.
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;
// Sees each message the application's loop takes before it is translated and dispatched; a handler
// that sets Handled keeps the message from going further (it may also change it).
using TMessageEvent = std::function<void(MSG& Msg, bool& Handled)>;

class TForm : public TCustomControl {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

  // The last step of creation: fires OnCreate (the application calls it after the constructor).
  virtual void AfterConstruction();

  void Show();
  int ShowModal();
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the message being handled has returned.
  void Release();

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Active() const;
  // The form's own icon; empty until one is given.
  TIcon& Icon() { return *FIcon; }
  // Offers a key message to OnShortCut; true when it was consumed.
  bool IsShortCut(TMessage& Message);
  void SetClientWidth(int Value) override;
  void SetClientHeight(int Value) override;
  TRect ClientRect() const override;
  bool Showing() const override;

  // The form's main menu; a frame of the program's own draws it, the system shows no menu bar.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // MDI (FormsMDI.cpp). The parent's client window, where its children live: null unless the form
  // is an fsMDIForm with a window.
  HWND ClientHandle() const { return FClientHandle; }
  // The item under which the parent lists its children.
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* Value);
  // The parent's children, the most recently activated first.
  int MDIChildCount() const;
  TForm* MDIChildren(int Index) const;
  TForm* ActiveMDIChild() const;
  void Tile();
  void Cascade();
  void ArrangeIcons();
  // Activates the child behind (Next) or in front of (Previous) the active one.
  void Next();
  void Previous();

  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

protected:
  // Streams the form from the program's resource named after its class ("TFORM1").
  void ReadForm();
  // Links a field to the component of that name read from the description.
  template <class T>
  void Bind(T*& Field, const String& ComponentName) {
    Field = dynamic_cast<T*>(FindComponent(ComponentName));
    if (!Field) throw EComponentError(ClassName() + ": no component " + ComponentName + " of the expected class");
  }
  // Registers a method of the form as a handler that the description binds by name.
  template <class Form, class... Args>
  void Handler(const String& HandlerName, void (Form::*Method)(Args...)) {
    Form* self = static_cast<Form*>(this);
    RegisterHandler<std::function<void(Args...)>>(
        HandlerName, [self, Method](Args... args) { (self->*Method)(std::forward<Args>(args)...); });
  }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  bool WantsVisibleWindow() const override { return false; }
  void VisibleChanged() override;
  bool PreviewKeyDown(WORD& Key, TShiftState Shift) override;

private:
  void ApplyPosition();
  TRect AdjustedOuter(int ClientW, int ClientH) const;

  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
  TPosition FPosition = TPosition::poDesigned;
  TWindowState FWindowState = TWindowState::wsNormal;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FPositioned = false;
  int FClientWidthWanted = -1;
  int FClientHeightWanted = -1;
  std::unique_ptr<TIcon> FIcon;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  HWND FClientHandle = nullptr;
  // MDI parts of CreateParams and CreateWnd.
  void MDIChildParams(TCreateParams& Params) const;
  void CreateClientWindow();
  // Sends an MDI message to the client window (0 without one).
  LRESULT ClientMessage(UINT Msg, WPARAM WParam, LPARAM LParam) const;
};

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  TMessageEvent OnMessage;

  void Initialize();
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  HWND Handle() const { return FHandle; }
  TForm* MainForm() const { return FMainForm; }
  // Minimizes the main form (its owned forms hide with it); Restore shows it as it was.
  void Minimize();
  void Restore();
  bool Terminated() const { return FTerminated; }

  // Creates a form owned by the application; the first becomes the main form.
  template <class T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    if (!FMainForm) {
      FMainForm = form;
      form->FreeNotification(this);
    }
    form->AfterConstruction();
  }

  // Shows the main form (unless ShowMainForm is off) and runs the message loop until the application
  // terminates.
  void Run();
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  void Terminate();

  int MessageBox(const String& Text, const String& Caption, UINT Flags = MB_OK);
  void ShowException(const std::exception& E);
  // Shows what a handler threw; the loop goes on.
  void HandleException(std::exception_ptr E);

  // Hints: with ShowHint on, the Hint of the control the mouse rests on (its ShowHint set) shows
  // after HintPause (HintShortPause right after another hint) for HintHidePause, in a window made
  // from HintWindowClass when ShowHint is turned on. OnShowHint sees each hint first.
  TShowHintEvent OnShowHint;
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  // Hides the hint and forgets the control it was for.
  void CancelHint();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void HintMessage(const MSG& Msg);
  void HintTimerExpired(UINT_PTR Timer);
  void SetHintControl(TControl* Value);

  bool FShowMainForm = true;
  bool FShowHint = false;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  std::unique_ptr<THintWindow> FHintWindow;
  TControl* FHintControl = nullptr;

  friend class TForm;
  bool ProcessMessage(MSG& Msg);
  static LRESULT CALLBACK WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  HWND FHandle = nullptr;
  String FTitle;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
};

class TScreen : public TComponent {
public:
  TScreen();

  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  TRect WorkAreaRect() const;
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  HCURSOR Cursors(TCursor Index) const { return CursorHandle(Index); }
  void SetCursors(TCursor Index, HCURSOR Handle) { InstallCursor(Index, Handle); }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TForm* Forms(int Index) const { return FForms.at(static_cast<size_t>(Index)); }
  TForm* ActiveForm() const;

private:
  friend class TForm;
  std::vector<TForm*> FForms;
  TCursor FCursor = crDefault;
};

// The application and the screen, made when first used (window classes need a running system).
template <class T>
class TGlobalObject {
public:
  T* operator->() { return &Get(); }
  T& operator*() { return Get(); }
  T& Get() {
    if (!FInstance) FInstance = new T();  // lives until the process ends, as the forms it owns
    return *FInstance;
  }

private:
  T* FInstance = nullptr;
};

extern TGlobalObject<TApplication> Application;
extern TGlobalObject<TScreen> Screen;

}  // namespace classlib
