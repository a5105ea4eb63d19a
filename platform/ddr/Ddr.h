// DDR.DLL: draws a short text (the TV channel number) into a window. Programs load the DLL with
// LoadLibrary and bind the four entry points by name; this header gives their names and types.
// Results are S_OK, or E_FAIL when nothing could be prepared or drawn.
#pragma once

#include <windows.h>

// Later drawing goes to Window, replacing any window given before.
using TInitD3D = HRESULT(WINAPI*)(HWND Window);
// Text drawn afterwards uses the face (zero-terminated) at the given character height in pixels.
using TCreateD3DXFont = HRESULT(WINAPI*)(const char* Face, int Height);
// Draws Text into the window given last, at once and without waiting for a paint, so that it stays
// visible once the window's pending paint is cancelled with ValidateRect.
using TRender = HRESULT(WINAPI*)(const char* Text);
// Forgets the window and frees the font; harmless when nothing is prepared.
using TCleanup = HRESULT(WINAPI*)();

inline constexpr char kDdrInitD3D[] = "initd3d";
inline constexpr char kDdrCreateD3DXFont[] = "created3dxfont";
inline constexpr char kDdrRender[] = "Render";
inline constexpr char kDdrCleanup[] = "Cleanup";
