// Standard controls: captions, buttons, edits and lists over the system's window classes. The label
// and the group box paint themselves, so that windowless controls can sit beside or inside them.
//
// Classes in this file: TLabel, TButton, TCheckBox, TCustomEdit, TEdit, TMemo, TControlItems,
// TListBox, TComboBox, TGroupBox.
#pragma once

#include "platform/classlib/Forms.h"
#include "platform/classlib/Strings.h"

#include <memory>
#include <vector>

namespace classlib {

class TClassRegistry;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// Answers a reflected WM_CTLCOLOR... of a system control: its font colour on its brush.
LRESULT ControlColors(TWinControl& Control, HDC DC);

// The form a control sits on, or null.
TForm* GetParentForm(TControl* Control);

// DrawTextW of Text in Font and its colour, on a transparent background. With DT_CALCRECT in Flags it
// only measures, widening or lowering Rect to fit. Returns the height of the text.
int DrawControlText(HDC DC, TFont& Font, const String& Text, TRect& Rect, UINT Flags);

// A caption drawn with the control's font on its parent, in the parent's colour unless Transparent.
// Descendants change how the caption is drawn and measured through DoDrawText.
class TCustomLabel : public TGraphicControl {
public:
  explicit TCustomLabel(TComponent* AOwner);

  // Attributes
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // The label follows the size of its caption: its width (unless WordWrap) and its height.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  // Whether "&" marks the next letter as the accelerator ("&&" is one "&").
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);

protected:
  // Draws the caption on the canvas in Rect with the DrawText flags, or with DT_CALCRECT only
  // measures it into Rect (an empty caption, or a lone accelerator mark, measures as one blank).
  // Disabled text is engraved: a highlight offset by one pixel, then the shadow in place.
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  // Takes the caption's size when AutoSize is on.
  virtual void AdjustBounds();
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Loaded() override;
  UINT DrawTextFlags() const;
  // DrawText of Text in Font on the canvas, engraved when the label is disabled.
  void DrawLabelCaption(TFont& Font, const String& Text, TRect& Rect, UINT Flags);

private:
  TAlignment FAlignment = TAlignment::taLeftJustify;
  TTextLayout FLayout = TTextLayout::tlTop;
  bool FWordWrap = false;
  bool FTransparent = false;
  bool FAutoSize = true;
  bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
public:
  using TCustomLabel::TCustomLabel;
};

// A push button; a click also hands its ModalResult to the form it sits on.
class TButton : public TWinControl {
public:
  explicit TButton(TComponent* AOwner);

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Click() override;
  bool ClicksOnMouseUp() const override { return false; }

private:
  TModalResult FModalResult = mrNone;
};

// A check box; OnClick fires whenever Checked changes, by the user or by the program.
class TCheckBox : public TWinControl {
public:
  explicit TCheckBox(TComponent* AOwner);

  bool Checked() const;
  void SetChecked(bool Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  bool ClicksOnMouseUp() const override { return false; }

private:
  bool FChecked = false;  // kept in step with the window by its clicks
};

// The edit control's common part: Text follows what the user types, OnChange reports every change.
class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* AOwner);

  TNotifyEvent OnChange;

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  void SelectAll();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void TextChanged() override;
  virtual void Change();

private:
  bool FReadOnly = false;
  bool FChangeNotified = false;  // the window reported the change itself (EN_CHANGE)
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* AOwner);
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit whose Lines are the lines of its text.
class TMemo : public TCustomEdit {
public:
  explicit TMemo(TComponent* AOwner);

  TStrings& Lines() { return *FLines; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Off: Enter is not typed into the text.
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  // Stored only: without Tab moving the focus between controls here, a memo keeps its tabs.
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  // The longest text the user can type; 0 for the window's own limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // Off: the selection stays shown while another control has the focus.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);

  // Selection, in characters of the window's text.
  int SelStart() const;
  int SelLength() const;
  String SelText() const;

  // Each goes through the window's own message, so that a memo guarding those messages guards
  // these operations too.
  bool CanUndo() const;
  void Undo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearSelection();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;

private:
  void RecreateWindow();
  void GetSel(int& Start, int& End) const;

  std::unique_ptr<TStrings> FLines;
  bool FWordWrap = true;
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FWantReturns = true;
  bool FWantTabs = false;
  int FMaxLength = 0;
  bool FHideSelection = true;
};

// The lines of a list box or combo box. They are kept here, so that they can be filled before the
// window exists and outlive it, and each change is carried into the window while it exists.
// A sorted list keeps its lines in order (without regard to case); Insert and Put then raise.
class TControlItems : public TStrings {
public:
  // The messages of the window class behind the list (LB_... or CB_...).
  struct TListMessages {
    UINT InsertString;
    UINT DeleteString;
    UINT ResetContent;
    UINT GetCurSel;
    UINT SetCurSel;
    UINT InitStorage;
  };

