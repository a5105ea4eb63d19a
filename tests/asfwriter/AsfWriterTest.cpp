// The writer as programs reach it: through the system's capture graph builder, which the prefix
// makes ours, recording the simulated TV card.
#include "tests/support/testing.h"

#include "platform/asfwriter/AsfWriter.h"
#include "platform/comserver/ComObject.h"
#include "platform/tvcard/TvCard.h"
#include "platform/tvcard/TvCardStrip.h"
#include "tests/asfwriter/AsfProbe.h"

#include <dshow.h>
#include <uuids.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using testing_support::TempDir;
using comserver::TComRef;

namespace {

std::u16string Wide(const std::string& Text) { return std::u16string(Text.begin(), Text.end()); }
const WCHAR* W(const std::u16string& Text) { return reinterpret_cast<const WCHAR*>(Text.c_str()); }

bool Exists(const std::u16string& Path) { return GetFileAttributesW(W(Path)) != INVALID_FILE_ATTRIBUTES; }

LONG LiveWriters() {
  HMODULE module = GetModuleHandleW(kAsfWriterModule);
  if (!module) return 0;
  const auto count = reinterpret_cast<TAsfWriterLiveFilters>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, kAsfWriterLiveFilters)));
  return count ? count() : -1;
}

void PumpMessages(DWORD Milliseconds) {
  const ULONGLONG end = GetTickCount64() + Milliseconds;
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  } while (GetTickCount64() < end);
}

template <class I>
TComRef<I> Create(REFCLSID Class, REFIID Iid) {
  TComRef<I> object;
  CoCreateInstance(Class, nullptr, CLSCTX_INPROC_SERVER, Iid, object.PutVoid());
  return object;
}

class AsfWriter : public ::testing::Test {
protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override {
    if (auto tuner = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner)) tuner->put_Channel(1, -1, -1);
    CoUninitialize();
  }
};

// A recording graph as programs build it: the card's capture filters into the writer that the
// capture graph builder hands out for File.
struct TRecording {
  TComRef<IGraphBuilder> Graph;
  TComRef<ICaptureGraphBuilder2> Builder;
  TComRef<IBaseFilter> Video, Audio, Writer;
  TComRef<IMediaControl> Control;

  explicit TRecording(const std::u16string& File) {
    Graph = Create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
    Builder = Create<ICaptureGraphBuilder2>(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2);
    Video = Create<IBaseFilter>(CLSID_TvCardVideoCapture, IID_IBaseFilter);
    Audio = Create<IBaseFilter>(CLSID_TvCardAudioCapture, IID_IBaseFilter);
    if (!Graph || !Builder || !Video || !Audio) return;
    Graph->QueryInterface(IID_IMediaControl, Control.PutVoid());
    Builder->SetFiltergraph(Graph.Get());
    Graph->AddFilter(Video.Get(), L"Video Capture");
    Graph->AddFilter(Audio.Get(), L"audio capture");
    Named = Builder->SetOutputFileName(&MEDIASUBTYPE_Asf, W(File), Writer.Put(), nullptr);
  }
  ~TRecording() {
    if (Control) Control->Stop();
  }

  HRESULT Named = E_FAIL;
};

