// The masked edit: a single-line edit whose text can be held to a pattern of digits, letters and
// fixed characters, with the selection, clipboard and undo operations of an edit.
//
// An edit mask is "pattern;save-literals;blank". In the pattern, 0 is a required digit, 9 an
// optional one, # an optional digit or sign, L a required letter and l an optional one, A and a a
// letter or digit, C and c any character; > and < turn what follows to upper and lower case (<>
// stops that), ! shows leftover optional places as leading blanks, \ takes the next character as a
// literal, _ is a literal blank, / and : are the user's date and time separators (as the mask is
// set); every other character is a literal. The blank character (default "_") stands for places
// not yet typed. The text of a masked edit is its whole edit text, literals and blanks included.
//
// Classes in this file: EDBEditError, TCustomMaskEdit, TMaskEdit.
#pragma once

#include "platform/classlib/ScrollBox.h"
#include "platform/classlib/StdCtrls.h"

#include <vector>

namespace classlib {

// Raised when a masked edit's text leaves a required place empty.
class EDBEditError : public Exception {
public:
  using Exception::Exception;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomMaskEdit : public TCustomEdit {
public:
  explicit TCustomMaskEdit(TComponent* AOwner);

  // Attributes
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FPlaces.empty(); }
  // The text as the window shows it.
  String EditText() const;
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  // The height follows the font.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  // Off: the selection stays shown while another control has the focus.
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // The longest text the user can type; 0 for no limit of one's own.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  // Shown in place of every character when not 0.
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  // Selection, in characters of the window's text.
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  String SelText() const;
  bool Modified() const;

  // Operations
  // Raises EDBEditError when a required place of the mask is still blank.
  virtual void ValidateEdit();
  bool CanUndo() const;
  void Undo();
  void ClearUndo();
  void CutToClipboard();
  void CopyToClipboard();
  void PasteFromClipboard();
  void ClearSelection();

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateHandleDone() override;
  void TextChanged() override;
  void FontChanged() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  struct TMaskPlace {
    bool Editable = false;
    bool Required = false;
    char Kind = 0;     // the mask character of an editable place
    char Literal = 0;  // the character of a fixed place
    int Case = 0;      // 1 upper, -1 lower
  };

  void ParseMask();
  // Value laid into the mask: typed characters go to the editable places in order; a value that
  // holds the literals too (as an edit text does) keeps them in step.
  String FormatText(const String& Value) const;
  bool Accepts(const TMaskPlace& Place, char C) const;
  char Converted(const TMaskPlace& Place, char C) const;
  int NextEditable(int Position) const;
  int PreviousEditable(int Position) const;
  // Blanks the editable places in [Start, End) of Text.
  void BlankRange(String& Text, int Start, int End) const;
  // Puts the masked text in the window with the caret (and selection) at Position.
  void WriteMasked(const String& Text, int Position, int Length = 0);
  void TypeMasked(char C);
  void DeleteMasked(bool Backward);
  void PasteMasked(const String& Value);
  void AdjustHeight();
  void GetSel(int& Start, int& End) const;

  String FEditMask;
  std::vector<TMaskPlace> FPlaces;
  bool FSaveLiterals = true;
  char FBlank = '_';
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  bool FHideSelection = true;
  int FMaxLength = 0;
  char FPasswordChar = 0;
  TEditCharCase FCharCase = TEditCharCase::ecNormal;
};

class TMaskEdit : public TCustomMaskEdit {
public:
  using TCustomMaskEdit::TCustomMaskEdit;
};

// Registers the classes of this unit with the form reader.
void RegisterMaskControls(TClassRegistry& Registry);

}  // namespace classlib
