#include "app/Unit2.h"

using namespace classlib;

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
