#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinXFormButton.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

std::unique_ptr<TBitmap> Picture(COLORREF Color, COLORREF Inner) {
  auto picture = std::make_unique<TBitmap>();
  TBitmap& b = *picture;
  b.SetPixelFormat(TPixelFormat::pf24bit);
  b.SetSize(30, 20);
  b.Canvas()->Brush()->SetColor(static_cast<TColor>(Color));
  b.Canvas()->FillRect(Rect(0, 0, 30, 20));
  b.Canvas()->Brush()->SetColor(static_cast<TColor>(Inner));
  b.Canvas()->FillRect(Rect(3, 3, 27, 17));
  return picture;
}

}  // namespace

TEST(SkinXFormButton, OwnPicturesSizeAndShapeWithoutASkin) {
  auto form = ShowForm(R"(object TestForm: TForm
  Width = 300
  Height = 200
  object Shaped: TskSkinXFormButton
    Left = 10
    Top = 10
  end
end)");
  auto* b = dynamic_cast<TskSkinXFormButton*>(form->FindComponent("Shaped"));
  ASSERT_TRUE(b);
  EXPECT_FALSE(b->CanFocused());
  b->SetDefImage(*Picture(NormalColor, NormalColor));
  b->SetDefActiveImage(*Picture(HotColor, HotColor));
  b->SetDefMask(*Picture(0xFFFFFF, 0));
  EXPECT_EQ(b->Width(), 30);
  EXPECT_EQ(b->Height(), 20);
  b->SetBounds(10, 10, 80, 40);
  EXPECT_EQ(b->Width(), 30);

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(b->Handle(), region), SIMPLEREGION);
  EXPECT_FALSE(PtInRegion(region, 1, 1));
  EXPECT_TRUE(PtInRegion(region, 15, 10));
  DeleteObject(region);

  EXPECT_EQ(WindowPixel(b->Handle(), 4, 4), NormalColor);
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(WindowPixel(b->Handle(), 4, 4), HotColor);
  b->SetDown(true);  // no pressed picture: the hot one stays
  EXPECT_EQ(WindowPixel(b->Handle(), 4, 4), HotColor);
  b->SetDefDownImage(*Picture(DownColor, DownColor));
  EXPECT_EQ(WindowPixel(b->Handle(), 4, 4), DownColor);
  b->SetDown(false);
  WriteLooks("skinxformbutton_looks", {b->Handle()}, 30, 20);

  // With a skin entry it is the skinned push button.
  TTestSkin skin;
  b->SetSkinDataName("button");
  b->SetSkinData(&skin.Skin());
  b->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(WindowPixel(b->Handle(), 2, 2), NormalColor);
  EXPECT_EQ(b->Height(), 20);
}
