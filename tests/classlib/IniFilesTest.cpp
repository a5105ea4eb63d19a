#include "tests/support/testing.h"

#include "platform/classlib/IniFiles.h"
#include "platform/classlib/Streams.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/SysUtils.h"

using namespace classlib;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

std::vector<String> Lines(const TStrings& strings) {
  std::vector<String> lines;
  for (int i = 0; i < strings.Count(); ++i) lines.push_back(strings[i]);
  return lines;
}

TEST(IniFile, AMissingFileReadsAsDefaultsAndTheFirstWriteCreatesIt) {
  TempDir dir;
  const String name = dir.windowsFile("config.ini");
  {
    TIniFile ini(name);
    EXPECT_EQ(ini.FileName(), name);
    EXPECT_EQ(ini.ReadString("Device", "Video Device", ""), "");
    EXPECT_EQ(ini.ReadString("Device", "Video Device", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("flag", "flag", 1), 1);
    EXPECT_TRUE(ini.ReadBool("x", "y", true));
    EXPECT_FALSE(ini.SectionExists("Device"));
    EXPECT_FALSE(ini.ValueExists("Device", "Video Device"));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.Count(), 0);
  }
  EXPECT_FALSE(FileExists(name));  // reading creates nothing

  {
    TIniFile ini(name);
    ini.WriteString("Device", "Video Device", "Simulated TV card");
    ini.WriteInteger("flag", "flag", 0);
  }
  EXPECT_TRUE(FileExists(name));
  TIniFile again(name);
  EXPECT_EQ(again.ReadString("Device", "Video Device", ""), "Simulated TV card");
  EXPECT_EQ(again.ReadInteger("flag", "flag", 1), 0);
}

TEST(IniFile, ValuesRoundTripWithNamesMatchedWithoutCase) {
  TempDir dir;
  TIniFile ini(dir.windowsFile("round.ini"));
  ini.WriteString("work Path", "Default Pic", "C:\\Pics\\");
  ini.WriteString("work Path", "TV Capture", "\\");
  ini.WriteString("Text", "accent", "Caf\xC3\xA9");
  ini.WriteInteger("Numbers", "negative", -42);
  ini.WriteBool("Numbers", "on", true);
  ini.WriteBool("Numbers", "off", false);
  ini.WriteString("Numbers", "empty", "");

  EXPECT_EQ(ini.ReadString("WORK PATH", "default pic", ""), "C:\\Pics\\");
  EXPECT_EQ(ini.ReadString("work Path", "TV Capture", ""), "\\");
  EXPECT_EQ(ini.ReadString("Text", "accent", ""), "Caf\xC3\xA9");
  EXPECT_EQ(ini.ReadInteger("Numbers", "negative", 0), -42);
  EXPECT_TRUE(ini.ReadBool("Numbers", "on", false));
  EXPECT_FALSE(ini.ReadBool("Numbers", "off", true));
  EXPECT_EQ(ini.ReadString("Numbers", "empty", "default"), "");
  EXPECT_TRUE(ini.ValueExists("numbers", "EMPTY"));
  EXPECT_TRUE(ini.SectionExists("text"));

  const String longValue(5000, 'v');  // beyond the first read buffer
  ini.WriteString("Text", "long", longValue);
  EXPECT_EQ(ini.ReadString("Text", "long", ""), longValue);

  const String contents = ReadUnixFile(dir.unixFile("round.ini"));
  EXPECT_NE(contents.find("Default Pic=C:\\Pics\\"), String::npos);
  EXPECT_NE(contents.find("negative=-42"), String::npos);
  EXPECT_NE(contents.find("on=1"), String::npos);
}

TEST(IniFile, IntegersAreDecimalOrHexAndAnythingElseGivesTheDefault) {
  TempDir dir;
  WriteUnixFile(dir.unixFile("n.ini"),
                "; a comment\r\n[n]\r\ndec=12\r\nneg=-3\r\ndollar=$1F\r\nhex=0x10\r\nword=abc\r\n"
                "empty=\r\ntail=12abc\r\nspaced=  7  \r\nhuge=99999999999\r\nbool2=2\r\nbool0=0\r\n");
  TIniFile ini(dir.windowsFile("n.ini"));
  const struct {
    const char* key;
    int value;
  } cases[] = {{"dec", 12},   {"neg", -3},   {"dollar", 31}, {"hex", 16},     {"word", -5},
               {"empty", -5}, {"tail", -5},  {"spaced", 7},  {"huge", -5},    {"missing", -5}};
  for (const auto& c : cases) EXPECT_EQ(ini.ReadInteger("n", c.key, -5), c.value) << c.key;
  EXPECT_TRUE(ini.ReadBool("n", "bool2", false));
  EXPECT_FALSE(ini.ReadBool("n", "bool0", true));
  EXPECT_TRUE(ini.ReadBool("n", "word", true));
  EXPECT_FALSE(ini.ReadBool("n", "word", false));
}

