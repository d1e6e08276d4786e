// The clock's state. Virtual time and zone are plain values under a lock
// (worker threads read the time too); host time comes from the system clock
// and the host zone from localtime_r/mktime, so a date in the other season
// gets the offset in force on that date.
#include "platform/time/device_clock.h"

#include <time.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "platform/time/calendar_math.h"
#include "platform/time/zone_rules.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/time/clock_hooks.h"
#include "platform/time/known_zones.h"
#endif

namespace {

using namespace calendar_math;

// 1601-01-01 to 1970-01-01.
constexpr int64_t kUnixEpochTicks = 116444736000000000;

struct ClockState {
  std::mutex lock;
  bool hostTime = true;
  bool hostZone = true;
  // The host clock plus this, once SetSystemTime moved a running clock.
  int64_t hostOffsetTicks = 0;
  // The virtual clock's time (tests only ever clear hostTime).
  int64_t utcTicks = 0;
  DWORD tickCount = 0;
  TIME_ZONE_INFORMATION zone{};
};

ClockState& State() {
  static ClockState* state = new ClockState;  // lives for the process
  return *state;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

int64_t HostUtcTicks() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return kUnixEpochTicks + static_cast<int64_t>(now.tv_sec) * kTicksPerSecond + now.tv_nsec / 100;
}

// The host's offset east of UTC, in seconds, at a UTC instant.
bool HostOffsetAt(int64_t utcTicks, long* offsetSeconds) {
  time_t seconds = static_cast<time_t>(FloorDiv(utcTicks - kUnixEpochTicks, kTicksPerSecond));
  tm local{};
  if (!localtime_r(&seconds, &local)) return false;
  *offsetSeconds = local.tm_gmtoff;
  return true;
}

bool HostLocalToUtc(int64_t localTicks, int64_t* utcTicks) {
  int64_t days = FloorDiv(localTicks, kTicksPerDay);
  int64_t rest = localTicks - days * kTicksPerDay;
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, &year, &month, &day);
  tm fields{};
  fields.tm_year = static_cast<int>(year - 1900);
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  int64_t secondOfDay = rest / kTicksPerSecond;
  fields.tm_hour = static_cast<int>(secondOfDay / 3600);
  fields.tm_min = static_cast<int>(secondOfDay / 60 % 60);
  fields.tm_sec = static_cast<int>(secondOfDay % 60);
  fields.tm_isdst = -1;
  errno = 0;
  time_t seconds = mktime(&fields);
  if (seconds == static_cast<time_t>(-1) && errno != 0) return false;
  *utcTicks = kUnixEpochTicks + static_cast<int64_t>(seconds) * kTicksPerSecond + rest % kTicksPerSecond;
  return true;
}

void CopyName(WCHAR* target, const char* name) {
  size_t i = 0;
  for (; name && name[i] && i < 31; ++i) target[i] = static_cast<unsigned char>(name[i]);
  target[i] = 0;
}

}  // namespace

int64_t DeviceUtcNowTicks() {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.hostTime ? HostUtcTicks() + state.hostOffsetTicks : state.utcTicks;
}

DWORD DeviceTickCount() {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.hostTime) return state.tickCount;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
  return static_cast<DWORD>(ms);
}

bool CurrentZoneUtcToLocal(int64_t utcTicks, int64_t* localTicks) {
  ClockState& state = State();
  std::unique_lock<std::mutex> guard(state.lock);
  if (!state.hostZone) return zone_rules::UtcToLocal(state.zone, utcTicks, localTicks);
  guard.unlock();
  long offset = 0;
  if (!HostOffsetAt(utcTicks, &offset)) return false;
  return !__builtin_add_overflow(utcTicks, static_cast<int64_t>(offset) * kTicksPerSecond, localTicks);
}

bool CurrentZoneLocalToUtc(int64_t localTicks, int64_t* utcTicks) {
  ClockState& state = State();
  std::unique_lock<std::mutex> guard(state.lock);
  if (!state.hostZone) return zone_rules::LocalToUtc(state.zone, localTicks, utcTicks);
  guard.unlock();
  return HostLocalToUtc(localTicks, utcTicks);
}

DWORD CurrentZoneInformation(TIME_ZONE_INFORMATION* zone) {
  ClockState& state = State();
  std::unique_lock<std::mutex> guard(state.lock);
  if (!state.hostZone) {
    *zone = state.zone;
    if (!zone_rules::HasDaylightTime(state.zone)) return TIME_ZONE_ID_UNKNOWN;
    int64_t now = state.hostTime ? HostUtcTicks() + state.hostOffsetTicks : state.utcTicks;
    return zone_rules::IsDaylightAtUtc(state.zone, now) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
  }
  guard.unlock();
  // The host's rules are not expressed as device rules: its current offset
  // is reported as a zone without daylight time.
  time_t now = time(nullptr);
  tm local{};
  localtime_r(&now, &local);
  std::memset(zone, 0, sizeof(*zone));
  zone->Bias = static_cast<LONG>(-local.tm_gmtoff / 60);
  CopyName(zone->StandardName, local.tm_zone);
  CopyName(zone->DaylightName, local.tm_zone);
  return TIME_ZONE_ID_UNKNOWN;
}

void SetDeviceUtcNow(int64_t utcTicks) {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (state.hostTime)
    state.hostOffsetTicks = utcTicks - HostUtcTicks();
  else
    state.utcTicks = utcTicks;
}

void SetCurrentZone(const TIME_ZONE_INFORMATION& zone) {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hostZone = false;
  state.zone = zone;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

SYSTEMTIME DefaultSystemTime() { return SYSTEMTIME{2025, 6, 0, 15, 12, 0, 0, 0}; }

void SetClock(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  int64_t ms = ((static_cast<int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
  int64_t ticks = DaysFromCivil(year, month, day) * kTicksPerDay + ms * kTicksPerMillisecond;
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hostTime = false;
  state.utcTicks = ticks;
}

void SetClockFileTime(const FILETIME& utc) {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hostTime = false;
  state.utcTicks = FileTimeToTicks(utc);
}

FILETIME ClockFileTime() { return TicksToFileTime(DeviceUtcNowTicks()); }

void AdvanceClock(DWORD milliseconds) {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.utcTicks += static_cast<int64_t>(milliseconds) * kTicksPerMillisecond;
  state.tickCount += milliseconds;
}

void SetTickCount(DWORD ticks) {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.tickCount = ticks;
}

void SetTimeZone(const TIME_ZONE_INFORMATION& zone) { SetCurrentZone(zone); }

TIME_ZONE_INFORMATION TimeZone() {
  TIME_ZONE_INFORMATION zone{};
  CurrentZoneInformation(&zone);
  return zone;
}

void UseHostClock() {
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hostTime = true;
  state.hostZone = true;
  state.hostOffsetTicks = 0;
}

void ResetClock() {
  SYSTEMTIME start = DefaultSystemTime();
  ClockState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hostTime = false;
  state.hostZone = false;
  state.utcTicks = SystemTimeToTicks(start);
  state.tickCount = kDefaultTickCount;
  state.hostOffsetTicks = 0;
  state.zone = known_zones::UtcZone();
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
