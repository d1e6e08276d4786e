// IndexQueryResult: the answer to a look-up query over one index table, the
// table's entries in key order that satisfy a tree of conditions. The
// translator (and the spelling look-up) build the tree node by node in
// postfix order; nothing is computed then. Every step of a walk evaluates
// the tree from the current entry: leaves jump by key search, by the sorted
// entry lists of the index and by run arithmetic wherever they can, so a
// query costs what its walk visits, not the table's size.
//
// Positions carry all walking state, so several can walk one result at once.
// The result is a RecordSource whose ordinals are the table's entry numbers.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/query/query_node.h"
#include "index/records/record_source.h"

class DocumentSource;
class IndexTable;

// Evaluation modes: the first qualifying entry at or after a target, the
// next after the current one, the one before it, and the last at or before
// a target (past the end: the last of all), with which an operand catches
// up with another when walking backwards.
enum QueryMode : int32_t { kQuerySeek = 0, kQueryNext = 1, kQueryPrevious = 2, kQuerySeekBack = 3 };

// Comparison codes of AddComparison (the even code is the negation).
enum QueryComparison : int32_t {
  kCompareLike = 9,
  kCompareNotLike = 10,
  kCompareAnagram = 11,
  kCompareNotAnagram = 12,
  kCompareIsNull = 13,
  kCompareIsNotNull = 14,
  kCompareEqual = 15,
  kCompareNotEqual = 16,
};

// Counters a test or benchmark reads to see how much a walk looked at.
struct QueryWalkCounters {
  uint64_t entriesTested = 0;  // keys matched, letters counted, tags read
  uint64_t keySearches = 0;    // key searches
  uint64_t patternTests = 0;   // keys tested against a like pattern
};

class IndexQueryResult : public RecordSource {
 public:
  IndexQueryResult();

  // ---- Counted references (one at construction).
  void AddRef() override { ++referenceCount_; }
  // 1 when the result was destroyed.
  int32_t Release() override;
  int32_t ReferenceCount() const { return referenceCount_; }

  // ---- Binding
  // The table whose entries are filtered (counted); null unbinds.
  void SetTable(IndexTable* table);
  IndexTable* Table() const { return table_; }
  uint32_t EntryCount() const { return entryCount_; }
  uint32_t GetCodePage() const;
  bool GetTableUrl(SharedWideString* out);
  // The table's source with one more reference for the caller, or null.
  DocumentSource* GetDocumentSource();

  // ---- Builders: 0 on success, 1 on failure.
  int32_t AddEntryNode(int32_t tag, bool negate);
  int32_t AddTableNode(IndexTable* table, bool negate);
  int32_t AddLinkNode(IndexTable* table, const IndexEntryRef& entry, int32_t tag, bool negate);
  int32_t AddAllNode(IndexTable* table, bool negate);
  int32_t AddConstantNode(bool negate);
  int32_t AddKeyCompareNode(const uint8_t* text, uint32_t length, bool negate, uint32_t anyCharacter,
                            uint32_t anyRun, bool required);
  int32_t AddPatternNode(const uint8_t* letters, uint32_t length, bool negate, uint32_t maxLeftover,
                         uint32_t jokers);
  int32_t AddRangeNode(const uint8_t* text, uint32_t length, bool negate);
  int32_t AddComparison(const SharedWideString& text, int32_t code, bool required);
  int32_t AddOperator(int32_t op);
  uint32_t SubtreeSize(int32_t node) const;
  void NegateSubtree(int32_t node);

  uint32_t NodeCount() const { return nodeCount_; }
  const QueryNode* NodeAt(uint32_t i) const { return nodes_[i]; }
  // Removes the last node (a builder taking its node out again).
  void RemoveLastNode();

  // ---- Flags
  void SetRestrictedEvaluation(bool on) { restrictedEvaluation_ = on ? 1 : 0; }
  bool RestrictedEvaluation() const { return restrictedEvaluation_ != 0; }
  bool HasRestrictedOperator() const { return restrictedOperator_ != 0; }

