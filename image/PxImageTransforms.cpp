// Geometric and colour transforms of a whole image: gray scale, flip, mirror, negative and rotations.
//
// Every transform except Negative builds its result in a second image and moves it in with Transfer,
// so a transform that cannot get its memory leaves the picture as it was.
#include "image/PxImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Side of the square tiles in which the quarter turns walk the new image: 64 rows of a tile stay in
// cache while its columns are written.
constexpr std::int32_t kTile = 64;

struct Point {
  std::int32_t x, y;
};

// Bytes of a stored row that hold pixel bits; the rest up to RowBytes is padding.
std::uint32_t UsedRowBytes(const PxImage& image) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(image.Width()) * image.Bpp() + 7) / 8);
}

// Working images are created without clearing; their padding must not carry stray memory into files.
void ClearRowPadding(PxImage& image) {
  const std::uint32_t used = UsedRowBytes(image);
  const std::uint32_t padding = image.RowBytes() - used;
  if (padding == 0) return;
  for (std::int32_t y = 0; y < image.Height(); ++y) std::memset(image.RowBits(y) + used, 0, padding);
}

// Palette index of pixel x in a stored row of 1, 4 or 8 bits per pixel (packed from the high bit).
inline std::uint8_t IndexInRow(const std::uint8_t* row, std::int32_t x, std::uint16_t bpp) {
  switch (bpp) {
    case 1: return static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return static_cast<std::uint8_t>((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    default: return row[x];
  }
}

// Stores an index the way SetPixelIndex does (4 bpp keeps index & 15, 1 bpp index & 1).
inline void SetIndexInRow(std::uint8_t* row, std::int32_t x, std::uint16_t bpp, std::uint8_t index) {
  switch (bpp) {
    case 1: {
      const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<std::uint8_t>((index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
      break;
    }
    case 4: {
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | (index & 0x0F))
                     : static_cast<std::uint8_t>((byte & 0x0F) | ((index & 0x0F) << 4));
      break;
    }
    default: row[x] = index;
  }
}

// Columns [x0, x1) and stored rows [y0, y1) that a selection-aware operation walks: the selection box
// when a mask exists, else the whole image; clipped to the image, since no pixel outside it is selected.
struct Area {
  std::int32_t x0, x1, y0, y1;
};

Area WalkedArea(const PxImage& image, bool hasMask) {
  if (!hasMask) return {0, image.Width(), 0, image.Height()};
  const RECT& box = image.Info().selectionBox;
  return {std::max<std::int32_t>(box.left, 0), std::min<std::int32_t>(box.right, image.Width()),
          std::max<std::int32_t>(box.bottom, 0), std::min<std::int32_t>(box.top, image.Height())};
}

// Writes the gray level of every pixel of source, given as levelOfIndex for palette images, into the
// 8-bit image gray of the same size.
void FillGrayLevels(const PxImage& source, PxImage& gray, const std::uint8_t* levelOfIndex) {
  const std::uint16_t bpp = source.Bpp();
  for (std::int32_t y = 0; y < source.Height(); ++y) {
    const std::uint8_t* src = source.RowBits(y);
    std::uint8_t* dst = gray.RowBits(y);
    if (bpp == 24) {
      for (std::int32_t x = 0; x < source.Width(); ++x, src += 3) dst[x] = GrayLevel(src[0], src[1], src[2]);
    } else {
      for (std::int32_t x = 0; x < source.Width(); ++x) dst[x] = levelOfIndex[IndexInRow(src, x, bpp)];
    }
  }
  ClearRowPadding(gray);
}

// Visits every pixel (x, y) of a width x height image in kTile x kTile tiles, tiles along x
// outermost; inside a tile column by column (byColumn) or row by row, reporting the progress of
// each column or row.
template <typename Visit>
void WalkTiles(std::int32_t width, std::int32_t height, bool byColumn, std::int32_t& progress, Visit visit) {
  for (std::int32_t tileX = 0; tileX < width; tileX += kTile) {
    const std::int32_t endX = std::min(tileX + kTile, width);
    for (std::int32_t tileY = 0; tileY < height; tileY += kTile) {
      const std::int32_t endY = std::min(tileY + kTile, height);
      if (byColumn) {
        for (std::int32_t x = tileX; x < endX; ++x) {
          progress = static_cast<std::int32_t>(static_cast<std::int64_t>(x) * 100 / width);
          for (std::int32_t y = tileY; y < endY; ++y) visit(x, y);
        }
      } else {
        for (std::int32_t y = tileY; y < endY; ++y) {
          progress = static_cast<std::int32_t>(static_cast<std::int64_t>(y) * 100 / height);
          for (std::int32_t x = tileX; x < endX; ++x) visit(x, y);
        }
      }
    }
  }
}

// Copies every pixel of source into turned (already created with the swapped size) along
// oldOf(newX, newY) -> old (x, y): whole bytes at 24 and 8 bpp, nibbles at 4 bpp.
template <typename OldOf>
void TurnPixels(const PxImage& source, PxImage& turned, bool byColumn, std::int32_t& progress, OldOf oldOf) {
  const std::uint8_t* srcBase = source.RowBits(0);
  const std::size_t srcStride = source.RowBytes();
  std::uint8_t* dstBase = turned.RowBits(0);
  const std::size_t dstStride = turned.RowBytes();
  const std::uint16_t bpp = source.Bpp();
  auto visit = [&](std::int32_t x, std::int32_t y) {
    const auto [oldX, oldY] = oldOf(x, y);
    const std::uint8_t* srcRow = srcBase + static_cast<std::size_t>(oldY) * srcStride;
    std::uint8_t* dstRow = dstBase + static_cast<std::size_t>(y) * dstStride;
    if (bpp == 24) {
      std::memcpy(dstRow + 3 * static_cast<std::size_t>(x), srcRow + 3 * static_cast<std::size_t>(oldX), 3);
    } else {
      SetIndexInRow(dstRow, x, bpp, IndexInRow(srcRow, oldX, bpp));
    }
  };
  WalkTiles(turned.Width(), turned.Height(), byColumn, progress, visit);
}

// The 1-bit quarter turn: the new block starts cleared and every set bit of a source row is carried
// to its new place; bits of the source row padding have no place in the new image and are dropped.
template <typename NewOf>
void TurnBits(const PxImage& source, PxImage& turned, NewOf newOf) {
  std::uint8_t* dstBase = turned.RowBits(0);
  const std::size_t dstStride = turned.RowBytes();
  std::memset(dstBase, 0, dstStride * turned.Height());
  const std::int32_t width = source.Width();
  for (std::int32_t oldY = 0; oldY < source.Height(); ++oldY) {
    const std::uint8_t* row = source.RowBits(oldY);
    for (std::int32_t byteX = 0; byteX * 8 < width; ++byteX) {
      const std::uint8_t bits = row[byteX];
      if (bits == 0) continue;
      const std::int32_t end = std::min(8, width - byteX * 8);
      for (std::int32_t bit = 0; bit < end; ++bit) {
        if (!(bits & (0x80 >> bit))) continue;
        const auto [newX, newY] = newOf(byteX * 8 + bit, oldY);
        std::uint8_t& byte = dstBase[static_cast<std::size_t>(newY) * dstStride + (newX >> 3)];
        byte = static_cast<std::uint8_t>(byte | (0x80 >> (newX & 7)));
      }
    }
  }
}

// Alpha values follow the pixels: the byte of new (x, y) is the old byte of oldOf(x, y).
template <typename OldOf>
void TurnAlpha(const PxImage& source, PxImage& turned, OldOf oldOf) {
  std::uint8_t* alphaBase = turned.AlphaPointer(0, 0);
  const std::size_t stride = static_cast<std::size_t>(turned.Width());
  std::int32_t unused = 0;
  WalkTiles(turned.Width(), turned.Height(), true, unused, [&](std::int32_t x, std::int32_t y) {
    const auto [oldX, oldY] = oldOf(x, y);
    alphaBase[static_cast<std::size_t>(y) * stride + x] = source.BlindAlphaGet(oldX, oldY);
  });
}

// Builds in turned the quarter turn of source, counter-clockwise on the screen when Left, else
// clockwise: the size swapped, source's settings, palette and alpha channel carried over. False when
// turned cannot be created, with the reason in turned's LastError.
template <bool Left>
bool MakeQuarterTurn(const PxImage& source, PxImage& turned, std::int32_t& progress) {
  turned.CopyInfo(source);
  if (!turned.Create(source.Height(), source.Width(), source.Bpp(), source.FormatId()) ||
      (source.AlphaIsValid() && !turned.AlphaCreate())) {
    return false;
  }
  turned.SetPalette(source.Palette(), 256);
  // Pixels narrower than a byte are written one at a time: the unused bits of each row's last byte
  // must start out clear, or they keep whatever the allocation held.
  if (source.Bpp() < 8) turned.Clear(0);

  // To the left new (x, y) shows old (y, oldHeight - 1 - x); to the right old (oldWidth - 1 - y, x).
  const std::int32_t oldWidth = source.Width();
  const std::int32_t oldHeight = source.Height();
  const auto oldOf = [=](std::int32_t x, std::int32_t y) {
    return Left ? Point{y, oldHeight - 1 - x} : Point{oldWidth - 1 - y, x};
  };
  if (source.Bpp() == 1) {
    TurnBits(source, turned, [=](std::int32_t oldX, std::int32_t oldY) {
      return Left ? Point{oldHeight - 1 - oldY, oldX} : Point{oldY, oldWidth - 1 - oldX};
    });
  } else {
    TurnPixels(source, turned, Left, progress, oldOf);
    ClearRowPadding(turned);
  }
  if (source.AlphaIsValid()) TurnAlpha(source, turned, oldOf);
  return true;
}

}  // namespace

bool PxImage::GrayScale() {
  if (!IsValid()) return false;
  // Moves in an 8-bit gray image of this size with this image's settings, selection and alpha.
  const auto replaceByGray = [this](const std::uint8_t* levelOfIndex, std::int32_t transparentIndex) {
    PxImage gray;
    gray.CopyInfo(*this);
    if (!gray.Create(header.biWidth, header.biHeight, 8, info.formatId)) {
      SetError(gray.LastError());
      return false;
    }
    gray.SetGrayPalette();
    gray.SelectionCopy(*this);
    gray.AlphaCopy(*this);
    FillGrayLevels(*this, gray, levelOfIndex);
    gray.SetTransparentIndex(transparentIndex);
    return Transfer(gray);
  };

  if (header.biBitCount > 8) {
    // A true-colour image names its transparent colour by transparentColor; in the gray image the
    // index must be that colour's gray level, not whichever gray the old index number happens to be.
    return replaceByGray(nullptr, info.transparentIndex == -1 ? -1 : GrayLevel(info.transparentColor));
  }

  // A 1- or 4-bit picture becomes an 8-bit one: when that one would pass the size limit, the
  // picture is refused before its palette is touched.
  if (header.biBitCount < 8 && !FitsSizeLimit(static_cast<std::uint32_t>(header.biWidth),
                                              static_cast<std::uint32_t>(header.biHeight), 8)) {
    SetError("PXIMAGE_MAX_MEMORY exceeded");
    return false;
  }

  // The blue byte of every entry takes the entry's gray level: the pixels are remapped through it.
  RGBQUAD* palette = Palette();
  std::uint8_t levelOfIndex[256] = {};
  for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
    palette[i].rgbBlue = GrayLevel(palette[i]);
    levelOfIndex[i] = palette[i].rgbBlue;
  }
  ClearNearestCache();
  if (info.transparentIndex != -1) {
    info.transparentIndex = PaletteColor(static_cast<std::uint8_t>(info.transparentIndex)).rgbBlue;
  }

  if (header.biBitCount == 8) {
    std::uint8_t* bytes = info.pixels;
    for (std::uint32_t i = 0; i < header.biSizeImage; ++i) bytes[i] = levelOfIndex[bytes[i]];
    SetGrayPalette();
    return true;
  }
  return replaceByGray(levelOfIndex, info.transparentIndex);
}

bool PxImage::Flip() {
  if (!IsValid()) return false;
  PxImage flipped(*this, false, false, true);
  if (!flipped.IsValid()) {
    SetError(flipped.LastError());
    return false;
  }
  const std::int32_t height = header.biHeight;
  for (std::int32_t y = 0; y < height; ++y) std::memcpy(flipped.RowBits(y), RowBits(height - 1 - y), info.rowBytes);
  flipped.AlphaFlip();
  return Transfer(flipped);
}

bool PxImage::Mirror() {
  if (!IsValid()) return false;
  PxImage mirrored(*this, false, false, true);
  if (!mirrored.IsValid()) {
    SetError(mirrored.LastError());
    return false;
  }
  const std::int32_t width = header.biWidth;
  const std::uint16_t bpp = header.biBitCount;
  for (std::int32_t y = 0; y < header.biHeight; ++y) {
    const std::uint8_t* src = RowBits(y);
    std::uint8_t* dst = mirrored.RowBits(y);
    if (bpp == 24) {
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint8_t* from = src + 3 * static_cast<std::size_t>(width - 1 - x);
        std::uint8_t* to = dst + 3 * static_cast<std::size_t>(x);
        to[0] = from[0];
        to[1] = from[1];
        to[2] = from[2];
      }
    } else if (bpp == 8) {
      std::reverse_copy(src, src + width, dst);
    } else {
      std::memset(dst, 0, info.rowBytes);
      for (std::int32_t x = 0; x < width; ++x) SetIndexInRow(dst, x, bpp, IndexInRow(src, width - 1 - x, bpp));
    }
  }
  ClearRowPadding(mirrored);
  mirrored.AlphaMirror();
  return Transfer(mirrored);
}

