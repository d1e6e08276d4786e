// The global functions and values of the script language: parseInt,
// parseFloat, isNaN and isFinite (which the Math built-in answers and hosts
// route to it), and the values NaN, Infinity and undefined that host objects
// answer as properties. Kept apart from any object so that the Math object,
// the host objects and the stand-in global of tests share one definition.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "script/values/script_value.h"

class ScriptValueStore;
class ScriptOperandStack;

// kAtom_parseInt to kAtom_isFinite: parseInt, parseFloat, isNaN, isFinite.
bool IsScriptGlobalFunction(int32_t atom);
// kAtom_NaN to kAtom_undefined: NaN, Infinity, undefined.
bool IsScriptGlobalValue(int32_t atom);

// Calls global function `atom` with the top n values of the stack as its
// arguments; *result (preset to undefined by the caller) receives a new
// number or boolean. kScriptBadParameterCount for too few arguments (1 for isNaN, isFinite
// and parseFloat, 1 or 2 for parseInt) or more than two; a failed conversion
// of an argument answers its status; kScriptInvalidType for another atom.
int32_t* InvokeScriptGlobalFunction(int32_t* status, int32_t atom, uint32_t n,
                                    ScriptOperandStack* stack, ScriptValueHandle* result);

// *result (released first) becomes the value of global value `atom`: the
// number NaN, the number +Infinity or undefined. kScriptCannotGet for another atom.
int32_t* GetScriptGlobalValue(int32_t* status, int32_t atom, ScriptValueStore* store,
                              ScriptValueHandle* result);

// parseInt of a text: blanks skipped, an optional sign, then digits of the
// radix (2-36; 0 chooses from the text: "0x" 16, a leading "0" 8, else 10;
// radix 16 also takes "0x") as far as they go. NaN when no digit is found or
// the radix is outside 0 and 2-36.
double ParseIntText(const SharedWideString& text, int32_t radix);
// parseFloat of a text: blanks skipped, then the longest decimal number text
// (sign, digits, "." and digits, an exponent with at least one digit). NaN
// when there is none.
double ParseFloatText(const SharedWideString& text);