TEST_F(AsfWriter, RecordsTheCardsPictureAndSoundIntoAPlayableFile) {
  if (!testing_support::HasTool("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
  TempDir dir;
  const std::u16string file = Wide(dir.windowsFile("recording.wmv"));
  const auto tuner = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner);
  ASSERT_TRUE(tuner);
  ASSERT_EQ(tuner->put_Channel(42, -1, -1), S_OK);
  {
    TRecording recording(file);
    ASSERT_EQ(recording.Named, S_OK);
    ASSERT_TRUE(recording.Writer);
    TComRef<IConfigAsfWriter> config;
    ASSERT_EQ(recording.Writer->QueryInterface(IID_IConfigAsfWriter, config.PutVoid()), S_OK);
    EXPECT_EQ(config->ConfigureFilterUsingProfileGuid(kAsfWriterProfile), S_OK);
    ASSERT_EQ(recording.Builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, recording.Video.Get(), nullptr,
                                              recording.Writer.Get()),
              S_OK);
    ASSERT_EQ(recording.Builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, recording.Audio.Get(), nullptr,
                                              recording.Writer.Get()),
              S_OK);
    ASSERT_TRUE(SUCCEEDED(recording.Control->Run()));
    PumpMessages(3000);
    EXPECT_TRUE(SUCCEEDED(recording.Control->Stop()));
  }
  // The graph let the writer go.
  EXPECT_EQ(LiveWriters(), 0);

  const std::string unixPath = dir.unixFile("recording.wmv");
  EXPECT_EQ(asfprobe::Streams(unixPath), "wmv2,video,640,480\nwmav2,audio,44100,2\nasf\n");
  const double duration = asfprobe::Duration(unixPath);
  EXPECT_GE(duration, 2.5);
  EXPECT_LE(duration, 4.0);
  EXPECT_TRUE(asfprobe::HasIndex(unixPath));

  // A picture from the middle shows the tuned channel; the sound is the card's tone for it.
  const std::string picture = asfprobe::Picture(unixPath, 1.5);
  ASSERT_EQ(picture.size(), 640u * 480 * 3);
  const auto reading = tvcard::ReadStrip([&](int x, int y) {
    const auto* p = reinterpret_cast<const unsigned char*>(&picture[(static_cast<std::size_t>(y) * 640 + x) * 3]);
    return static_cast<COLORREF>(RGB(p[0], p[1], p[2]));
  });
  ASSERT_TRUE(reading);
  EXPECT_EQ(reading->Channel, 42);
  const std::vector<int16_t> sound = asfprobe::Sound(unixPath);
  EXPECT_NEAR(sound.size() / 44100.0, duration, 0.3);
  EXPECT_NEAR(asfprobe::Pitch(sound), 300 + 20 * 42, 30);
}

// The events the graph holds, as (code, first parameter) pairs.
std::vector<std::pair<LONG, LONG_PTR>> Events(IGraphBuilder& Graph) {
  std::vector<std::pair<LONG, LONG_PTR>> events;
  TComRef<IMediaEvent> queue;
  if (FAILED(Graph.QueryInterface(IID_IMediaEvent, queue.PutVoid()))) return events;
  LONG code = 0;
  LONG_PTR first = 0, second = 0;
  while (queue->GetEvent(&code, &first, &second, 0) == S_OK) {
    events.emplace_back(code, first);
    queue->FreeEventParams(code, first, second);
  }
  return events;
}

TEST_F(AsfWriter, AnUnwritableFileIsRefusedAndLeavesNothing) {
  TempDir dir;
  // A folder that is not there: naming the file fails already.
  const std::u16string missing = Wide(dir.windowsFile("gone"));
  {
    TRecording recording(missing + u"\\take.wmv");
    EXPECT_EQ(recording.Named, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(recording.Writer);
  }
  EXPECT_FALSE(Exists(missing));

  // A folder that goes between naming and running: the Run fails (Wine's graph drops a filter's
  // failed Run, so the graph hears of it as well), the graph stops as ever, and no file is left.
  const std::u16string folder = Wide(dir.windowsFile("going"));
  const std::u16string file = folder + u"\\take.wmv";
  ASSERT_TRUE(CreateDirectoryW(W(folder), nullptr));
  {
    TRecording recording(file);
    ASSERT_EQ(recording.Named, S_OK);
    ASSERT_EQ(recording.Builder->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, recording.Video.Get(), nullptr,
                                              recording.Writer.Get()),
              S_OK);
    ASSERT_TRUE(RemoveDirectoryW(W(folder)));
    recording.Control->Run();
    PumpMessages(300);
    const auto events = Events(*recording.Graph.Get());
    const bool reported = std::find(events.begin(), events.end(),
                                    std::pair<LONG, LONG_PTR>(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND))) !=
                          events.end();
    EXPECT_TRUE(reported);
    EXPECT_TRUE(SUCCEEDED(recording.Control->Stop()));
  }
  EXPECT_FALSE(Exists(file));
  EXPECT_EQ(LiveWriters(), 0);
}

