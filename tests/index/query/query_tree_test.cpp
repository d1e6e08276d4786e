// Query trees: postfix building with negation pushed to the leaves, the
// walks of each node kind forwards, backwards and by seeking, list nodes
// over sound and broken lists, like, anagram and equal comparisons, the
// restricted operators, key search and random entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "index/query/entry_list.h"
#include "index/tables/index_varint.h"
#include "tests/index/query/query_test_books.h"

using namespace querytest;

namespace {

std::vector<int32_t> Kinds(IndexQueryResult* r) {
  std::vector<int32_t> kinds;
  for (uint32_t i = 0; i < r->NodeCount(); ++i) kinds.push_back(r->NodeAt(i)->kind);
  return kinds;
}

TEST(QueryTree, NegationReachesTheLeaves) {
  QueryBook q = MakeQueryBook({"a", "b"}, false);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  // a and not (b or c): leaf a, leaf b, leaf c, union, not, intersection.
  ASSERT_EQ(r->AddConstantNode(false), 0);
  ASSERT_EQ(r->AddEntryNode(4, false), 0);
  ASSERT_EQ(r->AddRangeNode(reinterpret_cast<const uint8_t*>("c"), 1, false), 0);
  ASSERT_EQ(r->AddOperator(0), 0);
  ASSERT_EQ(r->AddOperator(4), 0);
  ASSERT_EQ(r->AddOperator(1), 0);
  EXPECT_EQ(Kinds(r.Get()), (std::vector<int32_t>{17, 14, 16, 1, 1}));
  EXPECT_EQ(r->SubtreeSize(4), 5u);
  EXPECT_EQ(r->SubtreeSize(3), 3u);
  r->NegateSubtree(0);
  r->NegateSubtree(0);
  EXPECT_EQ(r->NodeAt(0)->kind, 17);
  // A restricted choice counts as no subtree.
  ASSERT_EQ(r->AddOperator(3), 0);
  EXPECT_EQ(r->SubtreeSize(5), 0u);
  EXPECT_TRUE(r->HasRestrictedOperator());
  EXPECT_EQ(r->AddEntryNode(-1, false), 1);  // an unknown field
}

TEST(QueryTree, EmptyTreeAndRestrictedChoice) {
  QueryBook q = MakeQueryBook({"ant", "bee", "cat", "dog"}, false);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  EXPECT_EQ(ForwardLabels(r.Get()), (std::vector<std::string>{"ant", "bee", "cat", "dog"}));
  ASSERT_EQ(r->AddRangeNode(reinterpret_cast<const uint8_t*>("cat"), 3, false), 0);
  ASSERT_EQ(r->AddOperator(3), 0);
  EXPECT_EQ(ForwardLabels(r.Get()).size(), 4u);  // restricted: every entry
  r->SetRestrictedEvaluation(false);
  EXPECT_EQ(ForwardLabels(r.Get()), (std::vector<std::string>{"cat"}));
  // Previous from past the end stays there; from the first entry it is before the start.
  EXPECT_EQ(r->Previous(RecordPosition::Of(-2)).GetOrdinal(), -2);
  EXPECT_EQ(r->Next(RecordPosition::Of(-1)).GetOrdinal(), 2);
  EXPECT_EQ(r->Previous(RecordPosition::Of(2)).GetOrdinal(), -1);
  SharedWideString text;
  r->GetText(RecordPosition::Of(0), &text);
  EXPECT_EQ(indextest::Narrow(text), "cat");  // resolved from entry 0 to the first match
}

// Tables with a list-carrying companion: lists are the tag-37 values of the
// n-gram table, picked by key.
struct ListCase {
  const char* name;
  std::vector<uint8_t> bytes;   // raw list bytes
  std::vector<int32_t> inList;  // what kind 7 answers
};

std::vector<uint8_t> Varints(std::initializer_list<uint32_t> values) {
  std::vector<uint8_t> out;
  for (uint32_t v : values) {
    std::vector<uint8_t> b = testbuild::IndexVarint(v);
    out.insert(out.end(), b.begin(), b.end());
  }
  return out;
}

TEST(QueryTree, SoundListsStopAtTheFirstBrokenValue) {
  const ListCase cases[] = {
      {"ascending", Varints({3, 4, 5, 6, 9}), {3, 4, 5, 6, 9}},
      {"not ascending", Varints({3, 5, 4, 8}), {3, 5}},
      {"repeated", Varints({3, 3, 8}), {3}},
      {"unterminated", [] { auto v = Varints({2, 7}); v.push_back(0x01); return v; }(), {2, 7}},
      {"at or past the count", Varints({1, 10, 11}), {1}},
  };
  for (const ListCase& c : cases) {
    const uint32_t n = SoundListLength(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()), 10);
    std::vector<int32_t> values;
    for (uint32_t at = 0; at < n; at = ListNextOffset(c.bytes.data(), n, at))
      values.push_back(static_cast<int32_t>(ListValueAt(c.bytes.data(), n, at)));
    EXPECT_EQ(values, c.inList) << c.name;
  }
}

