#include "tests/skin/shell/FileDialogScript.h"
#include "tests/skin/support/Screen.h"

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Icon.h"
#include "platform/classlib/JPEGImage.h"
#include "platform/classlib/Metafile.h"
#include "skin/boxes/SkinScrollBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSplitter.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMenuButtons.h"
#include "skin/shell/SkinFileCtrl.h"
#include "skin/shell/SkinPictureDialogs.h"
#include "skin/shell/SkinShellRegistration.h"

#include <algorithm>
#include <exception>
#include <string>

namespace {

using namespace classlib;
using namespace skin;
using namespace filedialogtesting;
using testing_support::TempDir;

TskOpenPictureDlgForm& PictureForm(TskOpenDlgForm& Form) { return dynamic_cast<TskOpenPictureDlgForm&>(Form); }

void SaveBitmap(const String& FileName, int Width, int Height, TColor Colour) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(TPixelFormat::pf24bit);
  bitmap.SetSize(Width, Height);
  bitmap.Canvas()->Brush()->SetColor(Colour);
  bitmap.Canvas()->FillRect(Rect(0, 0, Width, Height));
  bitmap.SaveToFile(FileName);
}

// A filled rectangle of 60 x 30 units as an enhanced or (placeable) Windows metafile.
void SaveMetafiles(const String& Emf, const String& Wmf) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 60, 30);
  const HENHMETAFILE emf = CloseEnhMetaFile(dc);
  CopyEnhMetaFileW(emf, ToWide(Emf).c_str());
  DeleteEnhMetaFile(emf);

  dc = CreateMetaFileW(nullptr);
  SetWindowExtEx(dc, 60, 30, nullptr);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 60, 30);
  const HMETAFILE wmf = CloseMetaFile(dc);
  std::string body(GetMetaFileBitsEx(wmf, 0, nullptr), '\0');
  GetMetaFileBitsEx(wmf, static_cast<UINT>(body.size()), body.data());
  DeleteMetaFile(wmf);
  WORD header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 60, 30, 96, 0, 0, 0};
  for (int i = 0; i < 10; ++i) header[10] ^= header[i];
  TFileStream file(Wmf, fmCreate);
  file.WriteBuffer(header, sizeof header);
  file.WriteBuffer(body.data(), static_cast<int>(body.size()));
}

// A folder of pictures: big.bmp (800 x 600, red), small.bmp (40 x 30, blue), the other four kinds
// of 30 to 60 pixels, broken.bmp (no bitmap at all) and a folder sub.
class PictureDialog : public ::testing::Test {
protected:
  PictureDialog() {
    windowtesting::InitApplication();
    SaveBitmap(File("big.bmp"), 800, 600, clRed);
    SaveBitmap(File("small.bmp"), 40, 30, clBlue);
    testing_support::WriteUnixFile(Dir.unixFile("broken.bmp"), "BM not really");
    CreateDirectoryW(ToWide(File("sub")).c_str(), nullptr);
  }
  String File(const String& Name) const { return String(Dir.windowsFile(Name)); }
  String Folder() const { return String(Dir.windowsPath()); }

  TempDir Dir;
};

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

TStep SelectStep(const String& Name) {
  return [Name](TskOpenDlgForm& Form) { ASSERT_TRUE(Select(Form, Name)) << Name; };
}
// The pointer goes there first: a down button of a group lets go only under the pointer.
const TStep ClickStretch = [](TskOpenDlgForm& Form) {
  TskSkinSpeedButton& button = PictureForm(Form).StretchButton();
  const TPoint at = button.Parent()->ClientToScreen({button.Left() + button.Width() / 2, button.Top() + button.Height() / 2});
  SetCursorPos(at.x, at.y);
  Click(button);
};
const TStep Cancel = [](TskOpenDlgForm& Form) { Click(Form.CancelButton()); };

struct TPictureState {
  int Width = -1, Height = -1;
  bool HBar = false, VBar = false;
  int HMax = 0, VMax = 0;
  bool Stretched = false;
  String Edit;
};

TStep NoteState(TPictureState& State) {
  return [&State](TskOpenDlgForm& Form) {
    TskOpenPictureDlgForm& form = PictureForm(Form);
    State.Width = form.Image().Width();
    State.Height = form.Image().Height();
    State.HBar = form.PictureHScrollBar().Visible();
    State.VBar = form.PictureVScrollBar().Visible();
    State.HMax = form.PictureHScrollBar().Max();
    State.VMax = form.PictureVScrollBar().Max();
    State.Stretched = form.Image().Stretch();
    State.Edit = form.FileNameEdit().Text();
  };
}

