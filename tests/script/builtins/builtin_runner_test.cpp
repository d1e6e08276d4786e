// The runner of standalone programs: Response.Write prints exactly its
// argument's text, the built-ins reach scripts through the interpreter
// (string members, new Date, Math, the global functions and values), the
// program's variables stay between runs, and failures are told with their
// code or status and line.
#include <gtest/gtest.h>

#include <string>

#include "script/builtins/builtin_script_runner.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::Narrow;
using scripttest::Text;
using scripttest::Wide;

void Collect(void* data, const WCHAR* text, uint32_t length) {
  static_cast<std::u16string*>(data)->append(text, length);
}

struct Program {
  std::u16string output;
  ScriptProgramRunner runner{&Collect, &output};

  std::string Run(const std::u16string& text, ScriptProgramOutcome* outcome = nullptr) {
    ScriptProgramOutcome local;
    output.clear();
    runner.Run(Wide(text), outcome != nullptr ? outcome : &local);
    return Narrow(output);
  }
};

TEST(ScriptRunner, ProgramsReachTheBuiltins) {
  Program p;
  ASSERT_TRUE(p.runner.Ready());
  const struct {
    const char16_t* source;
    const char* output;
  } cases[] = {
      {u"Response.Write(1 + 2);", "3"},
      {u"Response.Write('a'); Response.Write('b\\n');", "ab\n"},
      {u"Response.Write('abc'.length + 'abc'.toUpperCase());", "3ABC"},
      {u"var s = 'Hello'; Response.Write(s.charAt(1) + s.slice(-3) + s.indexOf('l'));", "ello2"},
      {u"Response.Write(Math.round(-2.5) + ' ' + Math.max(1, 2) + ' ' + Math.PI);",
       "-2 2 3.14159265358979"},
      {u"Response.Write(parseInt('-0x1F', 16) + ' ' + parseInt('abc', 10) + ' ' + "
       u"parseInt('12', 3));",
       "-31 NaN 5"},
      {u"Response.Write(isNaN('x') + ' ' + isFinite(1 / 0) + ' ' + NaN + ' ' + Infinity);",
       "true false NaN Infinity"},
      {u"var u; Response.Write(u == undefined);", "true"},
      {u"Response.Write(new Date(Date.UTC(2000, 0, 2)).getUTCDay());", "0"},
      {u"var d = new Date(2024, 1, 29); d.setUTCDate(31); Response.Write(d.getUTCMonth());",
       "2"},
      {u"Response.Write(String(12) + String.fromCharCode(65, 66));", "12AB"},
      {u"var o = new Object('xy'); Response.Write(o.length);", "2"},
      {u"Response.Write(eval('6 * 7'));", "42"},
      {u"Response.Write(typeof 'a' + typeof 1 + typeof Math);", "stringnumberobject"},
  };
  for (const auto& c : cases) {
    ScriptProgramOutcome outcome;
    EXPECT_EQ(p.Run(c.source, &outcome), c.output) << Narrow(c.source);
    EXPECT_EQ(outcome.error.status, kScriptOk) << Narrow(c.source);
  }
}

TEST(ScriptRunner, VariablesStayBetweenRuns) {
  Program p;
  p.Run(u"var total = 40; function add(x) { return total + x; }");
  EXPECT_EQ(p.Run(u"Response.Write(add(2));"), "42");
}

TEST(ScriptRunner, FailuresAreTold) {
  Program p;
  ScriptProgramOutcome outcome;
  EXPECT_EQ(p.Run(u"Response.Write('before');\nResponse.Write(Math.max(1));", &outcome),
            "before");
  EXPECT_TRUE(outcome.compiled);
  EXPECT_EQ(outcome.error.status, kScriptBadParameterCount);
  EXPECT_EQ(outcome.error.line, 2);
  SharedWideString text;
  ASSERT_TRUE(FormatScriptProgramFailure(outcome, &text));
  EXPECT_EQ(Narrow(Text(text)), "script error 13 at line 2: Error: Bad parameter count");

  p.Run(u"x = 1;\nResponse.Write(Math.nothing);", &outcome);
  ASSERT_TRUE(FormatScriptProgramFailure(outcome, &text));
  EXPECT_EQ(Narrow(Text(text)), "script error 4 at line 2: Error: Member Unknown: nothing");

  p.Run(u"var a = ;", &outcome);
  EXPECT_FALSE(outcome.compiled);
  ASSERT_TRUE(FormatScriptProgramFailure(outcome, &text));
  EXPECT_EQ(Narrow(Text(text)).rfind("compile error 2 at 1:", 0), 0u) << Narrow(Text(text));

  EXPECT_EQ(p.Run(u"Response.Write(1, 2);", &outcome), "");
  EXPECT_EQ(outcome.error.status, kScriptBadParameterCount);
}

}  // namespace
