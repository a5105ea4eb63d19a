// Capture devices: connector names, the crossbar's last video input and the first-run detection.
#include "tests/app/AppTesting.h"
#include "tests/app/FakeCrossbar.h"

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

TEST(CaptureDevices, CrossbarPinOfAPhysicalType) {
  struct Case {
    std::vector<LONG> inputs;
    long type;
    bool input;
    HRESULT result;
    long index;
  };
  const Case cases[] = {
      {{1, 2, 3}, 12, false, S_OK, 0},         {{1, 2, 3}, 2, true, S_OK, 1},
      {{1, 2, 2}, 2, true, S_OK, 1},           // the first of two
      {{1, 2, 3}, 0x1001, true, E_FAIL, -1},   {{1, 2, 3}, 0x1009, false, E_FAIL, -1},
      {{1, 2, 3}, 12, true, E_FAIL, -1},       // an output type among the inputs
      {{}, 1, true, E_FAIL, -1},
  };
  for (const Case& c : cases) {
    TFakeCrossbar crossbar(c.inputs);
    long index = -1;
    EXPECT_EQ(FindCrossbarPin(&crossbar, c.type, c.input, index), c.result) << c.type;
    EXPECT_EQ(index, c.index) << c.type;
  }
  TFakeCrossbar broken({1, 2, 3});
  broken.CountResult = E_UNEXPECTED;
  long index = -1;
  EXPECT_EQ(FindCrossbarPin(&broken, 1, true, index), E_UNEXPECTED) << "the count's failure is returned";
}

}  // namespace
