#include "tests/skin/boxes/SkinBoxesTesting.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "skin/boxes/SkinColorDialog.h"
#include "skin/boxes/SkinFontColorComboBoxes.h"
#include "skin/boxes/SkinFontColorListBoxes.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinDescriptions.h"
#include "skin/form/FormSkin.h"

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace classlib;
using namespace skin;
using namespace skinboxestesting;

namespace {

TColor Rgb(std::uint8_t R, std::uint8_t G, std::uint8_t B) { return BytesToColor(R, G, B); }

std::function<void()> PendingScript;

void CALLBACK RunPendingScript(HWND, UINT, UINT_PTR Timer, DWORD) {
  // The script runs once the dialog's window is up; it may pump messages itself.
  HWND active = GetActiveWindow();
  wchar_t caption[64] = {};
  if (!active || !IsWindowVisible(active)) return;
  GetWindowTextW(active, caption, 64);
  if (lstrcmpW(caption, L"Set color") != 0) return;
  KillTimer(nullptr, Timer);
  const std::function<void()> script = std::move(PendingScript);
  PendingScript = nullptr;
  script();
}

// Calls Open (which runs a colour dialog modally) with Script run inside the dialog's loop once
// its window shows; a script that stops early leaves the window to Escape.
void WithDialog(const std::function<void()>& Open, const std::function<void(TForm&)>& Script) {
  PendingScript = [Script] {
    auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetActiveWindow()));
    ASSERT_NE(form, nullptr);
    Script(*form);
    if (IsWindowVisible(form->Handle()) && form->ModalResult() == mrNone) form->SetModalResult(mrCancel);
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, RunPendingScript);
  Open();
  KillTimer(nullptr, timer);
  PendingScript = nullptr;
}

bool RunDialog(TskSkinColorDialog& Dialog, const std::function<void(TskSkinColorDialog&)>& Script) {
  bool result = false;
  WithDialog([&] { result = Dialog.Execute(); }, [&](TForm&) { Script(Dialog); });
  return result;
}

void Click(TControl& Control, int X, int Y) {
  const TPoint p = Control.ClientToScreen(Point(X, Y));
  LeftPress(p.x, p.y);
  LeftReleaseAt(p.x, p.y);
}

void ClickCenter(TControl& Control) { Click(Control, Control.Width() / 2, Control.Height() / 2); }

void ClickCell(TskSkinColorGridBase& Grid, int Index) {
  const TRect r = Grid.CellRect(Index);
  Click(Grid, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::string Shown(TControl& Edit) { return Edit.Text(); }

// The six edits' texts: R, G, B, H, S, L.
std::vector<std::string> Numbers(const TskSkinColorDialog& D) {
  return {Shown(*D.RedEdit()), Shown(*D.GreenEdit()), Shown(*D.BlueEdit()),
          Shown(*D.HueEdit()), Shown(*D.SaturationEdit()), Shown(*D.LightnessEdit())};
}

std::vector<std::string> Texts(std::initializer_list<const char*> List) { return {List.begin(), List.end()}; }

std::tuple<int, int, int, int> Bounds(const TControl& C) { return {C.Left(), C.Top(), C.Width(), C.Height()}; }

class SkinColorDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    windowtesting::InitApplication();
    MouseTo(1270, 1010);
  }
};

}  // namespace

