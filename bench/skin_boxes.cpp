// The skinned list box against the system's LISTBOX with the same redraw handling, in the same run:
// - filling 10,000 lines through Items, one by one and inside BeginUpdate/EndUpdate;
// - 500 one-line scrolls of the shown list, each painted (WM_VSCROLL SB_LINEDOWN, then UpdateWindow);
// - the fill inside BeginUpdate/EndUpdate with HorizontalExtent on, against the same fill without it.
// Targets: fills within 1.5 times the plain list box, scrolling within 2 times, the extent fill within
// 2 times the fill without it. Each figure is the wall time of one run (the lists are made anew, on a
// form made and shown outside the timing).

#include "bench/SkinBenchSupport.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinListBox.h"

#include <memory>

using namespace classlib;

namespace {

constexpr int kLines = 10000, kScrolls = 500;

struct TBench {
  TBench() {
    bench::InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 400, 400);
    Form->Show();
    Application->ProcessMessages();
  }
  std::unique_ptr<TForm> Form;
};

TListBox& MakePlain(TBench& B) {
  auto* list = new TListBox(B.Form.get());
  list->SetParent(B.Form.get());
  list->SetBounds(10, 10, 200, 300);
  list->HandleNeeded();
  return *list;
}

skin::TskSkinListBox& MakeSkinned(TBench& B, bool Extent) {
  auto* list = new skin::TskSkinListBox(B.Form.get());
  list->SetParent(B.Form.get());
  list->SetBounds(10, 10, 200, 300);
  list->SetHorizontalExtent(Extent);
  list->HandleNeeded();
  return *list;
}

void Fill(TStrings& Items, bool Update) {
  if (Update) Items.BeginUpdate();
  for (int i = 0; i < kLines; ++i) Items.Add("Line number " + IntToStr(i) + " of the list");
  if (Update) Items.EndUpdate();
}

void Scroll(HWND List) {
  for (int i = 0; i < kScrolls; ++i) {
    SendMessageW(List, WM_VSCROLL, SB_LINEDOWN, 0);
    UpdateWindow(List);
  }
}

// Times the fill of a list made on a new form, and the paint it leads to; making the form, showing it
// and taking it down (which costs Wine far more than the fill itself) stay out of the figure.
template <typename Make>
void TimedFill(benchmark::State& State, bool Update, Make MakeList) {
  for (auto _ : State) {
    State.PauseTiming();
    auto b = std::make_unique<TBench>();
    TStrings& items = MakeList(*b);
    Application->ProcessMessages();
    State.ResumeTiming();
    Fill(items, Update);
    Application->ProcessMessages();
    State.PauseTiming();
    b.reset();
    State.ResumeTiming();
  }
}

void PlainFill(benchmark::State& State, bool Update) {
  TimedFill(State, Update, [](TBench& B) -> TStrings& { return MakePlain(B).Items(); });
}

void SkinnedFill(benchmark::State& State, bool Update, bool Extent) {
  TimedFill(State, Update, [Extent](TBench& B) -> TStrings& { return MakeSkinned(B, Extent).Items(); });
}

void PlainScroll(benchmark::State& State) {
  TBench b;
  TListBox& list = MakePlain(b);
  Fill(list.Items(), true);
  Application->ProcessMessages();
  for (auto _ : State) {
    SendMessageW(list.Handle(), LB_SETTOPINDEX, 0, 0);
    Scroll(list.Handle());
  }
}

void SkinnedScroll(benchmark::State& State) {
  TBench b;
  skin::TskSkinListBox& list = MakeSkinned(b, false);
  Fill(list.Items(), true);
  Application->ProcessMessages();
  for (auto _ : State) {
    list.SetTopIndex(0);
    Scroll(list.InnerList().Handle());
  }
}

void Register() {
  constexpr auto ms = benchmark::kMillisecond;
  bench::AddTimedOnce("fill/plain_one_by_one", ms, [](benchmark::State& state) { PlainFill(state, false); });
  bench::AddTimedOnce("fill/skinned_one_by_one", ms, [](benchmark::State& state) { SkinnedFill(state, false, false); });
  bench::AddTimedOnce("fill/plain_in_update", ms, [](benchmark::State& state) { PlainFill(state, true); });
  bench::AddTimedOnce("fill/skinned_in_update", ms, [](benchmark::State& state) { SkinnedFill(state, true, false); });
  bench::AddTimedOnce("fill/skinned_in_update_extent", ms,
                      [](benchmark::State& state) { SkinnedFill(state, true, true); });
  bench::AddTimedOnce("scroll/plain", ms, PlainScroll);
  bench::AddTimedOnce("scroll/skinned", ms, SkinnedScroll);
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  return bench::RunAgainstTargets(argc, argv,
                                  {{"fill/skinned_one_by_one", "fill/plain_one_by_one", 1.5},
                                   {"fill/skinned_in_update", "fill/plain_in_update", 1.5},
                                   {"scroll/skinned", "scroll/plain", 2.0},
                                   {"fill/skinned_in_update_extent", "fill/skinned_in_update", 2.0}});
}
