// What the scanner tables share while they are built at compile time: the
// encoding of a state-table entry and a mode's class and state arrays.
// Rows are kClasses + 2 wide: one column per character class, a reserved
// column, and the token a state ends with when no class leads on.
#pragma once

#include <array>
#include <cstdint>

#include "layout/markup/markup_scanner.h"

namespace scannertable {

// Table entries: go to a state, stop, or take a token.
constexpr int8_t Go(int state) { return static_cast<int8_t>(state); }
constexpr int8_t kStop = -1;
constexpr int8_t Take(int token) { return static_cast<int8_t>(-(token + 2)); }
constexpr int8_t kNone = -1;  // no token in the last column

template <int kClasses, int kStates>
struct ModeTables {
  static constexpr int kWidth = kClasses + 2;
  std::array<uint8_t, kScannerClassEntries> classes{};
  std::array<int8_t, kStates * kWidth> states{};

  constexpr void Row(int state, int8_t fallback, int8_t token) {
    for (int c = 0; c < kClasses; ++c) states[state * kWidth + c] = fallback;
    states[state * kWidth + kClasses] = 0;  // reserved column
    states[state * kWidth + kWidth - 1] = token;
  }
  constexpr void Set(int state, int cls, int8_t entry) { states[state * kWidth + cls] = entry; }
};

}  // namespace scannertable
