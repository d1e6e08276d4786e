// The texts behind the host objects' built-in properties: the program's
// version, the platform's name and a locale's language name.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

// "5.2 build 548(WinCE)"; false when memory runs out.
bool GetVersionText(SharedWideString* text);
// "WinCE"; false when memory runs out.
bool GetPlatformName(SharedWideString* text);
// The language tag of the locale ("en-us"); for an identifier below 1024
// without a tag of its own, the tag of its primary language (sub-language
// 1); "neutral" when neither has one. False when memory runs out.
bool GetLanguageName(uint32_t localeId, SharedWideString* text);
