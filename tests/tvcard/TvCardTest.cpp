#include "tests/support/testing.h"

#include "platform/comserver/ComObject.h"
#include "platform/tvcard/TvCard.h"
#include "platform/tvcard/TvCardStrip.h"

#include <dshow.h>
#include <qedit.h>

#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

using comserver::TComRef;

namespace {

std::u16string Text(const WCHAR* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

// The "FriendlyName"s of a device category, in the system device enumerator's order.
std::vector<std::u16string> DeviceNames(REFCLSID Category) {
  std::vector<std::u16string> names;
  TComRef<ICreateDevEnum> devices;
  TComRef<IEnumMoniker> monikers;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_ALL, IID_ICreateDevEnum, devices.PutVoid())) ||
      devices->CreateClassEnumerator(Category, monikers.Put(), 0) != S_OK)
    return names;
  TComRef<IMoniker> device;
  while (monikers->Next(1, device.Put(), nullptr) == S_OK) {
    TComRef<IPropertyBag> properties;
    VARIANT name;
    VariantInit(&name);
    if (SUCCEEDED(device->BindToStorage(nullptr, nullptr, IID_IPropertyBag, properties.PutVoid())) &&
        SUCCEEDED(properties->Read(L"FriendlyName", &name, nullptr)) && V_VT(&name) == VT_BSTR)
      names.push_back(Text(V_BSTR(&name)));
    VariantClear(&name);
  }
  return names;
}

// The capture filter of the device named Name, bound through its moniker as programs do.
TComRef<IBaseFilter> DeviceFilter(REFCLSID Category, const WCHAR* Name) {
  TComRef<IBaseFilter> filter;
  TComRef<ICreateDevEnum> devices;
  TComRef<IEnumMoniker> monikers;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_ALL, IID_ICreateDevEnum, devices.PutVoid())) ||
      devices->CreateClassEnumerator(Category, monikers.Put(), 0) != S_OK)
    return filter;
  TComRef<IMoniker> device;
  while (!filter && monikers->Next(1, device.Put(), nullptr) == S_OK) {
    TComRef<IPropertyBag> properties;
    VARIANT name;
    VariantInit(&name);
    if (SUCCEEDED(device->BindToStorage(nullptr, nullptr, IID_IPropertyBag, properties.PutVoid())) &&
        SUCCEEDED(properties->Read(L"FriendlyName", &name, nullptr)) && V_VT(&name) == VT_BSTR &&
        Text(V_BSTR(&name)) == Text(Name))
      device->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.PutVoid());
    VariantClear(&name);
  }
  return filter;
}

LONG LiveFilters() {
  HMODULE module = GetModuleHandleW(kTvCardModule);
  if (!module) return 0;
  const auto count = reinterpret_cast<TTvCardLiveFilters>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, kTvCardLiveFilters)));
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

// A window of the TV page's video panel's size, to own the video window; topmost, so that windows
// of tests running beside this one do not cover what is read from the screen.
class THost {
public:
  THost() {
    FWindow = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 800, 560, 432,
                              377, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~THost() { DestroyWindow(FWindow); }
  THost(const THost&) = delete;
  THost& operator=(const THost&) = delete;
  HWND Handle() const { return FWindow; }

  // The strip read from what the screen shows of the window, the frame scaled to its client area.
  std::optional<tvcard::TStripReading> Strip() const {
    RECT client;
    GetClientRect(FWindow, &client);
    POINT origin{0, 0};
    ClientToScreen(FWindow, &origin);
    const int width = client.right, height = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const auto reading = tvcard::ReadStrip([&](int x, int y) {
      const DWORD bgr = pixels[(y * height / tvcard::kFrameHeight) * width + x * width / tvcard::kFrameWidth];
      return static_cast<COLORREF>(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    });
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return reading;
  }

  // Waits up to three seconds for the video to show Channel from the input of connector type Input.
  bool Shows(int Channel, long Input) const {
    for (int attempt = 0; attempt < 30; ++attempt) {
      PumpMessages(100);
      const auto reading = Strip();
      if (reading && reading->Channel == Channel && reading->InputType == Input) return true;
    }
    return false;
  }

private:
  HWND FWindow = nullptr;
};

class TvCard : public ::testing::Test {
protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override {
    // The card keeps its state between graphs: leave it as the tests found it.
    if (auto tuner = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner)) tuner->put_Channel(1, -1, -1);
    if (auto crossbar = Create<IAMCrossbar>(CLSID_TvCardCrossbar, IID_IAMCrossbar)) crossbar->Route(0, 0);
    CoUninitialize();
  }

  template <class I>
  static TComRef<I> Create(REFCLSID Class, REFIID Iid) {
    TComRef<I> object;
    CoCreateInstance(Class, nullptr, CLSCTX_INPROC_SERVER, Iid, object.PutVoid());
    return object;
  }

  // Tunes the card through a tuner of its own, as any program's tuner would.
  static void Tune(LONG Channel) {
    const auto tuner = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner);
    ASSERT_TRUE(tuner);
    ASSERT_EQ(tuner->put_Channel(Channel, -1, -1), S_OK);
  }
};

