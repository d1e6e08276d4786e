#include <gtest/gtest.h>
#include "tests/support/fake_script_host.h"
#include "tests/script/value_test_support.h"
TEST(InterpreterSmoke, Runs) {
  ScriptTestContext ctx;
  ASSERT_EQ(ctx.installStatus, 0);
  auto r = ctx.Run(u"x = 1 + 2; Write(x); s = 'a' + x; Write(s);\nfunction f(a, b) { return a * b; }\nWrite(f(3, 4));");
  EXPECT_TRUE(r.compiled);
  EXPECT_EQ(r.status, 0) << scripttest::Narrow(r.error.detail.length ? std::u16string(r.error.detail.Chars(), r.error.detail.length) : u"");
  EXPECT_EQ(scripttest::Narrow(r.output), "3\na3\n12\n");
}
