// The viewer's picture alone on the whole screen.
#pragma once

#include "platform/classlib/Forms.h"

class TForm4 : public classlib::TForm {
public:
  explicit TForm4(classlib::TComponent* AOwner);
};

extern TForm4* Form4;
