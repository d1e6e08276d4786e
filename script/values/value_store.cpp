// The value store's pools: slot allocation and freeing, reference counting,
// value creation, and the attachment of objects to object slots.
#include "script/values/value_store.h"

#include "platform/memory/allocator.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"

namespace {

constexpr uint8_t kBooleanShift = 5;  // 32 slots a block
constexpr uint8_t kNumberShift = 4;   // 16
constexpr uint8_t kObjectShift = 3;   // 8
constexpr uint8_t kIntegerShift = 4;  // 16
constexpr uint8_t kStringShift = 4;   // 16

}  // namespace

ScriptValueStore::ScriptValueStore() {
  booleans_.SetGeometry(kBooleanShift);
  numbers_.SetGeometry(kNumberShift);
  objects_.SetGeometry(kObjectShift);
  integers_.SetGeometry(kIntegerShift);
  strings_.SetGeometry(kStringShift);
  for (int32_t type = 0; type < kScriptPooledTypes; ++type) {
    freeHeads_[type] = -1;
    referenceTotals_[type] = 0;
  }
}

ScriptValueStore::~ScriptValueStore() {
  // While this flag is set no object can be attached and no pool is freed,
  // so the walk below sees every slot and no address can be counted twice.
  destroying_ = true;
  for (uint32_t i = 0; i < objects_.count; ++i) {
    ScriptObjectSlot* slot = objects_.At(i);
    ScriptObject* object = slot->attached;
    if (object == nullptr) continue;
    slot->attached = nullptr;
    slot->ref.owner = nullptr;
    // Later slots of the same object find no count left and are only cleared.
    if (holds_.Take(object) != 0) TellReleased(object);
  }
  strings_.Free();
  booleans_.Free();
  numbers_.Free();
  objects_.Free();
  integers_.Free();
  holds_.Free();
  waiting_.Free();
}

// ---- Pools

uint32_t ScriptValueStore::PoolCount(int32_t type) const {
  switch (type) {
    case kScriptTypeBoolean: return booleans_.count;
    case kScriptTypeNumber: return numbers_.count;
    case kScriptTypeObject: return objects_.count;
    case kScriptTypeInteger: return integers_.count;
    case kScriptTypeString: return strings_.count;
    default: return 0;
  }
}

uint32_t ScriptValueStore::PoolSize(int32_t type) const { return PoolCount(type); }

uint32_t ScriptValueStore::ReferenceTotal(int32_t type) const {
  return ScriptTypeHasSlot(type) ? referenceTotals_[type] : 0;
}

int32_t& ScriptValueStore::ReferenceCountOf(int32_t type, uint32_t index) const {
  switch (type) {
    case kScriptTypeBoolean: return booleans_.At(index)->refcount;
    case kScriptTypeNumber: return numbers_.At(index)->refcount;
    case kScriptTypeObject: return objects_.At(index)->refcount;
    case kScriptTypeInteger: return integers_.At(index)->refcount;
    default: return strings_.At(index)->refcount;
  }
}

void* ScriptValueStore::GetSlot(ScriptValueHandle handle) const {
  int32_t type = ScriptHandleType(handle);
  uint32_t index = ScriptHandleIndex(handle);
  if (!ScriptTypeHasSlot(type) || index >= PoolCount(type)) return nullptr;
  switch (type) {
    case kScriptTypeBoolean: return booleans_.At(index);
    case kScriptTypeNumber: return numbers_.At(index);
    case kScriptTypeObject: return objects_.At(index);
    case kScriptTypeInteger: return integers_.At(index);
    default: return strings_.At(index);
  }
}

ScriptBooleanSlot* ScriptValueStore::GetBooleanSlot(ScriptValueHandle handle) const {
  if (ScriptHandleType(handle) != kScriptTypeBoolean) return nullptr;
  return static_cast<ScriptBooleanSlot*>(GetSlot(handle));
}

ScriptNumberSlot* ScriptValueStore::GetNumberSlot(ScriptValueHandle handle) const {
  if (ScriptHandleType(handle) != kScriptTypeNumber) return nullptr;
  return static_cast<ScriptNumberSlot*>(GetSlot(handle));
}

ScriptObjectSlot* ScriptValueStore::GetObjectSlot(ScriptValueHandle handle) const {
  if (ScriptHandleType(handle) != kScriptTypeObject) return nullptr;
  return static_cast<ScriptObjectSlot*>(GetSlot(handle));
}

ScriptIntegerSlot* ScriptValueStore::GetIntegerSlot(ScriptValueHandle handle) const {
  if (ScriptHandleType(handle) != kScriptTypeInteger) return nullptr;
  return static_cast<ScriptIntegerSlot*>(GetSlot(handle));
}

