// Zlib streams behind the class library's stream interface: a write-only compressing stream, a
// read-only decompressing stream, and the two whole-stream routines the compressed skins use.
#pragma once

#include "platform/classlib/Exception.h"
#include "platform/classlib/Streams.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

struct z_stream_s;

namespace skin {

class EZlibError : public classlib::Exception {
public:
  using Exception::Exception;
};

// "error" from zlib while compressing, or "Invalid stream operation".
class ECompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};

// "compression error" for corrupt or cut data, or "Invalid stream operation".
class EDecompressionError : public EZlibError {
public:
  using EZlibError::EZlibError;
};

enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public classlib::TStream {
public:
  ~TCustomZlibStream() override;

  // Called after every block moved to or from the base stream.
  std::function<void(classlib::TObject* Sender)> ProgressHandler;

protected:
  explicit TCustomZlibStream(classlib::TStream& Strm);
  virtual void Progress(classlib::TObject* Sender);
  // Puts the base stream back where this adapter left it, should someone else have moved it.
  void ReturnToBasePosition();

  classlib::TStream& FBaseStream;
  std::int64_t FBasePosition;
  std::unique_ptr<z_stream_s> FZState;
  std::array<std::uint8_t, 4096> FZBuffer{};
};

// Deflates what is written to it into Dest, in the zlib format. The stream is complete once
// Finish has run; the destructor finishes it too, but can only swallow a failure there.
class TCompressionStream : public TCustomZlibStream {
public:
  TCompressionStream(TCompressionLevel CompressionLevel, classlib::TStream& Dest);
  ~TCompressionStream() override;

  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  // Only Seek(0, soCurrent) is allowed: the number of bytes written in so far.
  std::int64_t Seek(std::int64_t Offset, classlib::TSeekOrigin Origin) override;

  void Finish();
  // (1 - bytes out / bytes in) * 100; 0 before anything was written.
  float GetCompressionRate() const;

private:
  void WriteBufferToBase(int Count);
  bool FFinished = false;
};

// Inflates from Source what is read from it. The data must end with the zlib stream's own end:
// a source that runs dry first raises "compression error"; bytes after the end are not read.
class TDecompressionStream : public TCustomZlibStream {
public:
  explicit TDecompressionStream(classlib::TStream& Source);
  ~TDecompressionStream() override;

  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  // Back to the start of the source (offset 0 from the beginning), or forward by reading; returns
  // the number of bytes read out so far.
  std::int64_t Seek(std::int64_t Offset, classlib::TSeekOrigin Origin) override;

private:
  bool FStreamEnded = false;
};

// Compresses the whole of Source at the highest level and appends it to Dest at its position.
void CompressStream(classlib::TStream& Source, classlib::TStream& Dest);
// Inflates the whole of Source, read from its start, and appends the result to Dest.
void DeCompressStream(classlib::TStream& Dest, classlib::TStream& Source);

}  // namespace skin
