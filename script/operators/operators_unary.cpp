// The unary operators: logical not, typeof, literal string by number (the
// literal text of script pages) and unary minus.
#include <cstdint>

#include "script/bytecode/compiled_script.h"
#include "script/bytecode/instruction_set.h"
#include "script/interpreter/interpreter.h"
#include "script/operators/operators_internal.h"
#include "script/objects/dynamic_object.h"
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
      const ScriptMemberRef& ref = store->GetObjectSlot(value)->ref;
      ScriptObject* owner = ref.owner;
      if (owner == nullptr) return kTypeofObject;  // null
      if (owner->GetKind() == kScriptObjectKindFunction) return kTypeofFunction;
      // A reference left unread is a member without value; of a plain
      // object that is a member never assigned (o.missing): undefined.
      // The same for a member that a script made on the global object or
      // a host (a name used before anything was assigned to it).
      if (!ref.IsSelf() && ref.subCode == 0 && owner->GetKind() == kScriptObjectKindDynamic) {
        auto* object = static_cast<ScriptDynamicObject*>(owner);
        int32_t base = object->MadeMemberBase();
        if (base >= 0 && ref.memberCode >= base) {
          uint32_t index = static_cast<uint32_t>(ref.memberCode - base);
          if (index < object->MemberCount() &&
              ScriptHandleType(object->MemberValue(index)) == kScriptTypeEmpty) {
            return kTypeofUndefined;
          }
        }
      }
      return kTypeofObject;
    }
    default:
      return kTypeofUndefined;
  }
}

int32_t Negate(ScriptValueStore* store, ScriptValueHandle* operand, ScriptValueHandle* result) {
  int32_t status = kScriptOk;
  ScriptValueHandle negated = kScriptEmptyHandle;
  switch (ScriptHandleType(*operand)) {
    case kScriptTypeNumber:
      negated = MakeScriptNumberHandle(-ScriptHandleNumber(*operand));
      break;
    case kScriptTypeInteger: {
      int32_t value = ScriptHandleInteger(*operand);
      // -(-2^31) is no 32-bit integer.
      negated = value == INT32_MIN ? MakeScriptNumberHandle(2147483648.0)
                                   : MakeScriptIntegerHandle(-value);
      break;
    }
    default: {
      double value = 0.0;
      if (*store->ToNumber(&status, *operand, &value) != kScriptOk) return status;
      negated = MakeScriptNumberHandle(-value);
      break;
    }
  }
  store->Release(operand);
  *result = negated;
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
      const CompiledScript* script = frame->current->code;
      if (script == nullptr || index < 0 || static_cast<uint32_t>(index) >= script->StringCount()) {
        return kScriptBadStringLiteral;
      }
      return *store->NewString(&status, script->StringAt(static_cast<uint32_t>(index)), result);
    }
    default:  // kOperatorNegate
      return Negate(store, operand, result);
  }
}
