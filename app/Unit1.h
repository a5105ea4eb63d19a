// The main window.
#pragma once

#include "platform/classlib/Forms.h"

class TForm1 : public classlib::TForm {
public:
  explicit TForm1(classlib::TComponent* AOwner);
};

extern TForm1* Form1;
