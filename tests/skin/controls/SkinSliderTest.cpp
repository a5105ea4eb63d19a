#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "platform/classlib/Streams.h"
#include "skin/controls/SkinSlider.h"
#include "skin/data/Skutils.h"

#include <cstdio>

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

// Ruler 221 - 12 = 209 long less a thumb of 9: 200 pixels of travel.
const char SliderForm[] = R"(object TestForm: TForm
  Width = 500
  Height = 400
  object Slider: TskSkinSlider
    Left = 10
    Top = 10
    Width = 221
    Height = 40
  end
  object Upright: TskSkinSlider
    Left = 300
    Top = 10
    Width = 40
    Height = 221
    Orientation = soVertical
  end
end)";

std::string Hex(const TBitmap& Bitmap) {
  TMemoryStream stream;
  Bitmap.SaveToStream(stream);
  std::string hex;
  char digits[3];
  for (std::int64_t i = 0; i < stream.Size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02X", stream.Memory()[i]);
    hex += digits;
  }
  return hex;
}

class SkinSliderTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCursorPos(1000, 900);
    Form = ShowForm(SliderForm);
    Slider = dynamic_cast<TskSkinSlider*>(Form->FindComponent("Slider"));
    Upright = dynamic_cast<TskSkinSlider*>(Form->FindComponent("Upright"));
  }
  void Post(TskSkinSlider& S, UINT Msg, WPARAM W, int X, int Y) {
    PostMessageW(S.Handle(), Msg, W, MAKELPARAM(X, Y));
    windowtesting::Pump();
  }
  void Key(TskSkinSlider& S, WORD Key) {
    S.SetFocus();
    windowtesting::Pump();
    PostMessageW(S.Handle(), WM_KEYDOWN, Key, 1);
    PostMessageW(S.Handle(), WM_KEYUP, Key, 0xC0000001);
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TskSkinSlider* Slider = nullptr;
  TskSkinSlider* Upright = nullptr;
};

TEST_F(SkinSliderTest, BuiltInPicturesComeFromTheProgramsResources) {
  const struct {
    TskSliderImage Index;
    int Width, Height;
  } sizes[] = {{TskSliderImage::siHThumb, 18, 17},
               {TskSliderImage::siHRuler, 10, 8},
               {TskSliderImage::siVThumb, 38, 9},
               {TskSliderImage::siVRuler, 8, 10}};
  for (const auto& s : sizes) {
    EXPECT_EQ(s.Width, Slider->GetImage(s.Index).Width()) << static_cast<int>(s.Index);
    EXPECT_EQ(s.Height, Slider->GetImage(s.Index).Height()) << static_cast<int>(s.Index);
  }
  EXPECT_EQ(200, Slider->GetRulerLength());
  EXPECT_EQ(9, RectWidth(Slider->ThumbBounds()));
  EXPECT_EQ(200, Upright->GetRulerLength());
  // A picture of the user's replaces one; none brings the built-in one back.
  auto thumb = fixtureskin::Picture(30, 20, 0x00FF00);
  TskSliderOptions options = Slider->Options();
  options.Include(TskSliderOption::soThumbOpaque);
  Slider->SetOptions(options);
  Slider->SetImage(TskSliderImage::siHThumb, thumb.get());
  EXPECT_EQ(15, RectWidth(Slider->ThumbBounds()));
  EXPECT_TRUE(Slider->UserImages().Contains(TskSliderImage::siHThumb));
  Slider->SetImage(TskSliderImage::siHThumb, nullptr);
  EXPECT_EQ(18, Slider->GetImage(TskSliderImage::siHThumb).Width());
  EXPECT_FALSE(Slider->UserImages().Contains(TskSliderImage::siHThumb));
  EXPECT_FALSE(Slider->Options().Contains(TskSliderOption::soThumbOpaque));
}

TEST_F(SkinSliderTest, TicksStandAtEveryIncrement) {
  const int top = Slider->PointsRect().top;
  const COLORREF ink = ColorToRGB(clWindowText);
  windowtesting::TPaintTarget target(221, 40, 0xFF00FF);
  target.Paint(Slider->Handle());
  std::vector<int> ticks, ends;
  for (int x = 0; x < 221; ++x) {
    if (target.Pixel(x, top + 2) == ink) ticks.push_back(x);
    if (target.Pixel(x, top + 4) == ink) ends.push_back(x);
  }
  ASSERT_EQ(11u, ticks.size());
  for (size_t i = 1; i < ticks.size(); ++i) EXPECT_EQ(20, ticks[i] - ticks[i - 1]) << i;
  EXPECT_EQ(Slider->GetOffsetByValue(0) + 4, ticks.front());
  // Only the two ends are 5 long; the others 3.
  EXPECT_EQ((std::vector<int>{ticks.front(), ticks.back()}), ends);
}

