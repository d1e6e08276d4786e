// Random query trees of every node kind over dictionaries with equal keys
// across records, folded case and ignorable characters: the forward walk
// equals a plain filter of the table, the backward walk from past the end
// equals it reversed, and a seek from every entry answers the first
// qualifying entry at or after it, from where one step back and one forward
// turn round on the nodes' states the seek left. A failing seed is printed; failing
// seeds found so far are kept in kKeptSeeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "index/query/entry_list.h"
#include "index/query/query_anagram.h"
#include "index/search/key_collation.h"
#include "index/search/key_pattern.h"
#include "index/tables/index_entry_reader.h"
#include "tests/index/query/query_test_books.h"

using namespace querytest;

namespace {

// Seeds that once failed (backward anagram jumps that skipped a key equal
// to the kept start), kept as cases.
const uint32_t kKeptSeeds[] = {102u, 103u, 105u, 113u, 122u, 126u, 129u};

std::string RandomWord(std::mt19937& rng) {
  static const char kLetters[] = "abcABC-";
  std::uniform_int_distribution<int> length(0, 5);
  std::uniform_int_distribution<int> letter(0, 6);
  std::string w;
  for (int n = length(rng), i = 0; i < n; ++i) w.push_back(kLetters[letter(rng)]);
  return w;
}

std::u16string RandomPattern(std::mt19937& rng, const char* alphabet, int alphabetSize, int maxLength) {
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<int> pick(0, alphabetSize - 1);
  std::u16string p;
  for (int n = length(rng), i = 0; i < n; ++i) p.push_back(static_cast<char16_t>(alphabet[pick(rng)]));
  return p;
}

// The plain definition of each node kind, over the stored tree.
class Reference {
 public:
  Reference(IndexQueryResult* r, IndexTable* table, IndexTable* other) : r_(r), table_(table), other_(other) {}

  bool Qualifies(int32_t node, int32_t n) {
    const QueryNode* q = r_->NodeAt(static_cast<uint32_t>(node));
    switch (q->kind) {
      case kQueryUnion:
      case kQueryIntersection: {
        const int32_t right = node - 1;
        const int32_t left = right - static_cast<int32_t>(r_->SubtreeSize(right));
        const bool a = Qualifies(left, n);
        const bool b = Qualifies(right, n);
        return q->kind == kQueryUnion ? (a || b) : (a && b);
      }
      case kQueryKeyInTable:
      case kQueryKeyNotInTable:
        return KeyInOther(n) == (q->kind == kQueryKeyInTable);
      case kQueryInList:
      case kQueryNotInList:
        return InList(q, n) == (q->kind == kQueryInList);
      case kQueryLike:
      case kQueryNotLike:
        return (MatchPattern(table_, table_->MakeEntryRef(n), q->pattern.pattern) == 0) == (q->kind == kQueryLike);
      case kQueryAnagram:
      case kQueryNotAnagram: {
        const IndexCollation& c = table_->Header().collation;
        std::vector<uint8_t> label = Label(table_, n);
        uint32_t passed = 0;
        const bool pass = AnagramTest(c, q->letters, label.data(), static_cast<uint32_t>(label.size()), &passed);
        return pass == (q->kind == kQueryAnagram);
      }
      case kQueryNull:
      case kQueryNotNull: {
        IndexEntryReader reader;
        reader.Init(table_);
        IndexEntryRef ref = table_->MakeEntryRef(n);
        if (reader.Attach(ref) != 0) return false;
        reader.FollowEntryLink(&ref);
        uint32_t span = 0;
        uint32_t perItem = 0;
        const bool present = reader.SeekTag(static_cast<uint32_t>(q->tag), &span, &perItem) == 0 && reader.CountItems() > 0;
        return present == (q->kind == kQueryNotNull);
      }
      case kQueryEqual:
      case kQueryNotEqual: {
        std::vector<uint8_t> label = Label(table_, n);
        const KeyPattern& p = q->pattern.pattern;
        const bool equal =
            table_->CompareKeys(label.data(), static_cast<uint32_t>(label.size()), p.bytes, p.length, 0) == 0;
        return equal == (q->kind == kQueryEqual);
      }
      case kQueryAll:
        return true;
      default:
        return false;
    }
  }

