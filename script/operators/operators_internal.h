// The groups of operators behind ApplyScriptOperator (operators.h). Each
// takes its operands as the dispatcher prepared them (owned; read, except
// the first operand of member access, assignments and increments) and
// answers a status; the value to push, when there is one, is left in
// *result (or, for binary values, in *left).
#pragma once

#include <cstdint>

#include "script/values/script_value.h"

class ScriptInterpreter;
struct ScriptCallFrame;

// + - * and % of two 32-bit integers, when the answer is one too: false for
// an overflow, a zero that would be negative (-0 is a number: 0 * -1,
// -4 % 2), and % by 0 or -1 (NaN, and the one quotient that overflows); the
// caller then computes in doubles, whose answers these are equal to.
bool ScriptIntegerArithmetic(uint32_t code, int32_t a, int32_t b, int32_t* out);

// 42-45 arithmetic, 48 addition or concatenation, 49 53-56 59 61 66
// comparisons, 62 64 logic: the result replaces *left (computed in its slot
// when no one else holds it).
int32_t ComputeBinaryValue(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* left,
                           ScriptValueHandle right);

// The comparisons and logic of ComputeBinaryValue: a new boolean replaces
// *left.
int32_t ComputeComparison(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* left,
                          ScriptValueHandle right);

// 24 member by name, 26 member by key: operands[0] the object (a reference
// kept), operands[1] the name or key.
int32_t ApplyMemberAccess(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operands,
                          ScriptValueHandle* result);

// 30 "=" and the compound forms 31-35: operands[0] the target reference,
// operands[1] the value.
int32_t ApplyAssignment(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operands,
                        ScriptValueHandle* result);

// 46 47 prefix and 67 68 postfix decrement and increment of a reference.
int32_t ApplyStep(ScriptCallFrame* frame, uint32_t code, ScriptValueHandle* operand,
                  ScriptValueHandle* result);

// 52 logical not, 69 typeof, 72 literal string by number, 73 unary minus.
int32_t ApplyUnary(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t code,
                   ScriptValueHandle* operand, ScriptValueHandle* result);
