// The script scanner table: which texts are tokens, of which code, and where
// each ends (longest spelling, no backtracking), white space and line
// breaks, strings with their escapes, and text that is no token.
#include <gtest/gtest.h>

#include <string>

#include "script/compiler/compiler_tokens.h"
#include "script/compiler/scanner.h"

namespace {

// The tokens of a text as "code:text" separated by spaces ("ws" for blanks,
// "nl" for line breaks), ending in "!text" at text that is no token.
std::string Scan(const std::u16string& text) {
  ScriptScanner scanner;
  scanner.Attach(text.data(), static_cast<uint32_t>(text.size()));
  std::string out;
  for (;;) {
    ScriptScanResult r = scanner.NextToken();
    if (r == kScanEnd) break;
    if (!out.empty()) out += ' ';
    std::string piece;
    for (uint32_t i = 0; i < scanner.TokenLength(); ++i) {
      char16_t c = text[scanner.TokenStart() + i];
      piece += c < 0x80 ? static_cast<char>(c) : '?';
    }
    if (r == kScanTextOnly) {
      out += "!" + piece;
      break;
    }
    const ScriptScannerAccept& a = scanner.TokenAccept();
    if (a.kind == kScannerKindWhiteSpace) {
      out += a.token == kScannerLineBreakToken ? "nl" : "ws";
    } else {
      out += std::to_string(a.token) + ":" + piece;
    }
  }
  return out;
}

struct ScanCase {
  const char16_t* text;
  const char* tokens;
};

const ScanCase kCases[] = {
    // Identifiers.
    {u"a _b B9 x_1", "74:a ws 74:_b ws 74:B9 ws 74:x_1"},
    {u"break typeof", "74:break ws 74:typeof"},
    // Integers: decimal, octal ("0" alone is octal), hexadecimal (lower-case x).
    {u"123 0 017 00", "76:123 ws 78:0 ws 78:017 ws 78:00"},
    {u"0x1F 0xabcdef", "79:0x1F ws 79:0xabcdef"},
    {u"0X1f", "78:0 74:X1f"},
    {u"123abc", "76:123 74:abc"},
    // Reals.
    {u"1.5 .5 1. 1e5 1.e5 1E+5 2e-3 07.5 09.5 0e1", "75:1.5 ws 75:.5 ws 75:1. ws 75:1e5 ws 75:1.e5 ws "
                                                  "75:1E+5 ws 75:2e-3 ws 75:07.5 ws 75:09.5 ws 75:0e1"},
    {u"1.2.3", "75:1.2 75:.3"},
    {u"a.b", "74:a 24:. 74:b"},
    {u"1.toString", "75:1. 74:toString"},
    // Not tokens: no backtracking to a shorter number.
    {u"09", "!09"},
    {u"1e", "!1e"},
    {u"1e+x", "!1e+"},
    {u"0x", "!0x"},
    {u"0xg", "!0x"},
    // Operators, longest spelling first.
    {u"{}();:,[]?~", "20:{ 19:} 28:( 27:) 21:; 22:: 23:, 26:[ 25:] 29:? 51:~"},
    {u"= == === ! != !==", "30:= ws 54:== ws 53:=== ws 52:! ws 49:!= ws 66:!=="},
    {u"- -- -= + ++ +=", "45:- ws 46:-- ws 31:-= ws 48:+ ws 47:++ ws 32:+="},
    {u"% %= / /= * *= ^ ^=", "42:% ws 33:%= ws 44:/ ws 34:/= ws 43:* ws 35:*= ws 50:^ ws 41:^="},
    {u"& && &= | || |=", "63:& ws 62:&& ws 36:&= ws 65:| ws 64:|| ws 37:|="},
    {u"> >= >> >>= >>> >>>=", "59:> ws 55:>= ws 58:>> ws 39:>>= ws 57:>>> ws 38:>>>="},
    {u"< <= << <<=", "61:< ws 56:<= ws 60:<< ws 40:<<="},
    {u"a+++b", "74:a 47:++ 48:+ 74:b"},
    {u"//", "44:/ 44:/"},
    // White space: a run of blanks is one token; each line break is one.
    {u" \t a", "ws 74:a"},
    {u"a\r\nb\rc\nd\n\re", "74:a nl 74:b nl 74:c nl 74:d nl nl 74:e"},
    // Strings.
    {u"'abc' \"d'e\"", "77:'abc' ws 77:\"d'e\""},
    {u"'a\\'b' \"\\\\\"", "77:'a\\'b' ws 77:\"\\\\\""},
    {u"'\\\"\\?\\a\\b\\f\\n\\r\\t\\v\\x41\\0\\7'", "77:'\\\"\\?\\a\\b\\f\\n\\r\\t\\v\\x41\\0\\7'"},
    {u"'\u00E9\u4E2D$@#'", "77:'??$@#'"},
    {u"'abc\nx", "77:'abc nl 74:x"},
    {u"'abc", "77:'abc"},
    {u"'a\\q'", "!'a\\"},
    {u"'a\\\n'", "!'a\\"},
    // Characters that are no token.
    {u"a $", "74:a ws !$"},
    {u"@", "!@"},
    {u"\\", "!\\"},
    {u"caf\u00E9", "74:caf !?"},
    {u"\u00A0", "!?"},
};

TEST(ScriptScanner, TokensOfTheLanguage) {
  for (const ScanCase& c : kCases) {
    std::u16string text(c.text);
    EXPECT_EQ(Scan(text), c.tokens) << std::string(text.begin(), text.end());
  }
}

TEST(ScriptScanner, StopsAtTheEndPosition) {
  std::u16string text = u"abc def";
  ScriptScanner scanner;
  scanner.Attach(text.data(), static_cast<uint32_t>(text.size()));
  scanner.Seek(1);
  scanner.SetEnd(5);
  ASSERT_EQ(scanner.NextToken(), kScanToken);
  EXPECT_EQ(scanner.TokenStart(), 1u);
  EXPECT_EQ(scanner.TokenLength(), 2u);
  ASSERT_EQ(scanner.NextToken(), kScanToken);  // the blank
  ASSERT_EQ(scanner.NextToken(), kScanToken);
  EXPECT_EQ(scanner.TokenLength(), 1u);  // "d": the end cuts "def"
  EXPECT_EQ(scanner.NextToken(), kScanEnd);
}

TEST(ScriptScanner, TableCoversTheTokenKinds) {
  const ScriptScannerTable& table = GetScriptScannerTable();
  bool seen[80] = {};
  int whiteSpace = 0;
  for (uint32_t s = 0; s < table.stateCount; ++s) {
    const ScriptScannerAccept& a = table.accept[s];
    if (a.kind == kScannerKindToken) {
      ASSERT_LT(a.token, 80);
      seen[a.token] = true;
    }
    if (a.kind == kScannerKindWhiteSpace) ++whiteSpace;
  }
  int kinds = 0;
  for (int code = 19; code <= 79; ++code) {
    bool scanned = code != kTokenPostfixDecrement && code != kTokenPostfixIncrement &&
                   code != kTokenNegate && (code < kTokenTypeof || code > kTokenLiteralString);
    EXPECT_EQ(seen[code], scanned) << code;
    kinds += seen[code];
  }
  // 48 spellings and six kinds of words, numbers and strings; blanks and
  // line breaks make 56.
  EXPECT_EQ(kinds, 54);
  EXPECT_GE(whiteSpace, 2);
}

}  // namespace
