#include "skin/data/Skzlibcompress.h"

#include "platform/UnixHeadersBegin.h"
#include <zlib.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>

namespace skin {

using classlib::TSeekOrigin;
using classlib::TStream;

namespace {

constexpr const char* kInvalidOperation = "Invalid stream operation";

int CheckCompression(int result) {
  if (result < 0) throw ECompressionError("error");
  return result;
}

int CheckDecompression(int result) {
  if (result < 0) throw EDecompressionError("compression error");
  return result;
}

int ZlibLevel(TCompressionLevel level) {
  switch (level) {
    case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
    case TCompressionLevel::clFastest: return Z_BEST_SPEED;
    case TCompressionLevel::clDefault: return Z_DEFAULT_COMPRESSION;
    case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
  }
  return Z_DEFAULT_COMPRESSION;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TCustomZlibStream

TCustomZlibStream::TCustomZlibStream(TStream& Strm)
    : FBaseStream(Strm), FBasePosition(Strm.Position()), FZState(std::make_unique<z_stream>()) {}

TCustomZlibStream::~TCustomZlibStream() = default;

void TCustomZlibStream::Progress(classlib::TObject* Sender) {
  if (ProgressHandler) ProgressHandler(Sender);
}

void TCustomZlibStream::ReturnToBasePosition() {
  if (FBaseStream.Position() != FBasePosition) FBaseStream.SetPosition(FBasePosition);
}

// ---------------------------------------------------------------------------------------------
// TCompressionStream

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest) : TCustomZlibStream(Dest) {
  FZState->next_out = FZBuffer.data();
  FZState->avail_out = FZBuffer.size();
  CheckCompression(deflateInit(FZState.get(), ZlibLevel(CompressionLevel)));
}

TCompressionStream::~TCompressionStream() {
  try {
    Finish();
  } catch (const classlib::Exception&) {
    // A destructor cannot report; callers that must know call Finish themselves.
  }
  deflateEnd(FZState.get());
}

void TCompressionStream::WriteBufferToBase(int Count) {
  FBaseStream.WriteBuffer(FZBuffer.data(), Count);
  FZState->next_out = FZBuffer.data();
  FZState->avail_out = FZBuffer.size();
  FBasePosition = FBaseStream.Position();
}

int TCompressionStream::Read(void*, int) { throw ECompressionError(kInvalidOperation); }

int TCompressionStream::Write(const void* Buffer, int Count) {
  if (FFinished) throw ECompressionError(kInvalidOperation);
  FZState->next_in = static_cast<Bytef*>(const_cast<void*>(Buffer));
  FZState->avail_in = static_cast<uInt>(std::max(Count, 0));
  ReturnToBasePosition();
  while (FZState->avail_in > 0) {
    CheckCompression(deflate(FZState.get(), Z_NO_FLUSH));
    if (FZState->avail_out == 0) {
      WriteBufferToBase(FZBuffer.size());
      Progress(this);
    }
  }
  return Count;
}

void TCompressionStream::Finish() {
  if (FFinished) return;
  FFinished = true;
  FZState->next_in = nullptr;
  FZState->avail_in = 0;
  ReturnToBasePosition();
  while (CheckCompression(deflate(FZState.get(), Z_FINISH)) != Z_STREAM_END && FZState->avail_out == 0)
    WriteBufferToBase(FZBuffer.size());
  const int filled = static_cast<int>(FZBuffer.size() - FZState->avail_out);
  if (filled > 0) WriteBufferToBase(filled);
}

std::int64_t TCompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  if (Offset == 0 && Origin == TSeekOrigin::soCurrent) return FZState->total_in;
  throw ECompressionError(kInvalidOperation);
}

float TCompressionStream::GetCompressionRate() const {
  if (FZState->total_in == 0) return 0;
  return (1.0f - static_cast<float>(FZState->total_out) / static_cast<float>(FZState->total_in)) * 100.0f;
}

// ---------------------------------------------------------------------------------------------
// TDecompressionStream

TDecompressionStream::TDecompressionStream(TStream& Source) : TCustomZlibStream(Source) {
  FZState->next_in = FZBuffer.data();
  FZState->avail_in = 0;
  CheckDecompression(inflateInit(FZState.get()));
}

TDecompressionStream::~TDecompressionStream() { inflateEnd(FZState.get()); }

int TDecompressionStream::Read(void* Buffer, int Count) {
  FZState->next_out = static_cast<Bytef*>(Buffer);
  FZState->avail_out = static_cast<uInt>(std::max(Count, 0));
  ReturnToBasePosition();
  while (FZState->avail_out > 0 && !FStreamEnded) {
    if (FZState->avail_in == 0) {
      const int got = FBaseStream.Read(FZBuffer.data(), FZBuffer.size());
      // Data that stops before the stream's own end is cut, not complete.
      if (got <= 0) throw EDecompressionError("compression error");
      FZState->next_in = FZBuffer.data();
      FZState->avail_in = static_cast<uInt>(got);
      FBasePosition = FBaseStream.Position();
      Progress(this);
    }
    // Whatever follows the end belongs to no stream of ours: reading stops there.
    FStreamEnded = CheckDecompression(inflate(FZState.get(), Z_NO_FLUSH)) == Z_STREAM_END;
  }
  return Count - static_cast<int>(FZState->avail_out);
}

int TDecompressionStream::Write(const void*, int) { throw EDecompressionError(kInvalidOperation); }

std::int64_t TDecompressionStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const auto readSoFar = static_cast<std::int64_t>(FZState->total_out);
  if (Offset == 0 && Origin == TSeekOrigin::soBeginning) {
    CheckDecompression(inflateReset(FZState.get()));
    FZState->next_in = FZBuffer.data();
    FZState->avail_in = 0;
    FStreamEnded = false;
    FBaseStream.SetPosition(0);
    FBasePosition = 0;
    return 0;
  }
  if ((Offset >= 0 && Origin == TSeekOrigin::soCurrent) ||
      (Origin == TSeekOrigin::soBeginning && Offset > readSoFar)) {
    std::int64_t skip = Origin == TSeekOrigin::soBeginning ? Offset - readSoFar : Offset;
    std::array<std::uint8_t, 4096> discard;
    while (skip > 0) {
      const int chunk = static_cast<int>(std::min<std::int64_t>(skip, discard.size()));
      ReadBuffer(discard.data(), chunk);
      skip -= chunk;
    }
    return static_cast<std::int64_t>(FZState->total_out);
  }
  throw EDecompressionError(kInvalidOperation);
}

// ---------------------------------------------------------------------------------------------
// Whole streams

void CompressStream(TStream& Source, TStream& Dest) {
  TCompressionStream compressor(TCompressionLevel::clMax, Dest);
  Source.SetPosition(0);
  compressor.CopyFrom(Source, 0);
  compressor.Finish();
}

void DeCompressStream(TStream& Dest, TStream& Source) {
  Source.SetPosition(0);
  TDecompressionStream decompressor(Source);
  std::array<std::uint8_t, 4096> block;
  for (int got; (got = decompressor.Read(block.data(), block.size())) > 0;) Dest.WriteBuffer(block.data(), got);
}

}  // namespace skin