TEST_F(AsfWriter, BuilderHandsOutTheWriterForAsfOnlyAndLeavesWinesEntryAlone) {
  TempDir dir;
  const std::u16string file = Wide(dir.windowsFile("take.wmv"));
  auto builder = Create<ICaptureGraphBuilder2>(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2);
  ASSERT_TRUE(builder);

  // Other types get Wine's answer.
  TComRef<IBaseFilter> filter;
  TComRef<IFileSinkFilter> sink;
  EXPECT_EQ(builder->SetOutputFileName(&MEDIASUBTYPE_Avi, W(file), filter.Put(), sink.Put()), E_NOTIMPL);
  EXPECT_FALSE(filter);
  EXPECT_EQ(builder->SetOutputFileName(&MEDIASUBTYPE_Asf, W(file), nullptr, nullptr), E_POINTER);

  // With no graph yet, the builder makes one and puts the writer in it.
  ASSERT_EQ(builder->SetOutputFileName(&MEDIASUBTYPE_Asf, W(file), filter.Put(), sink.Put()), S_OK);
  ASSERT_TRUE(filter);
  ASSERT_TRUE(sink);
  TComRef<IGraphBuilder> graph;
  ASSERT_EQ(builder->GetFiltergraph(graph.Put()), S_OK);
  FILTER_INFO info{};
  ASSERT_EQ(filter->QueryFilterInfo(&info), S_OK);
  EXPECT_EQ(info.pGraph, static_cast<IFilterGraph*>(graph.Get()));
  if (info.pGraph) info.pGraph->Release();
  CLSID id{};
  filter->GetClassID(&id);
  EXPECT_EQ(id, CLSID_WMAsfWriter);

  LPOLESTR name = nullptr;
  AM_MEDIA_TYPE type{};
  ASSERT_EQ(sink->GetCurFile(&name, &type), S_OK);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(name)), file);
  EXPECT_EQ(type.subtype, MEDIASUBTYPE_Asf);
  CoTaskMemFree(name);
  // Naming is all: no file before the graph runs, and a file of that name stays as it is.
  EXPECT_FALSE(Exists(file));
  const std::string kept = dir.unixFile("kept.wmv");
  testing_support::WriteUnixFile(kept, "an earlier recording");
  EXPECT_EQ(sink->SetFileName(W(Wide(dir.windowsFile("kept.wmv"))), nullptr), S_OK);
  EXPECT_EQ(testing_support::ReadUnixFile(kept), "an earlier recording");

  // Wine's own builder stays registered as it was, with ours as its TreatAs.
  CLSID treatAs{};
  EXPECT_EQ(CoGetTreatAsClass(CLSID_CaptureGraphBuilder2, &treatAs), S_OK);
  EXPECT_EQ(treatAs, CLSID_AsfCaptureGraphBuilder);
  WCHAR server[MAX_PATH] = {};
  LONG size = sizeof server;
  EXPECT_EQ(RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{BF87B6E1-8C27-11D0-B3F0-00AA003761C5}\\InprocServer32", server,
                           &size),
            ERROR_SUCCESS);
  EXPECT_EQ(lstrcmpiW(server, L"C:\\windows\\system32\\qcap.dll"), 0);
}

TEST_F(AsfWriter, KnowsOneProfileOnly) {
  auto config = Create<IConfigAsfWriter>(CLSID_WMAsfWriter, IID_IConfigAsfWriter);
  ASSERT_TRUE(config);
  GUID profile = GUID_NULL;
  ASSERT_EQ(config->GetCurrentProfileGuid(&profile), S_OK);
  EXPECT_EQ(profile, kAsfWriterProfile);

  const GUID other = {0xbbc75500, 0x33d2, 0x4466, {0xb8, 0x6b, 0x12, 0x2b, 0x20, 0x1c, 0xc9, 0xae}};
  struct TCase {
    const GUID& Profile;
    bool Taken;
  };
  const TCase cases[] = {{kAsfWriterProfile, true}, {other, false}, {GUID_NULL, false}, {CLSID_WMAsfWriter, false}};
  for (const TCase& c : cases) {
    const HRESULT configured = config->ConfigureFilterUsingProfileGuid(c.Profile);
    EXPECT_EQ(SUCCEEDED(configured), c.Taken);
    ASSERT_EQ(config->GetCurrentProfileGuid(&profile), S_OK);
    EXPECT_EQ(profile, kAsfWriterProfile);
  }
  EXPECT_EQ(config->GetCurrentProfileGuid(nullptr), E_POINTER);
}

