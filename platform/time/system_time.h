// The device's system time: the current UTC and local time, SYSTEMTIME and
// FILETIME (100 ns units since 1601-01-01 UTC) and the conversions between
// them. The clock is the emulated device's: virtual in tests, the host's real
// time in the program until SetSystemTime moves it (it then runs on from the
// time set; the host's own clock is never changed).
//
// Local time follows the device's time zone (platform/time/time_zone.h).
// FileTimeToLocalFileTime and LocalFileTimeToFileTime apply the zone's offset
// in force at the converted time (its daylight-saving rules included), not the
// offset of the current moment: a date in the other season converts to the
// same local time as through the kernel32 zone functions.
#pragma once

#include "platform/types/device_types.h"

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;      // 1-12
  WORD wDayOfWeek;  // 0 = Sunday; ignored on input, set on output
  WORD wDay;        // 1-31
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

void GetSystemTime(SYSTEMTIME* utc);
void GetLocalTime(SYSTEMTIME* local);
// Sets the device's UTC time (wDayOfWeek ignored); FALSE with error 87 for
// null or a time outside years 1601-30827.
BOOL SetSystemTime(const SYSTEMTIME* utc);

// Years 1601-30827 with valid fields; FALSE with error 87 otherwise.
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime);
// Values below 2^63; FALSE with error 87 otherwise.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* time);
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
BOOL LocalFileTimeToFileTime(const FILETIME* local, FILETIME* utc);
// -1, 0 or 1.
LONG CompareFileTime(const FILETIME* a, const FILETIME* b);
