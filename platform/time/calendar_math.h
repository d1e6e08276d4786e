// Proleptic Gregorian arithmetic shared by the platform's time and date-format
// code (not a device API). Day numbers count from 1601-01-01, the FILETIME
// epoch; ticks are FILETIME units (100 ns), signed so that arithmetic below
// the epoch stays defined; years are astronomical (0 = 1 BC).
#pragma once

#include <cstdint>

#include "platform/time/system_time.h"

namespace calendar_math {

constexpr int64_t kTicksPerMillisecond = 10000;
constexpr int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr int64_t kTicksPerMinute = 60 * kTicksPerSecond;
constexpr int64_t kTicksPerDay = 1440 * kTicksPerMinute;
// The largest FILETIME the device accepts (bit 63 clear).
constexpr int64_t kMaxFileTimeTicks = INT64_MAX;

bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);  // month 1-12
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, int64_t* year, int* month, int* day);
int WeekdayFromDays(int64_t days);  // 0 = Sunday

// Field checks of a SYSTEMTIME (wDayOfWeek ignored). The year range is the
// caller's: FILETIME conversions allow 1601-30827, date formats 1-30827.
bool IsValidSystemTime(const SYSTEMTIME& time, int minYear);
// Ticks of a valid SYSTEMTIME (any year the fields hold).
int64_t SystemTimeToTicks(const SYSTEMTIME& time);
// Fills every field, weekday included; false when the year leaves 1601-30827
// (below 1601 or at or above 2^63 ticks).
bool TicksToSystemTime(int64_t ticks, SYSTEMTIME* time);

inline int64_t FileTimeToTicks(const FILETIME& t) {
  return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}
inline FILETIME TicksToFileTime(int64_t ticks) {
  uint64_t v = static_cast<uint64_t>(ticks);
  return FILETIME{static_cast<DWORD>(v & 0xFFFFFFFFu), static_cast<DWORD>(v >> 32)};
}

}  // namespace calendar_math
