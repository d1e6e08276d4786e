// The URI coders every host object answers: encodeURI, decodeURI,
// encodeURIComponent and decodeURIComponent. The component forms use the
// strict safe set (letters, digits and - . _ ~ ! ' ( ) *); the others the
// lenient one, which also keeps the characters that separate the parts of
// an address ($ & + , / : = ? @) and decodes only those. Characters from
// U+0100 up are kept as they are, and decoding turns '+' into a space.
#pragma once

#include <cstdint>

#include "script/values/script_value.h"

class ScriptOperandStack;

// kAtom_encodeURI to kAtom_decodeURIComponent.
bool IsScriptUriFunction(int32_t atom);

// Calls URI coder `atom` with the top n values of the stack as its
// arguments; *result (preset to undefined by the caller) receives the new
// text. Exactly one argument (else kScriptBadParameterCount); a failed
// conversion of it answers its status; text that cannot be coded (an escape
// whose two characters are not hexadecimal digits) kScriptUnhandledException;
// kScriptInvalidType for another atom.
int32_t* InvokeScriptUriFunction(int32_t* status, int32_t atom, uint32_t n,
                                 ScriptOperandStack* stack, ScriptValueHandle* result);
