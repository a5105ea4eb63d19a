// "TV ": the TV picture on the whole screen, with its own channel display.
#pragma once

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"

class TForm8 : public classlib::TForm {
public:
  explicit TForm8(classlib::TComponent* AOwner);

  classlib::TPanel* Panel2 = nullptr;  // surface of the channel display
};

extern TForm8* Form8;
