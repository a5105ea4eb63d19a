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
// The tab looks: the page frame, its client piece, the tab strip's background, the selected tab,
// the top rows of the normal tab (drawn at the bottom of flipped tabs) and the background picture.
// Focused tabs show DownColor, hot ones HotColor and normal ones NormalColor.
constexpr COLORREF TabFrameColor = 0x808000;
constexpr COLORREF TabClientColor = 0x008080;
constexpr COLORREF TabStripColor = 0x800080;
constexpr COLORREF ActiveTabColor = 0xC8C800;
constexpr COLORREF TabTopColor = 0x000040;
constexpr COLORREF TabBackgroundColor = 0x80FF00;

// The skin: "button" (resizable, every look), "plainbutton" (only "skinrect", fixed size),
// "maskbutton" (fixed 40 x 20, a mask with a white border of 2 pixels), "morphbutton"
// ("button" with morphing), "resizebutton" (as "button"), "hupdown" (40 x 20: down button left, up
// button right, hot and pressed looks), "tab" (a 40 x 40 page frame with borders of 4 and every
// tab look), "bgtab" (also a background picture) and "badtab" (edges of no length, a background
// picture index naming no picture).
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

// Writes the pictures side by side into a PNG in the build folder, for a person to look at.
void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height);

}  // namespace skincontrolstesting
