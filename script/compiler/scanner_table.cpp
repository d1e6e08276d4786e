// The script scanner table, built at compile time from the lexical rules:
//
// - blanks: a run of spaces and tabs is one white-space token;
// - line breaks: "\r\n", a lone "\r" or a lone "\n" is one white-space token;
// - identifier (74): an ASCII letter or "_", then letters, digits and "_";
// - decimal (76): 1-9 then digits; octal (78): "0" then digits 0-7, so "0"
//   alone is octal and "09" is no token; hexadecimal (79): "0x" (lower-case
//   x) and at least one hexadecimal digit ("0X1f" is 0 then X1f);
// - real (75): digits with a "." and/or an exponent (e or E, optional sign,
//   at least one digit): 1.5 .5 1. 1e5 1.e5 1E+5 07.5; "1e" is no token;
// - string (77): between two ' or two ", any character but a line break
//   inside; a backslash must be followed by one of ' " ? \ a b f n r t v x or
//   0-7; the string state accepts, so a line break or the end of the text
//   ends an unterminated string early (the parser rejects it);
// - the 48 punctuators and operators, longest spelling first;
// - anything else (no comments: "//" is two "/") is no token.
#include "script/compiler/scanner_table.h"

#include "script/compiler/compiler_tokens.h"

namespace {

enum CharClass : uint8_t {
  kOther,      // no token outside a string; every character of 128 or more
  kBlank,      // space, tab
  kLineFeed,
  kReturn,
  kZero,
  kOctalDigit,  // 1-7
  kHighDigit,   // 8 9
  kHexEscape,   // a b f: hexadecimal digits and escape letters
  kHexLetter,   // c d A B C D F
  kExponent,    // e E (also hexadecimal digits)
  kLowerX,      // x
  kEscapeLetter,  // n r t v
  kLetter,      // the other letters, "_"
  kDot,
  kSingleQuote,
  kDoubleQuote,
  kBackslash,
  kQuestion,
  kLeftBrace, kRightBrace, kSemicolon, kColon, kComma,
  kLeftBracket, kRightBracket, kLeftParen, kRightParen,
  kEquals, kMinus, kPlus, kPercent, kSlash, kStar, kAmpersand, kBar,
  kGreater, kLess, kCaret, kTilde, kBang,
  kClassCount,
};
static_assert(kClassCount == kScriptScannerClasses);

class Builder {
 public:
  ScriptScannerTable t{};

  constexpr Builder() {
    for (auto& row : t.next)
      for (auto& cell : row) cell = kScannerNoTransition;
    for (int c = 0; c < 128; ++c) t.classOf[c] = ClassOf(c);
    t.highClass = kOther;
  }

  constexpr uint8_t State(uint16_t kind, uint16_t token) {
    uint8_t s = t.stateCount++;
    t.accept[s] = ScriptScannerAccept{kind, token, 0};
    return s;
  }
  constexpr uint8_t Accepting(int token) { return State(kScannerKindToken, static_cast<uint16_t>(token)); }
  constexpr uint8_t Passing() { return State(kScannerKindNone, 0); }

  constexpr void On(uint8_t from, uint8_t cls, uint8_t to) { t.next[from][cls] = to; }
  constexpr void OnEach(uint8_t from, const uint8_t* classes, int n, uint8_t to) {
    for (int i = 0; i < n; ++i) On(from, classes[i], to);
  }

