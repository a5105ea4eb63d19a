// The codec table behind PxImage::Decode and PxImage::Encode: which class serves each format id,
// and the order in which a load without a format id probes them.
#pragma once

#include "image/PxImage.h"

#include <cstdint>
#include <memory>
#include <span>

struct PxCodec {
  std::uint32_t id;
  // A fresh format object of the codec's class; null when memory is short.
  std::unique_ptr<PxImage> (*make)();
  // Run the codec on a format object made by `make`; id is the format asked for (0 while probing).
  bool (*decode)(PxImage& object, PxFile* file, std::uint32_t id);
  bool (*encode)(PxImage& object, PxFile* file, std::uint32_t id);
};

// The codec of a format id, or null while that format has no codec in the library.
const PxCodec* FindCodec(std::uint32_t id);

// The formats a probe tries, in order; each is tried with id 0.
std::span<const std::uint32_t> ProbeOrder();

// Short name of a format id for messages ("BMP", "JPEG"...); "unknown" outside the table.
const char* FormatName(std::uint32_t id);
