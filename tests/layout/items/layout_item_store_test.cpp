// The layout item store against a plain model: random operations keep the
// per-kind counts equal to the order's entries and the items in sequence,
// and an allocation failure at any step leaves the store as it was.
#include "layout/items/layout_item_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/testing/allocation.h"

namespace {

struct ModelEntry {
  uint32_t kind;
  uint32_t position;  // flag included
  uint32_t tag;       // identifies the record
  bool operator==(const ModelEntry&) const = default;
};
using Model = std::vector<ModelEntry>;

// A link shared by every style run, so that counting mistakes show in its count.
class TestLink : public LinkAction {};

uint32_t TagOf(const LayoutItemStore& store, uint32_t kind, uint32_t index) {
  if (kind < kLayoutFixedKindCount) {
    uint32_t tag;
    std::memcpy(&tag, store.fixed[kind].At(index), sizeof tag);
    return tag;
  }
  if (kind == kTextItem) return static_cast<uint32_t>(store.textItems.At(index)->width);
  if (kind == kStyleRunItem) return store.styleRuns.At(index)->language;
  return static_cast<uint32_t>(store.objects.At(index)->words[0]);
}

// Reads the store back as a model, checking the invariant on the way.
Model Dump(LayoutItemStore& store) {
  Model model;
  uint32_t seen[kLayoutKindCount] = {};
  for (uint32_t i = 0; i < store.Count(); ++i) {
    const LayoutOrderEntry& entry = store.Entry(i);
    EXPECT_LT(entry.kind, kLayoutKindCount);
    if (entry.kind >= kLayoutKindCount) return model;
    uint32_t index = seen[entry.kind]++;
    EXPECT_LT(index, store.KindCount(entry.kind)) << "kind " << entry.kind;
    if (index >= store.KindCount(entry.kind)) return model;
    model.push_back({entry.kind, entry.position, TagOf(store, entry.kind, index)});
  }
  for (uint32_t kind = 0; kind < kLayoutKindCount; ++kind)
    EXPECT_EQ(seen[kind], store.KindCount(kind)) << "per-kind count = order entries, kind " << kind;
  return model;
}

bool Insert(LayoutItemStore& store, const LayoutCursor& at, const ModelEntry& e, TestLink* link, bool append) {
  bool flag = (e.position & kLayoutPositionFlag) != 0;
  uint32_t position = e.position & ~kLayoutPositionFlag;
  if (e.kind < kLayoutFixedKindCount) {
    uint8_t record[124] = {};
    std::memcpy(record, &e.tag, sizeof e.tag);
    return append ? store.AppendItem(e.kind, record, position, flag)
                  : store.InsertItemAt(e.kind, at, record, position, flag);
  }
  if (e.kind == kTextItem) {
    LayoutItem item;
    item.width = static_cast<int32_t>(e.tag);
    static const char16_t kText[] = u"run";
    if (!item.text.FromChars(kText, 3)) return false;
    return append ? store.AppendKind7(item, position, flag) : store.InsertKind7At(at, item, position, flag);
  }
  if (e.kind == kStyleRunItem) {
    TextStyle style;
    style.language = static_cast<uint16_t>(e.tag);
    style.link.Assign(link);
    return append ? store.AppendKind8(style, position, flag) : store.InsertKind8At(at, style, position, flag);
  }
  LayoutObject object;
  object.words[0] = static_cast<int32_t>(e.tag);
  object.flags = 0xFF;
  return append ? store.AppendKind9(object, position, flag) : store.InsertKind9At(at, object, position, flag);
}

// Runs `op` with the n-th allocation failing, n = 1, 2, ... until it
// succeeds; after each failure `check` says whether it rolled back.
long injectedFailures = 0;

template <class Op, class Check>
bool WithEveryFailure(Op op, Check check) {
  for (long n = 1; n < 200; ++n) {
    bool ok;
    {
      devtest::AllocationFailure failure(n);
      ok = op();
    }
    if (ok) return true;
    ++injectedFailures;
    check();
  }
  return op();
}

TEST(LayoutItemStore, RandomOperationsKeepTheInvariantAndRollBackFailures) {
  const unsigned seed = 20261211;
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  auto* link = new TestLink;
  {
    LayoutItemStore store;
    Model model;
    uint32_t nextTag = 1;
    for (int step = 0; step < 600; ++step) {
      SCOPED_TRACE(testing::Message() << "step " << step);
      uint32_t op = random() % 10;
      uint32_t count = static_cast<uint32_t>(model.size());
      if (op <= 3 || count == 0) {  // append or insert
        ModelEntry e{static_cast<uint32_t>(random() % kLayoutKindCount),
                     (nextTag * 10) | ((random() % 4 == 0) ? kLayoutPositionFlag : 0u), nextTag};
        ++nextTag;
        bool append = op <= 1;
        uint32_t at = append ? count : static_cast<uint32_t>(random() % (count + 1));
        ASSERT_TRUE(WithEveryFailure(
            [&] { return Insert(store, LayoutCursor::At(&store, at), e, link, append); },
            [&] { ASSERT_EQ(Dump(store), model); }));
        model.insert(model.begin() + at, e);
        // The cursor still names the new entry.
        LayoutCursor cursor = LayoutCursor::At(&store, at);
        EXPECT_EQ(cursor.KindAt(), e.kind);
      } else if (op <= 5) {
        uint32_t at = static_cast<uint32_t>(random() % count);
        store.EraseAt(LayoutCursor::At(&store, at));
        model.erase(model.begin() + at);
      } else if (op == 6) {
        uint32_t a = static_cast<uint32_t>(random() % (count + 1));
        uint32_t b = a + static_cast<uint32_t>(random() % (count - a + 1));
        store.EraseRange(LayoutCursor::At(&store, a), LayoutCursor::At(&store, b));
        model.erase(model.begin() + a, model.begin() + b);
      } else if (op == 7) {
        uint32_t at = static_cast<uint32_t>(random() % (count + 1));
        LayoutItemStore tail;
        ASSERT_TRUE(WithEveryFailure(
            [&] { return store.Split(&store, &tail, LayoutCursor::At(&store, at)); },
            [&] {
              ASSERT_EQ(Dump(store), model);
              ASSERT_EQ(tail.Count(), 0u);
            }));
        Model tailModel(model.begin() + at, model.end());
        model.resize(at);
        ASSERT_EQ(Dump(tail), tailModel);
        // Half the time carry on with the tail, as the pager does.
        if (random() % 2 == 0) {
          store.MoveFrom(tail);
          model = tailModel;
        }
      } else {
        LayoutItemStore copy;
        ASSERT_TRUE(WithEveryFailure([&] { return copy.CopyFrom(store); }, [&] { copy.Clear(); }));
        ASSERT_EQ(Dump(copy), model);
      }
      ASSERT_EQ(Dump(store), model);
    }
    EXPECT_GT(link->GetReferenceCount(), 0);
  }
  EXPECT_GT(injectedFailures, 100) << "the failures were injected";
  EXPECT_EQ(link->GetReferenceCount(), 1) << "every style run released its link";
  link->Release();
}

class LayoutItemStoreSplit : public testing::Test {
 protected:
  void Fill(uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
      uint32_t mark[2] = {i, 0};
      ASSERT_TRUE(store.AppendItem(kMarkItem, mark, 100 + i, false));
    }
    store.endPosition = 100 + n;
  }
  LayoutItemStore store;
  LayoutItemStore tail;
};

