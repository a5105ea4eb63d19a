// The TV page of the main window: entering it lists the capture devices and the card's inputs for
// the Device Settings form, builds the preview graph inside Panel1 on channel 5 and routes the
// card's crossbar to the configured input; leaving it releases the graph.
#include "app/TvPage.h"

#include "app/CaptureDevices.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "app/Unit10.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;

namespace {

// The channel every visit starts on, whatever the tuner was left on.
constexpr LONG kStartChannel = 5;
constexpr long kVideoDecoderConnector = 12;  // PhysConn_Video_VideoDecoder

// Empties a list and adds the device's name, selected; nothing added when no name was read.
void ListOnly(skin::TskSkinComboBox& List, const TFirstDevice& Device) {
  List.Items().Clear();
  if (!Device.Found) return;
  List.Items().Add(Device.Name);
  List.SetItemIndex(0);
}

}  // namespace

void TTvGraph::ReadChannel() {
  if (Tuner) Tuner->get_Channel(&Channel, &VideoSubChannel, &AudioSubChannel);
}

void TTvGraph::TuneChannel(LONG Value) {
  if (Tuner) Tuner->put_Channel(Value, VideoSubChannel, AudioSubChannel);
}

void TForm1::RegisterTvHandlers() {
  Handler("skSkinTabSheet4Hide", &TForm1::skSkinTabSheet4Hide);
  Handler("ComboBox3Change", &TForm1::ComboBox3Change);
  Handler("Label9MouseEnter", &TForm1::Label9MouseEnter);
  Handler("Label9MouseLeave", &TForm1::Label9MouseLeave);
  Handler("Label10MouseEnter", &TForm1::Label10MouseEnter);
  Handler("Label10MouseLeave", &TForm1::Label10MouseLeave);
  Handler("Label11MouseEnter", &TForm1::Label11MouseEnter);
  Handler("Label11MouseLeave", &TForm1::Label11MouseLeave);
  Handler("Label12MouseEnter", &TForm1::Label12MouseEnter);
  Handler("Label12MouseLeave", &TForm1::Label12MouseLeave);
  Handler("Label18MouseEnter", &TForm1::Label18MouseEnter);
  Handler("Label18MouseLeave", &TForm1::Label18MouseLeave);
  RegisterChannelHandlers();
  RegisterRecordingHandlers();
  Handler("Label10Click", &TForm1::Label10Click);
  Handler("Label12Click", &TForm1::Label12Click);
}

void TForm1::BindTvControls() {
  Bind(Panel1, "Panel1");
  Bind(Panel6, "Panel6");
  Bind(ComboBox3, "ComboBox3");
  Bind(Timer1, "Timer1");
  Bind(Timer2, "Timer2");
}

// ---------------------------------------------------------------------------------------------
// Entering and leaving

void TForm1::Label3Click(TObject*) {
  if (!HasVideoDevice) {
    Application->MessageBox("There's no Device can be build for session.\n ", "Warring", MB_OK);
    return;
  }
  const TSettings settings = ReadSettings(ConfigFile);
  UseSettings(settings);
  SlideShowFolder = settings.DefaultPic + "\\";

  ddr::Cleanup();
  InitChannelDisplay();

  CoInitialize(nullptr);
  const bool videoListed = ListTvDevices();
  // The Device Settings form lists the inputs of the device it names, which need not be the one
  // previewed.
  if (videoListed && Form10)
    ProbeVideoDevice(
        Form10->skSkinComboBox1->Text(), [this](IAMTVTuner& tuner) {
          tuner.get_Channel(&TvGraph.Channel, &TvGraph.VideoSubChannel, &TvGraph.AudioSubChannel);
        },
        [this](IAMCrossbar& crossbar) { FillDeviceSourceLists(&crossbar); });

  BuildTvPreview();
  FindTvCrossbar();
  RouteCrossbar(CaptureSourceName);
  skSkinPageControl1->SetActivePage(skSkinTabSheet4);
}

