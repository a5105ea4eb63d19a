// The mouse in the frame with real input: the system's move and size loops on the skinned frame, the
// caption buttons, the caption double click, the object under the pointer and the timers.
#include "tests/skin/form/FormSkinTesting.h"

#include "skin/form/FormSkinObjects.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace formskintesting;
using skin::TskFormSkin;

namespace {

POINT At(TForm& Form, int X, int Y) { return POINT{Form.Left() + X, Form.Top() + Y}; }

// A point of the desktop away from every test window.
constexpr POINT Away{1000, 900};

}  // namespace

TEST(FormSkinMouse, CaptionDragMovesTheForm) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  LeftDrag(At(*form, 100, 10), At(*form, 160, 50));
  EXPECT_EQ(form->Left(), 160);
  EXPECT_EQ(form->Top(), 140);
  EXPECT_EQ(form->Width(), 300);
  EXPECT_FALSE(FormSkinOf(*form).InSizeMove);
}

TEST(FormSkinMouse, CornerDragResizesAndLaysTheFrameOut) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  // The pointer comes from the caption: when the press comes, the pointer timer may not have seen it
  // leave the caption yet.
  MouseTo(At(*form, 100, 10).x, At(*form, 100, 10).y);
  windowtesting::PumpFor(120);
  // (293, 197): on the bottom border beside the cut corner.
  LeftDrag(At(*form, 293, 197), At(*form, 343, 227));
  EXPECT_EQ(form->Width(), 350);
  EXPECT_EQ(form->Height(), 230);
  TskFormSkin& fs = FormSkinOf(*form);
  const RECT client = Rect(4, 24, 346, 226);
  EXPECT_TRUE(EqualRect(&fs.LaidOutClientRect, &client));
  windowtesting::PumpFor(100);
  EXPECT_EQ(ScreenPixel(form->Left() + 340, form->Top() + 12), CloseColor);
  EXPECT_EQ(ScreenPixel(form->Left() + 200, form->Top() + 120), ClientColor);
  // The new region follows the new corners.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 348, 228));
  EXPECT_TRUE(PtInRegion(region, 340, 220));
  DeleteObject(region);
}

TEST(FormSkinMouse, ClientModeDragMovesTheFormByItsCaptionOrWhenDraggAbleByItsBackground) {
  struct Case {
    bool DraggAble;
    int X, Y;  // the press, in the form
    bool Moves;
  };
  // The caption drags the form whatever DraggAble says.
  const Case cases[] = {{true, 40, 40, true}, {false, 40, 40, false}, {false, 50, 12, true}};
  TFrameSkin skin;
  for (const Case& c : cases) {
    auto form = ShowForm(std::string("object TestForm: TForm\n  Left = 100\n  Top = 100\n  Width = 160\n  Height = 80\n") +
                         "  BorderStyle = bsNone\n  object FormSkin: TskFormSkin\n    SupportNCArea = False\n" +
                         "    DraggAble = " + (c.DraggAble ? "True" : "False") + "\n  end\nend\n");
    TskFormSkin& fs = FormSkinOf(*form);
    fs.SetSkinData(&skin.Skin());
    windowtesting::PumpFor(50);
    // The pointer stays over the form's first place all the way, wherever the form has gone.
    LeftDrag(At(*form, c.X, c.Y), At(*form, c.X + 60, c.Y + 30), false);
    const POINT expected = c.Moves ? POINT{160, 130} : POINT{100, 100};
    EXPECT_EQ(form->Left(), expected.x) << c.DraggAble << " " << c.X << "," << c.Y;
    EXPECT_EQ(form->Top(), expected.y) << c.DraggAble << " " << c.X << "," << c.Y;
    EXPECT_FALSE(fs.DragInProgress);
    EXPECT_EQ(fs.CaptureObject, -1);
  }
}

TEST(FormSkinMouse, CaptionButtonRunsOnlyWhenReleasedOverIt) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  LeftPress(At(*form, 290, 12).x, At(*form, 290, 12).y);
  EXPECT_EQ(GetCapture(), form->Handle()) << "a pressed button holds the mouse";
  EXPECT_EQ(fs.CaptureObject, fs.GetIndex("closebutton"));
  MouseTo(Away.x, Away.y);
  windowtesting::PumpFor(150);  // the pointer timer sees the pointer leave the button
  LeftReleaseAt(Away.x, Away.y);
  EXPECT_EQ(fs.CaptureObject, -1);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(IsWindowVisible(form->Handle())) << "released away from the close button";
  LeftClick(At(*form, 290, 12).x, At(*form, 290, 12).y);
  windowtesting::PumpFor(100);
  EXPECT_FALSE(IsWindowVisible(form->Handle())) << "clicked on the close button";
}

