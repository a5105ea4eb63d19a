// Loading and saving files, typed loads and the probe, and saves that must never damage the target.
#include "tests/support/testing.h"

#include "tests/image/ImageFixtures.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxImageFormatTable.h"
#include "image/PxStream.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::EncodeBytes;
using image_test::MagickColours;
using image_test::MakePattern;
using image_test::SamePixels;
using image_test::TopDownColours;
using testing_support::HasTool;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

std::vector<std::string> FolderEntries(const std::string& unixPath) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(unixPath.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// A 16 x 2 WBMP: a format late in the probe order.
std::string SmallWbmp() { return Bytes().raw({0, 0, 16, 2, 0xAA, 0x0F, 0x01, 0x80}).str(); }

}  // namespace

TEST(LoadSave, SaveAndLoadEndToEnd) {
  TempDir dir;
  PxImage original;
  MakePattern(original, 23, 9, 24);
  const std::string name = dir.windowsFile("picture.bmp");
  ASSERT_TRUE(original.SaveFile(name.c_str(), FMT_BMP)) << original.LastError();
  EXPECT_EQ(FolderEntries(dir.unixPath()), std::vector<std::string>{"picture.bmp"});  // no temporary left

  PxImage loaded;
  ASSERT_TRUE(loaded.LoadFile(name.c_str(), FMT_BMP));
  EXPECT_TRUE(SamePixels(original, loaded));
  EXPECT_EQ(loaded.FormatId(), static_cast<std::uint32_t>(FMT_BMP));
  PxImage probed;
  ASSERT_TRUE(probed.LoadFile(name.c_str(), FMT_UNKNOWN));
  EXPECT_TRUE(SamePixels(original, probed));
  if (HasTool("identify")) {
    EXPECT_EQ(MagickColours(dir.unixFile("picture.bmp")), TopDownColours(original));
  }

  // Saving again replaces the file; file names are UTF-8.
  PxImage other;
  MakePattern(other, 4, 4, 8);
  const std::string unicode = dir.windowsFile("\xC3\xA9t\xC3\xA9.bmp");
  ASSERT_TRUE(other.SaveFile(unicode.c_str(), FMT_BMP));
  ASSERT_TRUE(other.SaveFile(name.c_str(), FMT_BMP));
  PxImage reloaded;
  ASSERT_TRUE(reloaded.LoadFile(name.c_str(), FMT_BMP));
  EXPECT_TRUE(SamePixels(other, reloaded));
  ASSERT_TRUE(reloaded.LoadFile(unicode.c_str(), FMT_UNKNOWN));
  EXPECT_TRUE(SamePixels(other, reloaded));
}

// Every encoder refuses before writing a byte when there is no picture or no file.
TEST(LoadSave, EveryEncoderRefusesWithoutPictureOrFile) {
  const std::uint32_t encoders[] = {FMT_BMP, FMT_GIF, FMT_JPG, FMT_PNG, FMT_ICO, FMT_TIF, FMT_TGA,
                                    FMT_PCX, FMT_WBMP, FMT_JP2, FMT_JPC, FMT_PGX, FMT_PNM, FMT_RAS};
  for (const std::uint32_t id : encoders) {
    SCOPED_TRACE(id);
    PxImage empty;
    PxMemFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(empty.Encode(&file, id));
    EXPECT_STREQ(empty.LastError(), "null image!!!");
    EXPECT_EQ(file.GetSize(), 0);

    PxImage image;
    MakePattern(image, 8, 8, 24);
    EXPECT_FALSE(image.Encode(nullptr, id));
    EXPECT_STREQ(image.LastError(), "null file handler");
  }
}

