// A windowed slider: a ruler picture, a thumb picture sliding along it and optional ticks, from the
// "slider" description or from four replaceable images whose defaults are the program's bitmap
// resources "SK_HTB", "SK_HRL", "SK_VTB" and "SK_VRL". Without soSmooth the value moves in steps of
// Increment.
//
// Classes in this file: TskSkinCustomSlider, TskSkinSlider.
#pragma once

#include "skin/controls/SkinControl.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace skin {

enum class TskSliderOrientation : std::uint8_t { soHorizontal, soVertical };
enum class TskSliderOption : std::uint8_t { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TskSliderOptions = classlib::Set<TskSliderOption>;
// The four images, indexed 0-3 in this order.
enum class TskSliderImage : std::uint8_t { siHThumb, siHRuler, siVThumb, siVRuler };
using TskSliderImages = classlib::Set<TskSliderImage>;
enum class TskJumpMode : std::uint8_t { jmNone, jmHome, jmEnd, jmNext, jmPrior };

class TskSkinCustomSlider : public TskSkinControl {
public:
  explicit TskSkinCustomSlider(classlib::TComponent* AOwner);
  ~TskSkinCustomSlider() override;

  classlib::TNotifyEvent OnChange;
  // A user gesture ended: a key step, a run of track steps, a thumb drag.
  classlib::TNotifyEvent OnChanged;
  // Draws the ticks in place of the slider.
  classlib::TNotifyEvent OnDrawPoints;

  // Attributes
  classlib::TBitmap& GetImage(TskSliderImage Index) { return *FImages[static_cast<int>(Index)]; }
  // A bitmap is copied in and marked as the user's; none brings back the built-in picture.
  void SetImage(TskSliderImage Index, const classlib::TBitmap* Value);
  TskSliderImages UserImages() const { return FUserImages; }
  // The stored form of UserImages: one byte, bit 0 ImageHThumb to bit 3 ImageVRuler.
  void SetUserImagesData(const std::vector<std::uint8_t>& Bytes);
  std::vector<std::uint8_t> UserImagesData() const;
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value);
  int MinValue() const { return FMinValue; }
  void SetMinValue(int Value);
  int MaxValue() const { return FMaxValue; }
  void SetMaxValue(int Value);
  int Value() const { return FValue; }
  void SetValue(int Value);
  void SetRange(int AMin, int AMax);
  int NumThumbStates() const { return FNumThumbStates; }
  void SetNumThumbStates(int Value);
  TskSliderOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TskSliderOrientation Value);
  int EdgeSize() const { return FEdgeSize; }
  void SetEdgeSize(int Value);
  TskSliderOptions Options() const { return FOptions; }
  void SetOptions(TskSliderOptions Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool UseSkinThumb() const { return FUseSkinThumb; }
  void SetUseSkinThumb(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  const classlib::TRect& ThumbBounds() const { return FThumbBounds; }
  const classlib::TPoint& RulerPos() const { return FRulerPos; }
  const classlib::TRect& PointsRect() const { return FPointsRect; }
  bool ThumbDragging() const { return FThumbDragging; }

  // Operations
  virtual bool CanModify() { return true; }
  virtual classlib::TRect GetSliderRect() const { return classlib::Rect(0, 0, Width(), Height()); }
  virtual int GetSliderValue() const { return FValue; }
  // The ruler's usable length: the places the thumb's leading edge can take.
  int GetRulerLength() const;
  int GetOffsetByValue(int Value) const;
  int GetValueByOffset(int Offset) const;
  void ThumbJump(TskJumpMode Mode);
  TskJumpMode JumpTo(int X, int Y) const;
  // Draws the ticks of every Step on Canvas, EndLength long at the ends of the range.
  void InternalDrawPoints(classlib::TCanvas& Canvas, int Step, int TickLength, int EndLength);
  void GetSkinData() override;
  void ChangeSkinData() override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void Sized() { AdjustElements(); }
  virtual void RangeChanged() {}
  virtual void ThumbMouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void ThumbMouseMove(classlib::TShiftState Shift, int X, int Y);
  virtual void ThumbMouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void DefaultDrawPoints(int Step, int TickLength, int EndLength);
  void Change();
  void Changed();
  void Paint() override;
  void Loaded() override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void EnabledChanged() override;
  void AdjustElements();

private:
  bool Vertical() const { return FOrientation == TskSliderOrientation::soVertical; }
  bool SkinThumb() const { return FSkinControlIndex != -1 && FUseSkinThumb && FSkinPicture; }
  bool Reading() const;
  // The thumb's picture (both states) and its size in one state.
  classlib::TRect ThumbSource() const;
  int ThumbStates() const { return SkinThumb() ? 2 : FNumThumbStates; }
  classlib::TSize ThumbSize() const;
  int ThumbLength() const { return Vertical() ? ThumbSize().cy : ThumbSize().cx; }
  int Base() const { return (Vertical() ? GetSliderRect().top : GetSliderRect().left) + 6; }
  void LoadBuiltInImage(TskSliderImage Index);
  void BuildRuler();
  void BuildSkinRuler();
  classlib::TPoint GetThumbPosition(int Offset) const;
  void SetThumbOffset(int Offset);
  void InvalidateThumb();
  void DrawThumb(classlib::TCanvas& Canvas, const classlib::TPoint& At, bool Pressed);
  void StopTracking();
  void TimerTrack();

  bool FCreating = true;
  bool FUseSkinThumb = true;
  bool FTransparent = false;
  TskSliderImages FUserImages;
  std::unique_ptr<classlib::TBitmap> FImages[4];
  int FEdgeSize = 2;
  std::unique_ptr<classlib::TBitmap> FRulerBitmap;
  classlib::TPoint FRulerPos{};
  classlib::TRect FThumbBounds{};
  bool FThumbPressed = false;
  int FNumThumbStates = 2;
  classlib::TRect FPointsRect{};
  TskSliderOrientation FOrientation = TskSliderOrientation::soHorizontal;
  TskSliderOptions FOptions{TskSliderOption::soShowFocus, TskSliderOption::soShowPoints, TskSliderOption::soSmooth};
  int FMinValue = 0;
  int FMaxValue = 100;
  int FIncrement = 10;
  int FValue = 0;
  int FHitOffset = 0;
  bool FHasFocus = false;
  bool FThumbDragging = false;
  bool FTracking = false;
  bool FTrackTimerActive = false;
  classlib::TPoint FTrackPoint{};
  TskJumpMode FTrackJump = TskJumpMode::jmNone;
  bool FReadOnly = false;
  // Copied from the skin description.
  classlib::TRect FHRulerRect{}, FHThumbRect{}, FVRulerRect{}, FVThumbRect{};
  int FSkinEdgeSize = 0;
  classlib::TColor FBGColor = 0;
  classlib::TColor FPointsColor = 0;
  classlib::TBitmap* FSkinPicture = nullptr;
};

class TskSkinSlider : public TskSkinCustomSlider {
public:
  using TskSkinCustomSlider::TskSkinCustomSlider;
};

}  // namespace skin
