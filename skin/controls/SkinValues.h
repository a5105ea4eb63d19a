// The arithmetic the value controls (track bar, gauge) share: keeping a value inside its bounds and
// scaling a length by where the value lies between them.
#pragma once

#include <cstdint>

namespace skin {

// Above the maximum gives the maximum, else below the minimum the minimum.
inline int ClampValue(int Value, int MinValue, int MaxValue) {
  if (Value > MaxValue) return MaxValue;
  if (Value < MinValue) return MinValue;
  return Value;
}

// Length * Part / Whole taken to the nearest integer, halves to the even neighbour; 0 when Whole is
// 0. Worked in integers so that a half is exactly a half: in floating point 1 / 200 * 100 need not
// come out as 0.5. Length is a pixel length or a value range, so the product stays far inside 64 bits.
inline int ScaleRounded(std::int64_t Length, std::int64_t Part, std::int64_t Whole) {
  if (Whole == 0) return 0;
  std::int64_t n = Length * Part;
  if (Whole < 0) {
    n = -n;
    Whole = -Whole;
  }
  const bool negative = n < 0;
  const std::int64_t m = negative ? -n : n;
  std::int64_t q = m / Whole;
  const std::int64_t twice = 2 * (m % Whole);
  if (twice > Whole || (twice == Whole && q % 2 != 0)) ++q;
  return static_cast<int>(negative ? -q : q);
}

}  // namespace skin
