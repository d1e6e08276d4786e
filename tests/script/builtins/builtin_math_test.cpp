// The Math built-in and the global functions: rounding halves upwards,
// argument counts, constants, the C library functions, random numbers in
// [0, 1), parseInt (no digits give NaN, the sign apart from "0x", every radix
// from 2 to 36), parseFloat, isNaN and isFinite.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "builtin_test_support.h"
#include "script/values/atoms.h"
#include "script/builtins/global_functions.h"
#include "script/builtins/math_object.h"
#include "tests/support/number_checks.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class MathTest : public scripttest::BuiltinFixture {
 protected:
  double Apply(int32_t atom, double a) {
    EXPECT_EQ(CallAtom(&math_, atom, {Num(a)}), kScriptOk);
    return ResultNumber();
  }
  double Apply(int32_t atom, double a, double b) {
    EXPECT_EQ(CallAtom(&math_, atom, {Num(a), Num(b)}), kScriptOk);
    return ResultNumber();
  }
  // The global function through the Math object, as hosts route it: the
  // atom as sub-code of a reference to Math itself.
  int32_t Global(int32_t atom, std::initializer_list<ScriptValueHandle> args) {
    ScriptMemberRef ref;
    ref.owner = &math_;
    ref.subCode = atom;
    return Call(&math_, ref, args);
  }
  double ParseInt(const std::u16string& text) {
    EXPECT_EQ(Global(kAtom_parseInt, {Str(text)}), kScriptOk);
    return ResultNumber();
  }
  double ParseInt(const std::u16string& text, double radix) {
    EXPECT_EQ(Global(kAtom_parseInt, {Str(text), Num(radix)}), kScriptOk);
    return ResultNumber();
  }

  ScriptMathObject math_;
};

TEST_F(MathTest, RoundTakesHalvesUpwards) {
  struct Case {
    double x, rounded;
  } cases[] = {{-2.6, -3}, {2.4, 2},       {-0.2, 0},         {2.5, 3},
               {-2.5, -2}, {0.5, 1},       {-0.5, 0},         {-3.5, -3},
               {1e300, 1e300}, {kInf, kInf}, {-kInf, -kInf},  {4503599627370497.0, 4503599627370497.0},
               {0.49999999999999994, 0}};
  for (const Case& c : cases) EXPECT_TRUE(numtest::SameNumber(c.rounded, Apply(kAtom_round, c.x))) << "round " << c.x;
  EXPECT_TRUE(std::isnan(Apply(kAtom_round, kNaN)));
  // -0.2 rounds to a zero that prints as 0.
  EXPECT_EQ(ResultText(), "NaN");
  Apply(kAtom_round, -0.2);
  EXPECT_EQ(ResultText(), "0");
}

