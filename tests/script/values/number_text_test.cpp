// Number text of the script engine: powers of ten, the correctly rounded
// literal reader (checked against the C library's strtod on random digit
// strings), the conversion of script text to numbers, the 15-digit number
// text (the engine's own rules, and node's output where the 15-digit rule
// agrees with it), and the conversions of doubles to 32-bit integers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/number_text.h"
#include "script/values/script_status.h"
#include "tests/support/number_checks.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

std::string Format(double x) {
  char out[kScriptNumberTextMax];
  uint32_t n = FormatScriptNumberChars(x, out);
  return std::string(out, n);
}

bool Read(const std::string& text, double* value) {
  std::u16string w = Wide(text);
  return ReadDecimalLiteral(w.data(), static_cast<uint32_t>(w.size()), value);
}

double Parse(const std::u16string& text) {
  return ParseScriptNumberUnits(text.data(), static_cast<uint32_t>(text.size()));
}

using numtest::SameNumber;
using numtest::Zeros;

// ---- Powers of ten

TEST(PowerOfTen, TableProducts) {
  EXPECT_EQ(PowerOfTen(0), 1.0);
  EXPECT_EQ(PowerOfTen(1), 10.0);
  EXPECT_EQ(PowerOfTen(-3), 0.001);
  EXPECT_EQ(PowerOfTen(22), 1e22);
  EXPECT_EQ(PowerOfTen(308), 1e308);
  EXPECT_EQ(PowerOfTen(309), kInf);
  EXPECT_EQ(PowerOfTen(511), kInf);
  EXPECT_EQ(PowerOfTen(512), kInf);
  EXPECT_EQ(PowerOfTen(600), kInf);
  EXPECT_EQ(PowerOfTen(INT32_MAX), kInf);
  EXPECT_EQ(PowerOfTen(-511), 0.0);
  EXPECT_EQ(PowerOfTen(-512), 0.0);
  EXPECT_EQ(PowerOfTen(INT32_MIN), 0.0);
  EXPECT_GT(PowerOfTen(-320), 0.0);  // a subnormal, not yet 0
}

// ---- The literal reader

TEST(ReadDecimalLiteral, Forms) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"0", true, 0.0},
      {"000", true, 0.0},
      {"42", true, 42.0},
      {"0042", true, 42.0},
      {"1.", true, 1.0},
      {".5", true, 0.5},
      {"0.3", true, 0.3},
      {"0.7", true, 0.7},
      {"1e5", true, 1e5},
      {"1E5", true, 1e5},
      {"1.5e+3", true, 1500.0},
      {"15e-1", true, 1.5},
      {"2.5E-3", true, 0.0025},
      {"0e999999", true, 0.0},
      {"1e400", true, kInf},
      {"1e-400", true, 0.0},
      {"1.7976931348623157e308", true, 1.7976931348623157e308},
      {"1.7976931348623159e308", true, kInf},   // rounds past the largest double
      {"2.4703282292062328e-324", true, 5e-324},  // just above half the smallest
      {"2.4703282292062327e-324", true, 0.0},   // just below: rounds to 0
      {"4.9406564584124654e-324", true, 5e-324},
      {"9007199254740993", true, 9007199254740992.0},  // tie: to even
      {"9007199254740995", true, 9007199254740996.0},
      {"1e2147483647", true, kInf},
      {"1e-2147483647", true, 0.0},
      {"1e2147483648", false, 0},  // the exponent must fit 31 bits
      {"", false, 0},
      {".", false, 0},
      {"e5", false, 0},
      {".e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"1.2.3", false, 0},
      {"1,5", false, 0},
      {"-1", false, 0},
      {"+1", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"0x10", false, 0},
      {"12abc", false, 0},
  };
  for (const Case& c : cases) {
    double value = -7.0;
    bool ok = Read(c.text, &value);
    EXPECT_EQ(ok, c.ok) << c.text;
    if (c.ok) {
      EXPECT_TRUE(SameNumber(c.value, value, Zeros::kApart)) << c.text;
    } else {
      EXPECT_EQ(value, -7.0) << c.text;
    }
  }
}

