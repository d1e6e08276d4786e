// Arithmetic (% * / -) and addition, which concatenates when either operand
// is a string. Numbers live in their value words, so arithmetic allocates
// nothing; a concatenation appends to the left operand's string slot when no
// one else holds it (copy on write).
#include <cmath>
#include <cstdint>

#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators.h"
#include "script/operators/operators_internal.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

bool ScriptIntegerArithmetic(uint32_t code, int32_t a, int32_t b, int32_t* out) {
  int64_t r;
  switch (code) {
    case kOperatorSubtract: r = static_cast<int64_t>(a) - b; break;
    case kOperatorAdd: r = static_cast<int64_t>(a) + b; break;
    case kOperatorMultiply:
      r = static_cast<int64_t>(a) * b;
      if (r == 0 && (a < 0 || b < 0)) return false;
      break;
    case kOperatorRemainder:
      if (b == 0 || b == -1) return false;
      r = a % b;  // C's sign rule is the language's: the dividend's sign
      if (r == 0 && a < 0) return false;
      break;
    default:
      return false;
  }
  if (r < INT32_MIN || r > INT32_MAX) return false;
  *out = static_cast<int32_t>(r);
  return true;
}

namespace {

int32_t Arithmetic(ScriptValueStore* store, uint32_t code, ScriptValueHandle* left,
                   ScriptValueHandle right) {
  int32_t status = kScriptOk;
  int32_t integer = 0;
  if (ScriptHandleType(*left) == kScriptTypeInteger &&
      ScriptHandleType(right) == kScriptTypeInteger &&
      ScriptIntegerArithmetic(code, ScriptHandleInteger(*left), ScriptHandleInteger(right),
                              &integer)) {
    *left = MakeScriptIntegerHandle(integer);  // an immediate: nothing to release
    return kScriptOk;
  }
  double r = 0.0;
  if (*store->ToNumber(&status, right, &r) != kScriptOk) return status;
  double l = 0.0;
  if (*store->ToNumber(&status, *left, &l) != kScriptOk) return status;
  switch (code) {
    case kOperatorRemainder: l = std::fmod(l, r); break;
    case kOperatorMultiply: l = l * r; break;
    case kOperatorDivide: l = l / r; break;
    case kOperatorSubtract: l = l - r; break;
    default: l = l + r; break;
  }
  ScriptValueHandle result = MakeScriptNumberHandle(l);
  store->MoveValue(&result, left);
  return kScriptOk;
}

int32_t Concatenate(ScriptValueStore* store, ScriptValueHandle* left, ScriptValueHandle right) {
  int32_t status = kScriptOk;
  SharedWideString tail;
  if (*store->ToString(&status, right, &tail, 0) != kScriptOk) return status;
  void* slot = nullptr;
  if (*store->ConvertInPlace(&status, left, kScriptTypeString, &slot) != kScriptOk) return status;
  SharedWideString& text = static_cast<ScriptStringSlot*>(slot)->text;
  if (static_cast<uint64_t>(text.length) + tail.length > kScriptMaxStringLength ||
      !text.Append(tail)) {
    return kScriptNoMemory;
  }
  return kScriptOk;
}

}  // namespace

int32_t ComputeBinaryValue(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* left,
                           ScriptValueHandle right) {
  ScriptValueStore* store = frame->store;
  switch (code) {
    case kOperatorRemainder:
    case kOperatorMultiply:
    case kOperatorDivide:
    case kOperatorSubtract:
      return Arithmetic(store, code, left, right);
    case kOperatorAdd:
      if (ScriptHandleType(*left) == kScriptTypeString ||
          ScriptHandleType(right) == kScriptTypeString) {
        return Concatenate(store, left, right);
      }
      return Arithmetic(store, code, left, right);
    default:
      return ComputeComparison(frame, code, left, right);
  }
}
