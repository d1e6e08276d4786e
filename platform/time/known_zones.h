// Ready-made time zones, written as a device's control panel would store
// them: for programs that want a fixed zone (SetTimeZoneInformation) and for
// tests. A fixed offset has no daylight time.
#pragma once

#include "platform/time/time_zone.h"

namespace known_zones {

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

}  // namespace known_zones
