// Equality of the five-word keys with which the index code's record-field
// templates are matched: words 0, 2, 3 and 4 count, word 1 is ignored.
#pragma once

#include <cstdint>

inline bool TemplateKeyEquals(const uint32_t* a, const uint32_t* b) {
  return a[0] == b[0] && a[2] == b[2] && a[3] == b[3] && a[4] == b[4];
}

inline bool TemplateKeyDiffers(const uint32_t* a, const uint32_t* b) { return !TemplateKeyEquals(a, b); }
