// The built-in objects every script sees (Math, String, Date, Object and
// eval) and the hook through which the built-ins reach the interpreter.
//
// The interpreter does not know the built-ins' classes: it asks a table of
// factories for them. Until the built-ins install their table, stand-ins
// answer: they resolve every member, so `new Date()` and `Math.abs(1)`
// compile and run as far as the call, which then fails with kScriptNotImplemented
// ("Not yet implemented"); a member of a string value fails the same way.
// The built-ins fill the table with their own functions (one assignment per
// entry in interpreter_builtins.cpp, or SetScriptBuiltinTable at start).
#pragma once

#include <cstdint>

#include "script/objects/script_object.h"
#include "script/values/script_value.h"

class ScriptErrorReporter;
class ScriptInterpreter;
class ScriptValueStore;

struct ScriptBuiltinTable {
  // The Math object of a new interpreter, owned by it and deleted with it
  // (so it detaches itself from its store in its destructor and is not
  // deleted by NotifyStore). Null when memory runs out.
  ScriptObject* (*newMath)();
  // Hands the interpreter's error sink to its Math object; may be null.
  void (*setMathErrorSink)(ScriptObject* math, ScriptErrorReporter* sink);
  // The String and Date constructors: store-owned (they delete themselves
  // on NotifyStore(kScriptStoreReleased)). Null when memory runs out.
  ScriptObject* (*newStringConstructor)();
  ScriptObject* (*newDateConstructor)();
  // A string value made into a String object value (member access on a
  // string, Object("text")).
  ScriptStringWrapper wrapString;
};

// The table in force: the built-ins' once installed, else the stand-ins.
const ScriptBuiltinTable& GetScriptBuiltinTable();
// Installs a table (null: the stand-ins again). The table must outlive its
// use.
void SetScriptBuiltinTable(const ScriptBuiltinTable* table);

// Makes *global (released first) an object value of `global`, or of a new
// plain object when none is given, and stores in it "Math" (the
// interpreter's), "eval" (the value with no object and sub-code kAtom_eval),
// "String", "Date" and "Object" (a callable ScriptDynamicObject). kScriptNoMemory
// when a built-in cannot be made; otherwise the first failure.
int32_t* InstallBuiltinObjects(ScriptInterpreter* interpreter, int32_t* status,
                               ScriptValueStore* store, ScriptValueHandle* global,
                               ScriptObject* globalObject);
