// Drag and drop driven by real mouse and key input: a press on an automatic source, the threshold,
// the targets asked as the mouse passes, the cursor they choose, the drop, a refusal and Escape.
#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/SysUtils.h"

#include <algorithm>
#include <vector>

using namespace classlib;

namespace {

const char FormText[] = R"(object TestForm: TForm
  Left = 120
  Top = 120
  Width = 420
  Height = 220
  object Source: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 60
    DragMode = dmAutomatic
    DragCursor = crHandPoint
  end
  object Taker: TImage
    Left = 150
    Top = 10
    Width = 100
    Height = 60
  end
  object Refuser: TPanel
    Left = 290
    Top = 10
    Width = 100
    Height = 60
  end
end
)";

// Absolute pointer positions run from 0 to 65535 over the screen; rounded up to land on the pixel.
INPUT MouseInput(DWORD Flags, const TPoint& At = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = Flags;
  input.mi.dx = (At.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (At.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
  return input;
}
INPUT MoveTo(const TPoint& At) { return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, At); }
INPUT Press() { return MouseInput(MOUSEEVENTF_LEFTDOWN); }
INPUT Release() { return MouseInput(MOUSEEVENTF_LEFTUP); }
INPUT Key(WORD Key, bool Up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = Key;
  input.ki.dwFlags = Up ? KEYEVENTF_KEYUP : 0;
  return input;
}

DWORD WINAPI SendInputs(LPVOID Parameter) {
  for (INPUT& input : *static_cast<std::vector<INPUT>*>(Parameter)) {
    SendInput(1, &input, sizeof input);
    Sleep(30);
  }
  return 0;
}

// The events come from a thread of their own, paced as a hand would, while this thread handles
// messages; the call returns once they are all handled.
void Play(std::vector<INPUT> Inputs) {
  const HANDLE thread = CreateThread(nullptr, 0, SendInputs, &Inputs, 0, nullptr);
  while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    Application->ProcessMessages();
  CloseHandle(thread);
  windowtesting::PumpFor(80);
}

String Name(TObject* Object) {
  const auto* component = dynamic_cast<TComponent*>(Object);
  return component ? component->Name() : String(Object ? "?" : "nil");
}

class DragTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = windowtesting::ReadForm(FormText);
    Form->Show();
    SetForegroundWindow(Form->Handle());
    windowtesting::Pump();
    Source = &Find("Source");
    Taker = &Find("Taker");
    Refuser = &Find("Refuser");
    Source->OnStartDrag = [this](TObject* Sender, TDragObject*&) { Log.push_back("start " + Name(Sender)); };
    Source->OnEndDrag = [this](TObject* Sender, TObject* Target, int X, int Y) {
      Log.push_back("end " + Name(Sender) + " " + Name(Target) + " " + IntToStr(X) + "," + IntToStr(Y));
    };
    Source->OnClick = [this](TObject*) { Log.push_back("click"); };
    Taker->OnDragOver = [this](TObject* Sender, TObject* From, int, int, TDragState State, bool& Accept) {
      if (State != TDragState::dsDragMove) Log.push_back(String(State == TDragState::dsDragEnter ? "enter " : "leave ") + Name(Sender));
      Accept = From == Source;
    };
    Taker->OnDragDrop = [this](TObject* Sender, TObject* From, int X, int Y) {
      Log.push_back("drop " + Name(From) + " on " + Name(Sender) + " " + IntToStr(X) + "," + IntToStr(Y));
    };
    Refuser->OnDragOver = [this](TObject* Sender, TObject*, int, int, TDragState State, bool& Accept) {
      if (State == TDragState::dsDragEnter) Log.push_back("enter " + Name(Sender));
      Accept = false;
    };
    Refuser->OnDragDrop = [this](TObject*, TObject*, int, int) { Log.push_back("dropped on the refuser"); };
  }
  void TearDown() override {
    Play({Release()});
    Form.reset();
  }

  TControl& Find(const char* ControlName) { return dynamic_cast<TControl&>(*Form->FindComponent(ControlName)); }
  // A point of a control in screen coordinates.
  TPoint At(const TControl& Control, int X, int Y) const { return Control.ClientToScreen(Point(X, Y)); }
  // Moves in steps from a point of one control to a point of another.
  static void Steps(std::vector<INPUT>& Inputs, const TPoint& From, const TPoint& To) {
    for (int i = 1; i <= 4; ++i)
      Inputs.push_back(MoveTo(Point(From.x + (To.x - From.x) * i / 4, From.y + (To.y - From.y) * i / 4)));
  }

  std::unique_ptr<TForm> Form;
  TControl* Source = nullptr;
  TControl* Taker = nullptr;
  TControl* Refuser = nullptr;
  std::vector<String> Log;
};

