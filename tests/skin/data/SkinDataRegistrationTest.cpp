#include "tests/support/testing.h"

#include "platform/classlib/FormReader.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinDataRegistration.h"
#include "tests/skin/data/SkinDataTesting.h"

using namespace classlib;
using namespace skin;
using namespace skindatatesting;
using testing_support::TempDir;

namespace {

String Hex(const std::uint8_t* bytes, std::int64_t count) {
  static const char digits[] = "0123456789ABCDEF";
  String text;
  for (std::int64_t i = 0; i < count; ++i) {
    if (i % 32 == 0) text += "\n      ";
    text += digits[bytes[i] >> 4];
    text += digits[bytes[i] & 15];
  }
  return text;
}

String FormText(const String& compressedData) {
  return "object TestForm: TForm\n"
         "  object skResourceStrData1: TskResourceStrData\n"
         "    ResStrings.Strings = (\n      'MI_MINCAPTION=Klein'\n      'X=a=b')\n"
         "    CharSet = 0\n"
         "  end\n"
         "  object skSkinData1: TskSkinData\n"
         "    EnableSkinEffects = False\n"
         "    CompressedStoredSkin = skCompressedStoredSkin1\n"
         "    ResourceStrData = skResourceStrData1\n"
         "  end\n"
         "  object skCompressedStoredSkin1: TskCompressedStoredSkin\n"
         "    FileName = 'skin.ini'\n"
         "    CompressedData = {" + compressedData + "}\n"
         "  end\n"
         "end\n";
}

std::unique_ptr<TForm> ReadForm(const String& text) {
  Application->Initialize();
  RegisterSkinDataClasses();
  RegisterSkinDataClasses();  // a second call changes nothing
  auto form = std::make_unique<TForm>(nullptr);
  ReadComponentText(form.get(), text, "TestForm");
  return form;
}

TEST(SkinDataRegistration, AFormLoadsItsStoredSkinWhileItStreamsIn) {
  TempDir dir;
  WriteTestSkin(dir);
  TskCompressedStoredSkin packed(nullptr);
  packed.LoadFromIniFile(dir.windowsFile("skin.ini"));
  ASSERT_FALSE(packed.GetEmpty());

  auto form = ReadForm(FormText(Hex(packed.PackedData().Memory(), packed.PackedData().Size())));
  auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("skSkinData1"));
  auto* stored = dynamic_cast<TskCompressedStoredSkin*>(form->FindComponent("skCompressedStoredSkin1"));
  auto* strings = dynamic_cast<TskResourceStrData*>(form->FindComponent("skResourceStrData1"));
  ASSERT_TRUE(skin && stored && strings);
  EXPECT_FALSE(skin->Empty);
  EXPECT_FALSE(skin->EnableSkinEffects);
  EXPECT_EQ(skin->CompressedStoredSkin(), stored);
  EXPECT_EQ(stored->FileName(), "skin.ini");
  EXPECT_EQ(stored->PackedData().Size(), packed.PackedData().Size());
  EXPECT_EQ(skin->GetControlIndex("split2"), 1);
  EXPECT_EQ(skin->ActivePictures.size(), 2u);
  EXPECT_EQ(strings->ResStrings().Count(), 2);
  EXPECT_EQ(strings->GetResStr("mi_mincaption"), "Klein");
  EXPECT_EQ(strings->CharSet(), 0);

  // Removing the stored skin clears the reference; the loaded skin stays.
  delete stored;
  EXPECT_EQ(skin->CompressedStoredSkin(), nullptr);
  EXPECT_FALSE(skin->Empty);
}

TEST(SkinDataRegistration, ABrokenOrEmptyStoredSkinLeavesTheDefaultLook) {
  for (const String& data : {String("\n      789C0102030405"), String()}) {
    auto form = ReadForm(FormText(data));
    auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("skSkinData1"));
    ASSERT_NE(skin, nullptr);
    EXPECT_TRUE(skin->Empty);
    EXPECT_TRUE(skin->CtrlList.empty());
  }
}

TEST(SkinDataRegistration, TheBuildPutsThePackedSkinIntoTheFormDescription) {
  const std::string text = testing_support::ReadUnixFile(std::string(TAVREL_BINARY_DIR) + "/tests/data/SkinForm.dfm");
  ASSERT_NE(text.find("CompressedData = {\n      78DA"), std::string::npos);
  auto form = ReadForm(text);
  auto* skin = dynamic_cast<TskSkinData*>(form->FindComponent("skSkinData1"));
  ASSERT_NE(skin, nullptr);
  ASSERT_FALSE(skin->Empty);
  EXPECT_EQ(skin->SkinName, "Test skin");
  EXPECT_EQ(skin->Picture->Width(), 40);
  EXPECT_EQ(skin->Mask->Height(), 30);
  ASSERT_EQ(skin->ActivePictures.size(), 1u);
  EXPECT_EQ(skin->GetControlIndex("splitter"), 0);
  EXPECT_EQ(skin->GetAreaIndex("caption"), 0);
}

}  // namespace

