// The TV page's channels: the keypad with its two-digit entry, the pad's channel steps, the channel
// number shown for five seconds on Panel6 through DDR.DLL, and the way to full-screen TV and back.
#include "app/ChannelDisplay.h"
#include "app/Unit1.h"
#include "app/Unit8.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

void TForm1::RegisterChannelHandlers() {
  Handler("skSkinSpeedButton12Click", &TForm1::skSkinSpeedButton12Click);
  Handler("skSkinSpeedButton10Click", &TForm1::skSkinSpeedButton10Click);
  Handler("skSkinSpeedButton2Click", &TForm1::skSkinSpeedButton2Click);
  Handler("skSkinSpeedButton3Click", &TForm1::skSkinSpeedButton3Click);
  Handler("skSkinSpeedButton4Click", &TForm1::skSkinSpeedButton4Click);
  Handler("skSkinSpeedButton5Click", &TForm1::skSkinSpeedButton5Click);
  Handler("skSkinSpeedButton6Click", &TForm1::skSkinSpeedButton6Click);
  Handler("skSkinSpeedButton7Click", &TForm1::skSkinSpeedButton7Click);
  Handler("skSkinSpeedButton8Click", &TForm1::skSkinSpeedButton8Click);
  Handler("skSkinSpeedButton9Click", &TForm1::skSkinSpeedButton9Click);
  Handler("skSkinSpeedButton15Click", &TForm1::skSkinSpeedButton15Click);
  Handler("skSkinSpeedButton11Click", &TForm1::skSkinSpeedButton11Click);
  Handler("skSkinSpeedButton13Click", &TForm1::skSkinSpeedButton13Click);
  Handler("Label9Click", &TForm1::Label9Click);
  Handler("Label11Click", &TForm1::Label11Click);
  Handler("Timer2Timer", &TForm1::Timer2Timer);
  Handler("Label18Click", &TForm1::Label18Click);
  Handler("Panel1DblClick", &TForm1::Panel1DblClick);
  Handler("FullScreen3Click", &TForm1::FullScreen3Click);
}

// ---------------------------------------------------------------------------------------------
// Channel entry

void TForm1::EnterChannelDigit(const String& Digit) {
  if (TwoDigitEntry && PendingChannel.empty()) {
    // The next digit completes the number, however long it takes to come.
    PendingChannel = Digit;
    return;
  }
  const String channel = TwoDigitEntry ? PendingChannel + Digit : Digit;
  TvGraph.ReadChannel();
  TvGraph.TuneChannel(StrToInt(channel));
  ShowChannelNumber(channel);
  ChannelText = channel;
  // The entry is over before a click waiting in the queue can start the next one.
  TwoDigitEntry = false;
  PendingChannel.clear();
  Application->ProcessMessages();
}

// No range applies: the tuner decides what a channel it does not have does, and the display shows
// the number asked for.
void TForm1::StepChannel(int Delta) {
  TvGraph.ReadChannel();
  const LONG channel = TvGraph.Channel + Delta;
  TvGraph.TuneChannel(channel);
  ChannelText = IntToStr(channel);
  ShowChannelNumber(ChannelText);
  Application->ProcessMessages();
}

void TForm1::ShowChannelNumber(const String& Text) {
  Panel6->Show();
  Panel6->BringToFront();
  ddr::Render(Text.c_str());
  ValidateRect(Panel6->Handle(), nullptr);
  // Each change keeps the number up for the full time again.
  Timer2->SetEnabled(false);
  Timer2->SetEnabled(true);
}

void TForm1::Timer2Timer(TObject*) {
  Panel6->Hide();
  Timer2->SetEnabled(false);
}

void TForm1::InitChannelDisplay() {
  Panel6->Hide();
  ddr::initd3d(Panel6->Handle());
  ddr::created3dxfont(DisplayFont);
}

void TForm1::skSkinSpeedButton12Click(TObject*) { EnterChannelDigit("0"); }
void TForm1::skSkinSpeedButton10Click(TObject*) { EnterChannelDigit("1"); }
void TForm1::skSkinSpeedButton2Click(TObject*) { EnterChannelDigit("2"); }
void TForm1::skSkinSpeedButton3Click(TObject*) { EnterChannelDigit("3"); }
void TForm1::skSkinSpeedButton4Click(TObject*) { EnterChannelDigit("4"); }
void TForm1::skSkinSpeedButton5Click(TObject*) { EnterChannelDigit("5"); }
void TForm1::skSkinSpeedButton6Click(TObject*) { EnterChannelDigit("6"); }
void TForm1::skSkinSpeedButton7Click(TObject*) { EnterChannelDigit("7"); }
void TForm1::skSkinSpeedButton8Click(TObject*) { EnterChannelDigit("8"); }
void TForm1::skSkinSpeedButton9Click(TObject*) { EnterChannelDigit("9"); }
void TForm1::skSkinSpeedButton15Click(TObject*) { TwoDigitEntry = true; }
void TForm1::skSkinSpeedButton11Click(TObject*) { StepChannel(+1); }
void TForm1::skSkinSpeedButton13Click(TObject*) { StepChannel(-1); }
void TForm1::Label9Click(TObject*) { StepChannel(-1); }
void TForm1::Label11Click(TObject*) { StepChannel(+1); }

// ---------------------------------------------------------------------------------------------
// Full-screen TV

void TForm1::ShowTvFullScreen() {
  TTvGraph& graph = TvGraph;
  if (graph.VideoWindow) {
    graph.VideoWindow->put_Owner(VideoHost(*Form8->Panel1));
    graph.VideoWindow->put_WindowStyle(kTvVideoWindowStyle);
    graph.VideoWindow->put_Visible(OATRUE);
  }
  if (graph.MediaEventEx) graph.MediaEventEx->SetNotifyWindow(VideoHost(*Form8->Panel1), WM_GRAPHNOTIFY, 0);
  // The form takes the keys and clicks that reach the video window.
  if (graph.VideoWindow) graph.VideoWindow->put_MessageDrain(VideoHost(*Form8));
  Timer1->SetEnabled(false);
  Panel1->Hide();
  ddr::Cleanup();
  Form8->ShowModal();
}

void TForm1::RestoreTvVideoWindow() {
  TTvGraph& graph = TvGraph;
  if (graph.VideoWindow) {
    graph.VideoWindow->put_Owner(VideoHost(*Panel1));
    graph.VideoWindow->put_WindowStyle(kTvVideoWindowStyle);
    graph.VideoWindow->put_Visible(OATRUE);
  }
  if (graph.MediaEventEx) graph.MediaEventEx->SetNotifyWindow(VideoHost(*Panel1), WM_GRAPHNOTIFY, 0);
  if (graph.VideoWindow) graph.VideoWindow->put_MessageDrain(VideoHost(*Panel1));
  Panel1->Show();
  if (graph.VideoWindow) graph.VideoWindow->SetWindowPosition(0, 0, Panel1->ClientWidth(), Panel1->ClientHeight());
  InitChannelDisplay();
}

void TForm1::Label18Click(TObject*) { ShowTvFullScreen(); }
void TForm1::Panel1DblClick(TObject*) { ShowTvFullScreen(); }
void TForm1::FullScreen3Click(TObject*) { ShowTvFullScreen(); }
