// PxImageGIF: the decoder. The stream is walked block by block; each frame's LZW data is decoded
// into this image at the frame's size and then merged into a canvas of the logical-screen size,
// or, for a mosaic, painted into a 24-bit picture.
#include "image/PxImageGIF.h"

#include "image/PxFile.h"
#include "image/PxImageIterator.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

struct PxImageGIF::ColorTable {
  std::uint32_t count = 0;
  std::uint8_t red[256] = {};
  std::uint8_t green[256] = {};
  std::uint8_t blue[256] = {};

  // The same entries as `other` (no table counts as an empty one).
  bool SameAs(const ColorTable* other) const {
    if (!other) return count == 0;
    return other->count == count && std::equal(red, red + count, other->red) &&
           std::equal(green, green + count, other->green) && std::equal(blue, blue + count, other->blue);
  }
};

// What the extensions of one frame set; the counting pass must not hand its last frame's values
// to the first frame it decodes.
struct PxImageGIF::ExtensionState {
  GraphicControl graphicControl;
  std::int32_t transparentIndex;
  std::uint32_t frameDelay;
  std::int32_t disposal;
};

// The state of one walk through the blocks that outlives a frame.
struct PxImageGIF::Walk {
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
  std::uint8_t background = 0;  // the logical screen's background index
  std::int32_t canvasTransparent = -1;
  std::int32_t previousDisposal = 0;
  Descriptor previousFrame{};
  std::unique_ptr<PxImage> picture;  // the 24-bit picture of a mosaic
  // The first frame's colour table: the canvas keeps indices while every frame uses this one.
  ColorTable firstTable;
  // Set once a frame brings other colours: the canvas then holds colours, not indices.
  bool trueColour = false;
  RGBQUAD fillColour{};  // what "restore to background" paints on a canvas of colours
  // The canvas as it was before the last frame that is to be "restored to previous" after it.
  std::unique_ptr<PxImage> beforeFrame;
};

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;  // "!"
constexpr std::uint8_t kImageSeparator = 0x2C;       // ","
constexpr std::uint8_t kTrailer = 0x3B;              // ";"
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;

// The encoder writes true-colour pictures as tiles of this size, from the top-left.
constexpr std::int32_t kTileWidth = 17;
constexpr std::int32_t kTileHeight = 15;

constexpr std::int32_t kMaxCodes = 4096;
constexpr std::size_t kReadAheadSize = 16384;

// A 12-bit code stands for at most 4096 pixels, so a byte of LZW data fills at most 2731 of them.
// The logical screen may exceed what the file's bytes can fill by 1 Mi pixels (a small frame on a
// larger screen), no more: a few bytes cannot make the decoder allocate gigabytes.
constexpr std::uint64_t kLzwPixelsPerByte = 2731;
constexpr std::uint64_t kScreenSlackPixels = 1 << 20;

std::int32_t LittleEndian16(const std::uint8_t* bytes) { return bytes[0] | (bytes[1] << 8); }

bool ReadBytes(PxFile* file, void* buffer, std::size_t count) { return file->Read(buffer, 1, count) == count; }

// Passes over data sub-blocks up to and including the zero-length one; false when the stream ends first.
bool SkipSubBlocks(PxFile* file) {
  for (;;) {
    std::uint8_t length = 0;
    if (!ReadBytes(file, &length, 1)) return false;
    if (length == 0) return true;
    if (!file->Seek(length, SEEK_CUR)) return false;
  }
}

std::uint32_t ColorTableEntries(std::uint8_t flags) { return 2u << (flags & 7); }

bool ReadColorTable(PxFile* file, std::uint8_t flags, std::uint32_t& count, std::uint8_t* red, std::uint8_t* green,
                    std::uint8_t* blue) {
  count = ColorTableEntries(flags);
  std::uint8_t triples[3 * 256];
  if (!ReadBytes(file, triples, 3 * count)) return false;
  for (std::uint32_t i = 0; i < count; ++i) {
    red[i] = triples[3 * i];
    green[i] = triples[3 * i + 1];
    blue[i] = triples[3 * i + 2];
  }
  return true;
}

