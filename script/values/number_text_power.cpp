// PowerOfTen: 10^n from two tables of nine powers 10^(2^k) and 10^-(2^k),
// multiplied for the set bits of |n|. Not correctly rounded for large |n|;
// the literal reader does not use it.
#include <cmath>

#include "script/values/number_text.h"

namespace {

constexpr double kPositive[9] = {1e1, 1e2, 1e4, 1e8, 1e16, 1e32, 1e64, 1e128, 1e256};
constexpr double kNegative[9] = {1e-1, 1e-2, 1e-4, 1e-8, 1e-16, 1e-32, 1e-64, 1e-128, 1e-256};

}  // namespace

double PowerOfTen(int32_t n) {
  if (n == 0) return 1.0;
  if (n >= 512) return kPositive[8] * kPositive[8];  // infinity
  if (n <= -512) return 0.0;                         // beyond the tables
  const double* table = n < 0 ? kNegative : kPositive;
  uint32_t bits = static_cast<uint32_t>(n < 0 ? -n : n);
  double result = 1.0;
  for (uint32_t k = 0; bits != 0; ++k, bits >>= 1) {
    if ((bits & 1) != 0) result *= table[k];
  }
  return result;
}
