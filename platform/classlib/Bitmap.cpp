#include "platform/classlib/Bitmap.h"

#include "platform/classlib/Streams.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <utility>

namespace classlib {

// The on-disk records of a BMP file, as wingdi.h declares them (packed, little-endian).
static_assert(sizeof(BITMAPFILEHEADER) == 14);
static_assert(sizeof(BITMAPCOREHEADER) == 12);
static_assert(sizeof(BITMAPINFOHEADER) == 40);
static_assert(sizeof(RGBTRIPLE) == 3);
static_assert(sizeof(RGBQUAD) == 4);

namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
// Guards against absurd headers before anything is allocated; no real picture comes near them.
constexpr int kMaxSide = 65535;
constexpr std::int64_t kMaxPixelBytes = std::int64_t{512} << 20;

[[noreturn]] void InvalidBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }
[[noreturn]] void OutOfResources() { throw EInvalidGraphicOperation("Out of system resources"); }

template <class T>
T ReadLittleEndian(const std::uint8_t* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// The concrete memory layout of a pixel format.
struct TFormatInfo {
  int BitCount = 0;
  bool Rgb565 = false;
};

TFormatInfo ScreenFormat() {
  static const TFormatInfo screen = [] {
    HDC dc = GetDC(nullptr);
    const int bits = dc ? GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) : 32;
    if (dc) ReleaseDC(nullptr, dc);
    if (bits <= 1) return TFormatInfo{1, false};
    if (bits <= 4) return TFormatInfo{4, false};
    if (bits <= 8) return TFormatInfo{8, false};
    if (bits <= 16) return TFormatInfo{16, true};
    if (bits <= 24) return TFormatInfo{24, false};
    return TFormatInfo{32, false};
  }();
  return screen;
}

TFormatInfo FormatInfo(TPixelFormat Format) {
  switch (Format) {
    case TPixelFormat::pf1bit: return {1, false};
    case TPixelFormat::pf4bit: return {4, false};
    case TPixelFormat::pf8bit: return {8, false};
    case TPixelFormat::pf15bit: return {16, false};
    case TPixelFormat::pf16bit: return {16, true};
    case TPixelFormat::pf24bit: return {24, false};
    case TPixelFormat::pf32bit: return {32, false};
    case TPixelFormat::pfDevice: break;
  }
  return ScreenFormat();
}

TPixelFormat PixelFormatOf(int BitCount, bool Rgb565) {
  switch (BitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 16: return Rgb565 ? TPixelFormat::pf16bit : TPixelFormat::pf15bit;
    case 24: return TPixelFormat::pf24bit;
    default: return TPixelFormat::pf32bit;
  }
}

std::int64_t StrideOf(std::int64_t Width, int BitCount) { return (Width * BitCount + 31) / 32 * 4; }

constexpr DWORD kMasks555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr DWORD kMasks565[3] = {0xF800, 0x07E0, 0x001F};
constexpr DWORD kMasks888[3] = {0xFF0000, 0x00FF00, 0x0000FF};

bool SameMasks(const DWORD* a, const DWORD* b) { return std::equal(a, a + 3, b); }

std::vector<RGBQUAD> DefaultPalette(int BitCount) {
  std::vector<RGBQUAD> palette;
  auto add = [&palette](BYTE r, BYTE g, BYTE b) { palette.push_back(RGBQUAD{b, g, r, 0}); };
  switch (BitCount) {
    case 1:
      add(0, 0, 0);
      add(255, 255, 255);
      break;
    case 4: {
      static constexpr COLORREF vga[16] = {clBlack, clMaroon, clGreen, clOlive, clNavy,    clPurple, clTeal, clSilver,
                                           clGray,  clRed,    clLime,  clYellow, clBlue,   clFuchsia, clAqua, clWhite};
      for (COLORREF c : vga) add(GetRValue(c), GetGValue(c), GetBValue(c));
      break;
    }
    case 8:
      for (int level = 0; level < 256; ++level) add(BYTE(level), BYTE(level), BYTE(level));
      break;
    default:
      break;
  }
  return palette;
}

