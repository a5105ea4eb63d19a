#include "skin/boxes/SkinColorDialog.h"

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinFontLabels.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/Skutils.h"
#include "skin/form/FormSkin.h"


namespace skin {

using namespace classlib;

// ---------------------------------------------------------------------------------------------
// TskSkinColorDialog

namespace {

std::unique_ptr<TFont> DialogFont() {
  auto font = std::make_unique<TFont>();
  font->SetName("Arial");
  font->SetStyle({});
  font->SetHeight(14);
  return font;
}

int RightOf(const TControl& C) { return C.Left() + C.Width(); }
int BottomOf(const TControl& C) { return C.Top() + C.Height(); }

}  // namespace

TskSkinColorDialog::TskSkinColorDialog(TComponent* AOwner)
    : TComponent(AOwner),
      FDefaultLabelFont(DialogFont()),
      FDefaultEditFont(DialogFont()),
      FDefaultButtonFont(DialogFont()) {
  CustomColors.fill(BytesToColor(255, 255, 255));
}

TskSkinColorDialog::~TskSkinColorDialog() {
  if (FSkinData) FSkinData->RemoveFreeNotification(this);
  if (FCtrlSkinData) FCtrlSkinData->RemoveFreeNotification(this);
}

void TskSkinColorDialog::SetSkinData(TskSkinData* Value) {
  if (Value == FSkinData) return;
  if (FSkinData && FSkinData != FCtrlSkinData) FSkinData->RemoveFreeNotification(this);
  FSkinData = Value;
  if (FSkinData) FSkinData->FreeNotification(this);
}

void TskSkinColorDialog::SetCtrlSkinData(TskSkinData* Value) {
  if (Value == FCtrlSkinData) return;
  if (FCtrlSkinData && FCtrlSkinData != FSkinData) FCtrlSkinData->RemoveFreeNotification(this);
  FCtrlSkinData = Value;
  if (FCtrlSkinData) FCtrlSkinData->FreeNotification(this);
}

void TskSkinColorDialog::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != TOperation::opRemove) return;
  if (AComponent == FSkinData) FSkinData = nullptr;
  if (AComponent == FCtrlSkinData) FCtrlSkinData = nullptr;
}

String TskSkinColorDialog::Text(const char* Name, const char* Default) const {
  const TskResourceStrData* table = FCtrlSkinData ? FCtrlSkinData->ResourceStrData() : nullptr;
  return table ? table->GetResStr(Name) : String(Default);
}

bool TskSkinColorDialog::Execute() {
  // The window's controls are reachable only while it exists, also when building it fails.
  struct TWindowScope {
    TskSkinColorDialog& Dialog;
    ~TWindowScope() {
      Dialog.FForm = nullptr;
      Dialog.FColorGrid = nullptr;
      Dialog.FCustomColorGrid = nullptr;
      Dialog.FColorViewer = nullptr;
      Dialog.FPalette = nullptr;
      Dialog.FPaletteImage = nullptr;
      Dialog.FRedEdit = Dialog.FGreenEdit = Dialog.FBlueEdit = nullptr;
      Dialog.FHueEdit = Dialog.FSaturationEdit = Dialog.FLightnessEdit = nullptr;
      Dialog.FOkButton = Dialog.FCancelButton = Dialog.FAddCustomColorButton = nullptr;
      Dialog.RGBUpdating = Dialog.HSLUpdating = Dialog.FromPalette = false;
    }
  } scope{*this};

  const auto form = std::make_unique<TForm>(&Application.Get());
  FForm = form.get();
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetCaption(FCaption);
  form->SetPosition(TPosition::poScreenCenter);
  auto* frame = new TskFormSkin(form.get());  // owned by the form
  frame->SetSizeable(false);
  frame->SetBorderIcons({});
  frame->SetSkinData(FSkinData);
  frame->SetMenusSkinData(FCtrlSkinData);
  frame->SetAlphaBlend(FAlphaBlend);
  frame->SetAlphaBlendAnimation(FAlphaBlendAnimation);
  frame->SetAlphaBlendValue(FAlphaBlendValue);
  form->SetClientWidth(378);

  // Over the palette image, which dies with the form: freed first.
  std::unique_ptr<TskColorPalette> palette;
  BuildWindow(*form);
  palette = std::make_unique<TskColorPalette>(*FPaletteImage);
  FPalette = palette.get();
  palette->ClickZone = TClickZoneWheel::czwheelPnone;
  palette->PaletteColor.SetRGB({0, 0, 0});
  palette->CircleLeft = (FPaletteImage->Width() - RectWidth(PaletteWheelCoord)) / 2;
  palette->CarLeft = palette->CircleLeft;
  palette->CtrlSkinData = FCtrlSkinData;
  palette->ChangeEdits = [this] { ChangeEdits(); };
  palette->InitWheelPalette();
  form->SetClientHeight(BottomOf(*FAddCustomColorButton) + 10);

  FColorViewer->SetColorValue(FColor);
  FColorGrid->SetColorValue(FColor);
  std::uint8_t red, green, blue;
  ColorToBytes(FColor, red, green, blue);
  FRedEdit->SetValue(red);
  FGreenEdit->SetValue(green);
  FBlueEdit->SetValue(blue);

  if (form->ShowModal() != mrOk) return false;
  FColor = FColorViewer->ColorValue();
  CustomColors = FCustomColorGrid->CustomColors;
  LastAddedIndex = FCustomColorGrid->LastAddedIndex;
  return true;
}

