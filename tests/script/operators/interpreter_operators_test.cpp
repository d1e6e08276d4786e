// The operators of the interpreter, run as small scripts whose Write calls
// print their values: arithmetic and concatenation, comparisons as text or
// as numbers, strict equality across integers and numbers, typeof, the
// increments and their integer range, the compound assignments, logic that
// evaluates both sides, unary minus and literal strings by number.
#include <gtest/gtest.h>

#include <string>

#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"
#include "tests/support/script_cases.h"

using scripttest::Narrow;

namespace {

using scripttest::RunScriptCases;
using scripttest::ScriptCase;

TEST(InterpreterOperators, ArithmeticAndConcatenation) {
  const ScriptCase cases[] = {
      {u"Write(1 + '2');", "12\n"},
      {u"Write(1 - '2');", "-1\n"},
      {u"Write('3' * '4', ' ', 7 / 2, ' ', 7 % 3, ' ', -7 % 3);", "12 3.5 1 -1\n"},
      {u"Write(1 / 0, ' ', -1 / 0, ' ', 0 / 0);", "Infinity -Infinity NaN\n"},
      {u"Write('a' + 1 + 2, ' ', 1 + 2 + 'a');", "a12 3a\n"},
      {u"s = 'x'; t = s; t = t + 'y'; Write(s, t);", "xxy\n"},
      {u"Write(0.1 + 0.2, ' ', 1 / 3);", "0.3 0.333333333333333\n"},
      {u"Write(true + 1, ' ', 'n' + true);", "2 ntrue\n"},
      {u"var u; Write(u + 'x');", "undefinedx\n"},
  };
  RunScriptCases(cases);
}

TEST(InterpreterOperators, Comparisons) {
  const ScriptCase cases[] = {
      {u"Write('1' == 1, ' ', 'b' > 'a', ' ', 'ab' < 'b', ' ', '10' < '9');",
       "true true true true\n"},
      {u"Write(10 < 9, ' ', 2 >= 2, ' ', 2 <= 1, ' ', 3 != 3);", "false true false false\n"},
      {u"var u; var v; Write(u == v, ' ', u === v, ' ', u < v, ' ', u != v);",
       "true true false false\n"},
      {u"var u; Write('undefined' == u, ' ', u == 0);", "true false\n"},
      {u"n = 0 / 0; Write(n == n, ' ', n != n, ' ', n < 1, ' ', n >= 1);",
       "false true false false\n"},
      // Integers (literals) and numbers (results of arithmetic) are one type
      // to === and !==.
      {u"Write(1 === 1.0, ' ', 1 !== 1.0, ' ', '1' === 1, ' ', '1' !== 1);",
       "true false false true\n"},
      {u"i = 2; i = i + 1; Write(i === 3, ' ', i !== 3);", "true false\n"},
      {u"Write(true === true, ' ', true === 1, ' ', 'a' === 'a');", "true false true\n"},
  };
  RunScriptCases(cases);
}

TEST(InterpreterOperators, TypeofAndLogic) {
  const ScriptCase cases[] = {
      {u"function f() {} var u; o = new Object();"
       u"Write(typeof true, ' ', typeof 1, ' ', typeof 1.5, ' ', typeof 'x', ' ', typeof f, ' ',"
       u" typeof o, ' ', typeof u);",
       "boolean number number string function object undefined\n"},
      {u"if (typeof b == 'boolean') Write('ok'); b = false;", ""},
      {u"b = false; if (typeof b == 'boolean') Write('ok');", "ok\n"},
      {u"Write(!0, ' ', !'', ' ', !'a', ' ', true && false, ' ', false || true);",
       "true true false false true\n"},
      // Both sides of && and || are evaluated.
      {u"n = 0; function f() { n = n + 1; return true; } b = false && f(); c = true || f();"
       u" Write(n);",
       "2\n"},
      {u"var u; if (u) Write('yes'); if (!u) Write('no');", "no\n"},
  };
  RunScriptCases(cases);
}

TEST(InterpreterOperators, IncrementsAndNegation) {
  const ScriptCase cases[] = {
      {u"i = 5; j = i++; k = ++i; Write(i, j, k);", "757\n"},
      {u"i = 5; j = i--; k = --i; Write(i, j, k);", "353\n"},
      {u"i = 2147483647; i++; Write(i, ' ', i === 2147483648);", "2147483648 true\n"},
      {u"i = -2147483647; i--; Write(i); i--; Write(i);", "-2147483648\n-2147483649\n"},
      {u"i = -2147483647; i--; j = -i; Write(j);", "2147483648\n"},
      {u"s = '5'; j = s++; Write(s, ' ', j, ' ', typeof j);", "6 5 number\n"},
      {u"x = 1.5; x++; Write(x);", "2.5\n"},
      {u"Write(-5, ' ', -'3', ' ', -(2.5), ' ', -true);", "-5 -3 -2.5 -1\n"},
      {u"a = 4; b = -a; Write(a, ' ', b);", "4 -4\n"},
  };
  RunScriptCases(cases);
}

TEST(InterpreterOperators, IncrementKeepsIntegersAndTurnsTextsIntoNumbers) {
  ScriptTestContext context;
  ASSERT_EQ(context.Run(u"i = 1; i++; s = 'x1'; s = '4'; s++; d = 1.5; d--;").status, kScriptOk);
  EXPECT_EQ(context.GlobalType(u"i"), kScriptTypeInteger);
  EXPECT_EQ(context.GlobalType(u"s"), kScriptTypeNumber);
  EXPECT_EQ(context.GlobalType(u"d"), kScriptTypeNumber);
  EXPECT_EQ(Narrow(context.Global(u"s")), "5");
}

// null is the null object wherever it is read, run straight through and
// paused after every instruction (where names are pushed as references and
// read later); it never becomes a variable of the host.
TEST(InterpreterOperators, NullIsAValueNotAVariable) {
  const char16_t* script =
      u"n = null; i = null; i++; j = null; --j; Write('' + null, ' ', n, ' ', null + 1, ' ', "
      u"i, ' ', j, ' ', !null, ' ', typeof null, ' ', Math.abs(null), ' ', Math.max(n, -1));";
  for (bool pauseEvery : {false, true}) {
    SCOPED_TRACE(pauseEvery ? "paused" : "straight");
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(script, pauseEvery);
    ASSERT_EQ(r.status, kScriptOk) << scripttest::DescribeOutcome(r);
    EXPECT_EQ(std::string(r.output.begin(), r.output.end()),
              "null null 1 1 -1 true object 0 0\n");
    EXPECT_EQ(context.GlobalType(u"null"), -1);
    EXPECT_EQ(context.GlobalType(u"n"), kScriptTypeObject);
  }
}

TEST(InterpreterOperators, CompoundAssignments) {
  const ScriptCase cases[] = {
      {u"i = 10; i -= 3; Write(i); i += 5; Write(i); i %= 5; Write(i); i /= 4; Write(i);"
       u" i *= 6; Write(i);",
       "7\n12\n2\n0.5\n3\n"},
      {u"s = 'a'; s += 'b'; s += 1; Write(s);", "ab1\n"},
      // The result is the assigned variable, read after the store.
      {u"i = 1; x = (i += 1); Write(x, i);", "22\n"},
      {u"a = 2; b = 3; a *= b += 1; Write(a, b);", "84\n"},
      {u"o = new Object(); o.n = 1; o.n += 2; Write(o.n);", "3\n"},
      {u"var t = ''; for (i = 0; i < 3; i += 1) t += i; Write(t);", "012\n"},
  };
  RunScriptCases(cases);
}

TEST(InterpreterOperators, OperatorsWithoutImplementationFail) {
  const char16_t* scripts[] = {
      u"i = 1; i |= 2;", u"i = 1; i &= 2;", u"i = 1; i <<= 2;", u"i = 1; i ^= 2;",
      u"i = ~1;",        u"i = 1 | 2;",     u"i = 1 & 2;",      u"i = 1 << 2;",
      u"i = 4 >> 1;",    u"i = 1 ^ 2;",
  };
  for (const char16_t* script : scripts) {
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(script);
    SCOPED_TRACE(Narrow(script));
    ASSERT_TRUE(r.compiled);
    EXPECT_EQ(r.status, kScriptNotImplemented);
  }
}

TEST(InterpreterOperators, LiteralStringByNumber) {
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"x = 'hello'; Write(__litteralstr 1);");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.output), "hello\n");
  EXPECT_EQ(context.Run(u"Write(__litteralstr 9);").status, kScriptBadStringLiteral);
  EXPECT_EQ(context.Run(u"Write(__litteralstr -1);").status, kScriptBadStringLiteral);
}

TEST(InterpreterOperators, MembersByNameAndKey) {
  const ScriptCase cases[] = {
      {u"o = new Object(); o['a'] = 5; Write(o.a); k = 'a'; Write(o[k] + 1);", "5\n6\n"},
      {u"o = new Object(); o.inner = new Object(); o.inner.v = 'deep'; Write(o.inner.v);",
       "deep\n"},
      {u"o = new Object(); p = o; p.x = 1; Write(o.x);", "1\n"},
  };
  RunScriptCases(cases);
}

}  // namespace
