// The player page of the main window: one DirectShow graph per file, its commands, the position
// display and the end-of-file advance polled by Timer3, and the full-screen video form.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit5.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

using namespace classlib;

namespace {

// WS_CHILD | WS_CLIPSIBLINGS: the video window is a child of whichever window hosts it.
constexpr LONG kVideoWindowStyle = 0x44000000;
constexpr int kVolumeStep = 500;
// The volume bar's bottom, which Mute goes to.
constexpr LONG kMutedVolume = -5000;
// The seek bar counts tenths of a second; graph times are in 100-ns units.
constexpr LONGLONG kTimeUnitsPerSeekStep = 1000000;

}  // namespace

void TForm1::RegisterPlayerHandlers() {
  Handler("skSkinSpeedButton17Click", &TForm1::skSkinSpeedButton17Click);
  Handler("Play1Click", &TForm1::Play1Click);
  Handler("skSkinSpeedButton18Click", &TForm1::skSkinSpeedButton18Click);
  Handler("Pause1Click", &TForm1::Pause1Click);
  Handler("skSkinSpeedButton19Click", &TForm1::skSkinSpeedButton19Click);
  Handler("Stop1Click", &TForm1::Stop1Click);
  Handler("skSkinSpeedButton20Click", &TForm1::skSkinSpeedButton20Click);
  Handler("Mute1Click", &TForm1::Mute1Click);
  Handler("skSkinSpeedButton21Click", &TForm1::skSkinSpeedButton21Click);
  Handler("N8Click", &TForm1::N8Click);
  Handler("Label15Click", &TForm1::Label15Click);
  Handler("skSkinSpeedButton22Click", &TForm1::skSkinSpeedButton22Click);
  Handler("N9Click", &TForm1::N9Click);
  Handler("Label16Click", &TForm1::Label16Click);
  Handler("skSkinSpeedButton23Click", &TForm1::skSkinSpeedButton23Click);
  Handler("FullScreen2Click", &TForm1::FullScreen2Click);
  Handler("Label17Click", &TForm1::Label17Click);
  Handler("Panel2DblClick", &TForm1::Panel2DblClick);
  Handler("skSkinTrackBar2Change", &TForm1::skSkinTrackBar2Change);
  Handler("Label13Click", &TForm1::Label13Click);
  Handler("Label14Click", &TForm1::Label14Click);
  Handler("Label13MouseEnter", &TForm1::Label13MouseEnter);
  Handler("Label13MouseLeave", &TForm1::Label13MouseLeave);
  Handler("Label14MouseEnter", &TForm1::Label14MouseEnter);
  Handler("Label14MouseLeave", &TForm1::Label14MouseLeave);
  Handler("Label15MouseEnter", &TForm1::Label15MouseEnter);
  Handler("Label15MouseLeave", &TForm1::Label15MouseLeave);
  Handler("Label16MouseEnter", &TForm1::Label16MouseEnter);
  Handler("Label16MouseLeave", &TForm1::Label16MouseLeave);
  Handler("Label17MouseEnter", &TForm1::Label17MouseEnter);
  Handler("Label17MouseLeave", &TForm1::Label17MouseLeave);
  Handler("Timer3Timer", &TForm1::Timer3Timer);
}

void TForm1::BindPlayerControls() {
  Bind(skSkinTrackBar1, "skSkinTrackBar1");
  Bind(skSkinTrackBar2, "skSkinTrackBar2");
  Bind(Label20, "Label20");
  Bind(Panel2, "Panel2");
  Bind(Image7, "Image7");
  Bind(Timer3, "Timer3");
  skSkinTrackBar1->WindowProc = [this](TMessage& Message) { SeekBarWndProc(Message); };
  // Unmuting before anything was muted goes back to the bar's starting volume, not to full volume.
  SavedVolume = skSkinTrackBar2->Value();
}

// ---------------------------------------------------------------------------------------------
// The graph

void TForm1::TearDownPlayerGraph() {
  TPlayerGraph& graph = PlayerGraph;
  if (graph.VideoWindow) {
    graph.VideoWindow->put_Visible(OAFALSE);
    graph.VideoWindow->SetWindowPosition(0, 0, 0, 0);
  }
  if (graph.MediaEventEx) graph.MediaEventEx->SetNotifyWindow(0, 0, 0);
  graph.MediaEventEx.Reset();
  graph.MediaSeeking.Reset();
  graph.MediaControl.Reset();
  graph.BasicAudio.Reset();
  graph.BasicVideo.Reset();
  graph.VideoWindow.Reset();
  graph.MediaEvent.Reset();
  graph.GraphBuilder.Reset();
}

