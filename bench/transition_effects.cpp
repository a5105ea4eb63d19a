// The picture-show transitions as the slide show drives them. Every style composes each frame of a
// whole run at Step 1 (progress 1..99) the way the control does: the old screen copied into the
// frame, then the style's procedure, on prepared 1920x1080 and 1024x768 bitmaps. The floor is a plain
// memcpy of one 1920x1080 32-bit frame, timed in the same run. Then the control's Paint at 1024x768,
// and a threaded run of the control (Step 1, Delay 80) for one style of each family, against the
// ideal 100 x 80 ms.
//
// Target at 1920x1080: every style's p95 within 10 ms and within 40 floors, and the median of the
// styles' p95 within 10 floors.
#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Forms.h"
#include "transitions/TransitionView.h"
#include "transitions/Tveffect.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using classlib::TBitmap;
using classlib::TPixelFormat;

constexpr double kMaxP95 = 10.0;        // ms
constexpr double kMaxFloors = 40.0;     // p95 over the floor, per style
constexpr double kMedianFloors = 10.0;  // median of the styles' p95 over the floor

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

struct TStats {
  double Mean = 0;
  double P95 = 0;
  double Max = 0;
};

TStats Summarise(std::vector<double> Times) {
  if (Times.empty()) return {};
  std::sort(Times.begin(), Times.end());
  const double sum = std::accumulate(Times.begin(), Times.end(), 0.0);
  const std::size_t p95 = std::min(Times.size() - 1, static_cast<std::size_t>(0.95 * static_cast<double>(Times.size())));
  return {sum / static_cast<double>(Times.size()), Times[p95], Times.back()};
}

double Median(std::vector<double> Values) {
  if (Values.empty()) return 0;
  std::sort(Values.begin(), Values.end());
  const std::size_t n = Values.size();
  return n % 2 ? Values[n / 2] : (Values[n / 2 - 1] + Values[n / 2]) / 2;
}

// A photograph-like pattern that differs between the old and the new picture at every pixel.
std::unique_ptr<TBitmap> Pattern(int Width, int Height, TPixelFormat Format, int Variant) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(Format);
  bitmap->SetSize(Width, Height);
  const int bytes = Format == TPixelFormat::pf24bit ? 3 : 4;
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < Width * bytes; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 3 + Variant * 91);
  }
  return bitmap;
}

bool IsPixelStyle(int Style) { return Style >= 118 && Style <= 122; }

// The control's work bitmaps at one size: the old screen, the frame and the new picture, all in the
// screen's format, the latter two in 32 bits for the fade and pivots, as the control makes them.
class TFrameBitmaps {
public:
  TFrameBitmaps(int Width, int Height)
      : FWidth(Width), FHeight(Height),
        FOld(Pattern(Width, Height, TPixelFormat::pfDevice, 0)),
        FMedia(Pattern(Width, Height, TPixelFormat::pfDevice, 0)),
        FPicture(Pattern(Width, Height, TPixelFormat::pfDevice, 1)),
        FMedia32(Pattern(Width, Height, TPixelFormat::pf32bit, 0)),
        FPicture32(Pattern(Width, Height, TPixelFormat::pf32bit, 1)) {}

  // One frame as the control composes it, in ms; style 0 is the old-screen copy alone.
  double Compose(int Style, int Progress) {
    TBitmap& media = IsPixelStyle(Style) ? *FMedia32 : *FMedia;
    TBitmap& picture = IsPixelStyle(Style) ? *FPicture32 : *FPicture;
    const double start = Now();
    media.Canvas()->Draw(0, 0, FOld.get());
    if (Style > 0) transitions::TVEffects(Style).Proc(media, picture, RECT{0, 0, FWidth, FHeight}, 1, Progress);
    GdiFlush();
    return Now() - start;
  }

  // A whole run at Step 1, after one frame that warms the caches.
  TStats Run(int Style) {
    Compose(Style, 50);
    std::vector<double> times;
    for (int progress = 1; progress <= 99; ++progress) times.push_back(Compose(Style, progress));
    return Summarise(times);
  }

private:
  int FWidth, FHeight;
  std::unique_ptr<TBitmap> FOld, FMedia, FPicture, FMedia32, FPicture32;
};

double FloorTime() {
  const std::size_t bytes = std::size_t{1920} * 1080 * 4;
  std::vector<std::uint8_t> from(bytes, 1), to(bytes, 0);
  std::vector<double> times;
  for (int i = 0; i < 200; ++i) {
    const double start = Now();
    std::memcpy(to.data(), from.data(), bytes);
    times.push_back(Now() - start);
    from[static_cast<std::size_t>(i)] = to[bytes - 1 - static_cast<std::size_t>(i)];  // keeps the copy alive
  }
  return Median(times);
}