// A media type with a copy of Format as its format block.
struct TType {
  AM_MEDIA_TYPE Type{};
  std::vector<BYTE> Format;
  template <class Record>
  TType(const GUID& Major, const GUID& Sub, const GUID& FormatType, const Record& Value)
      : Format(reinterpret_cast<const BYTE*>(&Value), reinterpret_cast<const BYTE*>(&Value) + sizeof Value) {
    Type.majortype = Major;
    Type.subtype = Sub;
    Type.formattype = FormatType;
    Type.cbFormat = static_cast<ULONG>(Format.size());
    Type.pbFormat = Format.data();
  }
};

VIDEOINFOHEADER Video(WORD Bits, DWORD Compression, LONG Width = 320, LONG Height = 240) {
  VIDEOINFOHEADER info{};
  info.AvgTimePerFrame = 400000;
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = Bits;
  info.bmiHeader.biCompression = Compression;
  return info;
}

WAVEFORMATEX Wave(WORD Tag, WORD Channels, DWORD Rate, WORD Bits) {
  WAVEFORMATEX wave{};
  wave.wFormatTag = Tag;
  wave.nChannels = Channels;
  wave.nSamplesPerSec = Rate;
  wave.wBitsPerSample = Bits;
  wave.nBlockAlign = static_cast<WORD>(Channels * Bits / 8);
  wave.nAvgBytesPerSec = Rate * wave.nBlockAlign;
  return wave;
}

