// The skinned single-line edits: the edit window keeps the text and caret, and everything around it
// lives in the window's non-client area: a three-part frame cut from the skin (or a plain frame in
// the default look), an optional button at the right end, and a blend with the parent. The text
// lies on a background cut from the same skin picture.
//
// Classes in this file: TskSkinCustomEdit, TskSkinEdit, TskSkinMaskEdit, TskURLState,
// TskURLLinkType, TskSkinURLEdit.
#pragma once

#include "platform/classlib/Bitmap.h"
#include "skin/boxes/SkinCustomEdit.h"
#include "skin/controls/SkinChangeClient.h"
#include "skin/data/SkinData.h"

#include <cstdint>
#include <memory>

namespace skin {

class TskSkinCustomEdit : public TskCustomEdit, public TskSkinChangeClient {
public:
  explicit TskSkinCustomEdit(classlib::TComponent* AOwner);
  ~TskSkinCustomEdit() override;

  classlib::TNotifyEvent OnButtonClick;

  // Attributes
  TskSkinData* SkinData() const override { return FSkinData; }
  void SetSkinData(TskSkinData* Value);
  const classlib::String& SkinDataName() const { return FSkinDataName; }
  void SetSkinDataName(const classlib::String& Value) { FSkinDataName = Value; }
  bool UseSkinFont() const { return FUseSkinFont; }
  void SetUseSkinFont(bool Value);
  classlib::TFont& DefaultFont() const { return *FDefaultFont; }
  void SetDefaultFont(const classlib::TFont& Value);
  int DefaultWidth() const { return FDefaultWidth; }
  void SetDefaultWidth(int Value);
  int DefaultHeight() const { return FDefaultHeight; }
  void SetDefaultHeight(int Value);
  bool ButtonMode() const { return FButtonMode; }
  void SetButtonMode(bool Value);
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value);
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);

  // The look: -1 for the default one. Rectangles in window coordinates.
  int SkinControlIndex() const { return FSkinControlIndex; }
  classlib::TRect ButtonBounds() const { return FButtonBounds; }
  classlib::TRect EditBounds() const { return FEditBounds; }
  bool ButtonPressed() const { return FButtonPressed; }
  bool ButtonHot() const { return FButtonHot; }
  bool MouseOver() const { return FMouseOver; }

  // Operations
  void GetSkinData();
  void ChangeSkinData() override;
  // The old skin's picture is about to go.
  void BeforeChangeSkinData() override {
    FSkinControlIndex = -1;
    SkinPicture = nullptr;
  }
  void CalcRects();
  void CalcEditHeight(int& AHeight);
  void AdjustEditHeight();
  // Repaints the frame.
  void InvalidateNC();
  void Invalidate() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // The whole control picture (frame, button, and the text when DrawText) on a window canvas.
  void DrawSkinEdit(classlib::TCanvas& Canvas, bool DrawText);
  // The same for a skinned edit whose height is not the skin's: built at the skin's height, stretched.
  void DrawSkinEdit2(classlib::TCanvas& Canvas, bool DrawText);
  // The client area's background.
  void DrawEditBackGround(classlib::TCanvas& Canvas);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateParams(classlib::TCreateParams& Params) override;

  // The description's values, copied by GetSkinData.
  classlib::TBitmap* SkinPicture = nullptr;  // the skin's
  classlib::TRect SkinFrameRect{}, SkinHotRect{}, SkinClientRect{};
  int SkinLeftOffset = 0, SkinRightOffset = 0;
  classlib::String SkinFontName;
  classlib::TFontStyles SkinFontStyle;
  int SkinFontHeight = 0;
  classlib::TColor SkinFontColor = 0, SkinDisabledFontColor = 0, SkinActiveFontColor = 0;
  classlib::TRect SkinButtonRect{}, SkinActiveButtonRect{}, SkinDownButtonRect{}, SkinUnEnabledButtonRect{};
  bool SkinStretchEffect = false;

private:
  bool Designing() const;
  bool Skinned() const { return FSkinControlIndex != -1; }
  void DefaultFontChanged();
  // The colour the text takes now, by look, state and focus.
  void ApplyFontColor();
  // The frame picture (R the skin rectangle) at Width, with the button laid over ButtonRect.
  void BuildSkinFrame(classlib::TBitmap& B, const classlib::TRect& ButtonRect);
  classlib::TRect ButtonSource() const;
  void DrawTextInto(classlib::TCanvas& Canvas);
  // Puts Image on Canvas at (X, Y), blended with the parent's picture from (PX, PY) when asked.
  void PutImage(classlib::TCanvas& Canvas, classlib::TBitmap& Image, int X, int Y, int PX, int PY);
  void SetParentImage();
  void PaintFrame();
  bool HandleButtonMessage(classlib::TMessage& Message);

  TskSkinData* FSkinData = nullptr;
  classlib::String FSkinDataName = "edit";
  bool FUseSkinFont = true;
  std::unique_ptr<classlib::TFont> FDefaultFont;
  int FDefaultWidth = 0, FDefaultHeight = 0;
  bool FButtonMode = false;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 0;
  classlib::TAlignment FAlignment = classlib::TAlignment::taLeftJustify;
  int FSkinControlIndex = -1;
  classlib::TRect FButtonBounds{}, FEditBounds{};
  bool FButtonPressed = false, FButtonHot = false, FMouseOver = false;
  std::unique_ptr<classlib::TBitmap> FParentPicture;  // only while a blended paint runs
};

class TskSkinEdit : public TskSkinCustomEdit {
public:
  using TskSkinCustomEdit::TskSkinCustomEdit;
};

class TskSkinMaskEdit : public TskSkinEdit {
public:
  using TskSkinEdit::TskSkinEdit;
};

enum class TskURLState { skstIN, skstOUT };
enum class TskURLLinkType { skltHTTP, skltMail };

// An edit whose text opens as a link when clicked: underlined, with the hand pointer, while the
// pointer is over the text.
class TskSkinURLEdit : public TskSkinEdit {
public:
  explicit TskSkinURLEdit(classlib::TComponent* AOwner);
  ~TskSkinURLEdit() override;

  bool Execute() const { return FExecute; }
  void SetExecute(bool Value) { FExecute = Value; }
  TskURLLinkType LinkType() const { return FLinkType; }
  void SetLinkType(TskURLLinkType Value) { FLinkType = Value; }
  TskURLState State() const { return FState; }

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

private:
  void LeaveText();
  void OpenLink();

  classlib::TLabel* FLabel = nullptr;  // measures the text; owned as a component, never shown
  bool FExecute = true;
  TskURLState FState = TskURLState::skstOUT;
  bool FPressed = false;
  TskURLLinkType FLinkType = TskURLLinkType::skltHTTP;
};

}  // namespace skin
