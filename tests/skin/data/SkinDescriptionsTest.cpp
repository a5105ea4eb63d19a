#include "tests/support/testing.h"

#include "skin/data/SkinDescriptions.h"

using namespace classlib;
using namespace skin;

namespace {

std::vector<String> SectionKeys(TMemIniFile& ini, const String& section) {
  TStringList keys;
  ini.ReadSection(section, keys);
  std::vector<String> result;
  for (int i = 0; i < keys.Count(); ++i) result.push_back(keys[i]);
  return result;
}

TEST(SkinDescriptions, WritersEraseTheSectionAndWriteEveryKeyInOrder) {
  TMemIniFile ini;
  ini.WriteString("b", "stale", "1");
  TskDataSkinControl control("b");
  control.SaveToFile(ini);
  EXPECT_EQ(SectionKeys(ini, "b"), (std::vector<String>{"pictureindex", "maskpictureindex", "cursorindex", "skinrect"}));
  EXPECT_EQ(ini.ReadString("b", "pictureindex", ""), "-1");
  EXPECT_EQ(ini.ReadString("b", "skinrect", ""), "0,0,0,0");

  TskDataSkinSplitterControl splitter("s");
  splitter.SaveToFile(ini);
  EXPECT_EQ(SectionKeys(ini, "s").size(), 10u);
  EXPECT_EQ(SectionKeys(ini, "s")[4], "lefttoppoint");

  TskDataSkinObject object("o");
  object.SaveToFile(ini);
  EXPECT_EQ(SectionKeys(ini, "o"),
            (std::vector<String>{"hint", "rollup", "activepictureindex", "skinrectinapicture", "cursorindex",
                                 "skinrect", "activeskinrect", "inactiveskinrect", "morphing", "morphkind"}));

  ini.WriteString("POPUPWINDOW", "stale", "1");
  TskDataSkinPopupWindow popup;
  popup.SaveToFile(ini);
  const auto popupKeys = SectionKeys(ini, "POPUPWINDOW");
  EXPECT_EQ(popupKeys.size(), 14u);
  EXPECT_EQ(popupKeys[6], "itemsrect");
  EXPECT_EQ(popupKeys[7], "cursorindex");
  EXPECT_EQ(popupKeys[10], "leftstretch");
  TskDataSkinHintWindow hint;
  EXPECT_EQ(hint.FontHeight, 12);
  EXPECT_EQ(hint.FontName, "Arial");
  hint.SaveToFile(ini);
  EXPECT_EQ(SectionKeys(ini, "HINTWINDOW").size(), 15u);
}

TEST(SkinDescriptions, EveryFieldRoundTripsAndMissingKeysGiveTheirValues) {
  TskDataSkinSplitterControl written("split");
  written.PictureIndex = 3;
  written.MaskPictureIndex = 4;
  written.SkinRect = {-2, 1, 40, 20};
  written.CursorIndex = 2;
  written.SkinLeftTopPoint = {3, -3};
  written.SkinRightBottomPoint = {30, 15};
  written.SkinClientRect = {3, 3, 37, 17};
  written.StretchEffect = true;
  TMemIniFile ini;
  written.SaveToFile(ini);
  TskDataSkinSplitterControl read("split");
  read.LoadFromFile(ini);
  EXPECT_EQ(read.PictureIndex, 3);
  EXPECT_EQ(read.MaskPictureIndex, 4);
  EXPECT_TRUE(EqualRect(&read.SkinRect, &written.SkinRect));
  EXPECT_EQ(read.CursorIndex, 2);
  EXPECT_EQ(read.SkinLeftTopPoint.y, -3);
  EXPECT_EQ(read.SkinRightBottomPoint.x, 30);
  EXPECT_TRUE(EqualRect(&read.SkinClientRect, &written.SkinClientRect));
  EXPECT_TRUE(read.StretchEffect);

  // A missing section gives every missing value, whatever the fields held before.
  read.IDName = "absent";
  read.LoadFromFile(ini);
  EXPECT_EQ(read.PictureIndex, -1);
  EXPECT_TRUE(IsRectEmpty(&read.SkinRect));
  EXPECT_FALSE(read.StretchEffect);

  TStringList lines;
  lines.SetText("[HINTWINDOW]\r\nfontname=Liberation Sans\r\n[POPUPWINDOW]\r\nscrollmarkercolor=255\r\n");
  TMemIniFile windows;
  windows.SetStrings(lines);
  TskDataSkinHintWindow hint;
  hint.LoadFromFile(windows);
  EXPECT_EQ(hint.FontHeight, 14);
  EXPECT_EQ(hint.FontName, "Liberation Sans");
  EXPECT_EQ(hint.WindowPictureIndex, -1);
  TskDataSkinPopupWindow popup;
  popup.LoadFromFile(windows);
  EXPECT_EQ(popup.ScrollMarkerColor, 255);
  EXPECT_FALSE(popup.TopStretch);
}

TEST(SkinDescriptions, TypeNamesMatchExactly) {
  EXPECT_NE(dynamic_cast<TskDataSkinSplitterControl*>(CreateSkinControl("splitter", "x").get()), nullptr);
  EXPECT_EQ(CreateSkinControl("Splitter", "x"), nullptr);
  EXPECT_EQ(CreateSkinControl("", "x"), nullptr);
  EXPECT_EQ(CreateSkinObject("nothing", "x"), nullptr);
  EXPECT_EQ(SkinControlTypeName(TskDataSkinSplitterControl("x")), "splitter");
  EXPECT_EQ(SkinControlTypeName(TskDataSkinControl("x")), "");
}

}  // namespace
