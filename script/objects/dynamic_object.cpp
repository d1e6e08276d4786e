// ScriptDynamicObject: members made at run time, the plain script object and
// the callable Object constructor (see dynamic_object.h).
#include "script/objects/dynamic_object.h"

#include "platform/memory/allocator.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr uint8_t kMemberShift = 3;  // 8 members a block
// From this many members on, names are found through the hash index.
constexpr uint32_t kIndexedMembers = 8;

}  // namespace

ScriptDynamicObject::ScriptDynamicObject() {
  names_.SetGeometry(kMemberShift);
  values_.SetGeometry(kMemberShift);
}

ScriptDynamicObject::ScriptDynamicObject(ScriptValueStore* store) : ScriptDynamicObject() {
  store_ = store;
  ownedByStore_ = 1;
}

ScriptDynamicObject* ScriptDynamicObject::ConstructCallable(ScriptStringWrapper wrapString) {
  ScriptDynamicObject* object = DeviceNew<ScriptDynamicObject>(nullptr);
  if (object == nullptr) return nullptr;
  object->callable_ = 1;
  object->wrapString_ = wrapString;
  return object;
}

ScriptDynamicObject::~ScriptDynamicObject() {
  ReleaseMembers();
  names_.Free();
  values_.Free();
}

int32_t ScriptDynamicObject::GetKind() { return kScriptObjectKindDynamic; }

