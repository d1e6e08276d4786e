// Where a line may end: the punctuation that must not end a line (opening)
// or begin one (closing), the languages written without hyphens, and
// whether a word is worth splitting at all.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

bool IsOpeningPunctuation(WCHAR c);
bool IsClosingPunctuation(WCHAR c);
// Chinese, Japanese and Korean (by the primary language number, the low 10
// bits of a language id) are written without hyphens.
bool LanguageWithoutHyphens(uint16_t language);
// At least a quarter of the line is still free.
inline bool WorthSplitting(int32_t remaining, int32_t available) {
  return int64_t{remaining} * 4 >= available;
}
