// The value store's count of object slots per object: how many slots of the
// store's object pool hold each attached object. Freeing an object slot asks
// it whether another slot still holds the object, so the answer costs a hash
// probe instead of a walk over the whole object pool, and the cost of a
// variable access (one reference value made and freed) stays flat however
// many objects are alive.
//
// An open-addressing table keyed by the object's address (linear probing,
// deletion by moving later entries back), at most half full, its storage
// freed when the last entry goes.
#pragma once

#include <cstdint>

class ScriptObject;

class ScriptObjectHoldTable {
 public:
  ScriptObjectHoldTable() = default;
  ~ScriptObjectHoldTable() { Free(); }
  ScriptObjectHoldTable(const ScriptObjectHoldTable&) = delete;
  ScriptObjectHoldTable& operator=(const ScriptObjectHoldTable&) = delete;

  // Adds n holds of the object (n > 0); false, with nothing changed, when the
  // table cannot grow.
  bool Add(ScriptObject* object, uint32_t n = 1);
  // Removes one hold; answers the holds left (0: the entry is gone, or the
  // object had none).
  uint32_t Remove(ScriptObject* object);
  // Removes the object's entry; answers the holds it had (0 when none).
  uint32_t Take(ScriptObject* object);
  uint32_t Holds(const ScriptObject* object) const;

  // Objects with at least one hold.
  uint32_t Size() const { return size_; }
  void Free();

 private:
  struct Entry {
    ScriptObject* object;  // null: free
    uint32_t holds;
  };

  uint32_t Home(const ScriptObject* object) const;
  // Index of the object's entry, or of the free entry where it would go.
  uint32_t Probe(const ScriptObject* object) const;
  bool Grow();
  void EraseAt(uint32_t index);

  Entry* entries_ = nullptr;
  uint32_t capacity_ = 0;  // a power of two, or 0
  uint32_t size_ = 0;
};
