// The application's hints: the hint of the control the mouse rests on, shown after the pause in a
// window of the installed class, seen first by OnShowHint, hidden on a click.
#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ExtCtrls.h"

using namespace classlib;

namespace {

const char FormText[] = R"(object TestForm: TForm
  Left = 150
  Top = 150
  Width = 300
  Height = 200
  object WithHint: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 60
    Hint = 'Panel hint'
    ShowHint = True
  end
  object Quiet: TPanel
    Left = 150
    Top = 10
    Width = 100
    Height = 60
    Hint = 'Never shown'
  end
end
)";

// The mouse put over the middle of a control, as the system reports it.
void RestOn(TWinControl& Control) {
  const TPoint centre = Control.ClientToScreen(Point(Control.Width() / 2, Control.Height() / 2));
  SetCursorPos(centre.x, centre.y);
  PostMessageW(Control.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(Control.Width() / 2, Control.Height() / 2));
}

class ApplicationHintTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = windowtesting::ReadForm(FormText);
    Form->Show();
    windowtesting::Pump();
    Application->SetShowHint(true);
    Application->SetHintPause(30);
    Application->SetHintHidePause(5000);
  }
  void TearDown() override {
    Application->OnShowHint = nullptr;
    Application->SetShowHint(false);
  }
  TWinControl& Control(const char* Name) { return dynamic_cast<TWinControl&>(*Form->FindComponent(Name)); }
  bool HintShown() { return Application->HintWindow() && IsWindowVisible(Application->HintWindow()->Handle()); }

  std::unique_ptr<TForm> Form;
};

}  // namespace

TEST_F(ApplicationHintTest, HintOfTheRestingMouseShowsAfterThePause) {
  RestOn(Control("WithHint"));
  windowtesting::Pump();
  EXPECT_FALSE(HintShown());
  windowtesting::PumpFor(150);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Panel hint");
  // Below the cursor.
  POINT cursor;
  GetCursorPos(&cursor);
  RECT r;
  GetWindowRect(Application->HintWindow()->Handle(), &r);
  EXPECT_GT(r.top, cursor.y);
  // A click hides it, and it stays hidden while the mouse stays.
  PostMessageW(Control("WithHint").Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  windowtesting::PumpFor(100);
  EXPECT_FALSE(HintShown());
  RestOn(Control("WithHint"));
  windowtesting::PumpFor(100);
  EXPECT_FALSE(HintShown());
  // A control whose ShowHint is off shows none.
  RestOn(Control("Quiet"));
  windowtesting::PumpFor(150);
  EXPECT_FALSE(HintShown());
}

TEST_F(ApplicationHintTest, OnShowHintChangesOrRefusesTheHint) {
  Application->OnShowHint = [](String& HintStr, bool& CanShow, THintInfo& Info) {
    CanShow = Info.HintControl && Info.HintControl->Name() == "WithHint";
    HintStr = "Changed";
  };
  RestOn(Control("WithHint"));
  windowtesting::PumpFor(150);
  ASSERT_TRUE(HintShown());
  EXPECT_EQ(Application->HintWindow()->Caption(), "Changed");
  Application->OnShowHint = [](String&, bool& CanShow, THintInfo&) { CanShow = false; };
  RestOn(Control("Quiet"));
  windowtesting::PumpFor(30);
  RestOn(Control("WithHint"));
  windowtesting::PumpFor(150);
  EXPECT_FALSE(HintShown());
}

TEST_F(ApplicationHintTest, ControlFreedUnderTheMouseIsForgotten) {
  RestOn(Control("WithHint"));
  windowtesting::Pump();
  delete &Control("WithHint");
  windowtesting::PumpFor(150);
  EXPECT_FALSE(HintShown());
}
