#include "platform/classlib/Drag.h"

#include "platform/classlib/Controls.h"

#include <cstdlib>
#include <memory>

namespace classlib {

namespace {

// Posted to the tracking window once the drag has started: the control pressed takes the mouse
// only after its press was handled (a list box captures it in its default handling), so the drag
// takes it afterwards.
constexpr UINT WM_TAKECAPTURE = WM_APP + 0x2D0;

struct TDragInProgress {
  unsigned Serial = 0;
  TControl* Source = nullptr;
  // The source's own drag object, when it made one in OnStartDrag.
  TDragObject* DragObject = nullptr;
  TPoint Origin{};
  int Threshold = DefaultDragThreshold;
  bool Started = false;
  // Set while the drop and the end are reported: nothing starts, moves or ends it again.
  bool Ending = false;
  bool Captured = false;
  TControl* Target = nullptr;
  bool Accepted = false;
  HHOOK MouseHook = nullptr;
  HHOOK KeyHook = nullptr;
};

// The drag in progress; controls live on one thread, and so does the drag.
std::unique_ptr<TDragInProgress> Drag;
unsigned LastSerial = 0;

// Whether the drag numbered Serial still runs after a handler was called.
bool Still(unsigned Serial) { return Drag && Drag->Serial == Serial && !Drag->Ending; }

TObject* SourceObject() {
  if (Drag->DragObject) return Drag->DragObject;
  return Drag->Source;
}

TPoint CursorPos() {
  TPoint p{};
  GetCursorPos(&p);
  return p;
}

void ShowCursor(bool Accepted) {
  const TCursor cursor = Accepted && Drag->Source ? Drag->Source->DragCursor() : crNoDrop;
  ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}

void ReportException() {
  if (TControl::ExceptionHook) TControl::ExceptionHook(std::current_exception());
}

// The thread's mouse messages, as they are taken from the queue, whichever window they are for.
LRESULT CALLBACK MouseHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  if (Code == HC_ACTION && Drag) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    try {
      if (TDragOperation::MouseMessage(static_cast<UINT>(WParam), info->pt)) return 1;
    } catch (...) {
      // An exception must not unwind through the system's message retrieval.
      ReportException();
      return 1;
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// The keys, whichever control has the focus: Escape cancels the drag.
LRESULT CALLBACK KeyHookProc(int Code, WPARAM WParam, LPARAM LParam) {
  const bool pressed = (static_cast<DWORD>(LParam) & 0x80000000u) == 0;
  if (Code == HC_ACTION && Drag && pressed) {
    try {
      if (TDragOperation::KeyPressed(static_cast<WORD>(WParam))) return 1;
    } catch (...) {
      ReportException();
      return 1;
    }
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

LRESULT CALLBACK TrackerProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  try {
    switch (Msg) {
      case WM_TAKECAPTURE:
        TDragOperation::CaptureTaken();
        return 0;
      case WM_CAPTURECHANGED:
        TDragOperation::CaptureLost(reinterpret_cast<HWND>(LParam));
        return 0;
      case WM_SETCURSOR:
        if (Drag && Drag->Started) {
          ShowCursor(Drag->Accepted);
          return TRUE;
        }
        break;
    }
  } catch (...) {
    ReportException();
    return 0;
  }
  return DefWindowProcW(Window, Msg, WParam, LParam);
}

// A hidden window that holds the mouse while a drag runs, so that the release is seen wherever it
// happens, over any window of the screen.
HWND Tracker() {
  static const HWND window = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = TrackerProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrelDragTracker";
    RegisterClassExW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return window;
}

// Lets go of the hooks and the mouse; the drag's state stays for what is still to be reported.
void ReleaseTracking() {
  if (Drag->MouseHook) UnhookWindowsHookEx(Drag->MouseHook);
  if (Drag->KeyHook) UnhookWindowsHookEx(Drag->KeyHook);
  Drag->MouseHook = Drag->KeyHook = nullptr;
  if (Drag->Captured) {
    Drag->Captured = false;
    if (GetCapture() == Tracker()) ReleaseCapture();
  }
}

// Sets a single bit of each mask's row: the masks are rows of 32 pixels, most significant bit leftmost.
void SetPixel(BYTE* Mask, int X, int Y, bool On) {
  BYTE& byte = Mask[Y * 4 + X / 8];
  const BYTE bit = static_cast<BYTE>(0x80 >> (X % 8));
  byte = On ? byte | bit : byte & ~bit;
}

}  // namespace

HCURSOR DragCursorImage() {
  static const HCURSOR cursor = [] {
    // AND bits 1 keep the screen; where they are 0, the XOR bit chooses white (1) or black (0).
    BYTE andMask[32 * 4], xorMask[32 * 4] = {};
    for (BYTE& b : andMask) b = 0xFF;
    auto paint = [&](int X, int Y, bool White) {
      SetPixel(andMask, X, Y, false);
      SetPixel(xorMask, X, Y, White);
    };
    // The arrow: a triangle outlined in black, filled white, with its point on the hot spot.
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x <= y; ++x) paint(x, y, x != 0 && x != y && y != 11);
    // The sheet it carries, below and to the right of the arrow.
    for (int y = 13; y < 22; ++y)
      for (int x = 6; x < 17; ++x) paint(x, y, x != 6 && x != 16 && y != 13 && y != 21);
    return CreateCursor(GetModuleHandleW(nullptr), 0, 0, 32, 32, andMask, xorMask);
  }();
  return cursor;
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  // The window under the point may be one a system control made inside ours (a combo box's edit).
  TWinControl* window = nullptr;
  for (HWND w = WindowFromPoint(Pos); w && !window; w = GetAncestor(w, GA_PARENT))
    window = TWinControl::FindControl(w);
  if (!window) return nullptr;
  if (TControl* child = window->ControlAtPos(window->ScreenToClient(Pos), AllowDisabled);
      child && !dynamic_cast<TWinControl*>(child))
    return child;
  return window;
}

void TDragOperation::Begin(TControl& Source, bool Immediate, int Threshold) {
  if (Drag || Source.DragKind() == TDragKind::dkDock) return;
  Drag = std::make_unique<TDragInProgress>();
  Drag->Serial = ++LastSerial;
  Drag->Source = &Source;
  Drag->Threshold = Threshold < 0 ? DefaultDragThreshold : Threshold;
  Drag->Origin = CursorPos();
  Tracker();
  Drag->MouseHook = SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, GetCurrentThreadId());
  Drag->KeyHook = SetWindowsHookExW(WH_KEYBOARD, KeyHookProc, nullptr, GetCurrentThreadId());
  if (Immediate) Start();
}

void TDragOperation::End(bool Drop) {
  if (!Drag || Drag->Ending) return;
  if (Drag->Started) return Finish(Drop, CursorPos());
  ReleaseTracking();
  Drag.reset();
}

bool TDragOperation::IsSource(const TControl& Control) { return Drag && !Drag->Ending && Drag->Source == &Control; }

void TDragOperation::ControlDestroyed(const TControl& Control) {
  if (!Drag) return;
  if (Drag->Target == &Control) {
    Drag->Target = nullptr;
    Drag->Accepted = false;
  }
  if (Drag->Source != &Control) return;
  Drag->Source = nullptr;
  // Without its source the drag has nobody to report its end to.
  if (Drag->Ending) return;
  ReleaseTracking();
  Drag.reset();
}

bool TDragOperation::MouseMessage(UINT Msg, const TPoint& Screen) {
  if (!Drag || Drag->Ending) return false;
  switch (Msg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (!Drag->Started) {
        if (std::abs(Screen.x - Drag->Origin.x) < Drag->Threshold && std::abs(Screen.y - Drag->Origin.y) < Drag->Threshold)
          return false;
        const unsigned serial = Drag->Serial;
        Start();
        if (!Still(serial)) return true;
      }
      Move(Screen);
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
      if (Drag->Started) {
        Finish(true, Screen);
        return true;
      }
      // Released before the drag started: the press was a click, and the control sees its release.
      ReleaseTracking();
      Drag.reset();
      return false;
    default:
      return Drag->Started;
  }
}

bool TDragOperation::KeyPressed(WORD Key) {
  if (Key != VK_ESCAPE || !Drag || Drag->Ending) return false;
  const bool started = Drag->Started;
  End(false);
  return started;
}

void TDragOperation::CaptureTaken() {
  if (!Drag || !Drag->Started || Drag->Ending || Drag->Captured) return;
  SetCapture(Tracker());
  Drag->Captured = GetCapture() == Tracker();
  ShowCursor(Drag->Accepted);
}

void TDragOperation::CaptureLost(HWND NewCapture) {
  // Another window took the mouse (a menu, a dialog): the drag cannot see its end any more.
  if (Drag && Drag->Captured && !Drag->Ending && NewCapture != Tracker()) {
    Drag->Captured = false;
    Finish(false, CursorPos());
  }
}

bool TDragOperation::Ask(TControl& Target, const TPoint& Screen, TDragState State) {
  const TPoint p = Target.ScreenToClient(Screen);
  bool accept = false;
  Target.DragOver(SourceObject(), p.x, p.y, State, accept);
  return accept;
}

void TDragOperation::Start() {
  const unsigned serial = Drag->Serial;
  Drag->Started = true;
  TDragObject* object = nullptr;
  Drag->Source->DoStartDrag(object);
  if (!Still(serial)) return;
  Drag->DragObject = object;
  PostMessageW(Tracker(), WM_TAKECAPTURE, 0, 0);
  Move(CursorPos());
}

void TDragOperation::Move(const TPoint& Screen) {
  const unsigned serial = Drag->Serial;
  TControl* target = FindDragTarget(Screen, false);
  if (target != Drag->Target) {
    if (TControl* left = Drag->Target) {
      Drag->Target = nullptr;
      Drag->Accepted = false;
      Ask(*left, Screen, TDragState::dsDragLeave);
      if (!Still(serial)) return;
    }
    Drag->Target = target;
    if (target) {
      const bool accepted = Ask(*target, Screen, TDragState::dsDragEnter);
      if (!Still(serial)) return;
      Drag->Accepted = accepted && Drag->Target == target;
    }
  } else if (target) {
    const bool accepted = Ask(*target, Screen, TDragState::dsDragMove);
    if (!Still(serial)) return;
    Drag->Accepted = accepted && Drag->Target == target;
  }
  ShowCursor(Drag->Accepted);
}

void TDragOperation::Finish(bool Drop, const TPoint& Screen) {
  Drag->Ending = true;
  ReleaseTracking();
  // Whatever the handlers below do, the drag is over when they return.
  struct TReset {
    ~TReset() { Drag.reset(); }
  } reset;
  ::SetCursor(CursorHandle(crArrow));
  const bool accepted = Drag->Accepted;
  if (TControl* target = Drag->Target) Ask(*target, Screen, TDragState::dsDragLeave);
  TControl* target = Drag->Target;  // null when a handler freed it
  TPoint at{0, 0};
  const bool dropped = Drop && accepted && target;
  if (dropped) {
    at = target->ScreenToClient(Screen);
    target->DragDrop(SourceObject(), at.x, at.y);
  }
  if (Drag->Source) Drag->Source->DoEndDrag(dropped ? Drag->Target : nullptr, at.x, at.y);
}

}  // namespace classlib
