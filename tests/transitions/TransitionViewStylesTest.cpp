#include "tests/transitions/ViewTesting.h"

#include "transitions/Tveffect.h"

#include <algorithm>
#include <tuple>

using namespace classlib;
using namespace transitions;
using namespace viewtesting;

namespace {

struct TStyleRun {
  int Width;
  int Height;
  bool Threaded;
};

// Every style, on its worker and without one, ends with the window showing exactly the new picture
// (as far as the screen shows the window).
class EveryStyle : public ::testing::TestWithParam<TStyleRun> {};

TEST_P(EveryStyle, EndsShowingExactlyTheNewPicture) {
  const TStyleRun run = GetParam();
  TViewForm f(run.Width, run.Height);
  f.View->SetThreaded(run.Threaded);
  f.View->SetDelay(1);
  const int visibleWidth = std::min(run.Width, GetSystemMetrics(SM_CXSCREEN));
  const int visibleHeight = std::min(run.Height, GetSystemMetrics(SM_CYSCREEN));
  const std::unique_ptr<TBitmap> pictures[2] = {PatternBitmap(run.Width, run.Height, 0),
                                                PatternBitmap(run.Width, run.Height, 1)};
  for (int style = 1; style <= EffectCount; ++style) {
    const int variant = style % 2;
    f.View->SetStyle(style);
    ASSERT_TRUE(f.Run(*pictures[variant])) << "style " << style << " did not end";
    windowtesting::PumpFor(20);
    const TPoint origin = f.View->ClientToScreen(Point(0, 0));
    const auto pixels = CaptureScreen(RECT{origin.x, origin.y, origin.x + visibleWidth, origin.y + visibleHeight});
    EXPECT_EQ(FirstPatternMismatch(pixels, visibleWidth, visibleHeight, variant), "")
        << "style " << style << " " << TVEffects(style).Name;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, EveryStyle,
                         ::testing::Values(TStyleRun{320, 240, true}, TStyleRun{320, 240, false},
                                           TStyleRun{1024, 768, true}, TStyleRun{1024, 768, false},
                                           TStyleRun{1920, 1080, true}),
                         [](const ::testing::TestParamInfo<TStyleRun>& info) {
                           return std::to_string(info.param.Width) + "x" + std::to_string(info.param.Height) +
                                  (info.param.Threaded ? "Threaded" : "Threadless");
                         });

}  // namespace