TEST_F(SkinColorDialogTest, OpensOnTheStartColourWithEveryViewInStep) {
  TskSkinColorDialog dialog(nullptr);
  dialog.SetColor(Rgb(255, 0, 0));
  const bool result = RunDialog(dialog, [](TskSkinColorDialog& D) {
    TForm& form = *D.Form();
    EXPECT_EQ(form.ClientWidth(), 378);
    EXPECT_EQ(form.Caption(), "Set color");
    EXPECT_EQ(Bounds(*D.ColorGrid()), std::make_tuple(5, 5, 167, 195));
    EXPECT_EQ(Bounds(*D.CustomColorGrid()), std::make_tuple(5, 210, 167, 68));
    EXPECT_EQ(std::make_tuple(D.ColorGrid()->ColCount(), D.ColorGrid()->RowCount()), std::make_tuple(6, 8));
    const TControl& panel = *D.PaletteImage()->Parent();
    EXPECT_EQ(Bounds(panel), std::make_tuple(177, 5, 195, 195));
    EXPECT_EQ(D.RedEdit()->Top(), 210);
    EXPECT_EQ(D.GreenEdit()->Left(), D.RedEdit()->Left());
    EXPECT_EQ(D.SaturationEdit()->Left(), D.HueEdit()->Left());
    EXPECT_GT(D.HueEdit()->Left(), D.RedEdit()->Left() + D.RedEdit()->Width());
    // The swatch is a square reaching the palette's right edge.
    const TControl& viewer = *D.ColorViewer();
    EXPECT_EQ(viewer.Left() + viewer.Width(), 372);
    EXPECT_EQ(viewer.Width(), viewer.Height());
    EXPECT_EQ(viewer.Top(), 210);
    const int buttons = D.LightnessEdit()->Top() + D.LightnessEdit()->Height() + 15;
    EXPECT_EQ(Bounds(*D.OkButton()), std::make_tuple(5, buttons, 70, 25));
    EXPECT_EQ(Bounds(*D.CancelButton()), std::make_tuple(90, buttons, 70, 25));
    EXPECT_EQ(Bounds(*D.AddCustomColorButton()), std::make_tuple(177, buttons, 195, 25));
    EXPECT_EQ(form.ClientHeight(), buttons + 25 + 10);
    EXPECT_EQ(D.OkButton()->Caption(), "OK");
    EXPECT_EQ(D.AddCustomColorButton()->Caption(), "Add to Custom Colors");

    // Red is basic cell 5: the grid selects it and every view shows it.
    EXPECT_EQ(BasicColors[4], Rgb(255, 0, 0));
    EXPECT_EQ(D.ColorGrid()->ColorValue(), Rgb(255, 0, 0));
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(255, 0, 0));
    EXPECT_EQ(Numbers(D), Texts({"255", "0", "0", "0", "100", "100"}));
    const TPoint ring = D.Palette()->RingCursor(), square = D.Palette()->SquareCursor();
    EXPECT_EQ(std::make_tuple(ring.x, ring.y, square.x, square.y), std::make_tuple(97L, 10L, 150L, 97L));
    EXPECT_EQ(D.CustomColorGrid()->SelectedIndex, 0);
    ClickCenter(*D.CancelButton());
  });
  EXPECT_FALSE(result);
  EXPECT_EQ(dialog.Form(), nullptr) << "the window's controls are gone with it";

  // A colour that is no basic colour leaves the basic grid without a cursor.
  dialog.SetColor(Rgb(10, 20, 30));
  RunDialog(dialog, [](TskSkinColorDialog& D) {
    EXPECT_EQ(Numbers(D).front(), "10");
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(10, 20, 30));
    EXPECT_FALSE(TskSkinColorGrid::CheckColor(D.ColorGrid()->ColorValue()));
  });
}

