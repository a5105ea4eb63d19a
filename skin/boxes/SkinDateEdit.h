// A skinned button edit for a date. The text is typed through a mask built from the user's short
// date picture, each key is checked so the text can still become a date, and a complete date
// moves the month calendar that the button drops down; a day picked there comes back as text.
// The calendar holds the date.
//
// Classes in this file: TskPopupCalendar, TskSkinDateEdit.
#pragma once

#include "skin/boxes/SkinCalendar.h"
#include "skin/boxes/SkinEdit.h"

#include <cstdint>

namespace skin {

// The month calendar as a drop-down: a borderless tool window that never takes the activation, so
// the edit's form stays active while it is open.
class TskPopupCalendar : public TskSkinMonthCalendar {
public:
  explicit TskPopupCalendar(classlib::TComponent* AOwner);

  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateParams(classlib::TCreateParams& Params) override;
};

class TskSkinDateEdit : public TskSkinEdit {
public:
  explicit TskSkinDateEdit(classlib::TComponent* AOwner);
  ~TskSkinDateEdit() override;

  classlib::TNotifyEvent OnDateChange;

  // Attributes
  classlib::TDateTime Date() const { return FCalendar->Date(); }
  // The calendar's date; the text follows (but not while a form is read without TodayDefault), and
  // OnDateChange fires.
  void SetDate(classlib::TDateTime Value);
  bool TodayDefault() const { return FTodayDefault; }
  void SetTodayDefault(bool Value);
  int CalendarWidth() const { return FCalendar->Width(); }
  void SetCalendarWidth(int Value) { FCalendar->SetWidth(Value); }
  int CalendarHeight() const { return FCalendar->Height(); }
  void SetCalendarHeight(int Value) { FCalendar->SetHeight(Value); }
  classlib::TFont& CalendarFont() const { return FCalendar->DefaultFont(); }
  void SetCalendarFont(const classlib::TFont& Value) { FCalendar->SetDefaultFont(Value); }
  bool CalendarAlphaBlend() const { return FCalendarAlphaBlend; }
  void SetCalendarAlphaBlend(bool Value) { FCalendarAlphaBlend = Value; }
  std::uint8_t CalendarAlphaBlendValue() const { return FCalendarAlphaBlendValue; }
  void SetCalendarAlphaBlendValue(std::uint8_t Value) { FCalendarAlphaBlendValue = Value; }
  bool CalendarAlphaBlendAnimation() const { return FCalendarAlphaBlendAnimation; }
  void SetCalendarAlphaBlendAnimation(bool Value) { FCalendarAlphaBlendAnimation = Value; }
  TskDaysOfWeek FirstDayOfWeek() const { return FCalendar->FirstDayOfWeek(); }
  void SetFirstDayOfWeek(TskDaysOfWeek Value) { FCalendar->SetFirstDayOfWeek(Value); }
  TskPopupCalendar& Calendar() const { return *FCalendar; }

  // Operations: the checks and conversions of the text, each reading the user's short date picture
  // afresh.
  // "!", one mask per field of the picture (day 9, month 9 or L, year 0) joined by "/", ";1; ".
  static classlib::String GetDateMask();
  // A complete date of the picture's kind.
  bool IsValidText(const classlib::String& Text) const;
  // A text that typing can still make a date: each field incomplete or in its range.
  bool IsValidText2(const classlib::String& Text) const;
  bool IsDateInput() const { return IsValidText(Text()); }
  static bool IsOnlyNumbers(const classlib::String& S);
  static bool IsOnlyNumbers2(const classlib::String& S);
  // Month texts of the picture compare without regard to case.
  static bool IsMonth(const classlib::String& S);
  // The first month whose text S is, or 1.
  static int DecodeMonth(const classlib::String& S);
  // The month as the picture writes it in Date: its first field that is not all digits.
  static classlib::String ExtactMonth(classlib::TDateTime Date);
  // A month-text date: EConvertError for a day its month lacks.
  static classlib::TDateTime MyStrToDate(const classlib::String& Text);
  // A complete typed date moves the calendar; OnDateChange when that changed the date.
  void CheckValidDate();

  void DropDown();
  void CloseUp(bool Accept);
  void ButtonClick(classlib::TObject* Sender);
  void CalendarClick(classlib::TObject* Sender);

  // The mask's check, never reporting a failure: a half-typed date may be left.
  void ValidateEdit() override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void Loaded() override;
  void Change() override;

private:
  void HandleOnKeyPress(char& Key);
  // Writes the date held as text, with the guard that keeps the text from being read back.
  void WriteDateText();
  // TakeFocus: the edit takes the focus back; never while it is losing it.
  void CloseCalendar(bool Accept, bool TakeFocus);
  bool Blending() const;

  TskPopupCalendar* FCalendar = nullptr;  // owned, freed with the edit
  bool FTodayDefault = false;
  bool FSettingText = false;
  bool FCalendarAlphaBlend = false;
  std::uint8_t FCalendarAlphaBlendValue = 0;
  bool FCalendarAlphaBlendAnimation = false;
};

}  // namespace skin
