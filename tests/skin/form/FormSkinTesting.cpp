#include "tests/skin/form/FormSkinTesting.h"

#include "skin/form/SkinFormRegistration.h"

#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace formskintesting {

using namespace classlib;

namespace {

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Frame looks

[PICTURES]
picture=frame.bmp
%MASK%
rolluppicture=rollup.bmp
activepicturescount=0

[FORMINFO]
lefttoppoint=30,24
righttoppoint=80,24
leftbottompoint=30,76
rightbottompoint=80,76
clientrect=4,24,156,76
bgpictureindex=-1
borderwidth=3
rollupleftpoint=30,0
rolluprightpoint=80,0

[SKINAREAS]
count=0

[SKINOBJECTS]
count=7
0=caption:caption
1=closebutton:stdbutton
2=maxbutton:stdbutton
3=minbutton:stdbutton
4=rollupbutton:stdbutton
5=traybutton:stdbutton
6=sysmenubutton:stdbutton

[caption]
skinrect=20,2,86,22
textrect=0,0,66,20
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=16777215
defaultcaption=1

[closebutton]
skinrect=144,6,156,18
command=cmclose

[maxbutton]
skinrect=130,6,142,18
command=cmmaximize

[minbutton]
skinrect=116,6,128,18
command=cmminimize

[rollupbutton]
skinrect=102,6,114,18
command=cmrollup

[traybutton]
skinrect=88,6,100,18
command=cmminimizetotray

[sysmenubutton]
skinrect=4,6,16,18
command=cmsysmenu

[SKINCONTROLS]
count=0
)";

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

std::unique_ptr<TBitmap> Picture(int Width, int Height, COLORREF Color) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(TPixelFormat::pf24bit);
  b->SetSize(Width, Height);
  Fill(*b, Rect(0, 0, Width, Height), Color);
  return b;
}

INPUT MouseInput(DWORD Flags, int X = 0, int Y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = Flags;
  if (Flags & MOUSEEVENTF_ABSOLUTE) {
    input.mi.dx = (X * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = (Y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1);
  }
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

// The events come from a thread of their own, one at a time, while this thread handles messages: a
// press on the frame starts the system's move or size loop, which returns only after the release.
// Pointer events are routed when they are sent: a move sent before the loop holds the mouse goes to
// the window under the pointer, which after a step outwards is the desktop, and the loop never sees
// it (nor the release after it).
DWORD WINAPI SendInputs(LPVOID Parameter) {
  auto& script = *static_cast<TInputScript*>(Parameter);
  for (size_t i = 0; i < script.Inputs.size(); ++i) {
    if (i == script.LoopAfter) AwaitSizeMoveLoop(script.Receiver);
    SendInput(1, &script.Inputs[i], sizeof(INPUT));
    Sleep(25);
  }
  return 0;
}

void Send(std::vector<INPUT> Inputs, size_t LoopAfter = SIZE_MAX) {
  TInputScript script{std::move(Inputs), LoopAfter, GetCurrentThreadId()};
  const HANDLE thread = CreateThread(nullptr, 0, SendInputs, &script, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    classlib::Application->ProcessMessages();
  CloseHandle(thread);
  windowtesting::PumpFor(60);
}

INPUT Move(int X, int Y) { return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, X, Y); }
INPUT Down() { return MouseInput(MOUSEEVENTF_LEFTDOWN); }
INPUT Up() { return MouseInput(MOUSEEVENTF_LEFTUP); }

}  // namespace

TFrameSkin::TFrameSkin(bool Mask) {
  std::string ini = SkinIni;
  ini.replace(ini.find("%MASK%"), 6, Mask ? "mask=mask.bmp" : "");
  testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), ini);

  auto frame = Picture(PictureWidth, PictureHeight, FrameColor);
  Fill(*frame, Rect(4, 24, 156, 76), ClientColor);
  Fill(*frame, Rect(20, 2, 86, 22), CaptionColor);
  const std::pair<int, COLORREF> buttons[] = {{4, SysMenuColor},  {88, TrayColor}, {102, RollUpColor},
                                              {116, MinColor},    {130, MaxColor}, {144, CloseColor}};
  for (const auto& [x, color] : buttons) Fill(*frame, Rect(x, 6, x + 12, 18), color);
  frame->SaveToFile(FDir.windowsFile("frame.bmp"));

  auto mask = Picture(PictureWidth, PictureHeight, 0x000000);
  for (const TRect& corner : {Rect(0, 0, CornerCut, CornerCut), Rect(PictureWidth - CornerCut, 0, PictureWidth, CornerCut),
                              Rect(0, PictureHeight - CornerCut, CornerCut, PictureHeight),
                              Rect(PictureWidth - CornerCut, PictureHeight - CornerCut, PictureWidth, PictureHeight)})
    Fill(*mask, corner, 0xFFFFFF);
  mask->SaveToFile(FDir.windowsFile("mask.bmp"));

  auto rollUp = Picture(PictureWidth, 24, FrameColor);
  rollUp->SaveToFile(FDir.windowsFile("rollup.bmp"));

  FSkin = std::make_unique<skin::TskSkinData>(nullptr);
  Reload();
  EXPECT_FALSE(FSkin->Empty) << "the frame skin did not load";
}

