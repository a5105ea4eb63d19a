// Small pieces the skinned controls share, chiefly those wrapping system views and edits: a re-entry
// guard, the default font they start from and the reach of a thumb message.
#pragma once

#include "platform/classlib/GraphicsObjects.h"

#include <exception>
#include <memory>

namespace skin {

// Raises a re-entry guard for one scope.
class TFlagScope {
public:
  explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& FFlag;
};

// "Arial" of height 14 without style: the font of a wrapped control without a skin.
inline std::unique_ptr<classlib::TFont> MakeViewDefaultFont() {
  auto font = std::make_unique<classlib::TFont>();
  font->SetName("Arial");
  font->SetHeight(14);
  font->SetStyle({});
  return font;
}

// The largest scroll position a WM_VSCROLL or WM_HSCROLL thumb message carries: its high word is read
// as a signed 16-bit number.
constexpr int ThumbPositionLimit = 32767;

}  // namespace skin
