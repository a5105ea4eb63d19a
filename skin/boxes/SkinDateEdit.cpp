#include "skin/boxes/SkinDateEdit.h"

#include "platform/classlib/DateFormats.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/LocaleNames.h"
#include "skin/data/Skutils.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

using namespace classlib;

namespace skin {

namespace {

bool IsLoading(const TComponent& Component) {
  return Component.ComponentState().Contains(TComponentStateItem::csLoading);
}

bool IsDigits(const String& S) {
  return !S.empty() &&
         std::all_of(S.begin(), S.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

int Number(const String& S) {
  int value = 0;
  for (const char c : S) value = std::min(value * 10 + (c - '0'), 99999);
  return value;
}

std::vector<String> SplitFields(const String& S, char Separator) {
  std::vector<String> fields(1);
  for (const char c : S) {
    if (c == Separator) fields.emplace_back();
    else fields.back() += c;
  }
  return fields;
}

String WithoutBlanks(String S) {
  S.erase(std::remove(S.begin(), S.end(), ' '), S.end());
  return S;
}

enum class TFieldKind { Day, Month, Year, Unknown };

// The user's short date picture as the last day it can write, 31 December 9999: its fields tell
// which is the day (31), the month (12, or a text) and the year (99 or 9999).
struct TDatePattern {
  char Separator = '/';
  std::vector<String> Max;
  std::vector<TFieldKind> Kinds;
  bool MonthName = false;

  TDatePattern() : Separator(DateSeparator()), Max(SplitFields(DateToStr(EncodeDate(9999, 12, 31)), Separator)) {
    for (const String& field : Max) {
      const int value = IsDigits(field) ? Number(field) : -1;
      TFieldKind kind = TFieldKind::Unknown;
      if (value == 31) kind = TFieldKind::Day;
      else if (value == 12) kind = TFieldKind::Month;
      else if (value == 99 || value == 9999) kind = TFieldKind::Year;
      else if (value == -1 && !field.empty()) kind = TFieldKind::Month;
      if (value == -1 && kind == TFieldKind::Month) MonthName = true;
      Kinds.push_back(kind);
    }
  }
  // Three fields, each kind once: a picture the edit can work with.
  bool Usable() const {
    return Kinds.size() == 3 && Index(TFieldKind::Day) >= 0 && Index(TFieldKind::Month) >= 0 &&
           Index(TFieldKind::Year) >= 0;
  }
  int Index(TFieldKind Kind) const {
    const auto found = std::find(Kinds.begin(), Kinds.end(), Kind);
    return found == Kinds.end() ? -1 : static_cast<int>(found - Kinds.begin());
  }
  const String& MaxOf(TFieldKind Kind) const { return Max[static_cast<size_t>(Index(Kind))]; }
};

// The day, month and year of a month-text date, the year in its century as the digit dates get it.
bool TryMonthTextDate(const String& Text, TDateTime& Date) {
  const TDatePattern pattern;
  if (!pattern.Usable()) return false;
  const std::vector<String> fields = SplitFields(Text, pattern.Separator);
  if (fields.size() != 3) return false;
  const String& dayText = fields[static_cast<size_t>(pattern.Index(TFieldKind::Day))];
  const String& yearText = fields[static_cast<size_t>(pattern.Index(TFieldKind::Year))];
  if (!IsDigits(dayText) || !IsDigits(yearText)) return false;
  const int day = Number(dayText);
  int year = Number(yearText);
  if (yearText.size() <= 2) year = ExpandTwoDigitYear(year);
  const int month = TskSkinDateEdit::DecodeMonth(fields[static_cast<size_t>(pattern.Index(TFieldKind::Month))]);
  if (year < 1 || year > 9999 || day < 1 || day > DaysPerMonth(year, month)) return false;
  Date = EncodeDate(static_cast<WORD>(year), static_cast<WORD>(month), static_cast<WORD>(day));
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TskPopupCalendar

TskPopupCalendar::TskPopupCalendar(TComponent* AOwner) : TskSkinMonthCalendar(AOwner) { SetVisible(false); }

void TskPopupCalendar::CreateParams(TCreateParams& Params) {
  TskSkinMonthCalendar::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.ClassStyle |= CS_SAVEBITS;
  if (CheckWXP()) Params.ClassStyle |= CS_DROPSHADOW;
  // A pop-up's position is on the screen; it is placed when it drops down.
  Params.X = 0;
  Params.Y = 0;
}

void TskPopupCalendar::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_MOUSEACTIVATE) {
    Message.Result = MA_NOACTIVATE;
    return;
  }
  TskSkinMonthCalendar::Dispatch(Message);
}

// ---------------------------------------------------------------------------------------------
// TskSkinDateEdit

TskSkinDateEdit::TskSkinDateEdit(TComponent* AOwner) : TskSkinEdit(AOwner) {
  SetEditMask(GetDateMask());
  SetButtonMode(true);
  SetSkinDataName("buttonedit");
  FCalendar = new TskPopupCalendar(this);
  FCalendar->SetParent(this);
  FCalendar->OnNumberClick = [this](TObject* Sender) { CalendarClick(Sender); };
  OnButtonClick = [this](TObject* Sender) { ButtonClick(Sender); };
  OnKeyPress = [this](TObject*, char& Key) { HandleOnKeyPress(Key); };
}

TskSkinDateEdit::~TskSkinDateEdit() {
  std::unique_ptr<TskPopupCalendar> calendar(FCalendar);
  FCalendar = nullptr;
}

void TskSkinDateEdit::Loaded() {
  TskSkinEdit::Loaded();
  SetEditMask(GetDateMask());
  if (FTodayDefault) SetDate(Today());
}

// ---------------------------------------------------------------------------------------------
// The date

void TskSkinDateEdit::SetDate(TDateTime Value) {
  FCalendar->SetDate(Value);
  if (!IsLoading(*this) || FTodayDefault) WriteDateText();
  if (OnDateChange) OnDateChange(this);
}

void TskSkinDateEdit::SetTodayDefault(bool Value) {
  FTodayDefault = Value;
  if (Value) SetDate(Today());
}

// A field shorter than the mask's (a day or month written without its leading zero) is padded,
// so that every character lands on its own place of the mask.
void TskSkinDateEdit::WriteDateText() {
  const TDatePattern pattern;
  std::vector<String> fields = SplitFields(DateToStr(FCalendar->Date()), pattern.Separator);
  String text;
  for (size_t i = 0; i < fields.size(); ++i) {
    String& field = fields[i];
    if (pattern.Usable() && field.size() < pattern.Max[i].size()) {
      const size_t missing = pattern.Max[i].size() - field.size();
      if (IsDigits(field)) field.insert(0, missing, '0');
      else field.append(missing, ' ');
    }
    text += (i ? String(1, pattern.Separator) : String()) + field;
  }
  FSettingText = true;
  SetText(text);
  FSettingText = false;
}

void TskSkinDateEdit::Change() {
  TskSkinEdit::Change();
  if (!FSettingText) CheckValidDate();
}

void TskSkinDateEdit::CheckValidDate() {
  const String text = Text();
  if (!IsValidText(text)) return;
  const TDateTime before = FCalendar->Date();
  TDateTime date = before;
  // A day its month lacks (31 April) is no date: the one held stays.
  const bool converted = IsOnlyNumbers(text) ? TryStrToDate(text, date) : TryMonthTextDate(text, date);
  if (converted) FCalendar->SetDate(date);
  if (FCalendar->Date() != before && OnDateChange) OnDateChange(this);
}

TDateTime TskSkinDateEdit::MyStrToDate(const String& Text) {
  TDateTime date = 0;
  if (!TryMonthTextDate(Text, date)) throw EConvertError("'" + Text + "' is not a valid date");
  return date;
}

// ---------------------------------------------------------------------------------------------
// The checks

String TskSkinDateEdit::GetDateMask() {
  const TDatePattern pattern;
  if (!pattern.Usable()) return String();
  String mask = "!";
  for (size_t i = 0; i < pattern.Max.size(); ++i) {
    const TFieldKind kind = pattern.Kinds[i];
    const char place = kind == TFieldKind::Year ? '0' : kind == TFieldKind::Month && pattern.MonthName ? 'L' : '9';
    mask += (i ? "/" : "") + String(pattern.Max[i].size(), place);
  }
  return mask + ";1; ";
}

bool TskSkinDateEdit::IsOnlyNumbers(const String& S) {
  const char separator = DateSeparator();
  return std::all_of(S.begin(), S.end(),
                     [separator](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == separator; });
}

bool TskSkinDateEdit::IsOnlyNumbers2(const String& S) {
  const char separator = DateSeparator();
  return std::all_of(S.begin(), S.end(), [separator](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == ' ' || c == separator;
  });
}

bool TskSkinDateEdit::IsValidText2(const String& Text) const {
  const TDatePattern pattern;
  if (!pattern.Usable()) return true;
  const std::vector<String> fields = SplitFields(Text, pattern.Separator);
  if (fields.size() != 3) return false;
  // A month-text picture is typed field by field: its digit fields are held to digits below.
  if (!pattern.MonthName && !IsOnlyNumbers2(Text)) return false;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].find("  ") != String::npos) continue;  // still being typed
    const String rest = WithoutBlanks(fields[i]);
    const TFieldKind kind = pattern.Kinds[i];
    if (rest.empty() || (kind == TFieldKind::Month && pattern.MonthName)) continue;
    if (!IsDigits(rest)) return false;
    const int value = Number(rest);
    const bool single = rest.size() == 1;
    switch (kind) {
      case TFieldKind::Day:
        if (single ? value > 3 : value < 1 || value > 31) return false;
        break;
      case TFieldKind::Month:
        if (single ? value > 1 : value < 1 || value > 12) return false;
        break;
      default:
        // A two-place year starts with its 0 as "05" does; only the zero years are refused.
        if (single && value == 0 && pattern.Max[i].size() > 1) break;
        if (value < 1 || value > Number(pattern.Max[i])) return false;
    }
  }
  return true;
}

