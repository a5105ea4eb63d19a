// PxImageGIF: the encoder. Palette pictures become one frame under a global table; true-colour
// pictures a mosaic of 17 x 15 tiles, each with its own 256-colour table, which the decoder puts
// back together. Three coders produce the data: LZW with a hashed string table, run codes that
// need no table in the encoder, and one code per pixel.
#include "image/PxImageGIF.h"

#include "image/PxFile.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr std::int32_t kHashSize = 5003;
constexpr std::int32_t kMaxCodeWidth = 12;
constexpr std::int32_t kTileWidth = 17;
constexpr std::int32_t kTileHeight = 15;

bool PutWord(PxFile* file, std::uint32_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value & 0xFF),
                                 static_cast<std::uint8_t>((value >> 8) & 0xFF)};
  return file->Write(bytes, 1, 2) == 2;
}

// Packs codes least significant bit first into data sub-blocks of at most `blockLimit` bytes.
class CodeWriter {
public:
  CodeWriter(PxFile* file, std::int32_t blockLimit) : FFile(file), FBlockLimit(blockLimit) {}

  void Put(std::int32_t code, std::int32_t width) {
    FBits |= static_cast<std::uint32_t>(code) << FBitCount;
    FBitCount += width;
    while (FBitCount >= 8) {
      PutByte(static_cast<std::uint8_t>(FBits & 0xFF));
      FBits >>= 8;
      FBitCount -= 8;
    }
  }

  // Moves out the last partial byte and the pending sub-block.
  void Finish() {
    if (FBitCount > 0) PutByte(static_cast<std::uint8_t>(FBits & 0xFF));
    FBits = 0;
    FBitCount = 0;
    WriteBlock();
  }

  bool Ok() const { return FOk; }

private:
  void PutByte(std::uint8_t byte) {
    FBlock[FBlockLength++] = byte;
    if (FBlockLength >= FBlockLimit) WriteBlock();
  }

  void WriteBlock() {
    if (FBlockLength == 0) return;
    const std::uint8_t length = static_cast<std::uint8_t>(FBlockLength);
    const auto size = static_cast<std::size_t>(FBlockLength);
    if (!FFile->PutByte(length) || FFile->Write(FBlock, 1, size) != size) FOk = false;
    FBlockLength = 0;
  }

  PxFile* FFile;
  std::int32_t FBlockLimit;
  std::uint32_t FBits = 0;
  std::int32_t FBitCount = 0;
  std::uint8_t FBlock[255] = {};
  std::int32_t FBlockLength = 0;
  bool FOk = true;
};

// The code stream of the LZW and one-code-per-pixel coders: widths grow with the next free code
// as a GIF decoder's do, and return to the initial width after a clear code.
class CodeOutput {
public:
  CodeOutput(PxFile* file, std::int32_t initialWidth)
      : clearCode(1 << (initialWidth - 1)),
        endCode(clearCode + 1),
        nextFree(clearCode + 2),
        FWriter(file, 254),
        FInitialWidth(initialWidth),
        FWidth(initialWidth),
        FLargestCode((1 << initialWidth) - 1) {}

  // OutputCode.
  void Output(std::int32_t code) {
    FWriter.Put(code, FWidth);
    if (nextFree > FLargestCode || clearFlag) {
      if (clearFlag) {
        FWidth = FInitialWidth;
        FLargestCode = (1 << FWidth) - 1;
        clearFlag = false;
      } else {
        ++FWidth;
        FLargestCode = FWidth == kMaxCodeWidth ? (1 << kMaxCodeWidth) : (1 << FWidth) - 1;
      }
    }
    if (code == endCode) FWriter.Finish();
  }

  bool Ok() const { return FWriter.Ok(); }

  const std::int32_t clearCode;
  const std::int32_t endCode;
  std::int32_t nextFree;
  bool clearFlag = false;

private:
  CodeWriter FWriter;
  std::int32_t FInitialWidth;
  std::int32_t FWidth;
  std::int32_t FLargestCode;
};

