// Evaluation of a TIME_ZONE_INFORMATION's rules (not a device API): whether
// daylight time is in force, and the UTC <-> local conversion in ticks.
#pragma once

#include <cstdint>

#include "platform/time/time_zone.h"

namespace zone_rules {

// A zone whose three biases each lie within a week; the conversions below
// refuse others.
bool IsUsableZone(const TIME_ZONE_INFORMATION& zone);
bool HasDaylightTime(const TIME_ZONE_INFORMATION& zone);
// Daylight time in force at a UTC instant.
bool IsDaylightAtUtc(const TIME_ZONE_INFORMATION& zone, int64_t utcTicks);
// Daylight time in force at a local wall-clock time (see time_zone.h for the
// skipped and repeated hours).
bool IsDaylightAtLocal(const TIME_ZONE_INFORMATION& zone, int64_t localTicks);
// False when the zone is not usable or the result leaves the 64-bit range.
bool UtcToLocal(const TIME_ZONE_INFORMATION& zone, int64_t utcTicks, int64_t* localTicks);
bool LocalToUtc(const TIME_ZONE_INFORMATION& zone, int64_t localTicks, int64_t* utcTicks);

}  // namespace zone_rules
