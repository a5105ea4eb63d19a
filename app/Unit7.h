// "Config": created with the other forms and never shown.
#pragma once

#include "platform/classlib/Forms.h"

class TForm7 : public classlib::TForm {
public:
  explicit TForm7(classlib::TComponent* AOwner);
};

extern TForm7* Form7;
