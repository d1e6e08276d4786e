// Helpers over the state of a run (see run_context.h).
#include "script/interpreter/run_context.h"

#include "script/interpreter/interpreter.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

bool ConvertRunValue(ScriptCallFrame* frame, ScriptValueHandle* value, int32_t type) {
  int32_t status = kScriptOk;
  void* slot = nullptr;
  frame->store->ConvertInPlace(&status, value, type, &slot);
  frame->Fail(status);
  return !frame->Failed();
}

}  // namespace

bool GetScriptRunError(const ScriptCallFrame& frame, ScriptRuntimeError* error) {
  if (!frame.Failed()) return true;
  error->status = frame.error.status;
  error->detail.Assign(frame.error.detail);
  const ScriptActivation& activation = *frame.current;
  error->name.Assign(activation.name);
  // The position is past the failed instruction: its own line is asked for.
  error->line = activation.line >= 0 ? activation.line
                                     : FindScriptLine(activation.code, activation.position - 1);
  return false;
}

bool ConvertRunValueToBoolean(ScriptCallFrame* frame, ScriptValueHandle* value) {
  return ConvertRunValue(frame, value, kScriptTypeBoolean);
}

bool ConvertRunValueToNumber(ScriptCallFrame* frame, ScriptValueHandle* value) {
  return ConvertRunValue(frame, value, kScriptTypeNumber);
}

bool ConvertRunValueToString(ScriptCallFrame* frame, ScriptValueHandle* value) {
  return ConvertRunValue(frame, value, kScriptTypeString);
}

void CopyRunPosition(ScriptRuntimeError* to, const ScriptRuntimeError& from) {
  if (to == &from) return;
  to->status = from.status;
  to->line = from.line;
  to->name.Assign(from.name);
  to->detail.Assign(from.detail);
}

void DestroyRunContext(ScriptCallFrame* frame) { delete frame; }
