// Number text of the script engine: powers of ten, the reader of decimal
// number literals, the conversion of text to a number that scripts see
// ("+ '1,5'"), the 15-digit number text of the language, and the defined
// conversion of any double to a 32-bit integer.
//
// The literal reader is correctly rounded: the digits of the text, however
// many, give the double nearest to the decimal value they denote (ties to
// even), so that 0.3 == 3 / 10 holds in scripts. The number text is the
// engine's own: 15 significant digits, rounded half up from the exact binary
// value, placed as the language places them (exponent form below 1e-6 and
// above 1e21, no "+" in exponents).
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class SharedWideString;

// 10^n: the product of table entries 10^(2^k) (or 10^-(2^k) for negative n)
// for the set bits of |n|, lowest bit first. 1 for 0, infinity for n >= 512,
// 0 for n <= -512 (beyond the tables).
double PowerOfTen(int32_t n);

// Reads a decimal literal that fills the whole of the n units:
//   digits ["." digits] [("e" | "E") ["+" | "-"] digits]
// with at least one digit before or after the point and at least one digit
// in an exponent, whose value must fit in 31 bits. No sign, no blanks. True
// with the correctly rounded value (overflow gives infinity, underflow 0);
// false, with *value untouched, when the text is not such a literal.
bool ReadDecimalLiteral(const WCHAR* units, uint32_t n, double* value);

// The same for a number text that may use a decimal comma in place of the
// point (the value store reads "1,5" as 1.5).
bool ReadDecimalLiteralWithComma(const WCHAR* units, uint32_t n, double* value);

// Reads hexadecimal digits (0-9, a-f, A-F; no prefix) that fill the n units:
// true with the correctly rounded value; false for no digits or another
// character.
bool ReadHexDigits(const WCHAR* units, uint32_t n, double* value);

// The number a script text stands for ("1,5" + 1, Number-like conversions):
// blanks trimmed at both ends; the empty text is 0; one leading "+" or "-"
// (blanks after it skipped); then a decimal literal in which "," counts as
// ".", or "0x"/"0X" and hexadecimal digits. Leading zeros are decimal ("017"
// is 17, as other script engines read it). Anything else is NaN. Never fails.
double ParseScriptNumber(const SharedWideString& text);
double ParseScriptNumberUnits(const WCHAR* units, uint32_t n);

// The longest number text FormatScriptNumberChars writes ("-" + 22 digits).
inline constexpr uint32_t kScriptNumberTextMax = 32;

// The engine's number text, in ASCII, into out (room for kScriptNumberTextMax
// characters, not terminated); answers the length.
//   NaN -> "NaN"; +0 and -0 -> "0"; negative -> "-" and the text of |x|;
//   infinity -> "Infinity"; an integer below 2^31 -> its decimal digits;
//   otherwise 15 significant digits d (rounded half up, a carry raising the
//   exponent t) placed by t:
//     0 <= t <= 15   the point after t + 1 digits (1234.5)
//     16 <= t <= 21  the 15 digits then zeros, no point (1 and 21 zeros)
//     -6 <= t <= -1  "0." then -t - 1 zeros then the digits (0.000001)
//     else           d1 "." rest "e" ["-"] |t| (1e22, 1.5e-7)
//   with trailing zeros of a fraction removed, and the point with them.
uint32_t FormatScriptNumberChars(double x, char* out);

// The same as a wide text: *text becomes the number text. Answers
// kScriptOk, or kScriptNoMemory (text unchanged) when memory runs out.
int32_t* FormatScriptNumber(int32_t* status, double x, SharedWideString* text);

// The defined conversion of a double to a 32-bit integer, used wherever a
// script number becomes an integer: NaN and the infinities give 0; any other
// value is truncated towards zero and wrapped modulo 2^32 into the signed
// range (2^31 -> -2^31, 2^32 + 5 -> 5, -1.9 -> -1).
int32_t ScriptNumberToInt32(double x);

// True, with *out, when x is a whole number from -2^31 to 2^31 - 1 (-0
// counts as 0); false for fractions, NaN, infinities and values outside.
bool ScriptNumberIsInt32(double x, int32_t* out);
