#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Timer.h"

#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::InitApplication;
using windowtesting::PumpFor;

namespace {

constexpr UINT WM_TESTMESSAGE = WM_APP + 1;

// Records the way a message takes: the class's own handler, the one it inherits, the default handler.
class TBaseRecorder : public TCustomControl {
public:
  using TCustomControl::TCustomControl;

  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_TESTMESSAGE) {
      Log.push_back("base");
      Message.Result += 10;
    }
    TCustomControl::Dispatch(Message);
  }
  void DefaultHandler(TMessage& Message) override {
    if (Message.Msg != WM_TESTMESSAGE) return TCustomControl::DefaultHandler(Message);
    Log.push_back("default");
    Message.Result += 100;
  }

  std::vector<String> Log;
};

// Handles the message first, then either consumes it (WParam 1) or passes it on as "inherited".
class TDerivedRecorder : public TBaseRecorder {
public:
  using TBaseRecorder::TBaseRecorder;

  void Dispatch(TMessage& Message) override {
    if (Message.Msg == WM_TESTMESSAGE) {
      Log.push_back("derived");
      Message.Result = 1;
      if (Message.WParam == 1) return;
    }
    TBaseRecorder::Dispatch(Message);
  }
};

// A form of a known client size with windowless and windowed children to place on it. The form's
// window exists but is not shown: hiding a shown top-level window costs Wine seconds without a
// window manager, and nothing here needs it on screen.
class LiveForm : public ::testing::Test {
protected:
  void SetUp() override {
    InitApplication();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(100, 100, 300, 200);
    Form->HandleNeeded();
    Form->SetClientWidth(240);
    Form->SetClientHeight(160);
  }

  template <class T>
  T* Add(int Left, int Top, int Width, int Height) {
    auto* control = new T(Form.get());
    control->SetParent(Form.get());
    control->SetBounds(Left, Top, Width, Height);
    return control;
  }

  LRESULT Send(UINT Msg, WPARAM WParam, int X, int Y) { return SendMessageW(Form->Handle(), Msg, WParam, MAKELPARAM(X, Y)); }

  std::unique_ptr<TForm> Form;
};

using ControlDispatch = LiveForm;

TEST_F(ControlDispatch, RunsTheOwnHandlerThenTheInheritedOneThenTheDefault) {
  auto* control = Add<TDerivedRecorder>(0, 0, 50, 50);
  EXPECT_EQ(control->Perform(WM_TESTMESSAGE, 0, 0), 111);
  EXPECT_EQ(control->Log, (std::vector<String>{"derived", "base", "default"}));

  control->Log.clear();
  EXPECT_EQ(control->Perform(WM_TESTMESSAGE, 1, 0), 1) << "a handler that does not call inherited ends the message";
  EXPECT_EQ(control->Log, std::vector<String>{"derived"});

  control->Log.clear();
  EXPECT_EQ(SendMessageW(control->Handle(), WM_TESTMESSAGE, 0, 0), 111) << "the window's messages take the same way";
  EXPECT_EQ(control->Log, (std::vector<String>{"derived", "base", "default"}));
}

TEST_F(ControlDispatch, AReplacedWindowProcSeesEveryMessageFirst) {
  auto* control = Add<TDerivedRecorder>(0, 0, 50, 50);
  const auto original = control->WindowProc;
  control->WindowProc = [control, original](TMessage& Message) {
    if (Message.Msg == WM_TESTMESSAGE) control->Log.push_back("hook");
    original(Message);
  };
  EXPECT_EQ(SendMessageW(control->Handle(), WM_TESTMESSAGE, 0, 0), 111);
  EXPECT_EQ(control->Log, (std::vector<String>{"hook", "derived", "base", "default"}));

  // A procedure that hands messages straight to Dispatch skips WndProc but not the handlers.
  control->Log.clear();
  control->WindowProc = [control](TMessage& Message) { control->Dispatch(Message); };
  EXPECT_EQ(control->Perform(WM_TESTMESSAGE, 0, 0), 111);
  EXPECT_EQ(control->Log, (std::vector<String>{"derived", "base", "default"}));
}