TEST_F(MathTest, FunctionsAnswerNumbers) {
  EXPECT_EQ(Apply(kAtom_abs, -3), 3);
  EXPECT_EQ(ResultType(), kScriptTypeNumber);
  EXPECT_EQ(Apply(kAtom_ceil, 1.2), 2);
  EXPECT_EQ(Apply(kAtom_floor, -1.2), -2);
  EXPECT_EQ(Apply(kAtom_sqrt, 16), 4);
  EXPECT_EQ(Apply(kAtom_pow, 2, 10), 1024);
  EXPECT_EQ(Apply(kAtom_atan2, 0, 1), 0);
  EXPECT_EQ(Apply(kAtom_exp, 0), 1);
  EXPECT_EQ(Apply(kAtom_log, 1), 0);
  EXPECT_DOUBLE_EQ(Apply(kAtom_cos, 0), 1);
  EXPECT_TRUE(std::isnan(Apply(kAtom_sqrt, -1)));
  // max and min keep the first unless the second is strictly beyond it.
  EXPECT_EQ(Apply(kAtom_max, 1, 2), 2);
  EXPECT_EQ(Apply(kAtom_min, 1, 2), 1);
  EXPECT_TRUE(std::isnan(Apply(kAtom_max, kNaN, 1)));
  EXPECT_EQ(Apply(kAtom_max, 1, kNaN), 1);
  // Arguments are converted to numbers: texts, integers, undefined.
  EXPECT_EQ(CallAtom(&math_, kAtom_abs, {Str(u" -7 ")}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 7);
  EXPECT_EQ(CallAtom(&math_, kAtom_max, {Int(3), Str(u"4")}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 4);
  EXPECT_EQ(CallAtom(&math_, kAtom_abs, {Undef()}), kScriptOk);
  EXPECT_TRUE(std::isnan(ResultNumber()));
}

TEST_F(MathTest, ArgumentCountsAreChecked) {
  EXPECT_EQ(CallAtom(&math_, kAtom_max, {Num(1)}), kScriptBadParameterCount);
  EXPECT_EQ(CallAtom(&math_, kAtom_max, {Num(1), Num(2), Num(3)}), kScriptBadParameterCount);
  EXPECT_EQ(CallAtom(&math_, kAtom_abs, {}), kScriptBadParameterCount);
  // A one-argument function takes a second argument without looking at it.
  EXPECT_EQ(CallAtom(&math_, kAtom_abs, {Num(-1), Num(5)}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 1);
  EXPECT_EQ(CallAtom(&math_, kAtom_random, {Num(1), Num(2), Num(3)}), kScriptBadParameterCount);
  // A constant cannot be called; a name outside the table does not resolve.
  EXPECT_EQ(CallAtom(&math_, kAtom_PI, {}), kScriptInvalidType);
  Member(&math_, kAtom_charAt, kScriptMemberUnknown);
}

TEST_F(MathTest, ConstantsAreReadAsNumbers) {
  const struct {
    int32_t atom;
    double value;
  } constants[] = {{kAtom_E, M_E},           {kAtom_LN10, M_LN10},   {kAtom_LN2, M_LN2},
                   {kAtom_LOG10E, M_LOG10E}, {kAtom_LOG2E, M_LOG2E}, {kAtom_PI, M_PI},
                   {kAtom_SQRT1_2, M_SQRT1_2}, {kAtom_SQRT2, M_SQRT2}};
  for (const auto& c : constants) {
    ScriptMemberRef ref = Member(&math_, c.atom);
    int32_t status = 0;
    ASSERT_EQ(*math_.GetMemberValue(&status, ref, &store_, &result_, kScriptTypeAny), kScriptOk);
    EXPECT_EQ(ResultNumber(), c.value) << c.atom;
  }
  int32_t status = 0;
  EXPECT_EQ(*math_.GetMemberValue(&status, Member(&math_, kAtom_abs), &store_, &result_, 15),
            kScriptCannotGet);
}

TEST_F(MathTest, RandomDrawsFromTheGenerator) {
  math_.Random().SetState(12345);
  RandomGenerator copy;
  copy.SetState(12345);
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(CallAtom(&math_, kAtom_random, {}), kScriptOk);
    double r = ResultNumber();
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);
    EXPECT_EQ(r, copy.Next() / 4294967296.0);
  }
}

TEST_F(MathTest, ParseIntFindsDigitsOrGivesNaN) {
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"0x1F", 31},   {u"017", 15},     {u"-0x1F", -31}, {u"+0x1f", 31},   {u"  42abc", 42},
      {u"abc", kNaN},  {u"", kNaN},      {u"-", kNaN},    {u"0x", kNaN},    {u"  ", kNaN},
      {u"12.9", 12},   {u"-12", -12},    {u"0", 0},       {u"1e3", 1},      {u"08", 0},
      {u"123456789012345678901234567890", 123456789012345678901234567890.0},
      {u"2147483647", 2147483647.0},     {u"-2147483648", -2147483648.0},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.value, ParseInt(c.text))) << scripttest::Narrow(c.text);
  }
  // "-0" keeps its sign, as the literal does; it prints as 0.
  EXPECT_TRUE(std::signbit(ParseInt(u"-0")));
}

