// The operand stack of value handles (see operand_stack.h).
#include "script/frames/operand_stack.h"

#include "platform/memory/allocator.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptOperandStack::~ScriptOperandStack() {
  PopMany(nullptr, count_);
  DeviceFree(values_);
}

int32_t* ScriptOperandStack::PushGrowing(int32_t* status, ScriptValueHandle* handle) {
  uint32_t capacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
  void* grown = capacity > kMaxCapacity
                    ? nullptr
                    : DeviceRealloc(values_, sizeof(ScriptValueHandle) * capacity);
  if (grown == nullptr) {
    if (store_ != nullptr) store_->Release(handle);
    *handle = kScriptEmptyHandle;
    *status = kScriptNoMemory;
    return status;
  }
  values_ = static_cast<ScriptValueHandle*>(grown);
  capacity_ = capacity;
  values_[count_++] = *handle;
  *handle = kScriptEmptyHandle;
  *status = kScriptOk;
  return status;
}

void ScriptOperandStack::PopMany(ScriptValueHandle* handles, uint32_t n) {
  if (n > count_) n = count_;
  uint32_t first = count_ - n;
  // The count drops first: a release may run an object's destructor, and
  // the stack must already be in its final state then.
  count_ = first;
  for (uint32_t i = 0; i < n; ++i) {
    ScriptValueHandle value = values_[first + i];
    if (handles != nullptr) {
      handles[i] = value;
    } else if (store_ != nullptr) {
      store_->Release(&value);
    }
  }
}

int32_t* ScriptOperandStack::Require(int32_t* status, uint32_t n) const {
  *status = count_ < n ? kScriptStackUnderflow : kScriptOk;
  return status;
}

void ScriptOperandStack::Replace(uint32_t below, ScriptValueHandle* handle) {
  ScriptValueHandle* slot = &values_[count_ - 1 - below];
  ScriptValueHandle old = *slot;
  *slot = *handle;
  *handle = kScriptEmptyHandle;
  if (store_ != nullptr) store_->Release(&old);
}
