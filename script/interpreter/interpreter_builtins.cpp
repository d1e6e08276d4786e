// The built-ins' hook, its stand-ins, and the installation of the built-in
// objects in a global object (see interpreter_builtins.h).
#include "script/interpreter/interpreter_builtins.h"

#include "platform/memory/allocator.h"
#include "script/values/atoms.h"
#include "script/objects/dynamic_object.h"
#include "script/interpreter/interpreter.h"
#include "script/values/name_table.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Stands in for a built-in object until the built-ins exist: it resolves
// every atom on itself (member code -1, the atom as sub-code, 318 for the
// constructor call), and every read or call of a member answers kScriptNotImplemented.
class ScriptBuiltinStandIn : public ScriptObject {
 public:
  explicit ScriptBuiltinStandIn(bool ownedByStore) : ownedByStore_(ownedByStore) {}
  ~ScriptBuiltinStandIn() override {
    if (store_ != nullptr) store_->DetachObject(this);
  }

  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t) override {
    if (!ref->IsSelf() || name.atom <= 0 || name.atom >= kScriptAtomLimit) {
      *status = kScriptMemberUnknown;
      return status;
    }
    ref->owner = this;
    ref->subCode = name.atom;
    *status = kScriptOk;
    return status;
  }

  int32_t* Invoke(int32_t* status, const ScriptMemberRef&, uint32_t, ScriptOperandStack*,
                  ScriptValueHandle*) override {
    *status = kScriptNotImplemented;
    return status;
  }

  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef&, ScriptValueStore*,
                          ScriptValueHandle*, int32_t) override {
    *status = kScriptNotImplemented;
    return status;
  }

  void NotifyStore(int32_t event, ScriptValueStore* store) override {
    if (event == kScriptStoreAttached) {
      // Owned by the store: nothing to detach from later.
      if (!ownedByStore_) store_ = store;
    } else if (ownedByStore_) {
      delete this;
    } else {
      store_ = nullptr;
    }
  }

 private:
  bool ownedByStore_;
  ScriptValueStore* store_ = nullptr;
};

ScriptObject* NewMathStandIn() { return DeviceNew<ScriptBuiltinStandIn>(false); }
ScriptObject* NewConstructorStandIn() { return DeviceNew<ScriptBuiltinStandIn>(true); }

int32_t* WrapStringStandIn(int32_t* status, ScriptValueStore*, ScriptValueHandle,
                           ScriptValueHandle*) {
  *status = kScriptNotImplemented;
  return status;
}

const ScriptBuiltinTable kStandIns = {
    &NewMathStandIn,        // newMath
    nullptr,                // setMathErrorSink
    &NewConstructorStandIn, // newStringConstructor
    &NewConstructorStandIn, // newDateConstructor
    &WrapStringStandIn,     // wrapString
};

const ScriptBuiltinTable* gBuiltins = &kStandIns;

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

const ScriptBuiltinTable& GetScriptBuiltinTable() { return *gBuiltins; }

void SetScriptBuiltinTable(const ScriptBuiltinTable* table) {
  gBuiltins = table != nullptr ? table : &kStandIns;
}

int32_t* InstallBuiltinObjects(ScriptInterpreter* interpreter, int32_t* status,
                               ScriptValueStore* store, ScriptValueHandle* global,
                               ScriptObject* globalObject) {
  const ScriptBuiltinTable& table = GetScriptBuiltinTable();
  ScriptObject* math = interpreter->GetMathObject();
  ScriptObject* stringConstructor =
      table.newStringConstructor != nullptr ? table.newStringConstructor() : nullptr;
  ScriptObject* dateConstructor =
      table.newDateConstructor != nullptr ? table.newDateConstructor() : nullptr;
  ScriptObject* objectConstructor = ScriptDynamicObject::ConstructCallable(table.wrapString);
  if (math == nullptr || stringConstructor == nullptr || dateConstructor == nullptr ||
      objectConstructor == nullptr) {
    delete stringConstructor;
    delete dateConstructor;
    delete objectConstructor;
    *status = kScriptNoMemory;
    return status;
  }
  if (table.setMathErrorSink != nullptr) table.setMathErrorSink(math, interpreter->GetErrorSink());

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