// The sound length, its numbers read in line, agrees with reading each
// number through the varint reader, over random lists of numbers one to
// nine bytes long, broken anywhere.
TEST(QueryTree, SoundListLengthAgreesWithReadingNumberByNumber) {
  auto reference = [](const std::vector<uint8_t>& list, uint32_t entryCount) {
    uint32_t at = 0, previous = 0;
    const uint8_t* end = list.data() + list.size();
    while (at < list.size()) {
      uint32_t value = 0;
      const uint32_t used = ReadVarint(list.data() + at, end, &value);
      if (used == 0 || (list[at + used - 1] & 0x80) == 0) break;
      if ((at != 0 && value <= previous) || value >= entryCount) break;
      previous = value;
      at += used;
    }
    return at;
  };
  std::mt19937 random(24);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> list;
    const int numbers = static_cast<int>(random() % 12);
    uint32_t value = 0;
    for (int i = 0; i < numbers; ++i) {
      const uint32_t kind = random() % 20;
      if (kind <= 1) {
        // Now and then a number of five to nine bytes, or one left
        // unterminated, or a step back.
        const uint32_t width = kind == 0 ? 5 + random() % 5 : 1 + random() % 3;
        for (uint32_t b = 0; b < width; ++b) list.push_back(static_cast<uint8_t>(random() % 128));
        if (kind == 0) list.back() |= 0x80;
        continue;
      }
      static const uint32_t kSteps[] = {2, 300, 40000, 5000000};
      value = kind == 2 && value > 0 ? value - 1 : value + 1 + random() % kSteps[random() % 4];
      const std::vector<uint8_t> bytes = testbuild::IndexVarint(value);
      list.insert(list.end(), bytes.begin(), bytes.end());
    }
    for (uint32_t entryCount : {10u, 300u, 70000u, 0xFFFFFFFFu}) {
      const uint32_t got = SoundListLength(list.data(), static_cast<uint32_t>(list.size()), entryCount);
      ASSERT_EQ(got, reference(list, entryCount)) << "round " << round << " count " << entryCount;
    }
  }
}

