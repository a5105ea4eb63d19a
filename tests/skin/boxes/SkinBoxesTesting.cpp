#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinBoxesRegistration.h"

using namespace classlib;

namespace skinboxestesting {

namespace {

void SendMouse(int X, int Y, DWORD Flags) {
  SetCursorPos(X, Y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = X * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = Y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = Flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  windowtesting::PumpFor(30);
}

void SendKey(WORD Key, bool Up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = Key;
  input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

}  // namespace

std::unique_ptr<TForm> ShowForm(const std::string& Text) {
  RegisterSkinBoxClasses();
  auto form = windowtesting::ReadForm(Text);
  form->Show();
  SetForegroundWindow(form->Handle());
  windowtesting::PumpFor(50);
  return form;
}

TWindowPicture::TWindowPicture(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  FTarget = std::make_unique<windowtesting::TPaintTarget>(std::max<int>(1, r.right - r.left), std::max<int>(1, r.bottom - r.top),
                                                          RGB(255, 0, 255));
  PrintWindow(Window, FTarget->DC(), 0);
}

void MoveTo(int X, int Y) { SendMouse(X, Y, 0); }
void Press(int X, int Y) { SendMouse(X, Y, MOUSEEVENTF_LEFTDOWN); }
void Release(int X, int Y) { SendMouse(X, Y, MOUSEEVENTF_LEFTUP); }

void TapKey(WORD Key, bool Alt) {
  if (Alt) SendKey(VK_MENU, false);
  SendKey(Key, false);
  SendKey(Key, true);
  if (Alt) SendKey(VK_MENU, true);
  windowtesting::PumpFor(30);
}

void TypeChar(char C) {
  const SHORT scan = VkKeyScanA(C);
  const bool shift = (scan >> 8) & 1;
  if (shift) SendKey(VK_SHIFT, false);
  SendKey(static_cast<WORD>(scan & 0xFF), false);
  SendKey(static_cast<WORD>(scan & 0xFF), true);
  if (shift) SendKey(VK_SHIFT, true);
  windowtesting::PumpFor(20);
}

}  // namespace skinboxestesting
