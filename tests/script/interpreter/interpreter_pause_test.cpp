// Pause and resume: a run paused after every instruction and resumed until
// it ends gives exactly what an uninterrupted run gives (output, status,
// error detail and line, result and the variables left behind), for
// programs that loop, call, recurse, construct, eval and fail.
#include <gtest/gtest.h>

#include <string>

#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

using scripttest::Narrow;
using scripttest::Text;

namespace {

const char16_t* const kPrograms[] = {
    u"x = 1 + 2; Write(x); s = 'a' + x; Write(s);",
    u"var t = ''; for (i = 0; i < 5; i++) { if (i == 3) continue; t += i; } Write(t);",
    u"n = 0; do { n++; } while (n < 10); while (n > 0) { n -= 3; if (n < 4) break; } Write(n);",
    u"function fact(k) { if (k <= 1) return 1; return k * fact(k - 1); }\nWrite(fact(12));",
    u"function P(a) { this.a = a; } p = new P('v'); Write(p.a);",
    (u"function outer() { var c = 0; function inner() { c += 2; return c; } return inner; }\n"
     u"g = outer(); g(); Write(g());"),
    u"Write(eval('1 + 2 * 3')); eval('var e = 5;'); Write(e);",
    u"function f() { return f(); }\nf();",
    u"x = 1;\nfunction h() {\n  y.z = 2;\n}\nh();",
    u"a = 1; b = a++ + ++a; Write(a, ' ', b, ' ', a === 3, ' ', typeof b);",
    u"x = x; y = x + 1;",
};

TEST(InterpreterPause, PausedRunsMatchUninterruptedOnes) {
  for (const char16_t* program : kPrograms) {
    SCOPED_TRACE(Narrow(program));
    ScriptTestContext straight;
    ScriptTestContext paused;
    ScriptRunOutcome a = straight.Run(program, false);
    ScriptRunOutcome b = paused.Run(program, true);
    ASSERT_TRUE(a.compiled);
    EXPECT_EQ(a.pauses, 0u);
    EXPECT_GT(b.pauses, 5u);
    EXPECT_EQ(Narrow(a.output), Narrow(b.output));
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(Narrow(Text(a.error.detail)), Narrow(Text(b.error.detail)));
    EXPECT_EQ(Narrow(Text(a.error.name)), Narrow(Text(b.error.name)));
    EXPECT_EQ(a.error.line, b.error.line);
    EXPECT_EQ(Narrow(a.result), Narrow(b.result));
    for (const char16_t* name : {u"x", u"s", u"t", u"n", u"p", u"g", u"e", u"a", u"b"}) {
      EXPECT_EQ(Narrow(straight.Global(name)), Narrow(paused.Global(name))) << Narrow(name);
    }
  }
}

TEST(InterpreterPause, NamedFunctionRunsPauseToo) {
  ScriptTestContext straight;
  ScriptTestContext paused;
  const char16_t* body = u"var k = 0; for (var i = 0; i < 4; i++) k += i;\nreturn k;";
  ScriptRunOutcome a = straight.Run(body, false, u"__widget_event");
  ScriptRunOutcome b = paused.Run(body, true, u"__widget_event");
  EXPECT_EQ(a.status, kScriptOk);
  EXPECT_EQ(b.status, kScriptOk);
  EXPECT_EQ(Narrow(a.result), "6");
  EXPECT_EQ(Narrow(b.result), "6");
  EXPECT_GT(b.pauses, 10u);
}

struct PauseAfter {
  int calls = 0;
  int pauseAt = 0;
};

bool PauseOnce(void* data) {
  PauseAfter* p = static_cast<PauseAfter*>(data);
  return ++p->calls == p->pauseAt;
}

TEST(InterpreterPause, OnePauseAfterTheFirstInstruction) {
  ScriptTestContext context;
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  ASSERT_TRUE(CompileScript(SharedWideString(u"Write('a'); Write('b');"), script, &error));
  ScriptCallFrame* frame = nullptr;
  int32_t status = kScriptOk;
  PrepareScriptRun(&context.interpreter, &status, &frame, script, context.chain, &context.store,
                   context.global, nullptr);
  PauseAfter pause{0, 1};
  bool finished = true;
  ExecuteInstructions(&context.interpreter, &status, frame, &finished, &PauseOnce, &pause);
  EXPECT_FALSE(finished);
  EXPECT_EQ(status, kScriptOk);
  EXPECT_EQ(Narrow(context.host->output), "");
  ExecuteInstructions(&context.interpreter, &status, frame, &finished, &PauseOnce, &pause);
  EXPECT_TRUE(finished);
  EXPECT_EQ(Narrow(context.host->output), "a\nb\n");
  // An ended run stays ended.
  ExecuteInstructions(&context.interpreter, &status, frame, &finished, &PauseOnce, &pause);
  EXPECT_TRUE(finished);
  EXPECT_EQ(Narrow(context.host->output), "a\nb\n");
  ScriptRuntimeError runError;
  FinishScriptRun(&context.interpreter, &runError, frame, nullptr);
  EXPECT_EQ(runError.status, kScriptOk);
  script->Release();
}

bool CountCalls(void* data) {
  ++*static_cast<int*>(data);
  return false;
}

TEST(InterpreterPause, CallbackIsNotAskedAfterAFailure) {
  ScriptTestContext context;
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  // PushNameString, ResolveName, PushNameString, Operate 24 (fails).
  ASSERT_TRUE(CompileScript(SharedWideString(u"q.w;"), script, &error));
  ScriptCallFrame* frame = nullptr;
  int32_t status = kScriptOk;
  PrepareScriptRun(&context.interpreter, &status, &frame, script, context.chain, &context.store,
                   context.global, nullptr);
  int calls = 0;
  bool finished = false;
  ExecuteInstructions(&context.interpreter, &status, frame, &finished, &CountCalls, &calls);
  EXPECT_TRUE(finished);
  EXPECT_EQ(status, kScriptMemberUnknown);
  EXPECT_EQ(calls, 3);
  ScriptRuntimeError runError;
  FinishScriptRun(&context.interpreter, &runError, frame, nullptr);
  script->Release();
}

}  // namespace
