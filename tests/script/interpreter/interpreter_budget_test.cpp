// The instruction budget: a run that has executed its interpreter's budget
// of instructions without ending is stopped with kScriptStopped and a message
// that says so, wherever the instructions ran (top-level code, called
// functions, eval texts, an event handler), paused or not; the budget is
// exact, it is the run's and not the interpreter's, and the next run on the
// same interpreter goes on normally. The call-depth cap still ends endless
// recursion first.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/memory/allocator.h"
#include "script/builtins/builtin_script_runner.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

using scripttest::Narrow;
using scripttest::Text;
using scripttest::Wide;

namespace {

constexpr uint32_t kSmallBudget = 5000;
#define STOPPED "Error: Script stopped because it ran too long"

bool CountInstruction(void* data) {
  ++*static_cast<uint32_t*>(data);
  return false;
}

// The number of instructions a run of the text executes (a callback that
// never pauses is asked after each one), with no budget; -1 when it does
// not compile or does not end well.
int64_t InstructionsNeeded(const std::u16string& text, const char16_t* functionName) {
  ScriptTestContext context;
  context.interpreter.SetInstructionBudget(0);
  SharedWideString name;
  if (functionName != nullptr) name = Wide(functionName);
  CompiledScript* script = DeviceNew<CompiledScript>();
  script->AddReference();
  ScriptCompileError compileError;
  int64_t answer = -1;
  if (CompileScript(Wide(text), script, &compileError,
                    functionName != nullptr ? &name : nullptr)) {
    ScriptCallFrame* frame = nullptr;
    int32_t status = kScriptOk;
    PrepareScriptRun(&context.interpreter, &status, &frame, script, context.chain,
                     &context.store, context.global, functionName != nullptr ? &name : nullptr);
    uint32_t count = 0;
    bool finished = false;
    if (status == kScriptOk) {
      ExecuteInstructions(&context.interpreter, &status, frame, &finished, &CountInstruction,
                          &count);
    }
    ScriptRuntimeError error;
    FinishScriptRun(&context.interpreter, &error, frame, nullptr);
    if (finished && error.status == kScriptOk) answer = count;
  }
  script->Release();
  return answer;
}

struct EndlessCase {
  const char16_t* text;
  const char16_t* functionName;  // run as the body of this event handler
  // The shown error ("[message|running function|line]"), or its start
  // where the function and line are not this test's concern.
  const char* shown;
  bool wholeText;
};

const EndlessCase kEndless[] = {
    {u"while (true) {}", nullptr, "[" STOPPED "|global text|1]", true},
    {u"x = 0;\nfor (;;) x++;", nullptr, "[" STOPPED "|global text|2]", true},
    {u"n = 1;\ndo { n = n * 2; } while (n != 3);", nullptr, "[" STOPPED "|global text|2]", true},
    {u"function spin() {\n  while (1) {}\n}\nspin();", nullptr, "[" STOPPED "|spin|2]", true},
    {u"function f(a) { return a + 1; }\nk = 0;\nwhile (true) k = f(k);", nullptr,
     "[" STOPPED "|", false},
    {u"eval('while (true) {}');", nullptr, "[" STOPPED "|", false},
    {u"function g() { eval('for (;;) {}'); }\ng();", nullptr, "[" STOPPED "|", false},
    {u"var i = 0;\nwhile (true) i++;", u"__widget_event", "[" STOPPED "|", false},
};

TEST(InterpreterBudget, EndlessLoopsAreStoppedWithTheirOwnStatus) {
  for (const EndlessCase& c : kEndless) {
    SCOPED_TRACE(Narrow(c.text));
    ScriptTestContext context;
    context.reporter.texts[kScriptErrorTemplateString] = u"[%1|%2|%3]";
    context.interpreter.SetInstructionBudget(kSmallBudget);
    ScriptRunOutcome outcome = context.Run(c.text, false, c.functionName);
    ASSERT_TRUE(outcome.compiled);
    EXPECT_EQ(outcome.status, kScriptStopped);
    ASSERT_EQ(context.reporter.boxes.size(), 1u);
    std::string shown = Narrow(context.reporter.boxes[0].text);
    if (c.wholeText) {
      EXPECT_EQ(shown, c.shown);
    } else {
      EXPECT_EQ(shown.rfind(c.shown, 0), 0u) << shown;
    }
  }
}

TEST(InterpreterBudget, PausedRunsStopAfterTheSameInstruction) {
  const char16_t* program = u"i = 0;\nwhile (true) { Write(i); i++; }";
  ScriptTestContext straight;
  ScriptTestContext paused;
  straight.interpreter.SetInstructionBudget(kSmallBudget);
  paused.interpreter.SetInstructionBudget(kSmallBudget);
  ScriptRunOutcome a = straight.Run(program, false);
  ScriptRunOutcome b = paused.Run(program, true);
  EXPECT_EQ(a.status, kScriptStopped);
  EXPECT_EQ(b.status, kScriptStopped);
  EXPECT_GT(b.pauses, kSmallBudget / 2);
  EXPECT_FALSE(a.output.empty());
  EXPECT_EQ(Narrow(a.output), Narrow(b.output));
  EXPECT_EQ(Narrow(straight.Global(u"i")), Narrow(paused.Global(u"i")));
}

// Programs whose work is mostly in called functions, constructors and eval
// texts: a budget of exactly what the run needs lets it end well, one less
// stops it, paused or not. A budget that missed the instructions of callees
// or of eval, or counted some twice, would fail one of the two; so would a
// run stopped when its last instruction used the last of the budget.
struct ExactCase {
  const char16_t* text;
  const char16_t* functionName;
};

const ExactCase kExact[] = {
    {u"function fib(n) { if (n < 2) return n; return fib(n - 1) + fib(n - 2); }\n"
     u"Write(fib(12));",
     nullptr},
    {u"function P(v) { this.v = v; }\nt = 0;\nfor (i = 0; i < 40; i++) t += new P(i).v;\nWrite(t);",
     nullptr},
    {u"s = 0;\nfor (i = 0; i < 20; i++) s += eval('var q = ' + i + '; q * 2');\nWrite(s);",
     nullptr},
    {u"function h(k) { return eval('k + 1'); }\nvar n = 0;\nwhile (n < 50) n = h(n);\nreturn n;",
     u"__widget_event"},
    {u"x = 1;", nullptr},
};

TEST(InterpreterBudget, TheBudgetCountsEveryInstructionOfTheRunExactly) {
  for (const ExactCase& c : kExact) {
    SCOPED_TRACE(Narrow(c.text));
    int64_t needed = InstructionsNeeded(c.text, c.functionName);
    ASSERT_GT(needed, 0);
    for (bool pauseEvery : {false, true}) {
      SCOPED_TRACE(pauseEvery ? "paused" : "straight");
      ScriptTestContext enough;
      enough.interpreter.SetInstructionBudget(static_cast<uint32_t>(needed));
      ScriptRunOutcome done = enough.Run(c.text, pauseEvery, c.functionName);
      EXPECT_EQ(done.status, kScriptOk);
      EXPECT_TRUE(enough.reporter.boxes.empty());

      ScriptTestContext short_;
      short_.interpreter.SetInstructionBudget(static_cast<uint32_t>(needed - 1));
      ScriptRunOutcome stopped = short_.Run(c.text, pauseEvery, c.functionName);
      EXPECT_EQ(stopped.status, kScriptStopped);
    }
  }
}

TEST(InterpreterBudget, LongFiniteScriptsFinishUnderTheDefaultBudget) {
  ScriptTestContext context;
  ASSERT_EQ(context.interpreter.GetInstructionBudget(), kScriptDefaultInstructionBudget);
  ScriptRunOutcome outcome = context.Run(
      u"function add(a, b) { return a + b; }\n"
      u"t = 0;\nfor (i = 0; i < 20000; i++) t = add(t, i % 7);\nWrite(t);");
  EXPECT_EQ(outcome.status, kScriptOk);
  EXPECT_EQ(Narrow(outcome.output), "59997\n");
}

TEST(InterpreterBudget, EndlessRecursionStillMeetsTheDepthCapFirst) {
  ScriptTestContext context;
  ScriptRunOutcome outcome = context.Run(u"function f() { f(); }\nf();");
  EXPECT_EQ(outcome.status, kScriptNoResources);
  // Recursion that stays under the cap but never ends is the budget's.
  ScriptTestContext wide;
  wide.interpreter.SetInstructionBudget(kSmallBudget);
  outcome = wide.Run(u"function g(n) { if (n > 100) return; g(n + 1); g(n + 1); }\ng(0);");
  EXPECT_EQ(outcome.status, kScriptStopped);
}

TEST(InterpreterBudget, TheNextRunOnTheSameInterpreterRunsNormally) {
  ScriptTestContext context;
  context.interpreter.SetInstructionBudget(kSmallBudget);
  ScriptRunOutcome stopped = context.Run(u"x = 0;\nwhile (true) x++;");
  EXPECT_EQ(stopped.status, kScriptStopped);
  // The stopped run's variables stay; the next run has a whole budget of
  // its own, so two runs of 3/5 of the budget each both end well.
  const char16_t* threeFifths = u"for (j = 0; j < 300; j++) {}";
  int64_t needed = InstructionsNeeded(threeFifths, nullptr);
  ASSERT_GT(needed, 0);
  context.interpreter.SetInstructionBudget(static_cast<uint32_t>(needed * 5 / 3));
  for (int run = 0; run < 2; ++run) {
    EXPECT_EQ(context.Run(threeFifths).status, kScriptOk) << run;
  }
  ScriptRunOutcome next = context.Run(u"Write(x > 100);");
  EXPECT_EQ(next.status, kScriptOk);
  EXPECT_EQ(Narrow(next.output), "true\n");
  EXPECT_EQ(context.reporter.boxes.size(), 1u);
}

void Collect(void* data, const WCHAR* text, uint32_t length) {
  static_cast<std::u16string*>(data)->append(text, length);
}

TEST(InterpreterBudget, TheProgramRunnerTakesAHostBudget) {
  std::u16string output;
  ScriptProgramRunner runner(&Collect, &output);
  ASSERT_TRUE(runner.Ready());
  runner.SetInstructionBudget(kSmallBudget);
  ScriptProgramOutcome outcome;
  EXPECT_FALSE(runner.Run(Wide(u"Response.Write('a');\nfor (;;) {}"), &outcome));
  SharedWideString text;
  ASSERT_TRUE(FormatScriptProgramFailure(outcome, &text));
  EXPECT_EQ(Narrow(Text(text)),
            "script error 29 at line 2: Error: Script stopped because it ran too long");
  EXPECT_TRUE(runner.Run(Wide(u"Response.Write('b');"), &outcome));
  EXPECT_EQ(Narrow(output), "ab");
}

}  // namespace
