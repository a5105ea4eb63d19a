#include "app/Unit6.h"

using namespace classlib;

TForm6* Form6 = nullptr;

TForm6::TForm6(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
