// The UTF-8 codec of code page 65001. Decoding follows the Unicode rule for
// replacement: the longest prefix of a valid sequence is consumed as one bad
// character, so the byte that broke it starts the next one.
#include "platform/text/utf8_codec.h"

#include "platform/text/utf16_to_utf8.h"

namespace devtext {
namespace {

bool PutCodePoint(uint32_t cp, UnitWriter<char16_t>& out) {
  if (cp < 0x10000) return out.Put(static_cast<char16_t>(cp));
  cp -= 0x10000;
  return out.Put(static_cast<char16_t>(0xD800 | (cp >> 10))) && out.Put(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
}

}  // namespace

ConvStatus DecodeUtf8(const uint8_t* bytes, size_t length, bool strict, UnitWriter<char16_t>& out) {
  size_t i = 0;
  while (i < length) {
    uint8_t lead = bytes[i];
    if (lead < 0x80) {
      if (!out.Put(lead)) return ConvStatus::BufferTooSmall;
      ++i;
      continue;
    }
    // Trail count and the range allowed for the first trail byte, which is
    // where overlong forms, surrogates and values past U+10FFFF are caught.
    size_t trail = 0;
    uint8_t low = 0x80, high = 0xBF;
    uint32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      cp = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      cp = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    size_t next = i + 1;
    bool valid = trail > 0;
    for (size_t k = 0; valid && k < trail; ++k) {
      if (next >= length || bytes[next] < low || bytes[next] > high) {
        valid = false;
        break;
      }
      cp = (cp << 6) | (bytes[next] & 0x3F);
      ++next;
      low = 0x80;
      high = 0xBF;
    }
    if (!valid) {
      if (strict) return ConvStatus::InvalidInput;
      cp = kReplacementChar;
    }
    if (!PutCodePoint(cp, out)) return ConvStatus::BufferTooSmall;
    i = next;
  }
  return ConvStatus::Ok;
}

ConvStatus EncodeUtf8(const char16_t* units, size_t length, UnitWriter<uint8_t>& out) {
  if (out.counting()) {
    out.Advance(Utf16ToUtf8(units, length, nullptr, 0));
    return ConvStatus::Ok;
  }
  const size_t needed = Utf16ToUtf8(units, length, out.cursor(), out.room());
  if (needed > out.room()) return ConvStatus::BufferTooSmall;
  out.Advance(needed);
  return ConvStatus::Ok;
}

}  // namespace devtext
