// The unary operators: logical not, typeof, literal string by number (the
// literal text of script pages) and unary minus.
#include <cstdint>

#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators_internal.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

int32_t TypeofPiece(ScriptValueStore* store, ScriptValueHandle value) {
  switch (ScriptHandleType(value)) {
    case kScriptTypeNumber:
    case kScriptTypeInteger:
      return kTypeofNumber;
    case kScriptTypeString:
      return kTypeofString;
    case kScriptTypeBoolean:
      return kTypeofBoolean;
    case kScriptTypeObject: {
      ScriptObject* owner = store->GetObjectSlot(value)->ref.owner;
      return owner != nullptr && owner->GetKind() == kScriptObjectKindFunction ? kTypeofFunction
                                                                              : kTypeofObject;
    }
    default:
      return kTypeofUndefined;
  }
}

int32_t Negate(ScriptValueStore* store, ScriptValueHandle* operand, ScriptValueHandle* result) {
  int32_t status = kScriptOk;
  void* slot = nullptr;
  switch (ScriptHandleType(*operand)) {
    case kScriptTypeNumber:
      if (*store->ConvertInPlace(&status, operand, kScriptTypeNumber, &slot) != kScriptOk) {
        return status;
      }
      static_cast<ScriptNumberSlot*>(slot)->value = -static_cast<ScriptNumberSlot*>(slot)->value;
      break;
    case kScriptTypeInteger: {
      int32_t value = store->GetIntegerSlot(*operand)->value;
      if (value == INT32_MIN) {
        // -(-2^31) is no 32-bit integer.
        ScriptValueHandle number = kScriptEmptyHandle;
        if (*store->NewNumber(&status, 2147483648.0, &number) != kScriptOk) return status;
        store->MoveValue(&number, operand);
        break;
      }
      if (*store->ConvertInPlace(&status, operand, kScriptTypeInteger, &slot) != kScriptOk) {
        return status;
      }
      static_cast<ScriptIntegerSlot*>(slot)->value = -value;
      break;
    }
    default: {
      double value = 0.0;
      ScriptValueHandle number = kScriptEmptyHandle;
      if (*store->ToNumber(&status, *operand, &value) != kScriptOk ||
          *store->NewNumber(&status, -value, &number) != kScriptOk) {
        return status;
      }
      store->MoveValue(&number, operand);
      break;
    }
  }
  *result = *operand;
  *operand = kScriptEmptyHandle;
  return kScriptOk;
}

}  // namespace

int32_t ApplyUnary(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t code,
                   ScriptValueHandle* operand, ScriptValueHandle* result) {
  ScriptValueStore* store = frame->store;
  int32_t status = kScriptOk;
  switch (code) {
    case kOperatorLogicalNot: {
      uint8_t value = 0;
      if (*store->ToBoolean(&status, *operand, &value) != kScriptOk) return status;
      return *store->NewBoolean(&status, value == 0 ? 1 : 0, result);
    }
    case kOperatorTypeof: {
      SharedWideString name;
      interpreter->GetTypeofName(TypeofPiece(store, *operand), &name);
      return *store->NewString(&status, name, result);
    }
    case kOperatorLiteralString: {
      int32_t index = 0;
      if (*store->ToInteger(&status, *operand, &index) != kScriptOk) return status;
      const CompiledScript* script = frame->current.code;
      if (script == nullptr || index < 0 || static_cast<uint32_t>(index) >= script->StringCount()) {
        return kScriptBadStringLiteral;
      }
      return *store->NewString(&status, script->StringAt(static_cast<uint32_t>(index)), result);
    }
    default:  // kOperatorNegate
      return Negate(store, operand, result);
  }
}
