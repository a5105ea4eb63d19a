// A skinned panel used as a horizontal tool bar: it lends its image lists to the speed buttons on
// it, switches their captions and its own width together, passes its skin and flat look on to them
// and, when they do not fit, scrolls them with two arrow buttons in its non-client area.
//
// Classes in this file: TskToolBarMenuButton, TskSkinToolBar.
#pragma once

#include "platform/classlib/ComCtrls.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"

namespace skin {

class TskDataSkinButtonControl;

// What the tool bar asks of a menu speed button on it when it names the buttons' descriptions.
class TskToolBarMenuButton {
public:
  virtual ~TskToolBarMenuButton() = default;
  virtual bool TrackButtonMode() const = 0;
};

class TskSkinToolBar : public TskSkinPanel, public TskToolBarImages {
public:
  // The hit-test codes of the arrows in the non-client area.
  static constexpr int HTLeftArrow = 119;
  static constexpr int HTRightArrow = 120;
  static constexpr int ArrowWidth = 12;

  explicit TskSkinToolBar(classlib::TComponent* AOwner);
  ~TskSkinToolBar() override;

  // Attributes
  bool CanScroll() const { return FCanScroll; }
  // Switched off, the bar scrolls back and its arrows go.
  void SetCanScroll(bool Value);
  bool HotScroll() const { return FHotScroll; }
  void SetHotScroll(bool Value) { FHotScroll = Value; }
  int ScrollOffset() const { return FScrollOffset; }
  void SetScrollOffset(int Value);
  int ScrollTimerInterval() const { return FScrollTimerInterval; }
  void SetScrollTimerInterval(int Value);
  int WidthWithCaptions() const { return FWidthWithCaptions; }
  void SetWidthWithCaptions(int Value) { FWidthWithCaptions = Value; }
  int WidthWithoutCaptions() const { return FWidthWithoutCaptions; }
  void SetWidthWithoutCaptions(int Value) { FWidthWithoutCaptions = Value; }
  bool AutoShowHideCaptions() const { return FAutoShowHideCaptions; }
  void SetAutoShowHideCaptions(bool Value) { FAutoShowHideCaptions = Value; }
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  classlib::TImageList* Images() const override { return FImages; }
  void SetImages(classlib::TImageList* Value);
  classlib::TImageList* HotImages() const override { return FHotImages; }
  void SetHotImages(classlib::TImageList* Value);
  classlib::TImageList* DisabledImages() const override { return FDisabledImages; }
  void SetDisabledImages(classlib::TImageList* Value);
  // The scroll state: the offset shown, the unscrolled right edge of the content less one while the
  // arrows show, the client width of the last range and the offset the children are moved by.
  int ScrollPosition() const { return FScrollPosition; }
  int RangeEnd() const { return FRangeEnd; }
  int PageLength() const { return FPageLength; }
  bool ArrowsVisible() const { return FArrows[0].Visible; }
  bool ArrowHovered(int Index) const { return FArrows[Index].Hovered; }
  bool ArrowDown(int Index) const { return FArrows[Index].Down; }
  const classlib::TRect& ArrowRect(int Index) const { return FArrows[Index].R; }
  bool ScrollTimerRunning() const { return FTimerScrollMode != 0; }

  // Operations
  void SetSkinData(TskSkinData* Value) override;
  void SetSkinDataName(const classlib::String& Value) override;
  void GetSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Works out whether the visible children fit, shows or hides the arrows and keeps the scroll
  // offset inside the content.
  void GetHRange();
  void GetScrollInfo() { GetHRange(); }
  // Moves the children left by Delta.
  void HScrollControls(int Delta);
  void ButtonDown(int Index);
  void ButtonUp(int Index);
  // One scroll step: 0 to the left, 1 to the right.
  void ButtonClick(int Index);

  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void AdjustClientRect(classlib::TRect& Rect) override;
  // The range is worked out as soon as the window exists: the bar may be sized before that.
  void CreateWnd() override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;

private:
  struct TArrowButton {
    classlib::TRect R{};
    bool Hovered = false;
    bool Down = false;
    bool Visible = false;
  };

  void SetButtonsVisible(bool Value);
  // Back to the unscrolled place, without arrows.
  void ResetRange();
  void PlaceArrows();
  void StartTimer();
  void StopTimer();
  void DrawButton(classlib::TCanvas& Canvas, int Index);
  void RepaintArrows();
  // The arrows' answer to a point of the screen, or 0 when it is not on a visible arrow.
  int ArrowHitTest(LPARAM ScreenPoint);
  void HoverArrow(int Index);
  void UnhoverArrows();
  void NameChildDescriptions();

  bool FCanScroll = false;
  bool FHotScroll = false;
  int FTimerScrollMode = 0;  // 0 idle, 1 stepping left, 2 stepping right
  int FRangeEnd = 0;
  int FScrollPosition = 0;
  int FPageLength = 0;
  int FAppliedPosition = 0;
  int FWidthGrowth = 0;
  int FScrollOffset = 0;
  int FScrollTimerInterval = 50;
  TArrowButton FArrows[2];
  const TskDataSkinButtonControl* FButtonEntry = nullptr;
  classlib::TImageList* FImages = nullptr;
  classlib::TImageList* FDisabledImages = nullptr;
  classlib::TImageList* FHotImages = nullptr;
  bool FFlat = false;
  bool FAutoShowHideCaptions = false;
  bool FShowCaptions = false;
  int FWidthWithCaptions = 0;
  int FWidthWithoutCaptions = 0;
  // Set while the range is worked out: showing the arrows changes the client area, whose
  // messages would start the work again.
  bool FInRange = false;
};

}  // namespace skin
