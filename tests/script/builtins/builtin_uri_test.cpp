// The URI coders: the component forms with the strict safe set, encodeURI
// and decodeURI with the lenient one (which decodes only the characters
// that separate an address's parts), one argument exactly, and a bad escape.
#include <gtest/gtest.h>

#include <string>

#include "script/builtins/builtin_script_runner.h"
#include "script/values/script_status.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::Narrow;
using scripttest::Wide;

void Collect(void* data, const WCHAR* text, uint32_t length) {
  static_cast<std::u16string*>(data)->append(text, length);
}

TEST(ScriptUriFunctions, CodeWithTheirSets) {
  std::u16string output;
  ScriptProgramRunner runner(&Collect, &output);
  ASSERT_TRUE(runner.Ready());
  const struct {
    const char16_t* source;
    const char16_t* output;
  } cases[] = {
      {u"Response.Write(encodeURIComponent('a b/c?d'));", u"a%20b%2Fc%3Fd"},
      {u"Response.Write(encodeURI('a b/c?d=1&e'));", u"a%20b/c?d=1&e"},
      // Characters from U+0100 up stay as they are.
      {u"Response.Write(encodeURIComponent('\u0152 x'));", u"\u0152%20x"},
      {u"Response.Write(decodeURIComponent('a%20b%2fc+d'));", u"a b/c d"},
      // The lenient decoding turns back only the separators.
      {u"Response.Write(decodeURI('a%20b%2Fc%3F'));", u"a%20b/c?"},
  };
  for (const auto& c : cases) {
    output.clear();
    ScriptProgramOutcome outcome;
    EXPECT_TRUE(runner.Run(Wide(c.source), &outcome)) << Narrow(c.source);
    EXPECT_EQ(output, c.output) << Narrow(c.source);
  }
}

TEST(ScriptUriFunctions, FailWithTheirStatus) {
  ScriptProgramRunner runner(nullptr, nullptr);
  const struct {
    const char16_t* source;
    int32_t status;
  } cases[] = {
      {u"x = encodeURIComponent('a', 'b');", kScriptBadParameterCount},
      {u"x = decodeURI();", kScriptBadParameterCount},
      {u"x = decodeURIComponent('%zz');", kScriptUnhandledException},
      {u"x = encodeURI(q);", kScriptCannotGet},
  };
  for (const auto& c : cases) {
    ScriptProgramOutcome outcome;
    EXPECT_FALSE(runner.Run(Wide(c.source), &outcome)) << Narrow(c.source);
    EXPECT_EQ(outcome.error.status, c.status) << Narrow(c.source);
  }
}

}  // namespace
