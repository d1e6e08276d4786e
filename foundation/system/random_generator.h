// A tiny xor-rotate pseudo-random generator: one 32-bit state, mixed on every
// draw. The script engine's Math.random, the document loader, generated
// pages' identifiers and the index code's random entries draw from it. Each
// owner keeps its own generator; nothing is shared.
#pragma once

#include <cstdint>

// One mixing step: y = x ^ 1; x = y ^ rotl(y, 3); x ^= rotl(x, 5);
// answer x ^ rotl(x, 7). Maps 1 to 0 and 0 to 0x95A9.
uint32_t RandomMix(uint32_t x);

class RandomGenerator {
 public:
  // Seeds from the device's millisecond tick count, mixed once.
  RandomGenerator();
  RandomGenerator(const RandomGenerator&) = default;
  RandomGenerator& operator=(const RandomGenerator&) = default;

  // Sets the state as given, not mixed.
  void SetState(uint32_t value) { state_ = value; }
  uint32_t State() const { return state_; }
  // Mixes the state and answers the new state.
  uint32_t Next();

 private:
  uint32_t state_ = 0;
};
