#include "tests/skin/form/FormSkinTesting.h"

#include "skin/form/FormSkinObjects.h"

using namespace classlib;
using namespace formskintesting;
using skin::TskFormSkin;

namespace {

// The client area's place in the window: left, top, right and bottom insets.
RECT Insets(HWND Window) {
  RECT window, client;
  GetWindowRect(Window, &window);
  GetClientRect(Window, &client);
  POINT origin{0, 0};
  ClientToScreen(Window, &origin);
  return RECT{origin.x - window.left, origin.y - window.top, window.right - origin.x - client.right,
              window.bottom - origin.y - client.bottom};
}

}  // namespace

TEST(FormSkin, TakesTheSystemCaptionAwayAndLeavesItsOwnDefaultFrame) {
  struct Case {
    const char* BorderStyle;
    int Top;
  };
  for (const Case& c : {Case{"bsSizeable", 22}, Case{"bsSingle", 22}, Case{"bsToolWindow", 18}, Case{"bsSizeToolWin", 18}}) {
    SCOPED_TRACE(c.BorderStyle);
    auto form = ShowForm(std::string("object TestForm: TForm\n  Left = 100\n  Top = 100\n  Width = 300\n  Height = 200\n"
                                     "  BorderStyle = ") + c.BorderStyle + "\n  object FormSkin: TskFormSkin\n  end\nend\n");
    const HWND window = form->Handle();
    EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION, 0);
    const RECT insets = Insets(window);
    EXPECT_EQ(insets.left, 3);
    EXPECT_EQ(insets.top, c.Top);
    EXPECT_EQ(insets.right, 3);
    EXPECT_EQ(insets.bottom, 3);
    EXPECT_TRUE(form->BorderIcons().Empty());
  }
}

TEST(FormSkin, RefusesAnOwnerThatIsNoForm) {
  TComponent owner(nullptr);
  EXPECT_THROW(TskFormSkin skin(&owner), EInvalidCast);
}

TEST(FormSkin, SizeLimitsFollowTheModeAndTheSkin) {
  TFrameSkin skin;
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  EXPECT_EQ(fs.GetMinWidth(), 130);
  EXPECT_EQ(fs.GetMinHeight(), 19 + 6);
  fs.SetMinWidth(400);
  EXPECT_EQ(fs.GetMinWidth(), 400);
  fs.SetSkinData(&skin.Skin());
  EXPECT_EQ(fs.GetMinWidth(), 400);
  fs.SetMinWidth(100);
  EXPECT_EQ(fs.GetMinWidth(), PictureWidth);
  EXPECT_EQ(fs.GetMinHeight(), PictureHeight - (76 - 24));
  const RECT work = [] {
    RECT r;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
  }();
  EXPECT_EQ(fs.GetMaxWidth(), work.right - work.left);
  fs.SetMaxWidth(500);
  EXPECT_EQ(fs.GetMaxWidth(), 500);
  fs.SetSupportNCArea(false);
  fs.SetMinWidth(400);
  EXPECT_EQ(fs.GetMinWidth(), PictureWidth);
}

TEST(FormSkin, GivesTheFormItsWindowProcedureBack) {
  auto form = ShowFrameForm(nullptr);
  delete &FormSkinOf(*form);
  // The form's own procedure answers again: the system's hit test of a client point.
  const RECT r = WindowRect(form->Handle());
  POINT inside{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
  EXPECT_FALSE(form->OnShortCut);
}

TEST(FormSkin, LeavesTheApplicationHandlerWhenFreedWhileHooked) {
  auto form = ShowFrameForm(nullptr);
  bool called = false;
  Application->OnMessage = [&called](MSG&, bool&) { called = true; };
  FormSkinOf(*form).HookApp();
  delete &FormSkinOf(*form);
  MSG msg{};
  bool handled = false;
  ASSERT_TRUE(Application->OnMessage);
  Application->OnMessage(msg, handled);
  EXPECT_TRUE(called);
  Application->OnMessage = nullptr;
}

TEST(FormSkin, ReadsItsLogoFromTheDescriptionAndDrawsItCentred) {
  TBitmap logo;
  logo.SetPixelFormat(TPixelFormat::pf24bit);
  logo.SetSize(20, 10);
  logo.Canvas()->Brush()->SetColor(clRed);
  logo.Canvas()->FillRect(Rect(0, 0, 20, 10));
  // Drawn transparent, the colour of the bottom-left pixel is left out: the whole left column.
  logo.Canvas()->Brush()->SetColor(clWhite);
  logo.Canvas()->FillRect(Rect(0, 0, 1, 10));
  auto form = ShowForm("object TestForm: TForm\n  Left = 100\n  Top = 100\n  ClientWidth = 200\n  ClientHeight = 100\n"
                       "  object FormSkin: TskFormSkin\n    LogoBitMapTransparent = True\n"
                       "    LogoBitMap.Data = {" + windowtesting::BitmapData(logo) + "}\n  end\nend\n");
  TskFormSkin& fs = FormSkinOf(*form);
  ASSERT_EQ(fs.LogoBitMap().Width(), 20);
  EXPECT_EQ(fs.LogoBitMap().Height(), 10);
  EXPECT_TRUE(fs.LogoBitMapTransparent());
  windowtesting::TPaintTarget target(300, 200, 0xFF00FF);
  fs.PaintBGDefault(target.DC());
  const int left = form->ClientWidth() / 2 - 10, top = form->ClientHeight() / 2 - 5;
  EXPECT_EQ(target.Pixel(left + 1, top), ColorToRGB(clRed));
  EXPECT_EQ(target.Pixel(left + 19, top + 9), ColorToRGB(clRed));
  EXPECT_EQ(target.Pixel(left, top + 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(target.Pixel(left + 20, top + 5), ColorToRGB(clBtnFace));
}
