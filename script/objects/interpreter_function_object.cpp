// ScriptFunctionObject: the value of a script function (see
// interpreter_function_object.h).
#include "script/objects/interpreter_function_object.h"

#include "script/frames/activation.h"
#include "script/bytecode/compiled_script.h"
#include "script/frames/scope_declarations.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptFunctionObject::~ScriptFunctionObject() {
  chain_.Clear();
  if (script_ != nullptr) script_->Release();
}

int32_t* ScriptFunctionObject::Init(int32_t* status, CompiledScript* script, int32_t rangeIndex,
                                    const ScriptScopeChain& chain, const SharedWideString& name) {
  CompiledScript::Assign(&script_, script);
  rangeIndex_ = rangeIndex;
  rangeChecked_ = 0;
  layout_ = ScriptCallLayout{};
  name_.Assign(name);
  chain_.SetStore(chain.GetStore());
  return chain_.CopyFrom(status, chain);
}

int32_t* ScriptFunctionObject::BindArguments(int32_t* status, ScriptOperandStack* stack,
                                             uint32_t argumentCount, ScriptScopeChain* chain) {
  if (script_ == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  return PrepareFunctionActivation(status, script_, chain_, rangeIndex_, argumentCount, stack,
                                   chain, &layout_);
}

int32_t* ScriptFunctionObject::EnterCode(int32_t* status, ScriptActivation* activation) {
  ScriptRunRange range;
  if (script_ == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  if (rangeChecked_ != 0) {
    // The script's ranges never change once it is made.
    activation->SetCode(script_, rangeStart_, rangeEnd_);
    activation->name.Assign(name_);
    *status = kScriptOk;
    return status;
  }
  if (!script_->GetCodeRange(rangeIndex_, &range)) {
    *status = kScriptDataCorrupted;
    return status;
  }
  if (range.start < 0 || range.start > range.end ||
      static_cast<uint32_t>(range.end) > script_->CodeCount()) {
    range.script->Release();
    *status = kScriptDataCorrupted;
    return status;
  }
  activation->SetCode(range.script, range.start, range.end);
  if (range.script == script_) {
    rangeStart_ = range.start;
    rangeEnd_ = range.end;
    rangeChecked_ = 1;
  }
  range.script->Release();  // the activation holds its own reference
  activation->name.Assign(name_);
  *status = kScriptOk;
  return status;
}

int32_t ScriptFunctionObject::GetKind() { return kScriptObjectKindFunction; }

int32_t* ScriptFunctionObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                             ScriptMemberRef* ref, uint8_t) {
  if (!ref->IsSelf() || name.atom != kScriptSubCodeConstruct) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = -1;
  ref->subCode = kScriptSubCodeConstruct;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptFunctionObject::GetMemberValue(int32_t* status, const ScriptMemberRef&,
                                              ScriptValueStore*, ScriptValueHandle*, int32_t) {
  *status = kScriptCannotGet;
  return status;
}

bool ScriptFunctionObject::VisitHeldValues(HeldValueVisitor visit, void* data) {
  for (uint32_t i = 0; i < chain_.Depth(); ++i) visit(data, chain_.At(i));
  return true;
}

void ScriptFunctionObject::DropHeldValues() { chain_.Clear(); }

void ScriptFunctionObject::NotifyStore(int32_t event, ScriptValueStore*) {
  if (event == kScriptStoreReleased) delete this;
}
