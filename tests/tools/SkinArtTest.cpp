// Tavrel's own skins as the build draws and packs them: every picture their INIs name is a 24-bit
// BMP of its declared size, the names the program looks up are listed with the kind it expects,
// masks and transparent colours are exact, and the drawing tool's check refuses a broken geometry.
#include "tests/support/testing.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace testing_support;

namespace {

const char* const kSkins[] = {"main", "second"};

std::string Build(const std::string& file) { return std::string(TAVREL_BINARY_DIR) + "/" + file; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Sections and keys of an INI text, both in lower case.
using Ini = std::map<std::string, std::map<std::string, std::string>>;

Ini ParseIni(const std::string& text) {
  Ini ini;
  std::istringstream lines(text);
  std::string line, section;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Lower(line.substr(1, line.size() - 2));
      ini[section];
    } else if (const size_t equals = line.find('='); equals != std::string::npos) {
      ini[section][Lower(Trim(line.substr(0, equals)))] = Trim(line.substr(equals + 1));
    }
  }
  return ini;
}

// The picture files a skin names, each with its size from SKINART.
struct Named {
  std::string file;
  int width, height;
};

std::vector<Named> PicturesOf(const Ini& ini) {
  std::vector<std::string> files;
  const auto& pictures = ini.at("pictures");
  for (const char* key : {"picture", "inactivepicture", "mask", "rolluppicture", "rollupmask"})
    if (pictures.count(key) && !pictures.at(key).empty()) files.push_back(pictures.at(key));
  for (int i = 0; i < std::stoi(pictures.at("activepicturescount")); ++i) files.push_back(pictures.at(std::to_string(i)));
  std::vector<Named> named;
  for (const std::string& file : files) {
    const std::string size = ini.at("skinart").at(Lower(file));
    named.push_back({file, std::stoi(size), std::stoi(size.substr(size.find(',') + 1))});
  }
  return named;
}

uint32_t Le32(const std::string& bytes, size_t at) {
  uint32_t v;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

uint16_t Le16(const std::string& bytes, size_t at) {
  uint16_t v;
  std::memcpy(&v, bytes.data() + at, 2);
  return v;
}

// The colour of a pixel of a 24-bit bottom-up BMP as 0xRRGGBB, counted from the top left.
uint32_t PixelAt(const std::string& bmp, int x, int y) {
  const int width = static_cast<int>(Le32(bmp, 18)), height = static_cast<int>(Le32(bmp, 22));
  const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  const size_t at = Le32(bmp, 10) + static_cast<size_t>(height - 1 - y) * rowBytes + static_cast<size_t>(x) * 3;
  const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(bmp[i])); };
  return byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
}

TEST(SkinArt, EveryPictureOfBothSkinsIsDrawnAsA24BitBmpOfItsSizeAndPacked) {
  for (const char* skin : kSkins) {
    SCOPED_TRACE(skin);
    const std::string folder = Build(std::string("skins/") + skin);
    const std::string ini = ReadUnixFile(folder + "/skin.ini");
    EXPECT_EQ(ini, ReadUnixFile(std::string(TAVREL_SOURCE_DIR) + "/skins/" + skin + "/skin.ini"))
        << "the drawn folder carries the reviewed INI unchanged";
    const std::vector<Named> pictures = PicturesOf(ParseIni(ini));
    EXPECT_GE(pictures.size(), 4u);
    for (const Named& picture : pictures) {
      SCOPED_TRACE(picture.file);
      const std::string bytes = ReadUnixFile(folder + "/" + picture.file);
      ASSERT_GE(bytes.size(), 54u);
      EXPECT_EQ(bytes.substr(0, 2), "BM");
      EXPECT_EQ(Le32(bytes, 2), bytes.size());
      EXPECT_EQ(static_cast<int32_t>(Le32(bytes, 18)), picture.width);
      EXPECT_EQ(static_cast<int32_t>(Le32(bytes, 22)), picture.height);
      EXPECT_EQ(Le16(bytes, 28), 24);
      EXPECT_EQ(Le32(bytes, 30), 0u);
      // For a person to look at: each sheet as a PNG beside the packs.
      if (HasTool("bmptopnm") && HasTool("pnmtopng")) {
        const std::string png = Build(std::string("skins/png/") + skin + "-" + picture.file.substr(0, picture.file.size() - 4) + ".png");
        EXPECT_EQ(RunTool("mkdir -p '" + Build("skins/png") + "' && bmptopnm '" + folder + "/" + picture.file +
                          "' 2>/dev/null | pnmtopng > '" + png + "' 2>/dev/null"),
                  0);
      }
    }
    const std::string pack = ReadUnixFile(Build(std::string("skins/") + skin + ".pack"));
    ASSERT_GE(pack.size(), 2u);
    EXPECT_EQ(pack.substr(0, 2), "\x78\xDA") << "the packer wrote the zlib stream of the skin";
  }
}

