// A skinned button edit for a whole number in a range. The number is typed, stepped with the Up and
// Down keys or the wheel, or set with a skinned track bar that the button drops down; the text
// follows the track bar's thumb while it moves.
//
// Classes in this file: TskTrackBarPopupKind, TskSkinPopupTrackBar, TskSkinTrackEdit.
#pragma once

#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinTrackBar.h"

#include <cstdint>

namespace skin {

// tbpRight: the drop-down starts at the edit's left edge; tbpLeft: it ends at its right edge.
enum class TskTrackBarPopupKind { tbpRight, tbpLeft };

// The track bar as a drop-down: a borderless tool window that never takes the activation.
class TskSkinPopupTrackBar : public TskSkinTrackBar {
public:
  explicit TskSkinPopupTrackBar(classlib::TComponent* AOwner);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
};

class TskSkinTrackEdit : public TskSkinEdit {
public:
  explicit TskSkinTrackEdit(classlib::TComponent* AOwner);
  ~TskSkinTrackEdit() override;

  // Attributes
  // Equal bounds leave the value unlimited. Stored only: the value stays where it is.
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value) { FMinValue = Value; }
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value) { FMaxValue = Value; }
  int Value() const { return FValue; }
  // Held to the range; the text becomes the number (the drop-down is not moved).
  void SetValue(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value; }
  bool SupportUpDownKeys() const { return FSupportUpDownKeys; }
  void SetSupportUpDownKeys(bool Value) { FSupportUpDownKeys = Value; }
  TskTrackBarPopupKind PopupKind() const { return FPopupKind; }
  void SetPopupKind(TskTrackBarPopupKind Value) { FPopupKind = Value; }
  // 0: the edit's width.
  int TrackBarWidth() const { return FTrackBarWidth; }
  void SetTrackBarWidth(int Value) { FTrackBarWidth = Value; }
  const classlib::String& TrackBarSkinDataName() const { return FTrackBarSkinDataName; }
  void SetTrackBarSkinDataName(const classlib::String& Value) { FTrackBarSkinDataName = Value; }
  bool JumpWhenClick() const { return FTrackBar->JumpWhenClick(); }
  void SetJumpWhenClick(bool Value) { FTrackBar->SetJumpWhenClick(Value); }
  bool TrackBarAlphaBlend() const { return FTrackBarAlphaBlend; }
  void SetTrackBarAlphaBlend(bool Value) { FTrackBarAlphaBlend = Value; }
  std::uint8_t TrackBarAlphaBlendValue() const { return FTrackBarAlphaBlendValue; }
  void SetTrackBarAlphaBlendValue(std::uint8_t Value) { FTrackBarAlphaBlendValue = Value; }
  bool TrackBarAlphaBlendAnimation() const { return FTrackBarAlphaBlendAnimation; }
  void SetTrackBarAlphaBlendAnimation(bool Value) { FTrackBarAlphaBlendAnimation = Value; }
  TskSkinPopupTrackBar& TrackBar() const { return *FTrackBar; }

  // Operations
  int CheckValue(int V) const;
  // Not empty, not "-" alone, digits with at most a leading "-".
  static bool IsNumText(const classlib::String& Text);
  // Digits, "-" when the text has none outside the selection, control characters but Enter.
  bool IsValidChar(char Ch) const;
  void DropDown();
  void CloseUp();
  void ButtonClick(classlib::TObject* Sender);
  void TrackBarChange(classlib::TObject* Sender);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Change() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  void WriteValueText();
  // One step up (+1) or down (-1): the open track bar's thumb, else the value.
  void Step(int Direction);
  bool Blending() const;

  TskSkinPopupTrackBar* FTrackBar = nullptr;  // owned, freed with the edit
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 0;
  int FIncrement = 1;
  bool FSupportUpDownKeys = true;
  TskTrackBarPopupKind FPopupKind = TskTrackBarPopupKind::tbpRight;
  int FTrackBarWidth = 0;
  classlib::String FTrackBarSkinDataName = "htrackbar";
  bool FTrackBarAlphaBlend = false;
  std::uint8_t FTrackBarAlphaBlendValue = 0;
  bool FTrackBarAlphaBlendAnimation = false;
  bool FSettingText = false;
  bool FCorrecting = false;
};

}  // namespace skin
