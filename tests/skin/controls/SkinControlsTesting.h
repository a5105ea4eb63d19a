// A skin written by the tests whose looks are flat colours of their own, so that one pixel tells
// which look a control drew, and the helpers the control tests share.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/SkinFiles.h"

#include "platform/classlib/ActnList.h"
#include "platform/classlib/ComCtrls.h"
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
// The panel picture: a 60 x 60 frame whose caption strip (5, 2, 55, 20) and client piece
// (5, 25, 55, 55, its top-left pixel marked) have colours of their own; beside it the check and
// uncheck pictures, the roll-up mark and the caption frame. The tile is 7 x 5 with a marked corner.
constexpr COLORREF PanelFrameColor = 0x404080;
constexpr COLORREF PanelCaptionColor = 0x804040;
constexpr COLORREF PanelClientColor = 0x408040;
constexpr COLORREF PanelClientCornerColor = 0x0080FF;
constexpr COLORREF PanelCheckColor = 0xFF00FF;
constexpr COLORREF PanelUncheckColor = 0x00FFFF;
constexpr COLORREF PanelMarkColor = 0xFFFF00;
constexpr COLORREF PanelCaptionFrameColor = 0x808000;
constexpr COLORREF TileColor = 0x206020;
constexpr COLORREF TileCornerColor = 0x2020E0;

constexpr COLORREF ThumbColor = 0xC800C8;
constexpr COLORREF GlyphColor = 0x808080;
// The background of the "listview" description.
constexpr COLORREF ViewColor = 0x804000;

// The value controls' parts.
constexpr COLORREF TrackColor = 0x808000;
constexpr COLORREF ButtonColor = 0x0080FF;
constexpr COLORREF ActiveButtonColor = 0x800080;
constexpr COLORREF GaugeColor = 0x404040;
constexpr COLORREF BeginCapColor = 0x00FFFF;
constexpr COLORREF MiddleColor = 0xFF8000;
constexpr COLORREF MarkColor = 0x00FF80;
constexpr COLORREF EndCapColor = 0x8000FF;

// The tab looks: the page frame, its client piece, the tab strip's background, the selected tab,
// the top rows of the normal tab (drawn at the bottom of flipped tabs) and the background picture.
// Focused tabs show DownColor, hot ones HotColor and normal ones NormalColor.
constexpr COLORREF TabFrameColor = 0x808000;
constexpr COLORREF TabClientColor = 0x008080;
constexpr COLORREF TabStripColor = 0x800080;
constexpr COLORREF ActiveTabColor = 0xC8C800;
constexpr COLORREF TabTopColor = 0x000040;
constexpr COLORREF TabBackgroundColor = 0x80FF00;

// The skin's descriptions:
// - buttons: "button" (resizable, every look), "plainbutton" (only "skinrect", fixed size),
//   "maskbutton" (fixed 40 x 20, a mask with a white border of 2 pixels), "morphbutton" ("button"
//   with morphing), "resizebutton" (as "button");
// - "hupdown" (40 x 20: down button left, up button right, hot and pressed looks);
// - panels, all fully anchored on the panel picture: "panel" (caption, check pictures and roll-up
//   mark), "tiledpanel" (the tile as background picture), "farbgpanel" (a background picture index
//   past the list), "noclientpanel" (a client piece of no width), "framepanel" (a centred caption in
//   a caption frame);
// - scroll bars: "hscrollbar" (100 x 19, growing in width: down button, track, up button; a 16 x 15
//   thumb carrying a 4 x 4 glyph), "vscrollbar" (its upright twin, 19 x 100), "bothhscrollbar"
//   ("hscrollbar" in the disabled colour, normal looks only);
// - track bars: "htrackbar" (100 x 20, growing in width, track 2,2,98,18, button 10 x 16),
//   "trackbar" (vertical, 20 x 100, growing in height, track 2,2,18,98, button 16 x 10);
// - gauges: "gauge" (100 x 20, growing in width, progress area 2,2,98,18, caps of 4 around a tiled
//   middle of 22, white text), "stretchgauge" (its middle stretched), "capgauge" (a progress
//   picture of caps only), "vgauge" (vertical, 20 x 100, growing in height, progress area
//   2,2,18,98), "nopicturegauge" (naming no picture, green text);
// - tabs: "tab" (a 40 x 40 page frame with borders of 4 and every tab look), "bgtab" (also a
//   background picture), "badtab" (edges of no length, a background picture index naming no
//   picture);
// - list views: "headerbutton" (a strip without bottom anchors, every look but disabled, for
//   headers) and "listview" (ViewColor, a white Arial of height 16);
// - "treeview" and "richedit": as "listview".
class TTestSkin : public skintesting::TSkinFiles {
public:
  TTestSkin();
};

// An action with a picture: its list's images hold one 16 x 16 picture, left out by the mask in its
// left half and blue in its right half.
struct TPictureAction {
  TPictureAction();
  std::unique_ptr<classlib::TComponent> Owner;
  classlib::TImageList* Images;
  classlib::TActionList* List;
  classlib::TAction* Action;
};

// A form read from description text, with the skinned controls' classes registered, shown.
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text);

// Paints a window into memory and reads its pixel.
COLORREF WindowPixel(HWND Window, int X, int Y);

// Writes the pictures of the windows (with their child windows) side by side into a PNG in the
// build folder, for a person to look at.
void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height);

}  // namespace skincontrolstesting
