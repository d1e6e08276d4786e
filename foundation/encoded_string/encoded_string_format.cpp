// EncodedString number formatting: digits in any radix 2-36, signed and
// padded forms, string-to-number, and human-readable byte sizes ("1.50 MB").
#include "foundation/encoded_string/encoded_string.h"

namespace {

// Digits of value in radix, most significant first, into a local buffer.
uint32_t FormatDigits(uint32_t value, uint32_t radix, char* digits) {
  static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  char reversed[33];
  uint32_t n = 0;
  do {
    reversed[n++] = kDigits[value % radix];
    value /= radix;
  } while (value != 0);
  for (uint32_t i = 0; i < n; ++i) digits[i] = reversed[n - 1 - i];
  return n;
}

bool ValidRadix(uint32_t radix) { return radix >= 2 && radix <= 36; }

}  // namespace

void EncodedString::AppendNumber(uint32_t value, uint32_t radix) {
  if (!ValidRadix(radix)) return;
  char digits[33];
  uint32_t n = FormatDigits(value, radix, digits);
  for (uint32_t i = 0; i < n; ++i) AppendChar(static_cast<uint8_t>(digits[i]));
}

void EncodedString::AppendSignedNumber(int32_t value, uint32_t radix) {
  if (!ValidRadix(radix)) return;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    AppendChar('-');
    magnitude = 0u - magnitude;
  }
  AppendNumber(magnitude, radix);
}

void EncodedString::AppendPaddedNumber(uint32_t value, uint32_t radix, uint32_t width, bool padBefore,
                                       uint32_t fill) {
  if (!ValidRadix(radix)) return;
  char digits[33];
  uint32_t n = FormatDigits(value, radix, digits);
  uint32_t pad = n < width ? width - n : 0;
  if (padBefore) AppendRepeated(fill, pad);
  for (uint32_t i = 0; i < n; ++i) AppendChar(static_cast<uint8_t>(digits[i]));
  if (!padBefore) AppendRepeated(fill, pad);
}

namespace {

// Writes whole.fraction where fraction has `places` digits (1 or 2) and is
// left out when it is 0. A fraction that rounded up to a whole unit carries.
void AppendDecimal(EncodedString* text, uint64_t whole, uint64_t fraction, uint32_t places) {
  uint64_t limit = places == 2 ? 100 : 10;
  if (fraction >= limit) {
    whole += fraction / limit;
    fraction %= limit;
  }
  char digits[24];
  uint32_t n = 0;
  do {
    digits[n++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole != 0);
  while (n > 0) text->AppendChar(static_cast<uint8_t>(digits[--n]));
  if (fraction == 0) return;
  text->AppendChar('.');
  if (places == 2 && fraction < 10) text->AppendChar('0');
  if (fraction >= 10) text->AppendChar(static_cast<uint32_t>('0' + fraction / 10));
  text->AppendChar(static_cast<uint32_t>('0' + fraction % 10));
}

void AppendSizeUnit(EncodedString* text, char unit) {
  text->AppendChar(' ');
  text->AppendChar(static_cast<uint8_t>(unit));
  text->AppendChar('B');
}

// Value `large` of a unit and `small` of the unit below it (small / 1024 =
// large): two decimals below 10, one decimal from 10 on.
void AppendScaled(EncodedString* text, uint64_t small, uint64_t large) {
  if (large < 10) {
    AppendDecimal(text, large, (100 * small - 102400 * large + 5) / 1024, 2);
  } else {
    AppendDecimal(text, large, (10 * small - 10240 * large + 51) / 1024, 1);
  }
}

}  // namespace

void EncodedString::FormatByteSize(uint64_t bytes) {
  AssignRaw(nullptr, 0, kUnitUtf16, 65002);
  if (bytes == 0) {
    AppendChar('0');
    AppendSizeUnit(this, 'K');
    SelectAll();
    return;
  }
  // (bytes + 512) / 1024 without overflowing near 2^64.
  uint64_t k = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
  if (k < 1024) {
    AppendDecimal(this, k < 1 ? 1 : k, 0, 1);
    AppendSizeUnit(this, 'K');
  } else if (k < 102400) {
    AppendScaled(this, k, k / 1024);
    AppendSizeUnit(this, 'M');
  } else if (k < 1024 * 1024) {
    AppendDecimal(this, k / 1024, 0, 1);
    AppendSizeUnit(this, 'M');
  } else if (k >= 100ull * 1024 * 1024) {
    AppendDecimal(this, k / (1024 * 1024), 0, 1);
    AppendSizeUnit(this, 'G');
  } else {
    uint64_t m = k / 1024;
    AppendScaled(this, m, m / 1024);
    AppendSizeUnit(this, 'G');
  }
  SelectAll();
}
