// Calls: script functions with their parameters, results and this-values,
// constructors, closures over the scope chain they were declared in,
// recursion to the depth cap, eval, host methods, a run that calls a named
// function (element events), and the operand stack after a call that fails.
#include <gtest/gtest.h>

#include <string>

#include "script/frames/call_stack.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"
#include "tests/support/script_cases.h"

using scripttest::Narrow;
using scripttest::Text;

namespace {

using scripttest::RunScriptCases;
using scripttest::ScriptCase;

TEST(ActivationCalls, FunctionsParametersAndResults) {
  const ScriptCase cases[] = {
      {u"function add(a, b) { var c = a + b; return c; } Write(add(1, 2));", "3\n"},
      {u"function f(a, b, c) { Write(typeof b, ' ', typeof c); } f(1);",
       "undefined undefined\n"},
      {u"function f(a) { return; } Write(typeof f(1));", "undefined\n"},
      {u"function f(a) { a = 5; } x = 1; f(x); Write(x);", "1\n"},
      {u"x = 1; function f() { x = 2; } f(); Write(x);", "2\n"},
      {u"function fact(n) { if (n <= 1) return 1; return n * fact(n - 1); } Write(fact(10));",
       "3628800\n"},
      {u"function f(n) { return n; } Write(f(f(f(7))));", "7\n"},
      // A function's variables are its own on every call.
      {u"function f(n) { var v; if (n == 0) v = 'zero'; if (n > 0) { f(n - 1); v = n; } "
       u"Write(v); } f(2);",
       "zero\n1\n2\n"},
  };
  RunScriptCases(cases);
}

TEST(ActivationCalls, NewNamesAreCreatedInTheInnermostScope) {
  // A name that no scope knows is made where it is first resolved: inside a
  // function that is the function's own scope.
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"function f() { y = 3; Write(y); } f(); Write(y);");
  EXPECT_EQ(Narrow(r.output), "3\n");
  EXPECT_EQ(r.status, kScriptCannotGet);
}

TEST(ActivationCalls, ThisValues) {
  const ScriptCase cases[] = {
      // Called through a member of a plain object: that object is this.
      {u"function m() { return this.v; } o = new Object(); o.v = 7; o.m = m; Write(o.m());",
       "7\n"},
      // Called through a plain name found in the host: the host is this.
      {u"v = 9; function h() { return this.v; } Write(h());", "9\n"},
      {u"v = 4; Write(this.v);", "4\n"},
  };
  RunScriptCases(cases);
}

TEST(ActivationCalls, Constructors) {
  const ScriptCase cases[] = {
      {u"function F() { this.a = 1; return 5; } o = new F(); Write(typeof o, ' ', o.a);",
       "object 1\n"},
      {u"function G() { var r = new Object(); r.b = 2; return r; } p = new G; Write(p.b);",
       "2\n"},
      {u"function P(x, y) { this.x = x; this.y = y; } p = new P(3, 4); Write(p.x * p.y);",
       "12\n"},
      {u"o = new Object(); o.z = 3; Write(o.z); q = new Object; Write(typeof q);",
       "3\nobject\n"},
  };
  RunScriptCases(cases);
}

TEST(ActivationCalls, ClosuresSeeTheChainTheyWereDeclaredIn) {
  const ScriptCase cases[] = {
      {u"function outer() { var n = 5; function inner() { return n; } return inner; }"
       u" g = outer(); Write(g());",
       "5\n"},
      // Lexical, not dynamic: a sees the global q, not b's.
      {u"q = 'global'; function a() { return q; } function b() { var q = 'local'; return a(); }"
       u" Write(b());",
       "global\n"},
      {u"function counter() { var c = 0; function step() { c = c + 1; return c; } return step; }"
       u" s = counter(); s(); s(); Write(s());",
       "3\n"},
  };
  RunScriptCases(cases);
}

TEST(ActivationCalls, Eval) {
  const ScriptCase cases[] = {
      {u"Write(eval(5));", "5\n"},
      {u"Write(eval('1 + 2'));", "3\n"},
      {u"eval('var z = 4;'); Write(z);", "4\n"},
      {u"eval('function e() { return 8; }'); Write(e());", "8\n"},
      {u"function f() { var a = 2; return eval('a * 3'); } Write(f());", "6\n"},
      {u"x = 1; Write(typeof eval(''));", "undefined\n"},
      {u"s = '2 + 2'; Write(eval(s));", "4\n"},
      {u"Write(eval('eval(\\'6 * 7\\')'));", "42\n"},
  };
  RunScriptCases(cases);
}

