// The Exif reader on hand-built Exif blocks (both byte orders) and marker sections: what it stores,
// what it refuses, and that hostile offsets and directory loops stay inside the block and end. Then
// the JPEG codec's use of it: the camera's resolution on decoding, and the block carried into a
// file written by the same codec object.
#include "tests/image/ImageFixtures.h"

#include "image/PxExif.h"
#include "image/PxFile.h"
#include "image/PxImageJPG.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using image_test::DecodeBytes;
using image_test::EncodeBytes;
using testing_support::HasTool;
using testing_support::TempDir;
using testing_support::ToolOutput;
using testing_support::WriteUnixFile;

// --- Building Exif blocks ------------------------------------------------------------------------

// One directory entry. A value of more than four bytes goes to the directory's data area; a link
// entry holds the offset of another directory of the block.
struct Entry {
  std::uint16_t tag;
  std::uint16_t format;
  std::uint32_t count;
  std::string value;  // in the block's byte order
  int link = -1;      // index of the directory the value points to
};

struct Directory {
  std::vector<Entry> entries;
  int next = -1;  // index of the next directory, -1 for none
};

class ExifBuilder {
public:
  explicit ExifBuilder(bool motorola) : FMotorola(motorola) {}

  std::string U16(std::uint32_t v) const { return Bytes(v, 2); }
  std::string U32(std::uint32_t v) const { return Bytes(v, 4); }

  Entry Short(std::uint16_t tag, std::uint16_t v) const { return {tag, 3, 1, U16(v) + U16(0)}; }
  Entry Long(std::uint16_t tag, std::uint32_t v) const { return {tag, 4, 1, U32(v)}; }
  Entry Rational(std::uint16_t tag, std::int32_t n, std::int32_t d, std::uint16_t format = 5) const {
    return {tag, format, 1, U32(static_cast<std::uint32_t>(n)) + U32(static_cast<std::uint32_t>(d))};
  }
  Entry Ascii(std::uint16_t tag, const std::string& text) const {
    return {tag, 2, static_cast<std::uint32_t>(text.size()), Padded(text)};
  }
  Entry Undefined(std::uint16_t tag, const std::string& bytes) const {
    return {tag, 7, static_cast<std::uint32_t>(bytes.size()), Padded(bytes)};
  }
  static Entry Link(std::uint16_t tag, int directory) { return {tag, 4, 1, std::string(4, '\0'), directory}; }

  // The APP1 payload: "Exif", two zero bytes, the TIFF header and the directories in order, each
  // followed by its data area. The first directory sits at offset 8 unless firstOffset says otherwise.
  std::string Build(const std::vector<Directory>& directories, std::uint32_t firstOffset = 8) const {
    std::vector<std::uint32_t> offsets;
    std::uint32_t at = 8;
    for (const Directory& d : directories) {
      offsets.push_back(at);
      at += 2 + 12 * static_cast<std::uint32_t>(d.entries.size()) + 4;
      for (const Entry& e : d.entries) {
        if (e.value.size() > 4) at += static_cast<std::uint32_t>(e.value.size());
      }
    }
    std::string block = FMotorola ? "MM" : "II";
    block += U16(42) + U32(firstOffset);
    for (std::size_t i = 0; i < directories.size(); ++i) {
      const Directory& d = directories[i];
      std::uint32_t data = offsets[i] + 2 + 12 * static_cast<std::uint32_t>(d.entries.size()) + 4;
      std::string area;
      block += U16(static_cast<std::uint32_t>(d.entries.size()));
      for (const Entry& e : d.entries) {
        block += U16(e.tag) + U16(e.format) + U32(e.count);
        if (e.link >= 0) {
          block += U32(offsets[static_cast<std::size_t>(e.link)]);
        } else if (e.value.size() > 4) {
          block += U32(data);
          data += static_cast<std::uint32_t>(e.value.size());
          area += e.value;
        } else {
          block += e.value + std::string(4 - e.value.size(), '\0');
        }
      }
      block += U32(d.next >= 0 ? offsets[static_cast<std::size_t>(d.next)] : 0);
      block += area;
    }
    return std::string("Exif\0\0", 6) + block;
  }

private:
  std::string Bytes(std::uint32_t v, int size) const {
    std::string out;
    for (int i = 0; i < size; ++i) {
      const int shift = FMotorola ? 8 * (size - 1 - i) : 8 * i;
      out += static_cast<char>((v >> shift) & 0xFF);
    }
    return out;
  }
  // Values of four bytes or less fill the entry's last field; longer ones keep an even length.
  static std::string Padded(const std::string& bytes) {
    return bytes.size() > 4 && bytes.size() % 2 ? bytes + '\0' : bytes;
  }
  bool FMotorola;
};

