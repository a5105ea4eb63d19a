// The list a skinned combo box drops down: a whole skinned list box in a borderless tool window
// that never takes the activation, so the combo box's form stays active while it is open.
//
// Classes in this file: TskPopupListBox.
#pragma once
#include "skin/boxes/SkinListBox.h"

#include <cstdint>

namespace skin {

class TskPopupListBox : public TskSkinListBox {
public:
  explicit TskPopupListBox(classlib::TComponent* AOwner);

  // Shows the window with its top-left corner at P (screen), above the others, without activating
  // it; on the systems that blend pop-ups, with the owning combo box's blending and fade.
  void Show(const classlib::TPoint& P);
  void Hide();

  bool AppliedAlphaBlend() const { return FAppliedAlphaBlend; }
  std::uint8_t AppliedAlphaValue() const { return FAppliedAlphaValue; }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;

private:
  bool FAppliedAlphaBlend = false;
  std::uint8_t FAppliedAlphaValue = 0;
};

}  // namespace skin
