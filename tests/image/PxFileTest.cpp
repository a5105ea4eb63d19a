// The file abstraction: memory files, the buffered file stream and PxIOFile over it.
#include "tests/support/testing.h"

#include "image/PxFile.h"
#include "image/PxStream.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using testing_support::ReadUnixFile;
using testing_support::TempDir;
using testing_support::WriteUnixFile;

namespace {

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + i / 251) & 0xFF);
  return bytes;
}

}  // namespace

TEST(PxMemFile, EmptyOpenedFile) {
  PxMemFile file;
  ASSERT_TRUE(file.Open());
  EXPECT_FALSE(file.Open());
  EXPECT_EQ(file.GetSize(), 0);
  EXPECT_TRUE(file.AtEnd());
  EXPECT_FALSE(file.HasError());
  EXPECT_EQ(file.GetByte(), -1);
  EXPECT_TRUE(file.Flush());
}

TEST(PxMemFile, GrowsAsBytesArriveAndReadsBack) {
  PxMemFile file;
  ASSERT_TRUE(file.Open());
  const std::string data = Pattern(5000);
  for (const char c : data) ASSERT_TRUE(file.PutByte(static_cast<std::uint8_t>(c)));
  ASSERT_EQ(file.Write(data.data(), 1000, 3), 3u);
  EXPECT_EQ(file.GetSize(), 8000);
  EXPECT_EQ(file.GetPosition(), 8000);
  ASSERT_TRUE(file.Seek(0, SEEK_SET));
  std::string back(8000, '\0');
  EXPECT_EQ(file.Read(back.data(), 1, 8000), 8000u);
  EXPECT_EQ(back.substr(0, 5000), data);
  EXPECT_EQ(back.substr(5000), data.substr(0, 3000));
}


// Every save goes through a memory file filled a few bytes at a time: growing by a fixed step would
// copy the block once per 4 KB written, so a 36 MB picture took thousands of copies.
TEST(PxMemFile, GrowthIsGeometric) {
  PxMemFile file;
  ASSERT_TRUE(file.Open());
  ASSERT_TRUE(file.PutByte(1));
  EXPECT_EQ(file.Capacity(), 4096);
  const std::string chunk = Pattern(4096);
  ASSERT_EQ(file.Write(chunk.data(), 1, chunk.size()), chunk.size());
  EXPECT_EQ(file.Capacity(), 8192);

  int growths = 0;
  std::int32_t capacity = file.Capacity();
  const std::string piece = Pattern(100);
  while (file.GetSize() < (32 << 20)) {
    ASSERT_EQ(file.Write(piece.data(), 1, piece.size()), piece.size());
    if (file.Capacity() != capacity) {
      ++growths;
      EXPECT_GE(file.Capacity(), 2 * capacity);
      capacity = file.Capacity();
    }
  }
  EXPECT_LE(growths, 13);  // 8 KB doubled up to 32 MB
  ASSERT_TRUE(file.Seek(-100, SEEK_END));
  std::string back(100, '\0');
  EXPECT_EQ(file.Read(back.data(), 1, 100), 100u);
  EXPECT_EQ(back, piece);
}
TEST(PxMemFile, ReadCountsWholeItems) {
  std::string data = Pattern(20);
  PxMemFile file(reinterpret_cast<std::uint8_t*>(data.data()), 20);
  ASSERT_TRUE(file.Seek(10, SEEK_SET));
  char dest[12] = {};
  EXPECT_EQ(file.Read(dest, 4, 3), 2u);  // 10 bytes copied, two whole items
  EXPECT_EQ(file.GetPosition(), 20);
  EXPECT_EQ(std::memcmp(dest, data.data() + 10, 10), 0);
  EXPECT_EQ(file.Read(dest, 1, 1), 0u);
  EXPECT_EQ(file.Read(dest, 0, 5), 0u);
}