// Parses a payload held in a block of exactly its size, so a read past its end is a real overrun.
struct Parsed {
  std::unique_ptr<PxExifInfo> reader = std::make_unique<PxExifInfo>();
  std::vector<std::uint8_t> block;
  bool ok = false;
  const ExifInfo& info() const { return reader->Info(); }
};

std::unique_ptr<Parsed> Parse(const std::string& payload) {
  auto parsed = std::make_unique<Parsed>();
  parsed->block.assign(payload.begin(), payload.end());
  parsed->ok = parsed->reader->ProcessExif(parsed->block.data(), static_cast<std::uint32_t>(parsed->block.size()));
  return parsed;
}

// A camera's block: IFD0 with the camera and resolution, the Exif directory with the shot's
// settings and the interoperability directory below it, and IFD1 with a thumbnail.
std::string CameraBlock(bool motorola, const std::string& thumbnail = "THUMBNAIL-DATA") {
  ExifBuilder b(motorola);
  Directory ifd0{{b.Ascii(271, std::string("Canon\0", 6)), b.Ascii(272, std::string("PowerShot S40\0", 14)),
                  b.Short(274, 6), b.Rational(282, 72, 1), b.Rational(283, 144, 2), b.Short(296, 2),
                  ExifBuilder::Link(34665, 2)},
                 1};
  Directory ifd1{{b.Long(513, 0), b.Long(514, static_cast<std::uint32_t>(thumbnail.size()))}};
  Directory exif{{b.Rational(33434, 1, 250), b.Rational(33437, 28, 10), b.Short(34850, 2), b.Short(34855, 2),
                  b.Undefined(0x9000, "0220"), b.Ascii(36867, std::string("2004:05:06 07:08:09\0", 20)),
                  b.Rational(37122, 3, 1), b.Rational(37379, 15, 10, 10), b.Rational(37380, -1, 3, 10),
                  b.Rational(37382, 5, 0), b.Short(37383, 5), b.Short(37384, 1), b.Short(37385, 0x19),
                  b.Rational(37386, 58, 10), b.Undefined(37510, std::string("ASCII\0\0\0hello   ", 16)),
                  b.Short(40962, 1600), b.Short(40963, 1200), ExifBuilder::Link(40965, 3),
                  b.Rational(41486, 2000, 1), b.Rational(41487, 2000, 1), b.Short(41488, 2)}};
  Directory interop{{b.Ascii(1, std::string("R98\0", 4))}};
  std::string payload = b.Build({ifd0, ifd1, exif, interop});
  // The thumbnail goes at the end, and IFD1's offset entry is pointed at it.
  const std::uint32_t thumbnailOffset = static_cast<std::uint32_t>(payload.size() - 6);
  payload += thumbnail;
  const std::string empty = b.U16(513) + b.U16(4) + b.U32(1) + b.U32(0);
  const std::size_t entry = payload.find(empty);
  payload.replace(entry + 8, 4, b.U32(thumbnailOffset));
  return payload;
}

// --- Parsing ---------------------------------------------------------------------------------------

