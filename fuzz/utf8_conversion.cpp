// Fuzz target: random bytes through the system's UTF-8 decoder, the UTF-8
// converter with a character-position map (checked for consistency), the
// converters to and from UTF-16, and a scan of the text as an EncodedString.
// The first byte chooses the map's block shift and a code page for the
// platform converters; the rest is the text.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/code_pages/code_page.h"
#include "foundation/encoded_string/encoded_string.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void DecodeAll(const uint8_t* text, uint32_t n) {
  uint32_t pos = 0;
  while (pos < n) {
    uint32_t value = 0;
    uint32_t used = DecodeUtf8Char(text + pos, n - pos, &value);
    Check(used >= 1 && used <= n - pos);
    Check(value <= 0x10FFFF);
    pos += used;
  }
}

void ConvertWithMap(const uint8_t* text, uint32_t n, uint32_t shift, int32_t target) {
  // Units never outnumber bytes, so a map sized for n units is enough.
  std::vector<uint8_t> block(CharPositionMapSize(n) + 16);
  CharPositionMap* map = reinterpret_cast<CharPositionMap*>(block.data());
  map->shift = shift;
  std::vector<uint8_t> out(n * 2 + 2);
  uint32_t outLen = static_cast<uint32_t>(out.size());
  int result = ConvertFromUtf8(text, n, target, out.data(), &outLen, map);
  if ((n >> shift) > CharPositionMap::kMaxBlocks) {
    Check(result == kConvertFailed);
    return;
  }
  Check(result == kConvertOk);
  // Without a map the same output comes out (by the unchecked fast path
  // for UTF-16).
  std::vector<uint8_t> plain(n * 2 + 2);
  uint32_t plainLen = static_cast<uint32_t>(plain.size());
  Check(ConvertFromUtf8(text, n, target, plain.data(), &plainLen, nullptr) == kConvertOk);
  Check(plainLen == outLen && std::memcmp(plain.data(), out.data(), outLen) == 0);
  uint32_t units = target == kCodePageUtf16 ? outLen / 2 : outLen;
  Check(units <= n);
  // Both directions stay inside the text and agree with each other.
  uint32_t previous = 0;
  for (uint32_t unit = 0; unit <= units; ++unit) {
    uint32_t byte = 0;
    CharPositionMap::Translate(unit, &byte, true, map);
    Check(byte <= n);
    Check(unit == 0 || byte > previous);
    previous = byte;
    uint32_t back = 0;
    CharPositionMap::Translate(byte, &back, false, map);
    Check(back == unit);
  }
  for (uint32_t byte = 0; byte <= n; ++byte) {
    uint32_t unit = 0;
    CharPositionMap::Translate(byte, &unit, false, map);
    Check(unit <= units);
  }
}

void RoundTrip(const uint8_t* text, uint32_t n, int32_t cp) {
  uint32_t needed = 0;
  MultiByteToWide(text, n, cp, nullptr, &needed);
  std::vector<WCHAR> wide(needed / 2 + n + 2);
  uint32_t wideLen = static_cast<uint32_t>(wide.size() * 2);
  if (MultiByteToWide(text, n, cp, wide.data(), &wideLen) != kConvertOk) return;
  Check(wideLen <= wide.size() * 2);
  uint32_t utf8Len = 0;
  ConvertToUtf8(wide.data(), wideLen, kCodePageUtf16, nullptr, &utf8Len);
  std::vector<uint8_t> utf8(utf8Len + 1);
  uint32_t written = static_cast<uint32_t>(utf8.size());
  ConvertToUtf8(wide.data(), wideLen, kCodePageUtf16, utf8.data(), &written);
  std::vector<uint8_t> narrow(wideLen * 2 + 2);
  uint32_t narrowLen = static_cast<uint32_t>(narrow.size());
  bool replaced = false;
  WideToMultiByte(wide.data(), wideLen, cp, narrow.data(), &narrowLen, &replaced);
}

void ScanString(const uint8_t* text, uint32_t n, int32_t cp) {
  EncodedString s;
  s.AssignBytes(text, n, cp);
  uint32_t lines = 0, steps = 0;
  s.ResetScan();
  while (s.NextChar(&lines), s.GetCondition() != kConditionEndOfText) {
    Check(++steps <= n);
    Check(s.cursor >= 0 && static_cast<uint32_t>(s.cursor) < n);
  }
  s.Select(1, n / 2);
  (void)s.SelectionCharLength();
  EncodedString copy(s);
  copy.ConvertToUtf16();
  s.SelectToken();
  (void)s.HashCode();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  static const int32_t kPages[] = {65001, 1252, 932, 936, 949, 950, 51932, 20105};
  uint8_t control = data[0];
  const uint8_t* text = data + 1;
  uint32_t n = static_cast<uint32_t>(size - 1);
  DecodeAll(text, n);
  ConvertWithMap(text, n, control & 7, (control & 8) ? kCodePage1252 : kCodePageUtf16);
  int32_t cp = kPages[(control >> 4) & 7];
  RoundTrip(text, n, cp);
  ScanString(text, n, cp);
  return 0;
}
