#include "app/Unit3.h"

using namespace classlib;

TForm3* Form3 = nullptr;

TForm3::TForm3(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