bool TskSkinDateEdit::IsValidText(const String& Text) const {
  const TDatePattern pattern;
  if (!pattern.Usable() || Text.find(' ') != String::npos) return false;
  if (IsOnlyNumbers(Text) == pattern.MonthName) return false;
  const std::vector<String> fields = SplitFields(Text, pattern.Separator);
  if (fields.size() != 3) return false;
  for (const String& field : fields)
    if (field.empty()) return false;
  const auto field = [&](TFieldKind Kind) -> const String& { return fields[static_cast<size_t>(pattern.Index(Kind))]; };
  const String& day = field(TFieldKind::Day);
  const String& month = field(TFieldKind::Month);
  const String& year = field(TFieldKind::Year);
  if (!IsDigits(day) || !IsDigits(year)) return false;
  if (year.size() > 1 && Number(year) == 0) return false;
  if (Number(year) > Number(pattern.MaxOf(TFieldKind::Year))) return false;
  if (Number(day) < 1 || Number(day) > 31) return false;
  if (pattern.MonthName) return month.size() == pattern.MaxOf(TFieldKind::Month).size() && IsMonth(month);
  return IsDigits(month) && Number(month) >= 1 && Number(month) <= 12;
}

String TskSkinDateEdit::ExtactMonth(TDateTime Date) {
  for (const String& field : SplitFields(DateToStr(Date), DateSeparator()))
    if (!IsDigits(field)) return field;
  return String();
}