// A BITMAPINFO with room for a whole palette (or the three bit-field masks in its place).
struct TDibInfo {
  BITMAPINFOHEADER Header{};
  RGBQUAD Colors[256]{};
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

struct TGdiDeleter {
  void operator()(HGDIOBJ Object) const { DeleteObject(Object); }
};

// A memory DC with one bitmap selected, put back and freed on every return path.
class TMemoryDC {
public:
  explicit TMemoryDC(HBITMAP Bitmap) : FHandle(CreateCompatibleDC(nullptr)) {
    if (!FHandle) OutOfResources();
    if (Bitmap) FOld = SelectObject(FHandle, Bitmap);
  }
  ~TMemoryDC() {
    if (FOld) SelectObject(FHandle, FOld);
    DeleteDC(FHandle);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Handle() const { return FHandle; }

private:
  HDC FHandle;
  HGDIOBJ FOld = nullptr;
};

// GetObject reports a section's height without its sign, so the row order is found by changing the
// first row in memory and asking GDI whether pixel (0, 0) shows it. Dc has the section selected.
// A palette whose first and last entries look alike leaves the answer at bottom-up.
bool FirstRowIsTop(HDC Dc, std::uint8_t* Bits, int Height, int BitCount) {
  if (Height < 2) return false;
  const std::size_t bytes = BitCount >= 8 ? std::size_t(BitCount / 8) : 1;
  std::uint8_t saved[4];
  GdiFlush();
  std::memcpy(saved, Bits, bytes);
  std::memset(Bits, 0x00, bytes);
  const COLORREF low = GetPixel(Dc, 0, 0);
  std::memset(Bits, 0xFF, bytes);
  const COLORREF high = GetPixel(Dc, 0, 0);
  std::memcpy(Bits, saved, bytes);
  return low != high;
}

}  // namespace

// A DIB section that is not yet the bitmap's: freed unless TBitmap::InstallImage takes it.
class TDibImage {
public:
  std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDeleter> Handle;
  std::uint8_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;
  TFormatInfo Format;
  std::vector<RGBQUAD> Palette;

  // Picture row Row (0 = top) of the bottom-up section.
  std::uint8_t* Row(int Row) const { return Bits + std::size_t(Height - 1 - Row) * std::size_t(Stride); }
};

namespace {

// Pixel Index of an indexed row (pixels of 1 and 4 bits are packed from the most significant bit).
unsigned IndexAt(const std::uint8_t* Row, int X, int BitCount) {
  switch (BitCount) {
    case 1: return (Row[X / 8] >> (7 - X % 8)) & 1u;
    case 4: return (Row[X / 2] >> (X % 2 ? 0 : 4)) & 0xFu;
    default: return Row[X];
  }
}

void PutIndex(std::uint8_t* Row, int X, int BitCount, unsigned Index) {
  switch (BitCount) {
    case 1: {
      const int shift = 7 - X % 8;
      Row[X / 8] = std::uint8_t((Row[X / 8] & ~(1u << shift)) | (Index << shift));
      break;
    }
    case 4: {
      const int shift = X % 2 ? 0 : 4;
      Row[X / 2] = std::uint8_t((Row[X / 2] & ~(0xFu << shift)) | (Index << shift));
      break;
    }
    default:
      Row[X] = std::uint8_t(Index);
  }
}

// The palette entry nearest to a colour (by distance in RGB), remembered per colour.
class TNearestIndex {
public:
  explicit TNearestIndex(const std::vector<RGBQUAD>& Palette) : FPalette(Palette) {}

