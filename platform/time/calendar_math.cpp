// Day-number arithmetic by whole 400-year eras, valid for any 64-bit year
// the device's fields can hold.
#include "platform/time/calendar_math.h"

namespace calendar_math {

namespace {

// 1601-01-01 is day 0; counted from 0000-03-01 it is day 584694.
constexpr int64_t kDaysFromMarch0To1601 = 584694;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int64_t DaysFromCivil(int64_t year, int month, int day) {
  // Years begin in March so that the leap day ends the year.
  int64_t y = month <= 2 ? year - 1 : year;
  int64_t era = FloorDiv(y, 400);
  int64_t yearOfEra = y - era * 400;
  int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
  int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - kDaysFromMarch0To1601;
}

void CivilFromDays(int64_t days, int64_t* year, int* month, int* day) {
  int64_t z = days + kDaysFromMarch0To1601;
  int64_t era = FloorDiv(z, 146097);
  int64_t dayOfEra = z - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  *day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  *month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  *year = yearOfEra + era * 400 + (*month <= 2 ? 1 : 0);
}

int WeekdayFromDays(int64_t days) {
  // 1601-01-01 was a Monday.
  int64_t w = (days + 1) % 7;
  return static_cast<int>(w < 0 ? w + 7 : w);
}

bool IsValidSystemTime(const SYSTEMTIME& t, int minYear) {
  if (t.wYear < minYear || t.wYear > 30827) return false;
  if (t.wMonth < 1 || t.wMonth > 12) return false;
  if (t.wDay < 1 || t.wDay > DaysInMonth(t.wYear, t.wMonth)) return false;
  return t.wHour < 24 && t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

int64_t SystemTimeToTicks(const SYSTEMTIME& t) {
  int64_t days = DaysFromCivil(t.wYear, t.wMonth, t.wDay);
  int64_t ms = ((static_cast<int64_t>(t.wHour) * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
  return days * kTicksPerDay + ms * kTicksPerMillisecond;
}

bool TicksToSystemTime(int64_t ticks, SYSTEMTIME* t) {
  if (ticks < 0) return false;
  int64_t days = ticks / kTicksPerDay;
  int64_t msOfDay = (ticks % kTicksPerDay) / kTicksPerMillisecond;
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &year, &month, &day);
  if (year > 30827) return false;
  t->wYear = static_cast<WORD>(year);
  t->wMonth = static_cast<WORD>(month);
  t->wDay = static_cast<WORD>(day);
  t->wDayOfWeek = static_cast<WORD>(WeekdayFromDays(days));
  t->wHour = static_cast<WORD>(msOfDay / 3600000);
  t->wMinute = static_cast<WORD>(msOfDay / 60000 % 60);
  t->wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
  t->wMilliseconds = static_cast<WORD>(msOfDay % 1000);
  return true;
}

}  // namespace calendar_math