using MouseRouting = LiveForm;

TEST_F(MouseRouting, AClickOnAWindowlessChildReachesTheChild) {
  auto* spot = Add<TGraphicControl>(20, 30, 40, 20);
  int spotClicks = 0, formClicks = 0;
  TPoint down{-1, -1};
  spot->OnClick = [&](TObject* Sender) { spotClicks += Sender == spot; };
  spot->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { down = Point(X, Y); };
  Form->OnClick = [&](TObject*) { ++formClicks; };

  Send(WM_LBUTTONDOWN, MK_LBUTTON, 25, 35);
  Send(WM_LBUTTONUP, 0, 25, 35);
  EXPECT_EQ(spotClicks, 1);
  EXPECT_EQ(formClicks, 0);
  EXPECT_EQ(down.x, 5) << "in the child's own coordinates";
  EXPECT_EQ(down.y, 5);

  // Released away from the child: it keeps the mouse, but that is no click.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 25, 35);
  Send(WM_LBUTTONUP, 0, 150, 100);
  EXPECT_EQ(spotClicks, 1);
  EXPECT_EQ(formClicks, 0);

  Send(WM_LBUTTONDOWN, MK_LBUTTON, 150, 100);
  Send(WM_LBUTTONUP, 0, 150, 100);
  EXPECT_EQ(formClicks, 1) << "beside the child the form itself is clicked";

  spot->SetEnabled(false);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 25, 35);
  Send(WM_LBUTTONUP, 0, 25, 35);
  EXPECT_EQ(spotClicks, 1) << "a disabled child is passed over";
  EXPECT_EQ(formClicks, 2);
}

TEST_F(MouseRouting, TheMouseEntersAndLeavesWindowlessChildren) {
  auto* spot = Add<TGraphicControl>(20, 30, 40, 20);
  std::vector<String> events;
  spot->OnMouseEnter = [&](TObject*) { events.push_back("enter spot"); };
  spot->OnMouseLeave = [&](TObject*) { events.push_back("leave spot"); };
  Form->OnMouseLeave = [&](TObject*) { events.push_back("leave form"); };

  // Which child is under the mouse comes from the cursor's real position.
  auto moveTo = [&](int X, int Y) {
    POINT p{X, Y};
    ClientToScreen(Form->Handle(), &p);
    SetCursorPos(p.x, p.y);
    Send(WM_MOUSEMOVE, 0, X, Y);
  };
  moveTo(25, 35);
  moveTo(30, 40);
  EXPECT_EQ(events, std::vector<String>{"enter spot"}) << "entered once";
  moveTo(150, 100);
  EXPECT_EQ(events, (std::vector<String>{"enter spot", "leave spot"}));
  moveTo(25, 35);
  SendMessageW(Form->Handle(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<String>{"enter spot", "leave spot", "enter spot", "leave spot", "leave form"}))
      << "leaving the window leaves the child too";
}

using Layout = LiveForm;

