// IndexQueryResult: binding, the tree builders, walking by position and the
// RecordSource operations. The evaluation of nodes is query_evaluation.cpp;
// comparisons with a text (like, anagram, equal) are query_comparison.cpp.
#include "index/query/index_query_result.h"

#include <cstring>

#include "foundation/system/random_generator.h"
#include "index/query/entry_list.h"
#include "index/query/query_search.h"
#include "index/search/key_collation.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"
#include "storage/sources/document_source.h"

IndexQueryResult::IndexQueryResult() {
  RandomGenerator generator;
  randomState_ = generator.Next();
}

IndexQueryResult::~IndexQueryResult() {
  for (uint32_t i = 0; i < nodeCount_; ++i) {
    nodes_[i]->~QueryNode();
    DeviceFree(nodes_[i]);
  }
  DeviceFree(nodes_);
  if (followingTable_ != nullptr) followingTable_->Release();
  if (table_ != nullptr) table_->Release();
}

int32_t IndexQueryResult::Release() {
  if (--referenceCount_ > 0) return 0;
  delete this;
  return 1;
}

void IndexQueryResultPtr::Assign(IndexQueryResult* result) {
  if (result == result_) return;
  if (result != nullptr) result->AddRef();
  IndexQueryResult* old = result_;
  result_ = result;
  if (old != nullptr) old->Release();
}

void IndexQueryResultPtr::Adopt(IndexQueryResult* result) {
  Assign(result);
  if (result != nullptr) result->Release();
}

// ---- Binding

void IndexQueryResult::SetTable(IndexTable* table) {
  if (table != nullptr) table->AddRef();
  if (table_ != nullptr) table_->Release();
  table_ = table;
  entryCount_ = 0;
  if (table_ == nullptr || !table_->IsOpen()) return;
  // The entries the records really hold (the header's total is not trusted).
  entryCount_ = CountTableEntries(table_);
}

uint32_t IndexQueryResult::GetCodePage() const { return table_ != nullptr ? table_->GetCodePage() : 0; }

bool IndexQueryResult::GetTableUrl(SharedWideString* out) {
  out->Clear();
  if (table_ == nullptr) return false;
  DocumentSource* source = table_->GetSource();
  if (source == nullptr) return false;
  return source->GetUrl().GetText(out, true);
}

DocumentSource* IndexQueryResult::GetDocumentSource() {
  DocumentSource* source = table_ != nullptr ? table_->GetSource() : nullptr;
  if (source != nullptr) source->AddRef();
  return source;
}

// ---- Builders

QueryNode* IndexQueryResult::NewNode(int32_t kind) {
  void* block = DeviceAlloc(sizeof(QueryNode));
  if (block == nullptr) return nullptr;
  QueryNode* node = new (block) QueryNode();
  node->kind = kind;
  if (nodeCount_ == nodeCapacity_) {
    const uint32_t capacity = nodeCapacity_ < 8 ? 16 : nodeCapacity_ * 2;
    void* grown = DeviceRealloc(nodes_, sizeof(QueryNode*) * capacity);
    if (grown == nullptr) {
      node->~QueryNode();
      DeviceFree(block);
      return nullptr;
    }
    nodes_ = static_cast<QueryNode**>(grown);
    nodeCapacity_ = capacity;
  }
  // Subtree sizes are fixed when a node is added: a leaf is 1, an operator
  // one more than its two operands (0 when it has none: a malformed tree).
  if (kind >= kQueryKeyInTable) {
    node->size = 1;
  } else if (kind <= kQueryRestrictedIntersection) {
    const uint32_t right = nodeCount_ >= 1 ? nodes_[nodeCount_ - 1]->size : 0;
    const uint32_t leftIndex = right != 0 && nodeCount_ > right ? nodeCount_ - 1 - right : 0;
    const uint32_t left = right != 0 && nodeCount_ > right ? nodes_[leftIndex]->size : 0;
    node->size = right != 0 && left != 0 ? 1 + right + left : 0;
  }
  nodes_[nodeCount_++] = node;
  return node;
}

void IndexQueryResult::RemoveLastNode() {
  if (nodeCount_ == 0) return;
  QueryNode* node = nodes_[--nodeCount_];
  node->~QueryNode();
  DeviceFree(node);
}

