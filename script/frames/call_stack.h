// ScriptCallStack: the activations of the calls under way, the innermost on
// top. A call builds its callee's activation in a cleared place above the
// caller's, which waits where it is; the end of the callee clears that place
// again. Activations never move while they run, so a call costs no copies
// of them.
//
// Activations are kept by value in blocks of four; a place once made stays
// constructed (cleared) for the next call. The depth is capped at
// kScriptMaxCallDepth, so that runaway recursion in a book's script ends with
// kScriptNoResources instead of eating the device's memory.
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

  // The activations on the stack.
  uint32_t Depth() const { return depth_; }

  // A cleared activation of the store on top of the others; null, with
  // *status kScriptNoResources at the depth cap or kScriptNoMemory when the
  // stack cannot grow.
  ScriptActivation* Enter(int32_t* status, ScriptValueStore* store);
  // Clears the top activation and takes it off; nothing on an empty stack.
  void Leave();
  // The top activation, null on an empty stack.
  ScriptActivation* Top() const { return depth_ != 0 ? activations_.At(depth_ - 1) : nullptr; }
  // Clears every activation, the top first, and frees the places.
  void Clear();

 private:
  static constexpr uint8_t kBlockShift = 2;  // 4 activations a block

  SegmentedTypedArray<ScriptActivation> activations_;
  uint32_t depth_ = 0;
};
