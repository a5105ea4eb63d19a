// "Play List": the play list beside the player page.
#pragma once

#include "platform/classlib/Forms.h"

class TForm2 : public classlib::TForm {
public:
  explicit TForm2(classlib::TComponent* AOwner);
};

extern TForm2* Form2;
