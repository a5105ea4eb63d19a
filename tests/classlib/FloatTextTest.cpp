#include "tests/support/testing.h"

#include "platform/classlib/FloatText.h"

#include <cmath>
#include <limits>

using namespace classlib;

namespace {

// The test prefix's locale writes "." (the number fields' tests switch to "," through the
// regional settings).
TEST(FloatText, FixedPointRoundsHalvesAwayFromZeroAfterFifteenDigits) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {
      {0, 2, "0.00"},
      {2.5, 2, "2.50"},
      {2.25, 1, "2.3"},
      {-2.25, 1, "-2.3"},
      {0.005, 2, "0.01"},
      {-0.001, 2, "0.00"},
      {99.999, 2, "100.00"},
      {123.456, 0, "123"},
      {0.1 + 0.2, 17, "0.30000000000000000"},
      {-1234567.5, 3, "-1234567.500"},
      {1e-20, 3, "0.000"},
      {123456789012345.0, 1, "123456789012345.0"},
      {1e20, 2, "1.00000000000000E+20"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FloatToStrF(c.value, TFloatFormat::ffFixed, 15, c.digits), c.text);
  }
  EXPECT_EQ(FloatToStrF(std::numeric_limits<double>::quiet_NaN(), TFloatFormat::ffFixed, 15, 2), "NAN");
  EXPECT_EQ(FloatToStrF(-HUGE_VAL, TFloatFormat::ffFixed, 15, 2), "-INF");
}

TEST(FloatText, TextToFloat) {
  const struct {
    const char* text;
    double value;
  } good[] = {{"5", 5}, {"5.", 5}, {"-.5", -0.5}, {"  1.25  ", 1.25}, {"+2", 2}, {"1e3", 1000}, {"2.5E-1", 0.25}};
  for (const auto& c : good) {
    SCOPED_TRACE(c.text);
    double value = 0;
    ASSERT_TRUE(TryStrToFloat(c.text, value));
    EXPECT_EQ(value, c.value);
  }
  for (const char* text : {"", " ", "-", ".", "-.", "1.2.3", "1,5", "1e", "1e+", "12a", "1 2", "1e400", "0x10"}) {
    SCOPED_TRACE(text);
    double value = 7;
    EXPECT_FALSE(TryStrToFloat(text, value));
    EXPECT_EQ(value, 7) << "left alone";
  }
}

}  // namespace
