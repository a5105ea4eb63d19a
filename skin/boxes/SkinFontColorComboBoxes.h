// Ready-made skinned combo boxes: font families drawn in their own typefaces, the point sizes of
// one font, named colours with swatches, and recently used texts kept at the top.
//
// Classes in this file: TskSkinFontComboBox, TskSkinFontSizeComboBox, TskSkinColorComboBox,
// TskSkinMRUComboBox.
#pragma once

#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinFontColorItems.h"

namespace skin {

class TskSkinFontComboBox : public TskSkinCustomComboBox {
public:
  explicit TskSkinFontComboBox(classlib::TComponent* AOwner);

  // Attributes
  TskFontDevice Device() const { return FDevice; }
  void SetDevice(TskFontDevice Value);
  TskFontListOptions Options() const { return FOptions; }
  void SetOptions(TskFontListOptions Value);
  bool GetTrueTypeOnly() const { return FOptions.Contains(TskFontListOption::foTrueTypeOnly); }
  void SetTrueTypeOnly(bool Value);
  bool UseFonts() const { return FUseFonts; }
  void SetUseFonts(bool Value);
  classlib::String GetFontName() const { return Text(); }
  // Selects the first family equal to Name without regard to case.
  void SetFontName(const classlib::String& Name);
  bool Updating() const { return FUpdating; }

  // Operations
  void PopulateList();
  // Rebuilds the list keeping the font name.
  void Reset();
  void Dispatch(classlib::TMessage& Message) override;
  void DrawCBFontItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                      classlib::TOwnerDrawState State);
  void DrawLBFontItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                      classlib::TOwnerDrawState State);

protected:
  void CreateWnd() override;

private:
  bool Reading() const;

  TskFontDevice FDevice = TskFontDevice::fdScreen;
  bool FUpdating = false;
  bool FUseFonts = false;
  TskFontListOptions FOptions;
};

class TskSkinFontSizeComboBox : public TskSkinCustomComboBox {
public:
  using TskSkinCustomComboBox::TskSkinCustomComboBox;

  int PixelsPerInch() const { return FPixelsPerInch; }
  const classlib::String& FontName() const { return FFontName; }
  // Stores Name and lists its sizes.
  void SetFontName(const classlib::String& Name);
  void Build();
  // The size typed or chosen; 0 when there is none or the text is no number that fits.
  int GetSizeValue() const;

private:
  int FPixelsPerInch = 96;
  classlib::String FFontName;
};

class TskSkinColorComboBox : public TskSkinCustomComboBox {
public:
  explicit TskSkinColorComboBox(classlib::TComponent* AOwner);

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
  void DrawColorItem(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, classlib::TRect& TxtRect,
                     classlib::TOwnerDrawState State);
  // Lets the user pick the colour of "Custom..." in the skinned colour dialog; true when confirmed.
  virtual bool PickCustomColor();
  // The combo box's own OnCloseUp.
  void OnLBCloseUp(classlib::TObject* Sender);

protected:
  void CreateWnd() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;

private:
  bool FShowNames = true;
  TskColorBoxStyle FExStyle = DefaultColorBoxStyle;
  classlib::TColor FDefaultColorColor = 0;
  classlib::TColor FNoneColorColor = 0;
  // The colour last asked for, kept until the list exists and across rebuilds.
  classlib::TColor FSelected = 0;
};

class TskSkinMRUComboBox : public TskSkinComboBox {
public:
  using TskSkinComboBox::TskSkinComboBox;

  // Puts Text at the top of the list, moving it there when it is listed already.
  void AddMRUItem(const classlib::String& Text);
};

}  // namespace skin
