#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/SysUtils.h"
#include "platform/classlib/WideText.h"
#include "skin/boxes/SkinListBox.h"

#include <string>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

const char ListForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object L: TskSkinListBox
    Left = 10
    Top = 10
  end
end)";

class SkinListBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(ListForm);
    List = dynamic_cast<TskSkinListBox*>(Form->FindComponent("L"));
    ASSERT_NE(List, nullptr);
  }
  void Fill(int Count) {
    List->Items().BeginUpdate();
    for (int i = 0; i < Count; ++i) List->Items().Add("Item " + IntToStr(i));
    List->Items().EndUpdate();
    List->UpDateScrollBar();
  }
  TPoint Screen(int X, int Y) const { return List->ClientToScreen(Point(X, Y)); }

  std::unique_ptr<TForm> Form;
  TskSkinListBox* List = nullptr;
};

}  // namespace

TEST_F(SkinListBoxTest, DefaultsAndLayout) {
  EXPECT_EQ(List->Width(), 120);
  EXPECT_EQ(List->Height(), 120);
  EXPECT_EQ(List->SkinDataName(), "listbox");
  EXPECT_EQ(List->InnerList().ItemHeight(), 20);
  EXPECT_EQ(Text(List->InnerList().BoundsRect()), "2,2,118,118");
  EXPECT_EQ(List->ItemScrollBar(), nullptr);
  EXPECT_EQ(List->ExtentScrollBar(), nullptr);
  // No native frame or bars: the client area is the whole window.
  RECT client;
  GetClientRect(List->InnerList().Handle(), &client);
  EXPECT_EQ(client.right, 116);
  EXPECT_EQ(client.bottom, 116);
}

TEST_F(SkinListBoxTest, ItemBarFollowsTheContents) {
  Fill(3);
  EXPECT_EQ(List->ItemScrollBar(), nullptr);
  Fill(10);
  TskSkinScrollBar* bar = List->ItemScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Kind(), TScrollBarKind::sbVertical);
  const int rows = List->InnerList().Height() / 20;
  EXPECT_EQ(bar->PageSize(), rows);
  EXPECT_EQ(bar->LargeChange(), rows);
  EXPECT_EQ(bar->Max(), 12);
  EXPECT_EQ(Text(bar->BoundsRect()), "100,1,119,119");
  EXPECT_EQ(Text(List->InnerList().BoundsRect()), "2,2,100,118");

  // The bar scrolls the list, and the list's own scrolling moves the bar.
  bar->SetPosition(4);
  EXPECT_EQ(List->TopIndex(), 4);
  List->SetTopIndex(2);
  windowtesting::Pump();
  EXPECT_EQ(bar->Position(), 2);

  // Sorting frees the bar; the sorted lines going back into the list make it again.
  List->SetSorted(true);
  ASSERT_NE(List->ItemScrollBar(), nullptr);
  EXPECT_EQ(List->ItemScrollBar()->Max(), 12);
  List->Clear();
  EXPECT_EQ(List->ItemScrollBar(), nullptr);
}

TEST_F(SkinListBoxTest, RowCountSizesTheControl) {
  List->SetRowCount(5);
  EXPECT_EQ(List->Height(), 104);
  Fill(5);
  EXPECT_EQ(List->ItemScrollBar(), nullptr);
  List->SetCaptionMode(true);
  List->SetRowCount(5);
  EXPECT_EQ(List->Height(), 124);
}

TEST_F(SkinListBoxTest, ExtentBarShiftsTheTexts) {
  List->Items().Add("short");
  List->Items().Add("a line far wider than the list box can show");
  List->SetHorizontalExtent(true);
  TskSkinScrollBar* bar = List->ExtentScrollBar();
  ASSERT_NE(bar, nullptr);
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->SetFont(List->InnerList().Font());
  EXPECT_EQ(bar->Max(), measure.Canvas()->TextWidth("a line far wider than the list box can show"));
  EXPECT_EQ(bar->PageSize(), List->InnerList().Width() - 4);
  EXPECT_EQ(Text(bar->BoundsRect()), "1,100,119,119");
  bar->SetPosition(30);
  EXPECT_EQ(List->InnerList().HorzOffset(), 30);
  List->SetHorizontalExtent(false);
  EXPECT_EQ(List->ExtentScrollBar(), nullptr);
  EXPECT_EQ(List->InnerList().HorzOffset(), 0);
}

TEST_F(SkinListBoxTest, BothBarsShareTheCorner) {
  for (int i = 0; i < 10; ++i) List->Items().Add("a line far wider than the list box can show " + IntToStr(i));
  List->SetHorizontalExtent(true);
  ASSERT_NE(List->ItemScrollBar(), nullptr);
  ASSERT_NE(List->ExtentScrollBar(), nullptr);
  EXPECT_TRUE(List->ExtentScrollBar()->Both());
  EXPECT_EQ(List->ExtentScrollBar()->BothMarkerWidth(), 19);
  EXPECT_EQ(Text(List->ExtentScrollBar()->BoundsRect()), "1,100,119,119");
  EXPECT_LE(List->ItemScrollBar()->BoundsRect().bottom, 101);
}

