#include "image/PxOpenJpeg.h"

#include "image/PxFile.h"
#include "image/PxImage.h"
#include "image/PxJasImage.h"

// OpenJPEG's header gives its functions the Windows calling convention and DLL import when it
// sees a Windows compiler; the library here is the system's own, built for Unix.
#include "platform/UnixHeadersBegin.h"
// Debian keeps the header in a versioned folder, which the image library does not add to its paths.
#include <openjpeg-2.5/openjpeg.h>
#include "platform/UnixHeadersEnd.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr std::uint8_t kJp2Signature[12] = {0x00, 0x00, 0x00, 0x0C, 0x6A, 0x50, 0x20, 0x20, 0x0D, 0x0A, 0x87, 0x0A};
constexpr std::uint8_t kCodeStreamStart[4] = {0xFF, 0x4F, 0xFF, 0x51};  // SOC, then SIZ

// OpenJPEG addresses the stream from where the file stood when it was handed over.
struct StreamPlace {
  PxFile* file;
  std::int64_t start;
};

OPJ_SIZE_T StreamRead(void* buffer, OPJ_SIZE_T size, void* data) {
  auto* place = static_cast<StreamPlace*>(data);
  const std::size_t read = place->file->Read(buffer, 1, size);
  return read == 0 ? static_cast<OPJ_SIZE_T>(-1) : read;
}

OPJ_SIZE_T StreamWrite(void* buffer, OPJ_SIZE_T size, void* data) {
  auto* place = static_cast<StreamPlace*>(data);
  const std::size_t written = place->file->Write(buffer, 1, size);
  return written == size ? written : static_cast<OPJ_SIZE_T>(-1);
}

OPJ_BOOL StreamSeek(OPJ_OFF_T offset, void* data) {
  auto* place = static_cast<StreamPlace*>(data);
  const std::int64_t target = place->start + offset;
  if (offset < 0 || target > INT32_MAX) return OPJ_FALSE;
  return place->file->Seek(static_cast<std::int32_t>(target), SEEK_SET) ? OPJ_TRUE : OPJ_FALSE;
}

OPJ_OFF_T StreamSkip(OPJ_OFF_T count, void* data) {
  auto* place = static_cast<StreamPlace*>(data);
  const std::int64_t position = place->file->GetPosition();
  if (position < 0 || position + count < place->start || position + count > INT32_MAX) return -1;
  return place->file->Seek(static_cast<std::int32_t>(position + count), SEEK_SET) ? count : -1;
}

// OpenJPEG's messages go nowhere: the codec reports its own.
void Silent(const char*, void*) {}

struct CodecCloser {
  void operator()(opj_codec_t* codec) const { opj_destroy_codec(codec); }
};
struct StreamCloser {
  void operator()(opj_stream_t* stream) const { opj_stream_destroy(stream); }
};
struct ImageCloser {
  void operator()(opj_image_t* image) const { opj_image_destroy(image); }
};
using Codec = std::unique_ptr<opj_codec_t, CodecCloser>;
using Stream = std::unique_ptr<opj_stream_t, StreamCloser>;
using Image = std::unique_ptr<opj_image_t, ImageCloser>;

Stream OpenStream(StreamPlace& place, bool input) {
  Stream stream(opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, input ? OPJ_TRUE : OPJ_FALSE));
  if (!stream) return stream;
  opj_stream_set_user_data(stream.get(), &place, nullptr);
  if (input) {
    opj_stream_set_read_function(stream.get(), StreamRead);
    opj_stream_set_user_data_length(stream.get(), JasBytesLeft(*place.file));
  } else {
    opj_stream_set_write_function(stream.get(), StreamWrite);
  }
  opj_stream_set_skip_function(stream.get(), StreamSkip);
  opj_stream_set_seek_function(stream.get(), StreamSeek);
  return stream;
}

void Silence(opj_codec_t* codec) {
  opj_set_info_handler(codec, Silent, nullptr);
  opj_set_warning_handler(codec, Silent, nullptr);
  opj_set_error_handler(codec, Silent, nullptr);
}

