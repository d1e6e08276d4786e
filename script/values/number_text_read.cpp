// Reading numbers from text: the correctly rounded decimal literal reader, the
// hexadecimal digit reader, the conversion of a script string to a number, and
// the table powers of ten.
//
// The digits are checked here and handed to std::from_chars, which rounds
// correctly and does not depend on the locale. A text of any length is read
// through a fixed buffer: only the first kKeptDigits significant digits are
// kept, and when a dropped digit is not zero one digit 1 is kept after them.
// A double's halfway points have at most 767 significant digits, so the kept
// digits round to the same double as the whole text.
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/number_text.h"

namespace {

constexpr uint32_t kKeptDigits = 780;
// Kept digits, the sticky digit, "e", a sign and a 64-bit exponent.
constexpr uint32_t kDigitBufferSize = kKeptDigits + 1 + 2 + 20 + 1;
// Hexadecimal: 20 digits hold 80 bits, more than a double's 53 and the two
// rounding bits; then the sticky digit, "p", a sign and an exponent.
constexpr uint32_t kKeptHexDigits = 20;
constexpr uint32_t kHexBufferSize = kKeptHexDigits + 1 + 2 + 20 + 1;

// The blanks SharedWideString::Trim removes.
bool IsTrimmed(WCHAR c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0;
}

bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

bool IsHexDigit(WCHAR c) {
  return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Writes a signed 64-bit value in decimal at p; answers the end.
char* WriteExponent(char* p, int64_t value) {
  std::to_chars_result r = std::to_chars(p, p + 21, value);
  return r.ptr;
}

// Collects significant digits of one or two runs into buf: leading zeros
// skipped, at most `keep` kept, a 1 added when a dropped digit is not zero.
// `dropped` counts the digits left out (the sticky digit aside).
struct DigitCollector {
  char* buf;
  uint32_t keep;
  uint32_t kept = 0;
  int64_t dropped = 0;
  bool sticky = false;

  void Add(const WCHAR* units, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
      char c = static_cast<char>(units[i]);
      if (kept == 0 && c == '0') continue;
      if (kept < keep) {
        buf[kept++] = c;
      } else {
        ++dropped;
        if (c != '0') sticky = true;
      }
    }
  }
  // Number of characters in buf, sticky digit included.
  uint32_t Finish() {
    if (!sticky) return kept;
    buf[kept] = '1';
    return kept + 1;
  }
};

bool ReadDecimal(const WCHAR* units, uint32_t n, bool commaIsPoint, double* value) {
  if (units == nullptr || n == 0) return false;
  uint32_t pos = 0;
  uint32_t intStart = pos;
  while (pos < n && IsDigit(units[pos])) ++pos;
  uint32_t intCount = pos - intStart;
  uint32_t fracStart = pos;
  uint32_t fracCount = 0;
  if (pos < n && (units[pos] == u'.' || (commaIsPoint && units[pos] == u','))) {
    ++pos;
    fracStart = pos;
    while (pos < n && IsDigit(units[pos])) ++pos;
    fracCount = pos - fracStart;
  }
  if (intCount + fracCount == 0) return false;
  int64_t exponent = 0;
  if (pos < n && (units[pos] == u'e' || units[pos] == u'E')) {
    ++pos;
    bool negative = false;
    if (pos < n && (units[pos] == u'+' || units[pos] == u'-')) {
      negative = units[pos] == u'-';
      ++pos;
    }
    uint32_t expStart = pos;
    while (pos < n && IsDigit(units[pos])) {
      exponent = exponent * 10 + (units[pos] - u'0');
      if (exponent > INT32_MAX) return false;  // the exponent must fit 31 bits
      ++pos;
    }
    if (pos == expStart) return false;
    if (negative) exponent = -exponent;
  }
  if (pos != n) return false;

  char buf[kDigitBufferSize];
  DigitCollector digits{buf, kKeptDigits};
  digits.Add(units + intStart, intCount);
  digits.Add(units + fracStart, fracCount);
  if (digits.kept == 0) {
    *value = 0.0;
    return true;
  }
  uint32_t count = digits.Finish();
  // value = digits * 10^scale
  int64_t scale = exponent - static_cast<int64_t>(fracCount) + digits.dropped -
                  (digits.sticky ? 1 : 0);
  // Exponent of the first digit; beyond these bounds the result is plain.
  int64_t leading = scale + static_cast<int64_t>(count) - 1;
  if (leading > 400) {
    *value = std::numeric_limits<double>::infinity();
    return true;
  }
  if (leading < -400) {
    *value = 0.0;
    return true;
  }
  char* end = buf + count;
  *end++ = 'e';
  end = WriteExponent(end, scale);
  double result = 0.0;
  std::from_chars_result r = std::from_chars(buf, end, result);
  if (r.ec == std::errc::result_out_of_range) {
    result = leading >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (r.ec != std::errc() || r.ptr != end) {
    return false;  // not reached: the digits were checked above
  }
  *value = result;
  return true;
}

// The powers 10^(2^k) and 10^-(2^k) that PowerOfTen multiplies.
constexpr double kPositivePowers[9] = {1e1, 1e2, 1e4, 1e8, 1e16, 1e32, 1e64, 1e128, 1e256};
constexpr double kNegativePowers[9] = {1e-1, 1e-2, 1e-4, 1e-8, 1e-16, 1e-32, 1e-64, 1e-128, 1e-256};

}  // namespace

// 10^n multiplied from the tables for the set bits of |n|. Not correctly
// rounded for large |n|; the literal reader does not use it.
double PowerOfTen(int32_t n) {
  if (n == 0) return 1.0;
  if (n >= 512) return kPositivePowers[8] * kPositivePowers[8];  // infinity
  if (n <= -512) return 0.0;                                     // beyond the tables
  const double* table = n < 0 ? kNegativePowers : kPositivePowers;
  uint32_t bits = static_cast<uint32_t>(n < 0 ? -n : n);
  double result = 1.0;
  for (uint32_t k = 0; bits != 0; ++k, bits >>= 1) {
    if ((bits & 1) != 0) result *= table[k];
  }
  return result;
}

bool ReadDecimalLiteral(const WCHAR* units, uint32_t n, double* value) {
  return ReadDecimal(units, n, false, value);
}

bool ReadDecimalLiteralWithComma(const WCHAR* units, uint32_t n, double* value) {
  return ReadDecimal(units, n, true, value);
}

bool ReadHexDigits(const WCHAR* units, uint32_t n, double* value) {
  if (units == nullptr || n == 0) return false;
  for (uint32_t i = 0; i < n; ++i) {
    if (!IsHexDigit(units[i])) return false;
  }
  char buf[kHexBufferSize];
  DigitCollector digits{buf, kKeptHexDigits};
  digits.Add(units, n);
  if (digits.kept == 0) {
    *value = 0.0;
    return true;
  }
  uint32_t count = digits.Finish();
  int64_t binaryScale = 4 * (digits.dropped - (digits.sticky ? 1 : 0));
  // 20 kept digits are 80 bits; 2^(80 + scale) overflows from scale 944 on.
  if (binaryScale > 2000) {
    *value = std::numeric_limits<double>::infinity();
    return true;
  }
  char* end = buf + count;
  *end++ = 'p';
  end = WriteExponent(end, binaryScale);
  double result = 0.0;
  std::from_chars_result r = std::from_chars(buf, end, result, std::chars_format::hex);
  if (r.ec == std::errc::result_out_of_range) {
    result = std::numeric_limits<double>::infinity();
  } else if (r.ec != std::errc() || r.ptr != end) {
    return false;
  }
  *value = result;
  return true;
}

double ParseScriptNumber(const SharedWideString& text) {
  return ParseScriptNumberUnits(text.Chars(), text.length);
}

double ParseScriptNumberUnits(const WCHAR* units, uint32_t n) {
  uint32_t start = 0;
  uint32_t end = n;
  while (start < end && IsTrimmed(units[start])) ++start;
  while (end > start && IsTrimmed(units[end - 1])) --end;
  if (start == end) return 0.0;
  bool negative = false;
  if (units[start] == u'+' || units[start] == u'-') {
    negative = units[start] == u'-';
    ++start;
    while (start < end && IsTrimmed(units[start])) ++start;
  }
  const WCHAR* chars = units + start;
  uint32_t length = end - start;
  double value = std::numeric_limits<double>::quiet_NaN();
  bool ok;
  if (length > 2 && chars[0] == u'0' && (chars[1] == u'x' || chars[1] == u'X')) {
    ok = ReadHexDigits(chars + 2, length - 2, &value);
  } else {
    ok = ReadDecimalLiteralWithComma(chars, length, &value);
  }
  if (!ok) return std::numeric_limits<double>::quiet_NaN();
  return negative ? -value : value;
}
