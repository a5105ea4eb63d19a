#include "platform/classlib/Icon.h"

#include "platform/classlib/Canvas.h"
#include "platform/classlib/Streams.h"

#include <cstring>
#include <type_traits>
#include <utility>

namespace classlib {

namespace {

// The directory of an .ico file, and the same directory as a resource (which names images by id),
// the form LookupIconIdFromDirectoryEx reads.
#pragma pack(push, 1)
struct TIconDir {
  WORD Reserved;
  WORD Type;  // 1 for icons
  WORD Count;
};
struct TIconDirEntry {
  BYTE Width;  // 0 stands for 256
  BYTE Height;
  BYTE ColorCount;
  BYTE Reserved;
  WORD Planes;
  WORD BitCount;
  DWORD BytesInRes;
  DWORD ImageOffset;
};
struct TGroupIconDirEntry {
  BYTE Width;
  BYTE Height;
  BYTE ColorCount;
  BYTE Reserved;
  WORD Planes;
  WORD BitCount;
  DWORD BytesInRes;
  WORD Id;
};
#pragma pack(pop)
static_assert(sizeof(TIconDir) == 6);
static_assert(sizeof(TIconDirEntry) == 16);
static_assert(sizeof(TGroupIconDirEntry) == 14);

// No icon file comes near this; it bounds what a corrupt directory can make us read.
constexpr std::int64_t kMaxIconBytes = std::int64_t{16} << 20;
constexpr BYTE kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

[[noreturn]] void InvalidIcon() { throw EInvalidGraphic("Icon image is not valid"); }

std::int64_t StrideOf(std::int64_t Width, int BitCount) { return (Width * BitCount + 31) / 32 * 4; }

// An icon image is a PNG, or a DIB twice the icon's height: the colour rows, then the mask rows.
bool SoundIconImage(const std::uint8_t* Image, DWORD Size) {
  if (Size >= sizeof kPngSignature && std::memcmp(Image, kPngSignature, sizeof kPngSignature) == 0) return true;
  BITMAPINFOHEADER header;
  if (Size < sizeof header) return false;
  std::memcpy(&header, Image, sizeof header);
  const int bits = header.biBitCount;
  if (header.biSize != sizeof header || header.biPlanes != 1 || header.biCompression != BI_RGB) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (header.biWidth <= 0 || header.biWidth > 1024 || header.biHeight <= 0 || header.biHeight > 2048) return false;
  const std::int64_t height = header.biHeight / 2;
  const std::int64_t fullPalette = bits <= 8 ? std::int64_t{1} << bits : 0;
  const std::int64_t colors = bits <= 8 && header.biClrUsed != 0 ? std::int64_t{header.biClrUsed} : fullPalette;
  if (colors > fullPalette) return false;
  const std::int64_t needed = std::int64_t{sizeof header} + colors * 4 + StrideOf(header.biWidth, bits) * height +
                              StrideOf(header.biWidth, 1) * height;
  return height > 0 && needed <= Size;
}

struct TGdiDeleter {
  void operator()(HGDIOBJ Object) const { DeleteObject(Object); }
};
using TBitmapHandle = std::unique_ptr<std::remove_pointer_t<HBITMAP>, TGdiDeleter>;

SIZE IconSize(HICON Icon) {
  ICONINFO info{};
  if (!GetIconInfo(Icon, &info)) return SIZE{0, 0};
  TBitmapHandle color(info.hbmColor);
  TBitmapHandle mask(info.hbmMask);
  BITMAP bitmap{};
  if (color) {
    GetObjectW(color.get(), sizeof bitmap, &bitmap);
    return SIZE{bitmap.bmWidth, bitmap.bmHeight};
  }
  GetObjectW(mask.get(), sizeof bitmap, &bitmap);
  return SIZE{bitmap.bmWidth, bitmap.bmHeight / 2};  // monochrome: the AND rows above the XOR rows
}

template <class T>
void Append(std::vector<std::uint8_t>& Out, const T& Value) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&Value);
  Out.insert(Out.end(), bytes, bytes + sizeof Value);
}

}  // namespace