// Moves past a frame's local table (if any), its minimum code size and its data sub-blocks.
bool SkipFrame(PxFile* file, std::uint8_t flags) {
  if ((flags & 0x80) && !file->Seek(static_cast<std::int32_t>(3 * ColorTableEntries(flags)), SEEK_CUR)) return false;
  std::uint8_t codeSize = 0;
  return ReadBytes(file, &codeSize, 1) && SkipSubBlocks(file);
}

std::uint32_t DepthForColors(std::uint32_t colors) {
  if (colors == 0) return 8;  // no table at all: keep every index the data holds
  if (colors <= 2) return 1;
  if (colors <= 16) return 4;
  return 8;
}

// Decodes one frame's LZW data into the rows of an image of the frame's size, top row first,
// or in the four interlace passes. Codes are read through a read-ahead buffer, so the caller
// repositions the file afterwards.
class GifFrameReader {
public:
  GifFrameReader(PxFile* file, PxImage& frame, bool interlaced)
      : FFile(file), FFrame(frame), FRows(&frame), FInterlaced(interlaced) {
    FRows.MoveToTop();
  }

  // Decodes until the end code, the end of the data or a row beyond the frame. Returns 0, or a
  // negative value when the data could not be decoded at all.
  std::int32_t LzwDecode();

private:
  std::int32_t NextByte();
  std::int32_t NextCode();
  // Hands one decoded line (indices, one per byte) to the frame; negative when it lies beyond it.
  std::int32_t EmitRow(std::uint8_t* line, std::int32_t length);
  void ResetCodeSize() {
    FCodeSize = FInitialCodeSize;
    FNextSlot = FFirstFree;
    FTableLimit = 1 << FCodeSize;
  }

  PxFile* FFile;
  PxImage& FFrame;
  PxImageIterator FRows;

  // Row placement.
  bool FInterlaced;
  std::int32_t FRowsWritten = 0;
  std::int32_t FOutputRow = 0;  // counted from the top
  std::int32_t FPass = 0;

  // Read-ahead buffer.
  std::uint8_t FReadAhead[kReadAheadSize] = {};
  std::size_t FReadPosition = 0;
  std::size_t FReadHeld = 0;
  bool FStreamEnded = false;

  // LZW state.
  std::int32_t FInitialCodeSize = 0;
  std::int32_t FCodeSize = 0;
  std::int32_t FClearCode = 0;
  std::int32_t FEndCode = 0;
  std::int32_t FFirstFree = 0;
  std::int32_t FTableLimit = 0;
  std::int32_t FNextSlot = 0;
  std::uint32_t FBits = 0;
  std::int32_t FBitCount = 0;
  std::uint8_t FSubBlock[255] = {};
  std::int32_t FSubBlockLength = 0;
  std::int32_t FSubBlockPosition = 0;
  bool FDataEnded = false;
  std::uint8_t FStack[kMaxCodes] = {};
  std::uint8_t FSuffix[kMaxCodes] = {};
  std::uint16_t FPrefix[kMaxCodes] = {};
};

std::int32_t GifFrameReader::NextByte() {
  if (FReadPosition >= FReadHeld) {
    if (FStreamEnded) return -1;
    FReadHeld = FFile->Read(FReadAhead, 1, sizeof(FReadAhead));
    FReadPosition = 0;
    if (FReadHeld == 0) {
      FStreamEnded = true;
      return -1;
    }
  }
  return FReadAhead[FReadPosition++];
}

std::int32_t GifFrameReader::NextCode() {
  while (FBitCount < FCodeSize) {
    if (FSubBlockPosition >= FSubBlockLength) {
      if (FDataEnded) return FEndCode;
      const std::int32_t length = NextByte();
      if (length < 0) return length;
      if (length == 0) {
        FDataEnded = true;
        return FEndCode;
      }
      // A sub-block cut short by the end of the stream still gives the codes it holds.
      FSubBlockLength = 0;
      FSubBlockPosition = 0;
      for (std::int32_t i = 0; i < length; ++i) {
        const std::int32_t byte = NextByte();
        if (byte < 0) break;
        FSubBlock[FSubBlockLength++] = static_cast<std::uint8_t>(byte);
      }
      if (FSubBlockLength == 0) return -1;
    }
    FBits |= static_cast<std::uint32_t>(FSubBlock[FSubBlockPosition++]) << FBitCount;
    FBitCount += 8;
  }
  const std::int32_t code = static_cast<std::int32_t>(FBits & ((1u << FCodeSize) - 1));
  FBits >>= FCodeSize;
  FBitCount -= FCodeSize;
  return code;
}