TEST_F(SkinListBoxTest, TwoColumnsScrollSideways) {
  List->SetColumns(2);
  Fill(30);
  TskSkinScrollBar* bar = List->ItemScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Kind(), TScrollBarKind::sbHorizontal);
  EXPECT_EQ(bar->PageSize(), 2);
  EXPECT_EQ(List->ItemRect(0).right - List->ItemRect(0).left, List->InnerList().ClientWidth() / 2);
}

TEST_F(SkinListBoxTest, HorzOffsetKeepsTheRightEdge) {
  struct Case {
    int Widen, Offset, Expected;
  } cases[] = {{30, 50, 20}, {80, 50, 0}, {-10, 50, 60}, {30, 0, 0}};
  for (const Case& c : cases) {
    TskListBox& inner = List->InnerList();
    inner.SetHorzOffset(c.Offset);
    inner.SetBounds(inner.Left(), inner.Top(), inner.Width() + c.Widen, inner.Height());
    EXPECT_EQ(inner.HorzOffset(), c.Expected) << c.Widen << " " << c.Offset;
    inner.SetBounds(inner.Left(), inner.Top(), inner.Width() - c.Widen, inner.Height());
  }
}

TEST_F(SkinListBoxTest, BarReachesRowsPast65535) {
  List->Items().BeginUpdate();
  for (int i = 0; i < 70000; ++i) List->Items().Add("Row " + IntToStr(i));
  List->Items().EndUpdate();
  List->UpDateScrollBar();
  TskSkinScrollBar* bar = List->ItemScrollBar();
  ASSERT_NE(bar, nullptr);
  bar->SetPosition(68000);
  EXPECT_EQ(List->TopIndex(), 68000);
  EXPECT_EQ(List->ItemAtPos(Point(5, 25), true), 68001);
}

TEST_F(SkinListBoxTest, WheelScrollsOneLinePerMessage) {
  Fill(30);
  const HWND inner = List->InnerList().Handle();
  for (int delta : {-120, -360}) {
    const int top = List->TopIndex();
    SendMessageW(inner, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    EXPECT_EQ(List->TopIndex(), top + 1) << delta;
  }
  SendMessageW(inner, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(List->TopIndex(), 1);
  EXPECT_EQ(List->ItemScrollBar()->Position(), 1);
}

TEST_F(SkinListBoxTest, PaintsItemsAndBackground) {
  {
    TWindowPicture empty(List->InnerList().Handle());
    EXPECT_EQ(empty.Pixel(50, 50), GetSysColor(COLOR_WINDOW));
  }
  Fill(3);
  List->SetItemIndex(1);
  windowtesting::Pump();
  TWindowPicture picture(List->InnerList().Handle());
  EXPECT_EQ(picture.Pixel(100, 25), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(picture.Pixel(100, 5), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(picture.Pixel(100, 90), GetSysColor(COLOR_WINDOW));
}

TEST_F(SkinListBoxTest, ListEventsComeFromTheListBox) {
  Fill(5);
  std::vector<std::string> events;
  List->OnListBoxClick = [&](TObject* Sender) { events.push_back(Sender == List ? "click" : "?"); };
  List->OnListBoxMouseDown = [&](TObject* Sender, TMouseButton, TShiftState, int, int Y) {
    events.push_back(Sender == List ? "down " + std::to_string(Y) : "?");
  };
  List->OnListBoxKeyDown = [&](TObject*, WORD& Key, TShiftState) { events.push_back("key " + std::to_string(Key)); };
  const TPoint p = List->InnerList().ClientToScreen(Point(20, 30));
  LeftPress(p.x, p.y);
  LeftReleaseAt(p.x, p.y);
  EXPECT_EQ(List->ItemIndex(), 1);
  TapKey(VK_DOWN);
  EXPECT_EQ(List->ItemIndex(), 2);
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0], "down 30");
  EXPECT_EQ(events[1], "click");
  EXPECT_EQ(events[2], "key 40");
}

// The window keeps no texts of its own: the list answers for them, and a typed letter still finds
// the next item that starts with it.
TEST_F(SkinListBoxTest, TheListAnswersForItsTexts) {
  for (const char* item : {"Apple", "banana", "Blueberry", "cherry", "apple pie"}) List->Items().Add(item);
  const HWND inner = List->InnerList().Handle();
  const auto find = [&](UINT Msg, int Start, const WCHAR* Text) {
    return static_cast<int>(SendMessageW(inner, Msg, static_cast<WPARAM>(Start), reinterpret_cast<LPARAM>(Text)));
  };
  EXPECT_EQ(find(LB_FINDSTRING, -1, L"b"), 1);
  EXPECT_EQ(find(LB_FINDSTRING, 1, L"B"), 2) << "after the start, without regard to case";
  EXPECT_EQ(find(LB_FINDSTRING, 2, L"app"), 4);
  EXPECT_EQ(find(LB_FINDSTRING, 4, L"app"), 0) << "round past the end";
  EXPECT_EQ(find(LB_FINDSTRING, -1, L"kiwi"), LB_ERR);
  EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, L"APPLE"), 0);
  EXPECT_EQ(find(LB_FINDSTRINGEXACT, -1, L"blue"), LB_ERR);
  EXPECT_EQ(SendMessageW(inner, LB_GETTEXTLEN, 3, 0), 6);
  WCHAR text[16] = {};
  EXPECT_EQ(SendMessageW(inner, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text)), 6);
  EXPECT_EQ(FromWide(text), "cherry");
  EXPECT_EQ(SendMessageW(inner, LB_GETTEXT, 5, reinterpret_cast<LPARAM>(text)), LB_ERR);

  int clicks = 0;
  List->OnListBoxClick = [&](TObject*) { ++clicks; };
  for (const int expected : {1, 2, 1}) {
    SendMessageW(inner, WM_CHAR, 'b', 0);
    EXPECT_EQ(List->ItemIndex(), expected);
  }
  SendMessageW(inner, WM_CHAR, 'k', 0);
  EXPECT_EQ(List->ItemIndex(), 1) << "no item starts with the letter";
  EXPECT_EQ(clicks, 3);
}

