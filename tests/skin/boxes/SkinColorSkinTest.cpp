// The colour controls and the month calendar in Tavrel's main skin.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "skin/boxes/SkinCalendar.h"
#include "skin/boxes/SkinColorCtrls.h"
#include "skin/boxes/SkinColorPalette.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <string>
#include <tuple>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char SkinnedForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 560
  Height = 420
  object Basic: TskSkinColorGrid
    Left = 10
    Top = 10
  end
  object Calendar: TskSkinMonthCalendar
    Left = 300
    Top = 10
  end
  object P: TImage
    Left = 10
    Top = 150
    Width = 195
    Height = 195
  end
end)";

class SkinColorSkinTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
    std::replace(path.begin(), path.end(), '/', '\\');
    Skin = std::make_unique<TskSkinData>(nullptr);
    Skin->LoadFromFile(path);
    Form = ShowForm(SkinnedForm);
    Basic = dynamic_cast<TskSkinColorGrid*>(Form->FindComponent("Basic"));
    Calendar = dynamic_cast<TskSkinMonthCalendar*>(Form->FindComponent("Calendar"));
    Image = dynamic_cast<TImage*>(Form->FindComponent("P"));
    ASSERT_TRUE(Basic && Calendar && Image);
    Basic->SetSkinData(Skin.get());
    Calendar->SetSkinData(Skin.get());
    windowtesting::Pump();
  }
  const TskDataSkinCustomControl& Panel() const {
    return dynamic_cast<const TskDataSkinCustomControl&>(*Skin->CtrlList[Skin->GetControlIndex("panel")]);
  }

  std::unique_ptr<TskSkinData> Skin;
  std::unique_ptr<TForm> Form;
  TskSkinColorGrid* Basic = nullptr;
  TskSkinMonthCalendar* Calendar = nullptr;
  TImage* Image = nullptr;
};

}  // namespace

TEST_F(SkinColorSkinTest, GridCellsSitInTheSkinsClientArea) {
  ASSERT_NE(Basic->SkinControlIndex(), -1);
  // The skin's client rectangle grown with the control, and cells divided from it.
  const TRect client = Basic->GetSkinClientRect();
  const TRect c = Panel().SkinClientRect;
  EXPECT_EQ(std::make_tuple(client.left, client.top), std::make_tuple(c.left, c.top));
  EXPECT_EQ(client.right, c.right + 280 - RectWidth(Panel().SkinRect));
  const TRect fifth = Basic->CellRect(5);
  EXPECT_EQ(fifth.left, client.left + 1 + 4 * (RectWidth(fifth) + 2));
  Basic->SetColorValue(RGB(255, 0, 0));
  const TWindowPicture picture(Basic->Handle());
  EXPECT_EQ(picture.Pixel(fifth.left + 2, fifth.top + 2), RGB(255, 0, 0));
  EXPECT_EQ(picture.Pixel(fifth.left + RectWidth(fifth) / 2 - 4, fifth.top + RectHeight(fifth) / 2), RGB(0, 255, 255));
}

TEST_F(SkinColorSkinTest, PaletteTilesThePanelsClientPiece) {
  TskColorPalette palette(*Image);
  palette.CtrlSkinData = Skin.get();
  palette.PaletteColor.SetRGB({255, 0, 0});
  palette.InitWheelPalette();
  TBitmap* source = SkinPicture(*Skin, Panel().PictureIndex);
  ASSERT_NE(source, nullptr);
  const int sx = Panel().SkinRect.left + Panel().SkinClientRect.left;
  const int sy = Panel().SkinRect.top + Panel().SkinClientRect.top;
  const int h = RectHeight(Panel().SkinClientRect);
  TCanvas& picture = *Image->Picture().Bitmap()->Canvas();
  EXPECT_EQ(picture.Pixels(1, 1), source->Canvas()->Pixels(sx + 1, sy + 1));
  // The second tile down, left of the ring.
  EXPECT_EQ(picture.Pixels(2, h + 3), source->Canvas()->Pixels(sx + 2, sy + 3));
}

TEST_F(SkinColorSkinTest, CalendarTakesTheLabelColours) {
  const auto& label = dynamic_cast<const TskDataSkinStdLabelControl&>(*Skin->CtrlList[Skin->GetControlIndex("stdlabel")]);
  EXPECT_EQ(Calendar->DayTextColor(), label.FontColor);
  EXPECT_EQ(Calendar->TitleTextColor(), label.ActiveFontColor);
  EXPECT_EQ(Calendar->Button(0).SkinData(), Skin.get());
  // The picked day's frame is drawn in the title colour.
  Calendar->SetDate(EncodeDate(2004, 5, 12));
  const TRect r = Calendar->GetSkinClientRect();
  const int x = r.left + 1 + 3 * Calendar->CellWidth();
  const int y = Calendar->GridTop() + 3 + 3 * Calendar->RowHeight() - Calendar->RowHeight() / 2;
  EXPECT_EQ(TWindowPicture(Calendar->Handle()).Pixel(x, y), static_cast<COLORREF>(ColorToRGB(label.ActiveFontColor)));
}
