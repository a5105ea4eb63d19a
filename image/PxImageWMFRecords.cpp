#include "image/PxImageWMFRecords.h"

#include "image/PxImage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// --- Reading fields inside one record --------------------------------------------------------------

// Little-endian fields of a record; nothing outside its bytes is ever read.
class Record {
public:
  Record(const std::uint8_t* data, std::uint64_t size) : FData(data), FSize(size) {}

  std::uint64_t Size() const { return FSize; }
  bool Has(std::uint64_t offset, std::uint64_t bytes) const { return offset <= FSize && bytes <= FSize - offset; }
  // `count` items of `itemBytes` each from `offset`.
  bool HasArray(std::uint64_t offset, std::uint64_t count, std::uint64_t itemBytes) const {
    return offset <= FSize && count <= (FSize - offset) / itemBytes;
  }
  std::uint32_t U32(std::uint64_t offset) const {
    if (!Has(offset, 4)) return 0;
    const std::uint8_t* p = FData + offset;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  std::uint16_t U16(std::uint64_t offset) const {
    if (!Has(offset, 2)) return 0;
    return static_cast<std::uint16_t>(FData[offset] | (FData[offset + 1] << 8));
  }
  std::uint8_t U8(std::uint64_t offset) const { return Has(offset, 1) ? FData[offset] : 0; }
  std::int32_t I32(std::uint64_t offset) const { return static_cast<std::int32_t>(U32(offset)); }
  // The bytes from `offset` on (empty when it lies beyond the record).
  Record From(std::uint64_t offset) const {
    return offset <= FSize ? Record(FData + offset, FSize - offset) : Record(FData, 0);
  }
  Record Part(std::uint64_t offset, std::uint64_t bytes) const {
    return Has(offset, bytes) ? Record(FData + offset, bytes) : Record(FData, 0);
  }

private:
  const std::uint8_t* FData;
  std::uint64_t FSize;
};

// --- Device-independent bitmaps inside records ------------------------------------------------------

constexpr std::uint32_t kRgbColours = 0;      // DIB_RGB_COLORS: colour table of RGBQUADs
constexpr std::uint32_t kPaletteColours = 1;  // DIB_PAL_COLORS: colour table of 16-bit indices

struct DibShape {
  std::uint64_t width = 0;
  std::uint64_t height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::uint64_t infoBytes = 0;  // header, masks and colour table
};

// Reads a bitmap's header and measures its colour table against the bytes `info` holds.
bool ReadDibShape(const Record& info, std::uint32_t usage, DibShape& shape) {
  if (usage != kRgbColours && usage != kPaletteColours) return false;
  const std::uint32_t headerSize = info.U32(0);
  std::uint32_t planes = 0;
  std::uint64_t colours = 0;
  std::uint64_t maskBytes = 0;
  std::uint64_t entryBytes = usage == kPaletteColours ? 2 : 4;
  if (headerSize == 12) {
    if (!info.Has(0, 12)) return false;
    shape.width = info.U16(4);
    shape.height = info.U16(6);
    planes = info.U16(8);
    shape.bitCount = info.U16(10);
    if (usage == kRgbColours) entryBytes = 3;
  } else {
    if ((headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 && headerSize != 108 &&
         headerSize != 124) ||
        !info.Has(0, headerSize))
      return false;
    const std::int64_t width = info.I32(4);
    const std::int64_t height = info.I32(8);
    shape.width = static_cast<std::uint64_t>(width < 0 ? -width : width);
    shape.height = static_cast<std::uint64_t>(height < 0 ? -height : height);
    planes = info.U16(12);
    shape.bitCount = info.U16(14);
    shape.compression = info.U32(16);
    shape.sizeImage = info.U32(20);
    colours = info.U32(32);
    if (headerSize == 40 && shape.compression == BI_BITFIELDS) maskBytes = 12;
    if (headerSize == 40 && shape.compression == 6) maskBytes = 16;  // BI_ALPHABITFIELDS
  }
  const std::uint32_t bits = shape.bitCount;
  if (shape.width == 0 || shape.height == 0 || planes != 1) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  // Every entry the header states must be there, or the whole table of the depth when it states none.
  if (colours == 0 && bits <= 8) colours = std::uint64_t{1} << bits;
  if (!info.HasArray(headerSize + maskBytes, colours, entryBytes)) return false;
  shape.infoBytes = headerSize + maskBytes + colours * entryBytes;
  return true;
}

// Whether `bitsBytes` bytes hold `rows` rows of the bitmap (all rows when rows is negative), and
// the system can expand it within the library's size limit.
bool DibBitsFit(const DibShape& shape, std::uint64_t bitsBytes, std::int64_t rows) {
  const std::uint64_t used = rows < 0 ? shape.height : std::min<std::uint64_t>(shape.height, static_cast<std::uint64_t>(rows));
  if (!PxImage::FitsSizeLimit(shape.width, shape.height, 32)) return false;
  switch (shape.compression) {
    case BI_RGB:
      break;
    case BI_BITFIELDS:
    case 6:
      if (shape.bitCount != 16 && shape.bitCount != 32) return false;
      break;
    case BI_RLE8:
    case BI_RLE4:
      // Run-length rows have no fixed size; the stated size must be there.
      if (shape.bitCount != (shape.compression == BI_RLE8 ? 8u : 4u)) return false;
      return shape.sizeImage > 0 && shape.sizeImage <= bitsBytes;
    default:
      return false;
  }
  const std::uint64_t stride = ((shape.width * shape.bitCount + 31) / 32) * 4;
  return used == 0 || stride <= bitsBytes / used;
}

// A bitmap given as header and colour table in `info` and pixels of `bitsBytes` bytes elsewhere.
bool SplitDibIsSound(const Record& info, std::uint64_t bitsBytes, std::uint32_t usage, std::int64_t rows = -1) {
  DibShape shape;
  return ReadDibShape(info, usage, shape) && DibBitsFit(shape, bitsBytes, rows);
}

// A packed bitmap: header, colour table and pixels in one run of bytes.
bool PackedDibIsSound(const Record& dib, std::uint32_t usage, std::int64_t rows = -1) {
  DibShape shape;
  return ReadDibShape(dib, usage, shape) && DibBitsFit(shape, dib.Size() - shape.infoBytes, rows);
}

// --- Enhanced metafiles ------------------------------------------------------------------------------

constexpr std::uint32_t kEmrMax = 122;  // EMR_CREATECOLORSPACEW, the last record type there is
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kTextPdy = 0x2000;  // ETO_PDY: two advances per character

struct EmfObjects {
  std::uint32_t handles;  // the header's nHandles; index 0 stands for the metafile itself
  // A record creating object `index`.
  bool Creates(std::uint32_t index) const { return index > 0 && index < handles; }
  // A record selecting object `index`, or a stock object (which the player looks up itself).
  bool Selects(std::uint32_t index) const { return (index & kStockObject) != 0 || Creates(index); }
  // A record using object `index` of the table: the player reads (or clears) that slot whatever the
  // index is, so a stock object's index would reach far past the table.
  bool Uses(std::uint32_t index) const { return Creates(index); }
};

// Minimum size of each fixed-size record type; 0 for types checked on their own below.
std::uint32_t FixedEmfSize(std::uint32_t type) {
  switch (type) {
    case EMR_SAVEDC: case EMR_REALIZEPALETTE: case EMR_SETMETARGN: case EMR_BEGINPATH: case EMR_ENDPATH:
    case EMR_CLOSEFIGURE: case EMR_FLATTENPATH: case EMR_WIDENPATH: case EMR_ABORTPATH:
      return 8;
    case EMR_SETMAPPERFLAGS: case EMR_SETMAPMODE: case EMR_SETBKMODE: case EMR_SETPOLYFILLMODE: case EMR_SETROP2:
    case EMR_SETSTRETCHBLTMODE: case EMR_SETTEXTALIGN: case EMR_SETTEXTCOLOR: case EMR_SETBKCOLOR:
    case EMR_RESTOREDC: case EMR_SETARCDIRECTION: case EMR_SETMITERLIMIT: case EMR_SELECTCLIPPATH:
    case EMR_SETICMMODE: case EMR_SETLAYOUT:
      return 12;
    case EMR_SETWINDOWEXTEX: case EMR_SETWINDOWORGEX: case EMR_SETVIEWPORTEXTEX: case EMR_SETVIEWPORTORGEX:
    case EMR_SETBRUSHORGEX: case EMR_OFFSETCLIPRGN: case EMR_MOVETOEX: case EMR_LINETO:
    case EMR_SETTEXTJUSTIFICATION:
      return 16;
    case EMR_SETPIXELV: return 20;
    case EMR_EXCLUDECLIPRECT: case EMR_INTERSECTCLIPRECT: case EMR_SCALEVIEWPORTEXTEX: case EMR_SCALEWINDOWEXTEX:
    case EMR_ELLIPSE: case EMR_RECTANGLE: case EMR_EXTFLOODFILL: case EMR_FILLPATH: case EMR_STROKEANDFILLPATH:
    case EMR_STROKEPATH: case EMR_COLORCORRECTPALETTE:
      return 24;
    case EMR_ANGLEARC: return 28;
    case EMR_SETCOLORADJUSTMENT: case EMR_SETWORLDTRANSFORM: case EMR_ROUNDRECT: return 32;
    case EMR_MODIFYWORLDTRANSFORM: return 36;
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO: return 40;
    case EMR_PIXELFORMAT: return 48;
    default: return 0;
  }
}

// A text run (EMRTEXT) at `at`: its characters and advances inside the record.
bool TextIsSound(const Record& r, std::uint64_t at, std::uint64_t charBytes) {
  if (!r.Has(at, 40)) return false;
  const std::uint32_t chars = r.U32(at + 8);
  const std::uint32_t options = r.U32(at + 16);
  const std::uint32_t offDx = r.U32(at + 36);
  if (chars > 0 && !r.HasArray(r.U32(at + 12), chars, charBytes)) return false;
  return offDx == 0 || chars == 0 || r.HasArray(offDx, chars, (options & kTextPdy) ? 8 : 4);
}

// Region data (RGNDATA) of `bytes` bytes at `at`.
bool RegionIsSound(const Record& r, std::uint64_t at, std::uint64_t bytes) {
  if (!r.Has(at, bytes) || bytes < 32) return false;
  const Record region = r.Part(at, bytes);
  return region.U32(0) == 32 && region.HasArray(32, region.U32(8), 16);
}

// The bitmap of a record whose fields offBmi, cbBmi, offBits and cbBits start at `at`; a record
// without one states all four as 0 unless it needs one.
bool RecordDibIsSound(const Record& r, std::uint64_t at, std::uint32_t usage, bool required, std::int64_t rows = -1) {
  const std::uint32_t offBmi = r.U32(at), cbBmi = r.U32(at + 4), offBits = r.U32(at + 8), cbBits = r.U32(at + 12);
  if (cbBmi == 0 && cbBits == 0) return !required;
  if (!r.Has(offBmi, cbBmi) || !r.Has(offBits, cbBits)) return false;
  return SplitDibIsSound(r.Part(offBmi, cbBmi), cbBits, usage, rows);
}

bool PolyPolyIsSound(const Record& r, std::uint64_t pointBytes) {
  const std::uint32_t polygons = r.U32(24);
  const std::uint32_t points = r.U32(28);
  if (!r.HasArray(32, polygons, 4)) return false;
  std::uint64_t total = 0;
  for (std::uint32_t i = 0; i < polygons; ++i) total += r.U32(32 + 4ull * i);
  return total <= points && r.HasArray(32 + 4ull * polygons, points, pointBytes);
}

bool EmfRecordIsSound(const Record& r, std::uint32_t type, const EmfObjects& objects) {
  if (const std::uint32_t fixed = FixedEmfSize(type)) return r.Size() >= fixed;
  switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
      return r.HasArray(28, r.U32(24), 8);
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
      return r.HasArray(28, r.U32(24), 4);
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: return PolyPolyIsSound(r, 8);
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: return PolyPolyIsSound(r, 4);
    case EMR_POLYDRAW: return r.HasArray(28, r.U32(24), 9);    // a point and a type byte each
    case EMR_POLYDRAW16: return r.HasArray(28, r.U32(24), 5);
    case EMR_SELECTOBJECT: case EMR_SELECTPALETTE: return r.Size() >= 12 && objects.Selects(r.U32(8));
    case EMR_DELETEOBJECT: return r.Size() >= 12 && objects.Uses(r.U32(8));
    case EMR_CREATEPEN: return r.Size() >= 28 && objects.Creates(r.U32(8));
    case EMR_CREATEBRUSHINDIRECT: return r.Size() >= 24 && objects.Creates(r.U32(8));
    case EMR_EXTCREATEFONTINDIRECTW: return r.Size() >= 104 && objects.Creates(r.U32(8));
    case EMR_CREATEPALETTE:
      return objects.Creates(r.U32(8)) && r.Size() >= 16 && r.HasArray(16, r.U16(14), 4);
    case EMR_SETPALETTEENTRIES: return objects.Uses(r.U32(8)) && r.Size() >= 20 && r.HasArray(20, r.U32(16), 4);
    case EMR_RESIZEPALETTE: return r.Size() >= 16 && objects.Uses(r.U32(8));
    case EMR_CREATECOLORSPACE: return r.Size() >= 340 && objects.Creates(r.U32(8));
    case EMR_CREATECOLORSPACEW: return r.Size() >= 608 && objects.Creates(r.U32(8)) && r.Has(608, r.U32(604));
    case EMR_SETCOLORSPACE: case EMR_DELETECOLORSPACE: return r.Size() >= 12 && objects.Uses(r.U32(8));
    case EMR_GDICOMMENT: return r.Size() >= 12 && r.Has(12, r.U32(8));
    case EMR_GLSRECORD: return r.Size() >= 12 && r.Has(12, r.U32(8));
    case EMR_GLSBOUNDEDRECORD: return r.Size() >= 28 && r.Has(28, r.U32(24));
    case EMR_DRAWESCAPE: case EMR_EXTESCAPE: return r.Size() >= 16 && r.Has(16, r.U32(12));
    case EMR_NAMEDESCAPE: return r.Size() >= 20 && r.Has(20, std::uint64_t{r.U32(12)} + r.U32(16));
    case EMR_SETICMPROFILEA: case EMR_SETICMPROFILEW:
      return r.Size() >= 20 && r.Has(20, std::uint64_t{r.U32(12)} + r.U32(16));
    case EMR_COLORMATCHTOTARGETW: return r.Size() >= 24 && r.Has(24, std::uint64_t{r.U32(16)} + r.U32(20));
    case EMR_FILLRGN: return r.Size() >= 32 && objects.Uses(r.U32(28)) && RegionIsSound(r, 32, r.U32(24));
    case EMR_FRAMERGN: return r.Size() >= 40 && objects.Uses(r.U32(28)) && RegionIsSound(r, 40, r.U32(24));
    case EMR_INVERTRGN: case EMR_PAINTRGN: return r.Size() >= 28 && RegionIsSound(r, 28, r.U32(24));
    case EMR_EXTSELECTCLIPRGN:
      // No region data resets the clipping.
      return r.Size() >= 16 && (r.U32(8) == 0 || RegionIsSound(r, 16, r.U32(8)));
    case EMR_EXTTEXTOUTA: return r.Size() >= 76 && TextIsSound(r, 36, 1);
    case EMR_EXTTEXTOUTW: return r.Size() >= 76 && TextIsSound(r, 36, 2);
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW: {
      const std::uint32_t strings = r.U32(36);
      if (r.Size() < 40 || !r.HasArray(40, strings, 40)) return false;
      for (std::uint32_t i = 0; i < strings; ++i)
        if (!TextIsSound(r, 40 + 40ull * i, type == EMR_POLYTEXTOUTA ? 1 : 2)) return false;
      return true;
    }
    case EMR_SMALLTEXTOUT: {
      const std::uint32_t chars = r.U32(16);
      const std::uint32_t options = r.U32(20);
      const std::uint64_t text = 36 + ((options & 0x100) ? 0 : 16);  // ETO_NO_RECT leaves out the clip box
      return r.Size() >= 36 && r.HasArray(text, chars, (options & 0x200) ? 1 : 2);  // ETO_SMALL_CHARS
    }
    case EMR_BITBLT: return r.Size() >= 100 && RecordDibIsSound(r, 84, r.U32(80), false);
    case EMR_STRETCHBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
      return r.Size() >= 108 && RecordDibIsSound(r, 84, r.U32(80), false);
    case EMR_MASKBLT:
      return r.Size() >= 128 && RecordDibIsSound(r, 84, r.U32(80), false) && RecordDibIsSound(r, 112, r.U32(108), false);
    case EMR_PLGBLT:
      return r.Size() >= 140 && RecordDibIsSound(r, 96, r.U32(92), false) && RecordDibIsSound(r, 124, r.U32(120), false);
    case EMR_SETDIBITSTODEVICE:
      return r.Size() >= 76 && RecordDibIsSound(r, 48, r.U32(64), true, r.U32(72));
    case EMR_STRETCHDIBITS: return r.Size() >= 80 && RecordDibIsSound(r, 48, r.U32(64), true);
    case EMR_CREATEMONOBRUSH: case EMR_CREATEDIBPATTERNBRUSHPT:
      return r.Size() >= 32 && objects.Creates(r.U32(8)) && RecordDibIsSound(r, 16, r.U32(12), true);
    case EMR_EXTCREATEPEN:
      return r.Size() >= 52 && objects.Creates(r.U32(8)) && r.HasArray(52, r.U32(48), 4) &&
             RecordDibIsSound(r, 12, kRgbColours, false);
    case EMR_GRADIENTFILL: {
      const std::uint32_t vertices = r.U32(24);
      const std::uint32_t meshes = r.U32(28);
      const std::uint32_t mode = r.U32(32);
      if (mode > GRADIENT_FILL_TRIANGLE || !r.HasArray(36, vertices, 16)) return false;
      const std::uint64_t corners = mode == GRADIENT_FILL_TRIANGLE ? 3 : 2;
      const std::uint64_t first = 36 + 16ull * vertices;
      if (!r.HasArray(first, meshes, 4 * corners)) return false;
      for (std::uint64_t i = 0; i < meshes * corners; ++i)
        if (r.U32(first + 4 * i) >= vertices) return false;
      return true;
    }
    case EMR_SETLINKEDUFI: return r.Size() >= 12 && r.HasArray(12, r.U32(8), 8);
    case EMR_FORCEUFIMAPPING: return r.Size() >= 16;
    default:
      // Types no writer uses, or only in its own header and end: not played.
      return false;
  }
}

}  // namespace