  unsigned operator()(COLORREF Colour) {
    auto [it, added] = FFound.try_emplace(Colour, 0u);
    if (added) {
      int best = std::numeric_limits<int>::max();
      for (std::size_t i = 0; i < FPalette.size(); ++i) {
        const int dr = int(FPalette[i].rgbRed) - GetRValue(Colour);
        const int dg = int(FPalette[i].rgbGreen) - GetGValue(Colour);
        const int db = int(FPalette[i].rgbBlue) - GetBValue(Colour);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < best) {
          best = distance;
          it->second = unsigned(i);
        }
      }
    }
    return it->second;
  }

private:
  const std::vector<RGBQUAD>& FPalette;
  std::unordered_map<COLORREF, unsigned> FFound;
};

// Palette: for indexed formats, padded with black to the full 2^BitCount entries.
TDibImage CreateImage(int Width, int Height, TFormatInfo Format, std::vector<RGBQUAD> Palette) {
  TDibInfo info;
  info.Header.biSize = sizeof(BITMAPINFOHEADER);
  info.Header.biWidth = Width;
  info.Header.biHeight = Height;  // positive: bottom-up, as BMP files store rows
  info.Header.biPlanes = 1;
  info.Header.biBitCount = WORD(Format.BitCount);
  info.Header.biCompression = Format.Rgb565 ? BI_BITFIELDS : BI_RGB;
  if (Format.BitCount <= 8) {
    Palette.resize(std::size_t{1} << Format.BitCount, RGBQUAD{0, 0, 0, 0});
    info.Header.biClrUsed = DWORD(Palette.size());
    std::copy(Palette.begin(), Palette.end(), info.Colors);
  } else {
    Palette.clear();
    if (Format.Rgb565) std::memcpy(info.Colors, kMasks565, sizeof kMasks565);
  }
  void* bits = nullptr;
  HBITMAP handle = CreateDIBSection(nullptr, info.Get(), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!handle || !bits) OutOfResources();
  TDibImage image;
  image.Handle.reset(handle);
  image.Bits = static_cast<std::uint8_t*>(bits);
  image.Width = Width;
  image.Height = Height;
  image.Stride = int(StrideOf(Width, Format.BitCount));
  image.Format = Format;
  image.Palette = std::move(Palette);
  return image;
}

// What the info header of a DIB says, checked field by field before anything is allocated.
struct TDibHeader {
  DWORD HeaderSize = 0;
  int Width = 0;
  int Height = 0;  // without sign
  bool TopDown = false;
  int BitCount = 0;
  DWORD Compression = BI_RGB;
  DWORD SizeImage = 0;
  DWORD Masks[3] = {};
  bool MasksAfterHeader = false;  // BI_BITFIELDS with the 40-byte header
  std::int64_t Colors = 0;        // palette entries of an indexed picture
  std::int64_t UnusedColors = 0;  // an optional palette before the pixels of a true-colour picture
  int EntrySize = 4;              // RGBQUAD, or RGBTRIPLE in the old 12-byte header

  bool Compressed() const { return Compression == BI_RLE4 || Compression == BI_RLE8; }
  std::int64_t TableBytes() const { return (MasksAfterHeader ? 12 : 0) + Colors * EntrySize; }
  std::int64_t DefaultBitsStart() const { return HeaderSize + TableBytes() + UnusedColors * EntrySize; }
  std::int64_t PixelBytes() const { return StrideOf(Width, BitCount) * Height; }
};

bool KnownHeaderSize(DWORD Size) {
  return Size == sizeof(BITMAPCOREHEADER) || Size == sizeof(BITMAPINFOHEADER) || Size == 52 || Size == 56 ||
         Size == sizeof(BITMAPV4HEADER) || Size == sizeof(BITMAPV5HEADER);
}

// Header: HeaderSize bytes, the first four of which hold that size.
TDibHeader ParseInfoHeader(const std::vector<std::uint8_t>& Header) {
  TDibHeader h;
  h.HeaderSize = DWORD(Header.size());
  int width = 0;
  int height = 0;
  int planes = 0;
  DWORD clrUsed = 0;
  if (h.HeaderSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, Header.data(), sizeof core);
    width = core.bcWidth;
    height = core.bcHeight;
    planes = core.bcPlanes;
    h.BitCount = core.bcBitCount;
    h.EntrySize = sizeof(RGBTRIPLE);
  } else {
    BITMAPINFOHEADER info;
    std::memcpy(&info, Header.data(), sizeof info);
    width = info.biWidth;
    height = info.biHeight;
    planes = info.biPlanes;
    h.BitCount = info.biBitCount;
    h.Compression = info.biCompression;
    h.SizeImage = info.biSizeImage;
    clrUsed = info.biClrUsed;
  }
  if (planes != 1 || width <= 0 || height == 0 || height < -kMaxSide || width > kMaxSide || height > kMaxSide)
    InvalidBitmap();
  h.Width = width;
  h.TopDown = height < 0;
  h.Height = height < 0 ? -height : height;

