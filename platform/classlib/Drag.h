// Drag and drop between controls. A drag begun on a control (BeginDrag, or a left press on a control
// whose DragMode is dmAutomatic) waits until the mouse has moved past the threshold, then follows the
// mouse: the control under it is asked whether it takes the source (DragOver), the cursor shows the
// answer, and releasing the button drops the source on the last control that accepted it. Escape
// cancels the drag.
//
// Classes in this file: TDragObject, TDragControlObject.
#pragma once

#include "platform/classlib/Component.h"

#include <functional>

namespace classlib {

class TControl;

// dmAutomatic: a left press on the control begins a drag by itself.
enum class TDragMode { dmManual, dmAutomatic };
// What dragging the control does: drag and drop, or docking (kept, but docking is not supported:
// BeginDrag does nothing on a dkDock control).
enum class TDragKind { dkDrag, dkDock };
// Where the mouse is with respect to a target asked in DragOver.
enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What a drag carries when its source control makes one of its own in OnStartDrag: the targets then
// get this object as their Source instead of the control. The control that made it frees it (in
// OnEndDrag, for example).
class TDragObject : public TObject {
public:
  ~TDragObject() override = default;
};

// A drag object that stands for a control.
class TDragControlObject : public TDragObject {
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }

private:
  TControl* FControl;
};

// The pixels the mouse moves, pressed, before a drag begun without Immediate starts.
constexpr int DefaultDragThreshold = 5;

using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
// Accept comes in true when the handler is called; clearing it refuses the source.
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
// Target is the control the source was dropped on, or null when the drag was refused or cancelled.
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// The control of this library under a screen point: a windowless child in preference to the window
// that holds it; null over other windows.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

// The drag cursor's image (an arrow carrying a sheet), made on first use.
HCURSOR DragCursorImage();

// The drag in progress, driven by TControl: one at a time, on the thread of the controls.
class TDragOperation {
public:
  static void Begin(TControl& Source, bool Immediate, int Threshold);
  static void End(bool Drop);
  static bool IsSource(const TControl& Control);
  // A control going away is no longer the drag's source or target.
  static void ControlDestroyed(const TControl& Control);

  // What the tracking sees (the thread's mouse and keyboard hooks, the capture window). The mouse and
  // key functions answer true for a message the drag took, which goes no further.
  static bool MouseMessage(UINT Msg, const TPoint& Screen);
  static bool KeyPressed(WORD Key);
  static void CaptureTaken();
  static void CaptureLost(HWND NewCapture);

private:
  // Asks Target, at a screen point, whether it takes the drag's source.
  static bool Ask(TControl& Target, const TPoint& Screen, TDragState State);
  static void Start();
  static void Move(const TPoint& Screen);
  static void Finish(bool Drop, const TPoint& Screen);
};

}  // namespace classlib