TEST_F(DragTest, APressOnAnAutomaticSourceDragsItOntoAControlThatTakesIt) {
  std::vector<INPUT> inputs{MoveTo(At(*Source, 50, 30)), Press()};
  Steps(inputs, At(*Source, 50, 30), At(*Taker, 40, 25));
  Play(inputs);
  EXPECT_TRUE(Source->Dragging());
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint)) << "the source's drag cursor over a control that takes it";

  Play({MoveTo(At(*Taker, 42, 26)), Release()});
  EXPECT_EQ(Log, (std::vector<String>{"start Source", "enter Taker", "leave Taker", "drop Source on Taker 42,26",
                                      "end Source Taker 42,26"}))
      << "the windowless image is asked, told that the mouse left, then given the drop";
  EXPECT_FALSE(Source->Dragging());
}

TEST_F(DragTest, ARefusingTargetGetsNoDropAndShowsTheNoDropCursor) {
  std::vector<INPUT> inputs{MoveTo(At(*Source, 50, 30)), Press()};
  Steps(inputs, At(*Source, 50, 30), At(*Refuser, 50, 30));
  Play(inputs);
  EXPECT_EQ(GetCursor(), CursorHandle(crNoDrop));

  Play({Release()});
  ASSERT_FALSE(Log.empty());
  EXPECT_EQ(Log.back(), "end Source nil 0,0");
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "dropped on the refuser"), 0);
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "enter Refuser"), 1);
}

TEST_F(DragTest, EscapeCancelsTheDragOverATargetThatWouldTakeIt) {
  std::vector<INPUT> inputs{MoveTo(At(*Source, 50, 30)), Press()};
  Steps(inputs, At(*Source, 50, 30), At(*Taker, 50, 30));
  inputs.push_back(Key(VK_ESCAPE, false));
  inputs.push_back(Key(VK_ESCAPE, true));
  Play(inputs);
  EXPECT_FALSE(Source->Dragging()) << "over, with the button still held";
  EXPECT_EQ(Log.back(), "end Source nil 0,0");

  Play({MoveTo(At(*Taker, 30, 30)), Release()});
  EXPECT_EQ(std::count_if(Log.begin(), Log.end(), [](const String& s) { return s.rfind("drop", 0) == 0; }), 0);
  EXPECT_EQ(Log.back(), "end Source nil 0,0") << "the release after Escape is an ordinary one";
}

TEST_F(DragTest, TheDragStartsOnlyPastTheThresholdAndAShortMoveStaysAClick) {
  Play({MoveTo(At(*Source, 50, 30)), Press(), MoveTo(At(*Source, 52, 31)), MoveTo(At(*Source, 53, 32))});
  EXPECT_TRUE(Source->Dragging()) << "begun by the press";
  EXPECT_TRUE(Log.empty()) << "but not started within the threshold";
  Play({Release()});
  EXPECT_EQ(Log, std::vector<String>{"click"});
  EXPECT_FALSE(Source->Dragging());

  // Begun by code, with a threshold of its own.
  Log.clear();
  Source->SetDragMode(TDragMode::dmManual);
  Source->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { Source->BeginDrag(false, 20); };
  Play({MoveTo(At(*Source, 50, 30)), Press(), MoveTo(At(*Source, 60, 30)), MoveTo(At(*Source, 65, 30))});
  EXPECT_TRUE(Log.empty()) << "15 pixels are within a threshold of 20";
  Play({MoveTo(At(*Source, 75, 30))});
  EXPECT_EQ(Log, std::vector<String>{"start Source"});
  Source->EndDrag(false);
  EXPECT_EQ(Log.back(), "end Source nil 0,0");
  EXPECT_FALSE(Source->Dragging());
}

TEST_F(DragTest, ADragBegunByCodeCarriesTheDragObjectItsSourceMade) {
  std::unique_ptr<TDragControlObject> carried;
  Source->OnStartDrag = [&](TObject*, TDragObject*& DragObject) {
    carried = std::make_unique<TDragControlObject>(Source);
    DragObject = carried.get();
  };
  Taker->OnDragOver = [&](TObject*, TObject* From, int, int, TDragState, bool& Accept) { Accept = From == carried.get(); };
  Source->OnEndDrag = [&](TObject*, TObject* Target, int, int) {
    Log.push_back("end on " + Name(Target));
    carried.reset();
  };
  const TPoint over = At(*Taker, 20, 10);
  SetCursorPos(over.x, over.y);
  windowtesting::Pump();

  Source->BeginDrag(true);
  EXPECT_TRUE(Source->Dragging()) << "started at once, without a button held";
  EXPECT_EQ(FindDragTarget(over, false), Taker);
  Source->EndDrag(true);
  EXPECT_EQ(Log, (std::vector<String>{"drop ? on Taker 20,10", "end on Taker"}))
      << "the target got the source's drag object, which the source then freed";
  EXPECT_EQ(carried, nullptr);
}

}  // namespace