std::int32_t GifFrameReader::EmitRow(std::uint8_t* line, std::int32_t length) {
  const std::int32_t width = FFrame.Width();
  const std::int32_t height = FFrame.Height();
  // A short last line keeps index 0 beyond what was decoded.
  if (length < width) std::memset(line + length, 0, static_cast<std::size_t>(width - length));

  std::int32_t rowLength = width;
  const std::uint16_t bpp = FFrame.Bpp();
  if (bpp == 1 || bpp == 4) {
    // Packed in place: byte b of the packed row is written only after the pixels it overwrites were read.
    const std::int32_t perByte = 8 / bpp;
    const std::uint8_t mask = static_cast<std::uint8_t>((1 << bpp) - 1);
    std::uint8_t packed = 0;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int32_t shift = (perByte - 1 - x % perByte) * bpp;
      packed = static_cast<std::uint8_t>(packed | ((line[x] & mask) << shift));
      if (x % perByte == perByte - 1 || x == width - 1) {
        line[x / perByte] = packed;
        packed = 0;
      }
    }
    rowLength = (width + perByte - 1) / perByte;
  }

  if (!FInterlaced) {
    if (FRowsWritten >= height) return -1;
    FRows.WriteRow(line, rowLength);
    FRows.StepDown();
    ++FRowsWritten;
    return 0;
  }

  // The four passes: rows 0, 8, 16...; 4, 12...; 2, 6...; 1, 3... Passes without rows are skipped.
  static constexpr std::int32_t kPassStart[4] = {0, 4, 2, 1};
  static constexpr std::int32_t kPassStep[4] = {8, 8, 4, 2};
  if (FPass > 3) return -1;
  FRows.MoveToRow(height - 1 - FOutputRow);
  FRows.WriteRow(line, rowLength);
  FOutputRow += kPassStep[FPass];
  while (FOutputRow >= height) {
    if (++FPass > 3) break;
    FOutputRow = kPassStart[FPass];
  }
  return 0;
}

std::int32_t GifFrameReader::LzwDecode() {
  const std::int32_t minimumCodeSize = NextByte();
  if (minimumCodeSize < 0) return minimumCodeSize;
  if (minimumCodeSize < 2 || minimumCodeSize > 9) return -20;

  FInitialCodeSize = minimumCodeSize + 1;
  FClearCode = 1 << minimumCodeSize;
  FEndCode = FClearCode + 1;
  FFirstFree = FClearCode + 2;
  ResetCodeSize();

  const std::int32_t width = FFrame.Width();
  std::vector<std::uint8_t> line(static_cast<std::size_t>(width) + 1);
  std::int32_t lineLength = 0;
  // Puts one index into the line; a full line goes to the frame.
  auto emit = [&](std::uint8_t index) {
    line[static_cast<std::size_t>(lineLength++)] = index;
    if (lineLength < width) return 0;
    lineLength = 0;
    return EmitRow(line.data(), width);
  };

  std::int32_t oldCode = 0;
  std::int32_t firstChar = 0;
  for (;;) {
    std::int32_t code = NextCode();
    if (code < 0 || code == FEndCode) break;

    if (code == FClearCode) {
      ResetCodeSize();
      do {
        code = NextCode();
      } while (code == FClearCode);
      if (code < 0 || code == FEndCode) break;
      if (code >= FNextSlot) code = 0;
      oldCode = firstChar = code;
      if (emit(static_cast<std::uint8_t>(code)) < 0) return 0;
      continue;
    }

    std::int32_t depth = 0;
    std::int32_t k = code;
    if (k >= FNextSlot) {
      // The string being defined right now: the previous one plus its own first character.
      FStack[depth++] = static_cast<std::uint8_t>(firstChar);
      k = oldCode;
    }
    while (k >= FFirstFree) {
      // Corrupt data can chain table entries into a loop; a string never exceeds the table.
      if (depth >= kMaxCodes) return 0;
      FStack[depth++] = FSuffix[k];
      k = FPrefix[k];
    }
    if (depth >= kMaxCodes) return 0;
    FStack[depth++] = static_cast<std::uint8_t>(k);

    if (FNextSlot < FTableLimit) {
      FSuffix[FNextSlot] = static_cast<std::uint8_t>(k);
      firstChar = k;
      FPrefix[FNextSlot] = static_cast<std::uint16_t>(oldCode);
      ++FNextSlot;
      oldCode = code;
    }
    if (FNextSlot >= FTableLimit && FCodeSize < 12) {
      FTableLimit <<= 1;
      ++FCodeSize;
    }
    while (depth > 0) {
      if (emit(FStack[--depth]) < 0) return 0;
    }
  }
  if (lineLength > 0) EmitRow(line.data(), lineLength);
  return 0;
}

}  // namespace

