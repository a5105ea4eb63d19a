#include "platform/classlib/Random.h"

#include <windows.h>

namespace classlib {

void TRandomGenerator::Randomize() {
  LARGE_INTEGER counter{};
  if (QueryPerformanceCounter(&counter))
    FSeed = static_cast<std::uint32_t>(counter.QuadPart);
  else
    FSeed = GetTickCount();
}

std::int32_t TRandomGenerator::Random(std::int32_t Range) {
  Advance();
  if (Range <= 0)
    return 0;
  return static_cast<std::int32_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(Range)) * FSeed) >> 32);
}

double TRandomGenerator::Random() {
  Advance();
  return FSeed / 4294967296.0;
}

}  // namespace classlib
