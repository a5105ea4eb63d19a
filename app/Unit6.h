// "SlideShow": the full-screen slide show.
#pragma once

#include "platform/classlib/Forms.h"

class TForm6 : public classlib::TForm {
public:
  explicit TForm6(classlib::TComponent* AOwner);
};

extern TForm6* Form6;
