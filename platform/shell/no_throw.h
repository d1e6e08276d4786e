// Exports of the emulated modules are called from the system's code, which
// has no exceptions: NoThrow<function>::Call runs the function and turns an
// exception (a failed allocation in the platform's bookkeeping) into the
// zero answer, which every shell call documents as "not done".
#pragma once

template <auto Function>
struct NoThrow;

template <class Result, class... Args, Result (*Function)(Args...)>
struct NoThrow<Function> {
  static Result Call(Args... args) noexcept {
    try {
      return Function(args...);
    } catch (...) {
      return Result();
    }
  }
};
