#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ClassRegistry.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinOpenSkinDialog.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

namespace {

using namespace classlib;
using namespace skin;
using namespace filedialogtesting;
using testing_support::TempDir;

TskOpenSkinDlgForm& SkinForm(TskOpenDlgForm& Form) { return dynamic_cast<TskOpenSkinDlgForm&>(Form); }

String BuiltSkinIni(const char* Name) {
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/" + Name + "/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

// The errors the class library would show in a message box, kept for the test instead.
class TReportedErrors {
public:
  TReportedErrors() : FSaved(TControl::ExceptionHook) {
    TControl::ExceptionHook = [this](std::exception_ptr E) {
      try {
        std::rethrow_exception(E);
      } catch (const std::exception& e) {
        Messages.push_back(e.what());
      }
    };
  }
  ~TReportedErrors() { TControl::ExceptionHook = FSaved; }
  TReportedErrors(const TReportedErrors&) = delete;
  TReportedErrors& operator=(const TReportedErrors&) = delete;

  std::vector<std::string> Messages;

private:
  std::function<void(std::exception_ptr)> FSaved;
};

// A folder of skins made from Tavrel's own: main.skn (compressed), ini\skin.ini with its pictures,
// plain.ini (an INI file that is no skin), broken.skn (a compressed skin whose data is no zlib
// stream) and a folder sub.
class SkinDialog : public ::testing::Test {
protected:
  SkinDialog() {
    windowtesting::InitApplication();
    TskSkinData skin(nullptr);
    skin.LoadFromFile(BuiltSkinIni("main"));
    skin.SaveToCompressedFile(File("main.skn"));
    CreateDirectoryW(ToWide(File("ini")).c_str(), nullptr);
    skin.StoreToDisk(File("ini") + "\\");
    testing_support::WriteUnixFile(Dir.unixFile("plain.ini"), "[settings]\r\nvolume=3\r\n");
    const std::string data = "this is no zlib stream at all";
    std::string broken(8, '\0');
    const std::int32_t header[2] = {2, static_cast<std::int32_t>(data.size())};
    std::memcpy(broken.data(), header, sizeof header);
    testing_support::WriteUnixFile(Dir.unixFile("broken.skn"), broken + data);
    CreateDirectoryW(ToWide(File("sub")).c_str(), nullptr);
  }
  String File(const String& Name) const { return String(Dir.windowsFile(Name)); }
  String Folder() const { return String(Dir.windowsPath()); }

  TempDir Dir;
};

TStep SelectStep(const String& Name) {
  return [Name](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, Name)) << Name; };
}
const TStep Cancel = [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); };

TStep NoteSample(std::vector<bool>& Shown) {
  return [&Shown](TskOpenDlgForm& Form) { Shown.push_back(SkinForm(Form).SampleForm().Showing()); };
}

// ---------------------------------------------------------------------------------------------
// The window

