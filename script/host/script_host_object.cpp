// The host object base (see script_host_object.h).
#include "script/host/script_host_object.h"

#include "foundation/system/platform_detection.h"
#include "platform/locale/locale_ids.h"
#include "platform/system/system_parameters.h"
#include "script/builtins/builtin_arguments.h"
#include "script/builtins/global_functions.h"
#include "script/builtins/uri_functions.h"
#include "script/host/host_properties.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// The atoms the base answers on itself or a sub-object.
bool InBuiltinRange(int32_t atom) {
  return (atom >= 45 && atom <= 267) || atom == kAtom_length || atom == kAtom_getenv ||
         (atom >= 295 && atom <= 317);
}

bool AcceptedOnSelf(int32_t atom) {
  return atom == kAtom_sql_execute || atom == kAtom_OpenDatabase || IsScriptUriFunction(atom) ||
         IsScriptGlobalFunction(atom) || IsScriptGlobalValue(atom);
}

bool AcceptedOn(int32_t memberCode, int32_t atom) {
  switch (memberCode) {
    case -1:
      return AcceptedOnSelf(atom);
    case ScriptHostObject::kHostNavigator:
      return atom == kAtom_appVersion || atom == kAtom_language;
    case ScriptHostObject::kHostDevice:
      return atom == kAtom_language || (atom >= kAtom_platform && atom <= kAtom_getenv);
    default:
      return false;
  }
}

// The integers of the column-type constants TYPE_STRING to TYPE_UINT.
constexpr int32_t kTypeConstants[] = {0, 6, 5, 2};

}  // namespace

ScriptHostObject::~ScriptHostObject() {
  if (GetStore() != nullptr) GetStore()->DetachObject(this);
}

bool ScriptHostObject::DynamicRef(const ScriptMemberRef& ref, ScriptMemberRef* inner) {
  *inner = ref;
  if (ref.memberCode < kHostDynamicBase) return false;
  inner->memberCode = ref.memberCode - kHostDynamicBase;
  return true;
}

int32_t* ScriptHostObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                         ScriptMemberRef* ref, uint8_t create) {
  *status = kScriptOk;
  const int32_t atom = name.atom;
  if (ref->memberCode == -1 && ref->subCode == 0 &&
      (atom == kAtom_navigator || atom == kAtom_device)) {
    ref->owner = this;
    ref->memberCode = atom;
    return status;
  }
  const int32_t code = ref->memberCode;
  if ((code == -1 || code == kHostNavigator || code == kHostDevice) && InBuiltinRange(atom)) {
    if (AcceptedOn(code, atom)) {
      ref->owner = this;
      ref->subCode = atom;
      return status;
    }
    if (code != -1) {
      *status = kScriptMemberUnknown;
      return status;
    }
  }
  if ((code == -1 || code == kHostWindow) && ref->subCode == 0) {
    ref->memberCode = -1;
    if (*ScriptDynamicObject::ResolveMember(status, name, ref, create) == kScriptOk) {
      ref->memberCode += kHostDynamicBase;
    } else {
      ref->memberCode = code;
    }
    return status;
  }
  // A sub-object's member outside the built-in names: it exists, but has no
  // value (reading it gives kScriptCannotGet). A name on anything else (a
  // member made by a script that holds no value) is unknown.
  if (code != kHostNavigator && code != kHostDevice) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  return status;
}

int32_t* ScriptHostObject::EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                                           SharedWideString* name) {
  if (*ScriptDynamicObject::EnumerateMember(status, index, ref, name) == kScriptOk) {
    ref->memberCode += kHostDynamicBase;
  }
  return status;
}

int32_t* ScriptHostObject::SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                          ScriptValueStore* store, ScriptValueHandle value) {
  if (static_cast<uint32_t>(ref.memberCode) < static_cast<uint32_t>(kHostDynamicBase)) {
    *status = kScriptCannotSet;
    return status;
  }
  ScriptMemberRef inner = ref;
  inner.memberCode = ref.memberCode - kHostDynamicBase;  // -1 becomes no member at all
  return ScriptDynamicObject::SetMemberValue(status, inner, store, value);
}

