// The instruction set of compiled scripts: opcodes, the layout of an
// instruction word, how many operand words each opcode takes, and the
// operator codes that `Operate` carries. The compiler emits these words, the
// interpreter runs them, the saved-code loader checks them and the
// disassembler prints them; all four read this one header.
//
// An instruction word holds the opcode in bits 0-23 and the number of operand
// words that follow it in bits 24-31. Positions count words from the start of
// a script's code.
#pragma once

#include <cstdint>

enum class ScriptOpcode : uint32_t {
  Return = 1,          // operand: 1 the result is on the stack, 0 no result
  Operate = 2,         // operator code; calls and `new` add the argument count
  ResolveName = 3,     // no operand
  PopResult = 4,       // operand: always 1
  PushBoolean = 5,     // operand: 0 or 1
  PushNumber = 6,      // two operands: low then high 32 bits of the double
  PushInteger = 7,     // operand: the signed 32-bit value
  PushString = 8,      // operand: string table index of a literal
  PushNameString = 9,  // operand: string table index of an identifier
  PushAtom = 10,       // operand: atom number
  Jump = 11,           // operand: target word index
  JumpIfFalse = 12,    // operand: target word index
  JumpIfTrue = 13,     // operand: target word index
  Line = 14,           // operand: source line number
};

inline constexpr uint32_t kScriptOpcodeMask = 0x00FFFFFFu;
inline constexpr uint32_t kScriptOperandCountShift = 24;
inline constexpr uint32_t kScriptLastOpcode = 14;

// The operator codes carried by `Operate`: the compiler's token codes of the
// operators, unchanged (the token table of the compiler gives their spelling).
enum ScriptOperatorCode : uint32_t {
  kOperatorMember = 24,        // a.name
  kOperatorIndex = 26,         // a[e]
  kOperatorCall = 28,          // f(...), with the argument count
  kOperatorConditional = 29,   // ?: (never emitted: the compiler rejects it)
  kOperatorAssign = 30,        // =
  kOperatorSubtractAssign = 31,
  kOperatorAddAssign = 32,
  kOperatorRemainderAssign = 33,
  kOperatorDivideAssign = 34,
  kOperatorMultiplyAssign = 35,
  kOperatorAndAssign = 36,
  kOperatorOrAssign = 37,
  kOperatorUnsignedShiftRightAssign = 38,
  kOperatorShiftRightAssign = 39,
  kOperatorShiftLeftAssign = 40,
  kOperatorXorAssign = 41,
  kOperatorRemainder = 42,
  kOperatorMultiply = 43,
  kOperatorDivide = 44,
  kOperatorSubtract = 45,
  kOperatorPrefixDecrement = 46,
  kOperatorPrefixIncrement = 47,
  kOperatorAdd = 48,
  kOperatorNotEqual = 49,
  kOperatorBitXor = 50,
  kOperatorBitNot = 51,
  kOperatorLogicalNot = 52,
  kOperatorStrictEqual = 53,
  kOperatorEqual = 54,
  kOperatorGreaterOrEqual = 55,
  kOperatorLessOrEqual = 56,
  kOperatorUnsignedShiftRight = 57,
  kOperatorShiftRight = 58,
  kOperatorGreater = 59,
  kOperatorShiftLeft = 60,
  kOperatorLess = 61,
  kOperatorLogicalAnd = 62,
  kOperatorBitAnd = 63,
  kOperatorLogicalOr = 64,
  kOperatorBitOr = 65,
  kOperatorStrictNotEqual = 66,
  kOperatorPostfixDecrement = 67,
  kOperatorPostfixIncrement = 68,
  kOperatorTypeof = 69,
  kOperatorDelete = 70,
  kOperatorNew = 71,           // new F(...), with the argument count
  kOperatorLiteralString = 72, // __litteralstr n
  kOperatorNegate = 73,        // unary minus
};

inline constexpr uint32_t MakeInstructionWord(ScriptOpcode opcode, uint32_t operandCount) {
  return (operandCount << kScriptOperandCountShift) | static_cast<uint32_t>(opcode);
}
inline constexpr uint32_t InstructionOpcode(uint32_t word) { return word & kScriptOpcodeMask; }
inline constexpr uint32_t InstructionOperandCount(uint32_t word) {
  return word >> kScriptOperandCountShift;
}

