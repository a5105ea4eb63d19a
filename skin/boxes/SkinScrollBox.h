// The skinned scroll box: a container whose children may be larger than its client area. Two
// skinned scroll bars placed by the form are linked to it; the box sets their ranges from its
// children, shows and hides them as needed and moves the children when they move.
//
// Classes in this file: TskSkinScrollBox.
#pragma once
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"

namespace skin {

class TskSkinScrollBox : public TskSkinCustomControl {
public:
  explicit TskSkinScrollBox(classlib::TComponent* AOwner);

  // The linked bars; not owned.
  TskSkinScrollBar* VScrollBar() const { return FVScrollBar; }
  void SetVScrollBar(TskSkinScrollBar* Value);
  TskSkinScrollBar* HScrollBar() const { return FHScrollBar; }
  void SetHScrollBar(TskSkinScrollBar* Value);
  TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TskSkinBorderStyle Value);
  // A click focuses the box.
  bool CanFocused() const { return FCanFocused; }
  void SetCanFocused(bool Value) { FCanFocused = Value; }
  int BackgroundPictureIndex() const { return FBackgroundPictureIndex; }

  // Ranges and bars after the children changed.
  void UpdateScrollRange();
  void VScroll(int Value);
  void HScroll(int Value);
  void VScrollControls(int Delta) { ScrollBy(0, -Delta); }
  void HScrollControls(int Delta) { ScrollBy(-Delta, 0); }

  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(classlib::TMessage& Message) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void AdjustClientRect(classlib::TRect& Rect) override;
  void CreateParams(classlib::TCreateParams& Params) override;
  void Paint() override;

private:
  // One direction's range update; Vertical picks the bar, the sizes and the moves.
  void GetRange(bool Vertical);
  void GetVRange() { GetRange(true); }
  void GetHRange() { GetRange(false); }
  void BarChange(bool Vertical);
  void PaintFrame();
  bool HasBackgroundPicture() const;

  TskSkinScrollBar* FVScrollBar = nullptr;
  TskSkinScrollBar* FHScrollBar = nullptr;
  TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
  bool FCanFocused = false;
  int FOldVPosition = 0;
  int FOldHPosition = 0;
  int FHeightGrowth = 0;
  int FWidthGrowth = 0;
  bool FRangeUpdating = false;
  bool FSettingRange = false;  // the bar's OnChange during a range update moves nothing
  bool FInFocusClick = false;
  int FBackgroundPictureIndex = -1;
};

}  // namespace skin