TEST_F(SkinDialog, OpensAt580By290WithAHiddenSampleInsideThePreviewPanel) {
  TskOpenSkinDialog dialog(nullptr);
  EXPECT_EQ(dialog.Title(), "Open skin");
  EXPECT_EQ(dialog.Filter(), "Compressed skin (*.skn)|*.skn|UnCompressed skin (*.ini)|*.ini");
  EXPECT_EQ(dialog.CompressedFilterIndex(), 1);
  EXPECT_EQ(dialog.UnCompressedFilterIndex(), 2);
  EXPECT_EQ(dialog.AlphaBlendValue(), 200);
  EXPECT_EQ(dialog.CtrlAlphaBlendValue(), 225);
  EXPECT_FALSE(dialog.SaveMode());
  dialog.SetInitialDir(Folder());
  dialog.SetMultiSelection(true);
  EXPECT_FALSE(RunDialog(
      dialog, {[](TskOpenDlgForm& Form) {
                 TskOpenSkinDlgForm& form = SkinForm(Form);
                 EXPECT_EQ(form.ClientWidth(), 580);
                 EXPECT_EQ(form.ClientHeight(), 290);
                 EXPECT_EQ(form.Caption(), "Open skin");
                 EXPECT_EQ(form.OKButton().Caption(), "&Open");
                 EXPECT_FALSE(form.FileList().MultiSelect()) << "one skin at a time";
                 EXPECT_EQ(form.PreviewPanel().Width(), 230);
                 EXPECT_EQ(form.PreviewPanel().Left() + 230, form.ClientWidth());
                 EXPECT_EQ(form.ListPanel().Left() + form.ListPanel().Width(), form.PreviewPanel().Left());
                 TForm& sample = form.SampleForm();
                 EXPECT_EQ(GetParent(sample.Handle()), form.PreviewPanel().Handle());
                 EXPECT_TRUE(GetWindowLongPtrW(sample.Handle(), GWL_STYLE) & WS_CHILD);
                 EXPECT_FALSE(IsWindowEnabled(sample.Handle())) << "the sample takes no input";
                 EXPECT_FALSE(sample.Showing());
                 EXPECT_EQ(sample.Left(), 5);
                 EXPECT_EQ(sample.Top(), 5);
                 EXPECT_EQ(sample.Width(), 220);
                 EXPECT_EQ(sample.Height(), 170);
                 EXPECT_EQ(sample.Caption(), "Preview");
                 EXPECT_EQ(form.SampleButton().Caption(), "Button");
                 EXPECT_EQ(form.SampleButton().Width(), 100);
                 EXPECT_EQ(form.SampleButton().Left(), 20);
                 EXPECT_EQ(form.SampleButton().Top(), 20);
                 EXPECT_EQ(form.SampleButton().SkinData(), &form.PreviewSkinData());
                 EXPECT_EQ(form.SampleFormSkin().SkinData(), &form.PreviewSkinData());
                 EXPECT_TRUE(form.PreviewSkinData().Empty);
                 // Fixed bottom places: wider, every control stays.
                 form.SetClientWidth(680);
               },
               [](TskOpenDlgForm& Form) {
                 EXPECT_EQ(Form.OKButton().Left(), 370);
                 EXPECT_EQ(Form.CancelButton().Left(), 370);
                 EXPECT_EQ(Form.FilterComboBox().Width(), 280);
               },
               Cancel}));
}

TEST(OpenSkinDlgForm, TheSampleTakesItsTextsAndTheStringTableFromTheDialogsSkin) {
  windowtesting::InitApplication();
  TskSkinData skin(nullptr);
  TskResourceStrData strings(nullptr);
  TStringList lines;
  lines.Add("MSG_PREVIEWSKIN=Vorschau");
  lines.Add("MSG_PREVIEWBUTTON=Knopf");
  strings.SetResStrs(lines);
  skin.SetResourceStrData(&strings);
  {
    const TskOpenSkinDlgForm form(nullptr, &skin);
    EXPECT_EQ(form.SampleForm().Caption(), "Vorschau");
    EXPECT_EQ(form.SampleButton().Caption(), "Knopf");
    EXPECT_EQ(form.PreviewSkinData().ResourceStrData(), &strings);
    EXPECT_TRUE(form.SampleFormSkin().AlwaysActive);
  }
  skin.SetResourceStrData(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Previews

TEST_F(SkinDialog, ACompressedSkinShowsTheSampleAndAFolderHidesIt) {
  // The dialog's own skins: the frame and the controls, which the previews must leave alone.
  TskSkinData frame(nullptr), controls(nullptr);
  frame.LoadFromFile(BuiltSkinIni("main"));
  controls.LoadFromFile(BuiltSkinIni("second"));
  const TBitmap* framePicture = frame.Picture.get();
  const size_t controlCount = controls.CtrlList.size();
  TskOpenSkinDialog dialog(nullptr);
  dialog.SetSkinData(&frame);
  dialog.SetCtrlSkinData(&controls);
  dialog.SetInitialDir(Folder());
  const TReportedErrors errors;
  std::vector<bool> shown;
  int buttonSkin = -2, panelSkin = -2, panelSkinAfter = -2;
  String editOnFolder = "?";
  EXPECT_FALSE(RunDialog(
      dialog, {NoteSample(shown),
               [&](TskOpenDlgForm& Form) { panelSkin = Form.ListPanel().SkinControlIndex(); },
               SelectStep("main.skn"), NoteSample(shown),
               [&](TskOpenDlgForm& Form) {
                 buttonSkin = SkinForm(Form).SampleButton().SkinControlIndex();
                 EXPECT_FALSE(SkinForm(Form).PreviewSkinData().Empty);
                 EXPECT_EQ(Form.FileNameEdit().Text(), "main.skn");
               },
               SelectStep("sub"), NoteSample(shown),
               [&](TskOpenDlgForm& Form) { editOnFolder = Form.FileNameEdit().Text(); },
               SelectStep("main.skn"), NoteSample(shown),
               // A damaged file reports its error; the dialog stays open.
               SelectStep("broken.skn"),
               [&](TskOpenDlgForm& Form) { panelSkinAfter = Form.ListPanel().SkinControlIndex(); }, Cancel}));
  EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true}));
  EXPECT_NE(buttonSkin, -1) << "the sample button is drawn with the previewed skin";
  EXPECT_EQ(editOnFolder, "");
  ASSERT_EQ(errors.Messages.size(), 1u);
  // The program's skins are untouched.
  EXPECT_FALSE(frame.Empty);
  EXPECT_EQ(frame.Picture.get(), framePicture);
  EXPECT_FALSE(controls.Empty);
  EXPECT_EQ(controls.CtrlList.size(), controlCount);
  EXPECT_NE(panelSkin, -1);
  EXPECT_EQ(panelSkinAfter, panelSkin);
}

