// ScriptCallStack: the activations suspended by calls, the caller of the
// running activation on top. A call moves the caller's activation here and
// the callee's becomes current; the end of the callee moves the caller back.
//
// Activations are kept by value in blocks of four. The depth is capped at
// kScriptMaxCallDepth suspended activations, so that runaway recursion in a
// book's script ends with kScriptNoResources instead of eating the device's memory.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "script/frames/activation.h"

inline constexpr uint32_t kScriptMaxCallDepth = 3000;

class ScriptCallStack {
 public:
  ScriptCallStack() { activations_.SetGeometry(kBlockShift); }
  ~ScriptCallStack() { Clear(); }
  ScriptCallStack(const ScriptCallStack&) = delete;
  ScriptCallStack& operator=(const ScriptCallStack&) = delete;

  uint32_t Depth() const { return depth_; }

  // Moves the activation onto the stack (it is left cleared). kScriptNoResources at
  // the depth cap, 1 when the stack cannot grow; the activation is left as
  // it was then.
  int32_t* Push(int32_t* status, ScriptActivation* activation);
  // Moves the top activation into *activation (released first); false when
  // the stack is empty.
  bool Pop(ScriptActivation* activation);
  // Destroys every suspended activation, the top first.
  void Clear();

 private:
  static constexpr uint8_t kBlockShift = 2;  // 4 activations a block

  SegmentedTypedArray<ScriptActivation> activations_;
  uint32_t depth_ = 0;
};
