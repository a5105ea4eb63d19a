#include "tests/transitions/ViewTesting.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/FormReader.h"
#include "platform/classlib/Streams.h"
#include "transitions/AnimateThread.h"
#include "transitions/DBTransitionView.h"
#include "transitions/TransitionRegistration.h"

#include <algorithm>
#include <atomic>

using namespace classlib;
using namespace transitions;
using namespace viewtesting;

namespace {

// The background colour as a captured pixel (0x00RRGGBB).
constexpr std::uint32_t kBackgroundPixel = 0x204060;

void ProgressLog(TViewForm& F, std::mutex& Mutex, std::vector<int>& Values) {
  F.View->OnProgress = [&](TObject*) {
    const std::lock_guard lock(Mutex);
    Values.push_back(F.View->Progress());
  };
}

// A frame's pixel in the capture's form (0x00RRGGBB).
std::uint32_t FramePixel(TBitmap& Frame, int X, int Y) {
  const COLORREF c = static_cast<COLORREF>(Frame.Canvas()->Pixels(X, Y));
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST(TransitionView, DefaultsAndSetters) {
  windowtesting::InitApplication();
  TTransitionView view(nullptr);
  EXPECT_EQ(view.Step(), 4);
  EXPECT_EQ(view.Delay(), 40);
  EXPECT_EQ(view.Style(), 51);
  EXPECT_EQ(view.StyleName(), "Appear and Contract to middle");
  EXPECT_EQ(view.BgMode(), TBackgroundMode::bmTiled);
  EXPECT_TRUE(view.AutoSize() && view.Threaded() && view.OverDraw());
  EXPECT_FALSE(view.Reverse() || view.Center() || view.Stretch() || view.StretchFine() || view.Manual() ||
               view.ExactTiming() || view.Busy());
  EXPECT_EQ(view.Width(), 100);
  EXPECT_EQ(view.Height(), 100);
  EXPECT_EQ(view.Color(), clWindow);
  EXPECT_TRUE(view.Empty());

  const struct {
    int Set, Stored;
  } steps[] = {{0, 1}, {-3, 1}, {250, 100}, {100, 100}, {7, 7}};
  for (const auto& s : steps) {
    view.SetStep(s.Set);
    EXPECT_EQ(view.Step(), s.Stored) << s.Set;
  }

  view.SetStyle(151);
  EXPECT_EQ(view.Style(), 51);
  const struct {
    const char* Name;
    int Style;
  } names[] = {{"fade", 118}, {"Expand from bottom", 18}, {"EXPAND IN FROM TOP", 25}, {"no such effect", 25},
               {"custom", 0}, {"Push and sqeeze down", 134}};
  for (const auto& n : names) {
    view.SetStyleName(n.Name);
    EXPECT_EQ(view.Style(), n.Style) << n.Name;
  }
  view.SetStyle(0);
  EXPECT_EQ(view.StyleName(), "Custom");
  view.SetStyle(33);
  EXPECT_EQ(view.StyleName(), "Expand from bottom");
}

TEST(TransitionView, StretchFineRectKeepsTheAspectRatio) {
  const struct {
    RECT P, B, Expected;
  } cases[] = {
      {{0, 0, 400, 300}, {0, 0, 800, 800}, {0, 100, 800, 700}},
      {{0, 0, 300, 400}, {0, 0, 800, 800}, {100, 0, 700, 800}},
      {{0, 0, 400, 300}, {10, 20, 410, 320}, {10, 20, 410, 320}},
      {{0, 0, 0, 300}, {0, 0, 800, 800}, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const TRect r = TCustomTransitionView::StretchFineRect(c.P, c.B);
    EXPECT_TRUE(EqualRect(&r, &c.Expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(TransitionView, StretchFineFrameLandsInTheFittedRectangle) {
  TViewForm f(800, 800);
  f.View->SetStretch(true);
  f.View->SetStretchFine(true);
  f.View->SetDelay(1);
  f.View->SetStep(50);
  const auto picture = SolidBitmap(400, 300, RGB(255, 0, 0));
  ASSERT_TRUE(f.Run(*picture));
  windowtesting::PumpFor(100);
  const auto pixels = CaptureClient(*f.View);
  auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * 800 + x)]; };
  for (int x : {0, 400, 799}) {
    EXPECT_EQ(at(x, 99), kBackgroundPixel) << x;
    EXPECT_EQ(at(x, 100), 0xFF0000u) << x;
    EXPECT_EQ(at(x, 699), 0xFF0000u) << x;
    EXPECT_EQ(at(x, 700), kBackgroundPixel) << x;
  }
}

// Forward and reverse runs step by Step from their start to their end value, in both paces.
TEST(TransitionView, ProgressSequences) {
  for (bool threaded : {true, false}) {
    for (bool reverse : {false, true}) {
      TViewForm f(160, 120);
      f.View->SetThreaded(threaded);
      f.View->SetReverse(reverse);
      f.View->SetStep(30);
      f.View->SetDelay(1);
      std::mutex mutex;
      std::vector<int> values;
      ProgressLog(f, mutex, values);
      const auto picture = PatternBitmap(160, 120, 0);
      ASSERT_TRUE(f.Run(*picture));
      const std::vector<int> expected = reverse ? std::vector<int>{70, 40, 10, 0} : std::vector<int>{30, 60, 90, 100};
      EXPECT_EQ(values, expected) << "threaded " << threaded << " reverse " << reverse;
    }
  }
}

TEST(TransitionView, NextIncrementFollowsTheTimeAFrameTook) {
  const struct {
    int Step, Delay, Elapsed;
    bool Exact;
    int N, Expected;
  } cases[] = {
      {4, 40, 100, true, 4, 10},   // a late frame takes a proportionally larger step
      {4, 40, 100, false, 4, 4},   // without ExactTiming the increment stays
      {4, 40, 100, false, 9, 9},
      {4, 40, 30, true, 10, 4},    // on time: Step again
      {4, 40, 40, true, 10, 4},
      {4, 0, 5, true, 4, 4},       // no period to scale by: Step, never -1
      {4, 0, 0, true, 4, 4},
      {1, 1000, 1001, true, 1, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextIncrement(c.Step, c.Delay, c.Elapsed, c.Exact, c.N), c.Expected)
        << c.Step << " " << c.Delay << " " << c.Elapsed << " " << c.Exact;
}

TEST(TransitionView, ExactTimingScalesTheStepAfterASlowFrame) {
  for (bool exact : {true, false}) {
    TViewForm f(160, 120);
    f.View->SetExactTiming(exact);
    f.View->SetStep(4);
    f.View->SetDelay(40);
    std::mutex mutex;
    std::vector<int> values;
    ProgressLog(f, mutex, values);
    // The first frame takes 100 ms.
    f.View->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap*) {
      if (f.View->Progress() == 4) Sleep(100);
    };
    const auto picture = PatternBitmap(160, 120, 0);
    ASSERT_TRUE(f.Run(*picture));
    ASSERT_GE(values.size(), 2u);
    const int increment = values[1] - values[0];
    if (exact) {
      EXPECT_GE(increment, 10);
      EXPECT_LE(increment, 12);
    } else {
      EXPECT_EQ(increment, 4);
    }
  }
}

TEST(TransitionView, ExactTimingWithoutDelayStillRunsForward) {
  TViewForm f(160, 120);
  f.View->SetExactTiming(true);
  f.View->SetDelay(0);
  f.View->SetStep(4);
  std::mutex mutex;
  std::vector<int> values;
  ProgressLog(f, mutex, values);
  f.View->OnAfterNewFrame = [](TObject*, TBitmap*, TBitmap*) { Sleep(2); };  // every frame is late
  const auto picture = PatternBitmap(160, 120, 0);
  ASSERT_TRUE(f.Run(*picture));
  ASSERT_FALSE(values.empty());
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()) &&
              std::adjacent_find(values.begin(), values.end()) == values.end());
  EXPECT_EQ(values.back(), 100);
}

TEST(TransitionView, EventOrder) {
  for (bool threaded : {true, false}) {
    TViewForm f(160, 120);
    f.View->SetThreaded(threaded);
    f.View->SetStep(50);
    f.View->SetDelay(1);
    TEventLog log;
    f.View->OnStart = [&](TObject*, TBitmap* picture, TBitmap* screen) {
      log.Add("start");
      EXPECT_EQ(picture->Width(), 160);
      EXPECT_EQ(screen->Width(), 160);
    };
    f.View->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap*) { log.Add("before"); };
    f.View->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap*) { log.Add("after"); };
    f.View->OnProgress = [&](TObject*) { log.Add("progress " + std::to_string(f.View->Progress())); };
    f.View->OnComplete = [&](TObject*) { log.Add("complete"); };
    f.View->OnStop = [&](TObject*) {
      log.Add("stop");
      EXPECT_FALSE(f.View->Busy());
    };
    const auto picture = PatternBitmap(160, 120, 0);
    ASSERT_TRUE(f.Run(*picture));
    const std::vector<std::string> expected = {"start", "before", "after", "progress 50",
                                               "before", "after", "progress 100", "complete", "stop"};
    EXPECT_EQ(log.Entries(), expected) << "threaded " << threaded;
  }
}

