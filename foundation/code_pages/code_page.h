// Code pages and conversions: the system's code-page vocabulary, its own
// UTF-8/UTF-16 primitives, the converters between multibyte text and UTF-16
// (the platform's calls, with Mlang.dll's "ConvertINetMultiByteToUnicode" as
// a fallback bound at run time), the UTF-8 converter that fills a
// CharPositionMap, the conversion to UTF-8, and the mapping of Unicode
// characters to code page 1252 with its approximation table.
//
// Implementation: utf_primitives.cpp, code_page_vocabulary.cpp,
// code_page_converters.cpp, code_page_mlang.cpp, char_position_map.cpp,
// utf8_output.cpp, code_page_cp1252.cpp, code_page_cp1252_approx.cpp.
#pragma once

#include <cstdint>

#include "foundation/code_pages/char_position_map.h"
#include "platform/types/device_types.h"

// ---- Code pages ----
constexpr int32_t kCodePageNone = -1;
constexpr int32_t kCodePageDefault = 0;       // the platform's default page
constexpr int32_t kCodePage1252 = 1252;
constexpr int32_t kCodePage7Bit = 20105;      // 7-bit text: every byte masked to 7 bits
constexpr int32_t kCodePageUtf8 = 65001;
constexpr int32_t kCodePageUtf16 = 65002;     // the system's own mark for UTF-16 text
constexpr int32_t kCodePageRefused = 65020;   // recognised by the converters and refused

inline constexpr int32_t WideCodePage() { return kCodePageUtf16; }
// Longest character in bytes: 932, 936, 950 -> 2; 65001 -> 4; else 1.
uint32_t MaxBytesPerChar(int32_t cp);

// Per code page, the number of trail bytes that follow each byte value.
struct LeadByteSet {
  int32_t codePage = -1;
  uint8_t classes[64] = {};  // two bits per byte value, four to a byte

  // -1 leaves the set untouched; otherwise zeroes it and sets the classes.
  void Init(int32_t cp);
  void SetClass(uint8_t value, uint32_t trailBytes) {
    uint8_t& slot = classes[value >> 2];
    uint32_t bit = 2 * (value & 3);
    slot = static_cast<uint8_t>((slot & ~(3u << bit)) | ((trailBytes & 3) << bit));
  }
  uint32_t Class(uint8_t value) const { return (classes[value >> 2] >> (2 * (value & 3))) & 3; }
};

// ---- UTF primitives ----
// 1 for 0x00-0x7F, 2-7 for the lead bytes 0xC0-0xFE, 1 for continuation
// bytes and 0xFF.
uint32_t Utf8SequenceLength(uint8_t lead);
// Bytes EncodeUtf8Char writes for a code point (1 to 6).
uint32_t Utf8EncodedLength(uint32_t cp);
uint32_t EncodeUtf8Char(uint32_t cp, uint8_t* out);
// Decodes one character from at most len bytes into *out; returns the bytes
// used. Leading continuation bytes are skipped (their count returned, *out
// 0); a cut sequence returns len with *out 0; values above U+10FFFF decode
// to U+FFFD.
uint32_t DecodeUtf8Char(const uint8_t* bytes, uint32_t len, uint32_t* out);
inline uint32_t Utf16UnitsForCodePoint(uint32_t cp) { return cp < 0x10000 ? 1 : 2; }
inline uint32_t Utf16UnitsForUnit(uint16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF ? 2 : 1; }
// One unit below 0x10000, a surrogate pair up to 0x10FFFF, U+FFFD above.
uint32_t EncodeUtf16Char(uint32_t cp, WCHAR* out);
// A double-byte character of 932, 936 or 950 (lead x 256 + trail, width 2)
// or a single byte (width 1); false for len 0 or a lead byte with no trail.
bool DecodeMbcsChar(int32_t cp, const uint8_t* bytes, uint32_t len, uint32_t* width, uint32_t* ch);

// ---- Converters ----
// Results: 0 = converted, 1 = failed or the output too small. *outLen is a
// byte count: the capacity on entry, the bytes written or needed on return.
constexpr int kConvertOk = 0;
constexpr int kConvertFailed = 1;

int MultiByteToWide(const uint8_t* bytes, uint32_t len, int32_t cp, WCHAR* out, uint32_t* outLen);
// byteLen is the byte length of the UTF-16 input. replaced (optional) is set
// when characters had no equivalent.
int WideToMultiByte(const WCHAR* units, uint32_t byteLen, int32_t cp, uint8_t* out, uint32_t* outLen,
                    bool* replaced);
// UTF-8 to 1252 or UTF-16 (65002), optionally filling a CharPositionMap;
// other targets fail with *outLen 0.
int ConvertFromUtf8(const uint8_t* bytes, uint32_t len, int32_t target, void* out, uint32_t* outLen,
                    CharPositionMap* map);
// 1252 or UTF-16 to UTF-8. *outLen is always the size needed; a missing or
// short output gives 1.
int ConvertToUtf8(const void* data, uint32_t len, int32_t from, uint8_t* out, uint32_t* outLen);

// ---- Code page 1252 ----
struct CharPair {
  uint16_t codePoint;
  uint8_t byte;
};
// 0x00-0x7F and 0xA0-0xFF unchanged; 0x80-0x9F and everything above 0xFF
// through the 33-pair table; the fallback when absent.
uint32_t UnicodeToCp1252(uint32_t cp, uint32_t fallback);
// UnicodeToCp1252, then the approximation table (diacritics stripped down to
// what 1252 can show), then the fallback; 0 gives the fallback.
uint32_t CharToCp1252Approx(uint32_t cp, uint32_t fallback);
// Replaces a 16-bit unit by its 1252 byte; false when neither table has it.
bool NarrowToCp1252InPlace(WCHAR* unit);
// Binary search over a pair table sorted by code point.
uint32_t LookupCharPair(uint32_t cp, const CharPair* table, uint32_t count, uint32_t fallback);
// The code point of a 1252 byte.
uint32_t Cp1252ToUnicode(uint8_t byte);

// The tables (code_page_cp1252.cpp, code_page_cp1252_approx.cpp).
const uint16_t* Cp1252HighTable();  // 32 code points of 0x80-0x9F
const CharPair* Cp1252ReversePairs(uint32_t* count);
const CharPair* Cp1252ApproximationPairs(uint32_t* count);
