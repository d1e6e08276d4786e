// TextRangeRef: a reference to a range of a document's text (a look-up
// result, a search hit), as the links that list several ranges carry them.
#pragma once

#include <cstdint>

struct TextRangeRef {
  int32_t start = -1;   // start position
  int32_t end = -1;     // end position
  int32_t length = 0;
  int32_t count = 1;
  int32_t source = -1;  // source identifier (for a look-up, the dictionary's number)
  uint8_t flagA = 0;
  uint8_t flagB = 0;
};
