// The shell's folder chooser as the program shows it.
#include "tests/app/AppTesting.h"

#include "app/FolderChooser.h"

namespace {

TEST(FolderChooser, CancelGivesNoFolder) {
  CoInitialize(nullptr);
  std::vector<apptesting::TDialogSeen> seen;
  std::string chosen = "<not returned>";
  {
    apptesting::TDialogAnswerer answerer(IDCANCEL);
    chosen = SelectFolder();
    seen = answerer.Seen();
  }
  EXPECT_EQ(chosen, "");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].Text.find("select folder"), std::string::npos) << seen[0].Text;
}

}  // namespace