// ---------------------------------------------------------------------------------------------
// The window

TEST_F(PictureDialog, OpensAt550By290WithThePictureAreaAndFixedBottomPlaces) {
  TskSkinSavePictureDialog save(nullptr);
  EXPECT_EQ(save.Title(), "Save file");
  TskSkinOpenPictureDialog dialog(nullptr);
  EXPECT_EQ(dialog.Title(), "Open picture");
  EXPECT_EQ(dialog.Filter(),
            "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
            "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
  EXPECT_FALSE(dialog.StretchPicture());
  EXPECT_EQ(dialog.PicturePanelWidth(), 190);
  dialog.SetInitialDir(Folder());
  int cancelGap = -1;
  EXPECT_FALSE(RunDialog(
      dialog, {[](TskOpenDlgForm& Form) {
                 TskOpenPictureDlgForm& form = PictureForm(Form);
                 EXPECT_EQ(form.ClientWidth(), 550);
                 EXPECT_EQ(form.ClientHeight(), 290);
                 EXPECT_EQ(form.Caption(), "Open picture");
                 EXPECT_TRUE(form.CheckFileExists()) << "the component's";
                 EXPECT_EQ(form.PicturePanel().Width(), 190);
                 // Picture panel at the right edge, the splitter left of it, the list filling the rest.
                 EXPECT_EQ(form.PicturePanel().Left() + form.PicturePanel().Width(), form.ClientWidth());
                 EXPECT_EQ(form.Splitter().Left() + form.Splitter().Width(), form.PicturePanel().Left());
                 EXPECT_EQ(form.ListPanel().Left() + form.ListPanel().Width(), form.Splitter().Left());
                 EXPECT_EQ(form.PicturePanel().Top(), form.ToolBar().Height());
                 EXPECT_EQ(form.PicturePanel().Top() + form.PicturePanel().Height(), form.BottomPanel().Top());
                 // The stretch toggle between the new-folder and the view button.
                 TskSkinSpeedButton& stretch = form.StretchButton();
                 EXPECT_LT(form.NewFolderButton().Left(), stretch.Left());
                 EXPECT_EQ(stretch.Left() + stretch.Width(), form.ViewButton().Left());
                 EXPECT_EQ(stretch.Width(), 27);
                 EXPECT_EQ(stretch.Hint(), "Stretch Picture");
                 EXPECT_FALSE(stretch.Down());
                 EXPECT_EQ(form.FileNameEdit().Left(), 70);
                 EXPECT_EQ(form.FileNameEdit().Width(), 280);
                 EXPECT_EQ(form.FilterComboBox().Width(), 280);
                 EXPECT_EQ(form.OKButton().Left(), 370);
                 EXPECT_EQ(form.CancelButton().Left(), 370);
                 EXPECT_EQ(form.CancelButton().Top(), 45);
                 // Wider, the Cancel button alone follows the right edge.
                 form.SetClientWidth(650);
               },
               [&](TskOpenDlgForm& Form) {
                 EXPECT_EQ(Form.OKButton().Left(), 370);
                 EXPECT_EQ(Form.FileNameEdit().Width(), 280);
                 cancelGap = Form.BottomPanel().Width() - Form.CancelButton().Left();
               },
               Cancel}));
  EXPECT_EQ(cancelGap, 550 - 370);
  EXPECT_EQ(dialog.DialogWidth(), 650);
}

// ---------------------------------------------------------------------------------------------
// Showing pictures

TEST_F(PictureDialog, ABigPictureScrollsStretchedFitsAndScrollsAgain) {
  TskSkinOpenPictureDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  TPictureState natural, stretched, back, folder, little;
  int boxWidth = 0, boxHeight = 0;
  EXPECT_FALSE(RunDialog(dialog, {SelectStep("big.bmp"), NoteState(natural), ClickStretch,
                                  [&](TskOpenDlgForm& Form) {
                                    NoteState(stretched)(Form);
                                    boxWidth = PictureForm(Form).PictureScrollBox().ClientWidth();
                                    boxHeight = PictureForm(Form).PictureScrollBox().ClientHeight();
                                  },
                                  ClickStretch, NoteState(back), SelectStep("sub"), NoteState(folder),
                                  SelectStep("small.bmp"), NoteState(little), Cancel}));
  EXPECT_EQ(natural.Width, 800);
  EXPECT_EQ(natural.Height, 600);
  EXPECT_EQ(natural.Edit, "big.bmp");
  EXPECT_TRUE(natural.HBar && natural.VBar);
  EXPECT_EQ(natural.HMax, 799);
  EXPECT_EQ(natural.VMax, 599);

  EXPECT_TRUE(stretched.Stretched);
  EXPECT_EQ(stretched.Width, boxWidth);
  EXPECT_EQ(stretched.Height, boxHeight);
  EXPECT_FALSE(stretched.HBar || stretched.VBar) << "a stretched picture has no scroll range";
  EXPECT_LT(boxWidth, 800);

  EXPECT_FALSE(back.Stretched);
  EXPECT_EQ(back.Width, 800);
  EXPECT_EQ(back.Height, 600);
  EXPECT_TRUE(back.HBar && back.VBar);
  EXPECT_EQ(back.HMax, 799);

  // A folder empties the edit; the unstretched picture collapses with its range.
  EXPECT_EQ(folder.Edit, "");
  EXPECT_EQ(folder.Width, 0);
  EXPECT_EQ(folder.Height, 0);
  EXPECT_EQ(little.Width, 40);
  EXPECT_EQ(little.Height, 30);
  EXPECT_FALSE(little.HBar || little.VBar);
}

TEST_F(PictureDialog, AStretchedPictureStaysOnAFolder) {
  TskSkinOpenPictureDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  dialog.SetStretchPicture(true);
  TPictureState folder;
  bool pictureKept = false;
  EXPECT_FALSE(RunDialog(dialog, {SelectStep("small.bmp"), SelectStep("sub"), NoteState(folder),
                                  [&](TskOpenDlgForm& Form) {
                                    pictureKept = PictureForm(Form).Image().Picture().Width() == 40;
                                  },
                                  Cancel}));
  EXPECT_TRUE(folder.Stretched);
  EXPECT_EQ(folder.Edit, "");
  EXPECT_GT(folder.Width, 0);
  EXPECT_TRUE(pictureKept);
}

TEST_F(PictureDialog, LoadsEveryKindOfPictureByItsExtension) {
  SaveMetafiles(File("drawing.emf"), File("drawing.wmf"));
  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION))));
  icon.SaveToFile(File("mark.ico"));
  {
    TBitmap pixels;
    pixels.SetPixelFormat(TPixelFormat::pf24bit);
    pixels.SetSize(48, 36);
    TJPEGImage jpeg;
    jpeg.Assign(pixels);
    jpeg.SaveToFile(File("photo.jpg"));
  }
  TskSkinOpenPictureDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  dialog.SetFilter("All|*.*");
  const struct {
    const char* Name;
    const std::type_info& Kind;
  } cases[] = {{"small.bmp", typeid(TBitmap)},
               {"mark.ico", typeid(TIcon)},
               {"drawing.emf", typeid(TMetafile)},
               {"drawing.wmf", typeid(TMetafile)},
               {"photo.jpg", typeid(TJPEGImage)}};
  std::vector<TStep> steps;
  for (const auto& c : cases) {
    steps.push_back(SelectStep(c.Name));
    steps.push_back([&c](TskOpenDlgForm& Form) {
      TImage& image = PictureForm(Form).Image();
      ASSERT_NE(image.Picture().Graphic(), nullptr) << c.Name;
      EXPECT_EQ(typeid(*image.Picture().Graphic()), c.Kind) << c.Name;
      EXPECT_GT(image.Width(), 0) << c.Name;
      EXPECT_EQ(image.Width(), image.Picture().Width()) << c.Name;
    });
  }
  steps.push_back(Cancel);
  EXPECT_FALSE(RunDialog(dialog, steps));
}