TEST_F(SkinColorDialogTest, TypedNumbersAndThePaletteMoveTheOtherViews) {
  TskSkinColorDialog dialog(nullptr);
  dialog.SetColor(Rgb(255, 0, 0));
  TColor picked = 0;
  const bool result = RunDialog(dialog, [&](TskSkinColorDialog& D) {
    Click(*D.GreenEdit(), 30, 8);
    TapKey(VK_END);
    TapKey(VK_BACK);
    for (const char c : std::string("128")) TypeChar(c);
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(255, 128, 0));
    EXPECT_EQ(Numbers(D), Texts({"255", "128", "0", "30", "100", "100"}));
    EXPECT_EQ(D.Palette()->PaletteColor.RGBValue(), (TRGB{255, 128, 0}));
    const TPoint ring = D.Palette()->RingCursor();
    EXPECT_NE(std::make_tuple(ring.x, ring.y), std::make_tuple(97L, 10L)) << "the ring cursor moved";
    EXPECT_EQ(D.GreenEdit()->MaxLength(), 3) << "the longest number of the range";

    // The blue edit's drop-down, 200 wide and ending at the edit's right edge, sets blue live.
    D.BlueEdit()->DropDown();
    TskSkinPopupTrackBar& bar = D.BlueEdit()->TrackBar();
    EXPECT_EQ(bar.Width(), 200);
    RECT barRect, editRect;
    GetWindowRect(bar.Handle(), &barRect);
    GetWindowRect(D.BlueEdit()->Handle(), &editRect);
    EXPECT_EQ(barRect.right, editRect.right);
    bar.SetValue(64);
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(255, 128, 64));
    EXPECT_EQ(Numbers(D)[3], "20");
    D.BlueEdit()->CloseUp();
    D.BlueEdit()->SetValue(0);

    // The hue typed: the red, green and blue edits follow, the palette too.
    Click(*D.HueEdit(), 30, 8);
    TapKey(VK_END);
    TapKey(VK_BACK);
    TapKey(VK_BACK);
    for (const char c : std::string("240")) TypeChar(c);
    EXPECT_EQ(Numbers(D), Texts({"0", "0", "255", "240", "100", "100"}));
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(0, 0, 255));

    // A press on the ring's right side sets the palette's hue; the edits and the swatch follow it.
    Click(*D.PaletteImage(), 187, 97);
    const TRGB c = D.Palette()->PaletteColor.RGBValue();
    EXPECT_EQ(D.Palette()->PaletteColor.HSLWheelValue().H, 191);
    EXPECT_EQ(D.ColorViewer()->ColorValue(), Rgb(c.R, c.G, c.B));
    int hue = 0, saturation = 0, value = 0;
    RGBToDialogHSV(c.R, c.G, c.B, hue, saturation, value);
    EXPECT_EQ(Numbers(D), (std::vector<std::string>{std::to_string(c.R), std::to_string(c.G), std::to_string(c.B),
                                                    std::to_string(hue), std::to_string(saturation),
                                                    std::to_string(value)}));
    picked = D.ColorViewer()->ColorValue();
    ClickCenter(*D.OkButton());
  });
  EXPECT_TRUE(result);
  EXPECT_EQ(dialog.Color(), picked);
}

TEST_F(SkinColorDialogTest, CustomColorsFillInTurnAndCancelKeepsThem) {
  TskSkinColorDialog dialog(nullptr);
  EXPECT_EQ(dialog.LastAddedIndex, 0);
  EXPECT_EQ(dialog.CustomColors[11], Rgb(255, 255, 255));
  // Twelve adds of cell 5, one of cell 1: the thirteenth fills slot 1 again.
  EXPECT_TRUE(RunDialog(dialog, [](TskSkinColorDialog& D) {
    ClickCell(*D.ColorGrid(), 5);
    for (int i = 0; i < 12; ++i) ClickCenter(*D.AddCustomColorButton());
    ClickCell(*D.ColorGrid(), 1);
    ClickCenter(*D.AddCustomColorButton());
    EXPECT_EQ(D.CustomColorGrid()->SelectedIndex, 0) << "adding does not move the custom selection";
    ClickCenter(*D.OkButton());
  }));
  EXPECT_EQ(dialog.Color(), BasicColors[0]);
  EXPECT_EQ(dialog.LastAddedIndex, 1);
  EXPECT_EQ(dialog.CustomColors[0], BasicColors[0]);
  EXPECT_TRUE(std::all_of(dialog.CustomColors.begin() + 1, dialog.CustomColors.end(),
                          [](TColor c) { return c == BasicColors[4]; }));

  // The next run starts from them; a custom cell picks its colour; Escape forgets what was added.
  const auto kept = dialog.CustomColors;
  EXPECT_FALSE(RunDialog(dialog, [&](TskSkinColorDialog& D) {
    EXPECT_EQ(D.CustomColorGrid()->CustomColors, kept);
    EXPECT_EQ(D.CustomColorGrid()->LastAddedIndex, 1);
    ClickCell(*D.CustomColorGrid(), 2);
    EXPECT_EQ(D.ColorViewer()->ColorValue(), BasicColors[4]);
    EXPECT_EQ(Numbers(D).front(), "255");
    ClickCenter(*D.AddCustomColorButton());
    EXPECT_EQ(D.CustomColorGrid()->LastAddedIndex, 2);
    TapKey(VK_ESCAPE);
  }));
  EXPECT_EQ(dialog.CustomColors, kept);
  EXPECT_EQ(dialog.LastAddedIndex, 1);
  EXPECT_EQ(dialog.Color(), BasicColors[0]);
}

