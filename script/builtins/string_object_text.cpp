// Text operations of the String object's methods (see string_object_text.h).
#include "script/builtins/string_object_text.h"

#include <cmath>

namespace {

bool MatchesAt(const WCHAR* text, const WCHAR* needle, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i) {
    if (text[i] != needle[i]) return false;
  }
  return true;
}

// First occurrence at or after from, or -1.
int32_t FindForward(const SharedWideString& text, const SharedWideString& needle, uint32_t from) {
  uint32_t n = needle.length;
  if (n > text.length) return -1;
  const WCHAR* t = text.Chars();
  const WCHAR* s = needle.Chars();
  for (uint32_t at = from; at + n <= text.length; ++at) {
    if (MatchesAt(t + at, s, n)) return static_cast<int32_t>(at);
  }
  return -1;
}

}  // namespace

uint32_t ClampPosition(int32_t position, uint32_t length) {
  if (position < 0) return 0;
  if (static_cast<uint32_t>(position) > length) return length;
  return static_cast<uint32_t>(position);
}

uint32_t SlicePosition(int32_t position, uint32_t length) {
  if (position < 0) {
    int64_t fromEnd = static_cast<int64_t>(length) + position;
    return fromEnd < 0 ? 0 : static_cast<uint32_t>(fromEnd);
  }
  return ClampPosition(position, length);
}

int32_t StringIndexOf(const SharedWideString& text, const SharedWideString& needle, int32_t from) {
  uint32_t start = ClampPosition(from, text.length);
  if (needle.length == 0) return start == text.length ? -1 : static_cast<int32_t>(start);
  return FindForward(text, needle, start);
}

int32_t StringLastIndexOf(const SharedWideString& text, const SharedWideString& needle,
                          double from) {
  double last = text.length == 0 ? 0.0 : static_cast<double>(text.length - 1);
  double limit = std::isnan(from) ? last : std::trunc(from);
  if (limit > last) limit = last;
  if (limit < 0) limit = 0;
  int32_t bound = static_cast<int32_t>(limit);  // 0 .. length - 1: fits
  if (needle.length == 0) return bound;
  // Occurrences are found searching forward from the start; the last one
  // not after the bound wins.
  int32_t found = -1;
  int32_t at = FindForward(text, needle, 0);
  while (at != -1 && at <= bound) {
    found = at;
    at = FindForward(text, needle, static_cast<uint32_t>(at) + 1);
  }
  return found;
}

bool StringReplace(const SharedWideString& text, const SharedWideString& pattern,
                   const SharedWideString& replacement, int32_t maxCount, SharedWideString* out) {
  if (pattern.length == 0 || maxCount == 0) {
    out->Assign(text);
    return true;
  }
  SharedWideString result;
  uint32_t copied = 0;  // text before this position is in result
  int32_t replaced = 0;
  int32_t at = FindForward(text, pattern, 0);
  while (at != -1 && (maxCount < 0 || replaced < maxCount)) {
    uint32_t position = static_cast<uint32_t>(at);
    if (!result.AppendRange(text, copied, position - copied) || !result.Append(replacement)) {
      return false;
    }
    copied = position + pattern.length;
    ++replaced;
    at = FindForward(text, pattern, copied);
  }
  if (replaced == 0) {
    out->Assign(text);
    return true;
  }
  if (!result.AppendRange(text, copied, text.length - copied)) return false;
  out->Assign(result);
  return true;
}

bool StringMapChars(const SharedWideString& text, WCHAR (*map)(WCHAR), SharedWideString* out) {
  SharedWideString result;
  WCHAR* units = nullptr;
  if (text.length > 0 && !result.GetWriteBuffer(&units, 0, text.length)) return false;
  const WCHAR* from = text.Chars();
  for (uint32_t i = 0; i < text.length; ++i) units[i] = map(from[i]);
  out->Assign(result);
  return true;
}