TEST_F(Layout, AlignedChildrenShareTheClientAreaInOrder) {
  auto* top = Add<TCustomControl>(0, 0, 10, 30);
  auto* bottom = Add<TCustomControl>(0, 0, 10, 20);
  auto* left = Add<TCustomControl>(0, 0, 50, 10);
  auto* client = Add<TCustomControl>(0, 0, 10, 10);
  client->SetAlign(TAlign::alClient);
  left->SetAlign(TAlign::alLeft);
  bottom->SetAlign(TAlign::alBottom);
  top->SetAlign(TAlign::alTop);

  auto bounds = [](const TControl* c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
  EXPECT_EQ(bounds(top), (std::vector<int>{0, 0, 240, 30}));
  EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 140, 240, 20}));
  EXPECT_EQ(bounds(left), (std::vector<int>{0, 30, 50, 110}));
  EXPECT_EQ(bounds(client), (std::vector<int>{50, 30, 190, 110}));
  RECT r;
  GetWindowRect(client->Handle(), &r);
  MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(std::vector<int>({r.left, r.top, r.right - r.left, r.bottom - r.top}), bounds(client)) << "the window follows";

  Form->SetClientHeight(200);
  EXPECT_EQ(bounds(bottom), (std::vector<int>{0, 180, 240, 20})) << "a new size lays them out again";
  EXPECT_EQ(bounds(client), (std::vector<int>{50, 30, 190, 150}));

  top->Hide();
  EXPECT_EQ(bounds(left), (std::vector<int>{0, 0, 50, 180})) << "a hidden control gives up its room";
}

using WindowState = LiveForm;

// The window's own visibility, whether or not its parent shows.
bool HasVisibleStyle(HWND Window) { return (GetWindowLongPtrW(Window, GWL_STYLE) & WS_VISIBLE) != 0; }

TEST_F(WindowState, VisibleAndEnabledReachTheWindow) {
  auto* box = Add<TCustomControl>(10, 10, 50, 50);
  EXPECT_TRUE(HasVisibleStyle(box->Handle()));
  box->Hide();
  EXPECT_FALSE(HasVisibleStyle(box->Handle()));
  box->Show();
  EXPECT_TRUE(HasVisibleStyle(box->Handle()));
  box->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(box->Handle()));
  box->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(box->Handle()));

  // State set before the window exists is the state it is made with.
  auto* late = new TCustomControl(Form.get());
  late->SetEnabled(false);
  late->SetParent(Form.get());
  EXPECT_FALSE(IsWindowEnabled(late->Handle()));
}

// Overlapping sibling windows: the one brought to the front is the one the screen shows.
TEST_F(WindowState, BringToFrontAndSendToBackReorderTheWindows) {
  auto* first = Add<TCustomControl>(10, 10, 50, 50);
  auto* second = Add<TCustomControl>(30, 30, 50, 50);
  const auto topmost = [&] { return GetWindow(Form->Handle(), GW_CHILD); };
  const POINT overlap{40, 40};
  first->BringToFront();
  EXPECT_EQ(topmost(), first->Handle());
  EXPECT_EQ(ChildWindowFromPoint(Form->Handle(), overlap), first->Handle());
  first->SendToBack();
  EXPECT_EQ(topmost(), second->Handle());
  EXPECT_EQ(ChildWindowFromPoint(Form->Handle(), overlap), second->Handle());
}

TEST_F(WindowState, CloseAsksOnCloseQueryFirst) {
  Form->Show();
  bool allow = false;
  int closes = 0;
  Form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = allow; };
  Form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };

  SendMessageW(Form->Handle(), WM_CLOSE, 0, 0);
  Form->Close();
  EXPECT_EQ(closes, 0);
  EXPECT_TRUE(IsWindowVisible(Form->Handle())) << "a refused close leaves the form up";

  allow = true;
  Form->OnClose = [&](TObject*, TCloseAction& Action) {
    ++closes;
    Action = TCloseAction::caNone;
  };
  Form->Close();
  EXPECT_EQ(closes, 1);
  EXPECT_TRUE(IsWindowVisible(Form->Handle())) << "caNone keeps it too";

  Form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
  SendMessageW(Form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(closes, 2);
  EXPECT_FALSE(Form->Visible());
  EXPECT_FALSE(IsWindowVisible(Form->Handle())) << "the default action hides a form other than the main one";
}

