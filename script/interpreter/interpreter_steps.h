// The steps of the run loop that concern activations: name resolution, calls
// of script functions and host methods (`Operate` 28 and 71), eval, and the
// end of a function. The run loop (interpreter.cpp) and the preparation of a
// run (script_run.cpp) use them; nothing else should.
//
// Every step reports through the frame: a failure sets the frame's status
// (the first one is kept), and the run stops after the instruction.
#pragma once

#include <cstdint>

class ScriptInterpreter;
struct ScriptCallFrame;
struct ScriptMemberRef;
struct ScriptNameToken;
struct ScriptSiteCacheEntry;

// ResolveName: pops a name (a string or a name value) and pushes a reference
// to it found through the current activation's scope chain; `this` (kAtom_this)
// pushes the activation's this-value.
void ResolveScriptName(ScriptInterpreter* interpreter, ScriptCallFrame* frame);
// The same for a name already made a token: pushes its reference. With a
// cache entry, the look-up at word `site` goes through it (site_cache.h).
// With readNow the instruction that follows reads the top operand at once:
// the variable's value is pushed instead of its reference when that reads
// the same (ReadMemberAtOnce).
void ResolveScriptToken(ScriptCallFrame* frame, const ScriptNameToken& token,
                        ScriptSiteCacheEntry* entry, uint32_t site, bool readNow = false);

// The end of a look-up that found ref: pushes its reference, or with
// readNow the member's value when that reads the same (ReadMemberAtOnce).
void PushScopeReference(ScriptCallFrame* frame, const ScriptMemberRef& ref, bool readNow);

// A call with argumentCount arguments on top of the stack and the callee
// below them; construct for `new`. A host method answers at once (callee and
// arguments popped, its result pushed); a script function or an eval text
// becomes the current activation, the caller's suspended. On failure the
// callee and the arguments are popped and undefined pushed, so that the
// stack stays balanced; a stack that does not hold argumentCount + 1 values
// gives kScriptStackUnderflow and is left alone.
void CallScriptFunction(ScriptInterpreter* interpreter, ScriptCallFrame* frame,
                        uint32_t argumentCount, bool construct);

// The end of the current activation, by `Return` (returned) or by running
// off its end. With no suspended activation the run ends (*runEnded).
// Otherwise the result goes to the caller: read through a member reference,
// the this-value for a constructor that gave no object, undefined for none;
// the callee's values and the arguments are popped, the caller resumes and
// the result is pushed.
void EndScriptFunction(ScriptCallFrame* frame, bool returned, bool* runEnded);
