// The skinned frames of the program's forms: each form with a frame component shows its skin's frame
// (no system caption, the client area where the skin's "clientrect" puts it, the window cut by the
// skin's mask) and is photographed whole into the build folder for a person to look at.
#include "tests/app/AppTesting.h"

#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "skin/form/FormSkin.h"

#include <iostream>

using namespace classlib;
using namespace skin;

namespace {

TskFormSkin& FrameOf(TForm& Form) {
  auto* frame = dynamic_cast<TskFormSkin*>(Form.FindComponent("skFormSkin1"));
  if (!frame) throw Exception("no skFormSkin1");
  return *frame;
}

// The window as the screen shows it, frame included, saved as <build>/tests/looks/Frame<Name>.png.
void SaveWindowForAPerson(TForm& Form, const std::string& Name) {
  RECT r;
  GetWindowRect(Form.Handle(), &r);
  TBitmap photo;
  photo.SetPixelFormat(TPixelFormat::pf24bit);
  photo.SetSize(r.right - r.left, r.bottom - r.top);
  const HDC screen = GetDC(nullptr);
  BitBlt(photo.Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  const std::string folder = std::string(TAVREL_BINARY_DIR) + "/tests/looks";
  ASSERT_EQ(testing_support::RunTool("mkdir -p '" + folder + "'"), 0);
  const std::string bmp = folder + "/Frame" + Name + ".bmp";
  const std::string png = folder + "/Frame" + Name + ".png";
  photo.SaveToFile(testing_support::UnixToWindowsPath(bmp));
  ASSERT_EQ(testing_support::RunTool("bmptopnm '" + bmp + "' 2>/dev/null | pnmtopng > '" + png + "' && rm '" + bmp + "'"), 0);
  std::cout << "Frame" << Name << ": " << png << "\n";
}

void ExpectSkinnedFrame(TForm& Form, const char* SkinName, const std::string& Name) {
  SCOPED_TRACE(Name);
  Form.Show();
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 300) {
    Application->ProcessMessages();
    Sleep(5);
  }
  TskFormSkin& frame = FrameOf(Form);
  ASSERT_EQ(frame.SkinData(), Form.FindComponent(SkinName));
  EXPECT_TRUE(frame.SkinActive);
  EXPECT_TRUE(frame.BorderIcons() ==
              (TskBorderIcons{TskBorderIcon::biSystemMenu, TskBorderIcon::biMinimize, TskBorderIcon::biRollUp}));
  const HWND window = Form.Handle();
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
  RECT bounds;
  GetWindowRect(window, &bounds);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  // A skin without a frame picture leaves the form the component's default frame.
  const bool framed = frame.CanNCSupport();
  EXPECT_EQ(origin.x - bounds.left, framed ? frame.SkinData()->ClientRect.left : 3);
  EXPECT_EQ(origin.y - bounds.top, framed ? frame.SkinData()->ClientRect.top : frame.GetDefCaptionHeight() + 3);
  if (frame.SkinData()->Mask && !frame.SkinData()->Mask->Empty()) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(window, region), ERROR) << "the skin's mask shapes the window";
    DeleteObject(region);
  }
  SaveWindowForAPerson(Form, Name);
}

}  // namespace

TEST(SkinnedFrames, EachFormShowsItsSkinsFrame) {
  SetCursorPos(0, 0);
  auto main = apptesting::MakeForm<TForm1>();
  Form1 = main.get();
  ExpectSkinnedFrame(*main, "skSkinData1", "Main");
  auto playList = apptesting::MakeForm<TForm2>();
  ExpectSkinnedFrame(*playList, "skSkinData2", "PlayList");
  playList->Hide();
  auto colour = apptesting::MakeForm<TForm3>();
  ExpectSkinnedFrame(*colour, "skSkinData1", "ColorSpace");
  colour->Hide();
  auto devices = apptesting::MakeForm<TForm10>();
  ExpectSkinnedFrame(*devices, "skSkinData1", "DeviceSettings");
  devices->Hide();
  main->Hide();
  Form1 = nullptr;
}