TEST_F(SkinListBoxTest, CaptionStripLayout) {
  List->SetDefaultCaptionHeight(16);
  List->SetCaptionMode(true);
  windowtesting::Pump();
  TWindowPicture picture(List->Handle());
  (void)picture;
  EXPECT_EQ(Text(List->CaptionButton(0).Rect), "105,2,118,14");
  EXPECT_EQ(Text(List->CaptionButton(1).Rect), "92,2,105,14");
  EXPECT_EQ(Text(List->CaptionButton(2).Rect), "79,2,92,14");
  EXPECT_EQ(List->InnerList().Top(), 17);
}

TEST_F(SkinListBoxTest, HeldCaptionButtonRepeats) {
  List->SetCaptionMode(true);
  Fill(100);
  List->SetItemIndex(0);
  windowtesting::Pump();
  TWindowPicture paint(List->Handle());  // lays the buttons out
  const TRect down = List->CaptionButton(1).Rect;
  const TPoint p = Screen((down.left + down.right) / 2, (down.top + down.bottom) / 2);
  MouseTo(p.x, p.y);
  LeftPress(p.x, p.y);
  const DWORD start = GetTickCount();
  DWORD first = 0;
  while (GetTickCount() - start < 1000) {
    windowtesting::Pump();
    if (!first && List->ItemIndex() == 1) first = GetTickCount() - start;
    Sleep(2);
  }
  const int held = List->ItemIndex();
  {
    TWindowPicture pressed(List->Handle());
    const int x = down.left + 3, y = down.top + 3;
    EXPECT_EQ(pressed.Pixel(x, y), RGB(133, 147, 181));
  }
  LeftReleaseAt(p.x, p.y);
  EXPECT_NEAR(static_cast<int>(first), 600, 120);
  EXPECT_GE(held, 4);
  EXPECT_LE(held, 6);
  EXPECT_EQ(List->ItemIndex(), held + 1);
}

TEST_F(SkinListBoxTest, CaptionButtonEventsReplaceTheSteps) {
  List->SetCaptionMode(true);
  Fill(10);
  List->SetItemIndex(3);
  int ups = 0, checks = 0;
  List->OnUpButtonClick = [&](TObject*) { ++ups; };
  List->OnListBoxClick = [&](TObject*) { ++checks; };
  windowtesting::Pump();
  TWindowPicture paint(List->Handle());
  const auto click = [&](int Index) {
    const TRect r = List->CaptionButton(Index).Rect;
    const TPoint p = Screen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    MouseTo(p.x, p.y);
    LeftPress(p.x, p.y);
    LeftReleaseAt(p.x, p.y);
  };
  click(0);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(List->ItemIndex(), 3);
  click(1);
  EXPECT_EQ(List->ItemIndex(), 4);
  click(2);
  EXPECT_EQ(checks, 1);
  // Released off the button, the event gives way to the step.
  const TRect up = List->CaptionButton(0).Rect;
  const TPoint p = Screen(up.left + 3, up.top + 3);
  MouseTo(p.x, p.y);
  LeftPress(p.x, p.y);
  MouseTo(p.x, p.y + 60);
  LeftReleaseAt(p.x, p.y + 60);
  EXPECT_EQ(ups, 1);
  EXPECT_EQ(List->ItemIndex(), 3);
}

TEST_F(SkinListBoxTest, AOneLineScrollPaintsOnlyTheRowsItExposes) {
  Fill(30);
  windowtesting::PumpFor(50);
  std::vector<int> drawn;
  List->OnDrawItem = [&](TCanvas&, int Index, int, int, TRect&, TOwnerDrawState) { drawn.push_back(Index); };
  const HWND inner = List->InnerList().Handle();
  SendMessageW(inner, WM_VSCROLL, SB_LINEDOWN, 0);
  UpdateWindow(inner);
  // Rows 1 to 4 moved up with the picture; the strip of 20 pixels it uncovered shows rows 5 and 6.
  EXPECT_EQ(drawn, (std::vector<int>{5, 6}));
}