TEST(PxMemFile, SeekRules) {
  PxMemFile file;
  ASSERT_TRUE(file.Open());
  ASSERT_EQ(file.Write("abc", 1, 3), 3u);
  EXPECT_TRUE(file.Seek(-5, SEEK_SET));
  EXPECT_EQ(file.GetPosition(), 0);
  EXPECT_FALSE(file.Seek(0, 7));
  EXPECT_TRUE(file.Seek(-1, SEEK_END));
  EXPECT_EQ(file.GetByte(), 'c');
  // Beyond the end: an error until a write fills the gap with zeros.
  EXPECT_TRUE(file.Seek(3, SEEK_CUR));
  EXPECT_TRUE(file.HasError());
  ASSERT_TRUE(file.PutByte('z'));
  EXPECT_FALSE(file.HasError());
  EXPECT_EQ(file.GetSize(), 7);
  const std::uint8_t* bytes = file.Buffer(false);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 7), std::string("abc\0\0\0z", 7));

  PxMemFile closed;
  EXPECT_FALSE(closed.Seek(0, SEEK_SET));
  EXPECT_EQ(closed.GetPosition(), -1);
  EXPECT_EQ(closed.GetSize(), -1);
  EXPECT_TRUE(closed.AtEnd());
  EXPECT_TRUE(closed.HasError());
  EXPECT_FALSE(closed.PutByte(1));
  EXPECT_EQ(closed.Write("a", 1, 1), 0u);
}

TEST(PxMemFile, BufferOwnership) {
  {
    // Detached: the caller releases it.
    PxMemFile file;
    ASSERT_TRUE(file.Open());
    ASSERT_EQ(file.Write("hello", 1, 5), 5u);
    std::uint8_t* detached = file.Buffer(true);
    file.Close();
    EXPECT_EQ(std::memcmp(detached, "hello", 5), 0);
    std::free(detached);
  }
  {
    // A caller's block handed over with Buffer(false) is released by the file.
    auto* block = static_cast<std::uint8_t*>(std::malloc(8));
    std::memcpy(block, "12345678", 8);
    PxMemFile file(block, 8);
    EXPECT_EQ(file.Buffer(false), block);
  }
  {
    // A lent block is copied when it must grow, and the caller's block stays as it was.
    std::uint8_t lent[4] = {'a', 'b', 'c', 'd'};
    {
      PxMemFile file(lent, 4);
      ASSERT_TRUE(file.Seek(0, SEEK_END));
      ASSERT_EQ(file.Write("efgh", 1, 4), 4u);
      ASSERT_TRUE(file.Seek(0, SEEK_SET));
      ASSERT_EQ(file.PutByte('A'), true);
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.Buffer(false)), 8), "Abcdefgh");
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(lent), 4), "abcd");
  }
}

TEST(PxIOFile, OverNoStreamEverythingFails) {
  PxIOFile file(nullptr);
  char byte = 0;
  EXPECT_EQ(file.Read(&byte, 1, 1), 0u);
  EXPECT_EQ(file.Write(&byte, 1, 1), 0u);
  EXPECT_FALSE(file.Seek(0, SEEK_SET));
  EXPECT_EQ(file.GetByte(), -1);
  EXPECT_FALSE(file.PutByte(1));
  EXPECT_TRUE(file.AtEnd());
  EXPECT_TRUE(file.HasError());
  EXPECT_EQ(file.GetSize(), -1);
  EXPECT_EQ(file.GetPosition(), 0);
  EXPECT_FALSE(file.Flush());
  EXPECT_TRUE(file.Close());
}

