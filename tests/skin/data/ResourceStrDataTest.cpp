#include "tests/support/testing.h"

#include "skin/data/ResourceStrData.h"
#include "skin/data/Skconst.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;
using namespace skin;

namespace {

TEST(ResourceStrData, StartsWithTheBuiltInLinesAndLooksNamesUpWithoutCase) {
  TskResourceStrData strings(nullptr);
  EXPECT_EQ(strings.ResStrings().Count(), 115);
  EXPECT_EQ(strings.CharSet(), 1);
  EXPECT_EQ(strings.ResStrings()[0], "MI_MINCAPTION=Mi&nimize");
  EXPECT_EQ(strings.ResStrings()[114], "FIND_REPLACE_CLOSE=Close");
  EXPECT_EQ(strings.GetResStr("mi_mincaption"), "Mi&nimize");
  EXPECT_EQ(strings.GetResStr("FLV_LOOKIN"), "Look in: ");
  EXPECT_EQ(strings.GetResStr("NOVALIDDRIVEID"), "Not a valid Drive ID");
  EXPECT_EQ(strings.GetResStr("NO_SUCH_TEXT"), "");

  strings.Init();  // appends: the first line of a name still wins
  EXPECT_EQ(strings.ResStrings().Count(), 230);

  TStringList replacement;
  replacement.Add("MI_MINCAPTION=Verkleinern");
  replacement.Add("FORMULA=a=b");
  strings.SetResStrs(replacement);
  EXPECT_EQ(strings.ResStrings().Count(), 2);
  EXPECT_EQ(strings.GetResStr("mi_minCaption"), "Verkleinern");
  EXPECT_EQ(strings.GetResStr("formula"), "a=b");
  EXPECT_EQ(strings.GetResStr("MI_MAXCAPTION"), "");  // no fallback from the table
}

TEST(ResourceStrData, FallbackTextsAreFoundByTheirSkNames) {
  const struct {
    const char* name;
    const char* text;
  } found[] = {
      {"SK_MI_MINCAPTION", "Mi&nimize"},
      {"SK_Edit_SelectAll", "Select All"},
      {"SK_FLV_LOOKIN", "Look in: "},
      {"SK_FIND_REPLACE_All", "Replace All"},
      {"SK_PRNSTATUS_WarningUp", "Warming Up"},
      {"SK_PRNSTATUS_PrintingAndWaiting", "Printing: %d document(s) waiting"},
  };
  for (const auto& row : found) {
    String text;
    EXPECT_TRUE(FindSkinEngineString(row.name, text)) << row.name;
    EXPECT_EQ(text, row.text);
  }
  String text;
  for (const char* missing : {"SK_DB_DELETE_QUESTION", "SK_DB_MULTIPLEDELETE_QUESTION", "SK_FIND_REPLACE_CLOSE",
                              "SK_EDIT_UNDO", "SK_mi_mincaption", "MI_MINCAPTION"})
    EXPECT_FALSE(FindSkinEngineString(missing, text)) << missing;
  EXPECT_STREQ(SK_MI_CLOSECAPTION, "&Close");

  // Every line of the table but three has its fallback with the same text.
  TskResourceStrData strings(nullptr);
  int withFallback = 0;
  for (int i = 0; i < strings.ResStrings().Count(); ++i) {
    String name = strings.ResStrings().Names(i);
    if (name.rfind("EDIT_", 0) == 0) name = "Edit_" + name.substr(5, 1) + LowerCase(name.substr(6));
    if (name == "Edit_Selectall") name = "Edit_SelectAll";
    if (FindSkinEngineString("SK_" + name, text)) {
      ++withFallback;
      EXPECT_EQ(text, strings.ResStrings().ValueFromIndex(i)) << name;
    }
  }
  EXPECT_EQ(withFallback, 112);
}

}  // namespace