int32_t ScriptDynamicObject::FindMember(const SharedWideString& name) const {
  if (name.length == 0) return -1;
  if (names_.count >= kIndexedMembers && (index_.Ready() || index_.Build(names_))) {
    return index_.Find(names_, name);
  }
  for (uint32_t i = 0; i < names_.count; ++i) {
    const SharedWideString& candidate = *names_.At(i);
    if (candidate.length == name.length && candidate.CompareTo(name) == 0) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

int32_t ScriptDynamicObject::AddMember(const SharedWideString& name, bool renew) {
  if (name.length == 0) return -1;
  int32_t existing = FindMember(name);
  if (existing >= 0 && !renew) return existing;
  if (names_.count >= static_cast<uint32_t>(INT32_MAX)) return -1;
  // Room in both arrays first, so that a failure changes nothing.
  if (!names_.Reserve(names_.count + 1) || !values_.Reserve(values_.count + 1)) return -1;
  if (existing >= 0) names_.At(static_cast<uint32_t>(existing))->Clear();
  names_.AppendSlot()->Assign(name);
  *values_.AppendSlot() = kScriptUndefinedHandle;
  int32_t position = static_cast<int32_t>(values_.count - 1);
  if (index_.Ready()) {
    if (existing >= 0) {
      index_.Move(name, existing, position);
    } else {
      index_.Add(name, position);
    }
  }
  return position;
}

void ScriptDynamicObject::ReleaseMembers() {
  // The arrays are emptied before any value is released: a release may run
  // other objects' destructors, and this object must look empty by then.
  SegmentedTypedArray<ScriptValueHandle, false> values;
  values.MoveFrom(values_);
  values_.SetGeometry(kMemberShift);
  names_.Clear();
  index_.Free();
  if (store_ != nullptr) {
    for (uint32_t i = 0; i < values.count; ++i) store_->Release(values.At(i));
  }
  values.Free();
}

int32_t* ScriptDynamicObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                            ScriptMemberRef* ref, uint8_t create) {
  if (!ref->IsSelf()) {
    *status = kScriptMemberUnknown;
    return status;
  }
  if (callable_ != 0) {
    if (name.atom != kScriptSubCodeConstruct) {
      *status = kScriptMemberUnknown;
      return status;
    }
    ref->owner = this;
    ref->memberCode = -1;
    ref->subCode = kScriptSubCodeConstruct;
    *status = kScriptOk;
    return status;
  }
  int32_t index = FindMember(name.text);
  if (index < 0) {
    if (create == 0) {
      *status = kScriptMemberUnknown;
      return status;
    }
    index = AddMember(name.text, false);
    if (index < 0) {
      *status = kScriptNoMemory;
      return status;
    }
    if (membersStartUndefined_ == 0) *values_.At(static_cast<uint32_t>(index)) = kScriptEmptyHandle;
  }
  ref->owner = this;
  ref->memberCode = index;
  ref->subCode = 0;
  ref->resolved = 1;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDynamicObject::EnumerateMember(int32_t* status, int32_t index, ScriptMemberRef* ref,
                                              SharedWideString* name) {
  if (index < 0 || static_cast<uint32_t>(index) >= values_.count) {
    *status = kScriptMemberUnknown;
    return status;
  }
  name->Assign(*names_.At(static_cast<uint32_t>(index)));
  ref->owner = this;
  ref->memberCode = index;
  ref->subCode = 0;
  ref->resolved = 1;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDynamicObject::SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                             ScriptValueStore* store, ScriptValueHandle value) {
  if (ref.subCode != 0 || static_cast<uint32_t>(ref.memberCode) >= values_.count ||
      store == nullptr) {
    *status = kScriptBadMemberCode;
    return status;
  }
  if (store_ == nullptr) store_ = store;
  ScriptValueHandle* member = values_.At(static_cast<uint32_t>(ref.memberCode));
  ScriptValueHandle old = *member;
  store->CopyValue(value, member);
  store->Release(&old);
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDynamicObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                             ScriptValueStore* store, ScriptValueHandle* result,
                                             int32_t) {
  if (ref.subCode != 0 || static_cast<uint32_t>(ref.memberCode) >= values_.count ||
      store == nullptr) {
    *status = kScriptBadMemberCode;
    return status;
  }
  ScriptValueHandle member = *values_.At(static_cast<uint32_t>(ref.memberCode));
  if (ScriptHandleType(member) == kScriptTypeEmpty) {
    *status = kScriptCannotGet;
    return status;
  }
  // The copy is taken before the old result goes: releasing it may free the
  // last value holding this very object.
  ScriptValueHandle old = *result;
  store->CopyValue(member, result);
  *status = kScriptOk;
  store->Release(&old);
  return status;
}

int32_t* ScriptDynamicObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                     uint32_t argumentCount, ScriptOperandStack* stack,
                                     ScriptValueHandle* result) {
  if (callable_ == 0 || ref.memberCode != -1 ||
      (ref.subCode != 0 && ref.subCode != kScriptSubCodeConstruct)) {
    *status = kScriptInvalidType;
    return status;
  }
  if (argumentCount > 1) {
    *status = kScriptBadParameterCount;
    return status;
  }
  ScriptValueStore* store = stack != nullptr && stack->GetStore() != nullptr ? stack->GetStore()
                                                                             : store_;
  if (store == nullptr) {
    *status = kScriptBadHeapState;
    return status;
  }
  // The argument as an operand: a member reference is replaced by the
  // member's value; a member without value leaves the reference itself.
  ScriptValueHandle argument = kScriptUndefinedHandle;
  if (argumentCount == 1) {
    if (stack == nullptr || stack->Depth() < 1) {
      *status = kScriptStackUnderflow;
      return status;
    }
    ScriptValueHandle operand = stack->Argument(argumentCount, 0);
    argument = kScriptEmptyHandle;
    if (*store->GetReferencedValue(status, operand, &argument) == kScriptCannotGet) {
      store->CopyValue(operand, &argument);
    } else if (*status != kScriptOk) {
      return status;
    }
  }
  *status = kScriptOk;
  switch (ScriptHandleType(argument)) {
    case kScriptTypeObject:
      store->MoveValue(&argument, result);
      return status;
    case kScriptTypeString:
      if (wrapString_ == nullptr) {
        *status = kScriptNotImplemented;
      } else {
        wrapString_(status, store, argument, result);
      }
      break;
    case kScriptTypeBoolean:
    case kScriptTypeNumber:
      *status = kScriptNotImplemented;
      break;
    default: {
      ScriptValueHandle fresh = kScriptEmptyHandle;
      if (*store->NewPlainObject(status, &fresh) == kScriptOk) store->MoveValue(&fresh, result);
      break;
    }
  }
  int32_t outcome = *status;
  store->Release(&argument);
  *status = outcome;
  return status;
}

void ScriptDynamicObject::NotifyStore(int32_t event, ScriptValueStore* store) {
  if (event == kScriptStoreAttached) {
    store_ = store;
  } else if (event == kScriptStoreReleased && ownedByStore_ != 0) {
    delete this;
  }
}
