// The system's own UTF-8 and UTF-16 primitives and the double-byte character
// decoder. Values above U+10FFFF (5- and 6-byte UTF-8 forms) are never turned
// into wrong surrogate pairs: the decoder and the UTF-16 encoder give U+FFFD.
#include "foundation/code_pages/code_page.h"

namespace {
constexpr uint32_t kReplacementChar = 0xFFFD;
constexpr uint32_t kMaxCodePoint = 0x10FFFF;
}  // namespace

uint32_t Utf8SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC0) return 1;  // continuation byte
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  if (lead < 0xFE) return 6;
  if (lead == 0xFE) return 7;
  return 1;  // 0xFF
}

uint32_t Utf8EncodedLength(uint32_t cp) {
  if (cp < 0x80) return 1;
  if (cp < 0x800) return 2;
  if (cp < 0x10000) return 3;
  if (cp < 0x200000) return 4;
  if (cp < 0x4000000) return 5;
  return 6;
}

uint32_t EncodeUtf8Char(uint32_t cp, uint8_t* out) {
  static const uint8_t kPrefix[7] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
  uint32_t n = Utf8EncodedLength(cp);
  if (n == 1) {
    out[0] = static_cast<uint8_t>(cp);
    return 1;
  }
  for (uint32_t i = n - 1; i > 0; --i) {
    out[i] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    cp >>= 6;
  }
  out[0] = static_cast<uint8_t>(kPrefix[n] | cp);
  return n;
}

uint32_t DecodeUtf8Char(const uint8_t* bytes, uint32_t len, uint32_t* out) {
  *out = 0;
  if (len == 0 || !bytes) return 0;
  uint32_t skipped = 0;
  while (skipped < len && bytes[skipped] >= 0x80 && bytes[skipped] <= 0xBF) ++skipped;
  if (skipped > 0) return skipped;
  uint8_t lead = bytes[0];
  if (lead >= 0xFE) return 1;
  uint32_t n = Utf8SequenceLength(lead);
  if (n > len) return len;
  static const uint8_t kPayloadMask[7] = {0, 0x7F, 0x1F, 0x0F, 0x07, 0x03, 0x01};
  uint32_t value = lead & kPayloadMask[n];
  for (uint32_t i = 1; i < n; ++i) value = value * 64 + (bytes[i] & 0x7F);
  // The "& 0x7F" keeps what an unvalidated continuation byte carries; with
  // five or six bytes that can exceed any code point.
  *out = value > kMaxCodePoint ? kReplacementChar : value;
  return n;
}

uint32_t EncodeUtf16Char(uint32_t cp, WCHAR* out) {
  if (cp < 0x10000) {
    out[0] = static_cast<WCHAR>(cp);
    return 1;
  }
  if (cp > kMaxCodePoint) {
    out[0] = static_cast<WCHAR>(kReplacementChar);
    return 1;
  }
  out[0] = static_cast<WCHAR>(0xD800 | (((cp >> 10) - 64) & 0x3FF));
  out[1] = static_cast<WCHAR>(0xDC00 | (cp & 0x3FF));
  return 2;
}

bool DecodeMbcsChar(int32_t cp, const uint8_t* bytes, uint32_t len, uint32_t* width, uint32_t* ch) {
  if (len == 0 || !bytes) return false;
  uint8_t lead = bytes[0];
  bool isLead = false;
  switch (cp) {
    case 932:
      isLead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
      break;
    case 936:
      isLead = lead >= 0xA1 && lead <= 0xFE;
      break;
    case 950:
      isLead = lead >= 0x81 && lead <= 0xFE;
      break;
    default:
      break;
  }
  if (isLead) {
    if (len < 2) return false;
    *ch = static_cast<uint32_t>(lead) * 256 + bytes[1];
    *width = 2;
    return true;
  }
  *ch = lead;
  *width = 1;
  return true;
}
