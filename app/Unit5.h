// "Video Window": the borderless owner of the player's video in full-screen mode.
#pragma once

#include "platform/classlib/Forms.h"

class TForm5 : public classlib::TForm {
public:
  explicit TForm5(classlib::TComponent* AOwner);

  // Handlers
  void FormDblClick(classlib::TObject* Sender);
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);
};

extern TForm5* Form5;
