#include "skin/plain/SkinPlainButtons.h"

namespace skin {

using namespace classlib;

TskSkinButton::TskSkinButton(TComponent* AOwner) : TButton(AOwner) {}

// ---------------------------------------------------------------------------------------------
// TskSkinSpeedButton

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 25, 25); }

void TskSkinSpeedButton::Paint() {
  const HDC dc = Canvas().Handle();
  TRect r = ClientRect();
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
  if (Caption().empty()) return;
  // A pressed caption moves with the face.
  if (FPressed) OffsetRect(&r, 1, 1);
  TFont font;
  font.Assign(Font());
  if (!Enabled()) font.SetColor(clGrayText);
  DrawControlText(dc, font, Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TskSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FPressed = true;
  Invalidate();
}

// The class library clicks after this, when the release is inside the button.
void TskSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && FPressed) {
    FPressed = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------------------------------------
// TskSkinCheckRadioBox

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner) : TCheckBox(AOwner) {}

}  // namespace skin
