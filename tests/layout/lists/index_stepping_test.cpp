// The three ways a list's current index steps, over the entries at the
// ends, no current entry (-1) and empty lists.
#include "layout/lists/index_stepping.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
  bool forward;
  int32_t current;
  int32_t count;
  int32_t next;
  bool changed;
  bool hadCurrent;
  bool answer;
};

TEST(IndexStepping, WrappedStepping) {
  const StepCase cases[] = {
      {true, 4, 5, 0, true, true, true},     // last wraps to the first
      {false, 0, 5, 4, true, true, true},    // first wraps to the last
      {false, -1, 5, 4, true, false, true},  // none: to the last
      {true, -1, 5, 0, true, false, true},
      {true, 1, 5, 2, true, true, true},
      {true, 0, 1, 0, false, false, false},  // a single entry stays
      {true, 0, 0, 0, false, false, false},  // empty list
      {true, 7, 5, 0, true, true, true},     // beyond the list: back to the first
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.forward ? "forward from " : "backward from ") << c.current << " of "
                                    << c.count);
    int32_t next = -99;
    bool changed = false, hadCurrent = false;
    EXPECT_EQ(StepListIndexWrapped(c.forward, c.current, c.count, &next, &changed, &hadCurrent), c.answer);
    if (c.count == 0) continue;
    EXPECT_EQ(next, c.next);
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(hadCurrent, c.hadCurrent);
  }
}

TEST(IndexStepping, ClampedStepping) {
  const StepCase cases[] = {
      {true, 4, 5, 4, false, false, false},  // last: stays, answers false
      {false, 0, 5, 0, false, false, false},
      {true, -1, 5, 0, true, false, true},
      {false, -1, 5, 4, true, false, true},  // none: the last, never -2
      {false, 3, 5, 2, true, true, true},
      {true, 0, 0, 0, false, false, false},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.forward ? "forward from " : "backward from ") << c.current << " of "
                                    << c.count);
    int32_t next = -99;
    bool changed = false, hadCurrent = false;
    EXPECT_EQ(StepListIndexClamped(c.forward, c.current, c.count, &next, &hadCurrent, &changed), c.answer);
    if (c.count == 0) continue;
    EXPECT_EQ(next, c.next);
    EXPECT_EQ(changed, c.changed);
    EXPECT_EQ(hadCurrent, c.hadCurrent);
  }
}

TEST(IndexStepping, FreeSteppingReportsLeavingTheList) {
  struct Case {
    bool forward;
    int32_t current, count, next;
    bool hadCurrent, pastEnd;
  };
  const Case cases[] = {
      {false, 0, 5, -1, true, true},  // before the first is past the end too
      {true, 4, 5, 5, true, true},
      {true, -1, 5, 0, false, false},
      {false, -1, 5, 4, false, false},
      {false, -1, 0, -2, false, true},
      {true, 2, 5, 3, true, false},
  };
  for (const Case& c : cases) {
    int32_t next = 0;
    bool hadCurrent = false, moved = false, pastEnd = false;
    EXPECT_TRUE(StepListIndex(c.forward, c.current, c.count, &next, &hadCurrent, &moved, &pastEnd));
    EXPECT_EQ(next, c.next);
    EXPECT_EQ(hadCurrent, c.hadCurrent);
    EXPECT_TRUE(moved);
    EXPECT_EQ(pastEnd, c.pastEnd);
  }
}

}  // namespace
