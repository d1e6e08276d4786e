// ScriptActivation: one running invocation of script code (see
// activation.h).
#include "script/frames/activation.h"

#include "script/bytecode/compiled_script.h"
#include "script/values/value_store.h"

void ScriptActivation::SetStore(ScriptValueStore* s) {
  store = s;
  scopes.SetStore(s);
}

void ScriptActivation::SetCode(CompiledScript* script, int32_t start, int32_t stop) {
  CompiledScript::Assign(&code, script);
  position = start;
  end = stop;
}

void ScriptActivation::SetThis(ScriptValueHandle value) {
  ScriptValueHandle old = thisValue;
  thisValue = kScriptEmptyHandle;
  if (store != nullptr) {
    store->CopyValue(value, &thisValue);
    store->Release(&old);
  }
}

void ScriptActivation::Clear() {
  CompiledScript* script = code;
  code = nullptr;
  position = 0;
  end = 0;
  argumentCount = 0;
  keepResult = 0;
  construct = 0;
  stackDepth = 0;
  line = 0;
  name.Clear();
  ScriptValueHandle self = thisValue;
  thisValue = kScriptEmptyHandle;
  scopes.Clear();
  if (store != nullptr) store->Release(&self);
  if (script != nullptr) script->Release();
}

void ScriptActivation::MoveFrom(ScriptActivation& other) {
  if (&other == this) return;
  // The call stack moves activations into cleared places and leaves the
  // places it takes from cleared: nothing to release on either side then.
  if (code != nullptr || thisValue != kScriptEmptyHandle || scopes.Depth() != 0 ||
      name.buffer != nullptr) {
    Clear();
  }
  if (store == nullptr) SetStore(other.store);
  code = other.code;
  other.code = nullptr;
  position = other.position;
  end = other.end;
  argumentCount = other.argumentCount;
  keepResult = other.keepResult;
  construct = other.construct;
  thisValue = other.thisValue;
  other.thisValue = kScriptEmptyHandle;
  scopes.MoveFrom(other.scopes);
  stackDepth = other.stackDepth;
  line = other.line;
  name = std::move(other.name);
  // What is left of the other is plain fields: reset, not released.
  other.position = 0;
  other.end = 0;
  other.argumentCount = 0;
  other.keepResult = 0;
  other.construct = 0;
  other.stackDepth = 0;
  other.line = 0;
}
