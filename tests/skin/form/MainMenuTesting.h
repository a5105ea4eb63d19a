// A skin of flat colours for the main menu in the frame and in the main-menu bar: one pixel of the
// screen tells which look an item drew. And forms with a main menu read from description text.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/RealInput.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include "skin/data/SkinData.h"

#include <functional>
#include <memory>
#include <string>

namespace mainmenutesting {

// Colours (0x00BBGGRR).
constexpr COLORREF FrameColor = 0x404080;
constexpr COLORREF ClientColor = 0x408040;
constexpr COLORREF MenuAreaColor = 0x606060;
constexpr COLORREF NormalColor = 0x0000C8;
constexpr COLORREF HotColor = 0x00C800;
constexpr COLORREF DownColor = 0xC80000;
constexpr COLORREF BarColor = 0x808000;
constexpr COLORREF ButtonColor = 0x800080;
constexpr COLORREF MarkColor = 0x0000FF;

// The frame picture is 200 x 100: client rectangle (4, 40, 196, 96), main-menu rectangle
// (4, 20, 196, 38), anchors (30, 40), (150, 40), (30, 96), (150, 96), no caption buttons.
// "MAINMENUITEM" (mainmenuitem) and "menubaritem" (mainmenubaritem) are 20 x 18 with the text
// rectangle (4, 0, 16, 18), so an item is 10 pixels wider than its caption: normal, hot and down
// looks in their colours. "barclose" is a mainmenubarbutton (cmclose) of 14 x 14 in ButtonColor.
// The control "mainmenubar" is 100 x 24 in BarColor, its items area (4, 3, 96, 21), marker colours
// MarkColor (normal) and HotColor (hot); it names "barclose" as its close button.
class TMainMenuSkin : public skintesting::TSkinFiles {
public:
  TMainMenuSkin();
};

// A form read from description text with the frame's and the menus' classes registered, at
// (100, 100), shown and brought to the front. BeforeReading may register handlers.
std::unique_ptr<classlib::TForm> ShowMenuForm(const std::string& Text,
                                              const std::function<void(classlib::TForm&)>& BeforeReading = {});

// "(left, top, right, bottom)", for comparisons that print well.
std::string RectText(const RECT& R);

// Real keys and the screen read back, shared with the other skin tests.
using skintesting::ScreenPixel;
using skintesting::TapKey;
using skintesting::PressKeys;

}  // namespace mainmenutesting