ScriptStringSlot* ScriptValueStore::GetStringSlot(ScriptValueHandle handle) const {
  if (ScriptHandleType(handle) != kScriptTypeString) return nullptr;
  return static_cast<ScriptStringSlot*>(GetSlot(handle));
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
    switch (type) {
      case kScriptTypeBoolean: slot = booleans_.AppendSlot(); break;
      case kScriptTypeNumber: slot = numbers_.AppendSlot(); break;
      case kScriptTypeObject: slot = objects_.AppendSlot(); break;
      case kScriptTypeInteger: slot = integers_.AppendSlot(); break;
      default: slot = strings_.AppendSlot(); break;
    }
    if (slot == nullptr) {
      *status = kScriptNoMemory;
      return status;
    }
  } else {
    index = static_cast<uint32_t>(freeHeads_[type]);
    slot = GetSlot(MakeScriptHandle(type, index));
    freeHeads_[type] = *static_cast<int32_t*>(slot);  // the next free slot
  }
  switch (type) {
    case kScriptTypeBoolean: *static_cast<ScriptBooleanSlot*>(slot) = ScriptBooleanSlot{}; break;
    case kScriptTypeNumber: *static_cast<ScriptNumberSlot*>(slot) = ScriptNumberSlot{}; break;
    case kScriptTypeObject: *static_cast<ScriptObjectSlot*>(slot) = ScriptObjectSlot{}; break;
    case kScriptTypeInteger: *static_cast<ScriptIntegerSlot*>(slot) = ScriptIntegerSlot{}; break;
    default: static_cast<ScriptStringSlot*>(slot)->text.Clear(); break;
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
  switch (type) {
    case kScriptTypeBoolean: EmptyKeepingFirstBlock(booleans_); break;
    case kScriptTypeNumber: EmptyKeepingFirstBlock(numbers_); break;
    case kScriptTypeObject: EmptyKeepingFirstBlock(objects_); break;
    case kScriptTypeInteger: EmptyKeepingFirstBlock(integers_); break;
    default: EmptyKeepingFirstBlock(strings_); break;
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
  if (object == nullptr) return nullptr;
  // While the store is destroyed an object's holds are taken at once and it
  // hears its release then; slots still naming it that are freed later (by
  // that very release, when it owns values holding itself) must not tell
  // it again.
  if (destroying_ && holds_.Holds(object) == 0) return nullptr;
  return holds_.Remove(object) == 0 ? object : nullptr;
}

void ScriptValueStore::LetGo(ScriptObject* object) {
  if (object == nullptr || (destroying_ && holds_.Holds(object) == 0)) return;
  if (holds_.Remove(object) == 0) TellReleased(object);
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
  waiting_.Free();
  telling_ = false;
}

// Puts ref into a live object slot: the new owner is counted and told first,
// the previous one let go last.
int32_t* ScriptValueStore::AttachToSlot(int32_t* status, ScriptObjectSlot* slot,
                                        const ScriptMemberRef& ref) {
  ScriptObject* owner = ref.owner;
  if (owner != nullptr && (destroying_ || !holds_.Add(owner))) {
    *status = destroying_ ? kScriptBadHeapState : kScriptNoMemory;
    return status;
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

void ScriptValueStore::CopyValue(ScriptValueHandle source, ScriptValueHandle* target) {
  *target = source;
  int32_t type = ScriptHandleType(source);
  uint32_t index = ScriptHandleIndex(source);
  if (!ScriptTypeHasSlot(type) || index >= PoolCount(type)) return;
  ++ReferenceCountOf(type, index);
  ++referenceTotals_[type];
}

void ScriptValueStore::MoveValue(ScriptValueHandle* source, ScriptValueHandle* target) {
  if (source == target) return;
  ScriptValueHandle moved = *source;
  *source = kScriptEmptyHandle;
  ScriptValueHandle old = *target;
  *target = moved;
  Release(&old);
}

void ScriptValueStore::Release(ScriptValueHandle* handle) {
  ScriptValueHandle h = *handle;
  *handle = kScriptEmptyHandle;
  int32_t type = ScriptHandleType(h);
  uint32_t index = ScriptHandleIndex(h);
  if (!ScriptTypeHasSlot(type) || index >= PoolCount(type)) return;
  int32_t& count = ReferenceCountOf(type, index);
  if (count <= 0) return;  // not a live slot
  --referenceTotals_[type];
  if (--count == 0) FreeSlot(type, index);
}

// ---- Creation

int32_t* ScriptValueStore::NewValue(int32_t* status, int32_t type, ScriptValueHandle* handle,
                                    void** slot) {
  return AllocateSlot(status, type, handle, slot);
}

int32_t* ScriptValueStore::NewString(int32_t* status, const SharedWideString& text,
                                     ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeString, handle, &slot) != kScriptOk) return status;
  static_cast<ScriptStringSlot*>(slot)->text.Assign(text);
  return status;
}

int32_t* ScriptValueStore::NewNumber(int32_t* status, double value, ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeNumber, handle, &slot) != kScriptOk) return status;
  static_cast<ScriptNumberSlot*>(slot)->value = value;
  return status;
}

int32_t* ScriptValueStore::NewInteger(int32_t* status, int32_t value, ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeInteger, handle, &slot) != kScriptOk) return status;
  static_cast<ScriptIntegerSlot*>(slot)->value = value;
  return status;
}

int32_t* ScriptValueStore::NewBoolean(int32_t* status, uint8_t value, ScriptValueHandle* handle) {
  void* slot = nullptr;
  if (*AllocateSlot(status, kScriptTypeBoolean, handle, &slot) != kScriptOk) return status;
  static_cast<ScriptBooleanSlot*>(slot)->value = value != 0 ? 1 : 0;
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
  ScriptDynamicObject* object = DeviceNew<ScriptDynamicObject>(this);
  if (object == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  if (*NewObject(status, object, handle) != kScriptOk) delete object;
  return status;
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
  uint32_t holds = holds_.Take(old);
  if (replacement != nullptr && holds != 0 && (destroying_ || !holds_.Add(replacement, holds))) {
    *status = destroying_ ? kScriptBadHeapState : kScriptNoMemory;
    replacement = nullptr;
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
