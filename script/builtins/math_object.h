// ScriptMathObject: the Math built-in. It answers the functions abs ... random
// and the eight constants E ... SQRT2 by atom (the atom is the member code of
// its references), and the global functions parseInt, parseFloat, isNaN and
// isFinite when a host routes a call of them here (the atom then comes as
// the sub-code of the host's reference). Each interpreter owns one and
// deletes it; values that name it never do, and it detaches itself from the
// store that holds it when it is destroyed.
#pragma once

#include <cstdint>

#include "foundation/system/random_generator.h"
#include "script/objects/script_object.h"

class ScriptErrorReporter;

class ScriptMathObject : public ScriptObject {
 public:
  ScriptMathObject() = default;
  ~ScriptMathObject() override;

  // kAtom_abs to kAtom_random (functions) and kAtom_E to kAtom_SQRT2
  // (constants) on the object itself:
  // the reference becomes {this, atom, 0}. Anything else kScriptMemberUnknown.
  int32_t* ResolveMember(int32_t* status, const ScriptNameToken& name, ScriptMemberRef* ref,
                         uint8_t create) override;
  // Functions take their arguments as numbers and answer a new number
  // (isNaN and isFinite a boolean): one argument, two for max, atan2, min and
  // pow, none for random, one or two for parseInt. Fewer than that or more
  // than two: kScriptBadParameterCount. A constant or unknown atom: kScriptInvalidType.
  int32_t* Invoke(int32_t* status, const ScriptMemberRef& ref, uint32_t argumentCount,
                  ScriptOperandStack* stack, ScriptValueHandle* result) override;
  // The constants as numbers; kScriptCannotGet for anything else.
  int32_t* GetMemberValue(int32_t* status, const ScriptMemberRef& ref, ScriptValueStore* store,
                          ScriptValueHandle* result, int32_t wantedType) override;

  // Remembers the store that holds it (kScriptStoreAttached) until the
  // store lets it go (kScriptStoreReleased); never deletes itself.
  void NotifyStore(int32_t event, ScriptValueStore* store) override;

  RandomGenerator& Random() { return random_; }
  // The interpreter's error sink, kept for the application's messages.
  void SetErrorSink(ScriptErrorReporter* sink) { errorSink_ = sink; }
  ScriptErrorReporter* GetErrorSink() const { return errorSink_; }

 private:
  RandomGenerator random_;
  ScriptValueStore* store_ = nullptr;
  ScriptErrorReporter* errorSink_ = nullptr;
};

// Math.round: halves go upwards (2.5 gives 3, -2.5 gives -2); a value of
// 2^52 or more, an infinity and NaN are their own rounding.
double ScriptMathRound(double x);
// The constant of an atom from kAtom_E to kAtom_SQRT2, or NaN for another atom.
double ScriptMathConstant(int32_t atom);
