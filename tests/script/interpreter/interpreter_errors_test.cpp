// Runtime errors: each failure gives its status, the detail (the unknown
// name or member), the running function's name and the line, and reaches
// the user as one error message box built from string 5030; the message
// table and the formatting of the shown text.
#include <gtest/gtest.h>

#include <string>

#include "script/interpreter/error_reporter.h"
#include "script/interpreter/script_errors.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

using scripttest::Narrow;
using scripttest::Text;

namespace {

struct ErrorCase {
  const char16_t* script;
  int32_t status;
  const char* detail;
  const char* name;
  int32_t line;
};

TEST(InterpreterErrors, StatusDetailNameAndLine) {
  const ErrorCase cases[] = {
      {u"Write(y);", kScriptCannotGet, "", "", 1},
      {u"x = 1;\n\na.b.c = 1;", kScriptMemberUnknown, "b", "", 3},
      {u"x = 1;\n\nfunction f() {\n  y.z = 1;\n}\nf();", kScriptMemberUnknown, "z", "f", 4},
      // No Line has run in g yet: the line is that of its code.
      {u"\n\nfunction g() { q.w = 1; }\ng();", kScriptMemberUnknown, "w", "g", 3},
      {u"g = 5;\nx = 1 + g(2, 3);", kScriptInvalidType, "", "", 2},
      {u"nothing();", kScriptInvalidType, "", "", 1},
      {u"x = 1; x = x.y;", kScriptInvalidType, "", "", 1},
      {u"eval(1, 2);", kScriptBadEval, "", "", 1},
      {u"eval('x = ');", kScriptCannotParse, "", "", 1},
      {u"eval('\\n\\nq.r = 1;');", kScriptMemberUnknown, "r", "__eval_text", 3},
      {u"i = 1; i |= 1;", kScriptNotImplemented, "", "", 1},
      {u"5 = 3;", kScriptBadAssignment, "", "", 1},
      {u"x = 'a'; x++;\nx = 'b'; ++x;", kScriptOk, "", "", 0},
      {u"o = new Object(); o[1] = 2;", kScriptNoMemory, "", "", 1},
      {u"o = new Object(); x = o.missing + 1;", kScriptCannotGet, "", "", 1},
      // A plain object has no value of its own to compare or print.
      {u"o = new Object(); p = new Object(); b = o == p;", kScriptBadMemberCode, "", "", 1},
  };
  for (const ErrorCase& c : cases) {
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(c.script);
    SCOPED_TRACE(Narrow(c.script));
    ASSERT_TRUE(r.compiled);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(Narrow(Text(r.error.detail)), c.detail);
    if (c.status == kScriptOk) continue;
    EXPECT_EQ(Narrow(Text(r.error.name)), c.name);
    EXPECT_EQ(r.error.line, c.line);
  }
}

TEST(InterpreterErrors, SelfReferenceIsReadAFewTimesThenFails) {
  // x = x stores in x a reference to x itself; reading it must end.
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"x = x; y = x + 1;");
  EXPECT_EQ(r.status, kScriptConversionFailed);
  r = context.Run(u"a = b; b = a; Write(a + 1);");
  EXPECT_NE(r.status, kScriptOk);
}

TEST(InterpreterErrors, OneErrorBoxWithTheStockText) {
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"a.b = 1; c.d = 2;");
  ASSERT_EQ(r.status, kScriptMemberUnknown);
  ASSERT_EQ(context.reporter.boxes.size(), 1u);
  EXPECT_EQ(context.reporter.boxes[0].kind, kMessageBoxError);
  EXPECT_EQ(context.reporter.boxes[0].caption, kMessageBoxNoCaption);
  EXPECT_EQ(Narrow(context.reporter.boxes[0].text),
            "Some error happened while executing a script.");
  // A run without error shows nothing.
  EXPECT_EQ(context.Run(u"x = 1;").status, kScriptOk);
  EXPECT_EQ(context.reporter.boxes.size(), 1u);
}

TEST(InterpreterErrors, TemplateWithPlaceholdersShowsTheDetails) {
  ScriptTestContext context;
  context.reporter.texts[kScriptErrorTemplateString] = u"%1 in %2 at line %3";
  context.Run(u"x = 1;\nfunction f() {\n  y.z = 1;\n}\nf();");
  context.Run(u"\n\nq.w = 1;");
  ASSERT_EQ(context.reporter.boxes.size(), 2u);
  EXPECT_EQ(Narrow(context.reporter.boxes[0].text), "Error: Member Unknown: z in f at line 3");
  EXPECT_EQ(Narrow(context.reporter.boxes[1].text),
            "Error: Member Unknown: w in global text at line 3");
}

TEST(InterpreterErrors, FormatsEveryStatus) {
  FakeErrorReporter reporter;
  reporter.texts[kScriptErrorTemplateString] = u"[%1|%2|%3]";
  ScriptRuntimeError error;
  error.status = kScriptObjectUnknown;
  error.line = 12;
  error.name.FromChars(u"handler", 7);
  error.detail.FromChars(u"foo", 3);
  SharedWideString text;
  ASSERT_TRUE(FormatScriptError(error, &reporter, &text));
  EXPECT_EQ(Narrow(Text(text)), "[Error: Object Unknown: foo|handler|12]");

  // kScriptMathMissing takes its message from the string table.
  error.status = kScriptMathMissing;
  error.detail.Clear();
  ASSERT_TRUE(FormatScriptError(error, &reporter, &text));
  EXPECT_EQ(Narrow(Text(text)),
            "[Could not execute script because Mathlib is not installed.|handler|12]");

  // Without a template nothing is shown but the template's own text.
  FakeErrorReporter empty;
  empty.texts[kScriptErrorTemplateString] = u"";
  ASSERT_TRUE(FormatScriptError(error, &empty, &text));
  EXPECT_EQ(text.length, 0u);
}

TEST(InterpreterErrors, MessageTable) {
  EXPECT_EQ(Narrow(GetScriptStatusMessage(0)), "No Error");
  EXPECT_EQ(Narrow(GetScriptStatusMessage(kScriptNoMemory)), "Error: Not Enough Memory");
  EXPECT_EQ(Narrow(GetScriptStatusMessage(kScriptNoResources)),
            "Error: Insufficient system resources to fulfill request");
  EXPECT_EQ(Narrow(GetScriptStatusMessage(kScriptBadStringLiteral)),
            "Internal error: Bad String Litteral Number");
  EXPECT_EQ(Narrow(GetScriptStatusMessage(kScriptUnhandledException)),
            "Error: exception not handled");
  EXPECT_EQ(Narrow(GetScriptStatusMessage(kScriptStopped)),
            "Error: Script stopped because it ran too long");
  for (int32_t status = 0; status <= kScriptStopped; ++status) {
    EXPECT_NE(GetScriptStatusMessage(status), nullptr) << status;
  }
  EXPECT_EQ(GetScriptStatusMessage(-1), nullptr);
  EXPECT_EQ(GetScriptStatusMessage(kScriptStopped + 1), nullptr);
}

}  // namespace
