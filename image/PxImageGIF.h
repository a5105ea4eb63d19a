// PxImageGIF: GIF streams. The decoder reads any "GIF8" stream, counts its frames and gives one
// picture: the chosen frame composed over the frames before it on a canvas of the logical-screen
// size (in true colour once a frame's colour table differs from the first frame's; frames are
// disposed of "to background" and "to previous"), or, for a mosaic of tiles with local tables (what
// the encoder writes for true-colour pictures), the whole 24-bit picture rebuilt from its tiles.
// The encoder writes "GIF89a": palette pictures as one frame with a global table, true-colour
// pictures as 17 x 15 tiles with a 256-colour local table each. LZW coding in both directions is
// the codec's own.
#pragma once

#include "image/PxImage.h"

#include <cstdint>
#include <memory>

class PxImageGIF : public PxImage {
public:
  // Values of the FMT_GIF codec option that choose the encoder's codes (anything else: LZW).
  static constexpr std::uint32_t kOptionUncompressed = 1;
  static constexpr std::uint32_t kOptionRunLength = 2;

  PxImageGIF() : PxImage(FMT_GIF) {}
  ~PxImageGIF() override = default;

  bool Decode(PxFile* file);
  bool Encode(PxFile* file);

private:
  // The data of a graphic control extension, as the file holds it.
#pragma pack(push, 1)
  struct GraphicControl {
    std::uint8_t flags;   // bit 0 transparent, bits 2-4 disposal method
    std::uint16_t delay;  // hundredths of a second
    std::uint8_t transparentIndex;
  };
#pragma pack(pop)
  static_assert(sizeof(GraphicControl) == 4, "the graphic control data is 4 bytes on disk");

  struct Descriptor {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
    std::uint8_t flags;  // bit 7 local table, bit 6 interlaced, bits 0-2 table size
  };

  struct ColorTable;
  struct ExtensionState;
  struct Walk;

  // --- Decoder ---------------------------------------------------------------------------------
  // Reads one extension after its "!" byte; false when it cannot be read, which ends the walk.
  bool ReadExtension(PxFile* file);
  // Frames that fit the logical screen; the file position is kept.
  std::int32_t CountFrames(PxFile* file, std::int32_t screenWidth, std::int32_t screenHeight);
  // Decodes one frame's data into this image (created at the frame's size) and moves the file past it.
  bool ReadFrame(PxFile* file, const Descriptor& frame, const ColorTable* table);
  // Draws this frame's opaque pixels into the canvas at the frame's position.
  void MergeFrame(PxImage& canvas, const Descriptor& frame) const;
  // The canvas this frame is drawn on: the screen for the first frame, else the picture so far
  // after the previous frame's disposal; null (with the reason) when it cannot be made.
  std::unique_ptr<PxImageGIF> MakeCanvas(Walk& walk, bool firstFrame, std::uint32_t bpp);
  // Turns a canvas of indices into one of colours (with alpha where it is transparent).
  bool MakeTrueColour(Walk& walk, PxImage& canvas);
  // Puts back the pixels the canvas had before the previous frame ("restore to previous").
  bool RestoreCanvas(Walk& walk, PxImage& canvas);
  // Copies this tile's colours into the mosaic's 24-bit picture, made at the first tile.
  bool PaintTile(Walk& walk, const Descriptor& tile);
  ExtensionState SaveExtensionState() const;
  void RestoreExtensionState(const ExtensionState& state);

  // --- Encoder ---------------------------------------------------------------------------------
  bool WriteHeader(PxFile* file);
  bool WriteControlExtension(PxFile* file);
  bool WriteComment(PxFile* file);
  bool WriteImage(PxFile* file, bool localTable);
  bool EncodeTrueColor(PxFile* file);
  // The palette index at the pixel cursor, moving along the rows from the top; -1 after the last.
  std::int32_t NextPixel();
  bool CompressLzw(PxFile* file, std::int32_t initialWidth);
  bool CompressRle(PxFile* file, std::int32_t initialWidth);
  bool CompressNone(PxFile* file, std::int32_t initialWidth);
  bool WriteFailed();

  GraphicControl FGraphicControl{};
  // Encoder pixel cursor: column, row counted from the bottom, pixels left.
  std::int32_t FCursorX = 0;
  std::int32_t FCursorY = 0;
  std::int64_t FPixelsLeft = 0;
  char FComment[256] = {};
  std::int32_t FLoopCount = 0;
  // Disposal method of the last graphic control extension read.
  std::int32_t FDisposal = 0;
};
