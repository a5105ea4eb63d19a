// PxFile: the byte stream every codec reads and writes through, so one decoder serves a disk file
// and a memory block alike. Counts follow fread/fwrite (whole items), origins SEEK_SET, SEEK_CUR and
// SEEK_END, and GetByte returns 0..255 or -1 at the end.
#pragma once

#include <cstddef>
#include <cstdint>

class PxStream;

class PxFile {
public:
  virtual ~PxFile() = default;
  virtual bool Close() = 0;
  virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
  virtual bool Seek(std::int32_t offset, int origin) = 0;
  virtual std::int32_t GetPosition() = 0;
  virtual std::int32_t GetSize() = 0;
  virtual bool Flush() = 0;
  virtual bool AtEnd() = 0;
  virtual bool HasError() = 0;
  virtual bool PutByte(std::uint8_t value) { return Write(&value, 1, 1) == 1; }
  virtual std::int32_t GetByte() = 0;
};

// A PxFile over a buffered file stream. A stream given by the caller is never closed here: the
// caller opened it and closes it.
class PxIOFile : public PxFile {
public:
  explicit PxIOFile(PxStream* stream = nullptr);
  ~PxIOFile() override;

  bool Close() override;
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  bool Seek(std::int32_t offset, int origin) override;
  std::int32_t GetPosition() override;
  std::int32_t GetSize() override;
  bool Flush() override;
  bool AtEnd() override;
  bool HasError() override;
  bool PutByte(std::uint8_t value) override;
  std::int32_t GetByte() override;

private:
  PxStream* FStream;
  bool FCloseOnDestroy;
};

// A PxFile over a memory block. It grows to the next multiple of 4096 bytes above what a write
// needs, and at least doubles each time, so that filling it byte by byte (as every save into memory
// does) costs linear time, not quadratic. A block given to the constructor
// is read in place and not released, unless the file had to grow it or Buffer(false) handed it over.
// Blocks the file allocates come from std::malloc; a caller detaching one releases it with std::free.
class PxMemFile : public PxFile {
public:
  explicit PxMemFile(std::uint8_t* buffer = nullptr, std::int32_t size = 0);
  ~PxMemFile() override;

  PxMemFile(const PxMemFile&) = delete;
  PxMemFile& operator=(const PxMemFile&) = delete;

  // Starts an empty owned block; false when there already is one.
  bool Open();
  // The data; detach makes the caller its owner, otherwise the file owns it from now on.
  std::uint8_t* Buffer(bool detach);
  // Bytes allocated for the block.
  std::int32_t Capacity() const { return FCapacity; }

  bool Close() override;
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  bool Seek(std::int32_t offset, int origin) override;
  std::int32_t GetPosition() override;
  std::int32_t GetSize() override;
  bool Flush() override;
  bool AtEnd() override;
  bool HasError() override;
  bool PutByte(std::uint8_t value) override;
  std::int32_t GetByte() override;

private:
  // Makes room for `needed` bytes; false (block untouched) when memory is short.
  bool Grow(std::int64_t needed);

  std::uint8_t* FBuffer;
  std::int32_t FSize;
  bool FOwnsBuffer;
  std::int32_t FPosition;
  std::int32_t FCapacity;
};