// Long digit strings: the kept digits and the sticky digit must round as the
// whole text does, including exact halfway points with far-away digits.
TEST(ReadDecimalLiteral, LongTextsRoundAsTheWholeText) {
  std::string half = "9007199254740993";  // halfway between two doubles
  std::string below = half + "." + std::string(1000, '0');
  std::string above = half + "." + std::string(1000, '0') + "1";
  double value = 0;
  ASSERT_TRUE(Read(below, &value));
  EXPECT_EQ(value, 9007199254740992.0);  // exact tie: to even
  ASSERT_TRUE(Read(above, &value));
  EXPECT_EQ(value, 9007199254740994.0);  // a digit far away breaks the tie
  std::string leadingZeros = "0." + std::string(2000, '0') + "1e2010";
  ASSERT_TRUE(Read(leadingZeros, &value));
  EXPECT_EQ(value, 1e9);
  std::string manyDigits = std::string(1500, '1') + "e-1200";
  ASSERT_TRUE(Read(manyDigits, &value));
  EXPECT_EQ(value, std::strtod(manyDigits.c_str(), nullptr));
}

TEST(ReadDecimalLiteral, AgreesWithStrtodOnRandomTexts) {
  const uint32_t seed = 731;
  std::mt19937 rng(seed);
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    int intDigits = static_cast<int>(rng() % 30);
    int fracDigits = static_cast<int>(rng() % 30);
    if (i % 50 == 0) intDigits += 800;  // beyond the kept digits
    for (int d = 0; d < intDigits; ++d) text += static_cast<char>('0' + rng() % 10);
    if (fracDigits > 0 || intDigits == 0) {
      text += '.';
      for (int d = 0; d < fracDigits + (intDigits == 0 ? 1 : 0); ++d) {
        text += static_cast<char>('0' + rng() % 10);
      }
    }
    if (rng() % 2 == 0) {
      int exponent = static_cast<int>(rng() % 700) - 350;
      text += rng() % 2 == 0 ? 'e' : 'E';
      text.append(std::to_string(exponent));
    }
    double value = 0;
    ASSERT_TRUE(Read(text, &value)) << "seed " << seed << ": " << text;
    double expected = std::strtod(text.c_str(), nullptr);
    ASSERT_TRUE(SameNumber(expected, value, Zeros::kApart)) << "seed " << seed << ": " << text;
  }
}

TEST(ReadHexDigits, Values) {
  std::u16string texts[] = {u"1F", u"ff", u"0", u"7FFFFFFF", u"20000000000001",
                            u"20000000000003", u"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"};
  double expected[] = {31, 255, 0, 2147483647.0, 9007199254740992.0, 9007199254740996.0,
                       std::ldexp(1.0, 120)};
  for (size_t i = 0; i < std::size(texts); ++i) {
    double value = -1;
    ASSERT_TRUE(ReadHexDigits(texts[i].data(), static_cast<uint32_t>(texts[i].size()), &value));
    EXPECT_EQ(value, expected[i]) << i;
  }
  std::u16string huge(400, u'F');
  double value = 0;
  ASSERT_TRUE(ReadHexDigits(huge.data(), static_cast<uint32_t>(huge.size()), &value));
  EXPECT_EQ(value, kInf);
  for (std::u16string bad : {u"", u"G", u"1 ", u"0x1"}) {
    EXPECT_FALSE(ReadHexDigits(bad.data(), static_cast<uint32_t>(bad.size()), &value));
  }
}

// ---- Script text to number

TEST(ParseScriptNumber, Texts) {
  struct Case {
    std::u16string text;
    double value;
  } cases[] = {
      {u"", 0.0},
      {u"   ", 0.0},
      {u" -1,5 ", -1.5},
      {u"1,5", 1.5},
      {u"1.5", 1.5},
      {u"+ 2", 2.0},
      {u"- 2", -2.0},
      {u"\t\r\n42\u00A0", 42.0},
      {u"017", 17.0},
      {u"0x1F", 31.0},
      {u"-0x10", -16.0},
      {u"1e3", 1000.0},
      {u"0.1", 0.1},
      {u"abc", kNaN},
      {u"0x", kNaN},
      {u"0xG", kNaN},
      {u"1,5,3", kNaN},
      {u"1e", kNaN},
      {u"--1", kNaN},
      {u"+", kNaN},
      {u"1 2", kNaN},
      {u"Infinity", kNaN},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(SameNumber(c.value, Parse(c.text), Zeros::kApart)) << std::string(c.text.begin(), c.text.end());
  }
  SharedWideString s;
  ASSERT_TRUE(s.FromChars(u" 7 ", 3));
  EXPECT_EQ(ParseScriptNumber(s), 7.0);
}

