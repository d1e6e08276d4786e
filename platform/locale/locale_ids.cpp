// Default language queries, answered from the device profile.
#include "platform/locale/locale_ids.h"

#include "platform/core/device_profile.h"

LANGID GetUserDefaultLangID() { return devsystem::Profile().language; }
LCID GetUserDefaultLCID() { return MAKELCID(GetUserDefaultLangID(), 0); }
LANGID GetSystemDefaultLangID() { return devsystem::Profile().language; }
LCID GetSystemDefaultLCID() { return MAKELCID(GetSystemDefaultLangID(), 0); }
LANGID GetUserDefaultUILanguage() { return devsystem::Profile().language; }
