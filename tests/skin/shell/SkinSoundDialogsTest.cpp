#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinShellRegistration.h"
#include "skin/shell/SkinSoundDialogs.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using namespace classlib;
using namespace skin;
using namespace filedialogtesting;
using testing_support::TempDir;

TskOpenSoundDlgForm& SoundForm(TskOpenDlgForm& Form) { return dynamic_cast<TskOpenSoundDlgForm&>(Form); }

const TStep Cancel = [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); };

// A folder with a.wav, b.wav and a folder sub.
class SoundDialog : public ::testing::Test {
protected:
  SoundDialog() {
    windowtesting::InitApplication();
    for (const char* name : {"a.wav", "b.wav"}) testing_support::WriteUnixFile(Dir.unixFile(name), "x");
    CreateDirectoryW(ToWide(File("sub")).c_str(), nullptr);
  }
  String Folder() const { return Dir.windowsPath(); }
  String File(const String& Name) const { return Dir.windowsFile(Name); }

  TempDir Dir;
};

TEST_F(SoundDialog, ThePlayBarStandsAboveTheBottomPanelWithPlayThenStop) {
  const struct {
    bool Save;
    int PaintPanelSize;
    int ClientHeight;
    const char* Title;
    const char* OK;
  } cases[] = {
      {false, 40, 330, "Open sound", "&Open"},
      {true, 40, 330, "Save file", "&Save"},
      {false, 100, 390, "Open sound", "&Open"},
  };
  for (const auto& c : cases) {
    std::unique_ptr<TskSkinOpenSoundDialog> dialog =
        c.Save ? std::make_unique<TskSkinSaveSoundDialog>(nullptr) : std::make_unique<TskSkinOpenSoundDialog>(nullptr);
    dialog->SetInitialDir(Folder());
    dialog->SetPaintPanelSize(c.PaintPanelSize);
    EXPECT_FALSE(RunDialog(*dialog, {[&](TskOpenDlgForm& Form) {
                                       const TskOpenSoundDlgForm& form = SoundForm(Form);
                                       const TskSkinToolBar& bar = form.PlayBar();
                                       EXPECT_EQ(Form.ClientWidth(), 450);
                                       EXPECT_EQ(Form.ClientHeight(), c.ClientHeight);
                                       EXPECT_EQ(Form.Caption(), c.Title);
                                       EXPECT_EQ(Form.OKButton().Caption(), c.OK);
                                       EXPECT_EQ(bar.Height(), 25);
                                       EXPECT_EQ(bar.Width(), Form.ClientWidth());
                                       EXPECT_EQ(bar.Top() + bar.Height(), Form.BottomPanel().Top());
                                       EXPECT_EQ(Form.ListPanel().Top() + Form.ListPanel().Height(), bar.Top());
                                       EXPECT_EQ(form.PlayButton().Left(), 0);
                                       EXPECT_EQ(form.PlayButton().Width(), 25);
                                       EXPECT_EQ(form.StopButton().Left(), 25);
                                     },
                                     Cancel}))
        << c.Title << " " << c.PaintPanelSize;
  }
}

// Play and Stop hand their clicks over with the button as sender; the handler may ask for the
// selected file (a folder gives "").
TEST_F(SoundDialog, PlayAndStopReachTheHandlersWithTheSelectedFile) {
  TskSkinOpenSoundDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  std::vector<std::pair<TObject*, String>> played;
  std::vector<TObject*> stopped;
  dialog.OnPlayButtonClick = [&](TObject* Sender) { played.emplace_back(Sender, dialog.GetSelectedFile()); };
  dialog.OnStopButtonClick = [&](TObject* Sender) { stopped.push_back(Sender); };
  TObject* playButton = nullptr;
  TObject* stopButton = nullptr;
  EXPECT_FALSE(RunDialog(dialog, {[&](TskOpenDlgForm& Form) {
                                    playButton = &SoundForm(Form).PlayButton();
                                    stopButton = &SoundForm(Form).StopButton();
                                    ASSERT_TRUE(Select(Form, "b.wav"));
                                  },
                                  [](TskOpenDlgForm& Form) { Click(SoundForm(Form).PlayButton()); },
                                  [](TskOpenDlgForm& Form) { Click(SoundForm(Form).StopButton()); },
                                  [](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, "sub")); },
                                  [](TskOpenDlgForm& Form) { Click(SoundForm(Form).PlayButton()); }, Cancel}));
  ASSERT_EQ(played.size(), 2u);
  EXPECT_EQ(played[0].first, playButton);
  EXPECT_EQ(played[0].second, File("b.wav"));
  EXPECT_EQ(played[1].second, "");
  EXPECT_EQ(stopped, (std::vector<TObject*>{stopButton, &dialog})) << "the click, then the final stop";
  EXPECT_EQ(dialog.GetSelectedFile(), "") << "no window, no selection";
}