TEST(IniFile, SectionsAndKeysAreListedErasedAndDeleted) {
  TempDir dir;
  WriteUnixFile(dir.unixFile("s.ini"), "[VERSION]\r\nname=x\r\n[PICTURES]\r\ncount=2\r\n0=a.bmp\r\n1=b.bmp\r\n");
  TIniFile ini(dir.windowsFile("s.ini"));
  TStringList names;
  ini.ReadSections(names);
  EXPECT_EQ(Lines(names), (std::vector<String>{"VERSION", "PICTURES"}));
  ini.ReadSection("pictures", names);
  EXPECT_EQ(Lines(names), (std::vector<String>{"count", "0", "1"}));

  ini.DeleteKey("PICTURES", "0");
  ini.DeleteKey("PICTURES", "not there");
  EXPECT_FALSE(ini.ValueExists("PICTURES", "0"));
  EXPECT_EQ(ini.ReadString("PICTURES", "1", ""), "b.bmp");
  ini.EraseSection("VERSION");
  EXPECT_FALSE(ini.SectionExists("VERSION"));
  ini.ReadSections(names);
  EXPECT_EQ(Lines(names), std::vector<String>{"PICTURES"});
}

TEST(IniFile, AFileTruncatedThroughAStreamIsReadAnew) {
  // Writing a skin INI starts by creating the file anew: no key written before may survive.
  TempDir dir;
  const String name = dir.windowsFile("skin.ini");
  {
    TIniFile ini(name);
    ini.WriteString("OLD", "key", "value");
    EXPECT_EQ(ini.ReadString("OLD", "key", ""), "value");
  }
  TFileStream(name, fmCreate);
  TIniFile ini(name);
  EXPECT_EQ(ini.ReadString("OLD", "key", "gone"), "gone");
  ini.WriteString("NEW", "key", "1");
  EXPECT_EQ(ReadUnixFile(dir.unixFile("skin.ini")).find("OLD"), String::npos);
}

TEST(IniFile, AWriteThePlatformRefusesRaises) {
  TempDir dir;
  const String name = dir.windowsFile("no\\such\\folder\\config.ini");
  TIniFile ini(name);
  try {
    ini.WriteString("Device", "Video Device", "x");
    ADD_FAILURE() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + name);
  }
}

TEST(MemIniFile, KeepsValuesAsWrittenAndMatchesNamesWithoutCase) {
  TStringList text;
  text.SetText("; a comment\r\nstray=before any section\r\n[Skin]\r\n Name = \"Blue\" sky \r\n"
               "rect=-5, 2,3,4\r\nno equals sign\r\n[other]\r\nk=1\r\n[SKIN]\r\nlater=x=y\r\n");
  TMemIniFile ini;
  ini.SetStrings(text);

  // Blanks and quotes in values survive, and so does every "=" after the first.
  EXPECT_EQ(ini.ReadString("skin", "NAME", "?"), " \"Blue\" sky ");
  EXPECT_EQ(ini.ReadString("Skin", "rect", "?"), "-5, 2,3,4");
  EXPECT_EQ(ini.ReadString("skin", "later", "?"), "x=y");
  EXPECT_EQ(ini.ReadString("Skin", "stray", "?"), "?");
  EXPECT_EQ(ini.ReadInteger("OTHER", "K", 0), 1);

  TStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(Lines(sections), (std::vector<String>{"Skin", "other"}));
  TStringList keys;
  ini.ReadSection("skin", keys);
  EXPECT_EQ(Lines(keys), (std::vector<String>{"Name", "rect", "later"}));
  EXPECT_TRUE(ini.SectionExists("OTHER"));

  ini.WriteString("skin", "RECT", "1,2,3,4");
  ini.WriteString("new", "a", "");
  ini.DeleteKey("Skin", "later");
  ini.EraseSection("Other");
  TStringList written;
  ini.GetStrings(written);
  EXPECT_EQ(Lines(written), (std::vector<String>{"[Skin]", "Name= \"Blue\" sky ", "rect=1,2,3,4", "",
                                                 "[new]", "a=", ""}));
}

TEST(MemIniFile, ReadsAFileAndWritesItBackOnlyOnUpdate) {
  TempDir dir;
  const String name = dir.windowsFile("skin.ini");
  WriteUnixFile(dir.unixFile("skin.ini"), "[VERSION]\r\nskinname= Two  blanks\r\n");
  TMemIniFile ini(name);
  EXPECT_EQ(ini.ReadString("version", "SkinName", ""), " Two  blanks");

  ini.WriteString("VERSION", "ver", "2");
  EXPECT_EQ(ReadUnixFile(dir.unixFile("skin.ini")), "[VERSION]\r\nskinname= Two  blanks\r\n");
  ini.UpdateFile();
  EXPECT_EQ(ReadUnixFile(dir.unixFile("skin.ini")), "[VERSION]\r\nskinname= Two  blanks\r\nver=2\r\n\r\n");

  TMemIniFile missing(dir.windowsFile("none.ini"));
  TStringList sections;
  missing.ReadSections(sections);
  EXPECT_EQ(sections.Count(), 0);
}

TEST(StringList, FindsLinesByNameAndSplitsAtTheFirstEquals) {
  TStringList list;
  list.SetText("plain\r\nMI_MINCAPTION=Mi&nimize\r\nformula=a=b\r\nmi_mincaption=second\r\n");
  EXPECT_EQ(list.IndexOfName("mi_MinCaption"), 1);
  EXPECT_EQ(list.IndexOfName("plain"), -1);
  EXPECT_EQ(list.IndexOfName("missing"), -1);
  EXPECT_EQ(list.Names(2), "formula");
  EXPECT_EQ(list.ValueFromIndex(2), "a=b");
  EXPECT_EQ(list.Names(0), "");
  EXPECT_EQ(list.ValueFromIndex(0), "");
}

}  // namespace