TEST(ExifParse, ReadsACameraBlockInBothByteOrders) {
  for (const bool motorola : {false, true}) {
    SCOPED_TRACE(motorola ? "MM" : "II");
    const auto parsed = Parse(CameraBlock(motorola));
    ASSERT_TRUE(parsed->ok) << parsed->reader->LastError();
    const ExifInfo& i = parsed->info();
    EXPECT_STREQ(i.cameraMake, "Canon");
    EXPECT_STREQ(i.cameraModel, "PowerShot S40");
    EXPECT_STREQ(i.dateTime, "2004:05:06 07:08:09");
    EXPECT_STREQ(i.version, "0220");
    EXPECT_EQ(i.orientation, 6);
    EXPECT_FLOAT_EQ(i.xResolution, 72);
    EXPECT_FLOAT_EQ(i.yResolution, 72);
    EXPECT_FLOAT_EQ(i.resolutionUnit, 1.0f);
    EXPECT_FLOAT_EQ(i.exposureTime, 0.004f);
    EXPECT_FLOAT_EQ(i.apertureFNumber, 2.8f);
    EXPECT_EQ(i.exposureProgram, 2);
    EXPECT_EQ(i.isoEquivalent, 400);  // stored as 2, a camera's ISO / 200
    EXPECT_EQ(i.compressionLevel, 3);
    EXPECT_FLOAT_EQ(i.brightness, 1.5f);
    EXPECT_NEAR(i.exposureBias, -0.3333, 1e-4);
    EXPECT_FLOAT_EQ(i.distance, 0);  // denominator 0
    EXPECT_EQ(i.meteringMode, 5);
    EXPECT_EQ(i.whiteBalance, 1);
    EXPECT_EQ(i.flashUsed, 1);
    EXPECT_FLOAT_EQ(i.focalLength, 5.8f);
    EXPECT_STREQ(i.comments, "hello");
    EXPECT_FLOAT_EQ(i.sensorXRes, 2000);
    EXPECT_FLOAT_EQ(i.sensorUnits, 1.0f);
    EXPECT_FLOAT_EQ(i.ccdWidth, 0.8f);
    ASSERT_EQ(i.thumbnailSize, 14);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(i.thumbnailPointer), 14), "THUMBNAIL-DATA");
  }
}

