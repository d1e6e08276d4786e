// Number literals of the script language and the number-text scanner of
// parseInt and parseFloat.
//
// Integer literals are read in any radix from 2 to 36: a run of digits that
// fits 31 bits becomes a 32-bit value; a longer run becomes a double (in
// radixes 10 and 16 the nearest double, in the others the sum of 31-bit
// chunks). Real literals are converted correctly rounded.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class SharedWideString;

// Reads an integer literal filling the n units: an optional "+" or "-", then,
// with radix 0 (automatic), "0x"/"0X" for 16, a "0" with more after it for 8,
// else 10; with radix 16 an optional "0x"/"0X"; then digits of the radix
// ("0"-"9", then "a"-"z" or "A"-"Z"). True on success: a run that fits 31 bits
// gives *value and leaves *number NaN; a longer run gives *number (and *value
// 0). False for a radix outside 0 and 2-36, no digits at all, or a character
// that is no digit of the radix.
bool ParseIntegerLiteral(const WCHAR* text, uint32_t length, uint32_t radix, int32_t* value,
                         double* number);

// Reads a real literal filling the n units: an optional sign, digits, an
// optional "." with digits, an optional exponent ("e" or "E", an optional
// sign, digits that fit 31 bits). At least one digit before or after the
// point. True with the correctly rounded value; false otherwise.
bool ParseRealLiteral(const WCHAR* text, uint32_t length, double* number);

// Finds the number text at the start of `text` after its blanks: an optional
// sign, then in float mode digits, "." and digits, and an exponent (counted
// only when a digit follows its "e" and sign); in integer mode "0x"/"0X"
// (when *radix is 0 or 16: the radix becomes 16) or a leading "0" (when
// *radix is 0: it becomes 8), else *radix 0 becomes 10, then the longest run
// of digits of the radix. *start and *length give the number text inside
// `text` (length 0 when there is none; a lone sign counts as text).
void ScanNumberText(const SharedWideString& text, bool floatMode, uint32_t* radix,
                    uint32_t* start, uint32_t* length);
