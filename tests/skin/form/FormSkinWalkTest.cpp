// The skin-change walk reaches the controls that keep a skin reference of their own.
#include "tests/skin/form/FormSkinTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControlBar.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/controls/SkinHeaderControl.h"
#include "skin/controls/SkinRichEdit.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/form/FormSkin.h"

#include <gtest/gtest.h>

using namespace classlib;
using namespace formskintesting;

namespace {

// Counts the two steps of a skin change around the control's own handling.
template <class Control>
class TCounted : public Control {
public:
  using Control::Control;
  int Befores = 0;
  int Changes = 0;

  void BeforeChangeSkinData() override {
    ++Befores;
    Control::BeforeChangeSkinData();
  }
  void ChangeSkinData() override {
    ++Changes;
    Control::ChangeSkinData();
  }
};

struct TCounts {
  const char* Name;
  std::function<int()> Befores;
  std::function<int()> Changes;
};

template <class Control>
TCounts Place(const char* Name, TWinControl* Parent, skin::TskSkinData* Skin) {
  auto* control = new TCounted<Control>(Parent);
  control->SetParent(Parent);
  control->SetSkinData(Skin);
  control->Befores = control->Changes = 0;  // taking the skin re-skins the control itself
  return {Name, [control] { return control->Befores; }, [control] { return control->Changes; }};
}

}  // namespace

TEST(FormSkinWalk, ReachesLabelsBevelSplitterAndControlBar) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  auto* panel = new TPanel(form.get());
  panel->SetParent(form.get());
  skin::TskSkinData* data = &skin.Skin();
  const std::vector<TCounts> counts{
      Place<skin::TskSkinStdLabel>("std label", panel, data),
      Place<skin::TskSkinTextLabel>("text label", panel, data),
      Place<skin::TskSkinLinkLabel>("link label", panel, data),
      Place<skin::TskSkinButtonLabel>("button label", panel, data),
      Place<skin::TskSkinBevel>("bevel", panel, data),
      Place<skin::TskSkinSplitter>("splitter", panel, data),
      Place<skin::TskSkinControlBar>("control bar", form.get(), data),
  };

  skin.Reload();
  for (const TCounts& count : counts) {
    SCOPED_TRACE(count.Name);
    EXPECT_EQ(count.Befores(), 1);
    EXPECT_EQ(count.Changes(), 1);
  }
}

TEST(FormSkinWalk, ReachesTheTreeViewHeaderAndRichEdit) {
  TFrameSkin skin;
  auto form = ShowFrameForm(&skin.Skin());
  skin::TskSkinData* data = &skin.Skin();
  const std::vector<TCounts> counts{
      Place<skin::TskSkinTreeView>("tree view", form.get(), data),
      Place<skin::TskSkinHeaderControl>("header", form.get(), data),
      Place<skin::TskSkinRichEdit>("rich edit", form.get(), data),
  };

  skin.Reload();
  for (const TCounts& count : counts) {
    SCOPED_TRACE(count.Name);
    EXPECT_EQ(count.Befores(), 1);
    EXPECT_EQ(count.Changes(), 1);
  }
}
