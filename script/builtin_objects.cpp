// Installing the built-in objects (see builtin_objects.h).
#include "script/builtin_objects.h"

#include "foundation/shared_wide_string.h"
#include "script/atoms.h"
#include "script/date_object.h"
#include "script/dynamic_object.h"
#include "script/name_table.h"
#include "script/script_status.h"
#include "script/string_object.h"
#include "script/value_store.h"

namespace {

// Stores the value under the atom's name; the value is released.
int32_t* StoreUnderAtom(int32_t* status, ScriptValueStore* store, ScriptObject* global,
                        int32_t atom, ScriptValueHandle* value) {
  SharedWideString name;
  GetAtomText(atom, &name);
  SetScriptMemberByName(status, store, global, name, *value);
  int32_t outcome = *status;
  store->Release(value);
  *status = outcome;
  return status;
}

// Wraps a new store-owned object and stores it; a failure deletes it.
int32_t* StoreNewObject(int32_t* status, ScriptValueStore* store, ScriptObject* global,
                        int32_t atom, ScriptObject* object) {
  if (object == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->NewObject(status, object, &value) != kScriptOk) {
    delete object;
    return status;
  }
  return StoreUnderAtom(status, store, global, atom, &value);
}

}  // namespace

int32_t* InstallScriptBuiltins(int32_t* status, ScriptValueStore* store, ScriptObject* math,
                               ScriptObject* global) {
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->NewObject(status, math, &value) != kScriptOk ||
      *StoreUnderAtom(status, store, global, kAtom_Math, &value) != kScriptOk) {
    return status;
  }
  ScriptMemberRef eval;
  eval.subCode = kScriptSubCodeEval;
  if (*store->NewReference(status, eval, &value) != kScriptOk ||
      *StoreUnderAtom(status, store, global, kAtom_eval, &value) != kScriptOk) {
    return status;
  }
  if (*StoreNewObject(status, store, global, kAtom_String,
                      ScriptStringObject::CreateConstructor()) != kScriptOk ||
      *StoreNewObject(status, store, global, kAtom_Date, ScriptDateObject::CreateConstructor()) !=
          kScriptOk) {
    return status;
  }
  return StoreNewObject(status, store, global, kAtom_Object,
                        ScriptDynamicObject::ConstructCallable(WrapScriptString));
}
