#include "skin/boxes/SkinCalendar.h"

#include "platform/classlib/LocaleNames.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/Skutils.h"

namespace skin {

using namespace classlib;

namespace {

constexpr int ButtonSize = 23;
constexpr int FirstYear = 1761;
constexpr int LastYear = 9999;

struct TButtonPlan {
  const char* Glyph;
  int Interval;
};
constexpr TButtonPlan ButtonPlans[4] = {
    {"SK_PRIORYEAR", 100}, {"SK_PRIORMONTH", 250}, {"SK_NEXTMONTH", 250}, {"SK_NEXTYEAR", 100}};

}  // namespace

TskSkinMonthCalendar::TskSkinMonthCalendar(TComponent* AOwner) : TskSkinPanel(AOwner) {
  SetBorderStyle(TskSkinBorderStyle::bvFrame);
  const std::array<void (TskSkinMonthCalendar::*)(), 4> clicks{
      &TskSkinMonthCalendar::PriorYButtonClick, &TskSkinMonthCalendar::PriorMButtonClick,
      &TskSkinMonthCalendar::NextMButtonClick, &TskSkinMonthCalendar::NextYButtonClick};
  for (size_t i = 0; i < FButtons.size(); ++i) {
    auto* button = new TskSkinSpeedButton(this);  // owned by the calendar as its component
    button->SetSkinDataName("resizebutton");
    button->SetBounds(0, 0, ButtonSize, ButtonSize);
    // A program without the glyph resource still gets working buttons, only without pictures.
    if (FindResourceA(GetModuleHandleW(nullptr), ButtonPlans[i].Glyph, MAKEINTRESOURCEA(2))) {
      TBitmap glyph;
      glyph.LoadFromResourceName(GetModuleHandleW(nullptr), ButtonPlans[i].Glyph);
      button->SetGlyph(glyph);
    }
    button->SetNumGlyphs(1);
    button->SetRepeatMode(true);
    button->SetRepeatInterval(ButtonPlans[i].Interval);
    const auto click = clicks[i];
    button->OnClick = [this, click](TObject*) { (this->*click)(); };
    button->SetParent(this);
    FButtons[i] = button;
  }
  SetBounds(Left(), Top(), 200, 150);
  FDate = Today();
  ArangeControls();
}

// ---------------------------------------------------------------------------------------------
// Attributes

void TskSkinMonthCalendar::SetDate(TDateTime Value) {
  FDate = Value;
  Repaint();
}

void TskSkinMonthCalendar::SetTodayDefault(bool Value) {
  FTodayDefault = Value;
  if (Value) SetDate(Today());
}

void TskSkinMonthCalendar::SetFirstDayOfWeek(TskDaysOfWeek Value) {
  FFirstDayOfWeek = Value;
  Repaint();
}

// ---------------------------------------------------------------------------------------------
// Dates

int TskSkinMonthCalendar::DaysThisMonth() const {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  return DaysPerMonth(y, m);
}

void TskSkinMonthCalendar::OffsetMonth(int Delta) {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  int month = m + Delta;
  if (month > 12) month = 1;
  if (month < 1) month = 12;
  const int day = std::min<int>(d, DaysPerMonth(y, month));
  SetDate(EncodeDate(y, static_cast<WORD>(month), static_cast<WORD>(day)));
}

void TskSkinMonthCalendar::OffsetYear(int Delta) {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  const int year = y + Delta;
  if (year < FirstYear || year > LastYear) return;
  const int day = std::min<int>(d, DaysPerMonth(year, m));
  SetDate(EncodeDate(static_cast<WORD>(year), m, static_cast<WORD>(day)));
}

void TskSkinMonthCalendar::Stepped() {
  if (OnClick) OnClick(this);
}

// A month step across the year's end takes the year step first; when that is refused (the
// calendar's first or last year) the month does not wrap round within the same year either.
void TskSkinMonthCalendar::NextMButtonClick() {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  if (m != 12 || y < LastYear) {
    if (m == 12) OffsetYear(1);
    OffsetMonth(1);
  }
  Stepped();
}

void TskSkinMonthCalendar::PriorMButtonClick() {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  if (m != 1 || y > FirstYear) {
    if (m == 1) OffsetYear(-1);
    OffsetMonth(-1);
  }
  Stepped();
}

void TskSkinMonthCalendar::NextYButtonClick() {
  OffsetYear(1);
  Stepped();
}

void TskSkinMonthCalendar::PriorYButtonClick() {
  OffsetYear(-1);
  Stepped();
}

// ---------------------------------------------------------------------------------------------
// Grid

int TskSkinMonthCalendar::GetMonthOffset() const {
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  const int weekday = DayOfWeek(EncodeDate(y, m, 1));
  const int k = (weekday - static_cast<int>(FFirstDayOfWeek) + 7) % 7;
  const int offset = 2 - k;
  return offset == 2 ? -5 : offset;
}

int TskSkinMonthCalendar::DayNumFromPoint(int X, int Y) {
  const TRect r = GetSkinClientRect();
  const TPoint p = Point(X, Y);
  if (!PtInRect(&r, p) || FCellWidth <= 0 || FRowHeight <= 0) return 0;
  const int offset = GetMonthOffset();
  for (int row = 0; row <= 6; ++row) {
    const int base = FGridTop + 3 + row * FRowHeight;
    for (int col = 0; col <= 6; ++col) {
      const int x = r.left + 1 + col * FCellWidth;
      const TRect cell = Rect(x, base - FRowHeight, x + FCellWidth, base);
      if (!PtInRect(&cell, p)) continue;
      const int day = offset + col + 7 * (row - 1);
      return day >= 1 && day <= DaysThisMonth() ? day : 0;
    }
  }
  return 0;
}

void TskSkinMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TskSkinPanel::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  const int day = DayNumFromPoint(X, Y);
  if (day == 0) return;
  WORD y, m, d;
  DecodeDate(FDate, y, m, d);
  SetDate(EncodeDate(y, m, static_cast<WORD>(day)));
  if (OnNumberClick) OnNumberClick(this);
}

