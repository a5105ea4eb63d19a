// The date edit's calendar and the track edit's bar blended and faded in, run with the system
// reporting Windows 5.1 (the build sets the version for this program in the prefix).
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinDateEdit.h"
#include "skin/boxes/SkinTrackEdit.h"
#include "skin/data/Skutils.h"

#include <functional>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char EditsForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 320
  Height = 200
  object D: TskSkinDateEdit
    Left = 10
    Top = 10
  end
  object T: TskSkinTrackEdit
    Left = 160
    Top = 10
  end
end)";

BYTE Alpha(HWND Window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(Window, nullptr, &alpha, &flags);
  return alpha;
}

bool Layered(HWND Window) { return GetWindowLongPtrW(Window, GWL_EXSTYLE) & WS_EX_LAYERED; }

class SkinDateTrackFadeTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(CheckWXP()) << "the program must run as Windows 5.1";
    Form = ShowForm(EditsForm);
    Date = dynamic_cast<TskSkinDateEdit*>(Form->FindComponent("D"));
    Track = dynamic_cast<TskSkinTrackEdit*>(Form->FindComponent("T"));
    ASSERT_NE(Date, nullptr);
    ASSERT_NE(Track, nullptr);
  }
  // A click queued on the form that frees Control when it is handled, as the drop-down's pending
  // messages run.
  void FreeOnNextClick(TWinControl* Control, bool& Freed) {
    Form->OnClick = [Control, &Freed](TObject*) {
      delete Control;
      Freed = true;
    };
    PostMessageW(Form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 150));
    PostMessageW(Form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(250, 150));
  }

  std::unique_ptr<TForm> Form;
  TskSkinDateEdit* Date = nullptr;
  TskSkinTrackEdit* Track = nullptr;
};

}  // namespace

TEST_F(SkinDateTrackFadeTest, DropDownsBlendToTheirValueAndLoseTheLayerWhenClosed) {
  struct Case {
    const char* Name;
    HWND Window;
    std::function<void(bool, std::uint8_t, bool)> Set;
    std::function<void()> Open, Close;
  };
  const Case cases[] = {
      {"date", Date->Calendar().Handle(),
       [this](bool Blend, std::uint8_t Value, bool Animate) {
         Date->SetCalendarAlphaBlend(Blend);
         Date->SetCalendarAlphaBlendValue(Value);
         Date->SetCalendarAlphaBlendAnimation(Animate);
       },
       [this] { Date->DropDown(); }, [this] { Date->CloseUp(false); }},
      {"track", Track->TrackBar().Handle(),
       [this](bool Blend, std::uint8_t Value, bool Animate) {
         Track->SetTrackBarAlphaBlend(Blend);
         Track->SetTrackBarAlphaBlendValue(Value);
         Track->SetTrackBarAlphaBlendAnimation(Animate);
       },
       [this] { Track->DropDown(); }, [this] { Track->CloseUp(); }},
  };
  for (const Case& k : cases) {
    EXPECT_TRUE(GetClassLongPtrW(k.Window, GCL_STYLE) & CS_DROPSHADOW) << k.Name;
    EXPECT_TRUE(GetWindowLongPtrW(k.Window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << k.Name;
    // At once, then faded in (an odd end the steps of two pass over), then opaque.
    for (const bool animate : {false, true}) {
      k.Set(true, 7, animate);
      k.Open();
      EXPECT_TRUE(Layered(k.Window)) << k.Name;
      EXPECT_EQ(Alpha(k.Window), 7) << k.Name << " " << animate;
      EXPECT_TRUE(GetWindowLongPtrW(k.Window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "still a tool window";
      k.Close();
      EXPECT_FALSE(Layered(k.Window)) << k.Name;
    }
    k.Set(false, 7, true);
    k.Open();
    EXPECT_FALSE(Layered(k.Window)) << k.Name;
    k.Close();
  }
}

TEST_F(SkinDateTrackFadeTest, AHandlerFreeingTheEditBeforeTheFade) {
  bool freed = false;
  Date->SetCalendarAlphaBlend(true);
  Date->SetCalendarAlphaBlendAnimation(true);
  Date->SetCalendarAlphaBlendValue(200);
  FreeOnNextClick(Date, freed);
  Date->DropDown();
  EXPECT_TRUE(freed);
  windowtesting::Pump();

  freed = false;
  Track->SetTrackBarAlphaBlend(true);
  Track->SetTrackBarAlphaBlendValue(200);
  FreeOnNextClick(Track, freed);
  Track->DropDown();
  EXPECT_TRUE(freed);
  windowtesting::Pump();
}
