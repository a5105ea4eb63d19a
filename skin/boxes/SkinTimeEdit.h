// A skinned masked edit for a time of day: hours and minutes, optionally seconds and milliseconds,
// at fixed places of the text. Each typed digit overwrites the character at the caret and is taken
// only when the text stays a time of day.
//
// Classes in this file: TskSkinTimeEdit.
#pragma once

#include "skin/boxes/SkinEdit.h"

namespace skin {

class TskSkinTimeEdit : public TskSkinMaskEdit {
public:
  explicit TskSkinTimeEdit(classlib::TComponent* AOwner);

  // Attributes
  bool ShowSeconds() const { return FShowSeconds; }
  // A change of layout sets its mask and a text of zeros.
  void SetShowSeconds(bool Value);
  bool ShowMilliseconds() const { return FShowMilliseconds; }
  void SetShowMilliseconds(bool Value);
  const classlib::String& Time() const { return Text(); }
  // The fields of S at their places, blanks read as 0, written in the current layout; a text of
  // zeros when a field is not a number.
  void SetTime(const classlib::String& S);
  // Milliseconds since midnight; 0 when a shown field is not a number.
  int Milliseconds() const;
  void SetMilliseconds(int Value);

  // Operations
  // Writes a valid time in the current layout; leaves the text alone otherwise.
  void EncodeTime(WORD Hour, WORD Min, WORD Sec, WORD MSec);
  // The text's fields, unreadable ones and those not shown as 0, each held to its range.
  void DecodeTime(WORD& Hour, WORD& Min, WORD& Sec, WORD& MSec) const;
  // Within a day, or exactly its end (24:00:00.000).
  static bool IsValidTime(int Hour, int Min, int Sec, int MSec);
  static bool IsValidChar(char Ch) { return Ch >= '0' && Ch <= '9'; }
  static void CheckSpace(classlib::String& S);
  // The mask's check, never reporting a failure: a half-typed time may be left.
  void ValidateEdit() override;

private:
  struct TFields {
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
  };
  // The fields of S that the layout shows, blanks as 0; false when one is not a number.
  bool ReadFields(const classlib::String& S, TFields& Fields) const;
  // Fields in the current layout.
  classlib::String LayoutText(const TFields& Fields) const;
  void SetLayout();
  void HandleOnKeyPress(char& Key);

  bool FShowSeconds = true;
  bool FShowMilliseconds = false;
};

}  // namespace skin
