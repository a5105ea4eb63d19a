// "Color Space": red, green and blue levels, brightness and contrast of the viewer's picture.
#pragma once

#include "platform/classlib/Forms.h"

class TForm3 : public classlib::TForm {
public:
  explicit TForm3(classlib::TComponent* AOwner);
};

extern TForm3* Form3;
