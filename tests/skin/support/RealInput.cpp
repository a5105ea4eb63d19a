#include "tests/skin/support/RealInput.h"

#include "tests/classlib/WindowTesting.h"

#include <cstdint>
#include <iterator>
#include <vector>

namespace skintesting {

namespace {

// Absolute positions run from 0 to 65535 over the primary screen; the system scales them back by
// the screen's width, so the position is rounded up to land on X itself.
INPUT MouseInput(DWORD Flags, int X = 0, int Y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = Flags;
  if (Flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = (X * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (Y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  }
  return input;
}

INPUT Move(int X, int Y) { return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, X, Y); }
INPUT Down() { return MouseInput(MOUSEEVENTF_LEFTDOWN); }
INPUT Up() { return MouseInput(MOUSEEVENTF_LEFTUP); }

INPUT Key(WORD Key, bool Up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = Key;
  input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// What the input thread sends, and after how many events it waits for the system's move or size loop.
struct TInputScript {
  std::vector<INPUT> Inputs;
  size_t LoopAfter = SIZE_MAX;
  DWORD Receiver = 0;
};

// Until the receiving thread runs the system's move or size loop (which holds the mouse from then on),
// at most two seconds.
void AwaitSizeMoveLoop(DWORD Receiver) {
  for (int waited = 0; waited < 2000; waited += 5) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(Receiver, &info) && (info.flags & GUI_INMOVESIZE)) return;
    Sleep(5);
  }
}

// Pointer events are routed when they are sent: a move sent before a move or size loop holds the
// mouse goes to the window under the pointer, which after a step outwards is the desktop, and the
// loop never sees it (nor the release after it).
DWORD WINAPI SendInputs(LPVOID Parameter) {
  auto& script = *static_cast<TInputScript*>(Parameter);
  for (size_t i = 0; i < script.Inputs.size(); ++i) {
    if (i == script.LoopAfter) AwaitSizeMoveLoop(script.Receiver);
    SendInput(1, &script.Inputs[i], sizeof(INPUT));
    Sleep(25);
  }
  return 0;
}

// LoopAfter: the index of the first event that waits for the system's move or size loop.
void Send(std::vector<INPUT> Inputs, size_t LoopAfter = SIZE_MAX) {
  TInputScript script{std::move(Inputs), LoopAfter, GetCurrentThreadId()};
  const HANDLE thread = CreateThread(nullptr, 0, SendInputs, &script, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    classlib::Application->ProcessMessages();
  CloseHandle(thread);
  windowtesting::PumpFor(60);
}

// The keys that type C: Shift first when the layout needs it.
std::vector<INPUT> CharKeys(char C) {
  const SHORT scan = VkKeyScanA(C);
  const WORD code = static_cast<WORD>(scan & 0xFF);
  const bool shift = (scan >> 8) & 1;
  std::vector<INPUT> inputs;
  if (shift) inputs.push_back(Key(VK_SHIFT, false));
  inputs.push_back(Key(code, false));
  inputs.push_back(Key(code, true));
  if (shift) inputs.push_back(Key(VK_SHIFT, true));
  return inputs;
}

std::vector<INPUT> KeyChord(std::initializer_list<WORD> Keys) {
  std::vector<INPUT> inputs;
  for (const WORD k : Keys) inputs.push_back(Key(k, false));
  for (auto k = std::rbegin(Keys); k != std::rend(Keys); ++k) inputs.push_back(Key(*k, true));
  return inputs;
}

void Queue(std::vector<INPUT> Inputs) { SendInput(static_cast<UINT>(Inputs.size()), Inputs.data(), sizeof(INPUT)); }

}  // namespace

void MouseTo(int X, int Y) { Send({Move(X, Y)}); }

void LeftClick(int X, int Y) { Send({Move(X, Y), Down(), Up()}); }

void LeftDoubleClick(int X, int Y) { Send({Move(X, Y), Down(), Up(), Down(), Up()}); }

void RightClick(int X, int Y) {
  Send({Move(X, Y), MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)});
}

void LeftPress(int X, int Y) { Send({Move(X, Y), Down()}); }

void LeftReleaseAt(int X, int Y) { Send({Move(X, Y), Up()}); }

void LeftDrag(POINT From, POINT To, bool SizeMoveLoop) {
  std::vector<INPUT> inputs{Move(From.x, From.y), Down()};
  constexpr int Steps = 5;
  for (int i = 1; i <= Steps; ++i)
    inputs.push_back(Move(From.x + (To.x - From.x) * i / Steps, From.y + (To.y - From.y) * i / Steps));
  inputs.push_back(Up());
  Send(inputs, SizeMoveLoop ? 2 : SIZE_MAX);
}

void TapKey(WORD Code, bool Alt) {
  if (Alt) PressKeys({VK_MENU, Code});
  else PressKeys({Code});
}

void PressKeys(std::initializer_list<WORD> Keys) { Send(KeyChord(Keys)); }

void TypeChar(char C) { Send(CharKeys(C)); }

namespace queued {

void MouseTo(int X, int Y) {
  Queue({Move(X, Y)});
  const DWORD start = GetTickCount();
  POINT at{};
  while (GetTickCount() - start < 1000 && (!GetCursorPos(&at) || at.x != X || at.y != Y)) windowtesting::PumpFor(5);
}

void LeftClick(int X, int Y) {
  MouseTo(X, Y);
  Queue({Down(), Up()});
}

void RightClick(int X, int Y) {
  MouseTo(X, Y);
  Queue({MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)});
}

void TapKey(WORD Code) { Queue(KeyChord({Code})); }

}  // namespace queued

namespace stepped {

namespace {

void Mouse(int X, int Y, DWORD Buttons) {
  SetCursorPos(X, Y);
  Queue({MouseInput(Buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, X, Y)});
  windowtesting::PumpFor(30);
}

}  // namespace

void MouseTo(int X, int Y) { Mouse(X, Y, 0); }

void LeftPress(int X, int Y) { Mouse(X, Y, MOUSEEVENTF_LEFTDOWN); }

void LeftReleaseAt(int X, int Y) { Mouse(X, Y, MOUSEEVENTF_LEFTUP); }

void TapKey(WORD Code, bool Alt) {
  Queue(Alt ? KeyChord({VK_MENU, Code}) : KeyChord({Code}));
  windowtesting::PumpFor(30);
}

void TypeChar(char C) {
  Queue(CharKeys(C));
  windowtesting::PumpFor(20);
}

}  // namespace stepped

}  // namespace skintesting
