// Memory for pixel blocks. Blocks of a huge page and more are laid in huge pages: touching a fresh
// block page by page costs a fault every 4 KB, which for a photo-sized block can take longer than the
// filter that fills it. The advice is only a hint; where huge pages are off, the block is ordinary
// memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Uninitialised memory of `bytes` bytes, null when there is none; released with FreePixelBlock.
std::uint8_t* AllocatePixelBlock(std::size_t bytes);
void FreePixelBlock(std::uint8_t* block);

struct PixelBlockDeleter {
  void operator()(std::uint8_t* block) const { FreePixelBlock(block); }
};
using PixelBlock = std::unique_ptr<std::uint8_t[], PixelBlockDeleter>;
