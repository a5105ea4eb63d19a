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
2=scrollbar.bmp

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
4=hscrollbar:scrollbar
5=vscrollbar:scrollbar
6=bothhscrollbar:scrollbar
7=resizebutton:button
8=listview:listview

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

[hscrollbar]
pictureindex=2
skinrect=0,0,100,19
lefttoppoint=19,0
righttoppoint=80,0
clientrect=19,0,80,19
trackarea=19,0,81,19
downbuttonrect=0,0,19,19
upbuttonrect=81,0,100,19
activeupbuttonrect=0,20,19,39
downupbuttonrect=19,20,38,39
activedownbuttonrect=0,20,19,39
downdownbuttonrect=19,20,38,39
thumbrect=100,0,116,15
activethumbrect=116,0,132,15
downthumbrect=132,0,148,15
glyphrect=40,20,44,24

[bothhscrollbar]
pictureindex=2
skinrect=0,40,100,59
lefttoppoint=19,0
righttoppoint=80,0
clientrect=19,0,80,19
trackarea=19,0,81,19
downbuttonrect=0,0,19,19
upbuttonrect=81,0,100,19
thumbrect=100,0,116,15

[vscrollbar]
pictureindex=2
skinrect=180,0,199,100
lefttoppoint=0,19
leftbottompoint=0,80
clientrect=0,19,19,80
trackarea=0,19,19,81
downbuttonrect=0,0,19,19
upbuttonrect=0,81,19,100
activeupbuttonrect=0,20,19,39
activedownbuttonrect=0,20,19,39
thumbrect=100,20,115,36
activethumbrect=116,20,131,36
downthumbrect=132,20,147,36
glyphrect=40,20,44,24

[resizebutton]
pictureindex=0
skinrect=0,0,40,20
activeskinrect=40,0,80,20
downskinrect=80,0,120,20
lefttoppoint=4,0
righttoppoint=36,0
fontcolor=16777215
downfontcolor=16777215

[listview]
fontname=Arial
fontheight=16
fontcolor=16777215
bgcolor=8404992
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
  Fill(bars, Rect(0, 0, 200, 100), NormalColor);
  Fill(bars, Rect(0, 40, 100, 59), DisabledColor);
  for (int top : {0, 20}) {
    Fill(bars, Rect(100, top, 116, top + 16), ThumbColor);
    Fill(bars, Rect(116, top, 132, top + 16), HotColor);
    Fill(bars, Rect(132, top, 148, top + 16), DownColor);
  }
  Fill(bars, Rect(0, 20, 19, 39), HotColor);
  Fill(bars, Rect(19, 20, 38, 39), DownColor);
  Fill(bars, Rect(40, 20, 44, 24), GlyphColor);
  bars.SaveToFile(FDir.windowsFile("scrollbar.bmp"));
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

namespace {

// Paints Window's visible child windows over it, from the bottom of the z-order up, each clipped to
// its place (a list view's header); each is erased first as the system does: a system control's
// WM_PAINT draws only what lies on its background.
void PaintChildren(windowtesting::TPaintTarget& Target, HWND Window) {
  const HWND first = GetWindow(Window, GW_CHILD);
  for (HWND child = first ? GetWindow(first, GW_HWNDLAST) : nullptr; child; child = GetWindow(child, GW_HWNDPREV)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&r), 2);
    const int saved = SaveDC(Target.DC());
    OffsetViewportOrgEx(Target.DC(), r.left, r.top, nullptr);
    IntersectClipRect(Target.DC(), 0, 0, r.right - r.left, r.bottom - r.top);
    SendMessageW(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Target.DC()), 0);
    Target.Paint(child);
    PaintChildren(Target, child);
    RestoreDC(Target.DC(), saved);
  }
}

}  // namespace

void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height) {
  const int total = Width * static_cast<int>(Windows.size());
  windowtesting::TPaintTarget all(total, Height, 0xFFFFFF);
  for (size_t i = 0; i < Windows.size(); ++i) {
    windowtesting::TPaintTarget one(Width, Height, 0xFFFFFF);
    one.Paint(Windows[i]);
    PaintChildren(one, Windows[i]);
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
