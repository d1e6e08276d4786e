// ScriptDynamicObject: members made at run time, the plain script object and
// the callable Object constructor (see dynamic_object.h).
#include "script/objects/dynamic_object.h"

#include <atomic>
#include <new>
#include <utility>

#include "platform/memory/allocator.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr uint32_t kFirstMemberCapacity = 2;

// Name stamps are never reused: a 64-bit count of name changes.
uint64_t NextNameStamp() {
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}
// From this many members on, names are found through the hash index.
constexpr uint32_t kIndexedMembers = 8;

}  // namespace

ScriptDynamicObject::ScriptDynamicObject() : nameStamp_(NextNameStamp()) {}

ScriptDynamicObject::ScriptDynamicObject(ScriptValueStore* store) : ScriptDynamicObject() {
  store_ = store;
  ownedByStore_ = 1;
  SetResolvesByNames(typeid(ScriptDynamicObject));
  SetReadsWithoutEffects();
}

bool ScriptDynamicObject::ResolvesByNames() const {
  return namesType_ != nullptr && callable_ == 0 && typeid(*this) == *namesType_;
}

bool ScriptDynamicObject::IsPlainByNames() const {
  return ResolvesByNames() && *namesType_ == typeid(ScriptDynamicObject);
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
}

bool ScriptDynamicObject::ReserveMembers(uint32_t n) {
  if (n <= memberCapacity_) return true;
  if (members_ == nullptr && n <= kInlineMembers) {
    members_ = reinterpret_cast<ScriptMember*>(inlineMembers_);
    memberCapacity_ = kInlineMembers;
    return true;
  }
  uint32_t capacity = memberCapacity_ == 0 ? kFirstMemberCapacity : memberCapacity_;
  while (capacity < n) {
    if (capacity > (static_cast<uint32_t>(INT32_MAX) / sizeof(ScriptMember)) / 2) return false;
    capacity *= 2;
  }
  auto* fresh = static_cast<ScriptMember*>(DeviceAlloc(sizeof(ScriptMember) * capacity));
  if (fresh == nullptr) return false;
  for (uint32_t i = 0; i < memberCount_; ++i) {
    new (&fresh[i]) ScriptMember(std::move(members_[i]));
    members_[i].~ScriptMember();
  }
  if (!MembersInline()) DeviceFree(members_);
  members_ = fresh;
  memberCapacity_ = capacity;
  return true;
}

int32_t ScriptDynamicObject::GetKind() { return kScriptObjectKindDynamic; }

int32_t ScriptDynamicObject::FindMember(const SharedWideString& name) const {
  if (name.length == 0) return -1;
  if (memberCount_ >= kIndexedMembers &&
      (index_.Ready() || index_.Build(members_, memberCount_))) {
    return index_.Find(members_, name);
  }
  for (uint32_t i = 0; i < memberCount_; ++i) {
    const SharedWideString& candidate = members_[i].name;
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
  if (memberCount_ >= static_cast<uint32_t>(INT32_MAX)) return -1;
  // Room first, so that a failure changes nothing.
  if (!ReserveMembers(memberCount_ + 1)) return -1;
  if (existing >= 0) members_[existing].name.Clear();
  ScriptMember* member = new (&members_[memberCount_]) ScriptMember;
  member->name.Assign(name);
  int32_t position = static_cast<int32_t>(memberCount_++);
  nameStamp_ = NextNameStamp();
  sharedLayout_ = 0;
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
  // Members held inline are moved out first, for the same reason.
  ScriptMember* members = members_;
  uint32_t count = memberCount_;
  ScriptMember moved[kInlineMembers];
  if (MembersInline()) {
    for (uint32_t i = 0; i < count; ++i) {
      moved[i] = std::move(members[i]);
      members[i].~ScriptMember();
    }
    members = nullptr;
  }
  members_ = nullptr;
  memberCount_ = 0;
  memberCapacity_ = 0;
  nameStamp_ = NextNameStamp();
  sharedLayout_ = 0;
  index_.Free();
  if (members == nullptr) {
    if (store_ != nullptr) {
      for (uint32_t i = 0; i < count; ++i) store_->Release(&moved[i].value);
    }
    return;
  }
  for (uint32_t i = 0; i < count; ++i) {
    if (store_ != nullptr) store_->Release(&members[i].value);
    members[i].~ScriptMember();
  }
  DeviceFree(members);
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
    if (membersStartUndefined_ == 0) members_[index].value = kScriptEmptyHandle;
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
  if (index < 0 || static_cast<uint32_t>(index) >= memberCount_) {
    *status = kScriptMemberUnknown;
    return status;
  }
  name->Assign(members_[index].name);
  ref->owner = this;
  ref->memberCode = index;
  ref->subCode = 0;
  ref->resolved = 1;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDynamicObject::SetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                             ScriptValueStore* store, ScriptValueHandle value) {
  if (ref.subCode != 0 || static_cast<uint32_t>(ref.memberCode) >= memberCount_ ||
      store == nullptr) {
    *status = kScriptBadMemberCode;
    return status;
  }
  if (store_ == nullptr) store_ = store;
  ScriptValueHandle* member = &members_[ref.memberCode].value;
  ScriptValueHandle old = *member;
  store->CopyValue(value, member);
  store->Release(&old);
  *status = kScriptOk;
  return status;
}

int32_t* ScriptDynamicObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                             ScriptValueStore* store, ScriptValueHandle* result,
                                             int32_t) {
  if (ref.subCode != 0 || static_cast<uint32_t>(ref.memberCode) >= memberCount_ ||
      store == nullptr) {
    *status = kScriptBadMemberCode;
    return status;
  }
  ScriptValueHandle member = members_[ref.memberCode].value;
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
    if (recyclable_ != 0 && store != nullptr && store->RecyclePlainObject(this)) return;
    delete this;
  }
}

bool ScriptDynamicObject::VisitHeldValues(HeldValueVisitor visit, void* data) {
  if (ownedByStore_ == 0 || callable_ != 0 || recyclable_ == 0) return false;
  for (uint32_t i = 0; i < memberCount_; ++i) visit(data, members_[i].value);
  return true;
}

void ScriptDynamicObject::DropHeldValues() {
  if (ownedByStore_ != 0 && callable_ == 0 && recyclable_ != 0) ReleaseMembers();
}

void ScriptDynamicObject::ReleaseValues() {
  // Each value leaves its member before it is released: a release may run
  // other objects' destructors, which must find no value here.
  for (uint32_t i = 0; i < memberCount_; ++i) {
    ScriptValueHandle old = members_[i].value;
    members_[i].value = kScriptUndefinedHandle;
    if (store_ != nullptr) store_->Release(&old);
  }
}

void ScriptDynamicObject::ResetForReuse() {
  ReleaseMembers();
  membersStartUndefined_ = 0;
}
