#include "platform/classlib/ExtendedPrecision.h"
#include "tests/support/testing.h"

#include <windows.h>

namespace {

std::uint16_t ControlWord() {
  std::uint16_t word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}

// 1 + 2^-63 exists only with a 64-bit mantissa; in 53 bits it rounds back to 1.
bool HoldsSixtyFourBits() {
  volatile long double one = 1.0L;
  volatile long double tiny = 1.0L / 9223372036854775808.0L;
  volatile long double sum = one + tiny;
  return sum != one;
}

DWORD WINAPI CheckOnThread(void* result) {
  const std::uint16_t before = ControlWord();
  bool extended = false;
  {
    classlib::TExtendedPrecision precision;
    extended = HoldsSixtyFourBits();
  }
  *static_cast<bool*>(result) = extended && ControlWord() == before;
  return 0;
}

TEST(ExtendedPrecisionTest, GivesSixtyFourBitsAndRestoresTheControlWord) {
  const std::uint16_t before = ControlWord();
  {
    classlib::TExtendedPrecision precision;
    EXPECT_TRUE(HoldsSixtyFourBits());
  }
  EXPECT_EQ(before, ControlWord());

  // A Win32 thread starts with its own control word; the guard works there too.
  bool onThread = false;
  HANDLE thread = CreateThread(nullptr, 0, CheckOnThread, &onThread, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_TRUE(onThread);
}

}  // namespace
