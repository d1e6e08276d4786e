// Member access: `a.name` (kOperatorMember) and `a[key]` (kOperatorIndex) make a reference to the
// member, resolved by the object with the create flag set. A string is seen
// through a String object (the built-ins' wrapper) so that its methods and
// `length` resolve; a member that the object does not know but that names a
// member of the value held in a member is looked up in that value.
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/builtins/string_object.h"
#include "script/operators/operators.h"
#include "script/operators/operators_internal.h"
#include "script/bytecode/site_cache.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// The key of a[key]: an integer stays one; anything else but an object
// becomes its text, or the integer that text spells.
int32_t NormaliseKey(ScriptValueStore* store, ScriptValueHandle* key) {
  int32_t type = ScriptHandleType(*key);
  if (type == kScriptTypeInteger) return kScriptOk;
  if (type == kScriptTypeObject) return kScriptInvalidType;
  int32_t status = kScriptOk;
  SharedWideString text;
  if (*store->ToString(&status, *key, &text, 0) != kScriptOk) return status;
  ScriptValueHandle normal = kScriptEmptyHandle;
  int32_t index = 0;
  if (text.ParseInt(10, &index)) {
    store->NewInteger(&status, index, &normal);
  } else {
    store->NewString(&status, text, &normal);
  }
  if (status == kScriptOk) store->MoveValue(&normal, key);
  return status;
}

int32_t MakeToken(ScriptValueStore* store, ScriptValueHandle key, ScriptNameToken* token) {
  if (ScriptHandleType(key) == kScriptTypeInteger) {
    token->SetIndex(ScriptHandleInteger(key));
  } else if (ScriptStringSlot* text = store->GetStringSlot(key)) {
    token->SetText(text->text);
  } else if (ScriptHandleType(key) == kScriptTypeName) {
    token->SetAtom(static_cast<int32_t>(ScriptHandleIndex(key)));
  } else {
    int32_t status = kScriptOk;
    SharedWideString text;
    if (*store->ToString(&status, key, &text, 0) != kScriptOk) return status;
    token->SetText(text);
  }
  return kScriptOk;
}

// A string value becomes a String object value (in place).
int32_t WrapString(ScriptValueStore* store, ScriptValueHandle* value) {
  if (ScriptHandleType(*value) != kScriptTypeString) return kScriptOk;
  int32_t status = kScriptOk;
  ScriptValueHandle wrapped = kScriptEmptyHandle;
  if (*WrapScriptString(&status, store, *value, &wrapped) != kScriptOk) {
    store->Release(&wrapped);
    return status;
  }
  store->MoveValue(&wrapped, value);
  return kScriptOk;
}

// The error detail of an unknown member: its name, or the key in decimal.
void FailUnknown(ScriptCallFrame* frame, const ScriptNameToken& token) {
  if (!token.IsIndex()) {
    frame->Fail(kScriptMemberUnknown, token.text);
    return;
  }
  SharedWideString decimal;
  if (!decimal.AppendInt(token.Index())) decimal.Clear();
  frame->Fail(kScriptMemberUnknown, decimal);
}

}  // namespace

