// Running a compiled script from start to end: preparing the run (its frame,
// the declarations of the script, and for an event handler the call of the
// named function), running it, and finishing it (its result, its error
// record, the message box when it failed).
//
// The calling sequence of every subsystem that runs script text:
//   create and compile a CompiledScript (compiler.h), then either
//   RunCompiledScript, or, for a run that pauses (script pages),
//   PrepareScriptRun, ExecuteInstructions (interpreter.h) as often as
//   needed, FinishScriptRun.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/interpreter/script_errors.h"
#include "script/values/script_value.h"

class CompiledScript;
class ScriptInterpreter;
class ScriptScopeChain;
class ScriptValueStore;
struct ScriptCallFrame;

// Makes the frame of a run (*frame; null and kScriptNoMemory without memory): the
// first activation gets a copy of the chain and of the this-value, and the
// script's declarations go into the innermost scope's object. Without a
// function name the run executes the script's top-level code. With one, the
// innermost scope's object resolves the name and the function is called
// with no arguments; that member is then emptied, so the handler does not
// linger. The run takes the interpreter's instruction budget. A failure is
// kept in the frame (and answered): a script that did not compile gives
// kScriptCannotParse; FinishScriptRun reports it.
int32_t* PrepareScriptRun(ScriptInterpreter* interpreter, int32_t* status,
                          ScriptCallFrame** frame, CompiledScript* script,
                          const ScriptScopeChain& chain, ScriptValueStore* store,
                          ScriptValueHandle thisValue, const SharedWideString* functionName);

// Ends a run: a function-call run's result is the value its function
// returned; the result is moved to *result (released first) or released;
// *error receives the status and detail and, for a failure, the name and
// line of the activation that was running; the frame is destroyed (frame
// may be null: kScriptNoMemory). The error is then shown through the interpreter's
// error sink. Answers error.
ScriptRuntimeError* FinishScriptRun(ScriptInterpreter* interpreter, ScriptRuntimeError* error,
                                    ScriptCallFrame* frame, ScriptValueHandle* result);

// PrepareScriptRun, ExecuteInstructions without pause, FinishScriptRun. The
// status is the first failure; *error (when given) gets the record.
int32_t* RunCompiledScript(ScriptInterpreter* interpreter, int32_t* status,
                           CompiledScript* script, const ScriptScopeChain& chain,
                           ScriptValueStore* store, ScriptValueHandle thisValue,
                           const SharedWideString* functionName, ScriptValueHandle* result,
                           ScriptRuntimeError* error = nullptr);

// Shows the error in a message box of the error kind, without caption, when
// the interpreter has an error sink and the status is not 0.
void ReportScriptError(ScriptInterpreter* interpreter, const ScriptRuntimeError& error);

// The line an activation reports when no Line instruction has run in it
// yet: that of the last Line word before `position` in the script's code
// (1 when there is none).
int32_t FindScriptLine(const CompiledScript* script, int32_t position);
