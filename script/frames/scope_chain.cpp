// The scope chain of a running script and the look-up of names in it (see
// scope_chain.h).
#include "script/frames/scope_chain.h"

#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

int32_t* ScriptScopeChain::PushValue(int32_t* status, ScriptValueHandle value, bool mark) {
  if (ScriptHandleType(value) != kScriptTypeObject || store_ == nullptr) {
    *status = kScriptInvalidType;
    return status;
  }
  ScriptValueHandle* slot = scopes_.AppendSlot();
  if (slot == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  store_->CopyValue(value, slot);
  if (mark) variableScope_ = static_cast<int32_t>(scopes_.count - 1);
  *status = kScriptOk;
  return status;
}

int32_t* ScriptScopeChain::PushObject(int32_t* status, ScriptObject* object, bool mark) {
  if (store_ == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store_->NewObject(status, object, &value) != kScriptOk) return status;
  PushValue(status, value, mark);
  int32_t outcome = *status;
  store_->Release(&value);
  *status = outcome;
  return status;
}

void ScriptScopeChain::Clear() {
  // Emptied before the releases: a release may delete objects whose
  // destructors look at chains.
  SegmentedTypedArray<ScriptValueHandle, false> scopes;
  scopes.MoveFrom(scopes_);
  scopes_.SetGeometry(kScopeShift);
  variableScope_ = -1;
  if (store_ != nullptr) {
    for (uint32_t i = 0; i < scopes.count; ++i) store_->Release(scopes.At(i));
  }
  scopes.Free();
}

int32_t* ScriptScopeChain::CopyFrom(int32_t* status, const ScriptScopeChain& other) {
  *status = kScriptOk;
  if (&other == this) return status;
  Clear();
  if (store_ == nullptr) store_ = other.store_;
  if (other.scopes_.count == 0) return status;
  if (!scopes_.Reserve(other.scopes_.count) || store_ == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  for (uint32_t i = 0; i < other.scopes_.count; ++i) {
    store_->CopyValue(*other.scopes_.At(i), scopes_.AppendSlot());
  }
  variableScope_ = other.variableScope_;
  return status;
}

void ScriptScopeChain::MoveFrom(ScriptScopeChain& other) {
  if (&other == this) return;
  Clear();
  scopes_.MoveFrom(other.scopes_);
  other.scopes_.SetGeometry(kScopeShift);
  variableScope_ = other.variableScope_;
  other.variableScope_ = -1;
  if (store_ == nullptr) store_ = other.store_;
}

ScriptMemberRef ScriptScopeChain::ScopeRef(uint32_t i) const {
  ScriptObjectSlot* slot = store_ != nullptr ? store_->GetObjectSlot(*scopes_.At(i)) : nullptr;
  return slot != nullptr ? slot->ref : ScriptMemberRef{};
}

ScriptObject* ScriptScopeChain::GetTopObject() const {
  if (scopes_.count == 0) return nullptr;
  return ScopeRef(scopes_.count - 1).owner;
}

int32_t* ScriptScopeChain::Lookup(int32_t* status, const ScriptNameToken& name,
                                  ScriptValueHandle* reference) {
  if (scopes_.count == 0 || store_ == nullptr) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ScriptMemberRef ref;
  *status = kScriptMemberUnknown;
  for (uint32_t i = scopes_.count; i-- > 0 && *status == kScriptMemberUnknown;) {
    ref = ScopeRef(i);
    if (ref.owner == nullptr) continue;  // a null scope knows no name
    ref.owner->ResolveMember(status, name, &ref, 0);
  }
  if (*status == kScriptMemberUnknown) {
    // No scope knows the name: the innermost one creates it.
    ref = ScopeRef(scopes_.count - 1);
    if (ref.owner == nullptr ||
        *ref.owner->ResolveMember(status, name, &ref, 1) != kScriptOk) {
      *status = kScriptObjectUnknown;
      return status;
    }
  }
  if (*status != kScriptOk) return status;
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store_->NewReference(status, ref, &value) != kScriptOk) return status;
  store_->MoveValue(&value, reference);
  return status;
}