// A component's size on the reference grid, as the decoder will make it.
std::uint64_t ComponentSamples(const opj_image_t& image, const opj_image_comp_t& component) {
  if (component.dx == 0 || component.dy == 0 || image.x1 < image.x0 || image.y1 < image.y0) return 0;
  const std::uint64_t width = (std::uint64_t{image.x1} + component.dx - 1) / component.dx -
                              (std::uint64_t{image.x0} + component.dx - 1) / component.dx;
  const std::uint64_t height = (std::uint64_t{image.y1} + component.dy - 1) / component.dy -
                               (std::uint64_t{image.y0} + component.dy - 1) / component.dy;
  return width * height;
}

PxJasColorSpace ColourSpaceOf(const opj_image_t& image) {
  switch (image.color_space) {
    case OPJ_CLRSPC_SRGB: return PxJasColorSpace::Rgb;
    case OPJ_CLRSPC_GRAY: return PxJasColorSpace::Gray;
    // A bare code stream says nothing; three or more components are taken for RGB.
    case OPJ_CLRSPC_UNKNOWN:
    case OPJ_CLRSPC_UNSPECIFIED: return image.numcomps >= 3 ? PxJasColorSpace::Rgb : PxJasColorSpace::Gray;
    default: return PxJasColorSpace::Unknown;
  }
}

// Pictures up to this many samples decode whatever the size of their stream; larger ones need a
// stream of at least one byte per kSamplesPerByte samples. JPEG-2000 can code a blank picture in a
// few hundred bytes, but the decoder still builds and transforms every sample, so without this a
// stream of 1 KB could keep it busy for seconds and claim a gigabyte. A real picture is far denser:
// even a 0.05-bit-per-pixel colour picture has 480 samples per byte.
constexpr std::uint64_t kSamplesAlwaysDecoded = std::uint64_t{1} << 22;
constexpr std::uint64_t kSamplesPerByte = 4096;

// Every tile has at least one tile-part header (SOT and SOD markers) in the stream, and every
// packet (one per tile, component, resolution and layer at least) at least one byte.
constexpr std::uint64_t kTilePartHeaderBytes = 14;

struct CodestreamInfoCloser {
  void operator()(opj_codestream_info_v2_t* info) const { opj_destroy_cstr_info(&info); }
};

// Whether the stream's `bytes` can hold what its header declares, and the decoded picture the
// library's size limit.
bool DeclaredSizesFit(opj_codec_t* codec, const opj_image_t& image, std::uint64_t samples, std::uint64_t bytes) {
  if (samples == 0 || samples > kMaxJasSamples) return false;
  if (samples > kSamplesAlwaysDecoded && samples / kSamplesPerByte > bytes) return false;
  const opj_image_comp_t& first = image.comps[0];
  if (!PxImage::FitsSizeLimit(first.w, first.h, image.numcomps >= 3 ? 24 : 8)) return false;

  const std::unique_ptr<opj_codestream_info_v2_t, CodestreamInfoCloser> info(opj_get_cstr_info(codec));
  if (!info) return false;
  const std::uint64_t tiles = std::uint64_t{info->tw} * info->th;
  std::uint64_t resolutions = 0;
  if (info->m_default_tile_info.tccp_info) {
    for (OPJ_UINT32 c = 0; c < info->nbcomps; ++c) resolutions += info->m_default_tile_info.tccp_info[c].numresolutions;
  }
  const std::uint64_t packetsPerTile = resolutions * std::max<OPJ_UINT32>(info->m_default_tile_info.numlayers, 1);
  return tiles > 0 && tiles <= bytes / kTilePartHeaderBytes && packetsPerTile <= bytes / tiles;
}

// Reading the header, OpenJPEG sets up every tile's coding parameters (some 5.7 KB for the tile and
// 1.1 KB per component) before any of them is seen. A stream can hold at most this much of that per
// byte of its own, beyond what any stream may claim; past the size limit nothing is allowed.
constexpr std::uint64_t kTileSetupBytes = 5800;
constexpr std::uint64_t kTileComponentSetupBytes = 1100;
constexpr std::uint64_t kSetupAlwaysAllowed = std::uint64_t{16} << 20;
constexpr std::uint64_t kSetupBytesPerByte = 64;

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Moves a JP2 file to the start of its code stream box's contents; false when none is found.
bool SeekToCodeStreamBox(PxFile& file, std::int64_t start) {
  std::int64_t box = start;
  const std::int64_t end = file.GetSize();
  for (int count = 0; count < 4096 && box + 8 <= end; ++count) {
    std::uint8_t head[16];
    if (box > INT32_MAX || !file.Seek(static_cast<std::int32_t>(box), SEEK_SET) || file.Read(head, 1, 8) != 8)
      return false;
    std::uint64_t length = BigEndian32(head);
    std::int64_t contents = box + 8;
    if (length == 1) {
      if (file.Read(head + 8, 1, 8) != 8) return false;
      length = (std::uint64_t{BigEndian32(head + 8)} << 32) | BigEndian32(head + 12);
      contents += 8;
    }
    if (std::memcmp(head + 4, "jp2c", 4) == 0)
      return contents <= INT32_MAX && file.Seek(static_cast<std::int32_t>(contents), SEEK_SET);
    if (length == 0 || length < static_cast<std::uint64_t>(contents - box) ||
        length > static_cast<std::uint64_t>(end - box))
      return false;
    box += static_cast<std::int64_t>(length);
  }
  return false;
}

