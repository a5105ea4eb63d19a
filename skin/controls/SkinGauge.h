// The skinned gauge: a windowed progress bar, a skinned frame with a progress strip that grows with
// Value and an optional text of ProgressText and a percentage, drawn from a "gauge" or "vgauge"
// description or in a default look of its own.
//
// Classes in this file: TskSkinGauge.
#pragma once

#include "skin/controls/SkinCustomControl.h"

#include <cstdint>
#include <mutex>

namespace skin {

// A program's worker thread may drive the gauge (the ripping job does): the value state is kept
// under a lock, and its setters only store and invalidate, so the window thread does every paint
// and the worker never waits for it.
class TskSkinGauge : public TskSkinCustomControl {
public:
  explicit TskSkinGauge(classlib::TComponent* AOwner);

  // Attributes (the value state, safe from any thread)
  int MinValue() const;
  // Stores the bound and moves Value inside it.
  void SetMinValue(int Value);
  int MaxValue() const;
  void SetMaxValue(int Value);
  int Value() const;
  // Clamps to MinValue..MaxValue; a changed value repaints. No event.
  void SetValue(int Value);
  classlib::String ProgressText() const;
  void SetProgressText(const classlib::String& Value);
  bool ShowProgressText() const;
  void SetShowProgressText(bool Value);
  bool ShowPercent() const;
  void SetShowPercent(bool Value);
  // What the gauge writes on itself: ProgressText when shown, then the percentage and "%" when shown.
  classlib::String ShownText() const;

  // Attributes (window thread)
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value);
  bool TextAlphaBlend() const { return FTextAlphaBlend; }
  void SetTextAlphaBlend(bool Value);
  std::uint8_t TextAlphaBlendValue() const { return FTextAlphaBlendValue; }
  void SetTextAlphaBlendValue(std::uint8_t Value);
  bool Vertical() const { return FVertical; }
  void SetVertical(bool Value);
  // The progress area laid out for the control's size (skinned look).
  const classlib::TRect& LaidOutProgressArea() const { return FLaidOutProgressArea; }

  // Operations
  // The progress part of Area for the current value.
  classlib::TRect CalcProgressRect(const classlib::TRect& Area) const;
  void DrawProgressText(classlib::TCanvas& Canvas);
  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Paint() override;
  void Loaded() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;

private:
  // The value state as one paint sees it.
  struct TShownState {
    int MinValue = 0;
    int MaxValue = 100;
    int Value = 50;
    classlib::String Text;
  };
  TShownState ShownState() const;
  classlib::TRect ProgressRectOf(const classlib::TRect& Area, const TShownState& State) const;
  void WriteText(classlib::TCanvas& Canvas, const classlib::String& Text);
  bool Loading() const;
  bool TextShown() const;
  void PrepareFont(classlib::TCanvas& Canvas);
  // The progress strip of the skin for the rectangle Progress of the image Under.
  void CreateProgressImage(classlib::TBitmap& Strip, classlib::TBitmap& Under, const classlib::TRect& Progress);
  void DrawSkinProgress(classlib::TBitmap& B);
  void DrawSkinText(classlib::TBitmap& B);

  bool FUseSkinSize = true;
  bool FVertical = false;
  bool FTextAlphaBlend = false;
  std::uint8_t FTextAlphaBlendValue = 200;
  // Guards the value state below: its setters may run on any thread.
  mutable std::mutex FLock;
  int FMinValue = 0;
  int FMaxValue = 100;
  int FValue = 50;
  classlib::String FProgressText;
  bool FShowPercent = false;
  bool FShowProgressText = false;
  // The state of the paint under way (window thread only).
  TShownState FShown;
  classlib::TRect FProgressRect{};
  classlib::TRect FProgressArea{};
  classlib::TRect FLaidOutProgressArea{};
  int FBeginOffset = 0;
  int FEndOffset = 0;
  classlib::String FFontName = "Arial";
  classlib::TFontStyles FFontStyle;
  int FFontHeight = 14;
  classlib::TColor FFontColor = 0;
  bool FProgressTransparent = false;
  classlib::TColor FProgressTransparentColor = 0;
  bool FProgressStretch = false;
};

}  // namespace skin
