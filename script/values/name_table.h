// The script name table: every name that the language and its objects know
// has a fixed number, its atom. The compiler turns identifiers that are atoms
// into their numbers, script objects recognise their members by them, and the
// text of an atom is produced back from its number when a name is needed
// (member names, error details, the names of installed built-ins).
//
// Atom texts live in one constant pool; GetAtomText hands out views of it
// that share a static, never-freed buffer record, so it cannot fail. Text to
// atom goes through the script identifier trie of the keyword tables, which
// compares whole 16-bit units (a unit above 0xFF never matches an atom) and
// maps both spellings of kAtom_remove and kAtom_clear to them.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"

class SharedWideString;

inline constexpr uint32_t kScriptAtomPoolLength = 2519;
inline constexpr uint32_t kScriptAtomOffsetCount = 322;
// Atoms 0 to 320 have entries; 321 and every higher number are empty.
inline constexpr int32_t kScriptAtomLimit = 321;
inline constexpr uint32_t kScriptLiteralTextLength = 34;

extern const WCHAR kScriptAtomPool[kScriptAtomPoolLength + 1];
extern const uint16_t kScriptAtomOffsets[kScriptAtomOffsetCount];
// "truefalseundefinednull0NaNInfinity": the value store's constant texts.
extern const WCHAR kScriptLiteralText[kScriptLiteralTextLength + 1];

// Pieces of the literal text as (offset, length).
struct ScriptTextPiece {
  uint16_t offset;
  uint16_t length;
};
inline constexpr ScriptTextPiece kLiteralTrue = {0, 4};
inline constexpr ScriptTextPiece kLiteralFalse = {4, 5};
inline constexpr ScriptTextPiece kLiteralUndefined = {9, 9};
inline constexpr ScriptTextPiece kLiteralNull = {18, 4};
inline constexpr ScriptTextPiece kLiteralZero = {22, 1};
inline constexpr ScriptTextPiece kLiteralNaN = {23, 3};
inline constexpr ScriptTextPiece kLiteralInfinity = {26, 8};

// Length of atom n in characters: 0 for the empty atoms, negative numbers and
// n >= 321.
uint32_t GetAtomLength(int32_t n);

// *text becomes a view of atom n in the pool (not copied, not owned); the
// empty string for the empty atoms.
void GetAtomText(int32_t n, SharedWideString* text);

// *text becomes a view of a piece of the literal text.
void GetLiteralText(ScriptTextPiece piece, SharedWideString* text);

// Identifier look-up: true with the atom number when the whole text is a name
// of the table (case-sensitive); *atom is left alone otherwise.
bool LookupScriptName(const WCHAR* text, uint32_t length, int32_t* atom);