TEST(TransitionView, StopMidRun) {
  TViewForm f(160, 120);
  f.View->SetStep(1);
  f.View->SetDelay(20);
  std::atomic<int> frames{0}, completes{0}, stops{0};
  f.View->OnProgress = [&](TObject*) { ++frames; };
  f.View->OnComplete = [&](TObject*) { ++completes; };
  f.View->OnStop = [&](TObject*) { ++stops; };
  const auto picture = PatternBitmap(160, 120, 0);
  f.View->Picture().SetGraphic(picture.get());
  f.View->Execute();
  while (frames < 3) windowtesting::PumpFor(5);
  f.View->Stop();
  EXPECT_FALSE(f.View->Busy());
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(completes, 0);
  EXPECT_LT(f.View->Progress(), 100);
  f.View->Stop();  // nothing left to stop
  windowtesting::PumpFor(50);
  EXPECT_EQ(stops, 1);
}

// A handler on the worker cannot wait for the worker: its Stop is ignored and the run ends as usual.
TEST(TransitionView, StopFromTheWorkerIsIgnored) {
  TViewForm f(160, 120);
  f.View->SetStep(25);
  f.View->SetDelay(1);
  std::atomic<int> completes{0};
  f.View->OnProgress = [&](TObject*) { f.View->Stop(); };
  f.View->OnComplete = [&](TObject*) { ++completes; };
  const auto picture = PatternBitmap(160, 120, 0);
  ASSERT_TRUE(f.Run(*picture, 5000));
  EXPECT_EQ(completes, 1);
}

