// TimeValue fields: splitting into and composing from calendar fields, in
// UTC or local time.
#include "foundation/time/date_time.h"

#include <cmath>

#include "foundation/time/date_time_calendar.h"
#include "foundation/time/date_time_file_time.h"

void TimeValue::InitInvalid() { milliseconds = NAN; }

bool TimeValue::IsValid() const { return !std::isnan(milliseconds); }

TimeValue TimeValue::Now() {
  int64_t days = 0;
  uint32_t msOfDay = 0;
  CurrentDayAndMs(&days, &msOfDay);
  return TimeValue{static_cast<double>(days) * kMsPerDay + msOfDay};
}

TimeValue TimeValue::FromFileTime(const FILETIME& fileTime) {
  return TimeValue{static_cast<double>(FileTimeToUnixMilliseconds(fileTime))};
}

bool TimeValue::Split(bool utc, int32_t* year, int32_t* month, int32_t* day, int32_t* weekday, int32_t* hours,
                      int32_t* minutes, int32_t* seconds, int32_t* ms) const {
  int32_t* outputs[] = {year, month, day, weekday, hours, minutes, seconds, ms};
  if (!IsValid() || !std::isfinite(milliseconds)) {
    for (int32_t* out : outputs)
      if (out) *out = 0;
    return false;
  }
  double t = utc ? milliseconds : ConvertUtcLocal(true, milliseconds);
  if (ms) *ms = static_cast<int32_t>(FloorModulo(t, 1000));
  if (seconds) *seconds = static_cast<int32_t>(FloorModulo(std::floor(t / 1000), 60));
  if (minutes) *minutes = static_cast<int32_t>(FloorModulo(std::floor(t / 60000), 60));
  if (hours) *hours = static_cast<int32_t>(FloorModulo(std::floor(t / 3600000), 24));
  double dayNumber = DayFromTime(t);
  if (weekday) *weekday = static_cast<int32_t>(FloorModulo(dayNumber + 4, 7));
  if (year || month || day) SplitDayNumber(static_cast<int64_t>(dayNumber), year, month, day);
  return true;
}

bool TimeValue::Compose(bool utc, const int32_t* year, const int32_t* month, const int32_t* day,
                        const int32_t* hours, const int32_t* minutes, const int32_t* seconds,
                        const int32_t* ms) {
  int32_t current[7] = {};
  const int32_t* given[7] = {year, month, day, hours, minutes, seconds, ms};
  bool needCurrent = false;
  for (const int32_t* field : given) needCurrent = needCurrent || !field;
  if (needCurrent && !Split(utc, &current[0], &current[1], &current[2], nullptr, &current[3], &current[4],
                            &current[5], &current[6])) {
    InitInvalid();
    return false;
  }
  int64_t f[7];
  for (int i = 0; i < 7; ++i) f[i] = given[i] ? *given[i] : current[i];
  bool invalid = false;
  double dayNumber = MakeDayNumber(f[0], f[1], f[2], &invalid);
  if (invalid) {
    InitInvalid();
    return false;
  }
  double t = dayNumber * kMsPerDay + MakeTimeOfDay(static_cast<double>(f[3]), static_cast<double>(f[4]),
                                                   static_cast<double>(f[5]), static_cast<double>(f[6]));
  if (!utc) t = ConvertUtcLocal(false, t);
  milliseconds = TimeClip(t);
  return IsValid();
}

double TimeValue::LocalOffset() const {
  if (!IsValid()) return NAN;
  return ConvertUtcLocal(true, milliseconds) - std::floor(milliseconds);
}

TimeValue TimeValue::ToLocalOrUtc(bool keepUtc) const {
  if (keepUtc) return *this;
  return TimeValue{ConvertUtcLocal(true, milliseconds)};
}
