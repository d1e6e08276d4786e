// The member name hash index of dynamic objects (see member_name_index.h).
#include "script/objects/member_name_index.h"

#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kFirstCapacity = 32;

}  // namespace

uint32_t ScriptMemberNameIndex::Hash(const SharedWideString& name) {
  // FNV-1a over the code units.
  uint32_t hash = 2166136261u;
  const WCHAR* chars = name.Chars();
  for (uint32_t i = 0; i < name.length; ++i) {
    hash ^= static_cast<uint32_t>(chars[i]);
    hash *= 16777619u;
  }
  return hash;
}

void ScriptMemberNameIndex::Free() {
  DeviceFree(slots_);
  slots_ = nullptr;
  capacity_ = 0;
  size_ = 0;
}

void ScriptMemberNameIndex::Place(uint32_t hash, int32_t position) {
  uint32_t mask = capacity_ - 1;
  uint32_t i = hash & mask;
  while (slots_[i].position >= 0) i = (i + 1) & mask;
  slots_[i].hash = hash;
  slots_[i].position = position;
  ++size_;
}

bool ScriptMemberNameIndex::Grow() {
  uint32_t newCapacity = capacity_ == 0 ? kFirstCapacity : capacity_ * 2;
  if (newCapacity == 0 || newCapacity > (1u << 28)) return false;
  Slot* fresh = static_cast<Slot*>(DeviceAlloc(sizeof(Slot) * newCapacity));
  if (fresh == nullptr) return false;
  for (uint32_t i = 0; i < newCapacity; ++i) fresh[i].position = -1;
  Slot* old = slots_;
  uint32_t oldCapacity = capacity_;
  slots_ = fresh;
  capacity_ = newCapacity;
  size_ = 0;
  for (uint32_t i = 0; i < oldCapacity; ++i) {
    if (old[i].position >= 0) Place(old[i].hash, old[i].position);
  }
  DeviceFree(old);
  return true;
}

bool ScriptMemberNameIndex::Build(const ScriptMember* members, uint32_t count) {
  Free();
  for (uint32_t i = 0; i < count; ++i) {
    const SharedWideString& name = members[i].name;
    if (name.length == 0) continue;
    Add(name, static_cast<int32_t>(i));
    if (!Ready()) return false;
  }
  if (!Ready() && !Grow()) return false;
  return true;
}

int32_t ScriptMemberNameIndex::Find(const ScriptMember* members,
                                    const SharedWideString& name) const {
  if (name.length == 0 || slots_ == nullptr) return -1;
  uint32_t hash = Hash(name);
  uint32_t mask = capacity_ - 1;
  for (uint32_t i = hash & mask; slots_[i].position >= 0; i = (i + 1) & mask) {
    if (slots_[i].hash != hash) continue;
    const SharedWideString& candidate = members[slots_[i].position].name;
    if (candidate.length == name.length && candidate.CompareTo(name) == 0) {
      return slots_[i].position;
    }
  }
  return -1;
}

void ScriptMemberNameIndex::Add(const SharedWideString& name, int32_t position) {
  // At most half full, so probes stay short and always end.
  if ((size_ + 1) * 2 > capacity_ && !Grow()) {
    Free();
    return;
  }
  Place(Hash(name), position);
}

void ScriptMemberNameIndex::Move(const SharedWideString& name, int32_t oldPosition,
                                 int32_t newPosition) {
  if (slots_ == nullptr) return;
  uint32_t hash = Hash(name);
  uint32_t mask = capacity_ - 1;
  for (uint32_t i = hash & mask; slots_[i].position >= 0; i = (i + 1) & mask) {
    if (slots_[i].position == oldPosition) {
      slots_[i].position = newPosition;
      return;
    }
  }
  Free();  // not found: cannot happen while the index is in step; rebuild later
}
