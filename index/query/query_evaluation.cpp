// The evaluation of a query tree: each node answers its next qualifying
// entry from a point (seek), after its current entry (next) or before it
// (previous). Leaves jump by binary search over the keys, by the sorted entry
// lists and by run arithmetic; operators combine their operands' answers.
//
// Every answer moves in the walking direction (a seek answers at least its
// target, next above the current entry, previous below it) or is the mode's
// end marker, whatever the book holds: a malformed table can make a walk
// answer fewer entries, never loop.
#include <cstdint>
#include <cstring>

#include "index/query/entry_list.h"
#include "index/query/index_query_result.h"
#include "index/query/query_anagram.h"
#include "index/query/query_search.h"
#include "index/search/key_collation.h"
#include "index/search/key_pattern.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"

namespace {

constexpr int32_t kBeforeStart = -1;
constexpr int32_t kPastEnd = -2;
// Null tests given up under the bounded-scan flag after this many entries.
constexpr uint32_t kBoundedNullTests = 11;

bool Backward(int32_t mode) { return mode == kQueryPrevious || mode == kQuerySeekBack; }
int32_t EndOf(int32_t mode) { return Backward(mode) ? kBeforeStart : kPastEnd; }
bool IsEnd(int32_t n) { return n < 0; }
// -1 before every entry, -2 after.
int64_t Rank(int32_t n) { return n == kBeforeStart ? -1 : (n == kPastEnd ? INT64_MAX : n); }

}  // namespace

class QueryEvaluator {
 public:
  QueryEvaluator(IndexQueryResult* result, QueryPosition* position)
      : r_(*result), table_(result->table_), states_(position->States()),
        count_(static_cast<int32_t>(result->entryCount_)) {}

  int32_t Eval(int32_t index, int32_t mode, uint8_t* bounded, int32_t target) {
    QueryNode* node = r_.nodes_[index];
    QueryNodeState& s = states_[index];
    int32_t answer = EndOf(mode);
    switch (node->kind) {
      case kQueryUnion:
        answer = Union(index, mode, target);
        break;
      case kQueryIntersection:
        answer = Intersection(index, mode, target);
        break;
      case kQueryRestrictedIntersection:
        if (r_.restrictedEvaluation_ != 0) answer = Operand(index, false, mode, bounded, target);
        else answer = Intersection(index, mode, target);
        break;
      case kQueryRestrictedChoice:
        answer = Operand(index, true, mode, bounded, target);
        break;
      case kQueryKeyInTable:
        answer = KeyInTable(node, s, mode, target);
        break;
      case kQueryKeyNotInTable:
        answer = KeyNotInTable(node, s, mode, target);
        break;
      case kQueryInList:
        answer = InList(node, s, mode, target);
        break;
      case kQueryNotInList:
        answer = NotInList(node, s, mode, target);
        break;
      case kQueryLike:
      case kQueryNotLike:
        answer = Like(node, s, mode, bounded, target);
        break;
      case kQueryAnagram:
      case kQueryNotAnagram:
        answer = Anagram(node, s, mode, target);
        break;
      case kQueryNull:
      case kQueryNotNull:
        answer = NullTest(node, s, mode, bounded, target);
        break;
      case kQueryEqual:
        answer = Equal(node, s, mode, target);
        break;
      case kQueryNotEqual:
        answer = NotEqual(node, s, mode, target);
        break;
      case kQueryAll: {
        answer = LeafStart(s, mode, target);
        break;
      }
      default:
        answer = EndOf(mode);
        break;
    }
    if (answer >= count_) answer = kPastEnd;
    if (answer < kPastEnd) answer = EndOf(mode);
    s.current = answer;
    return answer;
  }

 private:
  // ---- Leaves

