#include "platform/ddr/Ddr.h"

#include <mutex>
#include <utility>

namespace {

// Text in white on the black display surface.
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kBackground = RGB(0, 0, 0);

struct TDisplay {
  std::mutex Lock;
  HWND Window = nullptr;
  HFONT Font = nullptr;

  void FreeFont() {
    if (Font) DeleteObject(std::exchange(Font, nullptr));
  }
};

TDisplay& Display() {
  static TDisplay display;
  return display;
}

}  // namespace

extern "C" HRESULT WINAPI initd3d(HWND Window) {
  TDisplay& display = Display();
  const std::lock_guard guard(display.Lock);
  display.Window = Window;
  return IsWindow(Window) ? S_OK : E_FAIL;
}

extern "C" HRESULT WINAPI created3dxfont(const char* Face, int Height) {
  TDisplay& display = Display();
  const std::lock_guard guard(display.Lock);
  display.FreeFont();
  // A negative height asks for the character height rather than the cell height.
  display.Font = CreateFontA(-Height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, Face ? Face : "");
  return display.Font ? S_OK : E_FAIL;
}

extern "C" HRESULT WINAPI Render(const char* Text) {
  TDisplay& display = Display();
  const std::lock_guard guard(display.Lock);
  if (!Text || !display.Window || !IsWindow(display.Window)) return E_FAIL;
  HDC dc = GetDC(display.Window);
  if (!dc) return E_FAIL;
  RECT area;
  GetClientRect(display.Window, &area);
  // The surface is cleared first, so a shorter number leaves nothing of a longer one.
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &area, background);
  DeleteObject(background);
  const HGDIOBJ oldFont = display.Font ? SelectObject(dc, display.Font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kTextColour);
  DrawTextA(dc, Text, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont) SelectObject(dc, oldFont);
  ReleaseDC(display.Window, dc);
  // Drawn at once: the caller's ValidateRect cancels the paint that would cover the text.
  GdiFlush();
  return S_OK;
}

extern "C" HRESULT WINAPI Cleanup() {
  TDisplay& display = Display();
  const std::lock_guard guard(display.Lock);
  display.FreeFont();
  display.Window = nullptr;
  return S_OK;
}
