// The list and combo boxes in Tavrel's main skin.
#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/SysUtils.h"
#include "skin/boxes/SkinComboBox.h"

#include <algorithm>
#include <string>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

std::string Text(const TRect& R) {
  return std::to_string(R.left) + "," + std::to_string(R.top) + "," + std::to_string(R.right) + "," +
         std::to_string(R.bottom);
}

const char BoxesForm[] = R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object L: TskSkinListBox
    Left = 10
    Top = 40
  end
  object C: TskSkinComboBox
    Left = 200
    Top = 10
    Width = 160
  end
end)";

class SkinBoxesSkinTest : public ::testing::Test {
protected:
  void SetUp() override {
    MouseTo(1270, 1010);
    std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
    std::replace(path.begin(), path.end(), '/', '\\');
    Skin = std::make_unique<TskSkinData>(nullptr);
    Skin->LoadFromFile(path);
    Form = ShowForm(BoxesForm);
    List = dynamic_cast<TskSkinListBox*>(Form->FindComponent("L"));
    Combo = dynamic_cast<TskSkinComboBox*>(Form->FindComponent("C"));
    List->SetSkinData(Skin.get());
    Combo->SetSkinData(Skin.get());
    windowtesting::Pump();
  }
  static COLORREF SkinPixel(TBitmap* Picture, int X, int Y) { return static_cast<COLORREF>(Picture->Canvas()->Pixels(X, Y)); }

  std::unique_ptr<TskSkinData> Skin;
  std::unique_ptr<TForm> Form;
  TskSkinListBox* List = nullptr;
  TskSkinComboBox* Combo = nullptr;
};

}  // namespace

TEST_F(SkinBoxesSkinTest, ListBoxTakesTheSkin) {
  ASSERT_NE(List->SkinControlIndex(), -1);
  Combo->SetFocus();  // the list draws its selection without the focus look
  EXPECT_EQ(List->InnerList().ItemHeight(), 18);
  EXPECT_EQ(Text(List->SkinClientArea()), "2,2,118,118");
  EXPECT_EQ(Text(List->InnerList().BoundsRect()), "2,2,118,118");
  for (int i = 0; i < 10; ++i) List->Items().Add("Line " + IntToStr(i));
  List->UpDateScrollBar();
  TskSkinScrollBar* bar = List->ItemScrollBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->SkinDataName(), "vscrollbar");
  EXPECT_EQ(bar->PageSize(), 116 / 18);
  EXPECT_EQ(List->InnerList().BoundsRect().right, bar->Left());
  EXPECT_EQ(bar->BoundsRect().right, 118);

  List->SetItemIndex(1);
  windowtesting::Pump();
  TWindowPicture picture(List->InnerList().Handle());
  // The selected (unfocused) item is cut from "activeitemrect", the others from "itemrect".
  EXPECT_EQ(picture.Pixel(1, 18 + 1), SkinPixel(List->SkinBitmap, 81, 186));
  EXPECT_EQ(picture.Pixel(1, 1), SkinPixel(List->SkinBitmap, 81, 168));
}

TEST_F(SkinBoxesSkinTest, ComboBoxTakesTheSkin) {
  ASSERT_NE(Combo->SkinControlIndex(), -1);
  EXPECT_EQ(Text(Combo->ButtonAreaRect()), "142,2,158,20");
  EXPECT_EQ(Text(Combo->ItemAreaRect()), "3,3,141,19");
  EXPECT_EQ(Combo->DropDownList().SkinDataName(), "listbox");
  Combo->Items().Add("apple");
  Combo->SetItemIndex(0);
  Combo->SetFocus();
  windowtesting::Pump();
  TWindowPicture focused(Combo->Handle());
  EXPECT_EQ(focused.Pixel(4, 4), SkinPixel(Combo->SkinBitmap, 169, 146));
  // Hot: "activebuttonrect" over the button area.
  const TPoint button = Combo->ClientToScreen(Point(150, 10));
  MouseTo(button.x, button.y);
  TWindowPicture hot(Combo->Handle());
  EXPECT_EQ(hot.Pixel(143, 3), SkinPixel(Combo->SkinBitmap, 121, 146));
}

TEST_F(SkinBoxesSkinTest, ComboBoxStretchedWithoutSkinSize) {
  Combo->SetUseSkinSize(false);
  Combo->SetBounds(Combo->Left(), Combo->Top(), 160, 30);
  windowtesting::Pump();
  EXPECT_EQ(Combo->Height(), 30);
  EXPECT_EQ(Text(Combo->ButtonAreaRect()), "142,2,158,28");
  EXPECT_EQ(Text(Combo->ItemAreaRect()), "3,3,141,27");
}

TEST_F(SkinBoxesSkinTest, TheSkinnedEditorShowsTheControlBeneathIt) {
  Combo->SetStyle(TskSkinCustomComboBoxStyle::skcbEditStyle);
  ASSERT_NE(Combo->Editor(), nullptr);
  EXPECT_TRUE(Combo->Editor()->TransparentMode());
  Combo->Editor()->SetText("pear");
  Combo->Editor()->SetFocus();
  windowtesting::PumpFor(100);
  // Right of the text the editor's window shows the combo box's own picture (no item strip).
  TskCustomEdit& editor = *Combo->Editor();
  TWindowPicture combo(Combo->Handle());
  TWindowPicture edit(editor.Handle());
  const int x = editor.Width() - 3, y = editor.Height() / 2;
  EXPECT_EQ(edit.Pixel(x, y), combo.Pixel(editor.Left() + x, editor.Top() + y));

  Combo->SetSkinData(nullptr);
  Combo->ChangeSkinData();
  EXPECT_FALSE(Combo->Editor()->TransparentMode()) << "the default look's editor paints its own background";
}
