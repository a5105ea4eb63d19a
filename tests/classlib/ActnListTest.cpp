#include "tests/classlib/WindowTesting.h"

#include "platform/classlib/ActnList.h"
#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Controls.h"

#include <memory>
#include <vector>

using namespace classlib;

namespace {

// A windowless control that records what its action told it and lets a test click it.
class TActionClient : public TGraphicControl {
public:
  using TGraphicControl::TGraphicControl;
  using TGraphicControl::Click;

  std::vector<bool> Changes;  // CheckDefaults of each ActionChange

protected:
  void ActionChange(TObject* Sender, bool CheckDefaults) override {
    Changes.push_back(CheckDefaults);
    TGraphicControl::ActionChange(Sender, CheckDefaults);
  }
};

void RegisterClient() {
  static const bool registered = [] {
    TClassRegistry::Instance()
        .Register<TActionClient>("TActionClient", "TGraphicControl")
        .Reference("Action", &TControl::SetAction);
    return true;
  }();
  EXPECT_TRUE(registered);
}

struct TOwnerFixture {
  std::unique_ptr<TComponent> Owner = std::make_unique<TComponent>(nullptr);
  TCustomAction* Action = new TAction(Owner.get());
  TActionClient* Client = new TActionClient(Owner.get());
};

}  // namespace

TEST(ActionLink, TheControlFollowsItsActionAndRunsItWhenClicked) {
  TOwnerFixture f;
  std::vector<TObject*> executed;
  f.Action->OnExecute = [&](TObject* Sender) { executed.push_back(Sender); };
  f.Action->SetCaption("Open");
  f.Action->SetHint("Opens a file");
  f.Action->SetEnabled(false);

  f.Client->SetCaption("Mine");
  f.Client->SetAction(f.Action);
  EXPECT_EQ(f.Client->Action(), f.Action);
  ASSERT_NE(f.Client->ActionLink(), nullptr);
  EXPECT_EQ(f.Client->Caption(), "Open");  // assigned in code, the action wins over the control
  EXPECT_EQ(f.Client->Hint(), "Opens a file");
  EXPECT_FALSE(f.Client->Enabled());

  // Each change of the action reaches the control; an unchanged value tells nobody.
  f.Action->SetEnabled(true);
  f.Action->SetVisible(false);
  f.Action->SetCaption("Open...");
  f.Action->SetCaption("Open...");
  EXPECT_TRUE(f.Client->Enabled());
  EXPECT_FALSE(f.Client->Visible());
  EXPECT_EQ(f.Client->Caption(), "Open...");
  EXPECT_EQ(f.Client->Changes, (std::vector<bool>{false, false, false, false}));

  // A click runs the action with the action as sender; the control's own OnClick comes first.
  f.Client->Click();
  EXPECT_EQ(executed, (std::vector<TObject*>{f.Action}));
  int ownClicks = 0;
  f.Client->OnClick = [&](TObject*) { ++ownClicks; };
  f.Client->Click();
  EXPECT_EQ(ownClicks, 1);
  EXPECT_EQ(executed.size(), 1u);
  f.Client->OnClick = nullptr;

  // A disabled action does not run, nor does any action while the control is being designed.
  f.Action->SetEnabled(false);
  EXPECT_FALSE(f.Client->ActionLink()->Execute());
  f.Client->Click();
  f.Action->SetEnabled(true);
  f.Client->SetComponentState(TComponentStateItem::csDesigning, true);
  f.Client->Click();
  EXPECT_EQ(executed.size(), 1u);
  f.Client->SetComponentState(TComponentStateItem::csDesigning, false);

  f.Client->SetAction(nullptr);
  EXPECT_EQ(f.Client->ActionLink(), nullptr);
  f.Action->SetCaption("Close");
  EXPECT_EQ(f.Client->Caption(), "Open...");
}

TEST(ActionLink, EitherSideMayDieFirst) {
  {
    TOwnerFixture f;
    auto* other = new TActionClient(f.Owner.get());
    other->SetAction(f.Action);
    f.Client->SetAction(f.Action);
    delete f.Client;                 // its link leaves the action
    f.Action->SetCaption("Still");   // reaches the remaining client only
    EXPECT_EQ(other->Caption(), "Still");
    delete f.Action;
    EXPECT_EQ(other->Action(), nullptr);
    EXPECT_EQ(other->ActionLink(), nullptr);
    other->Click();  // nothing to run, nothing to crash
  }
  {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* list = new TActionList(owner.get());
    auto* images = new TImageList(owner.get());
    auto* action = new TAction(owner.get());
    auto* client = new TActionClient(owner.get());
    action->SetActionList(list);
    list->SetImages(images);
    client->SetAction(action);
    EXPECT_EQ(list->ActionCount(), 1);
    const size_t heard = client->Changes.size();
    delete images;  // the list forgets its images and the clients hear of it
    EXPECT_EQ(list->Images(), nullptr);
    EXPECT_EQ(client->Changes.size(), heard + 1);
    delete list;
    EXPECT_EQ(action->ActionList(), nullptr);
  }
}

TEST(ActionLink, ActionListsAndLinksReadFromAForm) {
  RegisterClient();
  int opened = 0;
  auto form = windowtesting::ReadForm(
      "object TestForm: TForm\n"
      "  object Images: TImageList\n"
      "  end\n"
      "  object Client1: TActionClient\n"
      "    Caption = 'Own caption'\n"
      "    Enabled = False\n"
      "    Action = OpenAction\n"
      "  end\n"
      "  object Client2: TActionClient\n"
      "    Action = OpenAction\n"
      "  end\n"
      "  object Actions: TActionList\n"
      "    Images = Images\n"
      "    object OpenAction: TAction\n"
      "      Caption = 'Open'\n"
      "      Hint = 'Opens a file'\n"
      "      Checked = True\n"
      "      ImageIndex = 2\n"
      "      OnExecute = OpenExecute\n"
      "    end\n"
      "  end\n"
      "end\n",
      [&](TForm& f) { f.RegisterHandler<TNotifyEvent>("OpenExecute", [&](TObject*) { ++opened; }); });
  auto* list = dynamic_cast<TActionList*>(form->FindComponent("Actions"));
  auto* action = dynamic_cast<TAction*>(form->FindComponent("OpenAction"));
  auto* client1 = dynamic_cast<TActionClient*>(form->FindComponent("Client1"));
  auto* client2 = dynamic_cast<TActionClient*>(form->FindComponent("Client2"));
  ASSERT_TRUE(list && action && client1 && client2);
  EXPECT_EQ(list->Images(), form->FindComponent("Images"));
  ASSERT_EQ(list->ActionCount(), 1);
  EXPECT_EQ(list->Actions(0), action);
  EXPECT_EQ(action->ActionList(), list);
  EXPECT_TRUE(action->Checked());
  EXPECT_EQ(action->ImageIndex(), 2);

  // Linked while the form was read: what a control states for itself stays, its defaults follow
  // the action. Later changes reach both in full.
  EXPECT_EQ(client1->Changes.front(), true);
  EXPECT_EQ(client1->Caption(), "Own caption");
  EXPECT_FALSE(client1->Enabled());
  EXPECT_EQ(client1->Hint(), "Opens a file");
  EXPECT_EQ(client2->Caption(), "Open");
  action->SetCaption("Open...");
  EXPECT_EQ(client1->Caption(), "Open...");
  EXPECT_TRUE(client1->Enabled());

  client2->Click();
  EXPECT_EQ(opened, 1);
}
