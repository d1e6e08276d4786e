// Helpers over the platform's FILETIME (100 ns units since 1601-01-01 UTC):
// the current time, seconds and minutes since 1970 (the time stamps of the
// side files, the loader and the library), seconds since 1904 (the
// Palm-database epoch), calendar fields, arithmetic and byte-buffer copies.
// FILETIME values are taken as signed 64-bit counts.
#pragma once

#include <cstdint>

#include "platform/time/system_time.h"

// 100 ns units from 1601-01-01 to 1970-01-01 and to 1904-01-01.
constexpr int64_t kFileTimeUnixEpoch = 116444736000000000;
constexpr int64_t kFileTime1904Epoch = 95616288000000000;

int64_t FileTimeValue(const FILETIME& t);
FILETIME FileTimeFromValue(int64_t value);

// The platform's current UTC time.
FILETIME GetCurrentFileTime();
// Seconds since 1970 (floor); *fits tells whether they lie in 0..2^32-1.
int64_t FileTimeToUnixSeconds(const FILETIME& t, bool* fits);
// Whole minutes since 1970 of the current time (0 before 1970).
uint32_t CurrentUnixMinutes();
// Minutes since 1970 (floor) of a given time.
int64_t FileTimeToUnixMinutes(const FILETIME& t);
// Milliseconds since 1970 (floor).
int64_t FileTimeToUnixMilliseconds(const FILETIME& t);
// Seconds since 1904-01-01 (floor); *fits as above.
int64_t FileTimeToSeconds1904(const FILETIME& t, bool* fits);
FILETIME FileTimeFromUnix(int64_t seconds, int32_t milliseconds);
FILETIME FileTimeFrom1904(int64_t seconds, int32_t milliseconds);
// Days since 1970 (floor) and the milliseconds of that day.
void SplitFileTimeDays(const FILETIME& t, int64_t* days, uint32_t* msOfDay);
// The same for the platform's current UTC time.
void CurrentDayAndMs(int64_t* days, uint32_t* msOfDay);

// Fields through the platform's FILETIME <-> SYSTEMTIME conversions: month
// 1-12, weekday 0 = Sunday; every output may be null. False when the
// platform refuses the time (outputs untouched).
bool FileTimeToFields(const FILETIME& t, int32_t* year, int32_t* month, int32_t* day, int32_t* weekday,
                      int32_t* hour, int32_t* minute, int32_t* second, int32_t* millisecond);
// Null fields default to 1970, 1, 1, 0, 0, 0, 0. False when the platform
// refuses the fields (*out untouched).
bool FieldsToFileTime(const int32_t* year, const int32_t* month, const int32_t* day, const int32_t* hour,
                      const int32_t* minute, const int32_t* second, const int32_t* millisecond, FILETIME* out);

// -1, 0 or 1, the high word first.
int32_t CompareFileTimes(const FILETIME& a, const FILETIME& b);
// a - b in whole seconds (truncated toward zero), and as a double.
int64_t FileTimeDifferenceSeconds(const FILETIME& a, const FILETIME& b);
double FileTimeDifference(const FILETIME& a, const FILETIME& b);
FILETIME AddSecondsToFileTime(const FILETIME& t, int64_t seconds);

// Eight bytes at buffer + *offset, little-endian (the device's order), low
// word first; *offset moves past them. False, with nothing copied, when the
// eight bytes do not fit in size.
bool StoreFileTime(uint8_t* buffer, uint32_t size, uint32_t* offset, const FILETIME& t);
bool LoadFileTime(const uint8_t* buffer, uint32_t size, uint32_t* offset, FILETIME* t);
