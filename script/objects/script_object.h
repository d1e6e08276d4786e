// ScriptObject: the interface of everything a script can name or call (the
// built-in objects, the host objects of other subsystems, the plain objects
// scripts create). The interpreter turns a member name into a member
// reference, reads and writes the member, calls it and enumerates members
// through it without knowing the object's class.
//
// Every operation but GetKind, AnswerFlag and NotifyStore writes a runtime
// status (script_status.h) to its first argument and returns that pointer.
// The defaults answer as an object without members would: 4 for ResolveMember
// and EnumerateMember, 9 for Invoke, 6 for SetMemberValue, 7 for
// GetMemberValue.
//
// Objects are created on the heap (DeviceNew) and destroyed with delete. An
// object that a ScriptValueStore holds hears NotifyStore(kScriptStoreAttached)
// each time a slot of the store receives it, and
// NotifyStore(kScriptStoreReleased) when the last slot holding it is freed or
// the store is destroyed; store-owned objects delete themselves then (the
// store touches nothing of the object after that call), host objects detach
// themselves from the store in their destructors (ScriptValueStore::
// DetachObject).
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

class ScriptValueStore;
class ScriptOperandStack;

// Kinds answered by GetKind.
inline constexpr int32_t kScriptObjectKindHost = 0;      // plain host object (typeof "object")
inline constexpr int32_t kScriptObjectKindFunction = 1;  // typeof "function"; calls enter its code
// ScriptDynamicObject and every class derived from it.
inline constexpr int32_t kScriptObjectKindDynamic = 2;

// NotifyStore events.
inline constexpr int32_t kScriptStoreAttached = 0;
inline constexpr int32_t kScriptStoreReleased = 1;

// A member or variable name as the interpreter passes it to ResolveMember:
// its text and its atom (0 when the text is no atom). An integer key has no
// text and the key with bit 31 set as its atom.
struct ScriptNameToken {
  SharedWideString text;
  int32_t atom = 0;

  // The text (shared, not copied) and its atom from the name table.
  void SetText(const SharedWideString& name);
  // A copy of the characters and their atom; false when memory runs out.
  bool SetChars(const WCHAR* chars, uint32_t n);
  // The atom and a view of its text.
  void SetAtom(int32_t n);
  // An integer key: no text, the key with bit 31 set.
  void SetIndex(int32_t key);

  bool IsIndex() const { return (static_cast<uint32_t>(atom) & 0x80000000u) != 0; }
  int32_t Index() const { return static_cast<int32_t>(static_cast<uint32_t>(atom) & 0x7FFFFFFFu); }
};

// Makes a string value into a new String object value (the String built-in
// supplies it); the result handle is released first. Used by the callable
// Object constructor for Object("text").
using ScriptStringWrapper = int32_t* (*)(int32_t* status, ScriptValueStore* store,
                                         ScriptValueHandle text, ScriptValueHandle* result);

class ScriptObject {
 public:
  ScriptObject() = default;
  ScriptObject(const ScriptObject&) = delete;
  ScriptObject& operator=(const ScriptObject&) = delete;

  virtual ~ScriptObject();

  // kScriptObjectKindHost unless overridden.
  virtual int32_t GetKind();

  // Completes *ref (which names this object, usually itself) for the named
  // member; with create set an object may add the member.
  virtual int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name,
                                 ScriptMemberRef* ref, uint8_t create);

  // The name and reference of member number index; 4 past the last.
  virtual int32_t* EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                                   SharedWideString* name);

  // Calls the member. The arguments are the top argumentCount values of the
  // stack, the first deepest; the callee pops nothing. *result comes preset
  // to undefined and receives the answer.
  virtual int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                          ScriptOperandStack* stack, ScriptValueHandle* result);

  // Stores a copy of value in the member (value stays the caller's).
  virtual int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                  ScriptValueStore* store, ScriptValueHandle value);

  // *result (released first) receives the member's value. wantedType (0, 1,
  // 3, 4 or 15 for any) lets an object answer in the form the caller will
  // convert to; the caller converts whatever comes back.
  virtual int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                  ScriptValueStore* store, ScriptValueHandle* result,
                                  int32_t wantedType);

  // A yes/no question the engine itself never asks: false by default (record
  // sets answer the negation of the flag).
  virtual bool AnswerFlag(uint8_t flag);

  // kScriptStoreAttached or kScriptStoreReleased with the store; nothing by
  // default.
  virtual void NotifyStore(int32_t event, ScriptValueStore* store);

  // Cycle collection (value_store.h). An object that the store owns and
  // that holds values of the store only where this call can see them may
  // take part: it calls visit(data, value) for each value it holds and
  // answers true. By default it answers false: the values it holds count as
  // held from outside, and it is never collected.
  using HeldValueVisitor = void (*)(void* data, ScriptValueHandle value);
  virtual bool VisitHeldValues(HeldValueVisitor visit, void* data);
  // Releases every value VisitHeldValues shows, for a collected object:
  // nothing by default.
  virtual void DropHeldValues();

 private:
  friend class ScriptValueStore;
  // The number of value-store slots that hold this object, kept by the
  // store that holds it (value_store.h).
  uint32_t storeHolds_ = 0;
  // Marks of the store's cycle collection; 0 outside of it.
  uint8_t cycleMark_ = 0;
};
