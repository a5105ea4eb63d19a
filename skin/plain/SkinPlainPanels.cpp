#include "skin/plain/SkinPlainPanels.h"

namespace skin {

using namespace classlib;

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 150, 100); }

void TskSkinPanel::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(ClientRect());
  canvas.Brush()->SetColor(clBtnShadow);
  canvas.FrameRect(ClientRect());
}

}  // namespace skin
