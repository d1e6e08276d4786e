// Running standalone script programs (see builtin_script_runner.h).
#include "script/builtins/builtin_script_runner.h"

#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "script/builtins/builtin_arguments.h"
#include "script/bytecode/compiled_script.h"
#include "script/interpreter/interpreter_builtins.h"
#include "script/values/name_table.h"
#include "script/frames/operand_stack.h"
#include "script/interpreter/script_run.h"
#include "script/values/script_status.h"

ScriptResponseObject::~ScriptResponseObject() {
  if (store_ != nullptr) store_->DetachObject(this);
}

void ScriptResponseObject::NotifyStore(int32_t event, ScriptValueStore* store) {
  store_ = event == kScriptStoreAttached ? store : nullptr;
}

int32_t* ScriptResponseObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                             ScriptMemberRef* ref, uint8_t /*create*/) {
  if (!ref->IsSelf() || name.atom != kAtom_Write) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->subCode = kAtom_Write;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptResponseObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                      uint32_t argumentCount, ScriptOperandStack* stack,
                                      ScriptValueHandle* /*result*/) {
  if (ref.memberCode != -1 || ref.subCode != kAtom_Write) {
    *status = kScriptInvalidType;
    return status;
  }
  if (argumentCount != 1) {
    *status = kScriptBadParameterCount;
    return status;
  }
  SharedWideString text;
  if (*ArgumentToString(status, stack, argumentCount, 0, &text) != kScriptOk) return status;
  if (sink_ != nullptr && text.length > 0) sink_(data_, text.Chars(), text.length);
  return status;
}

ScriptProgramRunner::ScriptProgramRunner(ScriptWriteSink sink, void* data)
    : response_(sink, data) {
  interpreter_ = DeviceNew<ScriptInterpreter>();
  if (interpreter_ == nullptr || interpreter_->GetMathObject() == nullptr) {
    setupStatus_ = kScriptNoMemory;
    return;
  }
  chain_.SetStore(&store_);
  int32_t status = kScriptOk;
  if (*InstallBuiltinObjects(interpreter_, &status, &store_, &globalValue_, &global_) !=
      kScriptOk) {
    setupStatus_ = status;
    return;
  }
  ScriptValueHandle response = kScriptEmptyHandle;
  SharedWideString name;
  GetAtomText(kAtom_Response, &name);
  if (*store_.NewObject(&status, &response_, &response) == kScriptOk) {
    SetScriptMemberByName(&status, &store_, &global_, name, response);
    store_.Release(&response);
  }
  if (status == kScriptOk) chain_.PushValue(&status, globalValue_, true);
  setupStatus_ = status;
}

ScriptProgramRunner::~ScriptProgramRunner() {
  chain_.Clear();
  store_.Release(&globalValue_);
  global_.ReleaseMembers();
  delete interpreter_;
}

bool ScriptProgramRunner::PushScope(ScriptObject* host) {
  int32_t status = kScriptOk;
  return *chain_.PushObject(&status, host, false) == kScriptOk;
}

void ScriptProgramRunner::SetInstructionBudget(uint32_t instructions) {
  if (interpreter_ != nullptr) interpreter_->SetInstructionBudget(instructions);
}

bool ScriptProgramRunner::Run(const SharedWideString& source, ScriptProgramOutcome* outcome) {
  outcome->compiled = false;
  outcome->error.Clear();
  if (setupStatus_ != kScriptOk) {
    outcome->error.status = setupStatus_;
    return false;
  }
  CompiledScript* script = DeviceNew<CompiledScript>();
  if (script == nullptr) {
    outcome->error.status = kScriptNoMemory;
    return false;
  }
  script->AddReference();
  outcome->compiled = CompileScript(source, script, &outcome->compileError);
  if (outcome->compiled) RunCompiled(script, outcome);
  script->Release();
  return outcome->compiled && outcome->error.status == kScriptOk;
}

bool ScriptProgramRunner::RunCompiled(CompiledScript* script, ScriptProgramOutcome* outcome) {
  outcome->compiled = true;
  outcome->error.Clear();
  if (setupStatus_ != kScriptOk) {
    outcome->error.status = setupStatus_;
    return false;
  }
  int32_t status = kScriptOk;
  RunCompiledScript(interpreter_, &status, script, chain_, &store_, globalValue_, nullptr,
                    nullptr, &outcome->error);
  return outcome->error.status == kScriptOk;
}

namespace {

bool AppendAscii(SharedWideString* text, const char* ascii) {
  while (*ascii != '\0') {
    WCHAR c = static_cast<WCHAR>(static_cast<unsigned char>(*ascii++));
    if (!text->AppendChars(&c, 1)) return false;
  }
  return true;
}

}  // namespace

bool FormatScriptProgramFailure(const ScriptProgramOutcome& outcome, SharedWideString* text) {
  text->Clear();
  if (!outcome.compiled) {
    const ScriptCompileError& e = outcome.compileError;
    SharedWideString message;
    return AppendAscii(text, "compile error ") && text->AppendInt(e.code) &&
           AppendAscii(text, " at ") && text->AppendInt(e.line) && AppendAscii(text, ":") &&
           text->AppendInt(e.column) && AppendAscii(text, ": ") &&
           FormatScriptCompileError(e, &message) && text->Append(message);
  }
  const ScriptRuntimeError& e = outcome.error;
  const WCHAR* message = GetScriptStatusMessage(e.status);
  return AppendAscii(text, "script error ") && text->AppendInt(e.status) &&
         AppendAscii(text, " at line ") && text->AppendInt(e.line) && AppendAscii(text, ": ") &&
         (message == nullptr || text->AppendChars(message, WideStrLen(message))) &&
         text->Append(e.detail);
}