// Without a worker, a Stop from a handler ends the run once and the loop returns at once.
TEST(TransitionView, StopFromAHandlerOfTheThreadlessLoop) {
  TViewForm f(160, 120);
  f.View->SetThreaded(false);
  f.View->SetStep(10);
  f.View->SetDelay(1);
  int completes = 0, stops = 0;
  f.View->OnProgress = [&](TObject*) {
    if (f.View->Progress() == 30) f.View->Stop();
  };
  f.View->OnComplete = [&](TObject*) { ++completes; };
  f.View->OnStop = [&](TObject*) { ++stops; };
  const auto picture = PatternBitmap(160, 120, 0);
  f.View->Picture().SetGraphic(picture.get());
  f.View->Execute();
  EXPECT_FALSE(f.View->Busy());
  EXPECT_EQ(f.View->Progress(), 30);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(completes, 0);
}

TEST(TransitionView, ManualMode) {
  TViewForm f(160, 120);
  f.View->SetDelay(1);
  f.View->SetStep(10);
  std::atomic<int> completes{0}, stops{0};
  f.View->OnComplete = [&](TObject*) { ++completes; };
  f.View->OnStop = [&](TObject*) { ++stops; };
  const auto picture = PatternBitmap(160, 120, 0);
  f.View->Picture().SetGraphic(picture.get());

  // Manual: Execute only prepares, the caller moves the run, and its end ends nothing.
  f.View->SetManual(true);
  f.View->Execute();
  windowtesting::PumpFor(50);
  EXPECT_TRUE(f.View->Busy());
  EXPECT_EQ(f.View->Progress(), 0);
  f.View->SetProgress(100);
  windowtesting::PumpFor(50);
  EXPECT_TRUE(f.View->Busy());
  EXPECT_EQ(completes, 0);
  f.View->Stop();
  EXPECT_FALSE(f.View->Busy());
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(completes, 0);

  // Idle: switching resets Progress to the start value.
  f.View->SetReverse(true);
  f.View->SetManual(false);
  EXPECT_EQ(f.View->Progress(), 100);
  f.View->SetReverse(false);

  // On during a threaded run: the worker ends and the run waits where it is; off again resumes it.
  f.View->SetDelay(30);
  f.View->SetStep(5);
  std::atomic<int> frames{0};
  f.View->OnProgress = [&](TObject*) { ++frames; };
  f.View->Execute();
  while (frames < 2) windowtesting::PumpFor(5);
  f.View->SetManual(true);
  const int held = f.View->Progress();
  windowtesting::PumpFor(150);
  EXPECT_TRUE(f.View->Busy());
  EXPECT_EQ(f.View->Progress(), held);
  EXPECT_GT(held, 0);
  EXPECT_LT(held, 100);
  f.View->SetManual(false);
  ASSERT_TRUE(f.WaitIdle());
  EXPECT_EQ(f.View->Progress(), 100);
  EXPECT_EQ(completes, 1);
  EXPECT_EQ(stops, 2);
}