bool CheckEnhMetaRecords(const std::uint8_t* data, std::size_t size) {
  const Record file(data, size);
  // The header record: its own description and pixel format inside it, at least one handle slot.
  const std::uint32_t headerSize = file.U32(4);
  if (file.U32(0) != EMR_HEADER || headerSize < 88 || headerSize % 4 != 0 || !file.Has(0, headerSize) ||
      file.U32(48) != size)
    return false;
  const Record header = file.Part(0, headerSize);
  const EmfObjects objects{header.U16(56)};
  if (objects.handles == 0) return false;
  const std::uint32_t descriptionChars = header.U32(60);
  if (descriptionChars > 0 && !header.HasArray(header.U32(64), descriptionChars, 2)) return false;
  if (headerSize >= 100 && header.U32(88) > 0 && !header.Has(header.U32(92), header.U32(88))) return false;
  const std::uint32_t paletteEntries = header.U32(68);

  for (std::uint64_t offset = headerSize; offset < size;) {
    const std::uint32_t type = file.U32(offset);
    const std::uint32_t length = file.U32(offset + 4);
    if (!file.Has(offset, 8) || length < 8 || length % 4 != 0 || !file.Has(offset, length)) return false;
    const Record r = file.Part(offset, length);
    offset += length;
    if (type == EMR_EOF) {
      // The palette that the header announces is read from here; nothing may follow.
      const std::uint32_t entries = r.U32(8);
      if (length < 20 || offset != size || paletteEntries > entries || entries > 0xFFFF) return false;
      return entries == 0 || (r.U32(12) >= 16 && r.HasArray(r.U32(12), entries, 4));
    }
    if (type == EMR_HEADER || type > kEmrMax || !EmfRecordIsSound(r, type, objects)) return false;
  }
  return false;  // no end record
}

