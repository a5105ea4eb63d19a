#include "app/Unit7.h"

using namespace classlib;

TForm7* Form7 = nullptr;

TForm7::TForm7(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