void TFrameSkin::Reload() { FSkin->LoadFromFile(FDir.windowsFile("skin.ini")); }

std::unique_ptr<TForm> ShowForm(const std::string& Text) {
  RegisterSkinFormClasses();
  auto form = windowtesting::ReadForm(Text);
  form->Show();
  windowtesting::PumpFor(50);
  return form;
}

skin::TskFormSkin& FormSkinOf(TForm& Form) {
  for (int i = 0; i < Form.ComponentCount(); ++i)
    if (auto* skin = dynamic_cast<skin::TskFormSkin*>(Form.Components(i))) return *skin;
  throw Exception("the form has no skinning component");
}

std::unique_ptr<TForm> ShowFrameForm(skin::TskSkinData* Skin, int Left, int Top, int Width, int Height) {
  auto form = ShowForm("object TestForm: TForm\n  Left = " + std::to_string(Left) + "\n  Top = " + std::to_string(Top) +
                       "\n  Width = " + std::to_string(Width) + "\n  Height = " + std::to_string(Height) +
                       "\n  Caption = 'Frame'\n  object FormSkin: TskFormSkin\n  end\nend\n");
  if (Skin) {
    FormSkinOf(*form).SetSkinData(Skin);
    windowtesting::PumpFor(50);
  }
  return form;
}

COLORREF ScreenPixel(int X, int Y) {
  const HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(nullptr, dc);
  return c;
}

void MouseTo(int X, int Y) { Send({Move(X, Y)}); }

void LeftClick(int X, int Y) { Send({Move(X, Y), Down(), Up()}); }

void LeftDoubleClick(int X, int Y) { Send({Move(X, Y), Down(), Up(), Down(), Up()}); }

void LeftPress(int X, int Y) { Send({Move(X, Y), Down()}); }

void LeftDrag(POINT From, POINT To, bool SizeMoveLoop) {
  std::vector<INPUT> inputs{Move(From.x, From.y), Down()};
  constexpr int Steps = 5;
  for (int i = 1; i <= Steps; ++i)
    inputs.push_back(Move(From.x + (To.x - From.x) * i / Steps, From.y + (To.y - From.y) * i / Steps));
  inputs.push_back(Up());
  Send(inputs, SizeMoveLoop ? 2 : SIZE_MAX);
  windowtesting::PumpFor(60);
}

void LeftReleaseAt(int X, int Y) { Send({Move(X, Y), Up()}); }

void PressKeys(std::initializer_list<WORD> Keys) {
  std::vector<INPUT> inputs;
  const auto key = [&inputs](WORD Key, DWORD Flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
    input.ki.dwFlags = Flags;
    inputs.push_back(input);
  };
  for (const WORD k : Keys) key(k, 0);
  for (auto k = std::rbegin(Keys); k != std::rend(Keys); ++k) key(*k, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  windowtesting::PumpFor(100);
}

RECT WindowRect(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  return r;
}

}  // namespace formskintesting
