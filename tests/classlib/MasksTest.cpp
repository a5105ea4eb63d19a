#include "tests/support/testing.h"

#include "platform/classlib/Masks.h"

namespace {

using namespace classlib;

TEST(Masks, MatchesByPattern) {
  const struct {
    const char* Mask;
    const char* Name;
    bool Matches;
  } cases[] = {
      {"*.*", "a.b", true},          {"*.*", "noext", false},      {"*", "", true},
      {"*.bmp", "PICTURE.BMP", true}, {"*.bmp", "a.bmp.txt", false}, {"a*b*c", "aXbYbZc", true},
      {"?.txt", "y.txt", true},      {"?.txt", "yy.txt", false},    {"[a-c]*", "Beta", true},
      {"[!a-c]*", "beta", false},    {"[]x]", "]", true},           {"[ab-]", "-", true},
      {"file\xC3\xA9.*", "FILE\xC3\x89.dat", true},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesMask(c.Name, c.Mask), c.Matches) << c.Mask << " " << c.Name;
}

TEST(Masks, UnclosedSetIsRefused) {
  for (const char* bad : {"[", "a[bc", "[!"}) EXPECT_THROW(TMask{bad}, EMaskException) << bad;
}

}  // namespace