PxImageGIF::ExtensionState PxImageGIF::SaveExtensionState() const {
  return ExtensionState{FGraphicControl, info.transparentIndex, info.frameDelay, FDisposal};
}

void PxImageGIF::RestoreExtensionState(const ExtensionState& state) {
  FGraphicControl = state.graphicControl;
  info.transparentIndex = state.transparentIndex;
  info.frameDelay = state.frameDelay;
  FDisposal = state.disposal;
}

bool PxImageGIF::ReadExtension(PxFile* file) {
  std::uint8_t label = 0;
  if (!ReadBytes(file, &label, 1)) return false;

  bool good = true;
  // Set when the extension's zero-length terminator has already been read.
  bool terminated = false;
  switch (label) {
    case kGraphicControlLabel: {
      std::uint8_t size = 0;
      if (!ReadBytes(file, &size, 1) || !ReadBytes(file, &FGraphicControl, sizeof(FGraphicControl))) return false;
      good = size == sizeof(FGraphicControl);
      if (good) {
        // The control block describes the frame that follows it: one without the transparent bit is opaque.
        info.transparentIndex = (FGraphicControl.flags & 1) ? FGraphicControl.transparentIndex : -1;
        info.frameDelay = FGraphicControl.delay;
        FDisposal = (FGraphicControl.flags >> 2) & 7;
      }
      break;
    }
    case kCommentLabel: {
      std::uint8_t length = 0;
      if (!ReadBytes(file, &length, 1)) return false;
      // An empty comment is its own terminator.
      if (length == 0) {
        FComment[0] = '\0';
        terminated = true;
        break;
      }
      if (!ReadBytes(file, FComment, length)) return false;
      FComment[length] = '\0';
      break;
    }
    case kApplicationLabel: {
      std::uint8_t size = 0;
      if (!ReadBytes(file, &size, 1)) return false;
      good = size == 11;
      if (!good) break;
      std::uint8_t identifier[11];
      std::uint8_t length = 0;
      std::uint8_t data[255];
      if (!ReadBytes(file, identifier, sizeof(identifier)) || !ReadBytes(file, &length, 1) ||
          !ReadBytes(file, data, length))
        return false;
      if (length > 2) FLoopCount = LittleEndian16(data + 1);
      terminated = length == 0;
      break;
    }
    default: break;
  }
  if (good && !terminated) SkipSubBlocks(file);
  return good;
}

std::int32_t PxImageGIF::CountFrames(PxFile* file, std::int32_t screenWidth, std::int32_t screenHeight) {
  const std::int32_t start = file->GetPosition();
  const ExtensionState before = SaveExtensionState();
  std::int32_t count = 0;
  bool recognising = true;
  for (;;) {
    std::uint8_t byte = 0;
    if (!ReadBytes(file, &byte, 1)) break;
    if (!recognising) {
      recognising = byte == 0;
      continue;
    }
    if (byte == kTrailer) break;
    if (byte == kExtensionIntroducer) {
      ReadExtension(file);
      continue;
    }
    if (byte != kImageSeparator) {
      recognising = byte == 0;
      continue;
    }
    std::uint8_t bytes[9];
    if (!ReadBytes(file, bytes, sizeof(bytes))) break;
    const std::int32_t left = LittleEndian16(bytes), top = LittleEndian16(bytes + 2);
    const std::int32_t width = LittleEndian16(bytes + 4), height = LittleEndian16(bytes + 6);
    if (width > 0 && height > 0 && left + width <= screenWidth && top + height <= screenHeight) ++count;
    if (!SkipFrame(file, bytes[8])) break;
  }
  RestoreExtensionState(before);
  file->Seek(start, SEEK_SET);
  return count;
}

