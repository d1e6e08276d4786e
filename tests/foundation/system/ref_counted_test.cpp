// Counted references: the count, the last release, and assignment.
#include "foundation/system/ref_counted.h"

#include <gtest/gtest.h>

namespace {

class CountedProbe : public RefCounted {
 public:
  explicit CountedProbe(int* destroyed) : destroyed_(destroyed) {}
  ~CountedProbe() override { ++*destroyed_; }

 private:
  int* destroyed_;
};

TEST(RefCounted, LastReleaseDestroysOnce) {
  int destroyed = 0;
  auto* probe = new CountedProbe(&destroyed);
  EXPECT_EQ(probe->GetReferenceCount(), 1);
  probe->AddRef();
  EXPECT_FALSE(probe->Release());
  EXPECT_EQ(destroyed, 0);
  EXPECT_TRUE(probe->Release());
  EXPECT_EQ(destroyed, 1);
}

TEST(RefPtr, AssigningTheHeldObjectKeepsTheCount) {
  int destroyed = 0;
  auto* probe = new CountedProbe(&destroyed);
  RefPtr<CountedProbe> held;
  held.Adopt(probe);
  held.Assign(probe);
  EXPECT_EQ(probe->GetReferenceCount(), 1);
  RefPtr<CountedProbe> copy(held);
  EXPECT_EQ(probe->GetReferenceCount(), 2);
  copy = held;
  EXPECT_EQ(probe->GetReferenceCount(), 2);
  copy.Clear();
  held.Clear();
  EXPECT_EQ(destroyed, 1);
}

TEST(RefPtr, AssignReleasesTheOldObject) {
  int destroyedA = 0, destroyedB = 0;
  RefPtr<CountedProbe> held;
  held.Adopt(new CountedProbe(&destroyedA));
  RefPtr<CountedProbe> other;
  other.Adopt(new CountedProbe(&destroyedB));
  held = other;
  EXPECT_EQ(destroyedA, 1);
  EXPECT_EQ(held->GetReferenceCount(), 2);
  held = std::move(other);
  EXPECT_FALSE(other);
  EXPECT_EQ(held->GetReferenceCount(), 1);
  CountedProbe* raw = held.Detach();
  EXPECT_FALSE(held);
  EXPECT_TRUE(raw->Release());
  EXPECT_EQ(destroyedB, 1);
}

}  // namespace