void TForm1::PlaceVideoWindow(TWinControl& Owner) {
  IVideoWindow* const window = PlayerGraph.VideoWindow.Get();
  if (!window) return;
  const auto handle = reinterpret_cast<OAHWND>(Owner.Handle());
  window->put_Owner(handle);
  window->put_WindowStyle(kVideoWindowStyle);
  // The style holds no WS_VISIBLE, so restyling hides the window: show it again in its new host.
  window->put_Visible(OATRUE);
  if (PlayerGraph.MediaEventEx) PlayerGraph.MediaEventEx->SetNotifyWindow(handle, WM_GRAPHNOTIFY, 0);
  window->SetWindowPosition(0, 0, Owner.ClientWidth(), Owner.ClientHeight());
}

void TForm1::PlaySelected() {
  TListView& list = *Form2->skSkinListView1;
  const int index = list.ItemIndex();
  if (index < 0) return;
  const String path = Form2->EntryPath(index);
  if (!FileExists(path)) return;

  if (Playing) {
    Timer3->SetEnabled(false);
    Playing = false;
    PlayerGraph.MediaControl->Stop();
  }
  TearDownPlayerGraph();
  Image7->Show();

  CoInitialize(nullptr);
  TPlayerGraph& graph = PlayerGraph;
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.GraphBuilder.PutVoid());
  if (!graph.GraphBuilder) {
    SkipUnplayable(ExtractFileName(path));
    return;
  }
  graph.MediaControl = graph.GraphBuilder.Query<IMediaControl>(IID_IMediaControl);
  graph.MediaEvent = graph.GraphBuilder.Query<IMediaEvent>(IID_IMediaEvent);
  graph.BasicAudio = graph.GraphBuilder.Query<IBasicAudio>(IID_IBasicAudio);
  graph.MediaEventEx = graph.GraphBuilder.Query<IMediaEventEx>(IID_IMediaEventEx);
  CurrentTrack = index;

  // A file the platform cannot render would only sit there silent, never ending: skip it.
  if (FAILED(graph.GraphBuilder->RenderFile(ToWide(path).c_str(), nullptr))) {
    SkipUnplayable(ExtractFileName(path));
    return;
  }
  FUnplayableInRow = 0;

  graph.MediaSeeking = graph.GraphBuilder.Query<IMediaSeeking>(IID_IMediaSeeking);
  graph.VideoWindow = graph.GraphBuilder.Query<IVideoWindow>(IID_IVideoWindow);
  graph.BasicVideo = graph.GraphBuilder.Query<IBasicVideo>(IID_IBasicVideo);

  TWinControl& owner = VideoFullScreen ? static_cast<TWinControl&>(*Form5) : *Panel2;
  PlaceVideoWindow(owner);
  if (graph.BasicAudio) graph.BasicAudio->put_Volume(skSkinTrackBar2->Value());
  graph.MediaControl->Run();
  if (graph.VideoWindow) graph.VideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(owner.Handle()));

  Image7->Hide();
  Duration = 0;
  if (graph.MediaSeeking) graph.MediaSeeking->GetDuration(&Duration);
  skSkinTrackBar1->SetMaxValue(static_cast<int>(Duration / kTimeUnitsPerSeekStep));

  Timer3->SetEnabled(true);
  PlayState = 2;
  Playing = true;
}

void TForm1::SkipUnplayable(const String& FileName) {
  TearDownPlayerGraph();
  Image7->Hide();
  Duration = 0;
  Label20->SetCaption("Cannot play " + FileName);
  // Go on with the next entry, but stop once every entry has failed in a row.
  if (++FUnplayableInRow < Form2->skSkinListView1->Items().Count()) {
    PlayNext();
  } else {
    FUnplayableInRow = 0;
  }
}

void TForm1::PausePlayback() {
  if (!Playing) return;
  if (PlayState == 0 || PlayState == 1) {
    if (SUCCEEDED(PlayerGraph.MediaControl->Run())) PlayState = 2;
  } else {
    if (SUCCEEDED(PlayerGraph.MediaControl->Pause())) PlayState = 1;
  }
}

void TForm1::StopPlayback() {
  if (!Playing) return;
  PlayerGraph.MediaControl->Stop();
  if (PlayerGraph.MediaSeeking) {
    LONGLONG start = 0;
    PlayerGraph.MediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr,
                                           AM_SEEKING_NoPositioning);
  }
  // Cued on its first frame, the graph stays built for the next Play.
  PlayerGraph.MediaControl->Pause();
  skSkinTrackBar1->SetValue(0);
  Playing = false;
}

