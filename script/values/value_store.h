// ScriptValueStore: the store of every value that scripts compute or host
// objects hand to scripts, one per window set. Values live in five typed
// pools of small fixed-size slots (boolean, number, object, integer,
// string), each slot with its own reference count, and are named by 32-bit
// handles (script_value.h). The store also performs every conversion between
// value types, including numbers to text.
//
// Invariants:
// - A live slot has a reference count of at least 1; the reference total of
//   a type is the sum of the counts of its live slots. A freed slot goes on
//   its pool's free list; when a type's total reaches 0 the pool is emptied
//   (only its first block is kept for reuse; the destructor frees it), and
//   the next value of the type gets slot 0 again.
// - The object pool is the list of attached objects: an object is attached
//   while some object slot holds it. The store keeps the number of slots per
//   attached object (value_store_holds.h), so freeing a slot never walks the
//   pool; when the last slot holding an object is freed the object hears
//   NotifyStore(kScriptStoreReleased), after the store's own bookkeeping is
//   done (the object may delete itself and release further values).
// - A slot's owner changes only through the store (NewObject, NewReference,
//   SetReference, ConvertValue, ReplaceAttachedObject).
// - Handles of types without a slot (name, undefined, empty) are copied and
//   released as plain words.
//
// Every operation that can fail writes a status (script_status.h) through its
// first argument and returns it: 1 when memory runs out (the handle variable
// is then left empty), 26 for a conversion that is not defined, 12 when a
// value read through member references leads back to references more than
// kScriptReferenceDepthLimit times. Failures of an object's GetMemberValue
// during a conversion are passed up unchanged.
//
// Only the application's one thread touches a store.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"
#include "script/values/value_store_holds.h"

class ScriptObject;

// How many member references a conversion reads through before it gives up
// with kScriptConversionFailed (a variable that holds a reference to itself: x = x).
inline constexpr int32_t kScriptReferenceDepthLimit = 16;

class ScriptValueStore {
 public:
  ScriptValueStore();
  // Every attached object is detached (its slots cleared) and hears
  // NotifyStore(kScriptStoreReleased); then the pools are freed. Handles
  // that others still hold are invalid afterwards.
  ~ScriptValueStore();
  ScriptValueStore(const ScriptValueStore&) = delete;
  ScriptValueStore& operator=(const ScriptValueStore&) = delete;

  // ---- Value creation: one slot with reference count 1, its handle written
  // to *handle (which the caller has released or emptied before).

  // A slot of a pooled type (0-4) holding false / 0.0 / the null object / 0 /
  // the empty text; *slot (when given) receives its address. Other types:
  // kScriptBadHeapState.
  int32_t* NewValue(int32_t* status, int32_t type, ScriptValueHandle* handle, void** slot);
  int32_t* NewString(int32_t* status, const SharedWideString& text, ScriptValueHandle* handle);
  int32_t* NewNumber(int32_t* status, double value, ScriptValueHandle* handle);
  int32_t* NewInteger(int32_t* status, int32_t value, ScriptValueHandle* handle);
  int32_t* NewBoolean(int32_t* status, uint8_t value, ScriptValueHandle* handle);
  // An object value for the object itself (null: the null object). A
  // non-null object is attached and hears NotifyStore(kScriptStoreAttached).
  int32_t* NewObject(int32_t* status, ScriptObject* object, ScriptValueHandle* handle);
  // A new empty plain object owned by the store, wrapped as a value; when
  // wrapping fails the object is deleted again.
  int32_t* NewPlainObject(int32_t* status, ScriptValueHandle* handle);
  // An object value holding any member reference; its owner is attached as
  // under NewObject.
  int32_t* NewReference(int32_t* status, const ScriptMemberRef& ref, ScriptValueHandle* handle);
  // A new slot of the type filled by converting the source (ConvertValue);
  // on failure the new slot is released and *handle left empty.
  int32_t* NewConvertedValue(int32_t* status, ScriptValueHandle source, int32_t type,
                             ScriptValueHandle* handle, void** slot);

