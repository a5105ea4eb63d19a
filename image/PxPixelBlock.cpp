#include "image/PxPixelBlock.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

std::uint8_t* AllocatePixelBlock(std::size_t bytes) {
  if (bytes < kHugePage) return static_cast<std::uint8_t*>(std::malloc(bytes));
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  void* block = std::aligned_alloc(kHugePage, rounded);
  if (block) madvise(block, rounded, MADV_HUGEPAGE);
  return static_cast<std::uint8_t*>(block);
}

void FreePixelBlock(std::uint8_t* block) { std::free(block); }
