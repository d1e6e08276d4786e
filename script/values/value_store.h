// ScriptValueStore: the store of every value that scripts compute or host
// objects hand to scripts, one per window set. Values are named by 64-bit
// value words (script_value.h): numbers, integers, booleans, undefined and
// names live in the word itself; strings and objects live in two pools of
// small fixed-size cells ("slots"), each with its own reference count. The
// store also performs every conversion between value types, including
// numbers to text.
//
// Invariants:
// - A live slot has a reference count of at least 1; the reference total of
//   a type is the sum of the counts of its live slots (0 for the immediate
//   types). A freed slot goes on its pool's free list; when a type's total
//   reaches 0 the pool is emptied (only its first block is kept for reuse;
//   the destructor frees it), and the next value of the type gets slot 0
//   again.
// - The object pool is the list of attached objects: an object is attached
//   while some object slot holds it. Each object counts the slots that hold
//   it (ScriptObject::storeHolds_), so freeing a slot never walks the pool
//   and costs the same however many objects are alive; when the last slot
//   holding an object is freed the object hears
//   NotifyStore(kScriptStoreReleased), after the store's own bookkeeping is
//   done (the object may delete itself and release further values). An
//   object is held by one store at a time.
// - A slot's owner changes only through the store (NewObject, NewReference,
//   SetReference, ReplaceAttachedObject).
// - Words of the immediate types are copied and released as plain words.
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
#include "script/values/script_status.h"
#include "script/values/script_value.h"

