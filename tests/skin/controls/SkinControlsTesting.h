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
// The value controls' parts.
constexpr COLORREF TrackColor = 0x808000;
constexpr COLORREF ButtonColor = 0x0080FF;
constexpr COLORREF ActiveButtonColor = 0x800080;
constexpr COLORREF GaugeColor = 0x404040;
constexpr COLORREF BeginCapColor = 0x00FFFF;
constexpr COLORREF MiddleColor = 0xFF8000;
constexpr COLORREF MarkColor = 0x00FF80;
constexpr COLORREF EndCapColor = 0x8000FF;

// The skin: "button" (resizable, every look), "plainbutton" (only "skinrect", fixed size),
// "maskbutton" (fixed 40 x 20, a mask with a white border of 2 pixels) and "morphbutton"
// ("button" with morphing); the track bars "htrackbar" (100 x 20, growing in width, track
// 2,2,98,18, button 10 x 16) and "trackbar" (vertical, 20 x 100, growing in height, track
// 2,2,18,98, button 16 x 10); the gauges "gauge" (100 x 20, growing in width, progress area
// 2,2,98,18, caps of 4 around a tiled middle of 22, white text), "stretchgauge" (its middle
// stretched), "capgauge" (a progress picture of caps only), "vgauge" (vertical, 20 x 100, growing in
// height, progress area 2,2,18,98) and "nopicturegauge" (naming no picture, green text).
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
