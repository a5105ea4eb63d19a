#include "platform/classlib/Timer.h"

#include "platform/classlib/Controls.h"

namespace classlib {

namespace {
const WCHAR TimerWindowClass[] = L"TTimerWindow";
constexpr UINT_PTR TimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = TimerWindowClass;
  RegisterClassExW(&wc);
  FWindow = CreateWindowExW(0, TimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                            nullptr);
  if (!FWindow) throw EComponentError("Not enough timers available");
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  UpdateTimer();
}

TTimer::~TTimer() {
  KillTimer(FWindow, TimerId);
  DestroyWindow(FWindow);
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindow, TimerId);
  if (FEnabled && FInterval > 0 && !SetTimer(FWindow, TimerId, FInterval, nullptr))
    throw EComponentError("Not enough timers available");
}

LRESULT CALLBACK TTimer::WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_TIMER) return DefWindowProcW(Window, Msg, WParam, LParam);
  auto* timer = reinterpret_cast<TTimer*>(GetWindowLongPtrW(Window, GWLP_USERDATA));
  if (timer && timer->OnTimer) {
    try {
      timer->OnTimer(timer);
    } catch (...) {
      if (TControl::ExceptionHook) TControl::ExceptionHook(std::current_exception());
    }
  }
  return 0;
}

}  // namespace classlib
