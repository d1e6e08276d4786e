// The calendar formulas. Day numbers are split by cycles of 400, 100 and 4
// years, which keeps the arithmetic exact for every time a TimeValue holds.
#include "foundation/time/date_time_calendar.h"

#include <cmath>
#include <cstdlib>

const char* const kWeekdayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {

constexpr int32_t kCommonDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
// Beyond this many days from 1970 no day can be the day of a valid time.
constexpr int64_t kDayNumberLimit = 104249840;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The astronomical year of a system year (no year 0 in the system's count).
int64_t Astronomical(int64_t year) { return year < 0 ? year + 1 : year; }

bool IsLeapAstronomical(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int64_t DayFromAstronomicalYear(int64_t y) {
  return 365 * (y - 1970) + FloorDiv(y - 1969, 4) - FloorDiv(y - 1901, 100) + FloorDiv(y - 1601, 400);
}

}  // namespace

double DayFromTime(double t) { return std::floor(t / kMsPerDay); }

double FloorModulo(double x, double y) {
  double r = std::fmod(x, y);
  return r < 0 ? r + y : r;
}

double MakeTimeOfDay(double hours, double minutes, double seconds, double milliseconds) {
  return hours * 3600000.0 + minutes * 60000.0 + seconds * 1000.0 + milliseconds;
}

bool IsLeapYear(int64_t year) { return IsLeapAstronomical(Astronomical(year)); }

int32_t DaysBeforeMonth(int32_t month, bool leap) {
  if (month < 0 || month > 11) return 0;
  return kCommonDaysBefore[month] + (leap && month >= 2 ? 1 : 0);
}

int64_t DayFromYear(int64_t year) { return DayFromAstronomicalYear(Astronomical(year)); }

double MakeDayNumber(int64_t year, int64_t month, int64_t day, bool* invalid) {
  // Carry on the astronomical scale, so that stepping over the missing year
  // 0 cannot happen.
  int64_t y = Astronomical(year) + FloorDiv(month, 12);
  int32_t m = static_cast<int32_t>(month - FloorDiv(month, 12) * 12);
  // Far outside the range of times: invalid before any product can overflow.
  if (y > 400000 || y < -400000) {
    if (invalid) *invalid = true;
    return 0;
  }
  int64_t days = DayFromAstronomicalYear(y) + DaysBeforeMonth(m, IsLeapAstronomical(y));
  if (day > kDayNumberLimit || day < -kDayNumberLimit || std::llabs(days + day) > kDayNumberLimit) {
    if (invalid) *invalid = true;
    return 0;
  }
  if (invalid) *invalid = false;
  return static_cast<double>(days + day - 1);
}

double TimeClip(double t) {
  if (!std::isfinite(t) || std::fabs(t) >= 8.64e15) return NAN;
  return std::floor(t);
}

void SplitDayNumber(int64_t dayNumber, int32_t* year, int32_t* month, int32_t* day) {
  int64_t n = dayNumber + kDaysFromYearOneTo1970;
  int64_t q400 = FloorDiv(n, 146097);
  int64_t r = n - q400 * 146097;
  int64_t q100 = r / 36524;
  r -= q100 * 36524;
  int64_t q4 = r / 1461;
  r -= q4 * 1461;
  int64_t q1 = r / 365;
  r -= q1 * 365;
  int64_t y = 400 * q400 + 100 * q100 + 4 * q4 + q1;
  if (q100 == 4 || q1 == 4)
    r = 365;  // the last day of a leap cycle
  else
    ++y;
  // y is astronomical here; the system has no year 0.
  int32_t systemYear = static_cast<int32_t>(y < 1 ? y - 1 : y);
  bool leap = IsLeapAstronomical(y);
  int64_t shifted = r + (r < (leap ? 60 : 59) ? 0 : (leap ? 1 : 2));
  int32_t m = static_cast<int32_t>((shifted * 12 + 6) / 367);
  if (year) *year = systemYear;
  if (month) *month = m;
  if (day) *day = static_cast<int32_t>(r - DaysBeforeMonth(m, leap) + 1);
}