bool PxImage::Negative() {
  if (!IsValid()) return false;
  const Area area = WalkedArea(*this, selection != nullptr);

  if (header.biBitCount > 8) {
    if (selection) {
      for (std::int32_t y = area.y0; y < area.y1; ++y) {
        std::uint8_t* row = RowBits(y);
        for (std::int32_t x = area.x0; x < area.x1; ++x) {
          if (!SelectionIsInside(x, y)) continue;
          std::uint8_t* pixel = row + 3 * static_cast<std::size_t>(x);
          pixel[0] = static_cast<std::uint8_t>(255 - pixel[0]);
          pixel[1] = static_cast<std::uint8_t>(255 - pixel[1]);
          pixel[2] = static_cast<std::uint8_t>(255 - pixel[2]);
        }
      }
    } else {
      std::uint8_t* bytes = info.pixels;
      for (std::uint32_t i = 0; i < header.biSizeImage; ++i) bytes[i] = static_cast<std::uint8_t>(~bytes[i]);
    }
    RGBQUAD& color = info.transparentColor;
    color.rgbBlue = static_cast<std::uint8_t>(255 - color.rgbBlue);
    color.rgbGreen = static_cast<std::uint8_t>(255 - color.rgbGreen);
    color.rgbRed = static_cast<std::uint8_t>(255 - color.rgbRed);
    return true;
  }

  if (!IsGrayScale()) {
    RGBQUAD* palette = Palette();
    for (std::uint32_t i = 0; i < header.biClrUsed; ++i) {
      palette[i].rgbBlue = static_cast<std::uint8_t>(255 - palette[i].rgbBlue);
      palette[i].rgbGreen = static_cast<std::uint8_t>(255 - palette[i].rgbGreen);
      palette[i].rgbRed = static_cast<std::uint8_t>(255 - palette[i].rgbRed);
    }
    ClearNearestCache();
    return true;
  }

  // A gray ramp stays a ramp: the indices are inverted instead (NOT keeps only the pixel's bits).
  const std::uint16_t bpp = header.biBitCount;
  for (std::int32_t y = area.y0; y < area.y1; ++y) {
    std::uint8_t* row = RowBits(y);
    for (std::int32_t x = area.x0; x < area.x1; ++x) {
      if (selection && !SelectionIsInside(x, y)) continue;
      SetIndexInRow(row, x, bpp, static_cast<std::uint8_t>(~IndexInRow(row, x, bpp)));
    }
  }
  return true;
}

