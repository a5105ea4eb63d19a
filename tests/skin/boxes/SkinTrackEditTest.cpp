// The track edit: typed numbers held to the range, the steps of the keys and the wheel, and the
// drop-down track bar placed on the screen and followed by the text, with the real pointer and keys.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinTrackEdit.h"
#include "skin/data/Skutils.h"

#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char TrackForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 360
  Height = 140
  object T: TskSkinTrackEdit
    Left = 10
    Top = 10
  end
  object E: TskSkinEdit
    Left = 200
    Top = 10
    Width = 120
  end
end)";

RECT WorkArea(HWND Window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

class SkinTrackEditTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(TrackForm);
    Edit = dynamic_cast<TskSkinTrackEdit*>(Form->FindComponent("T"));
    Other = dynamic_cast<TskSkinEdit*>(Form->FindComponent("E"));
    ASSERT_NE(Edit, nullptr);
    ASSERT_NE(Other, nullptr);
  }
  void Type(const char* Keys) {
    for (const char* c = Keys; *c; ++c) TypeChar(*c);
  }
  // Focused anew (the range's length is set as the focus comes), the whole text selected.
  void Focus() {
    Other->SetFocus();
    Edit->SetFocus();
    windowtesting::Pump();
    Edit->SelectAll();
  }
  RECT TrackBarRect() const {
    RECT r;
    GetWindowRect(Edit->TrackBar().Handle(), &r);
    return r;
  }
  void Wheel(int Delta) {
    SendMessageW(Edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, Delta), 0);
  }

  std::unique_ptr<TForm> Form;
  TskSkinTrackEdit* Edit = nullptr;
  TskSkinEdit* Other = nullptr;
};

}  // namespace

TEST_F(SkinTrackEditTest, TypedNumbersAreHeldToTheRange) {
  EXPECT_EQ(std::make_tuple(Edit->Width(), Edit->Text(), Edit->Value(), Edit->MinValue(), Edit->MaxValue()),
            std::make_tuple(120, String("0"), 0, 0, 100));
  EXPECT_EQ(Edit->TrackBar().SkinDataName(), "htrackbar");
  struct Case {
    int Min, Max;
    const char* Keys;
    const char* Text;
    int Value;
    int MaxLength;
  };
  for (const Case& k : std::vector<Case>{
           {0, 255, "300", "255", 255, 3},      // above the top: put back at once
           {0, 255, "x25", "25", 25, 3},        // no letters
           {-50, 50, "60", "50", 50, 3},        // the sign counts in the length
           {-50, 50, "-60", "-50", -50, 3},    // the selected minus is typed over
           {10, 20, "1", "1", 10, 2},           // below a positive bottom: left until the edit is left
           {10, 20, "-", "-", 10, 2},
           {0, 100, "--5", "-5", 0, 3},         // one minus only; below the bottom the text waits
           // Equal bounds: no limit and no length of the range's; past 32 bits is no number.
           {7, 7, "-12345678901", "-12345678901", -1234567890, 0},
       }) {
    Edit->SetMaxLength(0);
    Edit->SetMinValue(k.Min);
    Edit->SetMaxValue(k.Max);
    Edit->SetValue(k.Min);
    Focus();
    EXPECT_NO_THROW(Type(k.Keys));
    EXPECT_EQ(std::make_tuple(Edit->Text(), Edit->Value(), Edit->MaxLength()),
              std::make_tuple(String(k.Text), k.Value, k.MaxLength))
        << k.Min << ".." << k.Max << " typing " << k.Keys;
  }
  // Leaving the edit writes the value held.
  Edit->SetMinValue(10);
  Edit->SetMaxValue(20);
  Edit->SetValue(15);
  Focus();
  Type("1");
  Other->SetFocus();
  windowtesting::Pump();
  EXPECT_EQ(std::make_tuple(Edit->Text(), Edit->Value()), std::make_tuple(String("10"), 10));
}

