// LAME_ENC.DLL: the MP3 encoder's DLL interface (the classic lame_enc one).
// Programs load the DLL with LoadLibrary and bind the four entry points by ordinal with
// GetProcAddress(module, MAKEINTRESOURCEA(ordinal)); this header gives them the record, the
// result codes, the ordinals and the function pointer types.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Handle of one encoding stream, as beInitStream hands it out.
using HBE_STREAM = std::uintptr_t;
using PHBE_STREAM = HBE_STREAM*;

// Every entry point returns one of these; zero is success.
using BE_ERR = std::uint32_t;
constexpr BE_ERR BE_ERR_SUCCESSFUL = 0x00000000;
constexpr BE_ERR BE_ERR_INVALID_FORMAT = 0x00000001;             // unknown dwConfig
constexpr BE_ERR BE_ERR_INVALID_FORMAT_PARAMETERS = 0x00000002;  // a field of the record, or an argument
constexpr BE_ERR BE_ERR_NO_MORE_HANDLES = 0x00000003;
constexpr BE_ERR BE_ERR_INVALID_HANDLE = 0x00000004;
constexpr BE_ERR BE_ERR_BUFFER_TOO_SMALL = 0x00000005;           // more samples than one chunk

// BE_CONFIG::dwConfig: which member of the format union is filled.
constexpr std::uint32_t BE_CONFIG_MP3 = 0;
constexpr std::uint32_t BE_CONFIG_LAME = 256;

// Channel modes (mp3.byMode, LHV1.nMode). Mono takes one channel of input, the others two, interleaved.
constexpr std::uint8_t BE_MP3_MODE_STEREO = 0;
constexpr std::uint8_t BE_MP3_MODE_JSTEREO = 1;
constexpr std::uint8_t BE_MP3_MODE_DUALCHANNEL = 2;  // LAME cannot encode dual channel: refused
constexpr std::uint8_t BE_MP3_MODE_MONO = 3;

// LHV1.dwStructVersion of the layout below.
constexpr std::uint32_t CURRENT_STRUCT_VERSION = 1;

// LHV1.nVbrMethod.
enum VBRMETHOD : std::int32_t {
  VBR_METHOD_NONE = -1,
  VBR_METHOD_DEFAULT = 0,
  VBR_METHOD_OLD = 1,
  VBR_METHOD_NEW = 2,
  VBR_METHOD_MTRH = 3,
  VBR_METHOD_ABR = 4
};

// The configuration record, byte-packed with 32-bit fields as 32-bit Windows programs lay it out.
#pragma pack(push, 1)
struct BE_CONFIG {
  std::uint32_t dwConfig;
  union {
    // BE_CONFIG_MP3: MPEG-1 Layer III at 32000, 44100 or 48000 samples per second.
    struct {
      std::uint32_t dwSampleRate;
      std::uint8_t byMode;
      std::uint16_t wBitrate;  // kbit/s
      std::int32_t bPrivate;
      std::int32_t bCRC;
      std::int32_t bCopyright;
      std::int32_t bOriginal;
    } mp3;
    // BE_CONFIG_LAME: any rate LAME takes, optionally resampled. Constant bit rate only; the fields
    // after bOriginal are tuning the encoder does without, except that a VBR request is refused.
    struct {
      std::uint32_t dwStructVersion;
      std::uint32_t dwStructSize;
      std::uint32_t dwSampleRate;
      std::uint32_t dwReSampleRate;  // 0: keep the input rate
      std::int32_t nMode;
      std::uint32_t dwBitrate;  // kbit/s
      std::uint32_t dwMaxBitrate;
      std::int32_t nPreset;
      std::uint32_t dwMpegVersion;
      std::uint32_t dwPsyModel;
      std::uint32_t dwEmphasis;
      std::int32_t bPrivate;
      std::int32_t bCRC;
      std::int32_t bCopyright;
      std::int32_t bOriginal;
      std::int32_t bWriteVBRHeader;
      std::int32_t bEnableVBR;
      std::int32_t nVBRQuality;
      std::uint32_t dwVbrAbr_bps;
      VBRMETHOD nVbrMethod;
      std::int32_t bNoRes;
      std::int32_t bStrictIso;
      std::uint16_t nQuality;
      std::uint8_t btReserved[255 - 4 * sizeof(std::uint32_t) - sizeof(std::uint16_t)];
    } LHV1;
  } format;
};
#pragma pack(pop)
using PBE_CONFIG = BE_CONFIG*;

static_assert(offsetof(BE_CONFIG, format) == 4);
static_assert(offsetof(BE_CONFIG, format.mp3.byMode) == 8);
static_assert(offsetof(BE_CONFIG, format.mp3.wBitrate) == 9);
static_assert(offsetof(BE_CONFIG, format.mp3.bOriginal) == 23);
static_assert(offsetof(BE_CONFIG, format.LHV1.nQuality) == 92);
static_assert(sizeof(BE_CONFIG) == 331);

// Ordinals of the exports.
constexpr WORD BE_ORDINAL_CLOSE_STREAM = 1;
constexpr WORD BE_ORDINAL_DEINIT_STREAM = 2;
constexpr WORD BE_ORDINAL_ENCODE_CHUNK = 3;
constexpr WORD BE_ORDINAL_INIT_STREAM = 6;

// Opens a stream. *samples receives how many 16-bit samples (all channels counted) to pass to each
// beEncodeChunk, *bufferSize the size of the output buffer that each call needs.
using BEINITSTREAM = BE_ERR(__cdecl*)(PBE_CONFIG config, DWORD* samples, DWORD* bufferSize, PHBE_STREAM stream);
// Encodes up to one chunk of interleaved 16-bit samples; *outputBytes receives the MP3 bytes written.
using BEENCODECHUNK = BE_ERR(__cdecl*)(HBE_STREAM stream, DWORD samples, SHORT* input, BYTE* output,
                                       DWORD* outputBytes);
// Flushes what the encoder still holds into output.
using BEDEINITSTREAM = BE_ERR(__cdecl*)(HBE_STREAM stream, BYTE* output, DWORD* outputBytes);
// Frees the stream.
using BECLOSESTREAM = BE_ERR(__cdecl*)(HBE_STREAM stream);
