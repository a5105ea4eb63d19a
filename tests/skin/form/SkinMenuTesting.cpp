#include "tests/skin/form/SkinMenuTesting.h"

#include "skin/form/SkinMenuRegistration.h"

namespace skinmenutesting {

using namespace classlib;
using skintesting::Fill;
using skintesting::Picture;

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

}  // namespace

TMenuSkin::TMenuSkin(TMenuSkinKind Kind) {
  const auto window = Picture(40, 40, FrameColor);
  Fill(*window, Rect(4, 4, 36, 36), ItemsAreaColor);
  SavePicture("window.bmp", *window);
  const auto mask = Picture(40, 40, 0x000000);
  Fill(*mask, Rect(0, 0, 2, 2), 0xFFFFFF);
  SavePicture("mask.bmp", *mask);
  const auto items = Picture(60, 46, ItemColor);
  Fill(*items, Rect(0, 20, 60, 40), ActiveItemColor);
  Fill(*items, Rect(0, 40, 60, 46), DividerColor);
  SavePicture("items.bmp", *items);
  Load(SkinIni(Kind));
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

}  // namespace skinmenutesting
