// The value store's pools: slot allocation and freeing, reference counting,
// value creation, and the attachment of objects to object slots.
#include "script/values/value_store.h"

#include <typeinfo>

#include "platform/memory/allocator.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"

namespace {

constexpr uint8_t kObjectShift = 6;   // 64 slots a block
constexpr uint8_t kStringShift = 5;   // 32

}  // namespace

ScriptValueStore::ScriptValueStore() {
  objects_.SetGeometry(kObjectShift);
  strings_.SetGeometry(kStringShift);
  for (int32_t type = 0; type < kScriptPooledTypes; ++type) {
    freeHeads_[type] = -1;
    referenceTotals_[type] = 0;
  }
}

ScriptValueStore::~ScriptValueStore() {
  // While this flag is set no object can be attached and no pool is freed,
  // so the walk below sees every slot. Each slot gives up its hold; an
  // object hears its release when the last slot holding it is passed, so
  // the walk never reads an object that may have deleted itself. Values the
  // object releases then free slots the walk has not reached yet, which
  // give up their holds in the same way.
  destroying_ = true;
  parkedCount_ = 0;  // their slots are let go below like any other
  for (uint32_t i = 0; i < objects_.count; ++i) {
    ScriptObjectSlot* slot = objects_.At(i);
    ScriptObject* object = slot->attached;
    if (object == nullptr) continue;
    slot->attached = nullptr;
    slot->ref.owner = nullptr;
    LetGo(object);
  }
  while (recycled_.count != 0) {
    delete reinterpret_cast<ScriptDynamicObject*>(*recycled_.At(--recycled_.count));
  }
  recycled_.Free();
  while (recycledLayouts_.count != 0) {
    delete reinterpret_cast<ScriptDynamicObject*>(
        *recycledLayouts_.At(--recycledLayouts_.count));
  }
  recycledLayouts_.Free();
  strings_.Free();
  objects_.Free();
  waiting_.Free();
}

// ---- Pools

uint32_t ScriptValueStore::PoolCount(int32_t type) const {
  switch (type) {
    case kScriptTypeObject: return objects_.count;
    case kScriptTypeString: return strings_.count;
    default: return 0;
  }
}

uint32_t ScriptValueStore::PoolSize(int32_t type) const { return PoolCount(type); }

uint32_t ScriptValueStore::ReferenceTotal(int32_t type) const {
  return ScriptTypeHasSlot(type) ? referenceTotals_[type] : 0;
}

uint32_t ScriptValueStore::SlotsHolding(const ScriptObject* object) const {
  return object != nullptr ? object->storeHolds_ : 0;
}

int32_t& ScriptValueStore::ReferenceCountOf(int32_t type, uint32_t index) const {
  if (type == kScriptTypeObject) return objects_.At(index)->refcount;
  return strings_.At(index)->refcount;
}

void* ScriptValueStore::GetSlot(ScriptValueHandle handle) const {
  if (ScriptObjectSlot* object = GetObjectSlot(handle)) return object;
  return GetStringSlot(handle);
}

int32_t* ScriptValueStore::AllocateSlot(int32_t* status, int32_t type, ScriptValueHandle* handle,
                                        void** slotOut) {
  *handle = kScriptEmptyHandle;
  if (!ScriptTypeHasSlot(type)) {
    *status = kScriptBadHeapState;
    return status;
  }
  uint32_t index;
  void* slot;
  if (freeHeads_[type] == -1) {
    index = PoolCount(type);
    if (index > kScriptMaxSlotIndex) {
      *status = kScriptNoMemory;
      return status;
    }
    slot = type == kScriptTypeObject ? static_cast<void*>(objects_.AppendSlot())
                                     : static_cast<void*>(strings_.AppendSlot());
    if (slot == nullptr) {
      *status = kScriptNoMemory;
      return status;
    }
  } else {
    index = static_cast<uint32_t>(freeHeads_[type]);
    slot = type == kScriptTypeObject ? static_cast<void*>(objects_.At(index))
                                     : static_cast<void*>(strings_.At(index));
    freeHeads_[type] = *static_cast<int32_t*>(slot);  // the next free slot
  }
  if (type == kScriptTypeObject) {
    *static_cast<ScriptObjectSlot*>(slot) = ScriptObjectSlot{};
  } else {
    static_cast<ScriptStringSlot*>(slot)->text.Clear();
  }
  *static_cast<int32_t*>(slot) = 1;
  ++referenceTotals_[type];
  *handle = MakeScriptHandle(type, index);
  if (slotOut != nullptr) *slotOut = slot;
  *status = kScriptOk;
  return status;
}

