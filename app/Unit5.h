// "Video Window": the borderless owner of the player's video in full-screen mode. The video window
// covers it and hands it the mouse and keyboard messages it gets (the player makes the form its
// message drain), so a double click or Escape leaves full screen whatever entry plays.
#pragma once

#include "app/VideoDoubleClick.h"
#include "platform/classlib/Forms.h"

class TForm5 : public classlib::TForm {
public:
  explicit TForm5(classlib::TComponent* AOwner);

  // Handlers
  void FormDblClick(classlib::TObject* Sender);
  // Two presses that the video window hands on count as a double click.
  void FormMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                     int Y);
  // Escape leaves full screen as the double click does.
  void FormKeyDown(classlib::TObject* Sender, WORD& Key, classlib::TShiftState Shift);
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);

private:
  TVideoDoubleClick FVideoClicks;
};

extern TForm5* Form5;
