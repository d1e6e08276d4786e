// Number literals and number texts: ParseIntegerLiteral in every radix (the
// digit runs of radixes 2-36, the sign apart from the radix prefix, no digits
// failing), ParseRealLiteral (correctly rounded), and ScanNumberText as
// parseInt and parseFloat use them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/compiler/compiler_number_literal.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kFail = -12345.25;  // stands for "the parse failed"

// The literal's value: its 32-bit value or its double; kFail on failure.
double Integer(const std::u16string& text, uint32_t radix, bool* fitted = nullptr) {
  int32_t value = 77;
  double number = 0;
  if (!ParseIntegerLiteral(text.data(), static_cast<uint32_t>(text.size()), radix, &value, &number))
    return kFail;
  if (fitted != nullptr) *fitted = std::isnan(number);
  return std::isnan(number) ? value : number;
}

struct IntegerCase {
  const char16_t* text;
  uint32_t radix;
  double value;
  bool fits;  // a 32-bit value rather than a double
};

const IntegerCase kIntegers[] = {
    {u"0", 0, 0, true},
    {u"00000", 0, 0, true},
    {u"123", 0, 123, true},
    {u"0777", 0, 511, true},
    {u"0x1F", 0, 31, true},
    {u"0X1f", 0, 31, true},
    {u"0x1F", 16, 31, true},
    {u"1F", 16, 31, true},
    {u"+12", 0, 12, true},
    {u"-12", 10, -12, true},
    {u"-0x1F", 0, -31, true},
    {u"-0x1F", 16, -31, true},
    {u"-017", 0, -15, true},
    {u"999999999", 10, 999999999, true},
    {u"1000000000", 10, 1e9, false},
    {u"2147483648", 10, 2147483648.0, false},
    {u"FFFFFFF", 16, 268435455, true},
    {u"10000000", 16, 268435456, false},
    {u"ffffffffffffffff", 16, 18446744073709551616.0, false},
    {u"7777777777", 8, 1073741823, true},
    {u"10000000000", 8, 1073741824, false},
    {u"1111111111111111111111111111111", 2, 2147483647, true},
    {u"11111111111111111111111111111111", 2, 4294967295.0, false},
    // Radixes other than 2, 8, 10 and 16 have digit runs too.
    {u"12", 3, 5, true},
    {u"100000000000000000000", 3, 3486784401.0, false},
    {u"z", 36, 35, true},
    {u"Zz", 36, 1295, true},
    {u"zzzzzzz", 36, 78364164095.0, false},
    {u"g", 17, 16, true},
    // Long decimal runs are the nearest double.
    {u"9007199254740993", 10, 9007199254740992.0, false},
    {u"123456789012345678901234567890", 10, 1.2345678901234568e29, false},
    // Failures.
    {u"", 0, kFail, false},
    {u"-", 10, kFail, false},
    {u"0x", 0, kFail, false},
    {u"-0x", 16, kFail, false},
    {u"abc", 10, kFail, false},
    {u"08", 0, kFail, false},
    {u"12", 2, kFail, false},
    {u"12", 1, kFail, false},
    {u"12", 37, kFail, false},
    {u"1 2", 10, kFail, false},
};

TEST(ScriptNumberLiteral, IntegerLiterals) {
  for (const IntegerCase& c : kIntegers) {
    std::u16string text(c.text);
    bool fitted = false;
    double value = Integer(text, c.radix, &fitted);
    std::string shown(text.begin(), text.end());
    EXPECT_EQ(value, c.value) << shown << " radix " << c.radix;
    if (c.value != kFail) {
      EXPECT_EQ(fitted, c.fits) << shown << " radix " << c.radix;
    }
  }
}

double Real(const std::u16string& text) {
  double value = 0;
  if (!ParseRealLiteral(text.data(), static_cast<uint32_t>(text.size()), &value)) return kFail;
  return value;
}

