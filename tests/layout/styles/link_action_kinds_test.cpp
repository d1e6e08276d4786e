// The link kinds that other parts of the system make: number pairs with a
// reference or a text, lists of text ranges (marked or not), and targets
// qualified by a grave accent, with their copies.
#include <gtest/gtest.h>

#include <string>

#include "layout/styles/link_action.h"
#include "platform/testing/allocation.h"

namespace {

SharedWideString Text(const std::u16string& text) {
  SharedWideString out;
  out.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  return out;
}

std::u16string U16(const SharedWideString& text) {
  return text.length == 0 ? std::u16string() : std::u16string(text.Chars(), text.length);
}

TEST(LinkActionKinds, NumberPairs) {
  LinkAction* link = new LinkAction;
  int anchor = 0;
  link->SetNumberPair(3, 4);
  EXPECT_EQ(link->kind, LinkAction::kNumberPair);
  link->SetNumberPairReference(5, 6, &anchor);
  EXPECT_EQ(link->kind, LinkAction::kNumberPairReference);
  EXPECT_EQ(link->reference, &anchor);
  link->SetNumberPairText(7, 8, Text(u"word"));
  EXPECT_EQ(link->kind, LinkAction::kNumberPairText);
  EXPECT_EQ(link->first, 7);
  EXPECT_EQ(link->second, 8);
  EXPECT_EQ(U16(link->target), u"word");
  link->Release();
}

TEST(LinkActionKinds, RangeListsAreCopiedAndSurviveTheCopy) {
  TextRangeRef ranges[4];
  for (int i = 0; i < 4; ++i) ranges[i].start = 100 * i;
  LinkAction* link = new LinkAction;
  ASSERT_TRUE(link->SetRangeList(ranges, 1, 2, Text(u"t"), Text(u"title"), false));
  EXPECT_EQ(link->kind, LinkAction::kRangeList);
  EXPECT_EQ(link->number, 2);
  ranges[1].start = -5;  // the link holds its own copy
  EXPECT_EQ(link->Ranges()[0].start, 100);
  EXPECT_EQ(link->Ranges()[1].start, 200);
  EXPECT_EQ(link->Ranges()[1].count, 1);
  ASSERT_TRUE(link->SetRangeList(ranges, 0, 1, Text(u"t"), Text(u"title"), true));
  EXPECT_EQ(link->kind, LinkAction::kMarkedRangeList);
  LinkAction* copy = link->Copy();
  ASSERT_NE(copy, nullptr);
  link->Release();
  EXPECT_EQ(copy->number, 1);
  EXPECT_EQ(copy->Ranges()[0].start, 0);
  copy->Release();
  // Lack of memory changes nothing.
  LinkAction* kept = new LinkAction;
  ASSERT_TRUE(kept->SetRangeList(ranges, 2, 2, Text(u"a"), Text(u"b"), false));
  const SharedWideString c = Text(u"c"), d = Text(u"d");
  {
    devtest::AllocationFailure failure(1);
    EXPECT_FALSE(kept->SetRangeList(ranges, 0, 3, c, d, true));
  }
  EXPECT_EQ(kept->kind, LinkAction::kRangeList);
  EXPECT_EQ(kept->number, 2);
  EXPECT_EQ(kept->Ranges()[0].start, 200);
  kept->Release();
}

TEST(LinkActionKinds, QualifiedTargetsSplitAtTheFirstGraveAccent) {
  LinkAction* link = new LinkAction;
  ASSERT_TRUE(link->SetQualifiedTarget(Text(u"dict"), Text(u"key`more"), 9, Text(u"t"), Text(u"n"), 1));
  EXPECT_EQ(link->kind, LinkAction::kQualifiedTarget);
  EXPECT_EQ(U16(link->target), u"dict`key`more");
  SharedWideString before, after;
  link->SplitTarget(&before, &after);
  EXPECT_EQ(U16(before), u"dict");
  EXPECT_EQ(U16(after), u"key`more");
  link->target = Text(u"plain");
  link->SplitTarget(&before, &after);
  EXPECT_EQ(U16(before), u"plain");
  EXPECT_EQ(U16(after), u"");
  link->Release();
}

}  // namespace