TEST_F(SkinSliderTest, RangeIncrementAndKeys) {
  Slider->SetRange(10, 10);
  EXPECT_EQ(0, Slider->MinValue());
  EXPECT_EQ(100, Slider->MaxValue());
  Slider->SetRange(0, 5);
  EXPECT_EQ(5, Slider->Increment());
  Slider->SetRange(0, 100);
  Slider->SetIncrement(10);

  int changed = 0;
  Slider->OnChanged = [&](TObject*) { ++changed; };
  Key(*Slider, VK_RIGHT);
  EXPECT_EQ(10, Slider->Value());
  Key(*Slider, VK_END);
  EXPECT_EQ(100, Slider->Value());
  Key(*Slider, VK_LEFT);
  EXPECT_EQ(90, Slider->Value());
  EXPECT_EQ(3, changed);

  // Upright: the least value at the bottom; VK_UP raises it.
  const int bottom = Upright->ThumbBounds().top;
  Key(*Upright, VK_UP);
  EXPECT_EQ(10, Upright->Value());
  EXPECT_LT(Upright->ThumbBounds().top, bottom);
  Upright->SetValue(100);
  EXPECT_EQ(6, Upright->ThumbBounds().top);

  Slider->SetReadOnly(true);
  Key(*Slider, VK_HOME);
  EXPECT_EQ(90, Slider->Value()) << "read only";
  Slider->SetValue(40);
  EXPECT_EQ(40, Slider->Value()) << "code still sets it";
}

