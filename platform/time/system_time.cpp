// SYSTEMTIME and FILETIME calls over the device clock.
#include "platform/time/system_time.h"

#include "platform/core/last_error.h"
#include "platform/time/calendar_math.h"
#include "platform/time/device_clock.h"

using namespace calendar_math;

namespace {

void FillFromTicks(int64_t ticks, SYSTEMTIME* time) {
  if (!TicksToSystemTime(ticks, time)) *time = SYSTEMTIME{1601, 1, 1, 1, 0, 0, 0, 0};
}

bool IsValidFileTime(const FILETIME& t) { return (t.dwHighDateTime & 0x80000000u) == 0; }

}  // namespace

void GetSystemTime(SYSTEMTIME* utc) {
  if (utc) FillFromTicks(DeviceUtcNowTicks(), utc);
}

void GetLocalTime(SYSTEMTIME* local) {
  if (!local) return;
  int64_t ticks = 0;
  if (!CurrentZoneUtcToLocal(DeviceUtcNowTicks(), &ticks)) ticks = 0;
  FillFromTicks(ticks, local);
}

BOOL SetSystemTime(const SYSTEMTIME* utc) {
  if (!utc || !IsValidSystemTime(*utc, 1601)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  SetDeviceUtcNow(SystemTimeToTicks(*utc));
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime) {
  if (!time || !fileTime || !IsValidSystemTime(*time, 1601)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *fileTime = TicksToFileTime(SystemTimeToTicks(*time));
  return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* time) {
  if (!fileTime || !time || !IsValidFileTime(*fileTime) || !TicksToSystemTime(FileTimeToTicks(*fileTime), time)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  int64_t ticks = 0;
  if (!utc || !local || !IsValidFileTime(*utc) || !CurrentZoneUtcToLocal(FileTimeToTicks(*utc), &ticks) ||
      ticks < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *local = TicksToFileTime(ticks);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc) {
  int64_t ticks = 0;
  if (!local || !utc || !IsValidFileTime(*local) || !CurrentZoneLocalToUtc(FileTimeToTicks(*local), &ticks) ||
      ticks < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *utc = TicksToFileTime(ticks);
  return TRUE;
}

LONG CompareFileTime(const FILETIME* a, const FILETIME* b) {
  uint64_t x = (static_cast<uint64_t>(a->dwHighDateTime) << 32) | a->dwLowDateTime;
  uint64_t y = (static_cast<uint64_t>(b->dwHighDateTime) << 32) | b->dwLowDateTime;
  return x < y ? -1 : (x > y ? 1 : 0);
}