TEST(QueryTree, RunArithmeticFindsTheEndOfLongRuns) {
  // A long run across the 1-, 2- and 3-byte forms, a gap, then more.
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> values;
  for (uint32_t v = 100; v < 20000; ++v) values.push_back(v);
  values.push_back(20005);
  for (uint32_t v = 20006; v < 20100; ++v) values.push_back(v);
  for (uint32_t v : values) {
    auto b = testbuild::IndexVarint(v);
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  const uint32_t length = static_cast<uint32_t>(bytes.size());
  const uint32_t end = ListRunEndForward(bytes.data(), length, 0);
  EXPECT_EQ(ListValueAt(bytes.data(), length, end), 19999u);
  const uint32_t last = ListPreviousOffset(bytes.data(), length);
  const uint32_t start = ListRunStartBackward(bytes.data(), length, last);
  EXPECT_EQ(ListValueAt(bytes.data(), length, start), 20005u);
  EXPECT_EQ(ListValueAt(bytes.data(), length, ListLowerBound(bytes.data(), length, 20001, 0)), 20005u);
  EXPECT_EQ(EncodedRunLength(120, 130), 8u + 2 * 2);
}

IndexTablePtr TableAt(QueryBook& q, uint32_t record) {
  std::string d = "tableid=" + std::to_string(record);
  return q.book.Table(std::u16string(d.begin(), d.end()));
}

TEST(QueryTree, NotInListSkipsRuns) {
  std::vector<std::string> words;
  for (int i = 0; i < 12; ++i) words.push_back(std::string(1, static_cast<char>('a' + i)) + "x");
  testbuild::IndexRecipe lists;
  testbuild::IndexEntry e;
  e.label = {'l'};
  e.values[37] = {3, 4, 5, 6, 9};
  lists.entries.push_back(e);
  QueryBook q = MakeQueryBook(words, false, 4096, {{testbuild::BuildIndexRecords(lists), -1}});
  IndexTablePtr listTable = TableAt(q, q.book.headerRecords[1]);
  ASSERT_TRUE(listTable);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(r->AddLinkNode(listTable.Get(), {1, 0}, 37, true), 0);
  for (int32_t from = 3; from <= 6; ++from) {
    QueryPosition p;
    r->ResolvePosition(from, &p);
    EXPECT_EQ(p.entryNumber, 7) << from;
    r->StepForward(&p);
    EXPECT_EQ(p.entryNumber, 8);
    r->StepForward(&p);
    EXPECT_EQ(p.entryNumber, 10);
  }
  QueryPosition p;
  EXPECT_EQ(WalkForward(r.Get(), &p), (std::vector<int32_t>{0, 1, 2, 7, 8, 10, 11}));
  EXPECT_EQ(WalkBackward(r.Get(), &p), (std::vector<int32_t>{11, 10, 8, 7, 2, 1, 0}));
  // The in-list twin, and an entry of record -1: an empty list.
  IndexQueryResultPtr in;
  in.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(in->AddLinkNode(listTable.Get(), {1, 0}, 37, false), 0);
  EXPECT_EQ(WalkForward(in.Get()), (std::vector<int32_t>{3, 4, 5, 6, 9}));
  IndexQueryResultPtr none;
  none.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(none->AddLinkNode(nullptr, IndexEntryRef::BeforeStart(), 37, false), 0);
  EXPECT_TRUE(WalkForward(none.Get()).empty());
  none->NegateSubtree(0);
  EXPECT_EQ(WalkForward(none.Get()).size(), 12u);
  // A tag the entry lacks: the builder fails and takes its node out.
  EXPECT_EQ(none->AddLinkNode(listTable.Get(), {1, 0}, 38, false), 1);
  EXPECT_EQ(none->NodeCount(), 1u);
}

TEST(QueryTree, LikeJumpsToThePrefixRangeBothWays) {
  QueryBook q = MakeQueryBook({"bat", "ca", "Cab", "c-ar", "cat", "cot", "dog", "zoo"}, false, 64);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(r->AddComparison(SharedWideString(u"ca%"), 9, false), 0);
  QueryPosition p;
  EXPECT_EQ(Labels(r.Get(), WalkForward(r.Get(), &p)), (std::vector<std::string>{"ca", "Cab", "c-ar", "cat"}));
  EXPECT_EQ(Labels(r.Get(), WalkBackward(r.Get(), &p)), (std::vector<std::string>{"cat", "c-ar", "Cab", "ca"}));
  // Either way only the keys of the prefix's range are read: the range is
  // found once, by the first walk.
  for (bool backward : {false, true}) {
    r->Counters() = QueryWalkCounters();
    QueryPosition w;
    if (backward) {
      r->ResolvePosition(-2, &w);
      EXPECT_EQ(WalkBackward(r.Get(), &w).size(), 4u);
    } else {
      EXPECT_EQ(WalkForward(r.Get(), &w).size(), 4u);
    }
    EXPECT_EQ(r->Counters().patternTests, 4u) << backward;
    EXPECT_EQ(r->Counters().keySearches, 0u) << backward;
  }
  // A prefix after every key: past the end with a few key searches.
  IndexQueryResultPtr late;
  late.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(late->AddComparison(SharedWideString(u"zz%"), 9, false), 0);
  for (int32_t from = 0; from < 8; ++from) {
    late->Counters() = QueryWalkCounters();
    QueryPosition at;
    late->ResolvePosition(from, &at);
    EXPECT_EQ(at.entryNumber, -2);
    EXPECT_LE(late->Counters().keySearches, 3u);
  }
  // Ignorable characters only: the empty pattern matches empty keys only.
  IndexQueryResultPtr empty;
  empty.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(empty->AddComparison(SharedWideString(u"--"), 9, false), 0);
  EXPECT_TRUE(WalkForward(empty.Get()).empty());
  // Wildcards in the middle and a single-character one.
  IndexQueryResultPtr mid;
  mid.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(mid->AddComparison(SharedWideString(u"_o%"), 9, false), 0);
  EXPECT_EQ(ForwardLabels(mid.Get()), (std::vector<std::string>{"cot", "dog", "zoo"}));
}

// The forms of a following table's entries: a list under tag 39 serves as
// one under tag 37 does, and tag 1 (or 2) makes a list preferred however
// long it is.
TEST(QueryTree, NgramListFormsOfTheFollowingTable) {
  std::vector<std::string> words;
  const char* stems[] = {"ab", "ba", "ca", "da", "ea", "fa", "ga", "ha"};
  for (const char* s : stems)
    for (char c = 'a'; c <= 'z'; ++c) words.push_back(std::string(s) + c + "x");
  words.push_back("zzabzz");
  const std::vector<uint8_t> ordt = testbuild::CaseFoldingOrdt();
  // The n-grams "ab" and "a" as the following table holds them.
  std::vector<uint8_t> pair, single;
  for (const auto& g : testbuild::KeyNgrams(ordt, indextest::Bytes("ab")))
    if (g.size() == 2) pair = g;
  for (const auto& g : testbuild::KeyNgrams(ordt, indextest::Bytes("a")))
    if (g.size() == 1) single = g;
  ASSERT_FALSE(pair.empty() || single.empty());
  struct Case {
    const char* name;
    std::vector<std::vector<uint8_t>> secondLists;
    std::vector<std::vector<uint8_t>> preferred;
    bool longList;  // the first list node holds the long list of "a"
  };
  const Case cases[] = {
      {"tag 39 list", {pair}, {}, false},
      {"tag 1 beside tag 37", {}, {single}, true},
      {"tag 2 beside tag 39", {single}, {single}, true},
  };
  for (const Case& c : cases) {
    testbuild::NgramOptions options;
    options.secondLists = c.secondLists;
    options.preferred = c.preferred;
    QueryBook q = MakeQueryBook(words, true, 1024, {}, options);
    IndexQueryResultPtr r;
    r.Adopt(NewResult(q.table.Get()));
    ASSERT_EQ(r->AddComparison(SharedWideString(u"%ab%"), 9, false), 0) << c.name;
    ASSERT_GE(r->NodeCount(), 3u) << c.name;
    EXPECT_EQ(r->NodeAt(1)->kind, kQueryInList) << c.name;
    // "a" stands in 209 keys, "ab" in 34: a list of one-byte values.
    EXPECT_EQ(r->NodeAt(1)->listLength > 100, c.longList) << c.name;
    std::vector<std::string> labels = ForwardLabels(r.Get());
    EXPECT_EQ(labels.size(), 34u) << c.name;
    EXPECT_LE(r->Counters().patternTests, 34u) << c.name;
  }
}

TEST(QueryTree, NgramNarrowingTestsOnlyListedEntries) {
  std::vector<std::string> words;
  const char* stems[] = {"ab", "ba", "ca", "da", "ea", "fa", "ga", "ha"};
  for (const char* s : stems)
    for (char c = 'a'; c <= 'z'; ++c) words.push_back(std::string(s) + c + "x");
  words.push_back("zzabzz");
  QueryBook q = MakeQueryBook(words, true, 1024);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(r->AddComparison(SharedWideString(u"%ab%"), 9, false), 0);
  // The like node, then the rarest lists intersected with it.
  ASSERT_GE(r->NodeCount(), 3u);
  EXPECT_EQ(r->NodeAt(1)->kind, kQueryInList);
  EXPECT_EQ(r->NodeAt(2)->kind, kQueryIntersection);
  std::vector<std::string> labels = ForwardLabels(r.Get());
  EXPECT_EQ(labels.size(), 34u);  // ab?x, ?abx and zzabzz
  EXPECT_EQ(labels.back(), "zzabzz");
  // Only keys holding "ab" (or its rarer n-grams) were matched.
  EXPECT_LE(r->Counters().patternTests, 34u);
  // Under the required flag a lone letter between wildcards is refused (and
  // its like node taken out again); three letters before one are not.
  IndexQueryResultPtr weak;
  weak.Adopt(NewResult(q.table.Get()));
  EXPECT_EQ(weak->AddComparison(SharedWideString(u"%z%"), 9, true), 1);
  EXPECT_EQ(weak->NodeCount(), 0u);
  EXPECT_EQ(weak->AddComparison(SharedWideString(u"gaq%"), 9, true), 0);
  EXPECT_EQ(ForwardLabels(weak.Get()), (std::vector<std::string>{"gaqx"}));
}

TEST(QueryTree, AnagramCases) {
  QueryBook q = MakeQueryBook({"act", "art", "cart", "cat", "rat", "tact", "tar", "trace"}, false);
  struct Case {
    const char16_t* text;
    std::vector<std::string> labels;
  };
  const Case cases[] = {
      {u"tac%0", {"act", "cat"}},
      {u"tac", {"act", "cat"}},
      {u"tac?%0", {"cart", "tact"}},
      {u"tarc%1", {"act", "art", "cart", "cat", "rat", "tar"}},
      {u"TAC", {"act", "cat"}},
  };
  for (const Case& c : cases) {
    IndexQueryResultPtr r;
    r.Adopt(NewResult(q.table.Get()));
    ASSERT_EQ(r->AddComparison(SharedWideString(c.text), 11, false), 0);
    QueryPosition p;
    std::vector<int32_t> forward = WalkForward(r.Get(), &p);
    EXPECT_EQ(Labels(r.Get(), forward), c.labels);
    std::vector<int32_t> backward = WalkBackward(r.Get(), &p);
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);
  }
  IndexQueryResultPtr bad;
  bad.Adopt(NewResult(q.table.Get()));
  EXPECT_EQ(bad->AddComparison(SharedWideString(u"tac%x"), 11, false), 1);
  // A letter given 256 times cannot be counted in a byte.
  EXPECT_EQ(bad->AddComparison(SharedWideString(std::u16string(256, u'a').c_str()), 11, false), 1);
}

