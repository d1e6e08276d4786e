// InsertionSort and QuickSort against the standard library on random and
// degenerate data, with an item size that is not a power of two.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "foundation/containers/sorting.h"
#include "platform/testing/allocation.h"

namespace {

// An odd-sized item: a key and the position it started at.
struct Record {
  int32_t key;
  uint32_t origin;
  uint8_t filler[5];
};

int CompareRecords(const void* a, const void* b, void* user) {
  ++*static_cast<long*>(user);
  int32_t x = static_cast<const Record*>(a)->key, y = static_cast<const Record*>(b)->key;
  return x < y ? -1 : x > y ? 1 : 0;
}

enum class Shape { kRandom, kFewKeys, kSorted, kReversed, kEqual };

std::vector<Record> Make(Shape shape, uint32_t n, std::mt19937& rng) {
  std::vector<Record> v(n);
  for (uint32_t i = 0; i < n; ++i) {
    int32_t key = 0;
    switch (shape) {
      case Shape::kRandom: key = static_cast<int32_t>(rng()); break;
      case Shape::kFewKeys: key = static_cast<int32_t>(rng() % 5); break;
      case Shape::kSorted: key = static_cast<int32_t>(i); break;
      case Shape::kReversed: key = static_cast<int32_t>(n - i); break;
      case Shape::kEqual: key = 42; break;
    }
    v[i] = Record{key, i, {}};
  }
  return v;
}

bool SameOrder(const std::vector<Record>& a, const std::vector<Record>& b) {
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].key != b[i].key || a[i].origin != b[i].origin) return false;
  return true;
}

TEST(Sorting, AgreeWithStandardLibrary) {
  const uint32_t seed = 7031u;
  std::mt19937 rng(seed);
  for (Shape shape : {Shape::kRandom, Shape::kFewKeys, Shape::kSorted, Shape::kReversed, Shape::kEqual}) {
    for (uint32_t n : {0u, 1u, 2u, 3u, 17u, 300u, 2000u}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " shape " + std::to_string(static_cast<int>(shape)) +
                   " n " + std::to_string(n));
      std::vector<Record> data = Make(shape, n, rng);
      auto byKey = [](const Record& a, const Record& b) { return a.key < b.key; };
      std::vector<Record> stable = data;
      std::stable_sort(stable.begin(), stable.end(), byKey);

      std::vector<Record> insertion = data;
      long calls = 0;
      ASSERT_TRUE(InsertionSort(insertion.data(), n, sizeof(Record), CompareRecords, &calls));
      EXPECT_TRUE(SameOrder(insertion, stable)) << "insertion sort is stable";

      std::vector<Record> quick = data;
      ASSERT_TRUE(QuickSort(quick.data(), n, sizeof(Record), CompareRecords, &calls));
      EXPECT_TRUE(std::is_sorted(quick.begin(), quick.end(), byKey));
      std::vector<uint32_t> origins;
      for (const auto& r : quick) origins.push_back(r.origin);
      std::sort(origins.begin(), origins.end());
      for (uint32_t i = 0; i < n; ++i) ASSERT_EQ(origins[i], i) << "a permutation of the input";
    }
  }
}

TEST(Sorting, QuickSortStaysShallowOnSortedAndEqualInput) {
  // The stack of 32 pending ranges is checked by an assertion inside; the
  // comparison count shows neither input degrades to quadratic work.
  std::mt19937 rng(1);
  for (Shape shape : {Shape::kSorted, Shape::kEqual, Shape::kReversed}) {
    std::vector<Record> data = Make(shape, 100000, rng);
    long calls = 0;
    ASSERT_TRUE(QuickSort(data.data(), 100000, sizeof(Record), CompareRecords, &calls));
    EXPECT_LT(calls, 100000L * 40);
    EXPECT_TRUE(std::is_sorted(data.begin(), data.end(),
                               [](const Record& a, const Record& b) { return a.key < b.key; }));
  }
}

TEST(Sorting, ScratchFailureLeavesItemsAlone) {
  std::mt19937 rng(2);
  std::vector<Record> data = Make(Shape::kReversed, 10, rng);
  std::vector<Record> before = data;
  long calls = 0;
  devtest::AllocationFailure fail(1, true);
  EXPECT_FALSE(QuickSort(data.data(), 10, sizeof(Record), CompareRecords, &calls));
  EXPECT_FALSE(InsertionSort(data.data(), 10, sizeof(Record), CompareRecords, &calls));
  EXPECT_TRUE(SameOrder(data, before));
}

}  // namespace
