#include "app/Unit5.h"

#include "app/Unit1.h"

#include <cstdlib>

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
  // A real double click on the form itself arrives as such and is handled by FormDblClick.
  if (Button != TMouseButton::mbLeft || Shift.Contains(TShiftStateItem::ssDouble)) {
    FPressed = false;
    return;
  }
  const auto time = static_cast<DWORD>(GetMessageTime());
  const bool second = FPressed && time - FPressTime <= GetDoubleClickTime() &&
                      std::abs(X - FPressPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(Y - FPressPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  FPressed = !second;
  FPressTime = time;
  FPressPoint = {X, Y};
  if (second) FormDblClick(nullptr);
}

void TForm5::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}

void TForm5::FormClose(TObject*, TCloseAction&) {
  // However the form closes, the files that follow play in the player page again: a video placed
  // in this hidden form would be lost to the user.
  Form1->VideoFullScreen = false;
  FPressed = false;
  Form1->RestoreVideoWindow();
}
