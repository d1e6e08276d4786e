// ScriptContext: what one browser window needs to run the scripts of its
// pages: the window's value store (shared, not owned), the interpreter, the
// global object value (the empty handle while there is none), the scope
// chain every page script starts from, and the timers of setTimeout and
// setInterval. A frame view has none: every script of a window runs in the
// context of the application's current document view.
#pragma once

#include "script/frames/scope_chain.h"
#include "script/interpreter/interpreter.h"
#include "script/timers/script_timers.h"
#include "script/values/script_value.h"

class ScriptValueStore;

struct ScriptContext {
  explicit ScriptContext(ScriptValueStore* store) : valueStore(store), scopeChain(store) {}
  ScriptContext(const ScriptContext&) = delete;
  ScriptContext& operator=(const ScriptContext&) = delete;

  ScriptValueStore* valueStore;
  ScriptInterpreter interpreter;
  ScriptValueHandle globalObject = kScriptEmptyHandle;
  ScriptScopeChain scopeChain;
  ScriptTimers timers;
};
