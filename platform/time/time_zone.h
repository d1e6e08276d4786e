// The device's time zone: a bias and, optionally, daylight-saving rules.
//
// Bias, StandardBias and DaylightBias are minutes with UTC = local + bias
// (+01:00 is a bias of -60). StandardDate (when daylight time ends, in local
// daylight time) and DaylightDate (when it begins, in local standard time)
// are rules: with wYear 0, "the wDay-th wDayOfWeek of wMonth at wHour:wMinute"
// (wDay 5 = the last); with wYear set, that exact date in that year only.
// wMonth 0 in either date means the zone has no daylight time.
//
// The two zone-conversion functions live in the emulated "kernel32.dll"
// (platform/modules/kernel32_module.cpp) and are reached only through
// GetProcAddressW, as on a device that may lack them; their types are here.
#pragma once

#include "platform/time/system_time.h"

struct TIME_ZONE_INFORMATION {
  LONG Bias;
  WCHAR StandardName[32];
  SYSTEMTIME StandardDate;
  LONG StandardBias;
  WCHAR DaylightName[32];
  SYSTEMTIME DaylightDate;
  LONG DaylightBias;
};

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;  // the zone has no daylight time
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;
constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone);
// Makes the zone the device's from now on (local time follows it, the UTC
// clock stays); FALSE with error 87 for null or rules that are not usable.
BOOL SetTimeZoneInformation(const TIME_ZONE_INFORMATION* zone);

// "kernel32.dll" exports. A null zone means the device's current zone. Local
// times that a spring change skips are read as daylight time; the hour that
// an autumn change repeats is read as its first (daylight) occurrence.
using SystemTimeToTzSpecificLocalTimeFunction = BOOL (*)(const TIME_ZONE_INFORMATION* zone,
                                                         const SYSTEMTIME* utc, SYSTEMTIME* local);
using TzSpecificLocalTimeToSystemTimeFunction = BOOL (*)(const TIME_ZONE_INFORMATION* zone,
                                                         const SYSTEMTIME* local, SYSTEMTIME* utc);
