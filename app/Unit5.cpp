#include "app/Unit5.h"

#include "app/Unit1.h"

using namespace classlib;

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormDblClick", &TForm5::FormDblClick);
  Handler("FormClose", &TForm5::FormClose);
  ReadForm();
  SetHeight(Screen->Height());
  SetWidth(Screen->Width());
}

void TForm5::FormDblClick(TObject*) { Close(); }

void TForm5::FormClose(TObject*, TCloseAction&) {
  // However the form closes, the files that follow play in the player page again: a video placed
  // in this hidden form would be lost to the user.
  Form1->VideoFullScreen = false;
  Form1->RestoreVideoWindow();
}