  // ---- References

  // *target becomes equal to source with one more reference. The previous
  // *target is NOT released.
  void CopyValue(ScriptValueHandle source, ScriptValueHandle* target);
  // Releases *target, moves *source into it and empties *source; moving a
  // handle onto itself does nothing.
  void MoveValue(ScriptValueHandle* source, ScriptValueHandle* target);
  // Drops one reference (the slot is freed at zero); *handle becomes empty.
  void Release(ScriptValueHandle* handle);

  // The slot of a pooled type, null for every other type.
  void* GetSlot(ScriptValueHandle handle) const;
  // Typed forms: null when the handle is not of that type.
  ScriptBooleanSlot* GetBooleanSlot(ScriptValueHandle handle) const;
  ScriptNumberSlot* GetNumberSlot(ScriptValueHandle handle) const;
  ScriptObjectSlot* GetObjectSlot(ScriptValueHandle handle) const;
  ScriptIntegerSlot* GetIntegerSlot(ScriptValueHandle handle) const;
  ScriptStringSlot* GetStringSlot(ScriptValueHandle handle) const;

  // Gives the live object slot `handle` the reference ref: the new owner is
  // attached (NotifyStore(kScriptStoreAttached)) before the old one is let
  // go. kScriptInvalidType for a handle that is not an object value.
  int32_t* SetReference(int32_t* status, ScriptValueHandle handle, const ScriptMemberRef& ref);

  // ---- Reading values: conversions that leave the value unchanged.

  // Boolean: numbers are true unless 0 or NaN, texts unless empty; undefined
  // and empty are false; a name gives kScriptBadHeapState.
  int32_t* ToBoolean(int32_t* status, ScriptValueHandle handle, uint8_t* out);
  // Number: texts through ParseScriptNumber; undefined, names and empty NaN.
  int32_t* ToNumber(int32_t* status, ScriptValueHandle handle, double* out);
  // Text: "true"/"false", the number text, signed decimal integers, the
  // null object "null", undefined and other slotless types "undefined". With
  // quote set a text that came from a string value is escaped
  // (EscapeScriptString) and put between apostrophes.
  int32_t* ToString(int32_t* status, ScriptValueHandle handle, SharedWideString* out,
                    uint8_t quote);
  // Integer: numbers through ScriptNumberToInt32 (NaN and infinities 0,
  // others wrapped modulo 2^32); texts as signed decimal integers, kScriptConversionFailed
  // when they are not; undefined and other slotless types 0.
  int32_t* ToInteger(int32_t* status, ScriptValueHandle handle, int32_t* out);

  // Converts the payload of fromSlot (of fromType; null for slotless types)
  // into toSlot (of toType): copied when the types are equal (kScriptBadHeapState for
  // types outside 0-4), else converted by the rules above. Conversion to an
  // object (type 2) from another type, or to a type outside 0, 1, 3, 4, gives
  // kScriptBadHeapState.
  int32_t* ConvertValue(int32_t* status, int32_t fromType, const void* fromSlot, int32_t toType,
                        void* toSlot);
  // Makes *handle hold a value of the type that the caller may modify: its
  // own slot when it has the type and its count is 1, else a new converted
  // slot moved into *handle (copy on write). *slot receives the slot.
  int32_t* ConvertInPlace(int32_t* status, ScriptValueHandle* handle, int32_t type, void** slot);
  // *out becomes a copy of the value (its previous value released); an
  // object value that refers to a member gives the member's value instead
  // (the owner's GetMemberValue with type 15). out may be the variable that
  // holds handle. A failing fetch leaves *out as it was and answers its
  // status (7 for a reference without owner, or a member without value).
  int32_t* GetReferencedValue(int32_t* status, ScriptValueHandle handle, ScriptValueHandle* out);

  // ---- Attached objects