bool TskSkinDateEdit::IsMonth(const String& S) {
  for (WORD m = 1; m <= 12; ++m)
    if (AnsiCompareText(S, ExtactMonth(EncodeDate(9999, m, 1))) == 0) return true;
  return false;
}

int TskSkinDateEdit::DecodeMonth(const String& S) {
  for (WORD m = 1; m <= 12; ++m)
    if (AnsiCompareText(S, ExtactMonth(EncodeDate(9999, m, 1))) == 0) return m;
  return 1;
}

void TskSkinDateEdit::HandleOnKeyPress(char& Key) {
  if (Key == '\r' || Key == '\b') return;
  String candidate = Text();
  // The character lands where the mask puts it: on the caret's place, or past a separator there.
  const char separator = DateSeparator();
  size_t place = static_cast<size_t>(std::max(SelStart(), 0));
  while (place < candidate.size() && candidate[place] == separator) ++place;
  if (place < candidate.size()) candidate[place] = Key;
  else candidate += Key;
  if (!IsValidText2(candidate)) Key = 0;
}

void TskSkinDateEdit::ValidateEdit() {
  try {
    TskSkinEdit::ValidateEdit();
  } catch (const EDBEditError&) {
    // Leaving an incomplete date is allowed.
  }
}

// ---------------------------------------------------------------------------------------------
// The drop-down