TEST(FormSkinMouse, CaptionDoubleClickMaximizesAndRestores) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  LeftDoubleClick(At(*form, 100, 10).x, At(*form, 100, 10).y);
  EXPECT_EQ(fs.WindowState, TWindowState::wsMaximized);
  LeftDoubleClick(At(*form, 100, 10).x, At(*form, 100, 10).y);
  EXPECT_EQ(fs.WindowState, TWindowState::wsNormal);
  const RECT bounds = form->BoundsRect(), normal = Rect(100, 100, 400, 300);
  EXPECT_TRUE(EqualRect(&bounds, &normal));
  // Without the maximize icon the double click rolls the form up, and down again.
  fs.SetBorderIcons(skin::TskBorderIcons{skin::TskBorderIcon::biSystemMenu, skin::TskBorderIcon::biRollUp});
  fs.SetSkinData(&skin.Skin());  // the icons are set before the skin, as the forms do
  LeftDoubleClick(At(*form, 100, 10).x, At(*form, 100, 10).y);
  EXPECT_TRUE(fs.RollUpState);
  EXPECT_EQ(form->Height(), fs.GetMinHeight());
  LeftDoubleClick(At(*form, 100, 10).x, At(*form, 100, 10).y);
  EXPECT_FALSE(fs.RollUpState);
  EXPECT_EQ(form->Height(), 200);
}

TEST(FormSkinMouse, PointerMovingBetweenObjectsLeavesOneBeforeEnteringTheNext) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  std::vector<std::string> events;
  fs.OnMouseEnterEvent = [&events](const String& Name) { events.push_back("enter " + Name); };
  fs.OnMouseLeaveEvent = [&events](const String& Name) { events.push_back("leave " + Name); };
  MouseTo(At(*form, 290, 12).x, At(*form, 290, 12).y);
  windowtesting::PumpFor(120);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "enter closebutton");
  events.clear();
  MouseTo(At(*form, 276, 12).x, At(*form, 276, 12).y);
  windowtesting::PumpFor(120);
  MouseTo(At(*form, 150, 100).x, At(*form, 150, 100).y);
  windowtesting::PumpFor(120);
  const std::vector<std::string> expected{"leave closebutton", "enter maxbutton", "leave maxbutton"};
  EXPECT_EQ(events, expected);
  EXPECT_EQ(fs.ActiveObject, -1);
  MouseTo(Away.x, Away.y);
}

TEST(FormSkinMouse, HitTestOnAnObjectStartsThePointerTimerOnce) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*form);
  fs.PointerTimer->SetEnabled(false);
  fs.ActiveObject = -1;
  const POINT p = At(*form, 290, 12);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), 19);
  EXPECT_TRUE(fs.PointerTimer->Enabled());
  EXPECT_EQ(fs.ActiveObject, fs.GetIndex("closebutton"));
  // The timer runs: a second hit test elsewhere on the frame does not move the active object.
  const POINT q = At(*form, 276, 12);
  SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(q.x, q.y));
  EXPECT_EQ(fs.ActiveObject, fs.GetIndex("closebutton"));
  // Its tick follows the cursor: away from the frame nothing stays active.
  MouseTo(Away.x, Away.y);
  fs.TestMouse(nullptr);
  EXPECT_EQ(fs.ActiveObject, -1);
}

TEST(FormSkinMouse, ObjectThePointerJustLeftDoesNotTakeTheFrameFromTheSystem) {
  const auto hitTest = [](TForm& Form, int X, int Y) {
    return SendMessageW(Form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(Form.Left() + X, Form.Top() + Y));
  };
  struct Case {
    const char* Active;
    int X, Y;
    LRESULT Code;
  };
  TFrameSkin skin;
  auto skinned = ShowFrameForm(&skin.Skin());
  TskFormSkin& fs = FormSkinOf(*skinned);
  // The pointer timer has not run since the pointer left the object: it is still the active one.
  const Case cases[] = {{"caption", 293, 197, HTBOTTOMRIGHT},
                        {"closebutton", 150, 1, HTTOP},
                        {"closebutton", 100, 10, HTCAPTION},
                        {"closebutton", 290, 12, 19}};
  for (const Case& c : cases) {
    fs.ActiveObject = fs.GetIndex(c.Active);
    EXPECT_EQ(hitTest(*skinned, c.X, c.Y), c.Code) << c.Active << " " << c.X << "," << c.Y;
  }
  skinned.reset();
  auto plain = ShowFrameForm(nullptr);
  TskFormSkin& def = FormSkinOf(*plain);
  def.ActiveObject = def.GetIndex("closebutton");
  ASSERT_NE(def.ActiveObject, -1);
  EXPECT_EQ(hitTest(*plain, 0, 100), HTLEFT);
}

TEST(FormSkinMouse, SetCursorShowsTheFormCursorOverCaptionAndObjectsOnly) {
  auto form = ShowFrameForm(nullptr);
  TskFormSkin& fs = FormSkinOf(*form);
  std::vector<WORD> seen;
  const auto old = fs.OldWindowProc;
  fs.OldWindowProc = [&seen, old](TMessage& Message) {
    if (Message.Msg == WM_SETCURSOR) seen.push_back(LOWORD(Message.LParam));
    old(Message);
  };
  const WORD codes[] = {HTCAPTION, 19, HTBOTTOMRIGHT, HTLEFT, HTCLIENT};
  for (const bool use : {true, false}) {
    fs.SetUseFormCursorInNCArea(use);
    seen.clear();
    for (const WORD code : codes)
      SendMessageW(form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->Handle()), MAKELPARAM(code, WM_MOUSEMOVE));
    const std::vector<WORD> expected =
        use ? std::vector<WORD>{HTCLIENT, HTCLIENT, HTBOTTOMRIGHT, HTLEFT, HTCLIENT}
            : std::vector<WORD>{HTCAPTION, 19, HTBOTTOMRIGHT, HTLEFT, HTCLIENT};
    EXPECT_EQ(seen, expected) << use;
  }
  fs.OldWindowProc = old;
}
