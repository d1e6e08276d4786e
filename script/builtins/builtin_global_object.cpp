// The stand-in global object (see builtin_global_object.h).
#include "script/builtins/builtin_global_object.h"

#include "script/builtins/global_functions.h"
#include "script/builtins/uri_functions.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptGlobalObject::~ScriptGlobalObject() {
  if (GetStore() != nullptr) GetStore()->DetachObject(this);
}

bool ScriptGlobalObject::DynamicRef(const ScriptMemberRef& ref, ScriptMemberRef* inner) {
  *inner = ref;
  if (ref.memberCode < kGlobalDynamicBase) return false;
  inner->memberCode = ref.memberCode - kGlobalDynamicBase;
  return true;
}

int32_t* ScriptGlobalObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                           ScriptMemberRef* ref, uint8_t create) {
  if (!ref->IsSelf()) {
    *status = kScriptMemberUnknown;
    return status;
  }
  if (IsScriptGlobalFunction(name.atom) || IsScriptGlobalValue(name.atom) ||
      IsScriptUriFunction(name.atom)) {
    ref->owner = this;
    ref->subCode = name.atom;
    *status = kScriptOk;
    return status;
  }
  if (*ScriptDynamicObject::ResolveMember(status, name, ref, create) == kScriptOk) {
    ref->memberCode += kGlobalDynamicBase;
  }
  return status;
}

int32_t* ScriptGlobalObject::EnumerateMember(int32_t* status, int32_t index,
                                             ScriptMemberRef* ref, SharedWideString* name) {
  if (*ScriptDynamicObject::EnumerateMember(status, index, ref, name) == kScriptOk) {
    ref->memberCode += kGlobalDynamicBase;
  }
  return status;
}

int32_t* ScriptGlobalObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                    uint32_t argumentCount, ScriptOperandStack* stack,
                                    ScriptValueHandle* result) {
  if (ref.memberCode == -1 && IsScriptGlobalFunction(ref.subCode)) {
    return InvokeScriptGlobalFunction(status, ref.subCode, argumentCount, stack, result);
  }
  if (ref.memberCode == -1 && IsScriptUriFunction(ref.subCode)) {
    return InvokeScriptUriFunction(status, ref.subCode, argumentCount, stack, result);
  }
  ScriptMemberRef inner;
  if (DynamicRef(ref, &inner)) {
    return ScriptDynamicObject::Invoke(status, inner, argumentCount, stack, result);
  }
  *status = kScriptMemberUnknown;
  return status;
}

int32_t* ScriptGlobalObject::SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                            ScriptValueStore* store, ScriptValueHandle value) {
  ScriptMemberRef inner = ref;
  if (!DynamicRef(ref, &inner)) inner.memberCode = -1;  // never a member: kScriptBadMemberCode
  return ScriptDynamicObject::SetMemberValue(status, inner, store, value);
}

int32_t* ScriptGlobalObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                            ScriptValueStore* store, ScriptValueHandle* result,
                                            int32_t wantedType) {
  if (ref.memberCode == -1 && IsScriptGlobalValue(ref.subCode)) {
    return GetScriptGlobalValue(status, ref.subCode, store, result);
  }
  ScriptMemberRef inner;
  if (DynamicRef(ref, &inner)) {
    return ScriptDynamicObject::GetMemberValue(status, inner, store, result, wantedType);
  }
  *status = kScriptCannotGet;
  return status;
}
