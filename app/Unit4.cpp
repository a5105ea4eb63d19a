#include "app/Unit4.h"

using namespace classlib;

TForm4* Form4 = nullptr;

TForm4::TForm4(TComponent* AOwner) : TForm(AOwner) {
  ReadForm();
  SetWidth(Screen->Width());
  SetHeight(Screen->Height());
}
