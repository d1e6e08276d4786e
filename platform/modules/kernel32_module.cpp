// "kernel32.dll": the two time-zone conversions of SYSTEMTIMEs that some
// devices offer and others lack. The system binds them by name and falls back
// on the FILETIME pair of coredll when they are missing.
#include "platform/core/last_error.h"
#include "platform/modules/emulated_module.h"
#include "platform/time/calendar_math.h"
#include "platform/time/device_clock.h"
#include "platform/time/time_zone.h"
#include "platform/time/zone_rules.h"

namespace {

using namespace calendar_math;

// Converts one valid SYSTEMTIME in the given zone (null = the device's).
BOOL Convert(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* in, SYSTEMTIME* out, bool toLocal) {
  if (!in || !out || !IsValidSystemTime(*in, 1601)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t ticks = SystemTimeToTicks(*in);
  int64_t result = 0;
  bool ok = false;
  if (zone)
    ok = toLocal ? zone_rules::UtcToLocal(*zone, ticks, &result) : zone_rules::LocalToUtc(*zone, ticks, &result);
  else
    ok = toLocal ? CurrentZoneUtcToLocal(ticks, &result) : CurrentZoneLocalToUtc(ticks, &result);
  if (!ok || !TicksToSystemTime(result, out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* utc, SYSTEMTIME* local) {
  return Convert(zone, utc, local, true);
}

BOOL TzSpecificLocalTimeToSystemTime(const TIME_ZONE_INFORMATION* zone, const SYSTEMTIME* local, SYSTEMTIME* utc) {
  return Convert(zone, local, utc, false);
}

// The exports keep the types the callers cast them back to.
constexpr SystemTimeToTzSpecificLocalTimeFunction kToLocal = SystemTimeToTzSpecificLocalTime;
constexpr TzSpecificLocalTimeToSystemTimeFunction kToUtc = TzSpecificLocalTimeToSystemTime;

const EmulatedExport kExports[] = {
    {"SystemTimeToTzSpecificLocalTime", reinterpret_cast<FARPROC>(kToLocal)},
    {"TzSpecificLocalTimeToSystemTime", reinterpret_cast<FARPROC>(kToUtc)},
};

}  // namespace

const EmulatedModule& Kernel32Module() {
  static const EmulatedModule module{"kernel32.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
