// The engine's number text (15 significant digits) and the conversions of a
// double to a 32-bit integer.
//
// The digits come from the exact binary value, not from scaling by powers of
// ten: std::to_chars gives 17 correctly rounded digits, which settle the
// half-up rounding at the 15th digit unless digits 16 and 17 read "50"; then
// the exact expansion (at most 767 significant digits) decides. Rounding
// that carries out of the 15 digits (9.999999999999998 -> 10) raises the
// exponent, and tiny values (1e-300, subnormals) need no scaling at all.
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/number_text.h"
#include "script/values/script_status.h"

namespace {

constexpr int kDigits = 15;
constexpr uint64_t kTenPow15 = 1000000000000000ULL;
constexpr uint64_t kTenPow14 = 100000000000000ULL;
// Room for the exact expansion of any double in scientific form.
constexpr int kExactPrecision = 780;
constexpr size_t kExactBufferSize = kExactPrecision + 16;

// Scientific text of x (x > 0, finite) with `precision` digits after the
// point: "d.ddd...e-XX". Answers the digits (point removed) into digits and
// the decimal exponent.
int ScientificDigits(double x, int precision, char* scratch, size_t room, char* digits) {
  std::to_chars_result r = std::to_chars(scratch, scratch + room, x,
                                         std::chars_format::scientific, precision);
  const char* p = scratch;
  int n = 0;
  for (; p < r.ptr && *p != 'e'; ++p) {
    if (*p != '.') digits[n++] = *p;
  }
  int exponent = 0;
  if (p < r.ptr) std::from_chars(p[1] == '+' ? p + 2 : p + 1, r.ptr, exponent);
  return exponent;
}

// The first 15 significant digits of x (x > 0, finite) rounded half up from
// the exact value, as an integer in [10^14, 10^15), and the exponent t of the
// first digit.
uint64_t FifteenDigits(double x, int* t) {
  char scratch[40];
  char digits[24];
  int exponent = ScientificDigits(x, 16, scratch, sizeof scratch, digits);
  bool roundUp = digits[15] >= '5';
  if (digits[15] == '5' && digits[16] == '0') {
    // 17-digit rounding may have carried into digit 16: read the exact one.
    char exactScratch[kExactBufferSize];
    char exactDigits[kExactBufferSize];
    ScientificDigits(x, kExactPrecision, exactScratch, sizeof exactScratch, exactDigits);
    roundUp = exactDigits[15] >= '5';
  }
  uint64_t value = 0;
  for (int i = 0; i < kDigits; ++i) value = value * 10 + static_cast<uint64_t>(digits[i] - '0');
  if (roundUp && ++value == kTenPow15) {
    value = kTenPow14;
    ++exponent;
  }
  *t = exponent;
  return value;
}

char* WriteUnsigned(char* p, char* end, uint64_t value) { return std::to_chars(p, end, value).ptr; }

// Removes trailing zeros of a fraction, and the point when nothing is left
// after it. `start` is where the mantissa begins.
char* TrimFraction(char* start, char* end) {
  char* point = static_cast<char*>(std::memchr(start, '.', static_cast<size_t>(end - start)));
  if (point == nullptr) return end;
  while (end > point + 1 && end[-1] == '0') --end;
  if (end == point + 1) --end;
  return end;
}

}  // namespace

uint32_t FormatScriptNumberChars(double x, char* out) {
  char* p = out;
  if (std::isnan(x)) {
    std::memcpy(p, "NaN", 3);
    return 3;
  }
  if (x == 0.0) {
    *p = '0';
    return 1;
  }
  if (x < 0) {
    *p++ = '-';
    x = -x;
  }
  if (std::isinf(x)) {
    std::memcpy(p, "Infinity", 8);
    return static_cast<uint32_t>(p + 8 - out);
  }
  // Whole numbers of the 32-bit range; the range is tested before the cast.
  if (x < 2147483648.0 && x == std::trunc(x)) {
    p = WriteUnsigned(p, out + kScriptNumberTextMax, static_cast<uint64_t>(x));
    return static_cast<uint32_t>(p - out);
  }

  int t = 0;
  uint64_t fifteen = FifteenDigits(x, &t);
  char digits[kDigits + 1];
  WriteUnsigned(digits, digits + kDigits, fifteen);
  digits[kDigits] = '0';  // the 16th digit, always 0
  const int kAll = kDigits + 1;

  char* mantissa = p;
  if (t >= 0 && t <= 15) {
    std::memcpy(p, digits, static_cast<size_t>(t + 1));
    p += t + 1;
    *p++ = '.';
    std::memcpy(p, digits + t + 1, static_cast<size_t>(kAll - t - 1));
    p += kAll - t - 1;
    p = TrimFraction(mantissa, p);
  } else if (t >= 16 && t <= 21) {
    std::memcpy(p, digits, kAll);
    p += kAll;
    for (int i = 0; i < t - 15; ++i) *p++ = '0';
  } else if (t >= -6 && t <= -1) {
    *p++ = '0';
    *p++ = '.';
    for (int i = 0; i < -t - 1; ++i) *p++ = '0';
    std::memcpy(p, digits, kAll);
    p += kAll;
    p = TrimFraction(mantissa, p);
  } else {
    *p++ = digits[0];
    *p++ = '.';
    std::memcpy(p, digits + 1, kAll - 1);
    p += kAll - 1;
    p = TrimFraction(mantissa, p);
    *p++ = 'e';
    if (t < 0) *p++ = '-';
    p = WriteUnsigned(p, out + kScriptNumberTextMax, static_cast<uint64_t>(t < 0 ? -t : t));
  }
  return static_cast<uint32_t>(p - out);
}

int32_t* FormatScriptNumber(int32_t* status, double x, SharedWideString* text) {
  char ascii[kScriptNumberTextMax];
  uint32_t n = FormatScriptNumberChars(x, ascii);
  WCHAR wide[kScriptNumberTextMax];
  for (uint32_t i = 0; i < n; ++i) wide[i] = static_cast<WCHAR>(ascii[i]);
  *status = text->FromChars(wide, n) ? kScriptOk : kScriptNoMemory;
  return status;
}

int32_t ScriptNumberToInt32(double x) {
  if (std::isnan(x) || std::isinf(x)) return 0;
  double whole = std::trunc(x);
  if (whole >= -2147483648.0 && whole <= 2147483647.0) return static_cast<int32_t>(whole);
  double wrapped = std::fmod(whole, 4294967296.0);  // exact, in (-2^32, 2^32)
  if (wrapped < 0) wrapped += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(wrapped));
}

bool ScriptNumberIsInt32(double x, int32_t* out) {
  if (!(x >= -2147483648.0 && x <= 2147483647.0)) return false;  // NaN fails too
  if (x != std::trunc(x)) return false;
  *out = static_cast<int32_t>(x);
  return true;
}
