// The helpers over a run's state: its error with the line of the failing
// activation, values converted in place with the first failure kept, and a
// run abandoned before its end.
#include <gtest/gtest.h>

#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/run_context.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

namespace {

using scripttest::Text;
using scripttest::Wide;

ScriptCallFrame* Prepare(ScriptTestContext* context, CompiledScript* script,
                         const char16_t* text) {
  ScriptCompileError error;
  EXPECT_TRUE(CompileScript(Wide(text), script, &error));
  ScriptCallFrame* frame = nullptr;
  int32_t status = kScriptOk;
  PrepareScriptRun(&context->interpreter, &status, &frame, script, context->chain,
                   &context->store, context->global, nullptr);
  return frame;
}

TEST(RunContext, ErrorsConversionsAndAbandonedRuns) {
  ScriptTestContext context;
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCallFrame* frame = Prepare(&context, script, u"x = 1;\n\nq.r = 2;");
  ASSERT_NE(frame, nullptr);
  ScriptRuntimeError error;
  EXPECT_TRUE(GetScriptRunError(*frame, &error));
  bool finished = false;
  int32_t status = kScriptOk;
  ExecuteInstructions(&context.interpreter, &status, frame, &finished, nullptr, nullptr);
  EXPECT_TRUE(finished);
  EXPECT_FALSE(GetScriptRunError(*frame, &error));
  EXPECT_EQ(error.status, kScriptMemberUnknown);
  EXPECT_EQ(error.line, 3);
  EXPECT_EQ(Text(error.detail), u"r");
  ScriptRuntimeError copy;
  CopyRunPosition(&copy, error);
  EXPECT_EQ(copy.status, error.status);
  EXPECT_EQ(copy.line, 3);
  EXPECT_EQ(Text(copy.detail), u"r");
  DestroyRunContext(frame);

  // Conversions in place; a failure stays in the run.
  frame = Prepare(&context, script, u"");
  ASSERT_NE(frame, nullptr);
  ScriptValueHandle value = kScriptEmptyHandle;
  context.store.NewString(&status, Wide(u"12"), &value);
  EXPECT_TRUE(ConvertRunValueToNumber(frame, &value));
  EXPECT_EQ(ScriptHandleType(value), kScriptTypeNumber);
  EXPECT_TRUE(ConvertRunValueToString(frame, &value));
  EXPECT_EQ(ScriptHandleType(value), kScriptTypeString);
  EXPECT_TRUE(ConvertRunValueToBoolean(frame, &value));
  EXPECT_EQ(ScriptHandleType(value), kScriptTypeBoolean);
  context.store.Release(&value);
  DestroyRunContext(frame);
  DestroyRunContext(nullptr);
  script->Release();
}

}  // namespace
