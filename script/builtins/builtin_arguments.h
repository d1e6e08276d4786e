// Reading the arguments of a built-in method. A call leaves its arguments on
// the operand stack as the compiler pushed them: a variable or a member comes
// as a reference to it, so each built-in reads an argument through its
// owner before it looks at its type. Conversions to number, text and integer
// go through the value store, which reads references itself.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

class ScriptValueStore;
class ScriptOperandStack;

// The store whose handles a call passes: the stack's.
ScriptValueStore* CallStore(ScriptOperandStack* stack);

// Argument i (0: the first) of a call with n arguments, as an operand: *out
// (released first) becomes a copy of its value, read through a member
// reference; a member that holds no value (kScriptCannotGet) leaves the reference
// itself, as the interpreter's operands do. Other failures of the read are
// answered, *out then empty.
int32_t* ReadArgument(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                      ScriptValueHandle* out);

// Argument i converted without changing it.
int32_t* ArgumentToNumber(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                          double* out);
int32_t* ArgumentToInteger(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                           int32_t* out);
int32_t* ArgumentToString(int32_t* status, ScriptOperandStack* stack, uint32_t n, uint32_t i,
                          SharedWideString* out);
// The type of argument i's value (read as under ReadArgument): undefined for
// an argument that cannot be read.
int32_t ArgumentType(ScriptOperandStack* stack, uint32_t n, uint32_t i);

// Results: *result (released first) becomes a new value; kScriptNoMemory when memory
// runs out (*result then empty).
int32_t* ResultNumber(int32_t* status, ScriptValueStore* store, double value,
                      ScriptValueHandle* result);
int32_t* ResultInteger(int32_t* status, ScriptValueStore* store, int32_t value,
                       ScriptValueHandle* result);
int32_t* ResultBoolean(int32_t* status, ScriptValueStore* store, bool value,
                       ScriptValueHandle* result);
int32_t* ResultString(int32_t* status, ScriptValueStore* store, const SharedWideString& text,
                      ScriptValueHandle* result);
// *result (released first) becomes an object value of a new store-owned
// object (attached to the store). A null object, or a failure to wrap it
// (the object is then deleted), gives kScriptNoMemory.
int32_t* ResultFreshObject(int32_t* status, ScriptValueStore* store, class ScriptObject* fresh,
                           ScriptValueHandle* result);