TEST(SkinArt, EveryNameTheProgramLooksUpIsListedWithTheKindItExpects) {
  struct Lookup {
    const char* skin;
    const char* list;
    const char* name;
    const char* kind;
  };
  const Lookup lookups[] = {
      {"main", "skinobjects", "caption", "caption"},         {"main", "skinobjects", "closebutton", "stdbutton"},
      {"main", "skinobjects", "minbutton", "stdbutton"},     {"main", "skinobjects", "sysmenubutton", "stdbutton"},
      {"main", "skinobjects", "rollupbutton", "stdbutton"},  {"main", "skinobjects", "menuitem", "menuitem"},
      {"main", "skincontrols", "listview", "listview"},      {"main", "skincontrols", "resizebutton", "button"},
      {"main", "skincontrols", "vscrollbar", "scrollbar"},   {"main", "skincontrols", "hscrollbar", "scrollbar"},
      {"main", "skincontrols", "bothhscrollbar", "scrollbar"}, {"main", "skincontrols", "combobox", "combobox"},
      {"main", "skincontrols", "listbox", "listbox"},        {"main", "skincontrols", "button", "button"},
      {"main", "skincontrols", "panel", "panel"},            {"main", "skincontrols", "gauge", "gauge"},
      {"main", "skincontrols", "checkbox", "checkradio"},    {"main", "skincontrols", "htrackbar", "trackbar"},
      {"main", "skincontrols", "toolpanel", "panel"},        {"main", "skincontrols", "toolbutton", "button"},
      {"main", "skincontrols", "toolmenubutton", "menubutton"}, {"main", "skincontrols", "edit", "edit"},
      {"main", "skincontrols", "buttonedit", "edit"},        {"main", "skincontrols", "stdlabel", "stdlabel"},
      {"main", "skincontrols", "bevel", "bevel"},            {"main", "skincontrols", "tab", "tab"},
      {"second", "skincontrols", "vscrollbar", "scrollbar"}, {"second", "skincontrols", "toolbutton", "button"},
      {"second", "skincontrols", "htrackbar", "trackbar"},   {"second", "skincontrols", "trackbar", "trackbar"},
      {"second", "skincontrols", "panel", "panel"},          {"second", "skincontrols", "listview", "listview"},
      {"second", "skincontrols", "resizebutton", "button"},  {"second", "skinobjects", "menuitem", "menuitem"},
  };
  std::map<std::string, Ini> skins;
  for (const char* skin : kSkins) skins[skin] = ParseIni(ReadUnixFile(Build(std::string("skins/") + skin + "/skin.ini")));
  for (const Lookup& lookup : lookups) {
    SCOPED_TRACE(std::string(lookup.skin) + " " + lookup.name);
    const auto& list = skins[lookup.skin][lookup.list];
    // The program looks names up exactly and takes the first entry of that name.
    std::string kind;
    for (int i = 0; i < std::stoi(list.at("count")) && kind.empty(); ++i) {
      const std::string entry = list.at(std::to_string(i));
      if (entry.substr(0, entry.find(':')) == lookup.name) kind = entry.substr(entry.find(':') + 1);
    }
    EXPECT_EQ(kind, lookup.kind);
  }
  for (const char* skin : kSkins) {
    SCOPED_TRACE(skin);
    const auto& popup = skins[skin]["popupwindow"];
    ASSERT_TRUE(popup.count("windowpictureindex"));
    EXPECT_GE(std::stoi(popup.at("windowpictureindex")), 0) << "popup menus have their window picture";
  }
  EXPECT_GE(std::stoi(skins["main"]["hintwindow"].at("windowpictureindex")), 0);
}

