#include "app/Unit1.h"

using namespace classlib;

TForm1* Form1 = nullptr;

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) { ReadForm(); }