namespace {

// Empties a pool whose slots are all free but keeps its first block (and
// the block table), so that a type whose last value dies and is made again
// at once, as in every loop, does not go back to the heap each time. Free
// slots hold no payload (string slots are cleared when freed), so the kept
// block needs no clearing; blocks past the first are given back.
template <class Pool>
void EmptyKeepingFirstBlock(Pool& pool) {
  if (pool.capacity > pool.blockItems) {
    pool.count = pool.blockItems;
    pool.Trim();
  }
  pool.count = 0;
}

}  // namespace

void ScriptValueStore::EmptyPool(int32_t type) {
  if (type == kScriptTypeObject) {
    EmptyKeepingFirstBlock(objects_);
  } else {
    EmptyKeepingFirstBlock(strings_);
  }
  freeHeads_[type] = -1;
}

void ScriptValueStore::FreeSlot(int32_t type, uint32_t index) {
  ScriptObject* released = nullptr;
  if (type == kScriptTypeObject) {
    released = TakeFromSlot(objects_.At(index));
  } else if (type == kScriptTypeString) {
    strings_.At(index)->text.Clear();
  }
  if (referenceTotals_[type] > 0 || destroying_) {
    ReferenceCountOf(type, index) = freeHeads_[type];
    freeHeads_[type] = static_cast<int32_t>(index);
  } else {
    EmptyPool(type);  // no value of the type is alive any more
  }
  // Last: the object may delete itself and release values of its own.
  if (released != nullptr) TellReleased(released);
}

// Clears the slot's reference; answers its object when no other slot holds
// it any more (the caller then tells it), else null.
ScriptObject* ScriptValueStore::TakeFromSlot(ScriptObjectSlot* slot) {
  ScriptObject* object = slot->attached;
  slot->attached = nullptr;
  slot->ref = ScriptMemberRef{};
  if (object == nullptr || object->storeHolds_ == 0) return nullptr;
  if (--object->storeHolds_ != 0) return nullptr;
  --attachedCount_;
  return object;
}

void ScriptValueStore::Hold(ScriptObject* object, uint32_t n) {
  if (object->storeHolds_ == 0) ++attachedCount_;
  object->storeHolds_ += n;
}

void ScriptValueStore::LetGo(ScriptObject* object) {
  if (object == nullptr || object->storeHolds_ == 0) return;
  if (--object->storeHolds_ != 0) return;
  --attachedCount_;
  TellReleased(object);
}

// An object told of its release may delete itself and release its values,
// which may free the last slots of further objects, and so on down a chain
// of objects as long as a script made it. Those are told here one after
// the other instead of each inside the previous one's release, so that the
// depth of the C stack does not grow with the chain. Only without memory
// for the waiting list is an object told at once.
void ScriptValueStore::TellReleased(ScriptObject* object) {
  if (telling_) {
    if (waiting_.Append(reinterpret_cast<uintptr_t>(object)) >= 0) return;
    object->NotifyStore(kScriptStoreReleased, this);
    return;
  }
  telling_ = true;
  object->NotifyStore(kScriptStoreReleased, this);
  while (waiting_.count != 0) {
    ScriptObject* next = reinterpret_cast<ScriptObject*>(*waiting_.At(--waiting_.count));
    next->NotifyStore(kScriptStoreReleased, this);
  }
  // Freed only when it was used: most releases tell one object alone.
  if (waiting_.blocks != nullptr) waiting_.Free();
  telling_ = false;
}