  // The first entry a scanning leaf tests, or an end marker.
  int32_t LeafStart(QueryNodeState& s, int32_t mode, int32_t target) {
    if (mode == kQuerySeek) {
      s.current = target;
      if (target == kBeforeStart) return count_ > 0 ? 0 : kPastEnd;
      if (target < 0 || target >= count_) return kPastEnd;
      return target;
    }
    if (mode == kQueryNext) {
      if (s.current == kBeforeStart) return count_ > 0 ? 0 : kPastEnd;
      if (s.current < 0) return kPastEnd;
      return s.current + 1 < count_ ? s.current + 1 : kPastEnd;
    }
    if (mode == kQuerySeekBack) {
      s.current = target;
      if (target == kPastEnd || target >= count_) return count_ > 0 ? count_ - 1 : kBeforeStart;
      if (target < 0) return kBeforeStart;
      return target;
    }
    if (s.current == kBeforeStart) return kBeforeStart;
    if (s.current < 0 || s.current > count_) return count_ > 0 ? count_ - 1 : kBeforeStart;
    return s.current - 1;
  }

  bool Readable(int32_t n) {
    const uint8_t* label = nullptr;
    uint32_t length = 0;
    return Label(n, &label, &length);
  }

  // Past an entry that its record does not hold (the header claimed more
  // than the record has): forwards to the next record's first entry,
  // backwards to the last entry the record holds. A damaged table is then
  // walked record by record, and its missing entries are never answered.
  int32_t SkipUnreadable(int32_t n, int32_t step) {
    const IndexEntryRef ref = table_->MakeEntryRef(n);
    if (ref.IsSentinel()) return step > 0 ? count_ : kBeforeStart;
    const int32_t first = n - ref.entry;
    if (step > 0) {
      const int32_t next = first + static_cast<int32_t>(table_->RecordEntryCount(static_cast<uint32_t>(ref.record)));
      return next > n ? next : n + 1;
    }
    int32_t lo = 0;
    int32_t hi = ref.entry;
    while (lo < hi) {
      const int32_t mid = lo + (hi - lo) / 2;
      if (Readable(first + mid)) lo = mid + 1;
      else hi = mid;
    }
    return first + lo - 1;
  }

  bool Label(int32_t n, const uint8_t** label, uint32_t* length) {
    const IndexEntryRef ref = table_->MakeEntryRef(n);
    if (ref.IsSentinel()) return false;
    return table_->GetLabelData(ref.record, ref.entry, label, length);
  }

  // The label copied out of the record buffer (another load may replace it).
  uint32_t CopyLabel(IndexTable* table, int32_t n, uint8_t* out) {
    const IndexEntryRef ref = table->MakeEntryRef(n);
    const uint8_t* label = nullptr;
    uint32_t length = 0;
    if (ref.IsSentinel() || !table->GetLabelData(ref.record, ref.entry, &label, &length)) return 0;
    if (length > kIndexScratchBytes) length = kIndexScratchBytes;
    std::memcpy(out, label, length);
    return length;
  }

  int32_t Search(IndexTable* table, uint32_t count, const uint8_t* key, uint32_t length, uint32_t limit,
                 bool upper) {
    ++r_.counters_.keySearches;
    return SearchEntries(table, count, key, length, limit, upper);
  }

