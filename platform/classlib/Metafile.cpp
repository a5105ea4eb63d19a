#include "platform/classlib/Metafile.h"

#include "platform/classlib/Canvas.h"
#include "platform/classlib/Streams.h"

#include <cstring>
#include <vector>

namespace classlib {

namespace {

#pragma pack(push, 1)
// The header in front of a placeable Windows metafile.
struct TPlaceableHeader {
  DWORD Key;
  WORD Handle;
  SHORT Left, Top, Right, Bottom;
  WORD Inch;  // units per inch of the bounding box
  DWORD Reserved;
  WORD Checksum;
};
#pragma pack(pop)
static_assert(sizeof(TPlaceableHeader) == 22);

constexpr DWORD kPlaceableKey = 0x9AC6CDD7;
// No picture comes near this; it bounds what a corrupt size field can make us read.
constexpr std::int64_t kMaxMetafileBytes = std::int64_t{256} << 20;

[[noreturn]] void InvalidMetafile() { throw EInvalidGraphic("Metafile is not valid"); }

int ScreenPixelsPerInch() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace

TMetafile::~TMetafile() {
  if (FHandle) DeleteEnhMetaFile(FHandle);
}

void TMetafile::Install(HENHMETAFILE Handle, int AWidth, int AHeight) {
  if (FHandle) DeleteEnhMetaFile(FHandle);
  FHandle = Handle;
  FWidth = AWidth;
  FHeight = AHeight;
  Changed();
}

void TMetafile::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  const auto* metafile = dynamic_cast<const TMetafile*>(&Source);
  if (!metafile) return TPersistent::Assign(Source);
  HENHMETAFILE copy = metafile->FHandle ? CopyEnhMetaFileW(metafile->FHandle, nullptr) : nullptr;
  if (metafile->FHandle && !copy) throw EInvalidGraphicOperation("Cannot copy the metafile");
  Install(copy, metafile->FWidth, metafile->FHeight);
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
  auto copy = std::make_unique<TMetafile>();
  copy->Assign(*this);
  return copy;
}

void TMetafile::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed();
}

void TMetafile::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}

void TMetafile::LoadFromStream(TStream& Stream) {
  const std::int64_t available = Stream.Size() - Stream.Position();
  if (available < std::int64_t(sizeof(TPlaceableHeader)) || available > kMaxMetafileBytes) InvalidMetafile();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(available));
  Stream.ReadBuffer(data.data(), static_cast<int>(data.size()));

  TPlaceableHeader placeable;
  std::memcpy(&placeable, data.data(), sizeof placeable);
  if (placeable.Key == kPlaceableKey) {
    const int boxWidth = placeable.Right - placeable.Left, boxHeight = placeable.Bottom - placeable.Top;
    if (placeable.Inch == 0 || boxWidth <= 0 || boxHeight <= 0) InvalidMetafile();
    // The picture's extent in hundredths of a millimetre, as the conversion to EMF wants it.
    const METAFILEPICT picture{MM_ANISOTROPIC, MulDiv(boxWidth, 2540, placeable.Inch),
                               MulDiv(boxHeight, 2540, placeable.Inch), nullptr};
    const HENHMETAFILE handle = SetWinMetaFileBits(static_cast<UINT>(data.size() - sizeof placeable),
                                                   data.data() + sizeof placeable, nullptr, &picture);
    if (!handle) InvalidMetafile();
    const int dpi = ScreenPixelsPerInch();
    return Install(handle, MulDiv(boxWidth, dpi, placeable.Inch), MulDiv(boxHeight, dpi, placeable.Inch));
  }

  ENHMETAHEADER header;
  if (data.size() < sizeof header) InvalidMetafile();
  std::memcpy(&header, data.data(), sizeof header);
  if (header.iType != EMR_HEADER || header.dSignature != ENHMETA_SIGNATURE || header.nBytes > data.size())
    InvalidMetafile();
  const HENHMETAFILE handle = SetEnhMetaFileBits(header.nBytes, data.data());
  if (!handle) InvalidMetafile();
  // The frame is in hundredths of a millimetre.
  const int dpi = ScreenPixelsPerInch();
  Install(handle, MulDiv(header.rclFrame.right - header.rclFrame.left, dpi, 2540),
          MulDiv(header.rclFrame.bottom - header.rclFrame.top, dpi, 2540));
}

void TMetafile::SaveToStream(TStream& Stream) const {
  if (!FHandle) return;
  const UINT size = GetEnhMetaFileBits(FHandle, 0, nullptr);
  std::vector<std::uint8_t> data(size);
  if (size == 0 || GetEnhMetaFileBits(FHandle, size, data.data()) != size)
    throw EInvalidGraphicOperation("Cannot read the metafile's data");
  Stream.WriteBuffer(data.data(), static_cast<int>(size));
}

void TMetafile::Draw(TCanvas& ACanvas, const TRect& Rect) {
  if (FHandle) PlayEnhMetaFile(ACanvas.Handle(), FHandle, &Rect);
}

}  // namespace classlib
