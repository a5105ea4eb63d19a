#include "tests/skin/controls/SkinControlsTesting.h"

#include "image/PxImage.h"
#include "skin/controls/SkinControlsRegistration.h"

#include <algorithm>

namespace skincontrolstesting {

using namespace classlib;
using skintesting::Fill;

namespace {

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Control looks

[PICTURES]
activepicturescount=8
0=sheet.bmp
1=mask.bmp
2=panel.bmp
3=tile.bmp
4=scrollbar.bmp
5=bars.bmp
6=tab.bmp
7=tabbg.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=28
0=button:button
1=plainbutton:button
2=maskbutton:button
3=morphbutton:button
4=panel:panel
5=tiledpanel:panel
6=farbgpanel:panel
7=noclientpanel:panel
8=framepanel:panel
9=hscrollbar:scrollbar
10=vscrollbar:scrollbar
11=bothhscrollbar:scrollbar
12=htrackbar:trackbar
13=trackbar:trackbar
14=gauge:gauge
15=stretchgauge:gauge
16=capgauge:gauge
17=vgauge:gauge
18=nopicturegauge:gauge
19=resizebutton:button
20=hupdown:updown
21=tab:tab
22=bgtab:tab
23=badtab:tab
24=headerbutton:button
25=listview:listview
26=treeview:treeview
27=richedit:richedit

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

[panel]
pictureindex=2
skinrect=0,0,60,60
lefttoppoint=10,25
righttoppoint=50,25
leftbottompoint=10,50
rightbottompoint=50,50
clientrect=5,25,55,55
captionrect=5,2,55,20
alignment=taleftjustify
fontcolor=16777215
checkimagerect=60,0,72,12
uncheckimagerect=72,0,84,12
markframerect=84,0,94,18

[tiledpanel]
pictureindex=2
skinrect=0,0,60,60
lefttoppoint=10,25
righttoppoint=50,25
leftbottompoint=10,50
rightbottompoint=50,50
clientrect=5,25,55,55
bgpictureindex=3

[farbgpanel]
pictureindex=2
skinrect=0,0,60,60
lefttoppoint=10,25
righttoppoint=50,25
leftbottompoint=10,50
rightbottompoint=50,50
clientrect=5,25,55,55
bgpictureindex=99

[noclientpanel]
pictureindex=2
skinrect=0,0,60,60
lefttoppoint=10,25
righttoppoint=50,25
leftbottompoint=10,50
rightbottompoint=50,50
clientrect=5,25,5,55

[framepanel]
pictureindex=2
skinrect=0,0,60,60
lefttoppoint=10,25
righttoppoint=50,25
leftbottompoint=10,50
rightbottompoint=50,50
clientrect=5,25,55,55
captionrect=5,2,55,20
alignment=tacenter
fontcolor=16777215
framerect=60,20,100,38
frametextrect=4,2,36,16
frameleftoffset=4
framerightoffset=4
[hscrollbar]
pictureindex=4
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
pictureindex=4
skinrect=0,40,100,59
lefttoppoint=19,0
righttoppoint=80,0
clientrect=19,0,80,19
trackarea=19,0,81,19
downbuttonrect=0,0,19,19
upbuttonrect=81,0,100,19
thumbrect=100,0,116,15

[vscrollbar]
pictureindex=4
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
[htrackbar]
pictureindex=5
skinrect=0,0,100,20
lefttoppoint=4,0
righttoppoint=96,0
trackarea=2,2,98,18
buttonrect=100,0,110,16
activebuttonrect=110,0,120,16

[trackbar]
pictureindex=5
skinrect=120,0,140,100
lefttoppoint=0,4
leftbottompoint=0,96
trackarea=2,2,18,98
buttonrect=140,0,156,10
activebuttonrect=140,10,156,20
vertical=1

[gauge]
pictureindex=5
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=0,40,30,56
beginoffset=4
endoffset=4
fontcolor=16777215

[stretchgauge]
pictureindex=5
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=0,40,30,56
beginoffset=4
endoffset=4
progressstretch=1

[capgauge]
pictureindex=5
skinrect=0,20,100,40
lefttoppoint=4,0
righttoppoint=96,0
progressarea=2,2,98,18
progressrect=30,40,38,56
beginoffset=4
endoffset=4
fontcolor=16777215

[vgauge]
pictureindex=5
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
pictureindex=99
skinrect=0,20,100,40
progressarea=2,2,98,18
progressrect=0,40,30,56
fontcolor=65280
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
pictureindex=6
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
pictureindex=6
skinrect=0,0,40,40
clientrect=4,4,36,36
lefttoppoint=4,4
righttoppoint=36,4
leftbottompoint=4,36
rightbottompoint=36,36
tabrect=40,0,80,20
activetabrect=80,0,120,20
bgpictureindex=7

[badtab]
pictureindex=6
skinrect=0,0,40,40
clientrect=4,4,36,36
lefttoppoint=4,4
righttoppoint=4,4
leftbottompoint=4,4
rightbottompoint=4,4
tabrect=40,0,80,20
bgpictureindex=99

[headerbutton]
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

[treeview]
fontname=Arial
fontheight=16
fontcolor=16777215
bgcolor=8404992

[richedit]
fontname=Arial
fontheight=16
fontcolor=16777215
bgcolor=8404992
)";

}  // namespace

