// Plain stand-ins for the skinned page control and its tab sheets: the class library's page control
// already switches pages as the application needs (showing a sheet activates it, the sheet left
// behind fires OnHide), so the stand-ins only carry the skinned class names.
//
// Classes in this file: TskSkinPageControl, TskSkinTabSheet.
#pragma once

#include "platform/classlib/ComCtrls.h"

namespace skin {

class TskSkinPageControl : public classlib::TPageControl {
public:
  explicit TskSkinPageControl(classlib::TComponent* AOwner);
};

class TskSkinTabSheet : public classlib::TTabSheet {
public:
  explicit TskSkinTabSheet(classlib::TComponent* AOwner);
};

}  // namespace skin
