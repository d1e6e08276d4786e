// The system's texts by string identifier, in the user's language, and the
// small locale services beside them.
//
// The language is chosen once per run: the first look-up fixes the offset
// (1000 when the user's default language is French, else 0) and later
// changes of the user's language do not move it. Tests reset it through
// foundation/language/localized_strings_testing.h.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

// 12 (French) when the primary language of the user's default language is
// French, else 9 (English).
int32_t GetUiLanguage();
// id + the language offset.
uint32_t LocalizeStringId(uint32_t id);
// The read-only, zero-terminated text of LocalizeStringId(id) in the
// program's string table; null when the table has no such text.
const WCHAR* LoadLocalizedString(uint32_t id);
// The platform's default locale identifier.
uint32_t GetDefaultLocaleId();
// Sets the battery idle time-out to `seconds` (broadcasting the change) and
// answers the one in force before, for the caller to restore later. When the
// old value cannot be read, `seconds` is answered, so that a restore changes
// nothing.
uint32_t ExchangeBatteryIdleTimeout(uint32_t seconds);
