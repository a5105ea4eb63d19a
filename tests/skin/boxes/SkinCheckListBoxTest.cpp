#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinCheckListBox.h"
#include "tests/skin/support/SkinFiles.h"

#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

const char CheckListForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object L: TskSkinCheckListBox
    Left = 10
    Top = 10
  end
end)";

class SkinCheckListBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    Form = ShowForm(CheckListForm);
    List = dynamic_cast<TskSkinCheckListBox*>(Form->FindComponent("L"));
    ASSERT_NE(List, nullptr);
    List->CheckList().OnListClickCheck = [this](TObject*) { ++ListChecks; };
  }
  void Add(std::initializer_list<const char*> Texts) {
    for (const char* text : Texts) List->Items().Add(text);
  }
  // A real press and release at a point of the inner list.
  void ClickList(int X, int Y) {
    const TPoint p = List->CheckList().ClientToScreen(Point(X, Y));
    MouseTo(p.x, p.y);
    LeftPress(p.x, p.y);
    LeftReleaseAt(p.x, p.y);
  }

  std::unique_ptr<TForm> Form;
  TskSkinCheckListBox* List = nullptr;
  int ListChecks = 0;
};

}  // namespace

TEST_F(SkinCheckListBoxTest, StatesAndUserData) {
  EXPECT_EQ(List->SkinDataName(), "checklistbox");
  Add({"a", "b", "c"});
  EXPECT_FALSE(List->GetChecked(0));
  EXPECT_EQ(List->GetState(0), TCheckBoxState::cbUnchecked);
  List->SetState(1, TCheckBoxState::cbGrayed);
  EXPECT_FALSE(List->GetChecked(1));
  List->SetChecked(2, true);
  EXPECT_TRUE(List->GetChecked(2));

  // The user data is the item's object and leaves the check alone.
  TObject marker;
  List->Items().SetObject(2, &marker);
  EXPECT_EQ(List->Items().Objects(2), &marker);
  EXPECT_EQ(List->CheckList().GetItemData(2), reinterpret_cast<intptr_t>(&marker));
  EXPECT_TRUE(List->GetChecked(2));
  List->CheckList().SetItemData(0, 7);
  EXPECT_EQ(reinterpret_cast<intptr_t>(List->Items().Objects(0)), 7);
  EXPECT_FALSE(List->GetChecked(0));

  for (int bad : {5, -1, 3}) {
    try {
      List->GetState(bad);
      ADD_FAILURE() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.Message()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(List->SetChecked(3, true), EListError);
  EXPECT_THROW(List->CheckList().SetItemData(-1, 1), EListError);
}

TEST_F(SkinCheckListBoxTest, StatesFollowTheirItems) {
  Add({"zeta", "alpha", "mid"});
  List->SetChecked(0, true);
  List->SetState(2, TCheckBoxState::cbGrayed);
  // Sorting refills the window; making it again (multi-selection) too.
  List->SetSorted(true);
  ASSERT_EQ(List->Items()[0], "alpha");
  EXPECT_EQ(List->GetState(0), TCheckBoxState::cbUnchecked);
  EXPECT_EQ(List->GetState(1), TCheckBoxState::cbGrayed);
  EXPECT_EQ(List->GetState(2), TCheckBoxState::cbChecked);
  List->SetMultiSelect(true);
  EXPECT_EQ(List->GetState(1), TCheckBoxState::cbGrayed);
  EXPECT_TRUE(List->GetChecked(2));
  // A deleted checked item takes its check with it.
  List->Items().Delete(2);
  List->Items().Add("omega");
  EXPECT_FALSE(List->GetChecked(2));
  List->Items().Delete(0);
  EXPECT_EQ(List->GetState(0), TCheckBoxState::cbGrayed);
  List->Clear();
  List->Items().Add("new");
  EXPECT_EQ(List->GetState(0), TCheckBoxState::cbUnchecked);
}

TEST_F(SkinCheckListBoxTest, MouseTogglesInTheCheckStripOnly) {
  Add({"a", "b", "c"});
  ClickList(19, 5);
  EXPECT_TRUE(List->GetChecked(0));
  EXPECT_EQ(ListChecks, 1);
  ClickList(20, 25);
  EXPECT_EQ(List->ItemIndex(), 1);
  EXPECT_FALSE(List->GetChecked(1));
  EXPECT_EQ(ListChecks, 1);
  // Grayed stays grayed, and the toggle is still reported.
  List->SetState(2, TCheckBoxState::cbGrayed);
  ClickList(5, 45);
  EXPECT_EQ(List->GetState(2), TCheckBoxState::cbGrayed);
  EXPECT_EQ(ListChecks, 2);
  ClickList(5, 5);
  EXPECT_FALSE(List->GetChecked(0));
}

TEST_F(SkinCheckListBoxTest, SpaceTogglesTheCurrentItem) {
  List->CheckList().SetFocus();
  windowtesting::Pump();
  TypeChar(' ');  // no item to toggle
  EXPECT_EQ(ListChecks, 0);
  Add({"a", "b"});
  List->SetItemIndex(1);
  TypeChar(' ');
  EXPECT_TRUE(List->GetChecked(1));
  EXPECT_FALSE(List->GetChecked(0));
  EXPECT_EQ(ListChecks, 1);
}

TEST_F(SkinCheckListBoxTest, CheckButtonTogglesTheCurrentItem) {
  List->SetCaptionMode(true);
  Add({"a", "b", "c"});
  int clickChecks = 0, buttonEvents = 0;
  List->OnClickCheck = [&](TObject* Sender) { clickChecks += Sender == List ? 1 : 100; };
  windowtesting::Pump();
  TWindowPicture paint(List->Handle());  // lays the buttons out
  const auto clickCheckButton = [&] {
    const TRect r = List->CaptionButton(2).Rect;
    const TPoint p = List->ClientToScreen(Point((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    MouseTo(p.x, p.y);
    LeftPress(p.x, p.y);
    LeftReleaseAt(p.x, p.y);
  };
  clickCheckButton();  // no current item
  EXPECT_EQ(clickChecks, 0);
  List->SetItemIndex(2);
  clickCheckButton();
  EXPECT_TRUE(List->GetChecked(2));
  EXPECT_EQ(clickChecks, 1);
  List->OnCheckButtonClick = [&](TObject*) { ++buttonEvents; };
  clickCheckButton();
  EXPECT_EQ(buttonEvents, 1);
  EXPECT_TRUE(List->GetChecked(2));
  EXPECT_EQ(clickChecks, 1);
}

TEST_F(SkinCheckListBoxTest, DefaultLookDrawsTheCheckBox) {
  Add({"a", "b"});
  List->SetChecked(1, true);
  List->SetItemIndex(0);
  windowtesting::Pump();
  TWindowPicture picture(List->CheckList().Handle());
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), white = RGB(255, 255, 255);
  // Item height 20: the box's frame runs from (3, 4) to (15, 16).
  for (int y : {0, 20}) {
    EXPECT_EQ(picture.Pixel(3, y + 4), shadow) << y;
    EXPECT_EQ(picture.Pixel(15, y + 16), shadow) << y;
    EXPECT_EQ(picture.Pixel(16, y + 10), white) << y;
    EXPECT_EQ(picture.Pixel(1, y + 10), white) << y;
  }
  EXPECT_EQ(picture.Pixel(50, 2), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(picture.Pixel(50, 22), GetSysColor(COLOR_WINDOW));
  int glyph[2] = {0, 0};
  for (int y = 5; y < 16; ++y)
    for (int x = 4; x < 15; ++x)
      for (int item : {0, 1})
        if (picture.Pixel(x, item * 20 + y) == GetSysColor(COLOR_WINDOWTEXT)) ++glyph[item];
  EXPECT_EQ(glyph[0], 0);
  EXPECT_GT(glyph[1], 5);
}

namespace {

// A check list whose items are 100 x 16 pieces: plain blue, active green, focus cyan; the check
// strip (2, 2, 14, 14) holds red (checked) or yellow (unchecked) 8 x 8 images.
const char CheckSkinIni[] = R"([VERSION]
ver=2
skinname=Check lists

[PICTURES]
picture=frame.bmp
activepicturescount=1
0=controls.bmp

[FORMINFO]
bgpictureindex=-1

[SKINAREAS]
count=0

[SKINOBJECTS]
count=0

[SKINCONTROLS]
count=1
0=checklistbox:checklistbox

[checklistbox]
pictureindex=0
maskpictureindex=-1
cursorindex=-1
skinrect=0,0,60,60
lefttoppoint=6,6
righttoppoint=54,6
leftbottompoint=6,54
rightbottompoint=54,54
clientrect=2,2,58,58
stretcheffect=0
itemrect=0,60,100,76
activeitemrect=0,76,100,92
focusitemrect=0,92,100,108
itemleftoffset=0
itemrightoffset=0
itemtextrect=16,0,96,16
fontname=Arial
fontheight=12
fontstyle=
fontcolor=0
activefontcolor=0
focusfontcolor=0
itemcheckrect=2,2,14,14
checkimagerect=100,0,108,8
uncheckimagerect=100,8,108,16
vscrollbarname=vscrollbar
hscrollbarname=hscrollbar
)";

constexpr COLORREF ItemBlue = RGB(0, 0, 200), ActiveGreen = RGB(0, 200, 0), FocusCyan = RGB(0, 200, 200);
constexpr COLORREF CheckedRed = RGB(220, 0, 0), UncheckedYellow = RGB(220, 220, 0);

class CheckSkin : public skintesting::TSkinFiles {
public:
  CheckSkin() {
    SavePicture("frame.bmp", *skintesting::Picture(20, 20, RGB(90, 90, 90)));
    auto controls = skintesting::Picture(120, 120, RGB(128, 128, 128));
    skintesting::Fill(*controls, Rect(0, 60, 100, 76), ItemBlue);
    skintesting::Fill(*controls, Rect(0, 76, 100, 92), ActiveGreen);
    skintesting::Fill(*controls, Rect(0, 92, 100, 108), FocusCyan);
    // Each image's bottom-left pixel is its see-through colour.
    skintesting::Fill(*controls, Rect(100, 0, 108, 8), CheckedRed);
    skintesting::Fill(*controls, Rect(100, 7, 101, 8), RGB(1, 2, 3));
    skintesting::Fill(*controls, Rect(100, 8, 108, 16), UncheckedYellow);
    skintesting::Fill(*controls, Rect(100, 15, 101, 16), RGB(1, 2, 3));
    SavePicture("controls.bmp", *controls);
    Load(CheckSkinIni);
  }
};

}  // namespace

TEST_F(SkinCheckListBoxTest, SkinnedItemsShowTheSkinsChecks) {
  CheckSkin skin;
  List->SetSkinData(&skin.Skin());
  ASSERT_NE(List->SkinControlIndex(), -1);
  Add({"a", "b", "c"});
  EXPECT_EQ(List->CheckList().ItemHeight(), 16);
  List->SetChecked(1, true);
  List->SetItemIndex(2);
  ::SetFocus(Form->Handle());  // selected without the focus look
  windowtesting::Pump();
  {
    TWindowPicture picture(List->CheckList().Handle());
    // The images are centred in the strip: (4, 4) to (12, 12) of each item.
    EXPECT_EQ(picture.Pixel(6, 6), UncheckedYellow);
    EXPECT_EQ(picture.Pixel(6, 16 + 6), CheckedRed);
    EXPECT_EQ(picture.Pixel(4, 16 + 11), ItemBlue);  // the see-through corner
    EXPECT_EQ(picture.Pixel(2, 16 + 2), ItemBlue);
    EXPECT_EQ(picture.Pixel(60, 2), ItemBlue);
    EXPECT_EQ(picture.Pixel(60, 32 + 2), ActiveGreen);
  }
  // The skin's strip is the hit area.
  ClickList(13, 5);
  EXPECT_TRUE(List->GetChecked(0));
  ClickList(15, 5);
  EXPECT_TRUE(List->GetChecked(0));
  EXPECT_EQ(ListChecks, 1);
  List->CheckList().SetFocus();
  windowtesting::Pump();
  TWindowPicture focused(List->CheckList().Handle());
  EXPECT_EQ(focused.Pixel(60, 2), FocusCyan);
  EXPECT_EQ(focused.Pixel(6, 6), CheckedRed);
}

TEST_F(SkinCheckListBoxTest, StretchedSkinItemsKeepTheirChecksUnstretched) {
  CheckSkin skin;
  List->SetUseSkinItemHeight(false);
  List->SetSkinData(&skin.Skin());
  List->SetDefaultItemHeight(24);
  Add({"a", "b"});
  List->SetChecked(1, true);
  ::SetFocus(Form->Handle());
  windowtesting::Pump();
  TWindowPicture picture(List->CheckList().Handle());
  // The strip grows to (2, 2, 14, 22): the 8 x 8 images sit at (4, 8) to (12, 16).
  EXPECT_EQ(picture.Pixel(6, 9), UncheckedYellow);
  EXPECT_EQ(picture.Pixel(6, 6), ItemBlue);
  EXPECT_EQ(picture.Pixel(10, 24 + 14), CheckedRed);
  EXPECT_EQ(picture.Pixel(60, 24 + 22), ItemBlue);
  List->SetSkinData(nullptr);
}
