// ScriptStringObject: a string value seen as an object, and the String
// constructor. The interpreter wraps a string into one when a member of the
// string is used ("abc".length, s.charAt(1)); `new String(x)` and the
// callable Object constructor make them too. Members are named by atom: the
// reference keeps member code -1 and carries the atom as its sub-code; the
// construct member kAtomConstruct stands for calling the constructor.
//
// Positions count UTF-16 units. Case mapping and accent stripping go through
// the Latin character table, so characters outside it stay as they are.
//
// Objects are store-owned: they delete themselves when the last value
// holding them is freed or the store goes away.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/objects/script_object.h"

class ScriptStringObject : public ScriptObject {
 public:
  // An empty string object or a date at time 0; the Create functions give
  // the constructors and filled objects.
  ScriptStringObject() = default;

  // A string object holding a copy (shared) of the text, or the String
  // constructor; null when memory runs out.
  static ScriptStringObject* Create(const SharedWideString& text);
  static ScriptStringObject* CreateConstructor();

  // The constructor resolves fromCharCode (196) and its construct member
  // (318); a string resolves toString ... toUpperCase (185-195), length
  // (kAtom_length) and replace (kAtom_replace). Only on the object itself; else kScriptMemberUnknown.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // The methods (see string_object.cpp for each); the constructor called
  // with new (318) makes a String object of its last argument's text, called
  // as itself (sub-code 0) the text alone. Unknown members kScriptInvalidType.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // The object itself: its text as a string value; length: the number of
  // units as a number; anything else kScriptCannotGet.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  // kScriptStoreReleased deletes the object.
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  const SharedWideString& Text() const { return text_; }
  bool IsConstructor() const { return constructor_ != 0; }

 private:
  int32_t* InvokeConstructor(int32_t* status, const ScriptMemberRef& ref, uint32_t n,
                             ScriptOperandStack* stack, ScriptValueHandle* result);
  int32_t* InvokeMethod(int32_t* status, int32_t atom, uint32_t n, ScriptOperandStack* stack,
                        ScriptValueHandle* result);

  SharedWideString text_;
  uint8_t constructor_ = 0;
};

// Makes a string value (or anything converted to text) into a new String
// object value: the ScriptStringWrapper of the callable Object constructor
// and of the interpreter's member access on strings. *result is released
// first; kScriptNoMemory when memory runs out, or the conversion's status.
int32_t* WrapScriptString(int32_t* status, ScriptValueStore* store, ScriptValueHandle text,
                          ScriptValueHandle* result);
