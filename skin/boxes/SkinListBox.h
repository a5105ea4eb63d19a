// The skinned list box: a frame from the skin's list box description around an owner-drawn list,
// skinned scroll bars made and freed as the contents need them, and an optional caption strip
// with up, down and check buttons.
//
// Classes in this file: TskDrawSkinItemEvent, TskCaptionButton, TskSkinCustomListBox, TskSkinListBox.
#pragma once
#include "platform/classlib/ComCtrls.h"
#include "skin/boxes/SkinInnerList.h"
#include "skin/controls/SkinButtonRepeat.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinEditDescriptions.h"
#include <array>
#include <functional>
#include <memory>

namespace skin {

// Draws one item on an item bitmap whose background, font and colour are ready.
using TskDrawSkinItemEvent = std::function<void(classlib::TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight,
                                                classlib::TRect& TxtRect, classlib::TOwnerDrawState State)>;

// The list box description's values the list box keeps while it paints.
struct TskListBoxSkinValues {
  classlib::TRect ItemRect{}, ActiveItemRect{}, FocusItemRect{}, ItemTextRect{};
  int ItemLeftOffset = 0, ItemRightOffset = 0;
  classlib::String FontName;
  classlib::TFontStyles FontStyle;
  int FontHeight = 0;
  classlib::TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
  classlib::TRect CaptionRect{};
  classlib::String CaptionFontName;
  classlib::TFontStyles CaptionFontStyle;
  int CaptionFontHeight = 0;
  classlib::TColor CaptionFontColor = 0;
  classlib::TRect UpButtonRect{}, ActiveUpButtonRect{}, DownUpButtonRect{};
  classlib::TRect DownButtonRect{}, ActiveDownButtonRect{}, DownDownButtonRect{};
  classlib::TRect CheckButtonRect{}, ActiveCheckButtonRect{}, DownCheckButtonRect{};
  classlib::String HScrollBarName = "hscrollbar", VScrollBarName = "vscrollbar", BothHScrollBarName = "bothhscrollbar";

  // Takes Data's values; empty alternative looks fall back to the plain ones.
  void Copy(const TskDataSkinListBox& Data);
};

// One of the caption strip's buttons: 0 up, 1 down, 2 check.
struct TskCaptionButton {
  classlib::TRect Rect{};
  bool Hot = false;
  bool Pressed = false;
};

class TskSkinCustomListBox : public TskSkinCustomControl {
public:
  explicit TskSkinCustomListBox(classlib::TComponent* AOwner);
  ~TskSkinCustomListBox() override;

  // Events
  classlib::TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
  classlib::TNotifyEvent OnListBoxClick, OnListBoxDblClick;
  classlib::TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
  classlib::TMouseMoveEvent OnListBoxMouseMove;
  classlib::TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
  classlib::TKeyPressEvent OnListBoxKeyPress;
  TskDrawSkinItemEvent OnDrawItem;