bool PxImageGIF::ReadFrame(PxFile* file, const Descriptor& frame, const ColorTable* table) {
  const std::uint32_t bpp = DepthForColors(table ? table->count : 0);
  if (!Create(static_cast<std::uint32_t>(frame.width), static_cast<std::uint32_t>(frame.height), bpp, FMT_GIF))
    return false;
  if (table) {
    if (info.transparentIndex != -1) {
      ColorTable padded = *table;
      for (std::uint32_t i = padded.count; i < 256; ++i) padded.red[i] = padded.green[i] = padded.blue[i] = 255;
      SetPaletteRGB(256, padded.red, padded.green, padded.blue);
    } else {
      SetPaletteRGB(table->count, table->red, table->green, table->blue);
    }
  }
  // Rows the data does not reach stay transparent (or index 0) instead of holding stale memory.
  Clear(static_cast<std::uint8_t>(info.transparentIndex >= 0 ? info.transparentIndex : 0));

  const std::int32_t dataStart = file->GetPosition();
  auto reader = std::make_unique<GifFrameReader>(file, *this, (frame.flags & 0x40) != 0);
  reader->LzwDecode();
  reader.reset();

  // The sub-blocks tell exactly where the frame ends, however its codes went.
  std::uint8_t codeSize = 0;
  return file->Seek(dataStart, SEEK_SET) && ReadBytes(file, &codeSize, 1) && SkipSubBlocks(file);
}

void PxImageGIF::MergeFrame(PxImage& canvas, const Descriptor& frame) const {
  const bool colours = canvas.Bpp() == 24;
  const std::int32_t firstRow = canvas.Height() - frame.top - frame.height;
  const std::int32_t lastColumn = std::min(frame.left + frame.width, canvas.Width());
  for (std::int32_t row = std::max(firstRow, 0); row < canvas.Height() - frame.top; ++row) {
    for (std::int32_t column = frame.left; column < lastColumn; ++column) {
      const std::uint8_t index = PixelIndex(column - frame.left, row - firstRow);
      if (info.transparentIndex == index) continue;
      if (!colours) {
        canvas.SetPixelIndex(column, row, index);
        continue;
      }
      canvas.SetPixelColor(column, row, PaletteColor(index));
      if (canvas.AlphaIsValid()) canvas.AlphaSet(column, row, 255);
    }
  }
}

bool PxImageGIF::MakeTrueColour(Walk& walk, PxImage& canvas) {
  PxImage colours(FMT_GIF);
  colours.CopyInfo(canvas);
  if (!colours.Create(static_cast<std::uint32_t>(canvas.Width()), static_cast<std::uint32_t>(canvas.Height()), 24,
                      FMT_GIF) ||
      (walk.canvasTransparent >= 0 && !colours.AlphaCreate())) {
    SetError(colours.LastError());
    return false;
  }
  for (std::int32_t y = 0; y < canvas.Height(); ++y) {
    for (std::int32_t x = 0; x < canvas.Width(); ++x) {
      const std::uint8_t index = canvas.BlindPixelIndex(x, y);
      colours.SetPixelColor(x, y, canvas.PaletteColor(index));
      if (index == walk.canvasTransparent) colours.AlphaSet(x, y, 0);
    }
  }
  // The background as the canvas of indices showed it.
  const std::int32_t fill = walk.canvasTransparent >= 0 ? walk.canvasTransparent : walk.background;
  walk.fillColour = canvas.PaletteColor(static_cast<std::uint8_t>(fill));
  return canvas.Transfer(colours);
}

bool PxImageGIF::RestoreCanvas(Walk& walk, PxImage& canvas) {
  PxImage& before = *walk.beforeFrame;
  if (before.Bpp() != canvas.Bpp() && !MakeTrueColour(walk, before)) return false;
  std::memcpy(canvas.RowBits(0), before.RowBits(0), canvas.Header().biSizeImage);
  if (before.AlphaIsValid()) canvas.AlphaCopy(before);
  return true;
}