TEST(QueryTree, EqualUnderTheCollationAndFindKey) {
  QueryBook q = MakeQueryBook({"apple", "Bar", "bar", "b-ar", "baz", "cat"}, false);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(r->AddComparison(SharedWideString(u"bar"), 15, false), 0);
  QueryPosition p;
  std::vector<int32_t> equal = WalkForward(r.Get(), &p);
  EXPECT_EQ(equal.size(), 3u);
  std::vector<int32_t> back = WalkBackward(r.Get(), &p);
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, equal);
  // FindKey from a key that folds equal but is raw-greater steps on.
  IndexQueryResultPtr all;
  all.Adopt(NewResult(q.table.Get()));
  QueryPosition at;
  all->ResolvePosition(equal[0], &at);
  const std::string first = Labels(all.Get(), {equal[0]})[0];
  EXPECT_TRUE(all->FindKey(SharedWideString(u"bar"), false, &at) || first != "bar");
  EXPECT_FALSE(all->FindKey(SharedWideString(u"nothing"), true, &at));
  EXPECT_EQ(at.entryNumber, -2);
}

TEST(QueryTree, RandomEntryKeepsItsState) {
  QueryBook q = MakeQueryBook({"a", "b", "c"}, false);
  IndexQueryResultPtr r;
  r.Adopt(NewResult(q.table.Get()));
  r->SetRandomState(0);
  std::vector<int32_t> seen(3, 0);
  for (int i = 0; i < 60; ++i) {
    QueryPosition p;
    r->GetRandomEntry(&p);
    ASSERT_GE(p.entryNumber, 0);
    ++seen[p.entryNumber];
  }
  for (int32_t count : seen) EXPECT_GT(count, 0);
  // Qualifying entries before the drawn one only: wraps to the first.
  IndexQueryResultPtr only;
  only.Adopt(NewResult(q.table.Get()));
  ASSERT_EQ(only->AddRangeNode(reinterpret_cast<const uint8_t*>("a"), 1, false), 0);
  for (int i = 0; i < 10; ++i) {
    QueryPosition p;
    only->GetRandomEntry(&p);
    EXPECT_EQ(p.entryNumber, 0);
  }
}

}  // namespace
