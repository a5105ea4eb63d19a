// Plain stand-ins for the containers: the skinned panel and the flat group box.
//
// Classes in this file: TskSkinPanel, TPlainGroupBox.
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

// A captioned frame around a group of controls.
class TPlainGroupBox : public classlib::TGroupBox {
public:
  explicit TPlainGroupBox(classlib::TComponent* AOwner);
};

}  // namespace skin
