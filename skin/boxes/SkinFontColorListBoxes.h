// Two ready-made skinned list boxes: the installed font families, each written in its own
// typeface with a TrueType mark, and the named colours with swatches.
//
// Classes in this file: TskSkinFontListBox, TskSkinColorListBox.
#pragma once

#include "skin/boxes/SkinFontColorItems.h"
#include "skin/boxes/SkinListBox.h"

namespace skin {

class TskSkinFontListBox : public TskSkinListBox {
public:
  explicit TskSkinFontListBox(classlib::TComponent* AOwner);

  // Attributes
  TskFontDevice Device() const { return FDevice; }
  void SetDevice(TskFontDevice Value);
  TskFontListOptions Options() const { return FOptions; }
  void SetOptions(TskFontListOptions Value);
  bool TrueTypeOnly() const { return FOptions.Contains(TskFontListOption::foTrueTypeOnly); }
  void SetTrueTypeOnly(bool Value);
  bool UseFonts() const { return FUseFonts; }
  void SetUseFonts(bool Value);
  // The selected family, or "" with nothing selected.
  classlib::String GetFontName() const;
  // Selects the first family equal to Name without regard to case.
  void SetFontName(const classlib::String& Name);
  bool Updating() const { return FUpdating; }

  // Operations
  void PopulateList();
  // Rebuilds the list keeping the selected family.
  void Reset();
  void Loaded() override;
  void ListBoxCreateWnd() override;
  void DrawLBFontItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                      classlib::TOwnerDrawState State);

private:
  bool Reading() const;
  void PopulateUpdating();

  TskFontDevice FDevice = TskFontDevice::fdScreen;
  TskFontListOptions FOptions;
  bool FUseFonts = false;
  bool FUpdating = false;
};

class TskSkinColorListBox : public TskSkinListBox {
public:
  explicit TskSkinColorListBox(classlib::TComponent* AOwner);

  // Attributes
  TskColorBoxStyle ExStyle() const { return FExStyle; }
  void SetExStyle(TskColorBoxStyle Value);
  // The selected colour; $FF000000 with nothing selected.
  classlib::TColor GetSelected() const;
  void SetSelected(classlib::TColor Value);
  bool ShowNames() const { return FShowNames; }
  void SetShowNames(bool Value);
  classlib::TColor DefaultColorColor() const { return FDefaultColorColor; }
  void SetDefaultColorColor(classlib::TColor Value);
  classlib::TColor NoneColorColor() const { return FNoneColorColor; }
  void SetNoneColorColor(classlib::TColor Value);
  classlib::TColor GetColor(int Index) const;
  classlib::String GetColorName(int Index) const;

  // Operations
  void PopulateList();
  void Loaded() override;
  void ListBoxCreateWnd() override;
  void DrawColorItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                     classlib::TOwnerDrawState State);
  // Lets the user pick the colour of "Custom..." in the skinned colour dialog; true when confirmed.
  bool PickCustomColor();
  // Double click or Enter on "Custom..." picks its colour.
  void ListBoxDblClick() override;
  void ListBoxKeyDown(WORD& Key, classlib::TShiftState Shift) override;

private:
  // Whether "Custom..." is listed and selected.
  bool CustomColorChosen() const;

  TskColorBoxStyle FExStyle = DefaultColorBoxStyle;
  bool FShowNames = true;
  classlib::TColor FDefaultColorColor = 0;
  classlib::TColor FNoneColorColor = 0;
  // The colour last asked for, kept until the list exists and across rebuilds.
  classlib::TColor FPendingColor = 0;
};

}  // namespace skin
