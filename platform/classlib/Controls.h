// Controls: the visual component base, windowed controls over an HWND, and windowless ones
// painted on their parent.
//
// Classes in this file: TControl, TWinControl, TGraphicControl, TCustomControl, TControlCanvas.
#pragma once

#include "platform/classlib/Component.h"
#include "platform/classlib/Canvas.h"
#include "platform/classlib/Drag.h"
#include "platform/classlib/GraphicsObjects.h"
#include "platform/classlib/Messages.h"

#include <exception>
#include <memory>
#include <vector>

namespace classlib {

class TWinControl;
class TBasicAction;
class TBasicActionLink;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Cursor identifiers as the classic library numbers them (0 and below are built in).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The system cursor behind a cursor identifier.
HCURSOR CursorHandle(TCursor Cursor);
// Puts Handle into the table of cursors at Cursor; a null handle removes what stood there.
void InstallCursor(TCursor Cursor, HCURSOR Handle);

// The shift keys and mouse buttons held with a key or mouse message.
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState();

// csPaintCopy: the control paints a copy of itself (into a buffer behind another control), not
// its window on the screen. csCustomPaint: a control over a system window class paints itself
// through PaintWindow instead of leaving WM_PAINT to the system's procedure.
enum class TControlStateItem { csPaintCopy, csCustomPaint };
using TControlState = Set<TControlStateItem>;

// csOpaque: the control covers its whole rectangle, so what lies behind it is not erased first when
// it is invalidated.
enum class TControlStyleItem { csOpaque };
using TControlStyle = Set<TControlStyleItem>;

// Right-to-left reading and alignment of a control's contents.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Asked before a control's context menu shows: MousePos is the client point of the right click
// ((-1, -1) from the keyboard); Handled true keeps the menu away.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

class TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Data members that events of the class library call.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TContextPopupEvent OnContextPopup;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

  // Attributes
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }
  virtual TRect ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  virtual void SetClientWidth(int Value);
  virtual void SetClientHeight(int Value);
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& Point) const;
  TPoint ScreenToClient(const TPoint& Point) const;

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Makes the control visible, and asks its parents to bring it into view (a page holding it is
  // turned to, for example).
  void Show();
  void Hide() { SetVisible(false); }
  // Visible here and in every parent up to a shown window.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  const String& Caption() const { return FText; }
  void SetCaption(const String& Value) { SetText(Value); }
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFont& Font() { return *FFont; }
  const TFont& Font() const { return *FFont; }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }
  // The popup menu opened by a right click; a TPopupMenu, kept as a component here
  // so that controls do not depend on menus.
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // Whether the contents line up from the right: only bdRightToLeft mirrors the alignment.
  bool UseRightToLeftAlignment() const { return FBiDiMode == TBiDiMode::bdRightToLeft; }
  // The action the control follows and runs when clicked; null for none.
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TBasicActionLink* ActionLink() const { return FActionLink.get(); }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  // The cursor over a target that accepts the drag (crNoDrop over one that refuses it).
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }

  // Operations
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  // Begins dragging the control: at once, or once the mouse has moved Threshold pixels (a negative
  // Threshold: DefaultDragThreshold) with a button held. Nothing while another drag runs.
  void BeginDrag(bool Immediate, int Threshold = -1);
  // Ends this control's drag: dropped on the target under the mouse if it accepts, else cancelled.
  void EndDrag(bool Drop);
  // Whether a drag of this control has begun and not yet ended.
  bool Dragging() const { return TDragOperation::IsSource(*this); }
  // Source was dropped on the control at client point (X, Y): fires OnDragDrop.
  virtual void DragDrop(TObject* Source, int X, int Y);
  // Sends a message straight to this control's WindowProc.
  LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
  void SetParentComponent(TComponent* Value) override;

  // The replaceable message entry; defaults to the control's own WndProc.
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // The popup menu's hook: called with the screen point of a right click.
  // Returns true when a menu was shown.
  static std::function<bool(TControl* Control, TComponent* Menu, TPoint ScreenPoint)> PopupMenuHook;
  // Where exceptions raised inside message handling go (the application shows them).
  static std::function<void(std::exception_ptr)> ExceptionHook;
  // The cursor the whole screen shows for now (crDefault: each control's own).
  static std::function<TCursor()> ScreenCursorHook;

protected:
  // The control's own OnClick, or else its action.
  virtual void Click();
  virtual void DblClick();
  // Before the context menu of a right click: calls OnContextPopup; Handled true shows no menu.
  virtual void DoContextPopup(const TPoint& MousePos, bool& Handled);
  // Called with the action when it is assigned and whenever it changes: the control takes the
  // action's caption, enabled state, hint and visibility. CheckDefaults (the action is still being
  // read from a form) keeps whatever the control no longer has at its default.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Resize();
  // The drag begins (OnStartDrag, which may make the drag object).
  virtual void DoStartDrag(TDragObject*& DragObject);
  // Whether the control takes Source at client point (X, Y): without OnDragOver it refuses.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  // The drag ended, dropped on Target or (Target null) refused or cancelled: fires OnEndDrag.
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // Whether a press and release of the left button inside the control is a click; system
  // controls report clicks through their own notifications instead.
  virtual bool ClicksOnMouseUp() const { return true; }
  // Called when the text changed (the caption of a form, a label...).
  virtual void TextChanged();
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  // Where the control moved or resized: windowed controls move their window.
  virtual void BoundsChanged();
  void RequestAlign();

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  String FText;

