// EncodedString comparison: selection against selection (or a raw text
// wrapped without copying), character by character as 16-bit values, with
// case folding of 'A'-'Z' only and an optional prefix mode.
#include <cstring>

#include "foundation/encoded_string/encoded_string_walk.h"

int32_t EncodedString::Compare(const EncodedString& other, bool prefixMode, bool caseSensitive) const {
  if (&other == this) return 0;
  bool thisEmpty = IsSelectionEmpty() || !buffer;
  bool otherEmpty = other.IsSelectionEmpty() || !other.buffer;
  if (thisEmpty && otherEmpty) return 0;
  if (thisEmpty) return -1;
  if (otherEmpty) return prefixMode ? 0 : 1;

  CharWalker mine(*this), theirs(other);
  mine.StartAt(static_cast<int32_t>(selStart));
  theirs.StartAt(static_cast<int32_t>(other.selStart));
  for (;;) {
    uint32_t a = mine.Step();
    uint32_t b = theirs.Step();
    bool haveA = !mine.AtEnd() && IsInSelection(mine.RawPos());
    bool haveB = !theirs.AtEnd() && other.IsInSelection(theirs.RawPos());
    if (haveA && haveB) {
      a = FoldChar(a, caseSensitive);
      b = FoldChar(b, caseSensitive);
      if (a < b) return -1;
      if (a > b) return 1;
      continue;
    }
    if (prefixMode) return haveB ? 1 : 0;
    if (haveA) return 1;
    if (haveB) return -1;
    return 0;
  }
}

int32_t EncodedString::CompareText(const void* text, int32_t textLength, int32_t textCodePage, bool prefixMode,
                                   bool caseSensitive) const {
  if (textCodePage == -1) textCodePage = 65002;
  uint32_t bytes = 0;
  if (text) {
    if (textLength >= 0) {
      bytes = static_cast<uint32_t>(textLength);
    } else if (textCodePage == 65002) {
      const WCHAR* units = static_cast<const WCHAR*>(text);
      while (units[bytes / 2]) bytes += 2;
    } else {
      bytes = static_cast<uint32_t>(std::strlen(static_cast<const char*>(text)));
    }
  }
  EncodedString view;
  view.SetCodePage(textCodePage);
  view.buffer = static_cast<uint8_t*>(const_cast<void*>(text));
  view.length = bytes;
  view.capacity = bytes;
  view.selEnd = bytes;
  int32_t result = Compare(view, prefixMode, caseSensitive);
  view.DetachBuffer();
  return result;
}

bool EncodedString::EqualsWide(const WCHAR* text) const { return CompareText(text, -1, -1, false, false) == 0; }

bool EncodedString::EqualsText(const char* text) const { return CompareText(text, -1, 1252, false, false) == 0; }

bool EncodedString::StartsWithText(const WCHAR* text) const { return CompareText(text, -1, -1, true, false) == 0; }

bool EncodedString::StartsWithText(const char* text) const {
  return CompareText(text, -1, 1252, true, false) == 0;
}

int32_t EncodedString::CompareBytes(const uint8_t* a, const uint8_t* b, uint32_t n) {
  for (uint32_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<int32_t>(a[i]) - static_cast<int32_t>(b[i]);
  return 0;
}
