// Script values as the engine keeps them: the 64-bit value word that names
// a value (ScriptValueHandle), the member reference that an object value
// holds, and the cells of the two counted kinds, strings and objects.
//
// A value word is either a number, stored as the bits of its double (every
// NaN stored as the one quiet NaN 0x7FF8000000000000), or a boxed word: the
// top 16 bits 0xFFFC (a NaN pattern no number takes), the type in bits 0-3
// and a payload in bits 4-47. Booleans (payload 0 or 1), 32-bit integers
// (payload the 32 bits), undefined, the empty word and names (payload the
// atom) live in the word itself: making, copying and dropping them costs
// nothing. Strings and objects are cells in the value store's pools (payload
// the cell index), each with its reference count.
//
// A value word is a plain word: copying it adds no reference. Holders
// release their words through the store (ScriptValueStore::Release) and take
// copies with ScriptValueStore::CopyValue; a released or moved-from variable
// holds kScriptEmptyHandle.
#pragma once

#include <cstdint>
#include <cstring>

#include "foundation/wide_string/shared_wide_string.h"

class ScriptObject;

using ScriptValueHandle = uint64_t;

// Value types: the low four bits of a boxed word; a word that is not boxed
// is a number.
inline constexpr int32_t kScriptTypeBoolean = 0;
inline constexpr int32_t kScriptTypeNumber = 1;
inline constexpr int32_t kScriptTypeObject = 2;  // an object, or a reference to one of its members
inline constexpr int32_t kScriptTypeInteger = 3;
inline constexpr int32_t kScriptTypeString = 4;
inline constexpr int32_t kScriptTypeName = 6;       // the payload is an atom number
inline constexpr int32_t kScriptTypeUndefined = 7;
inline constexpr int32_t kScriptTypeEmpty = 15;     // no value at all
// Conversions and GetMemberValue take 15 as "any type" too.
inline constexpr int32_t kScriptTypeAny = 15;
// Types 0-4 are the types of values proper (the ones conversions make).
inline constexpr int32_t kScriptPooledTypes = 5;

inline constexpr uint64_t kScriptBoxMask = 0xFFFF000000000000ull;
inline constexpr uint64_t kScriptBoxTag = 0xFFFC000000000000ull;
inline constexpr uint64_t kScriptCanonicalNaN = 0x7FF8000000000000ull;

inline constexpr ScriptValueHandle kScriptEmptyHandle =
    kScriptBoxTag | 0x0000FFFFFFFFFFF0ull | static_cast<uint64_t>(kScriptTypeEmpty);
inline constexpr ScriptValueHandle kScriptUndefinedHandle =
    kScriptBoxTag | static_cast<uint64_t>(kScriptTypeUndefined);
// Cell indexes and atoms fit in 28 bits.
inline constexpr uint32_t kScriptMaxSlotIndex = 0x0FFFFFFFu;

inline bool ScriptHandleIsBoxed(ScriptValueHandle h) { return (h & kScriptBoxMask) == kScriptBoxTag; }
inline int32_t ScriptHandleType(ScriptValueHandle h) {
  return ScriptHandleIsBoxed(h) ? static_cast<int32_t>(h & 0xF) : kScriptTypeNumber;
}
// The payload of a boxed word: a cell index, an atom, a boolean.
inline uint32_t ScriptHandleIndex(ScriptValueHandle h) { return static_cast<uint32_t>(h >> 4); }
// A boxed word of a type other than number.
inline ScriptValueHandle MakeScriptHandle(int32_t type, uint32_t index) {
  return kScriptBoxTag | (static_cast<uint64_t>(index) << 4) | static_cast<uint64_t>(type & 0xF);
}
// The name value of an atom, as PushAtom makes it.
inline ScriptValueHandle MakeScriptNameHandle(int32_t atom) {
  return MakeScriptHandle(kScriptTypeName, static_cast<uint32_t>(atom));
}

inline ScriptValueHandle MakeScriptNumberHandle(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return value != value ? kScriptCanonicalNaN : bits;
}
inline ScriptValueHandle MakeScriptIntegerHandle(int32_t value) {
  return MakeScriptHandle(kScriptTypeInteger, static_cast<uint32_t>(value));
}
inline ScriptValueHandle MakeScriptBooleanHandle(bool value) {
  return MakeScriptHandle(kScriptTypeBoolean, value ? 1u : 0u);
}
// The payloads of the immediate types; the handle must be of the type.
inline double ScriptHandleNumber(ScriptValueHandle h) {
  double value;
  std::memcpy(&value, &h, sizeof value);
  return value;
}
inline int32_t ScriptHandleInteger(ScriptValueHandle h) {
  return static_cast<int32_t>(static_cast<uint32_t>(h >> 4));
}
inline uint8_t ScriptHandleBoolean(ScriptValueHandle h) { return (h >> 4) & 1 ? 1 : 0; }

// Only strings and objects are counted cells.
inline bool ScriptTypeHasSlot(int32_t type) {
  return type == kScriptTypeObject || type == kScriptTypeString;
}

// Two words denote the same value when their types are equal and either the
// type is undefined or empty, or their payloads are equal.
inline bool SameScriptValue(ScriptValueHandle a, ScriptValueHandle b) {
  int32_t type = ScriptHandleType(a);
  if (type != ScriptHandleType(b)) return false;
  if (type == kScriptTypeUndefined || type == kScriptTypeEmpty) return true;
  return a == b;
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

// Cells. Every cell begins with its reference count; a cell on its pool's
// free list holds there the index of the next free cell (-1 ends the list).
struct ScriptObjectSlot {
  int32_t refcount = 0;
  ScriptMemberRef ref;
  // The store's own record of the object this slot holds (the one counted
  // for it and told when the last slot holding it goes). Equal to ref.owner;
  // to give a live slot another owner use ScriptValueStore::SetReference,
  // never a direct write to ref.owner.
  ScriptObject* attached = nullptr;
};

struct ScriptStringSlot {
  int32_t refcount = 0;
  SharedWideString text;
};