private:
  void HandleMouse(TMessage& Message);
  // Moves a windowed control's window to the given place of the system's z-order.
  void PlaceWindow(HWND After);
  // Tells the focused control that this one takes the mouse (CM_CANCELMODE).
  void SendCancelMode();
  void ParentFontChanged();
  void ParentColorChanged();

  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FParentColor = false;
  TCursor FCursor = crDefault;
  String FHint;
  bool FShowHint = false;
  TComponent* FPopupMenu = nullptr;
  TControlState FControlState;
  TControlStyle FControlStyle;
  TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
  bool FMouseCaptured = false;
  std::unique_ptr<TBasicActionLink> FActionLink;
  TDragMode FDragMode = TDragMode::dmManual;
  TDragKind FDragKind = TDragKind::dkDrag;
  TCursor FDragCursor = crDrag;

  friend class TWinControl;
  friend class TDragOperation;
};

// Parameters of the window a windowed control creates.
struct TCreateParams {
  String Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // The window class: registered on first use under WinClassName; when SystemClass is set
  // the class is a copy of that system class ("BUTTON") whose procedure becomes the default handler.
  String WinClassName;
  String SystemClass;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  // The window, created (with those of the parents) when first asked for.
  HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded() { Handle(); }
  // Finds the control behind a window of this library, or null.
  static TWinControl* FindControl(HWND Window);
  // Destroys the window (with its children's) and creates it anew, as shown as it was; nothing
  // while there is no window yet.
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // The visible, enabled child under a client point (windowless children first when AllowDisabled is false).
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled) const;

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const { return FTabOrder; }
  void SetTabOrder(int Value) { FTabOrder = Value; }
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  TBrush& Brush() { return *FBrush; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  TRect ClientRect() const override;
  bool Showing() const override;
  void Invalidate() override;
  void Update() override;
  TPoint ClientOrigin() const override;
  // Arranges the aligned children inside the client area.
  void Realign();
  // Brings the child AControl into view: a container that shows one child at a time turns to it.
  // Here it only asks the parent to show this control in turn.
  virtual void ShowControl(TControl* AControl);
  // Aligning waits while the calls to DisableAlign outnumber those to EnableAlign; the last
  // EnableAlign realigns.
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  // Moves every child by (DeltaX, DeltaY) without realigning them: the content scrolls the other way.
  void ScrollBy(int DeltaX, int DeltaY);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // Paints the windowless children on a DC of this control's client area.
  void PaintControls(HDC DC, TControl* First);
  // Paints the control's own client area (not its children) on DC. Public so that a control can
  // draw its parent's face behind itself.
  virtual void PaintWindow(HDC DC);

protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  void DestroyHandle();
  // Called once the window exists: sets fonts, texts and state the window keeps itself.
  virtual void CreateHandleDone();
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // The part of the client area the aligned children share.
  virtual void AdjustClientRect(TRect&) {}
  virtual bool DoKeyDown(WORD& Key, TShiftState Shift);
  // A form that previews keys sees them before the focused control; true when it consumed the key.
  virtual bool PreviewKeyDown(WORD&, TShiftState) { return false; }
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void BoundsChanged() override;
  void Loaded() override;
  // Whether the window shows now (WS_VISIBLE), from Visible and the design of the control.
  virtual bool WantsVisibleWindow() const { return Visible(); }
  void UpdateWindowVisibility();

  HWND FHandle = nullptr;

private:
  friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
  friend class TControl;
  void CreateHandle();
  TWinControl* TopParent();
  bool WantsKey(const TMessage& Message);
  // Sends a dialog message to the form that holds this control; true when a control took it.
  bool OfferToForm(UINT Msg, WPARAM WParam, LPARAM LParam);
  void HandlePaint(TMessage& Message);
  bool IsControlMouseMsg(TMessage& Message);
  void TrackMouseLeave();

  WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;
  std::unique_ptr<TBrush> FBrush;
  bool FTabStop = false;
  int FTabOrder = 0;
  bool FDoubleBuffered = false;
  bool FAligning = false;
  int FAlignLevel = 0;
  TControl* FMouseControl = nullptr;  // windowless child under the mouse
  bool FTrackingLeave = false;
};

// A canvas on a control: it takes the control's window DC when drawing starts outside painting.
class TControlCanvas : public TCanvas {
public:
  explicit TControlCanvas(TControl& Control) : FControl(Control) {}
  ~TControlCanvas() override;
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl& FControl;
  HWND FWindow = nullptr;
  HDC FWindowDC = nullptr;
};

class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas& Canvas() { return *FCanvas; }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void Paint() {}

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas& Canvas() { return *FCanvas; }

protected:
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

}  // namespace classlib
