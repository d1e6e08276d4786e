// ScriptOperandStack: the stack of value handles on which the interpreter
// computes and through which calls pass their arguments. A call with n
// arguments finds the callee n places below the top and argument i (0 the
// first) at n - 1 - i places below it; the callee of Invoke pops nothing.
//
// The stack owns one reference of every handle on it: Push moves a handle
// in, Pop moves handles out or releases them, and the destructor releases
// what is left. The stack of suspended activations that the interpreter
// keeps beside the values is the activation unit's.
#pragma once

#include <cstdint>

#include "script/values/script_status.h"
#include "script/values/script_value.h"

class ScriptValueStore;

class ScriptOperandStack {
 public:
  explicit ScriptOperandStack(ScriptValueStore* store = nullptr) : store_(store) {}
  ~ScriptOperandStack();
  ScriptOperandStack(const ScriptOperandStack&) = delete;
  ScriptOperandStack& operator=(const ScriptOperandStack&) = delete;

  // The store whose handles the stack holds; set before the first Push.
  void SetStore(ScriptValueStore* store) { store_ = store; }
  ScriptValueStore* GetStore() const { return store_; }

  uint32_t Depth() const { return count_; }

  // Moves *handle onto the stack (*handle becomes empty). kScriptNoMemory when the
  // stack cannot grow; the value is released then.
  // Inline while the stack has room: every instruction pushes or pops.
  int32_t* Push(int32_t* status, ScriptValueHandle* handle) {
    if (count_ >= capacity_) return PushGrowing(status, handle);
    values_[count_++] = *handle;
    *handle = kScriptEmptyHandle;
    *status = kScriptOk;
    return status;
  }

  // Pops n values (at most the depth): into handles[0..n-1], the top into the
  // last, or released when handles is null.
  void Pop(ScriptValueHandle* handles, uint32_t n) {
    if (handles != nullptr && n <= count_) {
      // Moved out: nothing is released.
      count_ -= n;
      for (uint32_t i = 0; i < n; ++i) handles[i] = values_[count_ + i];
      return;
    }
    PopMany(handles, n);
  }

  // Replaces the top n values (1 to the depth), which the caller knows to
  // hold no counted cell (nothing to release), by the one value.
  void ReplaceImmediates(uint32_t n, ScriptValueHandle value) {
    count_ -= n - 1;
    values_[count_ - 1] = value;
  }

  // kScriptStackUnderflow when fewer than n values are on the stack,
  // else 0.
  int32_t* Require(int32_t* status, uint32_t n) const;

  // The value `below` places under the top (0: the top), borrowed: no
  // reference is added. Kept below the depth by the caller.
  ScriptValueHandle Peek(uint32_t below) const { return values_[count_ - 1 - below]; }
  // Argument i (0: the first) of a call whose argumentCount arguments are on
  // top.
  ScriptValueHandle Argument(uint32_t argumentCount, uint32_t i) const {
    return Peek(argumentCount - 1 - i);
  }
  // Replaces the value `below` places under the top by *handle (moved in);
  // the old value is released.
  void Replace(uint32_t below, ScriptValueHandle* handle);

 private:
  static constexpr uint32_t kFirstCapacity = 64;
  static constexpr uint32_t kMaxCapacity = 1u << 26;

  int32_t* PushGrowing(int32_t* status, ScriptValueHandle* handle);
  void PopMany(ScriptValueHandle* handles, uint32_t n);

  // One contiguous array, doubled when full.
  ScriptValueHandle* values_ = nullptr;
  uint32_t count_ = 0;
  uint32_t capacity_ = 0;
  ScriptValueStore* store_;
};
