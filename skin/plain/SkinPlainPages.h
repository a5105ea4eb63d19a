// Plain stand-ins for the skinned page control and its tab sheets: the class library's page control
// already switches pages as the application needs (showing a sheet activates it, the sheet left
// behind fires OnHide), so the stand-ins only carry the skinned class names.
//
// Classes in this file: TskSkinPageControl, TskSkinTabSheet.
#pragma once

#include "platform/classlib/ComCtrls.h"

namespace skin {

// The default look of the skinned page control: tabs 20 pixels high in a row of 22, and pages that
// fill the control below that row with no frame around them (they stop one pixel short of its
// right and bottom edges). A control placed 22 pixels above its parent's client area and one pixel
// wider and taller than it thus has pages of exactly that client area, and no tab shows.
class TskSkinPageControl : public classlib::TPageControl {
public:
  explicit TskSkinPageControl(classlib::TComponent* AOwner);

protected:
  void CreateHandleDone() override;
  void AlignControls(classlib::TControl* AControl, classlib::TRect& Rect) override;
};

class TskSkinTabSheet : public classlib::TTabSheet {
public:
  explicit TskSkinTabSheet(classlib::TComponent* AOwner);
};

}  // namespace skin
