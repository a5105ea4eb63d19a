#include "platform/classlib/JPEGImage.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Canvas.h"
#include "platform/classlib/Picture.h"
#include "platform/classlib/Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace classlib {

namespace {

// The decoder reads from one memory block, whose size PxMemFile keeps in 32 bits.
constexpr std::int64_t kMaxJpegBytes = std::numeric_limits<std::int32_t>::max();

// A BITMAPINFO with room for a full 256-entry palette.
struct TBitmapInfo256 {
  BITMAPINFOHEADER Header;
  RGBQUAD Colors[256];
};

[[noreturn]] void Invalid(const char* Reason) { throw EInvalidGraphic(String("JPEG: ") + Reason); }

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return !FImage; }
int TJPEGImage::Width() const { return FImage ? FImage->Width() : 0; }
int TJPEGImage::Height() const { return FImage ? FImage->Height() : 0; }

void TJPEGImage::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }
void TJPEGImage::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of a JPEG image"); }

void TJPEGImage::SetCompressionQuality(int Value) { FQuality = std::clamp(Value, 1, 100); }

bool TJPEGImage::Grayscale() const { return FImage && FImage->Bpp() == 8; }

void TJPEGImage::Install(std::unique_ptr<PxImage> Image, std::vector<std::uint8_t> Data) {
  FImage = std::move(Image);
  FData = std::move(Data);
  FBitmap.reset();
  Changed();
}

void TJPEGImage::LoadFromStream(TStream& Stream) {
  const std::int64_t available = Stream.Size() - Stream.Position();
  if (available <= 0) Invalid("no data");
  if (available > kMaxJpegBytes) Invalid("file too large");
  std::vector<std::uint8_t> data(static_cast<std::size_t>(available));
  Stream.ReadBuffer(data.data(), static_cast<int>(available));
  auto image = std::make_unique<PxImage>(FMT_JPG);
  PxMemFile file(data.data(), static_cast<std::int32_t>(data.size()));
  if (!image->Decode(&file, FMT_JPG) || !image->IsValid()) {
    const char* reason = image->LastError();
    Invalid(reason && *reason ? reason : "not a JPEG picture");
  }
  Install(std::move(image), std::move(data));
}

void TJPEGImage::SaveToStream(TStream& Stream) const {
  if (!FImage) return;
  if (!FData.empty()) {
    Stream.WriteBuffer(FData.data(), static_cast<int>(FData.size()));
    return;
  }
  // Encoding may touch the image's settings, so it works on a copy.
  PxImage copy(*FImage, true, false, false);
  copy.Info().jpegQuality = static_cast<std::uint8_t>(FQuality);
  PxMemFile file;
  if (!file.Open() || !copy.Encode(&file, FMT_JPG)) {
    const char* reason = copy.LastError();
    Invalid(reason && *reason ? reason : "cannot encode the picture");
  }
  const std::int32_t size = file.GetSize();
  Stream.WriteBuffer(file.Buffer(false), size);
}

void TJPEGImage::Assign(const TPersistent& Source) {
  if (&Source == this) return;
  if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&Source)) {
    FQuality = jpeg->FQuality;
    SetTransparent(jpeg->Transparent());
    Install(jpeg->FImage ? std::make_unique<PxImage>(*jpeg->FImage, true, false, false) : nullptr, jpeg->FData);
    return;
  }
  const auto* bitmap = dynamic_cast<const TBitmap*>(&Source);
  if (!bitmap) return TPersistent::Assign(Source);
  if (bitmap->Empty()) {
    Install(nullptr, {});
    return;
  }
  auto image = std::make_unique<PxImage>();
  if (!image->Create(static_cast<std::uint32_t>(bitmap->Width()), static_cast<std::uint32_t>(bitmap->Height()), 24,
                     FMT_JPG))
    Invalid(image->LastError());
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = bitmap->Width();
  header.biHeight = bitmap->Height();  // bottom-up, as PxImage keeps its rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  GdiFlush();
  const HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, bitmap->Handle(), 0, static_cast<UINT>(bitmap->Height()), image->RowBits(0),
                             reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != bitmap->Height()) Invalid("cannot read the bitmap's pixels");
  Install(std::move(image), {});
}

void TJPEGImage::AssignTo(TBitmap& Dest) const {
  if (!FImage) {
    Dest.SetSize(0, 0);
    return;
  }
  TBitmap result;
  result.SetPixelFormat(TPixelFormat::pf24bit);
  result.SetSize(FImage->Width(), FImage->Height());
  TBitmapInfo256 info{};
  info.Header = FImage->Header();
  info.Header.biSize = sizeof info.Header;
  info.Header.biCompression = BI_RGB;
  const std::uint32_t colors = std::min<std::uint32_t>(FImage->NumColors(), 256);
  if (colors) std::memcpy(info.Colors, FImage->Palette(), colors * sizeof(RGBQUAD));
  const HDC screen = GetDC(nullptr);
  SetDIBits(screen, result.Handle(), 0, static_cast<UINT>(FImage->Height()), FImage->RowBits(0),
            reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  Dest.Assign(result);
}

const TBitmap& TJPEGImage::DrawingBitmap() const {
  if (!FBitmap) {
    FBitmap = std::make_unique<TBitmap>();
    AssignTo(*FBitmap);
  }
  return *FBitmap;
}

void TJPEGImage::Draw(TCanvas& ACanvas, const TRect& Rect) {
  if (!FImage) return;
  ACanvas.StretchDraw(Rect, const_cast<TBitmap*>(&DrawingBitmap()));
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->Assign(*this);
  return copy;
}

void RegisterJPEGFileFormats() {
  static const bool registered = [] {
    const auto factory = [] { return std::make_unique<TJPEGImage>(); };
    TPicture::RegisterFileFormat("jpg", "JPEG Image File", factory);
    TPicture::RegisterFileFormat("jpeg", "JPEG Image File", factory);
    return true;
  }();
  (void)registered;
}

}  // namespace classlib
