#include "skin/data/Skutils.h"

namespace skin {

// ---------------------------------------------------------------------------------------------
// Rectangles and points

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }
TRect NullRect() { return TRect{0, 0, 0, 0}; }
bool IsNullRect(const TRect& R) { return R.right - R.left <= 0 || R.bottom - R.top <= 0; }
bool IsNullPoint(const TPoint& P) { return P.x == 0 || P.y == 0; }

bool EqRects(const TRect& R1, const TRect& R2) {
  return R1.left == R2.left && R1.top == R2.top && R1.right == R2.right && R1.bottom == R2.bottom;
}

bool EqPoints(const TPoint& P1, const TPoint& P2) { return P1.x == P2.x && P1.y == P2.y; }

bool PointInRect(const TRect& R, const TPoint& P) {
  return P.x >= R.left && P.x <= R.right && P.y >= R.top && P.y <= R.bottom;
}

bool RectInRect(const TRect& R1, const TRect& R2) {
  return PtInRect(&R2, TPoint{R1.left, R1.top}) && PtInRect(&R2, TPoint{R1.right, R1.bottom});
}

TRect RectToCenter(TRect& R, const TRect& Bounds) {
  OffsetRect(&R, -R.left, -R.top);
  OffsetRect(&R, (RectWidth(Bounds) - RectWidth(R)) / 2, (RectHeight(Bounds) - RectHeight(R)) / 2);
  OffsetRect(&R, Bounds.left, Bounds.top);
  return R;
}

int Max(int A, int B) { return B < A ? A : B; }
int Min(int A, int B) { return A < B ? A : B; }

// ---------------------------------------------------------------------------------------------
// Windows version and monitors

void GetWindowsVersion(int& Major, int& Minor) {
  const DWORD version = GetVersion();
  Major = LOBYTE(LOWORD(version));
  Minor = HIBYTE(LOWORD(version));
}

bool CheckWXP(int Major, int Minor) { return Major == 5 && Minor == 1; }

bool CheckWXP() {
  int major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  return CheckWXP(major, minor);
}

bool CheckW2KWXP(int Major, int Minor) { return Major == 5 && Minor >= 0 && Minor <= 2; }

bool CheckW2KWXP() {
  int major = 0, minor = 0;
  GetWindowsVersion(major, minor);
  return CheckW2KWXP(major, minor);
}

namespace {

// Older systems lack the multi-monitor calls, so they are looked up (once) in the loaded user32.
const TMonitorApi& MonitorApi() {
  static const TMonitorApi api = [] {
    TMonitorApi found;
    if (const HMODULE user32 = GetModuleHandleA("user32.dll")) {
      found.MonitorFromWindow = reinterpret_cast<TMonitorApi::TMonitorFromWindow>(
          reinterpret_cast<void*>(GetProcAddress(user32, "MonitorFromWindow")));
      found.GetMonitorInfo = reinterpret_cast<TMonitorApi::TGetMonitorInfo>(
          reinterpret_cast<void*>(GetProcAddress(user32, "GetMonitorInfoA")));
    }
    return found;
  }();
  return api;
}

}  // namespace

TRect GetPrimaryMonitorWorkArea(bool WorkArea) {
  if (WorkArea) {
    TRect area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
  }
  return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea, const TMonitorApi& Api, int MonitorCount) {
  if (MonitorCount <= 1 || !Api.GetMonitorInfo || !Api.MonitorFromWindow) return GetPrimaryMonitorWorkArea(WorkArea);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  static_assert(sizeof(MONITORINFO) == 40, "the record the call expects");
  const HMONITOR monitor = Api.MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST);
  // A failed query would leave the caller with whatever its variable held: the primary monitor is
  // the one place a window can always be put.
  if (!monitor || !Api.GetMonitorInfo(monitor, &info)) return GetPrimaryMonitorWorkArea(WorkArea);
  return WorkArea ? info.rcWork : info.rcMonitor;
}

TRect GetMonitorWorkArea(HWND Wnd, bool WorkArea) {
  return GetMonitorWorkArea(Wnd, WorkArea, MonitorApi(), GetSystemMetrics(SM_CMONITORS));
}

// ---------------------------------------------------------------------------------------------
// Calendar

WORD ExtractDay(TDateTime Date) {
  WORD year, month, day;
  classlib::DecodeDate(Date, year, month, day);
  return day;
}

WORD ExtractMonth(TDateTime Date) {
  WORD year, month, day;
  classlib::DecodeDate(Date, year, month, day);
  return month;
}

WORD ExtractYear(TDateTime Date) {
  WORD year, month, day;
  classlib::DecodeDate(Date, year, month, day);
  return year;
}

bool IsLeapYear(int Year) { return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0); }

int DaysPerMonth(int Year, int Month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (Month < 1 || Month > 12) return 0;
  return kDays[Month - 1] + (Month == 2 && IsLeapYear(Year) ? 1 : 0);
}

}  // namespace skin
