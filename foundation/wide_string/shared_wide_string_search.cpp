// SharedWideString search and comparison: ordering by UTF-16 units, substring
// search and the character searches the splitters and parsers use.
#include "foundation/wide_string/shared_wide_string.h"

namespace {

// [start, end) of a character search over a string of the given length; end
// -1 or beyond the length means the length.
uint32_t SearchEnd(uint32_t length, int32_t end) {
  if (end < 0 || static_cast<uint32_t>(end) > length) return length;
  return static_cast<uint32_t>(end);
}

}  // namespace

int SharedWideString::Compare(const WCHAR* chars, uint32_t n, bool prefixMode) const {
  const WCHAR* mine = Chars();
  uint32_t common = length < n ? length : n;
  if (mine != chars) {
    for (uint32_t i = 0; i < common; ++i) {
      if (mine[i] != chars[i]) return mine[i] > chars[i] ? 1 : -1;
    }
  }
  if (n > length) return -1;
  if (prefixMode || n == length) return 0;
  return 1;
}

int SharedWideString::CompareTo(const SharedWideString& other, bool prefixMode) const {
  return Compare(other.Chars(), other.length, prefixMode);
}

uint32_t SharedWideString::Find(const SharedWideString& other, uint32_t start) const {
  if (buffer == nullptr || other.buffer == nullptr) return 0;
  if (other.length > length || start > length - other.length) return length;
  const WCHAR* hay = Chars();
  const WCHAR* needle = other.Chars();
  for (uint32_t i = start; i + other.length <= length; ++i) {
    uint32_t k = 0;
    while (k < other.length && hay[i + k] == needle[k]) ++k;
    if (k == other.length) return i;
  }
  return length;
}

bool SharedWideString::FindChar(uint8_t ch, uint32_t* out, uint32_t start, int32_t end) const {
  uint32_t stop = SearchEnd(length, end);
  const WCHAR* chars = Chars();
  for (uint32_t i = start; i < stop; ++i) {
    if (chars[i] == ch) {
      *out = i;
      return true;
    }
  }
  return false;
}

uint32_t SharedWideString::IndexOfChar(uint8_t ch, uint32_t start, int32_t end) const {
  uint32_t index = 0;
  return FindChar(ch, &index, start, end) ? index : SearchEnd(length, end);
}

uint32_t SharedWideString::CountChar(uint8_t ch, uint32_t start, int32_t end) const {
  uint32_t stop = SearchEnd(length, end);
  const WCHAR* chars = Chars();
  uint32_t count = 0;
  for (uint32_t i = start; i < stop; ++i) count += chars[i] == ch ? 1 : 0;
  return count;
}
