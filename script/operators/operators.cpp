// The dispatcher of `Operate`: the arity table, the preparation of operands
// and the push of the result (see operators.h).
#include "script/operators/operators.h"

#include <typeinfo>

#include "script/builtins/builtin_global_object.h"
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators_internal.h"
#include "script/objects/dynamic_object.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// Operands of each operator code 0-73; 0 where there is no operator.
constexpr uint8_t kArity[] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 0-9
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 10-19
    0, 0, 0, 0, 2, 0, 2, 0, 2, 3,  // 20-29: . [ call ?:
    2, 2, 2, 2, 2, 2, 2, 2, 2, 2,  // 30-39: = and compound assignments
    2, 2, 2, 2, 2, 2, 1, 1, 2, 2,  // 40-49: ^= % * / - --x ++x + !=
    2, 1, 1, 2, 2, 2, 2, 2, 2, 2,  // 50-59: ^ ~ ! === == >= <= >>> >> >
    2, 2, 2, 2, 2, 2, 2, 1, 1, 1,  // 60-69: << < && & || | !== x-- x++ typeof
    1, 0, 1, 1,                    // 70-73: delete new __litteralstr -x
};
constexpr uint32_t kArityCount = sizeof(kArity) / sizeof(kArity[0]);
static_assert(kArityCount == kOperatorNegate + 1, "one arity per operator code");

// Operators whose first operand stays a reference.
bool KeepsReference(uint32_t code) {
  return code == kOperatorMember || code == kOperatorIndex ||
         (code >= kOperatorAssign && code <= kOperatorXorAssign) ||
         code == kOperatorPrefixDecrement || code == kOperatorPrefixIncrement ||
         code == kOperatorPostfixDecrement || code == kOperatorPostfixIncrement;
}

int32_t Apply(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t code,
              ScriptValueHandle* operands, ScriptValueHandle* result) {
  switch (code) {
    case kOperatorMember:
    case kOperatorIndex:
      return ApplyMemberAccess(frame, code, operands, result);
    case kOperatorAssign:
    case kOperatorSubtractAssign:
    case kOperatorAddAssign:
    case kOperatorRemainderAssign:
    case kOperatorDivideAssign:
    case kOperatorMultiplyAssign:
      return ApplyAssignment(frame, code, operands, result);
    case kOperatorPrefixDecrement:
    case kOperatorPrefixIncrement:
    case kOperatorPostfixDecrement:
    case kOperatorPostfixIncrement:
      return ApplyStep(frame, code, operands, result);
    case kOperatorRemainder:
    case kOperatorMultiply:
    case kOperatorDivide:
    case kOperatorSubtract:
    case kOperatorAdd:
    case kOperatorNotEqual:
    case kOperatorStrictEqual:
    case kOperatorEqual:
    case kOperatorGreaterOrEqual:
    case kOperatorLessOrEqual:
    case kOperatorGreater:
    case kOperatorLess:
    case kOperatorLogicalAnd:
    case kOperatorLogicalOr:
    case kOperatorStrictNotEqual: {
      int32_t status = ComputeBinaryValue(frame, code, &operands[0], operands[1]);
      if (status == kScriptOk) {
        *result = operands[0];
        operands[0] = kScriptEmptyHandle;
      }
      return status;
    }
    case kOperatorLogicalNot:
    case kOperatorTypeof:
    case kOperatorLiteralString:
    case kOperatorNegate:
      return ApplyUnary(interpreter, frame, code, operands, result);
    case kOperatorCall:
    case kOperatorDelete:
      return kScriptBadOperator;
    default:
      // ?:, the bitwise operators and their assignments, the shifts.
      return kScriptNotImplemented;
  }
}

// A binary operator on two integers on top of the stack, computed in place:
// nothing to read through, nothing to release. False when the operator or
// the operands are not of that kind, or the answer is no integer (then the
// general path computes it).
bool IntegerOperatorInPlace(ScriptCallFrame* frame, uint32_t code) {
  ScriptOperandStack& stack = frame->operands;
  if (stack.Depth() < 2) return false;
  ScriptValueHandle left = stack.Peek(1);
  ScriptValueHandle right = stack.Peek(0);
  if (ScriptHandleType(left) != kScriptTypeInteger ||
      ScriptHandleType(right) != kScriptTypeInteger) {
    return false;
  }
  int32_t a = ScriptHandleInteger(left);
  int32_t b = ScriptHandleInteger(right);
  ScriptValueHandle result;
  switch (code) {
    case kOperatorLess: result = MakeScriptBooleanHandle(a < b); break;
    case kOperatorLessOrEqual: result = MakeScriptBooleanHandle(a <= b); break;
    case kOperatorGreater: result = MakeScriptBooleanHandle(a > b); break;
    case kOperatorGreaterOrEqual: result = MakeScriptBooleanHandle(a >= b); break;
    case kOperatorEqual:
    case kOperatorStrictEqual: result = MakeScriptBooleanHandle(a == b); break;
    case kOperatorNotEqual:
    case kOperatorStrictNotEqual: result = MakeScriptBooleanHandle(a != b); break;
    case kOperatorAdd:
    case kOperatorSubtract:
    case kOperatorMultiply:
    case kOperatorRemainder: {
      int32_t value = 0;
      if (!ScriptIntegerArithmetic(code, a, b, &value)) return false;
      result = MakeScriptIntegerHandle(value);
      break;
    }
    default:
      return false;
  }
  stack.ReplaceImmediates(2, result);  // integers: nothing to release
  return true;
}

}  // namespace

