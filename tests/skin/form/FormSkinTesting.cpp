#include "tests/skin/form/FormSkinTesting.h"

#include "skin/form/SkinFormRegistration.h"

namespace formskintesting {

using namespace classlib;
using skintesting::Fill;
using skintesting::Picture;

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

}  // namespace

TFrameSkin::TFrameSkin(bool Mask) {
  std::string ini = SkinIni;
  ini.replace(ini.find("%MASK%"), 6, Mask ? "mask=mask.bmp" : "");

  auto frame = Picture(PictureWidth, PictureHeight, FrameColor);
  Fill(*frame, Rect(4, 24, 156, 76), ClientColor);
  Fill(*frame, Rect(20, 2, 86, 22), CaptionColor);
  const std::pair<int, COLORREF> buttons[] = {{4, SysMenuColor},  {88, TrayColor}, {102, RollUpColor},
                                              {116, MinColor},    {130, MaxColor}, {144, CloseColor}};
  for (const auto& [x, color] : buttons) Fill(*frame, Rect(x, 6, x + 12, 18), color);
  SavePicture("frame.bmp", *frame);

  auto mask = Picture(PictureWidth, PictureHeight, 0x000000);
  for (const TRect& corner : {Rect(0, 0, CornerCut, CornerCut), Rect(PictureWidth - CornerCut, 0, PictureWidth, CornerCut),
                              Rect(0, PictureHeight - CornerCut, CornerCut, PictureHeight),
                              Rect(PictureWidth - CornerCut, PictureHeight - CornerCut, PictureWidth, PictureHeight)})
    Fill(*mask, corner, 0xFFFFFF);
  SavePicture("mask.bmp", *mask);

  auto rollUp = Picture(PictureWidth, 24, FrameColor);
  SavePicture("rollup.bmp", *rollUp);

  Load(ini);
}

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

RECT WindowRect(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  return r;
}

}  // namespace formskintesting
