// BinarySearch against std::lower_bound on sorted data with repeats: found or
// not, and the insertion point when not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "foundation/containers/binary_search.h"

namespace {

int CompareToKey(const void* item, const void* key, void*) {
  int32_t x = *static_cast<const int32_t*>(item), y = *static_cast<const int32_t*>(key);
  return x < y ? -1 : x > y ? 1 : 0;
}

TEST(BinarySearch, AgreesWithLowerBound) {
  const uint32_t seed = 99u;
  std::mt19937 rng(seed);
  for (uint32_t n : {0u, 1u, 2u, 3u, 4u, 7u, 64u, 1000u}) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " n " + std::to_string(n));
    std::vector<int32_t> items(n);
    for (auto& x : items) x = static_cast<int32_t>(rng() % (2 * n + 1)) * 2;  // even, with repeats
    std::sort(items.begin(), items.end());
    for (int32_t key = -3; key <= static_cast<int32_t>(4 * n + 3); ++key) {
      uint32_t index = 12345;
      bool found = BinarySearch(&index, &key, items.data(), n, sizeof(int32_t), CompareToKey, nullptr);
      ASSERT_EQ(found, std::binary_search(items.begin(), items.end(), key)) << "key " << key;
      if (found) {
        ASSERT_LT(index, n);
        ASSERT_EQ(items[index], key);
      } else {
        ASSERT_EQ(index, std::lower_bound(items.begin(), items.end(), key) - items.begin())
            << "key " << key;
      }
    }
  }
}

TEST(BinarySearch, KeyBelowTwoItemsAndAboveAll) {
  const int32_t items[2] = {10, 20};
  uint32_t index = 7;
  int32_t key = 5;
  EXPECT_FALSE(BinarySearch(&index, &key, items, 2, sizeof(int32_t), CompareToKey, nullptr));
  EXPECT_EQ(index, 0u);
  key = 25;
  EXPECT_FALSE(BinarySearch(&index, &key, items, 2, sizeof(int32_t), CompareToKey, nullptr));
  EXPECT_EQ(index, 2u);
}

}  // namespace
