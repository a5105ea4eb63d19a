// Plain stand-in for the skinned panel.
//
// Classes in this file: TskSkinPanel.
#pragma once

#include "platform/classlib/StdCtrls.h"

namespace skin {

// A container with a one-pixel frame; it shows no caption.
class TskSkinPanel : public classlib::TCustomControl {
public:
  explicit TskSkinPanel(classlib::TComponent* AOwner);

protected:
  void Paint() override;
};

}  // namespace skin