bool TskSkinDateEdit::Blending() const { return FCalendarAlphaBlend && CheckW2KWXP(); }

void TskSkinDateEdit::DropDown() {
  const TPoint corner = Parent() ? Parent()->ClientToScreen(Point(Left(), Top())) : Point(Left(), Top());
  int y = corner.y + Height();
  if (y + FCalendar->Height() > GetSystemMetrics(SM_CYSCREEN)) y = corner.y - FCalendar->Height();
  const HWND window = FCalendar->Handle();
  const bool blend = Blending();
  if (blend) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetAlphaBlendTransparent(window, 0);
  }
  FCalendar->SetSkinData(SkinData());
  SetWindowPos(window, HWND_TOP, corner.x, y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  FCalendar->SetVisible(true);
  if (!blend) return;
  const TskPopupCalendar* calendar = FCalendar;
  const std::uint8_t value = FCalendarAlphaBlendValue;
  const bool animate = FCalendarAlphaBlendAnimation;
  Application->ProcessMessages();
  // A handler run just now may have freed the edit and its calendar with it.
  if (!IsWindow(window) || TWinControl::FindControl(window) != calendar) return;
  for (int alpha = animate ? 2 : value;; alpha += 2) {
    const auto step = static_cast<std::uint8_t>(std::min<int>(alpha, value));
    SetAlphaBlendTransparent(window, step);
    if (step == value) break;
  }
}

void TskSkinDateEdit::CloseUp(bool Accept) { CloseCalendar(Accept, true); }

void TskSkinDateEdit::CloseCalendar(bool Accept, bool TakeFocus) {
  if (!FCalendar->Visible()) return;
  const HWND window = FCalendar->Handle();
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  FCalendar->SetVisible(false);
  if (Blending())
    SetWindowLongPtrW(window, GWL_EXSTYLE,
                      GetWindowLongPtrW(window, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  if (Accept) {
    WriteDateText();
    if (OnDateChange) OnDateChange(this);
  }
  if (TakeFocus && CanFocus()) SetFocus();
}

void TskSkinDateEdit::ButtonClick(TObject*) {
  if (FCalendar->Visible()) CloseUp(false);
  else DropDown();
}

void TskSkinDateEdit::CalendarClick(TObject*) { CloseUp(true); }

void TskSkinDateEdit::Dispatch(TMessage& Message) {
  if (!FCalendar) {  // going: the calendar is gone already
    TskSkinEdit::Dispatch(Message);
    return;
  }
  switch (Message.Msg) {
    case CM_CANCELMODE: {
      // The inner edit's own cancel handling (OnEditCancelMode) is not this control's.
      TCustomMaskEdit::Dispatch(Message);
      const auto* sender = reinterpret_cast<TControl*>(Message.LParam);
      bool inCalendar = false;
      for (const TControl* c = sender; c && !inCalendar; c = c->Parent()) inCalendar = c == FCalendar;
      if (!inCalendar) CloseUp(false);
      return;
    }
    case WM_KILLFOCUS:
      TskSkinEdit::Dispatch(Message);
      if (!FCalendar->Visible() && FTodayDefault) WriteDateText();
      else if (!FCalendar->HandleAllocated() || reinterpret_cast<HWND>(Message.WParam) != FCalendar->Handle())
        CloseCalendar(false, false);
      return;
    case WM_KEYDOWN:
      TskSkinEdit::Dispatch(Message);
      CloseUp(false);
      return;
  }
  TskSkinEdit::Dispatch(Message);
}

}  // namespace skin
