#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/shell/SkinPreviewDialogs.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace classlib;
using namespace skin;
using namespace filedialogtesting;
using testing_support::TempDir;

TskOpenPreviewDlgForm& PreviewForm(TskOpenDlgForm& Form) { return dynamic_cast<TskOpenPreviewDlgForm&>(Form); }

// A folder with a.txt, b.txt and a folder sub.
class PreviewDialog : public ::testing::Test {
protected:
  PreviewDialog() {
    windowtesting::InitApplication();
    for (const char* name : {"a.txt", "b.txt"}) testing_support::WriteUnixFile(Dir.unixFile(name), "x");
    CreateDirectoryW(ToWide(File("sub")).c_str(), nullptr);
  }
  String Folder() const { return Dir.windowsPath(); }
  String File(const String& Name) const { return Dir.windowsFile(Name); }

  TempDir Dir;
};

// The window's client size and the strip's place: directly above the bottom panel, across the
// whole width, the list above it.
TEST_F(PreviewDialog, TheStripStandsAboveTheBottomPanelAtItsSize) {
  const struct {
    bool Save;
    int PaintPanelSize, DialogHeight;
    int ClientHeight;
    const char* Title;
    const char* OK;
  } cases[] = {
      {false, 40, 0, 330, "Open file", "&Open"},
      {true, 40, 0, 330, "Save file", "&Save"},
      {false, 100, 0, 390, "Open file", "&Open"},
      {false, 100, 300, 300, "Open file", "&Open"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TskSkinOpenPreviewDialog> dialog =
        c.Save ? std::make_unique<TskSkinSavePreviewDialog>(nullptr) : std::make_unique<TskSkinOpenPreviewDialog>(nullptr);
    dialog->SetInitialDir(Folder());
    dialog->SetPaintPanelSize(c.PaintPanelSize);
    dialog->SetDialogHeight(c.DialogHeight);
    EXPECT_FALSE(RunDialog(*dialog, {[&](TskOpenDlgForm& Form) {
                                       const TskSkinPaintPanel& strip = PreviewForm(Form).PreviewPanel();
                                       EXPECT_EQ(Form.ClientWidth(), 450);
                                       EXPECT_EQ(Form.ClientHeight(), c.ClientHeight);
                                       EXPECT_EQ(Form.Caption(), c.Title);
                                       EXPECT_EQ(Form.OKButton().Caption(), c.OK);
                                       EXPECT_EQ(strip.Height(), c.PaintPanelSize);
                                       EXPECT_EQ(strip.Width(), Form.ClientWidth());
                                       EXPECT_EQ(strip.Top() + strip.Height(), Form.BottomPanel().Top());
                                       EXPECT_EQ(Form.ListPanel().Top() + Form.ListPanel().Height(), strip.Top());
                                       EXPECT_EQ(Form.ListPanel().Height(), c.ClientHeight - 25 - c.PaintPanelSize - 80);
                                     },
                                     [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); }}))
        << c.PaintPanelSize << " " << c.DialogHeight;
    EXPECT_EQ(dialog->DialogHeight(), c.ClientHeight);
  }
}

// The paint handler draws what GetSelectedFile says, redrawn from the folder-change handler: a
// file's full path, nothing for a folder. FileName set meanwhile reaches the edit.
TEST_F(PreviewDialog, TheApplicationPaintsTheSelectedFileIntoTheStrip) {
  TskSkinOpenPreviewDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  std::vector<String> painted;
  TRect area{};
  dialog.OnPreviewPanelPaint = [&](TCanvas& Canvas, const TRect& R) {
    painted.push_back(dialog.GetSelectedFile());
    area = R;
    Canvas.TextOut(R.left + 2, R.top + 2, painted.back());
  };
  dialog.OnFolderChange = [&](TObject*) { dialog.PreviewPanelRePaint(); };
  String edited;
  EXPECT_FALSE(RunDialog(dialog, {[](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, "b.txt")); },
                                  [&](TskOpenDlgForm& Form) {
                                    ASSERT_FALSE(painted.empty());
                                    EXPECT_EQ(painted.back(), File("b.txt"));
                                    EXPECT_EQ(area.right - area.left, PreviewForm(Form).PreviewPanel().Width());
                                    ASSERT_TRUE(Select(Form, "sub"));
                                  },
                                  [&](TskOpenDlgForm& Form) {
                                    EXPECT_EQ(painted.back(), "");
                                    dialog.SetFileName(File("a.txt"));
                                    edited = Form.FileNameEdit().Text();
                                  },
                                  [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); }}));
  EXPECT_EQ(edited, "a.txt");

  // Without a window both calls are harmless and paint nothing.
  const size_t paints = painted.size();
  EXPECT_EQ(dialog.GetSelectedFile(), "");
  dialog.PreviewPanelRePaint();
  EXPECT_EQ(painted.size(), paints);
}

