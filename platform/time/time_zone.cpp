// GetTimeZoneInformation and SetTimeZoneInformation over the device clock's
// current zone.
#include "platform/time/time_zone.h"

#include "platform/core/last_error.h"
#include "platform/time/device_clock.h"
#include "platform/time/zone_rules.h"

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone) {
  if (!zone) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return TIME_ZONE_ID_INVALID;
  }
  return CurrentZoneInformation(zone);
}

BOOL SetTimeZoneInformation(const TIME_ZONE_INFORMATION* zone) {
  if (!zone || !zone_rules::IsUsableZone(*zone)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SetCurrentZone(*zone);
  return TRUE;
}
