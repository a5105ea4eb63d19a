#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ExtCtrls.h"

#include <memory>
#include <vector>

using namespace classlib;
using windowtesting::ReadForm;
using windowtesting::TPaintTarget;

namespace {

const char* const ExtForm = R"(object TestForm: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 120
    Height = 60
    BevelOuter = bvLowered
    BevelWidth = 2
    Color = 4862234
    object Image1: TImage
      Left = 20
      Top = 10
      Width = 40
      Height = 30
    end
  end
end
)";

TEST(ImageDestRect, PlacesThePictureAsAsked) {
  struct Case {
    int w, h;
    bool stretch, proportional, center;
    TRect expected;
  };
  const Case cases[] = {
      {50, 40, false, false, false, Rect(0, 0, 50, 40)},
      {50, 40, false, false, true, Rect(25, 30, 75, 70)},
      {50, 40, true, false, false, Rect(0, 0, 100, 100)},
      {50, 40, true, true, false, Rect(0, 0, 100, 80)},
      {40, 50, true, true, true, Rect(10, 0, 90, 100)},
      {200, 100, false, true, false, Rect(0, 0, 100, 50)},  // too large: shrinks even without Stretch
      {20, 10, false, true, true, Rect(40, 45, 60, 55)},    // small enough: stays as it is
      {300, 300, false, false, true, Rect(-100, -100, 200, 200)},
  };
  for (const Case& c : cases) {
    const TRect r = ImageDestRect(c.w, c.h, 100, 100, c.stretch, c.proportional, c.center);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.w << "x" << c.h << " stretch " << c.stretch << " proportional " << c.proportional << " center " << c.center;
  }
}

class ExtControls : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ReadForm(ExtForm);
    Panel = dynamic_cast<TPanel*>(Form->FindComponent("Panel1"));
    Image = dynamic_cast<TImage*>(Form->FindComponent("Image1"));
    ASSERT_TRUE(Panel && Image);
  }

  std::unique_ptr<TForm> Form;
  TPanel* Panel = nullptr;
  TImage* Image = nullptr;
};

TEST_F(ExtControls, APanelPaintsItsBevelsColourAndChildren) {
  Image->Canvas().Brush()->SetColor(clRed);
  Image->Canvas().FillRect(Rect(0, 0, 40, 30));
  TPaintTarget target(120, 60, RGB(1, 2, 3));
  target.Paint(Panel->Handle());
  const COLORREF shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
  EXPECT_EQ(target.Pixel(0, 0), shadow) << "lowered: dark at the top left";
  EXPECT_EQ(target.Pixel(1, 30), shadow) << "two pixels wide";
  EXPECT_EQ(target.Pixel(119, 59), highlight);
  EXPECT_EQ(target.Pixel(118, 30), highlight);
  EXPECT_EQ(target.Pixel(5, 50), static_cast<COLORREF>(4862234));
  EXPECT_EQ(target.Pixel(30, 20), RGB(255, 0, 0)) << "the image on the panel";
}

TEST_F(ExtControls, AnImageCanvasDrawsIntoABitmapOfTheControlsSize) {
  EXPECT_EQ(Image->Picture().Graphic(), nullptr);
  TCanvas& canvas = Image->Canvas();
  ASSERT_NE(Image->Picture().Graphic(), nullptr);
  EXPECT_EQ(Image->Picture().Width(), 40);
  EXPECT_EQ(Image->Picture().Height(), 30);
  canvas.Brush()->SetColor(clBlue);
  canvas.FillRect(Rect(0, 0, 40, 30));
  canvas.Brush()->SetColor(clLime);
  canvas.FillRect(Rect(0, 0, 10, 10));

  Image->SetBounds(20, 10, 80, 60);
  Image->SetStretch(true);
  TPaintTarget target(120, 60, RGB(0, 0, 0));
  target.Paint(Panel->Handle());
  EXPECT_EQ(target.Pixel(20 + 15, 10 + 15), RGB(0, 255, 0)) << "stretched to twice its size";
  EXPECT_EQ(target.Pixel(20 + 25, 10 + 25), RGB(0, 0, 255));
}

TEST_F(ExtControls, AnImageLoadsPicturesAtRunTimeAndMayTakeTheirSize) {
  testing_support::TempDir dir;
  const String file = dir.windowsFile("picture.bmp");
  {
    TBitmap bitmap;
    bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    bitmap.SetSize(64, 48);
    bitmap.SaveToFile(file);
  }
  Image->SetAutoSize(true);
  Image->Picture().LoadFromFile(file);
  EXPECT_EQ(Image->Width(), 64);
  EXPECT_EQ(Image->Height(), 48);

  EXPECT_THROW(windowtesting::ReadForm("object TestForm: TForm\n  object I: TImage\n    Picture.ResourceName = 'NOSUCHBITMAP'\n  end\nend\n"),
               EReadError)
      << "a picture resource that is not there is an error of the description";
}

}  // namespace
