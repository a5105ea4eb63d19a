#include "tests/support/testing.h"

#include "platform/classlib/Component.h"

using namespace classlib;

namespace {

// Records what it hears of other components.
class TListener : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<std::pair<TComponent*, TOperation>> Heard;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Heard.emplace_back(AComponent, Operation);
  }
};

TEST(Component, OwnerFreesOwnedAndFindsThemByNameWithoutCase) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* a = new TComponent(owner.get());
  a->SetName("Timer1");
  auto* b = new TComponent(owner.get());
  b->SetName("Label1");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->FindComponent("timer1"), a);
  EXPECT_EQ(owner->FindComponent("LABEL1"), b);
  EXPECT_EQ(owner->FindComponent("Nothing"), nullptr);
  delete a;  // leaves the owner's list
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->FindComponent("Timer1"), nullptr);
}

TEST(Component, NamesAreValidatedAndUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  a->SetName("Button1");
  auto* b = new TComponent(&owner);
  EXPECT_THROW(b->SetName("button1"), EComponentError);
  EXPECT_THROW(b->SetName("1Button"), EComponentError);
  EXPECT_THROW(b->SetName("Bad Name"), EComponentError);
  b->SetName("Button2");
  EXPECT_EQ(b->Name(), "Button2");
}

TEST(Component, SiblingsHearOfInsertionAndRemoval) {
  TComponent owner(nullptr);
  auto* listener = new TListener(&owner);
  auto* other = new TComponent(&owner);
  ASSERT_EQ(listener->Heard.size(), 1u);
  EXPECT_EQ(listener->Heard[0], std::make_pair(other, TOperation::opInsert));
  delete other;
  ASSERT_EQ(listener->Heard.size(), 2u);
  EXPECT_EQ(listener->Heard[1], std::make_pair(other, TOperation::opRemove));
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners) {
  TComponent form1(nullptr), form2(nullptr);
  auto* listener = new TListener(&form1);
  auto* target = new TComponent(&form2);
  target->FreeNotification(listener);
  listener->Heard.clear();
  delete target;
  ASSERT_EQ(listener->Heard.size(), 1u);
  EXPECT_EQ(listener->Heard[0], std::make_pair(target, TOperation::opRemove));
  // The listener dying later must not reach the freed target.
  delete listener;
}

TEST(Component, HandlersAreFoundByNameAndType) {
  TComponent root(nullptr);
  int calls = 0;
  root.RegisterHandler<TNotifyEvent>("Button1Click", [&](TObject*) { ++calls; });
  root.FindHandler<TNotifyEvent>("button1click")(nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_THROW(root.FindHandler<TNotifyEvent>("Missing"), EReadError);
  EXPECT_THROW(root.FindHandler<TMouseEvent>("Button1Click"), EReadError);
}

}  // namespace
