#include "app/Unit9.h"

using namespace classlib;

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