void TForm1::MutePlayback() {
  if (!Playing || !PlayerGraph.BasicAudio) return;
  LONG volume = 0;
  PlayerGraph.BasicAudio->get_Volume(&volume);
  if (volume > kMutedVolume) {
    SavedVolume = volume;
    volume = kMutedVolume;
  } else {
    volume = SavedVolume;
  }
  PlayerGraph.BasicAudio->put_Volume(volume);
  skSkinTrackBar2->SetValue(volume);
}

void TForm1::PlayPrevious() {
  TListView& list = *Form2->skSkinListView1;
  const int count = list.Items().Count();
  if (count == 0) return;
  list.SetItemIndex(CurrentTrack - 1 < 0 ? count - 1 : CurrentTrack - 1);
  Form2->skSkinListView1DblClick(nullptr);
  CurrentTrack = list.ItemIndex();
}

void TForm1::PlayNext() {
  TListView& list = *Form2->skSkinListView1;
  const int count = list.Items().Count();
  if (count == 0) return;
  list.SetItemIndex(CurrentTrack + 1 < count ? CurrentTrack + 1 : 0);
  Form2->skSkinListView1DblClick(nullptr);
  CurrentTrack = list.ItemIndex();
}

void TForm1::ShowFullScreen() {
  if (!Playing || !PlayerGraph.BasicVideo) return;
  LONG width = 0, height = 0;
  if (FAILED(PlayerGraph.BasicVideo->get_VideoWidth(&width))) width = 0;
  if (FAILED(PlayerGraph.BasicVideo->get_VideoHeight(&height))) height = 0;
  if (width + height <= 0) return;

  PlayerGraph.MediaControl->Pause();
  PlaceVideoWindow(*Form5);
  PlayerGraph.VideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(Form5->Handle()));
  PlayerGraph.MediaControl->Run();
  VideoFullScreen = true;
  Form5->ShowModal();
}

void TForm1::RestoreVideoWindow() {
  // A file that could not be played leaves no graph behind while the form is shown.
  if (!PlayerGraph.MediaControl) return;
  PlayerGraph.MediaControl->Pause();
  PlaceVideoWindow(*Panel2);
  if (PlayerGraph.VideoWindow) PlayerGraph.VideoWindow->put_MessageDrain(reinterpret_cast<OAHWND>(Panel2->Handle()));
  PlayerGraph.MediaControl->Run();
}

void TForm1::LeavePlayer() {
  if (Playing) {
    Timer3->SetEnabled(false);
    Playing = false;
    PlayerGraph.MediaControl->Stop();
    TearDownPlayerGraph();
  }
  if (Form2) Form2->Hide();
  ShowHomePage();
}

// A graph left paused by Stop, or one still running, keeps the platform's threads going: it is
// released before the program ends.
void TForm1::ReleasePlayer() {
  Timer3->SetEnabled(false);
  Playing = false;
  if (PlayerGraph.MediaControl) PlayerGraph.MediaControl->Stop();
  TearDownPlayerGraph();
}

// ---------------------------------------------------------------------------------------------
// Position and events

void TForm1::UpdatePlayPosition() {
  if (!PlayerGraph.MediaSeeking) return;
  LONGLONG position = 0;
  if (FAILED(PlayerGraph.MediaSeeking->GetCurrentPosition(&position))) return;
  // The thumb the user holds stays where the user puts it; the seek comes with the release.
  if (!skSkinTrackBar1->ButtonDragging())
    skSkinTrackBar1->SetValue(Duration == 0 ? 0 : static_cast<int>(position / kTimeUnitsPerSeekStep));
  ShowPlayPosition(position);
}

void TForm1::ShowPlayPosition(LONGLONG Position) {
  if (!PlayerGraph.MediaSeeking) return;
  if (Position == 0 && FAILED(PlayerGraph.MediaSeeking->GetCurrentPosition(&Position))) return;
  const LONGLONG milliseconds = Position / 10000;
  const LONGLONG seconds = milliseconds / 1000;
  Label20->SetCaption(Format("%02dm:%02ds", seconds / 60, seconds % 60));
}