  // Attributes
  TskListBox& InnerList() const { return *FInnerList; }
  TskSkinScrollBar* ItemScrollBar() const { return FItemScrollBar; }
  TskSkinScrollBar* ExtentScrollBar() const { return FExtentScrollBar; }
  classlib::TStrings& Items() const { return FInnerList->Items(); }
  classlib::TStrings& GetItems() const { return Items(); }
  void SetItems(const classlib::TStrings& Value);
  int ItemIndex() const { return FInnerList->ItemIndex(); }
  void SetItemIndex(int Value) { FInnerList->SetItemIndex(Value); }
  int TopIndex() const { return FInnerList->TopIndex(); }
  void SetTopIndex(int Value) { FInnerList->SetTopIndex(Value); }
  int SelCount() const { return FInnerList->SelCount(); }
  bool Selected(int Index) const { return FInnerList->Selected(Index); }
  void SetSelected(int Index, bool Value) { FInnerList->SetSelected(Index, Value); }
  bool MultiSelect() const { return FInnerList->MultiSelect(); }
  void SetMultiSelect(bool Value) { FInnerList->SetMultiSelect(Value); }
  bool ExtandedSelect() const { return FInnerList->ExtendedSelect(); }
  void SetExtandedSelect(bool Value) { FInnerList->SetExtendedSelect(Value); }
  bool Sorted() const { return FInnerList->Sorted(); }
  void SetSorted(bool Value);
  classlib::TCanvas& Canvas() const { return FInnerList->Canvas(); }
  classlib::TFont& ListBoxFont() const { return FInnerList->Font(); }
  void SetListBoxFont(const classlib::TFont& Value) { FInnerList->Font().Assign(Value); }
  int ListBoxTabOrder() const { return FInnerList->TabOrder(); }
  void SetListBoxTabOrder(int Value) { FInnerList->SetTabOrder(Value); }
  bool ListBoxTabStop() const { return FInnerList->TabStop(); }
  void SetListBoxTabStop(bool Value) { FInnerList->SetTabStop(Value); }
  classlib::TComponent* ListBoxPopupMenu() const { return FInnerList->PopupMenu(); }
  void SetListBoxPopupMenu(classlib::TComponent* Value) { FInnerList->SetPopupMenu(Value); }
  classlib::TDragMode ListBoxDragMode() const { return FInnerList->DragMode(); }
  void SetListBoxDragMode(classlib::TDragMode Value) { FInnerList->SetDragMode(Value); }
  classlib::TDragKind ListBoxDragKind() const { return FInnerList->DragKind(); }
  void SetListBoxDragKind(classlib::TDragKind Value) { FInnerList->SetDragKind(Value); }
  classlib::TCursor ListBoxDragCursor() const { return FInnerList->DragCursor(); }
  void SetListBoxDragCursor(classlib::TCursor Value) { FInnerList->SetDragCursor(Value); }
  // The inner list's own drag events: their Sender is the inner list, and a drag of a line has the
  // inner list as its Source.
  const classlib::TDragDropEvent& OnListBoxDragDrop() const { return FInnerList->OnDragDrop; }
  void SetOnListBoxDragDrop(classlib::TDragDropEvent Value) { FInnerList->OnDragDrop = std::move(Value); }
  const classlib::TDragOverEvent& OnListBoxDragOver() const { return FInnerList->OnDragOver; }
  void SetOnListBoxDragOver(classlib::TDragOverEvent Value) { FInnerList->OnDragOver = std::move(Value); }
  const classlib::TStartDragEvent& OnListBoxStartDrag() const { return FInnerList->OnStartDrag; }
  void SetOnListBoxStartDrag(classlib::TStartDragEvent Value) { FInnerList->OnStartDrag = std::move(Value); }
  const classlib::TEndDragEvent& OnListBoxEndDrag() const { return FInnerList->OnEndDrag; }
  void SetOnListBoxEndDrag(classlib::TEndDragEvent Value) { FInnerList->OnEndDrag = std::move(Value); }

