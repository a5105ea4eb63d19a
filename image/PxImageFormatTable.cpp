#include "image/PxImageFormatTable.h"

#include "image/PxImageBMP.h"
#include "image/PxImageGIF.h"
#include "image/PxImageICO.h"
#include "image/PxImageJAS.h"
#include "image/PxImageJPG.h"
#include "image/PxImagePCX.h"
#include "image/PxImagePNG.h"
#include "image/PxImageTIF.h"
#include "image/PxImageTGA.h"
#include "image/PxImageWBMP.h"
#include "image/PxImageWMF.h"

#include <new>

namespace {

template <class Codec>
std::unique_ptr<PxImage> Make() {
  return std::unique_ptr<PxImage>(new (std::nothrow) Codec);
}

template <class Codec>
bool DecodeFile(PxImage& object, PxFile* file, std::uint32_t) {
  return static_cast<Codec&>(object).Decode(file);
}

template <class Codec>
bool EncodeFile(PxImage& object, PxFile* file, std::uint32_t) {
  return static_cast<Codec&>(object).Encode(file);
}

// A codec whose class offers Decode (file) and Encode (file).
template <class Codec>
constexpr PxCodec Standard(std::uint32_t id) {
  return PxCodec{id, Make<Codec>, DecodeFile<Codec>, EncodeFile<Codec>};
}

// Metafiles are played at their own size: no maximum width or height.
bool DecodeMetafile(PxImage& object, PxFile* file, std::uint32_t) {
  return static_cast<PxImageWMF&>(object).Decode(file, 0, 0);
}

// A probe asks WBMP, which has no signature, for the whole file's evidence.
bool DecodeWbmp(PxImage& object, PxFile* file, std::uint32_t id) {
  return static_cast<PxImageWBMP&>(object).Decode(file, id == FMT_UNKNOWN);
}

// One line per format id. A codec joins the library by adding its line (and its header above).
const PxCodec kCodecs[] = {
    Standard<PxImageBMP>(FMT_BMP),
    Standard<PxImageGIF>(FMT_GIF),
    Standard<PxImageTGA>(FMT_TGA),
    Standard<PxImagePCX>(FMT_PCX),
    Standard<PxImageICO>(FMT_ICO),
    Standard<PxImageJPG>(FMT_JPG),
    Standard<PxImagePNG>(FMT_PNG),
    Standard<PxImageTIF>(FMT_TIF),
    PxCodec{FMT_WBMP, Make<PxImageWBMP>, DecodeWbmp, EncodeFile<PxImageWBMP>},
    PxCodec{FMT_WMF, Make<PxImageWMF>, DecodeMetafile, EncodeFile<PxImageWMF>},
    PxCodec{FMT_JP2, Make<PxImageJAS>, DecodeJasFormat, EncodeJasFormat},
    PxCodec{FMT_JPC, Make<PxImageJAS>, DecodeJasFormat, EncodeJasFormat},
    PxCodec{FMT_PGX, Make<PxImageJAS>, DecodeJasFormat, EncodeJasFormat},
    PxCodec{FMT_PNM, Make<PxImageJAS>, DecodeJasFormat, EncodeJasFormat},
    PxCodec{FMT_RAS, Make<PxImageJAS>, DecodeJasFormat, EncodeJasFormat},
};

// The JasPer family (JP2 ... RAS) is probed once, under FMT_JP2, with id 0.
constexpr std::uint32_t kProbeOrder[] = {FMT_BMP, FMT_JPG, FMT_ICO, FMT_GIF,  FMT_PNG, FMT_TIF,
                                         FMT_TGA, FMT_PCX, FMT_WBMP, FMT_WMF, FMT_JP2};

constexpr const char* kFormatNames[FMT_COUNT] = {"unknown", "BMP", "GIF", "JPEG", "PNG", "ICO",
                                                 "TIFF",    "TGA", "PCX", "WBMP", "WMF", "JP2",
                                                 "JPC",     "PGX", "PNM", "RAS"};

}  // namespace

const PxCodec* FindCodec(std::uint32_t id) {
  for (const PxCodec& codec : kCodecs) {
    if (codec.id == id) return &codec;
  }
  return nullptr;
}

std::span<const std::uint32_t> ProbeOrder() { return kProbeOrder; }

const char* FormatName(std::uint32_t id) { return id < FMT_COUNT ? kFormatNames[id] : "unknown"; }