TEST_F(SkinDialog, TheChosenFileTypeDecidesTheLoader) {
  TskOpenSkinDialog dialog(nullptr);
  dialog.SetInitialDir(File("ini"));
  dialog.SetFilterIndex(2);
  std::vector<bool> shown;
  const TStep toTop = [this](TskOpenDlgForm& Form) { Form.FileList().SetPath(Folder()); };
  EXPECT_FALSE(RunDialog(dialog, {SelectStep("skin.ini"), NoteSample(shown),
                                  // An INI file without the skin's sections empties the preview.
                                  toTop, SelectStep("plain.ini"), NoteSample(shown), Cancel}));
  EXPECT_EQ(shown, (std::vector<bool>{true, false}));
  EXPECT_EQ(dialog.FilterIndex(), 2);

  // An entry that is neither kind loads nothing: the sample keeps its state.
  dialog.SetFilter("Compressed|*.skn|Ini|*.ini|All|*.*");
  dialog.SetFilterIndex(3);
  dialog.SetInitialDir(Folder());
  shown.clear();
  EXPECT_FALSE(RunDialog(dialog, {SelectStep("main.skn"), NoteSample(shown), Cancel}));
  EXPECT_EQ(shown, std::vector<bool>{false});

  // Both indexes on one entry: its files load as compressed skins.
  dialog.SetFilter("All|*.*");
  dialog.SetFilterIndex(1);
  dialog.SetUnCompressedFilterIndex(1);
  shown.clear();
  EXPECT_FALSE(RunDialog(dialog, {SelectStep("main.skn"), NoteSample(shown), Cancel}));
  EXPECT_EQ(shown, std::vector<bool>{true});
}

// ---------------------------------------------------------------------------------------------
// Choosing