bool ThreadHasEnded(DWORD ThreadId) {
  const HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, ThreadId);
  if (!thread) return true;
  const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return ended;
}

TEST(TransitionView, DestroyingMidRunFiresNothingAndLeavesNoThread) {
  auto f = std::make_unique<TViewForm>(320, 240);
  f->View->SetStep(1);
  f->View->SetDelay(10);
  std::atomic<bool> destroying{false};
  std::atomic<int> lateEvents{0}, frames{0};
  std::atomic<DWORD> worker{0};
  auto late = [&] {
    if (destroying) ++lateEvents;
  };
  f->View->OnProgress = [&](TObject*) {
    worker = GetCurrentThreadId();
    ++frames;
    late();
  };
  f->View->OnBeforeNewFrame = [&](TObject*, TBitmap*, TBitmap*) { late(); };
  f->View->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap*) { late(); };
  f->View->OnComplete = [&](TObject*) { late(); };
  f->View->OnStop = [&](TObject*) { late(); };
  const auto picture = PatternBitmap(320, 240, 0);
  f->View->Picture().SetGraphic(picture.get());
  f->View->Execute();
  while (frames < 3) windowtesting::PumpFor(5);
  destroying = true;
  const DWORD start = GetTickCount();
  delete f->View;
  f->View = nullptr;
  EXPECT_LT(GetTickCount() - start, 2000u);
  EXPECT_EQ(lateEvents, 0);
  EXPECT_TRUE(ThreadHasEnded(worker));
  windowtesting::PumpFor(50);
  f.reset();
}

// Without a worker the run's loop services messages; a handler there may free the control.
TEST(TransitionView, DestroyingFromAMessageInsideTheThreadlessLoop) {
  TViewForm f(160, 120);
  f.View->SetThreaded(false);
  f.View->SetStep(5);
  f.View->SetDelay(5);
  std::atomic<int> lateEvents{0};
  bool destroyed = false;
  TTransitionView* view = f.View;
  struct TRestore {
    TForm* Form;
    std::function<void(TMessage&)> Previous;
    ~TRestore() { Form->WindowProc = Previous; }
  } restore{f.Form, f.Form->WindowProc};
  f.Form->WindowProc = [&](TMessage& message) {
    if (message.Msg == WM_APP) {
      destroyed = true;
      delete view;
      f.View = nullptr;
      return;
    }
    f.Form->WndProc(message);
  };
  view->OnProgress = [&](TObject*) {
    if (destroyed) ++lateEvents;
    if (view->Progress() == 20) PostMessageW(f.Form->Handle(), WM_APP, 0, 0);
  };
  view->OnComplete = [&](TObject*) { ++lateEvents; };
  view->OnStop = [&](TObject*) { ++lateEvents; };
  const auto picture = PatternBitmap(160, 120, 0);
  view->Picture().SetGraphic(picture.get());
  view->Execute();  // returns once the control is gone
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(lateEvents, 0);
}

