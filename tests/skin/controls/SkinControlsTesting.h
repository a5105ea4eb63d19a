// A skin written by the tests whose looks are flat colours of their own, so that one pixel tells
// which look a control drew, and the helpers the control tests share.
#pragma once

#include "tests/classlib/WindowTesting.h"

#include "skin/data/SkinData.h"

#include <memory>
#include <string>
#include <vector>

namespace skincontrolstesting {

// The colours of the looks in the skin picture (0x00BBGGRR).
constexpr COLORREF NormalColor = 0x0000C8;
constexpr COLORREF HotColor = 0x00C800;
constexpr COLORREF DownColor = 0xC80000;
constexpr COLORREF DisabledColor = 0x00C8C8;
constexpr COLORREF ThumbColor = 0xC800C8;
constexpr COLORREF GlyphColor = 0x808080;
// The background of the "listview" description.
constexpr COLORREF ViewColor = 0x804000;

// The skin: "button" (resizable, every look), "plainbutton" (only "skinrect", fixed size),
// "maskbutton" (fixed 40 x 20, a mask with a white border of 2 pixels) and "morphbutton"
// ("button" with morphing); the scroll bars "hscrollbar" (100 x 19, growing in width: down button,
// track, up button; a 16 x 15 thumb carrying a 4 x 4 glyph), "vscrollbar" (its upright twin,
// 19 x 100) and "bothhscrollbar" ("hscrollbar" in the disabled colour, normal looks only);
// "resizebutton" (a strip without bottom anchors, every look but disabled) and "listview"
// (ViewColor, a white Arial of height 16).
class TTestSkin {
public:
  TTestSkin();
  skin::TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
};

// A form read from description text, with the skinned controls' classes registered, shown.
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text);

// Paints a window into memory and reads its pixel.
COLORREF WindowPixel(HWND Window, int X, int Y);

// Writes the pictures of the windows (with their child windows) side by side into a PNG in the
// build folder, for a person to look at.
void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height);

}  // namespace skincontrolstesting