// A graph around the card's video capture filter, as the TV page builds it.
struct TCardGraph {
  TComRef<IGraphBuilder> Graph;
  TComRef<ICaptureGraphBuilder2> Builder;
  TComRef<IBaseFilter> Capture;
  TComRef<IMediaControl> Control;

  TCardGraph() {
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, Graph.PutVoid());
    CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                     Builder.PutVoid());
    if (!Graph || !Builder) return;
    Builder->SetFiltergraph(Graph.Get());
    Capture = DeviceFilter(CLSID_VideoInputDeviceCategory, kTvCardVideoName);
    Graph->QueryInterface(IID_IMediaControl, Control.PutVoid());
    if (Capture) Graph->AddFilter(Capture.Get(), L"Video Capture");
  }
  ~TCardGraph() {
    if (Control) Control->Stop();
  }

  template <class I>
  TComRef<I> Upstream(REFIID Iid) const {
    TComRef<I> found;
    Builder->FindInterface(&LOOK_UPSTREAM_ONLY, nullptr, Capture.Get(), Iid, found.PutVoid());
    return found;
  }
};

TEST_F(TvCard, DeviceEnumeratorListsTheCardFirstInBothCategories) {
  const std::vector<std::u16string> video = DeviceNames(CLSID_VideoInputDeviceCategory);
  ASSERT_FALSE(video.empty());
  EXPECT_EQ(video.front(), Text(kTvCardVideoName));
  const std::vector<std::u16string> audio = DeviceNames(CLSID_AudioInputDeviceCategory);
  ASSERT_FALSE(audio.empty());
  EXPECT_EQ(audio.front(), Text(kTvCardAudioName));

  // Each name binds to its filter.
  CLSID id{};
  TComRef<IBaseFilter> capture = DeviceFilter(CLSID_VideoInputDeviceCategory, kTvCardVideoName);
  ASSERT_TRUE(capture);
  capture->GetClassID(&id);
  EXPECT_EQ(id, CLSID_TvCardVideoCapture);
  TComRef<IBaseFilter> sound = DeviceFilter(CLSID_AudioInputDeviceCategory, kTvCardAudioName);
  ASSERT_TRUE(sound);
  sound->GetClassID(&id);
  EXPECT_EQ(id, CLSID_TvCardAudioCapture);
}