void TskSkinColorDialog::BuildWindow(TForm& Form) {
  FColorGrid = new TskSkinColorGrid(&Form);
  FColorGrid->SetParent(&Form);
  FColorGrid->SetSkinData(FCtrlSkinData);
  FColorGrid->SetBounds(5, 5, 167, 195);
  FColorGrid->SetBorderStyle(TskSkinBorderStyle::bvNone);
  FColorGrid->SetCaptionMode(true);
  FColorGrid->SetRowCount(8);
  FColorGrid->SetColCount(6);
  FColorGrid->SetSkinDataName("groupbox");
  FColorGrid->SetCaption(Text("COLORGRID_CAP", "Basic colors"));
  FColorGrid->OnChange = [this](TObject* Sender) { ColorGridChange(Sender); };

  FCustomColorGrid = new TskSkinCustomColorGrid(&Form);
  FCustomColorGrid->SetParent(&Form);
  FCustomColorGrid->SetSkinData(FCtrlSkinData);
  FCustomColorGrid->SetBounds(5, BottomOf(*FColorGrid) + 10, 167, 68);
  FCustomColorGrid->SetCaptionMode(true);
  FCustomColorGrid->SetSkinDataName("groupbox");
  FCustomColorGrid->SetCaption(Text("CUSTOMCOLORGRID_CAP", "Custom colors"));
  FCustomColorGrid->OnChange = [this](TObject* Sender) { CustomColorGridChange(Sender); };
  FCustomColorGrid->CustomColors = CustomColors;
  FCustomColorGrid->LastAddedIndex = LastAddedIndex;

  auto* panel = new TskEmptyControl(&Form);
  panel->SetParent(&Form);
  panel->SetBounds(RightOf(*FColorGrid) + 5, 5, 195, 195);
  FPaletteImage = new TImage(&Form);
  FPaletteImage->SetParent(panel);
  FPaletteImage->SetBounds(0, 0, 195, 195);

  auto label = [&](const char* Caption, int Left, int Top) {
    auto* l = new TskSkinStdLabel(&Form);
    l->SetParent(&Form);
    l->SetSkinData(FCtrlSkinData);
    l->SetDefaultFont(*FDefaultLabelFont);
    l->SetUseSkinFont(FUseSkinFont);
    l->SetBounds(Left, Top, l->Width(), l->Height());
    l->SetCaption(Caption);
    return l;
  };
  // Owned by the dialog, but children of the form: they go with it.
  auto edit = [&](int Left, int Top, int MaxValue, int TrackBarWidth, TNotifyEvent OnChange) {
    auto* e = new TskSkinTrackEdit(this);
    e->SetParent(&Form);
    e->SetSkinData(FCtrlSkinData);
    e->SetBounds(Left, Top, 50, 21);
    e->SetMinValue(0);
    e->SetMaxValue(MaxValue);
    e->SetTrackBarWidth(TrackBarWidth);
    e->SetPopupKind(TskTrackBarPopupKind::tbpLeft);
    e->SetValue(0);
    e->SetJumpWhenClick(true);
    e->OnChange = std::move(OnChange);
    return e;
  };
  const TNotifyEvent rgbChange = [this](TObject* Sender) { RGBEditChange(Sender); };
  const TNotifyEvent hslChange = [this](TObject* Sender) { HSLEditChange(Sender); };

  const int column = panel->Left();
  const int row = BottomOf(*FColorGrid);
  const TskSkinStdLabel* redLabel = label("R:", column, row + 12);
  FRedEdit = edit(RightOf(*redLabel) + 5, row + 10, 255, 200, rgbChange);
  label("G:", column, BottomOf(*FRedEdit) + 12);
  FGreenEdit = edit(FRedEdit->Left(), BottomOf(*FRedEdit) + 10, 255, 200, rgbChange);
  label("B:", column, BottomOf(*FGreenEdit) + 12);
  FBlueEdit = edit(FRedEdit->Left(), BottomOf(*FGreenEdit) + 10, 255, 200, rgbChange);

  const int second = RightOf(*FRedEdit) + 5;
  const TskSkinStdLabel* hueLabel = label("H:", second, row + 12);
  FHueEdit = edit(RightOf(*hueLabel) + 5, row + 10, 359, 250, hslChange);
  label("S:", second, BottomOf(*FHueEdit) + 12);
  FSaturationEdit = edit(FHueEdit->Left(), BottomOf(*FHueEdit) + 10, 100, 120, hslChange);
  label("L:", second, BottomOf(*FSaturationEdit) + 12);
  FLightnessEdit = edit(FHueEdit->Left(), BottomOf(*FSaturationEdit) + 10, 100, 120, hslChange);

  FColorViewer = new TskColorViewer(&Form);
  FColorViewer->SetParent(&Form);
  const int viewerLeft = RightOf(*FHueEdit) + 5;
  const int side = RightOf(*panel) - viewerLeft;
  FColorViewer->SetBounds(viewerLeft, BottomOf(*panel) + 10, side, side);

  auto button = [&](const char* Name, const char* Default, int Left, int Width) {
    auto* b = new TskSkinButton(&Form);
    b->SetParent(&Form);
    b->SetSkinData(FCtrlSkinData);
    b->SetDefaultFont(*FDefaultButtonFont);
    b->SetUseSkinFont(FUseSkinFont);
    b->SetDefaultHeight(25);
    b->SetSkinDataName(FButtonSkinDataName);
    b->SetBounds(Left, BottomOf(*FLightnessEdit) + 15, Width, 25);
    b->SetCaption(Text(Name, Default));
    return b;
  };
  FOkButton = button("MSG_BTN_OK", "OK", 5, 70);
  FOkButton->SetModalResult(mrOk);
  FOkButton->SetDefault(true);
  FCancelButton = button("MSG_BTN_CANCEL", "Cancel", 90, 70);
  FCancelButton->SetModalResult(mrCancel);
  FCancelButton->SetCancel(true);
  FAddCustomColorButton = button("ADDCUSTOMCOLORBUTTON_CAP", "Add to Custom Colors", column, panel->Width());
  FAddCustomColorButton->OnClick = [this](TObject* Sender) { AddCustomColorButtonClick(Sender); };
}

