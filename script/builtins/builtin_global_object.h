// ScriptGlobalObject: a global object that answers the language's global
// functions and values itself (parseInt, parseFloat, isNaN, isFinite, NaN,
// Infinity, undefined) and the URI coders, and keeps every other name as a member made at run
// time. The application's host objects answer the same names in their own
// base; this object gives the same answers to programs without that host:
// the script runner, tests and benchmarks.
//
// Member codes: -1 with an atom as sub-code for the built-in names,
// kGlobalDynamicBase + index for the members made at run time, as the
// application's host objects number them.
#pragma once

#include <cstdint>

#include "script/objects/dynamic_object.h"

class ScriptGlobalObject : public ScriptDynamicObject {
 public:
  static constexpr int32_t kGlobalDynamicBase = 319;

  // A global bound to no store until one attaches it, never deleted by the
  // store; it detaches itself from the store it knows when destroyed.
  ScriptGlobalObject() {
    SetResolvesByNames(typeid(ScriptGlobalObject));
    SetReadsWithoutEffects();
  }
  ~ScriptGlobalObject() override;
  int32_t MadeMemberBase() const override { return kGlobalDynamicBase; }

  // The global names (kAtom_parseInt to kAtom_undefined, the URI coders) on the object itself become the
  // sub-code; any other name is looked up among (or, with create, added to)
  // the members made at run time.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  int32_t* EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                           SharedWideString* name) override;
  // The global functions; run-time members go to the dynamic object (which
  // calls nothing: kScriptInvalidType); anything else kScriptMemberUnknown.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // Run-time members only: a global name, or the object itself, gives status
  // 25, as the dynamic object answers for codes it does not hold.
  int32_t* SetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle value) override;
  // NaN, Infinity and undefined, and the run-time members; kScriptCannotGet for
  // anything else.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;

 protected:
  // The reference with the dynamic member's own code (code - base), or
  // false when the reference names no run-time member.
  static bool DynamicRef(const ScriptMemberRef& ref, ScriptMemberRef* inner);
};
