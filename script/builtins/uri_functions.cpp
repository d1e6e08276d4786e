// The URI coders (see uri_functions.h).
#include "script/builtins/uri_functions.h"

#include "foundation/wide_string/shared_wide_string.h"
#include "script/builtins/builtin_arguments.h"
#include "script/values/atoms.h"
#include "script/values/script_status.h"

bool IsScriptUriFunction(int32_t atom) {
  return atom >= kAtom_encodeURI && atom <= kAtom_decodeURIComponent;
}

int32_t* InvokeScriptUriFunction(int32_t* status, int32_t atom, uint32_t n,
                                 ScriptOperandStack* stack, ScriptValueHandle* result) {
  *status = kScriptOk;
  if (!IsScriptUriFunction(atom)) {
    *status = kScriptInvalidType;
    return status;
  }
  if (n != 1) {
    *status = kScriptBadParameterCount;
    return status;
  }
  SharedWideString text;
  if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
  const bool encode = atom == kAtom_encodeURI || atom == kAtom_encodeURIComponent;
  const bool strict = atom == kAtom_encodeURIComponent || atom == kAtom_decodeURIComponent;
  // The coder replaces the string it is given with a new one; the
  // argument's own text stays as it was.
  SharedWideString coded(text);
  if (!coded.UrlEscape(encode, strict)) {
    *status = kScriptUnhandledException;
    return status;
  }
  return ResultString(status, CallStore(stack), coded, result);
}
