// Draws the pictures of one of Tavrel's skins from its reviewed skin.ini and copies the INI beside
// them, ready for the skin packer. Before drawing it checks the skin's geometry: a rectangle outside
// the picture it indexes, a picture index past the picture list, anchors without a client rectangle
// or a rectangle with no look to draw fail the run, and so the build.
//
//   skinart <skin source folder> <output folder>
//
// A build-time tool of the host: it only writes files and needs no Wine. The INI is written last,
// so an output folder without it is never taken for a finished skin.
#include "tools/skinart/SheetFile.h"
#include "tools/skinart/SkinIni.h"
#include "tools/skinart/SkinPlan.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace {

using namespace skinart;

int Draw(const std::filesystem::path& source, const std::filesystem::path& output) {
  const std::filesystem::path ini = source / "skin.ini";
  const SkinPlan plan = PlanSkin(IniFile::Load(ini.string()));
  if (!plan.errors.empty()) {
    for (const std::string& error : plan.errors) std::fprintf(stderr, "skinart: %s: %s\n", ini.c_str(), error.c_str());
    return 1;
  }
  std::filesystem::create_directories(output);
  std::filesystem::remove(output / "skin.ini");
  for (const std::string& name : plan.pictures) {
    const PictureSize size = plan.sizes.at(name);
    Canvas sheet(size.width, size.height);
    look::Backdrop(sheet, sheet.Bounds());
    for (const Piece& piece : plan.pieces)
      if (piece.picture == name && piece.paint) piece.paint(sheet, piece.box);
    SaveSheet(sheet, (output / name).string());
  }
  std::filesystem::copy_file(ini, output / "skin.ini", std::filesystem::copy_options::overwrite_existing);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skinart <skin source folder> <output folder>\n");
    return 2;
  }
  try {
    return Draw(argv[1], argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skinart: %s: %s\n", argv[1], e.what());
    return 1;
  }
}