// ---------------------------------------------------------------------------------------------
// What the dialog remembers

TEST_F(PictureDialog, RemembersTheStretchStateAndThePanelWidthUnlessStretchPictureIsOn) {
  TskSkinOpenPictureDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  // The splitter dragged 110 pixels to the left widens the picture panel from 190 to 300.
  const TStep dragSplitter = [](TskOpenDlgForm& Form) {
    TskSkinSplitter& splitter = PictureForm(Form).Splitter();
    const int x = splitter.Left() + splitter.Width() / 2, y = splitter.Top() + splitter.Height() / 2;
    SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(Form.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x - 110, y));
    SendMessageW(Form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x - 110, y));
  };
  std::vector<bool> startedDown;
  int secondWidth = 0;
  const TStep noteDown = [&](TskOpenDlgForm& Form) {
    startedDown.push_back(PictureForm(Form).StretchButton().Down());
    EXPECT_EQ(PictureForm(Form).Image().Stretch(), startedDown.back());
  };
  EXPECT_FALSE(RunDialog(dialog, {noteDown, ClickStretch, dragSplitter, Cancel}));
  EXPECT_TRUE(dialog.PictureStretched());
  EXPECT_EQ(dialog.PicturePanelWidth(), 300);
  EXPECT_FALSE(RunDialog(dialog, {noteDown,
                                  [&](TskOpenDlgForm& Form) { secondWidth = PictureForm(Form).PicturePanel().Width(); },
                                  ClickStretch, Cancel}));
  EXPECT_EQ(secondWidth, 300);
  EXPECT_FALSE(dialog.PictureStretched());
  EXPECT_FALSE(RunDialog(dialog, {noteDown, Cancel}));
  // StretchPicture starts every run stretched, whatever the last run left.
  dialog.SetStretchPicture(true);
  EXPECT_FALSE(RunDialog(dialog, {noteDown, ClickStretch, Cancel}));
  EXPECT_FALSE(RunDialog(dialog, {noteDown, Cancel}));
  EXPECT_TRUE(dialog.StretchPicture());
  EXPECT_EQ(startedDown, (std::vector<bool>{false, true, false, true, true}));
}

