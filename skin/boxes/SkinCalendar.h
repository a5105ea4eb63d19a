// A month as a grid of day numbers on a skinned panel, with buttons that step the month and the
// year; a click on a day picks it. Everything is drawn into the panel's own picture after the
// panel, so the calendar takes the panel's skin and writes its text on top.
//
// Classes in this file: TskSkinMonthCalendar.
#pragma once

#include "platform/classlib/SysUtils.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSpeedButton.h"

#include <array>

namespace skin {

enum class TskDaysOfWeek { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

class TskSkinMonthCalendar : public TskSkinPanel {
public:
  explicit TskSkinMonthCalendar(classlib::TComponent* AOwner);

  // Data members
  classlib::TNotifyEvent OnNumberClick;

  // Attributes
  classlib::TDateTime Date() const { return FDate; }
  void SetDate(classlib::TDateTime Value);
  bool TodayDefault() const { return FTodayDefault; }
  void SetTodayDefault(bool Value);
  TskDaysOfWeek FirstDayOfWeek() const { return FFirstDayOfWeek; }
  void SetFirstDayOfWeek(TskDaysOfWeek Value);
  classlib::TColor DayTextColor() const { return FDayTextColor; }
  classlib::TColor TitleTextColor() const { return FTitleTextColor; }
  // The layout of the last drawing, which the mouse handling reuses.
  int CellWidth() const { return FCellWidth; }
  int RowHeight() const { return FRowHeight; }
  int GridTop() const { return FGridTop; }
  // The step buttons: previous year, previous month, next month, next year.
  TskSkinSpeedButton& Button(int Index) const { return *FButtons[static_cast<size_t>(Index)]; }

  // Operations
  void OffsetMonth(int Delta);
  void OffsetYear(int Delta);
  int DaysThisMonth() const;
  // The day of the grid's column 0 in row 1 (day 1 lies in row 1).
  int GetMonthOffset() const;
  // The day under a point of the control, or 0.
  int DayNumFromPoint(int X, int Y);
  void ArangeControls();
  void PriorYButtonClick();
  void PriorMButtonClick();
  void NextMButtonClick();
  void NextYButtonClick();

  void Loaded() override;
  void SetSkinData(TskSkinData* Value) override;
  void ChangeSkinData() override;
  void SetDefaultCaptionHeight(int Value) override;
  void SetCaptionMode(bool Value) override;
  void Dispatch(classlib::TMessage& Message) override;

protected:
  void CreateControlDefaultImage(classlib::TBitmap& B) override;
  void CreateControlSkinImage(classlib::TBitmap& B) override;
  void MouseUp(classlib::TMouseButton Button, classlib::TShiftState Shift, int X, int Y) override;

private:
  void DrawCalendar(classlib::TCanvas& Canvas);
  void Stepped();

  classlib::TDateTime FDate = 0;
  bool FTodayDefault = false;
  TskDaysOfWeek FFirstDayOfWeek = TskDaysOfWeek::Sun;
  std::array<TskSkinSpeedButton*, 4> FButtons{};  // owned as components
  classlib::TColor FDayTextColor = classlib::clBlack;
  classlib::TColor FTitleTextColor = classlib::clBlack;
  int FCellWidth = 0;
  int FRowHeight = 0;
  int FGridTop = 0;
};

}  // namespace skin