TEST(ExifParse, ValueRules) {
  ExifBuilder b(false);
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    void (*check)(const ExifInfo&);
  };
  const Case cases[] = {
      {"APEX shutter and aperture stand in", {b.Rational(37377, 8, 1, 10), b.Rational(37378, 4, 1)},
       [](const ExifInfo& i) {
         EXPECT_FLOAT_EQ(i.exposureTime, 1.0f / 256);
         EXPECT_FLOAT_EQ(i.apertureFNumber, 4.0f);
       }},
      {"centimetre units", {b.Rational(282, 2835, 100), b.Short(296, 3), b.Short(41488, 4)},
       [](const ExifInfo& i) {
         EXPECT_FLOAT_EQ(i.xResolution, 28.35f);
         EXPECT_FLOAT_EQ(i.resolutionUnit, 0.3937008f);
         EXPECT_FLOAT_EQ(i.sensorUnits, 0.03937008f);
       }},
      {"unknown unit code", {b.Short(296, 9)}, [](const ExifInfo& i) { EXPECT_FLOAT_EQ(i.resolutionUnit, 0); }},
      {"ISO 100 as it stands", {b.Short(34855, 100)}, [](const ExifInfo& i) { EXPECT_EQ(i.isoEquivalent, 100); }},
      {"flash not fired", {b.Short(37385, 0x18)}, [](const ExifInfo& i) { EXPECT_EQ(i.flashUsed, 0); }},
      {"plain user comment", {b.Undefined(37510, "Hello world  ")},
       [](const ExifInfo& i) { EXPECT_STREQ(i.comments, "Hello world"); }},
      {"ASCII comment of spaces only", {b.Undefined(37510, std::string("ASCII\0\0\0     ", 13))},
       [](const ExifInfo& i) { EXPECT_STREQ(i.comments, ""); }},
      {"long comment", {b.Undefined(37510, std::string(300, 'c'))},
       [](const ExifInfo& i) { EXPECT_EQ(std::strlen(i.comments), 199u); }},
      {"long texts stay in their fields", {b.Ascii(271, std::string(100, 'm')), b.Ascii(272, "X")},
       [](const ExifInfo& i) {
         EXPECT_EQ(std::string(i.cameraMake), std::string(31, 'm'));
         EXPECT_STREQ(i.cameraModel, "X");
       }},
      {"no components", {{271, 2, 0, ""}, {282, 5, 0, ""}},
       [](const ExifInfo& i) {
         EXPECT_STREQ(i.cameraMake, "");
         EXPECT_FLOAT_EQ(i.xResolution, 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = Parse(b.Build({Directory{c.entries}}));
    ASSERT_TRUE(parsed->ok) << parsed->reader->LastError();
    c.check(parsed->info());
  }
}

TEST(ExifParse, UndefinedRotationIsReportedButParsingGoesOn) {
  ExifBuilder b(true);
  const auto parsed = Parse(b.Build({Directory{{b.Short(274, 9), b.Rational(282, 300, 1)}}}));
  EXPECT_TRUE(parsed->ok);
  EXPECT_EQ(parsed->info().orientation, 0);
  EXPECT_STREQ(parsed->reader->LastError(), "Undefined rotation value");
  EXPECT_FLOAT_EQ(parsed->info().xResolution, 300);
}

TEST(ExifParse, BrokenBlocksAreRefused) {
  ExifBuilder b(false);
  const std::string good = b.Build({Directory{{b.Short(274, 1), b.Ascii(271, "Nikon Corp")}}});
  auto patched = [&](std::size_t at, const std::string& bytes) {
    std::string s = good;
    s.replace(at, bytes.size(), bytes);
    return s;
  };
  // Offsets in the payload: 6 byte order, 8 magic 42, 10 first offset, 14 entry count, 16 first entry.
  struct Case {
    const char* name;
    std::string payload;
    const char* message;
  };
  const Case cases[] = {
      {"no Exif header", patched(0, "Exit"), "Incorrect Exif header"},
      {"too short for a header", std::string("Exif\0", 5), "Incorrect Exif header"},
      {"header only", std::string("Exif\0\0II", 8), "Invalid Exif alignment marker."},
      {"unknown byte order", patched(6, "IM"), "Invalid Exif alignment marker."},
      {"not 42", patched(8, b.U16(43)), "Invalid Exif start (1)"},
      {"first directory outside", patched(10, b.U32(5000)), "Illegal subdirectory link"},
      {"too many entries", patched(14, b.U16(200)), "Illegally sized directory"},
      {"format 13", patched(18, b.U16(13)), "Illegal format code in EXIF dir"},
      {"value beyond the block", patched(36, b.U32(60)), "Illegal pointer offset value in EXIF."},
      {"value offset wrapping round", patched(36, b.U32(0xFFFFFFFC)), "Illegal pointer offset value in EXIF."},
      {"huge count", patched(32, b.U32(0x80000000)), "Illegal pointer offset value in EXIF."},
      {"next directory outside", patched(40, b.U32(0x7FFFFFFF)), "Illegal subdirectory link"},
      {"no room for the first directory", std::string("Exif\0\0II\x2A\0\x08\0\0\0", 14), "Illegally sized directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = Parse(c.payload);
    EXPECT_FALSE(parsed->ok);
    EXPECT_STREQ(parsed->reader->LastError(), c.message);
  }
}

TEST(ExifParse, DirectoryLoopsAndDeepChainsEnd) {
  ExifBuilder b(true);
  struct Case {
    const char* name;
    std::vector<Directory> directories;
  };
  std::vector<Directory> chain;
  for (int i = 0; i < 40; ++i) chain.push_back(Directory{{b.Short(274, 3)}, i + 1 < 40 ? i + 1 : -1});
  const Case cases[] = {
      {"next links to itself", {Directory{{b.Short(274, 3)}, 0}}},
      {"two directories link to each other", {Directory{{b.Short(274, 3)}, 1}, Directory{{b.Short(37383, 2)}, 0}}},
      {"Exif directory links back to IFD0", {Directory{{b.Short(274, 3), ExifBuilder::Link(34665, 1)}},
                                             Directory{{ExifBuilder::Link(40965, 0)}, 0}}},
      {"a chain of 40", chain},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = Parse(b.Build(c.directories));
    EXPECT_TRUE(parsed->ok) << parsed->reader->LastError();
    EXPECT_EQ(parsed->info().orientation, 3);
  }
}

// --- Marker sections ------------------------------------------------------------------------------

std::string Section(int marker, const std::string& payload) {
  const std::size_t length = payload.size() + 2;
  return std::string{'\xFF', static_cast<char>(marker), static_cast<char>(length >> 8), static_cast<char>(length)} + payload;
}

// Start of image, the given sections, a frame header of 40 x 24 with 3 components, a scan and its data.
std::string Stream(const std::string& sections) {
  const std::string frame = Section(0xC0, std::string("\x08\x00\x18\x00\x28\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 15));
  const std::string scan = Section(0xDA, std::string("\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 10));
  return std::string("\xFF\xD8", 2) + sections + frame + scan + "entropy-coded data" + std::string("\xFF\xD9", 2);
}

struct Read {
  std::unique_ptr<PxExifInfo> reader = std::make_unique<PxExifInfo>();
  bool ok = false;
};

Read ReadSections(const std::string& bytes, int mode) {
  Read r;
  std::string copy = bytes;
  PxMemFile file(reinterpret_cast<std::uint8_t*>(copy.data()), static_cast<std::int32_t>(copy.size()));
  r.ok = r.reader->ReadJpegSections(&file, mode);
  return r;
}

TEST(ExifSections, KeepsWhatMattersAndParsesFrameAndComment) {
  const std::string stream = Stream(Section(0xE0, "JFIF-ish") + Section(0xE1, "NotExif") + Section(0xE2, "ICC") +
                                    Section(0xFE, "A\r\nB\x01" "C\r") + Section(0xFE, "second"));
  const Read r = ReadSections(stream, PxExifInfo::kReadInfo);
  ASSERT_TRUE(r.ok) << r.reader->LastError();
  // APP2, the first COM, the frame header and the scan header; APP0, a non-Exif APP1 and the second COM go.
  EXPECT_EQ(r.reader->SectionCount(), 4);
  EXPECT_FALSE(r.reader->Info().isExif);
  EXPECT_STREQ(r.reader->Info().comments, "A\nB?C?");
  EXPECT_EQ(r.reader->Info().width, 40);
  EXPECT_EQ(r.reader->Info().height, 24);
  EXPECT_EQ(r.reader->Info().isColor, 1);
  EXPECT_EQ(r.reader->Info().process, 0xC0);
  ASSERT_NE(r.reader->FindSection(0xE2), nullptr);
  EXPECT_EQ(r.reader->FindSection(0xE0), nullptr);
  EXPECT_EQ(r.reader->FindSection(0xDA), nullptr);  // the last section is not searched
}

TEST(ExifSections, BrokenStreamsAreRefused) {
  std::string sections19;
  for (int i = 0; i < 19; ++i) sections19 += Section(0xE3, "x");
  std::string sections20 = sections19 + Section(0xE3, "x");
  struct Case {
    const char* name;
    std::string bytes;
    int mode;
    const char* message;
  };
  const Case cases[] = {
      {"not a JPEG", "GIF89a", PxExifInfo::kReadInfo, ""},
      {"twenty sections", Stream(sections20), PxExifInfo::kReadInfo, "Too many sections in jpg file"},
      // The scan is the twentieth section; its data would be a twenty-first.
      {"scan data beyond twenty", std::string("\xFF\xD8", 2) + sections19 + Section(0xDA, "s") + "data",
       PxExifInfo::kReadWholeImage, "Too many sections in jpg file"},
      {"seven padding bytes", std::string("\xFF\xD8\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xE0", 10), PxExifInfo::kReadInfo, ""},
      {"length 1", std::string("\xFF\xD8\xFF\xE2\x00\x01", 6), PxExifInfo::kReadInfo, "invalid marker"},
      {"cut in a section", std::string("\xFF\xD8\xFF\xE2\x00\x10" "abc", 9), PxExifInfo::kReadInfo,
       "Premature end of file?"},
      {"cut at a marker", std::string("\xFF\xD8", 2) + Section(0xE2, "abc"), PxExifInfo::kReadInfo,
       "Premature end of file?"},
      {"end before any scan", std::string("\xFF\xD8\xFF\xD9\x00\x02", 6), PxExifInfo::kReadInfo, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Read r = ReadSections(c.bytes, c.mode);
    EXPECT_FALSE(r.ok);
    EXPECT_STREQ(r.reader->LastError(), c.message);
  }
  // A stream that is not a JPEG leaves the record as it was.
  ExifInfo record{};
  std::strcpy(record.cameraMake, "kept");
  PxExifInfo reader(&record);
  std::string text = "plain text";
  PxMemFile file(reinterpret_cast<std::uint8_t*>(text.data()), static_cast<std::int32_t>(text.size()));
  EXPECT_FALSE(reader.ReadJpegSections(&file, PxExifInfo::kReadInfo));
  EXPECT_STREQ(record.cameraMake, "kept");
}

TEST(ExifSections, WritingNeedsTheWholeImage) {
  const std::string stream = Stream(Section(0xE2, "ICC"));
  Read partial = ReadSections(stream, PxExifInfo::kReadInfo);
  ASSERT_TRUE(partial.ok);
  PxMemFile out;
  out.Open();
  EXPECT_FALSE(partial.reader->WriteSections(&out));
  EXPECT_STREQ(partial.reader->LastError(), "Can't write exif : didn't read all");

  // Read whole, the stream comes back out as it was, behind a JFIF header (it started with APP2).
  Read whole = ReadSections(stream, PxExifInfo::kReadWholeImage);
  ASSERT_TRUE(whole.ok) << whole.reader->LastError();
  ASSERT_TRUE(whole.reader->WriteSections(&out));
  const std::string written(reinterpret_cast<const char*>(out.Buffer(false)), static_cast<std::size_t>(out.GetSize()));
  const std::string jfif("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x01\x01\x2C\x01\x2C\x00\x00", 18);
  EXPECT_EQ(written, std::string("\xFF\xD8", 2) + jfif + stream.substr(2));
}

// --- The JPEG codec and Exif ----------------------------------------------------------------------

// A JPEG written by Tavrel at 300 dpi, with an Exif block put right after its start-of-image marker.
std::string JpegWithExif(const std::string& payload) {
  PxImage image;
  image_test::MakePattern(image, 40, 24, 24);
  image.SetDpiX(300);
  image.SetDpiY(300);
  const std::string plain = EncodeBytes(image, FMT_JPG);
  return plain.substr(0, 2) + Section(0xE1, payload) + plain.substr(2);
}

TEST(ExifJpeg, TheCamerasResolutionWins) {
  ExifBuilder b(false);
  struct Case {
    const char* name;
    std::vector<Entry> entries;
    std::int32_t dpiX, dpiY;
  };
  const Case cases[] = {
      {"72 per inch", {b.Rational(282, 72, 1), b.Rational(283, 72, 1), b.Short(296, 2)}, 72, 72},
      {"per centimetre", {b.Rational(282, 2835, 100), b.Rational(283, 11811, 100), b.Short(296, 3)}, 72, 299},
      {"no unit: the default", {b.Rational(282, 72, 1), b.Rational(283, 72, 1)}, 96, 96},
      {"no resolution: the default", {b.Short(296, 2)}, 96, 96},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PxImage image;
    ASSERT_TRUE(DecodeBytes(image, JpegWithExif(b.Build({Directory{c.entries}})), FMT_JPG)) << image.LastError();
    EXPECT_EQ(image.DpiX(), c.dpiX);
    EXPECT_EQ(image.DpiY(), c.dpiY);
  }
  // A broken Exif block leaves the JFIF header to tell.
  PxImage image;
  ASSERT_TRUE(DecodeBytes(image, JpegWithExif(std::string("Exif\0\0XX", 8)), FMT_JPG)) << image.LastError();
  EXPECT_EQ(image.DpiX(), 300);
}

TEST(ExifJpeg, AReEncodeKeepsTheExifBlock) {
  const std::string payload = CameraBlock(true);
  std::string source = JpegWithExif(payload);
  PxImageJPG codec;
  PxMemFile in(reinterpret_cast<std::uint8_t*>(source.data()), static_cast<std::int32_t>(source.size()));
  ASSERT_TRUE(codec.Decode(&in)) << codec.LastError();
  EXPECT_EQ(codec.DpiX(), 72);

  PxMemFile out;
  out.Open();
  ASSERT_TRUE(codec.Encode(&out)) << codec.LastError();
  const std::string written(reinterpret_cast<const char*>(out.Buffer(false)), static_cast<std::size_t>(out.GetSize()));
  // The block leads the new file, byte for byte.
  EXPECT_EQ(written.substr(0, 4 + 2 + payload.size()), std::string("\xFF\xD8", 2) + Section(0xE1, payload));

  const Read r = ReadSections(written, PxExifInfo::kReadInfo);
  ASSERT_TRUE(r.ok) << r.reader->LastError();
  EXPECT_TRUE(r.reader->Info().isExif);
  EXPECT_STREQ(r.reader->Info().cameraModel, "PowerShot S40");
  PxImage again;
  ASSERT_TRUE(DecodeBytes(again, written, FMT_JPG)) << again.LastError();
  EXPECT_EQ(again.Width(), 40);
  EXPECT_EQ(again.Height(), 24);

  if (HasTool("identify")) {
    TempDir dir;
    const std::string file = dir.unixFile("reencoded.jpg");
    WriteUnixFile(file, written);
    EXPECT_EQ(ToolOutput("identify -format '%w %h %[EXIF:Make] %[EXIF:Orientation]' '" + file + "' 2>/dev/null"),
              "40 24 Canon 6");
  }
}

TEST(ExifJpeg, AFailedWriteBackIsAFailedSave) {
  std::string source = JpegWithExif(CameraBlock(false));
  PxImageJPG codec;
  PxMemFile in(reinterpret_cast<std::uint8_t*>(source.data()), static_cast<std::int32_t>(source.size()));
  ASSERT_TRUE(codec.Decode(&in)) << codec.LastError();

  // Room for the plain JPEG, not for the one with the block.
  PxImage plain;
  plain.Copy(codec, true, false, false);
  const std::size_t plainSize = EncodeBytes(plain, FMT_JPG).size();

  class FullDisk : public PxMemFile {
  public:
    explicit FullDisk(std::size_t room) : FRoom(room) { Open(); }
    std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override {
      const std::int64_t end = static_cast<std::int64_t>(GetPosition()) + static_cast<std::int64_t>(size * count);
      return end > static_cast<std::int64_t>(FRoom) ? 0 : PxMemFile::Write(buffer, size, count);
    }

  private:
    std::size_t FRoom;
  } disk(plainSize);
  EXPECT_FALSE(codec.Encode(&disk));
  EXPECT_STREQ(codec.LastError(), "Output file write error --- out of disk space?");
}

}  // namespace
