// Key forms and collation of index keys.
#include "index/search/key_collation.h"

#include "foundation/characters/char_class.h"
#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"

uint32_t MapLigatures(const uint8_t* source, uint32_t length, uint8_t* out, uint32_t capacity,
                      const uint8_t* pairs, uint32_t pairCount, bool encode) {
  uint32_t written = 0;
  uint32_t i = 0;
  while (i < length && written < capacity) {
    bool applied = false;
    for (uint32_t p = 0; p < pairCount; ++p) {
      const uint8_t* pair = pairs + 4 * p;
      const uint8_t* from = encode ? pair : pair + 2;
      const uint8_t* to = encode ? pair + 2 : pair;
      if (source[i] != from[0]) continue;
      uint32_t consumed = 1;
      if (from[1] != 0) {
        if (i + 1 >= length || source[i + 1] != from[1]) continue;
        consumed = 2;
      }
      out[written++] = to[0];
      if (to[1] != 0 && written < capacity) out[written++] = to[1];
      i += consumed;
      applied = true;
      break;
    }
    if (!applied) out[written++] = source[i++];
  }
  return written;
}

uint32_t CodeWidth(const IndexCollation& c) { return c.utf16Keys && !c.oneByteEntries ? 2 : 1; }

uint32_t CodeWeight(const IndexCollation& c, uint32_t code) {
  if (c.utf16Keys) {
    if (c.weights == nullptr || code >= c.characterCount) return code;
    return c.oneByteEntries ? c.weights[code] : LoadU16BE(c.weights + 2 * code);
  }
  if (c.ordt != nullptr && code < 256) return c.ordt[code];
  return code;
}

