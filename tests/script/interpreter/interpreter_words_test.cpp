// The run loop on instruction words written by hand, as saved code from a
// book could hold them: unknown opcodes, wrong operand counts, operands that
// run past the code, jumps outside the function, bad string numbers, stack
// underflows and calls that claim more arguments than the stack holds. Each
// ends with its status, never by reading past the code.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "tests/support/fake_script_host.h"

namespace {

constexpr uint32_t Op(ScriptOpcode opcode, uint32_t count) {
  return MakeInstructionWord(opcode, count);
}

struct WordsOutcome {
  int32_t status = 0;
  uint32_t depth = 0;  // operand stack when the run stopped
  bool finished = false;
};

// Runs the words as a script's whole code; a string "s" is in the table.
WordsOutcome RunWords(std::initializer_list<uint32_t> words) {
  ScriptTestContext context;
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  script->AddString(SharedWideString(u"s"), 0);
  for (uint32_t w : words) script->AppendWord(w);
  ScriptCallFrame* frame = nullptr;
  int32_t status = kScriptOk;
  WordsOutcome outcome;
  PrepareScriptRun(&context.interpreter, &status, &frame, script, context.chain, &context.store,
                   context.global, nullptr);
  EXPECT_NE(frame, nullptr);
  ExecuteInstructions(&context.interpreter, &status, frame, &outcome.finished, nullptr, nullptr);
  outcome.depth = frame->operands.Depth();
  ScriptRuntimeError error;
  FinishScriptRun(&context.interpreter, &error, frame, nullptr);
  outcome.status = error.status;
  script->Release();
  return outcome;
}

TEST(InterpreterWords, BadInstructionsGiveStatus23) {
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::PopResult, 1), 2})
                .status,
            kScriptBadOpcode);
  EXPECT_EQ(RunWords({0}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({15}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({0x01000000u | 15u, 0}).status, kScriptBadOpcode);
  // Operand counts that the opcode does not take.
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushInteger, 2), 1, 2}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::ResolveName, 1), 0}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::Return, 1), 7}).status, kScriptBadOpcode);
}

TEST(InterpreterWords, OperandsPastTheCodeAreNeverRead) {
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushNumber, 2), 0}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushInteger, 1)}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::Jump, 1)}).status, kScriptBadOpcode);
  EXPECT_EQ(RunWords({0xFF000007u}).status, kScriptBadOpcode);
}

TEST(InterpreterWords, JumpsOutsideTheCodeEndTheRun) {
  WordsOutcome r = RunWords({Op(ScriptOpcode::Jump, 1), 1000});
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.status, kScriptOk);
  r = RunWords({Op(ScriptOpcode::Jump, 1), 0xFFFFFFF0u});
  EXPECT_EQ(r.status, kScriptOk);
  r = RunWords({Op(ScriptOpcode::PushBoolean, 1), 0, Op(ScriptOpcode::JumpIfFalse, 1), 77});
  EXPECT_EQ(r.status, kScriptOk);
}

TEST(InterpreterWords, StringsAndStack) {
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushString, 1), 0, Op(ScriptOpcode::PopResult, 1), 1})
                .status,
            kScriptOk);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushString, 1), 1}).status, kScriptBadStringLiteral);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushNameString, 1), 0xFFFFFFFFu}).status,
            kScriptBadStringLiteral);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PopResult, 1), 1}).status, kScriptStackUnderflow);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::ResolveName, 0)}).status, kScriptStackUnderflow);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::JumpIfTrue, 1), 0}).status, kScriptStackUnderflow);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::Return, 1), 1}).status, kScriptStackUnderflow);
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::Operate, 1), kOperatorAdd})
                .status,
            kScriptStackUnderflow);
  // A name must be a string or an atom.
  EXPECT_EQ(RunWords({Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::ResolveName, 0)})
                .status,
            kScriptCannotResolve);
}

TEST(InterpreterWords, OperatorCodesWithoutOperator) {
  for (uint32_t code : {0u, 23u, 25u, 27u, 71u, 74u, 200u, 0xFFFFFFFFu}) {
    EXPECT_EQ(RunWords({Op(ScriptOpcode::Operate, 1), code}).status, kScriptBadOperator) << code;
  }
  // delete takes its operand, then fails; a call that reaches the table too.
  WordsOutcome r = RunWords(
      {Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::Operate, 1), kOperatorDelete});
  EXPECT_EQ(r.status, kScriptBadOperator);
  EXPECT_EQ(r.depth, 0u);
  r = RunWords({Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::PushInteger, 1), 1,
                Op(ScriptOpcode::Operate, 1), kOperatorCall});
  EXPECT_EQ(r.status, kScriptBadOperator);
}

TEST(InterpreterWords, CallCountBeyondTheStack) {
  // One value on the stack, a call of five arguments: kScriptStackUnderflow and the
  // stack left as it was.
  WordsOutcome r =
      RunWords({Op(ScriptOpcode::PushInteger, 1), 1, Op(ScriptOpcode::Operate, 2), 28, 5});
  EXPECT_EQ(r.status, kScriptStackUnderflow);
  EXPECT_EQ(r.depth, 1u);
  r = RunWords({Op(ScriptOpcode::Operate, 2), 71, 0xFFFFFFFFu});
  EXPECT_EQ(r.status, kScriptStackUnderflow);
}

TEST(InterpreterWords, NumbersAndAtoms) {
  double half = 0.5;
  uint64_t bits;
  std::memcpy(&bits, &half, sizeof bits);
  WordsOutcome r = RunWords({Op(ScriptOpcode::PushNumber, 2), static_cast<uint32_t>(bits),
                             static_cast<uint32_t>(bits >> 32), Op(ScriptOpcode::PopResult, 1),
                             1});
  EXPECT_EQ(r.status, kScriptOk);
  // An atom number beyond the table names nothing: no scope can create it.
  r = RunWords({Op(ScriptOpcode::PushAtom, 1), 5000, Op(ScriptOpcode::ResolveName, 0)});
  EXPECT_EQ(r.status, kScriptObjectUnknown);
}

}  // namespace