// Whether the tiles and components the code stream's SIZ marker declares are few enough for the
// `bytes` of the file to set up. Streams whose SIZ cannot be read pass: OpenJPEG refuses them.
bool TileSetupFits(PxFile& file, bool codeStream, std::uint64_t bytes) {
  const std::int32_t start = file.GetPosition();
  if (start < 0) return true;
  std::uint8_t siz[42];
  const bool found = codeStream || SeekToCodeStreamBox(file, start);
  const bool read = found && file.Read(siz, 1, sizeof(siz)) == sizeof(siz);
  if (!file.Seek(start, SEEK_SET)) return false;
  if (!read || std::memcmp(siz, kCodeStreamStart, sizeof(kCodeStreamStart)) != 0) return true;
  const std::uint64_t width = BigEndian32(siz + 8);
  const std::uint64_t height = BigEndian32(siz + 12);
  const std::uint64_t tileWidth = BigEndian32(siz + 24);
  const std::uint64_t tileHeight = BigEndian32(siz + 28);
  const std::uint64_t tileX = BigEndian32(siz + 32);
  const std::uint64_t tileY = BigEndian32(siz + 36);
  const std::uint64_t components = (std::uint64_t{siz[40]} << 8) | siz[41];
  if (tileWidth == 0 || tileHeight == 0 || width <= tileX || height <= tileY) return true;
  const std::uint64_t tiles = ((width - tileX + tileWidth - 1) / tileWidth) * ((height - tileY + tileHeight - 1) / tileHeight);
  if (tiles > bytes / kTilePartHeaderBytes) return false;
  const std::uint64_t setup = tiles * (kTileSetupBytes + components * kTileComponentSetupBytes);
  if (setup > PXIMAGE_MAX_MEMORY) return false;
  return setup <= kSetupAlwaysAllowed || setup / kSetupBytesPerByte <= bytes;
}

// Resolution levels the reversible wavelet can take on a picture of this size (at most 6).
OPJ_UINT32 ResolutionLevels(std::uint32_t width, std::uint32_t height) {
  OPJ_UINT32 levels = 1;
  while (levels < 6 && (std::min(width, height) >> levels) > 0) ++levels;
  return levels;
}

}  // namespace

bool IsJp2File(const std::uint8_t* head, std::size_t length) {
  return length >= sizeof(kJp2Signature) && std::memcmp(head, kJp2Signature, sizeof(kJp2Signature)) == 0;
}

bool IsJpcStream(const std::uint8_t* head, std::size_t length) {
  return length >= sizeof(kCodeStreamStart) && std::memcmp(head, kCodeStreamStart, sizeof(kCodeStreamStart)) == 0;
}