TEST(SkinArt, MasksAreBlackAndWhiteAndThumbsCarryTheExactTransparentColour) {
  const std::string mask = ReadUnixFile(Build("skins/main/framemask.bmp"));
  ASSERT_GE(mask.size(), 54u);
  const int width = static_cast<int>(Le32(mask, 18)), height = static_cast<int>(Le32(mask, 22));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t c = PixelAt(mask, x, y);
      ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << "pixel " << x << "," << y;
    }
  EXPECT_EQ(PixelAt(mask, 0, 0), 0xFFFFFFu) << "a rounded corner lies outside the window";
  EXPECT_EQ(PixelAt(mask, width / 2, 0), 0u);
  EXPECT_EQ(PixelAt(mask, width / 2, height / 2), 0u);

  // The thumb rectangles start at these corners, which lie outside their rounded shapes.
  for (const auto& [file, x, y] : {std::tuple{"skins/main/vscroll.bmp", 48, 0}, std::tuple{"skins/main/controls.bmp", 100, 247},
                                   std::tuple{"skins/second/controls.bmp", 228, 45}}) {
    SCOPED_TRACE(file);
    const std::string sheet = ReadUnixFile(Build(file));
    ASSERT_GE(sheet.size(), 54u);
    EXPECT_EQ(PixelAt(sheet, x, y), 0xFF00FFu);
  }
}

TEST(SkinArt, CaptionPiecesMatchTheFrameTheyAreDrawnOver) {
  // The caption (26,2,172,24 of the frame) has its active look at 0,72 of the caption-button sheet,
  // and the caption buttons sit on the band from row 4: drawn apart, they must show no seam.
  const std::string frame = ReadUnixFile(Build("skins/main/frame.bmp"));
  const std::string buttons = ReadUnixFile(Build("skins/main/captionbuttons.bmp"));
  ASSERT_GE(frame.size(), 54u);
  ASSERT_GE(buttons.size(), 54u);
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 146; x += 5) ASSERT_EQ(PixelAt(buttons, x, 72 + y), PixelAt(frame, 26 + x, 2 + y)) << x << "," << y;
  for (int row = 0; row < 4; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(PixelAt(buttons, 0, 18 * row), PixelAt(frame, 120, 4)) << "normal look, top left";
    EXPECT_EQ(PixelAt(buttons, 17, 18 * row + 17), PixelAt(frame, 120, 21)) << "normal look, bottom right";
  }
}

// The drawing tool run on a copy of the main skin's INI with one line replaced.
int DrawWith(const std::string& key, const std::string& replacement, const TempDir& dir) {
  std::string ini = ReadUnixFile(std::string(TAVREL_SOURCE_DIR) + "/skins/main/skin.ini");
  if (!key.empty()) {
    const size_t at = ini.find("\n" + key);
    if (at == std::string::npos) return -1;
    ini.replace(at + 1, ini.find('\n', at + 1) - at - 1, replacement);
  }
  WriteUnixFile(dir.unixFile("skin.ini"), ini);
  return RunTool("'" + Build("tools/skinart") + "' '" + dir.unixPath() + "' '" + dir.unixFile("out") + "' 2>/dev/null");
}

TEST(SkinArt, TheBuildCheckRefusesABrokenGeometryAndLeavesNoFinishedSkin) {
  {
    TempDir dir;
    ASSERT_EQ(DrawWith("", "", dir), 0) << "the copy itself is sound";
  }
  struct Case {
    const char* what;
    const char* line;         // the line replaced: its start, which must be unique in the INI
    const char* replacement;
  };
  const Case cases[] = {
      {"a rectangle past its picture's right edge", "activeskinrect=60,0,120,24", "activeskinrect=280,0,340,24"},
      {"a picture index past the picture list", "pictureindex=2", "pictureindex=8"},
      {"a window picture index past the picture list", "windowpictureindex=6", "windowpictureindex=9"},
      {"anchors without a client rectangle", "clientrect=3,3,77,18", "clientrect=0,0,0,0"},
      {"a place outside its control's image", "checkimagearea=4,6,17,19", "checkimagearea=4,6,17,30"},
      {"a caption-button area outside the frame", "buttonsrect=172,4,234,22", "buttonsrect=172,4,250,22"},
      {"two images sharing pixels", "downskinrect=120,0,180,24", "downskinrect=110,0,170,24"},
      {"a picture without a size", "hint.bmp=60,30", "; no size"},
      {"a rectangle that is not four numbers", "tabrect=80,271,140,291", "tabrect=80,271,140"},
      {"a rectangle nothing is drawn for", "animateskinrect=0,0,0,0", "animateskinrect=0,0,60,24"},
  };
  for (const Case& broken : cases) {
    SCOPED_TRACE(broken.what);
    TempDir dir;
    EXPECT_EQ(DrawWith(broken.line, broken.replacement, dir), 1);
    EXPECT_EQ(RunTool("test -e '" + dir.unixFile("out/skin.ini") + "'"), 1) << "no INI marks a finished skin";
  }
}

}  // namespace
