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
activepicturescount=2
0=sheet.bmp
1=mask.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=4
0=button:button
1=plainbutton:button
2=maskbutton:button
3=morphbutton:button

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
  FSkin = std::make_unique<skin::TskSkinData>(nullptr);
  FSkin->LoadFromFile(FDir.windowsFile("skin.ini"));
  EXPECT_FALSE(FSkin->Empty) << "the test skin did not load";
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
