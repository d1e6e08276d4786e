// Declaring a script's names before its code runs: the functions and
// variables of the top level go into the object that receives declarations
// (ExecuteCompiledScript), and a call of a script function gets a fresh
// parameter scope holding its parameters, functions and variables
// (PrepareFunctionActivation).
//
// Declarations are taken in source order. A function becomes a
// ScriptFunctionObject stored under its name; a variable becomes a member
// that is undefined until assigned (an existing member keeps its value); a
// parameter is bound to its argument or to undefined.
#pragma once

#include <cstdint>

class CompiledScript;
class ScriptObject;
class ScriptOperandStack;
class ScriptScopeChain;
class ScriptValueStore;

// Declares the declarations of `scope` (a code range index, -1 for the top
// level) other than parameters in the variable object; function objects get
// a copy of `chain`. kScriptNoMemory without memory; otherwise the first failure of
// the object.
int32_t* DeclareScriptNames(int32_t* status, CompiledScript* script, int32_t scope,
                            ScriptObject* variables, const ScriptScopeChain& chain,
                            ScriptValueStore* store);

// The top-level declarations of the script in the variable object; runs no
// code.
int32_t* ExecuteCompiledScript(int32_t* status, CompiledScript* script, ScriptObject* variables,
                               const ScriptScopeChain& chain, ScriptValueStore* store);

// What the calls of one function share (ScriptFunctionObject keeps it):
// the name stamp of its parameter scopes (0 until the first call has been
// bound), its parameter count, and whether it declares functions.
struct ScriptCallLayout {
  uint64_t stamp = 0;
  uint32_t parameters = 0;
  uint8_t declaresFunctions = 0;
};

// The chain of a call of function `rangeIndex` of the script: *callChain
// (replaced) becomes a copy of `chain` topped by a new plain object, marked
// as the variable scope, in which parameter i is argument i of the top
// argumentCount values of the stack (read through member references; an
// argument past the count gives undefined) and the function's own functions
// and variables are declared. The first failure ends the steps. The names
// of the parameter scope are the same on every call of the range: with a
// layout (the caller's, empty at first) the scope shares the stamp of that
// layout (ScriptDynamicObject::ShareNameStamp), and a released scope of the
// layout is taken again with its names, so that only the values are bound.
int32_t* PrepareFunctionActivation(int32_t* status, CompiledScript* script,
                                   const ScriptScopeChain& chain, int32_t rangeIndex,
                                   uint32_t argumentCount, ScriptOperandStack* stack,
                                   ScriptScopeChain* callChain, ScriptCallLayout* layout = nullptr);
