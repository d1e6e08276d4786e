// Installing the built-in objects into a global object: Math (the
// interpreter's own), eval, and new String, Date and Object constructors,
// each stored as a member of the global object under its name. The
// interpreter calls this when it prepares a script context; host programs
// and tests call it on their own globals.
#pragma once

#include <cstdint>

class ScriptObject;
class ScriptValueStore;

// Stores "Math" (an object value of math, which stays the caller's), "eval"
// (an object value with no object and sub-code 245), "String", "Date" and
// "Object" (new constructors owned by the store) as members of global. The
// status is the first failure: 1 when a constructor cannot be made, or what
// storing the member answers. Members stored before a failure stay.
int32_t* InstallScriptBuiltins(int32_t* status, ScriptValueStore* store, ScriptObject* math,
                               ScriptObject* global);