TIcon::~TIcon() {
  if (FHandle && FOwnsHandle) DestroyIcon(FHandle);
}

void TIcon::Install(HICON Handle, bool OwnsHandle, std::vector<std::uint8_t> Data) {
  if (FHandle && FOwnsHandle) DestroyIcon(FHandle);
  FHandle = Handle;
  FOwnsHandle = Handle && OwnsHandle;
  FData = std::move(Data);
  const SIZE size = Handle ? IconSize(Handle) : SIZE{0, 0};
  FWidth = size.cx;
  FHeight = size.cy;
  Changed();
}

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::SetHandle(HICON Value, bool OwnsHandle) {
  if (Value == FHandle) {
    FOwnsHandle = Value && OwnsHandle;
    return;
  }
  Install(Value, OwnsHandle, {});
}

HICON TIcon::ReleaseHandle() {
  HICON handle = std::exchange(FHandle, nullptr);
  FOwnsHandle = false;
  Install(nullptr, false, {});
  return handle;
}

void TIcon::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  const auto* icon = dynamic_cast<const TIcon*>(&Source);
  if (!icon) return TPersistent::Assign(Source);
  if (!icon->FData.empty()) {
    TMemoryStream data;
    icon->SaveToStream(data);
    data.SetPosition(0);
    LoadFromStream(data);
  } else {
    Install(icon->FHandle ? CopyIcon(icon->FHandle) : nullptr, true, {});
  }
}

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto copy = std::make_unique<TIcon>();
  copy->Assign(*this);
  return copy;
}

void TIcon::LoadFromStream(TStream& Stream) {
  const std::int64_t available = Stream.Size() - Stream.Position();
  if (available < std::int64_t(sizeof(TIconDir))) InvalidIcon();
  TIconDir dir;
  Stream.ReadBuffer(&dir, sizeof dir);
  if (dir.Reserved != 0 || dir.Type != 1 || dir.Count == 0) InvalidIcon();
  const std::int64_t directoryEnd =
      std::int64_t(sizeof dir) + std::int64_t{dir.Count} * std::int64_t(sizeof(TIconDirEntry));
  if (directoryEnd > available) InvalidIcon();
  std::vector<TIconDirEntry> entries(dir.Count);
  Stream.ReadBuffer(entries.data(), int(entries.size() * sizeof(TIconDirEntry)));
  // The file is as long as its last image reaches; a stream may hold more after it.
  std::int64_t end = directoryEnd;
  for (const TIconDirEntry& entry : entries) {
    const std::int64_t imageEnd = std::int64_t{entry.ImageOffset} + entry.BytesInRes;
    if (entry.ImageOffset < directoryEnd || entry.BytesInRes == 0 || imageEnd > available) InvalidIcon();
    end = std::max(end, imageEnd);
  }
  if (end > kMaxIconBytes) InvalidIcon();
  std::vector<std::uint8_t> data(static_cast<std::size_t>(end));
  std::memcpy(data.data(), &dir, sizeof dir);
  std::memcpy(data.data() + sizeof dir, entries.data(), entries.size() * sizeof(TIconDirEntry));
  Stream.ReadBuffer(data.data() + directoryEnd, int(end - directoryEnd));

  // Let the system choose the image for its icon size and colour depth, as it does for resources.
  std::vector<std::uint8_t> group;
  Append(group, dir);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const TIconDirEntry& e = entries[i];
    Append(group, TGroupIconDirEntry{e.Width, e.Height, e.ColorCount, e.Reserved, e.Planes, e.BitCount, e.BytesInRes,
                                     WORD(i + 1)});
  }
  const int id = LookupIconIdFromDirectoryEx(group.data(), TRUE, 0, 0, LR_DEFAULTCOLOR);
  if (id < 1 || id > int(entries.size())) InvalidIcon();
  const TIconDirEntry& chosen = entries[std::size_t(id - 1)];
  std::uint8_t* image = data.data() + chosen.ImageOffset;
  if (!SoundIconImage(image, chosen.BytesInRes)) InvalidIcon();
  HICON handle = CreateIconFromResourceEx(image, chosen.BytesInRes, TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
  if (!handle) InvalidIcon();
  Install(handle, true, std::move(data));
}