TEST_F(TvCard, CapturePinsNameTheirCategories) {
  struct TCase {
    REFCLSID Filter;
    const WCHAR* Pin;
    const GUID* Category;  // null: the pin has none (it takes the crossbar's signal)
  };
  const TCase cases[] = {{CLSID_TvCardVideoCapture, L"Capture", &PIN_CATEGORY_CAPTURE},
                         {CLSID_TvCardVideoCapture, L"Preview", &PIN_CATEGORY_PREVIEW},
                         {CLSID_TvCardVideoCapture, L"Analog Video In", nullptr},
                         {CLSID_TvCardAudioCapture, L"Capture", &PIN_CATEGORY_CAPTURE}};
  for (const TCase& c : cases) {
    auto filter = Create<IBaseFilter>(c.Filter, IID_IBaseFilter);
    ASSERT_TRUE(filter);
    TComRef<IPin> pin;
    ASSERT_EQ(filter->FindPin(c.Pin, pin.Put()), S_OK);
    TComRef<IKsPropertySet> properties;
    pin->QueryInterface(IID_IKsPropertySet, properties.PutVoid());
    ASSERT_EQ(static_cast<bool>(properties), c.Category != nullptr);
    if (!properties) continue;
    GUID category = GUID_NULL;
    DWORD size = 0;
    EXPECT_EQ(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category, &size),
              S_OK);
    EXPECT_EQ(size, sizeof(GUID));
    EXPECT_EQ(category, *c.Category);
    EXPECT_EQ(properties->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, 4, &size),
              E_UNEXPECTED);
  }
}

TEST_F(TvCard, TunerTakesChannelsInItsRangeOnly) {
  auto tuner = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner);
  ASSERT_TRUE(tuner);
  LONG low = -1, high = -1;
  ASSERT_EQ(tuner->ChannelMinMax(&low, &high), S_OK);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 125);

  struct TCase {
    LONG Channel;
    HRESULT Result;
    LONG Tuned;  // the channel afterwards
  };
  const TCase cases[] = {{5, S_OK, 5}, {0, S_OK, 0}, {125, S_OK, 125}, {126, E_INVALIDARG, 125},
                         {12, S_OK, 12}, {-1, E_INVALIDARG, 12}, {LONG(0x7FFFFFFF), E_INVALIDARG, 12}};
  for (const TCase& c : cases) {
    EXPECT_EQ(tuner->put_Channel(c.Channel, 2, 3), c.Result) << c.Channel;
    LONG channel = -9, video = -9, audio = -9;
    ASSERT_EQ(tuner->get_Channel(&channel, &video, &audio), S_OK);
    EXPECT_EQ(channel, c.Tuned) << c.Channel;
    EXPECT_EQ(video, 2);
    EXPECT_EQ(audio, 3);
  }
  // The channel belongs to the card: another tuner instance sees it.
  auto other = Create<IAMTVTuner>(CLSID_TvCardTuner, IID_IAMTVTuner);
  ASSERT_TRUE(other);
  LONG channel = 0, video = 0, audio = 0;
  other->get_Channel(&channel, &video, &audio);
  EXPECT_EQ(channel, 12);
  EXPECT_EQ(tuner->get_Channel(nullptr, &video, &audio), E_POINTER);
}