  // Every object slot that holds old receives replacement (or the null
  // object); when a slot changed and replacement is not null, it hears
  // NotifyStore(kScriptStoreAttached). Walks the object pool. kScriptNoMemory when
  // the replacement cannot be counted (its slots then hold the null object).
  int32_t* ReplaceAttachedObject(int32_t* status, ScriptObject* old, ScriptObject* replacement);
  // Clears every slot holding the object; a host object calls it from its
  // destructor. The object hears nothing.
  void DetachObject(ScriptObject* object);

  // ---- Inspection (tests, benchmarks)

  // Slots in the type's pool, live and free.
  uint32_t PoolSize(int32_t type) const;
  uint32_t ReferenceTotal(int32_t type) const;
  // Object slots holding the object.
  uint32_t SlotsHolding(const ScriptObject* object) const { return holds_.Holds(object); }
  uint32_t AttachedObjectCount() const { return holds_.Size(); }

 private:
  int32_t* AllocateSlot(int32_t* status, int32_t type, ScriptValueHandle* handle, void** slot);
  void FreeSlot(int32_t type, uint32_t index);
  int32_t* AttachToSlot(int32_t* status, ScriptObjectSlot* slot, const ScriptMemberRef& ref);
  ScriptObject* TakeFromSlot(ScriptObjectSlot* slot);
  void LetGo(ScriptObject* object);
  // NotifyStore(kScriptStoreReleased) without nesting releases in releases.
  void TellReleased(ScriptObject* object);
  int32_t& ReferenceCountOf(int32_t type, uint32_t index) const;
  uint32_t PoolCount(int32_t type) const;
  void EmptyPool(int32_t type);

  // Reads an object value down to a value that is no member reference.
  int32_t* FetchObjectValue(int32_t* status, const ScriptMemberRef& ref, int32_t wantedType,
                            ScriptValueHandle* result);
  // The object case of the ConvertTo* functions: an object slot without an
  // owner (null) converts by convertNull(); any other asks the owner for its
  // value as wantedType, hands it to convert(status, type, slot) and
  // releases it, keeping convert's status.
  template <typename ConvertNull, typename Convert>
  int32_t* ConvertObjectValue(int32_t* status, const void* objectSlot, int32_t wantedType,
                              ConvertNull convertNull, Convert convert);
  int32_t* ConvertToBoolean(int32_t* status, int32_t fromType, const void* fromSlot, uint8_t* out);
  int32_t* ConvertToNumber(int32_t* status, int32_t fromType, const void* fromSlot, double* out);
  int32_t* ConvertToString(int32_t* status, int32_t fromType, const void* fromSlot,
                           SharedWideString* out, uint8_t quote);
  int32_t* ConvertToInteger(int32_t* status, int32_t fromType, const void* fromSlot, int32_t* out);
  int32_t* CopySameType(int32_t* status, int32_t type, const void* fromSlot, void* toSlot);

  // Pools, in the order of types 0-4.
  SegmentedTypedArray<ScriptBooleanSlot, false> booleans_;  // 32 slots a block
  SegmentedTypedArray<ScriptNumberSlot, false> numbers_;    // 16
  SegmentedTypedArray<ScriptObjectSlot, false> objects_;    // 8
  SegmentedTypedArray<ScriptIntegerSlot, false> integers_;  // 16
  SegmentedTypedArray<ScriptStringSlot> strings_;           // 16; new blocks hold empty texts
  int32_t freeHeads_[kScriptPooledTypes];
  uint32_t referenceTotals_[kScriptPooledTypes];
  ScriptObjectHoldTable holds_;
  bool destroying_ = false;
  // Objects released while another is being told, told next.
  SegmentedPointerArray waiting_;
  bool telling_ = false;
};

// Builds a name token from the text, resolves it on the object with the
// create flag set and, when that succeeds, stores a copy of value there. The
// status is the first failure. Host objects and the interpreter store
// built-ins, arguments and declarations this way.
int32_t* SetScriptMemberByName(int32_t* status, ScriptValueStore* store, ScriptObject* object,
                               const SharedWideString& name, ScriptValueHandle value);
