// The hint window: a small top-most popup that shows a control's Hint text near the mouse. The
// application makes its hint window from HintWindowClass, so a library can put a window class of its
// own in place of this one.
//
// Classes in this file: THintWindow.
#pragma once

#include "platform/classlib/Controls.h"

#include <functional>
#include <memory>

namespace classlib {

class THintWindow : public TCustomControl {
public:
  explicit THintWindow(TComponent* AOwner);

  // Shows AHint in a window placed at Rect (screen coordinates), top-most, without activating it.
  virtual void ActivateHint(const TRect& Rect, const String& AHint);
  // The rectangle at the origin that AHint needs, its lines broken at MaxWidth (0: no limit).
  virtual TRect CalcHintRect(int MaxWidth, const String& AHint);
  // Hides the window.
  void ReleaseHandle();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

// Makes a hint window; the owner may be null.
using THintWindowClass = std::function<std::unique_ptr<THintWindow>(TComponent* Owner)>;

// The class the application makes its hint window from. Changing it takes effect when the
// application's ShowHint is next turned on.
extern THintWindowClass HintWindowClass;

// What the application is about to show; a TShowHintEvent handler may change it.
struct THintInfo {
  TControl* HintControl = nullptr;
  // Where the hint's top-left corner goes, in screen coordinates.
  TPoint HintPos{};
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TPoint CursorPos{};
  int HideTimeout = 0;
};

using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

}  // namespace classlib
