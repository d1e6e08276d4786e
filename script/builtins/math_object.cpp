// The Math built-in (see math_object.h).
#include "script/builtins/math_object.h"

#include <cmath>
#include <limits>

#include "script/values/atoms.h"
#include "script/builtins/builtin_arguments.h"
#include "script/builtins/global_functions.h"
#include "script/values/script_status.h"
#include "script/values/value_store.h"

namespace {

bool IsMathFunction(int32_t atom) { return atom >= kAtom_abs && atom <= kAtom_random; }
bool IsMathConstant(int32_t atom) { return atom >= kAtom_E && atom <= kAtom_SQRT2; }

// Arguments a function needs (the table's count; more than two is never
// accepted).
uint32_t ArgumentsOf(int32_t atom) {
  switch (atom) {
    case kAtom_max:
    case kAtom_atan2:
    case kAtom_min:
    case kAtom_pow:
      return 2;
    case kAtom_random:
      return 0;
    default:
      return 1;
  }
}

double Apply(int32_t atom, double a, double b) {
  switch (atom) {
    case kAtom_abs: return std::fabs(a);
    case kAtom_acos: return std::acos(a);
    case kAtom_asin: return std::asin(a);
    case kAtom_atan: return std::atan(a);
    case kAtom_ceil: return std::ceil(a);
    case kAtom_cos: return std::cos(a);
    case kAtom_exp: return std::exp(a);
    case kAtom_floor: return std::floor(a);
    case kAtom_log: return std::log(a);
    case kAtom_round: return ScriptMathRound(a);
    case kAtom_sin: return std::sin(a);
    case kAtom_sqrt: return std::sqrt(a);
    case kAtom_tan: return std::tan(a);
    case kAtom_max: return a < b ? b : a;
    case kAtom_atan2: return std::atan2(a, b);
    case kAtom_min: return a > b ? b : a;
    case kAtom_pow: return std::pow(a, b);
    default: return std::numeric_limits<double>::quiet_NaN();
  }
}

}  // namespace

double ScriptMathRound(double x) {
  if (!std::isfinite(x)) return x;
  double i = std::trunc(x);
  double f = x - i;  // exact: the fraction of a double is representable
  if (f < -0.5) return i - 1;
  if (f >= 0.5) return i + 1;
  return i;
}

double ScriptMathConstant(int32_t atom) {
  switch (atom) {
    case kAtom_E: return 2.718281828459045;
    case kAtom_LN10: return 2.302585092994046;
    case kAtom_LN2: return 0.6931471805599453;
    case kAtom_LOG10E: return 0.4342944819032518;
    case kAtom_LOG2E: return 1.4426950408889634;
    case kAtom_PI: return 3.141592653589793;
    case kAtom_SQRT1_2: return 0.7071067811865476;
    case kAtom_SQRT2: return 1.4142135623730951;
    default: return std::numeric_limits<double>::quiet_NaN();
  }
}

ScriptMathObject::~ScriptMathObject() {
  if (store_ != nullptr) store_->DetachObject(this);
}

void ScriptMathObject::NotifyStore(int32_t event, ScriptValueStore* store) {
  store_ = event == kScriptStoreAttached ? store : nullptr;
}

int32_t* ScriptMathObject::ResolveMember(int32_t* status, const ScriptNameToken& name,
                                         ScriptMemberRef* ref, uint8_t /*create*/) {
  if (!ref->IsSelf() || !(IsMathFunction(name.atom) || IsMathConstant(name.atom))) {
    *status = kScriptMemberUnknown;
    return status;
  }
  ref->owner = this;
  ref->memberCode = name.atom;
  ref->subCode = 0;
  *status = kScriptOk;
  return status;
}

int32_t* ScriptMathObject::Invoke(int32_t* status, const ScriptMemberRef& ref,
                                  uint32_t argumentCount, ScriptOperandStack* stack,
                                  ScriptValueHandle* result) {
  // Math's own references carry the atom as member code; a host that routes
  // a global function here keeps it as the sub-code.
  int32_t atom = ref.memberCode != -1 ? ref.memberCode : ref.subCode;
  if (IsScriptGlobalFunction(atom)) {
    return InvokeScriptGlobalFunction(status, atom, argumentCount, stack, result);
  }
  if (!IsMathFunction(atom)) {
    *status = kScriptInvalidType;
    return status;
  }
  uint32_t needed = ArgumentsOf(atom);
  if (argumentCount < needed || argumentCount > 2) {
    *status = kScriptBadParameterCount;
    return status;
  }
  ScriptValueStore* store = CallStore(stack);
  if (store == nullptr) {
    *status = kScriptStackUnderflow;
    return status;
  }
  if (atom == kAtom_random) {
    // 32 random bits as an unsigned number, times 2^-32: [0, 1).
    double r = static_cast<double>(random_.Next()) * (1.0 / 4294967296.0);
    return ResultNumber(status, store, r, result);
  }
  double a = 0;
  double b = 0;
  if (*ArgumentToNumber(status, stack, argumentCount, 0, &a) != kScriptOk) return status;
  if (needed == 2 && *ArgumentToNumber(status, stack, argumentCount, 1, &b) != kScriptOk) {
    return status;
  }
  return ResultNumber(status, store, Apply(atom, a, b), result);
}

int32_t* ScriptMathObject::GetMemberValue(int32_t* status, const ScriptMemberRef& ref,
                                          ScriptValueStore* store, ScriptValueHandle* result,
                                          int32_t /*wantedType*/) {
  if (ref.subCode != 0 || !IsMathConstant(ref.memberCode)) {
    *status = kScriptCannotGet;
    return status;
  }
  return ResultNumber(status, store, ScriptMathConstant(ref.memberCode), result);
}