// Integer square root by Newton's iteration from a power-of-two start.
std::uint64_t IntegerSquareRoot(std::uint64_t x) {
  if (x < 2) return x;
  std::uint64_t root = 1;
  for (std::uint64_t v = x; v != 0; v >>= 2) root <<= 1;
  for (;;) {
    const std::uint64_t next = (x / root + root) / 2;
    if (next == root || next == root + 1) return root;
    root = next;
  }
}

// Codes needed to emit `count` equal pixels with run codes of lengths 1, 2, ... m, starting from a
// table that holds no run yet.
std::int64_t TriangleCost(std::int64_t count, std::int64_t codes) {
  const std::int64_t perRepeat = codes * (codes + 1) / 2;
  std::int64_t cost = 0;
  while (count >= perRepeat) {
    cost += codes;
    count -= perRepeat;
  }
  if (count > 0) {
    auto k = static_cast<std::int64_t>(IntegerSquareRoot(static_cast<std::uint64_t>(count)));
    while (k * (k + 1) >= 2 * count) --k;
    while (k * (k + 1) < 2 * count) ++k;
    cost += k;
  }
  return cost;
}

// Run-length coding for GIF: only single pixels and codes for runs the decoder's table already
// holds, counted here so that the code widths follow the decoder's table without building one.
class RunLengthCoder {
public:
  RunLengthCoder(PxFile* file, std::int32_t initialWidth)
      : FWriter(file, 255),
        FClearCode(1 << (initialWidth - 1)),
        FEndCode(FClearCode + 1),
        FBaseCode(FClearCode + 2),
        FWidthStart(initialWidth),
        FBumpStart((1 << (initialWidth - 1)) - 1),
        FLimitStart(initialWidth <= 3 ? 9 : FBumpStart - 1),
        FLargestCount(4093 - FClearCode) {}

  template <class Source>
  bool Run(Source nextPixel) {
    DidClear();
    Raw(FClearCode);
    for (;;) {
      const std::int32_t pixel = nextPixel();
      if (FRunLength > 0 && pixel != FRunPixel) Flush();
      if (pixel < 0) break;
      if (FRunLength > 0 && FRunPixel == pixel) {
        ++FRunLength;
      } else {
        FRunPixel = pixel;
        FRunLength = 1;
      }
    }
    Raw(FEndCode);
    FWriter.Finish();
    return FWriter.Ok();
  }

private:
  void Raw(std::int32_t code) { FWriter.Put(code, FWidth); }

  void DidClear() {
    FWidth = FWidthStart;
    FBump = FBumpStart;
    FLimit = FLimitStart;
    FCount = 0;
    FTableMax = 0;
    FJustCleared = true;
  }

  void ClearNow() {
    Raw(FClearCode);
    DidClear();
  }

  void Plain(std::int32_t code) {
    FJustCleared = false;
    Raw(code);
    ++FCount;
    if (FCount >= FBump) {
      ++FWidth;
      FBump += 1 << (FWidth - 1);
    }
    if (FCount >= FLimit) ClearNow();
  }

  void ResetLimit() {
    FLimit = FLimitStart;
    if (FCount >= FLimit) ClearNow();
  }

  void Flush() {
    if (FRunLength == 1) {
      Plain(FRunPixel);
    } else if (FJustCleared) {
      FillFromClear(FRunLength);
    } else if (FTableMax < 2 || FTablePixel != FRunPixel) {
      ClearOrRepeat(FRunLength);
    } else {
      UseTable(FRunLength);
    }
    FRunLength = 0;
  }

