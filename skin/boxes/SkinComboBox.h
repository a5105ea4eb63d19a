// The skinned combo box: the selected item (fixed style) or an editor (edit style) beside a drop-down
// button, and a skinned list dropped down under it that the mouse, the keys, the wheel and a typed
// prefix drive while the form keeps the focus.
//
// Classes in this file: TskSkinCustomComboBoxStyle, TskSkinCustomComboBox, TskSkinComboBox.
#pragma once
#include "platform/classlib/StdCtrls.h"
#include "skin/boxes/SkinCustomEdit.h"
#include "skin/boxes/SkinDropDownTrack.h"
#include "skin/boxes/SkinPopupListBox.h"
#include "skin/data/SkinEditDescriptions.h"

#include <cstdint>
#include <memory>

namespace skin {

// The combo box description's values the combo box keeps while it paints.
struct TskComboBoxSkinValues {
  classlib::TRect ItemRect{}, FocusItemRect{}, ItemTextRect{};
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  classlib::String FontName = "Arial";
  classlib::TFontStyles FontStyle;
  int FontHeight = 14;
  classlib::TColor FontColor = 0, FocusFontColor = 0;
  classlib::String ListBoxName;
  classlib::TRect ButtonRect{}, ActiveButtonRect{}, DownButtonRect{}, UnEnabledButtonRect{};
  bool ItemStretchEffect = false, FocusItemStretchEffect = false;

  // Takes Data's values; an empty focused strip falls back to the plain one.
  void Copy(const TskDataSkinComboBox& Data);
};

enum class TskSkinCustomComboBoxStyle { skcbEditStyle, skcbFixedStyle };

class TskSkinCustomComboBox : public TskSkinCustomControl {
public:
  explicit TskSkinCustomComboBox(classlib::TComponent* AOwner);
  ~TskSkinCustomComboBox() override;

  // Events
  classlib::TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;
  TskDrawSkinItemEvent OnComboBoxDrawItem;
  const TskDrawSkinItemEvent& OnListBoxDrawItem() const { return FOnListBoxDrawItem; }
  void SetListBoxDrawItem(const TskDrawSkinItemEvent& Value);