TEST_F(LayoutItemStoreSplit, AtTheFirstEntryEverythingGoesToTheTail) {
  Fill(5);
  ASSERT_TRUE(store.Split(&store, &tail, LayoutCursor::Begin(&store)));
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(tail.Count(), 5u);
  EXPECT_EQ(tail.endPosition, 105u);
  EXPECT_EQ(store.endPosition, 100u) << "the empty head ends where the tail begins";
}

TEST_F(LayoutItemStoreSplit, AtTheEndEverythingStays) {
  Fill(5);
  ASSERT_TRUE(store.Split(&store, &tail, LayoutCursor::End(&store)));
  EXPECT_EQ(store.Count(), 5u);
  EXPECT_EQ(tail.Count(), 0u);
  EXPECT_EQ(store.endPosition, 105u);
}

TEST_F(LayoutItemStoreSplit, InTheMiddleTheHeadEndsAtTheTailsFirstPosition) {
  Fill(40);
  ASSERT_TRUE(store.Split(&store, &tail, LayoutCursor::At(&store, 17)));
  EXPECT_EQ(store.Count(), 17u);
  EXPECT_EQ(tail.Count(), 23u);
  EXPECT_EQ(store.endPosition, 117u);
  EXPECT_EQ(tail.endPosition, 140u);
  uint32_t first = 0;
  ASSERT_TRUE(tail.FirstPosition(&first));
  EXPECT_EQ(first, 117u);
}

