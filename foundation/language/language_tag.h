// Language tags ("en-us", "fr", ...) and the platform's 16-bit language
// identifiers, both ways, for the text-to-speech language choice and the
// markup's language attributes.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

// The identifier of the first row whose tag has that length and the same
// UTF-16 units (case-sensitive; the table's tags are lower case); 0 when none
// or for a null tag.
uint16_t LanguageTagToLcid(const WCHAR* tag, uint32_t length);
// The tag of the first row with that identifier and its length; when none,
// one retry with sublanguage 1 for sublanguage 0 (and the reverse); null when
// that fails too. The returned text is zero-terminated.
const WCHAR* LcidToLanguageTag(uint16_t lcid, uint32_t* length);