  bool UseSkinItemHeight() const { return FUseSkinItemHeight; }
  void SetUseSkinItemHeight(bool Value) { FUseSkinItemHeight = Value; }
  bool HorizontalExtent() const { return FHorizontalExtent; }
  void SetHorizontalExtent(bool Value);
  int Columns() const { return FInnerList->Columns(); }
  void SetColumns(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  classlib::TImageList* Images() const { return FImages; }
  void SetImages(classlib::TImageList* Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int DefaultItemHeight() const { return FDefaultItemHeight; }
  void SetDefaultItemHeight(int Value);

  // The caption strip.
  bool CaptionMode() const { return FCaptionMode; }
  void SetCaptionMode(bool Value);
  int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
  void SetDefaultCaptionHeight(int Value);
  classlib::TFont& DefaultCaptionFont() const { return *FDefaultCaptionFont; }
  void SetDefaultCaptionFont(const classlib::TFont& Value) { FDefaultCaptionFont->Assign(Value); }
  classlib::TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(classlib::TAlignment Value);
  classlib::TBitmap& Glyph() const { return *FGlyph; }
  void SetGlyph(const classlib::TBitmap& Value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  const TskCaptionButton& CaptionButton(int Index) const { return FCaptionButtons.at(static_cast<size_t>(Index)); }

  // Copies of the description, read by the inner list's painters.
  const TskListBoxSkinValues& SkinValues() const { return FValues; }
  classlib::TRect SkinClientArea() const { return FSkinClientArea; }

  // Operations
  void Clear();
  int ItemAtPos(const classlib::TPoint& Pos, bool Existing) const { return FInnerList->ItemAtPos(Pos, Existing); }
  classlib::TRect ItemRect(int Index) const { return FInnerList->ItemRect(Index); }
  int CalcHeight(int Rows) const;
  void UpDateScrollBar();
  void CalcRects();
  void GetSkinData() override;
  void ChangeSkinData() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(classlib::TMessage& Message) override;

  // What the inner list reports; descendants react to it.
  virtual int GetFullItemWidth(int Index, classlib::TCanvas& Canvas);
  virtual void ListBoxMouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void ListBoxMouseMove(classlib::TShiftState Shift, int X, int Y);
  virtual void ListBoxMouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y);
  virtual void ListBoxClick();
  virtual void ListBoxDblClick();
  virtual void ListBoxKeyDown(WORD& Key, classlib::TShiftState Shift);
  virtual void ListBoxKeyUp(WORD& Key, classlib::TShiftState Shift);
  virtual void ListBoxKeyPress(char& Key);
  virtual void ListBoxEnter() {}
  virtual void ListBoxExit() {}
  // Runs before the inner list handles Message; clearing Pass drops the message.
  virtual void ListBoxWProc(classlib::TMessage&, bool& Pass) { Pass = true; }
  virtual void ListBoxCreateWnd() {}

protected:
  // Makes the inner list of a box whose list keeps more than strings.
  using TInnerListFactory = TskListBox* (*)(TskSkinCustomListBox* Owner);
  TskSkinCustomListBox(classlib::TComponent* AOwner, TInnerListFactory MakeList);
  // The caption's check button released without its own event.
  virtual void CheckButtonClick();
  void CreateParams(classlib::TCreateParams& Params) override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void DefaultFontChange() override;
  void Notification(classlib::TComponent* AComponent, classlib::TOperation Operation) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;

private:
  friend class TskListBox;
  void ShowScrollBar();
  void ShowHScrollBar();
  void HideScrollBar();
  void HideHScrollBar();
  void SBChange(classlib::TObject* Sender);
  void HSBChange(classlib::TObject* Sender);
  void PrepareMeasureFont(classlib::TCanvas& Canvas);
  // The caption strip.
  void DrawCaption(classlib::TCanvas& Canvas, bool Skinned);
  void DrawCaptionText(classlib::TCanvas& Canvas, const classlib::TRect& R, int TextX, int TextY, int GlyphY);
  int CaptionContentWidth(classlib::TCanvas& Canvas);
  void MapButtonRect(classlib::TRect& R) const;
  void TestActive(int X, int Y);
  void ButtonDown(int Index);
  void ButtonUp(int Index);
  void ButtonEnter(int Index);
  void ButtonLeave(int Index);
  void DrawButton(classlib::TCanvas& Canvas, int Index);
  void DrawButtonNow(int Index);
  // Steps the selection for the held up or down button.
  void TimerTick(WPARAM Timer);
  classlib::TFontCharset CharsetInUse(const classlib::TFont& Fallback) const;

  TskListBox* FInnerList = nullptr;  // owned as a component
  TskSkinScrollBar* FItemScrollBar = nullptr;
  TskSkinScrollBar* FExtentScrollBar = nullptr;
  TskListBoxSkinValues FValues;
  classlib::TRect FSkinClientArea{};
  classlib::TRect FListArea{};
  bool FSuspendExtentUpdate = false;
  bool FUseSkinItemHeight = true;
  bool FHorizontalExtent = false;
  int FRowCount = 0;
  classlib::TImageList* FImages = nullptr;
  int FImageIndex = -1;
  int FDefaultItemHeight = 20;
  // The caption strip.
  bool FCaptionMode = false;
  int FDefaultCaptionHeight = 20;
  std::unique_ptr<classlib::TFont> FDefaultCaptionFont;
  classlib::TAlignment FAlignment = classlib::TAlignment::taLeftJustify;
  std::unique_ptr<classlib::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  int FSpacing = 2;
  classlib::TRect FCaptionArea{};
  std::array<TskCaptionButton, 3> FCaptionButtons{};
  int FHotButton = -1;
  int FPreviousHotButton = -1;
  int FCapturedButton = -1;
  TskButtonRepeat FRepeat{*this};  // steps 1 up, 2 down
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
  using TskSkinCustomListBox::TskSkinCustomListBox;
};

}  // namespace skin
