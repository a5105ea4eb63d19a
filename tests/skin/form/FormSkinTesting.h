// A frame skin written by the tests whose pieces are flat colours, so that one screen pixel tells
// which piece the frame drew there, and the helpers the frame tests share: forms read from description
// text, the screen read back and real mouse input.
#pragma once

#include "tests/classlib/WindowTesting.h"

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

class TFrameSkin {
public:
  // With Mask false the skin names no mask.
  explicit TFrameSkin(bool Mask = true);
  skin::TskSkinData& Skin() { return *FSkin; }
  // Loads the skin again (the skin-change messages go to every form).
  void Reload();

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
};

// A form read from description text with the frame's classes registered, shown and brought to the
// front, its messages handled.
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text);
// The form's skinning component.
skin::TskFormSkin& FormSkinOf(classlib::TForm& Form);
// A form 300 x 200 at (100, 100) with a skinning component; with Skin, the component follows it.
std::unique_ptr<classlib::TForm> ShowFrameForm(skin::TskSkinData* Skin, int Left = 100, int Top = 100,
                                               int Width = 300, int Height = 200);

// The colour of the screen at a point (what the display shows, windows above included).
COLORREF ScreenPixel(int X, int Y);

// Real input through SendInput; the messages are handled after each call.
void MouseTo(int X, int Y);
void LeftClick(int X, int Y);
void LeftDoubleClick(int X, int Y);
// Presses at a point and keeps the button down; LeftReleaseAt moves and releases it.
void LeftPress(int X, int Y);
void LeftReleaseAt(int X, int Y);
// Presses at From, moves in steps to To, releases. With SizeMoveLoop the press starts the system's
// move or size loop, and the moves wait until it runs.
void LeftDrag(POINT From, POINT To, bool SizeMoveLoop = true);

// Real keys: presses Keys in order, releases them in the reverse order, then handles the messages.
void PressKeys(std::initializer_list<WORD> Keys);

// A window's rectangle on the screen.
RECT WindowRect(HWND Window);

}  // namespace formskintesting
