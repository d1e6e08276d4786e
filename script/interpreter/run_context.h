// Helpers over the state of a run (ScriptCallFrame) for callers that drive
// a run in steps themselves (script pages): its error so far, values of the
// run converted in place with the failure kept in the run, copies of the
// error record, and the end of a run that is abandoned.
#pragma once

#include <cstdint>

#include "script/interpreter/script_errors.h"
#include "script/values/script_value.h"

struct ScriptCallFrame;

// True when the run has no status; otherwise *error receives the status,
// the detail, and the line and name of the activation that was running.
bool GetScriptRunError(const ScriptCallFrame& frame, ScriptRuntimeError* error);

// Convert a value of the run in place (boolean, number, string); a failure
// becomes the run's status (the first one stays). True while the run has
// no status.
bool ConvertRunValueToBoolean(ScriptCallFrame* frame, ScriptValueHandle* value);
bool ConvertRunValueToNumber(ScriptCallFrame* frame, ScriptValueHandle* value);
bool ConvertRunValueToString(ScriptCallFrame* frame, ScriptValueHandle* value);

// Copies an error record (status, line, name, detail).
void CopyRunPosition(ScriptRuntimeError* to, const ScriptRuntimeError& from);

// Ends a run that will not be resumed: its values, activations and scopes
// are released and the frame deleted (null does nothing).
void DestroyRunContext(ScriptCallFrame* frame);
