// The compiler's instruction emitters.
#include "script/compiler/compiler_emit.h"

#include <cstring>

#include "script/bytecode/compiled_script.h"

void EmitLine(CompiledScript& script, int32_t line) {
  script.AppendWord(kWordLine);
  script.AppendWord(static_cast<uint32_t>(line));
}

void EmitOperate(CompiledScript& script, int32_t op) {
  script.AppendWord(kWordOperate);
  script.AppendWord(static_cast<uint32_t>(op));
}

void EmitOperateCall(CompiledScript& script, int32_t op, int32_t argumentCount) {
  script.AppendWord(kWordOperateCall);
  script.AppendWord(static_cast<uint32_t>(op));
  script.AppendWord(static_cast<uint32_t>(argumentCount));
}

void EmitPushNameString(CompiledScript& script, const SharedWideString& name) {
  EmitPushNameIndex(script, script.AddString(name));
}

void EmitPushNameIndex(CompiledScript& script, int32_t stringIndex) {
  script.AppendWord(kWordPushNameString);
  script.AppendWord(static_cast<uint32_t>(stringIndex));
}

void EmitPushString(CompiledScript& script, const SharedWideString& text) {
  int32_t index = script.AddString(text);
  script.AppendWord(kWordPushString);
  script.AppendWord(static_cast<uint32_t>(index));
}

void EmitPushNumber(CompiledScript& script, double value) {
  uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  script.AppendWord(kWordPushNumber);
  script.AppendWord(static_cast<uint32_t>(bits));
  script.AppendWord(static_cast<uint32_t>(bits >> 32));
}

void EmitPushInteger(CompiledScript& script, int32_t value) {
  script.AppendWord(kWordPushInteger);
  script.AppendWord(static_cast<uint32_t>(value));
}

void EmitPushBoolean(CompiledScript& script, bool value) {
  script.AppendWord(kWordPushBoolean);
  script.AppendWord(value ? 1u : 0u);
}

void EmitPushAtom(CompiledScript& script, int32_t atom) {
  script.AppendWord(kWordPushAtom);
  script.AppendWord(static_cast<uint32_t>(atom));
}

void EmitPopResult(CompiledScript& script) {
  script.AppendWord(kWordPopResult);
  script.AppendWord(1);
}

void EmitReturn(CompiledScript& script, bool withValue) {
  script.AppendWord(kWordReturn);
  script.AppendWord(withValue ? 1u : 0u);
}

void EmitResolveName(CompiledScript& script) { script.AppendWord(kWordResolveName); }

void EmitJump(CompiledScript& script, ScriptOpcode opcode, int32_t label) {
  script.AppendWord(MakeInstructionWord(opcode, 1));
  script.AppendWord(static_cast<uint32_t>(label));
}