  switch (h.Compression) {
    case BI_RGB:
      if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 16 && h.BitCount != 24 &&
          h.BitCount != 32)
        InvalidBitmap();
      break;
    case BI_RLE8:
      if (h.BitCount != 8) InvalidBitmap();
      break;
    case BI_RLE4:
      if (h.BitCount != 4) InvalidBitmap();
      break;
    case BI_BITFIELDS:
      if (h.BitCount != 16 && h.BitCount != 32) InvalidBitmap();
      break;
    default:
      InvalidBitmap();  // JPEG or PNG inside a BMP, or an unknown scheme
  }
  // Run-length rows can only run bottom-up.
  if (h.Compressed() && h.TopDown) InvalidBitmap();
  if (h.PixelBytes() > kMaxPixelBytes) InvalidBitmap();

  if (h.Compression == BI_BITFIELDS) {
    h.MasksAfterHeader = h.HeaderSize == sizeof(BITMAPINFOHEADER);
    if (!h.MasksAfterHeader) std::memcpy(h.Masks, Header.data() + sizeof(BITMAPINFOHEADER), sizeof h.Masks);
  } else if (h.BitCount == 16) {
    std::memcpy(h.Masks, kMasks555, sizeof h.Masks);
  } else if (h.BitCount == 32) {
    std::memcpy(h.Masks, kMasks888, sizeof h.Masks);
  }

  if (h.BitCount <= 8) {
    const std::int64_t full = std::int64_t{1} << h.BitCount;
    h.Colors = clrUsed == 0 ? full : clrUsed;
    if (h.Colors > full) InvalidBitmap();
  } else {
    h.UnusedColors = clrUsed;
  }
  return h;
}

// Where a DIB's bytes come from (a BMP stream or a resource block), read front to back.
class TDibSource {
public:
  virtual ~TDibSource() = default;
  virtual void Read(void* Buffer, std::int64_t Count) = 0;
  virtual void Skip(std::int64_t Count) = 0;
};

class TStreamSource : public TDibSource {
public:
  explicit TStreamSource(TStream& Stream) : FStream(Stream) {}
  void Read(void* Buffer, std::int64_t Count) override { FStream.ReadBuffer(Buffer, int(Count)); }
  void Skip(std::int64_t Count) override { FStream.Seek(Count, TSeekOrigin::soCurrent); }

private:
  TStream& FStream;
};

class TMemorySource : public TDibSource {
public:
  explicit TMemorySource(const std::uint8_t* Data) : FData(Data) {}
  void Read(void* Buffer, std::int64_t Count) override {
    std::memcpy(Buffer, FData, std::size_t(Count));
    FData += Count;
  }
  void Skip(std::int64_t Count) override { FData += Count; }

private:
  const std::uint8_t* FData;
};

struct TLoadedImage {
  TDibImage Image;
  TPixelFormat Format;
};