// However the window closes, the stop handler runs once more with the dialog as sender while
// the window still exists and before anything is read back.
TEST_F(SoundDialog, EveryEndOfTheRunStopsOnceBeforeTheResultsAreStored) {
  const struct {
    const char* How;
    TStep End;
    bool Confirmed;
  } cases[] = {
      {"Cancel", Cancel, false},
      {"Escape", [](TskOpenDlgForm& Form) { PressKey(Form.FileNameEdit(), 27); }, false},
      {"close", [](TskOpenDlgForm& Form) { SendMessageW(Form.Handle(), WM_CLOSE, 0, 0); }, false},
      {"OK", [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }, true},
  };
  for (const auto& c : cases) {
    TskSkinOpenSoundDialog dialog(nullptr);
    dialog.SetFilter("All|*.*|Waves|*.wav");
    dialog.SetFileName(File("a.wav"));
    struct TSeen {
      TObject* Sender;
      bool WindowThere;
      int FilterIndex;
      String FileName;
    };
    std::vector<TSeen> stops;
    dialog.OnStopButtonClick = [&](TObject* Sender) {
      stops.push_back({Sender, dialog.DialogForm() != nullptr, dialog.FilterIndex(), dialog.FileName()});
    };
    const bool confirmed = RunDialog(dialog, {[](TskOpenDlgForm& Form) { Form.FilterComboBox().SetItemIndex(1); },
                                              [](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, "b.wav")); }, c.End});
    EXPECT_EQ(confirmed, c.Confirmed) << c.How;
    ASSERT_EQ(stops.size(), 1u) << c.How;
    EXPECT_EQ(stops[0].Sender, &dialog) << c.How;
    EXPECT_TRUE(stops[0].WindowThere) << c.How;
    EXPECT_EQ(stops[0].FilterIndex, 1) << c.How;
    EXPECT_EQ(stops[0].FileName, File("a.wav")) << c.How;
    EXPECT_EQ(dialog.FilterIndex(), 2) << c.How;
    EXPECT_EQ(dialog.FileName(), File(c.Confirmed ? "b.wav" : "a.wav")) << c.How;
  }
}

// An error from the final stop ends Execute: the window is freed and nothing is stored.
TEST_F(SoundDialog, AFailingFinalStopStoresNothing) {
  TskSkinOpenSoundDialog dialog(nullptr);
  dialog.SetFileName(File("a.wav"));
  dialog.OnStopButtonClick = [](TObject*) { throw std::runtime_error("no sound device"); };
  EXPECT_THROW(RunDialog(dialog, {[](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, "b.wav")); },
                                  [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }}),
               std::runtime_error);
  EXPECT_EQ(dialog.DialogForm(), nullptr);
  EXPECT_EQ(dialog.FileName(), File("a.wav"));
  EXPECT_EQ(dialog.Files().Count(), 0);
}

TEST_F(SoundDialog, SavingAddsTheLastPatternsExtensionToAnUnknownName) {
  TskSkinSaveSoundDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  dialog.SetFilter("Sounds|*.mp3;*.wav");
  int stops = 0;
  dialog.OnStopButtonClick = [&](TObject*) { ++stops; };
  for (const auto& [typed, chosen] : {std::pair{"tune", "tune.wav"}, std::pair{"tune.MP3", "tune.MP3"}}) {
    ASSERT_TRUE(RunDialog(dialog, {[typed](TskOpenDlgForm& Form) { Type(Form.FileNameEdit(), typed); },
                                   [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }}));
    EXPECT_EQ(dialog.FileName(), File(chosen));
  }
  EXPECT_EQ(stops, 2);
}

// Whether a pixel of the control's rectangle on the screen passes Test.
bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// On the screen, with and without the program's skin: both glyphs in black and white with their
// magenta cut away; with the skin the buttons take the tool buttons' look.
TEST_F(SoundDialog, ShowsThePlayBarGlyphsInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  const auto black = [](COLORREF c) { return c == RGB(0, 0, 0); };
  const auto white = [](COLORREF c) { return c == RGB(255, 255, 255); };
  const auto magenta = [](COLORREF c) { return c == RGB(255, 0, 255); };
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &skin}) {
    TskSkinOpenSoundDialog dialog(nullptr);
    dialog.SetInitialDir(Folder());
    dialog.SetSkinData(look);
    dialog.SetCtrlSkinData(look);
    bool playBlack = false, playWhite = false, stopBlack = false, anyMagenta = true;
    int skinIndex = -2;
    EXPECT_FALSE(RunDialog(dialog, {RedrawNow,
                                    [&](TskOpenDlgForm& Form) {
                                      const skintesting::TScreenCopy screen;
                                      const TskOpenSoundDlgForm& form = SoundForm(Form);
                                      playBlack = Shows(screen, form.PlayButton(), black);
                                      playWhite = Shows(screen, form.PlayButton(), white);
                                      stopBlack = Shows(screen, form.StopButton(), black);
                                      anyMagenta = Shows(screen, form.PlayBar(), magenta);
                                      skinIndex = form.PlayButton().SkinControlIndex();
                                    },
                                    Cancel}));
    const char* name = look ? "skinned" : "plain";
    EXPECT_TRUE(playBlack) << name;
    EXPECT_TRUE(playWhite) << name;
    EXPECT_TRUE(stopBlack) << name;
    EXPECT_FALSE(anyMagenta) << name;
    if (look) {
      EXPECT_EQ(skinIndex, skin.GetControlIndex("toolbutton"));
      EXPECT_NE(skinIndex, -1);
    } else {
      EXPECT_EQ(skinIndex, -1);
    }
  }
}

TEST(SkinSoundDialogRegistration, AFormDescriptionBuildsTheSoundDialogs) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object SoundDialog1: TskSkinOpenSoundDialog
    PaintPanelSize = 10
    Filter = 'Waves|*.wav'
    MultiSelection = True
  end
  object SoundDialog2: TskSkinSaveSoundDialog
  end
end
)");
  auto& open = *dynamic_cast<TskSkinOpenSoundDialog*>(form->FindComponent("SoundDialog1"));
  EXPECT_EQ(open.PaintPanelSize(), 10);
  EXPECT_EQ(open.Filter(), "Waves|*.wav");
  EXPECT_TRUE(open.MultiSelection());
  EXPECT_EQ(open.Title(), "Open sound");
  auto& save = *dynamic_cast<TskSkinSaveSoundDialog*>(form->FindComponent("SoundDialog2"));
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_TRUE(save.SaveMode());
  EXPECT_EQ(save.PaintPanelSize(), 40);
}

}  // namespace