// ---------------------------------------------------------------------------------------------
// The start file

TEST_F(PictureDialog, AStartFileIsShownAndOneThatCannotBeReadOnlyReportsWhenSelected) {
  TskSkinOpenPictureDialog dialog(nullptr);
  TPictureState start;
  String folder;
  dialog.SetFileName(File("big.bmp"));
  EXPECT_FALSE(RunDialog(dialog, {NoteState(start), [&](TskOpenDlgForm& Form) { folder = Form.FileList().GetPath(); },
                                  Cancel}));
  EXPECT_EQ(IncludeTrailingPathDelimiter(folder), IncludeTrailingPathDelimiter(Folder()));
  EXPECT_EQ(start.Width, 800);
  EXPECT_EQ(start.Edit, "big.bmp");

  // A missing start file: no picture, its name in the edit.
  dialog.SetFileName(File("gone.bmp"));
  EXPECT_FALSE(RunDialog(dialog, {NoteState(start), Cancel}));
  EXPECT_EQ(start.Width, 0);
  EXPECT_EQ(start.Edit, "gone.bmp");

  // A start file the loader cannot read opens the dialog without a picture; selecting it reports
  // the loader's error and keeps the picture shown before.
  const TReportedErrors errors;
  dialog.SetFileName(File("broken.bmp"));
  TPictureState afterBroken;
  ASSERT_NO_THROW(EXPECT_TRUE(RunDialog(
      dialog, {NoteState(start), SelectStep("small.bmp"), SelectStep("broken.bmp"), NoteState(afterBroken),
               SelectStep("small.bmp"), [](TskOpenDlgForm& Form) { Click(Form.OKButton()); }})));
  EXPECT_EQ(start.Width, 0);
  EXPECT_EQ(start.Edit, "broken.bmp");
  ASSERT_EQ(errors.Messages.size(), 1u);
  EXPECT_EQ(errors.Messages[0], "Bitmap image is not valid");
  EXPECT_EQ(afterBroken.Edit, "broken.bmp");
  EXPECT_EQ(afterBroken.Width, 40);
  EXPECT_EQ(dialog.FileName(), File("small.bmp"));
}

// ---------------------------------------------------------------------------------------------
// Save mode

TEST_F(PictureDialog, SaveKeepsANameOfAnyPatternOfTheChosenType) {
  TskSkinSavePictureDialog dialog(nullptr);
  dialog.SetInitialDir(Folder());
  const struct {
    const char* Typed;
    const char* Chosen;
  } cases[] = {{"picture", "picture.wmf"}, {"picture.ICO", "picture.ICO"}, {"picture.png", "picture.png.wmf"}};
  for (const auto& c : cases) {
    const String typed = c.Typed;
    ASSERT_TRUE(RunDialog(dialog, {[typed](TskOpenDlgForm& Form) { Type(Form.FileNameEdit(), typed); },
                                   [](TskOpenDlgForm& Form) {
                                     EXPECT_EQ(Form.OKButton().Caption(), "&Save");
                                     Click(Form.OKButton());
                                   }}))
        << c.Typed;
    EXPECT_EQ(dialog.FileName(), File(c.Chosen));
  }
}

// ---------------------------------------------------------------------------------------------
// Looks

