// Helpers for tests on live windows: the application made ready once, message pumping, forms read
// from description text, and painting a window into memory to look at its pixels.
#pragma once

#include "tests/support/testing.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/FormReader.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Streams.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace windowtesting {

// The common controls registered and the application object made.
inline void InitApplication() {
  static const bool ready = [] {
    classlib::Application->Initialize();
    return true;
  }();
  (void)ready;
}

// Handles every message waiting now.
inline void Pump() { classlib::Application->ProcessMessages(); }

// Handles messages for the given time, as a running program would.
inline void PumpFor(DWORD Milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < Milliseconds) {
    classlib::Application->ProcessMessages();
    Sleep(5);
  }
}

// A form read from description text (its root object must be of class TForm); not shown.
inline std::unique_ptr<classlib::TForm> ReadForm(const classlib::String& Text,
                                                 const std::function<void(classlib::TForm&)>& BeforeReading = {}) {
  InitApplication();
  auto form = std::make_unique<classlib::TForm>(nullptr);
  if (BeforeReading) BeforeReading(*form);
  classlib::ReadComponentText(form.get(), Text, "TestForm");
  return form;
}

// A bitmap as a form description stores it: the hexadecimal digits of its file, for "Name.Data = { ... }".
inline std::string BitmapData(const classlib::TBitmap& Bitmap) {
  classlib::TMemoryStream stream;
  Bitmap.SaveToStream(stream);
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (std::int64_t i = 0; i < stream.Size(); ++i) {
    const std::uint8_t byte = stream.Memory()[i];
    hex += digits[byte >> 4];
    hex += digits[byte & 15];
  }
  return hex;
}

// A 32-bit top-down picture in memory that a window paints into (WM_PAINT with the DC in wParam paints
// a control of the class library and its windowless children without erasing).
class TPaintTarget {
public:
  TPaintTarget(int Width, int Height, COLORREF Fill) : FWidth(Width), FHeight(Height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint32_t*>(bits);
    FDC = CreateCompatibleDC(nullptr);
    FOld = SelectObject(FDC, FBitmap);
    const RECT all{0, 0, Width, Height};
    HBRUSH brush = CreateSolidBrush(Fill);
    FillRect(FDC, &all, brush);
    DeleteObject(brush);
  }
  ~TPaintTarget() {
    SelectObject(FDC, FOld);
    DeleteDC(FDC);
    DeleteObject(FBitmap);
  }
  TPaintTarget(const TPaintTarget&) = delete;
  TPaintTarget& operator=(const TPaintTarget&) = delete;

  HDC DC() const { return FDC; }
  void Paint(HWND Window) { SendMessageW(Window, WM_PAINT, reinterpret_cast<WPARAM>(FDC), 0); }
  // The pixel as a COLORREF (0x00BBGGRR).
  COLORREF Pixel(int X, int Y) const {
    GdiFlush();
    const std::uint32_t p = FBits[Y * FWidth + X];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

private:
  int FWidth;
  int FHeight;
  HBITMAP FBitmap = nullptr;
  std::uint32_t* FBits = nullptr;
  HDC FDC = nullptr;
  HGDIOBJ FOld = nullptr;
};

}  // namespace windowtesting
