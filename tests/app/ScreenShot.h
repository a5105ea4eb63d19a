// What the screen shows of a window, read back for the simulated TV card's strip or for drawn text.
#pragma once

#include "platform/tvcard/TvCardStrip.h"

#include <windows.h>

#include <optional>
#include <vector>

namespace apptesting {

// What the screen shows of a window's client area.
class TScreenShot {
public:
  explicit TScreenShot(HWND Window) {
    RECT client;
    GetClientRect(Window, &client);
    POINT origin{0, 0};
    ClientToScreen(Window, &origin);
    FWidth = client.right;
    FHeight = client.bottom;
    FPixels.resize(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, FWidth, FHeight);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, FWidth, FHeight, screen, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    if (FWidth > 0 && FHeight > 0) GetDIBits(memory, shot, 0, FHeight, FPixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  COLORREF At(int X, int Y) const {
    const DWORD bgr = FPixels[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
  }

  // The card's strip, the frame taken as scaled to the whole area.
  std::optional<tvcard::TStripReading> Strip() const {
    if (FWidth <= 0 || FHeight <= 0) return std::nullopt;
    return tvcard::ReadStrip(
        [&](int x, int y) { return At(x * FWidth / tvcard::kFrameWidth, y * FHeight / tvcard::kFrameHeight); });
  }

  int WhitePixels() const {
    int count = 0;
    for (DWORD pixel : FPixels) count += (pixel & 0xFFFFFF) == 0xFFFFFF;
    return count;
  }

private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<DWORD> FPixels;
};

}  // namespace apptesting
