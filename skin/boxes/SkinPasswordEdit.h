// A single-line password field with no edit window behind it: it keeps its text to itself, draws
// each character as a small glyph, and does its own caret, selection, keys and mouse. Text can be
// typed, pasted and deleted but never copied or cut out, and the window text never holds it. The
// look is the skin's "edit" description; without one a 2-pixel sunken frame on the window colour.
//
// Classes in this file: TskPasswordKind, TskSkinPasswordEdit.
#pragma once

#include "platform/classlib/Mask.h"
#include "platform/classlib/WideText.h"
#include "skin/controls/SkinCustomControl.h"

namespace skin {

enum class TskPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TskSkinPasswordEdit : public TskSkinCustomControl {
public:
  explicit TskSkinPasswordEdit(classlib::TComponent* AOwner);

  classlib::TNotifyEvent OnChange;

  // Attributes
  // The password; read only by the program, never through the window.
  classlib::String Text() const { return classlib::FromWide(FText); }
  void SetText(const classlib::String& Value);
  void Clear() { SetText(classlib::String()); }
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  classlib::TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(classlib::TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // The longest text typing and pasting make; 0 for no limit. A longer text stays.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value) { FMaxLength = Value; }
  TskPasswordKind PasswordKind() const { return FPasswordKind; }
  void SetPasswordKind(TskPasswordKind Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  classlib::TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(classlib::TAlignment Value);
  // The default cursor stands for the I-beam.
  void SetCursor(classlib::TCursor Value);

  // The caret and selection, in characters. The selection runs from SelStart for SelLength.
  int CaretPosition() const { return FCaret; }
  int FirstVisibleChar() const { return FFirstVisible; }
  int GetSelStart() const;
  int GetSelLength() const;
  void SetSelStart(int Value);
  void SetSelLength(int Value);

  // Geometry
  virtual classlib::TRect GetEditRect();
  virtual int GetPasswordCharWidth();
  virtual classlib::TRect GetSelRect();
  // The left edge of the cell of character Position (0-based), by the first visible character and
  // the alignment.
  int GetCharX(int Position);
  // The caret position nearest to the left of X.
  int GetCoordinatePosition(int X);

  // Operations
  void SetCaretPosition(int Position);
  void SelectAll();
  void SelectWord();
  void ClearSelection();
  // Types Text over the selection; nothing at all when the result would pass MaxLength.
  void InsertText(const classlib::String& Value);
  void InsertChar(WCHAR Character);
  // The clipboard's text, inserted as typed text is.
  void PasteFromClipboard();
  // Inserts Value after Position characters, cut to what MaxLength leaves room for; with Select it
  // becomes the selection.
  void InsertAfter(int Position, const classlib::String& Value, bool Select);
  // Removes Count characters from the 1-based Position; with MoveCaret the caret goes there.
  void DeleteFrom(int Position, int Count, bool MoveCaret);
  // Where the next word starts after Position, or the end; where the word before Position starts.
  int GetNextWordBeging(int Position) const;
  int GetPrivWordBeging(int Position) const;

  void GetSkinData() override;
  void CalcSize(int& W, int& H) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void KeyDown(WORD& Key, classlib::TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  void MouseMove(classlib::TShiftState Shift, int X, int Y) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;
  virtual void DrawPasswordChar(const classlib::TRect& Cell, bool Selected, classlib::TCanvas& Canvas);
  // A hook for descendants that accept only some texts.
  virtual bool ValidText(const classlib::WideString&) { return true; }
  virtual void ShowCaret();
  virtual void HideCaret();
  virtual void Change();

private:
  bool Skinned() const { return FSkinControlIndex != -1; }
  bool Active() const { return FMouseIn || Focused(); }
  void SetWideText(const classlib::WideString& Value);
  // The shift of every cell when the characters leave room: by the alignment.
  int AlignmentShift();
  void UpdateFirstVisibleChar();
  void HasFocus();
  void KillFocus();
  void UpdateCarete();
  void PaintText(classlib::TCanvas& Canvas);
  void PaintSelectedText(classlib::TCanvas& Canvas);
  // Selection, text and caret drawn over the background already in B.
  void DrawEditContent(classlib::TBitmap& B);

  bool FMouseIn = false;
  classlib::WideString FText;
  bool FSelecting = false;
  int FCaret = 0;
  int FSelStart = 0;
  int FSelLength = 0;  // signed: negative when the selection runs left of FSelStart
  int FFirstVisible = 1;
  bool FAutoSelect = true;
  classlib::TEditCharCase FCharCase = classlib::TEditCharCase::ecNormal;
  bool FHideSelection = true;
  int FMaxLength = 0;
  bool FReadOnly = false;
  TskPasswordKind FPasswordKind = TskPasswordKind::pkRoundRect;
  classlib::TAlignment FTextAlignment = classlib::TAlignment::taLeftJustify;
  bool FTakingCaption = false;

  // The description's values, copied by GetSkinData.
  int FLeftWidth = 0, FRightWidth = 0;
  classlib::TRect FEditSkinRect{}, FActiveSkinRect{};
  classlib::TColor FFontColor = 0, FActiveFontColor = 0, FDisabledFontColor = 0;
};

}  // namespace skin
