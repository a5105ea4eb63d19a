#include "app/Unit5.h"

using namespace classlib;

TForm5* Form5 = nullptr;

TForm5::TForm5(TComponent* AOwner) : TForm(AOwner) {
  ReadForm();
  SetHeight(Screen->Height());
  SetWidth(Screen->Width());
}