// Reads a DIB (info header, masks, palette, pixels) of which Available bytes can be read.
// BitsStart, when given, is where the pixels begin counted from the info header.
TLoadedImage ReadDib(TDibSource& Source, std::int64_t Available, std::optional<std::int64_t> BitsStart) {
  auto require = [Available](std::int64_t end) {
    if (end > Available) InvalidBitmap();
  };
  require(4);
  std::vector<std::uint8_t> header(4);
  Source.Read(header.data(), 4);
  const DWORD headerSize = ReadLittleEndian<DWORD>(header.data());
  if (!KnownHeaderSize(headerSize)) InvalidBitmap();
  require(headerSize);
  header.resize(headerSize);
  Source.Read(header.data() + 4, headerSize - 4);
  TDibHeader h = ParseInfoHeader(header);

  const std::int64_t tableEnd = headerSize + h.TableBytes();
  require(tableEnd);
  std::vector<std::uint8_t> table(std::size_t(h.TableBytes()));
  if (!table.empty()) Source.Read(table.data(), std::int64_t(table.size()));
  if (h.MasksAfterHeader) std::memcpy(h.Masks, table.data(), sizeof h.Masks);
  if (h.Compression == BI_BITFIELDS && (h.Masks[0] == 0 || h.Masks[1] == 0 || h.Masks[2] == 0)) InvalidBitmap();

  const std::int64_t bitsStart = BitsStart.value_or(h.DefaultBitsStart());
  if (bitsStart < tableEnd) InvalidBitmap();
  require(bitsStart);
  if (bitsStart > tableEnd) Source.Skip(bitsStart - tableEnd);
  // Run-length data says how long it is; without that it runs to the end of what there is.
  std::int64_t bitsSize = h.PixelBytes();
  if (h.Compressed()) bitsSize = h.SizeImage != 0 ? std::int64_t{h.SizeImage} : Available - bitsStart;
  if (bitsSize <= 0) InvalidBitmap();
  require(bitsStart + bitsSize);

  std::vector<RGBQUAD> palette;
  const std::uint8_t* entry = table.data() + (h.MasksAfterHeader ? 12 : 0);
  for (std::int64_t i = 0; i < h.Colors; ++i, entry += h.EntrySize)
    palette.push_back(RGBQUAD{entry[0], entry[1], entry[2], 0});

  // Layouts a DIB section shares are copied as they are; the rest is converted by GDI.
  bool direct = h.Compression == BI_RGB || h.Compression == BI_BITFIELDS;
  TFormatInfo format{h.BitCount, false};
  if (h.BitCount == 16) {
    format.Rgb565 = SameMasks(h.Masks, kMasks565);
    if (!format.Rgb565 && !SameMasks(h.Masks, kMasks555)) direct = false;
  } else if (h.BitCount == 32) {
    direct = direct && SameMasks(h.Masks, kMasks888);
  }
  if (!direct && h.BitCount >= 16) format = TFormatInfo{32, false};

  TLoadedImage loaded{CreateImage(h.Width, h.Height, format, palette), PixelFormatOf(format.BitCount, format.Rgb565)};
  TDibImage& image = loaded.Image;
  if (direct) {
    if (h.TopDown) {
      for (int row = 0; row < h.Height; ++row) Source.Read(image.Row(row), image.Stride);
    } else {
      Source.Read(image.Bits, bitsSize);
    }
  } else {
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(bitsSize));
    Source.Read(bits.data(), bitsSize);
    TDibInfo info;
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = h.Width;
    info.Header.biHeight = h.TopDown ? -h.Height : h.Height;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = WORD(h.BitCount);
    info.Header.biCompression = h.Compression;
    info.Header.biSizeImage = DWORD(bitsSize);
    if (h.Compression == BI_BITFIELDS) {
      std::memcpy(info.Colors, h.Masks, sizeof h.Masks);
    } else {
      info.Header.biClrUsed = DWORD(palette.size());
      std::copy(palette.begin(), palette.end(), info.Colors);
    }
    TMemoryDC dc(nullptr);
    if (SetDIBits(dc.Handle(), image.Handle.get(), 0, UINT(h.Height), bits.data(), info.Get(), DIB_RGB_COLORS) == 0)
      InvalidBitmap();
  }
  return loaded;
}

}  // namespace

// The bitmap's canvas draws into the DIB section through a memory DC of its own, made on demand
// and freed whenever the bitmap replaces its section.
class TBitmapCanvas : public TCanvas {
public:
  explicit TBitmapCanvas(TBitmap& Bitmap) : FBitmap(Bitmap) {}
  ~TBitmapCanvas() override { FreeContext(); }

  void FreeContext() {
    if (!FMemoryDC) return;
    SetHandle(nullptr);
    if (FOldBitmap) SelectObject(FMemoryDC, FOldBitmap);
    DeleteDC(FMemoryDC);
    FMemoryDC = nullptr;
    FOldBitmap = nullptr;
  }

protected:
  void CreateHandle() override {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) OutOfResources();
    if (FBitmap.FHandle) {
      // Fails when someone else has the (borrowed) section selected into a DC of theirs.
      FOldBitmap = SelectObject(dc, FBitmap.FHandle);
      if (!FOldBitmap) {
        DeleteDC(dc);
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
      }
    }
    FMemoryDC = dc;
    SetHandle(dc);
  }

private:
  TBitmap& FBitmap;
  HDC FMemoryDC = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
};

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  FCanvas.reset();
  if (FHandle && FOwnsHandle) DeleteObject(FHandle);
}

TCanvas* TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
  return FCanvas.get();
}

