// The disassembler of compiled scripts: a plain-text listing of the
// instruction words, one instruction per line with its word position, and of
// the string, declaration and code range tables. Golden listings of the
// compiler's tests and developers' dumps are made with it.
//
// An instruction line is "<position>: <name>[ <operands>]":
//   Operate 48 "+"          an operator with its spelling
//   Operate call 2          a call (28) or new (71) with its argument count
//   PushNameString 0 "x"    a string table index with the string
//   PushAtom 266 "Date"     an atom with its text
//   PushNumber 1.5          the double of the two operand words
//   Jump 12                 a target word position (a label before resolution)
// A word that is no instruction, or one whose operands run past the code,
// is listed as "<position>: ?word 0x...", and the listing goes on after it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class CompiledScript;

// Listing parts.
inline constexpr uint32_t kListCode = 1;
inline constexpr uint32_t kListTables = 2;  // strings, declarations, code ranges

// Appends one instruction's line (without a line break) to *out; answers the
// position of the next instruction (past the code when the word is cut off).
uint32_t DisassembleInstruction(const CompiledScript& script, uint32_t position,
                                SharedWideString* out);

// The listing of the chosen parts, each line ending in "\n"; false when
// memory runs out.
bool DisassembleScript(const CompiledScript& script, uint32_t parts, SharedWideString* out);
