#include "tests/support/testing.h"

#include "platform/classlib/SysUtils.h"
#include "skin/data/SkinEnums.h"
#include "skin/data/SkutilsIni.h"

#include <memory>

using namespace classlib;
using namespace skin;

namespace {

std::unique_ptr<TMemIniFile> Ini(const String& text) {
  TStringList lines;
  lines.SetText(text);
  auto ini = std::make_unique<TMemIniFile>();
  ini->SetStrings(lines);
  return ini;
}

TEST(SkinValues, RectanglesAndPointsKeepTheirDigitsAndSign) {
  const struct {
    const char* text;
    TRect rect;
  } rows[] = {
      {"1,2,3,4", {1, 2, 3, 4}},
      {" 10 , 20 ,30, 40 ", {10, 20, 30, 40}},
      {"-5,-6,7,8", {-5, -6, 7, 8}},
      {"1.5,2,3,4", {15, 2, 3, 4}},
      {"1,2,3,4,5,6", {1, 2, 3, 4}},
      {"x-9y,0,0,0", {-9, 0, 0, 0}},
  };
  for (const auto& row : rows) {
    const TRect r = GetRect(row.text);
    EXPECT_TRUE(EqualRect(&r, &row.rect)) << row.text;
  }
  for (const char* bad : {"", "1,2,3", "1,,3,4", "1,2,3,", "a,b,c,d", "99999999999,0,0,0"}) {
    try {
      GetRect(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& error) {
      EXPECT_NE(error.Message().find("is not a valid integer value"), String::npos);
    }
  }
  EXPECT_THROW(GetRect(""), EConvertError);
  try {
    GetRect("");
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'' is not a valid integer value");
  }
  const TPoint p = GetPoint(" -3, 4");
  EXPECT_EQ(p.x, -3);
  EXPECT_EQ(p.y, 4);
  EXPECT_THROW(GetPoint("7"), EConvertError);
  EXPECT_EQ(SetRect(TRect{-1, 2, 3, -4}), "-1,2,3,-4");

  auto owned = Ini("[s]\r\nr=1,2,3,4\r\n");
  TMemIniFile& ini = *owned;
  TRect missing = ReadRect(ini, "s", "none");
  EXPECT_TRUE(IsRectEmpty(&missing));
  WriteRect(ini, "s", "w", TRect{-5, 0, 10, 20});
  WritePoint(ini, "s", "p", TPoint{-1, 2});
  EXPECT_EQ(ini.ReadString("s", "w", ""), "-5,0,10,20");
  EXPECT_EQ(ReadRect(ini, "s", "w").left, -5);
  EXPECT_EQ(ReadPoint(ini, "s", "p").x, -1);
}

TEST(SkinValues, WordsAndFlagsReadAsSkinsSpellThem) {
  auto owned = Ini(
      "[s]\r\nb1=1\r\nb2=2\r\nbw=yes\r\nf1=fsunderline;fsbold\r\nf2=FSBOLD\r\n"
      "a1=tarightjustify\r\na2=taleft\r\na3=taleftjustify\r\nm1=mkpush\r\nm2=MkPush\r\n"
      "i1=iegrayscale\r\ni2=iesomething\r\ni3=ieinvert\r\n");
  TMemIniFile& ini = *owned;
  EXPECT_TRUE(ReadBoolean(ini, "s", "b1"));
  EXPECT_FALSE(ReadBoolean(ini, "s", "b2"));
  EXPECT_FALSE(ReadBoolean(ini, "s", "bw"));
  EXPECT_FALSE(ReadBoolean(ini, "s", "none"));
  EXPECT_TRUE(ReadFontStyles(ini, "s", "f1") == (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline}));
  EXPECT_TRUE(ReadFontStyles(ini, "s", "f2").Empty());
  EXPECT_EQ(ReadAlignment(ini, "s", "a1"), TAlignment::taRightJustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "a2"), TAlignment::taRightJustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "a3"), TAlignment::taLeftJustify);
  EXPECT_EQ(ReadAlignment(ini, "s", "none"), TAlignment::taCenter);
  EXPECT_EQ(ReadMorphKind(ini, "s", "m1"), TMorphKind::mkPush);
  EXPECT_EQ(ReadMorphKind(ini, "s", "m2"), TMorphKind::mkDefault);
  EXPECT_EQ(ReadMorphKind(ini, "s", "none"), TMorphKind::mkDefault);
  EXPECT_EQ(ReadInActiveEffect(ini, "s", "i1"), TskInActiveEffect::ieGrayScale);
  EXPECT_EQ(ReadInActiveEffect(ini, "s", "i2"), TskInActiveEffect::ieGrayScale);
  EXPECT_EQ(ReadInActiveEffect(ini, "s", "i3"), TskInActiveEffect::ieInvert);
  EXPECT_EQ(ReadInActiveEffect(ini, "s", "none"), TskInActiveEffect::ieBrightness);

  WriteFontStyles(ini, "t", "f", TFontStyles{TFontStyle::fsStrikeOut, TFontStyle::fsBold});
  WriteAlignment(ini, "t", "a", TAlignment::taLeftJustify);
  WriteMorphKind(ini, "t", "m", TMorphKind::mkRightSlide);
  WriteInActiveEffect(ini, "t", "i", TskInActiveEffect::ieSplitBlur);
  WriteBoolean(ini, "t", "b", true);
  EXPECT_EQ(ini.ReadString("t", "f", ""), "fsbold,fsstrikeout");
  EXPECT_EQ(ini.ReadString("t", "a", ""), "taleftjustify");
  EXPECT_EQ(ini.ReadString("t", "m", ""), "mkrightslide");
  EXPECT_EQ(ini.ReadString("t", "i", ""), "iesplitblur");
  EXPECT_EQ(ini.ReadString("t", "b", ""), "1");
}

TEST(SkinValues, StringListsAppendInKeyOrder) {
  TStringList source;
  source.SetText("one\r\ntwo=2\r\n three\r\n");
  TMemIniFile ini;
  WriteStrings(ini, "s", "symbols", source);
  WriteStrings1(ini, "s", "activepictures", source);
  EXPECT_EQ(ini.ReadString("s", "symbolslinecount", ""), "3");
  EXPECT_EQ(ini.ReadString("s", "symbolsline2", ""), " three");
  EXPECT_EQ(ini.ReadString("s", "activepicturescount", ""), "3");
  EXPECT_EQ(ini.ReadString("s", "1", ""), "two=2");

  TStringList target;
  target.Add("kept");
  ReadStrings(ini, "s", "symbols", target);
  ReadStrings1(ini, "s", "activepictures", target);
  ReadStrings(ini, "s", "missing", target);
  EXPECT_EQ(target.Text(), "kept\r\none\r\ntwo=2\r\n three\r\none\r\ntwo=2\r\n three\r\n");
}

}  // namespace