  // ---- Walking
  void InitPosition(QueryPosition* position);
  bool HasValue(QueryPosition* position);
  // The first satisfying entry at or after the entry; -2 gives past the end
  // with every node there, from where StepBackward walks the result back.
  void ResolvePosition(int32_t entryNumber, QueryPosition* position);
  void GetEntryAt(QueryPosition* position);
  void StepForward(QueryPosition* position);
  void StepBackward(QueryPosition* position);
  bool FindKey(const SharedWideString& text, bool fromStart, QueryPosition* position);
  void GetRandomEntry(QueryPosition* position);
  bool GetEntryLabel(const IndexEntryRef& entry, SharedWideString* out);
  // The entry's head word inflected into the form the word names: among
  // the entry's inflection classes (tag 42), the last one that has a rule
  // carrying that form name gives it; empty when none does.
  void GetInflectedForm(const SharedWideString& word, const IndexEntryRef& entry, SharedWideString* out);
  // The position its creator put the result on (a position query: the
  // entry of a text position), resolved against the tree; past the end
  // until one does.
  void PositionOn(int32_t entryNumber) { ResolvePosition(entryNumber, &origin_); }
  QueryPosition* Origin() { return &origin_; }
  uint32_t CountTagItems(uint32_t tag, const IndexEntryRef& entry);

  // ---- Parameter nodes
  uint32_t CountNegatedNodes() const;
  IndexTable* GetLinkedTable(uint32_t n);
  int32_t GetLinkValues(uint32_t n, const IndexEntryRef& entry, QueryPosition* position);
  void ClearLinkValues(uint32_t n, QueryPosition* position);

  // One node's answer from a position (the evaluation).
  int32_t Evaluate(QueryPosition* position, int32_t node, int32_t mode, uint8_t* bounded, int32_t target);

  QueryWalkCounters& Counters() { return counters_; }
  uint32_t RandomState() const { return randomState_; }
  void SetRandomState(uint32_t state) { randomState_ = state; }

  // ---- RecordSource
  RecordPosition Previous(RecordPosition position) override;
  RecordPosition Next(RecordPosition position) override;
  void GetText(RecordPosition position, SharedWideString* text) override;
  void GetFormattedText(RecordPosition position, SharedWideString* text) override;
  int32_t GetIcon(RecordPosition) override { return -1; }
  void GetShortId(RecordPosition, SharedWideString* text) override { text->Clear(); }
  int32_t PositionToOrdinal(RecordPosition position) override { return position.GetOrdinal(); }
  RecordPosition OrdinalToPosition(int32_t ordinal) override { return RecordPosition::Of(ordinal); }
  // A script record set standing on the position (recordsets/record_set.cpp).
  int32_t CreateRecordSet(RecordPosition position, ScriptValueStore* store, ScriptValueHandle* value) override;

 protected:
  ~IndexQueryResult() override;

 private:
  friend class QueryEvaluator;
  QueryNode* NewNode(int32_t kind);
  int32_t SetLinkRange(QueryNode* node, IndexTable* table, const IndexEntryRef& entry, int32_t tag);
  bool BuildPatternRecord(QueryPatternRecord* record, const uint8_t* text, uint32_t length,
                          uint32_t anyCharacter, uint32_t anyRun);
  int32_t NarrowByNgrams(const QueryPatternRecord& record, bool required);
  void FinishPosition(QueryPosition* position, int32_t answer);
  bool TreeIsTrivial() const;
  RecordPosition Resolved(int32_t ordinal, QueryPosition* position);

  int32_t referenceCount_ = 1;
  QueryNode** nodes_ = nullptr;  // postfix order, the root last
  uint32_t nodeCount_ = 0;
  uint32_t nodeCapacity_ = 0;
  IndexTable* table_ = nullptr;
  IndexTable* followingTable_ = nullptr;
  uint8_t restrictedEvaluation_ = 1;
  uint8_t restrictedOperator_ = 0;
  uint32_t randomState_ = 0;
  uint32_t entryCount_ = 0;
  QueryWalkCounters counters_;
  QueryPosition origin_;
};

// Holds one reference to a result.
class IndexQueryResultPtr {
 public:
  IndexQueryResultPtr() = default;
  ~IndexQueryResultPtr() { Assign(nullptr); }
  IndexQueryResultPtr(const IndexQueryResultPtr&) = delete;
  IndexQueryResultPtr& operator=(const IndexQueryResultPtr&) = delete;
  IndexQueryResultPtr(IndexQueryResultPtr&& other) noexcept : result_(other.result_) { other.result_ = nullptr; }
  // Counts the new result up and releases the old one (nothing when equal).
  void Assign(IndexQueryResult* result);
  // Takes over a reference the caller owns.
  void Adopt(IndexQueryResult* result);
  IndexQueryResult* Get() const { return result_; }
  IndexQueryResult* operator->() const { return result_; }
  explicit operator bool() const { return result_ != nullptr; }

 private:
  IndexQueryResult* result_ = nullptr;
};