void TIcon::SaveToStream(TStream& Stream) const {
  if (Empty()) throw EInvalidGraphicOperation("Icon is empty");
  const std::vector<std::uint8_t> data = FData.empty() ? EncodeHandle() : FData;
  Stream.WriteBuffer(data.data(), int(data.size()));
}

std::vector<std::uint8_t> TIcon::EncodeHandle() const {
  ICONINFO info{};
  if (!GetIconInfo(FHandle, &info)) InvalidIcon();
  TBitmapHandle color(info.hbmColor);
  TBitmapHandle mask(info.hbmMask);
  const bool monochrome = !color;
  const int bitCount = monochrome ? 1 : 32;
  const int width = FWidth;
  const int height = FHeight;
  const std::int64_t colorBytes = StrideOf(width, bitCount) * height;
  const std::int64_t maskBytes = StrideOf(width, 1) * height;

  struct {
    BITMAPINFOHEADER Header;
    RGBQUAD Colors[2];
  } request{};
  request.Header.biSize = sizeof(BITMAPINFOHEADER);
  request.Header.biWidth = width;
  request.Header.biPlanes = 1;
  request.Header.biCompression = BI_RGB;
  std::vector<std::uint8_t> colorRows(static_cast<std::size_t>(colorBytes));
  std::vector<std::uint8_t> maskRows(static_cast<std::size_t>(maskBytes));
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) InvalidIcon();
  bool read = false;
  if (monochrome) {
    // A monochrome icon's mask bitmap holds the AND rows above the XOR rows; bottom-up, the XOR rows
    // come first, which is the order of an icon image.
    std::vector<std::uint8_t> rows(std::size_t(colorBytes + maskBytes));
    request.Header.biBitCount = 1;
    request.Header.biHeight = 2 * height;
    read = GetDIBits(dc, mask.get(), 0, UINT(2 * height), rows.data(), reinterpret_cast<BITMAPINFO*>(&request),
                     DIB_RGB_COLORS) == 2 * height;
    std::memcpy(colorRows.data(), rows.data(), colorRows.size());
    std::memcpy(maskRows.data(), rows.data() + colorRows.size(), maskRows.size());
  } else {
    request.Header.biBitCount = 32;
    request.Header.biHeight = height;
    read = GetDIBits(dc, color.get(), 0, UINT(height), colorRows.data(), reinterpret_cast<BITMAPINFO*>(&request),
                     DIB_RGB_COLORS) == height;
    request.Header.biBitCount = 1;
    read = read && GetDIBits(dc, mask.get(), 0, UINT(height), maskRows.data(), reinterpret_cast<BITMAPINFO*>(&request),
                             DIB_RGB_COLORS) == height;
  }
  DeleteDC(dc);
  if (!read) InvalidIcon();

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = 2 * height;
  header.biPlanes = 1;
  header.biBitCount = WORD(bitCount);
  header.biCompression = BI_RGB;
  header.biSizeImage = DWORD(colorBytes + maskBytes);
  const RGBQUAD monochromePalette[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  const DWORD imageBytes = DWORD(sizeof header + (monochrome ? sizeof monochromePalette : 0) + colorBytes + maskBytes);

  std::vector<std::uint8_t> out;
  Append(out, TIconDir{0, 1, 1});
  Append(out, TIconDirEntry{BYTE(width >= 256 ? 0 : width), BYTE(height >= 256 ? 0 : height),
                            BYTE(monochrome ? 2 : 0), 0, 1, WORD(bitCount), imageBytes,
                            DWORD(sizeof(TIconDir) + sizeof(TIconDirEntry))});
  Append(out, header);
  if (monochrome) Append(out, monochromePalette);
  out.insert(out.end(), colorRows.begin(), colorRows.end());
  out.insert(out.end(), maskRows.begin(), maskRows.end());
  return out;
}

void TIcon::Draw(TCanvas& ACanvas, const TRect& Rect) {
  DrawIconEx(ACanvas.Handle(), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0, nullptr,
             DI_NORMAL);
}

}  // namespace classlib