TEST(ActivationCalls, RecursionUpToTheCapWorks) {
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(
      u"function d(n) { if (n == 0) return 0; return d(n - 1) + 1; } Write(d(2500));");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.output), "2500\n");
}

TEST(ActivationCalls, RunawayRecursionEndsWithStatus14) {
  const char16_t* scripts[] = {
      u"function f(n) { return f(n + 1); } f(0);",
      u"function f() { f(); } f();",
      u"function f() { return new f(); } x = new f();",
      u"function f() { return eval('f()'); } f();",
      u"s = 'eval(s)'; eval(s);",
  };
  for (const char16_t* script : scripts) {
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(script);
    SCOPED_TRACE(Narrow(script));
    EXPECT_EQ(r.status, kScriptNoResources);
    EXPECT_EQ(Narrow(GetScriptStatusMessage(r.status)),
              "Error: Insufficient system resources to fulfill request");
    ASSERT_EQ(context.reporter.boxes.size(), 1u);
  }
}

TEST(ActivationCalls, StackIsBalancedAfterAFailedCall) {
  // x = 1 + g(2, 3): before the call the stack holds x, 1, g, 2 and 3; a
  // failed call leaves x, 1 and undefined.
  const char16_t* scripts[] = {
      u"g = 5; x = 1 + g(2, 3);",      // not callable
      u"x = 1 + g(2, 3);",             // g has no value
      u"x = 1 + Write(2, q);",         // the host method fails on q
      u"x = 1 + eval(2, 3);",          // eval badly used
      u"x = 1 + eval('+', 3);",        // too
      u"g = 5; x = 1 + new g(2, 3);",  // not a constructor
      u"x = 1 + new Date('no date');", // the constructor fails
      u"function f(a, b) { q.r = 1; } x = 1 + f(2, 3);",  // fails inside: the run stops there
  };
  const uint32_t depths[] = {3, 3, 3, 3, 3, 3, 3, 5};
  for (size_t i = 0; i < sizeof(depths) / sizeof(depths[0]); ++i) {
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(scripts[i]);
    SCOPED_TRACE(Narrow(scripts[i]));
    EXPECT_NE(r.status, kScriptOk);
    EXPECT_EQ(r.stackDepth, depths[i]);
  }
}

TEST(ActivationCalls, ConstructCallsReadTheCalleeFirst) {
  // The construct member is resolved on the object the callee holds, not on
  // the scope that holds the callee: new Date() reaches the Date object.
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"d = new Date(5); Write(d.getTime());");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.output), "5\n");
  r = context.Run(u"x = 3; y = new x();");
  EXPECT_EQ(r.status, kScriptInvalidType);
  r = context.Run(u"o = new Object(); o.f = 1; y = new o.f();");
  EXPECT_EQ(r.status, kScriptInvalidType);
}

TEST(ActivationCalls, NamedFunctionRun) {
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"var n = 1;\nreturn n + 1;", false, u"__widget_event");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.result), "2");
  // The handler does not linger in the scope, nor do its variables.
  EXPECT_EQ(Narrow(context.Global(u"__widget_event")), "<none>");
  EXPECT_EQ(Narrow(context.Global(u"n")), "<none>");

  r = context.Run(u"Write('hi');", false, u"__widget_event");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.output), "hi\n");
  EXPECT_EQ(Narrow(r.result), "undefined");

  r = context.Run(u"\nq.w = 1;", false, u"__widget_event");
  EXPECT_EQ(r.status, kScriptMemberUnknown);
  EXPECT_EQ(Narrow(Text(r.error.name)), "__widget_event");
  EXPECT_EQ(r.error.line, 2);
}

TEST(ActivationCalls, TopLevelRunLeavesNoResult) {
  // Top-level code runs off its end: its result goes (only eval keeps it).
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(u"x = 1;");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(Narrow(r.result), "<none>");
}

}  // namespace

namespace {

TEST(ActivationCalls, CyclesLeftBehindAreFreedWithTheStore) {
  // A function's scope that holds a function declared in it (whose chain
  // holds the scope) and a reference to one of its own members outlives the
  // run; the store's end frees it once (the sanitizers watch).
  const char16_t* bodies[] = {
      u"function inner() { return c; } c = z;",
      u"function outer() { var c = 0; function inner() { c += 2; return c; } return inner; }\n"
      u"g = outer(); c = z; g();",
  };
  for (const char16_t* body : bodies) {
    for (const char16_t* name : {static_cast<const char16_t*>(nullptr), u"__widget_event"}) {
      ScriptTestContext context;
      EXPECT_EQ(context.Run(body, false, name).status, kScriptOk) << Narrow(body);
    }
  }
}

}  // namespace
