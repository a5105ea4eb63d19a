// "Rotate": rotation of the viewer's picture.
#pragma once

#include "platform/classlib/Forms.h"

class TForm9 : public classlib::TForm {
public:
  explicit TForm9(classlib::TComponent* AOwner);
};

extern TForm9* Form9;
