#include "tests/skin/form/FormSkinObjectsTesting.h"

#include <string>

namespace formskinobjectstesting {

using namespace classlib;

namespace {

const char SkinIni[] = R"([VERSION]
ver=2
skinname=Frame objects

[PICTURES]
picture=frame.bmp
inactivepicture=inactive.bmp
activepicturescount=3
0=sheet.bmp
1=caption.bmp
2=tile.bmp

[FORMINFO]
lefttoppoint=30,24
righttoppoint=120,24
leftbottompoint=60,94
rightbottompoint=120,94
clientrect=6,24,194,94
bgpictureindex=2
inactiveeffect=iegrayscale

[SKINAREAS]
count=0

[SKINOBJECTS]
count=12
0=closebutton:stdbutton
1=maxbutton:stdbutton
2=minbutton:stdbutton
3=caption:caption
4=groupa:button
5=groupb:button
6=userobj:userobject
7=badpicture:button
8=custom:stdbutton
9=menu:mainmenuitem
10=gauge:gauge
11=barbutton:mainmenubarbutton

[closebutton]
command=cmclose
activepictureindex=0
skinrect=180,4,196,20
activeskinrect=16,0,32,16
downrect=32,0,48,16
inactiveskinrect=48,0,64,16
hint=Shut

[maxbutton]
command=cmmaximize
activepictureindex=0
skinrect=162,4,178,20
activeskinrect=16,0,32,16
downrect=32,0,48,16
restorerect=64,0,80,16
restoreactiverect=80,0,96,16
restoredownrect=96,0,112,16
restoreinactiverect=128,0,144,16

[minbutton]
command=cmminimize
activepictureindex=0
skinrect=144,4,160,20
activeskinrect=16,0,32,16
disableskinrsect=112,0,128,16

[caption]
skinrect=4,4,140,20
activepictureindex=1
activeskinrect=0,0,136,16
textrect=30,0,110,16
fontname=Arial
fontheight=14
fontcolor=0
activefontcolor=16777215
alignment=taleftjustify

[groupa]
groupindex=1
activepictureindex=0
skinrect=10,98,26,114
activeskinrect=16,0,32,16
downrect=32,0,48,16

[groupb]
groupindex=1
activepictureindex=0
skinrect=34,98,50,114
activeskinrect=16,0,32,16
downrect=32,0,48,16

[userobj]
skinrect=70,98,86,114

[badpicture]
activepictureindex=7
skinrect=90,98,106,114
activeskinrect=16,0,32,16
downrect=32,0,48,16

[custom]
command=cmdefault
activepictureindex=0
skinrect=130,98,146,114
activeskinrect=16,0,32,16
hint=Custom

[menu]
activepictureindex=0
skinrect=0,0,16,16
textrect=2,0,14,16

[gauge]
activepictureindex=0
skinrect=150,98,170,114

[barbutton]
command=cmclose
activepictureindex=0
skinrect=150,98,166,114

[SKINCONTROLS]
count=0
)";

}  // namespace

TObjectSkin::TObjectSkin() {
  auto frame = Picture(200, 120, FrameColor);
  Fill(*frame, Rect(4, 4, 30, 20), CapLeftColor);
  Fill(*frame, Rect(30, 4, 120, 20), CaptionColor);
  Fill(*frame, Rect(120, 4, 140, 20), CapRightColor);
  for (const TRect& r : {Rect(180, 4, 196, 20), Rect(162, 4, 178, 20), Rect(144, 4, 160, 20), Rect(10, 98, 26, 114),
                         Rect(34, 98, 50, 114), Rect(90, 98, 106, 114), Rect(130, 98, 146, 114)})
    Fill(*frame, r, NormalColor);
  Fill(*frame, Rect(6, 24, 194, 94), ClientColor);
  SavePicture("frame.bmp", *frame);
  auto inactive = Picture(200, 120, InActiveFrameColor);
  Fill(*inactive, Rect(6, 24, 194, 94), ClientColor);
  SavePicture("inactive.bmp", *inactive);
  auto sheet = Picture(144, 16, NormalColor);
  const COLORREF looks[] = {NormalColor,     HotColor,         DownColor,     InActiveColor,       RestoreColor,
                            RestoreHotColor, RestoreDownColor, DisabledColor, RestoreInActiveColor};
  for (int i = 0; i < 9; ++i) Fill(*sheet, Rect(16 * i, 0, 16 * i + 16, 16), looks[i]);
  SavePicture("sheet.bmp", *sheet);
  auto caption = Picture(136, 16, ActiveCaptionColor);
  Fill(*caption, Rect(0, 0, 26, 16), CapLeftColor);
  Fill(*caption, Rect(116, 0, 136, 16), CapRightColor);
  SavePicture("caption.bmp", *caption);
  auto tile = Picture(7, 5, TileColor);
  Fill(*tile, Rect(0, 0, 1, 1), TileCornerColor);
  SavePicture("tile.bmp", *tile);
  windowtesting::InitApplication();
  Load(SkinIni);
}

TSkinnedForm::TSkinnedForm(int Width, int Height, const String& Caption, bool Show) {
  const std::string text = "object TestForm: TForm\n  Left = 100\n  Top = 100\n  Width = " + std::to_string(Width) +
                           "\n  Height = " + std::to_string(Height) + "\n  Caption = '" + Caption + "'\nend\n";
  Form = windowtesting::ReadForm(text);
  FormSkin = new skin::TskFormSkin(Form.get());  // owned by the form
  if (Show) Form->Show();
  windowtesting::Pump();
}

COLORREF FramePixel(HWND Window, int X, int Y) {
  const HDC dc = GetWindowDC(Window);
  const COLORREF pixel = GetPixel(dc, X, Y);
  ReleaseDC(Window, dc);
  return pixel;
}

COLORREF BitmapPixel(TBitmap& Bitmap, int X, int Y) { return static_cast<COLORREF>(Bitmap.Canvas()->Pixels(X, Y)); }

}  // namespace formskinobjectstesting