int32_t IndexQueryResult::AddEntryNode(int32_t tag, bool negate) {
  if (tag < 0) return 1;
  QueryNode* node = NewNode(negate ? kQueryNotNull : kQueryNull);
  if (node == nullptr) return 1;
  node->tag = tag;
  return 0;
}

int32_t IndexQueryResult::AddTableNode(IndexTable* table, bool negate) {
  QueryNode* node = NewNode(negate ? kQueryNotInList : kQueryInList);
  if (node == nullptr) return 1;
  if (table != nullptr) table->AddRef();
  node->table = table;
  node->parameter = 1;
  return 0;
}

int32_t IndexQueryResult::SetLinkRange(QueryNode* node, IndexTable* table, const IndexEntryRef& entry,
                                       int32_t tag) {
  node->ClearList();
  if (entry.record == -1) return 0;
  if (table == nullptr || tag < 0) return 1;
  IndexEntryReader reader;
  if (!reader.Init(table) || reader.Attach(entry) != 0) return 1;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader.SeekTag(static_cast<uint32_t>(tag), &span, &perItem) != 0 || span == 0) return 1;
  // The list is read in place: its record stays locked while the node
  // points into it.
  uint32_t entrySize = 0;
  const uint8_t* entryBytes = table->CurrentEntryRecordBytes(&entrySize);
  const uint8_t* bytes = reader.ValueBytes();
  if (entryBytes == nullptr || bytes < entryBytes || span > entrySize ||
      static_cast<uint32_t>(bytes - entryBytes) > entrySize - span)
    return 1;
  const uint32_t offset = static_cast<uint32_t>(bytes - entryBytes);
  const uint32_t record = static_cast<uint32_t>(entry.record);
  if (table->LockEntryRecord(record) < 0) return 1;
  uint32_t size = 0;
  const uint8_t* locked = table->LockedRecordBytes(record, &size);
  if (locked == nullptr || size != entrySize) {
    table->UnlockEntryRecord(record);
    return 1;
  }
  node->lockedRecord = static_cast<int32_t>(record);
  node->lockGeneration = table->StoreGeneration();
  node->listOffset = offset;
  node->listSpan = span;
  node->listEntries = entryCount_;
  node->list = locked + offset;
  node->listLength = SoundListLength(node->list, span, entryCount_);
  return 0;
}

int32_t IndexQueryResult::AddLinkNode(IndexTable* table, const IndexEntryRef& entry, int32_t tag, bool negate) {
  QueryNode* node = NewNode(negate ? kQueryNotInList : kQueryInList);
  if (node == nullptr) return 1;
  if (table != nullptr) table->AddRef();
  node->table = table;
  if (SetLinkRange(node, table, entry, tag) != 0) {
    RemoveLastNode();
    return 1;
  }
  return 0;
}

int32_t IndexQueryResult::AddAllNode(IndexTable* table, bool negate) {
  if (table == nullptr) return 1;
  QueryNode* node = NewNode(negate ? kQueryKeyNotInTable : kQueryKeyInTable);
  if (node == nullptr) return 1;
  table->AddRef();
  node->table = table;
  node->tableEntries = CountTableEntries(table);
  return 0;
}

int32_t IndexQueryResult::AddConstantNode(bool negate) {
  return NewNode(negate ? kQueryNone : kQueryAll) != nullptr ? 0 : 1;
}

int32_t IndexQueryResult::AddRangeNode(const uint8_t* text, uint32_t length, bool negate) {
  QueryNode* node = NewNode(negate ? kQueryNotEqual : kQueryEqual);
  if (node == nullptr) return 1;
  if (!node->pattern.pattern.SetPatternBytes(text, length, &length, 1)) return 1;
  node->pattern.empty = 0;
  return 0;
}

int32_t IndexQueryResult::AddOperator(int32_t op) {
  if (op == kQueryNot) {
    if (nodeCount_ != 0) NegateSubtree(static_cast<int32_t>(nodeCount_) - 1);
    return 0;
  }
  if (op < 0 || op > 3) return 1;
  if (NewNode(op) == nullptr) return 1;
  if (op == kQueryRestrictedIntersection || op == kQueryRestrictedChoice) restrictedOperator_ = 1;
  return 0;
}