TEST_F(SkinColorDialogTest, TakesItsLooksFromTheSkins) {
  std::string path = std::string("Z:") + TAVREL_BINARY_DIR + "/skins/main/skin.ini";
  std::replace(path.begin(), path.end(), '/', '\\');
  TskSkinData skin(nullptr);
  skin.LoadFromFile(path);
  ASSERT_FALSE(skin.Empty);
  TskSkinColorDialog dialog(nullptr);
  dialog.SetSkinData(&skin);
  dialog.SetCtrlSkinData(&skin);
  dialog.SetColor(Rgb(0, 0, 255));
  EXPECT_TRUE(RunDialog(dialog, [&](TskSkinColorDialog& D) {
    const TskFormSkin* frame = GetFormSkinComponent(D.Form());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->SkinData(), &skin);
    EXPECT_FALSE(frame->Sizeable());
    EXPECT_TRUE(frame->BorderIcons().Empty());
    EXPECT_EQ(D.Form()->ClientWidth(), 378);
    EXPECT_NE(D.OkButton()->SkinControlIndex(), -1);
    EXPECT_NE(D.RedEdit()->SkinControlIndex(), -1);
    // The palette's corner is the "panel" description's client piece.
    const auto& panel = dynamic_cast<const TskDataSkinCustomControl&>(*skin.CtrlList[skin.GetControlIndex("panel")]);
    TBitmap* source = SkinPicture(skin, panel.PictureIndex);
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(D.PaletteImage()->Picture().Bitmap()->Canvas()->Pixels(1, 1),
              source->Canvas()->Pixels(panel.SkinRect.left + panel.SkinClientRect.left + 1,
                                       panel.SkinRect.top + panel.SkinClientRect.top + 1));
    EXPECT_EQ(Numbers(D), Texts({"0", "0", "255", "239", "100", "100"})) << "the dialog's hue of blue";
    TapKey(VK_RETURN);
  }));
  EXPECT_EQ(dialog.Color(), Rgb(0, 0, 255));
}

TEST_F(SkinColorDialogTest, CaptionsComeFromTheControlsSkinsStringTable) {
  struct Case {
    std::vector<const char*> Lines;  // none: no table
    bool Table;
    std::vector<std::string> Captions;  // basic grid, custom grid, OK, Cancel, Add
  };
  const std::vector<Case> cases{
      {{}, false, {"Basic colors", "Custom colors", "OK", "Cancel", "Add to Custom Colors"}},
      {{"COLORGRID_CAP=Basic colors", "MSG_BTN_CANCEL=Drop"}, true, {"Basic colors", "", "", "Drop", ""}},
  };
  for (const Case& k : cases) {
    TskSkinData skin(nullptr);
    if (k.Table) {
      auto* table = new TskResourceStrData(&skin);  // owned by the skin
      TStringList lines;
      for (const char* line : k.Lines) lines.Add(line);
      table->SetResStrs(lines);
      skin.SetResourceStrData(table);
    }
    TskSkinColorDialog dialog(nullptr);
    dialog.SetCtrlSkinData(&skin);
    RunDialog(dialog, [&](TskSkinColorDialog& D) {
      EXPECT_EQ((std::vector<std::string>{D.ColorGrid()->Caption(), D.CustomColorGrid()->Caption(), D.OkButton()->Caption(),
                                          D.CancelButton()->Caption(), D.AddCustomColorButton()->Caption()}),
                k.Captions);
    });
  }
  // A skin that goes away is forgotten.
  TskSkinColorDialog dialog(nullptr);
  {
    TskSkinData skin(nullptr);
    dialog.SetSkinData(&skin);
    dialog.SetCtrlSkinData(&skin);
  }
  EXPECT_EQ(dialog.SkinData(), nullptr);
  EXPECT_EQ(dialog.CtrlSkinData(), nullptr);
}