void TForm1::Timer3Timer(TObject*) {
  if (!Playing) return;
  UpdatePlayPosition();
  LONG code = 0;
  LONG_PTR param1 = 0, param2 = 0;
  // Next builds a new graph; the loop goes on with that graph's events.
  while (PlayerGraph.MediaEvent && SUCCEEDED(PlayerGraph.MediaEvent->GetEvent(&code, &param1, &param2, 0))) {
    PlayerGraph.MediaEvent->FreeEventParams(code, param1, param2);
    if (code == EC_COMPLETE) {
      PlayerGraph.MediaControl->Stop();
      if (PlayerGraph.MediaSeeking) {
        LONGLONG start = 0;
        PlayerGraph.MediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr,
                                               AM_SEEKING_NoPositioning);
      }
      PlayNext();
    }
  }
}

// Every message goes on to the bar's own handlers; a release of the button also seeks there.
void TForm1::SeekBarWndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONUP && Playing && Duration != 0 && skSkinTrackBar1->MaxValue() != 0) {
    const auto target = static_cast<LONGLONG>(static_cast<double>(skSkinTrackBar1->Value()) /
                                              skSkinTrackBar1->MaxValue() * static_cast<double>(Duration));
    LONGLONG position = target;
    PlayerGraph.MediaControl->Pause();
    if (PlayerGraph.MediaSeeking)
      PlayerGraph.MediaSeeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr,
                                             AM_SEEKING_NoPositioning);
    PlayerGraph.MediaControl->Run();
  }
  skSkinTrackBar1->Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// Volume and the pad's highlights

void TForm1::skSkinTrackBar2Change(TObject*) {
  if (Playing && PlayerGraph.BasicAudio) PlayerGraph.BasicAudio->put_Volume(skSkinTrackBar2->Value());
}

void TForm1::Label13Click(TObject*) { skSkinTrackBar2->SetValue(skSkinTrackBar2->Value() + kVolumeStep); }
void TForm1::Label14Click(TObject*) { skSkinTrackBar2->SetValue(skSkinTrackBar2->Value() - kVolumeStep); }

// Label13 .. Label17 sit over Image18 .. Image22.
void TForm1::SetPadHighlight(int Number, bool Shown) {
  TImage* highlight = nullptr;
  Bind(highlight, "Image" + IntToStr(Number));
  highlight->SetVisible(Shown);
}

void TForm1::Label13MouseEnter(TObject*) { SetPadHighlight(18, true); }
void TForm1::Label13MouseLeave(TObject*) { SetPadHighlight(18, false); }
void TForm1::Label14MouseEnter(TObject*) { SetPadHighlight(19, true); }
void TForm1::Label14MouseLeave(TObject*) { SetPadHighlight(19, false); }
void TForm1::Label15MouseEnter(TObject*) { SetPadHighlight(20, true); }
void TForm1::Label15MouseLeave(TObject*) { SetPadHighlight(20, false); }
void TForm1::Label16MouseEnter(TObject*) { SetPadHighlight(21, true); }
void TForm1::Label16MouseLeave(TObject*) { SetPadHighlight(21, false); }
void TForm1::Label17MouseEnter(TObject*) { SetPadHighlight(22, true); }
void TForm1::Label17MouseLeave(TObject*) { SetPadHighlight(22, false); }

// ---------------------------------------------------------------------------------------------
// The handlers of the buttons, the video panel's popup menu and the pad

void TForm1::skSkinSpeedButton17Click(TObject*) { PlaySelected(); }
void TForm1::Play1Click(TObject*) { PlaySelected(); }
void TForm1::skSkinSpeedButton18Click(TObject*) { PausePlayback(); }
void TForm1::Pause1Click(TObject*) { PausePlayback(); }
void TForm1::skSkinSpeedButton19Click(TObject*) { StopPlayback(); }
void TForm1::Stop1Click(TObject*) { StopPlayback(); }
void TForm1::skSkinSpeedButton20Click(TObject*) { MutePlayback(); }
void TForm1::Mute1Click(TObject*) { MutePlayback(); }
void TForm1::skSkinSpeedButton21Click(TObject*) { PlayPrevious(); }
void TForm1::N8Click(TObject*) { PlayPrevious(); }
void TForm1::Label15Click(TObject*) { PlayPrevious(); }
void TForm1::skSkinSpeedButton22Click(TObject*) { PlayNext(); }
void TForm1::N9Click(TObject*) { PlayNext(); }
void TForm1::Label16Click(TObject*) { PlayNext(); }
void TForm1::skSkinSpeedButton23Click(TObject*) { ShowFullScreen(); }
void TForm1::FullScreen2Click(TObject*) { ShowFullScreen(); }
void TForm1::Label17Click(TObject*) { ShowFullScreen(); }
void TForm1::Panel2DblClick(TObject*) { ShowFullScreen(); }