uint32_t ScriptOperatorArity(uint32_t code) { return code < kArityCount ? kArity[code] : 0; }

bool ReadScriptOperand(ScriptCallFrame* frame, ScriptValueHandle* operand) {
  ScriptObjectSlot* slot = frame->store->GetObjectSlot(*operand);
  if (slot == nullptr || slot->ref.IsSelf()) return true;
  int32_t status = kScriptOk;
  frame->store->GetReferencedValue(&status, *operand, operand);
  if (status == kScriptOk || status == kScriptCannotGet) return true;
  frame->store->Release(operand);
  *operand = kScriptUndefinedHandle;
  frame->Fail(status);
  return false;
}

bool ReadMemberAtOnce(ScriptValueStore* store, const ScriptMemberRef& ref,
                      ScriptValueHandle* value) {
  ScriptObject* owner = ref.owner;
  if (owner == nullptr || ref.IsSelf()) return false;
  // A plain object's member, or a member that scripts made on the global
  // object, read in place as their GetMemberValue reads it. (The type's own
  // record compares by address; another record of the same type takes the
  // general way.) Both are dynamic objects: their kind need not be asked.
  const std::type_info* type = &typeid(*owner);
  int32_t code = ref.memberCode;
  bool plain = type == &typeid(ScriptDynamicObject);
  if (!plain && type == &typeid(ScriptGlobalObject) &&
      code >= ScriptGlobalObject::kGlobalDynamicBase) {
    plain = true;
    code -= ScriptGlobalObject::kGlobalDynamicBase;
  }
  if (plain) {
    auto* object = static_cast<ScriptDynamicObject*>(owner);
    if (!object->ReadsWithoutEffects() || ref.subCode != 0 ||
        static_cast<uint32_t>(code) >= object->MemberCount()) {
      return false;
    }
    ScriptValueHandle member = object->MemberValue(static_cast<uint32_t>(code));
    if (ScriptHandleType(member) == kScriptTypeEmpty) return false;
    ScriptObjectSlot* slot = store->GetObjectSlot(member);
    if (slot != nullptr && !slot->ref.IsSelf()) return false;
    store->CopyValue(member, value);
    return true;
  }
  if (owner->GetKind() != kScriptObjectKindDynamic ||
      !static_cast<ScriptDynamicObject*>(owner)->ReadsWithoutEffects()) {
    return false;
  }
  int32_t status = kScriptOk;
  ScriptValueHandle read = kScriptEmptyHandle;
  if (*owner->GetMemberValue(&status, ref, store, &read, kScriptTypeAny) != kScriptOk) {
    store->Release(&read);
    return false;
  }
  // A value that is itself a reference would be read once more by the
  // reader of a value, where the reader of the reference stops at it.
  ScriptObjectSlot* slot = store->GetObjectSlot(read);
  if (slot != nullptr && !slot->ref.IsSelf()) {
    store->Release(&read);
    return false;
  }
  *value = read;
  return true;
}

void ApplyScriptOperator(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t code) {
  if (IntegerOperatorInPlace(frame, code)) return;
  uint32_t arity = ScriptOperatorArity(code);
  if (arity == 0 || arity > 3) {
    frame->Fail(kScriptBadOperator);
    return;
  }
  if (frame->operands.Depth() < arity) {
    frame->Fail(kScriptStackUnderflow);
    return;
  }
  ScriptValueHandle operands[3] = {kScriptEmptyHandle, kScriptEmptyHandle, kScriptEmptyHandle};
  frame->operands.Pop(operands, arity);
  bool ready = true;
  for (uint32_t i = KeepsReference(code) ? 1 : 0; i < arity; ++i) {
    if (!ReadScriptOperand(frame, &operands[i])) ready = false;
  }
  ScriptValueHandle result = kScriptEmptyHandle;
  if (ready) frame->Fail(Apply(interpreter, frame, code, operands, &result));
  for (uint32_t i = 0; i < arity; ++i) frame->store->Release(&operands[i]);
  if (frame->Failed()) {
    frame->store->Release(&result);
    return;
  }
  if (result != kScriptEmptyHandle) {
    int32_t status = kScriptOk;
    frame->Fail(*frame->operands.Push(&status, &result));
  }
}