TEST_F(SkinColorDialogTest, CustomEntriesOpenTheDialog) {
  const std::unique_ptr<TForm> form = ShowForm(R"(object TestForm: TForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object List: TskSkinColorListBox
    Left = 10
    Top = 10
    ExStyle = [skcbStandardColors, skcbCustomColor]
  end
  object Combo: TskSkinColorComboBox
    Left = 200
    Top = 10
    ExStyle = [skcbStandardColors, skcbCustomColor]
  end
end)");
  auto* list = dynamic_cast<TskSkinColorListBox*>(form->FindComponent("List"));
  auto* combo = dynamic_cast<TskSkinColorComboBox*>(form->FindComponent("Combo"));
  ASSERT_TRUE(list && combo);
  int listClicks = 0, comboClicks = 0, comboChanges = 0;
  list->OnListBoxClick = [&](TObject*) { ++listClicks; };
  combo->OnClick = [&](TObject*) { ++comboClicks; };
  combo->OnChange = [&](TObject*) { ++comboChanges; };
  list->SetSelected(Rgb(10, 20, 30));
  combo->SetSelected(Rgb(10, 20, 30));
  windowtesting::Pump();

  struct Case {
    const char* Way;
    std::function<void()> Open;
    bool Confirm;
    std::function<TColor()> Custom;
  };
  const auto listColor = [&] { return list->GetColor(0); };
  const auto comboColor = [&] { return combo->GetColor(0); };
  const std::vector<Case> cases{
      {"list double click", [&] { const TRect r = list->InnerList().ItemRect(0);
                                  const TPoint p = list->InnerList().ClientToScreen(Point(r.left + 20, r.top + 3));
                                  skintesting::LeftDoubleClick(p.x, p.y); }, true, listColor},
      {"list Enter", [&] { list->InnerList().SetFocus(); TapKey(VK_RETURN); }, false, listColor},
      {"combo Enter", [&] { combo->SetFocus(); TapKey(VK_RETURN); }, true, comboColor},
      {"combo list", [&] { combo->DropDown(); combo->CloseUp(true); }, false, comboColor},
  };
  for (const Case& k : cases) {
    const TColor before = k.Custom();
    // Counted from the dialog's opening: the way there may click by itself.
    int clicks = -1, changes = -1;
    TColor start = 0;
    WithDialog(k.Open, [&](TForm& dialog) {
      clicks = listClicks + comboClicks;
      changes = comboChanges;
      auto* grid = dynamic_cast<TskSkinColorGrid*>(dialog.Controls(0));
      ASSERT_NE(grid, nullptr);
      for (int i = 0; i < dialog.ControlCount(); ++i)
        if (auto* viewer = dynamic_cast<TskColorViewer*>(dialog.Controls(i))) start = viewer->ColorValue();
      ClickCell(*grid, 7);
      if (k.Confirm) TapKey(VK_RETURN);
      else TapKey(VK_ESCAPE);
    });
    EXPECT_EQ(start, before) << k.Way << ": the dialog opens on the custom colour";
    EXPECT_EQ(k.Custom(), k.Confirm ? BasicColors[6] : before) << k.Way;
    EXPECT_EQ(listClicks + comboClicks, clicks + (k.Confirm ? 1 : 0)) << k.Way;
    if (std::string(k.Way).starts_with("combo")) {
      EXPECT_EQ(comboChanges, changes + (k.Confirm ? 1 : 0)) << k.Way;
    }
  }
}
