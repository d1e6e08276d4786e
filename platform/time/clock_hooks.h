// The virtual clock: test and fuzz builds only (tests reach it through
// platform/testing/clock.h). After ResetClock() (part of ResetDevice) the
// clock is virtual and stands at DefaultSystemTime(), 2025-06-15
// 12:00:00.000 UTC, the tick count at 60000 and the zone is UTC without
// daylight time; it moves only through AdvanceClock. Without a reset (the
// program) the clock and the zone are the host's, unless the program sets
// them with SetSystemTime and SetTimeZoneInformation.
#pragma once

#ifndef TESSALYN_TEST_HOOKS
#error "the virtual clock exists only in test and fuzz builds"
#endif

#include "platform/time/time_zone.h"

namespace devtest {

SYSTEMTIME DefaultSystemTime();
constexpr DWORD kDefaultTickCount = 60000;

// Sets the virtual UTC system time (the clock stops running); the tick
// count is left where it is.
void SetClock(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
              int millisecond = 0);
void SetClockFileTime(const FILETIME& utc);
FILETIME ClockFileTime();
// Moves the virtual system time and the tick count forward together.
void AdvanceClock(DWORD milliseconds);
void SetTickCount(DWORD ticks);

void SetTimeZone(const TIME_ZONE_INFORMATION& zone);
TIME_ZONE_INFORMATION TimeZone();

// The program's clock: the host's real time, tick count and local zone.
void UseHostClock();
void ResetClock();

}  // namespace devtest
