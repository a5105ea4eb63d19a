// PxImage: the image library's raster image.
//
// One allocated block holds a BITMAPINFOHEADER, the palette and the pixel rows, bottom row first,
// exactly as a Windows device-independent bitmap lays them out; beside it live the per-image
// settings (PxImageInfo), an optional alpha channel, an optional selection mask and a layer list.
// Every codec class derives from PxImage. No operation lets an exception out: failures return
// false (or null, or 0) and leave their reason in LastError().
#pragma once

#include <windows.h>

#include <cstdint>

class PxFile;
class PxImage;
class PxStream;

// Picture format numbers shared with the application; FMT_COUNT is also the size of codecOptions.
enum PxImageFormat : std::uint32_t {
  FMT_UNKNOWN = 0,
  FMT_BMP = 1,
  FMT_GIF = 2,
  FMT_JPG = 3,
  FMT_PNG = 4,
  FMT_ICO = 5,
  FMT_TIF = 6,
  FMT_TGA = 7,
  FMT_PCX = 8,
  FMT_WBMP = 9,
  FMT_WMF = 10,
  FMT_JP2 = 11,
  FMT_JPC = 12,
  FMT_PGX = 13,
  FMT_PNM = 14,
  FMT_RAS = 15,
  FMT_COUNT = 16
};

static_assert(sizeof(BITMAPINFOHEADER) == 40, "the block starts with the 40-byte Windows header");
static_assert(sizeof(RGBQUAD) == 4, "palette entries are 4 bytes");

// The library's size limit: the most memory one picture may take, 1 GiB. It bounds the pixel block
// (header, palette and padded rows) and, counting every pixel as at least one byte, the alpha channel
// and the selection mask too. That holds a 357-megapixel true-colour picture, far beyond any photo,
// while a damaged header or a rotation can no longer make the library claim gigabytes: whatever
// would pass it is refused with "PXIMAGE_MAX_MEMORY exceeded" before anything is allocated.
constexpr std::uint64_t PXIMAGE_MAX_MEMORY = std::uint64_t{1} << 30;

// Per-image settings and state, copied as one record between an image and its format objects.
struct PxImageInfo {
  std::uint32_t rowBytes;           // bytes per stored row, padded to 32 bits
  std::uint8_t* pixels;             // first pixel byte inside the block
  PxImage* ghostOf;           // set on a ghost: the image whose buffers it borrows
  PxImage* parent;            // owner of a layer
  std::uint32_t formatId;           // PxImageFormat that decoded or will encode the image
  char lastError[256];              // reason of the last failure, zero-terminated
  std::int32_t progress;            // 0..100 of a long operation
  std::int32_t escape;              // nonzero stops a long operation; -1 asks a decoder for the header only
  std::int32_t transparentIndex;    // palette index shown transparent, -1 none
  RGBQUAD transparentColor;         // colour shown transparent in true-colour images
  std::uint8_t jpegQuality;         // JPEG encoder quality
  std::uint8_t jpegScale;           // JPEG decode scale denominator
  std::int32_t frameIndex;          // frame or page the next decode reads
  std::int32_t frameCount;          // frames or pages found by the last decode
  std::uint32_t frameDelay;         // delay of an animation frame
  std::int32_t dpiX;
  std::int32_t dpiY;
  RECT selectionBox;                // bounds of the selection mask, rows counted from the bottom
  std::uint8_t alphaMax;            // global opacity applied when drawing
  bool alphaPaletteEnabled;         // palette fourth bytes act as per-colour alpha when drawing
  bool enabled;                     // drawing does nothing when false
  std::int32_t offsetX;             // position of a frame inside its animation
  std::int32_t offsetY;
  std::uint32_t codecOptions[FMT_COUNT];  // one option word per format id
  struct {
    RGBQUAD color;                  // last colour given to NearestIndex
    std::uint8_t index;             // its answer
    std::uint8_t valid;
  } nearestCache;
  std::int32_t layerCount;          // entries of layers
  std::uint32_t flags;
};

