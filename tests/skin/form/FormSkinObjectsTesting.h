// A frame skin of flat colours for the frame objects' tests: one pixel tells which look an object
// drew. Forms with a form skinning component, and reading pixels of a window or a bitmap.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/SkinFiles.h"

#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"

#include <memory>

namespace formskinobjectstesting {

// Colours (0x00BBGGRR).
constexpr COLORREF FrameColor = 0x404080;
constexpr COLORREF InActiveFrameColor = 0x605060;
constexpr COLORREF ClientColor = 0x408040;
constexpr COLORREF CaptionColor = 0x804040;
constexpr COLORREF ActiveCaptionColor = 0xFF8000;
constexpr COLORREF CapLeftColor = 0x0080FF;
constexpr COLORREF CapRightColor = 0x8000FF;
constexpr COLORREF NormalColor = 0x0000C8;
constexpr COLORREF HotColor = 0x00C800;
constexpr COLORREF DownColor = 0xC80000;
constexpr COLORREF InActiveColor = 0x00C8C8;
constexpr COLORREF RestoreColor = 0xC8C800;
constexpr COLORREF RestoreHotColor = 0xC800C8;
constexpr COLORREF RestoreDownColor = 0x808080;
constexpr COLORREF DisabledColor = 0x404040;
constexpr COLORREF RestoreInActiveColor = 0x20A0A0;
constexpr COLORREF TileColor = 0x206020;
constexpr COLORREF TileCornerColor = 0x2020E0;

// The skin's form picture is 200 x 120 in FrameColor (its inactive picture in InActiveFrameColor),
// the client area (6, 24, 194, 94) in ClientColor; anchors LT (30, 24), RT (120, 24), LB (60, 94),
// RB (120, 94). The objects, in the skin's order (their normal looks, where they are part of the
// frame picture, in NormalColor; the looks of the sheet are 16 x 16 squares of the colours above):
//  0 "closebutton" stdbutton cmclose (180, 4, 196, 20): hot, down, inactive looks;
//  1 "maxbutton" stdbutton cmmaximize (162, 4, 178, 20): hot, down, restore, restore hot, restore
//    down, restore inactive looks;
//  2 "minbutton" stdbutton cmminimize (144, 4, 160, 20): hot and disabled looks;
//  3 "caption" caption (4, 4, 140, 20), the top band: caps of 26 and 20 in CapLeftColor and
//    CapRightColor around a CaptionColor middle (ActiveCaptionColor in its active look), text area
//    (30, 0, 110, 16), black text, white on the active form, left-justified;
//  4 "groupa", 5 "groupb" buttons of group 1 (10, 98, 26, 114) and (34, 98, 50, 114): hot, down;
//  6 "userobj" user object (70, 98, 86, 114);
//  7 "badpicture" button (90, 98, 106, 114) naming picture 7, which the skin lacks: hot, down;
//  8 "custom" stdbutton cmdefault (130, 98, 146, 114), hint "Custom";
//  9 "menu" mainmenuitem, 11 "barbutton" mainmenubarbutton (a kind of stdbutton): descriptions the
//    frame makes no object of; 10 "gauge" gauge (150, 98, 170, 114), at its minimum.
// "bgpictureindex" is 2, a 7 x 5 tile in TileColor with its top-left pixel in TileCornerColor.
class TObjectSkin : public skintesting::TSkinFiles {
public:
  TObjectSkin();
};

// A form of the given size and caption with a form skinning component (not given a skin), shown
// unless Show is false: tests that draw objects into bitmaps need no window on the screen, whose
// hiding costs the system about two seconds here.
struct TSkinnedForm {
  TSkinnedForm(int Width, int Height, const classlib::String& Caption, bool Show = true);
  std::unique_ptr<classlib::TForm> Form;
  skin::TskFormSkin* FormSkin;
};

// A pixel of the window's whole-window surface, in window coordinates. Read there rather than on the
// screen: the system shows what a window DC drew only when it next updates the screen.
COLORREF FramePixel(HWND Window, int X, int Y);

// A pixel of a bitmap.
COLORREF BitmapPixel(classlib::TBitmap& Bitmap, int X, int Y);

using skintesting::Fill;
using skintesting::Picture;

}  // namespace formskinobjectstesting
