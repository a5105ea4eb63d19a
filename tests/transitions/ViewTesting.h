// Helpers for tests of the live picture-show control: a shown borderless form holding one control,
// pictures whose every pixel differs from its neighbours', screen capture, and waiting for a run.
#pragma once

#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"
#include "transitions/TransitionView.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace viewtesting {

// A colour for each position up to 2048 x 2048; Variant 1 differs from variant 0 at every pixel.
inline std::uint32_t PatternPixel(int X, int Y, int Variant) {
  const std::uint32_t high = static_cast<std::uint32_t>(((X >> 8) & 7) | (((Y >> 8) & 7) << 3)) ^ (Variant ? 0x80u : 0u);
  return (high << 16) | (static_cast<std::uint32_t>(Y & 0xFF) << 8) | static_cast<std::uint32_t>(X & 0xFF);
}

inline std::unique_ptr<classlib::TBitmap> PatternBitmap(int Width, int Height, int Variant) {
  auto bitmap = std::make_unique<classlib::TBitmap>();
  bitmap->SetPixelFormat(classlib::TPixelFormat::pf32bit);
  bitmap->SetSize(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint32_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < Width; ++x) row[x] = PatternPixel(x, y, Variant);
  }
  return bitmap;
}

inline std::unique_ptr<classlib::TBitmap> SolidBitmap(int Width, int Height, COLORREF Color) {
  auto bitmap = std::make_unique<classlib::TBitmap>();
  bitmap->SetPixelFormat(classlib::TPixelFormat::pf32bit);
  bitmap->SetSize(Width, Height);
  const std::uint32_t pixel = (GetRValue(Color) << 16) | (GetGValue(Color) << 8) | GetBValue(Color);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint32_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < Width; ++x) row[x] = pixel;
  }
  return bitmap;
}

// The pixels (0x00RRGGBB) of a rectangle of the screen, top row first.
inline std::vector<std::uint32_t> CaptureScreen(const RECT& Area) {
  const int w = Area.right - Area.left, h = Area.bottom - Area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, Area.left, Area.top, SRCCOPY);
  GdiFlush();
  std::vector<std::uint32_t> pixels(static_cast<std::uint32_t*>(bits), static_cast<std::uint32_t*>(bits) + w * h);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The client area of a control as the screen shows it.
inline std::vector<std::uint32_t> CaptureClient(classlib::TWinControl& Control) {
  const classlib::TPoint origin = Control.ClientToScreen(classlib::Point(0, 0));
  return CaptureScreen(RECT{origin.x, origin.y, origin.x + Control.ClientWidth(), origin.y + Control.ClientHeight()});
}

// Where the capture first differs from the pattern (or "" when it matches everywhere).
inline std::string FirstPatternMismatch(const std::vector<std::uint32_t>& Pixels, int Width, int Height, int Variant) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Pixels[static_cast<std::size_t>(y * Width + x)] != PatternPixel(x, y, Variant))
        return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
  return "";
}

// A control filling the client area of a shown borderless form at the screen's top-left. The form
// is made once and kept: hiding a top-level window takes Wine two seconds without a window manager.
class TViewForm {
public:
  TViewForm(int Width, int Height) : Form(SharedForm()) {
    Form->SetBounds(0, 0, Width, Height);
    View = new transitions::TTransitionView(Form);
    View->SetAutoSize(false);
    View->SetParent(Form);
    View->SetBounds(0, 0, Width, Height);
    View->SetColor(kBackground);
    windowtesting::PumpFor(50);
  }
  // A test that frees the control itself sets View to null.
  ~TViewForm() { delete View; }
  TViewForm(const TViewForm&) = delete;
  TViewForm& operator=(const TViewForm&) = delete;

  // Runs a transition to Picture and waits for its end; false when it did not end in time.
  bool Run(const classlib::TBitmap& Picture, DWORD TimeOut = 20000) {
    View->Picture().SetGraphic(&Picture);
    View->Execute();
    return WaitIdle(TimeOut);
  }

  bool WaitIdle(DWORD TimeOut = 20000) {
    const DWORD start = GetTickCount();
    while (View->Busy()) {
      if (GetTickCount() - start > TimeOut) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      windowtesting::Pump();
    }
    return true;
  }

  static constexpr COLORREF kBackground = RGB(0x20, 0x40, 0x60);

  classlib::TForm* Form;
  transitions::TTransitionView* View;  // owned by the form

private:
  static classlib::TForm* SharedForm() {
    static classlib::TForm* form = [] {
      windowtesting::InitApplication();
      auto* f = new classlib::TForm(nullptr);  // lives as long as the test program
      f->SetBorderStyle(classlib::TFormBorderStyle::bsNone);
      f->SetBounds(0, 0, 100, 100);
      f->Show();
      return f;
    }();
    return form;
  }
};

// What the events of a run report, in order, from whichever thread they run on.
class TEventLog {
public:
  void Add(const std::string& Entry) {
    const std::lock_guard lock(FMutex);
    FEntries.push_back(Entry);
  }
  std::vector<std::string> Entries() const {
    const std::lock_guard lock(FMutex);
    return FEntries;
  }
  void Clear() {
    const std::lock_guard lock(FMutex);
    FEntries.clear();
  }

private:
  mutable std::mutex FMutex;
  std::vector<std::string> FEntries;
};

}  // namespace viewtesting
