// Single registry values read and written with their text in EncodedStrings:
// REG_SZ values are UTF-16 with a terminating NUL, numbers REG_DWORD values of
// 4 bytes. Every wrapper answers false on any registry error and leaves its
// output as it was (a failed string read may leave the text empty).
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "platform/registry/registry.h"

// Asks the value's size, reads it and keeps its text without the terminator
// (code page 65002); the text's ok status.
bool RegQueryString(HKEY key, const WCHAR* valueName, EncodedString* text);
// True only for a REG_DWORD value of 4 bytes.
bool RegQueryDword(HKEY key, const WCHAR* valueName, uint32_t* value);
bool RegSetDword(HKEY key, const WCHAR* valueName, uint32_t value);
// Written as UTF-16 with its terminator; an empty text with size 0.
bool RegSetString(HKEY key, const WCHAR* valueName, const EncodedString& text);
bool RegDeleteValueAt(HKEY key, const WCHAR* valueName);

// The string-table text of the identifier in the user's language, as UTF-16;
// false when the table has no such text.
bool LoadStringResourceInto(uint32_t stringId, EncodedString* text);
