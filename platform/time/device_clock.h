// The emulated device's clock and current time zone (not a device API): the
// one place that knows whether time and zone are virtual (tests) or the
// host's (the program). The device calls of this folder read and set it; the
// virtual clock of the tests is clock_hooks.h.
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
// SetSystemTime: a running (host) clock goes on running from the new time, a
// virtual one stands at it. The tick count is left alone.
void SetDeviceUtcNow(int64_t utcTicks);
// SetTimeZoneInformation: the device's zone from now on, instead of the host's.
void SetCurrentZone(const TIME_ZONE_INFORMATION& zone);
