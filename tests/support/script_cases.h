// Tables of small scripts and what they must print: each case runs in a
// fresh ScriptTestContext, must compile and end with kScriptOk, and its
// Write output must be the expected text. A failure names the script, and
// the status (by its constant's name), the error detail and the line.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "script/values/script_status.h"
#include "tests/support/fake_script_host.h"
#include "tests/support/script_status_names.h"

namespace scripttest {

struct ScriptCase {
  const char16_t* script;
  const char* output;  // what Write printed, a line break after each call
};

// How a run ended, for failure messages.
inline std::string DescribeOutcome(const ScriptRunOutcome& r) {
  const SharedWideString& detail = r.error.detail;
  std::string text;
  for (uint32_t i = 0; i < detail.length; ++i) text.push_back(static_cast<char>(detail.Chars()[i]));
  return ScriptStatusName(r.status) + " detail '" + text + "' line " + std::to_string(r.error.line);
}

inline void RunScriptCases(const ScriptCase* cases, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    ScriptTestContext context;
    ScriptRunOutcome r = context.Run(cases[i].script);
    const std::u16string script = cases[i].script;
    SCOPED_TRACE(std::string(script.begin(), script.end()));
    ASSERT_TRUE(r.compiled);
    EXPECT_EQ(r.status, kScriptOk) << DescribeOutcome(r);
    EXPECT_EQ(std::string(r.output.begin(), r.output.end()), cases[i].output);
  }
}

template <size_t N>
void RunScriptCases(const ScriptCase (&cases)[N]) {
  RunScriptCases(cases, N);
}

}  // namespace scripttest
