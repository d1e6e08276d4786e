// Integer and real literals, and the number-text scanner behind parseInt and
// parseFloat.
#include "script/compiler/compiler_number_literal.h"

#include <limits>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/number_text.h"

namespace {

// For each radix: the longest digit run whose every value fits 31 bits
// (radix^digits <= 2^31) and that run's chunk multiplier radix^digits.
struct DigitRun {
  uint32_t digits;
  double multiplier;
};

constexpr DigitRun MakeRun(uint32_t radix) {
  uint64_t power = 1;
  uint32_t digits = 0;
  while (power * radix <= (uint64_t{1} << 31)) {
    power *= radix;
    ++digits;
  }
  return DigitRun{digits, static_cast<double>(power)};
}

struct DigitRunTable {
  DigitRun runs[37];
  constexpr DigitRunTable() : runs{} {
    for (uint32_t radix = 2; radix <= 36; ++radix) runs[radix] = MakeRun(radix);
  }
};

constexpr DigitRunTable kRuns;
static_assert(kRuns.runs[2].digits == 31 && kRuns.runs[8].digits == 10);
static_assert(kRuns.runs[10].digits == 9 && kRuns.runs[16].digits == 7);

uint32_t DigitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

bool IsDecimalDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

bool IsHexPrefix(const WCHAR* text, uint32_t length, uint32_t at) {
  return length - at >= 2 && text[at] == u'0' && (text[at + 1] == u'x' || text[at + 1] == u'X');
}

// A long run: chunks of the table's length from the right, summed with
// growing multipliers. Radixes 10 and 16 go through the correctly rounded
// readers instead (their digits are checked first).
bool ParseLongRun(const WCHAR* digits, uint32_t n, uint32_t radix, double* number) {
  for (uint32_t i = 0; i < n; ++i) {
    if (DigitValue(digits[i]) >= radix) return false;
  }
  if (radix == 10) return ReadDecimalLiteral(digits, n, number);
  if (radix == 16) return ReadHexDigits(digits, n, number);
  const DigitRun& run = kRuns.runs[radix];
  double sum = 0;
  double multiplier = 1;
  uint32_t end = n;
  while (end > 0) {
    uint32_t take = end < run.digits ? end : run.digits;
    uint32_t chunk = 0;
    if (!ParseUnsignedUnits(digits + end - take, take, radix, &chunk)) return false;
    sum += chunk * multiplier;
    multiplier *= run.multiplier;
    end -= take;
  }
  *number = sum;
  return true;
}

}  // namespace

bool ParseIntegerLiteral(const WCHAR* text, uint32_t length, uint32_t radix, int32_t* value,
                         double* number) {
  if (radix == 1 || radix > 36 || (length > 0 && text == nullptr)) return false;
  uint32_t at = 0;
  bool negative = false;
  // The sign comes before the radix prefix ("-0x1F").
  if (at < length && (text[at] == u'-' || text[at] == u'+')) {
    negative = text[at] == u'-';
    ++at;
  }
  if (radix == 0) {
    if (IsHexPrefix(text, length, at)) {
      radix = 16;
      at += 2;
    } else if (length - at >= 2 && text[at] == u'0') {
      radix = 8;
      ++at;
    } else {
      radix = 10;
    }
  } else if (radix == 16 && IsHexPrefix(text, length, at)) {
    at += 2;
  }
  // A "0" taken as the octal prefix is a digit already seen.
  bool sawDigit = radix == 8 && at > 0 && text[at - 1] == u'0';
  if (at == length && !sawDigit) return false;  // no digits at all
  while (at < length && text[at] == u'0') {
    ++at;
    sawDigit = true;
  }
  uint32_t n = length - at;
  if (n == 0) {
    *value = 0;
    *number = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  const DigitRun& run = kRuns.runs[radix];
  if (n <= run.digits) {
    uint32_t magnitude = 0;
    if (!ParseUnsignedUnits(text + at, n, radix, &magnitude)) return false;
    int32_t v = static_cast<int32_t>(magnitude);  // below 2^31 by the table
    *value = negative ? -v : v;
    *number = std::numeric_limits<double>::quiet_NaN();
    return true;
  }
  double d = 0;
  if (!ParseLongRun(text + at, n, radix, &d)) return false;
  *value = 0;
  *number = negative ? -d : d;
  return true;
}

bool ParseRealLiteral(const WCHAR* text, uint32_t length, double* number) {
  if (length == 0 || text == nullptr) return false;
  uint32_t at = 0;
  bool negative = false;
  if (text[0] == u'-' || text[0] == u'+') {
    negative = text[0] == u'-';
    at = 1;
  }
  double d = 0;
  if (!ReadDecimalLiteral(text + at, length - at, &d)) return false;
  *number = negative ? -d : d;
  return true;
}

void ScanNumberText(const SharedWideString& text, bool floatMode, uint32_t* radix,
                    uint32_t* start, uint32_t* length) {
  SharedWideString trimmed = text;
  trimmed.Trim(true, true);
  const WCHAR* chars = trimmed.Chars();
  uint32_t n = trimmed.length;
  uint32_t first = trimmed.offset - text.offset;  // both view the same buffer
  if (n == 0) {
    *start = first;
    *length = 0;
    return;
  }
  uint32_t p = 0;
  if (chars[p] == u'-' || chars[p] == u'+') ++p;
  if (floatMode) {
    while (p < n && IsDecimalDigit(chars[p])) ++p;
    if (p + 1 < n && chars[p] == u'.' && IsDecimalDigit(chars[p + 1])) {
      p += 2;
      while (p < n && IsDecimalDigit(chars[p])) ++p;
    }
    if (p < n && (chars[p] == u'e' || chars[p] == u'E')) {
      uint32_t q = p + 1;
      if (q < n && (chars[q] == u'-' || chars[q] == u'+')) ++q;
      if (q < n && IsDecimalDigit(chars[q])) {
        while (q < n && IsDecimalDigit(chars[q])) ++q;
        p = q;
      }
    }
  } else {
    if ((*radix == 0 || *radix == 16) && IsHexPrefix(chars, n, p)) {
      *radix = 16;
      p += 2;
    } else if (*radix == 0 && p < n && chars[p] == u'0') {
      *radix = 8;
    } else if (*radix == 0) {
      *radix = 10;
    }
    while (p < n && DigitValue(chars[p]) < *radix) ++p;
  }
  *start = first;
  *length = p;
}