void TBitmap::FreeImage() {
  if (FCanvas) FCanvas->FreeContext();
  if (FHandle && FOwnsHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FOwnsHandle = false;
  FBits = nullptr;
  FPalette.clear();
}

void TBitmap::InstallImage(TDibImage&& Image, TPixelFormat Format) {
  FreeImage();
  FHandle = static_cast<HBITMAP>(Image.Handle.release());
  FOwnsHandle = true;
  FBits = Image.Bits;
  FWidth = Image.Width;
  FHeight = Image.Height;
  FStride = Image.Stride;
  FBitCount = Image.Format.BitCount;
  FRgb565 = Image.Format.Rgb565;
  FTopDown = false;
  FPalette = std::move(Image.Palette);
  FPixelFormat = Format;
  Changed();
}

TDibImage TBitmap::ConvertedImage(int AWidth, int AHeight, TPixelFormat Format) {
  const TFormatInfo format = FormatInfo(Format);
  // A resize keeps the palette; a change of format starts from the format's own.
  const bool keepPalette = !Empty() && format.BitCount == FBitCount && format.BitCount <= 8;
  TDibImage image = CreateImage(AWidth, AHeight, format, keepPalette ? FPalette : DefaultPalette(format.BitCount));
  TMemoryDC target(image.Handle.get());
  const TColor background = FCanvas ? FCanvas->Brush()->Color() : clWhite;
  std::unique_ptr<std::remove_pointer_t<HBRUSH>, TGdiDeleter> brush(CreateSolidBrush(ColorToRGB(background)));
  const TRect all = Rect(0, 0, AWidth, AHeight);
  FillRect(target.Handle(), &all, brush.get());
  GdiFlush();
  if (Empty()) return image;
  const int width = std::min(AWidth, FWidth);
  const int height = std::min(AHeight, FHeight);
  if (format.BitCount > 8) {
    BitBlt(target.Handle(), 0, 0, width, height, Canvas()->Handle(), 0, 0, SRCCOPY);
    GdiFlush();
    return image;
  }
  // Wine matches colours to a palette through a 15-bit cache (black becomes grey 4): the nearest entry is found here.
  TNearestIndex nearest(image.Palette);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* source = Row(y);
    std::uint8_t* row = image.Row(y);
    for (int x = 0; x < width; ++x)
      PutIndex(row, x, format.BitCount, keepPalette ? IndexAt(source, x, FBitCount) : nearest(ColorAt(x, y)));
  }
  return image;
}

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == FWidth && AHeight == FHeight) return;
  if (AWidth == 0 || AHeight == 0) {
    FreeImage();
    FWidth = AWidth;
    FHeight = AHeight;
    Changed();
    return;
  }
  InstallImage(ConvertedImage(AWidth, AHeight, FPixelFormat), FPixelFormat);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
  if (Value == FPixelFormat) return;
  if (Empty()) {
    FPixelFormat = Value;
    Changed();
    return;
  }
  InstallImage(ConvertedImage(FWidth, FHeight, Value), Value);
}