bool TForm1::ListTvDevices() {
  const TFirstDevice video = FindFirstDevice(CLSID_VideoInputDeviceCategory);
  const TFirstDevice audio = FindFirstDevice(CLSID_AudioInputDeviceCategory);
  // Every visit lists the names anew instead of adding them once more.
  if (Form10) {
    ListOnly(*Form10->skSkinComboBox1, video);
    ListOnly(*Form10->skSkinComboBox3, audio);
    Form10->skSkinComboBox2->Items().Clear();
    Form10->skSkinComboBox4->Items().Clear();
  }
  return video.CategoryListed;
}

void TForm1::BuildTvPreview() {
  // A graph still standing (the page entered again without leaving it) goes first.
  CloseTvGraph();
  TTvGraph& graph = TvGraph;
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.GraphBuilder.PutVoid());
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_ALL, IID_ICaptureGraphBuilder2,
                   graph.CaptureBuilder.PutVoid());
  if (!graph.GraphBuilder || !graph.CaptureBuilder) return;
  FindVideoCaptureFilter(graph.VideoCapture, VideoDeviceName);
  graph.MediaControl = graph.GraphBuilder.Query<IMediaControl>(IID_IMediaControl);
  graph.VideoWindow = graph.GraphBuilder.Query<IVideoWindow>(IID_IVideoWindow);
  graph.MediaEventEx = graph.GraphBuilder.Query<IMediaEventEx>(IID_IMediaEventEx);
  graph.CaptureBuilder->SetFiltergraph(graph.GraphBuilder.Get());
  // A configured device that is not installed leaves an empty graph: it shows nothing.
  if (graph.VideoCapture) {
    graph.GraphBuilder->AddFilter(graph.VideoCapture.Get(), L"Video Capture");
    graph.CaptureBuilder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, graph.VideoCapture.Get(), nullptr,
                                       nullptr);
    graph.CaptureBuilder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, graph.VideoCapture.Get(), IID_IAMTVTuner,
                                        graph.Tuner.PutVoid());
  }
  graph.ReadChannel();
  PlaceTvVideoWindow(true);
  if (graph.MediaControl) graph.MediaControl->Run();
  graph.TuneChannel(kStartChannel);
}

void TForm1::PlaceTvVideoWindow(bool NotifyPanel) {
  TTvGraph& graph = TvGraph;
  if (graph.VideoWindow) {
    graph.VideoWindow->put_Owner(VideoHost(*Panel1));
    graph.VideoWindow->put_WindowStyle(kTvVideoWindowStyle);
    graph.VideoWindow->put_Visible(OATRUE);
  }
  if (NotifyPanel && graph.MediaEventEx) graph.MediaEventEx->SetNotifyWindow(VideoHost(*Panel1), WM_GRAPHNOTIFY, 0);
  if (graph.VideoWindow) {
    graph.VideoWindow->put_MessageDrain(VideoHost(*Panel1));
    graph.VideoWindow->SetWindowPosition(0, 0, Panel1->ClientWidth(), Panel1->ClientHeight());
  }
}

void TForm1::CloseTvGraph() {
  TTvGraph& graph = TvGraph;
  if (graph.MediaControl) {
    graph.MediaControl->StopWhenReady();
    graph.MediaControl->Stop();
  }
  if (graph.MediaEventEx) graph.MediaEventEx->SetNotifyWindow(0, WM_GRAPHNOTIFY, 0);
  if (graph.VideoWindow) {
    graph.VideoWindow->put_Visible(OAFALSE);
    graph.VideoWindow->put_Owner(0);
  }
  graph.VideoCapture.Reset();
  graph.MediaControl.Reset();
  graph.MediaEventEx.Reset();
  graph.VideoWindow.Reset();
  graph.Tuner.Reset();
  graph.Crossbar.Reset();
  graph.RecordControl.Reset();
  graph.AudioCapture.Reset();
  graph.AsfWriter.Reset();
  graph.GraphBuilder.Reset();
  graph.CaptureBuilder.Reset();
  // Stopping the graph ended any recording: its file is finished.
  Recording = false;
}

// A recording is finished, and the preview put back, before the page goes.
void TForm1::Homme1Click(TObject*) {
  if (Recording) StopRecording();
  ShowHomePage();
}

