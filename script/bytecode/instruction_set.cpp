// Names and operand counts of the script opcodes, and the one-pass check of
// instruction words that come from storage rather than from the compiler.
#include "script/bytecode/instruction_set.h"

namespace {

constexpr const char* kOpcodeNames[kScriptLastOpcode + 1] = {
    nullptr,       "Return",     "Operate",    "ResolveName", "PopResult",
    "PushBoolean", "PushNumber", "PushInteger", "PushString", "PushNameString",
    "PushAtom",    "Jump",       "JumpIfFalse", "JumpIfTrue", "Line",
};

}  // namespace

const char* ScriptOpcodeName(uint32_t opcode) {
  return opcode <= kScriptLastOpcode ? kOpcodeNames[opcode] : nullptr;
}

bool CheckInstructionWords(const uint32_t* words, uint32_t count) {
  uint32_t position = 0;
  while (position < count) {
    uint32_t word = words[position];
    uint32_t opcode = InstructionOpcode(word);
    uint32_t operands = InstructionOperandCount(word);
    if (!IsValidOperandCount(opcode, operands)) return false;
    if (operands > count - position - 1) return false;  // ends past the code
    if (IsJumpOpcode(opcode) && words[position + 1] > count) return false;
    if (opcode == static_cast<uint32_t>(ScriptOpcode::Operate)) {
      // Calls and `new` carry their argument count; every other operator
      // stands alone, so the run loop never takes a following word for a count.
      uint32_t op = words[position + 1];
      bool takesCount = op == kOperatorCall || op == kOperatorNew;
      if (takesCount != (operands == 2)) return false;
    }
    position += 1 + operands;
  }
  return true;
}