TEST_F(SkinDialog, ATypedOrStartFileCountsOnlyWhenItExists) {
  TskOpenSkinDialog dialog(nullptr);
  dialog.SetFileName(File("main.skn"));
  std::vector<bool> shown;
  const auto type = [](const String& Text) { return [Text](TskOpenDlgForm& Form) { Type(Form.FileNameEdit(), Text); }; };
  const TStep enter = [](TskOpenDlgForm& Form) { PressKey(Form.FileNameEdit(), 13); };
  // The start file is previewed at once; a missing name keeps the dialog open.
  ASSERT_TRUE(RunDialog(dialog, {NoteSample(shown),
                                 [](TskOpenDlgForm& Form) { EXPECT_EQ(Form.FileNameEdit().Text(), "main.skn"); },
                                 type("missing.skn"), enter,
                                 [](TskOpenDlgForm& Form) {
                                   EXPECT_EQ(Form.ModalResult(), mrNone);
                                   EXPECT_EQ(Form.FileName(), "");
                                 },
                                 SelectStep("sub"), type("broken.skn"), enter}));
  EXPECT_EQ(shown, std::vector<bool>{true});
  EXPECT_EQ(dialog.FileName(), File("broken.skn")) << "a typed name need not be selected";

  // A start file that cannot be read opens the dialog without a sample, and a typed full path is
  // taken as it stands.
  shown.clear();
  ASSERT_NO_THROW(EXPECT_TRUE(RunDialog(dialog, {NoteSample(shown), type(File("ini\\skin.ini")),
                                                 [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }})));
  EXPECT_EQ(shown, std::vector<bool>{false});
  EXPECT_EQ(dialog.FileName(), File("ini\\skin.ini"));
  EXPECT_EQ(dialog.Files().Count(), 0);
}

// ---------------------------------------------------------------------------------------------
// Looks

// Unskinned and skinned dialogs: the sample shows the previewed skin's active frame and button.
TEST_F(SkinDialog, TheSampleShowsTheSkinsActiveFrameAndButton) {
  TskSkinData own(nullptr);
  own.LoadFromFile(BuiltSkinIni("main"));
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &own}) {
    const char* name = look ? "skinned" : "plain";
    TskOpenSkinDialog dialog(nullptr);
    dialog.SetInitialDir(Folder());
    dialog.SetSkinData(look);
    dialog.SetCtrlSkinData(look);
    COLORREF frameShown = 0, frameExpected = 1, buttonShown = 0, buttonExpected = 1;
    EXPECT_FALSE(RunDialog(
        dialog, {SelectStep("main.skn"), RedrawNow,
                 [&](TskOpenDlgForm& Form) {
                   TskOpenSkinDlgForm& form = SkinForm(Form);
                   TskSkinData& preview = form.PreviewSkinData();
                   const skintesting::TScreenCopy screen;
                   RECT window{};
                   GetWindowRect(form.SampleForm().Handle(), &window);
                   // The left border beside the caption comes straight from the form picture.
                   frameShown = screen.Pixel(window.left + 1, window.top + 30);
                   frameExpected = ColorToRGB(preview.Picture->Canvas()->Pixels(1, 30));
                   const TskDataSkinControl& button = *preview.CtrlList[preview.GetControlIndex("button")];
                   const TPoint at = form.SampleForm().ClientToScreen(
                       {form.SampleButton().Left() + 2, form.SampleButton().Top() + 2});
                   buttonShown = screen.Pixel(at.x, at.y);
                   buttonExpected = ColorToRGB(preview.ActivePictures[button.PictureIndex]->Canvas()->Pixels(
                       button.SkinRect.left + 2, button.SkinRect.top + 2));
                 },
                 Cancel}));
    EXPECT_EQ(frameShown, frameExpected) << name;
    EXPECT_EQ(buttonShown, buttonExpected) << name;
  }
}

// ---------------------------------------------------------------------------------------------
// Registration

TEST(SkinOpenSkinDialogRegistration, AFormDescriptionBuildsTheDialog) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object SkinDialog1: TskOpenSkinDialog
    CompressedFilterIndex = 2
    UnCompressedFilterIndex = 1
    AlphaBlend = True
    Title = 'Skins'
  end
end
)");
  auto& dialog = *dynamic_cast<TskOpenSkinDialog*>(form->FindComponent("SkinDialog1"));
  EXPECT_EQ(dialog.CompressedFilterIndex(), 2);
  EXPECT_EQ(dialog.UnCompressedFilterIndex(), 1);
  EXPECT_TRUE(dialog.AlphaBlend());
  EXPECT_EQ(dialog.AlphaBlendValue(), 200);
  EXPECT_EQ(dialog.Title(), "Skins");
}

}  // namespace