// A shown borderless form holding one control of the given size at the screen's top-left.
struct TLiveView {
  TLiveView(int Width, int Height) {
    Form = std::make_unique<classlib::TForm>(nullptr);
    Form->SetBorderStyle(classlib::TFormBorderStyle::bsNone);
    Form->SetBounds(0, 0, Width, Height);
    View = new transitions::TTransitionView(Form.get());
    View->SetAutoSize(false);
    View->SetParent(Form.get());
    View->SetBounds(0, 0, Width, Height);
    Form->Show();
    Picture = Pattern(Width, Height, TPixelFormat::pf24bit, 1);
    View->Picture().SetGraphic(Picture.get());
  }
  std::unique_ptr<classlib::TForm> Form;
  transitions::TTransitionView* View;  // owned by the form
  std::unique_ptr<TBitmap> Picture;
};

// Paint of the control at 1024x768, one whole window each time, over a run composed by hand.
TStats PaintTimes() {
  TLiveView live(1024, 768);
  transitions::TTransitionView& view = *live.View;
  view.SetStyle(3);
  view.SetStep(1);
  view.SetManual(true);
  view.Execute();
  std::vector<double> times;
  for (int progress = 1; progress <= 99; ++progress) {
    view.SetProgress(progress);
    InvalidateRect(view.Handle(), nullptr, FALSE);
    const double start = Now();
    UpdateWindow(view.Handle());
    GdiFlush();
    times.push_back(Now() - start);
  }
  view.Stop();
  return Summarise(times);
}

// The wall time of a threaded run of Style at Step 1 and Delay 80, in seconds.
double ThreadedRun(TLiveView& Live, int Style) {
  transitions::TTransitionView& view = *Live.View;
  view.SetStyle(Style);
  view.SetStep(1);
  view.SetDelay(80);
  const double start = Now();
  view.Execute();
  while (view.Busy()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    classlib::Application->ProcessMessages();
  }
  return (Now() - start) / 1000.0;
}

}  // namespace

int main() {
  classlib::Application->Initialize();
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);

  const double floor = FloorTime();
  std::printf("Floor: memcpy of one 1920x1080 32-bit frame %.3f ms (median of 200)\n\n", floor);

  TFrameBitmaps hd(1920, 1080), xga(1024, 768);
  std::printf("%-5s %-44s | %-34s | %s\n", "", "", "1920x1080, Step 1, ms", "1024x768, ms");
  std::printf("%-5s %-44s | %7s %7s %7s %8s   | %7s %7s %7s\n", "style", "name", "mean", "p95", "max", "p95/floor",
              "mean", "p95", "max");
  struct TResult {
    int Style;
    double P95;
  };
  std::vector<TResult> results;
  int flagged = 0;
  for (int style = 0; style <= transitions::EffectCount; ++style) {
    const TStats hdStats = hd.Run(style);
    const TStats xgaStats = xga.Run(style);
    const double floors = hdStats.P95 / floor;
    const bool over = style > 0 && (hdStats.P95 > kMaxP95 || floors > kMaxFloors);
    const std::string name = style == 0 ? "(old-screen copy alone)" : transitions::TVEffects(style).Name;
    std::printf("%-5d %-44.44s | %7.2f %7.2f %7.2f %8.1f%s | %7.2f %7.2f %7.2f\n", style, name.c_str(), hdStats.Mean,
                hdStats.P95, hdStats.Max, floors, over ? " !" : "  ", xgaStats.Mean, xgaStats.P95, xgaStats.Max);
    if (style > 0) results.push_back({style, hdStats.P95});
    flagged += over;
  }

  std::vector<double> p95s;
  for (const TResult& r : results) p95s.push_back(r.P95);
  const double median = Median(p95s) / floor;
  std::sort(results.begin(), results.end(), [](const TResult& a, const TResult& b) { return a.P95 > b.P95; });
  std::printf("\nAt 1920x1080: %d of %zu styles over target (p95 > %.0f ms or > %.0f floors, marked !); "
              "median p95 %.1f floors (target <= %.0f)%s\n",
              flagged, results.size(), kMaxP95, kMaxFloors, median, kMedianFloors,
              median > kMedianFloors ? " OVER TARGET" : "");
  std::printf("Slowest:");
  for (std::size_t i = 0; i < 5 && i < results.size(); ++i)
    std::printf(" %d (%.2f ms, %.1f floors)%s", results[i].Style, results[i].P95, results[i].P95 / floor,
                i + 1 < 5 ? "," : "\n");

  const TStats paint = PaintTimes();
  std::printf("\nPaint of the control at 1024x768: mean %.2f ms, p95 %.2f ms, max %.2f ms\n", paint.Mean, paint.P95,
              paint.Max);

  std::printf("\nThreaded runs at 1920x1080, Step 1, Delay 80 (ideal 8.0 s):\n");
  TLiveView live(1920, 1080);
  const struct {
    int Style;
    const char* Family;
  } families[] = {{3, "one-axis copy"}, {128, "push"}, {65, "shred"}, {123, "speckle"},
                  {84, "shape"},        {118, "fade"}, {119, "pivot"}};
  for (const auto& family : families)
    std::printf("  %-3d %-14s %-36s %.2f s\n", family.Style, family.Family, transitions::TVEffects(family.Style).Name,
                ThreadedRun(live, family.Style));
  return 0;
}
