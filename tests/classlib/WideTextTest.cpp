#include "tests/support/testing.h"

#include "platform/classlib/WideText.h"

using namespace classlib;

// Plain ASCII takes a short way; it must give what the system's conversion gives, and text
// with other characters, wherever they stand, must still take the system's.
TEST(WideText, ConvertsAsciiAndOtherTextAlike) {
  struct TCase {
    String Utf8;
    std::u16string Utf16;
  };
  const TCase cases[] = {
      {"", u""},
      {"plain ASCII 0-9 ~\x7f", u"plain ASCII 0-9 ~\x7f"},
      {"caf\xc3\xa9", u"caf\u00e9"},
      {"\xc3\xa9t\xc3\xa9 at the start", u"\u00e9t\u00e9 at the start"},
      {"a\xe2\x82\xac" "b", u"a\u20acb"},
      {"\xf0\x9f\x8e\xb5 note", u"\U0001F3B5 note"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Utf8);
    EXPECT_EQ(static_cast<const std::u16string&>(ToWide(c.Utf8)), c.Utf16);
    const WideString wide(c.Utf16);
    EXPECT_EQ(FromWide(wide), c.Utf8);
    EXPECT_EQ(FromWide(wide.c_str()), c.Utf8) << "up to the terminating zero";
  }
  EXPECT_EQ(FromWide(nullptr), "");
  EXPECT_EQ(ToAnsi("plain"), "plain");
  EXPECT_EQ(FromAnsi("plain"), "plain");
  EXPECT_EQ(FromAnsi(ToAnsi("caf\xc3\xa9")), "caf\xc3\xa9") << "through the ANSI code page and back";
}