TEST_F(PreviewDialog, SavingAddsTheChosenTypesExtension) {
  TskSkinSavePreviewDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  dialog.SetFilter("Lists|*.lst");
  ASSERT_TRUE(RunDialog(dialog, {[](TskOpenDlgForm& Form) { Type(Form.FileNameEdit(), "list1"); },
                                 [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }}));
  EXPECT_EQ(dialog.FileName(), File("list1.lst"));
}

// Whether a pixel of the control's rectangle on the screen passes Test.
bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// On the screen, with and without the program's skin: the strip shows what the handler paints
// inside the panel's client rectangle, and the panel's own face around it.
TEST_F(PreviewDialog, TheStripShowsThePaintedPreviewInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  const COLORREF mark = RGB(10, 200, 30);
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &skin}) {
    TskSkinOpenPreviewDialog dialog(nullptr);
    dialog.SetInitialDir(Folder());
    dialog.SetSkinData(look);
    dialog.SetCtrlSkinData(look);
    dialog.OnPreviewPanelPaint = [&](TCanvas& Canvas, const TRect& R) {
      Canvas.Brush()->SetColor(static_cast<TColor>(mark));
      Canvas.FillRect(Rect(R.left + 4, R.top + 4, R.left + 40, R.bottom - 4));
    };
    bool marked = false, faceShown = false;
    COLORREF corner = 0;
    EXPECT_FALSE(RunDialog(dialog, {RedrawNow,
                                    [&](TskOpenDlgForm& Form) {
                                      const skintesting::TScreenCopy screen;
                                      const TskSkinPaintPanel& strip = PreviewForm(Form).PreviewPanel();
                                      marked = Shows(screen, strip, [&](COLORREF c) { return c == mark; });
                                      faceShown = Shows(screen, strip, [&](COLORREF c) { return c != mark; });
                                      const TPoint origin = Form.ClientToScreen({strip.Left(), strip.Top()});
                                      corner = screen.Pixel(origin.x + strip.Width() - 2, origin.y + strip.Height() / 2);
                                    },
                                    [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); }}));
    EXPECT_TRUE(marked) << (look ? "skinned" : "plain");
    EXPECT_TRUE(faceShown);
    EXPECT_NE(corner, mark) << "the handler paints only where it draws";
    if (!look) {
      EXPECT_EQ(corner, GetSysColor(COLOR_BTNFACE)) << "the plain panel's face";
    }
  }
}

TEST(SkinPreviewDialogRegistration, AFormDescriptionBuildsThePreviewDialogs) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object PreviewDialog1: TskSkinOpenPreviewDialog
    PaintPanelSize = 60
    Filter = 'Texts|*.txt'
  end
  object PreviewDialog2: TskSkinSavePreviewDialog
  end
end
)");
  auto& open = *dynamic_cast<TskSkinOpenPreviewDialog*>(form->FindComponent("PreviewDialog1"));
  EXPECT_EQ(open.PaintPanelSize(), 60);
  EXPECT_EQ(open.Filter(), "Texts|*.txt");
  EXPECT_EQ(open.Title(), "Open file");
  EXPECT_TRUE(open.CheckFileExists());
  auto& save = *dynamic_cast<TskSkinSavePreviewDialog*>(form->FindComponent("PreviewDialog2"));
  EXPECT_EQ(save.PaintPanelSize(), 40);
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_TRUE(save.SaveMode());
  EXPECT_EQ(save.Filter(), "All files|*.*");
}

}  // namespace
