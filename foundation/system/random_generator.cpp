// The xor-rotate generator; see random_generator.h.
#include "foundation/system/random_generator.h"

#include "platform/time/tick_count.h"

namespace {

uint32_t RotateLeft(uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }

}  // namespace

uint32_t RandomMix(uint32_t x) {
  const uint32_t y = x ^ 1u;
  x = y ^ RotateLeft(y, 3);
  x ^= RotateLeft(x, 5);
  return x ^ RotateLeft(x, 7);
}

RandomGenerator::RandomGenerator() : state_(RandomMix(GetTickCount())) {}

uint32_t RandomGenerator::Next() {
  state_ = RandomMix(state_);
  return state_;
}
