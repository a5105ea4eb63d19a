// A frame skin written by the tests whose pieces are flat colours, so that one screen pixel tells
// which piece the frame drew there, and the helpers the frame tests share: forms read from description
// text, the screen read back and real mouse input.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/RealInput.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace formskintesting {

// The frame picture is 160 x 80 (0x00BBGGRR colours):
// - frame FrameColor, client piece ClientRect (4, 24, 156, 76) in ClientColor;
// - the caption object (20, 2, 86, 22) in CaptionColor, stretched with the top edge;
// - caption buttons 12 x 12 at y 6..18: sysmenu at x 4, tray 88, roll-up 102, minimize 116,
//   maximize 130, close 144, each in a colour of its own (the right ones move with the right edge);
// - anchors (30, 24), (80, 24), (30, 76), (80, 76); "borderwidth" 3;
// - the mask cuts a 6 x 6 square off each corner; the roll-up picture is 160 x 24.
constexpr COLORREF FrameColor = 0x404080;
constexpr COLORREF ClientColor = 0x408040;
constexpr COLORREF CaptionColor = 0x804040;
constexpr COLORREF SysMenuColor = 0xC8C800;
constexpr COLORREF TrayColor = 0xC800C8;
constexpr COLORREF RollUpColor = 0x00C8C8;
constexpr COLORREF MinColor = 0xC80000;
constexpr COLORREF MaxColor = 0x00C800;
constexpr COLORREF CloseColor = 0x0000C8;
constexpr int PictureWidth = 160, PictureHeight = 80;
constexpr int CornerCut = 6;

class TFrameSkin : public skintesting::TSkinFiles {
public:
  // With Mask false the skin names no mask.
  explicit TFrameSkin(bool Mask = true);
};

// A form read from description text with the frame's classes registered, shown and brought to the
// front, its messages handled.
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text);
// The form's skinning component.
skin::TskFormSkin& FormSkinOf(classlib::TForm& Form);
// A form 300 x 200 at (100, 100) with a skinning component; with Skin, the component follows it.
std::unique_ptr<classlib::TForm> ShowFrameForm(skin::TskSkinData* Skin, int Left = 100, int Top = 100,
                                               int Width = 300, int Height = 200);

// The screen read back and real input, shared with the other skin tests.
using skintesting::LeftClick;
using skintesting::LeftDoubleClick;
using skintesting::LeftDrag;
using skintesting::LeftPress;
using skintesting::LeftReleaseAt;
using skintesting::MouseTo;
using skintesting::PressKeys;
using skintesting::ScreenPixel;

// A window's rectangle on the screen.
RECT WindowRect(HWND Window);

}  // namespace formskintesting
