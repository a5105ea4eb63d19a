#include "tests/app/AppTesting.h"

#include "app/Unit1.h"
#include "app/Unit10.h"
#include "app/Unit3.h"
#include "app/Unit9.h"
#include "skin/data/SkinBarDescriptions.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditDescriptions.h"
#include "skin/data/SkinObjectDescriptions.h"
#include "skin/data/SkinPanelDescriptions.h"
#include "skin/data/SkinTabDescriptions.h"

#include <functional>

using namespace classlib;
using namespace skin;

namespace {

template <class T>
bool Is(const TskDataSkinControl& control) {
  return dynamic_cast<const T*>(&control) != nullptr;
}

struct TExpected {
  const char* name;
  std::function<bool(const TskDataSkinControl&)> isExpected;
};

const TExpected kMainControls[] = {
    {"listview", Is<TskDataSkinListView>},         {"resizebutton", Is<TskDataSkinButtonControl>},
    {"vscrollbar", Is<TskDataSkinScrollBarControl>}, {"hscrollbar", Is<TskDataSkinScrollBarControl>},
    {"bothhscrollbar", Is<TskDataSkinScrollBarControl>}, {"combobox", Is<TskDataSkinComboBox>},
    {"listbox", Is<TskDataSkinListBox>},           {"button", Is<TskDataSkinButtonControl>},
    {"panel", Is<TskDataSkinPanelControl>},        {"gauge", Is<TskDataSkinGaugeControl>},
    {"checkbox", Is<TskDataSkinCheckRadioControl>}, {"htrackbar", Is<TskDataSkinTrackBarControl>},
    {"toolpanel", Is<TskDataSkinPanelControl>},    {"toolbutton", Is<TskDataSkinButtonControl>},
    {"toolmenubutton", Is<TskDataSkinMenuButtonControl>}, {"edit", Is<TskDataSkinEditControl>},
    {"buttonedit", Is<TskDataSkinEditControl>},    {"stdlabel", Is<TskDataSkinStdLabelControl>},
    {"bevel", Is<TskDataSkinBevel>},               {"tab", Is<TskDataSkinTabControl>},
};

const TExpected kSecondControls[] = {
    {"vscrollbar", Is<TskDataSkinScrollBarControl>}, {"toolbutton", Is<TskDataSkinButtonControl>},
    {"htrackbar", Is<TskDataSkinTrackBarControl>},   {"trackbar", Is<TskDataSkinTrackBarControl>},
    {"panel", Is<TskDataSkinPanelControl>},          {"listview", Is<TskDataSkinListView>},
    {"resizebutton", Is<TskDataSkinButtonControl>},
};

TskSkinData& SkinOf(TComponent& form, const char* name) {
  auto* skin = dynamic_cast<TskSkinData*>(form.FindComponent(name));
  if (skin == nullptr) throw Exception(String(name) + " is missing");
  return *skin;
}

bool Inside(const TRect& r, const TBitmap& picture) {
  return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= picture.Width() &&
         r.bottom <= picture.Height();
}

void ExpectSkin(const TskSkinData& skin, const TExpected* begin, const TExpected* end) {
  ASSERT_FALSE(skin.Empty);
  for (const TExpected* row = begin; row != end; ++row) {
    SCOPED_TRACE(row->name);
    const int index = skin.GetControlIndex(row->name);
    ASSERT_GE(index, 0);
    const TskDataSkinControl& control = *skin.CtrlList[static_cast<size_t>(index)];
    EXPECT_TRUE(row->isExpected(control));
    // Some kinds draw from colours alone (a list view has no picture of its own).
    if (control.PictureIndex < 0) continue;
    ASSERT_LT(control.PictureIndex, static_cast<int>(skin.ActivePictures.size()));
    EXPECT_TRUE(Inside(control.SkinRect, *skin.ActivePictures[static_cast<size_t>(control.PictureIndex)]));
  }
  ASSERT_GE(skin.GetIndex("menuitem"), 0);
  EXPECT_NE(dynamic_cast<const TskDataSkinMenuItem*>(skin.ObjectList[static_cast<size_t>(skin.GetIndex("menuitem"))].get()),
            nullptr);
  ASSERT_GE(skin.PopupWindow->WindowPictureIndex, 0);
  EXPECT_LT(skin.PopupWindow->WindowPictureIndex, static_cast<int>(skin.ActivePictures.size()));
}

void ExpectMainSkin(const TskSkinData& skin) {
  ExpectSkin(skin, std::begin(kMainControls), std::end(kMainControls));
  EXPECT_FALSE(skin.Picture->Empty());
  EXPECT_FALSE(skin.Mask->Empty());
  EXPECT_TRUE(Inside(skin.ClientRect, *skin.Picture));
  EXPECT_NE(dynamic_cast<const TskDataSkinCaption*>(skin.ObjectList[static_cast<size_t>(skin.GetIndex("caption"))].get()),
            nullptr);
  for (const char* button : {"closebutton", "minbutton", "sysmenubutton", "rollupbutton"}) {
    const int index = skin.GetIndex(button);
    ASSERT_GE(index, 0) << button;
    EXPECT_NE(dynamic_cast<const TskDataSkinStdButton*>(skin.ObjectList[static_cast<size_t>(index)].get()), nullptr)
        << button;
  }
  EXPECT_GE(skin.HintWindow->WindowPictureIndex, 0);
}

TEST(SkinsOnForms, EveryFormLoadsItsSkinsWhileItStreamsIn) {
  auto main = apptesting::MakeForm<TForm1>();
  ExpectMainSkin(SkinOf(*main, "skSkinData1"));
  ExpectSkin(SkinOf(*main, "skSkinData2"), std::begin(kSecondControls), std::end(kSecondControls));
  EXPECT_TRUE(SkinOf(*main, "skSkinData1").EnableSkinEffects);

  auto colour = apptesting::MakeForm<TForm3>();
  ExpectMainSkin(SkinOf(*colour, "skSkinData1"));
  auto rotate = apptesting::MakeForm<TForm9>();
  ExpectMainSkin(SkinOf(*rotate, "skSkinData1"));
  auto devices = apptesting::MakeForm<TForm10>();
  ExpectMainSkin(SkinOf(*devices, "skSkinData1"));
}

}  // namespace
