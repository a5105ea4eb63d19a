#include "tests/support/testing.h"

#include "skin/data/Skzlibcompress.h"

#include <cstring>
#include <string>

using namespace classlib;
using namespace skin;

namespace {

std::string Bytes(TMemoryStream& stream) {
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void Put(TMemoryStream& stream, const std::string& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

std::string SkinLikeText() {
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "[control" + std::to_string(i) + "]\r\nskinrect=0,0," + std::to_string(i) + ",20\r\n";
  return text;
}

std::string Compressed(const std::string& source) {
  TMemoryStream in, out;
  Put(in, source);
  CompressStream(in, out);
  return Bytes(out);
}

std::string Decompressed(const std::string& compressed) {
  TMemoryStream in, out;
  Put(in, compressed);
  DeCompressStream(out, in);
  return Bytes(out);
}

TEST(Zlib, WholeStreamsRoundTripAtTheHighestLevel) {
  for (const std::string& source : {std::string(), std::string("x"), SkinLikeText()}) {
    const std::string compressed = Compressed(source);
    ASSERT_GE(compressed.size(), 2u);
    EXPECT_EQ(compressed.substr(0, 2), "\x78\xDA");
    EXPECT_EQ(Decompressed(compressed), source);
  }

  // The compressed data is appended at the destination's position; decompressed data likewise.
  TMemoryStream in, out;
  Put(in, "abc");
  Put(out, "head");
  CompressStream(in, out);
  EXPECT_EQ(Bytes(out).substr(0, 4), "head");
  TMemoryStream source, target;
  Put(source, Compressed("abc"));
  Put(target, "keep");
  DeCompressStream(target, source);
  EXPECT_EQ(Bytes(target), "keepabc");
}

TEST(Zlib, CorruptCutOrTrailingDataIsRefusedOrIgnored) {
  const std::string good = Compressed(SkinLikeText());
  std::string corrupt = good;
  corrupt[good.size() / 2] ^= 0x55;
  const struct {
    const char* name;
    std::string data;
  } refused[] = {
      {"not zlib at all", "plain text, no zlib header"},
      {"cut in the middle", good.substr(0, good.size() / 2)},
      {"cut before the checksum", good.substr(0, good.size() - 2)},
      {"corrupt inside", corrupt},
      {"nothing", ""},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(row.name);
    try {
      Decompressed(row.data);
      ADD_FAILURE() << "accepted";
    } catch (const EDecompressionError& error) {
      EXPECT_EQ(error.Message(), "compression error");
    }
  }

  // Bytes after the stream's end belong to nothing: the content stops at the end.
  EXPECT_EQ(Decompressed(good + std::string(10000, '\x01')), SkinLikeText());
}

TEST(Zlib, StreamsRefuseTheWrongDirectionAndUnsupportedSeeks) {
  TMemoryStream dest;
  {
    TCompressionStream compressor(TCompressionLevel::clDefault, dest);
    EXPECT_EQ(compressor.GetCompressionRate(), 0.0f);
    char byte = 0;
    EXPECT_THROW(compressor.Read(&byte, 1), ECompressionError);
    const std::string text = SkinLikeText();
    compressor.WriteBuffer(text.data(), static_cast<int>(text.size()));
    EXPECT_EQ(compressor.Seek(0, TSeekOrigin::soCurrent), static_cast<std::int64_t>(text.size()));
    EXPECT_THROW(compressor.Seek(1, TSeekOrigin::soCurrent), ECompressionError);
    EXPECT_THROW(compressor.Seek(0, TSeekOrigin::soBeginning), ECompressionError);
    EXPECT_GT(compressor.GetCompressionRate(), 50.0f);
    try {
      compressor.Read(&byte, 1);
    } catch (const ECompressionError& error) {
      EXPECT_EQ(error.Message(), "Invalid stream operation");
    }
  }
  // Freeing the compressor finished the stream.
  EXPECT_EQ(Decompressed(Bytes(dest)), SkinLikeText());

  TMemoryStream source;
  Put(source, Bytes(dest));
  source.SetPosition(0);
  TDecompressionStream decompressor(source);
  EXPECT_THROW(decompressor.Write("x", 1), EDecompressionError);
  char first[10];
  decompressor.ReadBuffer(first, sizeof first);
  EXPECT_EQ(std::string(first, 10), SkinLikeText().substr(0, 10));
  EXPECT_EQ(decompressor.Seek(0, TSeekOrigin::soCurrent), 10);
  EXPECT_EQ(decompressor.Seek(5, TSeekOrigin::soCurrent), 15);  // forward by reading
  EXPECT_EQ(decompressor.Seek(100, TSeekOrigin::soBeginning), 100);
  EXPECT_THROW(decompressor.Seek(50, TSeekOrigin::soBeginning), EDecompressionError);  // backwards
  EXPECT_THROW(decompressor.Seek(0, TSeekOrigin::soEnd), EDecompressionError);
  EXPECT_THROW(decompressor.Seek(-1, TSeekOrigin::soCurrent), EDecompressionError);
  EXPECT_EQ(decompressor.Seek(0, TSeekOrigin::soBeginning), 0);  // back to the start of the source
  decompressor.ReadBuffer(first, sizeof first);
  EXPECT_EQ(std::string(first, 10), SkinLikeText().substr(0, 10));
}

TEST(Zlib, EveryLevelGivesAStreamThatInflatesBack) {
  for (TCompressionLevel level : {TCompressionLevel::clNone, TCompressionLevel::clFastest,
                                  TCompressionLevel::clDefault, TCompressionLevel::clMax}) {
    TMemoryStream dest;
    TCompressionStream compressor(level, dest);
    const std::string text = SkinLikeText();
    compressor.WriteBuffer(text.data(), static_cast<int>(text.size()));
    compressor.Finish();
    EXPECT_EQ(Decompressed(Bytes(dest)), text);
  }
}

}  // namespace
