#include "tests/support/testing.h"

#include "platform/classlib/ComObj.h"

namespace {

using namespace classlib;

TEST(ComObj, OleCheckRaisesFailuresWithTheSystemsText) {
  EXPECT_EQ(OleCheck(S_FALSE), S_FALSE);
  try {
    OleCheck(E_OUTOFMEMORY);
    ADD_FAILURE() << "no error raised";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), E_OUTOFMEMORY);
    EXPECT_FALSE(e.Message().empty());
    EXPECT_NE(e.Message().back(), '\n');
  }
}

}  // namespace