TEST(PxIOFile, ReadsAndSeeksAcrossBufferBoundaries) {
  TempDir dir;
  const std::string data = Pattern(200000);
  WriteUnixFile(dir.unixFile("in.bin"), data);
  std::unique_ptr<PxStream> stream = PxStream::Open(dir.windowsFile("in.bin").c_str(), "rb");
  ASSERT_TRUE(stream);
  PxIOFile file(stream.get());
  EXPECT_EQ(file.GetSize(), 200000);
  EXPECT_EQ(file.GetPosition(), 0);

  std::string chunk(70000, '\0');
  ASSERT_EQ(file.Read(chunk.data(), 7, 10000), 10000u);
  EXPECT_EQ(chunk, data.substr(0, 70000));
  EXPECT_EQ(file.GetByte(), static_cast<std::uint8_t>(data[70000]));
  ASSERT_TRUE(file.Seek(-3, SEEK_CUR));
  EXPECT_EQ(file.GetByte(), static_cast<std::uint8_t>(data[69998]));
  ASSERT_TRUE(file.Seek(-10, SEEK_END));
  std::string tail(20, '\0');
  EXPECT_EQ(file.Read(tail.data(), 4, 5), 2u);  // 10 bytes left
  EXPECT_EQ(tail.substr(0, 10), data.substr(199990));
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.GetByte(), -1);
  ASSERT_TRUE(file.Seek(5, SEEK_SET));  // a seek clears the end indicator
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(file.GetByte(), static_cast<std::uint8_t>(data[5]));
  EXPECT_FALSE(file.Seek(-1, SEEK_SET));
  EXPECT_FALSE(file.HasError());
  EXPECT_TRUE(file.Close());  // the stream belongs to the caller
  EXPECT_TRUE(stream->Close());
}

TEST(PxIOFile, WritesReadsBackAndOverwrites) {
  TempDir dir;
  const std::string data = Pattern(150000);
  {
    std::unique_ptr<PxStream> stream = PxStream::Open(dir.windowsFile("out.bin").c_str(), "wb");
    ASSERT_TRUE(stream);
    PxIOFile file(stream.get());
    for (std::size_t i = 0; i < 1000; ++i) ASSERT_TRUE(file.PutByte(static_cast<std::uint8_t>(data[i])));
    ASSERT_EQ(file.Write(data.data() + 1000, 1, data.size() - 1000), data.size() - 1000);
    EXPECT_EQ(file.GetPosition(), 150000);
    ASSERT_TRUE(file.Seek(2, SEEK_SET));
    ASSERT_EQ(file.Write("XY", 1, 2), 2u);
    EXPECT_EQ(file.GetSize(), 150000);
    EXPECT_TRUE(file.Flush());
    ASSERT_TRUE(stream->Close());
  }
  std::string expected = data;
  expected[2] = 'X';
  expected[3] = 'Y';
  EXPECT_EQ(ReadUnixFile(dir.unixFile("out.bin")), expected);
}

TEST(PxStream, FailedWritesAreReported) {
  // A full device takes the bytes into the buffer, then refuses them when they are written out.
  std::unique_ptr<PxStream> stream = PxStream::Open("Z:\\dev\\full", "wb");
  ASSERT_TRUE(stream);
  const std::string data = Pattern(1000);
  EXPECT_EQ(stream->Write(data.data(), 1, data.size()), data.size());
  EXPECT_FALSE(stream->Flush());
  EXPECT_TRUE(stream->HasError());
  EXPECT_FALSE(stream->Close());

  // More than a buffer's worth fails already in Write.
  std::unique_ptr<PxStream> big = PxStream::Open("Z:\\dev\\full", "wb");
  ASSERT_TRUE(big);
  const std::string lots = Pattern(300000);
  EXPECT_LT(big->Write(lots.data(), 1, lots.size()), lots.size());
}

TEST(PxStream, BorrowedHandleStaysOpenAtTheStreamsPosition) {
  TempDir dir;
  WriteUnixFile(dir.unixFile("b.bin"), "0123456789");
  const std::u16string name = PxWideText(dir.windowsFile("b.bin").c_str());
  HANDLE handle = CreateFileW(PxWinText(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  {
    PxStream stream(handle);
    char two[2];
    ASSERT_EQ(stream.Read(two, 1, 2), 2u);
  }
  char next = 0;
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(handle, &next, 1, &got, nullptr));
  EXPECT_EQ(got, 1u);
  EXPECT_EQ(next, '2');
  CloseHandle(handle);

  EXPECT_EQ(PxStream::Open(dir.windowsFile("missing.bin").c_str(), "rb"), nullptr);
  EXPECT_EQ(PxStream::Open(dir.windowsFile("b.bin").c_str(), "xb"), nullptr);
}