 private:
  static constexpr uint8_t ClassOf(int c) {
    if (c == ' ' || c == '\t') return kBlank;
    if (c == '\n') return kLineFeed;
    if (c == '\r') return kReturn;
    if (c == '0') return kZero;
    if (c >= '1' && c <= '7') return kOctalDigit;
    if (c == '8' || c == '9') return kHighDigit;
    if (c == 'a' || c == 'b' || c == 'f') return kHexEscape;
    if (c == 'c' || c == 'd' || (c >= 'A' && c <= 'D') || c == 'F') return kHexLetter;
    if (c == 'e' || c == 'E') return kExponent;
    if (c == 'x') return kLowerX;
    if (c == 'n' || c == 'r' || c == 't' || c == 'v') return kEscapeLetter;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') return kLetter;
    switch (c) {
      case '.': return kDot;
      case '\'': return kSingleQuote;
      case '"': return kDoubleQuote;
      case '\\': return kBackslash;
      case '?': return kQuestion;
      case '{': return kLeftBrace;
      case '}': return kRightBrace;
      case ';': return kSemicolon;
      case ':': return kColon;
      case ',': return kComma;
      case '[': return kLeftBracket;
      case ']': return kRightBracket;
      case '(': return kLeftParen;
      case ')': return kRightParen;
      case '=': return kEquals;
      case '-': return kMinus;
      case '+': return kPlus;
      case '%': return kPercent;
      case '/': return kSlash;
      case '*': return kStar;
      case '&': return kAmpersand;
      case '|': return kBar;
      case '>': return kGreater;
      case '<': return kLess;
      case '^': return kCaret;
      case '~': return kTilde;
      case '!': return kBang;
      default: return kOther;
    }
  }
};

constexpr uint8_t kDecimalDigits[] = {kZero, kOctalDigit, kHighDigit};
constexpr uint8_t kOctalDigits[] = {kZero, kOctalDigit};
constexpr uint8_t kHexDigits[] = {kZero, kOctalDigit, kHighDigit, kHexEscape, kHexLetter, kExponent};
constexpr uint8_t kNameCharacters[] = {kZero,   kOctalDigit,   kHighDigit, kHexEscape, kHexLetter,
                                       kExponent, kLowerX, kEscapeLetter, kLetter};
constexpr uint8_t kNameStarts[] = {kHexEscape, kHexLetter, kExponent, kLowerX, kEscapeLetter, kLetter};
// What may follow a backslash inside a string.
constexpr uint8_t kEscapeFollowers[] = {kSingleQuote, kDoubleQuote, kQuestion, kBackslash,
                                        kHexEscape,   kEscapeLetter, kLowerX,  kZero, kOctalDigit};

constexpr int Count(const uint8_t* begin, const uint8_t* end) { return static_cast<int>(end - begin); }
#define EACH(array) array, Count(array, array + sizeof(array))

// A quoted string: the body state accepts (an unterminated string ends at a
// line break or at the end of the text), the closing quote ends the token.
constexpr void AddString(Builder& b, uint8_t start, uint8_t quoteClass) {
  uint8_t body = b.Accepting(kTokenString);
  uint8_t escape = b.Passing();
  uint8_t closed = b.Accepting(kTokenString);
  b.On(start, quoteClass, body);
  for (uint8_t cls = 0; cls < kClassCount; ++cls) {
    if (cls != kLineFeed && cls != kReturn && cls != kBackslash && cls != quoteClass) b.On(body, cls, body);
  }
  b.On(body, kBackslash, escape);
  b.On(body, quoteClass, closed);
  b.OnEach(escape, EACH(kEscapeFollowers), body);
}

// Numbers: decimal, octal, hexadecimal and real.
constexpr void AddNumbers(Builder& b, uint8_t start, uint8_t dot) {
  uint8_t decimal = b.Accepting(kTokenDecimal);
  uint8_t zero = b.Accepting(kTokenOctal);
  uint8_t octal = b.Accepting(kTokenOctal);
  uint8_t octalThenHigh = b.Passing();  // "09...": only a real can follow
  uint8_t hexPrefix = b.Passing();
  uint8_t hex = b.Accepting(kTokenHexadecimal);
  uint8_t fraction = b.Accepting(kTokenReal);
  uint8_t exponent = b.Passing();
  uint8_t exponentSign = b.Passing();
  uint8_t exponentDigits = b.Accepting(kTokenReal);

  b.On(start, kOctalDigit, decimal);
  b.On(start, kHighDigit, decimal);
  b.On(start, kZero, zero);
  b.OnEach(decimal, EACH(kDecimalDigits), decimal);

  b.OnEach(zero, EACH(kOctalDigits), octal);
  b.On(zero, kHighDigit, octalThenHigh);
  b.On(zero, kLowerX, hexPrefix);
  b.OnEach(octal, EACH(kOctalDigits), octal);
  b.On(octal, kHighDigit, octalThenHigh);
  b.OnEach(octalThenHigh, EACH(kDecimalDigits), octalThenHigh);
  b.OnEach(hexPrefix, EACH(kHexDigits), hex);
  b.OnEach(hex, EACH(kHexDigits), hex);

  const uint8_t wholes[] = {decimal, zero, octal, octalThenHigh};
  for (uint8_t whole : wholes) {
    b.On(whole, kDot, fraction);
    b.On(whole, kExponent, exponent);
  }
  b.OnEach(dot, EACH(kDecimalDigits), fraction);
  b.OnEach(fraction, EACH(kDecimalDigits), fraction);
  b.On(fraction, kExponent, exponent);
  b.On(exponent, kPlus, exponentSign);
  b.On(exponent, kMinus, exponentSign);
  b.OnEach(exponent, EACH(kDecimalDigits), exponentDigits);
  b.OnEach(exponentSign, EACH(kDecimalDigits), exponentDigits);
  b.OnEach(exponentDigits, EACH(kDecimalDigits), exponentDigits);
}

// An operator whose spelling may go on: `from` --cls--> a new state accepting
// `token`; answers the new state.
constexpr uint8_t Op(Builder& b, uint8_t from, uint8_t cls, int token) {
  uint8_t s = b.Accepting(token);
  b.On(from, cls, s);
  return s;
}

constexpr void AddOperators(Builder& b, uint8_t start) {
  Op(b, start, kLeftBrace, kTokenLeftBrace);
  Op(b, start, kRightBrace, kTokenRightBrace);
  Op(b, start, kSemicolon, kTokenSemicolon);
  Op(b, start, kColon, kTokenColon);
  Op(b, start, kComma, kTokenComma);
  Op(b, start, kLeftBracket, kTokenLeftBracket);
  Op(b, start, kRightBracket, kTokenRightBracket);
  Op(b, start, kLeftParen, kTokenLeftParen);
  Op(b, start, kRightParen, kTokenRightParen);
  Op(b, start, kQuestion, kTokenQuestion);
  Op(b, start, kTilde, kTokenTilde);

  uint8_t equals = Op(b, start, kEquals, kTokenAssign);
  Op(b, Op(b, equals, kEquals, kTokenEqual), kEquals, kTokenStrictEqual);
  uint8_t bang = Op(b, start, kBang, kTokenBang);
  Op(b, Op(b, bang, kEquals, kTokenNotEqual), kEquals, kTokenStrictNotEqual);

  uint8_t minus = Op(b, start, kMinus, kTokenMinus);
  Op(b, minus, kMinus, kTokenMinusMinus);
  Op(b, minus, kEquals, kTokenSubtractAssign);
  uint8_t plus = Op(b, start, kPlus, kTokenPlus);
  Op(b, plus, kPlus, kTokenPlusPlus);
  Op(b, plus, kEquals, kTokenAddAssign);
  Op(b, Op(b, start, kPercent, kTokenPercent), kEquals, kTokenRemainderAssign);
  Op(b, Op(b, start, kSlash, kTokenSlash), kEquals, kTokenDivideAssign);
  Op(b, Op(b, start, kStar, kTokenStar), kEquals, kTokenMultiplyAssign);
  Op(b, Op(b, start, kCaret, kTokenCaret), kEquals, kTokenXorAssign);
  uint8_t amp = Op(b, start, kAmpersand, kTokenAmpersand);
  Op(b, amp, kAmpersand, kTokenAndAnd);
  Op(b, amp, kEquals, kTokenAndAssign);
  uint8_t bar = Op(b, start, kBar, kTokenBar);
  Op(b, bar, kBar, kTokenOrOr);
  Op(b, bar, kEquals, kTokenOrAssign);

  uint8_t greater = Op(b, start, kGreater, kTokenGreater);
  Op(b, greater, kEquals, kTokenGreaterOrEqual);
  uint8_t shiftRight = Op(b, greater, kGreater, kTokenShiftRight);
  Op(b, shiftRight, kEquals, kTokenShiftRightAssign);
  uint8_t unsignedShift = Op(b, shiftRight, kGreater, kTokenUnsignedShiftRight);
  Op(b, unsignedShift, kEquals, kTokenUnsignedShiftRightAssign);
  uint8_t less = Op(b, start, kLess, kTokenLess);
  Op(b, less, kEquals, kTokenLessOrEqual);
  Op(b, Op(b, less, kLess, kTokenShiftLeft), kEquals, kTokenShiftLeftAssign);
}

constexpr ScriptScannerTable BuildTable() {
  Builder b;
  uint8_t start = b.Passing();
  b.t.startState = start;

  uint8_t blank = b.State(kScannerKindWhiteSpace, kScannerBlankToken);
  b.On(start, kBlank, blank);
  b.On(blank, kBlank, blank);
  uint8_t lineFeed = b.State(kScannerKindWhiteSpace, kScannerLineBreakToken);
  uint8_t carriageReturn = b.State(kScannerKindWhiteSpace, kScannerLineBreakToken);
  b.On(start, kLineFeed, lineFeed);
  b.On(start, kReturn, carriageReturn);
  b.On(carriageReturn, kLineFeed, lineFeed);

  uint8_t identifier = b.Accepting(kTokenIdentifier);
  b.OnEach(start, EACH(kNameStarts), identifier);
  b.OnEach(identifier, EACH(kNameCharacters), identifier);

  uint8_t dot = b.Accepting(kTokenDot);
  b.On(start, kDot, dot);
  AddNumbers(b, start, dot);
  AddString(b, start, kSingleQuote);
  AddString(b, start, kDoubleQuote);
  AddOperators(b, start);
  return b.t;
}

#undef EACH

constexpr ScriptScannerTable kTable = BuildTable();
static_assert(kTable.stateCount <= kScriptScannerMaxStates);

}  // namespace

const ScriptScannerTable& GetScriptScannerTable() { return kTable; }
