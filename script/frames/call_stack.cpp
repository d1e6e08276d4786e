// The stack of the activations of calls (see call_stack.h).
#include "script/frames/call_stack.h"

#include "script/values/script_status.h"

ScriptActivation* ScriptCallStack::Enter(int32_t* status, ScriptValueStore* store) {
  if (depth_ >= kScriptMaxCallDepth) {
    *status = kScriptNoResources;
    return nullptr;
  }
  if (depth_ >= activations_.capacity && !activations_.Reserve(depth_ + 1)) {
    *status = kScriptNoMemory;
    return nullptr;
  }
  // The block's places stay constructed: a place left is a cleared
  // activation, reused by the next call.
  ScriptActivation* place = activations_.AtGrow(depth_);
  if (place->GetStore() != store) place->SetStore(store);
  ++depth_;
  *status = kScriptOk;
  return place;
}

void ScriptCallStack::Leave() {
  if (depth_ == 0) return;
  // Counted off first: what the clearing releases sees the stack as it is
  // after the call.
  ScriptActivation* top = activations_.At(--depth_);
  top->Clear();
}

void ScriptCallStack::Clear() {
  while (depth_ != 0) Leave();
  activations_.Free();
  activations_.SetGeometry(kBlockShift);
}