// Running backwards ends on the old screen and never shows the whole new picture.
TEST(TransitionView, ReverseNeverShowsTheWholeNewPicture) {
  for (int style : {1, 51, 118, 0}) {
    TViewForm f(160, 120);
    f.View->SetReverse(true);
    f.View->SetStyle(style);
    f.View->SetStep(10);
    f.View->SetDelay(1);
    const auto picture = PatternBitmap(160, 120, 0);
    std::atomic<int> wholeFrames{0};
    f.View->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
      bool whole = true;
      for (int y = 0; y < 120 && whole; y += 7)
        for (int x = 0; x < 160 && whole; x += 3) whole = FramePixel(*screen, x, y) == PatternPixel(x, y, 0);
      if (whole) ++wholeFrames;
    };
    ASSERT_TRUE(f.Run(*picture));
    EXPECT_EQ(wholeFrames, 0) << style;
    windowtesting::PumpFor(100);
    const auto pixels = CaptureClient(*f.View);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p == kBackgroundPixel; }))
        << style;
  }
}

// Without an OnCustomDraw handler, style 0 shows the old screen on every frame and the picture last.
TEST(TransitionView, CustomStyleWithoutHandler) {
  TViewForm f(160, 120);
  f.View->SetStyle(0);
  f.View->SetStep(25);
  f.View->SetDelay(1);
  std::vector<std::uint32_t> firstPixels;
  std::mutex mutex;
  f.View->OnAfterNewFrame = [&](TObject*, TBitmap*, TBitmap* screen) {
    const std::lock_guard lock(mutex);
    firstPixels.push_back(FramePixel(*screen, 80, 60));
  };
  const auto picture = PatternBitmap(160, 120, 0);
  ASSERT_TRUE(f.Run(*picture));
  const std::vector<std::uint32_t> expected = {kBackgroundPixel, kBackgroundPixel, kBackgroundPixel,
                                               PatternPixel(80, 60, 0)};
  EXPECT_EQ(firstPixels, expected);
}

// A picture without pixels runs and ends like any other, drawing nothing.
TEST(TransitionView, PictureOfZeroSize) {
  for (bool threaded : {true, false}) {
    for (int style : {16, 117, 118, 1}) {
      TViewForm f(160, 120);
      f.View->SetThreaded(threaded);
      f.View->SetStyle(style);
      f.View->SetDelay(1);
      f.View->SetStep(20);
      int completes = 0;
      f.View->OnComplete = [&](TObject*) { ++completes; };
      TBitmap empty;
      empty.SetSize(0, 50);
      ASSERT_TRUE(f.Run(empty, 5000)) << style;
      EXPECT_EQ(completes, 1) << style;
    }
  }
}

TEST(TransitionView, ExecuteWithoutPictureOrWhileBusyDoesNothing) {
  TViewForm f(160, 120);
  f.View->SetDelay(20);
  int starts = 0;
  f.View->OnStart = [&](TObject*, TBitmap*, TBitmap*) { ++starts; };
  f.View->Execute();
  EXPECT_FALSE(f.View->Busy());
  const auto picture = PatternBitmap(160, 120, 0);
  f.View->Picture().SetGraphic(picture.get());
  f.View->Execute();
  f.View->Execute();
  EXPECT_EQ(starts, 1);
  ASSERT_TRUE(f.WaitIdle());
}

