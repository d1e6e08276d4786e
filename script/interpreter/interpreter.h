// ScriptInterpreter and the run loop: executes the instruction words of a
// CompiledScript against a ScriptValueStore and a scope chain.
//
// The whole state of one run is a ScriptCallFrame: the running activation,
// the activations suspended by calls, the operand stack, the run's result and
// its error record. The loop reads one instruction at a time (a switch on the
// opcode, operand words read in place) and stops when the outermost
// activation ends or a status is set; the first status of a run is kept and
// the run stops after the instruction that set it. Calls of script functions
// do not recurse in C: the caller's activation is suspended on the call
// stack and the loop goes on in the callee's code, so recursion in a script
// costs only heap, capped at kScriptMaxCallDepth activations.
//
// A run can pause after any instruction (a callback answers true) and be
// resumed by calling ExecuteInstructions again with the same frame; script
// pages use this. Preparing and finishing runs is in script_run.h.
//
// A run executes at most its interpreter's instruction budget (set by the
// host): one that has used it up and not ended stops with kScriptStopped,
// kScriptStopped (instruction_budget.h).
//
// Code from storage is not trusted by the loop: an instruction whose operand
// words run past its function's range, an unknown opcode or a wrong operand
// count gives kScriptBadOpcode, and a jump outside the range ends the function.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/frames/activation.h"
#include "script/frames/call_stack.h"
#include "script/interpreter/instruction_budget.h"
#include "script/frames/operand_stack.h"
#include "script/interpreter/script_errors.h"
#include "script/values/script_status.h"
#include "script/values/script_value.h"

class ScriptErrorReporter;
class ScriptObject;
class ScriptValueStore;

// The whole state of one run.
struct ScriptCallFrame {
  explicit ScriptCallFrame(ScriptValueStore* store);
  // Releases the result and the operand stack, then clears the activations
  // of the calls (the innermost first) and the outer one.
  ~ScriptCallFrame();
  ScriptCallFrame(const ScriptCallFrame&) = delete;
  ScriptCallFrame& operator=(const ScriptCallFrame&) = delete;

  // Keeps the first failure of the run: a later status does not overwrite
  // it. kScriptOk is ignored.
  void Fail(int32_t status) {
    if (status != kScriptOk && error.status == kScriptOk) error.status = status;
  }
  // The same with the detail text (the unknown name or member).
  void Fail(int32_t status, const SharedWideString& detail);
  bool Failed() const { return error.status != 0; }

  ScriptValueStore* store;
  uint8_t functionCall = 0;  // the run calls a named function of the script
  uint8_t ended = 0;         // the outermost activation has ended
  // The activation of the run's own code, under every call's.
  ScriptActivation outer;
  // The running activation: outer, or the innermost call's on `calls`.
  ScriptActivation* current = &outer;
  ScriptValueHandle result = kScriptEmptyHandle;
  ScriptOperandStack operands;
  ScriptCallStack calls;
  ScriptRuntimeError error;
  ScriptInstructionBudget budget;  // no limit until PrepareScriptRun sets one
};

// Answers true when the run should pause after the instruction just
// executed.
using ScriptPauseCallback = bool (*)(void* data);

class ScriptInterpreter {
 public:
  // No error sink; its own Math object (null when memory ran out).
  ScriptInterpreter();
  // Destroys the Math object.
  ~ScriptInterpreter();
  ScriptInterpreter(const ScriptInterpreter&) = delete;
  ScriptInterpreter& operator=(const ScriptInterpreter&) = delete;

  // The application that shows script errors (none: errors are not shown).
  void SetErrorSink(ScriptErrorReporter* sink) { errorSink_ = sink; }
  ScriptErrorReporter* GetErrorSink() const { return errorSink_; }

  // The interpreter's Math object (owned), or null when memory ran out.
  ScriptObject* GetMathObject() const { return math_; }

  // The number of instructions each run may execute before it is stopped
  // with kScriptStopped (0: no limit). A run takes the budget when it is
  // prepared; kScriptDefaultInstructionBudget until the host sets one.
  void SetInstructionBudget(uint32_t instructions) { instructionBudget_ = instructions; }
  uint32_t GetInstructionBudget() const { return instructionBudget_; }

  // "undefinedobjectbooleannumberstringfunction", set on the first run;
  // false when it cannot be set (no memory).
  bool EnsureTypeofText();
  // A piece of the typeof text: 0 undefined, 1 object, 2 boolean, 3 number,
  // 4 string, 5 function.
  void GetTypeofName(int32_t piece, SharedWideString* text) const;

 private:
  SharedWideString typeofText_;
  ScriptErrorReporter* errorSink_ = nullptr;
  ScriptObject* math_ = nullptr;
  uint32_t instructionBudget_ = kScriptDefaultInstructionBudget;
};

inline constexpr int32_t kTypeofUndefined = 0;
inline constexpr int32_t kTypeofObject = 1;
inline constexpr int32_t kTypeofBoolean = 2;
inline constexpr int32_t kTypeofNumber = 3;
inline constexpr int32_t kTypeofString = 4;
inline constexpr int32_t kTypeofFunction = 5;

// Runs the frame's instructions until the outermost activation ends, a
// status is set, the frame's instruction budget is used up (kScriptStopped), or
// the pause callback (when given) answers true after an instruction that
// set no status. *finished tells which: false after a pause (the status is
// then 0 and another call goes on where the run stopped), true otherwise,
// with the run's status.
int32_t* ExecuteInstructions(ScriptInterpreter* interpreter, int32_t* status,
                             ScriptCallFrame* frame, bool* finished, ScriptPauseCallback pause,
                             void* data);
