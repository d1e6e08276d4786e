// The token codes of the script language and the compiler's token table.
//
// -1 is the end of the text; 19-73 are punctuators and operators (67, 68 and
// 73 are made by the parser, never by the scanner: postfix "--", postfix "++"
// and unary minus); 74-79 identifiers, numbers and strings; 1000 + n an
// identifier whose text is atom n of the script name table (1001-1021 are the
// keywords). The operator codes double as the operand of `Operate`.
#pragma once

#include <cstdint>

enum ScriptTokenCode : int32_t {
  kTokenEnd = -1,
  kTokenRightBrace = 19,   // }
  kTokenLeftBrace = 20,    // {
  kTokenSemicolon = 21,    // ;
  kTokenColon = 22,        // :
  kTokenComma = 23,        // ,
  kTokenDot = 24,          // .
  kTokenRightBracket = 25, // ]
  kTokenLeftBracket = 26,  // [
  kTokenRightParen = 27,   // )
  kTokenLeftParen = 28,    // (
  kTokenQuestion = 29,     // ?
  kTokenAssign = 30,       // =
  kTokenSubtractAssign = 31,
  kTokenAddAssign = 32,
  kTokenRemainderAssign = 33,
  kTokenDivideAssign = 34,
  kTokenMultiplyAssign = 35,
  kTokenAndAssign = 36,
  kTokenOrAssign = 37,
  kTokenUnsignedShiftRightAssign = 38,
  kTokenShiftRightAssign = 39,
  kTokenShiftLeftAssign = 40,
  kTokenXorAssign = 41,
  kTokenPercent = 42,
  kTokenStar = 43,
  kTokenSlash = 44,
  kTokenMinus = 45,
  kTokenMinusMinus = 46,   // prefix form as scanned
  kTokenPlusPlus = 47,     // prefix form as scanned
  kTokenPlus = 48,
  kTokenNotEqual = 49,
  kTokenCaret = 50,
  kTokenTilde = 51,
  kTokenBang = 52,
  kTokenStrictEqual = 53,
  kTokenEqual = 54,
  kTokenGreaterOrEqual = 55,
  kTokenLessOrEqual = 56,
  kTokenUnsignedShiftRight = 57,
  kTokenShiftRight = 58,
  kTokenGreater = 59,
  kTokenShiftLeft = 60,
  kTokenLess = 61,
  kTokenAndAnd = 62,
  kTokenAmpersand = 63,
  kTokenOrOr = 64,
  kTokenBar = 65,
  kTokenStrictNotEqual = 66,
  kTokenPostfixDecrement = 67,
  kTokenPostfixIncrement = 68,
  kTokenTypeof = 69,
  kTokenDelete = 70,
  kTokenNew = 71,
  kTokenLiteralString = 72,
  kTokenNegate = 73,
  kTokenIdentifier = 74,
  kTokenReal = 75,
  kTokenDecimal = 76,
  kTokenString = 77,
  kTokenOctal = 78,
  kTokenHexadecimal = 79,

  kTokenAtomBase = 1000,
  kTokenBreak = 1001,
  kTokenElse = 1002,
  kTokenSwitch = 1003,
  kTokenCase = 1004,
  kTokenReturn = 1005,
  kTokenContinue = 1006,
  kTokenFor = 1007,
  kTokenVoid = 1008,
  kTokenDefault = 1009,
  kTokenDo = 1010,
  kTokenIf = 1011,
  kTokenWhile = 1012,
  kTokenThis = 1013,
  kTokenNewKeyword = 1014,
  kTokenDeleteKeyword = 1015,
  kTokenTypeofKeyword = 1016,
  kTokenFunction = 1017,
  kTokenVar = 1018,
  kTokenTrue = 1019,
  kTokenFalse = 1020,
  kTokenLiteralStringKeyword = 1021,
  kTokenLastKeyword = 1021,
};

// Operator classes: how a token acts after a complete operand.
enum ScriptOperatorClass : int8_t {
  kClassNone = -1,     // no operator
  kClassEnd = 0,       // ends the expression
  kClassPrefix = 1,    // prefix-only (after an operand: a postfix operator)
  kClassBinary = 2,
  kClassConditional = 3,
};

struct ScriptTokenInfo {
  const char* spelling;  // as error reports show it
  int8_t operatorClass;  // ScriptOperatorClass
  int8_t precedence;     // higher binds tighter; -1 for non-operators
};

// The token table entry of a code kTokenRightBrace to kTokenHexadecimal;
// null outside.
const ScriptTokenInfo* GetScriptTokenInfo(int32_t code);

// The text of keyword code kTokenBreak to kTokenLastKeyword ("break" ... "__litteralstr"); null
// outside.
const char* GetScriptKeywordText(int32_t code);

// True for "=" and the compound assignments (31-41), which group from the
// right.
inline constexpr bool IsAssignmentOperator(int32_t code) {
  return code >= kTokenAssign && code <= kTokenXorAssign;
}
