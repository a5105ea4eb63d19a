// Capture devices: connector names, the crossbar's last video input and the first-run detection.
#include "tests/app/AppTesting.h"

#include "app/CaptureDevices.h"
#include "app/Settings.h"

#include <vector>

using testing_support::TempDir;

namespace {

TEST(CaptureDevices, ConnectorTypeNames) {
  struct Case {
    long type;
    const char* name;
    bool video;
  };
  const Case cases[] = {
      {1, "Video Tuner", true},         {2, "Video Composite", true},  {3, "S-Video", true},
      {5, "Video YRYBY", true},         {12, "Video Decoder", true},   {13, "Video Encoder", true},
      {14, "Unknown Type", true},       {15, "Unknown Type", true},    {16, "Unknown Type", false},
      {0, "Unknown Type", false},       {0x1000, "Audio Tuner", false}, {0x1003, "Audio AES/EBU Digital", false},
      {0x1009, "Audio Decoder", false}, {0x100A, "Unknown Type", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConnectorTypeName(c.type), c.name) << c.type;
    EXPECT_EQ(IsVideoConnectorType(c.type), c.video) << c.type;
  }
}

// A crossbar with the given input pins (physical connector types) and one output.
class TFakeCrossbar : public IAMCrossbar {
public:
  explicit TFakeCrossbar(std::vector<LONG> Inputs) : FInputs(std::move(Inputs)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Object) override {
    if (IsEqualIID(Iid, IID_IUnknown) || IsEqualIID(Iid, IID_IAMCrossbar)) {
      *Object = this;
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE get_PinCounts(LONG* Outputs, LONG* Inputs) override {
    *Outputs = 1;
    *Inputs = static_cast<LONG>(FInputs.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CanRoute(LONG, LONG) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Route(LONG, LONG) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE get_IsRoutedTo(LONG, LONG* Input) override {
    *Input = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_CrossbarPinInfo(BOOL IsInput, LONG Index, LONG* Related, LONG* Type) override {
    *Related = 0;
    if (!IsInput) {
      *Type = 12;  // video decoder
      return S_OK;
    }
    if (Index < 0 || Index >= static_cast<LONG>(FInputs.size())) return E_INVALIDARG;
    *Type = FInputs[static_cast<size_t>(Index)];
    return S_OK;
  }

private:
  std::vector<LONG> FInputs;
};

TEST(CaptureDevices, LastVideoInputOfTheCrossbarBecomesTheCaptureSource) {
  struct Case {
    std::vector<LONG> inputs;
    const char* expected;
  };
  const Case cases[] = {
      {{1, 2, 3}, "S-Video"},
      {{0x1000, 2, 0x1001}, "Video Composite"},
      {{1, 15}, "Unknown Type"},
      {{0x1000, 0x1001}, "before"},  // no video input: the setting stays
      {{}, "before"},
  };
  for (const Case& c : cases) {
    CaptureSourceName = "before";
    TFakeCrossbar crossbar(c.inputs);
    FindLastVideoSource(&crossbar);
    EXPECT_EQ(CaptureSourceName, c.expected);
  }
  CaptureSourceName.clear();
}

TEST(CaptureDevices, DetectionWithoutVideoDeviceWritesNothing) {
  CoInitialize(nullptr);
  if (FindFirstDevice(CLSID_VideoInputDeviceCategory).CategoryListed)
    GTEST_SKIP() << "this system lists video capture devices";
  TempDir dir;
  VideoDeviceName = "Old Card";
  DetectCaptureDevices(dir.windowsFile("config.ini"));
  EXPECT_EQ(VideoDeviceName, "");
  EXPECT_EQ(testing_support::RunTool("test -e '" + dir.unixFile("config.ini") + "'"), 1)
      << "config.ini was written although no video capture device exists";
}

}  // namespace