bool PxImage::RotateLeft(PxImage* destination) {
  if (!IsValid()) return false;
  PxImage turned;
  if (!MakeQuarterTurn<true>(*this, turned, info.progress)) {
    SetError(turned.LastError());
    return false;
  }
  return (destination ? *destination : *this).Transfer(turned);
}

bool PxImage::RotateRight(PxImage* destination) {
  if (!IsValid()) return false;
  PxImage turned;
  if (!MakeQuarterTurn<false>(*this, turned, info.progress)) {
    SetError(turned.LastError());
    return false;
  }
  return (destination ? *destination : *this).Transfer(turned);
}

bool PxImage::Rotate(float angle, PxImage* destination) {
  if (!IsValid()) return false;
  const double pi = 2 * std::acos(0.0);
  const double turn = -angle * pi / 180;
  const double c = std::cos(turn);
  const double s = std::sin(turn);

  // The bounding box of the turned corners, one pixel of margin on each far side.
  const double width = header.biWidth;
  const double height = header.biHeight;
  const double corners[4][2] = {{0, 0}, {width, 0}, {0, height}, {width - 1, height}};
  std::int32_t minX = 0, minY = 0, maxX = 0, maxY = 0;
  for (int i = 0; i < 4; ++i) {
    const auto x = static_cast<std::int32_t>(std::floor(corners[i][0] * c - corners[i][1] * s));
    const auto y = static_cast<std::int32_t>(std::floor(corners[i][0] * s + corners[i][1] * c));
    minX = i == 0 ? x : std::min(minX, x);
    maxX = i == 0 ? x : std::max(maxX, x);
    minY = i == 0 ? y : std::min(minY, y);
    maxY = i == 0 ? y : std::max(maxY, y);
  }
  const std::int64_t newWidth = static_cast<std::int64_t>(maxX) + 2 - minX;
  const std::int64_t newHeight = static_cast<std::int64_t>(maxY) + 2 - minY;
  if (newWidth > INT32_MAX || newHeight > INT32_MAX) {
    SetError("PXIMAGE_MAX_MEMORY exceeded");
    return false;
  }

  PxImage rotated;
  rotated.CopyInfo(*this);
  if (!rotated.Create(static_cast<std::uint32_t>(newWidth), static_cast<std::uint32_t>(newHeight), header.biBitCount,
                      info.formatId) ||
      (AlphaIsValid() && !rotated.AlphaCreate())) {
    SetError(rotated.LastError());
    return false;
  }
  rotated.SetPalette(Palette(), 256);
  rotated.AlphaClear();

  // Every new pixel shows the old pixel its centre turns back onto; pixels that turn back outside the
  // picture show what the pixel readers give outside it (the bottom-left pixel unless a transparent
  // colour or index is set). The products are the same for every row or column, so they are taken once.
  const std::int32_t outWidth = rotated.Width();
  const std::int32_t outHeight = rotated.Height();
  std::vector<double> columnC(outWidth), columnS(outWidth);
  for (std::int32_t newX = 0; newX < outWidth; ++newX) {
    const double x = minX + newX;
    columnC[newX] = x * c;
    columnS[newX] = x * s;
  }
  const bool trueColor = header.biClrUsed == 0;
  const std::uint16_t bpp = header.biBitCount;
  const RGBQUAD outsideColor = PixelColor(-1, -1, true);
  const std::uint8_t outsideIndex = PixelIndex(-1, -1);
  const std::int32_t oldWidth = header.biWidth;
  const std::int32_t oldHeight = header.biHeight;
  const std::uint32_t usedBytes = UsedRowBytes(rotated);
  const auto oldRow = [this](std::int32_t oldY) {
    return info.pixels + static_cast<std::size_t>(oldY) * info.rowBytes;
  };

  std::int32_t newY = 0;
  for (; newY < outHeight; ++newY) {
    info.progress = static_cast<std::int32_t>(static_cast<std::int64_t>(newY) * 100 / outHeight);
    if (info.escape) break;
    const double y = minY + newY;
    const double rowS = y * s;
    const double rowC = y * c;
    std::uint8_t* dst = rotated.RowBits(newY);
    if (!trueColor && bpp < 8) std::memset(dst, 0, rotated.RowBytes());
    for (std::int32_t newX = 0; newX < outWidth; ++newX) {
      const auto oldX = static_cast<std::int32_t>(columnC[newX] + rowS - 0.5);
      const auto oldY = static_cast<std::int32_t>(rowC - columnS[newX] - 0.5);
      const bool inside = oldX >= 0 && oldX < oldWidth && oldY >= 0 && oldY < oldHeight;
      if (trueColor) {
        std::uint8_t* pixel = dst + 3 * static_cast<std::size_t>(newX);
        if (inside) {
          std::memcpy(pixel, oldRow(oldY) + 3 * static_cast<std::size_t>(oldX), 3);
        } else {
          pixel[0] = outsideColor.rgbBlue;
          pixel[1] = outsideColor.rgbGreen;
          pixel[2] = outsideColor.rgbRed;
        }
      } else {
        SetIndexInRow(dst, newX, bpp, inside ? IndexInRow(oldRow(oldY), oldX, bpp) : outsideIndex);
      }
      if (alpha) {
        rotated.alpha[static_cast<std::size_t>(newY) * outWidth + newX] = inside ? BlindAlphaGet(oldX, oldY) : 0;
      }
    }
    std::memset(dst + usedBytes, 0, rotated.RowBytes() - usedBytes);
  }
  // Rows an escape left unwritten are cleared rather than left as stray memory.
  for (; newY < outHeight; ++newY) std::memset(rotated.RowBits(newY), 0, rotated.RowBytes());

  return (destination ? *destination : *this).Transfer(rotated);
}
