// The nodes of a query tree and the walking state a position keeps for each.
//
// A tree is stored in postfix order: an operator's right operand is the
// subtree that ends just before it, its left operand the subtree that ends
// just before the right one, and the last node is the root. Negation is
// applied when the tree is built (each leaf kind has a twin that is its
// negation), so no "not" node is ever stored.
#pragma once

#include <cstdint>

#include "index/search/key_pattern.h"
#include "index/tables/index_entry_ref.h"

class IndexTable;

enum QueryNodeKind : int32_t {
  kQueryUnion = 0,
  kQueryIntersection = 1,
  kQueryRestrictedIntersection = 2,
  kQueryRestrictedChoice = 3,
  kQueryNot = 4,  // an operator of the builders only, never stored
  kQueryKeyInTable = 5,
  kQueryKeyNotInTable = 6,
  kQueryInList = 7,
  kQueryNotInList = 8,
  kQueryLike = 9,
  kQueryNotLike = 10,
  kQueryAnagram = 11,
  kQueryNotAnagram = 12,
  kQueryNull = 13,
  kQueryNotNull = 14,
  kQueryEqual = 15,
  kQueryNotEqual = 16,
  kQueryAll = 17,
  kQueryNone = 18,
};

// The like pattern of kinds 9 and 10, and the key text of kinds 15 and 16
// (held as its pattern bytes).
struct QueryPatternRecord {
  KeyPattern pattern;             // prefix, segments and single wildcard, stored form
  uint32_t anyRunCode = 0;        // the code of "%" in stored form
  uint32_t prefixCharacters = 0;  // the literal prefix in characters
  uint8_t longPrefix = 0;         // the prefix holds more than two characters
  uint8_t empty = 1;              // no pattern: matches empty keys only
  // The entries whose keys begin with the prefix, [rangeFirst, rangeLast],
  // found by the first walk that needs them (the table does not change).
  uint8_t rangeKnown = 0;
  int32_t rangeFirst = 0;
  int32_t rangeLast = -1;
};

// One letter class of an anagram: the first letter met of the class and how
// often it is given.
struct QueryLetterItem {
  uint16_t letter;
  uint8_t count;
  uint8_t spare;
};

struct QueryLetterRecord {
  QueryLetterItem* items = nullptr;  // sorted by the key map's weights
  uint32_t itemCount = 0;
  uint32_t letterCount = 0;  // sum of the counts
  uint32_t maxLeftover = 0;
  uint32_t jokers = 0;
};

struct QueryNode {
  int32_t kind = kQueryAll;
  // An entry list (kinds 7, 8): its sound part, read in place in the
  // locked entry record of the node's table.
  const uint8_t* list = nullptr;
  uint32_t listLength = 0;   // bytes of the sound part
  uint32_t listOffset = 0;   // where the list's bytes start in the record
  uint32_t listSpan = 0;     // the tag's bytes, sound or not
  uint32_t listEntries = 0;  // the result's entry count the list was cut to
  uint32_t lockGeneration = 0;
  QueryPatternRecord pattern;
  IndexTable* table = nullptr;  // counted (kinds 5 to 8)
  uint32_t tableEntries = 0;    // entries of that table (kinds 5, 6)
  QueryLetterRecord letters;
  uint8_t parameter = 0;  // a list supplied for each use (AddTableNode)
  int32_t lockedRecord = -1;
  int32_t tag = -1;  // kinds 13, 14
  uint32_t size = 0;  // nodes of the subtree ending here; 0 for kinds 3 and 4

  ~QueryNode();
  // Unlocks the record (unless a new mapping of the store dropped the lock).
  void ClearList();
  // Points the list into its record again after the store was mapped
  // again (locking it anew), or empties it when that fails.
  void FollowStore();
};

// Walking state of one node inside one position.
struct QueryNodeState {
  uint32_t listCursor = 0;  // a value start of the node's list, or its length
  int32_t current = -1;     // entry number, -1 before the start, -2 past the end
  int32_t unionSide = 0;    // 0 both operands stand on the answer; 1 left, 2 right supplied it
  uint8_t listSupplied = 0;
  int8_t direction = 0;     // of the step that produced the current answer: 1, -1, 0 none yet
  uint32_t anagramCounter = 0;
};

// A position in a query result: an entry and one state per node. Copies are
// deep; a move hands the array over.
class QueryPosition {
 public:
  QueryPosition() = default;
  ~QueryPosition();
  QueryPosition(const QueryPosition& other);
  QueryPosition& operator=(const QueryPosition& other);
  QueryPosition(QueryPosition&& other) noexcept;
  QueryPosition& operator=(QueryPosition&& other) noexcept;

  // Sizes the array to n states (kept when n is unchanged, freed for 0);
  // false when memory ran out (the array is then gone).
  bool Resize(uint32_t n);
  bool HasStates() const { return states_ != nullptr; }
  uint32_t StateCount() const { return count_; }
  QueryNodeState* States() { return states_; }

  IndexEntryRef entry = IndexEntryRef::PastEnd();
  int32_t entryNumber = -2;  // the entry's number, -1/-2 at the ends

 private:
  QueryNodeState* states_ = nullptr;
  uint32_t count_ = 0;
};
