// Code page 1252: its table of 0x80-0x9F, the reverse pair table, and the
// mapping of Unicode characters to 1252 bytes (exact, then approximated).
#include "foundation/code_pages/code_page.h"

namespace {

// 0x80-0x9F; the five positions 1252 leaves unassigned map to themselves.
const uint16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Sorted by code point: the characters of 0x80-0x9F, the five unassigned
// positions, and the non-breaking hyphen shown as a plain one.
const CharPair kReverse[33] = {
    {0x0081, 0x81}, {0x008D, 0x8D}, {0x008F, 0x8F}, {0x0090, 0x90}, {0x009D, 0x9D},
    {0x0152, 0x8C}, {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0178, 0x9F},
    {0x017D, 0x8E}, {0x017E, 0x9E}, {0x0192, 0x83}, {0x02C6, 0x88}, {0x02DC, 0x98},
    {0x2011, 0x2D}, {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91}, {0x2019, 0x92},
    {0x201A, 0x82}, {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2020, 0x86},
    {0x2021, 0x87}, {0x2022, 0x95}, {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B},
    {0x203A, 0x9B}, {0x20AC, 0x80}, {0x2122, 0x99},
};

}  // namespace

const uint16_t* Cp1252HighTable() { return kHigh; }

const CharPair* Cp1252ReversePairs(uint32_t* count) {
  *count = sizeof(kReverse) / sizeof(kReverse[0]);
  return kReverse;
}

uint32_t Cp1252ToUnicode(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

uint32_t LookupCharPair(uint32_t cp, const CharPair* table, uint32_t count, uint32_t fallback) {
  if (!table || count == 0) return fallback;
  if (cp < table[0].codePoint || cp > table[count - 1].codePoint) return fallback;
  if (cp == table[0].codePoint) return table[0].byte;
  if (cp == table[count - 1].codePoint) return table[count - 1].byte;
  uint32_t low = 0, high = count - 1;  // table[low] < cp < table[high]
  while (high - low > 1) {
    uint32_t mid = low + (high - low) / 2;
    if (table[mid].codePoint == cp) return table[mid].byte;
    if (table[mid].codePoint < cp) {
      low = mid;
    } else {
      high = mid;
    }
  }
  return fallback;
}

uint32_t UnicodeToCp1252(uint32_t cp, uint32_t fallback) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return cp;
  return LookupCharPair(cp, kReverse, 33, fallback);
}

uint32_t CharToCp1252Approx(uint32_t cp, uint32_t fallback) {
  if (cp == 0) return fallback;
  uint32_t exact = UnicodeToCp1252(cp, 0);
  if (exact != 0) return exact;
  uint32_t count = 0;
  const CharPair* approx = Cp1252ApproximationPairs(&count);
  return LookupCharPair(cp, approx, count, fallback);
}

bool NarrowToCp1252InPlace(WCHAR* unit) {
  if (*unit == 0) return true;
  uint32_t byte = CharToCp1252Approx(*unit, 0);
  if (byte == 0) return false;
  *unit = static_cast<WCHAR>(byte);
  return true;
}
