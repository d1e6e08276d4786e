// ScriptMathObject: the Math built-in. It answers the functions abs ... random
// and the eight constants E ... SQRT2 by atom (the atom is the member code of
// its references), and the global functions parseInt, parseFloat, isNaN and
// isFinite when a host routes a call of them here (the atom then comes as
// the sub-code of the host's reference). Each interpreter owns one; values
// that name it never delete it.
#pragma once

#include <cstdint>

#include "foundation/random_generator.h"
#include "script/script_object.h"

class ScriptMathObject : public ScriptObject {
 public:
  ScriptMathObject() = default;

  // Atoms 167-184 (functions) and 269-276 (constants) on the object itself:
  // the reference becomes {this, atom, 0}. Anything else status 4.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // Functions take their arguments as numbers and answer a new number
  // (isNaN and isFinite a boolean): one argument, two for max, atan2, min and
  // pow, none for random, one or two for parseInt. Fewer than that or more
  // than two: status 13. A constant or unknown atom: status 9.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // The constants as numbers; status 7 for anything else.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;

  RandomGenerator& Random() { return random_; }

 private:
  RandomGenerator random_;
};

// Math.round: halves go upwards (2.5 gives 3, -2.5 gives -2); a value of
// 2^52 or more, an infinity and NaN are their own rounding.
double ScriptMathRound(double x);
// The constant of atom 269-276, or NaN for another atom.
double ScriptMathConstant(int32_t atom);
