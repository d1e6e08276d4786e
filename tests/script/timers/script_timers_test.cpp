// Script timers under the virtual clock: one-shot and interval timers run
// their code text through the view's runner, two intervals side by side
// keep their own identifiers, cleared timers never run, failing code ends
// its timer, and code that clears or starts timers while it runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/system/timer_table.h"
#include "platform/testing/threads.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/windows.h"
#include "script/timers/script_timers.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"
#include "tests/support/fake_script_host.h"

namespace {

using scripttest::Narrow;

TimerTable* g_table = nullptr;

LRESULT OwnerWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (g_table != nullptr) g_table->Dispatch(static_cast<TimerId>(wParam));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class ScriptTimersTest : public ::testing::Test, public ScriptTextRunner {
 protected:
  void SetUp() override {
    devtest::ResetThreads();
    devtest::ResetWindows();
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerWindow;
    wc.lpszClassName = u"ScriptTimerOwner";
    ASSERT_NE(RegisterClassW(&wc), 0);
    window_ = CreateWindowExW(0, u"ScriptTimerOwner", u"", 0, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    SetOwnerWindow(&table_, window_);
    g_table = &table_;
    timers_.Bind(&table_, this);
    // The timers answer their four names from beneath the host, which keeps
    // creating the script's variables as the innermost scope.
    int32_t status = kScriptOk;
    context_.chain.Clear();
    ASSERT_EQ(*context_.chain.PushObject(&status, &timers_, false), kScriptOk);
    ASSERT_EQ(*context_.chain.PushValue(&status, context_.global, true), kScriptOk);
  }
  void TearDown() override {
    timers_.ClearAll();
    g_table = nullptr;
    devtest::ResetWindows();
  }

  bool RunScriptText(const SharedWideString& code) override {
    ran.push_back(Narrow(std::u16string(code.Chars(), code.length)));
    ScriptRunOutcome r = context_.Run(std::u16string(code.Chars(), code.length));
    return r.compiled && r.status == kScriptOk;
  }

  // Runs a script that must succeed.
  void Run(const std::u16string& text) {
    ScriptRunOutcome r = context_.Run(text);
    ASSERT_TRUE(r.compiled) << Narrow(text);
    ASSERT_EQ(r.status, kScriptOk) << Narrow(text);
  }
  std::string Global(const std::u16string& name) { return Narrow(context_.Global(name)); }

  std::vector<std::string> ran;
  HWND window_ = nullptr;
  TimerTable table_;
  ScriptTimers timers_;  // outlives the context, which holds it in its scope
  ScriptTestContext context_;
};

TEST_F(ScriptTimersTest, OneShotRunsOnceAndItsEntryGoes) {
  Run(u"n = 0; id = setTimeout('n = n + 1', 100);");
  EXPECT_EQ(context_.GlobalType(u"id"), kScriptTypeInteger);
  EXPECT_GE(std::stoi(Global(u"id")), static_cast<int>(kFirstTableTimerId));
  devtest::AdvanceTimeAndPump(99);
  EXPECT_EQ(Global(u"n"), "0");
  devtest::AdvanceTimeAndPump(1000);
  EXPECT_EQ(Global(u"n"), "1");
  EXPECT_EQ(timers_.Count(), 0u);
  EXPECT_EQ(table_.Count(), 0u);
}

TEST_F(ScriptTimersTest, IntervalRunsUntilClearedAndClearTimeoutLeavesIt) {
  Run(u"n = 0; id = setInterval('n++', 50);");
  devtest::AdvanceTimeAndPump(200);
  EXPECT_EQ(Global(u"n"), "4");
  Run(u"clearTimeout(id);");  // an interval's id is no timeout
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(Global(u"n"), "6");
  Run(u"clearInterval(id);");
  devtest::AdvanceTimeAndPump(500);
  EXPECT_EQ(Global(u"n"), "6");
  EXPECT_EQ(timers_.Count(), 0u);
  EXPECT_EQ(table_.Count(), 0u);
}

TEST_F(ScriptTimersTest, TwoIntervalsSideBySideAndClearingTheFirst) {
  Run(u"a = 0; b = 0; first = setInterval('a++', 30); second = setInterval('b++', 30);");
  EXPECT_NE(Global(u"first"), Global(u"second"));
  devtest::AdvanceTimeAndPump(90);
  EXPECT_EQ(Global(u"a"), "3");
  EXPECT_EQ(Global(u"b"), "3");
  Run(u"clearInterval(first);");
  devtest::AdvanceTimeAndPump(90);
  EXPECT_EQ(Global(u"a"), "3");
  EXPECT_EQ(Global(u"b"), "6");
}

TEST_F(ScriptTimersTest, ClearedTimersNeverRun) {
  Run(u"n = 0; t = setTimeout('n = 10', 20); clearTimeout(t); clearTimeout(12345);");
  Run(u"i = setInterval('n = 20', 20); clearInterval(i);");
  devtest::AdvanceTimeAndPump(500);
  EXPECT_EQ(Global(u"n"), "0");
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(timers_.Count(), 0u);
}

TEST_F(ScriptTimersTest, FailingCodeEndsEvenAnInterval) {
  Run(u"n = 0; setInterval('n++; missing.member = 1;', 10); setTimeout('n = ', 10);");
  devtest::AdvanceTimeAndPump(100);
  EXPECT_EQ(Global(u"n"), "1");
  EXPECT_EQ(ran.size(), 2u);
  EXPECT_EQ(timers_.Count(), 0u);
}

TEST_F(ScriptTimersTest, CodeThatClearsOrStartsTimersWhileItRuns) {
  // The interval clears itself on its third firing; the timeout starts a new
  // timeout, which also runs.
  Run(u"n = 0; m = 0; me = setInterval('n++; if (n == 3) clearInterval(me);', 10);");
  Run(u"setTimeout(\"m++; setTimeout('m = m + 10', 5);\", 15);");
  devtest::AdvanceTimeAndPump(200);
  EXPECT_EQ(Global(u"n"), "3");
  EXPECT_EQ(Global(u"m"), "11");
  EXPECT_EQ(timers_.Count(), 0u);
  EXPECT_EQ(table_.Count(), 0u);
}

TEST_F(ScriptTimersTest, ArgumentsAndBinding) {
  const struct {
    const char16_t* script;
    int32_t status;
  } cases[] = {
      {u"setTimeout('x');", kScriptBadParameterCount},
      {u"setInterval('x', 1, 2);", kScriptBadParameterCount},
      {u"clearTimeout();", kScriptBadParameterCount},
      {u"q = 1; setTimeout('x', q.r);", kScriptInvalidType},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(context_.Run(c.script).status, c.status) << Narrow(c.script);
  }
  EXPECT_EQ(timers_.Count(), 0u);
  ScriptTimers unbound;
  int32_t status = kScriptOk;
  ScriptMemberRef ref{&unbound, -1, kAtom_setTimeout, 0};
  EXPECT_EQ(*unbound.Invoke(&status, ref, 0, nullptr, nullptr), kScriptBadMemberCode);
  ScriptMemberRef member;
  ScriptNameToken name;
  name.SetAtom(kAtom_alert);
  EXPECT_EQ(*unbound.ResolveMember(&status, name, &member, 0), kScriptMemberUnknown);
  // Binding again stops what the first binding started.
  Run(u"setInterval('n = 1', 10);");
  ASSERT_EQ(table_.Count(), 1u);
  timers_.Bind(&table_, this);
  EXPECT_EQ(table_.Count(), 0u);
  EXPECT_EQ(timers_.Count(), 0u);
}

}  // namespace