// ---- Number text

TEST(FormatScriptNumber, EngineRules) {
  struct Case {
    double x;
    const char* text;
  } cases[] = {
      {kNaN, "NaN"},
      {0.0, "0"},
      {-0.0, "0"},
      {kInf, "Infinity"},
      {-kInf, "-Infinity"},
      {3, "3"},
      {-3, "-3"},
      {0.5, "0.5"},
      {1234.5, "1234.5"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {1e21, "1000000000000000000000"},
      {1e22, "1e22"},
      {1e-6, "0.000001"},
      {1e-7, "1e-7"},
      {1.5e-7, "1.5e-7"},
      {2147483648.0, "2147483648"},
      {2147483647.0, "2147483647"},
      {-2147483648.0, "-2147483648"},
      {2147483647.5, "2147483647.5"},
      {4294967296.0, "4294967296"},
      {123456789012345678.0, "123456789012346000"},  // 18 digits: 15 then zeros
      {1e15, "1000000000000000"},
      {1e16, "10000000000000000"},
      {0.1 + 0.2, "0.3"},
      {1e100, "1e100"},
      {-1.5e-10, "-1.5e-10"},
      {1e23, "1e23"},  // the double below 1e23 rounds up to it
      {1.7976931348623157e308, "1.79769313486232e308"},
      // Carries out of the 15 digits raise the exponent.
      {0.9999999999999999, "1"},
      {1.0 - std::ldexp(1.0, -53), "1"},
      {9.999999999999998, "10"},
      {99999999999999.99, "100000000000000"},
      {9.9999999999999999e-7, "0.000001"},
      // Very small numbers: no power of ten overflows.
      {1e-300, "1e-300"},
      {1.5e-300, "1.5e-300"},
      {-1e-300, "-1e-300"},
      {1e-308, "1e-308"},
      {1e-310, "9.99999999999997e-311"},  // a subnormal: fewer bits than 15 digits
      {5e-324, "4.94065645841247e-324"},
      // Half up from the exact value: a tie at the 16th digit rounds up.
      {123456789012344.5, "123456789012345"},
      {123456789012345.5, "123456789012346"},
      {1000000000000005.0, "1000000000000010"},
      // 16th digit just below 5 in the exact value, "50" after 17-digit rounding.
      {0.7676082903346565, "0.767608290334656"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Format(c.x), c.text) << c.x;
  }
}

// Literal texts whose shortest form has at most 15 significant digits, in
// [1e-6, 1e21): node prints String(Number(text)); the engine reads the same
// text and must print the same characters.
TEST(FormatScriptNumber, AgreesWithNodeOnShortValues) {
  struct Case {
    const char* literal;
    const char* node;
  } cases[] = {
      {"7e5", "700000"},
      {"39290872.3074", "39290872.3074"},
      {"221759e-6", "0.221759"},
      {"46e10", "460000000000"},
      {"9360340000000.", "9360340000000"},
      {"6.675E19", "66750000000000000000"},
      {"4.0272337E12", "4027233700000"},
      {"1.73022739E5", "173022.739"},
      {"0.0000034590509121127", "0.0000034590509121127"},
      {"4.56760E6", "4567600"},
      {"1.93725E5", "193725"},
      {"416474902117e-2", "4164749021.17"},
      {"4864380000000.", "4864380000000"},
      {"0.000899", "0.000899"},
      {"7.E10", "70000000000"},
      {"0.000001445967", "0.000001445967"},
      {"0.288192864377317", "0.288192864377317"},
      {"4.986295901303E3", "4986.295901303"},
      {"6.0556972E13", "60556972000000"},
      {"1.171E20", "117100000000000000000"},
      {"75289e13", "752890000000000000"},
      {"463648334e12", "463648334000000000000"},
      {"196645e-4", "19.6645"},
      {"5e0", "5"},
      {"3.98930700E1", "39.89307"},
      {"8929000.", "8929000"},
      {"3978000000000000000.", "3978000000000000000"},
      {"5.42834E-2", "0.0542834"},
      {"6.5706166E7", "65706166"},
      {"3.047501883E-3", "0.003047501883"},
      {"2160949e-3", "2160.949"},
      {"6.2E3", "6200"},
      {"53137508e-12", "0.000053137508"},
      {"5.95950446347E9", "5959504463.47"},
      {"4.93854737947E2", "493.854737947"},
      {"50432221422.699", "50432221422.699"},
      {"1657366e-10", "0.0001657366"},
      {"8.7219864279227E-6", "0.0000087219864279227"},
      {"900000000000000.", "900000000000000"},
      {"60801539429021e4", "608015394290210000"},
      {"4.6109E-6", "0.0000046109"},
      {"7.11E-3", "0.00711"},
      {"1.27242288311295E-3", "0.00127242288311295"},
      {"915867197e-1", "91586719.7"},
      {"1.5123E7", "15123000"},
      {"589318158e-1", "58931815.8"},
      {"1938317306581e-12", "1.938317306581"},
      {"8327151943e-1", "832715194.3"},
      {"81195122e-4", "8119.5122"},
      {"96.021", "96.021"},
      {"8.34403830E12", "8344038300000"},
      {"213571900000.", "213571900000"},
      {"73878700000000000.", "73878700000000000"},
      {"27893e-9", "0.000027893"},
      {"5.65619E18", "5656190000000000000"},
      {"0.00000891", "0.00000891"},
      {"0.00004254828887", "0.00004254828887"},
      {"6e19", "60000000000000000000"},
      {"7.439E-4", "0.0007439"},
      {"33814304e-3", "33814.304"},
      {"995964984e-7", "99.5964984"},
      {"68035674551e-14", "0.00068035674551"},
      {"66053082383876e6", "66053082383876000000"},
      {"82.172176042736", "82.172176042736"},
      {"7e12", "7000000000000"},
      {"1.0049928670411E6", "1004992.8670411"},
      {"5813217e-7", "0.5813217"},
      {"1.599656E14", "159965600000000"},
      {"2611374914277e-3", "2611374914.277"},
      {"9965169090.", "9965169090"},
      {"1398308.9", "1398308.9"},
      {"5.2490958886957E20", "524909588869570000000"},
      {"1564205156332e4", "15642051563320000"},
      {"27598961e-3", "27598.961"},
      {"5.E-1", "0.5"},
      {"9876e7", "98760000000"},
      {"0.0000071", "0.0000071"},
      {"6322000000000000000.", "6322000000000000000"},
      {"65983.5731193641", "65983.5731193641"},
      {"181289464808723e-2", "1812894648087.23"},
      {"476831819e-4", "47683.1819"},
      {"86099874e4", "860998740000"},
      {"326529807e-11", "0.00326529807"},
      {"6.8039E15", "6803900000000000"},
      {"25500000.", "25500000"},
      {"541975022926358e-3", "541975022926.358"},
      {"7.85476E8", "785476000"},
      {"86471216030.", "86471216030"},
      {"42818464e13", "428184640000000000000"},
      {"9.642598931E18", "9642598931000000000"},
      {"52600000000000.", "52600000000000"},
      {"3537905264418e2", "353790526441800"},
      {"419003805104490e-7", "41900380.510449"},
      {"939212e10", "9392120000000000"},
      {"335662360454899e-20", "0.00000335662360454899"},
      {"0.1597415199266", "0.1597415199266"},
      {"0.001", "0.001"},
      {"8332360000000000000.", "8332360000000000000"},
      {"61528e-7", "0.0061528"},
      {"6.08756E-2", "0.0608756"},
      {"8551851538700.", "8551851538700"},
      {"2.4240328E-6", "0.0000024240328"},
      {"6627229100000000.", "6627229100000000"},
      {"0.00001114", "0.00001114"},
      {"700000.", "700000"},
      {"315541519138.5", "315541519138.5"},
      {"12248975661201e-4", "1224897566.1201"},
      {"76e-1", "7.6"},
      {"1.430E0", "1.43"},
      {"1.E2", "100"},
      {"82846e14", "8284600000000000000"},
      {"9.989162136E2", "998.9162136"},
      {"77370040e12", "77370040000000000000"},
      {"6.98804900193E11", "698804900193"},
      {"2459798e6", "2459798000000"},
      {"0.0020", "0.002"},
      {"3.15E16", "31500000000000000"},
      {"6704676650655730.", "6704676650655730"},
      {"726236125600000.", "726236125600000"},
      {"7.9006223737796E18", "7900622373779600000"},

      {"0.000001", "0.000001"},
      {"100", "100"},
      {"4.35", "4.35"},
      {"0.1", "0.1"},
      {"123456789012345", "123456789012345"},
      {"999999999999999e6", "999999999999999000000"},
  };
  for (const Case& c : cases) {
    double x = 0;
    ASSERT_TRUE(Read(c.literal, &x)) << c.literal;
    EXPECT_EQ(Format(x), c.node) << c.literal;
    EXPECT_EQ(Format(-x), std::string("-") + c.node) << c.literal;
  }
}

// Every 15-digit text read back gives the double it came from, for random
// doubles over the whole range.
TEST(FormatScriptNumber, TextReadsBackWithinFifteenDigits) {
  const uint32_t seed = 99;
  std::mt19937_64 rng(seed);
  for (int i = 0; i < 20000; ++i) {
    uint64_t bits = rng();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isnan(x) || std::isinf(x)) continue;
    std::string text = Format(x);
    ASSERT_LE(text.size(), kScriptNumberTextMax);
    std::string unsignedText = text[0] == '-' ? text.substr(1) : text;
    double back = 0;
    ASSERT_TRUE(Read(unsignedText, &back)) << "seed " << seed << ": " << text;
    if (x < 0) back = -back;
    double tolerance = std::fabs(x) * 5.1e-15;
    ASSERT_LE(std::fabs(back - x), tolerance) << "seed " << seed << ": " << text;
  }
}