void TForm1::skSkinTabSheet4Hide(TObject*) {
  ddr::Cleanup();
  CloseTvGraph();
}

// ---------------------------------------------------------------------------------------------
// The card's inputs

void TForm1::FillTvSourceList(IAMCrossbar* Crossbar) {
  ComboBox3->Items().Clear();
  LONG outputs = 0, inputs = 0;
  if (FAILED(Crossbar->get_PinCounts(&outputs, &inputs))) return;
  for (LONG index = 0; index < inputs; ++index) {
    LONG related = 0, type = 0;
    if (SUCCEEDED(Crossbar->get_CrossbarPinInfo(TRUE, index, &related, &type)))
      ComboBox3->Items().Add(ConnectorTypeName(type));
  }
}

void TForm1::FillDeviceSourceLists(IAMCrossbar* Crossbar) {
  if (!Form10) return;
  LONG outputs = 0, inputs = 0;
  if (FAILED(Crossbar->get_PinCounts(&outputs, &inputs))) return;
  for (LONG index = 0; index < inputs; ++index) {
    LONG related = 0, type = 0;
    if (FAILED(Crossbar->get_CrossbarPinInfo(TRUE, index, &related, &type))) continue;
    skin::TskSkinComboBox& list = IsVideoConnectorType(type) ? *Form10->skSkinComboBox2 : *Form10->skSkinComboBox4;
    list.Items().Add(ConnectorTypeName(type));
    list.SetItemIndex(0);
  }
}

void TForm1::FindTvCrossbar() {
  TTvGraph& graph = TvGraph;
  if (!graph.VideoCapture) return;
  graph.CaptureBuilder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, graph.VideoCapture.Get(), IID_IAMCrossbar,
                                      graph.Crossbar.PutVoid());
  if (graph.Crossbar && graph.Crossbar.Query<IBaseFilter>(IID_IBaseFilter)) FillTvSourceList(graph.Crossbar.Get());
}

// Routes whenever the video decoder's output and an input of the named kind are both found.
void TForm1::RouteCrossbar(const String& SourceName) {
  IAMCrossbar* const crossbar = TvGraph.Crossbar.Get();
  if (!crossbar) return;
  long output = -1, input = -1;
  if (FAILED(FindCrossbarPin(crossbar, kVideoDecoderConnector, false, output))) return;
  LONG outputs = 0, inputs = 0;
  if (FAILED(crossbar->get_PinCounts(&outputs, &inputs))) return;
  for (LONG index = 0; index < inputs; ++index) {
    LONG related = 0, type = 0;
    if (FAILED(crossbar->get_CrossbarPinInfo(TRUE, index, &related, &type)) || ConnectorTypeName(type) != SourceName)
      continue;
    // The first input of that name's type, as the crossbar lists it.
    if (SUCCEEDED(FindCrossbarPin(crossbar, type, true, input))) crossbar->Route(output, input);
    return;
  }
}

void TForm1::ComboBox3Change(TObject*) { RouteCrossbar(ComboBox3->Text()); }

// ---------------------------------------------------------------------------------------------
// The pad's highlights

void TForm1::Label9MouseEnter(TObject*) { SetPadHighlight(16, true); }
void TForm1::Label9MouseLeave(TObject*) { SetPadHighlight(16, false); }
void TForm1::Label10MouseEnter(TObject*) { SetPadHighlight(14, true); }
void TForm1::Label10MouseLeave(TObject*) { SetPadHighlight(14, false); }
void TForm1::Label11MouseEnter(TObject*) { SetPadHighlight(17, true); }
void TForm1::Label11MouseLeave(TObject*) { SetPadHighlight(17, false); }
void TForm1::Label12MouseEnter(TObject*) { SetPadHighlight(15, true); }
void TForm1::Label12MouseLeave(TObject*) { SetPadHighlight(15, false); }
void TForm1::Label18MouseEnter(TObject*) { SetPadHighlight(23, true); }
void TForm1::Label18MouseLeave(TObject*) { SetPadHighlight(23, false); }