// The words the compiler emits (operand count in the top byte).
inline constexpr uint32_t kWordReturn = MakeInstructionWord(ScriptOpcode::Return, 1);
inline constexpr uint32_t kWordOperate = MakeInstructionWord(ScriptOpcode::Operate, 1);
inline constexpr uint32_t kWordOperateCall = MakeInstructionWord(ScriptOpcode::Operate, 2);
inline constexpr uint32_t kWordResolveName = MakeInstructionWord(ScriptOpcode::ResolveName, 0);
inline constexpr uint32_t kWordPopResult = MakeInstructionWord(ScriptOpcode::PopResult, 1);
inline constexpr uint32_t kWordPushBoolean = MakeInstructionWord(ScriptOpcode::PushBoolean, 1);
inline constexpr uint32_t kWordPushNumber = MakeInstructionWord(ScriptOpcode::PushNumber, 2);
inline constexpr uint32_t kWordPushInteger = MakeInstructionWord(ScriptOpcode::PushInteger, 1);
inline constexpr uint32_t kWordPushString = MakeInstructionWord(ScriptOpcode::PushString, 1);
inline constexpr uint32_t kWordPushNameString = MakeInstructionWord(ScriptOpcode::PushNameString, 1);
inline constexpr uint32_t kWordPushAtom = MakeInstructionWord(ScriptOpcode::PushAtom, 1);
inline constexpr uint32_t kWordJump = MakeInstructionWord(ScriptOpcode::Jump, 1);
inline constexpr uint32_t kWordJumpIfFalse = MakeInstructionWord(ScriptOpcode::JumpIfFalse, 1);
inline constexpr uint32_t kWordJumpIfTrue = MakeInstructionWord(ScriptOpcode::JumpIfTrue, 1);
inline constexpr uint32_t kWordLine = MakeInstructionWord(ScriptOpcode::Line, 1);

// The instruction name of an opcode ("Return", ...), or null outside 1-14.
const char* ScriptOpcodeName(uint32_t opcode);

// True when the opcode exists and takes that many operand words: Return 1,
// Operate 1 or 2 (2 only for calls and `new`, checked by the caller that sees
// the operator), ResolveName 0, PopResult 1, PushBoolean 1, PushNumber 2,
// PushInteger 1, PushString 1, PushNameString 1, PushAtom 1, the jumps 1,
// Line 1.
// Indexed by opcode; -1: no such opcode. Operate is listed with its short
// form; the two-word form is allowed beside it. A table of its own, not one
// local to the check, so that the run loop does not build it for every
// instruction.
inline constexpr int8_t kScriptOperandCounts[] = {-1, 1, 1, 0, 1, 1, 2, 1, 1, 1, 1, 1, 1, 1, 1};
static_assert(sizeof(kScriptOperandCounts) == kScriptLastOpcode + 1, "one count per opcode");

inline bool IsValidOperandCount(uint32_t opcode, uint32_t operandCount) {
  if (opcode == 0 || opcode > kScriptLastOpcode) return false;
  if (opcode == 2) return operandCount == 1 || operandCount == 2;  // Operate
  return static_cast<int32_t>(operandCount) == kScriptOperandCounts[opcode];
}

// True for Jump, JumpIfFalse and JumpIfTrue, whose operand is a word index.
inline constexpr bool IsJumpOpcode(uint32_t opcode) {
  return opcode >= static_cast<uint32_t>(ScriptOpcode::Jump) &&
         opcode <= static_cast<uint32_t>(ScriptOpcode::JumpIfTrue);
}

// Walks `count` words of code from untrusted storage once: every word is a
// known opcode with its operand count, every instruction ends within the
// code, every jump target lies in [0, count], and `Operate` has two operands
// exactly for calls and `new`. True when all hold. Code
// that passes can be run without the run loop reading past its end.
bool CheckInstructionWords(const uint32_t* words, uint32_t count);
