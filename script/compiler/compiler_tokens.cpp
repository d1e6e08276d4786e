// The compiler's token table (spelling, operator class and precedence of the
// codes 19-79) and the texts of the keywords.
#include "script/compiler/compiler_tokens.h"

namespace {

constexpr ScriptTokenInfo kTokenTable[] = {
    {"}", kClassNone, -1},                   // 19
    {"{", kClassNone, -1},                   // 20
    {";", kClassNone, -1},                   // 21
    {":", kClassEnd, 2},                     // 22
    {",", kClassEnd, 0},                     // 23
    {".", kClassBinary, 16},                 // 24
    {"]", kClassEnd, 16},                    // 25
    {"[", kClassBinary, 16},                 // 26
    {")", kClassEnd, 16},                    // 27
    {"(", kClassBinary, 16},                 // 28
    {"?", kClassConditional, 2},             // 29
    {"=", kClassBinary, 1},                  // 30
    {"-=", kClassBinary, 1},                 // 31
    {"+=", kClassBinary, 1},                 // 32
    {"%=", kClassBinary, 1},                 // 33
    {"/=", kClassBinary, 1},                 // 34
    {"*=", kClassBinary, 1},                 // 35
    {"&=", kClassBinary, 1},                 // 36
    {"|=", kClassBinary, 1},                 // 37
    {">>>=", kClassBinary, 1},               // 38
    {">>=", kClassBinary, 1},                // 39
    {"<<=", kClassBinary, 1},                // 40
    {"^=", kClassBinary, 1},                 // 41
    {"%", kClassBinary, 14},                 // 42
    {"*", kClassBinary, 14},                 // 43
    {"/", kClassBinary, 14},                 // 44
    {"- (minus)", kClassBinary, 13},         // 45
    {"-- (prefix)", kClassPrefix, 15},       // 46
    {"++ (prefix)", kClassPrefix, 15},       // 47
    {"+", kClassBinary, 13},                 // 48
    {"!=", kClassBinary, 10},                // 49
    {"^", kClassBinary, 6},                  // 50
    {"~", kClassPrefix, 16},                 // 51
    {"!", kClassPrefix, 16},                 // 52
    {"===", kClassBinary, 10},               // 53
    {"==", kClassBinary, 10},                // 54
    {">=", kClassBinary, 11},                // 55
    {"<=", kClassBinary, 11},                // 56
    {">>>", kClassBinary, 12},               // 57
    {">>", kClassBinary, 12},                // 58
    {">", kClassBinary, 11},                 // 59
    {"<<", kClassBinary, 12},                // 60
    {"<", kClassBinary, 11},                 // 61
    {"&&", kClassBinary, 4},                 // 62
    {"&", kClassBinary, 7},                  // 63
    {"||", kClassBinary, 3},                 // 64
    {"|", kClassBinary, 5},                  // 65
    {"!==", kClassBinary, 10},               // 66
    {"-- (postfix)", kClassPrefix, 15},      // 67
    {"++ (postfix)", kClassPrefix, 15},      // 68
    {"typeof", kClassPrefix, 15},            // 69
    {"delete", kClassPrefix, 15},            // 70
    {"new", kClassEnd, 15},                  // 71
    {"__litteralstr", kClassPrefix, 15},     // 72
    {"- (neg)", kClassPrefix, 16},           // 73
    {"identifier", kClassNone, -1},          // 74
    {"real number", kClassNone, -1},         // 75
    {"decimal number", kClassNone, -1},      // 76
    {"string", kClassNone, -1},              // 77
    {"octal number", kClassNone, -1},        // 78
    {"hexadecimal number", kClassNone, -1},  // 79
};
static_assert(sizeof(kTokenTable) / sizeof(kTokenTable[0]) == 79 - 19 + 1);

constexpr const char* kKeywordTexts[] = {
    "break", "else",     "switch", "case", "return", "continue", "for",
    "void",  "default",  "do",     "if",   "while",  "this",     "new",
    "delete", "typeof",  "function", "var", "true",  "false",    "__litteralstr",
};
static_assert(sizeof(kKeywordTexts) / sizeof(kKeywordTexts[0]) == 21);

}  // namespace

const ScriptTokenInfo* GetScriptTokenInfo(int32_t code) {
  if (code < kTokenRightBrace || code > kTokenHexadecimal) return nullptr;
  return &kTokenTable[code - kTokenRightBrace];
}

const char* GetScriptKeywordText(int32_t code) {
  if (code <= kTokenAtomBase || code > kTokenLastKeyword) return nullptr;
  return kKeywordTexts[code - kTokenAtomBase - 1];
}
