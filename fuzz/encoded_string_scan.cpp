// Fuzz target: EncodedString values as saved state and files give them (read
// back with Deserialize, or raw bytes in any code page, odd UTF-16 lengths and
// unknown unit kinds included) through the scanners, the search and edit
// operations, the path helpers, the conversions, escaping and a serialise
// round trip. Besides the sanitizers it checks that every selection stays
// inside the text, that every walk ends within the text's length, and that
// comparison is antisymmetric.
//
// Input: byte 0 flags (bits 0-2 the code page of raw text, bit 3 read the
// strings with Deserialize, bit 4 case-sensitive searches, bit 5 a file's
// bytes); byte 1 the length of the pattern, taken after it; the rest is the
// text. With bit 3 the bytes after byte 0 are serialised strings instead:
// text, pattern and replacement.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/encoded_string/encoded_string_array.h"
#include "foundation/encoded_string/text_escape.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckSelection(const EncodedString& s) { Check(s.selStart <= s.selEnd && s.selEnd <= s.length); }

// Every scanner from the start, each moving the cursor to its selection's
// end, until the text runs out or the cursor moves no further.
void Scanners(const EncodedString& source) {
  for (int which = 0; which < 8; ++which) {
    EncodedString s = source;
    s.ResetScan();
    int steps = 0;
    for (;;) {
      int32_t before = s.cursor;
      switch (which) {
        case 0: s.SkipBlanks(); break;
        case 1: s.SelectToken(); break;
        case 2: s.SelectDigits(); break;
        case 3: s.SelectName(false); break;
        case 4: s.SelectIdentifier(); break;
        case 5: s.SelectQuoted(); break;
        case 6: s.SelectAttributeValue(); break;
        default: s.SelectBalancedPlain('(', ')', steps & 1); break;
      }
      if (which != 0) {
        CheckSelection(s);
        (void)s.ToInteger(10);
        (void)s.ToSignedInteger(16);
        (void)s.SelectionCharLength();
        s.CursorToSelectionEnd();
      }
      if (s.GetCondition() == kConditionEndOfText || s.cursor <= before) break;
      Check(++steps <= static_cast<int>(s.length) + 1);
    }
  }
  EncodedString walk = source;
  walk.ResetScan();
  uint32_t lines = 0, steps = 0;
  while (walk.NextChar(&lines), walk.GetCondition() != kConditionEndOfText) Check(++steps <= walk.length);
}

void Search(const EncodedString& text, const EncodedString& pattern, const EncodedString& replacement,
            bool caseSensitive) {
  EncodedString found = text;
  found.ResetScan();
  for (uint32_t n = 0; found.Find(pattern, caseSensitive); ++n) {
    CheckSelection(found);
    Check(found.selEnd > found.selStart && n <= found.length);
    found.cursor = static_cast<int32_t>(found.selEnd);
    found.cursorWidth = 0;
  }
  Check(EncodedString::CountOccurrences(text, pattern, caseSensitive) <= text.length);
  EncodedStringArray pieces;
  SplitEncodedString(text, pattern, &pieces);
  Check(pieces.Count() <= text.length + 1);
  EncodedString replaced = text;
  replaced.ReplaceAll(pattern, replacement, caseSensitive ? 3 : -1);
  CheckSelection(replaced);
  for (bool prefix : {false, true}) {
    int32_t ab = text.Compare(pattern, prefix, caseSensitive);
    int32_t ba = pattern.Compare(text, prefix, caseSensitive);
    Check(ab >= -1 && ab <= 1 && ba >= -1 && ba <= 1);
    if (!prefix) Check(ab == -ba);
  }
  (void)text.HashCode();
  (void)text.CharLength();
}

void Paths(const EncodedString& text, const EncodedString& other, bool baseIsFile) {
  for (int which = 0; which < 7; ++which) {
    EncodedString s = text;
    switch (which) {
      case 0: s.SelectPathSegment(baseIsFile); break;
      case 1: s.SelectFolder(false, baseIsFile); break;
      case 2: s.SelectExtension(baseIsFile); break;
      case 3: s.SelectFirstComponent(); break;
      case 4: s.SelectParentPath(); break;
      case 5: s.StripTrailingBackslash(); break;
      default: s.Crop(); break;
    }
    CheckSelection(s);
  }
  EncodedString combined;
  combined.CombinePath(text, other, baseIsFile);
  CheckSelection(combined);
}

void Conversions(const EncodedString& text, const EncodedString& other) {
  static const int32_t kTargets[] = {65002, 65001, 1252, 20105};
  for (int32_t cp : kTargets) {
    EncodedString copy = text;
    if (copy.ConvertToCodePage(cp)) CheckSelection(copy);
  }
  EncodedString matched = text;
  matched.MatchWidth(other);
  EncodedString appended = text;
  appended.AppendConverted(other);
  for (bool forward : {true, false}) {
    EncodedString out;
    XmlEscape(text, &out, forward);
    UrlEncode(text, &out, forward);
  }
  // Serialise and read back: the selected bytes return unchanged.
  for (bool bigEndian : {false, true}) {
    uint32_t size = 0;
    text.Serialize(nullptr, &size, bigEndian);
    std::vector<uint8_t> bytes(size);
    uint32_t offset = 0;
    text.Serialize(bytes.data(), &offset, bigEndian);
    Check(offset == size);
    const uint8_t* cursor = bytes.data();
    uint32_t remaining = size;
    EncodedString back;
    // A unit kind of 0 written little-endian reads as big-endian: the head
    // tells the order by that word alone.
    bool unambiguous = bigEndian || text.unitKind != EncodedString::kUnitNone;
    if (back.Deserialize(&cursor, &remaining) && unambiguous) {
      EncodedString selected = text;  // a copy holds only the selection
      Check(back.length == selected.length);
      Check(back.length == 0 || EncodedString::CompareBytes(back.buffer, selected.buffer, back.length) == 0);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2 || size > (1u << 16)) return 0;
  static const int32_t kPages[8] = {1252, 65001, 65002, 932, 936, 949, 51932, -1};
  const uint8_t flags = data[0];
  const bool caseSensitive = (flags & 0x10) != 0;
  EncodedString text, pattern, replacement;
  if ((flags & 0x08) != 0) {
    const uint8_t* cursor = data + 1;
    uint32_t remaining = static_cast<uint32_t>(size - 1);
    text.Deserialize(&cursor, &remaining);
    pattern.Deserialize(&cursor, &remaining);
    replacement.Deserialize(&cursor, &remaining);
  } else if ((flags & 0x20) != 0) {
    text.TakeFileBytes(data + 1, static_cast<uint32_t>(size - 1));
    pattern.AssignBytes("\\", 1, 1252);
    replacement.AssignBytes("..\\x", 4, 1252);
  } else {
    const int32_t cp = kPages[flags & 7];
    uint32_t patternLength = data[1];
    if (patternLength > size - 2) patternLength = static_cast<uint32_t>(size - 2);
    pattern.AssignBytes(data + 2, patternLength, cp);
    text.AssignBytes(data + 2 + patternLength, static_cast<uint32_t>(size - 2 - patternLength), cp);
    replacement.AssignBytes(data + 2, patternLength / 2, kPages[(flags >> 5) & 7]);
  }
  CheckSelection(text);
  CheckSelection(pattern);
  Scanners(text);
  Search(text, pattern, replacement, caseSensitive);
  Paths(text, pattern, caseSensitive);
  Paths(pattern, text, !caseSensitive);
  Conversions(text, pattern);
  return 0;
}
