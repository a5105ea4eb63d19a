// Message records and the class library's own control messages.
#pragma once

#include <windows.h>

namespace classlib {

// One window message as it travels through WndProc and Dispatch; handlers set Result.
struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Messages the library sends between its own controls; they never reach a system window procedure.
enum : UINT {
  CM_BASE = 0xB000,
  CM_ACTIVATE = CM_BASE + 0,
  CM_DEACTIVATE = CM_BASE + 1,
  // Another control takes the mouse (a button went down on it): sent to the focused control, lParam
  // the TControl pressed, so that a dropped-down list or a tracking control lets go.
  CM_CANCELMODE = CM_BASE + 4,
  CM_RELEASE = CM_BASE + 33,
  // Enter or Escape the focused control left unused, offered to every control of the form
  // (wParam the key); a control that acts on it sets Result to 1.
  CM_DIALOGKEY = CM_BASE + 5,
  // A character the focused control does not take, offered as an accelerator (wParam the
  // character); a control that acts on it sets Result to 1.
  CM_DIALOGCHAR = CM_BASE + 6,
  // The form's focused control changed: lParam is the newly focused TWinControl.
  CM_FOCUSCHANGED = CM_BASE + 7,
  CM_PARENTFONTCHANGED = CM_BASE + 8,
  CM_PARENTCOLORCHANGED = CM_BASE + 9,
  CM_HITTEST = CM_BASE + 10,
  CM_VISIBLECHANGED = CM_BASE + 11,
  CM_ENABLEDCHANGED = CM_BASE + 12,
  CM_COLORCHANGED = CM_BASE + 13,
  CM_FONTCHANGED = CM_BASE + 14,
  CM_CURSORCHANGED = CM_BASE + 15,
  CM_TEXTCHANGED = CM_BASE + 18,
  CM_MOUSEENTER = CM_BASE + 19,
  CM_MOUSELEAVE = CM_BASE + 20,
  CM_SHOWINGCHANGED = CM_BASE + 24,
  // Asked of the focused control before dialog navigation takes a key (wParam the key);
  // Result 1 keeps the key for the control.
  CM_WANTSPECIALKEY = CM_BASE + 30,
  // The control took (CM_ENTER) or lost (CM_EXIT) the input focus; their default handling fires
  // OnEnter and OnExit, so a control can act before or after its events.
  CM_ENTER = CM_BASE + 50,
  CM_EXIT = CM_BASE + 51,
  // A message posted to a TTimer's or TApplication's utility window.
  CM_SYNCHRONIZE = CM_BASE + 60,
};

// Notifications a parent window receives for a child control, reflected back to that child.
enum : UINT {
  CN_BASE = 0xBC00,
  CN_COMMAND = CN_BASE + WM_COMMAND,
  CN_NOTIFY = CN_BASE + WM_NOTIFY,
  CN_HSCROLL = CN_BASE + WM_HSCROLL,
  CN_VSCROLL = CN_BASE + WM_VSCROLL,
  CN_DRAWITEM = CN_BASE + WM_DRAWITEM,
  CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM,
  CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT,
  CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX,
  CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN,
  CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC,
};

}  // namespace classlib
