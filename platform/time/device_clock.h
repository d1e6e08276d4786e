// The emulated device's clock and current time zone (not a device API): the
// one place that knows whether time and zone are virtual (tests) or the
// host's (the program). The device calls of this folder read it; the test
// control is platform/testing/clock.h.
#pragma once

#include <cstdint>

#include "platform/time/time_zone.h"

// Ticks (100 ns) since 1601-01-01 UTC.
int64_t DeviceUtcNowTicks();
DWORD DeviceTickCount();
// Conversions in the device's current zone; false when the result leaves the
// 64-bit range.
bool CurrentZoneUtcToLocal(int64_t utcTicks, int64_t* localTicks);
bool CurrentZoneLocalToUtc(int64_t localTicks, int64_t* utcTicks);
// What GetTimeZoneInformation answers.
DWORD CurrentZoneInformation(TIME_ZONE_INFORMATION* zone);