TEST(Timer, TurningItOffAndOnStartsANewInterval) {
  InitApplication();
  TTimer timer(nullptr);
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(400);
  PumpFor(250);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  PumpFor(250);
  EXPECT_EQ(fired, 0) << "the first interval was dropped";
  PumpFor(300);
  EXPECT_GE(fired, 1);
  timer.SetEnabled(false);
  const int stopped = fired;
  PumpFor(500);
  EXPECT_EQ(fired, stopped) << "a disabled timer is silent";
}

TEST(Timer, EnablingAnEnabledTimerKeepsItsInterval) {
  InitApplication();
  TTimer timer(nullptr);
  int fired = 0;
  timer.OnTimer = [&](TObject*) { ++fired; };
  timer.SetInterval(400);
  PumpFor(250);
  timer.SetEnabled(true);
  PumpFor(250);
  EXPECT_EQ(fired, 1);
}

// Faults the control core once had.
using CoreFaults = LiveForm;

// TControl::Invalidate marks the control's rectangle in its parent, which does not reach a child
// window (parents clip their children), so a windowed control is never repainted by it.
TEST_F(CoreFaults, InvalidateRepaintsAWindowedControl) {
  auto* box = Add<TCustomControl>(10, 10, 50, 50);
  Form->Show();  // hidden windows gather no update region
  ValidateRect(box->Handle(), nullptr);
  box->Invalidate();
  RECT r;
  EXPECT_TRUE(GetUpdateRect(box->Handle(), &r, FALSE));
}

// TControl::ClientOrigin counts a form's frame and caption as client area.
TEST_F(CoreFaults, ClientOriginIsTheClientAreasScreenPoint) {
  auto* box = Add<TCustomControl>(10, 20, 50, 50);
  POINT form{0, 0}, child{0, 0};
  ClientToScreen(Form->Handle(), &form);
  ClientToScreen(box->Handle(), &child);
  EXPECT_EQ(Form->ClientOrigin().x, form.x);
  EXPECT_EQ(Form->ClientOrigin().y, form.y);
  EXPECT_EQ(box->ClientOrigin().x, child.x);
  EXPECT_EQ(box->ClientOrigin().y, child.y);
}

// A right button's release that a windowless child handled never reaches the parent's default
// procedure, so no WM_CONTEXTMENU follows and the child's popup menu never opens.
TEST_F(CoreFaults, ARightClickOnAWindowlessChildOpensItsPopupMenu) {
  auto* spot = Add<TGraphicControl>(20, 30, 40, 20);
  TComponent menu(nullptr);
  spot->SetPopupMenu(&menu);
  TControl* asked = nullptr;
  const auto saved = TControl::PopupMenuHook;
  TControl::PopupMenuHook = [&](TControl* Control, TComponent*, TPoint) {
    asked = Control;
    return true;
  };
  POINT p{25, 35};
  ClientToScreen(Form->Handle(), &p);
  SetCursorPos(p.x, p.y);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 25, 35);
  Send(WM_RBUTTONUP, 0, 25, 35);
  TControl::PopupMenuHook = saved;
  EXPECT_EQ(asked, spot);
}

// A windowless child that covers its parent but has no menu of its own (a picture on a panel):
// the parent's menu opens.
TEST_F(CoreFaults, ARightClickOnAWindowlessChildWithoutAMenuOpensTheParentsMenu) {
  Add<TGraphicControl>(20, 30, 40, 20);
  TComponent menu(nullptr);
  Form->SetPopupMenu(&menu);
  TControl* asked = nullptr;
  const auto saved = TControl::PopupMenuHook;
  TControl::PopupMenuHook = [&](TControl* Control, TComponent*, TPoint) {
    asked = Control;
    return true;
  };
  POINT p{25, 35};
  ClientToScreen(Form->Handle(), &p);
  SetCursorPos(p.x, p.y);
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 25, 35);
  Send(WM_RBUTTONUP, 0, 25, 35);
  TControl::PopupMenuHook = saved;
  Form->SetPopupMenu(nullptr);
  EXPECT_EQ(asked, Form.get());
}

}  // namespace