uint32_t IndexQueryResult::SubtreeSize(int32_t node) const {
  if (node < 0 || static_cast<uint32_t>(node) >= nodeCount_) return 0;
  return nodes_[node]->size;
}

void IndexQueryResult::NegateSubtree(int32_t node) {
  if (node < 0 || static_cast<uint32_t>(node) >= nodeCount_) return;
  QueryNode* n = nodes_[node];
  if (n->kind == kQueryUnion || n->kind == kQueryIntersection) {
    n->kind = n->kind == kQueryUnion ? kQueryIntersection : kQueryUnion;
    const uint32_t right = SubtreeSize(node - 1);
    NegateSubtree(node - 1);
    NegateSubtree(node - 1 - static_cast<int32_t>(right));
    return;
  }
  if (n->kind >= kQueryKeyInTable && n->kind <= kQueryNone) {
    // Twins pair up as 5/6, 7/8, ..., 17/18.
    n->kind = (n->kind % 2 == 1) ? n->kind + 1 : n->kind - 1;
  }
}

// ---- Walking

bool IndexQueryResult::TreeIsTrivial() const {
  const uint32_t n = nodeCount_;
  if (n == 0) return true;
  return nodes_[n - 1]->kind == kQueryRestrictedChoice && restrictedEvaluation_ != 0;
}

void IndexQueryResult::InitPosition(QueryPosition* position) {
  if (!position->Resize(nodeCount_)) {
    position->entry = IndexEntryRef::PastEnd();
    position->entryNumber = -2;
    return;
  }
  for (uint32_t i = 0; i < position->StateCount(); ++i) position->States()[i] = QueryNodeState();
  position->entry = {1, 0};
  position->entryNumber = 0;
}

bool IndexQueryResult::HasValue(QueryPosition* position) {
  InitPosition(position);
  return position->HasStates();
}

void IndexQueryResult::FinishPosition(QueryPosition* position, int32_t answer) {
  if (answer >= 0 && static_cast<uint32_t>(answer) >= entryCount_) answer = -2;
  if (answer < -2) answer = -2;
  position->entryNumber = answer;
  if (answer == -1) position->entry = IndexEntryRef::BeforeStart();
  else if (answer < 0 || table_ == nullptr) position->entry = IndexEntryRef::PastEnd();
  else position->entry = table_->MakeEntryRef(answer);
  if (position->entry.record == -1) position->entryNumber = position->entry.entry == -1 ? -1 : -2;
}

void IndexQueryResult::ResolvePosition(int32_t entryNumber, QueryPosition* position) {
  InitPosition(position);
  if (table_ == nullptr || entryCount_ == 0) {
    FinishPosition(position, -2);
    return;
  }
  if (TreeIsTrivial()) {
    FinishPosition(position, entryNumber == -1 ? 0 : entryNumber);
    return;
  }
  if (!position->HasStates()) {
    FinishPosition(position, -2);
    return;
  }
  if (entryNumber == -2) {
    // Past the end, every node with it, so that a backward walk starts from
    // the last entries.
    for (uint32_t i = 0; i < position->StateCount(); ++i) {
      position->States()[i].current = -2;
      position->States()[i].listCursor = nodes_[i]->listLength;
    }
    FinishPosition(position, -2);
    return;
  }
  const int32_t root = static_cast<int32_t>(nodeCount_) - 1;
  FinishPosition(position, Evaluate(position, root, kQuerySeek, nullptr, entryNumber < 0 ? -1 : entryNumber));
}

void IndexQueryResult::GetEntryAt(QueryPosition* position) { ResolvePosition(0, position); }

void IndexQueryResult::StepForward(QueryPosition* position) {
  if (table_ == nullptr) {
    FinishPosition(position, -2);
    return;
  }
  const int32_t current = position->entryNumber;
  if (TreeIsTrivial()) {
    FinishPosition(position, current == -2 ? -2 : current + 1);
    return;
  }
  if (!position->HasStates() || position->StateCount() != nodeCount_) {
    FinishPosition(position, -2);
    return;
  }
  const int32_t root = static_cast<int32_t>(nodeCount_) - 1;
  FinishPosition(position, Evaluate(position, root, kQueryNext, nullptr, 0));
}