TEST_F(TvCard, CrossbarListsTheCardsConnectorsAndRoutesLikeWithLike) {
  auto crossbar = Create<IAMCrossbar>(CLSID_TvCardCrossbar, IID_IAMCrossbar);
  ASSERT_TRUE(crossbar);
  LONG outputs = 0, inputs = 0;
  ASSERT_EQ(crossbar->get_PinCounts(&outputs, &inputs), S_OK);
  EXPECT_EQ(outputs, 2);
  EXPECT_EQ(inputs, 5);
  const LONG inputTypes[] = {1, 2, 3, 0x1000, 0x1001};
  for (LONG index = 0; index < 5; ++index) {
    LONG related = -1, type = -1;
    ASSERT_EQ(crossbar->get_CrossbarPinInfo(TRUE, index, &related, &type), S_OK);
    EXPECT_EQ(type, inputTypes[index]);
  }
  const LONG outputTypes[] = {12, 0x1009};
  for (LONG index = 0; index < 2; ++index) {
    LONG related = -1, type = -1;
    ASSERT_EQ(crossbar->get_CrossbarPinInfo(FALSE, index, &related, &type), S_OK);
    EXPECT_EQ(type, outputTypes[index]);
    EXPECT_EQ(related, 1 - index);
  }
  LONG related = 0, type = 0;
  EXPECT_EQ(crossbar->get_CrossbarPinInfo(TRUE, 5, &related, &type), E_INVALIDARG);
  EXPECT_EQ(crossbar->get_CrossbarPinInfo(FALSE, -1, &related, &type), E_INVALIDARG);

  struct TCase {
    LONG Output, Input;
    HRESULT CanRoute;
  };
  const TCase cases[] = {{0, 1, S_OK}, {0, 2, S_OK}, {1, 4, S_OK}, {0, 3, S_FALSE},
                         {1, 0, S_FALSE}, {2, 0, E_INVALIDARG}, {0, 5, E_INVALIDARG}};
  for (const TCase& c : cases) {
    EXPECT_EQ(crossbar->CanRoute(c.Output, c.Input), c.CanRoute) << c.Output << "<-" << c.Input;
    LONG before = -1, after = -1;
    crossbar->get_IsRoutedTo(c.Output == 1 ? 1 : 0, &before);
    const HRESULT routed = crossbar->Route(c.Output, c.Input);
    crossbar->get_IsRoutedTo(c.Output == 1 ? 1 : 0, &after);
    if (c.CanRoute == S_OK) {
      EXPECT_EQ(routed, S_OK);
      EXPECT_EQ(after, c.Input);
    } else {
      EXPECT_TRUE(FAILED(routed)) << c.Output << "<-" << c.Input;
      EXPECT_EQ(after, before);
    }
  }
  // The routing belongs to the card: another crossbar instance sees it.
  crossbar->Route(0, 1);
  auto other = Create<IAMCrossbar>(CLSID_TvCardCrossbar, IID_IAMCrossbar);
  ASSERT_TRUE(other);
  LONG input = -1;
  ASSERT_EQ(other->get_IsRoutedTo(0, &input), S_OK);
  EXPECT_EQ(input, 1);
  EXPECT_EQ(other->get_IsRoutedTo(2, &input), E_INVALIDARG);
}

TEST_F(TvCard, PreviewShowsTheTunedChannelAndTheRoutedInput) {
  THost host;
  {
    TCardGraph card;
    ASSERT_TRUE(card.Capture);
    ASSERT_EQ(card.Builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, card.Capture.Get(), nullptr, nullptr),
              S_OK);
    auto tuner = card.Upstream<IAMTVTuner>(IID_IAMTVTuner);
    auto crossbar = card.Upstream<IAMCrossbar>(IID_IAMCrossbar);
    ASSERT_TRUE(tuner);
    ASSERT_TRUE(crossbar);
    TComRef<IBaseFilter> crossbarFilter;
    EXPECT_EQ(crossbar->QueryInterface(IID_IBaseFilter, crossbarFilter.PutVoid()), S_OK);

    TComRef<IVideoWindow> video;
    ASSERT_EQ(card.Graph->QueryInterface(IID_IVideoWindow, video.PutVoid()), S_OK);
    video->put_Owner(reinterpret_cast<OAHWND>(host.Handle()));
    video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    video->put_Visible(OATRUE);
    video->SetWindowPosition(0, 0, 432, 377);
    ASSERT_TRUE(SUCCEEDED(card.Control->Run()));
    tuner->put_Channel(5, -1, -1);
    EXPECT_TRUE(host.Shows(5, 1));

    // Changes while running show at once; a refused channel changes nothing.
    EXPECT_EQ(tuner->put_Channel(126, -1, -1), E_INVALIDARG);
    tuner->put_Channel(107, -1, -1);
    EXPECT_TRUE(host.Shows(107, 1));
    crossbar->Route(0, 1);
    EXPECT_TRUE(host.Shows(107, 2));
    crossbar->Route(0, 2);
    EXPECT_TRUE(host.Shows(107, 3));

    card.Control->Stop();
    video->put_Visible(OAFALSE);
    video->put_Owner(0);
  }
  // Releasing the graph let every filter of the card go, the tuner and crossbar it brought as well.
  EXPECT_EQ(LiveFilters(), 0);
}

