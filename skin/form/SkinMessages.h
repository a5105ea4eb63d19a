// Messages of the skinned frame and menus, after the skin-change messages 1225 to 1227.
#pragma once

#include <windows.h>

namespace skin {

// Sent to the control that opened a menu when the menu's chain closes, and to the engine's form
// when the chain is hidden (wParam and lParam 0).
constexpr UINT WM_CLOSESKINMENU = 1228;
// Sent to the control that opened a menu after the chosen item has run.
constexpr UINT WM_AFTERDISPATCH = 1229;
// An MDI parent refits its maximized children; an MDI child was maximized or restored.
constexpr UINT WM_MDICHILDREFIT = 1230;
constexpr UINT WM_MDICHILDMAXIMIZE = 1231;
constexpr UINT WM_MDICHILDRESTORE = 1232;

}  // namespace skin
