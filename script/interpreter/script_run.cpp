// Preparing, running and finishing a script run (see script_run.h).
#include "script/interpreter/script_run.h"

#include "platform/memory/allocator.h"
#include "script/bytecode/compiled_script.h"
#include "script/interpreter/error_reporter.h"
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_steps.h"
#include "script/frames/scope_chain.h"
#include "script/frames/scope_declarations.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Pushes a reference to the named function of the innermost scope and
// calls it with no arguments.
void CallNamedFunction(ScriptInterpreter* interpreter, ScriptCallFrame* frame,
                       ScriptObject* scope, const SharedWideString& name) {
  ScriptNameToken token;
  token.SetText(name);
  ScriptMemberRef ref;
  ref.owner = scope;
  int32_t status = kScriptOk;
  if (*scope->ResolveMember(&status, token, &ref, 0) != kScriptOk) {
    if (status == kScriptMemberUnknown) {
      frame->Fail(status, name);
    } else {
      frame->Fail(status);
    }
    return;
  }
  ScriptValueHandle callee = kScriptEmptyHandle;
  if (*frame->store->NewReference(&status, ref, &callee) != kScriptOk ||
      *frame->operands.Push(&status, &callee) != kScriptOk) {
    frame->Fail(status);
    return;
  }
  CallScriptFunction(interpreter, frame, 0, false);
}

}  // namespace

int32_t* PrepareScriptRun(ScriptInterpreter* interpreter, int32_t* status,
                          ScriptCallFrame** frameOut, CompiledScript* script,
                          const ScriptScopeChain& chain, ScriptValueStore* store,
                          ScriptValueHandle thisValue, const SharedWideString* functionName) {
  ScriptCallFrame* frame = DeviceNew<ScriptCallFrame>(store);
  *frameOut = frame;
  if (frame == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  frame->budget.Start(interpreter->GetInstructionBudget());
  ScriptActivation& top = *frame->current;
  top.line = 1;
  int32_t step = kScriptOk;
  frame->Fail(*top.scopes.CopyFrom(&step, chain));
  top.SetThis(thisValue);
  if (script == nullptr || script->HasError()) frame->Fail(kScriptCannotParse);
  if (!frame->Failed()) {
    ScriptObject* variables = top.scopes.GetTopObject();
    frame->Fail(*ExecuteCompiledScript(&step, script, variables, top.scopes, store));
    if (functionName == nullptr) {
      top.SetCode(script, 0, static_cast<int32_t>(script->CodeCount()));
    } else {
      // The run is the call: the first activation has no code of its own,
      // and its end, after the function returns, ends the run.
      frame->functionCall = 1;
      top.SetCode(script, 0, 0);
      if (variables == nullptr) frame->Fail(kScriptMemberUnknown, *functionName);
      if (!frame->Failed()) {
        CallNamedFunction(interpreter, frame, variables, *functionName);
        SetScriptMemberByName(&step, store, variables, *functionName, kScriptEmptyHandle);
      }
    }
  }
  *status = frame->error.status;
  return status;
}

int32_t FindScriptLine(const CompiledScript* script, int32_t position) {
  int32_t line = 1;
  if (script == nullptr || position <= 0) return line;
  const uint32_t* code = script->Code();
  uint32_t stop = static_cast<uint32_t>(position);
  if (stop > script->CodeCount()) stop = script->CodeCount();
  for (uint32_t p = 0; p < stop;) {
    uint32_t word = code[p];
    uint32_t count = InstructionOperandCount(word);
    if (count >= script->CodeCount() - p) break;
    if (InstructionOpcode(word) == static_cast<uint32_t>(ScriptOpcode::Line) && count == 1) {
      line = static_cast<int32_t>(code[p + 1]);
    }
    p += 1 + count;
  }
  return line;
}

ScriptRuntimeError* FinishScriptRun(ScriptInterpreter* interpreter, ScriptRuntimeError* error,
                                    ScriptCallFrame* frame, ScriptValueHandle* result) {
  error->Clear();
  if (frame == nullptr) {
    error->status = kScriptNoMemory;
    ReportScriptError(interpreter, *error);
    return error;
  }
  ScriptValueStore* store = frame->store;
  if (frame->functionCall != 0 && !frame->Failed() && frame->operands.Depth() != 0) {
    ScriptValueHandle returned = kScriptEmptyHandle;
    frame->operands.Pop(&returned, 1);
    store->MoveValue(&returned, &frame->result);
  }
  if (result != nullptr) {
    store->MoveValue(&frame->result, result);
  } else {
    store->Release(&frame->result);
  }
  error->status = frame->error.status;
  error->detail.Assign(frame->error.detail);
  if (error->status != kScriptOk) {
    const ScriptActivation& activation = *frame->current;
    error->name.Assign(activation.name);
    // The position is past the failed instruction: the line looked up is
    // that of the instruction itself.
    error->line = activation.line >= 0 ? activation.line
                                       : FindScriptLine(activation.code, activation.position - 1);
  }
  delete frame;
  ReportScriptError(interpreter, *error);
  return error;
}

int32_t* RunCompiledScript(ScriptInterpreter* interpreter, int32_t* status,
                           CompiledScript* script, const ScriptScopeChain& chain,
                           ScriptValueStore* store, ScriptValueHandle thisValue,
                           const SharedWideString* functionName, ScriptValueHandle* result,
                           ScriptRuntimeError* error) {
  ScriptCallFrame* frame = nullptr;
  PrepareScriptRun(interpreter, status, &frame, script, chain, store, thisValue, functionName);
  if (frame != nullptr && *status == kScriptOk) {
    bool finished = false;
    ExecuteInstructions(interpreter, status, frame, &finished, nullptr, nullptr);
  }
  ScriptRuntimeError record;
  ScriptRuntimeError* target = error != nullptr ? error : &record;
  FinishScriptRun(interpreter, target, frame, result);
  *status = target->status;
  return status;
}

void ReportScriptError(ScriptInterpreter* interpreter, const ScriptRuntimeError& error) {
  if (interpreter == nullptr || error.status == kScriptOk) return;
  ScriptErrorReporter* sink = interpreter->GetErrorSink();
  if (sink == nullptr) return;
  SharedWideString text;
  if (!FormatScriptError(error, sink, &text)) return;
  sink->MessageBox(kMessageBoxNoCaption, text, kMessageBoxError);
}
