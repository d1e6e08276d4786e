// ConvertToUtf8: code page 1252 or UTF-16 text to UTF-8. The size needed is
// always computed in full, so a caller may ask for it with no output. The
// bytes come from the platform's one encoder; what this adds is the answer
// for a high surrogate without its low half, which fails the conversion (a
// lone low surrogate becomes U+FFFD like any other unpaired half).
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "platform/text/utf16_to_utf8.h"

namespace {

bool HasHighWithoutLow(const WCHAR* units, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) {
    if (units[i] < 0xD800 || units[i] > 0xDBFF) continue;
    if (i + 1 >= count || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) return true;
    ++i;
  }
  return false;
}

// Each byte is one character of the page; writing stops at the first one
// that does not fit, counting goes on.
size_t Cp1252ToUtf8(const uint8_t* bytes, uint32_t len, uint8_t* out, size_t capacity) {
  size_t needed = 0;
  bool fits = out != nullptr;
  for (uint32_t i = 0; i < len; ++i) {
    uint8_t encoded[devtext::kMaxUtf8CharBytes];
    const size_t n = devtext::EncodeUtf8CodePoint(Cp1252ToUnicode(bytes[i]), encoded);
    fits = fits && needed + n <= capacity;
    if (fits) std::memcpy(out + needed, encoded, n);
    needed += n;
  }
  return needed;
}

}  // namespace

int ConvertToUtf8(const void* data, uint32_t len, int32_t from, uint8_t* out, uint32_t* outLen) {
  if (len > 0 && !data) return kConvertFailed;
  const size_t capacity = out ? *outLen : 0;
  size_t needed;
  if (from == kCodePage1252) {
    needed = Cp1252ToUtf8(static_cast<const uint8_t*>(data), len, out, capacity);
  } else if (from == kCodePageUtf16) {
    if (len & 1) return kConvertFailed;
    const WCHAR* units = static_cast<const WCHAR*>(data);
    if (HasHighWithoutLow(units, len / 2)) return kConvertFailed;
    needed = devtext::Utf16ToUtf8(units, len / 2, out, capacity);
  } else {
    return kConvertFailed;
  }
  *outLen = static_cast<uint32_t>(needed);
  return needed == 0 || (out && needed <= capacity) ? kConvertOk : kConvertFailed;
}
