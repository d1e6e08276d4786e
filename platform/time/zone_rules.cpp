// Daylight time begins at the DaylightDate rule (read in local standard time)
// and ends at the StandardDate rule (read in local daylight time). When the
// beginning comes later in the year than the end (southern zones), daylight
// time spans the turn of the year.
#include "platform/time/zone_rules.h"

#include "platform/time/calendar_math.h"

namespace zone_rules {

namespace {

using namespace calendar_math;

// The wall-clock ticks at which a rule fires in a year; false when the rule
// does not fire in that year (an absolute date of another year).
bool RuleInYear(const SYSTEMTIME& rule, int64_t year, int64_t* ticks) {
  // Beyond the years a SYSTEMTIME holds no rule fires (and no tick overflows).
  if (year < 1 || year > 30827) return false;
  int day = 0;
  if (rule.wYear != 0) {
    if (rule.wYear != year) return false;
    day = rule.wDay;
  } else {
    if (rule.wMonth < 1 || rule.wMonth > 12) return false;
    int firstWeekday = WeekdayFromDays(DaysFromCivil(year, rule.wMonth, 1));
    int occurrence = rule.wDay < 1 ? 1 : (rule.wDay > 5 ? 5 : rule.wDay);
    day = 1 + (rule.wDayOfWeek % 7 - firstWeekday + 7) % 7 + (occurrence - 1) * 7;
    while (day > DaysInMonth(year, rule.wMonth)) day -= 7;
  }
  int64_t ms = ((static_cast<int64_t>(rule.wHour) * 60 + rule.wMinute) * 60 + rule.wSecond) * 1000 +
               rule.wMilliseconds;
  *ticks = DaysFromCivil(year, rule.wMonth, day) * kTicksPerDay + ms * kTicksPerMillisecond;
  return true;
}

int64_t YearOf(int64_t ticks) {
  int64_t days = ticks / kTicksPerDay - (ticks % kTicksPerDay < 0 ? 1 : 0);
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &year, &month, &day);
  return year;
}

// Whether t lies in daylight time, given the year's start and end on the
// same scale as t.
bool InDaylight(int64_t t, int64_t start, int64_t end) {
  if (start < end) return start <= t && t < end;
  return !(end <= t && t < start);
}

constexpr int64_t kMaxBiasMinutes = 7 * 1440;

int64_t Minutes(int64_t minutes) { return minutes * kTicksPerMinute; }

// t + delta, held at the ends of the 64-bit range (for locating the year only).
int64_t AddSaturated(int64_t t, int64_t delta) {
  int64_t sum = 0;
  if (!__builtin_add_overflow(t, delta, &sum)) return sum;
  return delta < 0 ? INT64_MIN : INT64_MAX;
}

bool InRange(LONG bias) { return bias >= -kMaxBiasMinutes && bias <= kMaxBiasMinutes; }

}  // namespace

bool IsUsableZone(const TIME_ZONE_INFORMATION& zone) {
  return InRange(zone.Bias) && InRange(zone.StandardBias) && InRange(zone.DaylightBias);
}

bool HasDaylightTime(const TIME_ZONE_INFORMATION& zone) {
  return zone.StandardDate.wMonth >= 1 && zone.StandardDate.wMonth <= 12 && zone.DaylightDate.wMonth >= 1 &&
         zone.DaylightDate.wMonth <= 12;
}

bool IsDaylightAtUtc(const TIME_ZONE_INFORMATION& zone, int64_t utcTicks) {
  if (!IsUsableZone(zone) || !HasDaylightTime(zone)) return false;
  int64_t standardOffset = Minutes(int64_t{zone.Bias} + zone.StandardBias);
  int64_t year = YearOf(AddSaturated(utcTicks, -standardOffset));
  int64_t start = 0, end = 0;
  if (!RuleInYear(zone.DaylightDate, year, &start) || !RuleInYear(zone.StandardDate, year, &end)) return false;
  start += standardOffset;
  end += Minutes(int64_t{zone.Bias} + zone.DaylightBias);
  return InDaylight(utcTicks, start, end);
}

bool IsDaylightAtLocal(const TIME_ZONE_INFORMATION& zone, int64_t localTicks) {
  if (!IsUsableZone(zone) || !HasDaylightTime(zone)) return false;
  int64_t year = YearOf(localTicks);
  int64_t start = 0, end = 0;
  if (!RuleInYear(zone.DaylightDate, year, &start) || !RuleInYear(zone.StandardDate, year, &end)) return false;
  return InDaylight(localTicks, start, end);
}

bool UtcToLocal(const TIME_ZONE_INFORMATION& zone, int64_t utcTicks, int64_t* localTicks) {
  if (!IsUsableZone(zone)) return false;
  LONG extra = IsDaylightAtUtc(zone, utcTicks) ? zone.DaylightBias : zone.StandardBias;
  return !__builtin_sub_overflow(utcTicks, Minutes(int64_t{zone.Bias} + extra), localTicks);
}

bool LocalToUtc(const TIME_ZONE_INFORMATION& zone, int64_t localTicks, int64_t* utcTicks) {
  if (!IsUsableZone(zone)) return false;
  LONG extra = IsDaylightAtLocal(zone, localTicks) ? zone.DaylightBias : zone.StandardBias;
  return !__builtin_add_overflow(localTicks, Minutes(int64_t{zone.Bias} + extra), utcTicks);
}

}  // namespace zone_rules