std::unique_ptr<PxImageGIF> PxImageGIF::MakeCanvas(Walk& walk, bool firstFrame, std::uint32_t bpp) {
  auto canvas = std::make_unique<PxImageGIF>();
  if (firstFrame) {
    canvas->CopyInfo(*this);
    canvas->Create(static_cast<std::uint32_t>(walk.screenWidth), static_cast<std::uint32_t>(walk.screenHeight), bpp,
                   FMT_GIF);
    canvas->Clear(FGraphicControl.transparentIndex);
    walk.canvasTransparent = info.transparentIndex;
  } else {
    canvas->Copy(*this, true, true, true);
    if (canvas->IsValid() && walk.trueColour && canvas->Bpp() != 24 && !MakeTrueColour(walk, *canvas)) return nullptr;
    // "Restore to previous" gives back the canvas as it was before the previous frame.
    if (canvas->IsValid() && walk.previousDisposal == 3 && walk.beforeFrame && !RestoreCanvas(walk, *canvas))
      return nullptr;
    // "Restore to background" clears the area the previous frame covered, nothing else.
    if (walk.previousDisposal == 2) {
      const Descriptor& previous = walk.previousFrame;
      const std::uint8_t background =
          walk.canvasTransparent >= 0 ? static_cast<std::uint8_t>(walk.canvasTransparent) : walk.background;
      for (std::int32_t y = 0; y < previous.height; ++y) {
        for (std::int32_t x = 0; x < previous.width; ++x) {
          const std::int32_t column = previous.left + x;
          const std::int32_t row = walk.screenHeight - 1 - (previous.top + y);
          if (canvas->Bpp() != 24) {
            canvas->SetPixelIndex(column, row, background);
            continue;
          }
          canvas->SetPixelColor(column, row, walk.fillColour);
          if (canvas->AlphaIsValid()) canvas->AlphaSet(column, row, 0);
        }
      }
    }
  }
  if (!canvas->IsValid()) {
    SetError(canvas->LastError());
    return nullptr;
  }
  return canvas;
}

bool PxImageGIF::PaintTile(Walk& walk, const Descriptor& tile) {
  if (!walk.picture) {
    walk.picture = std::make_unique<PxImage>(FMT_GIF);
    walk.picture->CopyInfo(*this);
    if (!walk.picture->Create(static_cast<std::uint32_t>(walk.screenWidth),
                              static_cast<std::uint32_t>(walk.screenHeight), 24, FMT_GIF)) {
      SetError(walk.picture->LastError());
      return false;
    }
    walk.picture->Clear(0);
  }
  for (std::int32_t y = 0; y < tile.height; ++y) {
    for (std::int32_t x = 0; x < tile.width; ++x) {
      walk.picture->SetPixelColor(tile.left + x, walk.screenHeight - 1 - (tile.top + y),
                                  BlindPixelColor(x, tile.height - 1 - y));
    }
  }
  return true;
}

