// A menu skin written by the tests, whose looks are flat colours so that one pixel of the screen
// tells which look a menu window drew, and the helpers the menu tests share: forms from
// description text, real mouse input and copies of the screen.
#pragma once

#include "tests/classlib/WindowTesting.h"
#include "tests/skin/support/RealInput.h"
#include "tests/skin/support/Screen.h"
#include "tests/skin/support/SkinFiles.h"

#include "skin/data/SkinData.h"

#include <functional>
#include <memory>
#include <string>

namespace skinmenutesting {

// The colours of the skin's pictures (0x00BBGGRR).
constexpr COLORREF FrameColor = 0x804000;
constexpr COLORREF ItemsAreaColor = 0x208020;
constexpr COLORREF ItemColor = 0x0000C8;
constexpr COLORREF ActiveItemColor = 0x00C800;
constexpr COLORREF DividerColor = 0xC800C8;
// The item text colours.
constexpr COLORREF ItemTextColor = 0xFFFFFF;
constexpr COLORREF ActiveItemTextColor = 0x000000;

// The skin's window is a 40 x 40 frame with borders of 4 whose mask leaves out the 2 x 2 pixels
// of its top-left corner; items are 60 x 20 (text from x 4 to 56), dividers 60 x 6.
enum class TMenuSkinKind {
  Full,
  // "POPUPWINDOW" names its picture, but the skin has no menu-item object.
  NoMenuItem,
  // "windowpictureindex" is past the picture list.
  FarWindowPicture,
  // The menu-item object's "activepictureindex" is past the picture list.
  FarItemPicture,
  // Full, with the items' hover morph on.
  Morphing,
};

class TMenuSkin : public skintesting::TSkinFiles {
public:
  explicit TMenuSkin(TMenuSkinKind Kind = TMenuSkinKind::Full);
};

// A form read from description text with the skinned classes registered, shown at (100, 100).
std::unique_ptr<classlib::TForm> ShowForm(const std::string& Text,
                                          const std::function<void(classlib::TForm&)>& BeforeReading = {});

// Handles messages until Done says so or the time is up; Done's last answer.
bool PumpUntil(const std::function<bool()>& Done, DWORD Milliseconds = 3000);

// Real input and the screen read back, shared with the other skin tests.
using skintesting::TScreenCopy;
using skintesting::queued::LeftClick;
using skintesting::queued::MouseTo;
using skintesting::queued::TapKey;

}  // namespace skinmenutesting
