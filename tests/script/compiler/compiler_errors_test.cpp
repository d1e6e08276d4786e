// Parse and compile errors of the script compiler: each row gives a text, the
// error code, the token text of the report (the offending token's spelling
// for code 2, the expected token's for code 3), and the line and column (the
// scanner position just past the token, counted from the start of its line).
// Also: the message table, the formatted message, and a compile that runs
// out of memory at each of its allocations.
#include <gtest/gtest.h>

#include <string>

#include "foundation/wide_string/shared_wide_string.h"
#include "platform/testing/allocation.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/bytecode/disassembler.h"
#include "script/compiler/parser.h"

namespace {

SharedWideString Wide(const std::string& text) {
  SharedWideString s;
  s.FromBytes(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
  return s;
}

std::string Narrow(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) {
    char16_t c = s.Chars()[i];
    out += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return out;
}

struct Compiled {
  bool ok;
  ScriptCompileError error;
};

Compiled Compile(const SharedWideString& text, const SharedWideString* function = nullptr) {
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  Compiled result;
  result.ok = CompileScript(text, script, &result.error, function);
  script->Release();
  return result;
}

struct ErrorCase {
  const char* text;
  int32_t code;
  const char* token;
  int32_t line;
  int32_t column;
};

const ErrorCase kErrors[] = {
    // 2: a token that no rule expects here.
    {"}", 2, "}", 1, 1},
    {"x = ()", 2, ")", 1, 6},
    {"else x", 2, "else", 1, 4},
    {"while (a) }", 2, "}", 1, 11},
    {"x = a.if", 2, "if", 1, 8},
    {"x = a.this", 2, "this", 1, 10},
    {"x = a[1;", 2, ";", 1, 8},
    {"x = a[1 b]", 2, "identifier", 1, 9},
    {"x = a[1 2]", 2, "decimal number", 1, 9},
    {"x = a[1 'q']", 2, "string", 1, 11},
    {"f(1,)", 2, ")", 1, 5},
    {"x = a !b", 2, "!", 1, 7},
    {"x = a ~b", 2, "~", 1, 7},
    {"delete x", 2, "delete", 1, 6},
    {"void 0", 2, "void", 1, 4},
    {"x = function () {}", 2, "function", 1, 12},
    {"a, b", 2, ",", 1, 2},
    {"here: x()", 2, ":", 1, 5},
    {"x = typeof", 8, "", 1, 10},
    // 3: the rule needed another token.
    {"{ x = 1", 3, "}", 1, 7},
    {"if x", 3, "(", 1, 4},
    {"if (a b", 3, ")", 1, 7},
    {"while (a", 3, ")", 1, 8},
    {"do x(); until (y)", 3, "while", 1, 13},
    {"do x(); while y", 3, "(", 1, 15},
    {"do x(); while (y", 3, ")", 1, 16},
    {"for x", 3, "(", 1, 5},
    {"for (i = 0 i < 3;;) x()", 3, ";", 1, 12},
    {"for (;i < 3 i++) x()", 3, ";", 1, 13},
    {"for (;; i++ x", 3, ")", 1, 13},
    {"var 1", 3, "identifier", 1, 5},
    {"var if", 3, "identifier", 1, 6},
    {"var a b = 5", 3, ";", 1, 7},
    {"var a = 1 b", 3, ";", 1, 11},
    {"function (a) {}", 3, "identifier", 1, 10},
    {"function f a", 3, "(", 1, 12},
    {"function f(a b)", 3, ")", 1, 14},
    {"function f(a,) {}", 3, "identifier", 1, 14},
    {"function f(1) {}", 3, "identifier", 1, 12},
    {"function f(a) x", 3, "{", 1, 15},
    {"function f() { return 1 2 }", 3, ";", 1, 25},
    {"while (a) { break x }", 3, ";", 1, 19},
    {"while (a) continue 2", 3, ";", 1, 20},
    {"f(a b)", 3, ")", 1, 5},
    {"x = (1 2)", 3, ")", 1, 8},
    {"x = new F(1 2)", 3, ")", 1, 13},
    {"function f() {", 3, "}", 1, 14},
    // 4: a string that the line or the text ends.
    {"x = 'abc", 4, "", 1, 8},
    {"x = 'abc\ny = 1", 4, "", 1, 8},
    {"x = \"a\\\"", 4, "", 1, 8},
    {"x = '", 4, "", 1, 5},
    // 5: break and continue outside every loop of their function.
    {"break;", 5, "", 1, 6},
    {"if (a) continue", 5, "", 1, 15},
    {"while (a) { function f() { break; } }", 5, "", 1, 33},
    // 6: return outside every function.
    {"return 1", 6, "", 1, 6},
    {"while (a) return", 6, "", 1, 16},
    // 8: the text ends where the rule cannot end.
    {"x = ", 8, "", 1, 4},
    {"x = 1 +", 8, "", 1, 7},
    {"x = (", 8, "", 1, 5},
    {"x = a.", 8, "", 1, 6},
    {"f(", 8, "", 1, 2},
    {"while (a)", 8, "", 1, 9},
    {"if (a) x(); else", 8, "", 1, 16},
    {"for (;;)", 8, "", 1, 8},
    {"do", 8, "", 1, 2},
    // 9: characters that are no token.
    {"x = $", 9, "", 1, 5},
    {"x = a @ b", 9, "", 1, 7},
    {"# x", 9, "", 1, 1},
    {"x = a \\ b", 9, "", 1, 7},
    {"x = 09", 9, "", 1, 6},
    {"x = 1e", 9, "", 1, 6},
    {"x = 1e+", 9, "", 1, 7},
    {"x = 0x", 9, "", 1, 6},
    {"x = 'a\\q'", 9, "", 1, 7},
    {"x = '\\\n'", 9, "", 1, 6},
    // 10: a number literal that cannot be read.
    {"x = 1e99999999999", 10, "", 1, 17},
    {"x = 1.5e-2147483648", 10, "", 1, 19},
    // 13: constructs that are not part of the language.
    {"switch (a) {}", 13, "", 1, 6},
    {"case 1: x()", 13, "", 1, 4},
    {"default: x()", 13, "", 1, 7},
    {"x = a ? b : c", 13, "", 1, 7},
    // Lines and columns after line breaks of every kind.
    {"x = 1\ny = )", 2, ")", 2, 5},
    {"x = 1\r\n  y = )", 2, ")", 2, 7},
    {"a\rb\r\n\nc = )", 2, ")", 4, 5},
    {"a = 1\n\n\n", 0, "", 0, 0},
};

TEST(ScriptCompilerErrors, CodeTokenLineAndColumn) {
  for (const ErrorCase& c : kErrors) {
    Compiled r = Compile(Wide(c.text));
    EXPECT_EQ(r.ok, c.code == 0) << c.text;
    EXPECT_EQ(r.error.code, c.code) << c.text;
    EXPECT_EQ(Narrow(r.error.tokenText), c.token) << c.text;
    EXPECT_EQ(r.error.line, c.line) << c.text;
    EXPECT_EQ(r.error.column, c.column) << c.text;
  }
}

TEST(ScriptCompilerErrors, CharactersOfCode128AndAboveAreNoToken) {
  const char16_t identifier[] = u"x = caf\u00E9";
  SharedWideString text;
  ASSERT_TRUE(text.FromChars(identifier, 8));
  Compiled r = Compile(text);
  EXPECT_EQ(r.error.code, kParseNoSuchToken);
  EXPECT_EQ(r.error.column, 8);
  // Inside a string they are characters like any other.
  const char16_t literal[] = u"x = '\u0175rl'";
  ASSERT_TRUE(text.FromChars(literal, 9));
  EXPECT_TRUE(Compile(text).ok);
}

TEST(ScriptCompilerErrors, ReturnIsAllowedInTheBodyOfANamedFunction) {
  SharedWideString name = Wide("__widget_event");
  EXPECT_TRUE(Compile(Wide("return 1"), &name).ok);
  EXPECT_TRUE(Compile(Wide("function f() { return 1 }")).ok);
  EXPECT_EQ(Compile(Wide("return 1")).error.code, kParseReturnOutsideFunction);
}

TEST(ScriptCompilerErrors, MessagesAndFormattedText) {
  EXPECT_EQ(std::u16string(GetScriptCompileMessage(0)), u"No Error");
  EXPECT_EQ(std::u16string(GetScriptCompileMessage(8)),
            u"Error: Premature end of text (current syntactic rule cannot end there)");
  EXPECT_EQ(std::u16string(GetScriptCompileMessage(13)), u"Internal error: Not yet implemented");
  EXPECT_EQ(GetScriptCompileMessage(14), nullptr);
  EXPECT_EQ(GetScriptCompileMessage(-1), nullptr);

  Compiled r = Compile(Wide("{ x"));
  SharedWideString message;
  ASSERT_TRUE(FormatScriptCompileError(r.error, &message));
  EXPECT_EQ(Narrow(message), "Error: Unexpected token, expected token was: }");
}

TEST(ScriptCompilerErrors, TokenTextsForDeclarationsAndReports) {
  const char16_t text[] = u"remove";
  SharedWideString out;
  EXPECT_TRUE(GetTokenText(74, text, 6, &out, false));
  EXPECT_EQ(Narrow(out), "remove");
  EXPECT_TRUE(GetTokenText(1074, text, 6, &out, false));  // the spelling, not "Removeremove"
  EXPECT_EQ(Narrow(out), "remove");
  EXPECT_FALSE(GetTokenText(1005, u"return", 6, &out, false));  // a keyword is never declared
  EXPECT_TRUE(GetTokenText(1005, u"return", 6, &out, true));
  EXPECT_EQ(Narrow(out), "return");
  EXPECT_FALSE(GetTokenText(21, u";", 1, &out, true));
  EXPECT_FALSE(GetTokenText(-1, u"", 0, &out, true));
}

// A compile that runs out of memory at its n-th allocation either fails
// with code 1 and leaves no leak, or, when the allocation was one it can do
// without (packing a string into the pool), gives the same code.
TEST(ScriptCompilerErrors, EveryAllocationFailureIsReported) {
  SharedWideString text = Wide(
      "function f(a, b) { var c = 'text' + a; while (c < b) { c++; if (c == 3) break; } return c; }\n"
      "for (var i = 0; i < 3; i++) x = new Date(2000, i).getTime() + f(i, 2.5);\n");
  SharedWideString expected;
  long allocations = 0;
  {
    CompiledScript* script = new CompiledScript();
    script->AddReference();
    ScriptCompileError error;
    long before = devtest::AllocationCount();
    ASSERT_TRUE(CompileScript(text, script, &error));
    allocations = devtest::AllocationCount() - before;
    ASSERT_TRUE(DisassembleScript(*script, kListCode | kListTables, &expected));
    script->Release();
  }
  ASSERT_GT(allocations, 10);
  long failures = 0;
  for (long n = 1; n <= allocations; ++n) {
    CompiledScript* script = new CompiledScript();
    script->AddReference();
    ScriptCompileError error;
    bool ok;
    {
      devtest::AllocationFailure failure(n);
      ok = CompileScript(text, script, &error);
    }
    if (ok) {
      SharedWideString listing;
      ASSERT_TRUE(DisassembleScript(*script, kListCode | kListTables, &listing));
      EXPECT_EQ(Narrow(listing), Narrow(expected)) << "allocation " << n;
    } else {
      ++failures;
      EXPECT_EQ(error.code, kParseNoMemory) << "allocation " << n;
    }
    script->Release();
  }
  EXPECT_GT(failures, 10);
}

}  // namespace
