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
activepicturescount=3
0=sheet.bmp
1=mask.bmp
2=bars.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=11
0=button:button
1=plainbutton:button
2=maskbutton:button
3=morphbutton:button
4=htrackbar:trackbar
5=trackbar:trackbar
6=gauge:gauge
7=stretchgauge:gauge
8=capgauge:gauge
9=vgauge:gauge
10=nopicturegauge:gauge

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

[htrackbar]
pictureindex=2
skinrect=0,0,100,20
lefttoppoint=4,0
righttoppoint=96,0
trackarea=2,2,98,18
buttonrect=100,0,110,16
activebuttonrect=110,0,120,16

[trackbar]
pictureindex=2
skinrect=120,0,140,100
lefttoppoint=0,4
leftbottompoint=0,96
trackarea=2,2,18,98
buttonrect=140,0,156,10
activebuttonrect=140,10,156,20
vertical=1

[gauge]
pictureindex=2
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=0,40,30,56
beginoffset=4
endoffset=4
fontcolor=16777215

[stretchgauge]
pictureindex=2
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=0,40,30,56
beginoffset=4
endoffset=4
progressstretch=1

[capgauge]
pictureindex=2
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=30,40,38,56
beginoffset=4
endoffset=4
fontcolor=16777215

[vgauge]
pictureindex=2
skinrect=160,0,180,100
lefttoppoint=0,4
leftbottompoint=0,96
progressarea=2,2,18,98
progressrect=180,0,196,30
beginoffset=4
endoffset=4
vertical=1
fontcolor=16777215

[nopicturegauge]
pictureindex=9
skinrect=0,20,100,40
progressarea=2,2,98,18
progressrect=0,40,30,56
fontcolor=65280
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
  TBitmap bars;
  bars.SetPixelFormat(TPixelFormat::pf24bit);
  bars.SetSize(200, 100);
  Fill(bars, Rect(0, 0, 100, 20), TrackColor);
  Fill(bars, Rect(100, 0, 110, 16), ButtonColor);
  Fill(bars, Rect(110, 0, 120, 16), ActiveButtonColor);
  Fill(bars, Rect(120, 0, 140, 100), TrackColor);
  Fill(bars, Rect(140, 0, 156, 10), ButtonColor);
  Fill(bars, Rect(140, 10, 156, 20), ActiveButtonColor);
  Fill(bars, Rect(0, 20, 100, 40), GaugeColor);
  Fill(bars, Rect(160, 0, 180, 100), GaugeColor);
  // Progress strips: a begin cap of 4, a middle of 22 whose first column is marked, an end cap of
  // 4; beside it one of caps only. The upright strip's middle is marked in its last row.
  Fill(bars, Rect(0, 40, 4, 56), BeginCapColor);
  Fill(bars, Rect(4, 40, 26, 56), MiddleColor);
  Fill(bars, Rect(4, 40, 5, 56), MarkColor);
  Fill(bars, Rect(26, 40, 30, 56), EndCapColor);
  Fill(bars, Rect(30, 40, 34, 56), BeginCapColor);
  Fill(bars, Rect(34, 40, 38, 56), EndCapColor);
  Fill(bars, Rect(180, 0, 196, 4), BeginCapColor);
  Fill(bars, Rect(180, 4, 196, 26), MiddleColor);
  Fill(bars, Rect(180, 25, 196, 26), MarkColor);
  Fill(bars, Rect(180, 26, 196, 30), EndCapColor);
  bars.SaveToFile(FDir.windowsFile("bars.bmp"));
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
