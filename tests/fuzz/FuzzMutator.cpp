#include "tests/fuzz/FuzzMutator.h"

#include <algorithm>

namespace fuzz {

namespace {

// Values that sit on the edges decoders get wrong: zero, one, sign bits, all ones, powers of two.
constexpr std::uint64_t kBoundaries[] = {0,      1,      2,      7,          8,          15,         16,
                                         31,     32,     63,     64,         127,        128,        255,
                                         256,    1023,   1024,   4096,       32767,      32768,      65535,
                                         65536,  0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x40000000, 0x10000, 0xFFFE};

constexpr std::size_t kHeaderBytes = 64;

}  // namespace

FuzzMutator::FuzzMutator(std::uint64_t seed, std::size_t maximumSize) : FRandom(seed), FMaximumSize(maximumSize) {}

std::size_t FuzzMutator::Below(std::size_t count) {
  return count == 0 ? 0 : static_cast<std::size_t>(FRandom() % count);
}

std::string FuzzMutator::Mutate(const std::string& input, const std::vector<std::string>& others) {
  std::string data = input;
  // Mostly a few changes, now and then many.
  std::size_t changes = 1 + Below(3);
  if (Below(8) == 0) changes += Below(16);
  for (std::size_t i = 0; i < changes; ++i) MutateOnce(data, others);
  if (data.size() > FMaximumSize) data.resize(FMaximumSize);
  return data;
}

std::size_t FuzzMutator::Offset(std::size_t size) {
  if (size == 0) return 0;
  if (Below(2) == 0) return Below(std::min(size, kHeaderBytes));
  return Below(size);
}

void FuzzMutator::WriteValue(std::string& data, std::uint64_t value, int width, bool bigEndian) {
  if (data.size() < static_cast<std::size_t>(width)) return;
  const std::size_t at = std::min(Offset(data.size()), data.size() - static_cast<std::size_t>(width));
  for (int i = 0; i < width; ++i) {
    const int shift = 8 * (bigEndian ? width - 1 - i : i);
    data[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
  }
}

void FuzzMutator::MutateOnce(std::string& data, const std::vector<std::string>& others) {
  const int width = 1 << Below(3);  // 1, 2 or 4 bytes
  const bool bigEndian = Below(2) == 0;
  switch (Below(10)) {
    case 0:  // one bit
      if (!data.empty()) data[Offset(data.size())] ^= static_cast<char>(1 << Below(8));
      break;
    case 1:  // one byte
      if (!data.empty()) data[Offset(data.size())] = static_cast<char>(FRandom());
      break;
    case 2:
    case 3: {  // a boundary value, sometimes one off
      std::uint64_t value = kBoundaries[Below(std::size(kBoundaries))];
      if (Below(4) == 0) value += Below(2) == 0 ? 1 : static_cast<std::uint64_t>(-1);
      WriteValue(data, value, width, bigEndian);
      break;
    }
    case 4: {  // a field nudged up or down
      if (data.size() < static_cast<std::size_t>(width)) break;
      const std::size_t at = std::min(Offset(data.size()), data.size() - static_cast<std::size_t>(width));
      std::uint64_t value = 0;
      for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        value |= static_cast<std::uint64_t>(static_cast<std::uint8_t>(data[at + static_cast<std::size_t>(i)])) << shift;
      }
      const std::uint64_t delta = 1 + Below(64);
      value = Below(2) == 0 ? value + delta : value - delta;
      for (int i = 0; i < width; ++i) {
        const int shift = 8 * (bigEndian ? width - 1 - i : i);
        data[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xFF);
      }
      break;
    }
    case 5:  // a block removed
      if (data.size() > 1) {
        const std::size_t at = Below(data.size());
        data.erase(at, 1 + Below(std::min<std::size_t>(data.size() - at, 256)));
      }
      break;
    case 6: {  // a block repeated
      if (data.empty()) break;
      const std::size_t from = Below(data.size());
      const std::string block = data.substr(from, 1 + Below(std::min<std::size_t>(data.size() - from, 256)));
      data.insert(Below(data.size() + 1), block);
      break;
    }
    case 7: {  // random bytes inserted
      std::string block(1 + Below(32), '\0');
      for (char& c : block) c = static_cast<char>(FRandom());
      data.insert(Below(data.size() + 1), block);
      break;
    }
    case 8:  // cut short
      if (!data.empty()) data.resize(Below(data.size()));
      break;
    default: {  // a block of another file written over this one
      if (others.empty() || data.empty()) break;
      const std::string& other = others[Below(others.size())];
      if (other.empty()) break;
      const std::size_t from = Below(other.size());
      const std::string block = other.substr(from, 1 + Below(std::min<std::size_t>(other.size() - from, 512)));
      const std::size_t at = Below(data.size());
      data.replace(at, std::min(block.size(), data.size() - at), block);
      break;
    }
  }
}

}  // namespace fuzz