void IndexQueryResult::StepBackward(QueryPosition* position) {
  if (table_ == nullptr) {
    FinishPosition(position, -1);
    return;
  }
  const int32_t current = position->entryNumber;
  if (TreeIsTrivial()) {
    int32_t previous = current == -2 ? static_cast<int32_t>(entryCount_) - 1 : current - 1;
    FinishPosition(position, previous < 0 ? -1 : previous);
    return;
  }
  if (!position->HasStates() || position->StateCount() != nodeCount_) {
    FinishPosition(position, -1);
    return;
  }
  const int32_t root = static_cast<int32_t>(nodeCount_) - 1;
  const int32_t answer = Evaluate(position, root, kQueryPrevious, nullptr, 0);
  FinishPosition(position, answer < 0 ? -1 : answer);
}

namespace {

// The text in the table's stored key form, for comparing with labels.
bool StoredKey(IndexTable* table, const SharedWideString& text, uint8_t* out, uint32_t* length) {
  IndexEntryRef ignored;
  (void)ignored;
  const int32_t cp = static_cast<int32_t>(table->GetCodePage());
  const uint8_t* stored = nullptr;
  uint32_t storedLength = 0;
  uint8_t bytes[kIndexScratchBytes];
  uint32_t n = 0;
  if (table->Header().collation.utf16Keys) {
    table->PrepareKey(reinterpret_cast<const uint8_t*>(text.Chars()), text.length, 65002, &stored,
                      &storedLength, nullptr);
  } else {
    for (uint32_t i = 0; i < text.length && n < sizeof(bytes); ++i) {
      const WCHAR c = text.Chars()[i];
      if (c > 0xFF) return false;
      bytes[n++] = static_cast<uint8_t>(c);
    }
    table->PrepareKey(bytes, n, cp, &stored, &storedLength, nullptr);
  }
  if (storedLength > kIndexScratchBytes) storedLength = kIndexScratchBytes;
  std::memcpy(out, stored, storedLength);
  *length = storedLength;
  return true;
}

}  // namespace

bool IndexQueryResult::FindKey(const SharedWideString& text, bool fromStart, QueryPosition* position) {
  if (table_ == nullptr || entryCount_ == 0) {
    FinishPosition(position, -2);
    return false;
  }
  bool start = fromStart || position->entry.record == -1;
  if (!start) {
    // Compared under the table's collation: with folded case or ignorable
    // characters the raw order of the texts is not the order of the keys.
    uint8_t key[kIndexScratchBytes];
    uint32_t keyLength = 0;
    const uint8_t* label = nullptr;
    uint32_t labelLength = 0;
    if (StoredKey(table_, text, key, &keyLength) &&
        table_->GetLabelData(position->entry.record, position->entry.entry, &label, &labelLength)) {
      const int32_t order = table_->CompareKeys(label, labelLength, key, keyLength, 0);
      if (order > 0) {
        FinishPosition(position, -2);
        return false;
      }
      if (order == 0) StepForward(position);
      else start = true;
    } else {
      start = true;
    }
  }
  if (start) {
    IndexEntryRef ref;
    if (!table_->LookupKey(text.Chars(), text.length, &ref, false)) {
      FinishPosition(position, -2);
      return false;
    }
    ResolvePosition(table_->GetEntryNumber(ref), position);
  }
  SharedWideString label;
  if (position->entry.record == -1 || !table_->GetLabel(position->entry, &label) || label.CompareTo(text) != 0) {
    FinishPosition(position, -2);
    return false;
  }
  return true;
}

void IndexQueryResult::GetRandomEntry(QueryPosition* position) {
  if (table_ == nullptr || entryCount_ == 0) {
    FinishPosition(position, -2);
    return;
  }
  // The generator keeps its whole state; only the entry is taken modulo n.
  RandomGenerator generator;
  generator.SetState(randomState_);
  randomState_ = generator.Next();
  const int32_t drawn = static_cast<int32_t>(randomState_ % entryCount_);
  ResolvePosition(drawn, position);
  if (position->entry.record == -1) GetEntryAt(position);
}