class ScriptDynamicObject;
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

  // ---- Value creation: the value's word written to *handle (which the
  // caller has released or emptied before). Strings and objects take a slot
  // with reference count 1; the other types cannot fail.

  // A value of a type 0-4 holding false / 0.0 / the null object / 0 / the
  // empty text; *slot (when given) receives the address of its slot (null
  // for the immediate types). Other types: kScriptBadHeapState.
  int32_t* NewValue(int32_t* status, int32_t type, ScriptValueHandle* handle, void** slot);
  int32_t* NewString(int32_t* status, const SharedWideString& text, ScriptValueHandle* handle);
  int32_t* NewNumber(int32_t* status, double value, ScriptValueHandle* handle) {
    *handle = MakeScriptNumberHandle(value);
    *status = kScriptOk;
    return status;
  }
  int32_t* NewInteger(int32_t* status, int32_t value, ScriptValueHandle* handle) {
    *handle = MakeScriptIntegerHandle(value);
    *status = kScriptOk;
    return status;
  }
  int32_t* NewBoolean(int32_t* status, uint8_t value, ScriptValueHandle* handle) {
    *handle = MakeScriptBooleanHandle(value != 0);
    *status = kScriptOk;
    return status;
  }
  // An object value for the object itself (null: the null object). A
  // non-null object is attached and hears NotifyStore(kScriptStoreAttached).
  int32_t* NewObject(int32_t* status, ScriptObject* object, ScriptValueHandle* handle);
  // A new empty plain object owned by the store, wrapped as a value; when
  // wrapping fails the object is deleted again.
  int32_t* NewPlainObject(int32_t* status, ScriptValueHandle* handle);
  // Keeps a released plain object (made by NewPlainObject) for the next
  // NewPlainObject, emptied; false when the store does not take it (it is
  // being destroyed, or keeps enough already): the object deletes itself.
  // Calls make and drop a plain object for their variables each time; reuse
  // spares the heap that churn.
  bool RecyclePlainObject(ScriptDynamicObject* object);
  // As NewPlainObject, but the object keeps the member names of a shared
  // layout (ScriptDynamicObject::ShareNameStamp) with every value undefined,
  // when a released object of that layout is kept (*reused true); otherwise
  // a new empty one as NewPlainObject makes (*reused false). A call of a
  // script function takes its variables this way: the names need not be
  // added again.
  int32_t* NewPlainObjectOfLayout(int32_t* status, uint64_t layout, ScriptValueHandle* handle,
                                  bool* reused);
  // Keeps the variables of a call that ends, value and slot as they are,
  // for the next call of the same layout (NewPlainObjectOfLayout takes it
  // back first): when `variables` is a plain object of a shared layout
  // whose one slot the caller holds alone, its values are released and the
  // store takes a reference of its own; the caller then releases its own as
  // usual. False, with nothing done, in any other case or when the store
  // keeps enough. The churn of a slot, an attachment and a release per call
  // is spared.
  bool ParkVariables(ScriptValueHandle variables);
  // Releases what ParkVariables kept: a run that has ended leaves the store
  // as it would be without it.
  void ReleaseParked();
  // An object value holding any member reference; its owner is attached as
  // under NewObject.
  int32_t* NewReference(int32_t* status, const ScriptMemberRef& ref, ScriptValueHandle* handle);
  // A new value of the type (0, 1, 3, 4) converted from the source; on
  // failure *handle is left empty. *slot (when given) receives the slot of
  // a string, null for the other types.
  int32_t* NewConvertedValue(int32_t* status, ScriptValueHandle source, int32_t type,
                             ScriptValueHandle* handle, void** slot);

  // ---- References

  // *target becomes equal to source with one more reference. The previous
  // *target is NOT released.
  void CopyValue(ScriptValueHandle source, ScriptValueHandle* target) {
    *target = source;
    if (ScriptHandleIsBoxed(source) && ScriptTypeHasSlot(ScriptHandleType(source))) {
      AddReference(source);
    }
  }
  // Releases *target, moves *source into it and empties *source; moving a
  // handle onto itself does nothing.
  void MoveValue(ScriptValueHandle* source, ScriptValueHandle* target) {
    if (source == target) return;
    ScriptValueHandle old = *target;
    *target = *source;
    *source = kScriptEmptyHandle;
    Release(&old);
  }
  // Drops one reference (the slot is freed at zero); *handle becomes empty.
  void Release(ScriptValueHandle* handle) {
    ScriptValueHandle h = *handle;
    *handle = kScriptEmptyHandle;
    if (ScriptHandleIsBoxed(h) && ScriptTypeHasSlot(ScriptHandleType(h))) DropReference(h);
  }

  // The slot of a string or object value, null for every other value.
  void* GetSlot(ScriptValueHandle handle) const;
  // Typed forms: null when the handle is not of that type.
  ScriptObjectSlot* GetObjectSlot(ScriptValueHandle handle) const {
    if (ScriptHandleType(handle) != kScriptTypeObject) return nullptr;
    uint32_t index = ScriptHandleIndex(handle);
    return index < objects_.count ? objects_.At(index) : nullptr;
  }
  ScriptStringSlot* GetStringSlot(ScriptValueHandle handle) const {
    if (ScriptHandleType(handle) != kScriptTypeString) return nullptr;
    uint32_t index = ScriptHandleIndex(handle);
    return index < strings_.count ? strings_.At(index) : nullptr;
  }

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

  // Makes *handle hold a value of the type (0, 1, 3, 4) that the caller may
  // modify: a string value its own slot when its count is 1, else a new
  // converted value moved into *handle (copy on write). *slot receives the
  // string slot (null for the immediate types, whose word is the value).
  int32_t* ConvertInPlace(int32_t* status, ScriptValueHandle* handle, int32_t type, void** slot);
  // *out becomes a copy of the value (its previous value released); an
  // object value that refers to a member gives the member's value instead
  // (the owner's GetMemberValue with type 15). out may be the variable that
  // holds handle. A failing fetch leaves *out as it was and answers its
  // status (7 for a reference without owner, or a member without value).
  // Inline for the values that are no objects: most operands are read so.
  int32_t* GetReferencedValue(int32_t* status, ScriptValueHandle handle, ScriptValueHandle* out) {
    if (ScriptHandleType(handle) != kScriptTypeObject) {
      *status = kScriptOk;
      ScriptValueHandle old = *out;
      CopyValue(handle, out);
      Release(&old);
      return status;
    }
    return GetReferencedObjectValue(status, handle, out);
  }

  // ---- Attached objects

  // Every object slot that holds old receives replacement (or the null
  // object); when a slot changed and replacement is not null, it hears
  // NotifyStore(kScriptStoreAttached). Walks the object pool. kScriptNoMemory when
  // the replacement cannot be counted (its slots then hold the null object).
  int32_t* ReplaceAttachedObject(int32_t* status, ScriptObject* old, ScriptObject* replacement);
  // Clears every slot holding the object; a host object calls it from its
  // destructor. The object hears nothing.
  void DetachObject(ScriptObject* object);

  // ---- Cycle collection

  // Objects that take part (ScriptObject::VisitHeldValues) and are held
  // only by each other, not by any value outside them (the operand stack, a
  // scope chain, a host object, a caller's variable), are released: each
  // drops the values it holds, and the counts do the rest. The hold counts
  // of every other object are left as they are. A collection is due when
  // the number of attached objects has doubled since the last one; the
  // interpreter collects at the start of a call, where every value the run
  // uses is held. Lack of memory skips a collection; nothing is lost.
  bool CycleCollectionDue() const { return attachedCount_ >= collectAt_; }
  void CollectCycles();
  // Objects released by collections so far.
  uint32_t CollectedObjectCount() const { return collected_; }

  // ---- Inspection (tests, benchmarks)

  // Slots in the type's pool, live and free (0 for the immediate types).
  uint32_t PoolSize(int32_t type) const;
  uint32_t ReferenceTotal(int32_t type) const;
  // Object slots holding the object.
  uint32_t SlotsHolding(const ScriptObject* object) const;
  uint32_t AttachedObjectCount() const { return attachedCount_; }

 private:
  // Inline for the live slots whose count stays above zero, the common
  // case of copies and releases; the rest (bad indexes, freeing) out of line.
  void AddReference(ScriptValueHandle handle) {
    uint32_t index = ScriptHandleIndex(handle);
    if (ScriptHandleType(handle) == kScriptTypeObject) {
      if (index < objects_.count) {
        ++objects_.At(index)->refcount;
        ++referenceTotals_[kScriptTypeObject];
      }
    } else if (index < strings_.count) {
      ++strings_.At(index)->refcount;
      ++referenceTotals_[kScriptTypeString];
    }
  }
  void DropReference(ScriptValueHandle handle) {
    uint32_t index = ScriptHandleIndex(handle);
    int32_t* count = nullptr;
    int32_t type = ScriptHandleType(handle);
    if (type == kScriptTypeObject) {
      if (index < objects_.count) count = &objects_.At(index)->refcount;
    } else if (index < strings_.count) {
      count = &strings_.At(index)->refcount;
    }
    if (count == nullptr || *count <= 0) return;  // not a live slot
    --referenceTotals_[type];
    if (--*count == 0) FreeSlot(type, index);
  }
  int32_t* AllocateSlot(int32_t* status, int32_t type, ScriptValueHandle* handle, void** slot);
  void FreeSlot(int32_t type, uint32_t index);
  int32_t* AttachToSlot(int32_t* status, ScriptObjectSlot* slot, const ScriptMemberRef& ref);
  ScriptObject* TakeFromSlot(ScriptObjectSlot* slot);
  // One hold more / less of the object (the count in the object).
  void Hold(ScriptObject* object, uint32_t n);
  void LetGo(ScriptObject* object);
  // NotifyStore(kScriptStoreReleased) without nesting releases in releases.
  void TellReleased(ScriptObject* object);
  int32_t& ReferenceCountOf(int32_t type, uint32_t index) const;
  uint32_t PoolCount(int32_t type) const;
  void EmptyPool(int32_t type);

  // GetReferencedValue of an object value.
  int32_t* GetReferencedObjectValue(int32_t* status, ScriptValueHandle handle,
                                    ScriptValueHandle* out);
  // Reads an object value down to a value that is no member reference.
  int32_t* FetchObjectValue(int32_t* status, const ScriptMemberRef& ref, int32_t wantedType,
                            ScriptValueHandle* result);
  // The object case of the ConvertTo* functions: an object slot without an
  // owner (null) converts by convertNull(); any other asks the owner for its
  // value as wantedType, hands it to convert(status, value) and releases
  // it, keeping convert's status.
  template <typename ConvertNull, typename Convert>
  int32_t* ConvertObjectValue(int32_t* status, const ScriptObjectSlot* objectSlot,
                              int32_t wantedType, ConvertNull convertNull, Convert convert);
  int32_t* ConvertToBoolean(int32_t* status, ScriptValueHandle from, uint8_t* out);
  int32_t* ConvertToNumber(int32_t* status, ScriptValueHandle from, double* out);
  int32_t* ConvertToString(int32_t* status, ScriptValueHandle from, SharedWideString* out,
                           uint8_t quote);
  int32_t* ConvertToInteger(int32_t* status, ScriptValueHandle from, int32_t* out);

  // The pools of the two counted types.
  SegmentedTypedArray<ScriptObjectSlot, false> objects_;  // 64 slots a block
  SegmentedTypedArray<ScriptStringSlot> strings_;         // 32; new blocks hold empty texts
  int32_t freeHeads_[kScriptPooledTypes];
  uint32_t referenceTotals_[kScriptPooledTypes];
  uint32_t attachedCount_ = 0;
  bool destroying_ = false;
  // Objects released while another is being told, told next.
  SegmentedPointerArray waiting_;
  // Released plain objects kept for reuse (RecyclePlainObject).
  SegmentedPointerArray recycled_;
  // Released plain objects of shared layouts, names kept, values undefined.
  SegmentedPointerArray recycledLayouts_;
  // Variables of ended calls still in their slots (ParkVariables): handles
  // the store holds a reference of.
  static constexpr uint32_t kParkedVariables = 16;
  ScriptValueHandle parked_[kParkedVariables];
  uint32_t parkedCount_ = 0;
  // The attached-object count at which the next cycle collection is due.
  uint32_t collectAt_ = 4096;
  uint32_t collected_ = 0;
  bool collecting_ = false;
  bool telling_ = false;
};

// Builds a name token from the text, resolves it on the object with the
// create flag set and, when that succeeds, stores a copy of value there. The
// status is the first failure. Host objects and the interpreter store
// built-ins, arguments and declarations this way.
int32_t* SetScriptMemberByName(int32_t* status, ScriptValueStore* store, ScriptObject* object,
                               const SharedWideString& name, ScriptValueHandle value);
