#include "tests/classlib/WindowTesting.h"

#include "skin/plain/PlainRegistration.h"
#include "skin/plain/SkinPlainPages.h"

#include <memory>
#include <vector>

using namespace classlib;
using namespace skin;

namespace {

// The main window's page control: tabs above the client area, pages switched in code.
const char* const PagesForm = R"(object TestForm: TForm
  ClientWidth = 701
  ClientHeight = 529
  object Pages: TskSkinPageControl
    Top = -22
    Width = 702
    Height = 552
    ActivePage = Home
    object Home: TskSkinTabSheet
      PageControl = Pages
      OnHide = SheetHide
    end
    object Player: TskSkinTabSheet
      PageControl = Pages
      OnShow = SheetShow
      OnHide = SheetHide
    end
    object Viewer: TskSkinTabSheet
      PageControl = Pages
      OnHide = SheetHide
    end
  end
end
)";

TEST(PlainPages, SwitchingFiresOnHideOfTheSheetLeft) {
  RegisterPlainSkinClasses();
  std::vector<String> events;
  auto name = [](TObject* Sender) { return dynamic_cast<TComponent*>(Sender)->Name(); };
  auto form = windowtesting::ReadForm(PagesForm, [&](TForm& f) {
    f.RegisterHandler<TNotifyEvent>("SheetShow", [&](TObject* s) { events.push_back(name(s) + " show"); });
    f.RegisterHandler<TNotifyEvent>("SheetHide", [&](TObject* s) { events.push_back(name(s) + " hide"); });
  });
  auto* pages = dynamic_cast<TskSkinPageControl*>(form->FindComponent("Pages"));
  auto* home = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Home"));
  auto* player = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Player"));
  auto* viewer = dynamic_cast<TskSkinTabSheet*>(form->FindComponent("Viewer"));
  ASSERT_TRUE(pages && home && player && viewer);
  EXPECT_EQ(pages->ActivePage(), home);
  EXPECT_TRUE(events.empty());
  pages->HandleNeeded();

  pages->SetActivePage(player);
  EXPECT_EQ(events, (std::vector<String>{"Player show", "Home hide"}));
  viewer->Show();  // showing a sheet makes it the active page
  EXPECT_EQ(pages->ActivePage(), viewer);
  pages->SetActivePage(viewer);  // already active: nothing is left
  EXPECT_EQ(events, (std::vector<String>{"Player show", "Home hide", "Player hide"}));
  EXPECT_TRUE(viewer->Visible());
  EXPECT_FALSE(player->Visible());
  EXPECT_FALSE(home->Visible());
}

}  // namespace
