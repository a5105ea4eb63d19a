// The table of contents of a disc image, read from a CUE sheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cdimage {

struct CueTrack {
  int Number = 0;
  bool Audio = true;              // AUDIO; false for a raw data track (MODE1/2352, MODE2/2352)
  std::uint32_t StartSector = 0;  // INDEX 01, in sectors from the start of the image file
};

struct CueSheet {
  std::string ImageFile;  // the FILE name as written: relative to the sheet's folder, or absolute
  std::vector<CueTrack> Tracks;
};

// Reads the subset a single-file raw image needs: one FILE "name" BINARY, then TRACK nn AUDIO
// (or MODE1/2352, MODE2/2352) entries with consecutive numbers, each with an INDEX 01 mm:ss:ff
// later than the track before. Text-only commands (REM, TITLE, PERFORMER, ...) are skipped.
// Anything else, including PREGAP and POSTGAP (silence the image file does not hold) and a second
// FILE, makes the sheet unusable: nullopt, rather than a disc with the wrong addresses.
std::optional<CueSheet> ParseCueSheet(std::string_view text);

}  // namespace cdimage
