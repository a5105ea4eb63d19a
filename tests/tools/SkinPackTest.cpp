// The skin packer, run as the build runs it: a sound skin folder packs into zlib bytes (bare, or
// as a .skn file), and a folder that would not load makes it fail without leaving an output.
#include "tests/support/testing.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

using namespace testing_support;

namespace {

// The packer's exit code, or -1 when it could not be started or did not end normally.
int RunSkinPack(const std::vector<std::string>& Args) {
  const std::string exe = std::string(TAVREL_BINARY_DIR) + "/tools/skinpack.exe";
  std::vector<char*> argv{const_cast<char*>(exe.c_str())};
  for (const std::string& arg : Args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void PutLe(std::string& Bytes, std::uint32_t Value, int Size) {
  for (int i = 0; i < Size; ++i) Bytes += static_cast<char>((Value >> (8 * i)) & 0xFF);
}

std::uint32_t Le32(const std::string& Bytes, size_t At) {
  std::uint32_t value;
  std::memcpy(&value, Bytes.data() + At, 4);
  return value;
}

// A 24-bit bottom-up BMP file whose pixels vary, so that it compresses like a picture does.
std::string Bmp24(int Width, int Height, int Seed) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(Width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(Height);
  std::string bytes = "BM";
  PutLe(bytes, 54 + pixelBytes, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, 54, 4);
  PutLe(bytes, 40, 4);
  PutLe(bytes, static_cast<std::uint32_t>(Width), 4);
  PutLe(bytes, static_cast<std::uint32_t>(Height), 4);
  PutLe(bytes, 1, 2);
  PutLe(bytes, 24, 2);
  PutLe(bytes, 0, 4);  // not compressed
  PutLe(bytes, pixelBytes, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 2835, 4);
  PutLe(bytes, 0, 4);
  PutLe(bytes, 0, 4);
  for (int y = 0; y < Height; ++y) {
    std::string row;
    for (int x = 0; x < Width; ++x) row += {static_cast<char>(Seed), static_cast<char>(y), static_cast<char>(x)};
    row.resize(rowBytes, '\0');
    bytes += row;
  }
  return bytes;
}

const char kSkinControls[] = "[SKINCONTROLS]\r\ncount=1\r\n0=split:splitter\r\n";

std::string SkinIni(bool WithControls = true) {
  return std::string("[VERSION]\r\nver=2\r\nskinname=Pack test\r\n"
                     "[PICTURES]\r\npicture=frame.bmp\r\nactivepicturescount=1\r\n0=sheet.bmp\r\n"
                     "[FORMINFO]\r\nlefttoppoint=15,35\r\nrighttoppoint=140,35\r\nleftbottompoint=15,110\r\n"
                     "rightbottompoint=140,110\r\nclientrect=11,32,148,118\r\n"
                     "[SKINOBJECTS]\r\ncount=0\r\n") +
         (WithControls ? kSkinControls : "") + "[split]\r\npictureindex=0\r\nskinrect=0,0,20,10\r\n";
}

void WriteSkin(const TempDir& Dir) {
  WriteUnixFile(Dir.unixFile("skin.ini"), SkinIni());
  WriteUnixFile(Dir.unixFile("frame.bmp"), Bmp24(160, 130, 1));
  WriteUnixFile(Dir.unixFile("sheet.bmp"), Bmp24(40, 20, 2));
}

bool Exists(const std::string& UnixPath) { return access(UnixPath.c_str(), F_OK) == 0; }

TEST(SkinPack, PacksASoundSkinIntoZlibBytesAndIntoASknFile) {
  TempDir dir;
  WriteSkin(dir);
  const std::string bare = dir.unixFile("skin.bin"), skn = dir.unixFile("skin.skn");

  ASSERT_EQ(RunSkinPack({dir.unixPath(), bare}), 0);
  const std::string packed = ReadUnixFile(bare);
  ASSERT_GE(packed.size(), 2u);
  EXPECT_EQ(packed.substr(0, 2), "\x78\xDA");

  ASSERT_EQ(RunSkinPack({dir.unixPath(), skn, "--skn"}), 0);
  const std::string file = ReadUnixFile(skn);
  ASSERT_GE(file.size(), 10u);
  EXPECT_EQ(Le32(file, 0), 2u);
  EXPECT_EQ(Le32(file, 4), file.size() - 8);
  EXPECT_EQ(file.substr(8), packed) << "the .skn file carries the same compressed skin";
}

TEST(SkinPack, ABrokenSkinFailsAndLeavesNoOutput) {
  struct Case {
    const char* what;
    const char* file;  // replaced in the sound skin
    std::string bytes;
  };
  const Case cases[] = {
      {"a listed picture that is garbage", "sheet.bmp", "this is no picture at all"},
      {"a frame picture that is garbage", "frame.bmp", "BM and then nothing"},
      {"skin.ini without its controls", "skin.ini", SkinIni(false)},
  };
  for (const Case& broken : cases) {
    for (bool skn : {false, true}) {
      SCOPED_TRACE(std::string(broken.what) + (skn ? ", --skn" : ""));
      TempDir dir;
      WriteSkin(dir);
      WriteUnixFile(dir.unixFile(broken.file), broken.bytes);
      // An output left from an earlier run must not survive to pass for this one's.
      const std::string output = dir.unixFile("skin.out");
      WriteUnixFile(output, "stale");
      std::vector<std::string> args{dir.unixPath(), output};
      if (skn) args.push_back("--skn");
      EXPECT_EQ(RunSkinPack(args), 1) << "it fails with its own error, not by crashing";
      EXPECT_FALSE(Exists(output));
    }
  }
}

}  // namespace
