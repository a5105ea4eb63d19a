// Packs a skin folder (skin.ini and its pictures) into the compressed form a form description
// carries, and checks the result by loading it back: the build fails rather than ship a skin that
// would not load.
//
//   skinpack.exe <skin folder> <output> [--skn]
//
// The output holds the compressed bytes as they go into a form's "CompressedData"; with --skn it is
// a .skn file instead. Paths may be Windows paths or absolute Unix paths.
#include "platform/classlib/Bitmap.h"
#include "platform/classlib/IniFiles.h"
#include "platform/classlib/Strings.h"
#include "platform/classlib/WideText.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

#include <cstdio>
#include <cstring>

using namespace classlib;
using namespace skin;

namespace {

// Wine shows the Unix file system as drive Z:.
String WindowsPath(String path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The skin's INI text as it reads back. Packed skins carry no cursor files, so CURSORS is left out.
String IniText(TskSkinData& skin) {
  TMemIniFile ini;
  skin.SaveToCustomIniFile(ini);
  ini.EraseSection("CURSORS");
  TStringList lines;
  ini.GetStrings(lines);
  return lines.Text();
}

bool AllPicturesDecoded(const TskSkinData& skin) {
  for (const auto& picture : skin.ActivePictures)
    if (picture->Empty()) return false;
  return true;
}

int Pack(const String& folder, const String& output, bool skn) {
  const String iniName = folder + "\\skin.ini";
  TskSkinData fromFolder(nullptr);
  fromFolder.LoadFromFile(iniName);
  if (fromFolder.Empty) throw Exception(iniName + " is no skin");

  TskCompressedStoredSkin packed(nullptr);
  packed.LoadFromIniFile(iniName);
  TskSkinData fromPacked(nullptr);
  fromPacked.LoadCompressedStoredSkin(packed);
  if (fromPacked.Empty) throw Exception("the packed skin does not load");
  if (!AllPicturesDecoded(fromPacked) || fromPacked.ActivePictures.size() != fromFolder.ActivePictures.size())
    throw Exception("a picture of the packed skin does not decode");
  if (IniText(fromPacked) != IniText(fromFolder)) throw Exception("the packed skin reads back differently");

  if (skn) {
    packed.SaveToCompressFile(output);
  } else {
    TFileStream file(output, fmCreate);
    packed.WriteData(file);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (argc == 4 && std::strcmp(argv[3], "--skn") != 0) || argc > 4) {
    std::fprintf(stderr, "usage: skinpack <skin folder> <output> [--skn]\n");
    return 2;
  }
  const String output = WindowsPath(argv[2]);
  try {
    return Pack(WindowsPath(argv[1]), output, argc == 4);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "skinpack: %s: %s\n", argv[1], error.what());
    DeleteFileW(ToWide(output).c_str());
    return 1;
  }
}
