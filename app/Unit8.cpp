#include "app/Unit8.h"

#include "app/Unit1.h"

using namespace classlib;

TForm8* Form8 = nullptr;

TForm8::TForm8(TComponent* AOwner) : TForm(AOwner) {
  Handler("FormShow", &TForm8::FormShow);
  Handler("FormPaint", &TForm8::FormPaint);
  Handler("FormKeyDown", &TForm8::FormKeyDown);
  Handler("FormDblClick", &TForm8::FormDblClick);
  Handler("FormMouseDown", &TForm8::FormMouseDown);
  Handler("FormClose", &TForm8::FormClose);
  Handler("Timer1Timer", &TForm8::Timer1Timer);
  ReadForm();
  Bind(Panel1, "Panel1");
  Bind(Panel2, "Panel2");
  Bind(Timer1, "Timer1");
  Panel2->Hide();
  // Without a window manager (Wine on a bare X display) a maximized window keeps the size it had
  // before, so it starts as large as the screen.
  SetBounds(0, 0, Screen->Width(), Screen->Height());
}

void TForm8::FitTvVideoToFullScreen() {
  IVideoWindow* const window = Form1->TvGraph.VideoWindow.Get();
  if (window) window->SetWindowPosition(0, 0, Panel1->ClientWidth(), Panel1->ClientHeight());
}

void TForm8::FormShow(TObject*) { FitTvVideoToFullScreen(); }
void TForm8::FormPaint(TObject*) { FitTvVideoToFullScreen(); }

void TForm8::FormKeyDown(TObject*, WORD& Key, TShiftState) {
  ddr::initd3d(Panel2->Handle());
  ddr::created3dxfont(DisplayFont);
  switch (Key) {
    case VK_PRIOR:
      Form1->StepChannel(-1);
      ShowChannelNumber();
      break;
    case VK_NEXT:
      Form1->StepChannel(+1);
      ShowChannelNumber();
      break;
    case VK_ESCAPE:
      Close();
      break;
    default:
      break;
  }
  ddr::Cleanup();
}

void TForm8::ShowChannelNumber() {
  Panel2->Show();
  Panel2->BringToFront();
  ddr::Render(Form1->ChannelText.c_str());
  ValidateRect(Panel2->Handle(), nullptr);
  // A further press keeps the number up for the full time again.
  Timer1->SetEnabled(false);
  Timer1->SetEnabled(true);
}

void TForm8::FormDblClick(TObject*) { Close(); }

void TForm8::FormMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FVideoClicks.Press(Button, Shift, X, Y)) FormDblClick(nullptr);
}

void TForm8::FormClose(TObject*, TCloseAction&) {
  Timer1->SetEnabled(false);
  Panel2->Hide();
  FVideoClicks.Reset();
  Form1->InitChannelDisplay();
  Form1->RestoreTvVideoWindow();
  // Full screen stopped the caption clock; the page goes on with it.
  Form1->Timer1->SetEnabled(true);
}

void TForm8::Timer1Timer(TObject*) {
  Panel2->Hide();
  Timer1->SetEnabled(false);
}