  TControlItems(TWinControl& Control, const TListMessages& Messages);

  int Add(const String& S) override;
  int AddObject(const String& S, TObject* AObject) override;
  // The window makes room for all the lines at once, and a sorted list orders them in one go and
  // merges them in, rather than searching for the place of each.
  void AddStrings(const TStrings& Strings) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  void InsertObject(int Index, const String& S, TObject* AObject) override;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  // Fills a window just made with every line.
  void WriteToWindow();
  // What the control keeps with a line beside its object: it moves with the line when the lines
  // are sorted or the window is made again, and is freed with the line. nullptr when none.
  TObject* Extra(int Index) const;
  void SetExtra(int Index, std::unique_ptr<TObject> Value);

protected:
  String Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Put(int Index, const String& S) override;
  void SetUpdateState(bool Updating) override;

private:
  struct TItem {
    String Text;
    TObject* Object = nullptr;
    std::unique_ptr<TObject> Extra;
  };

  void CheckIndex(int Index) const;
  // Puts Items in the order of CompareStrings; items that compare equal keep their order.
  void SortItems(std::vector<TItem>& Items) const;
  void InsertItem(int Index, const String& S, TObject* AObject);
  void InsertIntoWindow(int Index);
  LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam);

  TWinControl& FControl;
  TListMessages FMessages;
  std::vector<TItem> FItems;
  bool FSorted = false;
};

// The state of an owner-drawn item: the bits of the system's draw-item state word.
using TOwnerDrawState = UINT;
constexpr TOwnerDrawState odSelected = ODS_SELECTED;
constexpr TOwnerDrawState odFocused = ODS_FOCUS;

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;

  TStrings& Items() { return *FItems; }
  int Count() const { return FItems->Count(); }
  // The selected line (the focused one in a multi-selection list), -1 when none.
  int ItemIndex() const;
  void SetItemIndex(int Value);
  void Clear() { FItems->Clear(); }
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  // Side-by-side columns of the given count across the width; 0 for one column scrolled down.
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  // The first visible line.
  int TopIndex() const;
  void SetTopIndex(int Value);
  // Selected lines of a multi-selection list; 0 in a single-selection one.
  int SelCount() const;
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  // The line's rectangle in client coordinates (empty for a line that does not exist).
  TRect ItemRect(int Index) const;
  // The line at a client point; -1 past the last line when Existing, else the count.
  int ItemAtPos(const TPoint& Pos, bool Existing) const;
  // Draws on the window (owner-drawn items get the item's DC through it).
  TCanvas& Canvas();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void BoundsChanged() override;
  bool ClicksOnMouseUp() const override { return false; }
  TControlItems& ControlItems() const { return *FItems; }

private:
  void SetColumnWidth();

  std::unique_ptr<TControlItems> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  int FItemIndex = -1;  // while there is no window
  int FTopIndex = 0;    // while there is no window
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  int FItemHeight = 16;
  int FColumns = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

// A combo box. Text is the edit field's text (csDropDown) or the selected line's (csDropDownList).
// The user's choice fires OnClick and OnChange, typing in the field OnChange; setting ItemIndex or
// Text from the program fires nothing.
class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* AOwner);

  TNotifyEvent OnChange;

  TStrings& Items() { return *FItems; }
  int ItemIndex() const;
  // Selects a line and takes its text; -1 (or an index out of range) selects none and empties Text.
  virtual void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  // How many lines the dropped-down list shows.
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value);
  void Clear();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void DestroyWnd() override;
  void BoundsChanged() override;
  void TextChanged() override;
  void Loaded() override;
  bool ClicksOnMouseUp() const override { return false; }
  virtual void Change();

private:
  int DroppedHeight();
  // Selection by the program, without events (the read form's index goes in here too).
  void SelectIndex(int Value);
  void SelectText();

  std::unique_ptr<TControlItems> FItems;
  TComboBoxStyle FStyle = TComboBoxStyle::csDropDown;
  int FItemIndex = -1;  // while there is no window
  int FDropDownCount = 8;
};

// A captioned frame around a group of controls.
class TGroupBox : public TCustomControl {
public:
  explicit TGroupBox(TComponent* AOwner);

protected:
  void Paint() override;
};

// Registers the classes of this unit with the form reader.
void RegisterStdControls(TClassRegistry& Registry);

}  // namespace classlib