// Puts ref into a live object slot: the new owner is counted and told first,
// the previous one let go last.
int32_t* ScriptValueStore::AttachToSlot(int32_t* status, ScriptObjectSlot* slot,
                                        const ScriptMemberRef& ref) {
  ScriptObject* owner = ref.owner;
  if (owner != nullptr) {
    if (destroying_) {
      *status = kScriptBadHeapState;
      return status;
    }
    Hold(owner, 1);
  }
  ScriptObject* previous = slot->attached;
  slot->ref = ref;
  slot->attached = owner;
  if (owner != nullptr) owner->NotifyStore(kScriptStoreAttached, this);
  LetGo(previous);
  *status = kScriptOk;
  return status;
}

// ---- References

// ---- Creation

int32_t* ScriptValueStore::NewValue(int32_t* status, int32_t type, ScriptValueHandle* handle,
                                    void** slot) {
  if (slot != nullptr) *slot = nullptr;
  switch (type) {
    case kScriptTypeBoolean: return NewBoolean(status, 0, handle);
    case kScriptTypeNumber: return NewNumber(status, 0.0, handle);
    case kScriptTypeInteger: return NewInteger(status, 0, handle);
    default: return AllocateSlot(status, type, handle, slot);
  }
}

int32_t* ScriptValueStore::NewString(int32_t* status, const SharedWideString& text,
                                     ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeString, handle, &slot) != kScriptOk) return status;
  static_cast<ScriptStringSlot*>(slot)->text.Assign(text);
  return status;
}

int32_t* ScriptValueStore::NewObject(int32_t* status, ScriptObject* object,
                                     ScriptValueHandle* handle) {
  ScriptMemberRef ref;
  ref.owner = object;
  return NewReference(status, ref, handle);
}

int32_t* ScriptValueStore::NewReference(int32_t* status, const ScriptMemberRef& ref,
                                        ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeObject, handle, &slot) != kScriptOk) return status;
  if (*AttachToSlot(status, static_cast<ScriptObjectSlot*>(slot), ref) != kScriptOk) {
    int32_t failure = *status;
    Release(handle);
    *status = failure;
  }
  return status;
}

int32_t* ScriptValueStore::NewPlainObject(int32_t* status, ScriptValueHandle* handle) {
  *handle = kScriptEmptyHandle;
  ScriptDynamicObject* object = nullptr;
  if (recycled_.count != 0) {
    object = reinterpret_cast<ScriptDynamicObject*>(*recycled_.At(--recycled_.count));
  } else {
    object = DeviceNew<ScriptDynamicObject>(this);
    if (object == nullptr) {
      *status = kScriptNoMemory;
      return status;
    }
    object->MarkRecyclable();
  }
  if (*NewObject(status, object, handle) != kScriptOk) delete object;
  return status;
}

namespace {

// Released plain objects the store keeps at most: enough for the variables
// of a deep recursion's returns, little memory.
constexpr uint32_t kRecycledObjects = 64;
// Kept objects of shared layouts looked at for one of a given layout.
constexpr uint32_t kLayoutSearch = 4;

}  // namespace

int32_t* ScriptValueStore::NewPlainObjectOfLayout(int32_t* status, uint64_t layout,
                                                  ScriptValueHandle* handle, bool* reused) {
  *reused = false;
  // Parked variables first: nothing to attach, the slot is taken over.
  for (uint32_t k = 0; k < kLayoutSearch && k < parkedCount_; ++k) {
    uint32_t at = parkedCount_ - 1 - k;
    ScriptObjectSlot* slot = objects_.At(ScriptHandleIndex(parked_[at]));
    if (static_cast<ScriptDynamicObject*>(slot->attached)->NameStamp() != layout) continue;
    *handle = parked_[at];
    parked_[at] = parked_[--parkedCount_];
    *reused = true;
    *status = kScriptOk;
    return status;
  }
  // The most recent few: a recursion takes back what its last return gave.
  uint32_t count = recycledLayouts_.count;
  for (uint32_t k = 0; k < kLayoutSearch && k < count; ++k) {
    uintptr_t* place = recycledLayouts_.At(count - 1 - k);
    auto* object = reinterpret_cast<ScriptDynamicObject*>(*place);
    if (object->NameStamp() != layout) continue;
    *place = *recycledLayouts_.At(count - 1);
    recycledLayouts_.count = count - 1;
    *handle = kScriptEmptyHandle;
    if (*NewObject(status, object, handle) != kScriptOk) {
      delete object;
      return status;
    }
    *reused = true;
    return status;
  }
  return NewPlainObject(status, handle);
}