TEST_F(AsfWriter, PinsTakeUncompressedPicturesAndPcm) {
  auto writer = Create<IBaseFilter>(CLSID_WMAsfWriter, IID_IBaseFilter);
  ASSERT_TRUE(writer);
  TComRef<IPin> video, audio;
  ASSERT_EQ(writer->FindPin(L"Video Input 01", video.Put()), S_OK);
  ASSERT_EQ(writer->FindPin(L"Audio Input 01", audio.Put()), S_OK);

  const DWORD yuy2 = MAKEFOURCC('Y', 'U', 'Y', '2');
  struct TCase {
    const char* Name;
    TType Type;
    bool Video, Audio;  // taken by each pin
  };
  const TCase cases[] = {
      {"rgb32", {MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Video(32, BI_RGB)}, true, false},
      {"rgb24 top-down", {MEDIATYPE_Video, MEDIASUBTYPE_RGB24, FORMAT_VideoInfo, Video(24, BI_RGB, 320, -240)}, true,
       false},
      {"yuy2", {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, Video(16, yuy2)}, true, false},
      {"yuy2 of odd width", {MEDIATYPE_Video, MEDIASUBTYPE_YUY2, FORMAT_VideoInfo, Video(16, yuy2, 321)}, false, false},
      {"rgb565", {MEDIATYPE_Video, MEDIASUBTYPE_RGB565, FORMAT_VideoInfo, Video(16, BI_BITFIELDS)}, false, false},
      {"rgb32 saying 24 bits", {MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Video(24, BI_RGB)}, false, false},
      {"huge", {MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Video(32, BI_RGB, 100000, 100000)}, false, false},
      {"pcm 16-bit stereo", {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, Wave(1, 2, 44100, 16)}, false,
       true},
      {"pcm 8-bit mono", {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, Wave(1, 1, 8000, 8)}, false, true},
      {"pcm 24-bit", {MEDIATYPE_Audio, MEDIASUBTYPE_PCM, FORMAT_WaveFormatEx, Wave(1, 2, 48000, 24)}, false, false},
      {"float", {MEDIATYPE_Audio, MEDIASUBTYPE_IEEE_FLOAT, FORMAT_WaveFormatEx, Wave(3, 2, 48000, 32)}, false, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(video->QueryAccept(&c.Type.Type), c.Video ? S_OK : S_FALSE) << c.Name;
    EXPECT_EQ(audio->QueryAccept(&c.Type.Type), c.Audio ? S_OK : S_FALSE) << c.Name;
  }
  // A format block shorter than its type needs is refused, not read past.
  TType cut(MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Video(32, BI_RGB));
  cut.Type.cbFormat = 40;
  EXPECT_EQ(video->QueryAccept(&cut.Type), S_FALSE);
}

// Delivers one sample to a pin on a thread of its own, as a source's streaming thread would.
class TDelivery {
public:
  TDelivery(IMemInputPin& Pin, IMediaSample& Sample) : FPin(Pin), FSample(Sample) {
    FThread = CreateThread(nullptr, 0, Deliver, this, 0, nullptr);
  }
  ~TDelivery() {
    WaitForSingleObject(FThread, INFINITE);
    CloseHandle(FThread);
  }
  TDelivery(const TDelivery&) = delete;
  TDelivery& operator=(const TDelivery&) = delete;

  // Whether the delivery returned within Milliseconds.
  bool Done(DWORD Milliseconds) const { return WaitForSingleObject(FThread, Milliseconds) == WAIT_OBJECT_0; }
  HRESULT Result() const { return FResult; }

private:
  static DWORD WINAPI Deliver(void* Delivery) {
    auto& delivery = *static_cast<TDelivery*>(Delivery);
    delivery.FResult = delivery.FPin.Receive(&delivery.FSample);
    return 0;
  }

  IMemInputPin& FPin;
  IMediaSample& FSample;
  HRESULT FResult = E_PENDING;
  HANDLE FThread;
};

TEST_F(AsfWriter, ADeliveryWhilePausedWaitsForTheFileOrAFlush) {
  TempDir dir;
  const std::u16string file = Wide(dir.windowsFile("paused.wmv"));
  auto writer = Create<IBaseFilter>(CLSID_WMAsfWriter, IID_IBaseFilter);
  auto other = Create<IBaseFilter>(CLSID_WMAsfWriter, IID_IBaseFilter);
  ASSERT_TRUE(writer && other);
  TComRef<IFileSinkFilter> sink;
  writer->QueryInterface(IID_IFileSinkFilter, sink.PutVoid());
  ASSERT_EQ(sink->SetFileName(W(file), nullptr), S_OK);
  TComRef<IPin> pin, connector;
  writer->FindPin(L"Video Input 01", pin.Put());
  other->FindPin(L"Video Input 01", connector.Put());  // any pin stands for the source's
  const TType type(MEDIATYPE_Video, MEDIASUBTYPE_RGB32, FORMAT_VideoInfo, Video(32, BI_RGB));
  ASSERT_EQ(pin->ReceiveConnection(connector.Get(), &type.Type), S_OK);
  TComRef<IMemInputPin> input;
  pin->QueryInterface(IID_IMemInputPin, input.PutVoid());

  // A picture of the connection's size, stamped at the start.
  TComRef<IMemAllocator> allocator;
  ASSERT_EQ(input->GetAllocator(allocator.Put()), S_OK);
  ALLOCATOR_PROPERTIES wanted{1, 320 * 240 * 4, 1, 0}, actual{};
  ASSERT_EQ(allocator->SetProperties(&wanted, &actual), S_OK);
  ASSERT_EQ(allocator->Commit(), S_OK);
  TComRef<IMediaSample> sample;
  ASSERT_EQ(allocator->GetBuffer(sample.Put(), nullptr, nullptr, 0), S_OK);
  sample->SetActualDataLength(320 * 240 * 4);
  REFERENCE_TIME start = 0, stop = 400000;
  sample->SetTime(&start, &stop);

  // Paused: the delivery waits until the Run makes the file.
  ASSERT_EQ(writer->Pause(), S_OK);
  {
    TDelivery delivery(*input.Get(), *sample.Get());
    EXPECT_FALSE(delivery.Done(300));
    EXPECT_FALSE(Exists(file));
    ASSERT_EQ(writer->Run(0), S_OK);
    ASSERT_TRUE(delivery.Done(5000));
    EXPECT_EQ(delivery.Result(), S_OK);
  }
  EXPECT_EQ(writer->Stop(), S_OK);
  EXPECT_EQ(asfprobe::Streams(dir.unixFile("paused.wmv")), "wmv2,video,320,240\nasf\n");

  // Paused again: a flush frees the waiting delivery, which is refused.
  ASSERT_EQ(writer->Pause(), S_OK);
  {
    TDelivery delivery(*input.Get(), *sample.Get());
    EXPECT_FALSE(delivery.Done(300));
    pin->BeginFlush();
    ASSERT_TRUE(delivery.Done(5000));
    EXPECT_EQ(delivery.Result(), S_FALSE);
    pin->EndFlush();
  }
  EXPECT_EQ(writer->Stop(), S_OK);
  sample.Reset();
  allocator->Decommit();
  pin->Disconnect();
}

}  // namespace
