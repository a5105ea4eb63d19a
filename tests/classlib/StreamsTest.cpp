#include "tests/support/testing.h"

#include "platform/classlib/Streams.h"

#include <cstring>

using namespace classlib;
using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

template <class Call>
String StreamErrorOf(Call call) {
  try {
    call();
  } catch (const EStreamError& e) {
    return e.Message();
  }
  return "no exception";
}

TEST(FileStream, WritesSeeksReadsAndResizesARealFile) {
  TempDir dir;
  const String name = dir.windowsFile("data.bin");
  {
    TFileStream stream(name, fmCreate);
    EXPECT_EQ(stream.FileName(), name);
    stream.WriteBuffer("hello world", 11);
    EXPECT_EQ(stream.Position(), 11);
    EXPECT_EQ(stream.Size(), 11);
    EXPECT_EQ(stream.Seek(-5, TSeekOrigin::soEnd), 6);
    stream.WriteBuffer("WORLD", 5);
  }
  EXPECT_EQ(ReadUnixFile(dir.unixFile("data.bin")), "hello WORLD");
  {
    TFileStream stream(name, fmOpenReadWrite);
    char buffer[6] = {};
    stream.SetPosition(6);
    stream.ReadBuffer(buffer, 5);
    EXPECT_STREQ(buffer, "WORLD");
    EXPECT_EQ(stream.Read(buffer, 5), 0);  // at the end
    stream.SetPosition(8);
    stream.SetSize(5);
    EXPECT_EQ(stream.Position(), 5);
    EXPECT_EQ(stream.Size(), 5);
  }
  EXPECT_EQ(ReadUnixFile(dir.unixFile("data.bin")), "hello");
  {
    TFileStream stream(name, fmCreate);  // truncates
    EXPECT_EQ(stream.Size(), 0);
  }
  EXPECT_EQ(ReadUnixFile(dir.unixFile("data.bin")), "");
}

TEST(FileStream, FailuresNameTheFile) {
  TempDir dir;
  const String missing = dir.windowsFile("missing.skn");
  EXPECT_EQ(StreamErrorOf([&] { TFileStream(missing, fmOpenRead); }), "Cannot open file " + missing);
  const String noFolder = dir.windowsFile("no\\such\\folder.bin");
  EXPECT_EQ(StreamErrorOf([&] { TFileStream(noFolder, fmCreate); }), "Cannot create file " + noFolder);

  WriteUnixFile(dir.unixFile("short.bin"), "abc");
  TFileStream stream(dir.windowsFile("short.bin"), fmOpenRead);
  char buffer[8];
  EXPECT_EQ(StreamErrorOf([&] { stream.ReadBuffer(buffer, 4); }), "Stream read error");
  EXPECT_EQ(StreamErrorOf([&] { stream.WriteBuffer("x", 1); }), "Stream write error");  // opened for reading
}

TEST(FileStream, ShareModesDecideWhoElseMayOpenTheFile) {
  TempDir dir;
  WriteUnixFile(dir.unixFile("f.bin"), "abc");
  const String name = dir.windowsFile("f.bin");
  {
    TFileStream exclusive(name, fmOpenRead);
    EXPECT_EQ(StreamErrorOf([&] { TFileStream(name, fmOpenRead | fmShareDenyNone); }), "Cannot open file " + name);
  }
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_NO_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone));
    EXPECT_ANY_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone));
  }
  {
    TFileStream shared(name, fmOpenRead | fmShareDenyNone);
    EXPECT_NO_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone));
  }
}

TEST(MemoryStream, GrowsFillsGapsAndReadsWhatItHas) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  EXPECT_EQ(stream.Seek(2, TSeekOrigin::soEnd), 5);
  stream.WriteBuffer("d", 1);
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(std::memcmp(stream.Memory(), "abc\0\0d", 6), 0);

  stream.SetPosition(4);
  char buffer[8] = {};
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_EQ(stream.Read(buffer, 8), 0);
  EXPECT_EQ(StreamErrorOf([&] { stream.ReadBuffer(buffer, 1); }), "Stream read error");

  EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soBeginning), -1);
  EXPECT_EQ(stream.Position(), 6);  // a refused seek does not move

  stream.SetSize(2);
  EXPECT_EQ(stream.Position(), 2);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
}

TEST(MemoryStream, CopiesAndRoundTripsThroughAFile) {
  TempDir dir;
  TMemoryStream source;
  std::vector<std::uint8_t> bytes(200000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  source.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));

  TMemoryStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 200000);  // 0: everything, from the start
  EXPECT_EQ(std::memcmp(whole.Memory(), bytes.data(), bytes.size()), 0);

  source.SetPosition(10);
  TMemoryStream part;
  EXPECT_EQ(part.CopyFrom(source, 5), 5);
  EXPECT_EQ(std::memcmp(part.Memory(), bytes.data() + 10, 5), 0);
  source.SetPosition(source.Size() - 2);
  EXPECT_EQ(StreamErrorOf([&] { part.CopyFrom(source, 5); }), "Stream read error");

  const String name = dir.windowsFile("copy.bin");
  whole.SaveToFile(name);
  TMemoryStream loaded;
  loaded.LoadFromFile(name);
  ASSERT_EQ(loaded.Size(), 200000);
  EXPECT_EQ(std::memcmp(loaded.Memory(), bytes.data(), bytes.size()), 0);
  EXPECT_EQ(StreamErrorOf([&] { loaded.LoadFromFile(dir.windowsFile("none.bin")); }),
            "Cannot open file " + dir.windowsFile("none.bin"));
}

}  // namespace