  int32_t KeyInTable(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    IndexTable* other = node->table;
    int32_t n = LeafStart(s, mode, target);
    if (other == nullptr || !other->IsOpen()) return EndOf(mode);
    const uint32_t otherCount = node->tableEntries;
    uint8_t key[kIndexScratchBytes];
    uint8_t otherKey[kIndexScratchBytes];
    while (n >= 0 && n < count_) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, Backward(mode) ? -1 : 1);
        continue;
      }
      ++r_.counters_.entriesTested;
      const uint32_t keyLength = CopyLabel(table_, n, key);
      if (!Backward(mode)) {
        const int32_t t = Search(other, otherCount, key, keyLength, 0, false);
        if (t < 0 || static_cast<uint32_t>(t) >= otherCount) return kPastEnd;
        const uint32_t otherLength = CopyLabel(other, t, otherKey);
        if (table_->CompareKeys(key, keyLength, otherKey, otherLength, 0) == 0) return n;
        int32_t next = Search(table_, static_cast<uint32_t>(count_), otherKey, otherLength, 0, false);
        n = next > n ? next : n + 1;
      } else {
        const int32_t t = Search(other, otherCount, key, keyLength, 0, true) - 1;
        if (t < 0) return kBeforeStart;
        const uint32_t otherLength = CopyLabel(other, t, otherKey);
        if (table_->CompareKeys(key, keyLength, otherKey, otherLength, 0) == 0) return n;
        int32_t previous = Search(table_, static_cast<uint32_t>(count_), otherKey, otherLength, 0, true) - 1;
        n = previous < n ? previous : n - 1;
      }
    }
    return EndOf(mode);
  }

  int32_t KeyNotInTable(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    IndexTable* other = node->table;
    int32_t n = LeafStart(s, mode, target);
    const int32_t step = Backward(mode) ? -1 : 1;
    uint8_t key[kIndexScratchBytes];
    uint8_t otherKey[kIndexScratchBytes];
    for (; n >= 0 && n < count_; n += step) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, step) - step;
        continue;
      }
      ++r_.counters_.entriesTested;
      if (other == nullptr || !other->IsOpen()) return n;
      const uint32_t keyLength = CopyLabel(table_, n, key);
      const int32_t t = Search(other, node->tableEntries, key, keyLength, 0, false);
      if (t < 0 || static_cast<uint32_t>(t) >= node->tableEntries) return n;
      const uint32_t otherLength = CopyLabel(other, t, otherKey);
      if (table_->CompareKeys(key, keyLength, otherKey, otherLength, 0) != 0) return n;
    }
    return EndOf(mode);
  }

  int32_t InList(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    node->FollowStore();
    const uint8_t* list = node->list;
    const uint32_t length = node->listLength;
    uint32_t& cursor = s.listCursor;
    if (cursor > length) cursor = length;
    else if (cursor < length) cursor = ListValueStart(list, cursor);
    if (mode == kQueryNext) {
      if (s.current == kPastEnd) return kPastEnd;
      if (s.current == kBeforeStart) cursor = 0;
      else if (cursor < length) cursor = ListNextOffset(list, length, cursor);
      if (cursor >= length) {
        cursor = length;
        return kPastEnd;
      }
      return static_cast<int32_t>(ListValueAt(list, length, cursor));
    }
    if (mode == kQueryPrevious) {
      if (length == 0 || s.current == kBeforeStart) return kBeforeStart;
      if (s.current == kPastEnd) cursor = length;
      if (cursor == 0) return kBeforeStart;
      cursor = ListPreviousOffset(list, cursor);
      return static_cast<int32_t>(ListValueAt(list, length, cursor));
    }
    if (mode == kQuerySeekBack) {
      // The last value not above the target: the one before the first
      // value above it.
      if (length == 0 || target == kBeforeStart || target < kPastEnd) {
        cursor = 0;
        return kBeforeStart;
      }
      ++r_.counters_.entriesTested;
      if (target == kPastEnd || target >= count_) {
        cursor = ListPreviousOffset(list, length);
      } else {
        const uint32_t above = ListLowerBound(list, length, static_cast<uint32_t>(target) + 1, cursor);
        if (above == 0) {
          cursor = 0;
          return kBeforeStart;
        }
        cursor = ListPreviousOffset(list, above);
      }
      return static_cast<int32_t>(ListValueAt(list, length, cursor));
    }
    if (target < kBeforeStart || length == 0) {
      cursor = length;
      return kPastEnd;
    }
    const uint32_t from = target < 0 ? 0 : static_cast<uint32_t>(target);
    cursor = ListLowerBound(list, length, from, cursor);
    ++r_.counters_.entriesTested;
    if (cursor >= length) return kPastEnd;
    return static_cast<int32_t>(ListValueAt(list, length, cursor));
  }

  int32_t NotInList(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    node->FollowStore();
    const uint8_t* list = node->list;
    const uint32_t length = node->listLength;
    uint32_t& cursor = s.listCursor;
    if (cursor > length) cursor = length;
    else if (cursor < length) cursor = ListValueStart(list, cursor);
    int32_t candidate;
    if (Backward(mode)) {
      if (mode == kQueryPrevious) {
        if (s.current == kBeforeStart) return kBeforeStart;
        candidate = s.current == kPastEnd || s.current > count_ ? count_ - 1 : s.current - 1;
      } else {
        if (target == kBeforeStart || target < kPastEnd) return kBeforeStart;
        candidate = target == kPastEnd || target >= count_ ? count_ - 1 : target;
      }
      if (candidate < 0) return kBeforeStart;
      if (length == 0) return candidate;
      const uint32_t at = ListLowerBound(list, length, static_cast<uint32_t>(candidate), cursor < length ? cursor : 0);
      cursor = at;
      if (at >= length || ListValueAt(list, length, at) != static_cast<uint32_t>(candidate)) return candidate;
      const uint32_t start = ListRunStartBackward(list, length, at);
      cursor = start;
      const uint32_t first = ListValueAt(list, length, start);
      return first == 0 ? kBeforeStart : static_cast<int32_t>(first - 1);
    }
    if (mode == kQueryNext) {
      if (s.current == kPastEnd) return kPastEnd;
      candidate = s.current == kBeforeStart ? 0 : s.current + 1;
    } else {
      if (target < kBeforeStart) return kPastEnd;
      candidate = target == kBeforeStart ? 0 : target;
    }
    if (candidate >= count_) return kPastEnd;
    if (length == 0) return candidate;
    const uint32_t at = ListLowerBound(list, length, static_cast<uint32_t>(candidate), cursor);
    cursor = at;
    ++r_.counters_.entriesTested;
    if (at >= length || ListValueAt(list, length, at) != static_cast<uint32_t>(candidate)) return candidate;
    const uint32_t end = ListRunEndForward(list, length, at);
    cursor = ListNextOffset(list, length, end);
    const uint32_t after = ListValueAt(list, length, end) + 1;
    return after >= static_cast<uint32_t>(count_) ? kPastEnd : static_cast<int32_t>(after);
  }

  // The entries whose keys begin with the like node's literal prefix, found
  // once by two key searches.
  void PrefixRange(QueryNode* node, int32_t* first, int32_t* last) {
    QueryPatternRecord& record = node->pattern;
    if (record.rangeKnown == 0) {
      const KeyPattern& pattern = record.pattern;
      const uint32_t limit = record.prefixCharacters;
      record.rangeFirst =
          Search(table_, static_cast<uint32_t>(count_), pattern.prefix, pattern.prefixLength, limit, false);
      record.rangeLast =
          Search(table_, static_cast<uint32_t>(count_), pattern.prefix, pattern.prefixLength, limit, true) - 1;
      record.rangeKnown = 1;
    }
    *first = record.rangeFirst;
    *last = record.rangeLast;
  }

  int32_t Like(QueryNode* node, QueryNodeState& s, int32_t mode, uint8_t* bounded, int32_t target) {
    const KeyPattern& pattern = node->pattern.pattern;
    const bool negated = node->kind == kQueryNotLike;
    int32_t n = LeafStart(s, mode, target);
    const int32_t step = Backward(mode) ? -1 : 1;
    if (!negated && node->pattern.prefixCharacters != 0 && n >= 0) {
      // Only keys with the literal prefix can match: enter its range
      // without reading the keys outside it, in either direction.
      int32_t first = 0, last = -1;
      PrefixRange(node, &first, &last);
      if (step > 0) {
        if (n > last) return kPastEnd;
        if (n < first) n = first;
      } else {
        if (n < first) return kBeforeStart;
        if (n > last) n = last;
      }
    }
    while (n >= 0 && n < count_) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, step);
        continue;
      }
      ++r_.counters_.entriesTested;
      ++r_.counters_.patternTests;
      const int32_t match = MatchPattern(table_, table_->MakeEntryRef(n), pattern);
      if (negated) {
        if (match != 0) return n;
        if (bounded != nullptr && *bounded != 0) {
          *bounded = 0;
          return n;
        }
        n += step;
        continue;
      }
      if (match == 0) return n;
      if (match == 1) {
        if (bounded != nullptr && *bounded != 0) {
          *bounded = 0;
          return n;
        }
        n += step;
        continue;
      }
      const uint32_t limit = node->pattern.prefixCharacters;
      if (match == 2) {
        // Before the prefix's range: forwards, jump to its first key.
        if (Backward(mode)) return kBeforeStart;
        const int32_t first = Search(table_, static_cast<uint32_t>(count_), pattern.prefix, pattern.prefixLength,
                                     limit, false);
        n = first > n ? first : n + 1;
        continue;
      }
      // After the range: backwards, jump to its last key and test from there.
      if (!Backward(mode)) return kPastEnd;
      const int32_t last =
          Search(table_, static_cast<uint32_t>(count_), pattern.prefix, pattern.prefixLength, limit, true) - 1;
      n = last < n ? last : n - 1;
    }
    return EndOf(mode);
  }

  int32_t NullTest(QueryNode* node, QueryNodeState& s, int32_t mode, uint8_t* bounded, int32_t target) {
    int32_t n = LeafStart(s, mode, target);
    const int32_t step = Backward(mode) ? -1 : 1;
    IndexEntryReader reader;
    if (!reader.Init(table_)) return EndOf(mode);
    uint32_t failed = 0;
    for (; n >= 0 && n < count_; n += step) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, step) - step;
        continue;
      }
      ++r_.counters_.entriesTested;
      IndexEntryRef ref = table_->MakeEntryRef(n);
      if (reader.Attach(ref) == 0) {
        reader.FollowEntryLink(&ref);
        uint32_t span = 0;
        uint32_t perItem = 0;
        const bool present = reader.SeekTag(static_cast<uint32_t>(node->tag), &span, &perItem) == 0 &&
                             reader.CountItems() > 0;
        if (present == (node->kind == kQueryNotNull)) return n;
      }
      if (bounded != nullptr && *bounded != 0 && ++failed >= kBoundedNullTests) {
        *bounded = 0;
        return n;
      }
    }
    return EndOf(mode);
  }

  int32_t CompareWithText(QueryNode* node, int32_t n, bool* ok) {
    const uint8_t* label = nullptr;
    uint32_t length = 0;
    *ok = Label(n, &label, &length);
    if (!*ok) return 0;
    const KeyPattern& p = node->pattern.pattern;
    return table_->CompareKeys(label, length, p.bytes, p.length, 0);
  }

  int32_t Equal(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    int32_t n = LeafStart(s, mode, target);
    if (n < 0) return n;
    ++r_.counters_.entriesTested;
    bool ok = false;
    const int32_t order = CompareWithText(node, n, &ok);
    if (ok && order == 0) return n;
    const bool forward = !Backward(mode);
    if (ok && (forward ? order > 0 : order < 0)) return EndOf(mode);
    const KeyPattern& p = node->pattern.pattern;
    if (forward) {
      const int32_t first = Search(table_, static_cast<uint32_t>(count_), p.bytes, p.length, 0, false);
      if (first <= n || first >= count_) return kPastEnd;
      return CompareWithText(node, first, &ok) == 0 && ok ? first : kPastEnd;
    }
    const int32_t last = Search(table_, static_cast<uint32_t>(count_), p.bytes, p.length, 0, true) - 1;
    if (last < 0 || last >= n) return kBeforeStart;
    return CompareWithText(node, last, &ok) == 0 && ok ? last : kBeforeStart;
  }

  int32_t NotEqual(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
    int32_t n = LeafStart(s, mode, target);
    const int32_t step = Backward(mode) ? -1 : 1;
    for (; n >= 0 && n < count_; n += step) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, step) - step;
        continue;
      }
      ++r_.counters_.entriesTested;
      bool ok = false;
      if (CompareWithText(node, n, &ok) != 0 || !ok) return n;
    }
    return EndOf(mode);
  }

  int32_t Anagram(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target);

  // ---- Operators

  // The right operand of node `index` (or the left), or -1 when malformed.
  int32_t OperandIndex(int32_t index, bool right) {
    if (index < 1) return -1;
    const int32_t r = index - 1;
    const uint32_t rightSize = r_.nodes_[r]->size;
    if (rightSize == 0) return -1;
    if (right) return r;
    const int32_t l = r - static_cast<int32_t>(rightSize);
    if (l < 0 || r_.nodes_[l]->size == 0) return -1;
    return l;
  }

  int32_t Operand(int32_t index, bool right, int32_t mode, uint8_t* bounded, int32_t target) {
    const int32_t operand = OperandIndex(index, right);
    if (operand < 0) return EndOf(mode);
    return Eval(operand, mode, bounded, target);
  }

  // An operator that answers an end marker leaves every node below it on
  // that marker, so that a walk turned round starts from the right end.
  int32_t Finish(int32_t index, int32_t answer) {
    if (!IsEnd(answer)) return answer;
    const uint32_t size = r_.nodes_[index]->size;
    for (int32_t i = index - static_cast<int32_t>(size) + 1; i <= index; ++i) {
      if (i < 0) continue;
      QueryNodeState& s = states_[i];
      s.current = answer;
      s.listCursor = answer == kPastEnd ? r_.nodes_[i]->listLength : 0;
      s.unionSide = 0;
      s.direction = 0;
    }
    return answer;
  }

  int32_t Intersection(int32_t index, int32_t mode, int32_t target) {
    const int32_t right = OperandIndex(index, true);
    const int32_t left = OperandIndex(index, false);
    if (right < 0 || left < 0) return EndOf(mode);
    const QueryNode* leftNode = r_.nodes_[left];
    const bool leftScans = (leftNode->kind == kQueryLike || leftNode->kind == kQueryNotLike) &&
                           leftNode->pattern.prefixCharacters == 0;
    const bool backward = Backward(mode);
    int32_t h;
    int32_t g;
    bool candidate = false;
    if (mode == kQuerySeek) {
      h = Eval(right, kQuerySeek, nullptr, target);
      if (IsEnd(h)) return Finish(index, h);
      uint8_t own = 1;
      g = Eval(left, kQuerySeek, &own, Rank(h) > Rank(target) ? h : target);
      candidate = own == 0;
      if (IsEnd(g)) return Finish(index, g);
    } else {
      // Next and previous move the right operand; the left one still
      // stands on the last answer (or an end), and catches up below.
      h = Eval(right, mode, nullptr, target);
      if (IsEnd(h)) return Finish(index, h);
      g = mode == kQuerySeekBack ? kPastEnd : states_[left].current;
    }
    if (backward && leftScans) {
      // A like node without a literal prefix cannot jump backwards: the
      // right operand (its n-gram lists) leads, and each of its entries is
      // tested on the left by a bounded seek, instead of the like node
      // stepping back over every key.
      for (;;) {
        uint8_t own = 1;
        g = Eval(left, kQuerySeek, &own, h);
        if (g == h && own != 0) return h;
        h = Eval(right, kQueryPrevious, nullptr, 0);
        if (IsEnd(h)) return Finish(index, h);
      }
    }
    for (;;) {
      if (h == g && !candidate) return h;
      if (backward) {
        // The operand standing later goes back to the last of its entries
        // at or before the other's, as a forward walk seeks.
        if (Rank(h) > Rank(g)) {
          h = Eval(right, kQuerySeekBack, nullptr, g);
          if (IsEnd(h)) return Finish(index, h);
        } else {
          g = Eval(left, kQuerySeekBack, nullptr, h);
          if (IsEnd(g)) return Finish(index, g);
        }
        continue;
      }
      if (Rank(h) <= Rank(g)) {
        const int32_t to = candidate ? g + 1 : g;
        h = Eval(right, kQuerySeek, nullptr, to);
        if (IsEnd(h)) return Finish(index, h);
      } else {
        uint8_t own = 1;
        g = Eval(left, kQuerySeek, &own, h);
        candidate = own == 0;
        if (IsEnd(g)) return Finish(index, g);
      }
    }
  }

  int32_t Union(int32_t index, int32_t mode, int32_t target) {
    const int32_t right = OperandIndex(index, true);
    const int32_t left = OperandIndex(index, false);
    if (right < 0 || left < 0) return EndOf(mode);
    QueryNodeState& s = states_[index];
    int32_t a;
    int32_t b;
    const int8_t direction = Backward(mode) ? -1 : 1;
    if (mode == kQuerySeek || mode == kQuerySeekBack) {
      a = Eval(left, mode, nullptr, target);
      b = Eval(right, mode, nullptr, target);
    } else if (s.direction != direction || s.unionSide == 0 || IsEnd(s.current)) {
      // Turning round (or both stood on the answer): both operands move.
      a = Eval(left, mode, nullptr, 0);
      b = Eval(right, mode, nullptr, 0);
    } else if (s.unionSide == 1) {
      a = Eval(left, mode, nullptr, 0);
      b = states_[right].current;
    } else {
      a = states_[left].current;
      b = Eval(right, mode, nullptr, 0);
    }
    s.direction = direction;
    int32_t answer;
    if (IsEnd(a) && IsEnd(b)) {
      answer = EndOf(mode);
    } else if (IsEnd(a)) {
      answer = b;
    } else if (IsEnd(b)) {
      answer = a;
    } else {
      answer = Backward(mode) ? (a > b ? a : b) : (a < b ? a : b);
    }
    s.unionSide = a == b ? 0 : (answer == a ? 1 : 2);
    return Finish(index, answer);
  }

  IndexQueryResult& r_;
  IndexTable* table_;
  QueryNodeState* states_;
  int32_t count_;
};

