#include "tests/classlib/WindowTesting.h"

#include "skin/form/SkinMessageRouter.h"

#include <string>
#include <vector>

using namespace classlib;
using skin::TskAppMessageRouter;

namespace {

TEST(SkinMessageRouter, TheLatestOwnerSeesTheMessagesAndEachRemovesOnlyItsOwn) {
  windowtesting::InitApplication();
  std::vector<std::string> seen;
  Application->OnMessage = [&seen](MSG&, bool&) { seen.push_back("application"); };
  const int a = 0, b = 0;
  const auto handler = [&seen](const char* Name) {
    return [&seen, Name](MSG& Msg, bool& Handled) {
      seen.push_back(Name);
      Msg.message = WM_NULL;
      Handled = true;
    };
  };
  const auto deliver = [] {
    MSG msg{};
    msg.message = WM_KEYDOWN;
    bool handled = false;
    Application->OnMessage(msg, handled);
    return handled;
  };

  TskAppMessageRouter::Push(&a, handler("a"));
  TskAppMessageRouter::Push(&b, handler("b"));
  EXPECT_EQ(TskAppMessageRouter::Top(), &b);
  EXPECT_TRUE(deliver());
  // The first owner goes first: the second keeps the messages.
  TskAppMessageRouter::Remove(&a);
  EXPECT_FALSE(TskAppMessageRouter::Contains(&a));
  EXPECT_TRUE(deliver());
  TskAppMessageRouter::Remove(&a);
  EXPECT_TRUE(TskAppMessageRouter::Contains(&b));
  // Pushing again moves an owner up instead of adding a second entry.
  TskAppMessageRouter::Push(&a, handler("a"));
  TskAppMessageRouter::Push(&b, handler("b"));
  TskAppMessageRouter::Remove(&b);
  EXPECT_TRUE(deliver());
  TskAppMessageRouter::Remove(&a);
  EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
  EXPECT_FALSE(deliver()) << "the application's own handler is back";
  EXPECT_EQ(seen, (std::vector<std::string>{"b", "b", "a", "application"}));

  // A handler may remove its own entry while it runs.
  TskAppMessageRouter::Push(&a, [&seen, &a](MSG&, bool&) {
    TskAppMessageRouter::Remove(&a);
    seen.push_back("self");
  });
  deliver();
  EXPECT_EQ(seen.back(), "self");
  EXPECT_EQ(TskAppMessageRouter::Top(), nullptr);
  Application->OnMessage = nullptr;
}

}  // namespace
