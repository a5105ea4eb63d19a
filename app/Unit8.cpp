#include "app/Unit8.h"

using namespace classlib;

TForm8* Form8 = nullptr;

TForm8::TForm8(TComponent* AOwner) : TForm(AOwner) {
  ReadForm();
  Bind(Panel2, "Panel2");
  Panel2->Hide();
}
