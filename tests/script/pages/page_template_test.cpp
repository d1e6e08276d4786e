// Template to script: the directive (case-sensitive, trimmed), literals as
// writes of string n with their line breaks kept in runs of fourteen,
// expression blocks, and code blocks copied as they are.
#include <gtest/gtest.h>

#include <string>

#include "script/pages/page_template.h"
#include "tests/script/value_test_support.h"

namespace {

using scripttest::Text;
using scripttest::Wide;

std::u16string Crlf(int n) {
  std::u16string out;
  for (int i = 0; i < n; ++i) out += u"\r\n";
  return out;
}

TEST(ScriptPageTemplate, DirectiveIsExactAndCaseSensitive) {
  const struct {
    const char16_t* text;
    bool compiles;
  } cases[] = {
      {u"<%@Language=Javascript%>", true},
      {u"<% \t@Language=Javascript\u00A0\r\n%>body", true},
      {u"<%@language=javascript%>", false},
      {u"<%@Language=JavaScript%>", false},
      {u"no code at all", false},
      {u"<% x = 1; %><%@Language=Javascript%>", false},
  };
  for (const auto& c : cases) {
    ScriptPageCompiler compiler;
    EXPECT_EQ(compiler.CompileText(Wide(c.text)), c.compiles) << std::string(
        Text(Wide(c.text)).begin(), Text(Wide(c.text)).end());
  }
}

TEST(ScriptPageTemplate, LiteralsKeepTheTemplatesLines) {
  ScriptPageCompiler compiler;
  std::u16string twenty(20, u'\n');
  ASSERT_TRUE(compiler.CompileText(
      Wide(u"<%@Language=Javascript%>a\n\nb\n<%   = 1 + 2 %>" + twenty + u"<% var x = 1; %>")));
  ASSERT_EQ(compiler.LiteralCount(), 4u);
  EXPECT_EQ(Text(compiler.Literal(0)), u"");
  EXPECT_EQ(Text(compiler.Literal(1)), u"a\n\nb\n");
  EXPECT_EQ(Text(compiler.Literal(2)), twenty);
  EXPECT_EQ(Text(compiler.Literal(3)), u"");
  EXPECT_EQ(Text(compiler.Script()),
            u"Response.Write (__litteralstr 0);"
            u"Response.Write (__litteralstr 1);" + Crlf(3) +
            u"Response.Write (    " u" 1 + 2 );"
            u"Response.Write (__litteralstr 2);" + Crlf(14) + Crlf(6) +
            u" var x = 1; "
            u"Response.Write (__litteralstr 3);");
}

}  // namespace