TEST(LoadSave, FailedSavesLeaveTheTargetAlone) {
  TempDir dir;
  const std::string old = "the previous contents";
  WriteUnixFile(dir.unixFile("keep.bmp"), old);
  const std::string target = dir.windowsFile("keep.bmp");

  PxImage empty;
  EXPECT_FALSE(empty.SaveFile(target.c_str(), FMT_BMP));
  EXPECT_STREQ(empty.LastError(), "null image!!!");

  PxImage image;
  MakePattern(image, 300, 20, 8);
  const struct {
    std::uint32_t id;
    const char* error;
  } failures[] = {{FMT_WMF, "Save WMF not supported"},
                  {FMT_ICO, "Can't save this image as icon"},
                  {FMT_WBMP, "Can't save this image as WBMP"},
                  {FMT_UNKNOWN, "Encode: Unknown format"},
                  {99, "Encode: Unknown format"}};
  for (const auto& f : failures) {
    EXPECT_FALSE(image.SaveFile(target.c_str(), f.id)) << f.id;
    EXPECT_STREQ(image.LastError(), f.error);
  }
  EXPECT_EQ(ReadUnixFile(dir.unixFile("keep.bmp")), old);
  // A failed save of a file that did not exist creates nothing.
  EXPECT_FALSE(image.SaveFile(dir.windowsFile("new.wmf").c_str(), FMT_WMF));
  EXPECT_EQ(FolderEntries(dir.unixPath()), std::vector<std::string>{"keep.bmp"});

  // The encoding succeeds but the target cannot be replaced: a folder of that name.
  ASSERT_EQ(testing_support::RunTool("mkdir '" + dir.unixFile("taken.bmp") + "'"), 0);
  EXPECT_FALSE(image.SaveFile(dir.windowsFile("taken.bmp").c_str(), FMT_BMP));
  EXPECT_STREQ(image.LastError(), "SaveFile: can't replace the file");
  EXPECT_EQ(FolderEntries(dir.unixPath()), (std::vector<std::string>{"keep.bmp", "taken.bmp"}));
  EXPECT_TRUE(FolderEntries(dir.unixFile("taken.bmp")).empty());

  // A folder that does not exist: nothing can be opened, and the message stays as it was.
  std::strcpy(image.Info().lastError, "before");
  EXPECT_FALSE(image.SaveFile(dir.windowsFile("missing\\x.bmp").c_str(), FMT_BMP));
  EXPECT_STREQ(image.LastError(), "before");
  EXPECT_FALSE(image.SaveFile("", FMT_BMP));
}

TEST(LoadSave, TypedLoadFallsBackToTheProbe) {
  TempDir dir;
  PxImage bitmap;
  MakePattern(bitmap, 5, 5, 8);
  ASSERT_TRUE(bitmap.SaveFile(dir.windowsFile("a.bmp").c_str(), FMT_BMP));
  WriteUnixFile(dir.unixFile("b.wbmp"), SmallWbmp());
  WriteUnixFile(dir.unixFile("c.txt"), "This is not a picture at all, only some text.\n");

  PxImage image;
  ASSERT_TRUE(image.LoadFile(dir.windowsFile("a.bmp").c_str(), FMT_WBMP));  // the extension lied
  EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_BMP));
  ASSERT_TRUE(image.LoadFile(dir.windowsFile("b.wbmp").c_str(), FMT_UNKNOWN));
  EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_WBMP));
  EXPECT_EQ(image.Width(), 16);

  // A failed typed load reports the typed codec's reason and keeps the picture.
  PxImage kept;
  MakePattern(kept, 3, 3, 24);
  PxImage reference;
  MakePattern(reference, 3, 3, 24);
  EXPECT_FALSE(kept.LoadFile(dir.windowsFile("c.txt").c_str(), FMT_WBMP));
  EXPECT_STREQ(kept.LastError(), "Unsupported WBMP type");
  EXPECT_FALSE(kept.LoadFile(dir.windowsFile("c.txt").c_str(), FMT_UNKNOWN));
  EXPECT_STREQ(kept.LastError(), "Decode: Unknown or wrong format");
  EXPECT_TRUE(SamePixels(reference, kept));

  // A missing file: false, and the message is left alone.
  std::strcpy(kept.Info().lastError, "untouched");
  EXPECT_FALSE(kept.LoadFile(dir.windowsFile("missing.bmp").c_str(), FMT_BMP));
  EXPECT_FALSE(kept.LoadFile(dir.windowsFile("missing.bmp").c_str(), FMT_UNKNOWN));
  EXPECT_STREQ(kept.LastError(), "untouched");
  // An id beyond the table probes, and a failed probe leaves the message as it was.
  EXPECT_FALSE(kept.LoadFile(dir.windowsFile("c.txt").c_str(), 40));
  EXPECT_STREQ(kept.LastError(), "untouched");
  EXPECT_TRUE(SamePixels(reference, kept));
}

