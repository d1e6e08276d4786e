// The formats and names of the locales the platform carries (not a device
// API), shared by the date and time formats.
#pragma once

#include "platform/locale/locale_ids.h"

struct LocaleData {
  WORD primaryLanguage;
  const char16_t* shortDate;
  const char16_t* longDate;
  const char16_t* time;
  const char16_t* months[12];
  const char16_t* abbreviatedMonths[12];
  const char16_t* days[7];  // Sunday first
  const char16_t* abbreviatedDays[7];
  const char16_t* am;
  const char16_t* pm;
  const char16_t* era;
};

// Null for an explicit locale the platform does not carry.
const LocaleData* FindLocaleData(LCID locale);
