// SharedWideString numbers: parsing unsigned and signed values in a radix and
// appending them as digits.
#include "foundation/wide_string/shared_wide_string.h"

namespace {

// The value of a digit character, or 36 for a character that is none.
uint32_t DigitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 36;
}

bool IsBlank(WCHAR c) { return c == u' ' || c == u'\t'; }

// Room AppendUnsigned reserves: enough for any 32-bit value in the radix.
uint32_t DigitRoom(uint32_t value, uint32_t radix) {
  if (radix < 8) return 32;
  return value < 256 ? 3 : 11;
}

}  // namespace

bool ParseUnsignedUnits(const WCHAR* units, uint32_t n, uint32_t radix, uint32_t* out) {
  if (radix == 0 || n == 0) return false;
  uint64_t value = 0;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t digit = DigitValue(units[i]);
    if (digit >= radix) return false;
    // Checked before every step, so the last multiply-and-add cannot wrap.
    value = value * radix + digit;
    if (value > UINT32_MAX) return false;
  }
  *out = static_cast<uint32_t>(value);
  return true;
}

bool SharedWideString::ParseUnsigned(uint32_t radix, uint32_t* out) const {
  return ParseUnsignedUnits(Chars(), length, radix, out);
}

bool SharedWideString::ParseInt(uint32_t radix, int32_t* out) const {
  const WCHAR* chars = Chars();
  uint32_t i = 0;
  bool negative = false;
  if (length > 0 && (chars[0] == u'-' || chars[0] == u'+')) {
    negative = chars[0] == u'-';
    i = 1;
    while (i < length && IsBlank(chars[i])) ++i;
  }
  uint32_t magnitude = 0;
  if (!ParseUnsignedUnits(chars + i, length - i, radix, &magnitude)) return false;
  if (magnitude >= 0x80000000u) return false;
  *out = negative ? -static_cast<int32_t>(magnitude) : static_cast<int32_t>(magnitude);
  return true;
}

bool SharedWideString::AppendUnsigned(uint32_t value, uint32_t radix) {
  if (radix < 2 || radix > 36) return false;
  uint64_t room = static_cast<uint64_t>(length) + DigitRoom(value, radix);
  WCHAR digits[32];
  uint32_t count = 0;
  do {
    uint32_t digit = value % radix;
    digits[sizeof digits / sizeof digits[0] - 1 - count++] =
        static_cast<WCHAR>(digit < 10 ? u'0' + digit : u'A' + digit - 10);
    value /= radix;
  } while (value != 0);
  if (room < static_cast<uint64_t>(length) + count) room = static_cast<uint64_t>(length) + count;
  if (room > UINT32_MAX || !Reserve(static_cast<uint32_t>(room))) return false;
  AppendCharsUnchecked(digits + sizeof digits / sizeof digits[0] - count, count);
  return true;
}

bool SharedWideString::AppendInt(int32_t value) {
  // Reserve for the sign and the longest magnitude at once, so a failure
  // leaves no lone '-' behind.
  if (static_cast<uint64_t>(length) + 12 > UINT32_MAX || !Reserve(length + 12)) return false;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    AppendRepeatedUnchecked(u'-', 1);
    magnitude = 0u - magnitude;
  }
  return AppendUnsigned(magnitude, 10);
}
