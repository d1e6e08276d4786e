// ScriptDateObject: the Date constructor and date objects. A date holds a
// TimeValue (milliseconds since 1970-01-01 UTC, NaN when invalid); getters
// and setters split and compose it in local time through the platform's zone
// or, in their UTC forms, in UTC. Members are named by atom: the reference
// keeps member code -1 and carries the atom as its sub-code; the construct
// member kAtomConstruct stands for `new Date(...)`.
//
// Objects are store-owned: they delete themselves when the last value
// holding them is freed or the store goes away.
#pragma once

#include <cstdint>

#include "foundation/time/date_time.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "script/objects/script_object.h"

class ScriptDateObject : public ScriptObject {
 public:
  // An empty string object or a date at time 0; the Create functions give
  // the constructors and filled objects.
  ScriptDateObject() = default;

  // A date object holding the time, or the Date constructor; null when
  // memory runs out.
  static ScriptDateObject* Create(TimeValue time);
  static ScriptDateObject* CreateConstructor();

  // The constructor resolves parse (241), UTC (242) and its construct member
  // (318); a date resolves toString (185) and the whole run 198-243. Only on
  // the object itself; else kScriptMemberUnknown.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // See date_object.cpp: the constructor makes dates (318), answers the
  // current time's text when called as itself, and parse and UTC; a date
  // answers its text forms, getters and setters. Unknown members kScriptInvalidType.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // A date itself: the time as a number when a number or an integer is
  // wanted, else its text (local time, date and time, style 0). Anything
  // else, and the constructor, kScriptCannotGet.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;
  // kScriptStoreReleased deletes the object.
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  TimeValue Time() const { return time_; }
  bool IsConstructor() const { return constructor_ != 0; }

 private:
  int32_t* InvokeConstructor(int32_t* status, int32_t atom, uint32_t n, ScriptOperandStack* stack,
                             ScriptValueHandle* result);
  int32_t* InvokeMethod(int32_t* status, int32_t atom, uint32_t n, ScriptOperandStack* stack,
                        ScriptValueHandle* result);
  int32_t* InvokeSetter(int32_t* status, int32_t atom, uint32_t n, ScriptOperandStack* stack);

  TimeValue time_{};
  uint8_t constructor_ = 0;
};

// *text becomes the time's text form: UTC or local, with its date and/or
// time part, in style 0, 1 or 2 (TimeValue::Format). False when memory runs
// out.
bool FormatScriptDate(TimeValue time, bool utc, bool withDate, bool withTime, int32_t style,
                      SharedWideString* text);
// Reads a date text: ISO, the style-0 text form (toString) or the style-1
// form (toUTCString). False when the text is none of them.
bool ParseScriptDate(const SharedWideString& text, TimeValue* time);