bool ScriptValueStore::ParkVariables(ScriptValueHandle variables) {
  if (parkedCount_ >= kParkedVariables || destroying_ || collecting_) return false;
  ScriptObjectSlot* slot = GetObjectSlot(variables);
  if (slot == nullptr || slot->refcount != 1 || !slot->ref.IsSelf()) return false;
  ScriptObject* owner = slot->attached;
  if (owner == nullptr || owner != slot->ref.owner || owner->storeHolds_ != 1 ||
      &typeid(*owner) != &typeid(ScriptDynamicObject)) {
    return false;
  }
  auto* object = static_cast<ScriptDynamicObject*>(owner);
  if (!object->KeepsSharedLayout() || !object->IsOwnedByStore() || object->IsCallable()) {
    return false;
  }
  object->ReleaseValues();
  // What the values released cannot reach this object (nothing but the
  // caller held it), but the list may have been filled meanwhile.
  if (parkedCount_ >= kParkedVariables || slot->refcount != 1) return false;
  AddReference(variables);
  parked_[parkedCount_++] = variables;
  return true;
}

void ScriptValueStore::ReleaseParked() {
  while (parkedCount_ != 0) Release(&parked_[--parkedCount_]);
}

bool ScriptValueStore::RecyclePlainObject(ScriptDynamicObject* object) {
  if (destroying_) return false;
  if (object->KeepsSharedLayout() && recycledLayouts_.count < kRecycledObjects) {
    object->ReleaseValues();
    // Releasing its values may have filled the list.
    if (recycledLayouts_.count < kRecycledObjects &&
        recycledLayouts_.Append(reinterpret_cast<uintptr_t>(object)) >= 0) {
      return true;
    }
  }
  if (recycled_.count >= kRecycledObjects) return false;
  object->ResetForReuse();
  // Emptying it may have released enough objects to fill the list.
  if (recycled_.count >= kRecycledObjects) return false;
  return recycled_.Append(reinterpret_cast<uintptr_t>(object)) >= 0;
}

int32_t* ScriptValueStore::SetReference(int32_t* status, ScriptValueHandle handle,
                                        const ScriptMemberRef& ref) {
  ScriptObjectSlot* slot = GetObjectSlot(handle);
  if (slot == nullptr || slot->refcount <= 0) {
    *status = kScriptInvalidType;
    return status;
  }
  return AttachToSlot(status, slot, ref);
}

// ---- Attached objects

int32_t* ScriptValueStore::ReplaceAttachedObject(int32_t* status, ScriptObject* old,
                                                 ScriptObject* replacement) {
  *status = kScriptOk;
  if (old == nullptr || old == replacement) return status;
  uint32_t holds = old->storeHolds_;
  if (holds != 0) {
    old->storeHolds_ = 0;
    --attachedCount_;
  }
  if (replacement != nullptr && holds != 0) {
    if (destroying_) {
      *status = kScriptBadHeapState;
      replacement = nullptr;
    } else {
      Hold(replacement, holds);
    }
  }
  bool changed = false;
  for (uint32_t i = 0; i < objects_.count; ++i) {
    ScriptObjectSlot* slot = objects_.At(i);
    if (slot->attached == old) {
      slot->attached = replacement;
      changed = true;
    }
    if (slot->ref.owner == old) slot->ref.owner = replacement;
  }
  if (changed && replacement != nullptr) {
    replacement->NotifyStore(kScriptStoreAttached, this);
  }
  return status;
}

void ScriptValueStore::DetachObject(ScriptObject* object) {
  int32_t status = kScriptOk;
  ReplaceAttachedObject(&status, object, nullptr);
}

// ---- Members by name

int32_t* SetScriptMemberByName(int32_t* status, ScriptValueStore* store, ScriptObject* object,
                               const SharedWideString& name, ScriptValueHandle value) {
  if (object == nullptr) {
    *status = kScriptInvalidType;
    return status;
  }
  ScriptNameToken token;
  token.SetText(name);
  ScriptMemberRef ref;
  ref.owner = object;
  if (*object->ResolveMember(status, token, &ref, 1) != kScriptOk) return status;
  return object->SetMemberValue(status, ref, store, value);
}
