// Cycle collection of the value store (see value_store.h): reference counts
// alone never free objects that hold each other, such as two plain objects
// whose members name each other, or a function kept in a variable of the
// scope it closes over.
//
// Trial deletion over the object pool: every live object slot starts with
// its reference count; each value held inside a taking-part object takes
// one off the slot it names. A slot left above zero is held from outside,
// and so is every object reached from it through held values. The
// taking-part objects reached from nowhere are garbage: each is held once
// more by the collector (so that none goes away while the others drop their
// values), drops its values, and is let go.
#include "platform/memory/allocator.h"
#include "script/objects/script_object.h"
#include "script/values/value_store.h"

namespace {

// cycleMark_ values.
constexpr uint8_t kUnseen = 0;
constexpr uint8_t kTakesPart = 1;  // visited, not yet known to be held
constexpr uint8_t kHeld = 2;       // held from outside, directly or not
constexpr uint8_t kOutside = 3;    // does not take part: always kept

// The smallest object count at which collections run.
constexpr uint32_t kCollectionFloor = 4096;

struct Trial {
  ScriptValueStore* store;
  int32_t* counts;  // per object slot; -1 for a free slot
  uint32_t slots;
  SegmentedPointerArray* reached;  // objects newly found held (the work list)
  bool failed;
};

}  // namespace

void ScriptValueStore::CollectCycles() {
  if (destroying_ || collecting_) return;
  collecting_ = true;
  uint32_t slots = objects_.count;
  int32_t* counts =
      slots == 0 ? nullptr : static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * slots));
  SegmentedPointerArray parts;    // the objects taking part
  SegmentedPointerArray reached;  // held objects whose values are still to be followed
  bool ok = counts != nullptr;
  if (ok) {
    for (uint32_t i = 0; i < slots; ++i) counts[i] = objects_.At(i)->refcount;
    for (int32_t free = freeHeads_[kScriptTypeObject]; free >= 0 &&
                                                       static_cast<uint32_t>(free) < slots;) {
      int32_t next = objects_.At(static_cast<uint32_t>(free))->refcount;
      counts[free] = -1;
      free = next;
    }
  }
  Trial trial{this, counts, slots, &reached, false};

  // 1. Every value held inside a taking-part object takes one off its slot.
  for (uint32_t i = 0; ok && i < slots; ++i) {
    ScriptObject* object = objects_.At(i)->attached;
    if (counts[i] < 0 || object == nullptr || object->cycleMark_ != kUnseen) continue;
    bool takesPart = object->VisitHeldValues(
        [](void* data, ScriptValueHandle value) {
          auto* t = static_cast<Trial*>(data);
          if (ScriptHandleType(value) != kScriptTypeObject) return;
          uint32_t slot = ScriptHandleIndex(value);
          if (slot < t->slots && t->counts[slot] > 0) --t->counts[slot];
        },
        &trial);
    object->cycleMark_ = takesPart ? kTakesPart : kOutside;
    if (takesPart && parts.Append(reinterpret_cast<uintptr_t>(object)) < 0) ok = false;
  }

  // 2. Slots still counted are held from outside, and so is what their
  // objects hold, and so on.
  auto hold = [](Trial* t, ScriptObject* object) {
    if (object == nullptr || object->cycleMark_ != kTakesPart) return;
    object->cycleMark_ = kHeld;
    if (t->reached->Append(reinterpret_cast<uintptr_t>(object)) < 0) t->failed = true;
  };
  for (uint32_t i = 0; ok && i < slots; ++i) {
    if (counts[i] > 0) hold(&trial, objects_.At(i)->attached);
  }
  while (ok && !trial.failed && reached.count != 0) {
    auto* object = reinterpret_cast<ScriptObject*>(*reached.At(--reached.count));
    object->VisitHeldValues(
        [](void* data, ScriptValueHandle value) {
          auto* t = static_cast<Trial*>(data);
          ScriptObjectSlot* slot = t->store->GetObjectSlot(value);
          if (slot == nullptr) return;
          ScriptObject* held = slot->attached;
          if (held == nullptr || held->cycleMark_ != kTakesPart) return;
          held->cycleMark_ = kHeld;
          if (t->reached->Append(reinterpret_cast<uintptr_t>(held)) < 0) t->failed = true;
        },
        &trial);
  }
  if (trial.failed) ok = false;

  // 3. The marks go; what was reached from nowhere is garbage, held by the
  // collector while every garbage object drops its values.
  SegmentedTypedArray<ScriptValueHandle, false> garbage;
  for (uint32_t i = 0; i < slots; ++i) {
    ScriptObject* object = objects_.At(i)->attached;
    if (object != nullptr && (counts == nullptr || counts[i] >= 0)) {
      bool isGarbage = object->cycleMark_ == kTakesPart;
      object->cycleMark_ = kUnseen;
      if (!ok || !isGarbage) continue;
      ScriptValueHandle* keep = garbage.AppendSlot();
      if (keep == nullptr) {
        ok = false;
        continue;
      }
      int32_t status = kScriptOk;
      if (*NewObject(&status, object, keep) != kScriptOk) {
        --garbage.count;
        ok = false;
      }
    }
  }
  // Marks of objects whose every slot was free (none) are cleared above;
  // objects held by no slot are not attached and were never marked.
  DeviceFree(counts);
  parts.Free();
  reached.Free();
  if (ok) {
    for (uint32_t i = 0; i < garbage.count; ++i) {
      GetObjectSlot(*garbage.At(i))->ref.owner->DropHeldValues();
    }
    collected_ += garbage.count;
  }
  for (uint32_t i = 0; i < garbage.count; ++i) Release(garbage.At(i));
  garbage.Free();
  uint32_t next = attachedCount_ * 2;
  collectAt_ = next > kCollectionFloor ? next : kCollectionFloor;
  collecting_ = false;
}