void TBitmap::SetHandle(HBITMAP Value, bool OwnsHandle) {
  if (Value == FHandle) {
    FOwnsHandle = Value && OwnsHandle;
    return;
  }
  if (!Value) {
    FreeImage();
    FWidth = 0;
    FHeight = 0;
    Changed();
    return;
  }
  DIBSECTION section{};
  if (GetObjectW(Value, sizeof section, &section) == int(sizeof section) && section.dsBm.bmBits) {
    const BITMAPINFOHEADER& info = section.dsBmih;
    const bool rgb565 = info.biBitCount == 16 && info.biCompression == BI_BITFIELDS && section.dsBitfields[1] == 0x07E0;
    std::vector<RGBQUAD> palette;
    bool topDown = false;
    {
      TMemoryDC dc(nullptr);
      // Fails when the section is selected into a DC of someone else's: default palette, bottom-up.
      if (HGDIOBJ old = SelectObject(dc.Handle(), Value)) {
        RGBQUAD colors[256];
        const UINT count = info.biBitCount <= 8 ? GetDIBColorTable(dc.Handle(), 0, 256, colors) : 0;
        palette.assign(colors, colors + count);
        topDown = FirstRowIsTop(dc.Handle(), static_cast<std::uint8_t*>(section.dsBm.bmBits), section.dsBm.bmHeight,
                                info.biBitCount);
        SelectObject(dc.Handle(), old);
      }
    }
    if (info.biBitCount <= 8 && palette.empty()) palette = DefaultPalette(info.biBitCount);
    FreeImage();
    FHandle = Value;
    FOwnsHandle = OwnsHandle;
    FBits = static_cast<std::uint8_t*>(section.dsBm.bmBits);
    FWidth = section.dsBm.bmWidth;
    FHeight = section.dsBm.bmHeight;
    FTopDown = topDown;
    FBitCount = info.biBitCount;
    FRgb565 = rgb565;
    FStride = int(StrideOf(FWidth, FBitCount));
    FPalette = std::move(palette);
    FPixelFormat = PixelFormatOf(FBitCount, FRgb565);
    Changed();
    return;
  }
  // A device-dependent bitmap: copied into a section of the screen's depth (or monochrome).
  BITMAP bitmap{};
  if (GetObjectW(Value, sizeof bitmap, &bitmap) == 0 || bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0)
    InvalidBitmap();
  const TPixelFormat format = bitmap.bmBitsPixel == 1 ? TPixelFormat::pf1bit : TPixelFormat::pfDevice;
  const TFormatInfo info = FormatInfo(format);
  TDibImage image = CreateImage(bitmap.bmWidth, bitmap.bmHeight, info, DefaultPalette(info.BitCount));
  {
    TMemoryDC source(Value);
    TMemoryDC target(image.Handle.get());
    BitBlt(target.Handle(), 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.Handle(), 0, 0, SRCCOPY);
  }
  if (OwnsHandle) DeleteObject(Value);
  InstallImage(std::move(image), format);
}

HBITMAP TBitmap::ReleaseHandle() {
  if (FCanvas) FCanvas->FreeContext();
  HBITMAP handle = std::exchange(FHandle, nullptr);
  FOwnsHandle = false;
  FBits = nullptr;
  FPalette.clear();
  FWidth = 0;
  FHeight = 0;
  Changed();
  return handle;
}

std::uint8_t* TBitmap::Row(int Row) const {
  const int stored = FTopDown ? Row : FHeight - 1 - Row;
  return FBits + std::size_t(stored) * std::size_t(FStride);
}

void* TBitmap::ScanLine(int Row) {
  if (Empty() || Row < 0 || Row >= FHeight) throw EInvalidGraphicOperation("Scan line index out of range");
  GdiFlush();
  return this->Row(Row);
}

COLORREF TBitmap::ColorAt(int X, int Y) const {
  const std::uint8_t* row = Row(Y);
  auto paletteColor = [this](unsigned index) {
    if (index >= FPalette.size()) return RGB(0, 0, 0);
    const RGBQUAD& c = FPalette[index];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
  };
  auto expand = [](unsigned value, int bits) { return BYTE((value << (8 - bits)) | (value >> (2 * bits - 8))); };
  switch (FBitCount) {
    case 1:
    case 4:
    case 8: return paletteColor(IndexAt(row, X, FBitCount));
    case 16: {
      const unsigned v = ReadLittleEndian<WORD>(row + 2 * X);
      if (FRgb565) return RGB(expand(v >> 11, 5), expand((v >> 5) & 0x3F, 6), expand(v & 0x1F, 5));
      return RGB(expand((v >> 10) & 0x1F, 5), expand((v >> 5) & 0x1F, 5), expand(v & 0x1F, 5));
    }
    case 24: return RGB(row[3 * X + 2], row[3 * X + 1], row[3 * X]);
    default: return RGB(row[4 * X + 2], row[4 * X + 1], row[4 * X]);
  }
}

TColor TBitmap::TransparentColor() const {
  if (FTransparentColor != clDefault || Empty()) return FTransparentColor;
  GdiFlush();
  return static_cast<TColor>(ColorAt(0, FHeight - 1));
}

void TBitmap::SetTransparentColor(TColor Value) {
  if (Value == FTransparentColor) return;
  FTransparentColor = Value;
  Changed();
}

void TBitmap::Draw(TCanvas& ACanvas, const TRect& Rect) {
  HDC source = Canvas()->Handle();
  HDC target = ACanvas.Handle();
  const int width = Rect.right - Rect.left;
  const int height = Rect.bottom - Rect.top;
  if (Transparent()) {
    GdiTransparentBlt(target, Rect.left, Rect.top, width, height, source, 0, 0, FWidth, FHeight,
                      ColorToRGB(TransparentColor()));
  } else {
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, Rect.left, Rect.top, width, height, source, 0, 0, FWidth, FHeight, ACanvas.CopyMode());
  }
}

