// Lifetime anchors and guards: a guard learns that the watched object was
// destroyed during a call, and a destroyed anchor is never written again.
#include <gtest/gtest.h>

#include <memory>

#include "foundation/system/lifetime_guard.h"

namespace {

// An object that a call may destroy, as an element whose handler closes it.
struct Watched {
  LifetimeAnchor anchor;
  int touched = 0;
};

}  // namespace

TEST(LifetimeGuard, ReportsObjectDestroyedDuringCall) {
  auto object = std::make_unique<Watched>();
  LifetimeGuard guard;
  guard.Watch(&object->anchor);
  EXPECT_TRUE(guard.IsWatching());
  object.reset();  // the call destroyed the object
  EXPECT_FALSE(guard.IsWatching());
  EXPECT_EQ(guard.Anchor(), nullptr);
  guard.Release();  // an emptied guard touches nothing
}

TEST(LifetimeGuard, WatchingADeadAnchorLeavesGuardEmpty) {
  Watched object;
  object.anchor.InvalidateGuards();
  EXPECT_TRUE(object.anchor.IsDead());
  LifetimeGuard guard;
  guard.Watch(&object.anchor);
  EXPECT_FALSE(guard.IsWatching());
  EXPECT_EQ(guard.Prev(), nullptr);
  EXPECT_EQ(guard.Next(), nullptr);
  EXPECT_EQ(object.anchor.Head(), nullptr);
}

TEST(LifetimeGuard, NewestGuardIsHeadAndReleasingOlderKeepsNewer) {
  Watched object;
  LifetimeGuard older(&object.anchor);
  LifetimeGuard newer(&object.anchor);
  EXPECT_EQ(object.anchor.Head(), &newer);
  EXPECT_EQ(newer.Next(), &older);
  EXPECT_EQ(older.Prev(), &newer);

  older.Release();
  EXPECT_FALSE(older.IsWatching());
  EXPECT_EQ(object.anchor.Head(), &newer);
  EXPECT_EQ(newer.Next(), nullptr);
  EXPECT_EQ(newer.Prev(), nullptr);
  EXPECT_TRUE(newer.IsWatching());
}

TEST(LifetimeGuard, ReleasingMiddleAndHeadRelinksTheRest) {
  Watched object;
  LifetimeGuard a(&object.anchor);
  LifetimeGuard b(&object.anchor);
  LifetimeGuard c(&object.anchor);  // list: c, b, a
  b.Release();
  EXPECT_EQ(object.anchor.Head(), &c);
  EXPECT_EQ(c.Next(), &a);
  EXPECT_EQ(a.Prev(), &c);
  c.Release();
  EXPECT_EQ(object.anchor.Head(), &a);
  EXPECT_EQ(a.Prev(), nullptr);
  a.Release();
  EXPECT_EQ(object.anchor.Head(), nullptr);
}

TEST(LifetimeGuard, AllGuardsEmptiedWhenObjectDies) {
  auto object = std::make_unique<Watched>();
  LifetimeGuard first(&object->anchor);
  LifetimeGuard second(&object->anchor);
  LifetimeGuard third(&object->anchor);
  object.reset();
  EXPECT_FALSE(first.IsWatching());
  EXPECT_FALSE(second.IsWatching());
  EXPECT_FALSE(third.IsWatching());
  // The guards now go out of scope; under AddressSanitizer any write to the
  // freed anchor would be reported.
}

TEST(LifetimeGuard, WatchMovesGuardBetweenObjectsAndNullWatchesNothing) {
  Watched one;
  Watched two;
  LifetimeGuard guard(&one.anchor);
  guard.Watch(&two.anchor);
  EXPECT_EQ(one.anchor.Head(), nullptr);
  EXPECT_EQ(two.anchor.Head(), &guard);
  EXPECT_EQ(guard.Anchor(), &two.anchor);
  guard.Watch(nullptr);
  EXPECT_EQ(two.anchor.Head(), nullptr);
  EXPECT_FALSE(guard.IsWatching());
}

TEST(LifetimeGuard, GuardLeavingScopeUnlinksItself) {
  Watched object;
  LifetimeGuard outer(&object.anchor);
  {
    LifetimeGuard inner(&object.anchor);
    EXPECT_EQ(object.anchor.Head(), &inner);
  }
  EXPECT_EQ(object.anchor.Head(), &outer);
  EXPECT_EQ(outer.Prev(), nullptr);
}

TEST(LifetimeGuard, EmptiedGuardCanWatchAgain) {
  auto gone = std::make_unique<Watched>();
  Watched alive;
  LifetimeGuard a(&gone->anchor);
  LifetimeGuard b(&gone->anchor);
  gone.reset();
  a.Watch(&alive.anchor);
  EXPECT_TRUE(a.IsWatching());
  EXPECT_EQ(alive.anchor.Head(), &a);
  EXPECT_EQ(a.Next(), nullptr);
  b.Watch(&alive.anchor);
  EXPECT_EQ(alive.anchor.Head(), &b);
  EXPECT_EQ(b.Next(), &a);
}
