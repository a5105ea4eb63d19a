// Recording from the TV page: Rec replaces the preview graph by one that also writes the card's
// picture and sound into a Windows Media file in the capture folder, Stop puts a preview graph back.
// The tuner keeps its channel across both replacements. Both graphs use the first capture devices
// found at start-up (ComboBox1 and ComboBox2), not the "Video Device" setting the page's entry uses.
#include "app/TvRecording.h"

#include "app/CaptureDevices.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "platform/asfwriter/AsfWriter.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"

#include <uuids.h>

using namespace classlib;

namespace {

constexpr char kRecordingExtension[] = ".wmv";
// How long the recording graph may take to reach running before its events are read.
constexpr LONG kStartTimeout = 5000;

bool PathTaken(const String& Path) { return GetFileAttributesW(ToWide(Path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether the graph reported that a filter gave up (the writer could not make or write its file).
// Wine's graph passes on the pause result of a Run that a filter failed, so the failure shows here.
bool GraphAborted(IMediaEventEx& Events) {
  bool aborted = false;
  LONG code = 0;
  LONG_PTR first = 0, second = 0;
  while (Events.GetEvent(&code, &first, &second, 0) == S_OK) {
    aborted = aborted || code == EC_ERRORABORT;
    Events.FreeEventParams(code, first, second);
  }
  return aborted;
}

}  // namespace

String RecordingFileName(const String& Folder, const SYSTEMTIME& Time) {
  return Folder + IntToStr(Time.wYear) + IntToStr(Time.wMonth) + IntToStr(Time.wDay) + IntToStr(Time.wHour) +
         IntToStr(Time.wMinute) + kRecordingExtension;
}

String FreeRecordingFileName(const String& Name) {
  if (!PathTaken(Name)) return Name;
  const String stem = Name.substr(0, Name.size() - (sizeof kRecordingExtension - 1));
  for (int number = 2;; ++number) {
    const String candidate = stem + " (" + IntToStr(number) + ")" + kRecordingExtension;
    if (!PathTaken(candidate)) return candidate;
  }
}

void TForm1::RegisterRecordingHandlers() {
  Handler("skSkinSpeedButton14Click", &TForm1::skSkinSpeedButton14Click);
  Handler("Recoder1Click", &TForm1::Recoder1Click);
  Handler("skSkinSpeedButton16Click", &TForm1::skSkinSpeedButton16Click);
  Handler("Stop2Click", &TForm1::Stop2Click);
}

void TForm1::skSkinSpeedButton14Click(TObject*) { StartRecording(); }
void TForm1::Recoder1Click(TObject*) { StartRecording(); }
void TForm1::skSkinSpeedButton16Click(TObject*) { StopRecording(); }
void TForm1::Stop2Click(TObject*) { StopRecording(); }

void TForm1::StartRecording() {
  if (Recording) {
    Application->MessageBox("you have already in record mode", "information", MB_OK);
    return;
  }
  TTvGraph& graph = TvGraph;
  // The recording goes on with the channel being watched.
  if (graph.MediaControl) graph.ReadChannel();
  CloseTvGraph();
  const String fileName = FreeRecordingFileName(RecordingFileName(CaptureFolder, LocalTime()));
  if (!BuildRecordingGraph(fileName)) {
    // Nothing is recorded: the page goes back to what it showed.
    CloseTvGraph();
    BuildRecordingPreview();
    Application->MessageBox("Cannot record to " + fileName, "information", MB_OK);
    return;
  }
  Recording = true;
  // Tuned again once running, as a tuner may change channels while its graph starts.
  graph.TuneChannel(graph.Channel);
}

void TForm1::StopRecording() {
  if (!Recording) {
    Application->MessageBox("you are not in record mode", "information", MB_OK);
    return;
  }
  TTvGraph& graph = TvGraph;
  if (graph.MediaControl) graph.ReadChannel();
  // Stopping the graph makes the writer finish its file.
  CloseTvGraph();
  BuildRecordingPreview();
  Recording = false;
  graph.TuneChannel(graph.Channel);
}

bool TForm1::BuildRecordingGraph(const String& FileName) {
  TTvGraph& graph = TvGraph;
  FindAudioCaptureFilter(graph.AudioCapture, ComboBox2->Text());
  if (!OpenRecordingGraph()) return false;
  graph.MediaEventEx->SetNotifyWindow(0, WM_GRAPHNOTIFY, 0);
  graph.CaptureBuilder->SetFiltergraph(graph.GraphBuilder.Get());
  graph.GraphBuilder->AddFilter(graph.VideoCapture.Get(), L"Video Capture");

  // The writer checks here that the file can be made: a missing or read-only folder fails.
  if (FAILED(graph.CaptureBuilder->SetOutputFileName(&MEDIASUBTYPE_Asf, ToWide(FileName).c_str(),
                                                     graph.AsfWriter.Put(), nullptr)))
    return false;
  if (const auto config = graph.AsfWriter.Query<IConfigAsfWriter>(IID_IConfigAsfWriter))
    config->ConfigureFilterUsingProfileGuid(kAsfWriterProfile);
  // The picture first: the builder connects a stream to the writer's first free input.
  if (FAILED(graph.CaptureBuilder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, graph.VideoCapture.Get(),
                                                nullptr, graph.AsfWriter.Get())))
    return false;
  // Without a sound device the picture is recorded alone.
  if (graph.AudioCapture) {
    graph.GraphBuilder->AddFilter(graph.AudioCapture.Get(), L"audio capture");
    graph.CaptureBuilder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, graph.AudioCapture.Get(), nullptr,
                                       graph.AsfWriter.Get());
  }
  graph.CaptureBuilder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, graph.VideoCapture.Get(), nullptr,
                                     nullptr);
  graph.CaptureBuilder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, graph.VideoCapture.Get(), IID_IAMTVTuner,
                                      graph.Tuner.PutVoid());
  graph.TuneChannel(graph.Channel);
  PlaceTvVideoWindow(false);

  graph.RecordControl = graph.GraphBuilder.Query<IMediaControl>(IID_IMediaControl);
  if (!graph.RecordControl || FAILED(graph.RecordControl->Run())) return false;
  OAFilterState state = State_Stopped;
  graph.RecordControl->GetState(kStartTimeout, &state);
  return !GraphAborted(*graph.MediaEventEx.Get());
}

