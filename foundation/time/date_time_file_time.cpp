// FILETIME arithmetic in signed 64-bit units, and the field conversions
// through the platform.
#include "foundation/time/date_time_file_time.h"

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kTicksPerMs = 10000;
constexpr int64_t kMsPerDay = 86400000;

// Differences of two 64-bit counts are taken in 128 bits: the values come
// from files and may lie anywhere.
using Wide = __int128;

int64_t FloorDiv(Wide a, int64_t b) {
  Wide q = a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
  return static_cast<int64_t>(q);
}

// Arithmetic that builds a FILETIME wraps like the device's 64-bit unsigned
// sums instead of overflowing.
int64_t WrappingSum(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}
int64_t WrappingProduct(int64_t a, int64_t b) {
  return static_cast<int64_t>(static_cast<uint64_t>(a) * static_cast<uint64_t>(b));
}

int64_t SecondsSince(const FILETIME& t, int64_t epoch, bool* fits) {
  int64_t seconds = FloorDiv(Wide{FileTimeValue(t)} - epoch, kTicksPerSecond);
  if (fits) *fits = seconds >= 0 && seconds <= 0xFFFFFFFFll;
  return seconds;
}

FILETIME FromSeconds(int64_t epoch, int64_t seconds, int32_t milliseconds) {
  int64_t ticks = WrappingSum(WrappingProduct(seconds, kTicksPerSecond), static_cast<int64_t>(milliseconds) * kTicksPerMs);
  return FileTimeFromValue(WrappingSum(epoch, ticks));
}

}  // namespace

