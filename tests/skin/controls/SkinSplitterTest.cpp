#include "tests/skin/controls/FixtureSkin.h"
#include "tests/skin/controls/SkinControlsTesting.h"

#include "skin/controls/SkinSplitter.h"

using namespace classlib;
using namespace skin;
using namespace skincontrolstesting;

namespace {

const char SplitterForm[] = R"(object TestForm: TForm
  Width = 400
  Height = 200
  object LeftPanel: TPanel
    Align = alLeft
    Width = 100
  end
  object Splitter: TskSkinSplitter
    Left = 100
    Align = alLeft
  end
  object RightPanel: TPanel
    Align = alClient
  end
end)";

// A 6 x 40 face: caps of 5 at both ends around a tiled middle; "nopicture" names no picture.
const char SplitterSections[] = R"([vsplitter]
pictureindex=0
skinrect=0,0,6,40
lefttoppoint=0,5
leftbottompoint=0,35
[nopicture]
pictureindex=7
skinrect=0,0,8,40
)";

constexpr COLORREF TopColor = 0x0000C0, MiddleColor = 0x00C000, BottomColor = 0xC00000;

class SkinSplitterTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = ShowForm(SplitterForm);
    Splitter = dynamic_cast<TskSkinSplitter*>(Form->FindComponent("Splitter"));
    auto picture = fixtureskin::Picture(6, 40, MiddleColor);
    fixtureskin::Fill(*picture, Rect(0, 0, 6, 5), TopColor);
    fixtureskin::Fill(*picture, Rect(0, 35, 6, 40), BottomColor);
    Skin = std::make_unique<fixtureskin::TFixtureSkin>(
        fixtureskin::SkinIni(1, {"vsplitter:splitter", "nopicture:splitter"}, SplitterSections),
        std::vector<const TBitmap*>{picture.get()});
  }
  COLORREF Pixel(int X, int Y) { return WindowPixel(Form->Handle(), Splitter->Left() + X, Splitter->Top() + Y); }
  void Post(UINT Msg, WPARAM Keys, int X, int Y) {
    const TPoint at = Point(Splitter->Left() + X, Splitter->Top() + Y);
    const TPoint screen = Form->ClientToScreen(at);
    SetCursorPos(screen.x, screen.y);
    PostMessageW(Form->Handle(), Msg, Keys, MAKELPARAM(at.x, at.y));
    windowtesting::Pump();
  }

  std::unique_ptr<TForm> Form;
  TskSkinSplitter* Splitter = nullptr;
  std::unique_ptr<fixtureskin::TFixtureSkin> Skin;
};

TEST_F(SkinSplitterTest, ThicknessFollowsTheSkin) {
  Splitter->ChangeSkinData();
  EXPECT_EQ(10, Splitter->Width()) << "DefaultSize without a skin";
  EXPECT_EQ(10, Splitter->MinSize());
  Splitter->SetSkinData(&Skin->Skin());
  windowtesting::Pump();
  EXPECT_EQ(6, Splitter->Width());
  EXPECT_EQ(6, Splitter->MinSize());
  const int h = Splitter->Height();
  EXPECT_EQ(TopColor, Pixel(2, 1));
  EXPECT_EQ(MiddleColor, Pixel(2, h / 2));
  EXPECT_EQ(BottomColor, Pixel(2, h - 2));
  // Opaque again after every paint: invalidating it does not erase the form behind it first.
  EXPECT_TRUE(Splitter->ControlStyle().Contains(TControlStyleItem::csOpaque));

  // A description naming no picture: the splitter's own colour.
  Splitter->SetSkinDataName("nopicture");
  Splitter->ChangeSkinData();
  windowtesting::Pump();
  EXPECT_EQ(8, Splitter->Width());
  EXPECT_EQ(ColorToRGB(Splitter->Color()), Pixel(2, h / 2));

  // Filling the form, a splitter never uses the picture.
  Splitter->SetSkinDataName("vsplitter");
  Splitter->SetAlign(TAlign::alClient);
  windowtesting::Pump();
  EXPECT_EQ(ColorToRGB(Splitter->Color()), Pixel(2, 1));
}

TEST_F(SkinSplitterTest, DraggingResizesTheControlBefore) {
  Splitter->SetSkinData(&Skin->Skin());
  auto* left = dynamic_cast<TControl*>(Form->FindComponent("LeftPanel"));
  ASSERT_EQ(left, Splitter->FindControl());
  int moved = 0;
  Splitter->OnMoved = [&](TObject*) { ++moved; };
  Post(WM_MOUSEMOVE, 0, 2, 20);
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 2, 20);
  Post(WM_MOUSEMOVE, MK_LBUTTON, 32, 20);
  EXPECT_EQ(130, left->Width());
  Post(WM_LBUTTONUP, 0, 2, 20);
  EXPECT_EQ(1, moved);
  EXPECT_EQ(130, Splitter->Left());
  // Never below MinSize.
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 2, 20);
  Post(WM_MOUSEMOVE, MK_LBUTTON, -200, 20);
  Post(WM_LBUTTONUP, 0, -200, 20);
  EXPECT_EQ(Splitter->MinSize(), left->Width());
}

}  // namespace