TEST_F(MathTest, ParseIntTakesEveryRadixFrom2To36) {
  const struct {
    const char16_t* text;
    double radix, value;
  } cases[] = {
      {u"12", 3, 5},          {u"12", 37, kNaN},        {u"12", 1, kNaN},     {u"12", 0, kNaN},
      {u"z", 36, 35},         {u"Zz", 36, 1295},        {u"102", 2, 2},       {u"777", 8, 511},
      {u"0x1F", 16, 31},      {u"1F", 16, 31},          {u"-0x1F", 16, -31},  {u"0x1F", 10, 0},
      {u"017", 10, 17},       {u"ff", 10, kNaN},        {u"10", 36.9, 36},    {u"19", 9, 1},
      {u"11111111111111111111111111111111", 2, 4294967295.0},
      {u"zzzzzzzzzz", 36, 3656158440062975.0},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(numtest::SameNumber(c.value, ParseInt(c.text, c.radix))) << scripttest::Narrow(c.text);
  }
  // The first argument is converted to text; the radix to a number.
  EXPECT_EQ(Global(kAtom_parseInt, {Num(255), Str(u"16")}), kScriptOk);
  EXPECT_EQ(ResultNumber(), 597);
  EXPECT_EQ(Global(kAtom_parseInt, {}), kScriptBadParameterCount);
  EXPECT_EQ(Global(kAtom_parseInt, {Str(u"1"), Num(10), Num(1)}), kScriptBadParameterCount);
}

TEST_F(MathTest, ParseFloatIsNaNAndIsFinite) {
  const struct {
    const char16_t* text;
    double value;
  } floats[] = {{u"3.25", 3.25},     {u" -1.5e3x", -1500}, {u".5", 0.5},  {u"1e", 1},
                {u"1.", 1},          {u"abc", kNaN},      {u"", kNaN},    {u"-.5", -0.5},
                {u"0.3", 0.3},       {u"1e-7", 1e-7},     {u"0x10", 0},   {u"+7", 7}};
  for (const auto& c : floats) {
    EXPECT_EQ(Global(kAtom_parseFloat, {Str(c.text)}), kScriptOk);
    EXPECT_TRUE(numtest::SameNumber(c.value, ResultNumber())) << scripttest::Narrow(c.text);
  }
  EXPECT_EQ(Global(kAtom_parseFloat, {Str(u"1"), Str(u"2")}), kScriptBadParameterCount);

  const struct {
    double x;
    bool nan, finite;
  } numbers[] = {{1, false, true}, {kNaN, true, false}, {kInf, false, false}, {-kInf, false, false}};
  for (const auto& c : numbers) {
    EXPECT_EQ(Global(kAtom_isNaN, {Num(c.x)}), kScriptOk);
    EXPECT_EQ(ResultType(), kScriptTypeBoolean);
    EXPECT_EQ(ResultText(), c.nan ? "true" : "false");
    EXPECT_EQ(Global(kAtom_isFinite, {Num(c.x)}), kScriptOk);
    EXPECT_EQ(ResultText(), c.finite ? "true" : "false");
  }
  EXPECT_EQ(Global(kAtom_isNaN, {Str(u"abc")}), kScriptOk);
  EXPECT_EQ(ResultText(), "true");
  EXPECT_EQ(Global(kAtom_isNaN, {Str(u" 12 ")}), kScriptOk);
  EXPECT_EQ(ResultText(), "false");
  EXPECT_EQ(Global(kAtom_isNaN, {Undef()}), kScriptOk);
  EXPECT_EQ(ResultText(), "true");
  EXPECT_EQ(Global(kAtom_isFinite, {}), kScriptBadParameterCount);
  // The Math object itself does not resolve the global names.
  Member(&math_, kAtom_parseInt, kScriptMemberUnknown);
}

TEST_F(MathTest, GlobalValues) {
  EXPECT_EQ(*GetScriptGlobalValue(&status_, kAtom_NaN, &store_, &result_), kScriptOk);
  EXPECT_EQ(ResultText(), "NaN");
  EXPECT_EQ(*GetScriptGlobalValue(&status_, kAtom_Infinity, &store_, &result_), kScriptOk);
  EXPECT_EQ(ResultText(), "Infinity");
  EXPECT_EQ(*GetScriptGlobalValue(&status_, kAtom_undefined, &store_, &result_), kScriptOk);
  EXPECT_EQ(ResultType(), kScriptTypeUndefined);
  EXPECT_EQ(*GetScriptGlobalValue(&status_, kAtom_isNaN, &store_, &result_), kScriptCannotGet);
}

}  // namespace
