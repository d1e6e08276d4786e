// The installation of the built-in objects in a global object (see
// interpreter_builtins.h).
#include "script/interpreter/interpreter_builtins.h"

#include "script/builtins/date_object.h"
#include "script/builtins/math_object.h"
#include "script/builtins/string_object.h"
#include "script/values/atoms.h"
#include "script/objects/dynamic_object.h"
#include "script/interpreter/interpreter.h"
#include "script/values/name_table.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Stores a value of the object under the atom's text in the global object.
// `object` belongs to the store once a value holds it; when no value can be
// made a store-owned object is deleted here.
int32_t* StoreBuiltin(int32_t* status, ScriptValueStore* store, ScriptObject* global,
                      int32_t atom, const ScriptMemberRef& ref, bool deleteOnFailure) {
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->NewReference(status, ref, &value) != kScriptOk) {
    if (deleteOnFailure) delete ref.owner;
    return status;
  }
  SharedWideString name;
  GetAtomText(atom, &name);
  SetScriptMemberByName(status, store, global, name, value);
  int32_t outcome = *status;
  store->Release(&value);
  *status = outcome;
  return status;
}

}  // namespace

int32_t* InstallBuiltinObjects(ScriptInterpreter* interpreter, int32_t* status,
                               ScriptValueStore* store, ScriptValueHandle* global,
                               ScriptObject* globalObject) {
  ScriptObject* math = interpreter->GetMathObject();
  ScriptObject* stringConstructor = ScriptStringObject::CreateConstructor();
  ScriptObject* dateConstructor = ScriptDateObject::CreateConstructor();
  ScriptObject* objectConstructor = ScriptDynamicObject::ConstructCallable(&WrapScriptString);
  if (math == nullptr || stringConstructor == nullptr || dateConstructor == nullptr ||
      objectConstructor == nullptr) {
    delete stringConstructor;
    delete dateConstructor;
    delete objectConstructor;
    *status = kScriptNoMemory;
    return status;
  }
  static_cast<ScriptMathObject*>(math)->SetErrorSink(interpreter->GetErrorSink());

  store->Release(global);
  if (globalObject != nullptr) {
    store->NewObject(status, globalObject, global);
  } else {
    store->NewPlainObject(status, global);
  }
  if (*status != kScriptOk) {
    delete stringConstructor;
    delete dateConstructor;
    delete objectConstructor;
    return status;
  }
  ScriptObject* target = store->GetObjectSlot(*global)->ref.owner;

  struct Entry {
    int32_t atom;
    ScriptMemberRef ref;
    bool storeOwned;
  };
  ScriptMemberRef eval;
  eval.subCode = kScriptSubCodeEval;
  const Entry entries[] = {
      {kAtom_Math, ScriptMemberRef{math, -1, 0, 0}, false},
      {kAtom_eval, eval, false},
      {kAtom_String, ScriptMemberRef{stringConstructor, -1, 0, 0}, true},
      {kAtom_Date, ScriptMemberRef{dateConstructor, -1, 0, 0}, true},
      {kAtom_Object, ScriptMemberRef{objectConstructor, -1, 0, 0}, true},
  };
  int32_t first = kScriptOk;
  for (const Entry& entry : entries) {
    int32_t one = kScriptOk;
    StoreBuiltin(&one, store, target, entry.atom, entry.ref, entry.storeOwned);
    if (first == kScriptOk) first = one;
  }
  *status = first;
  return status;
}
