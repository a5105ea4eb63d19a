#include "tests/skin/form/SkinMenuTesting.h"

#include "skin/form/SkinMenuRegistration.h"

namespace skinmenutesting {

using namespace classlib;

namespace {

std::string SkinIni(TMenuSkinKind Kind) {
  const bool withItem = Kind != TMenuSkinKind::NoMenuItem;
  std::string ini = R"([VERSION]
ver=2
skinname=Menu looks

[PICTURES]
activepicturescount=3
0=window.bmp
1=mask.bmp
2=items.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
)";
  ini += withItem ? "count=1\n0=MENUITEM:menuitem\n" : "count=0\n";
  ini += R"(
[SKINCONTROLS]
count=0

[POPUPWINDOW]
)";
  ini += Kind == TMenuSkinKind::FarWindowPicture ? "windowpictureindex=9\n" : "windowpictureindex=0\n";
  ini += R"(maskpictureindex=1
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
itemsrect=4,4,36,36
scrollmarkercolor=255
scrollmarkeractivecolor=16711680
)";
  if (withItem) {
    ini += "\n[MENUITEM]\n";
    ini += Kind == TMenuSkinKind::FarItemPicture ? "activepictureindex=9\n" : "activepictureindex=2\n";
    ini += R"(skinrect=0,0,60,20
activeskinrect=0,20,60,40
dividerrect=0,40,60,46
textrect=4,0,56,20
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=0
unenabledfontcolor=8421504
)";
    if (Kind == TMenuSkinKind::Morphing) ini += "morphing=1\n";
  }
  return ini;
}

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

void SavePicture(const testing_support::TempDir& Dir, const char* Name, int Width, int Height,
                 const std::function<void(TBitmap&)>& Paint) {
  TBitmap picture;
  picture.SetPixelFormat(TPixelFormat::pf24bit);
  picture.SetSize(Width, Height);
  Paint(picture);
  picture.SaveToFile(Dir.windowsFile(Name));
}

}  // namespace

TMenuSkin::TMenuSkin(TMenuSkinKind Kind) {
  testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), SkinIni(Kind));
  SavePicture(FDir, "window.bmp", 40, 40, [](TBitmap& b) {
    Fill(b, Rect(0, 0, 40, 40), FrameColor);
    Fill(b, Rect(4, 4, 36, 36), ItemsAreaColor);
  });
  SavePicture(FDir, "mask.bmp", 40, 40, [](TBitmap& b) {
    Fill(b, Rect(0, 0, 40, 40), 0x000000);
    Fill(b, Rect(0, 0, 2, 2), 0xFFFFFF);
  });
  SavePicture(FDir, "items.bmp", 60, 46, [](TBitmap& b) {
    Fill(b, Rect(0, 0, 60, 20), ItemColor);
    Fill(b, Rect(0, 20, 60, 40), ActiveItemColor);
    Fill(b, Rect(0, 40, 60, 46), DividerColor);
  });
  FSkin = std::make_unique<skin::TskSkinData>(nullptr);
  FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  EXPECT_FALSE(FSkin->Empty) << "the test skin did not load";
}

std::unique_ptr<TForm> ShowForm(const std::string& Text, const std::function<void(TForm&)>& BeforeReading) {
  RegisterSkinMenuClasses();
  auto form = windowtesting::ReadForm(Text, BeforeReading);
  form->SetBounds(100, 100, form->Width(), form->Height());
  form->Show();
  SetForegroundWindow(form->Handle());
  windowtesting::Pump();
  return form;
}

bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds) {
  const DWORD start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - start > Milliseconds) return Done();
    Application->ProcessMessages();
    Sleep(5);
  }
  return true;
}

namespace {

void SendMouse(int X, int Y, DWORD Flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute positions run from 0 to 65535 over the primary screen.
  input.mi.dx = (X * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (Y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = Flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void MoveMouse(int X, int Y) {
  SendMouse(X, Y, 0);
  PumpUntil([X, Y] {
    POINT p;
    GetCursorPos(&p);
    return p.x == X && p.y == Y;
  }, 1000);
}

void ClickAt(int X, int Y) {
  MoveMouse(X, Y);
  SendMouse(X, Y, MOUSEEVENTF_LEFTDOWN);
  SendMouse(X, Y, MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD Key) {
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = Key;
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, inputs, sizeof(INPUT));
}

TScreenCopy::TScreenCopy()
    : FTarget(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0xFF00FF) {
  const HDC screen = GetDC(nullptr);
  BitBlt(FTarget.DC(), 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

}  // namespace skinmenutesting