TEST_F(TvCard, ProbeGraphFindsTunerAndCrossbarWithoutRendering) {
  {
    TCardGraph card;
    ASSERT_TRUE(card.Capture);
    auto tuner = card.Upstream<IAMTVTuner>(IID_IAMTVTuner);
    ASSERT_TRUE(tuner);
    EXPECT_TRUE(SUCCEEDED(card.Control->Run()));
    auto crossbar = card.Upstream<IAMCrossbar>(IID_IAMCrossbar);
    ASSERT_TRUE(crossbar);
    LONG outputs = 0, inputs = 0;
    EXPECT_EQ(crossbar->get_PinCounts(&outputs, &inputs), S_OK);
    EXPECT_EQ(inputs, 5);
    card.Control->Stop();
  }
  EXPECT_EQ(LiveFilters(), 0);
}

// Collects what reaches a sample grabber, on the streaming thread.
class TCollector final : public ISampleGrabberCB {
public:
  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override {
    if (Iid != IID_IUnknown && Iid != IID_ISampleGrabberCB) return E_NOINTERFACE;
    *Object = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP SampleCB(double, IMediaSample* Sample) override {
    BYTE* data = nullptr;
    Sample->GetPointer(&data);
    REFERENCE_TIME start = -1, stop = -1;
    Sample->GetTime(&start, &stop);
    const std::lock_guard guard(FLock);
    FSamples.push_back({std::vector<BYTE>(data, data + Sample->GetActualDataLength()), start, stop});
    return S_OK;
  }
  STDMETHODIMP BufferCB(double, BYTE*, LONG) override { return E_NOTIMPL; }

  struct TSample {
    std::vector<BYTE> Data;
    REFERENCE_TIME Start, Stop;
  };
  std::vector<TSample> Samples() {
    const std::lock_guard guard(FLock);
    return FSamples;
  }

private:
  std::mutex FLock;
  std::vector<TSample> FSamples;
};

// Runs Source's capture pin of Major into a sample grabber for about half a second.
std::vector<TCollector::TSample> CaptureSamples(IBaseFilter& Source, REFGUID Major) {
  TCollector collector;
  TComRef<IGraphBuilder> graph;
  TComRef<ICaptureGraphBuilder2> builder;
  TComRef<IBaseFilter> grabberFilter, sink;
  TComRef<ISampleGrabber> grabber;
  TComRef<IMediaControl> control;
  CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.PutVoid());
  CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER, IID_ICaptureGraphBuilder2,
                   builder.PutVoid());
  CoCreateInstance(CLSID_SampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, grabberFilter.PutVoid());
  CoCreateInstance(CLSID_NullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, sink.PutVoid());
  EXPECT_TRUE(graph && builder && grabberFilter && sink);
  if (!graph || !builder || !grabberFilter || !sink) return {};
  builder->SetFiltergraph(graph.Get());
  grabberFilter->QueryInterface(IID_ISampleGrabber, grabber.PutVoid());
  grabber->SetCallback(&collector, 0);
  graph->AddFilter(&Source, L"Source");
  graph->AddFilter(grabberFilter.Get(), L"Grabber");
  graph->AddFilter(sink.Get(), L"Sink");
  EXPECT_EQ(builder->RenderStream(&PIN_CATEGORY_CAPTURE, &Major, &Source, grabberFilter.Get(), sink.Get()), S_OK);
  graph->QueryInterface(IID_IMediaControl, control.PutVoid());
  EXPECT_TRUE(SUCCEEDED(control->Run()));
  PumpMessages(500);
  control->Stop();
  grabber->SetCallback(nullptr, 0);
  return collector.Samples();
}

