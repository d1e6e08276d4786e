// Assignment ("=" and the compound forms -=, +=, %=, /=, *=) and the
// increments. The target is a reference kept as the first operand; the new
// value is stored through its owner's SetMemberValue. An assignment gives a
// copy of the reference, so `a = b = c` stores c's value in b and then b's
// in a, and `x = (i += 1)` reads the new i.
#include <cstdint>

#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators.h"
#include "script/operators/operators_internal.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// The binary operator of a compound assignment.
uint32_t BinaryOperatorOf(uint32_t code) {
  switch (code) {
    case kOperatorSubtractAssign: return kOperatorSubtract;
    case kOperatorAddAssign: return kOperatorAdd;
    case kOperatorRemainderAssign: return kOperatorRemainder;
    case kOperatorDivideAssign: return kOperatorDivide;
    default: return kOperatorMultiply;  // kOperatorMultiplyAssign
  }
}

// The target's member reference; null when the operand is not an object
// value holding an object (kScriptBadAssignment).
const ScriptMemberRef* TargetOf(ScriptValueStore* store, ScriptValueHandle target) {
  ScriptObjectSlot* slot = store->GetObjectSlot(target);
  if (slot == nullptr || slot->ref.owner == nullptr) return nullptr;
  return &slot->ref;
}

// `s += x` on a member of a plain object that holds a string no one else
// holds (its slot counted by the member and by *value, the copy just read):
// the text grows in its own buffer, whose spare room makes a loop of appends
// linear instead of copying the whole text each time. Answers false when
// the case does not apply (the ordinary path then runs); otherwise *status
// is the outcome (the text unchanged on failure).
bool AppendInPlace(ScriptValueStore* store, const ScriptMemberRef& ref, ScriptValueHandle value,
                   ScriptValueHandle right, int32_t* status) {
  ScriptStringSlot* slot = store->GetStringSlot(value);
  if (slot == nullptr || slot->refcount != 2 || ref.resolved == 0 ||
      ref.owner->GetKind() != kScriptObjectKindDynamic) {
    return false;
  }
  SharedWideString tail;
  if (*store->ToString(status, right, &tail, 0) != kScriptOk) return true;
  SharedWideString& text = slot->text;
  if (static_cast<uint64_t>(text.length) + tail.length > kScriptMaxStringLength ||
      !text.Append(tail)) {
    *status = kScriptNoMemory;
  }
  return true;
}

}  // namespace

int32_t ApplyAssignment(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operands,
                        ScriptValueHandle* result) {
  ScriptValueStore* store = frame->store;
  const ScriptMemberRef* target = TargetOf(store, operands[0]);
  if (target == nullptr) return kScriptBadAssignment;
  ScriptMemberRef ref = *target;
  int32_t status = kScriptOk;

  if (code == kOperatorAssign) {
    ref.owner->SetMemberValue(&status, ref, store, operands[1]);
  } else {
    // The target's value, combined with the right operand, stored as "="
    // stores.
    ScriptValueHandle value = kScriptEmptyHandle;
    store->CopyValue(operands[0], &value);
    if (ReadScriptOperand(frame, &value)) {
      if (code != kOperatorAddAssign || !AppendInPlace(store, ref, value, operands[1], &status)) {
        status = ComputeBinaryValue(frame, BinaryOperatorOf(code), &value, operands[1]);
      }
      if (status == kScriptOk) ref.owner->SetMemberValue(&status, ref, store, value);
    } else {
      status = frame->error.status;
    }
    store->Release(&value);
  }
  if (status != kScriptOk) return status;
  *result = operands[0];
  operands[0] = kScriptEmptyHandle;
  return kScriptOk;
}

int32_t ApplyStep(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operand,
                  ScriptValueHandle* result) {
  ScriptValueStore* store = frame->store;
  const ScriptMemberRef* target = TargetOf(store, *operand);
  if (target == nullptr) return kScriptBadAssignment;
  ScriptMemberRef ref = *target;
  bool up = code == kOperatorPrefixIncrement || code == kOperatorPostfixIncrement;
  bool prefix = code == kOperatorPrefixIncrement || code == kOperatorPrefixDecrement;

  int32_t status = kScriptOk;
  ScriptValueHandle old = kScriptEmptyHandle;
  ScriptValueHandle stepped = kScriptEmptyHandle;
  // A plain member (a variable, most often) is read in place.
  if (!ReadMemberAtOnce(store, ref, &old) &&
      *store->GetReferencedValue(&status, *operand, &old) != kScriptOk) {
    return status;
  }
  if (ScriptHandleType(old) == kScriptTypeInteger) {
    int64_t next = static_cast<int64_t>(ScriptHandleInteger(old)) + (up ? 1 : -1);
    if (next >= INT32_MIN && next <= INT32_MAX) {
      store->NewInteger(&status, static_cast<int32_t>(next), &stepped);
    } else {
      store->NewNumber(&status, static_cast<double>(next), &stepped);
    }
  } else {
    double number = 0.0;
    ScriptValueHandle converted = kScriptEmptyHandle;
    if (*store->ToNumber(&status, old, &number) == kScriptOk &&
        *store->NewNumber(&status, number, &converted) == kScriptOk) {
      store->MoveValue(&converted, &old);  // the old value as the number it was taken for
      store->NewNumber(&status, number + (up ? 1.0 : -1.0), &stepped);
    }
  }
  if (status == kScriptOk) ref.owner->SetMemberValue(&status, ref, store, stepped);
  if (status == kScriptOk) {
    store->MoveValue(prefix ? &stepped : &old, result);
  }
  store->Release(&old);
  store->Release(&stepped);
  return status;
}
