#include "app/Unit5.h"

#include "app/Unit1.h"

using namespace classlib;

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormDblClick", &TForm5::FormDblClick);
  Handler("FormClose", &TForm5::FormClose);
  Handler("FormKeyDown", &TForm5::FormKeyDown);
  Handler("FormMouseDown", &TForm5::FormMouseDown);
  ReadForm();
  SetHeight(Screen->Height());
  SetWidth(Screen->Width());
}

void TForm5::FormDblClick(TObject*) { Close(); }

void TForm5::FormMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FVideoClicks.Press(Button, Shift, X, Y)) FormDblClick(nullptr);
}

void TForm5::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TForm5::FormClose(TObject*, TCloseAction&) {
  // However the form closes, the files that follow play in the player page again: a video placed
  // in this hidden form would be lost to the user.
  Form1->VideoFullScreen = false;
  FVideoClicks.Reset();
  Form1->RestoreVideoWindow();
}