TEST_F(TvCard, CapturePinDeliversLiveFramesWithTheStrip) {
  Tune(42);
  {
    TComRef<IBaseFilter> capture = DeviceFilter(CLSID_VideoInputDeviceCategory, kTvCardVideoName);
    ASSERT_TRUE(capture);
    const auto samples = CaptureSamples(*capture.Get(), MEDIATYPE_Video);
    // 25 frames a second, in real time (about 12 in half a second, with room for a busy machine),
    // stamped one frame apart.
    ASSERT_GE(samples.size(), 5u);
    EXPECT_LE(samples.size(), 20u);
    for (std::size_t index = 1; index < samples.size(); ++index) {
      EXPECT_EQ(samples[index].Start - samples[index - 1].Start, 400000);
      EXPECT_EQ(samples[index].Stop - samples[index].Start, 400000);
    }
    const auto& frame = samples.back().Data;
    ASSERT_EQ(frame.size(), 640u * 480 * 4);
    const auto pixel = [&](const std::vector<BYTE>& data, int x, int y) {
      const BYTE* p = &data[((479 - y) * 640 + x) * 4];  // bottom-up rows
      return static_cast<COLORREF>(RGB(p[2], p[1], p[0]));
    };
    const auto reading = tvcard::ReadStrip([&](int x, int y) { return pixel(frame, x, y); });
    ASSERT_TRUE(reading);
    EXPECT_EQ(reading->Channel, 42);
    EXPECT_EQ(reading->InputType, 1);
    // Something moves from frame to frame below the strip; the strip stays.
    EXPECT_NE(std::vector<BYTE>(samples[0].Data.begin(), samples[0].Data.begin() + 640 * 400 * 4),
              std::vector<BYTE>(frame.begin(), frame.begin() + 640 * 400 * 4));
  }
  EXPECT_EQ(LiveFilters(), 0);
}

// The format the first pin of Filter offers first.
std::vector<BYTE> FirstFormat(IBaseFilter& Filter, GUID& FormatType) {
  TComRef<IEnumPins> pins;
  TComRef<IPin> pin;
  TComRef<IEnumMediaTypes> types;
  AM_MEDIA_TYPE* type = nullptr;
  if (FAILED(Filter.EnumPins(pins.Put())) || pins->Next(1, pin.Put(), nullptr) != S_OK ||
      FAILED(pin->EnumMediaTypes(types.Put())) || types->Next(1, &type, nullptr) != S_OK)
    return {};
  FormatType = type->formattype;
  std::vector<BYTE> format(type->pbFormat, type->pbFormat + type->cbFormat);
  CoTaskMemFree(type->pbFormat);
  CoTaskMemFree(type);
  return format;
}

TEST_F(TvCard, AudioCaptureGivesAToneThatFollowsTheChannel) {
  TComRef<IBaseFilter> sound = DeviceFilter(CLSID_AudioInputDeviceCategory, kTvCardAudioName);
  ASSERT_TRUE(sound);
  GUID formatType = GUID_NULL;
  const std::vector<BYTE> format = FirstFormat(*sound.Get(), formatType);
  ASSERT_EQ(formatType, FORMAT_WaveFormatEx);
  ASSERT_GE(format.size(), sizeof(WAVEFORMATEX));
  const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(format.data());
  EXPECT_EQ(wave->wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(wave->nSamplesPerSec, 44100u);
  EXPECT_EQ(wave->wBitsPerSample, 16);
  EXPECT_EQ(wave->nChannels, 2);

  // The pitch from the zero crossings of the left channel.
  const auto pitch = [&](LONG channel) {
    Tune(channel);
    const auto samples = CaptureSamples(*sound.Get(), MEDIATYPE_Audio);
    std::vector<SHORT> left;
    for (const auto& sample : samples) {
      const auto* values = reinterpret_cast<const SHORT*>(sample.Data.data());
      for (std::size_t i = 0; i + 1 < sample.Data.size() / 2; i += 2) left.push_back(values[i]);
    }
    int rises = 0;
    for (std::size_t i = 1; i < left.size(); ++i) rises += left[i - 1] < 0 && left[i] >= 0;
    return left.empty() ? 0.0 : rises * 44100.0 / static_cast<double>(left.size());
  };
  const double low = pitch(5), high = pitch(60);
  EXPECT_NEAR(low, 400, 20);
  EXPECT_NEAR(high, 1500, 30);
  sound.Reset();
  EXPECT_EQ(LiveFilters(), 0);
}

}  // namespace