TEST(ScriptNumberLiteral, RealLiteralsAreCorrectlyRounded) {
  EXPECT_EQ(Real(u"0.3"), 0.3);
  EXPECT_EQ(Real(u"0.7"), 0.7);
  EXPECT_EQ(Real(u"0.1"), 0.1);
  EXPECT_EQ(Real(u"1.5"), 1.5);
  EXPECT_EQ(Real(u".5"), 0.5);
  EXPECT_EQ(Real(u"1."), 1.0);
  EXPECT_EQ(Real(u"07.5"), 7.5);
  EXPECT_EQ(Real(u"1E+5"), 1e5);
  EXPECT_EQ(Real(u"-2.5e-3"), -2.5e-3);
  EXPECT_EQ(Real(u"+.25"), 0.25);
  EXPECT_EQ(Real(u"2.2250738585072014e-308"), 2.2250738585072014e-308);
  EXPECT_EQ(Real(u"4.9e-324"), 4.9e-324);
  EXPECT_EQ(Real(u"0.9999999999999999"), 0.9999999999999999);
  EXPECT_EQ(Real(u"1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Real(u"1e-400"), 0.0);
  for (const char16_t* bad : {u"", u".", u"e5", u"1e", u"1e+", u"-", u"1.2.3", u"1e99999999999", u"1x"}) {
    EXPECT_EQ(Real(bad), kFail) << std::u16string(bad).size();
  }
}

// parseInt as the built-ins do it: scan in integer mode, then read with the
// radix; NaN when nothing converts.
double ParseInt(const std::u16string& text, uint32_t radix) {
  SharedWideString s;
  EXPECT_TRUE(s.FromChars(text.data(), static_cast<uint32_t>(text.size())) || text.empty());
  uint32_t start = 0;
  uint32_t length = 0;
  ScanNumberText(s, false, &radix, &start, &length);
  int32_t value = 0;
  double number = 0;
  const char16_t* chars = s.length == 0 ? u"" : s.Chars();
  if (!ParseIntegerLiteral(chars + start, length, radix, &value, &number)) return kNaN;
  return std::isnan(number) ? value : number;
}

double ParseFloat(const std::u16string& text) {
  SharedWideString s;
  EXPECT_TRUE(s.FromChars(text.data(), static_cast<uint32_t>(text.size())) || text.empty());
  uint32_t radix = 0;
  uint32_t start = 0;
  uint32_t length = 0;
  ScanNumberText(s, true, &radix, &start, &length);
  double number = 0;
  const char16_t* chars = s.length == 0 ? u"" : s.Chars();
  if (!ParseRealLiteral(chars + start, length, &number)) return kNaN;
  return number;
}

std::string Scanned(const std::u16string& text, bool floatMode, uint32_t* radix) {
  SharedWideString s;
  s.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  uint32_t start = 0;
  uint32_t length = 0;
  ScanNumberText(s, floatMode, radix, &start, &length);
  std::string out;
  for (uint32_t i = 0; i < length; ++i) out += static_cast<char>(s.Chars()[start + i]);
  return out;
}

TEST(ScriptNumberLiteral, NumberTextScanner) {
  struct Case {
    const char16_t* text;
    bool floatMode;
    uint32_t radix;
    const char* found;
    uint32_t radixAfter;
  };
  const Case cases[] = {
      {u"  -0x1F  ", false, 0, "-0x1F", 16},
      {u"12px", false, 0, "12", 10},
      {u"017", false, 0, "017", 8},
      {u"019", false, 0, "01", 8},
      {u"0x1F", false, 10, "0", 10},
      {u"0x1F", false, 16, "0x1F", 16},
      {u"1Fz", false, 16, "1F", 16},
      {u"z1!", false, 36, "z1", 36},
      {u"abc", false, 0, "", 10},
      {u" +", false, 0, "+", 10},
      {u"\t3.14abc", true, 0, "3.14", 0},
      {u"-.5e-3x", true, 0, "-.5e-3", 0},
      {u"1e", true, 0, "1", 0},
      {u"1e+x", true, 0, "1", 0},
      {u"1.", true, 0, "1", 0},
      {u"", true, 0, "", 0},
  };
  for (const Case& c : cases) {
    uint32_t radix = c.radix;
    std::u16string text(c.text);
    EXPECT_EQ(Scanned(text, c.floatMode, &radix), c.found) << std::string(text.begin(), text.end());
    EXPECT_EQ(radix, c.radixAfter) << std::string(text.begin(), text.end());
  }
}

TEST(ScriptNumberLiteral, ParseIntAndParseFloat) {
  EXPECT_EQ(ParseInt(u"42", 0), 42);
  EXPECT_EQ(ParseInt(u" -0x1F", 0), -31);
  EXPECT_EQ(ParseInt(u"-0x1F", 16), -31);
  EXPECT_EQ(ParseInt(u"0x1F", 10), 0);
  EXPECT_EQ(ParseInt(u"12", 3), 5);
  EXPECT_EQ(ParseInt(u"ff", 16), 255);
  EXPECT_EQ(ParseInt(u"10abc", 10), 10);
  EXPECT_EQ(ParseInt(u"0", 0), 0);
  EXPECT_EQ(ParseInt(u"12345678901", 10), 12345678901.0);
  // No digits: NaN, so that isNaN(parseInt(field)) catches an empty field.
  EXPECT_TRUE(std::isnan(ParseInt(u"abc", 0)));
  EXPECT_TRUE(std::isnan(ParseInt(u"", 0)));
  EXPECT_TRUE(std::isnan(ParseInt(u"  ", 10)));
  EXPECT_TRUE(std::isnan(ParseInt(u"-", 10)));
  EXPECT_TRUE(std::isnan(ParseInt(u"0x", 0)));
  EXPECT_TRUE(std::isnan(ParseInt(u"z", 10)));

  EXPECT_EQ(ParseFloat(u"3.14abc"), 3.14);
  EXPECT_EQ(ParseFloat(u" -0.3 "), -0.3);
  EXPECT_EQ(ParseFloat(u"1e3x"), 1000);
  EXPECT_TRUE(std::isnan(ParseFloat(u"x1")));
  EXPECT_TRUE(std::isnan(ParseFloat(u"")));
  EXPECT_TRUE(std::isnan(ParseFloat(u".")));
}

}  // namespace