TEST(LoadSave, TheProbeStartsEachCodecWhereTheDataStarts) {
  // Three bytes of something else, then a bitmap and then a WBMP: each found from the position
  // the file had, after codecs before it have read further.
  PxImage bitmap;
  MakePattern(bitmap, 6, 3, 4);
  for (const std::string& payload : {EncodeBytes(bitmap, FMT_BMP), SmallWbmp()}) {
    std::string data = "xyz" + payload;
    PxMemFile file(reinterpret_cast<std::uint8_t*>(data.data()), static_cast<std::int32_t>(data.size()));
    ASSERT_TRUE(file.Seek(3, SEEK_SET));
    PxImage image;
    ASSERT_TRUE(image.Decode(&file, FMT_UNKNOWN)) << image.LastError();
    if (payload.size() > 20) EXPECT_TRUE(SamePixels(bitmap, image));
    else EXPECT_EQ(image.FormatId(), static_cast<std::uint32_t>(FMT_WBMP));
  }
}

TEST(LoadSave, DispatcherRefusals) {
  PxImage image;
  MakePattern(image, 4, 4, 24);
  EXPECT_FALSE(DecodeBytes(image, SmallWbmp(), 16));
  EXPECT_STREQ(image.LastError(), "Decode: Unknown or wrong format");
  EXPECT_FALSE(image.Decode(nullptr, FMT_BMP));
  EXPECT_STREQ(image.LastError(), "null file handler");
  EXPECT_FALSE(image.Encode(nullptr, FMT_BMP));
  EXPECT_STREQ(image.LastError(), "null file handler");

  // Formats whose codec is not in the library yet say so instead of failing silently.
  for (std::uint32_t id = 1; id < FMT_COUNT; ++id) {
    if (FindCodec(id)) continue;
    EXPECT_FALSE(DecodeBytes(image, SmallWbmp(), id));
    EXPECT_EQ(std::string(image.LastError()), std::string("Decode: ") + FormatName(id) + " format not supported");
    bool ok = true;
    EncodeBytes(image, id, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(std::string(image.LastError()), std::string("Save ") + FormatName(id) + " not supported");
  }
  EXPECT_TRUE(image.IsValid());
}

TEST(LoadSave, EncodersWorkOnAGhostAndReportWriteErrors) {
  PxImage image;
  MakePattern(image, 200, 200, 24);  // larger than a stream buffer
  PxImage reference;
  MakePattern(reference, 200, 200, 24);

  std::unique_ptr<PxStream> full = PxStream::Open("Z:\\dev\\full", "wb");
  ASSERT_TRUE(full);
  EXPECT_FALSE(image.EncodeStream(full.get(), FMT_BMP));
  EXPECT_STREQ(image.LastError(), "BMP: write error");
  EXPECT_TRUE(SamePixels(reference, image));

  TempDir dir;
  const std::u16string name = PxWideText(dir.windowsFile("s.ico").c_str());
  HANDLE handle = CreateFileW(PxWinText(name), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  PxImage icon;
  MakePattern(icon, 32, 32, 8);
  {
    PxStream stream(handle);
    ASSERT_TRUE(icon.EncodeStream(&stream, FMT_ICO));
    ASSERT_TRUE(stream.Seek(0, SEEK_SET));
    PxImage back;
    ASSERT_TRUE(back.DecodeStream(&stream, FMT_UNKNOWN)) << back.LastError();
    EXPECT_EQ(back.FormatId(), static_cast<std::uint32_t>(FMT_ICO));
    EXPECT_TRUE(SamePixels(icon, back));
  }
  CloseHandle(handle);
}
