// A line dragged with the mouse from one skinned list box to a skinned check list box: the lists'
// drag properties and events, read from a description, are their inner lists' own.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinBoxesRegistration.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinListBox.h"

#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char DragForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object From: TskSkinListBox
    Left = 10
    Top = 10
    Items.Strings = (
      'apple'
      'banana'
      'cherry')
    ListBoxDragMode = dmAutomatic
    ListBoxDragCursor = crHandPoint
    OnListBoxStartDrag = FromStartDrag
    OnListBoxEndDrag = FromEndDrag
  end
  object Into: TskSkinCheckListBox
    Left = 200
    Top = 10
    ListBoxDragKind = dkDrag
    OnListBoxDragOver = IntoDragOver
    OnListBoxDragDrop = IntoDragDrop
  end
end)";

TEST(SkinListBoxDrag, ALineDraggedFromOneListIsDroppedIntoTheOther) {
  RegisterSkinBoxClasses();
  std::vector<String> log;
  TskSkinListBox* from = nullptr;
  TskSkinCheckListBox* into = nullptr;
  auto form = windowtesting::ReadForm(DragForm, [&](TForm& Form) {
    Form.RegisterHandler("FromStartDrag", TStartDragEvent([&](TObject* Sender, TDragObject*&) {
      log.push_back(String(Sender == &from->InnerList() ? "start inner " : "start ?") + from->Items()[from->ItemIndex()]);
    }));
    Form.RegisterHandler("FromEndDrag", TEndDragEvent([&](TObject*, TObject* Target, int, int) {
      log.push_back(String("end ") + (Target == &into->InnerList() ? "inner" : Target ? "?" : "nil"));
    }));
    Form.RegisterHandler("IntoDragOver", TDragOverEvent([&](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
      Accept = Source == &from->InnerList();
    }));
    Form.RegisterHandler("IntoDragDrop", TDragDropEvent([&](TObject* Sender, TObject* Source, int X, int Y) {
      auto* list = dynamic_cast<TskListBox*>(Source);
      if (!list || Sender != &into->InnerList()) return log.push_back("dropped from elsewhere");
      const int at = into->ItemAtPos(Point(X, Y), false);
      into->Items().Insert(at, list->Items()[list->ItemIndex()]);
      log.push_back("drop at " + IntToStr(at));
    }));
  });
  form->Show();
  SetForegroundWindow(form->Handle());
  windowtesting::PumpFor(50);
  from = dynamic_cast<TskSkinListBox*>(form->FindComponent("From"));
  into = dynamic_cast<TskSkinCheckListBox*>(form->FindComponent("Into"));
  ASSERT_TRUE(from && into);
  into->Items().Add("plum");
  EXPECT_EQ(from->ListBoxDragMode(), TDragMode::dmAutomatic);
  EXPECT_EQ(from->InnerList().DragCursor(), crHandPoint);

  // Press "banana" (the second row, 20 pixels high), drag it below "plum", release.
  const TPoint start = from->InnerList().ClientToScreen(Point(30, 30));
  const TPoint end = into->InnerList().ClientToScreen(Point(30, 40));
  LeftPress(start.x, start.y);
  for (int i = 1; i <= 4; ++i) MouseTo(start.x + (end.x - start.x) * i / 4, start.y + (end.y - start.y) * i / 4);
  EXPECT_TRUE(from->InnerList().Dragging());
  EXPECT_EQ(GetCursor(), CursorHandle(crHandPoint)) << "over a list that takes the line";
  LeftReleaseAt(end.x, end.y);

  EXPECT_EQ(log, (std::vector<String>{"start inner banana", "drop at 1", "end inner"}))
      << "the press selected the line, the drop went to the check list's inner list";
  EXPECT_EQ(into->Items().Count(), 2);
  EXPECT_EQ(into->Items()[1], "banana");
  EXPECT_EQ(from->ItemIndex(), 1);
  EXPECT_FALSE(from->InnerList().Dragging());
}

}  // namespace