TEST(FormatScriptNumber, WideText) {
  SharedWideString text;
  ASSERT_TRUE(text.FromChars(u"old", 3));
  int32_t status = -1;
  EXPECT_EQ(*FormatScriptNumber(&status, -1.5e-7, &text), kScriptOk);
  EXPECT_EQ(std::u16string(text.Chars(), text.length), u"-1.5e-7");
}

// ---- Doubles to 32-bit integers

TEST(ScriptNumberToInt32, DefinedForEveryDouble) {
  struct Case {
    double x;
    int32_t value;
  } cases[] = {
      {0.0, 0},
      {-0.0, 0},
      {1.9, 1},
      {-1.9, -1},
      {2147483647.0, INT32_MAX},
      {-2147483648.0, INT32_MIN},
      {2147483648.0, INT32_MIN},
      {4294967296.0 + 5, 5},
      {-4294967296.0 - 5, -5},
      {4294967295.0, -1},
      {1e300, 0},  // a multiple of 2^32
      {-2147483649.0, INT32_MAX},
      {kNaN, 0},
      {kInf, 0},
      {-kInf, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptNumberToInt32(c.x), c.value) << c.x;
}

TEST(ScriptNumberIsInt32, WholeNumbersInRange) {
  int32_t out = 42;
  EXPECT_TRUE(ScriptNumberIsInt32(-0.0, &out));
  EXPECT_EQ(out, 0);
  EXPECT_TRUE(ScriptNumberIsInt32(-2147483648.0, &out));
  EXPECT_EQ(out, INT32_MIN);
  EXPECT_TRUE(ScriptNumberIsInt32(2147483647.0, &out));
  EXPECT_EQ(out, INT32_MAX);
  out = 42;
  for (double x : {2147483648.0, -2147483649.0, 0.5, kNaN, kInf, -kInf, 1e-300}) {
    EXPECT_FALSE(ScriptNumberIsInt32(x, &out)) << x;
  }
  EXPECT_EQ(out, 42);
}

}  // namespace
