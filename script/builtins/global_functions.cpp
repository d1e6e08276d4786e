// parseInt, parseFloat, isNaN, isFinite and the global values (see
// global_functions.h). The number text is found by the compiler's scanner
// and converted by its literal readers, so parseInt("1e3") and the literal
// 1e3 never disagree on digits.
#include "script/builtins/global_functions.h"

#include <cmath>
#include <limits>

#include "script/values/atoms.h"
#include "script/builtins/builtin_arguments.h"
#include "script/compiler/compiler_number_literal.h"
#include "script/frames/operand_stack.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

bool IsScriptGlobalFunction(int32_t atom) {
  return atom >= kAtom_parseInt && atom <= kAtom_isFinite;
}

bool IsScriptGlobalValue(int32_t atom) { return atom >= kAtom_NaN && atom <= kAtom_undefined; }

double ParseIntText(const SharedWideString& text, int32_t radix) {
  if (radix < 0 || radix == 1 || radix > 36) return kNaN;
  uint32_t scanRadix = static_cast<uint32_t>(radix);
  uint32_t start = 0;
  uint32_t length = 0;
  ScanNumberText(text, false, &scanRadix, &start, &length);
  if (length == 0) return kNaN;
  int32_t value = 0;
  double number = kNaN;
  if (!ParseIntegerLiteral(text.Chars() + start, length, scanRadix, &value, &number)) return kNaN;
  if (std::isnan(number)) {
    // "-0" stays a negative zero, as the literal -0 would.
    if (value == 0 && text.Chars()[start] == u'-') return -0.0;
    return static_cast<double>(value);
  }
  return number;
}

double ParseFloatText(const SharedWideString& text) {
  uint32_t radix = 10;
  uint32_t start = 0;
  uint32_t length = 0;
  ScanNumberText(text, true, &radix, &start, &length);
  double number = kNaN;
  if (length == 0 || !ParseRealLiteral(text.Chars() + start, length, &number)) return kNaN;
  return number;
}

int32_t* InvokeScriptGlobalFunction(int32_t* status, int32_t atom, uint32_t n,
                                    ScriptOperandStack* stack, ScriptValueHandle* result) {
  ScriptValueStore* store = CallStore(stack);
  if (!IsScriptGlobalFunction(atom)) {
    *status = kScriptInvalidType;
    return status;
  }
  uint32_t most = atom == kAtom_parseInt ? 2 : 1;
  if (n < 1 || n > most) {
    *status = kScriptBadParameterCount;
    return status;
  }
  if (store == nullptr) {
    *status = kScriptStackUnderflow;
    return status;
  }
  switch (atom) {
    case kAtom_parseInt: {
      int32_t radix = 0;
      if (n == 2) {
        double r = 0;
        if (*ArgumentToNumber(status, stack, n, 1, &r) != kScriptOk) return status;
        r = std::trunc(r);
        // A radix outside 2-36 gives NaN; keep it outside after the cast.
        radix = (r >= 2 && r <= 36) ? static_cast<int32_t>(r) : -1;
      }
      SharedWideString text;
      if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
      return ResultNumber(status, store, ParseIntText(text, radix), result);
    }
    case kAtom_parseFloat: {
      SharedWideString text;
      if (*ArgumentToString(status, stack, n, 0, &text) != kScriptOk) return status;
      return ResultNumber(status, store, ParseFloatText(text), result);
    }
    default: {
      double x = 0;
      if (*ArgumentToNumber(status, stack, n, 0, &x) != kScriptOk) return status;
      bool answer = atom == kAtom_isNaN ? std::isnan(x) : std::isfinite(x);
      return ResultBoolean(status, store, answer, result);
    }
  }
}

int32_t* GetScriptGlobalValue(int32_t* status, int32_t atom, ScriptValueStore* store,
                              ScriptValueHandle* result) {
  switch (atom) {
    case kAtom_NaN:
      return ResultNumber(status, store, kNaN, result);
    case kAtom_Infinity:
      return ResultNumber(status, store, std::numeric_limits<double>::infinity(), result);
    case kAtom_undefined:
      store->Release(result);
      *result = kScriptUndefinedHandle;
      *status = kScriptOk;
      return status;
    default:
      *status = kScriptCannotGet;
      return status;
  }
}
