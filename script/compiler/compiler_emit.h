// The instruction emitters of the compiler: one per instruction form. Each
// appends its words to the CompiledScript; a failed allocation sets the
// script's error flag and the compile fails at its end.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/bytecode/instruction_set.h"

class CompiledScript;

void EmitLine(CompiledScript& script, int32_t line);
void EmitOperate(CompiledScript& script, int32_t op);
// A call (kOperatorCall) or `new` (kOperatorNew) with its argument count.
void EmitOperateCall(CompiledScript& script, int32_t op, int32_t argumentCount);
void EmitPushNameString(CompiledScript& script, const SharedWideString& name);
void EmitPushNameIndex(CompiledScript& script, int32_t stringIndex);
void EmitPushString(CompiledScript& script, const SharedWideString& text);
void EmitPushNumber(CompiledScript& script, double value);
void EmitPushInteger(CompiledScript& script, int32_t value);
void EmitPushBoolean(CompiledScript& script, bool value);
void EmitPushAtom(CompiledScript& script, int32_t atom);
void EmitPopResult(CompiledScript& script);
void EmitReturn(CompiledScript& script, bool withValue);
void EmitResolveName(CompiledScript& script);
// Jump, JumpIfFalse or JumpIfTrue to a label (resolved later).
void EmitJump(CompiledScript& script, ScriptOpcode opcode, int32_t label);
