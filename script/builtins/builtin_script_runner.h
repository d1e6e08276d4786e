// ScriptProgramRunner: runs a standalone script program the way a page runs
// its scripts, with a plain host. The global object is a ScriptGlobalObject
// (the global functions and values, and the program's own variables) holding
// the built-ins and `Response`, whose `Write(x)` hands the text of x to a
// sink: one call, one piece of text, nothing added. The script runner tool,
// the differential corpus and the benchmarks run programs through it.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/builtins/builtin_global_object.h"
#include "script/compiler/compiler.h"
#include "script/interpreter/interpreter.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/frames/scope_chain.h"
#include "script/interpreter/script_errors.h"
#include "script/values/value_store.h"

// Receives what Response.Write prints.
using ScriptWriteSink = void (*)(void* data, const WCHAR* text, uint32_t length);

// The `Response` object: Write (kAtom_Write) with exactly one argument (else
// kScriptBadParameterCount) converts it to text and hands it to the sink; the answer is
// undefined. Owned by its runner; it detaches itself from the store when
// destroyed.
class ScriptResponseObject : public ScriptObject {
 public:
  ScriptResponseObject(ScriptWriteSink sink, void* data) : sink_(sink), data_(data) {}
  ~ScriptResponseObject() override;

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

 private:
  ScriptWriteSink sink_;
  void* data_;
  ScriptValueStore* store_ = nullptr;
};

// What a run ends with: whether the text compiled (and if not, why), and the
// runtime error record (kScriptOk when the run ended well).
struct ScriptProgramOutcome {
  bool compiled = false;
  ScriptCompileError compileError;
  ScriptRuntimeError error;
};

class ScriptProgramRunner {
 public:
  // Builds the context with the built-ins; Ready() tells whether that
  // worked.
  ScriptProgramRunner(ScriptWriteSink sink, void* data);
  ~ScriptProgramRunner();
  ScriptProgramRunner(const ScriptProgramRunner&) = delete;
  ScriptProgramRunner& operator=(const ScriptProgramRunner&) = delete;

  bool Ready() const { return setupStatus_ == 0; }
  int32_t SetupStatus() const { return setupStatus_; }

  // Compiles the text and runs it in the context: its variables and
  // functions stay for the next run. False when it did not compile or the
  // run ended with a status.
  bool Run(const SharedWideString& source, ScriptProgramOutcome* outcome);
  // Runs a script compiled (or loaded) beforehand, as Run does after its
  // compile; the caller keeps its reference.
  bool RunCompiled(CompiledScript* script, ScriptProgramOutcome* outcome);

  // The instructions each run may execute before it is stopped with status
  // 29 (0: no limit); the interpreter's default until set.
  void SetInstructionBudget(uint32_t instructions);

  // Puts a host object inside the global scope, so that its members answer
  // first (scriptrun's document host); the caller keeps the object alive
  // while the runner lives. False when memory runs out.
  bool PushScope(ScriptObject* host);

  ScriptValueStore& Store() { return store_; }
  ScriptGlobalObject& Global() { return global_; }

 private:
  ScriptValueStore store_;
  ScriptInterpreter* interpreter_ = nullptr;
  ScriptGlobalObject global_;
  ScriptResponseObject response_;
  ScriptValueHandle globalValue_ = kScriptEmptyHandle;
  ScriptScopeChain chain_;
  int32_t setupStatus_ = 0;
};

// The text a runner tool prints for an outcome that failed, without a line
// break: "compile error CODE at LINE:COLUMN: MESSAGE" or "script error
// STATUS at line LINE: MESSAGE" (the message followed by the detail).
bool FormatScriptProgramFailure(const ScriptProgramOutcome& outcome, SharedWideString* text);