bool PxImageGIF::Decode(PxFile* file) {
  if (!file) return false;

  const std::int32_t start = file->GetPosition();
  std::uint8_t screen[13];
  if (!ReadBytes(file, screen, sizeof(screen)) || std::memcmp(screen, "GIF8", 4) != 0) {
    SetError("Not a GIF");
    return false;
  }
  Walk walk;
  walk.screenWidth = LittleEndian16(screen + 6);
  walk.screenHeight = LittleEndian16(screen + 8);
  walk.background = screen[11];
  const std::uint8_t screenFlags = screen[10];

  if (info.escape == -1) {
    header.biWidth = walk.screenWidth;
    header.biHeight = walk.screenHeight;
    return true;
  }

  ColorTable global;
  if ((screenFlags & 0x80) && !ReadColorTable(file, screenFlags, global.count, global.red, global.green, global.blue)) {
    SetError("corrupted GIF");
    return false;
  }
  const std::int32_t size = file->GetSize();
  const std::uint64_t fileBytes = size > start ? static_cast<std::uint64_t>(size - start) : 0;
  if (static_cast<std::uint64_t>(walk.screenWidth) * static_cast<std::uint64_t>(walk.screenHeight) >
      fileBytes * kLzwPixelsPerByte + kScreenSlackPixels) {
    SetError("GIF: logical screen too large for the file");
    return false;
  }

  info.frameCount = CountFrames(file, walk.screenWidth, walk.screenHeight);
  if (info.frameIndex < 0 || info.frameIndex >= info.frameCount) {
    SetError("GIF frame not found");
    return false;
  }

  std::int32_t lastFrame = info.frameIndex;
  bool mosaic = false;
  std::int32_t frameNumber = 0;
  bool recognising = true;
  for (;;) {
    std::uint8_t byte = 0;
    if (!ReadBytes(file, &byte, 1)) break;
    if (info.escape > 0) return false;
    if (!recognising) {
      recognising = byte == 0;
      continue;
    }
    if (byte == kTrailer) break;
    if (byte == kExtensionIntroducer) {
      if (!ReadExtension(file)) break;
      continue;
    }
    if (byte != kImageSeparator) {
      recognising = byte == 0;
      continue;
    }

    std::uint8_t bytes[9];
    if (!ReadBytes(file, bytes, sizeof(bytes))) break;
    const Descriptor frame{LittleEndian16(bytes), LittleEndian16(bytes + 2), LittleEndian16(bytes + 4),
                           LittleEndian16(bytes + 6), bytes[8]};
    // Frames of no size or beyond the screen are not counted and not decoded.
    if (frame.width == 0 || frame.height == 0 || frame.left + frame.width > walk.screenWidth ||
        frame.top + frame.height > walk.screenHeight) {
      if (!SkipFrame(file, frame.flags)) break;
      continue;
    }

    if (frameNumber == 0) {
      // A mosaic has no global table and several tiles, the first not covering the screen: smaller
      // in both directions, or the encoder's first tile, which is as wide or as high as a small picture.
      const bool firstTile = frame.left == 0 && frame.top == 0 &&
                             frame.width == std::min(kTileWidth, walk.screenWidth) &&
                             frame.height == std::min(kTileHeight, walk.screenHeight);
      mosaic = !(screenFlags & 0x80) && info.frameCount > 1 &&
               ((frame.width != walk.screenWidth && frame.height != walk.screenHeight) || firstTile);
    }

    ColorTable local;
    if ((frame.flags & 0x80) && !ReadColorTable(file, frame.flags, local.count, local.red, local.green, local.blue))
      break;
    const ColorTable* table = local.count ? &local : (global.count ? &global : nullptr);
    // Indices of a frame with other colours than the first would repaint every earlier pixel:
    // from such a frame on the canvas holds colours.
    if (frameNumber == 0) walk.firstTable = table ? *table : ColorTable{};
    else if (!walk.firstTable.SameAs(table)) walk.trueColour = true;

    std::unique_ptr<PxImageGIF> canvas;
    if (!mosaic) {
      canvas = MakeCanvas(walk, frameNumber == 0, DepthForColors(table ? table->count : 0));
      if (!canvas) return false;
      if (FDisposal == 3 && frameNumber != lastFrame) {
        walk.beforeFrame = std::make_unique<PxImage>(*canvas, true, false, true);
        if (!walk.beforeFrame->IsValid()) {
          SetError(walk.beforeFrame->LastError());
          return false;
        }
      }
    }

    const bool repositioned = ReadFrame(file, frame, table);
    if (!IsValid()) return false;  // Create's reason is in lastError
    if (info.escape != 0) return false;

    if (mosaic) {
      lastFrame = info.frameCount - 1;
      if (!PaintTile(walk, frame)) return false;
    } else {
      MergeFrame(*canvas, frame);
      canvas->SetTransparentIndex(walk.canvasTransparent);
      // As many entries as the frame has: a small frame's palette is followed by its pixels, not by more entries.
      if (canvas->IsIndexed()) canvas->SetPalette(Palette(), NumColors());
      Transfer(*canvas);
    }
    walk.previousDisposal = FDisposal;
    walk.previousFrame = frame;

    if (!repositioned || frameNumber == lastFrame) break;
    ++frameNumber;
  }

  // A canvas of colours keeps its transparent pixels in the alpha channel.
  if (walk.trueColour && Bpp() == 24) SetTransparentIndex(-1);
  if (walk.picture) {
    if (FGraphicControl.flags & 1) {
      walk.picture->SetTransparentColor(PaletteColor(static_cast<std::uint8_t>(info.transparentIndex)));
      walk.picture->SetTransparentIndex(0);
    }
    Transfer(*walk.picture);
  }
  if (!IsValid()) {
    // The walk ended (an unreadable extension, a cut stream) before any frame was decoded.
    SetError("corrupted GIF");
    return false;
  }
  return true;
}