void TskSkinColorDialog::WriteHSV(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
  // A grey has no hue: the hue edit keeps the one it shows.
  int hue = FHueEdit->Value(), saturation = 0, value = 0;
  RGBToDialogHSV(Red, Green, Blue, hue, saturation, value);
  FHueEdit->SetValue(hue);
  FSaturationEdit->SetValue(saturation);
  FLightnessEdit->SetValue(value);
}

// The cursors go before the colour changes, so that the XOR drawing removes them where they are.
void TskSkinColorDialog::MovePalette(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
  if (FromPalette) return;
  FPalette->DrawCursor();
  FPalette->PaletteColor.SetRGB({Red, Green, Blue});
  FPalette->DrawWheelPalette();
}

void TskSkinColorDialog::RGBEditChange(TObject*) {
  if (RGBUpdating) return;
  FColorViewer->SetColorValue(BytesToColor(static_cast<std::uint8_t>(FRedEdit->Value()),
                                           static_cast<std::uint8_t>(FGreenEdit->Value()),
                                           static_cast<std::uint8_t>(FBlueEdit->Value())));
  std::uint8_t red, green, blue;
  ColorToBytes(FColorViewer->ColorValue(), red, green, blue);
  HSLUpdating = true;
  WriteHSV(red, green, blue);
  MovePalette(red, green, blue);
  HSLUpdating = false;
}

void TskSkinColorDialog::HSLEditChange(TObject*) {
  if (HSLUpdating) return;
  std::uint8_t red, green, blue;
  HSVToRGBValues(FHueEdit->Value(), FSaturationEdit->Value(), FLightnessEdit->Value(), red, green, blue);
  FColorViewer->SetColorValue(BytesToColor(red, green, blue));
  RGBUpdating = true;
  FRedEdit->SetValue(red);
  FGreenEdit->SetValue(green);
  FBlueEdit->SetValue(blue);
  MovePalette(red, green, blue);
  RGBUpdating = false;
}

void TskSkinColorDialog::ShowGridColor(TColor Value) {
  std::uint8_t red, green, blue;
  ColorToBytes(Value, red, green, blue);
  RGBUpdating = true;
  FRedEdit->SetValue(red);
  FGreenEdit->SetValue(green);
  FBlueEdit->SetValue(blue);
  RGBUpdating = false;
  FColorViewer->SetColorValue(Value);
  HSLUpdating = true;
  WriteHSV(red, green, blue);
  MovePalette(red, green, blue);
  HSLUpdating = false;
}

void TskSkinColorDialog::ColorGridChange(TObject*) { ShowGridColor(FColorGrid->ColorValue()); }

void TskSkinColorDialog::CustomColorGridChange(TObject*) { ShowGridColor(FCustomColorGrid->ColorValue()); }

void TskSkinColorDialog::ChangeEdits() {
  const TRGB& c = FPalette->PaletteColor.RGBValue();
  FromPalette = true;
  FRedEdit->SetValue(c.R);
  FGreenEdit->SetValue(c.G);
  FBlueEdit->SetValue(c.B);
  FromPalette = false;
}

void TskSkinColorDialog::AddCustomColorButtonClick(TObject*) {
  FCustomColorGrid->AddColor(FColorViewer->ColorValue());
}

}  // namespace skin