int32_t* ScriptHostObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                          ScriptValueStore* store, ScriptValueHandle* result,
                                          int32_t wantedType) {
  *status = kScriptOk;
  ScriptMemberRef inner;
  if (DynamicRef(ref, &inner)) {
    return ScriptDynamicObject::GetMemberValue(status, inner, store, result, wantedType);
  }
  if (ref.memberCode == -1 && IsScriptGlobalValue(ref.subCode)) {
    return GetScriptGlobalValue(status, ref.subCode, store, result);
  }
  if (ref.memberCode >= kHostTypeString && ref.memberCode <= kHostTypeUint) {
    store->Release(result);
    return store->NewInteger(status, kTypeConstants[ref.memberCode - kHostTypeString], result);
  }
  if (ref.memberCode == kHostNavigator && ref.subCode == kAtom_appVersion) {
    SharedWideString text;
    if (!GetVersionText(&text)) {
      *status = kScriptNoMemory;
      return status;
    }
    return ResultString(status, store, text, result);
  }
  if (ref.memberCode == kHostNavigator && ref.subCode == kAtom_language) {
    ScriptAppEnvironment* environment = GetAppEnvironment(ref.memberCode, ref.subCode);
    const uint32_t language = environment != nullptr ? environment->GetUiLanguage() : 0x0409;
    SharedWideString text;
    if (!GetLanguageName(language, &text)) {
      *status = kScriptNoMemory;
      return status;
    }
    return ResultString(status, store, text, result);
  }
  if (ref.memberCode == kHostDevice) return GetDeviceValue(status, ref.subCode, store, result);
  *status = kScriptCannotGet;
  return status;
}

int32_t* ScriptHostObject::GetDeviceValue(int32_t* status, int32_t atom, ScriptValueStore* store,
                                          ScriptValueHandle* result) {
  const int32_t platform = GetPlatformType();
  switch (atom) {
    case kAtom_language: {
      SharedWideString text;
      if (!GetLanguageName(GetSystemDefaultLCID(), &text)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, store, text, result);
    }
    case kAtom_platform: {
      SharedWideString text;
      if (!GetPlatformName(&text)) {
        *status = kScriptNoMemory;
        return status;
      }
      return ResultString(status, store, text, result);
    }
    case kAtom_screenWidth:
    case kAtom_screenHeight: {
      RECT area{};
      if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) area = RECT{};
      const int32_t size = atom == kAtom_screenWidth ? area.right - area.left
                                                     : area.bottom - area.top;
      return ResultInteger(status, store, size, result);
    }
    case kAtom_hasPointer:
      return ResultBoolean(status, store, platform != kPlatformSmartphone, result);
    case kAtom_hasNumericKeyboard:
      return ResultBoolean(status, store, platform == kPlatformSmartphone, result);
    case kAtom_hasFullKeyboard:
      return ResultBoolean(status, store,
                           platform != kPlatformPocketPc && platform != kPlatformSmartphone,
                           result);
    default:
      *status = kScriptCannotGet;
      return status;
  }
}

int32_t* ScriptHostObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                  uint32_t argumentCount, ScriptOperandStack* stack,
                                  ScriptValueHandle* result) {
  *status = kScriptOk;
  ScriptMemberRef inner;
  if (DynamicRef(ref, &inner)) {
    return ScriptDynamicObject::Invoke(status, inner, argumentCount, stack, result);
  }
  if (ref.memberCode == -1) {
    const int32_t atom = ref.subCode;
    if (IsScriptGlobalFunction(atom)) {
      return InvokeScriptGlobalFunction(status, atom, argumentCount, stack, result);
    }
    if (IsScriptUriFunction(atom)) {
      return InvokeScriptUriFunction(status, atom, argumentCount, stack, result);
    }
    if (atom == kAtom_sql_execute || atom == kAtom_OpenDatabase) {
      if (argumentCount == 0) {
        *status = kScriptBadParameterCount;
        return status;
      }
      ScriptDataServices* services = GetDataServices();
      if (services == nullptr) {
        *status = kScriptNotImplemented;
        return status;
      }
      SharedWideString text;
      if (*ArgumentToString(status, stack, argumentCount, 0, &text) != kScriptOk) return status;
      ScriptValueStore* store = CallStore(stack);
      *status = atom == kAtom_sql_execute ? services->ExecuteQuery(text, store, result)
                                          : services->OpenDatabase(text, store, result);
      return status;
    }
  }
  if (ref.memberCode == kHostDevice && ref.subCode == kAtom_getenv) {
    if (argumentCount == 0) {
      *status = kScriptBadParameterCount;
      return status;
    }
    SharedWideString name;
    if (*ArgumentToString(status, stack, argumentCount, 0, &name) != kScriptOk) return status;
    ScriptAppEnvironment* environment = GetAppEnvironment(ref.memberCode, ref.subCode);
    SharedWideString value;
    if (environment != nullptr && environment->GetEnvironmentValue(name, &value)) {
      return ResultString(status, CallStore(stack), value, result);
    }
    return status;  // nothing found: the result stays undefined
  }
  *status = kScriptMemberUnknown;
  return status;
}
