// Waits for a top-level window of the given class, saves a picture of it as a 24-bit BMP file,
// then asks the window to close and waits until its process has ended.
//
//   snapshot.exe <window class> <output.bmp (Windows path)> [seconds to wait]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::u16string Widen(const char* text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::u16string result(static_cast<size_t>(n), 0);
  MultiByteToWideChar(CP_UTF8, 0, text, -1, reinterpret_cast<WCHAR*>(result.data()), n);
  result.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return result;
}

HWND WaitForWindow(const std::u16string& className, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    HWND window = FindWindowW(reinterpret_cast<const WCHAR*>(className.c_str()), nullptr);
    if (window && IsWindowVisible(window)) return window;
    Sleep(100);
  }
  return nullptr;
}

bool SaveWindowPicture(HWND window, const std::u16string& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();

  const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
  const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;

  bool ok = false;
  HANDLE out = CreateFileW(reinterpret_cast<const WCHAR*>(path.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0, total = 0;
    ok = WriteFile(out, &file, sizeof file, &written, nullptr);
    total += written;
    ok = ok && WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    total += written;
    ok = ok && WriteFile(out, bits, imageBytes, &written, nullptr);
    total += written;
    ok = CloseHandle(out) && ok && total == file.bfSize;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: snapshot <window class> <output.bmp> [seconds]\n");
    return 2;
  }
  const DWORD timeout = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) * 1000 : 60000;
  HWND window = WaitForWindow(Widen(argv[1]), timeout);
  if (!window) {
    std::fprintf(stderr, "snapshot: no window of class %s appeared\n", argv[1]);
    return 1;
  }
  // Give the window time to paint everything once.
  Sleep(2000);
  SetForegroundWindow(window);
  Sleep(300);
  const bool saved = SaveWindowPicture(window, Widen(argv[2]));
  if (!saved) std::fprintf(stderr, "snapshot: cannot save %s\n", argv[2]);

  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  PostMessageW(window, WM_CLOSE, 0, 0);
  bool ended = true;
  if (process) {
    ended = WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
    CloseHandle(process);
  }
  if (!ended) std::fprintf(stderr, "snapshot: the program did not end after WM_CLOSE\n");
  return saved && ended ? 0 : 1;
}
