// Mutations of valid files for the decoders' fuzzer: bit flips, boundary values written over
// header fields, blocks removed, repeated or taken from another file, cuts. Header bytes are hit
// more often than the rest: that is where sizes, counts and offsets live.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace fuzz {

class FuzzMutator {
public:
  FuzzMutator(std::uint64_t seed, std::size_t maximumSize);

  // A mutated copy of `input`; `others` are files blocks may be taken from.
  std::string Mutate(const std::string& input, const std::vector<std::string>& others);

  // A number in [0, count).
  std::size_t Below(std::size_t count);

private:
  std::size_t Offset(std::size_t size);
  void MutateOnce(std::string& data, const std::vector<std::string>& others);
  void WriteValue(std::string& data, std::uint64_t value, int width, bool bigEndian);

  std::mt19937_64 FRandom;
  std::size_t FMaximumSize;
};

}  // namespace fuzz