class PxImage {
public:
  // --- Construction and destruction -------------------------------------------------------
  explicit PxImage(std::uint32_t formatId = FMT_UNKNOWN);
  PxImage(std::uint32_t width, std::uint32_t height, std::uint32_t bpp, std::uint32_t formatId);
  // A working copy of source (see Copy).
  PxImage(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha);
  virtual ~PxImage();

  // Buffers are raw and may be borrowed by ghosts; copies go through Copy, Transfer and Ghost only.
  PxImage(const PxImage&) = delete;
  PxImage& operator=(const PxImage&) = delete;

  // Empties the object: no buffers, header and settings zeroed, then the defaults.
  void ResetInfo(std::uint32_t formatId);

  // --- Block management ---------------------------------------------------------------------
  // Builds a fresh block (old buffers released); null with the reason in LastError on failure.
  // Sizes beyond PXIMAGE_MAX_MEMORY are refused.
  std::uint8_t* Create(std::uint32_t width, std::uint32_t height, std::uint32_t bpp, std::uint32_t formatId);
  // Whether a picture of this size and depth (rounded as Create rounds it) stays within
  // PXIMAGE_MAX_MEMORY: decoders ask before they let a format library allocate on their behalf.
  static bool FitsSizeLimit(std::uint64_t width, std::uint64_t height, std::uint32_t bpp);
  // Releases every buffer; false, doing nothing, on a ghost.
  bool Destroy();
  bool IsValid() const { return dib != nullptr; }
  // Start of stored row `row` (0 = bottom), null without a block or beyond the last row.
  std::uint8_t* RowBits(std::uint32_t row);
  const std::uint8_t* RowBits(std::uint32_t row) const;
  std::uint32_t DibSize() const;
  bool IsInside(std::int32_t x, std::int32_t y) const;
  void Clear(std::uint8_t value);

  // --- Copying ------------------------------------------------------------------------------
  // Takes source's settings when this object has no block yet.
  void CopyInfo(const PxImage& source);
  void Copy(const PxImage& source, bool copyPixels, bool copySelection, bool copyAlpha);
  // Moves everything out of `from` into this image; false on a ghost.
  bool Transfer(PxImage& from);
  // Borrows from's header, settings and buffers without owning them.
  void Ghost(PxImage* from);

  // --- Attributes -----------------------------------------------------------------------------
  std::int32_t Width() const { return header.biWidth; }
  std::int32_t Height() const { return header.biHeight; }
  std::uint16_t Bpp() const { return header.biBitCount; }
  std::uint32_t NumColors() const { return header.biClrUsed; }
  std::uint32_t RowBytes() const { return info.rowBytes; }
  std::uint32_t FormatId() const { return info.formatId; }
  bool IsIndexed() const { return header.biClrUsed != 0; }
  // 4 with an alpha channel, else 1 up to 8 bpp and 2 above.
  std::uint8_t ColorType() const;
  std::int32_t TransparentIndex() const { return info.transparentIndex; }
  void SetTransparentIndex(std::int32_t index) { info.transparentIndex = index; }
  bool IsTransparent() const { return info.transparentIndex >= 0; }
  void SetTransparentColor(RGBQUAD color);
  RGBQUAD TransparentColor() const;
  std::int32_t DpiX() const { return info.dpiX; }
  std::int32_t DpiY() const { return info.dpiY; }
  void SetDpiX(std::int32_t dpi);
  void SetDpiY(std::int32_t dpi);
  std::uint32_t CodecOption(std::uint32_t id = 0) const;
  bool SetCodecOption(std::uint32_t value, std::uint32_t id = 0);
  std::uint8_t JpegQuality() const { return info.jpegQuality; }
  std::uint8_t JpegScale() const { return info.jpegScale; }
  void SetOffset(std::int32_t x, std::int32_t y);
  void SelectFrame(std::int32_t frame) { info.frameIndex = frame; }
  const char* LastError() const { return info.lastError; }

  // The whole settings record (escape, alphaMax, enabled, progress...) and the header.
  PxImageInfo& Info() { return info; }
  const PxImageInfo& Info() const { return info; }
  const BITMAPINFOHEADER& Header() const { return header; }

