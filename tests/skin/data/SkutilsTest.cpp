#include "tests/support/testing.h"

#include "skin/data/Skutils.h"

#include <cmath>

using namespace classlib;
using namespace skin;

namespace {

TEST(SkutilsGeometry, NullRectanglesAndPoints) {
  const struct {
    TRect r;
    bool null;
  } rects[] = {
      {{0, 0, 0, 0}, true}, {{5, 5, 5, 20}, true}, {{10, 0, 0, 10}, true}, {{0, 10, 10, 0}, true},
      {{0, 0, 1, 1}, false}, {{-5, -5, -4, -4}, false},
  };
  for (const auto& row : rects) EXPECT_EQ(IsNullRect(row.r), row.null) << row.r.left << "," << row.r.right;
  EXPECT_TRUE(EqRects(NullRect(), TRect{0, 0, 0, 0}));
  EXPECT_TRUE(IsNullPoint(TPoint{0, 7}));
  EXPECT_TRUE(IsNullPoint(TPoint{7, 0}));
  EXPECT_FALSE(IsNullPoint(TPoint{7, 7}));
  EXPECT_FALSE(IsNullPoint(TPoint{-1, 3}));
  EXPECT_EQ(RectWidth(TRect{10, 0, 0, 10}), -10);
  EXPECT_EQ(RectHeight(TRect{0, 3, 0, 10}), 7);
  EXPECT_FALSE(EqRects(TRect{0, 0, 1, 1}, TRect{0, 0, 1, 2}));
  EXPECT_TRUE(EqPoints(TPoint{3, 4}, TPoint{3, 4}));
  EXPECT_FALSE(EqPoints(TPoint{3, 4}, TPoint{4, 3}));
}

TEST(SkutilsGeometry, PointInRectCountsEveryEdgeRectInRectExcludesRightAndBottom) {
  const TRect r{0, 0, 10, 10};
  EXPECT_TRUE(PointInRect(r, TPoint{10, 10}));
  EXPECT_TRUE(PointInRect(r, TPoint{0, 0}));
  EXPECT_FALSE(PointInRect(r, TPoint{11, 5}));
  EXPECT_FALSE(PointInRect(r, TPoint{5, -1}));
  EXPECT_FALSE(RectInRect(TRect{0, 0, 10, 10}, r));
  EXPECT_TRUE(RectInRect(TRect{1, 1, 9, 9}, r));
  EXPECT_TRUE(RectInRect(TRect{0, 0, 9, 9}, r));
  EXPECT_FALSE(RectInRect(TRect{-1, 0, 9, 9}, r));
}

TEST(SkutilsGeometry, RectToCenterMovesInPlaceAndTruncatesTowardZero) {
  const struct {
    TRect r, bounds, expected;
  } rows[] = {
      {{0, 0, 4, 4}, {10, 10, 21, 21}, {13, 13, 17, 17}},
      {{0, 0, 7, 7}, {0, 0, 4, 4}, {-1, -1, 6, 6}},
      {{50, 60, 54, 66}, {0, 0, 10, 10}, {3, 2, 7, 8}},
  };
  for (const auto& row : rows) {
    TRect r = row.r;
    const TRect result = RectToCenter(r, row.bounds);
    EXPECT_TRUE(EqRects(r, row.expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_TRUE(EqRects(result, row.expected));
  }
  EXPECT_EQ(Max(3, 3), 3);
  EXPECT_EQ(Min(3, 3), 3);
  EXPECT_EQ(Max(-1, -5), -1);
  EXPECT_EQ(Min(-1, -5), -5);
}

TEST(SkutilsSystem, VersionTests) {
  const struct {
    int major, minor;
    bool w2kwxp, wxp;
  } rows[] = {{5, 0, true, false}, {5, 1, true, true}, {5, 2, true, false}, {6, 0, false, false},
              {4, 0, false, false}, {4, 10, false, false}, {6, 1, false, false}, {5, 3, false, false}};
  for (const auto& row : rows) {
    EXPECT_EQ(CheckW2KWXP(row.major, row.minor), row.w2kwxp) << row.major << "." << row.minor;
    EXPECT_EQ(CheckWXP(row.major, row.minor), row.wxp) << row.major << "." << row.minor;
  }
  int major = -1, minor = -1;
  GetWindowsVersion(major, minor);
  EXPECT_GE(major, 4);
  EXPECT_EQ(CheckWXP(), CheckWXP(major, minor));
  EXPECT_EQ(CheckW2KWXP(), CheckW2KWXP(major, minor));
}

HMONITOR WINAPI FakeMonitor(HWND, DWORD) { return reinterpret_cast<HMONITOR>(0x1234); }
BOOL WINAPI FailingMonitorInfo(HMONITOR, LPMONITORINFO) { return FALSE; }
BOOL WINAPI SecondMonitorInfo(HMONITOR, LPMONITORINFO Info) {
  Info->rcMonitor = TRect{1024, 0, 2048, 768};
  Info->rcWork = TRect{1024, 0, 2048, 740};
  return TRUE;
}

TEST(SkutilsSystem, MonitorWorkAreas) {
  const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  EXPECT_TRUE(EqRects(GetPrimaryMonitorWorkArea(false), screen));
  TRect work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(EqRects(GetPrimaryMonitorWorkArea(true), work));
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, false), screen));

  TMonitorApi api{FakeMonitor, SecondMonitorInfo};
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, true, api, 2), (TRect{1024, 0, 2048, 740})));
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, false, api, 2), (TRect{1024, 0, 2048, 768})));
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, false, api, 1), screen));  // one monitor
  // A failing query falls back to the primary monitor instead of leaving the result unwritten.
  api.GetMonitorInfo = FailingMonitorInfo;
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, false, api, 2), screen));
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, true, api, 2), work));
  api.GetMonitorInfo = nullptr;  // an older system
  EXPECT_TRUE(EqRects(GetMonitorWorkArea(nullptr, false, api, 2), screen));
}

TEST(SkutilsCalendar, DatesAndMonthLengths) {
  const struct {
    TDateTime date;
    int year, month, day;
  } dates[] = {{0, 1899, 12, 30},    {2.5, 1900, 1, 1},     {-1.25, 1899, 12, 29}, {36586, 2000, 3, 1},
               {36585.99, 2000, 2, 29}, {45000, 2023, 3, 15}, {2958465, 9999, 12, 31}};
  for (const auto& row : dates) {
    EXPECT_EQ(ExtractYear(row.date), row.year) << row.date;
    EXPECT_EQ(ExtractMonth(row.date), row.month) << row.date;
    EXPECT_EQ(ExtractDay(row.date), row.day) << row.date;
  }
  const struct {
    int year, month, days;
  } months[] = {{2000, 2, 29}, {1900, 2, 28}, {2004, 2, 29}, {2003, 2, 28}, {2003, 12, 31},
                {2003, 4, 30}, {2003, 1, 31}, {2003, 0, 0},  {2003, 13, 0}};
  for (const auto& row : months) EXPECT_EQ(DaysPerMonth(row.year, row.month), row.days) << row.year << "-" << row.month;
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_TRUE(IsLeapYear(-4));
}

}  // namespace