  // Attributes
  TskPopupListBox& DropDownList() const { return *FDropDownList; }
  // The editor of the edit style; null in the fixed style.
  TskCustomEdit* Editor() const { return FEditor; }
  classlib::TStrings& Items() const { return FDropDownList->Items(); }
  classlib::TStrings& GetItems() const { return Items(); }
  void SetItems(const classlib::TStrings& Value);
  int ItemIndex() const { return FDropDownList->ItemIndex(); }
  void SetItemIndex(int Index);
  TskSkinCustomComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TskSkinCustomComboBoxStyle Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  bool UseSkinSize() const { return FUseSkinSize; }
  void SetUseSkinSize(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  bool ListBoxAlphaBlend() const { return FListBoxAlphaBlend; }
  void SetListBoxAlphaBlend(bool Value) { FListBoxAlphaBlend = Value; }
  bool ListBoxAlphaBlendAnimation() const { return FListBoxAlphaBlendAnimation; }
  void SetListBoxAlphaBlendAnimation(bool Value) { FListBoxAlphaBlendAnimation = Value; }
  std::uint8_t ListBoxAlphaBlendValue() const { return FListBoxAlphaBlendValue; }
  void SetListBoxAlphaBlendValue(std::uint8_t Value) { FListBoxAlphaBlendValue = Value; }
  int ListBoxWidth() const { return FListBoxWidth; }
  void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
  // The list's own settings.
  bool ListBoxUseSkinItemHeight() const { return FDropDownList->UseSkinItemHeight(); }
  void SetListBoxUseSkinItemHeight(bool Value) { FDropDownList->SetUseSkinItemHeight(Value); }
  bool HorizontalExtent() const { return FDropDownList->HorizontalExtent(); }
  void SetHorizontalExtent(bool Value) { FDropDownList->SetHorizontalExtent(Value); }
  classlib::TImageList* Images() const { return FDropDownList->Images(); }
  void SetImages(classlib::TImageList* Value);
  int ImageIndex() const { return FDropDownList->ImageIndex(); }
  void SetImageIndex(int Value);
  const classlib::String& ListBoxCaption() const { return FDropDownList->Caption(); }
  void SetListBoxCaption(const classlib::String& Value) { FDropDownList->SetCaption(Value); }
  bool ListBoxCaptionMode() const { return FDropDownList->CaptionMode(); }
  void SetListBoxCaptionMode(bool Value) { FDropDownList->SetCaptionMode(Value); }
  classlib::TFont& ListBoxDefaultFont() const { return FDropDownList->DefaultFont(); }
  void SetListBoxDefaultFont(const classlib::TFont& Value) { FDropDownList->SetDefaultFont(Value); }
  classlib::TFont& ListBoxDefaultCaptionFont() const { return FDropDownList->DefaultCaptionFont(); }
  void SetListBoxDefaultCaptionFont(const classlib::TFont& Value) { FDropDownList->SetDefaultCaptionFont(Value); }
  int ListBoxDefaultItemHeight() const { return FDropDownList->DefaultItemHeight(); }
  void SetListBoxDefaultItemHeight(int Value) { FDropDownList->SetDefaultItemHeight(Value); }
  classlib::TAlignment ListBoxCaptionAlignment() const { return FDropDownList->Alignment(); }
  void SetListBoxCaptionAlignment(classlib::TAlignment Value) { FDropDownList->SetAlignment(Value); }
  bool Sorted() const { return FDropDownList->Sorted(); }
  void SetSorted(bool Value) { FDropDownList->SetSorted(Value); }

  int GetSelStart() const;
  void SetSelStart(int Value);
  int GetSelLength() const;
  void SetSelLength(int Value);

  // The look (areas in control coordinates) and its state.
  classlib::TRect ItemAreaRect() const { return FItemAreaRect; }
  classlib::TRect ButtonAreaRect() const { return FButtonAreaRect; }
  bool ButtonHot() const { return FButtonHot; }
  bool ButtonPressed() const { return FButtonPressed; }
  int SavedItemIndex() const { return FSavedItemIndex; }

  // Operations
  void DropDown();
  void CloseUp(bool AcceptChanges);
  bool IsPopupVisible() const { return FDropDownList->Visible(); }
  bool CanCancelDropDown() const { return IsPopupVisible() && !FMouseInControl; }
  void CalcRects();
  void Invalidate() override;
  void GetSkinData() override;
  void ChangeSkinData() override;
  void CalcSize(int& W, int& H) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  virtual void Change() {}
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void DefaultFontChange() override;
  void SetControlRegion() override;
  bool ClicksOnMouseUp() const override { return false; }
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  void ListBoxWindowProcHook(classlib::TMessage& Message);
  void CheckButtonClick(classlib::TObject* Sender);
  void EditUp1(bool Select);
  void EditDown1(bool Select);
  void EditPageUp1(bool Select);
  void EditPageDown1(bool Select);
  void FindLBItem(const classlib::String& S);
  // Selects Index through SetItemIndex (Select) or moves only the list's selection.
  void MoveListTo(int Index, bool Select);
  // The edit style.
  void ShowEditor();
  void HideEditor();
  void EditWindowProcHook(classlib::TMessage& Message);
  void EditChange(classlib::TObject* Sender);
  void EditCancelMode(classlib::TControl* Sender);
  void EditUp(bool Select);
  void EditDown(bool Select);
  void FindLBItemFromEdit();
  void SetEditorText(const classlib::String& Value);
  void AdjustEditHeight();
  void SetEditorFont();
  // The look.
  classlib::TFontCharset CharsetInUse() const;
  void DrawButton(classlib::TCanvas& Canvas);
  void DrawResizeButton(classlib::TCanvas& Canvas);
  void DrawDefaultItem(classlib::TCanvas& Canvas);
  void DrawSkinItem(classlib::TCanvas& Canvas);
  void DrawResizeSkinItem(classlib::TCanvas& Canvas);
  void DrawItemContent(classlib::TBitmap& Bitmap, classlib::TRect TextRect);
  void BuildSkinStrip(classlib::TBitmap& Strip, classlib::TCanvas& Canvas, bool Focused);
  void PaintEditorInto(HDC DC);

  bool FUseSkinSize = true;
  TskDropDownTrack FListTrack;
  bool FHideSelection = true;
  DWORD FLastKeyTime = 0;
  classlib::String FSearchText;
  bool FAutoComplete = true;
  bool FListBoxAlphaBlend = false;
  bool FListBoxAlphaBlendAnimation = false;
  std::uint8_t FListBoxAlphaBlendValue = 200;
  int FListBoxWidth = 0;
  TskSkinCustomComboBoxStyle FStyle = TskSkinCustomComboBoxStyle::skcbFixedStyle;
  TskDrawSkinItemEvent FOnListBoxDrawItem;
  bool FMouseInControl = false;
  int FSavedItemIndex = -1;
  int FDropDownCount = 8;
  bool FTrackingList = false;
  std::function<void(classlib::TMessage&)> FOldListWindowProc;
  std::function<void(classlib::TMessage&)> FOldEditWindowProc;
  TskPopupListBox* FDropDownList = nullptr;  // owned as a component
  classlib::TRect FItemAreaRect{};
  classlib::TOwnerDrawState FItemDrawState = 0;
  classlib::TRect FButtonAreaRect{};
  bool FButtonHot = false;
  bool FButtonPressed = false;
  TskCustomEdit* FEditor = nullptr;  // owned as a component
  bool FEditChanging = false;
  TskComboBoxSkinValues FValues;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
  using TskSkinCustomComboBox::TskSkinCustomComboBox;
};

}  // namespace skin
