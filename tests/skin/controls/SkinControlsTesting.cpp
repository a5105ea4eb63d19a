#include "tests/skin/controls/SkinControlsTesting.h"

#include "image/PxImage.h"
#include "skin/controls/SkinControlsRegistration.h"

#include <algorithm>

namespace skincontrolstesting {

using namespace classlib;

namespace {

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Control looks

[PICTURES]
activepicturescount=4
0=sheet.bmp
1=mask.bmp
2=tab.bmp
3=tabbg.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=9
0=button:button
1=plainbutton:button
2=maskbutton:button
3=morphbutton:button
4=resizebutton:button
5=hupdown:updown
6=tab:tab
7=bgtab:tab
8=badtab:tab

[button]
pictureindex=0
skinrect=0,0,40,20
activeskinrect=40,0,80,20
downskinrect=80,0,120,20
disabledskinrect=120,0,160,20
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,16
rightbottompoint=36,16
clientrect=4,4,36,16
fontcolor=16777215
activefontcolor=16777215
downfontcolor=16777215
disabledfontcolor=8421504

[plainbutton]
pictureindex=0
skinrect=0,0,40,20
clientrect=4,4,36,16
disabledfontcolor=8421504

[maskbutton]
pictureindex=0
maskpictureindex=1
skinrect=0,20,40,40
clientrect=4,4,36,16

[morphbutton]
pictureindex=0
skinrect=0,0,40,20
activeskinrect=40,0,80,20
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,16
rightbottompoint=36,16
clientrect=4,4,36,16
morphing=1

[resizebutton]
pictureindex=0
skinrect=0,0,40,20
activeskinrect=40,0,80,20
downskinrect=80,0,120,20
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,16
rightbottompoint=36,16
clientrect=4,4,36,16
fontcolor=16777215
activefontcolor=16777215
downfontcolor=16777215

[hupdown]
pictureindex=0
skinrect=0,0,40,20
downbuttonrect=0,0,20,20
upbuttonrect=20,0,40,20
activeupbuttonrect=40,0,60,20
downupbuttonrect=80,0,100,20
activedownbuttonrect=40,0,60,20

[tab]
pictureindex=2
skinrect=0,0,40,40
clientrect=4,4,36,36
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
tabrect=40,0,80,20
activetabrect=80,0,120,20
focustabrect=40,20,80,40
mouseintabrect=80,20,120,40
tabsbgrect=40,40,60,60
tableftoffset=3
tabrightoffset=3
fontcolor=16777215
activefontcolor=16777215
focusfontcolor=16777215
mouseinfontcolor=16777215
updown=hupdown

[bgtab]
pictureindex=2
skinrect=0,0,40,40
clientrect=4,4,36,36
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
tabrect=40,0,80,20
activetabrect=80,0,120,20
bgpictureindex=3

[badtab]
pictureindex=2
skinrect=0,0,40,40
clientrect=4,4,36,36
lefttoppoint=4,4
righttoppoint=4,4
leftbottompoint=4,4
rightbottompoint=4,4
tabrect=40,0,80,20
bgpictureindex=99
)";

void Fill(TBitmap& Bitmap, const TRect& R, COLORREF Color) {
  Bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  Bitmap.Canvas()->FillRect(R);
}

}  // namespace

TTestSkin::TTestSkin() {
  testing_support::WriteUnixFile(FDir.unixFile("skin.ini"), SkinIni);
  TBitmap sheet;
  sheet.SetPixelFormat(TPixelFormat::pf24bit);
  sheet.SetSize(160, 40);
  Fill(sheet, Rect(0, 0, 40, 40), NormalColor);
  Fill(sheet, Rect(40, 0, 80, 20), HotColor);
  Fill(sheet, Rect(80, 0, 120, 20), DownColor);
  Fill(sheet, Rect(120, 0, 160, 20), DisabledColor);
  sheet.SaveToFile(FDir.windowsFile("sheet.bmp"));
  TBitmap mask;
  mask.SetPixelFormat(TPixelFormat::pf24bit);
  mask.SetSize(40, 20);
  Fill(mask, Rect(0, 0, 40, 20), 0xFFFFFF);
  Fill(mask, Rect(2, 2, 38, 18), 0);
  mask.SaveToFile(FDir.windowsFile("mask.bmp"));
  TBitmap tab;
  tab.SetPixelFormat(TPixelFormat::pf24bit);
  tab.SetSize(120, 60);
  Fill(tab, Rect(0, 0, 120, 60), 0xFFFFFF);
  Fill(tab, Rect(0, 0, 40, 40), TabFrameColor);
  Fill(tab, Rect(4, 4, 36, 36), TabClientColor);
  Fill(tab, Rect(40, 0, 80, 20), NormalColor);
  Fill(tab, Rect(40, 0, 80, 4), TabTopColor);
  Fill(tab, Rect(80, 0, 120, 20), ActiveTabColor);
  Fill(tab, Rect(40, 20, 80, 40), DownColor);
  Fill(tab, Rect(80, 20, 120, 40), HotColor);
  Fill(tab, Rect(40, 40, 60, 60), TabStripColor);
  tab.SaveToFile(FDir.windowsFile("tab.bmp"));
  TBitmap background;
  background.SetPixelFormat(TPixelFormat::pf24bit);
  background.SetSize(10, 10);
  Fill(background, Rect(0, 0, 10, 10), TabBackgroundColor);
  background.SaveToFile(FDir.windowsFile("tabbg.bmp"));
  FSkin = std::make_unique<skin::TskSkinData>(nullptr);
  FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  EXPECT_FALSE(FSkin->Empty) << "the test skin did not load";
}

std::unique_ptr<TForm> ShowForm(const std::string& Text) {
  RegisterSkinControlClasses();
  auto form = windowtesting::ReadForm(Text);
  form->Show();
  windowtesting::Pump();
  return form;
}

COLORREF WindowPixel(HWND Window, int X, int Y) {
  RECT r;
  GetClientRect(Window, &r);
  windowtesting::TPaintTarget target(std::max(1, static_cast<int>(r.right)), std::max(1, static_cast<int>(r.bottom)), 0xFF00FF);
  target.Paint(Window);
  return target.Pixel(X, Y);
}

void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height) {
  const int total = Width * static_cast<int>(Windows.size());
  windowtesting::TPaintTarget all(total, Height, 0xFFFFFF);
  for (size_t i = 0; i < Windows.size(); ++i) {
    windowtesting::TPaintTarget one(Width, Height, 0xFFFFFF);
    one.Paint(Windows[i]);
    BitBlt(all.DC(), static_cast<int>(i) * Width, 0, Width, Height, one.DC(), 0, 0, SRCCOPY);
  }
  PxImage png(static_cast<std::uint32_t>(total), static_cast<std::uint32_t>(Height), 24, FMT_PNG);
  for (int y = 0; y < Height; ++y) {
    std::uint8_t* row = png.RowBits(static_cast<std::uint32_t>(Height - 1 - y));
    for (int x = 0; x < total; ++x) {
      const COLORREF c = all.Pixel(x, y);
      row[x * 3] = GetBValue(c);
      row[x * 3 + 1] = GetGValue(c);
      row[x * 3 + 2] = GetRValue(c);
    }
  }
  const std::string path = testing_support::UnixToWindowsPath(std::string(TAVREL_BINARY_DIR) + "/" + Name + ".png");
  png.SaveFile(path.c_str(), FMT_PNG);
}

}  // namespace skincontrolstesting
