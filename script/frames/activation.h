// ScriptActivation: the state of one running invocation of script code (the
// top-level code of a run, a function call, an eval text): its code and the
// position in it, the values it was called with, its scope chain and what an
// error report names (function name, current line).
//
// An activation holds one reference of its CompiledScript (kept alive while
// the activation exists, even when the function object that started it is
// gone) and one of its this-value. Activations are moved, never copied: the
// call stack keeps the suspended ones by value.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/frames/scope_chain.h"
#include "script/values/script_value.h"

class CompiledScript;
class ScriptValueStore;

class ScriptActivation {
 public:
  ScriptActivation() = default;
  // Releases the script, the this-value and the scopes.
  ~ScriptActivation() { Clear(); }
  ScriptActivation(const ScriptActivation&) = delete;
  ScriptActivation& operator=(const ScriptActivation&) = delete;

  // The store of the handles (this-value, scopes).
  void SetStore(ScriptValueStore* store);
  ScriptValueStore* GetStore() const { return store; }

  // Points the activation at words [start, end) of the script (a reference
  // taken; the previous script released) and positions it at start.
  void SetCode(CompiledScript* script, int32_t start, int32_t end);
  // *this-value (released first) becomes a copy of the value.
  void SetThis(ScriptValueHandle value);
  // Releases everything and returns to the state of a new activation (the
  // store kept).
  void Clear();
  // Takes everything of the other (which is left cleared); this one's own
  // contents are released first.
  void MoveFrom(ScriptActivation& other);

  CompiledScript* code = nullptr;  // counted reference
  int32_t position = 0;            // next instruction word
  int32_t end = 0;                 // one past the last word of the range
  uint32_t argumentCount = 0;      // the call leaves argumentCount + 1 values to pop
  uint8_t keepResult = 0;          // the last PopResult is the result at the end (eval)
  uint8_t construct = 0;           // a constructor called with new
  ScriptValueHandle thisValue = kScriptEmptyHandle;
  ScriptScopeChain scopes;
  uint32_t stackDepth = 0;         // operand-stack depth when the code was entered
  int32_t line = 0;                // set by Line
  SharedWideString name;           // empty for top-level code
  ScriptValueStore* store = nullptr;
};