TEST_F(SkinTrackEditTest, KeysAndWheelStepTheValueOrTheOpenThumb) {
  Edit->SetValue(50);
  Edit->SetIncrement(5);
  Focus();
  TapKey(VK_UP);
  EXPECT_EQ(Edit->Text(), "55");
  TapKey(VK_DOWN);
  TapKey(VK_DOWN);
  EXPECT_EQ(Edit->Value(), 45);
  Wheel(WHEEL_DELTA);  // away from the user
  EXPECT_EQ(Edit->Value(), 40);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(Edit->Value(), 45);
  Edit->SetSupportUpDownKeys(false);
  TapKey(VK_UP);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(Edit->Value(), 50) << "the keys are off, the wheel is not";
  Edit->SetSupportUpDownKeys(true);
  Edit->SetValue(98);

  Edit->DropDown();
  TskSkinPopupTrackBar& bar = Edit->TrackBar();
  ASSERT_TRUE(bar.Visible());
  EXPECT_EQ(bar.Value(), 98);
  TapKey(VK_UP);
  EXPECT_EQ(std::make_tuple(bar.Value(), Edit->Text()), std::make_tuple(100, String("100"))) << "the bar clamps";
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(std::make_tuple(bar.Value(), Edit->Value()), std::make_tuple(95, 95));
  TapKey(VK_ESCAPE);
  EXPECT_FALSE(bar.Visible());
}

TEST_F(SkinTrackEditTest, TheDropDownIsPlacedInsideTheWorkArea) {
  Edit->SetValue(30);
  const TRect edit = Edit->BoundsRect();
  const TPoint corner = Form->ClientToScreen(Point(edit.left, edit.top));
  // The button: the edit takes the focus and the bar drops down below it, as wide as the edit.
  const TPoint button = Form->ClientToScreen(Point(edit.right - 6, edit.top + RectHeight(edit) / 2));
  LeftPress(button.x, button.y);
  LeftReleaseAt(button.x, button.y);
  EXPECT_TRUE(Edit->Focused());
  ASSERT_TRUE(Edit->TrackBar().Visible());
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  RECT r = TrackBarRect();
  EXPECT_EQ(std::make_tuple(r.left, r.top, r.right - r.left, r.bottom - r.top),
            std::make_tuple(corner.x, corner.y + RectHeight(edit), RectWidth(edit), RectHeight(edit)));
  LeftPress(button.x, button.y);
  LeftReleaseAt(button.x, button.y);
  EXPECT_FALSE(Edit->TrackBar().Visible());

  Edit->SetPopupKind(TskTrackBarPopupKind::tbpLeft);
  Edit->SetTrackBarWidth(200);
  Edit->DropDown();
  r = TrackBarRect();
  EXPECT_EQ(std::make_tuple(r.right, r.right - r.left), std::make_tuple(corner.x + RectWidth(edit), 200));
  Edit->CloseUp();

  // At the work area's right and bottom edges: pushed back left, and opened above the edit.
  const RECT work = WorkArea(Form->Handle());
  Edit->SetPopupKind(TskTrackBarPopupKind::tbpRight);
  Form->SetBounds(work.right - 150, work.bottom - 60, 360, 140);
  windowtesting::PumpFor(50);
  Edit->DropDown();
  r = TrackBarRect();
  const TPoint moved = Form->ClientToScreen(Point(edit.left, edit.top));
  EXPECT_EQ(std::make_tuple(r.left, r.bottom), std::make_tuple(work.right - 200, moved.y));
  Edit->CloseUp();
}

TEST_F(SkinTrackEditTest, TheTextFollowsTheDraggedThumbAndLeavingCloses) {
  Edit->SetTrackBarWidth(200);
  Focus();
  Edit->DropDown();
  TskSkinPopupTrackBar& bar = Edit->TrackBar();
  ASSERT_TRUE(bar.Visible());
  const TRect thumb = bar.ButtonBounds();
  const TPoint from = bar.ClientToScreen(Point(thumb.left + RectWidth(thumb) / 2, thumb.top + RectHeight(thumb) / 2));
  LeftPress(from.x, from.y);
  MouseTo(from.x + 60, from.y);
  const String halfway = Edit->Text();
  EXPECT_GT(Edit->Value(), 0);
  EXPECT_EQ(halfway, IntToStr(bar.Value()));
  MouseTo(from.x + 120, from.y);
  LeftReleaseAt(from.x + 120, from.y);
  EXPECT_GT(Edit->Value(), StrToInt(halfway));
  EXPECT_EQ(Edit->Text(), IntToStr(bar.Value()));
  EXPECT_TRUE(Edit->Focused());
  const int last = Edit->Value();
  Other->SetFocus();
  windowtesting::Pump();
  EXPECT_FALSE(bar.Visible());
  EXPECT_EQ(Edit->Text(), IntToStr(last));
}
