// DDR.DLL, the outside library that draws the TV channel number into a window: loaded from beside
// the program the first time it is needed, its four entry points bound by name. Without the DLL (or
// with an entry missing) every call does nothing: the TV works on, only without its number.
#pragma once

#include <windows.h>

// A font as the display is asked for it: a face-name buffer and a character height.
struct TDisplayFont {
  char Face[32] = "Arial";
  int Height = 18;
};

namespace ddr {

// Later drawing goes to Window, replacing any window given before.
void initd3d(HWND Window);
// The text drawn afterwards uses this font.
void created3dxfont(const TDisplayFont& Font);
// Draws Text into the window given last; it stays once the window's pending paint is cancelled.
void Render(const char* Text);
// Releases what initd3d and created3dxfont prepared; harmless when nothing is.
void Cleanup();

}  // namespace ddr
