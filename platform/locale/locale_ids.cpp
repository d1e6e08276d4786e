// Default language queries, answered from the device profile.
#include "platform/locale/locale_ids.h"

#include "platform/testing/profile.h"

LANGID GetUserDefaultLangID() { return devtest::Profile().language; }
LCID GetUserDefaultLCID() { return MAKELCID(GetUserDefaultLangID(), 0); }
LANGID GetSystemDefaultLangID() { return devtest::Profile().language; }
LCID GetSystemDefaultLCID() { return MAKELCID(GetSystemDefaultLangID(), 0); }
LANGID GetUserDefaultUILanguage() { return devtest::Profile().language; }