int64_t FileTimeValue(const FILETIME& t) {
  return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

FILETIME FileTimeFromValue(int64_t value) {
  uint64_t v = static_cast<uint64_t>(value);
  return FILETIME{static_cast<DWORD>(v & 0xFFFFFFFFu), static_cast<DWORD>(v >> 32)};
}

FILETIME GetCurrentFileTime() {
  SYSTEMTIME now{};
  GetSystemTime(&now);
  FILETIME t{};
  if (!SystemTimeToFileTime(&now, &t)) t = FileTimeFromValue(kFileTimeUnixEpoch);
  return t;
}

int64_t FileTimeToUnixSeconds(const FILETIME& t, bool* fits) { return SecondsSince(t, kFileTimeUnixEpoch, fits); }

uint32_t CurrentUnixMinutes() {
  int64_t minutes = FileTimeToUnixSeconds(GetCurrentFileTime(), nullptr) / 60;
  return minutes < 0 ? 0 : static_cast<uint32_t>(minutes);
}

int64_t FileTimeToUnixMinutes(const FILETIME& t) { return FloorDiv(FileTimeToUnixSeconds(t, nullptr), 60); }

int64_t FileTimeToUnixMilliseconds(const FILETIME& t) {
  return FloorDiv(Wide{FileTimeValue(t)} - kFileTimeUnixEpoch, kTicksPerMs);
}

int64_t FileTimeToSeconds1904(const FILETIME& t, bool* fits) { return SecondsSince(t, kFileTime1904Epoch, fits); }

FILETIME FileTimeFromUnix(int64_t seconds, int32_t milliseconds) {
  return FromSeconds(kFileTimeUnixEpoch, seconds, milliseconds);
}

FILETIME FileTimeFrom1904(int64_t seconds, int32_t milliseconds) {
  return FromSeconds(kFileTime1904Epoch, seconds, milliseconds);
}

void SplitFileTimeDays(const FILETIME& t, int64_t* days, uint32_t* msOfDay) {
  int64_t ms = FileTimeToUnixMilliseconds(t);
  int64_t d = FloorDiv(ms, kMsPerDay);
  if (days) *days = d;
  if (msOfDay) *msOfDay = static_cast<uint32_t>(ms - d * kMsPerDay);
}

void CurrentDayAndMs(int64_t* days, uint32_t* msOfDay) { SplitFileTimeDays(GetCurrentFileTime(), days, msOfDay); }

bool FileTimeToFields(const FILETIME& t, int32_t* year, int32_t* month, int32_t* day, int32_t* weekday,
                      int32_t* hour, int32_t* minute, int32_t* second, int32_t* millisecond) {
  SYSTEMTIME fields{};
  if (!FileTimeToSystemTime(&t, &fields)) return false;
  if (year) *year = fields.wYear;
  if (month) *month = fields.wMonth;
  if (day) *day = fields.wDay;
  if (weekday) *weekday = fields.wDayOfWeek;
  if (hour) *hour = fields.wHour;
  if (minute) *minute = fields.wMinute;
  if (second) *second = fields.wSecond;
  if (millisecond) *millisecond = fields.wMilliseconds;
  return true;
}

bool FieldsToFileTime(const int32_t* year, const int32_t* month, const int32_t* day, const int32_t* hour,
                      const int32_t* minute, const int32_t* second, const int32_t* millisecond, FILETIME* out) {
  const int32_t* given[7] = {year, month, day, hour, minute, second, millisecond};
  const int32_t defaults[7] = {1970, 1, 1, 0, 0, 0, 0};
  WORD value[7];
  for (int i = 0; i < 7; ++i) {
    int32_t v = given[i] ? *given[i] : defaults[i];
    if (v < 0 || v > 0xFFFF) return false;  // no SYSTEMTIME field holds it
    value[i] = static_cast<WORD>(v);
  }
  SYSTEMTIME fields{value[0], value[1], 0, value[2], value[3], value[4], value[5], value[6]};
  FILETIME t{};
  if (!SystemTimeToFileTime(&fields, &t)) return false;
  *out = t;
  return true;
}

int32_t CompareFileTimes(const FILETIME& a, const FILETIME& b) {
  if (a.dwHighDateTime != b.dwHighDateTime) return a.dwHighDateTime < b.dwHighDateTime ? -1 : 1;
  if (a.dwLowDateTime != b.dwLowDateTime) return a.dwLowDateTime < b.dwLowDateTime ? -1 : 1;
  return 0;
}

int64_t FileTimeDifferenceSeconds(const FILETIME& a, const FILETIME& b) {
  return static_cast<int64_t>((Wide{FileTimeValue(a)} - FileTimeValue(b)) / kTicksPerSecond);
}

double FileTimeDifference(const FILETIME& a, const FILETIME& b) {
  return static_cast<double>(Wide{FileTimeValue(a)} - FileTimeValue(b)) * 1e-7;
}

FILETIME AddSecondsToFileTime(const FILETIME& t, int64_t seconds) {
  return FileTimeFromValue(WrappingSum(FileTimeValue(t), WrappingProduct(seconds, kTicksPerSecond)));
}

bool StoreFileTime(uint8_t* buffer, uint32_t size, uint32_t* offset, const FILETIME& t) {
  if (!buffer || !offset || *offset > size || size - *offset < 8) return false;
  DWORD words[2] = {t.dwLowDateTime, t.dwHighDateTime};
  uint8_t* out = buffer + *offset;
  for (int w = 0; w < 2; ++w)
    for (int i = 0; i < 4; ++i) out[w * 4 + i] = static_cast<uint8_t>(words[w] >> (8 * i));
  *offset += 8;
  return true;
}

bool LoadFileTime(const uint8_t* buffer, uint32_t size, uint32_t* offset, FILETIME* t) {
  if (!buffer || !offset || *offset > size || size - *offset < 8) return false;
  const uint8_t* in = buffer + *offset;
  DWORD words[2] = {0, 0};
  for (int w = 0; w < 2; ++w)
    for (int i = 0; i < 4; ++i) words[w] |= static_cast<DWORD>(in[w * 4 + i]) << (8 * i);
  *t = FILETIME{words[0], words[1]};
  *offset += 8;
  return true;
}