namespace {

bool InTable(const IndexCollation& c, uint32_t code) {
  if (c.utf16Keys) return c.weights != nullptr && code < c.characterCount;
  return c.ordt != nullptr && code < 256;
}

bool HasWeights(const IndexCollation& c) {
  return c.utf16Keys ? c.weights != nullptr && c.characterCount != 0 : c.ordt != nullptr;
}

uint32_t CodeAt(const uint8_t* p, uint32_t i, uint32_t width) {
  return width == 2 ? LoadU16BE(p + 2 * i) : p[i];
}

// Finds a unit in the character table: its index, or -1.
int32_t CharacterIndex(const IndexCollation& c, WCHAR unit) {
  for (uint32_t i = 0; i < c.characterCount; ++i) {
    if (LoadU16BE(c.characters + 2 * i) == unit) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace

int32_t ComparePlainBytes(const uint8_t* key, uint32_t keyLength, const uint8_t* label, uint32_t labelLength,
                          uint32_t limit) {
  uint32_t compared = labelLength;
  if (limit != 0 && limit < compared) compared = limit;
  uint32_t common = keyLength < compared ? keyLength : compared;
  for (uint32_t i = 0; i < common; ++i) {
    if (key[i] != label[i]) return key[i] < label[i] ? -1 : 1;
  }
  if (keyLength < compared) return -1;
  if (keyLength > compared) return 1;
  return 0;
}

int32_t CompareCollated(const IndexCollation& c, bool tieBreak, const uint8_t* key, uint32_t keyLength,
                        const uint8_t* label, uint32_t labelLength, uint32_t limit) {
  if (!HasWeights(c)) return ComparePlainBytes(key, keyLength, label, labelLength, limit);
  const uint32_t width = CodeWidth(c);
  const uint32_t kn = keyLength / width;
  const uint32_t ln = labelLength / width;
  uint32_t i = 0;
  uint32_t j = 0;
  uint32_t compared = 0;
  auto skip = [&](const uint8_t* p, uint32_t n, uint32_t* at) {
    while (*at < n && CodeWeight(c, CodeAt(p, *at, width)) == 0) ++*at;
  };
  skip(key, kn, &i);
  skip(label, ln, &j);
  int32_t result = 0;
  bool limitReached = false;
  while (i < kn && j < ln) {
    if (limit != 0 && compared >= limit) {
      limitReached = true;
      break;
    }
    uint32_t a = CodeAt(key, i, width);
    uint32_t b = CodeAt(label, j, width);
    uint32_t wa = CodeWeight(c, a);
    uint32_t wb = CodeWeight(c, b);
    if (wa != wb || InTable(c, a) != InTable(c, b)) {
      bool ia = InTable(c, a);
      bool ib = InTable(c, b);
      if (ia != ib) return ia ? -1 : 1;
      return wa < wb ? -1 : 1;
    }
    ++i;
    ++j;
    ++compared;
    skip(key, kn, &i);
    skip(label, ln, &j);
  }
  if (limit != 0 && compared >= limit) limitReached = true;
  if (limitReached || (i >= kn && j >= ln)) result = 0;
  else if (i >= kn) result = -1;
  else result = 1;
  if (result == 0 && tieBreak) return ComparePlainBytes(key, keyLength, label, labelLength, limit);
  return result;
}

int32_t CompareCodes(uint32_t a, uint32_t b, const IndexCollation& c) {
  if (!HasWeights(c)) return static_cast<int32_t>(a) - static_cast<int32_t>(b);
  return static_cast<int32_t>(CodeWeight(c, a)) - static_cast<int32_t>(CodeWeight(c, b));
}

bool EncodeKey(const IndexCollation& c, const void* text, uint32_t length, int32_t textCodePage, uint8_t* out,
               uint32_t capacity, uint32_t* outLength, uint32_t* significant) {
  const uint8_t* bytes = static_cast<const uint8_t*>(text);
  const WCHAR* units = static_cast<const WCHAR*>(text);
  const uint32_t width = c.oneByteEntries ? 1 : 2;
  bool unrepresentable = false;
  uint32_t written = 0;
  uint32_t lastSignificant = 0;
  WCHAR lastKana = 0;
  uint32_t at = 0;
  while (at < length) {
    uint32_t ch = 0;
    uint32_t used = 1;
    if (textCodePage == kCodePageUtf8) {
      used = DecodeUtf8Char(bytes + at, length - at, &ch);
      if (used == 0) break;
    } else if (textCodePage == kCodePageUtf16) {
      ch = units[at];
    } else {
      ch = Cp1252ToUnicode(bytes[at]);
    }
    at += used;
    if (ch == 0) continue;
    WCHAR encoded[2];
    uint32_t n = EncodeUtf16Char(ch, encoded);
    bool characterWeighs = false;
    for (uint32_t u = 0; u < n; ++u) {
      WCHAR unit = encoded[u];
      WCHAR expanded[2];
      int count = 1;
      expanded[0] = unit;
      if (KanaVowel(unit) != 0) lastKana = unit;
      if ((unit == kProlongedSoundMark || unit == kHalfwidthProlongedSoundMark) && lastKana != 0) {
        expanded[0] = ExpandProlongedSoundMark(unit, lastKana, true);
      } else {
        count = ExpandLigature(unit, expanded, true);
      }
      for (int e = 0; e < count; ++e) {
        WCHAR v = expanded[e];
        uint32_t index = 0;
        if (IsFoldableRange(v)) {
          int32_t found = CharacterIndex(c, v);
          if (found < 0) found = CharacterIndex(c, FoldChar(v));
          if (found < 0) unrepresentable = true;
          else index = static_cast<uint32_t>(found);
        } else if (width == 1) {
          unrepresentable = true;
        } else {
          index = v;
        }
        if (written + width <= capacity) {
          if (width == 1) out[written] = static_cast<uint8_t>(index);
          else StoreU16BE(out + written, index);
          written += width;
        }
        if (CodeWeight(c, index) != 0) characterWeighs = true;
      }
    }
    if (characterWeighs || unrepresentable) lastSignificant = at;
  }
  *outLength = written;
  if (significant) *significant = lastSignificant;
  return unrepresentable;
}

uint32_t DecodeLabel(const IndexCollation& c, const uint8_t* stored, uint32_t length, WCHAR* out,
                     uint32_t capacity) {
  if (c.characters == nullptr || c.characterCount == 0) return 0;
  const uint32_t width = c.oneByteEntries ? 1 : 2;
  const uint32_t codes = length / width;
  // Indexes to characters first, prolonged-sound codes restored.
  WCHAR chars[128];
  uint32_t n = 0;
  for (uint32_t i = 0; i < codes && n < 128; ++i) {
    uint32_t index = CodeAt(stored, i, width);
    WCHAR ch = index < c.characterCount ? static_cast<WCHAR>(LoadU16BE(c.characters + 2 * index))
                                        : static_cast<WCHAR>(index);
    chars[n++] = RestoreProlongedSoundMark(ch, true);
  }
  // Coded ligature pairs composed back into single characters.
  uint32_t written = 0;
  uint32_t i = 0;
  while (i < n && written < capacity) {
    WCHAR composed = 0;
    int used = ComposeLigature(chars + i, n - i, &composed, true);
    if (used == 2) {
      out[written++] = composed;
      i += 2;
    } else if (used == 1) {
      out[written++] = composed;
      i += 1;
    } else {
      // A lone coded first letter: keep the character as stored.
      out[written++] = chars[i];
      i += 1;
    }
  }
  return written;
}