  void FillFromClear(std::int64_t count) {
    FLimit = FLargestCount;
    FTablePixel = FRunPixel;
    std::int32_t n = 1;
    while (count > 0) {
      if (n == 1) {
        FTableMax = 1;
        Plain(FRunPixel);
        --count;
      } else if (count >= n) {
        FTableMax = n;
        Plain(FBaseCode + n - 2);
        count -= n;
      } else if (count == 1) {
        ++FTableMax;
        Plain(FRunPixel);
        count = 0;
      } else {
        ++FTableMax;
        Plain(FBaseCode + static_cast<std::int32_t>(count) - 2);
        count = 0;
      }
      n = FCount == 0 ? 1 : n + 1;
    }
    ResetLimit();
  }

  void ClearOrRepeat(std::int64_t count) {
    if (1 + TriangleCost(count, FLargestCount) < count) {
      ClearNow();
      FillFromClear(count);
      return;
    }
    for (; count > 0; --count) Plain(FRunPixel);
  }

  void UseTable(std::int64_t count) {
    std::int64_t repeats = count / FTableMax;
    std::int64_t leftover = count % FTableMax;
    std::int64_t extra = leftover != 0 ? 1 : 0;
    if (FCount + repeats + extra > FLargestCount) {
      repeats = FLargestCount - FCount;
      leftover = count - repeats * FTableMax;
      extra = 1 + TriangleCost(leftover, FLargestCount);
    }
    if (1 + TriangleCost(count, FLargestCount) < repeats + extra) {
      ClearNow();
      FillFromClear(count);
      return;
    }
    FLimit = FLargestCount;
    for (; repeats > 0; --repeats) Plain(FBaseCode + FTableMax - 2);
    if (leftover > 0) {
      if (FJustCleared) {
        FillFromClear(leftover);
      } else if (leftover == 1) {
        Plain(FRunPixel);
      } else {
        Plain(FBaseCode + static_cast<std::int32_t>(leftover) - 2);
      }
    }
    ResetLimit();
  }

  CodeWriter FWriter;
  const std::int32_t FClearCode;
  const std::int32_t FEndCode;
  const std::int32_t FBaseCode;
  const std::int32_t FWidthStart;
  const std::int32_t FBumpStart;
  const std::int32_t FLimitStart;
  const std::int32_t FLargestCount;
  std::int32_t FRunPixel = 0;
  std::int64_t FRunLength = 0;
  std::int32_t FTablePixel = 0;
  std::int32_t FTableMax = 0;
  bool FJustCleared = true;
  std::int32_t FWidth = 0;
  std::int32_t FCount = 0;
  std::int32_t FBump = 0;
  std::int32_t FLimit = 0;
};

}  // namespace

bool PxImageGIF::WriteFailed() {
  SetError("Write Error in GIF file");
  return false;
}

bool PxImageGIF::Encode(PxFile* file) {
  if (EncodeCheck(file)) return false;
  if (Width() > 0xFFFF || Height() > 0xFFFF) {
    SetError("Image too large for GIF");
    return false;
  }
  if (Bpp() > 8) return EncodeTrueColor(file);

  if (!WriteHeader(file) || !WriteControlExtension(file) || !WriteComment(file) || !WriteImage(file, false) ||
      !file->PutByte(';') || !file->Flush() || file->HasError())
    return WriteFailed();
  return true;
}