bool IndexQueryResult::GetEntryLabel(const IndexEntryRef& entry, SharedWideString* out) {
  out->Clear();
  if (table_ == nullptr || entry.record == -1) return false;
  return table_->GetLabel(entry, out);
}

uint32_t IndexQueryResult::CountTagItems(uint32_t tag, const IndexEntryRef& entry) {
  if (table_ == nullptr || tag == 255 || entry.record == -1) return 0;
  IndexEntryReader reader;
  if (!reader.Init(table_)) return 0;
  IndexEntryRef ref = entry;
  if (reader.Attach(ref) != 0) return 0;
  reader.FollowEntryLink(&ref);
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader.SeekTag(tag, &span, &perItem) != 0) return 0;
  return reader.CountItems();
}

// ---- Parameter nodes

uint32_t IndexQueryResult::CountNegatedNodes() const {
  uint32_t n = 0;
  for (uint32_t i = 0; i < nodeCount_; ++i) n += nodes_[i]->parameter;
  return n;
}

namespace {

QueryNode* ParameterNode(QueryNode** nodes, uint32_t count, uint32_t n, uint32_t* index) {
  for (uint32_t i = 0; i < count; ++i) {
    if (nodes[i]->parameter == 0) continue;
    if (n-- == 0) {
      *index = i;
      return nodes[i];
    }
  }
  return nullptr;
}

}  // namespace

IndexTable* IndexQueryResult::GetLinkedTable(uint32_t n) {
  uint32_t index = 0;
  QueryNode* node = ParameterNode(nodes_, nodeCount_, n, &index);
  if (node == nullptr || node->table == nullptr) return nullptr;
  node->table->AddRef();
  return node->table;
}

int32_t IndexQueryResult::GetLinkValues(uint32_t n, const IndexEntryRef& entry, QueryPosition* position) {
  if (!position->HasStates()) return 0;
  uint32_t index = 0;
  QueryNode* node = ParameterNode(nodes_, nodeCount_, n, &index);
  if (node == nullptr) return 1;
  if (table_ == nullptr || node->table == nullptr) return 1;
  const int32_t tag = node->table->LookupRecordMap(static_cast<uint32_t>(table_->GetHeaderRecordNumber()));
  if (SetLinkRange(node, node->table, entry, tag) != 0) return 1;
  if (index < position->StateCount()) position->States()[index].listSupplied = 1;
  return 0;
}

void IndexQueryResult::ClearLinkValues(uint32_t n, QueryPosition* position) {
  uint32_t index = 0;
  QueryNode* node = ParameterNode(nodes_, nodeCount_, n, &index);
  if (node == nullptr) return;
  node->ClearList();
  if (position->HasStates() && index < position->StateCount()) position->States()[index].listSupplied = 0;
}

// ---- RecordSource

RecordPosition IndexQueryResult::Resolved(int32_t ordinal, QueryPosition* position) {
  ResolvePosition(ordinal, position);
  return RecordPosition::Of(position->entryNumber);
}

RecordPosition IndexQueryResult::Previous(RecordPosition position) {
  if (position.pastEnd || position.beforeStart) return position;
  QueryPosition walk;
  ResolvePosition(position.ordinal, &walk);
  if (walk.entryNumber < 0) return RecordPosition::Of(walk.entryNumber);
  StepBackward(&walk);
  return RecordPosition::Of(walk.entryNumber);
}

RecordPosition IndexQueryResult::Next(RecordPosition position) {
  if (position.pastEnd) return position;
  QueryPosition walk;
  if (position.beforeStart) return Resolved(0, &walk);
  ResolvePosition(position.ordinal, &walk);
  if (walk.entryNumber < 0) return RecordPosition::Of(walk.entryNumber);
  StepForward(&walk);
  return RecordPosition::Of(walk.entryNumber);
}

void IndexQueryResult::GetText(RecordPosition position, SharedWideString* text) {
  text->Clear();
  if (position.pastEnd || position.beforeStart) return;
  QueryPosition walk;
  ResolvePosition(position.ordinal, &walk);
  GetEntryLabel(walk.entry, text);
}

void IndexQueryResult::GetFormattedText(RecordPosition position, SharedWideString* text) {
  GetText(position, text);
}