// ---------------------------------------------------------------------------------------------
// Layout and skin

void TskSkinMonthCalendar::ArangeControls() {
  if (!FButtons[3]) return;
  const TRect r = GetSkinClientRect();
  const int y = r.top + 1;
  FButtons[0]->SetBounds(r.left + 1, y, ButtonSize, ButtonSize);
  FButtons[1]->SetBounds(r.left + 25, y, ButtonSize, ButtonSize);
  FButtons[3]->SetBounds(r.right - 24, y, ButtonSize, ButtonSize);
  FButtons[2]->SetBounds(r.right - 48, y, ButtonSize, ButtonSize);
}

void TskSkinMonthCalendar::Loaded() {
  TskSkinPanel::Loaded();
  if (FTodayDefault) SetDate(Today());
}

void TskSkinMonthCalendar::SetSkinData(TskSkinData* Value) {
  TskSkinPanel::SetSkinData(Value);
  for (TskSkinSpeedButton* button : FButtons)
    if (button) button->SetSkinData(Value);
}

void TskSkinMonthCalendar::ChangeSkinData() {
  if (FSkinData) {
    const int index = FSkinData->GetControlIndex("stdlabel");
    if (index != -1) {
      const auto* label =
          dynamic_cast<const TskDataSkinStdLabelControl*>(FSkinData->CtrlList[static_cast<size_t>(index)].get());
      FDayTextColor = label ? label->FontColor : DefaultFont().Color();
      FTitleTextColor = label ? label->ActiveFontColor : DefaultFont().Color();
    }
  }
  TskSkinPanel::ChangeSkinData();
  ArangeControls();
}

void TskSkinMonthCalendar::SetDefaultCaptionHeight(int Value) {
  TskSkinPanel::SetDefaultCaptionHeight(Value);
  ArangeControls();
  Repaint();
}

