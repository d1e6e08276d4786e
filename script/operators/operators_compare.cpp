// Comparisons and logic. Two values compare as texts when one is a string
// and the other a string, an object or undefined; otherwise as numbers, by
// IEEE rules (NaN is unequal to everything). Objects compare by their
// values, never by identity. === and !== first compare the types, taking
// integers and numbers as one type. && and || convert both operands: the
// language evaluates both sides.
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators_internal.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

// The type as === sees it: integers are numbers.
int32_t StrictType(ScriptValueHandle value) {
  int32_t type = ScriptHandleType(value);
  return type == kScriptTypeInteger ? kScriptTypeNumber : type;
}

bool ComparesAsText(int32_t l, int32_t r) {
  if (l == kScriptTypeString) {
    return r == kScriptTypeObject || r == kScriptTypeString || r == kScriptTypeUndefined;
  }
  return (l == kScriptTypeObject || l == kScriptTypeUndefined) && r == kScriptTypeString;
}

// The answer of the comparison for c < 0, c == 0 or c > 0 (c: -1, 0, 1), or
// for unordered operands (c: 2, NaN involved).
bool Outcome(uint32_t code, int c) {
  bool unordered = c == 2;
  switch (code) {
    case kOperatorNotEqual:
    case kOperatorStrictNotEqual: return unordered || c != 0;
    case kOperatorStrictEqual:
    case kOperatorEqual: return !unordered && c == 0;
    case kOperatorGreaterOrEqual: return !unordered && c >= 0;
    case kOperatorLessOrEqual: return !unordered && c <= 0;
    case kOperatorGreater: return !unordered && c > 0;
    default: return !unordered && c < 0;  // kOperatorLess
  }
}

int32_t Compare(ScriptValueStore* store, uint32_t code, ScriptValueHandle left,
                ScriptValueHandle right, bool* answer) {
  int32_t status = kScriptOk;
  int32_t l = ScriptHandleType(left);
  int32_t r = ScriptHandleType(right);
  bool strict = code == kOperatorStrictEqual || code == kOperatorStrictNotEqual;
  if (strict && StrictType(left) != StrictType(right)) {
    *answer = code == kOperatorStrictNotEqual;
    return kScriptOk;
  }
  if (l == kScriptTypeUndefined && r == kScriptTypeUndefined) {
    *answer = code == kOperatorStrictEqual || code == kOperatorEqual;
    return kScriptOk;
  }
  if (ComparesAsText(l, r)) {
    SharedWideString a;
    SharedWideString b;
    if (*store->ToString(&status, left, &a, 0) != kScriptOk ||
        *store->ToString(&status, right, &b, 0) != kScriptOk) {
      return status;
    }
    int c = a.CompareTo(b);
    *answer = Outcome(code, c < 0 ? -1 : (c > 0 ? 1 : 0));
    return kScriptOk;
  }
  double a = 0.0;
  double b = 0.0;
  if (*store->ToNumber(&status, left, &a) != kScriptOk ||
      *store->ToNumber(&status, right, &b) != kScriptOk) {
    return status;
  }
  int c = a < b ? -1 : (a > b ? 1 : (a == b ? 0 : 2));
  *answer = Outcome(code, c);
  return kScriptOk;
}

int32_t Logic(ScriptValueStore* store, uint32_t code, ScriptValueHandle left,
              ScriptValueHandle right, bool* answer) {
  int32_t status = kScriptOk;
  uint8_t a = 0;
  uint8_t b = 0;
  if (*store->ToBoolean(&status, left, &a) != kScriptOk ||
      *store->ToBoolean(&status, right, &b) != kScriptOk) {
    return status;
  }
  *answer = code == kOperatorLogicalAnd ? (a != 0 && b != 0) : (a != 0 || b != 0);
  return kScriptOk;
}

}  // namespace

int32_t ComputeComparison(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* left,
                          ScriptValueHandle right) {
  ScriptValueStore* store = frame->store;
  bool answer = false;
  int32_t status = code == kOperatorLogicalAnd || code == kOperatorLogicalOr
                       ? Logic(store, code, *left, right, &answer)
                       : Compare(store, code, *left, right, &answer);
  if (status != kScriptOk) return status;
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*store->NewBoolean(&status, answer ? 1 : 0, &value) != kScriptOk) return status;
  store->MoveValue(&value, left);
  return kScriptOk;
}
