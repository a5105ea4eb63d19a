// Extended precision for the x87 unit, for the scope of one call.
#pragma once

#include <cstdint>

namespace classlib {

// Wine starts every thread with the x87 control word 0x027F, which is 53-bit precision: long double
// arithmetic then rounds like double, and a half computed in 64 bits can round to the other
// neighbour. Code whose results depend on the 64-bit mantissa holds one of these on the thread that
// computes, for the length of the call; the previous control word comes back when it ends.
class TExtendedPrecision {
public:
  TExtendedPrecision() {
    __asm__ volatile("fnstcw %0" : "=m"(FSaved));
    const std::uint16_t extended = FSaved | 0x0300;  // precision control: 64-bit mantissa
    __asm__ volatile("fldcw %0" : : "m"(extended));
  }
  ~TExtendedPrecision() { __asm__ volatile("fldcw %0" : : "m"(FSaved)); }

  TExtendedPrecision(const TExtendedPrecision&) = delete;
  TExtendedPrecision& operator=(const TExtendedPrecision&) = delete;

private:
  std::uint16_t FSaved = 0;
};

}  // namespace classlib
