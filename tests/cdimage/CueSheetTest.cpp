#include "tests/support/testing.h"

#include "platform/cdimage/CueSheet.h"

using cdimage::CueSheet;
using cdimage::ParseCueSheet;

namespace {

TEST(CueSheet, ReadsTheTracksOfTheFormsToolsWrite) {
  const struct {
    const char* what;
    const char* text;
  } cases[] = {
      {"plain", "FILE \"my disc.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 01:02:03\n"},
      {"CRLF, byte-order mark, indents, lower case",
       "\xEF\xBB\xBF"
       "file \"my disc.bin\" binary\r\n  track 01 audio\r\n    index 01 00:00:00\r\n"
       "  track 02 audio\r\n    index 01 01:02:03\r\n"},
      {"text commands, gaps and sub-indexes",
       "REM GENRE \"Rock\nPERFORMER \"Someone\"\nTITLE \"A \"\"quoted\"\" title\"\nFILE \"my disc.bin\" BINARY\n"
       "TRACK 01 AUDIO\nTITLE \"One\"\nFLAGS DCP\nISRC ABCDE1234567\nINDEX 01 00:00:00\n"
       "TRACK 02 AUDIO\nINDEX 00 01:00:00\nINDEX 01 01:02:03\nINDEX 02 01:30:00\n"},
  };
  for (const auto& c : cases) {
    const std::optional<CueSheet> sheet = ParseCueSheet(c.text);
    ASSERT_TRUE(sheet) << c.what;
    EXPECT_EQ(sheet->ImageFile, "my disc.bin") << c.what;
    ASSERT_EQ(sheet->Tracks.size(), 2u) << c.what;
    EXPECT_EQ(sheet->Tracks[0].Number, 1) << c.what;
    EXPECT_EQ(sheet->Tracks[0].StartSector, 0u) << c.what;
    EXPECT_EQ(sheet->Tracks[1].Number, 2) << c.what;
    EXPECT_EQ(sheet->Tracks[1].StartSector, (60u + 2) * 75 + 3) << c.what;
    EXPECT_TRUE(sheet->Tracks[1].Audio) << c.what;
  }
}

TEST(CueSheet, KnowsRawDataTracksAndUnquotedNames) {
  const std::optional<CueSheet> sheet = ParseCueSheet(
      "FILE game.bin BINARY\nTRACK 01 MODE1/2352\nINDEX 01 00:00:00\n"
      "TRACK 02 AUDIO\nINDEX 01 10:00:00\n");
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->ImageFile, "game.bin");
  ASSERT_EQ(sheet->Tracks.size(), 2u);
  EXPECT_FALSE(sheet->Tracks[0].Audio);
  EXPECT_TRUE(sheet->Tracks[1].Audio);
  EXPECT_EQ(sheet->Tracks[1].StartSector, 45000u);
}

TEST(CueSheet, RejectsWhatItCannotPlaceExactly) {
  const struct {
    const char* what;
    const char* text;
  } cases[] = {
      {"empty", ""},
      {"no FILE", "TRACK 01 AUDIO\nINDEX 01 00:00:00\n"},
      {"no track", "FILE \"a.bin\" BINARY\n"},
      {"WAVE file", "FILE \"a.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"},
      {"two files", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE \"b.bin\" BINARY\n"
                    "TRACK 02 AUDIO\nINDEX 01 00:00:00\n"},
      {"cooked data track", "FILE \"a.bin\" BINARY\nTRACK 01 MODE1/2048\nINDEX 01 00:00:00\n"},
      {"track 0", "FILE \"a.bin\" BINARY\nTRACK 00 AUDIO\nINDEX 01 00:00:00\n"},
      {"track 100", "FILE \"a.bin\" BINARY\nTRACK 100 AUDIO\nINDEX 01 00:00:00\n"},
      {"numbers skip", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 03 AUDIO\nINDEX 01 00:10:00\n"},
      {"no INDEX 01", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 00 00:00:00\n"},
      {"earlier track without INDEX 01", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nTRACK 02 AUDIO\nINDEX 01 00:10:00\n"},
      {"two INDEX 01", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nINDEX 01 00:00:01\n"},
      {"INDEX before a track", "FILE \"a.bin\" BINARY\nINDEX 01 00:00:00\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"},
      {"start not later",
       "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:10:00\nTRACK 02 AUDIO\nINDEX 01 00:10:00\n"},
      {"60 seconds", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:60:00\n"},
      {"75 frames", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n"},
      {"two fields", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00\n"},
      {"not a number", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:0x:00\n"},
      {"negative", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 -1:00:00\n"},
      {"PREGAP", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nPREGAP 00:02:00\nINDEX 01 00:00:00\n"},
      {"unknown command", "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFROB 1\n"},
      {"unclosed file name", "FILE \"a.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(ParseCueSheet(c.text)) << c.what;
}

}  // namespace
