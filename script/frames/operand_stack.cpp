// The operand stack of value handles (see operand_stack.h).
#include "script/frames/operand_stack.h"

#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptOperandStack::~ScriptOperandStack() { PopMany(nullptr, values_.count); }

int32_t* ScriptOperandStack::PushGrowing(int32_t* status, ScriptValueHandle* handle) {
  ScriptValueHandle* slot = values_.AppendSlot();
  if (slot == nullptr) {
    if (store_ != nullptr) store_->Release(handle);
    *handle = kScriptEmptyHandle;
    *status = kScriptNoMemory;
    return status;
  }
  *slot = *handle;
  *handle = kScriptEmptyHandle;
  *status = kScriptOk;
  return status;
}

void ScriptOperandStack::PopMany(ScriptValueHandle* handles, uint32_t n) {
  if (n > values_.count) n = values_.count;
  uint32_t first = values_.count - n;
  // The count drops first: a release may run an object's destructor, and
  // the stack must already be in its final state then.
  values_.count = first;
  for (uint32_t i = 0; i < n; ++i) {
    ScriptValueHandle* slot = values_.At(first + i);
    if (handles != nullptr) {
      handles[i] = *slot;
    } else if (store_ != nullptr) {
      store_->Release(slot);
    }
  }
}

int32_t* ScriptOperandStack::Require(int32_t* status, uint32_t n) const {
  *status = values_.count < n ? kScriptStackUnderflow : kScriptOk;
  return status;
}

void ScriptOperandStack::Replace(uint32_t below, ScriptValueHandle* handle) {
  ScriptValueHandle* slot = values_.At(values_.count - 1 - below);
  ScriptValueHandle old = *slot;
  *slot = *handle;
  *handle = kScriptEmptyHandle;
  if (store_ != nullptr) store_->Release(&old);
}
