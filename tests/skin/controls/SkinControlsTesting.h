// A skin written by the tests whose looks are flat colours of their own, so that one pixel tells
// which look a control drew, and the helpers the control tests share.
#pragma once

#include "tests/classlib/WindowTesting.h"

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

// The skin: "button" (resizable, every look), "plainbutton" (only "skinrect", fixed size),
// "maskbutton" (fixed 40 x 20, a mask with a white border of 2 pixels) and "morphbutton"
// ("button" with morphing).
class TTestSkin {
public:
  TTestSkin();
  skin::TskSkinData& Skin() { return *FSkin; }

private:
  testing_support::TempDir FDir;
  std::unique_ptr<skin::TskSkinData> FSkin;
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

// Writes the pictures side by side into a PNG in the build folder, for a person to look at.
void WriteLooks(const std::string& Name, const std::vector<HWND>& Windows, int Width, int Height);

}  // namespace skincontrolstesting