namespace {

// The object operand of member access: *object (owned, a reference kept)
// is read and a string seen through its String object; *slot receives the
// object's slot.
int32_t ReadObjectOperand(ScriptCallFrame* frame, ScriptValueHandle* object,
                          ScriptObjectSlot** slot) {
  int32_t status = kScriptOk;
  if (!ReadScriptOperand(frame, object)) return frame->error.status;
  if ((status = WrapString(frame->store, object)) != kScriptOk) return status;
  *slot = frame->store->GetObjectSlot(*object);
  if (*slot == nullptr || (*slot)->ref.owner == nullptr) return kScriptInvalidType;
  return kScriptOk;
}

// The member named by the token of the object read by ReadObjectOperand:
// *result receives its reference.
int32_t AccessMember(ScriptCallFrame* frame, ScriptValueHandle object, ScriptObjectSlot* slot,
                     const ScriptNameToken& token, ScriptValueHandle* result,
                     ScriptSiteCacheEntry* entry = nullptr, uint32_t site = 0,
                     bool readNow = false) {
  ScriptValueStore* store = frame->store;
  int32_t status = kScriptOk;
  // A plain object (or the global object) answers from its names: the
  // site's cache holds while the object and its name stamp are the same.
  ScriptDynamicObject* plain = nullptr;
  if (entry != nullptr && slot->ref.IsSelf() &&
      slot->ref.owner->GetKind() == kScriptObjectKindDynamic) {
    plain = static_cast<ScriptDynamicObject*>(slot->ref.owner);
    if (entry->position == site && entry->scopes == 1 && entry->objects[0] == plain &&
        entry->stamps[0] == plain->NameStamp()) {
      if (readNow && ReadMemberAtOnce(store, entry->ref, result)) return kScriptOk;
      return *store->NewReference(&status, entry->ref, result);
    }
  }
  ScriptMemberRef ref = slot->ref;
  ref.owner->ResolveMember(&status, token, &ref, 1);
  if (plain != nullptr) {
    if (status == kScriptOk && plain->ResolvesByNames()) {
      // Stamped after the look-up, which may have added the name.
      entry->position = site;
      entry->scopes = 1;
      entry->objects[0] = plain;
      entry->stamps[0] = plain->NameStamp();
      entry->ref = ref;
    } else if (entry->position == site) {
      entry->position = UINT32_MAX;
    }
  }

  // Holds the value read from the member while its reference is made.
  ScriptValueHandle held = kScriptEmptyHandle;
  if (status == kScriptMemberUnknown && !slot->ref.IsSelf()) {
    int32_t fetched = kScriptOk;
    store->GetReferencedValue(&fetched, object, &held);
    if (fetched == kScriptOk && WrapString(store, &held) == kScriptOk) {
      ScriptObjectSlot* inner = store->GetObjectSlot(held);
      if (inner != nullptr && inner->ref.owner != nullptr) {
        ref = inner->ref;
        inner->ref.owner->ResolveMember(&status, token, &ref, 1);
      }
    }
  }
  if (status == kScriptOk && !(readNow && ReadMemberAtOnce(store, ref, result))) {
    store->NewReference(&status, ref, result);
  }
  store->Release(&held);
  if (status == kScriptMemberUnknown) FailUnknown(frame, token);
  return status;
}

}  // namespace

int32_t ApplyMemberAccess(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operands,
                          ScriptValueHandle* result) {
  ScriptValueStore* store = frame->store;
  ScriptValueHandle& key = operands[1];
  int32_t status = kScriptOk;
  if (code == kOperatorIndex && (status = NormaliseKey(store, &key)) != kScriptOk) return status;
  ScriptObjectSlot* slot = nullptr;
  if ((status = ReadObjectOperand(frame, &operands[0], &slot)) != kScriptOk) return status;
  ScriptNameToken token;
  if ((status = MakeToken(store, key, &token)) != kScriptOk) return status;
  return AccessMember(frame, operands[0], slot, token, result);
}

void ApplyMemberByToken(ScriptCallFrame* frame, const ScriptNameToken& token,
                        ScriptSiteCacheEntry* entry, uint32_t site, bool readNow) {
  if (frame->operands.Depth() == 0) {
    frame->Fail(kScriptStackUnderflow);
    return;
  }
  ScriptValueHandle object = kScriptEmptyHandle;
  frame->operands.Pop(&object, 1);
  ScriptValueHandle result = kScriptEmptyHandle;
  ScriptObjectSlot* slot = nullptr;
  int32_t status = ReadObjectOperand(frame, &object, &slot);
  if (status == kScriptOk) {
    status = AccessMember(frame, object, slot, token, &result, entry, site, readNow);
  }
  frame->Fail(status);
  frame->store->Release(&object);
  if (frame->Failed()) {
    frame->store->Release(&result);
    return;
  }
  if (result != kScriptEmptyHandle) frame->Fail(*frame->operands.Push(&status, &result));
}
