// GetDateFormatW and GetTimeFormatW for the locales the device carries:
// English (short date "M/d/yyyy", long date "dddd, MMMM d, yyyy", time
// "h:mm:ss tt") and French ("dd/MM/yyyy", "dddd d MMMM yyyy", "HH:mm:ss").
// Any sublanguage takes its primary language's formats; other explicit
// locales fail with error 87; the default locales (LOCALE_USER_DEFAULT,
// LOCALE_SYSTEM_DEFAULT, LOCALE_NEUTRAL) follow the device profile, English
// when its language is neither.
//
// Pictures: date d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g gg (era); time h
// hh H HH m mm s ss t tt; text in single quotes is copied ('' is a quote),
// any other character is copied as it is. A null time takes the current local
// time. The answer counts the terminator; a size of 0 asks for the size
// needed; a buffer too small fails with error 122. Dates are accepted for
// years 1-30827 (the date fields are checked, the weekday is computed); a
// time format checks only the time fields.
#pragma once

#include "platform/locale/locale_ids.h"
#include "platform/time/system_time.h"

constexpr DWORD DATE_SHORTDATE = 0x00000001;
constexpr DWORD DATE_LONGDATE = 0x00000002;
constexpr DWORD DATE_USE_ALT_CALENDAR = 0x00000004;

constexpr DWORD TIME_NOMINUTESORSECONDS = 0x00000001;
constexpr DWORD TIME_NOSECONDS = 0x00000002;
constexpr DWORD TIME_NOTIMEMARKER = 0x00000004;
constexpr DWORD TIME_FORCE24HOURFORMAT = 0x00000008;

constexpr DWORD LOCALE_NOUSEROVERRIDE = 0x80000000;

// Flags that do not fit (both date lengths, a date length with a picture,
// unknown bits) fail with this error.
constexpr DWORD ERROR_INVALID_FLAGS = 1004;

int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCWSTR format, LPWSTR out, int outSize);
int GetTimeFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR out, int outSize);
