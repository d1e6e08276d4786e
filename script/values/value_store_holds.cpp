// The per-object slot counts of the value store (see value_store_holds.h).
#include "script/values/value_store_holds.h"

#include <cstddef>

#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kFirstCapacity = 16;

}  // namespace

uint32_t ScriptObjectHoldTable::Home(const ScriptObject* object) const {
  // Fibonacci hashing of the address; the low bits of heap addresses carry
  // little, the multiplication spreads the rest over the high bits.
  uint64_t key = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(object));
  uint64_t mixed = key * 0x9E3779B97F4A7C15ULL;
  return static_cast<uint32_t>(mixed >> 32) & (capacity_ - 1);
}

uint32_t ScriptObjectHoldTable::Probe(const ScriptObject* object) const {
  uint32_t mask = capacity_ - 1;
  uint32_t i = Home(object);
  while (entries_[i].object != nullptr && entries_[i].object != object) i = (i + 1) & mask;
  return i;
}

bool ScriptObjectHoldTable::Grow() {
  uint32_t newCapacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
  if (newCapacity == 0 || newCapacity > (1u << 30)) return false;
  Entry* fresh = static_cast<Entry*>(DeviceAllocZeroed(sizeof(Entry) * newCapacity));
  if (fresh == nullptr) return false;
  Entry* old = entries_;
  uint32_t oldCapacity = capacity_;
  entries_ = fresh;
  capacity_ = newCapacity;
  for (uint32_t i = 0; i < oldCapacity; ++i) {
    if (old[i].object != nullptr) entries_[Probe(old[i].object)] = old[i];
  }
  DeviceFree(old);
  return true;
}

bool ScriptObjectHoldTable::Add(ScriptObject* object, uint32_t n) {
  if (object == nullptr || n == 0) return object != nullptr;
  if (capacity_ != 0) {
    Entry& entry = entries_[Probe(object)];
    if (entry.object == object) {
      if (entry.holds > UINT32_MAX - n) return false;
      entry.holds += n;
      return true;
    }
  }
  if ((size_ + 1) * 2 > capacity_ && !Grow()) return false;
  Entry& entry = entries_[Probe(object)];
  entry.object = object;
  entry.holds = n;
  ++size_;
  return true;
}

void ScriptObjectHoldTable::EraseAt(uint32_t index) {
  uint32_t mask = capacity_ - 1;
  uint32_t hole = index;
  entries_[hole].object = nullptr;
  // Move back every later entry of the run that may no longer be found
  // across the hole.
  for (uint32_t i = (hole + 1) & mask; entries_[i].object != nullptr; i = (i + 1) & mask) {
    uint32_t home = Home(entries_[i].object);
    // The entry stays when its home lies cyclically in (hole, i].
    bool stays = hole <= i ? (home > hole && home <= i) : (home > hole || home <= i);
    if (stays) continue;
    entries_[hole] = entries_[i];
    entries_[i].object = nullptr;
    hole = i;
  }
  // An emptied table of the first size is kept: attaching and letting go of
  // one object over and over (a reference made and dropped in a loop) would
  // otherwise allocate each time.
  if (--size_ == 0 && capacity_ > kFirstCapacity) Free();
}

uint32_t ScriptObjectHoldTable::Remove(ScriptObject* object) {
  if (capacity_ == 0 || object == nullptr) return 0;
  uint32_t i = Probe(object);
  if (entries_[i].object != object) return 0;
  if (--entries_[i].holds != 0) return entries_[i].holds;
  EraseAt(i);
  return 0;
}

uint32_t ScriptObjectHoldTable::Take(ScriptObject* object) {
  if (capacity_ == 0 || object == nullptr) return 0;
  uint32_t i = Probe(object);
  if (entries_[i].object != object) return 0;
  uint32_t holds = entries_[i].holds;
  EraseAt(i);
  return holds;
}

uint32_t ScriptObjectHoldTable::Holds(const ScriptObject* object) const {
  if (capacity_ == 0 || object == nullptr) return 0;
  const Entry& entry = entries_[Probe(object)];
  return entry.object == object ? entry.holds : 0;
}

void ScriptObjectHoldTable::Free() {
  DeviceFree(entries_);
  entries_ = nullptr;
  capacity_ = 0;
  size_ = 0;
}
