#include "tests/skin/form/MainMenuTesting.h"

#include "skin/form/SkinFormRegistration.h"

#include <vector>

namespace mainmenutesting {

using namespace classlib;

namespace {

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Main menu looks

[PICTURES]
picture=frame.bmp
activepicturescount=2
0=items.bmp
1=bar.bmp

[FORMINFO]
lefttoppoint=30,40
righttoppoint=150,40
leftbottompoint=30,96
rightbottompoint=150,96
clientrect=4,40,196,96
mainmenurect=4,20,196,38
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=3
0=MAINMENUITEM:mainmenuitem
1=menubaritem:mainmenubaritem
2=barclose:mainmenubarbutton

[MAINMENUITEM]
activepictureindex=0
skinrect=0,0,20,18
activeskinrect=0,18,20,36
downrect=0,36,20,54
textrect=4,0,16,18
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=0
downfontcolor=16777215
unenabledfontcolor=8421504

[menubaritem]
activepictureindex=0
skinrect=0,0,20,18
activeskinrect=0,18,20,36
downrect=0,36,20,54
textrect=4,0,16,18
fontname=Arial
fontheight=14
fontcolor=16777215
activefontcolor=0
downfontcolor=16777215
unenabledfontcolor=8421504

[barclose]
activepictureindex=0
skinrect=20,0,34,14
activeskinrect=20,0,34,14
command=cmclose

[SKINCONTROLS]
count=1
0=mainmenubar:mainmenubar

[mainmenubar]
pictureindex=1
skinrect=0,0,100,24
itemsrect=4,3,96,21
menubaritem=menubaritem
closebutton=barclose
trackmarkcolor=255
trackmarkactivecolor=51200
)";

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

DWORD WINAPI SendKeys(LPVOID Parameter) {
  for (INPUT& input : *static_cast<std::vector<INPUT>*>(Parameter)) {
    SendInput(1, &input, sizeof input);
    Sleep(20);
  }
  return 0;
}

INPUT KeyInput(WORD Key, bool Up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = Key;
  input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

TMainMenuSkin::TMainMenuSkin() {
  testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), SkinIni);
  SavePicture(FDir, "frame.bmp", 200, 100, [](TBitmap& b) {
    Fill(b, Rect(0, 0, 200, 100), FrameColor);
    Fill(b, Rect(4, 40, 196, 96), ClientColor);
    Fill(b, Rect(4, 20, 196, 38), MenuAreaColor);
  });
  SavePicture(FDir, "items.bmp", 34, 54, [](TBitmap& b) {
    Fill(b, Rect(0, 0, 20, 18), NormalColor);
    Fill(b, Rect(0, 18, 20, 36), HotColor);
    Fill(b, Rect(0, 36, 20, 54), DownColor);
    Fill(b, Rect(20, 0, 34, 54), ButtonColor);
  });
  SavePicture(FDir, "bar.bmp", 100, 24, [](TBitmap& b) { Fill(b, Rect(0, 0, 100, 24), BarColor); });
  FSkin = std::make_unique<skin::TskSkinData>(nullptr);
  FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  EXPECT_FALSE(FSkin->Empty) << "the main-menu skin did not load";
}

std::unique_ptr<TForm> ShowMenuForm(const std::string& Text, const std::function<void(TForm&)>& BeforeReading) {
  RegisterSkinFormClasses();
  auto form = windowtesting::ReadForm(Text, BeforeReading);
  form->SetBounds(100, 100, form->Width(), form->Height());
  form->Show();
  SetForegroundWindow(form->Handle());
  windowtesting::PumpFor(50);
  return form;
}

void Key(WORD Key, WORD Modifier) {
  std::vector<INPUT> inputs;
  if (Modifier) inputs.push_back(KeyInput(Modifier, false));
  inputs.push_back(KeyInput(Key, false));
  inputs.push_back(KeyInput(Key, true));
  if (Modifier) inputs.push_back(KeyInput(Modifier, true));
  // From a thread of its own, while this thread handles the messages.
  const HANDLE thread = CreateThread(nullptr, 0, SendKeys, &inputs, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    Application->ProcessMessages();
  CloseHandle(thread);
  windowtesting::PumpFor(60);
}

std::string RectText(const RECT& R) {
  return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
         std::to_string(R.bottom) + ")";
}

COLORREF ScreenPixel(int X, int Y) {
  const HDC dc = GetDC(nullptr);
  const COLORREF c = GetPixel(dc, X, Y);
  ReleaseDC(nullptr, dc);
  return c;
}

}  // namespace mainmenutesting