 private:
  static std::vector<uint8_t> Label(IndexTable* t, int32_t n) {
    IndexEntryRef ref = t->MakeEntryRef(n);
    const uint8_t* label = nullptr;
    uint32_t length = 0;
    if (!t->GetLabelData(ref.record, ref.entry, &label, &length)) return {};
    return {label, label + length};
  }
  bool KeyInOther(int32_t n) {
    std::vector<uint8_t> key = Label(table_, n);
    for (uint32_t i = 0; i < other_->GetTotalEntries(); ++i) {
      std::vector<uint8_t> o = Label(other_, static_cast<int32_t>(i));
      if (table_->CompareKeys(key.data(), static_cast<uint32_t>(key.size()), o.data(), static_cast<uint32_t>(o.size()),
                              0) == 0)
        return true;
    }
    return false;
  }
  static bool InList(const QueryNode* q, int32_t n) {
    for (uint32_t at = 0; at < q->listLength; at = ListNextOffset(q->list, q->listLength, at))
      if (ListValueAt(q->list, q->listLength, at) == static_cast<uint32_t>(n)) return true;
    return false;
  }

  IndexQueryResult* r_;
  IndexTable* table_;
  IndexTable* other_;
};

// One leaf of a random kind; false when the builder refused it.
bool AddRandomLeaf(std::mt19937& rng, IndexQueryResult* r, IndexTable* other, IndexTable* lists,
                   const std::vector<std::string>& words) {
  std::uniform_int_distribution<int> kind(0, 7);
  std::bernoulli_distribution negate(0.3);
  static const char kPatternLetters[] = "abcAB_%-";
  switch (kind(rng)) {
    case 0:
      return r->AddComparison(SharedWideString(RandomPattern(rng, kPatternLetters, 8, 4).c_str()),
                              negate(rng) ? 10 : 9, false) == 0;
    case 1: {
      static const char kLetters[] = "abcaB?";
      std::u16string text = RandomPattern(rng, kLetters, 6, 4);
      std::uniform_int_distribution<int> leftover(0, 3);
      if (std::bernoulli_distribution(0.5)(rng)) text += u"%" + std::u16string(1, static_cast<char16_t>(u'0' + leftover(rng)));
      return r->AddComparison(SharedWideString(text.c_str()), negate(rng) ? 12 : 11, false) == 0;
    }
    case 2: {
      std::uniform_int_distribution<size_t> pick(0, words.size() - 1);
      std::string w = std::bernoulli_distribution(0.7)(rng) ? words[pick(rng)] : RandomWord(rng);
      return r->AddComparison(SharedWideString(std::u16string(w.begin(), w.end()).c_str()), negate(rng) ? 16 : 15,
                              false) == 0;
    }
    case 3:
      return r->AddEntryNode(4, negate(rng)) == 0;  // homograph numbers
    case 4:
      return r->AddAllNode(other, negate(rng)) == 0;
    case 5: {
      std::uniform_int_distribution<int32_t> entry(0, static_cast<int32_t>(lists->GetTotalEntries()) - 1);
      return r->AddLinkNode(lists, lists->MakeEntryRef(entry(rng)), 37, negate(rng)) == 0;
    }
    case 6:
      return r->AddConstantNode(negate(rng)) == 0;
    default:
      return r->AddComparison(SharedWideString(RandomPattern(rng, kPatternLetters, 6, 3).c_str()), 9, false) == 0;
  }
}

bool AddRandomTree(std::mt19937& rng, IndexQueryResult* r, int depth, IndexTable* other, IndexTable* lists,
                   const std::vector<std::string>& words) {
  if (depth == 0 || std::bernoulli_distribution(0.35)(rng)) return AddRandomLeaf(rng, r, other, lists, words);
  if (!AddRandomTree(rng, r, depth - 1, other, lists, words)) return false;
  if (!AddRandomTree(rng, r, depth - 1, other, lists, words)) return false;
  if (r->AddOperator(std::bernoulli_distribution(0.5)(rng) ? 0 : 1) != 0) return false;
  if (std::bernoulli_distribution(0.2)(rng)) r->AddOperator(4);
  return true;
}

void CheckSeed(uint32_t seed) {
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> size(1, 500);
  std::vector<std::string> words;
  for (int n = size(rng), i = 0; i < n; ++i) words.push_back(RandomWord(rng));
  std::vector<std::string> others;
  for (int i = 0; i < 40; ++i) others.push_back(RandomWord(rng));
  std::vector<testbuild::DictionaryWord> otherList;
  for (const std::string& w : others) otherList.push_back({w, "o"});
  testbuild::IndexRecipe otherRecipe = testbuild::DictionaryIndex(otherList);
  QueryBook q = MakeQueryBook(words, true, 256, {{testbuild::BuildIndexRecords(otherRecipe), 5}});
  ASSERT_TRUE(q.table);
  IndexTablePtr other = q.book.Table(u"tableid=" + [&] {
    std::string s = std::to_string(q.book.headerRecords[2]);
    return std::u16string(s.begin(), s.end());
  }());
  IndexTablePtr lists = q.book.Table(u"tableid=" + [&] {
    std::string s = std::to_string(q.book.headerRecords[1]);
    return std::u16string(s.begin(), s.end());
  }());
  ASSERT_TRUE(other && lists);
  const int32_t count = static_cast<int32_t>(q.table->GetTotalEntries());
  for (int tree = 0; tree < 6; ++tree) {
    IndexQueryResultPtr r;
    r.Adopt(NewResult(q.table.Get()));
    std::uniform_int_distribution<int> depth(0, 4);
    if (!AddRandomTree(rng, r.Get(), depth(rng), other.Get(), lists.Get(), words)) continue;
    Reference reference(r.Get(), q.table.Get(), other.Get());
    const int32_t root = static_cast<int32_t>(r->NodeCount()) - 1;
    std::vector<int32_t> expected;
    for (int32_t n = 0; n < count; ++n)
      if (reference.Qualifies(root, n)) expected.push_back(n);
    QueryPosition p;
    std::vector<int32_t> forward = WalkForward(r.Get(), &p);
    ASSERT_EQ(forward, expected) << "tree " << tree << " of " << r->NodeCount() << " nodes";
    std::vector<int32_t> backward = WalkBackward(r.Get(), &p);
    std::reverse(backward.begin(), backward.end());
    std::string kinds;
    for (uint32_t i = 0; i < r->NodeCount(); ++i) kinds += std::to_string(r->NodeAt(i)->kind) + " ";
    ASSERT_EQ(backward, expected) << "tree " << tree << " kinds " << kinds;
    QueryPosition end;
    r->ResolvePosition(-2, &end);
    std::vector<int32_t> fromEnd = WalkBackward(r.Get(), &end);
    std::reverse(fromEnd.begin(), fromEnd.end());
    ASSERT_EQ(fromEnd, expected) << "tree " << tree << " from a fresh past-the-end position";
    for (int32_t from = 0; from < count; ++from) {
      QueryPosition at;
      r->ResolvePosition(from, &at);
      auto first = std::lower_bound(expected.begin(), expected.end(), from);
      ASSERT_EQ(at.entryNumber, first == expected.end() ? -2 : *first) << "tree " << tree << " seek " << from;
      if (at.entryNumber < 0) continue;
      // Turning round where a seek left the nodes: back one, forward again.
      const int32_t before = first == expected.begin() ? -1 : *(first - 1);
      r->StepBackward(&at);
      ASSERT_EQ(at.entryNumber, before) << "tree " << tree << " back from " << *first << " kinds " << kinds;
      if (before < 0) continue;
      r->StepForward(&at);
      ASSERT_EQ(at.entryNumber, *first) << "tree " << tree << " forward again from " << before << " kinds " << kinds;
    }
  }
}

TEST(QueryRandom, WalksEqualTheFilter) {
  for (uint32_t seed : kKeptSeeds) CheckSeed(seed);
  for (uint32_t seed = 130; seed < 160; ++seed) CheckSeed(seed);
}

}  // namespace