bool Shows(const skintesting::TScreenCopy& Screen, const TControl& Control, const std::function<bool(COLORREF)>& Test) {
  const TPoint origin = Control.Parent()->ClientToScreen({Control.Left(), Control.Top()});
  for (int y = 0; y < Control.Height(); ++y)
    for (int x = 0; x < Control.Width(); ++x)
      if (Test(Screen.Pixel(origin.x + x, origin.y + y))) return true;
  return false;
}

// Unskinned and with the program's skin: the stretch glyph with its magenta cut away, and the
// picture in the picture area, at its size and then stretched over the whole area.
TEST_F(PictureDialog, ShowsTheGlyphAndThePictureInBothLooks) {
  TskSkinData skin(nullptr);
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  const auto green = [](COLORREF c) { return c == RGB(24, 150, 40); };
  const auto magenta = [](COLORREF c) { return c == RGB(255, 0, 255); };
  for (TskSkinData* look : {static_cast<TskSkinData*>(nullptr), &skin}) {
    const char* name = look ? "skinned" : "plain";
    TskSkinOpenPictureDialog dialog(nullptr);
    dialog.SetInitialDir(Folder());
    dialog.SetSkinData(look);
    dialog.SetCtrlSkinData(look);
    bool glyphGreen = false, anyMagenta = true, smallBlue = false, blueBeyond = true, stretchedBlue = false;
    EXPECT_FALSE(RunDialog(
        dialog, {SelectStep("small.bmp"), RedrawNow,
                 [&](TskOpenDlgForm& Form) {
                   TskOpenPictureDlgForm& form = PictureForm(Form);
                   const skintesting::TScreenCopy screen;
                   glyphGreen = Shows(screen, form.StretchButton(), green);
                   anyMagenta = Shows(screen, form.ToolBar(), magenta);
                   const TPoint at = form.PictureScrollBox().ClientToScreen({0, 0});
                   smallBlue = screen.Pixel(at.x + 20, at.y + 15) == RGB(0, 0, 255);
                   blueBeyond = screen.Pixel(at.x + 60, at.y + 50) == RGB(0, 0, 255);
                 },
                 ClickStretch, RedrawNow,
                 [&](TskOpenDlgForm& Form) {
                   TskSkinScrollBox& box = PictureForm(Form).PictureScrollBox();
                   const skintesting::TScreenCopy screen;
                   const TPoint at = box.ClientToScreen({box.ClientWidth() - 5, box.ClientHeight() - 5});
                   stretchedBlue = screen.Pixel(at.x, at.y) == RGB(0, 0, 255);
                 },
                 Cancel}));
    EXPECT_TRUE(glyphGreen) << name;
    EXPECT_FALSE(anyMagenta) << name;
    EXPECT_TRUE(smallBlue) << name;
    EXPECT_FALSE(blueBeyond) << name << ": the picture shows at its own size";
    EXPECT_TRUE(stretchedBlue) << name << ": stretched, the picture reaches the far corner";
  }
}

// ---------------------------------------------------------------------------------------------
// Registration

TEST(SkinPictureDialogsRegistration, AFormDescriptionBuildsBothDialogs) {
  RegisterSkinShellClasses();
  auto form = windowtesting::ReadForm(R"(object TestForm: TForm
  object Skin1: TskSkinData
  end
  object OpenPictureDialog1: TskSkinOpenPictureDialog
    StretchPicture = True
    MultiSelection = True
    CtrlSkinData = Skin1
    FilterIndex = 3
  end
  object SavePictureDialog1: TskSkinSavePictureDialog
    DialogWidth = 600
  end
end
)");
  auto& open = *dynamic_cast<TskSkinOpenPictureDialog*>(form->FindComponent("OpenPictureDialog1"));
  EXPECT_TRUE(open.StretchPicture());
  EXPECT_TRUE(open.MultiSelection());
  EXPECT_EQ(open.CtrlSkinData(), form->FindComponent("Skin1"));
  EXPECT_EQ(open.FilterIndex(), 3);
  EXPECT_EQ(open.Title(), "Open picture");
  EXPECT_EQ(open.AlphaBlendValue(), 225);
  auto& save = *dynamic_cast<TskSkinSavePictureDialog*>(form->FindComponent("SavePictureDialog1"));
  EXPECT_EQ(save.Title(), "Save file");
  EXPECT_TRUE(save.SaveMode());
  EXPECT_EQ(save.DialogWidth(), 600);
  EXPECT_FALSE(save.StretchPicture());
}

}  // namespace
