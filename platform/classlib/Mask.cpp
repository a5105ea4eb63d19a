#include "platform/classlib/Mask.h"

#include "platform/classlib/ClassRegistry.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/DateFormats.h"
#include "platform/classlib/WideText.h"

#include <algorithm>
#include <cctype>

namespace classlib {

namespace {

bool IsMaskKind(char C) {
  switch (C) {
    case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
      return true;
  }
  return false;
}

String WindowText(HWND Window) {
  const int length = GetWindowTextLengthW(Window);
  WideString text(static_cast<size_t>(length) + 1, 0);
  const int copied = GetWindowTextW(Window, text.data(), length + 1);
  return FromWide(text.data(), copied);
}

}  // namespace

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// ---------------------------------------------------------------------------------------------
// The mask

void TCustomMaskEdit::SetEditMask(const String& Value) {
  if (Value == FEditMask) return;
  FEditMask = Value;
  ParseMask();
  if (IsMasked()) FText = FormatText(FText);
  if (FHandle) {
    SendMessageW(FHandle, EM_LIMITTEXT, IsMasked() ? FPlaces.size() : static_cast<size_t>(FMaxLength), 0);
    SetWindowTextW(FHandle, ToWide(FText).c_str());
  }
}

void TCustomMaskEdit::ParseMask() {
  FPlaces.clear();
  FSaveLiterals = true;
  FBlank = '_';
  // The two trailing fields are found from the right, so that the pattern may hold a literal ";".
  String pattern = FEditMask;
  if (pattern.size() >= 4 && pattern[pattern.size() - 2] == ';' && pattern[pattern.size() - 4] == ';' &&
      (pattern.size() < 5 || pattern[pattern.size() - 5] != '\\')) {
    FBlank = pattern.back();
    FSaveLiterals = pattern[pattern.size() - 3] != '0';
    pattern.resize(pattern.size() - 4);
  } else if (pattern.size() >= 2 && pattern[pattern.size() - 2] == ';' &&
             (pattern.size() < 3 || pattern[pattern.size() - 3] != '\\')) {
    FSaveLiterals = pattern.back() != '0';
    pattern.resize(pattern.size() - 2);
  }
  int textCase = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    TMaskPlace place;
    if (c == '!') continue;  // blanks lead: the text is laid in place by place either way
    if (c == '<' && i + 1 < pattern.size() && pattern[i + 1] == '>') {
      textCase = 0;
      ++i;
      continue;
    }
    if (c == '>' || c == '<') {
      textCase = c == '>' ? 1 : -1;
      continue;
    }
    if (c == '\\' && i + 1 < pattern.size()) {
      place.Literal = pattern[++i];
    } else if (IsMaskKind(c)) {
      place.Editable = true;
      place.Required = c == '0' || c == 'L' || c == 'A' || c == 'C';
      place.Kind = c;
      place.Case = textCase;
    } else {
      place.Literal = c == '_' ? ' ' : c == '/' ? DateSeparator() : c == ':' ? TimeSeparator() : c;
    }
    FPlaces.push_back(place);
  }
}

bool TCustomMaskEdit::Accepts(const TMaskPlace& Place, char C) const {
  const auto u = static_cast<unsigned char>(C);
  switch (Place.Kind) {
    case '0': case '9': return std::isdigit(u) != 0;
    case '#': return std::isdigit(u) || C == '+' || C == '-';
    case 'L': case 'l': return std::isalpha(u) != 0;
    case 'A': case 'a': return std::isalnum(u) != 0;
    case 'C': case 'c': return u >= ' ';
  }
  return false;
}

char TCustomMaskEdit::Converted(const TMaskPlace& Place, char C) const {
  const auto u = static_cast<unsigned char>(C);
  if (Place.Case > 0) return static_cast<char>(std::toupper(u));
  if (Place.Case < 0) return static_cast<char>(std::tolower(u));
  return C;
}

String TCustomMaskEdit::FormatText(const String& Value) const {
  String text;
  size_t v = 0;
  for (const TMaskPlace& place : FPlaces) {
    if (!place.Editable) {
      // A value with the literals in it has this one here: step over it.
      if (v < Value.size() && Value[v] == place.Literal) ++v;
      text += place.Literal;
      continue;
    }
    char c = FBlank;
    if (v < Value.size()) {
      const char given = Value[v++];
      if (given != FBlank && given != ' ' && Accepts(place, given)) c = Converted(place, given);
    }
    text += c;
  }
  return text;
}

int TCustomMaskEdit::NextEditable(int Position) const {
  const int count = static_cast<int>(FPlaces.size());
  while (Position < count && !FPlaces[static_cast<size_t>(Position)].Editable) ++Position;
  return Position;
}

int TCustomMaskEdit::PreviousEditable(int Position) const {
  while (Position >= 0 && !FPlaces[static_cast<size_t>(Position)].Editable) --Position;
  return Position;
}

