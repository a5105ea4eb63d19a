// The shell's folder chooser as the program shows it.
#include "tests/app/AppTesting.h"

#include "app/FolderChooser.h"
#include "app/Unit1.h"

namespace {

// The chooser belongs to the main window and opens over it, not at the corner of the screen.
TEST(FolderChooser, OpensOverTheMainWindowAndCancelGivesNoFolder) {
  CoInitialize(nullptr);
  const auto main = apptesting::MakeForm<TForm1>();
  main->Show();
  std::vector<apptesting::TDialogSeen> seen;
  std::string chosen = "<not returned>";
  {
    apptesting::TDialogAnswerer answerer(IDCANCEL);
    chosen = main->ChooseFolder();
    seen = answerer.Seen();
  }
  EXPECT_EQ(chosen, "");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].Text.find("select folder"), std::string::npos) << seen[0].Text;
  EXPECT_EQ(seen[0].Owner, main->Handle());
  RECT window;
  GetWindowRect(main->Handle(), &window);
  const RECT& chooser = seen[0].Bounds;
  const POINT centre{(chooser.left + chooser.right) / 2, (chooser.top + chooser.bottom) / 2};
  EXPECT_TRUE(PtInRect(&window, centre)) << "the chooser at " << chooser.left << ", " << chooser.top;
}

}  // namespace
