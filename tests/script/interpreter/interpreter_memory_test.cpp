// Memory in script runs. Lack of memory at every step: a script that
// declares, calls, constructs, closes over its scope, concatenates and evals
// is run with the n-th allocation failing, for every n up to what the whole
// run allocates; each run ends with a status of the message table (or fails
// to compile), and the sanitizers see no leak and no stale access when the
// store goes. Long chains of objects that a script drops at once are freed
// without the C stack growing with the chain.
#include <gtest/gtest.h>

#include "platform/testing/allocation.h"
#include "script/interpreter/script_errors.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

namespace {

const char16_t kProgram[] =
    u"function P(a) { this.a = a; }\n"
    u"function outer() { var c = 1; function inner() { c += 1; return c; } return inner; }\n"
    u"var g = outer(); g(); p = new P('x' + g());\n"
    u"s = ''; for (i = 0; i < 3; i++) s += p.a + i;\n"
    u"Write(s, eval('1 + 2'), typeof p);\n";

TEST(InterpreterMemory, EveryAllocationCanFail) {
  long needed = 0;
  {
    ScriptTestContext context;
    long before = devtest::AllocationCount();
    ScriptRunOutcome r = context.Run(kProgram);
    needed = devtest::AllocationCount() - before;
    ASSERT_EQ(r.status, kScriptOk);
    ASSERT_EQ(scripttest::Narrow(r.output), "x30x31x323object\n");
  }
  ASSERT_GT(needed, 20);
  int failures = 0;
  for (long n = 1; n <= needed; ++n) {
    ScriptTestContext context;
    ScriptRunOutcome r;
    {
      devtest::AllocationFailure failure(n);
      r = context.Run(kProgram);
    }
    if (!r.compiled) continue;
    EXPECT_NE(GetScriptStatusMessage(r.status), nullptr) << n;
    if (r.status != kScriptOk) ++failures;
  }
  EXPECT_GT(failures, 0);
}

TEST(InterpreterMemory, LongChainOfObjectsIsFreedWithoutDeepRecursion) {
  ScriptTestContext context;
  ScriptRunOutcome r = context.Run(
      u"var o = new Object(); for (i = 0; i < 30000; i++) { n = new Object(); n.next = o; o = n; }"
      u" n = 0; o = 0; Write('dropped');");
  EXPECT_EQ(r.status, kScriptOk);
  EXPECT_EQ(scripttest::Narrow(r.output), "dropped\n");
  EXPECT_EQ(context.store.AttachedObjectCount(), 5u);  // the host and four built-ins
}

}  // namespace
