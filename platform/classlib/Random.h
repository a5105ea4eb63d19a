// The class library's pseudo-random generator: a linear congruential sequence whose draws are
// reproducible from a seed, so a picture can be replayed frame for frame.
#pragma once

#include <cstdint>

namespace classlib {

class TRandomGenerator {
public:
  explicit TRandomGenerator(std::uint32_t Seed = 0) : FSeed(Seed) {}

  std::uint32_t Seed() const { return FSeed; }
  void SetSeed(std::uint32_t Value) { FSeed = Value; }
  // Seeds from the high-resolution clock.
  void Randomize();
  // A number in 0 .. Range-1 (0 when Range is not positive).
  std::int32_t Random(std::int32_t Range);
  // A number in [0, 1).
  double Random();

private:
  void Advance() { FSeed = FSeed * 134775813u + 1u; }

  std::uint32_t FSeed;
};

}  // namespace classlib