void TskSkinMonthCalendar::SetCaptionMode(bool Value) {
  TskSkinPanel::SetCaptionMode(Value);
  ArangeControls();
  Repaint();
}

void TskSkinMonthCalendar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND:
      // Outside its own painting the whole control is drawn onto the erased surface at once.
      if (!FInWMPaint) PaintWindow(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_SIZE:
      TskSkinPanel::Dispatch(Message);
      ArangeControls();
      return;
    default:
      TskSkinPanel::Dispatch(Message);
  }
}

// ---------------------------------------------------------------------------------------------
// Drawing

void TskSkinMonthCalendar::CreateControlDefaultImage(TBitmap& B) {
  TskSkinPanel::CreateControlDefaultImage(B);
  DrawCalendar(*B.Canvas());
}

void TskSkinMonthCalendar::CreateControlSkinImage(TBitmap& B) {
  TskSkinPanel::CreateControlSkinImage(B);
  DrawCalendar(*B.Canvas());
}

void TskSkinMonthCalendar::DrawCalendar(TCanvas& Canvas) {
  const bool skinned = Skinned();
  const TRect r = GetSkinClientRect();
  Canvas.SetFont(DefaultFont());
  if (FSkinData && FSkinData->ResourceStrData()) Canvas.Font()->SetCharset(FSkinData->ResourceStrData()->CharSet());
  Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
  TFontStyles bold = Canvas.Font()->Style();
  bold.Include(TFontStyle::fsBold);
  Canvas.Font()->SetStyle(bold);

  WORD year, month, today;
  DecodeDate(FDate, year, month, today);
  const String title = LongMonthName(month) + ", " + IntToStr(year);
  if (skinned) Canvas.Font()->SetColor(FTitleTextColor);
  Canvas.TextOut(Width() / 2 - Canvas.TextExtent(title).cx / 2 - 2, r.top + 3, title);
  if (skinned) Canvas.Font()->SetColor(DefaultFont().Color());

  FCellWidth = (RectWidth(r) - 2) / 7;
  for (int col = 0; col < 7; ++col) {
    const String name = ShortDayName((static_cast<int>(FFirstDayOfWeek) + col) % 7 + 1);
    const int x = r.left + 1 + col * FCellWidth;
    Canvas.TextOut(x + FCellWidth / 2 - Canvas.TextExtent(name).cx / 2, r.top + 33, name);
  }
  FGridTop = r.top + 33 + Canvas.TextExtent("Wq").cy + 1;
  Canvas.Pen()->SetColor(Canvas.Font()->Color());
  Canvas.MoveTo(r.left + 1, FGridTop);
  Canvas.LineTo(r.right - 1, FGridTop);

  TFontStyles regular = Canvas.Font()->Style();
  regular.Exclude(TFontStyle::fsBold);
  Canvas.Font()->SetStyle(regular);
  FRowHeight = (r.bottom - FGridTop - 4) / 6;
  if (skinned) Canvas.Font()->SetColor(FDayTextColor);
  const int offset = GetMonthOffset();
  const int days = DaysThisMonth();
  for (int row = 0; row <= 6; ++row) {
    const int base = FGridTop + 3 + row * FRowHeight;
    for (int col = 0; col <= 6; ++col) {
      const int day = offset + col + 7 * (row - 1);
      if (day < 1 || day > days) continue;
      const int x = r.left + 1 + col * FCellWidth;
      const String text = IntToStr(day);
      const TSize size = Canvas.TextExtent(text);
      Canvas.TextOut(x + FCellWidth / 2 - size.cx / 2, base - FRowHeight / 2 - size.cy / 2, text);
      if (day == today) {
        Canvas.Pen()->SetColor(skinned ? FTitleTextColor : Canvas.Font()->Color());
        Canvas.Brush()->SetStyle(TBrushStyle::bsClear);
        Canvas.Rectangle(x, base - FRowHeight, x + FCellWidth, base);
      }
    }
  }
}

}  // namespace skin
