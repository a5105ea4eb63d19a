#include "platform/cdimage/CueSheet.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace cdimage {
namespace {

constexpr int kFramesPerSecond = 75;
constexpr int kSecondsPerMinute = 60;

// Commands that only carry text about the disc or a track.
constexpr std::array<std::string_view, 8> kTextCommands{"REM",     "TITLE",      "PERFORMER", "SONGWRITER",
                                                        "CATALOG", "CDTEXTFILE", "FLAGS",     "ISRC"};

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

// Splits one line into words; a double-quoted word may hold spaces. An unclosed quote runs to the
// end of the line, so that a stray quote in a REM or TITLE line costs nothing.
std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (true) {
    at = line.find_first_not_of(" \t", at);
    if (at == std::string_view::npos) return words;
    if (line[at] == '"') {
      const std::size_t close = std::min(line.find('"', at + 1), line.size());
      words.push_back(line.substr(at + 1, close - at - 1));
      at = close + 1;
    } else {
      const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
      words.push_back(line.substr(at, end - at));
      at = end;
    }
  }
}

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// mm:ss:ff, minutes of any size, seconds below 60, frames below 75.
std::optional<std::uint32_t> SectorOfTime(std::string_view text) {
  const std::size_t first = text.find(':'), second = text.find(':', first + 1);
  if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
  const auto minutes = Number(text.substr(0, first));
  const auto seconds = Number(text.substr(first + 1, second - first - 1));
  const auto frames = Number(text.substr(second + 1));
  if (!minutes || !seconds || !frames || *minutes < 0 || *minutes > 99 || *seconds < 0 ||
      *seconds >= kSecondsPerMinute || *frames < 0 || *frames >= kFramesPerSecond)
    return std::nullopt;
  return static_cast<std::uint32_t>((*minutes * kSecondsPerMinute + *seconds) * kFramesPerSecond + *frames);
}

std::optional<bool> IsAudioTrackType(std::string_view type) {
  if (SameWord(type, "AUDIO")) return true;
  if (SameWord(type, "MODE1/2352") || SameWord(type, "MODE2/2352")) return false;
  return std::nullopt;
}

// The sheet as read so far; each command either extends it or rejects the sheet.
class CueReader {
public:
  bool Read(const std::vector<std::string_view>& words) {
    const std::string_view command = words[0];
    if (std::any_of(kTextCommands.begin(), kTextCommands.end(), [&](auto c) { return SameWord(c, command); }))
      return true;
    if (SameWord(command, "FILE")) return ReadFile(words);
    if (SameWord(command, "TRACK")) return ReadTrack(words);
    if (SameWord(command, "INDEX")) return ReadIndex(words);
    return false;
  }

  std::optional<CueSheet> Finish() {
    if (FSheet.Tracks.empty() || !FTrackHasStart) return std::nullopt;
    return std::move(FSheet);
  }

private:
  bool ReadFile(const std::vector<std::string_view>& words) {
    if (FHasFile || words.size() != 3 || words[1].empty() || !SameWord(words[2], "BINARY")) return false;
    FSheet.ImageFile = words[1];
    FHasFile = true;
    return true;
  }

  bool ReadTrack(const std::vector<std::string_view>& words) {
    if (!FHasFile || words.size() != 3) return false;
    if (!FSheet.Tracks.empty() && !FTrackHasStart) return false;
    const auto number = Number(words[1]);
    const auto audio = IsAudioTrackType(words[2]);
    if (!number || !audio || *number < 1 || *number > 99) return false;
    if (!FSheet.Tracks.empty() && *number != FSheet.Tracks.back().Number + 1) return false;
    FSheet.Tracks.push_back({*number, *audio, 0});
    FTrackHasStart = false;
    return true;
  }

  bool ReadIndex(const std::vector<std::string_view>& words) {
    if (FSheet.Tracks.empty() || words.size() != 3) return false;
    const auto index = Number(words[1]);
    const auto sector = SectorOfTime(words[2]);
    if (!index || !sector || *index < 0 || *index > 99) return false;
    // Only INDEX 01 places the track; INDEX 00 (the gap before it) and sub-indexes are not in the TOC.
    if (*index != 1) return true;
    if (FTrackHasStart) return false;
    const std::size_t count = FSheet.Tracks.size();
    if (count > 1 && *sector <= FSheet.Tracks[count - 2].StartSector) return false;
    FSheet.Tracks.back().StartSector = *sector;
    FTrackHasStart = true;
    return true;
  }

  CueSheet FSheet;
  bool FHasFile = false;
  bool FTrackHasStart = false;
};

}  // namespace

std::optional<CueSheet> ParseCueSheet(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  CueReader reader;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.ends_with('\r')) line.remove_suffix(1);
    const std::vector<std::string_view> words = SplitWords(line);
    if (!words.empty() && !reader.Read(words)) return std::nullopt;
  }
  return reader.Finish();
}

}  // namespace cdimage
