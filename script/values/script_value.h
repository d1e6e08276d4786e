// Script values as the value store keeps them: the 32-bit handle that names a
// value (type in bits 0-3, slot index in bits 4-31), the member reference
// that an object value holds, and the slot records of the five typed pools.
//
// A handle is a plain word: copying it adds no reference. Holders release
// their handles through the store (ScriptValueStore::Release) and take
// copies with ScriptValueStore::CopyValue; a released or moved-from handle
// variable holds kScriptEmptyHandle.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"

class ScriptObject;

using ScriptValueHandle = uint32_t;

// Value types: the low four bits of a handle.
inline constexpr int32_t kScriptTypeBoolean = 0;
inline constexpr int32_t kScriptTypeNumber = 1;
inline constexpr int32_t kScriptTypeObject = 2;  // an object, or a reference to one of its members
inline constexpr int32_t kScriptTypeInteger = 3;
inline constexpr int32_t kScriptTypeString = 4;
inline constexpr int32_t kScriptTypeName = 6;       // no slot: the index bits hold an atom number
inline constexpr int32_t kScriptTypeUndefined = 7;  // no slot
inline constexpr int32_t kScriptTypeEmpty = 15;     // no slot: no value at all
// Conversions and GetMemberValue take 15 as "any type" too.
inline constexpr int32_t kScriptTypeAny = 15;
// Types 0-4 have slots in pools; their count.
inline constexpr int32_t kScriptPooledTypes = 5;

inline constexpr ScriptValueHandle kScriptEmptyHandle = 0xFFFFFFFFu;
inline constexpr ScriptValueHandle kScriptUndefinedHandle =
    static_cast<ScriptValueHandle>(kScriptTypeUndefined);
// Slot indexes fit in 28 bits.
inline constexpr uint32_t kScriptMaxSlotIndex = 0x0FFFFFFFu;

inline int32_t ScriptHandleType(ScriptValueHandle h) { return static_cast<int32_t>(h & 0xF); }
inline uint32_t ScriptHandleIndex(ScriptValueHandle h) { return h >> 4; }
inline ScriptValueHandle MakeScriptHandle(int32_t type, uint32_t index) {
  return (index << 4) | static_cast<uint32_t>(type & 0xF);
}
// The name value of an atom, as PushAtom makes it: no slot.
inline ScriptValueHandle MakeScriptNameHandle(int32_t atom) {
  return MakeScriptHandle(kScriptTypeName, static_cast<uint32_t>(atom));
}
inline bool ScriptTypeHasSlot(int32_t type) { return type >= 0 && type < kScriptPooledTypes; }

// Two handles denote the same value when their types are equal and either
// the type is undefined or empty, or their slot indexes are equal.
inline bool SameScriptValue(ScriptValueHandle a, ScriptValueHandle b) {
  int32_t type = ScriptHandleType(a);
  if (type != ScriptHandleType(b)) return false;
  if (type == kScriptTypeUndefined || type == kScriptTypeEmpty) return true;
  return ScriptHandleIndex(a) == ScriptHandleIndex(b);
}

// What an object value holds, and what ScriptObject operations exchange.
// Member code -1 with sub-code 0 stands for the owner itself; any other pair
// is a reference to a member that only the owner interprets.
struct ScriptMemberRef {
  ScriptObject* owner = nullptr;  // null in a value: the null object
  int32_t memberCode = -1;
  int32_t subCode = 0;    // 318: construct member; 245 with no owner: eval
  uint8_t resolved = 0;   // set by dynamic objects for their own members

  bool IsSelf() const { return memberCode == -1 && subCode == 0; }
};

inline constexpr int32_t kScriptSubCodeConstruct = 318;
inline constexpr int32_t kScriptSubCodeEval = 245;

// Slots. Every slot begins with its reference count; a slot on its pool's
// free list holds there the index of the next free slot (-1 ends the list).
struct ScriptBooleanSlot {
  int32_t refcount = 0;
  uint8_t value = 0;
};

struct ScriptNumberSlot {
  int32_t refcount = 0;
  double value = 0.0;
};

struct ScriptObjectSlot {
  int32_t refcount = 0;
  ScriptMemberRef ref;
  // The store's own record of the object this slot holds (the one counted
  // for it and told when the last slot holding it goes). Equal to ref.owner;
  // to give a live slot another owner use ScriptValueStore::SetReference,
  // never a direct write to ref.owner.
  ScriptObject* attached = nullptr;
};

struct ScriptIntegerSlot {
  int32_t refcount = 0;
  int32_t value = 0;
};

struct ScriptStringSlot {
  int32_t refcount = 0;
  SharedWideString text;
};