  // --- Palette --------------------------------------------------------------------------------
  std::uint32_t PaletteSize() const;
  RGBQUAD* Palette();
  const RGBQUAD* Palette() const;
  RGBQUAD PaletteColor(std::uint8_t index) const;
  bool PaletteRGB(std::uint8_t index, std::uint8_t& red, std::uint8_t& green, std::uint8_t& blue) const;
  void SetPaletteEntry(std::uint8_t index, std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                       std::uint8_t alpha);
  void SetPaletteColor(std::uint8_t index, RGBQUAD color);
  void SetPalette(const RGBQUAD* entries, std::uint32_t count);
  void SetPaletteRGB(std::uint32_t count, const std::uint8_t* red, const std::uint8_t* green,
                     const std::uint8_t* blue);
  void SetPaletteTriples(const std::uint8_t* triples, std::uint32_t count);
  void SetGrayPalette();
  bool IsGrayScale() const;
  bool HasPaletteAlpha() const;
  void SwapIndex(std::uint8_t a, std::uint8_t b);
  std::uint8_t NearestIndex(RGBQUAD color);

  // --- Pixels (y counted from the bottom row) --------------------------------------------------
  std::uint8_t PixelIndex(std::int32_t x, std::int32_t y) const;
  std::uint8_t BlindPixelIndex(std::int32_t x, std::int32_t y) const;
  void SetPixelIndex(std::int32_t x, std::int32_t y, std::uint8_t index);
  RGBQUAD PixelColor(std::int32_t x, std::int32_t y, bool withAlpha = true) const;
  RGBQUAD BlindPixelColor(std::int32_t x, std::int32_t y) const;
  void SetPixelColor(std::int32_t x, std::int32_t y, RGBQUAD color, bool setAlpha = false);
  void SetPixelColorRef(std::int32_t x, std::int32_t y, COLORREF value);
  std::uint8_t* BlindPixelPointer(std::int32_t x, std::int32_t y);
  void SwapRedBlue(std::uint8_t* buffer, std::int32_t length) const;

  // --- Alpha channel --------------------------------------------------------------------------
  bool AlphaIsValid() const { return alpha != nullptr; }
  // Makes an opaque channel when there is none; false when none exists afterwards.
  bool AlphaCreate();
  void AlphaDelete();
  void AlphaClear();
  bool AlphaCopy(const PxImage& from);
  void AlphaSet(std::int32_t x, std::int32_t y, std::uint8_t value);
  std::uint8_t AlphaGet(std::int32_t x, std::int32_t y) const;
  std::uint8_t* AlphaPointer(std::int32_t x, std::int32_t y);
  std::uint8_t BlindAlphaGet(std::int32_t x, std::int32_t y) const;
  bool AlphaFlip();
  bool AlphaMirror();

  // --- Selection ------------------------------------------------------------------------------
  bool SelectionIsInside(std::int32_t x, std::int32_t y) const;
  bool SelectionDelete();
  bool SelectionCopy(const PxImage& from);

  // --- Load and save --------------------------------------------------------------------------
  // fileName is UTF-8 (a Windows path); id 0 probes every codec.
  bool LoadFile(const char* fileName, std::uint32_t id);
  // Replaces the file only when encoding succeeded; a failed save leaves an existing file intact.
  bool SaveFile(const char* fileName, std::uint32_t id);
  bool DecodeStream(PxStream* stream, std::uint32_t id);
  bool EncodeStream(PxStream* stream, std::uint32_t id);
  bool Decode(PxFile* file, std::uint32_t id);
  bool Encode(PxFile* file, std::uint32_t id);
  // First step of every encoder: true (refuse, with a reason) without a file or a block.
  bool EncodeCheck(PxFile* file);

  // --- Transforms -----------------------------------------------------------------------------
  bool GrayScale();
  bool Flip();
  bool Mirror();
  bool Negative();
  bool RotateLeft(PxImage* destination = nullptr);
  bool RotateRight(PxImage* destination = nullptr);
  // Degrees, positive turns clockwise on the screen.
  bool Rotate(float angle, PxImage* destination = nullptr);

