#include "tests/support/testing.h"

#include "platform/ddr/Ddr.h"

#include <vector>

namespace {

constexpr COLORREF kSurface = RGB(200, 0, 0);

LRESULT CALLBACK SurfaceProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcW(window, message, w, l);
}

// A plain top-level window whose own painting fills it with kSurface; topmost, so that windows of
// tests running beside this one do not cover what is read from the screen.
class TSurface {
public:
  explicit TSurface(int left) {
    static const ATOM windowClass = [] {
      WNDCLASSW info{};
      info.lpfnWndProc = SurfaceProc;
      info.hInstance = GetModuleHandleW(nullptr);
      info.hbrBackground = CreateSolidBrush(kSurface);
      info.lpszClassName = L"DdrTestSurface";
      return RegisterClassW(&info);
    }();
    FWindow = CreateWindowExW(WS_EX_TOPMOST, MAKEINTATOM(windowClass), L"", WS_POPUP, 800 + left, 440, 120, 60,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~TSurface() { DestroyWindow(FWindow); }
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  HWND Handle() const { return FWindow; }

  // Shown and painted, as a panel is before a number goes on it.
  void ShowPainted() {
    ShowWindow(FWindow, SW_SHOWNOACTIVATE);
    UpdateWindow(FWindow);
    PumpMessages();
  }

  // Counts of the client area's pixels in the text colour and in the window's own colour, read back
  // from the screen, that is after everything pending was painted.
  struct TCounts {
    int Text = 0;
    int Surface = 0;
  };
  TCounts Count() const {
    PumpMessages();
    RECT client;
    GetClientRect(FWindow, &client);
    POINT origin{0, 0};
    ClientToScreen(FWindow, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    TCounts counts;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < client.right * client.bottom; ++i) {
      const DWORD bgr = pixels[i] & 0xFFFFFF;
      if (bgr == 0xFFFFFF) ++counts.Text;
      if (bgr == 0xC80000) ++counts.Surface;  // kSurface as a DIB pixel: red in the high byte
    }
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return counts;
  }

  static void PumpMessages() {
    for (int round = 0; round < 5; ++round) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
      Sleep(20);
    }
  }

private:
  HWND FWindow = nullptr;
};

// The DLL as the program binds it: loaded beside the executable, entry points by name.
class Ddr : public ::testing::Test {
protected:
  void SetUp() override {
    FModule = LoadLibraryW(L"DDR.dll");
    ASSERT_NE(FModule, nullptr) << "DDR.dll beside the test executable, error " << GetLastError();
    InitD3D = Bind<TInitD3D>(kDdrInitD3D);
    MakeFont = Bind<TCreateD3DXFont>(kDdrCreateD3DXFont);
    Render = Bind<TRender>(kDdrRender);
    Cleanup = Bind<TCleanup>(kDdrCleanup);
    ASSERT_TRUE(InitD3D && MakeFont && Render && Cleanup);
  }
  void TearDown() override {
    if (Cleanup) Cleanup();
    if (FModule) FreeLibrary(FModule);
  }

  template <typename Function>
  Function Bind(const char* name) {
    // Through void(*)(), the one pointer type a function pointer may pass through unwarned.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(FModule, name)));
  }

  // The program's way of showing a number: Render, then cancel the pending paint.
  void Show(TSurface& surface, const char* text) {
    Render(text);
    ValidateRect(surface.Handle(), nullptr);
  }

  TInitD3D InitD3D = nullptr;
  TCreateD3DXFont MakeFont = nullptr;
  TRender Render = nullptr;
  TCleanup Cleanup = nullptr;

private:
  HMODULE FModule = nullptr;
};

TEST_F(Ddr, TextStaysOnceThePendingPaintIsCancelled) {
  TSurface surface(40);
  surface.ShowPainted();
  ASSERT_EQ(surface.Count().Text, 0);
  // Shown again as the program shows its panel, which leaves a paint pending.
  ShowWindow(surface.Handle(), SW_HIDE);
  ShowWindow(surface.Handle(), SW_SHOWNOACTIVATE);
  InitD3D(surface.Handle());
  MakeFont("Arial", 18);
  Show(surface, "88");
  const TSurface::TCounts counts = surface.Count();
  EXPECT_GT(counts.Text, 20);
  // The display's black background replaced the window's own colour: nothing repainted it.
  EXPECT_EQ(counts.Surface, 0);
}

TEST_F(Ddr, LargerFontDrawsMoreText) {
  TSurface surface(40);
  surface.ShowPainted();
  InitD3D(surface.Handle());
  MakeFont("Arial", 10);
  Show(surface, "8");
  const int smaller = surface.Count().Text;
  MakeFont("Arial", 40);
  Show(surface, "8");
  EXPECT_GT(surface.Count().Text, smaller * 3);
}

TEST_F(Ddr, LaterWindowReplacesTheEarlierOne) {
  TSurface first(40), second(200);
  first.ShowPainted();
  second.ShowPainted();
  InitD3D(first.Handle());
  MakeFont("Arial", 18);
  InitD3D(second.Handle());
  Show(second, "12");
  EXPECT_EQ(first.Count().Text, 0);
  EXPECT_GT(first.Count().Surface, 0);
  EXPECT_GT(second.Count().Text, 20);
}

TEST_F(Ddr, CleanupIsHarmlessAnyNumberOfTimes) {
  EXPECT_EQ(Cleanup(), S_OK);  // nothing prepared yet
  TSurface surface(40);
  surface.ShowPainted();
  InitD3D(surface.Handle());
  MakeFont("Arial", 18);
  EXPECT_EQ(Cleanup(), S_OK);
  EXPECT_EQ(Cleanup(), S_OK);
  // Nothing is left to draw into: the window keeps its own colour.
  EXPECT_EQ(Render("5"), E_FAIL);
  EXPECT_EQ(surface.Count().Text, 0);
  // And the display can be prepared again.
  InitD3D(surface.Handle());
  MakeFont("Arial", 18);
  Show(surface, "5");
  EXPECT_GT(surface.Count().Text, 10);
}

TEST_F(Ddr, WithoutAUsableWindowNothingIsDrawn) {
  EXPECT_EQ(Render("1"), E_FAIL);  // no window given
  EXPECT_EQ(InitD3D(nullptr), E_FAIL);
  EXPECT_EQ(Render("1"), E_FAIL);
  HWND gone = nullptr;
  {
    TSurface surface(40);
    gone = surface.Handle();
  }
  EXPECT_EQ(InitD3D(gone), E_FAIL);
  EXPECT_EQ(Render("1"), E_FAIL);
  EXPECT_EQ(Render(nullptr), E_FAIL);
}

}  // namespace
