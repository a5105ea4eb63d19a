// "TV ": the TV picture on the whole screen, with its own channel display. The video window covers
// Panel1 and hands the form the keys it gets (the TV page makes the form its message drain): PgUp
// and PgDn step the channel, Escape or a double click return to the page.
#pragma once

#include "app/ChannelDisplay.h"
#include "app/VideoDoubleClick.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Timer.h"

class TForm8 : public classlib::TForm {
public:
  explicit TForm8(classlib::TComponent* AOwner);

  classlib::TPanel* Panel1 = nullptr;  // host of the video
  classlib::TPanel* Panel2 = nullptr;  // surface of the channel display
  classlib::TTimer* Timer1 = nullptr;  // hides the channel display

  TDisplayFont DisplayFont;

  // Handlers
  void FormShow(classlib::TObject* Sender);
  void FormPaint(classlib::TObject* Sender);
  void FormKeyDown(classlib::TObject* Sender, WORD& Key, classlib::TShiftState Shift);
  void FormDblClick(classlib::TObject* Sender);
  // Two presses that the video window hands on count as a double click.
  void FormMouseDown(classlib::TObject* Sender, classlib::TMouseButton Button, classlib::TShiftState Shift, int X,
                     int Y);
  void FormClose(classlib::TObject* Sender, classlib::TCloseAction& Action);
  void Timer1Timer(classlib::TObject* Sender);

  // The video window over the whole of Panel1.
  void FitTvVideoToFullScreen();

private:
  void ShowChannelNumber();

  TVideoDoubleClick FVideoClicks;
};

extern TForm8* Form8;