void TCustomMaskEdit::BlankRange(String& Text, int Start, int End) const {
  for (int i = std::max(Start, 0); i < End && i < static_cast<int>(Text.size()); ++i)
    if (FPlaces[static_cast<size_t>(i)].Editable) Text[static_cast<size_t>(i)] = FBlank;
}

void TCustomMaskEdit::WriteMasked(const String& Text, int Position, int Length) {
  if (!FHandle) return;
  if (Text != EditText()) {
    SetWindowTextW(FHandle, ToWide(Text).c_str());
    // A multi-line window does not report text set by the program: the change is announced here.
    if (FText != Text) {
      FText = Text;
      Change();
    }
  }
  SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Position), Position + Length);
}

void TCustomMaskEdit::TypeMasked(char C) {
  int start = 0, end = 0;
  GetSel(start, end);
  String text = FormatText(EditText());
  BlankRange(text, start, end);
  const int place = NextEditable(start);
  if (place >= static_cast<int>(FPlaces.size()) || !Accepts(FPlaces[static_cast<size_t>(place)], C)) {
    MessageBeep(0);
    if (start != end) WriteMasked(text, start);
    return;
  }
  text[static_cast<size_t>(place)] = Converted(FPlaces[static_cast<size_t>(place)], C);
  WriteMasked(text, NextEditable(place + 1));
}

void TCustomMaskEdit::DeleteMasked(bool Backward) {
  int start = 0, end = 0;
  GetSel(start, end);
  String text = FormatText(EditText());
  if (start != end) {
    BlankRange(text, start, end);
    WriteMasked(text, start);
    return;
  }
  if (Backward) {
    const int place = PreviousEditable(start - 1);
    if (place < 0) return;
    BlankRange(text, place, place + 1);
    WriteMasked(text, place);
  } else {
    const int place = NextEditable(start);
    BlankRange(text, place, place + 1);
    WriteMasked(text, start);
  }
}

void TCustomMaskEdit::PasteMasked(const String& Value) {
  int start = 0, end = 0;
  GetSel(start, end);
  String text = FormatText(EditText());
  BlankRange(text, start, end);
  int place = NextEditable(start);
  for (const char c : Value) {
    if (place >= static_cast<int>(FPlaces.size())) break;
    const TMaskPlace& mask = FPlaces[static_cast<size_t>(place)];
    if (!Accepts(mask, c)) continue;  // literals and foreign characters of the pasted text
    text[static_cast<size_t>(place)] = Converted(mask, c);
    place = NextEditable(place + 1);
  }
  WriteMasked(text, place);
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  const String text = EditText();
  for (size_t i = 0; i < FPlaces.size(); ++i) {
    if (!FPlaces[i].Required) continue;
    if (i >= text.size() || text[i] == FBlank || !Accepts(FPlaces[i], text[i])) {
      if (FHandle) SendMessageW(FHandle, EM_SETSEL, i, i);
      throw EDBEditError("Invalid input value: the text does not fill the edit mask");
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Attributes

String TCustomMaskEdit::EditText() const { return FHandle ? WindowText(FHandle) : FText; }

void TCustomMaskEdit::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustHeight();
}

void TCustomMaskEdit::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
  AdjustHeight();
}

void TCustomMaskEdit::SetHideSelection(bool Value) {
  if (Value == FHideSelection) return;
  FHideSelection = Value;
  RecreateWnd();
}

void TCustomMaskEdit::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (FHandle && !IsMasked()) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomMaskEdit::SetPasswordChar(char Value) {
  if (Value == FPasswordChar) return;
  FPasswordChar = Value;
  // ES_PASSWORD is fixed when the window is made.
  RecreateWnd();
}

void TCustomMaskEdit::SetCharCase(TEditCharCase Value) {
  if (Value == FCharCase) return;
  FCharCase = Value;
  RecreateWnd();
}

void TCustomMaskEdit::GetSel(int& Start, int& End) const {
  Start = End = 0;
  if (!FHandle) return;
  DWORD s = 0, e = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  Start = static_cast<int>(s);
  End = static_cast<int>(e);
}

int TCustomMaskEdit::SelStart() const {
  int start = 0, end = 0;
  GetSel(start, end);
  return start;
}

void TCustomMaskEdit::SetSelStart(int Value) {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomMaskEdit::SelLength() const {
  int start = 0, end = 0;
  GetSel(start, end);
  return end - start;
}

void TCustomMaskEdit::SetSelLength(int Value) {
  if (!FHandle) return;
  const int start = SelStart();
  SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

String TCustomMaskEdit::SelText() const {
  int start = 0, end = 0;
  GetSel(start, end);
  const WideString text = ToWide(EditText());
  start = std::min(start, static_cast<int>(text.size()));
  end = std::min(end, static_cast<int>(text.size()));
  return FromWide(text.c_str() + start, end - start);
}

bool TCustomMaskEdit::Modified() const { return FHandle && SendMessageW(FHandle, EM_GETMODIFY, 0, 0); }

// ---------------------------------------------------------------------------------------------
// Operations: each goes through the window's own message, so that a control that guards those
// messages guards the operations too.

bool TCustomMaskEdit::CanUndo() const { return FHandle && SendMessageW(FHandle, EM_CANUNDO, 0, 0); }

void TCustomMaskEdit::Undo() {
  if (FHandle) SendMessageW(FHandle, WM_UNDO, 0, 0);
}

void TCustomMaskEdit::ClearUndo() {
  if (FHandle) SendMessageW(FHandle, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomMaskEdit::CutToClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_CUT, 0, 0);
}

void TCustomMaskEdit::CopyToClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_COPY, 0, 0);
}

void TCustomMaskEdit::PasteFromClipboard() {
  if (FHandle) SendMessageW(FHandle, WM_PASTE, 0, 0);
}

void TCustomMaskEdit::ClearSelection() {
  if (FHandle) SendMessageW(FHandle, WM_CLEAR, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// The window

void TCustomMaskEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  if (FBorderStyle == TBorderStyle::bsNone) Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FPasswordChar) Params.Style |= ES_PASSWORD;
  if (FCharCase == TEditCharCase::ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == TEditCharCase::ecLowerCase) Params.Style |= ES_LOWERCASE;
}

void TCustomMaskEdit::CreateHandleDone() {
  TCustomEdit::CreateHandleDone();
  if (FPasswordChar) SendMessageW(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  const size_t limit = IsMasked() ? FPlaces.size() : static_cast<size_t>(FMaxLength);
  if (limit) SendMessageW(FHandle, EM_LIMITTEXT, limit, 0);
}

void TCustomMaskEdit::TextChanged() {
  if (IsMasked()) FText = FormatText(FText);
  TCustomEdit::TextChanged();
}

void TCustomMaskEdit::FontChanged() {
  TCustomEdit::FontChanged();
  AdjustHeight();
}

void TCustomMaskEdit::AdjustHeight() {
  if (!FAutoSize) return;
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font().Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Room for the window's own border and the edit's inner margin.
  const int frame = FBorderStyle == TBorderStyle::bsSingle ? 8 : 2;
  SetHeight(metrics.tmHeight + frame);
}

void TCustomMaskEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_DELETE && IsMasked() && !Shift.Contains(TShiftStateItem::ssShift)) {
    DeleteMasked(false);
    Key = 0;
  }
}

void TCustomMaskEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0) return;
  if (Key == '\b') {
    DeleteMasked(true);
    Key = 0;
  } else if (static_cast<unsigned char>(Key) >= ' ') {
    TypeMasked(Key);
    Key = 0;
  }
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (IsMasked() && FHandle) {
    switch (Message.Msg) {
      case WM_CUT:
        CopyToClipboard();
        DeleteMasked(false);
        return;
      case WM_CLEAR:
        DeleteMasked(false);
        return;
      case WM_PASTE:
        PasteMasked(ClipboardText());
        return;
      case WM_CHAR:
        // Characters past ASCII would reach the window unchecked and shift the mask's places.
        if (Message.WParam >= 128) return;
        break;
    }
  }
  TCustomEdit::Dispatch(Message);
}

void RegisterMaskControls(TClassRegistry& Registry) {
  Registry.Register<TCustomMaskEdit>("TCustomMaskEdit", "TCustomEdit")
      .Text("EditMask", &TCustomMaskEdit::SetEditMask)
      .Boolean("AutoSelect", &TCustomMaskEdit::SetAutoSelect)
      .Boolean("AutoSize", &TCustomMaskEdit::SetAutoSize)
      .Enum("BorderStyle", &TCustomMaskEdit::SetBorderStyle,
            std::vector<std::pair<String, TBorderStyle>>{{"bsNone", TBorderStyle::bsNone},
                                                         {"bsSingle", TBorderStyle::bsSingle}})
      .Boolean("HideSelection", &TCustomMaskEdit::SetHideSelection)
      .Integer("MaxLength", &TCustomMaskEdit::SetMaxLength)
      .Custom("PasswordChar",
              [](TCustomMaskEdit& edit, const TFormValue& v, TReadContext&) {
                const String text = formvalue::ToText(v);
                edit.SetPasswordChar(text.empty() ? '\0' : text[0]);
              })
      .Enum("CharCase", &TCustomMaskEdit::SetCharCase,
            std::vector<std::pair<String, TEditCharCase>>{{"ecNormal", TEditCharCase::ecNormal},
                                                          {"ecUpperCase", TEditCharCase::ecUpperCase},
                                                          {"ecLowerCase", TEditCharCase::ecLowerCase}});
  Registry.Register<TMaskEdit>("TMaskEdit", "TCustomMaskEdit");
}

}  // namespace classlib