TEST_F(LayoutItemStoreSplit, AnEmptyStoreClearsBoth) {
  uint32_t mark[2] = {1, 0};
  ASSERT_TRUE(tail.AppendItem(kMarkItem, mark, 5, false));
  ASSERT_TRUE(store.Split(&store, &tail, LayoutCursor::Begin(&store)));
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(tail.Count(), 0u);
}

TEST(LayoutItemStore, PositionsSkipAndMaskTheFlag) {
  LayoutItemStore store;
  uint32_t mark[2] = {};
  ASSERT_TRUE(store.AppendItem(kMarkItem, mark, 7, true));
  uint32_t first = 0;
  EXPECT_FALSE(store.FirstPosition(&first)) << "all flagged and no end position";
  store.endPosition = 50;
  EXPECT_TRUE(store.FirstPosition(&first));
  EXPECT_EQ(first, 50u);
  EXPECT_EQ(store.PositionAt(LayoutCursor::Begin(&store)), 7u);
  EXPECT_EQ(store.PositionAt(LayoutCursor::End(&store)), 50u);
}

TEST(LayoutItemStore, ErasingARangeOfMarksLeavesTheOtherKinds) {
  LayoutItemStore store;
  uint32_t record[31] = {};
  LayoutItem text;
  ASSERT_TRUE(store.AppendKind7(text, 1, false));
  for (uint32_t i = 0; i < 3; ++i) ASSERT_TRUE(store.AppendItem(kMarkItem, record, 2 + i, false));
  ASSERT_TRUE(store.AppendKind7(text, 5, false));
  store.EraseRange(LayoutCursor::At(&store, 1), LayoutCursor::At(&store, 4));
  EXPECT_EQ(store.Count(), 2u);
  EXPECT_EQ(store.KindCount(kMarkItem), 0u);
  EXPECT_EQ(store.KindCount(kTextItem), 2u);
  EXPECT_EQ(store.SpanWidth(LayoutCursor::Begin(&store), LayoutCursor::End(&store)), 2u);
}

TEST(LayoutCursor, WalksForwardAndBackKeepingEveryKindsIndex) {
  LayoutItemStore store;
  uint32_t record[31] = {};
  LayoutItem text;
  TextStyle style;
  ASSERT_TRUE(store.AppendKind7(text, 1, false));
  ASSERT_TRUE(store.AppendItem(kMarkItem, record, 2, false));
  ASSERT_TRUE(store.AppendKind8(style, 3, false));
  ASSERT_TRUE(store.AppendKind7(text, 4, false));
  LayoutCursor cursor = LayoutCursor::Begin(&store);
  uint32_t steps = 0;
  while (!cursor.AtEnd()) {
    LayoutCursor counted = LayoutCursor::At(&store, cursor.order);
    EXPECT_EQ(std::memcmp(counted.index, cursor.index, sizeof cursor.index), 0);
    cursor.Next();
    ++steps;
  }
  EXPECT_EQ(steps, 4u);
  LayoutCursor end = LayoutCursor::End(&store);
  EXPECT_EQ(std::memcmp(end.index, cursor.index, sizeof cursor.index), 0);
  EXPECT_EQ(cursor.Prev(), kTextItem);
  EXPECT_EQ(cursor.index[kTextItem], 1u);
  EXPECT_EQ(cursor.Prev(), kStyleRunItem);
  EXPECT_EQ(cursor.Prev(), kMarkItem);
  EXPECT_EQ(cursor.Prev(), kTextItem);
  EXPECT_EQ(cursor.Prev(), kLayoutKindCount);
  EXPECT_EQ(cursor.order, 0u);
}

TEST(LayoutItemStore, ObjectsCopyOnlyTheFourUsedFlagBits) {
  LayoutObject a;
  a.flags = 0xFF;
  LayoutObject b;
  b.Assign(a);
  EXPECT_EQ(b.flags, 0x0F);
}

}  // namespace
