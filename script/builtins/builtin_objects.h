// The built-in objects' entry in the interpreter's table of built-ins: the
// factories of the Math object, the String and Date constructors and the
// wrapper of strings into String objects. A program installs it once at
// start (UseScriptBuiltinObjects); interpreters made afterwards get a real
// Math object, and InstallBuiltinObjects real constructors.
#pragma once

#include "script/interpreter/interpreter_builtins.h"

extern const ScriptBuiltinTable kScriptBuiltinObjects;

// SetScriptBuiltinTable(&kScriptBuiltinObjects).
void UseScriptBuiltinObjects();
