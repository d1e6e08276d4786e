// ScriptMemberNameIndex: a hash index from member name to member position
// for a dynamic object's name list, so that finding a member among many
// (the global object holds every built-in and every global variable) does
// not compare the name with each one in turn.
//
// The index only points into the name list it was built from; the list
// stays the one truth. It is built once the list is long enough to pay for
// it and kept up to date as names are added. When memory runs out it is
// dropped and the owner searches the list itself, so a failure here never
// changes what is found.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

// One member of a dynamic object: its name (empty once renewed) and its
// value.
struct ScriptMember {
  SharedWideString name;
  ScriptValueHandle value = kScriptUndefinedHandle;
};

class ScriptMemberNameIndex {
 public:
  ScriptMemberNameIndex() = default;
  ~ScriptMemberNameIndex() { Free(); }
  ScriptMemberNameIndex(const ScriptMemberNameIndex&) = delete;
  ScriptMemberNameIndex& operator=(const ScriptMemberNameIndex&) = delete;

  bool Ready() const { return slots_ != nullptr; }
  // Indexes every non-empty name of the list; false (and not ready) when
  // memory runs out.
  bool Build(const ScriptMember* members, uint32_t count);
  // Position of the non-empty name in the list, or -1. Only when ready.
  int32_t Find(const ScriptMember* members, const SharedWideString& name) const;
  // Records that members[position] holds name (a name not yet indexed);
  // drops the index when memory runs out.
  void Add(const SharedWideString& name, int32_t position);
  // The name at oldPosition moved to newPosition (its old entry cleared).
  void Move(const SharedWideString& name, int32_t oldPosition, int32_t newPosition);
  void Free();

  static uint32_t Hash(const SharedWideString& name);

 private:
  struct Slot {
    uint32_t hash;
    int32_t position;  // -1: empty
  };
  bool Grow();
  void Place(uint32_t hash, int32_t position);

  Slot* slots_ = nullptr;
  uint32_t capacity_ = 0;  // a power of two
  uint32_t size_ = 0;
};
