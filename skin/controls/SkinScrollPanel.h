// A container that scrolls its children along one axis: when they reach beyond the client area,
// two 12-pixel arrow buttons appear in the non-client area at both ends of the axis, and pressing
// (or, with HotScroll, hovering over) one scrolls by a step, repeated by a timer. Its background
// comes from the skin's "panel" description and its buttons from "resizebutton".
//
// Classes in this file: TskSkinScrollPanel.
#pragma once

#include "skin/controls/SkinControl.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinPanelDescriptions.h"

#include <cstdint>

namespace skin {

enum class TskScrollType : std::uint8_t { stHorizontal, stVertical };

class TskSkinScrollPanel : public TskSkinControl {
public:
  // The hit codes of the start (left or top) and end (right or bottom) buttons.
  static constexpr LRESULT HitStart = 119;
  static constexpr LRESULT HitEnd = 120;
  static constexpr int ButtonSize = 12;

  struct TArrowButton {
    classlib::TRect R{};  // in window coordinates
    bool Hovered = false;
    bool Down = false;
    bool Visible = false;
  };

  explicit TskSkinScrollPanel(classlib::TComponent* AOwner);

  // Attributes
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value) { FCanFocused = Value; }
  bool HotScroll() const { return FHotScroll; }
  void SetHotScroll(bool Value) { FHotScroll = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TskScrollType ScrollType() const { return FScrollType; }
  void SetScrollType(TskScrollType Value);
  // The step in pixels; 0 steps by the client length along the axis.
  int ScrollOffset() const { return FScrollOffset; }
  void SetScrollOffset(int Value);
  int ScrollTimerInterval() const { return FScrollTimerInterval; }
  void SetScrollTimerInterval(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int RangeEnd() const { return FRangeEnd; }
  int PageLength() const { return FPageLength; }
  const TArrowButton& Button(int Index) const { return FArrowButtons[Index]; }
  bool TimerRunning() const { return FTimerScrollMode != 0; }

  // Operations
  // Recomputes the range from the children, showing or hiding the buttons.
  void GetScrollInfo();
  void ButtonClick(int Index);
  void UpDateSize() { SetBounds(Left(), Top(), Width(), Height()); }
  void GetSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void AdjustClientRect(classlib::TRect& Rect) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void Paint() override;
  void Loaded() override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void ButtonDown(int Index);
  void ButtonUp(int Index);
  void StartTimer();
  void StopTimer();
  void DrawButton(classlib::TCanvas& Canvas, int Index);

private:
  bool Vertical() const { return FScrollType == TskScrollType::stVertical; }
  void SetButtonsVisible(bool Value);
  void GetHRange();
  void GetVRange();
  // Moves every child by -D along the axis.
  void ScrollControls(int D);
  void RepaintFrame();
  void PlaceButtons();
  // Leaves the hot button, stopping a running timer.
  void LeaveButtons();
  // Takes the focus on a press when the panel may have it; false when the focus was wanted but did
  // not arrive (the press is then dropped).
  bool TakeFocus();

  bool FTakingFocus = false;
  bool FCanFocused = false;
  bool FHotScroll = false;
  int FTimerScrollMode = 0;
  int FRangeEnd = 0;
  int FPosition = 0;
  int FPageLength = 0;
  int FAppliedPosition = 0;
  bool FAutoSize = false;
  int FHeightGrowth = 0;
  int FWidthGrowth = 0;
  TskScrollType FScrollType = TskScrollType::stHorizontal;
  int FScrollOffset = 0;
  int FScrollTimerInterval = 50;
  TArrowButton FArrowButtons[2];
  const TskDataSkinPanelControl* FPanelEntry = nullptr;
  const TskDataSkinButtonControl* FButtonEntry = nullptr;
  bool FInRange = false;
};

}  // namespace skin
