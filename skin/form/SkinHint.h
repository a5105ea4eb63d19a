// Skinned hints: a hint window drawn from the skin's HINTWINDOW picture (or a plain look), layered
// or blended with the screen beneath, and the component that makes it the application's hint window
// and shows hints of its own, at a point or after the usual pause at the cursor (the form frame's
// object hints).
//
// Classes in this file: TskSkinHintWindow, TskSkinHint.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/HintWindow.h"
#include "platform/classlib/Timer.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinHint;

class TskSkinHintWindow : public classlib::THintWindow {
public:
  explicit TskSkinHintWindow(classlib::TComponent* AOwner);
  ~TskSkinHintWindow() override;

  // Shows AHint with its top-left corner at Rect's (its size is the text's), kept on the screen by
  // moving it to the other side of the point. Nothing without an active TskSkinHint on the main form.
  void ActivateHint(const classlib::TRect& Rect, const classlib::String& AHint) override;

  // The window size for AHint in the present look; with the skinned look it also lays the picture's
  // anchors and client rectangle out for that size.
  void CalcHintSize(const classlib::String& AHint, int& W, int& H);

  classlib::TRect HintClientRect{};
  classlib::TPoint HintLTPoint{}, HintRTPoint{}, HintLBPoint{}, HintRBPoint{};
  TskSkinHint* HintComponent = nullptr;
  // The skin while the skinned look is used, else null.
  TskSkinData* HintSkin = nullptr;
  bool LastAlphaBlend = false;
  int LastAlphaBlendValue = 0;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(classlib::TMessage& Message) override;

private:
  // The HINTWINDOW description and its picture when the skin's look applies.
  const TskDataSkinHintWindow* Description() const;
  classlib::TBitmap* WindowPicture() const;
  classlib::TBitmap* MaskPicture() const;
  void SetHintFont(classlib::TCanvas& Canvas) const;
  void SetHintWindowRegion();

  std::unique_ptr<classlib::TBitmap> ScreenImage;
  HRGN HintRegion = nullptr;
};

class TskSkinHint : public classlib::TComponent {
public:
  explicit TskSkinHint(classlib::TComponent* AOwner);
  ~TskSkinHint() override;

  // Published properties
  classlib::TFont& DefaultFont() { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value) { FDefaultFont->Assign(Value); }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value) { FUseSkinFont = Value; }
  bool AlphaBlendSupport() const { return FAlphaBlendSupport; }
  // Layered windows blend only on the systems that have them for popups (5.0 to 5.2).
  void SetAlphaBlendSupport(bool Value);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
  TskSkinData* SkinData() const { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  bool Active() const { return FActive; }
  // Turning one on turns off the other active ones of the main form.
  void SetActive(bool Value);
  classlib::TShowHintEvent OnShowHint;

  // Shows Text with its top-left corner at Point (screen coordinates).
  void ActivateHint(const classlib::TPoint& Point, const classlib::String& Text);
  // Shows Text below the cursor after the application's HintPause, for its HintHidePause; a second
  // call before the first shows replaces it.
  void ActivateHint2(const classlib::String& Text);
  void HideHint();
  bool IsVisible() const;
  // The scan lines from the cursor's hot spot down to the lowest visible line of its picture.
  static int GetCursorHeightMargin();
  TskSkinHintWindow& OwnHintWindow() { return *FOwnHintWindow; }

protected:
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;

private:
  bool Designing() const;
  void SelfOnShowHint(classlib::String& HintStr, bool& CanShow, classlib::THintInfo& HintInfo);
  // The forwarder installed as the application's OnShowHint; harmless once this component is gone.
  classlib::TShowHintEvent Forwarder() const;
  void HintTime1();
  void HintTime2();
  void HideWindow();

  bool FActive = true;
  TskSkinData* FSkinData = nullptr;
  std::unique_ptr<TskSkinHintWindow> FOwnHintWindow;
  bool FAlphaBlendSupport = true;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  bool FUseSkinFont = true;
  std::unique_ptr<classlib::TTimer> FDelayTimer;
  classlib::String FPendingText;
  // The delay timer has shown the hint and now counts down to hiding it.
  bool FDelayShown = false;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 200;
  std::shared_ptr<TskSkinHint*> FAlive;
};

// The active TskSkinHint owned by the application's main form, or null.
TskSkinHint* FindHintComponent();

}  // namespace skin
