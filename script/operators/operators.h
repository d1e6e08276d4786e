// The operators of `Operate`: member access, assignment (plain and the
// compound forms -=, +=, %=, /=, *=), increment and decrement, arithmetic and
// text concatenation, comparisons, logic, typeof, literal strings by number
// and unary minus. Calls and `new` are the run loop's (interpreter_steps.h).
//
// An operator pops as many operands as its arity and pushes one result.
// Before the operation every operand is read (a member reference replaced by
// the member's value; a member without value leaves the reference itself),
// except the first operand of member access, assignments and the increments,
// which stays a reference. Numbers live in their value words, so arithmetic
// allocates nothing; + - * and % of two integers give an integer when the
// answer is one (a number otherwise, as in doubles), and a concatenation
// appends to its left text when no one else holds it (copy on write).
//
// Differences from the plain reading of the operator table, on purpose:
// - 31-35 (-=, +=, %=, /=, *=) are computed here: the compiler emits them as
//   operators; the result is stored as "=" stores and is what "=" gives. The
//   bitwise forms 36-41 stay "Not yet implemented".
// - === and !== take integers and numbers as one type, so 1 === 1.0.
// - typeof of a boolean is "boolean".
// - ++, -- and unary minus that leave the 32-bit range give a number.
// - A concatenation longer than kScriptMaxStringLength characters fails
//   with kScriptNoMemory, as it would on the device long before.
#pragma once

#include <cstdint>

#include "script/values/script_value.h"

class ScriptInterpreter;
struct ScriptCallFrame;

// The longest text a concatenation may make.
inline constexpr uint32_t kScriptMaxStringLength = 1u << 22;

// The number of operands of an operator code; 0 for codes that have no
// operator (kScriptBadOperator), including calls and `new` when they reach
// the table.
uint32_t ScriptOperatorArity(uint32_t code);

// Pops the operands of the operator, applies it and pushes the result.
// Failures set the frame's status (kScriptStackUnderflow for too few
// operands, kScriptBadOperator for a code without operator,
// kScriptNotImplemented for operators the engine lacks).
void ApplyScriptOperator(ScriptInterpreter* interpreter, ScriptCallFrame* frame, uint32_t code);

// `a.name` (kOperatorMember) with the name already a token: the object on
// top of the stack is replaced by the member's reference, as
// ApplyScriptOperator does with the name pushed as a string. With a cache
// entry, the look-up at word `site` goes through it (site_cache.h).
struct ScriptNameToken;
struct ScriptSiteCacheEntry;
// With readNow the instruction that follows reads the top operand at once
// (see ReadMemberAtOnce): the member's value is pushed instead of its
// reference when that reads the same.
void ApplyMemberByToken(ScriptCallFrame* frame, const ScriptNameToken& token,
                        ScriptSiteCacheEntry* entry, uint32_t site, bool readNow = false);

// Replaces *operand (owned) by its value when it is a reference to a member:
// kScriptCannotGet keeps the reference; another failure makes it undefined
// and sets the frame's status. Answers false after such a failure.
bool ReadScriptOperand(ScriptCallFrame* frame, ScriptValueHandle* operand);

// The value that ReadScriptOperand would give for a reference holding ref,
// read now, without the reference made: true, with *value (empty before)
// set, when the owner reads its members without effects
// (ScriptDynamicObject::ReadsWithoutEffects) and the member holds a value
// that is no member reference itself. False, with nothing done, otherwise;
// the caller then makes the reference and the reader reads it as always.
struct ScriptMemberRef;
class ScriptValueStore;
bool ReadMemberAtOnce(ScriptValueStore* store, const ScriptMemberRef& ref,
                      ScriptValueHandle* value);
