// The check combo box: a combo box whose drop-down list has a check box in every row. The user
// ticks any number of items; the control's text is the ticked items joined by commas.
//
// Classes in this file: TskPopupCheckListBox, TskSkinCustomCheckComboBox, TskSkinCheckComboBox.
#pragma once
#include "skin/boxes/SkinCheckListBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinDropDownTrack.h"

#include <cstdint>
#include <functional>

namespace skin {

// The check list dropped down by a check combo box: a borderless tool window that never takes
// the activation and never blends.
class TskPopupCheckListBox : public TskSkinCheckListBox {
public:
  explicit TskPopupCheckListBox(classlib::TComponent* AOwner);

  // Shows the window with its top-left corner at P (screen), without activating it.
  void Show(const classlib::TPoint& P);
  void Hide();

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
};

class TskSkinCustomCheckComboBox : public TskSkinCustomControl {
public:
  explicit TskSkinCustomCheckComboBox(classlib::TComponent* AOwner);
  ~TskSkinCustomCheckComboBox() override;

  // Events
  classlib::TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;
  const TskDrawSkinItemEvent& OnListBoxDrawItem() const { return FOnListBoxDrawItem; }
  void SetListBoxDrawItem(const TskDrawSkinItemEvent& Value);

  // Attributes
  TskPopupCheckListBox& DropDownList() const { return *FDropDownList; }
  classlib::TStrings& Items() const { return FDropDownList->Items(); }
  void SetItems(const classlib::TStrings& Value);
  bool GetChecked(int Index) const { return FDropDownList->GetChecked(Index); }
  void SetChecked(int Index, bool Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  // Stored only: the drop-down list is never translucent.
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
  bool AlphaBlendAnimation() const { return FAlphaBlendAnimation; }
  void SetAlphaBlendAnimation(bool Value) { FAlphaBlendAnimation = Value; }
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value) { FAlphaBlendValue = Value; }
  int ListBoxWidth() const { return FListBoxWidth; }
  void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
  // The list's own settings.
  bool ListBoxUseSkinFont() const { return FDropDownList->UseSkinFont(); }
  void SetListBoxUseSkinFont(bool Value) { FDropDownList->SetUseSkinFont(Value); }
  bool ListBoxUseSkinItemHeight() const { return FDropDownList->UseSkinItemHeight(); }
  void SetListBoxUseSkinItemHeight(bool Value) { FDropDownList->SetUseSkinItemHeight(Value); }
  classlib::TImageList* Images() const { return FDropDownList->Images(); }
  void SetImages(classlib::TImageList* Value);
  int ImageIndex() const { return FDropDownList->ImageIndex(); }
  void SetImageIndex(int Value);
  const classlib::String& ListBoxCaption() const { return FDropDownList->Caption(); }
  void SetListBoxCaption(const classlib::String& Value) { FDropDownList->SetCaption(Value); }
  bool ListBoxCaptionMode() const { return FDropDownList->CaptionMode(); }
  void SetListBoxCaptionMode(bool Value) { FDropDownList->SetCaptionMode(Value); }
  classlib::TFont& ListBoxDefaultFont() const { return FDropDownList->DefaultFont(); }
  classlib::TFont& ListBoxDefaultCaptionFont() const { return FDropDownList->DefaultCaptionFont(); }
  int ListBoxDefaultItemHeight() const { return FDropDownList->DefaultItemHeight(); }
  void SetListBoxDefaultItemHeight(int Value) { FDropDownList->SetDefaultItemHeight(Value); }
  classlib::TAlignment ListBoxCaptionAlignment() const { return FDropDownList->Alignment(); }
  void SetListBoxCaptionAlignment(classlib::TAlignment Value) { FDropDownList->SetAlignment(Value); }
  bool Sorted() const { return FDropDownList->Sorted(); }
  void SetSorted(bool Value) { FDropDownList->SetSorted(Value); }

  // The look (areas in control coordinates) and its state.
  classlib::TRect ItemAreaRect() const { return FItemAreaRect; }
  classlib::TRect ButtonAreaRect() const { return FButtonAreaRect; }
  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FButtonPressed; }

  // Operations
  virtual void DropDown();
  void CloseUp(bool AcceptChanges);
  bool IsPopupVisible() const { return FDropDownList->Visible(); }
  bool CanCancelDropDown() const { return IsPopupVisible() && !FMouseInControl; }
  // Rebuilds Text from the ticks.
  void CheckText();
  void CalcRects();
  void GetSkinData() override;
  void ChangeSkinData() override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void Change();
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void DefaultFontChange() override;
  bool ClicksOnMouseUp() const override { return false; }
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;

private:
  // The user's toggle of the list's current item: the tick, the text, then OnChange and OnClick.
  void ToggleCurrent();
  void ListBoxWindowProcHook(classlib::TMessage& Message);
  void MoveUp();
  void MoveDown();
  void CancelMode(classlib::TControl* Sender);
  // The look.
  classlib::TFontCharset CharsetInUse() const;
  void DrawButton(classlib::TCanvas& Canvas);
  void DrawDefaultItem(classlib::TCanvas& Canvas);
  void DrawSkinItem(classlib::TCanvas& Canvas);

  TskDropDownTrack FListTrack;
  bool FAlphaBlend = false;
  bool FAlphaBlendAnimation = false;
  std::uint8_t FAlphaBlendValue = 0;
  TskDrawSkinItemEvent FOnListBoxDrawItem;
  bool FMouseInControl = false;
  int FDropDownCount = 8;
  bool FTrackingList = false;
  std::function<void(classlib::TMessage&)> FOldListWindowProc;
  TskPopupCheckListBox* FDropDownList = nullptr;  // owned as a component
  int FListBoxWidth = 0;
  classlib::TRect FItemAreaRect{};
  classlib::TRect FButtonAreaRect{};
  bool FButtonHot = false;
  bool FButtonPressed = false;
  TskComboBoxSkinValues FValues;
};

class TskSkinCheckComboBox : public TskSkinCustomCheckComboBox {
public:
  using TskSkinCustomCheckComboBox::TskSkinCustomCheckComboBox;
};

}  // namespace skin