void TBitmap::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  const auto* bitmap = dynamic_cast<const TBitmap*>(&Source);
  if (!bitmap) return TPersistent::Assign(Source);
  FTransparentColor = bitmap->FTransparentColor;
  SetTransparent(bitmap->Transparent());
  if (bitmap->Empty()) {
    FreeImage();
    FWidth = bitmap->FWidth;
    FHeight = bitmap->FHeight;
    FPixelFormat = bitmap->FPixelFormat;
    Changed();
    return;
  }
  GdiFlush();
  TDibImage image = CreateImage(bitmap->FWidth, bitmap->FHeight, TFormatInfo{bitmap->FBitCount, bitmap->FRgb565},
                                bitmap->FPalette);
  for (int row = 0; row < bitmap->FHeight; ++row)
    std::memcpy(image.Row(row), bitmap->Row(row), std::size_t(image.Stride));
  InstallImage(std::move(image), bitmap->FPixelFormat);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(*this);
  return copy;
}

void TBitmap::LoadFromStream(TStream& Stream) {
  const std::int64_t available = Stream.Size() - Stream.Position();
  if (available < std::int64_t(sizeof(BITMAPFILEHEADER))) InvalidBitmap();
  BITMAPFILEHEADER file;
  Stream.ReadBuffer(&file, sizeof file);
  if (file.bfType != kBmpSignature) InvalidBitmap();
  std::optional<std::int64_t> bitsStart;
  if (file.bfOffBits != 0) bitsStart = std::int64_t{file.bfOffBits} - std::int64_t(sizeof file);
  TStreamSource source(Stream);
  TLoadedImage loaded = ReadDib(source, available - std::int64_t(sizeof file), bitsStart);
  InstallImage(std::move(loaded.Image), loaded.Format);
}

void TBitmap::SaveToStream(TStream& Stream) const {
  if (Empty()) throw EInvalidGraphicOperation("Bitmap is empty");
  GdiFlush();
  const DWORD tableBytes = FBitCount <= 8 ? DWORD(FPalette.size() * sizeof(RGBQUAD)) : FRgb565 ? sizeof kMasks565 : 0;
  const DWORD pixelBytes = DWORD(FStride) * DWORD(FHeight);
  const DWORD bitsStart = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + tableBytes;

  BITMAPFILEHEADER file{};
  file.bfType = kBmpSignature;
  file.bfSize = bitsStart + pixelBytes;
  file.bfOffBits = bitsStart;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = FWidth;
  info.biHeight = FHeight;
  info.biPlanes = 1;
  info.biBitCount = WORD(FBitCount);
  info.biCompression = FRgb565 ? BI_BITFIELDS : BI_RGB;
  info.biSizeImage = pixelBytes;
  info.biClrUsed = FBitCount <= 8 ? DWORD(FPalette.size()) : 0;
  Stream.WriteBuffer(&file, sizeof file);
  Stream.WriteBuffer(&info, sizeof info);
  if (FBitCount <= 8) {
    if (!FPalette.empty()) Stream.WriteBuffer(FPalette.data(), int(tableBytes));
  } else if (FRgb565) {
    Stream.WriteBuffer(kMasks565, sizeof kMasks565);
  }
  // Bottom-up rows: the section's own memory order, unless it was adopted top-down.
  if (!FTopDown) {
    Stream.WriteBuffer(FBits, int(pixelBytes));
  } else {
    for (int row = FHeight - 1; row >= 0; --row) Stream.WriteBuffer(Row(row), FStride);
  }
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String& ResName) {
  HRSRC resource = FindResourceW(Instance, ToWide(ResName).c_str(), RT_BITMAP);
  HGLOBAL data = resource ? LoadResource(Instance, resource) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) throw EInvalidGraphic("Resource " + ResName + " not found");
  TMemorySource source(static_cast<const std::uint8_t*>(bytes));
  TLoadedImage loaded = ReadDib(source, SizeofResource(Instance, resource), std::nullopt);
  InstallImage(std::move(loaded.Image), loaded.Format);
}

}  // namespace classlib