TEST_F(SkinSliderTest, DraggingTheThumbSnapsUnlessSmooth) {
  const auto drag = [&](int Pixels) {
    const TRect t = Slider->ThumbBounds();
    const int x = (t.left + t.right) / 2, y = (t.top + t.bottom) / 2;
    Post(*Slider, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Post(*Slider, WM_MOUSEMOVE, MK_LBUTTON, x + Pixels, y);
    Post(*Slider, WM_LBUTTONUP, 0, x + Pixels, y);
  };
  // 200 pixels for 100 values: with soSmooth each 2 pixels count.
  drag(14);
  EXPECT_EQ(7, Slider->Value());
  TskSliderOptions options = Slider->Options();
  options.Exclude(TskSliderOption::soSmooth);
  Slider->SetOptions(options);
  drag(14);
  EXPECT_EQ(10, Slider->Value()) << "7 + 7 snapped to a multiple of 10";
  drag(-2);
  EXPECT_EQ(10, Slider->Value());
  // A press on the ruler beside the thumb steps toward the pointer.
  const TRect t = Slider->ThumbBounds();
  Post(*Slider, WM_LBUTTONDOWN, MK_LBUTTON, t.right + 50, (t.top + t.bottom) / 2);
  Post(*Slider, WM_LBUTTONUP, 0, t.right + 50, (t.top + t.bottom) / 2);
  EXPECT_EQ(20, Slider->Value());
}

TEST_F(SkinSliderTest, AHeldPressOnTheRulerStepsEvery400MsUpToThePointer) {
  int changed = 0;
  Slider->OnChanged = [&](TObject*) { ++changed; };
  // A press at the place of value 80 draws the thumb there, one Increment at a time.
  const int x = Slider->GetOffsetByValue(80) + 4, y = (Slider->ThumbBounds().top + Slider->ThumbBounds().bottom) / 2;
  Post(*Slider, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
  EXPECT_EQ(10, Slider->Value()) << "one step at once";
  windowtesting::PumpFor(300);
  EXPECT_EQ(10, Slider->Value());
  windowtesting::PumpFor(3500);
  EXPECT_EQ(80, Slider->Value()) << "stopped where the thumb reached the pointer";
  EXPECT_EQ(0, changed);
  Post(*Slider, WM_LBUTTONUP, 0, x, y);
  EXPECT_EQ(1, changed) << "one gesture ended";
}

TEST_F(SkinSliderTest, UserImagesTravelThroughAFormDescription) {
  auto thumb = fixtureskin::Picture(30, 20, 0x00FF00);
  auto ruler = fixtureskin::Picture(12, 6, 0x0000FF);
  const std::string text = "object TestForm: TForm\n  Width = 300\n  Height = 200\n"
                           "  object Stored: TskSkinSlider\n    MinValue = 50\n    MaxValue = 50\n"
                           "    ImageHThumb.Data = {" + Hex(*thumb) + "}\n"
                           "    ImageVRuler.Data = {" + Hex(*ruler) + "}\n"
                           "    UserImages = {09}\n  end\nend";
  auto form = ShowForm(text);
  auto* stored = dynamic_cast<TskSkinSlider*>(form->FindComponent("Stored"));
  ASSERT_NE(nullptr, stored);
  EXPECT_EQ(std::vector<std::uint8_t>{0x09}, stored->UserImagesData());
  EXPECT_TRUE(stored->UserImages().Contains(TskSliderImage::siHThumb));
  EXPECT_TRUE(stored->UserImages().Contains(TskSliderImage::siVRuler));
  EXPECT_EQ(30, stored->GetImage(TskSliderImage::siHThumb).Width());
  EXPECT_EQ(15, RectWidth(stored->ThumbBounds()));
  // A range of nothing, read from the form: the thumb rests at the start, and nothing divides by 0.
  EXPECT_EQ(50, stored->Value());
  EXPECT_EQ(6, stored->ThumbBounds().left);
  EXPECT_EQ(50, stored->GetValueByOffset(100));
  WindowPixel(stored->Handle(), 0, 0);
  // Narrower than its thumb.
  stored->SetBounds(0, 0, 10, 40);
  EXPECT_EQ(1, stored->GetRulerLength());
  WindowPixel(stored->Handle(), 0, 0);
}

TEST_F(SkinSliderTest, SkinnedRulerThumbAndTicks) {
  constexpr COLORREF Background = 0x404040, RulerColor = 0x00C0C0, Normal = 0x0000C0, Pressed = 0xC00000,
                     Points = 0x00FF00;
  auto picture = fixtureskin::Picture(40, 30, 0xFFFFFF);
  // Each piece keeps a white bottom row: the colour a picture is drawn without.
  fixtureskin::Fill(*picture, Rect(0, 0, 20, 5), RulerColor);
  fixtureskin::Fill(*picture, Rect(0, 10, 10, 25), Normal);
  fixtureskin::Fill(*picture, Rect(10, 10, 20, 25), Pressed);
  fixtureskin::TFixtureSkin skin(fixtureskin::SkinIni(1, {"slider:slider"}, R"([slider]
pictureindex=0
hrulerrect=0,0,20,6
hthumbrect=0,10,20,26
edgesize=2
bgcolor=4210752
pointscolor=65280
)"),
                                 std::vector<const TBitmap*>{picture.get()});
  Slider->SetSkinData(&skin.Skin());
  windowtesting::Pump();
  EXPECT_EQ(10, RectWidth(Slider->ThumbBounds()));
  EXPECT_EQ(16, RectHeight(Slider->ThumbBounds()));
  EXPECT_EQ(209 - 10, Slider->GetRulerLength());
  EXPECT_EQ(Background, WindowPixel(Slider->Handle(), 1, 1));
  const TRect t = Slider->ThumbBounds();
  EXPECT_EQ(Normal, WindowPixel(Slider->Handle(), t.left + 5, t.top + 8));
  // The ruler, thinner than the thumb, centred on it.
  EXPECT_EQ(RulerColor, WindowPixel(Slider->Handle(), 150, Slider->RulerPos().y + 3));
  EXPECT_EQ(Points, WindowPixel(Slider->Handle(), Slider->GetOffsetByValue(100) + 5, Slider->PointsRect().top + 1));
  Post(*Slider, WM_LBUTTONDOWN, MK_LBUTTON, t.left + 5, t.top + 8);
  EXPECT_EQ(Pressed, WindowPixel(Slider->Handle(), t.left + 5, t.top + 8));
  Post(*Slider, WM_LBUTTONUP, 0, t.left + 5, t.top + 8);
  Slider->SetSkinData(nullptr);
}

}  // namespace