bool ReadJpeg2000(PxFile& file, bool codeStream, PxJasImage& image) {
  StreamPlace place{&file, file.GetPosition()};
  if (place.start < 0) return false;
  const std::uint64_t streamBytes = JasBytesLeft(file);
  const Stream stream = OpenStream(place, true);
  const Codec codec(opj_create_decompress(codeStream ? OPJ_CODEC_J2K : OPJ_CODEC_JP2));
  if (!stream || !codec) return false;
  if (!TileSetupFits(file, codeStream, streamBytes)) return false;
  Silence(codec.get());
  opj_dparameters_t parameters;
  opj_set_default_decoder_parameters(&parameters);
  if (!opj_setup_decoder(codec.get(), &parameters)) return false;
  opj_decoder_set_strict_mode(codec.get(), OPJ_TRUE);

  opj_image_t* header = nullptr;
  const bool headerRead = opj_read_header(stream.get(), codec.get(), &header);
  const Image decoded(header);
  if (!headerRead || !decoded || decoded->numcomps == 0) return false;
  // The decoder allocates and transforms every plane at once: a header asking for more than the
  // stream or the library can hold is refused before that.
  std::uint64_t samples = 0;
  for (OPJ_UINT32 i = 0; i < decoded->numcomps; ++i) samples += ComponentSamples(*decoded, decoded->comps[i]);
  if (!DeclaredSizesFit(codec.get(), *decoded, samples, streamBytes)) return false;
  if (!opj_decode(codec.get(), stream.get(), decoded.get()) || !opj_end_decompress(codec.get(), stream.get())) return false;

  image.components.clear();
  image.colorSpace = ColourSpaceOf(*decoded);
  for (OPJ_UINT32 i = 0; i < decoded->numcomps; ++i) {
    const opj_image_comp_t& source = decoded->comps[i];
    if (!source.data || source.w == 0 || source.h == 0 || source.prec < 1 || source.prec > 31) return false;
    PxJasComponent& plane = image.components.emplace_back();
    plane.width = source.w;
    plane.height = source.h;
    plane.precision = source.prec;
    plane.isSigned = source.sgnd != 0;
    plane.samples.assign(source.data, source.data + static_cast<std::size_t>(source.w) * source.h);
    // Each plane is released once copied, so the picture is held about once, not twice.
    opj_image_data_free(source.data);
    decoded->comps[i].data = nullptr;
  }
  return true;
}

bool WriteJpeg2000(const PxJasImage& image, PxFile& file, bool codeStream, double rate) {
  const std::size_t count = image.components.size();
  if (count == 0 || count > 16384) return false;
  const PxJasComponent& first = image.components[0];
  std::vector<opj_image_cmptparm_t> parameters(count);
  for (std::size_t i = 0; i < count; ++i) {
    const PxJasComponent& plane = image.components[i];
    if (plane.width != first.width || plane.height != first.height || plane.precision < 1 || plane.precision > 31)
      return false;
    opj_image_cmptparm_t& p = parameters[i];
    std::memset(&p, 0, sizeof(p));
    p.dx = 1;
    p.dy = 1;
    p.w = plane.width;
    p.h = plane.height;
    p.prec = plane.precision;
    p.sgnd = plane.isSigned ? 1 : 0;
  }
  const OPJ_COLOR_SPACE space = image.colorSpace == PxJasColorSpace::Rgb    ? OPJ_CLRSPC_SRGB
                                : image.colorSpace == PxJasColorSpace::Gray ? OPJ_CLRSPC_GRAY
                                                                            : OPJ_CLRSPC_UNSPECIFIED;
  const Image picture(opj_image_create(static_cast<OPJ_UINT32>(count), parameters.data(), space));
  if (!picture) return false;
  picture->x0 = 0;
  picture->y0 = 0;
  picture->x1 = first.width;
  picture->y1 = first.height;
  for (std::size_t i = 0; i < count; ++i)
    std::copy(image.components[i].samples.begin(), image.components[i].samples.end(), picture->comps[i].data);

  opj_cparameters_t settings;
  opj_set_default_encoder_parameters(&settings);
  settings.tcp_numlayers = 1;
  // OpenJPEG takes a compression ratio; 0 asks for a lossless code stream.
  settings.tcp_rates[0] = rate >= 1 ? 0.0f : static_cast<float>(1 / std::max(rate, 0.001));
  settings.cp_disto_alloc = 1;
  settings.irreversible = 0;
  settings.tcp_mct = count == 3 ? 1 : 0;
  settings.numresolution = static_cast<int>(ResolutionLevels(first.width, first.height));

  const Codec codec(opj_create_compress(codeStream ? OPJ_CODEC_J2K : OPJ_CODEC_JP2));
  if (!codec) return false;
  Silence(codec.get());
  if (!opj_setup_encoder(codec.get(), &settings, picture.get())) return false;
  StreamPlace place{&file, file.GetPosition()};
  if (place.start < 0) return false;
  const Stream stream = OpenStream(place, false);
  if (!stream) return false;
  return opj_start_compress(codec.get(), picture.get(), stream.get()) && opj_encode(codec.get(), stream.get()) &&
         opj_end_compress(codec.get(), stream.get());
}
