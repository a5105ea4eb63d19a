#include "tests/skin/form/MainMenuTesting.h"

#include "skin/form/SkinFormRegistration.h"

#include <vector>

namespace mainmenutesting {

using namespace classlib;
using skintesting::Fill;
using skintesting::Picture;

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

}  // namespace

TMainMenuSkin::TMainMenuSkin() {
  const auto frame = Picture(200, 100, FrameColor);
  Fill(*frame, Rect(4, 40, 196, 96), ClientColor);
  Fill(*frame, Rect(4, 20, 196, 38), MenuAreaColor);
  SavePicture("frame.bmp", *frame);
  const auto items = Picture(34, 54, NormalColor);
  Fill(*items, Rect(0, 18, 20, 36), HotColor);
  Fill(*items, Rect(0, 36, 20, 54), DownColor);
  Fill(*items, Rect(20, 0, 34, 54), ButtonColor);
  SavePicture("items.bmp", *items);
  SavePicture("bar.bmp", *Picture(100, 24, BarColor));
  Load(SkinIni);
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

std::string RectText(const RECT& R) {
  return "(" + std::to_string(R.left) + ", " + std::to_string(R.top) + ", " + std::to_string(R.right) + ", " +
         std::to_string(R.bottom) + ")";
}

}  // namespace mainmenutesting
