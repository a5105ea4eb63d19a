#include "skin/boxes/SkinTimeEdit.h"

#include "platform/classlib/DateFormats.h"

#include <algorithm>

using namespace classlib;

namespace skin {

namespace {

// The fields' places in the text (from 0) and lengths.
struct TFieldPlace {
  size_t Start, Length;
};
constexpr TFieldPlace HourPlace{0, 2}, MinPlace{3, 2}, SecPlace{6, 2}, MSecPlace{9, 3};

const char HoursMask[] = "!90:00;1; ";
const char SecondsMask[] = "!90:00:00;1; ";
const char MillisecondsMask[] = "!90:00:00.000;1; ";

// The field at Place, blanks read as 0; -1 when it is cut short or holds anything but digits.
int FieldValue(const String& S, TFieldPlace Place) {
  if (S.size() < Place.Start + Place.Length) return -1;
  String field = S.substr(Place.Start, Place.Length);
  TskSkinTimeEdit::CheckSpace(field);
  int value = 0;
  for (const char c : field) {
    if (!TskSkinTimeEdit::IsValidChar(c)) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

String Two(int Value) { return Format("%2.2d", Value); }

// The text of the given fields, its separators the user's: the mask's places for ":" hold that
// character.
String TimeText(int Hour, int Min, int Sec, int MSec, int Fields) {
  const String separator(1, TimeSeparator());
  String text = Two(Hour) + separator + Two(Min);
  if (Fields > 2) text += separator + Two(Sec);
  if (Fields > 3) text += "." + Format("%3.3d", MSec);
  return text;
}

}  // namespace

TskSkinTimeEdit::TskSkinTimeEdit(TComponent* AOwner) : TskSkinMaskEdit(AOwner) {
  SetEditMask(SecondsMask);
  SetText(TimeText(0, 0, 0, 0, 3));
  OnKeyPress = [this](TObject*, char& Key) { HandleOnKeyPress(Key); };
}

// ---------------------------------------------------------------------------------------------
// Layout

void TskSkinTimeEdit::SetShowSeconds(bool Value) {
  if (Value == FShowSeconds) return;
  FShowSeconds = Value;
  SetLayout();
}

void TskSkinTimeEdit::SetShowMilliseconds(bool Value) {
  if (Value == FShowMilliseconds) return;
  FShowMilliseconds = Value;
  // Either layout shows the seconds: the flag says so, so that reading the time counts them.
  FShowSeconds = true;
  SetLayout();
}

void TskSkinTimeEdit::SetLayout() {
  if (!FShowSeconds) {
    SetEditMask(HoursMask);
    SetText(TimeText(0, 0, 0, 0, 2));
  } else if (FShowMilliseconds) {
    SetEditMask(MillisecondsMask);
    SetText(TimeText(0, 0, 0, 0, 4));
  } else {
    SetEditMask(SecondsMask);
    SetText(TimeText(0, 0, 0, 0, 3));
  }
}

String TskSkinTimeEdit::LayoutText(const TFields& Fields) const {
  const int shown = !FShowSeconds ? 2 : FShowMilliseconds ? 4 : 3;
  return TimeText(Fields.Hour, Fields.Min, Fields.Sec, Fields.MSec, shown);
}

// ---------------------------------------------------------------------------------------------
// Values

bool TskSkinTimeEdit::ReadFields(const String& S, TFields& Fields) const {
  Fields = TFields{};
  Fields.Hour = FieldValue(S, HourPlace);
  Fields.Min = FieldValue(S, MinPlace);
  if (FShowSeconds) Fields.Sec = FieldValue(S, SecPlace);
  if (FShowSeconds && FShowMilliseconds) Fields.MSec = FieldValue(S, MSecPlace);
  return Fields.Hour >= 0 && Fields.Min >= 0 && Fields.Sec >= 0 && Fields.MSec >= 0;
}

void TskSkinTimeEdit::CheckSpace(String& S) { std::replace(S.begin(), S.end(), ' ', '0'); }

void TskSkinTimeEdit::SetTime(const String& S) {
  TFields fields;
  SetText(LayoutText(ReadFields(S, fields) ? fields : TFields{}));
}

int TskSkinTimeEdit::Milliseconds() const {
  TFields f;
  if (!ReadFields(Text(), f)) return 0;
  return f.MSec + f.Min * 60000 + f.Hour * 3600000 + f.Sec * 1000;
}

void TskSkinTimeEdit::SetMilliseconds(int Value) {
  const int hours = Value / 3600000;
  // A count that does not fit two hour digits gives no text the mask takes.
  const bool fits = Value >= 0 && hours <= 99;
  SetText(fits ? TimeText(hours, Value / 1000 / 60 % 60, Value / 1000 % 60, Value % 1000, 4)
               : TimeText(0, 0, 0, 0, 4));
}

void TskSkinTimeEdit::EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec) {
  if (!IsValidTime(Hour, Min, Sec, MSec)) return;
  SetText(LayoutText(TFields{Hour, Min, Sec, MSec}));
}

void TskSkinTimeEdit::DecodeTime(WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec) const {
  const String& text = Text();
  auto read = [&](TFieldPlace Place, bool Shown, int Limit) {
    return static_cast<WORD>(Shown ? std::clamp(FieldValue(text, Place), 0, Limit) : 0);
  };
  Hour = read(HourPlace, true, 23);
  Min = read(MinPlace, true, 59);
  Sec = read(SecPlace, FShowSeconds, 59);
  MSec = read(MSecPlace, FShowSeconds && FShowMilliseconds, 999);
}

bool TskSkinTimeEdit::IsValidTime(int Hour, int Min, int Sec, int MSec) {
  if (Hour == 24 && Min == 0 && Sec == 0 && MSec == 0) return true;
  return Hour >= 0 && Hour <= 23 && Min >= 0 && Min <= 59 && Sec >= 0 && Sec <= 59 && MSec >= 0 && MSec <= 999;
}

void TskSkinTimeEdit::ValidateEdit() {
  try {
    TskSkinMaskEdit::ValidateEdit();
  } catch (const EDBEditError&) {
    // Leaving an incomplete time is allowed.
  }
}

// ---------------------------------------------------------------------------------------------
// Typing

void TskSkinTimeEdit::HandleOnKeyPress(char& Key) {
  if (Key == '\r' || Key == '\b') return;
  if (SelLength() > 1) SetSelLength(1);
  String candidate = Text();
  if (IsValidChar(Key)) {
    // The digit lands where the mask puts it: on the caret's place, or past a separator there.
    size_t place = static_cast<size_t>(SelStart());
    while (place < candidate.size() && (place == MinPlace.Start - 1 || place == SecPlace.Start - 1 ||
                                        place == MSecPlace.Start - 1))
      ++place;
    if (place < candidate.size()) candidate[place] = Key;
  }
  TFields fields;
  if (!ReadFields(candidate, fields) || !IsValidTime(fields.Hour, fields.Min, fields.Sec, fields.MSec)) Key = 0;
}

}  // namespace skin