// --- Standard Windows metafiles --------------------------------------------------------------------

namespace {

// Function numbers of the records checked beyond their size.
enum : std::uint16_t {
  kMetaEof = 0x0000,
  kMetaSetPalEntries = 0x0037,
  kMetaCreatePalette = 0x00F7,
  kMetaCreateBrush = 0x00F8,
  kMetaInvertRegion = 0x012A,
  kMetaPaintRegion = 0x012B,
  kMetaSelectClipRegion = 0x012C,
  kMetaSelectObject = 0x012D,
  kMetaDibCreatePatternBrush = 0x0142,
  kMetaDeleteObject = 0x01F0,
  kMetaCreatePatternBrush = 0x01F9,
  kMetaFillRegion = 0x0228,
  kMetaSelectPalette = 0x0234,
  kMetaCreatePenIndirect = 0x02FA,
  kMetaCreateFontIndirect = 0x02FB,
  kMetaCreateBrushIndirect = 0x02FC,
  kMetaCreateBitmapIndirect = 0x02FD,
  kMetaPolygon = 0x0324,
  kMetaPolyline = 0x0325,
  kMetaFrameRegion = 0x0429,
  kMetaAnimatePalette = 0x0436,
  kMetaTextOut = 0x0521,
  kMetaPolyPolygon = 0x0538,
  kMetaEscape = 0x0626,
  kMetaCreateBitmap = 0x06FE,
  kMetaCreateRegion = 0x06FF,
  kMetaBitBlt = 0x0922,
  kMetaDibBitBlt = 0x0940,
  kMetaExtTextOut = 0x0A32,
  kMetaStretchBlt = 0x0B23,
  kMetaDibStretchBlt = 0x0B41,
  kMetaSetDibToDev = 0x0D33,
  kMetaStretchDib = 0x0F43,
};

// The object table as the player fills it: each created object takes the first free slot.
class WmfObjects {
public:
  explicit WmfObjects(std::uint16_t count) : FUsed(count, false) {}
  bool Create() {
    const auto slot = std::find(FUsed.begin(), FUsed.end(), false);
    if (slot == FUsed.end()) return false;
    *slot = true;
    return true;
  }
  bool Valid(std::uint32_t index) const { return index < FUsed.size(); }
  bool Delete(std::uint32_t index) {
    if (!Valid(index)) return false;
    FUsed[index] = false;
    return true;
  }

private:
  std::vector<bool> FUsed;
};

// Words a record's parameters need at least, for records of a fixed layout; 0 when unknown.
std::uint32_t FixedWmfWords(std::uint16_t function) {
  switch (function) {
    case 0x001E: case 0x0035: return 0;  // SAVEDC, REALIZEPALETTE
    case 0x0102: case 0x0103: case 0x0104: case 0x0105: case 0x0106: case 0x0107: case 0x0108:
    case 0x0127: case 0x012E: case 0x0139:
      return 1;
    case 0x0201: case 0x0209: case 0x020A: case 0x020B: case 0x020C: case 0x020D: case 0x020E: case 0x020F:
    case 0x0211: case 0x0213: case 0x0214: case 0x0220: case 0x0231: case 0x0149:
      return 2;
    case 0x0410: case 0x0412: case 0x0415: case 0x0416: case 0x0418: case 0x0419: case 0x041B: case 0x041F:
      return 4;
    case 0x0548: return 5;  // EXTFLOODFILL
    case 0x061C: case 0x061D: return 6;
    case 0x0817: case 0x081A: case 0x0830: return 8;
    default: return 0;
  }
}

// A BITMAP16 at byte `at` of the parameters, with its bits right behind it (after `gap` bytes).
bool Bitmap16IsSound(const Record& p, std::uint64_t at, std::uint64_t gap) {
  if (!p.Has(at, 14)) return false;
  const std::uint64_t width = p.U16(at + 2), height = p.U16(at + 4), widthBytes = p.U16(at + 6);
  const std::uint64_t planes = p.U8(at + 8), bitsPixel = p.U8(at + 9);
  if (width == 0 || height == 0 || planes != 1 || (bitsPixel != 1 && bitsPixel != 4 && bitsPixel != 8 &&
                                                   bitsPixel != 16 && bitsPixel != 24 && bitsPixel != 32))
    return false;
  if (widthBytes < (width * bitsPixel + 15) / 16 * 2) return false;
  return p.HasArray(at + 14 + gap, height, widthBytes);
}

bool WmfRecordIsSound(const Record& p, std::uint16_t function, WmfObjects& objects) {
  const std::uint64_t words = p.Size() / 2;
  const auto w = [&p](std::uint64_t i) { return std::uint64_t{p.U16(2 * i)}; };
  if (const std::uint32_t fixed = FixedWmfWords(function)) return words >= fixed;
  switch (function) {
    case kMetaCreatePenIndirect: return words >= 5 && objects.Create();
    case kMetaCreateBrushIndirect: return words >= 4 && objects.Create();
    case kMetaCreateFontIndirect: return words >= 9 && objects.Create();
    case kMetaCreatePalette: return words >= 2 && words >= 2 + 2 * w(1) && objects.Create();
    case kMetaCreatePatternBrush: return Bitmap16IsSound(p, 0, 18) && objects.Create();
    case kMetaDibCreatePatternBrush: return words >= 2 && PackedDibIsSound(p.From(4), w(1)) && objects.Create();
    case kMetaCreateRegion: {
      // The scans of a region: each a count of x values, top, bottom, the values, and the count again.
      if (words < 11) return false;
      std::uint64_t at = 11;
      for (std::uint64_t scan = 0; scan < w(5); ++scan) {
        if (at >= words) return false;
        at += 4 + w(at);
        if (at > words) return false;
      }
      return objects.Create();
    }
    case kMetaCreateBrush: case kMetaCreateBitmap: case kMetaCreateBitmapIndirect:
      return false;  // obsolete objects no writer has made since Windows 2.0
    case kMetaDeleteObject: return words >= 1 && objects.Delete(static_cast<std::uint32_t>(w(0)));
    case kMetaSelectObject: case kMetaSelectPalette: case kMetaSelectClipRegion: case kMetaInvertRegion:
    case kMetaPaintRegion:
      return words >= 1 && objects.Valid(static_cast<std::uint32_t>(w(0)));
    case kMetaFillRegion: case kMetaFrameRegion:
      return words >= (function == kMetaFillRegion ? 2u : 4u) && objects.Valid(static_cast<std::uint32_t>(w(0))) &&
             objects.Valid(static_cast<std::uint32_t>(w(1)));
    case kMetaSetPalEntries: case kMetaAnimatePalette: return words >= 2 && words >= 2 + 2 * w(1);
    case kMetaPolygon: case kMetaPolyline: return words >= 1 && words >= 1 + 2 * w(0);
    case kMetaPolyPolygon: {
      if (words < 1 || words < 1 + w(0)) return false;
      std::uint64_t points = 0;
      for (std::uint64_t i = 0; i < w(0); ++i) points += w(1 + i);
      return words >= 1 + w(0) + 2 * points;
    }
    case kMetaTextOut: return words >= 1 && words >= 1 + (w(0) + 1) / 2 + 2;
    case kMetaExtTextOut: {
      if (words < 4) return false;
      const std::uint64_t count = w(2);
      const std::uint64_t text = 4 + ((w(3) & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0);
      const std::uint64_t afterText = text + (count + 1) / 2;
      // Advances, when there are any, follow the text: one word per character.
      return words >= afterText && (words == afterText || words >= afterText + count);
    }
    case kMetaEscape: return words >= 2 && words >= 2 + (w(1) + 1) / 2;
    case kMetaDibBitBlt: return words == 9 || (words >= 8 && PackedDibIsSound(p.From(16), kRgbColours));
    case kMetaDibStretchBlt: return words == 11 || (words >= 10 && PackedDibIsSound(p.From(20), kRgbColours));
    case kMetaStretchDib: return words >= 11 && PackedDibIsSound(p.From(22), static_cast<std::uint32_t>(w(2)));
    case kMetaSetDibToDev:
      return words >= 9 && PackedDibIsSound(p.From(18), static_cast<std::uint32_t>(w(0)), static_cast<std::int64_t>(w(1)));
    case kMetaBitBlt: return words == 9 || (words >= 8 && Bitmap16IsSound(p, 16, 0));
    case kMetaStretchBlt: return words == 11 || (words >= 10 && Bitmap16IsSound(p, 20, 0));
    default:
      // Records the player passes over, or plays from their fixed fields only.
      return true;
  }
}

}  // namespace

namespace {

constexpr std::uint16_t kMetaFileComment = 0x000F;          // MFCOMMENT escape
constexpr std::uint32_t kEnhancedComment = 0x43464D57;      // "WMFC": a piece of the enhanced original

// A metafile converted from an enhanced one carries the original in comment escapes, and the system
// plays that original instead: its pieces are gathered so that it is checked too.
void GatherEnhancedPieces(const Record& p, std::vector<std::uint8_t>& enhanced) {
  if (p.U16(0) != kMetaFileComment || p.U32(4) != kEnhancedComment || p.U32(8) != 1) return;
  const std::uint32_t pieceBytes = p.U32(26);
  if (!p.Has(38, pieceBytes)) return;
  const Record piece = p.Part(38, pieceBytes);
  for (std::uint64_t i = 0; i < pieceBytes; ++i) enhanced.push_back(piece.U8(i));
}

}  // namespace

bool CheckWinMetaRecords(const std::uint8_t* data, std::size_t size) {
  const Record file(data, size);
  const std::uint16_t type = file.U16(0);
  if (!file.Has(0, 18) || (type != 1 && type != 2) || file.U16(2) != 9) return false;
  WmfObjects objects(file.U16(10));
  std::vector<std::uint8_t> enhanced;
  for (std::uint64_t offset = 18; file.Has(offset, 6);) {
    const std::uint64_t words = file.U32(offset);
    const std::uint16_t function = file.U16(offset + 4);
    if (words < 3 || !file.HasArray(offset, words, 2)) return false;
    if (function == kMetaEof) return enhanced.empty() || CheckEnhMetaRecords(enhanced.data(), enhanced.size());
    const Record parameters = file.Part(offset + 6, 2 * words - 6);
    if (!WmfRecordIsSound(parameters, function, objects)) return false;
    if (function == kMetaEscape) GatherEnhancedPieces(parameters, enhanced);
    offset += 2 * words;
  }
  return false;  // no end record
}

// --- Playing enhanced metafiles ------------------------------------------------------------------

namespace {

// How far from the picture (at most 4000 pixels a side) a record may draw, and how large its pen
// and font may be, in device pixels. A real picture stays near its frame; these leave it sixteen
// times the largest picture, while what GDI builds for a drawing stays a few megabytes.
constexpr double kDeviceReach = 65536.0;
constexpr double kLargestPen = 8192.0;
constexpr double kLargestFont = 4096.0;
// Pens up to this width are drawn as lines, whatever the mapping; wider ones only where it
// stretches no direction more than kMostAnisotropy times another.
constexpr double kThinPen = 1.5;
constexpr double kMostAnisotropy = 16.0;
// Glyph pixels one text record may ask to be rendered (characters times the font's square).
constexpr double kTextPixels = 64.0 * 1024 * 1024;

// Logical to device coordinates as the device context stands: world transform, then window to
// viewport. (Wine folds the metafile's own mapping into the world transform; Windows sets the
// mapping on the context: both are read.)
class DeviceMap {
public:
  explicit DeviceMap(HDC dc) {
    XFORM world{1, 0, 0, 1, 0, 0};
    GetWorldTransform(dc, &world);
    POINT windowOrg{}, viewportOrg{};
    SIZE windowExt{1, 1}, viewportExt{1, 1};
    GetWindowOrgEx(dc, &windowOrg);
    GetViewportOrgEx(dc, &viewportOrg);
    GetWindowExtEx(dc, &windowExt);
    GetViewportExtEx(dc, &viewportExt);
    const double sx = windowExt.cx ? double(viewportExt.cx) / windowExt.cx : 1.0;
    const double sy = windowExt.cy ? double(viewportExt.cy) / windowExt.cy : 1.0;
    FM11 = world.eM11 * sx;
    FM21 = world.eM21 * sx;
    FDx = (world.eDx - windowOrg.x) * sx + viewportOrg.x;
    FM12 = world.eM12 * sy;
    FM22 = world.eM22 * sy;
    FDy = (world.eDy - windowOrg.y) * sy + viewportOrg.y;
  }
  // Whether the logical point lands within reach of the picture.
  bool Reaches(double x, double y) const {
    const double dx = x * FM11 + y * FM21 + FDx;
    const double dy = x * FM12 + y * FM22 + FDy;
    return std::abs(dx) <= kDeviceReach && std::abs(dy) <= kDeviceReach;
  }
  // The most a logical length can stretch to on the device.
  double Length(double length) const {
    return std::abs(length) * std::sqrt(FM11 * FM11 + FM12 * FM12 + FM21 * FM21 + FM22 * FM22);
  }
  // How many times more the mapping stretches one direction than the one across it (infinite when
  // it flattens the plane onto a line).
  double Anisotropy() const {
    const double sum = FM11 * FM11 + FM12 * FM12 + FM21 * FM21 + FM22 * FM22;
    const double determinant = std::abs(FM11 * FM22 - FM12 * FM21);
    const double spread = std::sqrt(std::max(0.0, sum * sum - 4 * determinant * determinant));
    const double least = (sum - spread) / 2;
    return least > 0 ? std::sqrt(((sum + spread) / 2) / least) : HUGE_VAL;
  }

private:
  double FM11, FM12, FM21, FM22, FDx, FDy;
};

// The logical geometry of one record, gathered and measured against the device.
class Reach {
public:
  Reach(const Record& r, const DeviceMap& map) : FRecord(r), FMap(map) {}
  bool Sound() const { return FSound; }