bool PxImageGIF::WriteHeader(PxFile* file) {
  const std::uint32_t bpp = Bpp();
  const std::uint8_t flags =
      IsIndexed() ? static_cast<std::uint8_t>(0x80 | ((bpp - 1) << 4) | (bpp - 1)) : static_cast<std::uint8_t>(0x11);
  const std::uint8_t tail[3] = {flags, 0, 0};  // flags, background index, aspect ratio
  if (file->Write("GIF89a", 1, 6) != 6 || !PutWord(file, static_cast<std::uint32_t>(Width())) ||
      !PutWord(file, static_cast<std::uint32_t>(Height())) || file->Write(tail, 1, 3) != 3)
    return false;
  for (std::uint32_t i = 0; i < NumColors(); ++i) {
    const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
    const std::uint8_t rgb[3] = {entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
    if (file->Write(rgb, 1, 3) != 3) return false;
  }
  return true;
}

bool PxImageGIF::WriteControlExtension(PxFile* file) {
  FGraphicControl.flags = static_cast<std::uint8_t>(((FDisposal & 7) << 2) | (info.transparentIndex != -1 ? 1 : 0));
  FGraphicControl.delay = static_cast<std::uint16_t>(std::min<std::uint32_t>(info.frameDelay, 0xFFFF));
  FGraphicControl.transparentIndex = static_cast<std::uint8_t>(info.transparentIndex);
  const std::uint8_t start[3] = {0x21, 0xF9, sizeof(FGraphicControl)};
  return file->Write(start, 1, 3) == 3 && file->Write(&FGraphicControl, sizeof(FGraphicControl), 1) == 1 &&
         file->PutByte(0);
}

bool PxImageGIF::WriteComment(PxFile* file) {
  const auto length = static_cast<std::size_t>(std::find(FComment, FComment + 255, '\0') - FComment);
  if (length == 0) return true;
  const std::uint8_t start[3] = {0x21, 0xFE, static_cast<std::uint8_t>(length)};
  return file->Write(start, 1, 3) == 3 && file->Write(FComment, 1, length) == length && file->PutByte(0);
}

bool PxImageGIF::WriteImage(PxFile* file, bool localTable) {
  FCursorX = 0;
  FCursorY = Height() - 1;
  FPixelsLeft = static_cast<std::int64_t>(Width()) * Height();

  const std::uint32_t bpp = Bpp();
  const std::uint8_t flags = localTable ? static_cast<std::uint8_t>(0x80 | (bpp - 1)) : 0;
  if (!file->PutByte(',') || !PutWord(file, static_cast<std::uint32_t>(info.offsetX)) ||
      !PutWord(file, static_cast<std::uint32_t>(info.offsetY)) || !PutWord(file, static_cast<std::uint32_t>(Width())) ||
      !PutWord(file, static_cast<std::uint32_t>(Height())) || !file->PutByte(flags))
    return false;
  if (localTable) {
    for (std::uint32_t i = 0; i < NumColors(); ++i) {
      const RGBQUAD entry = PaletteColor(static_cast<std::uint8_t>(i));
      const std::uint8_t rgb[3] = {entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
      if (file->Write(rgb, 1, 3) != 3) return false;
    }
  }
  const std::int32_t minimumCodeSize = std::max<std::int32_t>(bpp, 2);
  if (!file->PutByte(static_cast<std::uint8_t>(minimumCodeSize))) return false;

  bool coded = false;
  switch (CodecOption(FMT_GIF)) {
    case kOptionUncompressed: coded = CompressNone(file, minimumCodeSize + 1); break;
    case kOptionRunLength: coded = CompressRle(file, minimumCodeSize + 1); break;
    default: coded = CompressLzw(file, minimumCodeSize + 1); break;
  }
  return coded && file->PutByte(0);
}

std::int32_t PxImageGIF::NextPixel() {
  if (FPixelsLeft <= 0) return -1;
  --FPixelsLeft;
  const std::int32_t index = BlindPixelIndex(FCursorX, FCursorY);
  if (++FCursorX >= Width()) {
    FCursorX = 0;
    --FCursorY;
  }
  return index;
}

bool PxImageGIF::CompressLzw(PxFile* file, std::int32_t initialWidth) {
  CodeOutput out(file, initialWidth);
  // Key = pixel * 4096 + prefix code; -1 marks a free slot.
  std::vector<std::int32_t> hash(kHashSize, -1);
  std::vector<std::uint16_t> codes(kHashSize, 0);

  out.Output(out.clearCode);
  std::int32_t current = NextPixel();
  for (std::int32_t pixel = NextPixel(); pixel >= 0; pixel = NextPixel()) {
    const std::int32_t key = (pixel << kMaxCodeWidth) + current;
    std::int32_t slot = (pixel << 4) ^ current;
    bool found = hash[static_cast<std::size_t>(slot)] == key;
    if (!found && hash[static_cast<std::size_t>(slot)] >= 0) {
      const std::int32_t step = slot == 0 ? 1 : kHashSize - slot;
      do {
        slot -= step;
        if (slot < 0) slot += kHashSize;
        found = hash[static_cast<std::size_t>(slot)] == key;
      } while (!found && hash[static_cast<std::size_t>(slot)] > 0);
    }
    if (found) {
      current = codes[static_cast<std::size_t>(slot)];
      continue;
    }
    out.Output(current);
    if (out.nextFree <= 4095) {
      codes[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(out.nextFree++);
      hash[static_cast<std::size_t>(slot)] = key;
    } else {
      std::fill(hash.begin(), hash.end(), -1);
      out.nextFree = out.clearCode + 2;
      out.clearFlag = true;
      out.Output(out.clearCode);
    }
    current = pixel;
  }
  out.Output(current);
  out.Output(out.endCode);
  return out.Ok();
}

bool PxImageGIF::CompressNone(PxFile* file, std::int32_t initialWidth) {
  CodeOutput out(file, initialWidth);
  out.Output(out.clearCode);
  for (std::int32_t pixel = NextPixel(); pixel >= 0; pixel = NextPixel()) {
    out.Output(pixel);
    if (out.nextFree > 4095) {
      out.nextFree = out.clearCode + 2;
      out.clearFlag = true;
      out.Output(out.clearCode);
    } else {
      ++out.nextFree;
    }
  }
  out.Output(out.endCode);
  return out.Ok();
}

bool PxImageGIF::CompressRle(PxFile* file, std::int32_t initialWidth) {
  RunLengthCoder coder(file, initialWidth);
  return coder.Run([this] { return NextPixel(); });
}

bool PxImageGIF::EncodeTrueColor(PxFile* file) {
  if (!WriteHeader(file) || !WriteComment(file)) return WriteFailed();

  const std::int32_t width = Width();
  const std::int32_t height = Height();
  std::unique_ptr<PxImageGIF> tile;
  for (std::int32_t top = 0; top < height; top += kTileHeight) {
    for (std::int32_t left = 0; left < width; left += kTileWidth) {
      const std::int32_t tileWidth = std::min(kTileWidth, width - left);
      const std::int32_t tileHeight = std::min(kTileHeight, height - top);
      if (!tile || tile->Width() != tileWidth || tile->Height() != tileHeight) {
        tile = std::make_unique<PxImageGIF>();
        if (!tile->Create(static_cast<std::uint32_t>(tileWidth), static_cast<std::uint32_t>(tileHeight), 8, FMT_GIF)) {
          SetError(tile->LastError());
          return false;
        }
      }
      if (info.transparentIndex >= 0) {
        tile->SetTransparentIndex(0);
        tile->SetPaletteColor(0, TransparentColor());
      }
      // Entry i + 17 j + 1 holds the colour of tile pixel (i, j); an earlier entry of the same colour,
      // the transparent entry 0 included, takes the pixel.
      const std::int32_t bottom = height - top - tileHeight;
      for (std::int32_t j = 0; j < tileHeight; ++j) {
        for (std::int32_t i = 0; i < tileWidth; ++i) {
          RGBQUAD colour = BlindPixelColor(left + i, bottom + j);
          colour.rgbReserved = 0;
          tile->SetPaletteColor(static_cast<std::uint8_t>(i + kTileWidth * j + 1), colour);
          tile->SetPixelIndex(i, j, tile->NearestIndex(colour));
        }
      }
      tile->SetOffset(left, top);
      if (!tile->WriteControlExtension(file) || !tile->WriteImage(file, true)) return WriteFailed();
    }
  }
  if (!file->PutByte(';') || !file->Flush() || file->HasError()) return WriteFailed();
  return true;
}
