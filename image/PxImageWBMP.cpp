#include "image/PxImageWBMP.h"

#include "image/PxFile.h"
#include "image/PxImageIterator.h"

#include <cstring>

namespace {

enum class HeaderField { Ok, Truncated, TooLarge };

// A WBMP multi-byte integer: 7 bits per byte, most significant first, high bit set on all but the last.
HeaderField ReadMultiByte(PxFile* file, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < 5; ++i) {
    const std::int32_t byte = file->GetByte();
    if (byte < 0) return HeaderField::Truncated;
    if (value > (0xFFFFFFFFu >> 7)) return HeaderField::TooLarge;
    value = (value << 7) | static_cast<std::uint32_t>(byte & 0x7F);
    if (!(byte & 0x80)) return HeaderField::Ok;
  }
  return HeaderField::TooLarge;
}

bool WriteMultiByte(PxFile* file, std::uint32_t value) {
  std::uint8_t bytes[5];
  int count = 0;
  do {
    bytes[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  for (int i = count - 1; i >= 0; --i) {
    const std::uint8_t byte = static_cast<std::uint8_t>(bytes[i] | (i > 0 ? 0x80 : 0));
    if (!file->PutByte(byte)) return false;
  }
  return true;
}

}  // namespace

bool PxImageWBMP::Decode(PxFile* file, bool probing) {
  auto fail = [this](const char* text) {
    SetError(text);
    return false;
  };

  std::uint32_t type = 0, width = 0, height = 0;
  const HeaderField typeField = ReadMultiByte(file, type);
  if (typeField == HeaderField::Truncated) return fail("Not a WBMP");
  if (typeField == HeaderField::TooLarge || type != 0) return fail("Unsupported WBMP type");
  const std::int32_t fixedHeader = file->GetByte();  // not used by type 0, which writes 0
  if (fixedHeader < 0 || (probing && fixedHeader != 0)) return fail("Not a WBMP");
  const HeaderField widthField = ReadMultiByte(file, width);
  const HeaderField heightField = widthField == HeaderField::Ok ? ReadMultiByte(file, height) : widthField;
  if (widthField == HeaderField::Truncated || heightField == HeaderField::Truncated) return fail("Not a WBMP");
  if (widthField == HeaderField::TooLarge || heightField == HeaderField::TooLarge || width == 0 || height == 0)
    return fail("Corrupted WBMP");

  // The rows must all be in the file before their block is made: a few header bytes can ask for
  // gigabytes.
  const std::uint64_t lineBytes = (static_cast<std::uint64_t>(width) + 7) / 8;
  const std::uint64_t dataBytes = lineBytes * height;
  const std::int32_t position = file->GetPosition();
  const std::int32_t size = file->GetSize();
  if (position < 0 || size < position) return fail("Not a WBMP");
  const auto left = static_cast<std::uint64_t>(size - position);
  if (probing && left != dataBytes) return fail("Not a WBMP");
  if (left < dataBytes) return fail("WBMP file truncated");

  if (!Create(width, height, 1, FMT_WBMP)) return fail("WBMP Create failed");
  SetGrayPalette();

  PxImageIterator rows(this);
  rows.MoveToTop();
  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = rows.RowPointer();
    if (file->Read(row, 1, lineBytes) < lineBytes) return fail("WBMP file truncated");
    // The row padding of the block must not carry stray memory into later saves.
    std::memset(row + lineBytes, 0, info.rowBytes - lineBytes);
    rows.StepDown();
  }
  return true;
}

bool PxImageWBMP::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  if (Width() >= 256 || Height() >= 256 || Bpp() != 1) {
    SetError("Can't save this image as WBMP");
    return false;
  }
  bool written = file->PutByte(0) && file->PutByte(0) && WriteMultiByte(file, static_cast<std::uint32_t>(Width())) &&
                 WriteMultiByte(file, static_cast<std::uint32_t>(Height()));
  const std::size_t lineBytes = (static_cast<std::size_t>(Width()) + 7) / 8;
  PxImageIterator rows(this);
  rows.MoveToTop();
  for (std::int32_t y = 0; y < Height() && written; ++y) {
    written = file->Write(rows.RowPointer(), lineBytes, 1) == 1;
    rows.StepDown();
  }
  if (!written) {
    SetError("WBMP: write error");
    return false;
  }
  return true;
}
