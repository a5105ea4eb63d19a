// The TV page's line-in volume: the level arithmetic, and the pad's steps on this system's mixers.
#include "tests/app/AppTesting.h"

#include "app/LineInVolume.h"
#include "app/Settings.h"
#include "app/Unit1.h"
#include "platform/classlib/WideText.h"

#include <vector>

using namespace classlib;

namespace {

// A level given in percent of a maximum of 100, where percent and value agree.
TEST(LineInVolume, StepsTenPointsBetweenZeroAndNinety) {
  struct Case {
    DWORD percent, raised, lowered;
  };
  const Case cases[] = {{0, 10, 0},  {5, 15, 0},  {15, 25, 0},  {20, 30, 0}, {21, 31, 11},
                        {80, 90, 70}, {85, 90, 75}, {95, 90, 85}, {100, 90, 90}};
  for (const Case& c : cases) {
    EXPECT_EQ(SteppedLineInLevel(c.percent, 100, true), c.raised) << c.percent;
    EXPECT_EQ(SteppedLineInLevel(c.percent, 100, false), c.lowered) << c.percent;
  }
}

TEST(LineInVolume, LevelsAreWholePercentOfTheMaximum) {
  struct Case {
    DWORD current, maximum;
    bool raise;
    DWORD level;
  };
  const Case cases[] = {
      {32767, 65535, true, 38665},  // 49 % -> 59 %
      {32767, 65535, false, 25558},  // 49 % -> 39 %
      {65535, 65535, true, 58981},  // never above 90 %
      {13106, 65535, false, 0},     // 19 %
      {0xFFFFFFF0u, 0xFFFFFFFFu, false, 3822520892u},  // 99 % -> 89 %: a wide range does not wrap
  };
  for (const Case& c : cases) EXPECT_EQ(SteppedLineInLevel(c.current, c.maximum, c.raise), c.level) << c.current;
}

TEST(LineInVolume, NoLevelFromAFailedReadOrAControlWithoutRange) {
  EXPECT_FALSE(SteppedLineInLevel(kNoControlValue, 65535, true));
  EXPECT_FALSE(SteppedLineInLevel(kNoControlValue, 65535, false));
  EXPECT_FALSE(SteppedLineInLevel(100, 0, true));
  EXPECT_FALSE(SteppedLineInLevel(0, 0, false));
}

// Wine's mixers here have no line input: the pad changes nothing and says nothing, for the
// device the settings name and for a name no device has.
TEST(LineInVolume, MixersWithoutLineInputAreLeftAlone) {
  std::vector<String> names;
  for (UINT device = 0; device < waveInGetNumDevs(); ++device) {
    WAVEINCAPSA caps{};
    if (waveInGetDevCapsA(device, &caps, sizeof caps) == MMSYSERR_NOERROR) names.push_back(FromAnsi(caps.szPname));
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, device, 0, 0, 0) != MMSYSERR_NOERROR) continue;
    MIXERCONTROLA control{};
    EXPECT_FALSE(GetLineInVolumeControl(mixer, kLineInComponent, kVolumeControl, control)) << caps.szPname;
    mixerClose(mixer);
  }
  ASSERT_FALSE(names.empty()) << "Wine lists its wave-input devices";
  names.push_back("No Such Sound Card");

  auto form = apptesting::MakeForm<TForm1>();
  std::vector<apptesting::TDialogSeen> messages;
  {
    apptesting::TDialogAnswerer answerer(IDOK);
    for (const String& name : names) {
      AudioDeviceName = name;
      form->Label10Click(nullptr);
      form->Label12Click(nullptr);
    }
    messages = answerer.Seen();
  }
  EXPECT_TRUE(messages.empty());
  AudioDeviceName.clear();
}

}  // namespace
