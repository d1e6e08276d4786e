// Test control of the device's clock and time zone: the virtual clock
// (platform/time/clock_hooks.h) and the ready-made zones
// (platform/time/known_zones.h).
#pragma once

#include "platform/time/clock_hooks.h"
#include "platform/time/known_zones.h"

namespace devtest {

using known_zones::CentralEuropeanZone;
using known_zones::FixedOffsetZone;
using known_zones::SydneyZone;
using known_zones::UsEasternZone;
using known_zones::UtcZone;

}  // namespace devtest
