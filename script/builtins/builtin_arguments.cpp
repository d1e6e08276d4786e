// Argument reading and result values of the built-in methods (see
// builtin_arguments.h).
#include "script/builtins/builtin_arguments.h"

#include "script/frames/operand_stack.h"
#include "script/objects/script_object.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

ScriptValueStore* CallStore(ScriptOperandStack* stack) {
  return stack == nullptr ? nullptr : stack->GetStore();
}

int32_t* ReadArgument(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                      ScriptValueHandle* out) {
  ScriptValueStore* store = CallStore(stack);
  if (store == nullptr || i >= n || stack->Depth() < n) {
    *status = kScriptStackUnderflow;
    return status;
  }
  ScriptValueHandle operand = stack->Argument(n, i);
  if (*store->GetReferencedValue(status, operand, out) == kScriptCannotGet) {
    store->Release(out);
    store->CopyValue(operand, out);
    *status = kScriptOk;
  } else if (*status != kScriptOk) {
    store->Release(out);
  }
  return status;
}

namespace {

// The argument's handle, or a status when the stack does not hold it.
bool PeekArgument(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                  ScriptValueHandle* handle) {
  if (CallStore(stack) == nullptr || i >= n || stack->Depth() < n) {
    *status = kScriptStackUnderflow;
    return false;
  }
  *handle = stack->Argument(n, i);
  return true;
}

}  // namespace

int32_t* ArgumentToNumber(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                          double* out) {
  ScriptValueHandle h;
  if (!PeekArgument(status, stack, n, i, &h)) return status;
  return stack->GetStore()->ToNumber(status, h, out);
}

int32_t* ArgumentToInteger(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                           int32_t* out) {
  ScriptValueHandle h;
  if (!PeekArgument(status, stack, n, i, &h)) return status;
  return stack->GetStore()->ToInteger(status, h, out);
}

int32_t* ArgumentToString(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                          SharedWideString* out) {
  ScriptValueHandle h;
  if (!PeekArgument(status, stack, n, i, &h)) return status;
  return stack->GetStore()->ToString(status, h, out, 0);
}

int32_t ArgumentType(ScriptOperandStack* stack, uint32_t n, uint32_t i) {
  int32_t status = kScriptOk;
  ScriptValueHandle value = kScriptEmptyHandle;
  if (*ReadArgument(&status, stack, n, i, &value) != kScriptOk) return kScriptTypeUndefined;
  int32_t type = ScriptHandleType(value);
  stack->GetStore()->Release(&value);
  return type;
}

int32_t* ResultNumber(int32_t* status, ScriptValueStore* store, double value,
                      ScriptValueHandle* result) {
  store->Release(result);
  return store->NewNumber(status, value, result);
}

int32_t* ResultInteger(int32_t* status, ScriptValueStore* store, int32_t value,
                       ScriptValueHandle* result) {
  store->Release(result);
  return store->NewInteger(status, value, result);
}

int32_t* ResultBoolean(int32_t* status, ScriptValueStore* store, bool value,
                       ScriptValueHandle* result) {
  store->Release(result);
  return store->NewBoolean(status, value ? 1 : 0, result);
}

int32_t* ResultString(int32_t* status, ScriptValueStore* store, const SharedWideString& text,
                      ScriptValueHandle* result) {
  store->Release(result);
  return store->NewString(status, text, result);
}

int32_t* ResultFreshObject(int32_t* status, ScriptValueStore* store, ScriptObject* fresh,
                           ScriptValueHandle* result) {
  store->Release(result);
  if (fresh == nullptr) {
    *status = kScriptNoMemory;
    return status;
  }
  if (*store->NewObject(status, fresh, result) != kScriptOk) delete fresh;
  return status;
}