int32_t QueryEvaluator::Anagram(QueryNode* node, QueryNodeState& s, int32_t mode, int32_t target) {
  const IndexCollation& collation = table_->Header().collation;
  int32_t n = LeafStart(s, mode, target);
  if (!HasKeyMap(collation)) return EndOf(mode);
  const bool negated = node->kind == kQueryNotAnagram;
  // Without jokers a failing key tells how many of its characters could
  // still belong to a match, and the walk jumps past the keys that share
  // the failing start.
  const bool skips = !negated && node->letters.jokers == 0;
  const bool forward = !Backward(mode);
  uint32_t counter = 0;
  uint8_t key[kIndexScratchBytes];
  uint8_t jump[kIndexScratchBytes];
  while (n >= 0 && n < count_) {
      if (!Readable(n)) {
        n = SkipUnreadable(n, forward ? 1 : -1);
        continue;
      }
    ++r_.counters_.entriesTested;
    const uint32_t length = CopyLabel(table_, n, key);
    uint32_t passed = 0;
    const bool pass = AnagramTest(collation, node->letters, key, length, &passed);
    if (pass != negated) return n;
    if (!skips || counter == 0 || counter < passed) {
      n += forward ? 1 : -1;
      ++counter;
      continue;
    }
    const int32_t jumpLength =
        AnagramJumpKey(collation, node->letters, key, length, passed, forward, jump, sizeof(jump));
    if (jumpLength < 0) return EndOf(mode);
    counter = passed / 2;
    if (forward) {
      const int32_t next = Search(table_, static_cast<uint32_t>(count_), jump, static_cast<uint32_t>(jumpLength), 0, false);
      n = next > n ? next : n + 1;
    } else {
      const int32_t previous = Search(table_, static_cast<uint32_t>(count_), jump, static_cast<uint32_t>(jumpLength), 0, true) - 1;
      n = previous < n ? previous : n - 1;
    }
  }
  return EndOf(mode);
}

int32_t IndexQueryResult::Evaluate(QueryPosition* position, int32_t node, int32_t mode, uint8_t* bounded,
                                   int32_t target) {
  if (!position->HasStates() || table_ == nullptr || node < 0 ||
      static_cast<uint32_t>(node) >= nodeCount_ || position->StateCount() != nodeCount_) {
    return EndOf(mode);
  }
  QueryEvaluator evaluator(this, position);
  return evaluator.Eval(node, mode, bounded, target);
}