  // --- Pixel filters --------------------------------------------------------------------------
  bool BrightContrast(std::int32_t brightness, std::int32_t contrast);
  float AverageLevel();
  // kernel holds size * size weights, row-major, kernel row 0 the lowest row of the window.
  bool ApplyKernel(const std::int32_t* kernel, std::int32_t size, std::int32_t divisor, std::int32_t offset);
  bool Erode(std::int32_t size);
  bool Dilate(std::int32_t size);
  bool OffsetRGB(std::int32_t red, std::int32_t green, std::int32_t blue);
  bool ApplyTable(const std::uint8_t* table);

  // --- Drawing --------------------------------------------------------------------------------
  // (x, y, cx, cy) in device units; cx or cy below 0 means the image's own size.
  bool DrawToDC(HDC hdc, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                const RECT* clipRect = nullptr, bool smooth = false) const;
  RGBQUAD PixelColorInterpolated(float x, float y, std::uint8_t method = 1, std::uint8_t overflow = 0,
                                 const RGBQUAD* replacement = nullptr) const;
  RGBQUAD PixelColorWithOverflow(std::int32_t x, std::int32_t y, std::uint8_t overflow = 0,
                                 const RGBQUAD* replacement = nullptr) const;
  void OverflowCoordinates(std::int32_t& x, std::int32_t& y, std::uint8_t overflow) const;
  void OverflowCoordinates(float& x, float& y, std::uint8_t overflow) const;

protected:
  // Stores a failure reason (truncated to 255 characters).
  void SetError(const char* text);
  // Converts 16- or 32-bit packed pixels into this image's 24-bit pixel block.
  void BitfieldToRGB(const std::uint8_t* source, std::uint32_t redMask, std::uint32_t greenMask,
                     std::uint32_t blueMask, std::uint8_t bitCount);

  std::uint8_t* dib = nullptr;        // header copy, palette, pixel rows; owned unless a ghost
  BITMAPINFOHEADER header{};          // the image's own header
  PxImageInfo info{};
  std::uint8_t* selection = nullptr;  // width * height bytes, nonzero = selected
  std::uint8_t* alpha = nullptr;      // width * height bytes, 255 = opaque
  PxImage** layers = nullptr;         // layerCount owned entries

private:
  void ClearNearestCache() { info.nearestCache.valid = 0; }
  // Takes a settings record from another image, keeping the fields that describe this object's buffers.
  void AdoptInfo(const PxImageInfo& source);
  // Erode and Dilate: each pixel becomes the extreme (by Pick) of its size x size window, from Start.
  template <class Pick>
  bool FilterWindowExtreme(std::int32_t size, std::uint8_t start, Pick pick);
};

// Win32 COLORREF (red in byte 0) to the packed RGBQUAD order (blue in byte 0), fourth byte 0.
RGBQUAD ColorRefToRgbQuad(COLORREF value);
// Gray difference of two blue, green, red byte triples.
std::int32_t CompareGray(const std::uint8_t* a, const std::uint8_t* b);

// The library's gray level of a colour.
inline std::uint8_t GrayLevel(std::uint8_t blue, std::uint8_t green, std::uint8_t red) {
  return static_cast<std::uint8_t>((117u * blue + 601u * green + 306u * red) >> 10);
}
inline std::uint8_t GrayLevel(RGBQUAD color) {
  return GrayLevel(color.rgbBlue, color.rgbGreen, color.rgbRed);
}
// RGBQUAD as its packed 32-bit value (byte 0 blue ... byte 3 alpha or reserved).
inline std::uint32_t PackColor(RGBQUAD color) {
  return static_cast<std::uint32_t>(color.rgbBlue) | (static_cast<std::uint32_t>(color.rgbGreen) << 8) |
         (static_cast<std::uint32_t>(color.rgbRed) << 16) | (static_cast<std::uint32_t>(color.rgbReserved) << 24);
}
inline RGBQUAD MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alphaByte = 0) {
  return RGBQUAD{blue, green, red, alphaByte};
}
inline bool SameRgb(RGBQUAD a, RGBQUAD b) {
  return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed;
}