TTestSkin::TTestSkin() {
  TBitmap sheet;
  sheet.SetPixelFormat(TPixelFormat::pf24bit);
  sheet.SetSize(160, 40);
  Fill(sheet, Rect(0, 0, 40, 40), NormalColor);
  Fill(sheet, Rect(40, 0, 80, 20), HotColor);
  Fill(sheet, Rect(80, 0, 120, 20), DownColor);
  Fill(sheet, Rect(120, 0, 160, 20), DisabledColor);
  SavePicture("sheet.bmp", sheet);
  TBitmap mask;
  mask.SetPixelFormat(TPixelFormat::pf24bit);
  mask.SetSize(40, 20);
  Fill(mask, Rect(0, 0, 40, 20), 0xFFFFFF);
  Fill(mask, Rect(2, 2, 38, 18), 0);
  SavePicture("mask.bmp", mask);
  // The check pictures keep a white bottom row: the colour of their bottom-left pixel is left out.
  TBitmap panel;
  panel.SetPixelFormat(TPixelFormat::pf24bit);
  panel.SetSize(100, 60);
  Fill(panel, Rect(0, 0, 100, 60), 0xFFFFFF);
  Fill(panel, Rect(0, 0, 60, 60), PanelFrameColor);
  Fill(panel, Rect(5, 2, 55, 20), PanelCaptionColor);
  Fill(panel, Rect(5, 25, 55, 55), PanelClientColor);
  Fill(panel, Rect(5, 25, 6, 26), PanelClientCornerColor);
  Fill(panel, Rect(60, 0, 72, 11), PanelCheckColor);
  Fill(panel, Rect(72, 0, 84, 11), PanelUncheckColor);
  Fill(panel, Rect(84, 0, 94, 18), PanelMarkColor);
  Fill(panel, Rect(60, 20, 100, 38), PanelCaptionFrameColor);
  SavePicture("panel.bmp", panel);
  TBitmap tile;
  tile.SetPixelFormat(TPixelFormat::pf24bit);
  tile.SetSize(7, 5);
  Fill(tile, Rect(0, 0, 7, 5), TileColor);
  Fill(tile, Rect(0, 0, 1, 1), TileCornerColor);
  SavePicture("tile.bmp", tile);
  TBitmap scrollbars;
  scrollbars.SetPixelFormat(TPixelFormat::pf24bit);
  scrollbars.SetSize(200, 100);
  Fill(scrollbars, Rect(0, 0, 200, 100), NormalColor);
  Fill(scrollbars, Rect(0, 40, 100, 59), DisabledColor);
  for (int top : {0, 20}) {
    Fill(scrollbars, Rect(100, top, 116, top + 16), ThumbColor);
    Fill(scrollbars, Rect(116, top, 132, top + 16), HotColor);
    Fill(scrollbars, Rect(132, top, 148, top + 16), DownColor);
  }
  Fill(scrollbars, Rect(0, 20, 19, 39), HotColor);
  Fill(scrollbars, Rect(19, 20, 38, 39), DownColor);
  Fill(scrollbars, Rect(40, 20, 44, 24), GlyphColor);
  SavePicture("scrollbar.bmp", scrollbars);
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
  SavePicture("bars.bmp", bars);
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
  SavePicture("tab.bmp", tab);
  TBitmap background;
  background.SetPixelFormat(TPixelFormat::pf24bit);
  background.SetSize(10, 10);
  Fill(background, Rect(0, 0, 10, 10), TabBackgroundColor);
  SavePicture("tabbg.bmp", background);
  Load(SkinIni);
}

TPictureAction::TPictureAction()
    : Owner(std::make_unique<TComponent>(nullptr)),
      Images(new TImageList(Owner.get())),
      List(new TActionList(Owner.get())),
      Action(new TAction(Owner.get())) {
  TBitmap picture, mask;
  for (TBitmap* b : {&picture, &mask}) {
    b->SetPixelFormat(TPixelFormat::pf24bit);
    b->SetSize(16, 16);
  }
  Fill(picture, Rect(0, 0, 16, 16), 0xFF0000);
  Fill(mask, Rect(0, 0, 8, 16), 0xFFFFFF);
  Fill(mask, Rect(8, 0, 16, 16), 0x000000);
  Images->Add(&picture, &mask);
  List->SetImages(Images);
  Action->SetActionList(List);
  Action->SetImageIndex(0);
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
