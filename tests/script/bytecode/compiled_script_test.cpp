// CompiledScript: the string table (merging with the last three entries,
// packing out of the source text), labels and their resolution, declarations
// with their code ranges, run ranges and references, inserted words, and the
// one-pass check of instruction words that come from storage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/wide_string/shared_wide_string.h"
#include "platform/testing/allocation.h"
#include "script/bytecode/compiled_script.h"
#include "script/compiler/compiler.h"
#include "script/compiler/compiler_emit.h"
#include "script/bytecode/instruction_set.h"

namespace {

SharedWideString Wide(const std::string& text) {
  SharedWideString s;
  s.FromBytes(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
  return s;
}

std::vector<uint32_t> Words(const CompiledScript& script) {
  return std::vector<uint32_t>(script.Code(), script.Code() + script.CodeCount());
}

TEST(CompiledScript, StringsMergeWithTheLastThreeEntriesOnly) {
  CompiledScript script;
  EXPECT_EQ(script.AddString(Wide("a")), 0);
  EXPECT_EQ(script.AddString(Wide("b")), 1);
  EXPECT_EQ(script.AddString(Wide("a")), 0);
  EXPECT_EQ(script.AddString(Wide("c")), 2);
  EXPECT_EQ(script.AddString(Wide("d")), 3);
  EXPECT_EQ(script.AddString(Wide("a")), 4);  // "a" is four entries back
  EXPECT_EQ(script.AddString(Wide("c"), 0), 5);  // without merging (saved code, page literals)
  EXPECT_EQ(script.StringCount(), 6u);
  EXPECT_FALSE(script.HasError());
}

TEST(CompiledScript, StringsDoNotKeepTheSourceTextAlive) {
  SharedWideString source = Wide("name and a literal longer than one chunk of the string pool, "
                                 "sixty characters and more");
  SharedWideString shortPart;
  shortPart.AssignSubstring(source, 0, 4);
  SharedWideString longPart;
  longPart.AssignSubstring(source, 9, source.length - 9);
  CompiledScript script;
  script.AddString(shortPart);
  script.AddString(longPart);
  EXPECT_NE(script.StringAt(0).buffer, source.buffer);
  EXPECT_NE(script.StringAt(1).buffer, source.buffer);
  EXPECT_EQ(script.StringAt(0).CompareTo(shortPart), 0);
  EXPECT_EQ(script.StringAt(1).CompareTo(longPart), 0);
  EXPECT_EQ(source.buffer->refcount, 3);  // the source and the two parts only
}

TEST(CompiledScript, LabelsResolveToWordIndexes) {
  CompiledScript script;
  int32_t top = script.AllocateLabelHere();
  int32_t end = script.AllocateLabel();
  EmitPushBoolean(script, true);
  EmitJump(script, ScriptOpcode::JumpIfFalse, end);
  EmitJump(script, ScriptOpcode::Jump, top);
  EmitPushNumber(script, 11.0);  // operand words that look like labels stay
  script.SetLabelHere(end);
  script.ResolveLabels();
  EXPECT_FALSE(script.HasError());
  EXPECT_EQ(script.LabelCount(), 0u);
  std::vector<uint32_t> expected = {kWordPushBoolean, 1, kWordJumpIfFalse, 9, kWordJump, 0,
                                    kWordPushNumber, 0, 0x40260000};
  EXPECT_EQ(Words(script), expected);
}

TEST(CompiledScript, BadLabelsSetTheErrorFlag) {
  {
    CompiledScript script;
    int32_t never = script.AllocateLabel();
    EmitJump(script, ScriptOpcode::Jump, never);
    script.ResolveLabels();
    EXPECT_TRUE(script.HasError());
  }
  {
    CompiledScript script;
    script.AllocateLabelHere();
    EmitJump(script, ScriptOpcode::Jump, 5);  // no label 5
    script.ResolveLabels();
    EXPECT_TRUE(script.HasError());
  }
}

TEST(CompiledScript, DeclarationsAndCodeRanges) {
  CompiledScript script;
  int32_t range = -2;
  EXPECT_EQ(script.AddDeclaration(-1, kDeclareFunction, 0, &range), 0);
  EXPECT_EQ(range, 0);
  EXPECT_EQ(script.AddDeclaration(0, kDeclareParameter, 1, &range), 1);
  EXPECT_EQ(range, -1);
  EXPECT_EQ(script.CodeRangeCount(), 1u);
  script.SetCodeRange(0, 2, 9);
  script.SetCodeRange(7, 1, 1);  // ignored
  EXPECT_EQ(script.CodeRangeAt(0).start, 2);
  EXPECT_EQ(script.CodeRangeAt(0).end, 9);
  EXPECT_EQ(script.DeclarationAt(0).range, 0);
  EXPECT_EQ(script.DeclarationAt(1).scope, 0);
  EXPECT_EQ(script.DeclarationAt(1).kind, kDeclareParameter);
}

TEST(CompiledScript, OnlyAFunctionDeclaration) {
  CompiledScript* script = new CompiledScript();
  script->AddReference();
  ScriptCompileError error;
  ASSERT_TRUE(CompileScript(Wide("function f(a, b, c) { }"), script, &error));
  EXPECT_EQ(script->CodeRangeCount(), 1u);
  ASSERT_EQ(script->DeclarationCount(), 4u);
  EXPECT_EQ(script->DeclarationAt(0).kind, kDeclareFunction);
  for (uint32_t i = 1; i < 4; ++i) EXPECT_EQ(script->DeclarationAt(i).kind, kDeclareParameter);
  // The top-level code only jumps over the body.
  std::vector<uint32_t> expected = {kWordJump, 2};
  EXPECT_EQ(Words(*script), expected);
  script->Release();
}

TEST(CompiledScript, RunRangesHoldAReference) {
  CompiledScript* script = new CompiledScript();
  CompiledScript* holder = nullptr;
  CompiledScript::Assign(&holder, script);
  EXPECT_EQ(script->ReferenceCount(), 1);
  ScriptCompileError error;
  ASSERT_TRUE(CompileScript(Wide("function f() { g() }\nx = 1"), script, &error));

  ScriptRunRange top;
  ASSERT_TRUE(script->GetCodeRange(-1, &top));
  EXPECT_EQ(top.script, script);
  EXPECT_EQ(top.start, 0);
  EXPECT_EQ(top.end, static_cast<int32_t>(script->CodeCount()));
  ScriptRunRange f;
  ASSERT_TRUE(script->GetCodeRange(0, &f));
  EXPECT_EQ(f.start, 2);
  EXPECT_EQ(script->ReferenceCount(), 3);
  ScriptRunRange none;
  EXPECT_FALSE(script->GetCodeRange(1, &none));
  EXPECT_FALSE(script->GetCodeRange(-2, &none));
  EXPECT_EQ(none.script, nullptr);

  CompiledScript::Assign(&holder, nullptr);  // the ranges keep it alive
  EXPECT_EQ(script->ReferenceCount(), 2);
  top.script->Release();
  f.script->Release();  // the last reference frees it (ASan reports a leak otherwise)
}

TEST(CompiledScript, InsertedWordsAndMovedLabels) {
  CompiledScript script;
  int32_t top = script.AllocateLabelHere();
  EmitPushInteger(script, 1);
  int32_t after = script.AllocateLabelHere();
  EmitJump(script, ScriptOpcode::Jump, top);
  EmitJump(script, ScriptOpcode::Jump, after);
  const uint32_t line[2] = {kWordLine, 7};
  script.InsertWords(2, line, 2);
  script.MoveLabel(after, 2);
  script.MoveLabel(9, 2);  // no such label: ignored
  script.InsertWords(99, line, 2);  // past the end: ignored
  script.ResolveLabels();
  EXPECT_FALSE(script.HasError());
  std::vector<uint32_t> expected = {kWordPushInteger, 1, kWordLine, 7, kWordJump, 0, kWordJump, 4};
  EXPECT_EQ(Words(script), expected);
}

TEST(CompiledScript, FailedAllocationsSetTheErrorFlag) {
  CompiledScript script;
  {
    devtest::AllocationFailure failure(1, true);
    EmitPushInteger(script, 1);
    EXPECT_EQ(script.AddString(Wide("x")), 0);
    EXPECT_EQ(script.AllocateLabel(), -1);
  }
  EXPECT_TRUE(script.HasError());
  EXPECT_EQ(script.CodeCount(), 0u);
}

struct WordsCase {
  std::vector<uint32_t> words;
  bool valid;
};

TEST(InstructionSet, CheckOfWordsFromStorage) {
  const uint32_t operate = kWordOperate;
  const uint32_t call = kWordOperateCall;
  const WordsCase cases[] = {
      {{}, true},
      {{kWordResolveName, kWordPushInteger, 5, kWordReturn, 1}, true},
      {{kWordPushNumber, 0, 0x3FF00000, kWordLine, 3}, true},
      {{kWordJump, 2}, true},            // a target at the end of the code
      {{kWordJump, 3}, false},           // past the end
      {{kWordJumpIfTrue, 0xFFFFFFFF}, false},
      {{kWordPushNumber, 0}, false},     // the second operand is missing
      {{kWordPushInteger}, false},
      {{0x00000000}, false},             // opcode 0
      {{0x0100000F, 0}, false},          // opcode 15
      {{0x02000007, 1, 2}, false},       // PushInteger with two operands
      {{0x00000007}, false},             // PushInteger with none
      {{0x01000003, 0}, false},          // ResolveName with an operand
      {{operate, 48}, true},
      {{call, 28, 2}, true},
      {{call, 71, 0}, true},
      {{operate, 28}, false},            // a call without its argument count
      {{call, 48, 2}, false},            // an argument count where none belongs
      {{0xFF000002, 48}, false},
  };
  for (const WordsCase& c : cases) {
    EXPECT_EQ(CheckInstructionWords(c.words.data(), static_cast<uint32_t>(c.words.size())), c.valid)
        << "first word " << (c.words.empty() ? 0 : c.words[0]);
  }
  EXPECT_TRUE(IsValidOperandCount(2, 1));
  EXPECT_TRUE(IsValidOperandCount(2, 2));
  EXPECT_FALSE(IsValidOperandCount(6, 1));
  EXPECT_STREQ(ScriptOpcodeName(14), "Line");
  EXPECT_EQ(ScriptOpcodeName(15), nullptr);
}

}  // namespace