  void Point(double x, double y) { FSound = FSound && FMap.Reaches(x, y); }
  void Point32(std::uint64_t at) { Point(FRecord.I32(at), FRecord.I32(at + 4)); }
  void Box(std::uint64_t at) {
    Point32(at);
    Point32(at + 8);
  }
  // A box given by its corner and size.
  void Extent(std::uint64_t at, std::uint64_t sizeAt) {
    const double x = FRecord.I32(at), y = FRecord.I32(at + 4);
    Point(x, y);
    Point(x + FRecord.I32(sizeAt), y + FRecord.I32(sizeAt + 4));
  }
  void Length(double length) { FSound = FSound && FMap.Length(length) <= kDeviceReach; }
  void Points32(std::uint64_t at, std::uint64_t count) {
    for (std::uint64_t i = 0; i < count && FSound && FRecord.Has(at + 8 * i, 8); ++i) Point32(at + 8 * i);
  }
  void Points16(std::uint64_t at, std::uint64_t count) {
    const auto s16 = [this](std::uint64_t o) { return static_cast<std::int16_t>(FRecord.U16(o)); };
    for (std::uint64_t i = 0; i < count && FSound && FRecord.Has(at + 4 * i, 4); ++i)
      Point(s16(at + 4 * i), s16(at + 4 * i + 2));
  }
  // A text run (EMRTEXT) at `at`: its reference point, its box, and where its advances end.
  void Text(std::uint64_t at) {
    Point32(at);
    const std::uint32_t chars = FRecord.U32(at + 8);
    if (FRecord.U32(at + 16) & (ETO_OPAQUE | ETO_CLIPPED)) Box(at + 20);
    const std::uint32_t offDx = FRecord.U32(at + 36);
    if (offDx == 0) return;
    const std::uint64_t step = (FRecord.U32(at + 16) & kTextPdy) ? 8 : 4;
    double x = FRecord.I32(at), y = FRecord.I32(at + 4);
    for (std::uint64_t i = 0; i < chars && FSound && FRecord.Has(offDx + step * i, step); ++i) {
      x += FRecord.I32(offDx + step * i);
      if (step == 8) y += FRecord.I32(offDx + step * i + 4);
      Point(x, y);
    }
  }

private:
  const Record& FRecord;
  const DeviceMap& FMap;
  bool FSound = true;
};

// The width of the pen selected on `dc`, in logical units.
double PenWidth(HDC dc) {
  HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
  if (!pen) return 0;
  const int size = GetObjectW(pen, 0, nullptr);
  if (size == sizeof(LOGPEN)) {
    LOGPEN logical{};
    return GetObjectW(pen, sizeof(logical), &logical) ? logical.lopnWidth.x : 0;
  }
  if (size < static_cast<int>(offsetof(EXTLOGPEN, elpBrushStyle))) return 0;
  std::vector<std::uint8_t> storage(static_cast<std::size_t>(size));
  if (!GetObjectW(pen, size, storage.data())) return 0;
  return reinterpret_cast<const EXTLOGPEN*>(storage.data())->elpWidth;
}

// The height and width of the font selected on `dc`, in logical units; the larger of the two.
double FontSize(HDC dc) {
  LOGFONTW font{};
  HGDIOBJ handle = GetCurrentObject(dc, OBJ_FONT);
  if (!handle || !GetObjectW(handle, sizeof(font), &font)) return 0;
  return std::max(std::abs(double(font.lfHeight)), std::abs(double(font.lfWidth)));
}

std::uint64_t TextChars(const Record& r, std::uint32_t type) {
  if (type == EMR_SMALLTEXTOUT) return r.U32(16);
  if (type == EMR_POLYTEXTOUTA || type == EMR_POLYTEXTOUTW) {
    std::uint64_t chars = 0;
    for (std::uint32_t i = 0; i < r.U32(36) && r.Has(40 + 40ull * i, 40); ++i) chars += r.U32(40 + 40ull * i + 8);
    return chars;
  }
  return r.U32(44);
}

// Whether the record, played on `dc` as it stands, keeps within reach of the picture.
bool RecordFitsDevice(HDC dc, const Record& r, std::uint32_t type) {
  const DeviceMap map(dc);
  Reach reach(r, map);
  bool strokes = true;  // drawn with the pen
  switch (type) {
    case EMR_ELLIPSE: case EMR_RECTANGLE: reach.Box(8); break;
    case EMR_ROUNDRECT: reach.Box(8); reach.Length(r.I32(24)); reach.Length(r.I32(28)); break;
    case EMR_ARC: case EMR_CHORD: case EMR_PIE: case EMR_ARCTO:
      reach.Box(8); reach.Point32(24); reach.Point32(32);
      break;
    case EMR_ANGLEARC: {
      const double x = r.I32(8), y = r.I32(12), radius = r.U32(16);
      reach.Point(x - radius, y - radius);
      reach.Point(x + radius, y + radius);
      break;
    }
    case EMR_MOVETOEX: case EMR_LINETO: case EMR_SETPIXELV: case EMR_EXTFLOODFILL: reach.Point32(8); break;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYDRAW:
      reach.Points32(28, r.U32(24));
      break;
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
    case EMR_POLYDRAW16:
      reach.Points16(28, r.U32(24));
      break;
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: reach.Points32(32 + 4ull * r.U32(24), r.U32(28)); break;
    case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: reach.Points16(32 + 4ull * r.U32(24), r.U32(28)); break;
    case EMR_STROKEPATH: case EMR_STROKEANDFILLPATH: case EMR_WIDENPATH: break;
    case EMR_FRAMERGN: reach.Length(r.I32(32)); reach.Length(r.I32(36)); break;
    case EMR_EXTTEXTOUTA: case EMR_EXTTEXTOUTW: reach.Text(36); strokes = false; break;
    case EMR_POLYTEXTOUTA: case EMR_POLYTEXTOUTW:
      for (std::uint32_t i = 0; i < r.U32(36) && r.Has(40 + 40ull * i, 40); ++i) reach.Text(40 + 40ull * i);
      strokes = false;
      break;
    case EMR_SMALLTEXTOUT: reach.Point32(8); strokes = false; break;
    case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
      reach.Extent(24, 32); strokes = false;
      break;
    case EMR_PLGBLT: reach.Points32(24, 3); strokes = false; break;
    case EMR_SETDIBITSTODEVICE: reach.Extent(24, 40); strokes = false; break;
    case EMR_STRETCHDIBITS: reach.Extent(24, 72); strokes = false; break;
    case EMR_GRADIENTFILL:
      for (std::uint32_t i = 0; i < r.U32(24) && r.Has(36 + 16ull * i, 16); ++i) reach.Point32(36 + 16ull * i);
      strokes = false;
      break;
    default:
      return true;  // draws nothing, or only what earlier records were measured for
  }
  if (!reach.Sound()) return false;
  if (strokes) {
    // Wine outlines with a wide pen segment by segment through regions, which goes wrong (its
    // memory corrupted) when the mapping squeezes the pen far more one way than the other, as a
    // header whose bounds and frame disagree in shape makes it.
    const double pen = map.Length(PenWidth(dc));
    return pen <= kLargestPen && (pen <= kThinPen || map.Anisotropy() <= kMostAnisotropy);
  }
  if (type == EMR_EXTTEXTOUTA || type == EMR_EXTTEXTOUTW || type == EMR_POLYTEXTOUTA || type == EMR_POLYTEXTOUTW ||
      type == EMR_SMALLTEXTOUT) {
    const double font = map.Length(FontSize(dc));
    return font <= kLargestFont && font * font * double(TextChars(r, type)) <= kTextPixels;
  }
  return true;
}

int CALLBACK PlayRecord(HDC dc, HANDLETABLE* table, const ENHMETARECORD* record, int handles, LPARAM data) {
  auto& refused = *reinterpret_cast<bool*>(data);
  const Record r(reinterpret_cast<const std::uint8_t*>(record), record->nSize);
  if (!RecordFitsDevice(dc, r, record->iType)) {
    refused = true;
    return 0;
  }
  // As PlayEnhMetaFile does, a record the system cannot play is passed over.
  PlayEnhMetaFileRecord(dc, table, record, static_cast<UINT>(handles));
  return 1;
}

}  // namespace

bool PlayCheckedEnhMetaFile(HDC dc, HENHMETAFILE metafile, const RECT& area) {
  bool refused = false;
  EnumEnhMetaFile(dc, metafile, PlayRecord, &refused, &area);
  return !refused;
}
