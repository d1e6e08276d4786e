// The built-in objects every script sees (Math, String, Date, Object and
// eval), installed in a global object. Every interpreter owns a real Math
// object from its construction; InstallBuiltinObjects adds the String and
// Date constructors and the Object constructor, which wraps strings into
// String objects.
#pragma once

#include <cstdint>

#include "script/objects/script_object.h"
#include "script/values/script_value.h"

class ScriptInterpreter;
class ScriptValueStore;

// Makes *global (released first) an object value of `global`, or of a new
// plain object when none is given, and stores in it "Math" (the
// interpreter's), "eval" (the value with no object and sub-code kAtom_eval),
// "String", "Date" and "Object" (a callable ScriptDynamicObject). kScriptNoMemory
// when a built-in cannot be made; otherwise the first failure.
int32_t* InstallBuiltinObjects(ScriptInterpreter* interpreter, int32_t* status,
                               ScriptValueStore* store, ScriptValueHandle* global,
                               ScriptObject* globalObject);