TEST(TransitionView, ReadFromAFormDescription) {
  RegisterTransitionClasses();
  TEventLog log;
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Show: TTransitionView
    Width = 320
    Height = 200
    AutoSize = False
    BgMode = bmCentered
    Center = True
    Delay = 12
    ExactTiming = True
    Reverse = True
    Step = 7
    StyleName = 'Fade'
    Threaded = False
    ThreadPriority = tpHigher
    OnComplete = ShowComplete
  end
end
)",
                                      [&](TForm& f) {
                                        f.RegisterHandler<TNotifyEvent>("ShowComplete",
                                                                        [&](TObject*) { log.Add("complete"); });
                                      });
  auto* view = dynamic_cast<TTransitionView*>(form->FindComponent("Show"));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->Width(), 320);
  EXPECT_FALSE(view->AutoSize());
  EXPECT_EQ(view->BgMode(), TBackgroundMode::bmCentered);
  EXPECT_TRUE(view->Center() && view->ExactTiming() && view->Reverse());
  EXPECT_FALSE(view->Threaded());
  EXPECT_EQ(view->Delay(), 12);
  EXPECT_EQ(view->Step(), 7);
  EXPECT_EQ(view->Style(), 118);
  EXPECT_EQ(view->ThreadPriority(), TThreadPriority::tpHigher);
  ASSERT_TRUE(view->OnComplete);
  view->OnComplete(view);
  EXPECT_EQ(log.Entries().size(), 1u);
}

// A picture stored in a description: the class name, then for a bitmap its length and BMP data.
String PictureDataBlock(const TBitmap& Bitmap) {
  TMemoryStream bmp;
  Bitmap.SaveToStream(bmp);
  std::vector<std::uint8_t> data = {7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
  const auto length = static_cast<std::uint32_t>(bmp.Size());
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<std::uint8_t>(length >> (8 * i)));
  data.insert(data.end(), bmp.Memory(), bmp.Memory() + length);
  String hex = "{";
  for (std::uint8_t b : data) {
    static const char digits[] = "0123456789ABCDEF";
    hex += digits[b >> 4];
    hex += digits[b & 15];
  }
  return hex + "}";
}

TEST(TransitionView, ReadPicturesAndTheDataAwareControlFromADescription) {
  RegisterTransitionClasses();
  const auto bitmap = PatternBitmap(6, 5, 0);
  auto form = windowtesting::ReadForm("object TestForm: TForm\n"
                                      "  object Show: TTransitionView\n"
                                      "    AutoSize = False\n"
                                      "    Picture.Data = " + PictureDataBlock(*bitmap) + "\n"
                                      "    BgPicture.Data = " + PictureDataBlock(*bitmap) + "\n"
                                      "  end\n"
                                      "  object Data: TDBTransitionView\n"
                                      "    AutoDisplay = False\n"
                                      "    DataField = 'Picture'\n"
                                      "    ReadOnly = True\n"
                                      "    Style = 3\n"
                                      "  end\n"
                                      "end\n");
  auto* view = dynamic_cast<TTransitionView*>(form->FindComponent("Show"));
  ASSERT_NE(view, nullptr);
  ASSERT_NE(dynamic_cast<TBitmap*>(view->Picture().Graphic()), nullptr);
  EXPECT_EQ(view->Picture().Width(), 6);
  EXPECT_EQ(view->BgPicture().Height(), 5);
  auto* data = dynamic_cast<TDBTransitionView*>(form->FindComponent("Data"));
  ASSERT_NE(data, nullptr);
  EXPECT_FALSE(data->AutoDisplay());
  EXPECT_EQ(data->DataField(), "Picture");
  EXPECT_TRUE(data->ReadOnly());
  EXPECT_EQ(data->Style(), 3);

  TPicture picture;
  for (const std::vector<std::uint8_t>& bad : {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{9, 'T'},
                                               std::vector<std::uint8_t>{4, 'T', 'G', 'I', 'F', 1, 2}})
    EXPECT_THROW(ReadPictureData(picture, bad), EReadError);
}

}  // namespace
