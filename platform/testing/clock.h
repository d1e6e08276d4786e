// Test control of the device's clock and time zone. After ResetClock() (part
// of ResetDevice) the clock is virtual and stands at DefaultSystemTime(),
// 2025-06-15 12:00:00.000 UTC, the tick count at 60000 and the zone is UTC
// without daylight time; it moves only through AdvanceClock. Without a reset
// (the program) the clock and the zone are the host's.
#pragma once

#include <cstdint>

#include "platform/time/time_zone.h"

namespace devtest {

SYSTEMTIME DefaultSystemTime();
constexpr DWORD kDefaultTickCount = 60000;

// Sets the virtual UTC system time; the tick count is left where it is.
void SetClock(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
              int millisecond = 0);
void SetClockFileTime(const FILETIME& utc);
FILETIME ClockFileTime();
// Moves the system time and the tick count forward together.
void AdvanceClock(DWORD milliseconds);
void SetTickCount(DWORD ticks);

void SetTimeZone(const TIME_ZONE_INFORMATION& zone);
TIME_ZONE_INFORMATION TimeZone();

// Zones for tests. A fixed offset has no daylight time.
TIME_ZONE_INFORMATION UtcZone();
TIME_ZONE_INFORMATION FixedOffsetZone(int minutesEastOfUtc);
// +01:00; +02:00 from the last Sunday of March, 02:00, to the last Sunday of
// October, 03:00 local time.
TIME_ZONE_INFORMATION CentralEuropeanZone();
// -05:00; -04:00 from the second Sunday of March to the first Sunday of
// November, 02:00 local time.
TIME_ZONE_INFORMATION UsEasternZone();
// +10:00; +11:00 from the first Sunday of October, 02:00, to the first
// Sunday of April, 03:00 local time (daylight time across the new year).
TIME_ZONE_INFORMATION SydneyZone();

// The program's clock: the host's real time, tick count and local zone.
void UseHostClock();
void ResetClock();

}  // namespace devtest
