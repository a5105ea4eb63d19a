#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ScrollBox.h"

#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::ReadForm;

namespace {

// A box with no edge holding a wide and tall panel and a small image, and a box with its default
// edge holding a client-aligned image designed far larger than the box.
const char* const ScrollForm = R"(object TestForm: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Box: TScrollBox
    Left = 10
    Top = 10
    Width = 200
    Height = 100
    BorderStyle = bsNone
    object Big: TPanel
      Left = 5
      Top = 0
      Width = 400
      Height = 150
    end
    object Small: TImage
      Left = 20
      Top = 30
      Width = 10
      Height = 10
    end
  end
  object Framed: TScrollBox
    Left = 10
    Top = 120
    Width = 100
    Height = 60
    object Filler: TImage
      Width = 1000
      Height = 1000
      Align = alClient
    end
  end
end
)";

bool HasStyle(HWND Window, LONG_PTR Style) { return (GetWindowLongPtrW(Window, GWL_STYLE) & Style) != 0; }
bool HasExStyle(HWND Window, LONG_PTR Style) { return (GetWindowLongPtrW(Window, GWL_EXSTYLE) & Style) != 0; }

SCROLLINFO BarInfo(HWND Window, int Bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Window, Bar, &info);
  return info;
}

std::vector<int> Bounds(const TControl& Control) {
  return {Control.Left(), Control.Top(), Control.Width(), Control.Height()};
}

// Where a child window really is inside its parent's client area.
std::vector<int> WindowPlace(HWND Window) {
  RECT r;
  GetWindowRect(Window, &r);
  MapWindowPoints(nullptr, GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class ScrollBoxes : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(ScrollForm);
    Box = dynamic_cast<TScrollBox*>(Form->FindComponent("Box"));
    Framed = dynamic_cast<TScrollBox*>(Form->FindComponent("Framed"));
    Big = dynamic_cast<TPanel*>(Form->FindComponent("Big"));
    Small = dynamic_cast<TImage*>(Form->FindComponent("Small"));
    Filler = dynamic_cast<TImage*>(Form->FindComponent("Filler"));
    ASSERT_TRUE(Box && Framed && Big && Small && Filler);
    Form->Show();
    windowtesting::Pump();
  }

  void Scroll(UINT Msg, WORD Request, WORD Thumb = 0) {
    SendMessageW(Box->Handle(), Msg, MAKEWPARAM(Request, Thumb), 0);
  }

  std::unique_ptr<TForm> Form;
  TScrollBox* Box = nullptr;
  TScrollBox* Framed = nullptr;
  TPanel* Big = nullptr;
  TImage* Small = nullptr;
  TImage* Filler = nullptr;
};

TEST_F(ScrollBoxes, ChildrenPastTheClientAreaScrollWithinTheRange) {
  const HWND box = Box->Handle();
  ASSERT_TRUE(HasStyle(box, WS_HSCROLL) && HasStyle(box, WS_VSCROLL));
  const int pageX = 200 - GetSystemMetrics(SM_CXVSCROLL), pageY = 100 - GetSystemMetrics(SM_CYHSCROLL);
  EXPECT_EQ(Box->ClientWidth(), pageX);
  EXPECT_EQ(Box->ClientHeight(), pageY);
  const SCROLLINFO horz = BarInfo(box, SB_HORZ), vert = BarInfo(box, SB_VERT);
  EXPECT_EQ(std::vector<int>({horz.nMin, horz.nMax, static_cast<int>(horz.nPage), horz.nPos}),
            std::vector<int>({0, 404, pageX, 0}));
  EXPECT_EQ(std::vector<int>({vert.nMin, vert.nMax, static_cast<int>(vert.nPage), vert.nPos}),
            std::vector<int>({0, 149, pageY, 0}));

  Scroll(WM_VSCROLL, SB_LINEDOWN);
  const int line = GetScrollPos(box, SB_VERT);
  EXPECT_GT(line, 0);
  EXPECT_EQ(Bounds(*Big), (std::vector<int>{5, -line, 400, 150}));
  EXPECT_EQ(WindowPlace(Big->Handle()), Bounds(*Big)) << "the window moves with Left and Top";
  EXPECT_EQ(Bounds(*Small), (std::vector<int>{20, 30 - line, 10, 10}));

  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 1000);
  EXPECT_EQ(GetScrollPos(box, SB_VERT), 150 - pageY) << "clamped at the end of the range";
  EXPECT_EQ(Big->Top(), pageY - 150);
  Scroll(WM_HSCROLL, SB_THUMBPOSITION, 50);
  EXPECT_EQ(GetScrollPos(box, SB_HORZ), 50);
  EXPECT_EQ(Bounds(*Big), (std::vector<int>{-45, pageY - 150, 400, 150}));
  EXPECT_EQ(WindowPlace(Big->Handle()), Bounds(*Big));
  EXPECT_EQ(Bounds(*Small), (std::vector<int>{-30, 30 + pageY - 150, 10, 10}));
  Scroll(WM_HSCROLL, SB_PAGEUP);
  EXPECT_EQ(Big->Left(), 5) << "clamped at the start";

  // Room for everything: the bars go and the children return to where they were designed.
  Box->SetBounds(10, 10, 450, 180);
  EXPECT_FALSE(HasStyle(box, WS_HSCROLL) || HasStyle(box, WS_VSCROLL));
  EXPECT_EQ(Bounds(*Big), (std::vector<int>{5, 0, 400, 150}));
  EXPECT_EQ(Bounds(*Small), (std::vector<int>{20, 30, 10, 10}));
}

TEST_F(ScrollBoxes, ClientAlignedChildrenShowNoBar) {
  const HWND framed = Framed->Handle();
  EXPECT_FALSE(HasStyle(framed, WS_HSCROLL) || HasStyle(framed, WS_VSCROLL));
  EXPECT_EQ(Bounds(*Filler), (std::vector<int>{0, 0, Framed->ClientWidth(), Framed->ClientHeight()}));
  Framed->SetBounds(10, 120, 40, 30);
  EXPECT_FALSE(HasStyle(framed, WS_HSCROLL) || HasStyle(framed, WS_VSCROLL)) << "however small the box";
  EXPECT_EQ(Bounds(*Filler), (std::vector<int>{0, 0, Framed->ClientWidth(), Framed->ClientHeight()}));
}

TEST_F(ScrollBoxes, TheDescriptionSetsTheBorderStyle) {
  EXPECT_EQ(Box->BorderStyle(), TBorderStyle::bsNone);
  EXPECT_FALSE(HasExStyle(Box->Handle(), WS_EX_CLIENTEDGE));
  EXPECT_EQ(Framed->BorderStyle(), TBorderStyle::bsSingle) << "the default";
  EXPECT_TRUE(HasExStyle(Framed->Handle(), WS_EX_CLIENTEDGE));
  EXPECT_LT(Framed->ClientWidth(), 100) << "the sunken edge takes its room";

  Framed->SetBorderStyle(TBorderStyle::bsNone);
  EXPECT_FALSE(HasExStyle(Framed->Handle(), WS_EX_CLIENTEDGE));
  EXPECT_EQ(Bounds(*Filler), (std::vector<int>{0, 0, 100, 60})) << "aligned children take the room back";

  EXPECT_THROW(ReadForm("object TestForm: TForm\n  object B: TScrollBox\n    BorderStyle = bsDialog\n  end\nend\n"),
               EReadError);
}

}  // namespace
