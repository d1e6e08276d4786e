// The stack of suspended activations (see call_stack.h).
#include "script/frames/call_stack.h"

#include "script/values/script_status.h"

int32_t* ScriptCallStack::Push(int32_t* status, ScriptActivation* activation) {
  if (depth_ >= kScriptMaxCallDepth) {
    *status = kScriptNoResources;
    return status;
  }
  if (depth_ >= activations_.capacity && !activations_.Reserve(depth_ + 1)) {
    *status = kScriptNoMemory;
    return status;
  }
  // The block's slots stay constructed: a popped slot is a cleared
  // activation, reused by the next push.
  activations_.AtGrow(depth_)->MoveFrom(*activation);
  ++depth_;
  *status = kScriptOk;
  return status;
}

bool ScriptCallStack::Pop(ScriptActivation* activation) {
  if (depth_ == 0) return false;
  --depth_;
  activation->MoveFrom(*activations_.At(depth_));
  return true;
}

void ScriptCallStack::Clear() {
  while (depth_ != 0) {
    --depth_;
    activations_.At(depth_)->Clear();
  }
  activations_.Free();
  activations_.SetGeometry(kBlockShift);
}