bool TForm1::OpenRecordingGraph() {
  TTvGraph& graph = TvGraph;
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_ALL, IID_IGraphBuilder, graph.GraphBuilder.PutVoid());
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_ALL, IID_ICaptureGraphBuilder2,
                   graph.CaptureBuilder.PutVoid());
  if (!graph.GraphBuilder || !graph.CaptureBuilder) return false;
  graph.CaptureBuilder->SetFiltergraph(graph.GraphBuilder.Get());
  FindVideoCaptureFilter(graph.VideoCapture, ComboBox1->Text());
  graph.MediaControl = graph.GraphBuilder.Query<IMediaControl>(IID_IMediaControl);
  graph.VideoWindow = graph.GraphBuilder.Query<IVideoWindow>(IID_IVideoWindow);
  graph.MediaEventEx = graph.GraphBuilder.Query<IMediaEventEx>(IID_IMediaEventEx);
  return graph.VideoCapture && graph.MediaControl && graph.VideoWindow && graph.MediaEventEx;
}

void TForm1::BuildRecordingPreview() {
  TTvGraph& graph = TvGraph;
  // A device gone since start-up leaves the page without a picture, as entering it would.
  if (!OpenRecordingGraph()) return;
  graph.CaptureBuilder->SetFiltergraph(graph.GraphBuilder.Get());
  graph.GraphBuilder->AddFilter(graph.VideoCapture.Get(), L"Video Capture");
  graph.CaptureBuilder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, graph.VideoCapture.Get(), nullptr,
                                     nullptr);
  graph.CaptureBuilder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, graph.VideoCapture.Get(), IID_IAMTVTuner,
                                      graph.Tuner.PutVoid());
  graph.TuneChannel(graph.Channel);
  PlaceTvVideoWindow(true);
  graph.MediaControl->Run();
}
