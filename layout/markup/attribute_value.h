// Attribute values: the parse of an attribute's text into the 32-bit value
// the layout reads (colours, lengths with units, counts, alignments, keyword
// choices, flags), and the small helpers it is built from.
//
// Lengths: the number in the low bits, bit 28 for a multiple of the font
// size ("em"), bit 29 for a percentage; numbers are clamped to 0x0FFFFFFF so
// they never reach those bits. A relative number (SIZE, TABINDEX with a
// sign) keeps its sign and has bit 30 set, so "-1" stays -1. A relative file
// position has bit 31 set; an all-"X" FILEPOS is -1.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

inline constexpr uint32_t kLengthEm = 0x10000000u;
inline constexpr uint32_t kLengthPercent = 0x20000000u;
inline constexpr uint32_t kValueRelative = 0x40000000u;
inline constexpr uint32_t kFilePositionRelative = 0x80000000u;
inline constexpr uint32_t kMaxLengthNumber = 0x0FFFFFFFu;

// True when text is a valid value of the attribute; *value is written only
// then (QVR:AUTO-SUBMIT and QVR:PERSISTENT write nothing: their presence
// with YES is what counts).
bool ParseAttributeValue(uint32_t attributeId, const WCHAR* text, uint32_t length, uint32_t* value);

// Index of a colour (0x00BBGGRR) in the 16-colour table, -1 when absent.
int32_t ColorTableIndex(uint32_t color);
// The colour of a table index; black outside 0-15.
uint32_t ColorOfIndex(int32_t index);
// 0-15 for 0-9, a-f, A-F; -1 otherwise.
int32_t HexDigitValue(WCHAR c);
// The whole text as an unsigned decimal number, saturating at 0xFFFFFFFF;
// false for an empty text or any non-digit.
bool ParseUnsignedDecimal(const WCHAR* text, uint32_t length, uint32_t* value);
// Narrows [*text, *text + *length) past tab, line feed, carriage return and
// space at either end.
void TrimMarkupSpace(const WCHAR** text, uint32_t* length);
