// ScriptInstructionBudget: how many more instructions a run may execute.
//
// A book's script is untrusted: `while (true) {}` would otherwise hold the
// application's one thread for ever. Every run gets a budget of executed
// instructions from its interpreter (set by the host); a run that has used
// it up and has not ended is stopped with status kScriptStopped, like any
// other failure, so its frame is finished and destroyed as usual and the
// next run on the same interpreter starts with a full budget.
//
// The budget belongs to the run, not to one call of the run loop: a run
// that pauses and resumes is stopped after the same instruction as one that
// does not, and the instructions of called functions and of eval texts,
// which run in the same frame, count against it too.
//
// The budget is exact: a run that needs n instructions ends well with a
// budget of n (when its last instruction leaves only the ends of functions
// to do, those are done) and is stopped with n - 1.
//
// Counting stays out of the per-instruction path: the run loop takes a
// grant (every instruction that is left, or one when it must ask a pause
// callback after each instruction), counts it down in a local counter where
// it would otherwise test for the callback, and settles the grant with
// Spend when the counter runs out. A run that ends or fails before that
// leaves its grant unsettled: it will execute nothing more.
#pragma once

#include <cstdint>

// Instructions a run may execute unless the host sets another budget. An
// optimised build on a desktop machine runs 100 million of them in one
// second (an empty loop) to six (calls, member access, text), a few
// seconds of work; a handheld is slower, and its host may set less.
inline constexpr uint32_t kScriptDefaultInstructionBudget = 100000000;

class ScriptInstructionBudget {
 public:
  // A budget of n instructions; 0 is no limit.
  void Start(uint32_t n) {
    limited_ = n != 0;
    left_ = n;
  }

  // True when nothing is left of a limited budget.
  bool Exhausted() const { return limited_ && left_ == 0; }

  // How many instructions the loop may run before it must call Spend: one
  // when it asks a pause callback after every instruction, otherwise all
  // that is left (a whole span of the counter without a limit). Nothing
  // runs on the grant of an exhausted budget: its run is stopped.
  uint32_t Grant(bool pausing) const {
    if (pausing) return 1;
    return limited_ ? left_ : UINT32_MAX;
  }

  // Counts n executed instructions (n never exceeds the last grant).
  // Answers false when that used up a limited budget.
  bool Spend(uint32_t n) {
    if (!limited_) return true;
    left_ -= n;
    return left_ != 0;
  }

 private:
  bool limited_ = false;
  uint32_t left_ = 0;
};
