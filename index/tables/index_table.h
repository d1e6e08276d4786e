// IndexTable: one index of a book, a run of consecutive records: the index
// header record ("INDX" with its TAGX, IDXT, ORDT, LIGT and collation
// tables), its N entry records, then T text records. The table steps through
// entries, reads their labels and the texts their values point to, and finds
// keys under the index's collation. It is a DocumentStream: the book's
// source hands it out by descriptor ("tableid=", "table=", ...) and becomes
// its owner, whom the table asks for further tables and for the document.
//
// Records are held through locks on the book's store: the header record for
// the table's life, the last few entry records read (with their parsed
// heads, so that moving back and forth between neighbouring records neither
// locks nor parses a record again), one text record, and the entry records
// callers lock explicitly. Pointers to labels and entry bytes stay valid
// only until another entry record is loaded. Every offset, count and length
// read from a record is checked against that record.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/tables/index_entry_ref.h"
#include "index/tables/index_header.h"
#include "storage/sources/document_stream.h"

class PalmDatabase;
class RecordBuffer;

// GetStreamKind of an index table.
constexpr int32_t kIndexTableStreamKind = 257;
// Keys and labels are prepared in a scratch buffer of this size.
constexpr uint32_t kIndexScratchBytes = 256;
// Entry records kept loaded with their parsed heads. A spelling look-up
// searches the n-grams of some twenty patterns of one word in turn, over a
// few dozen records of the following table: the cache must hold them all,
// or its least recently used record is always the one asked next.
constexpr uint32_t kIndexEntryRecordCache = 64;

// A growable byte buffer for rule outputs (grown by half, at least 20 bytes).
struct ByteBuffer {
  uint8_t* data = nullptr;
  uint32_t length = 0;
  uint32_t capacity = 0;
  bool Reserve(uint32_t n);
  void Free();
};

// One TAGX entry.
struct TagxEntry {
  uint8_t tag;
  uint8_t valuesPerItem;
  uint8_t mask;
  uint8_t endOfControlByte;
};

class IndexTable : public DocumentStream {
 public:
  IndexTable();
  // The caller's block (kIndexScratchBytes) serves as scratch buffer and is
  // never freed by the table.
  explicit IndexTable(uint8_t* scratch);
  static IndexTable* Create();

  // ---- DocumentStream
  int32_t CompareIndex(int32_t n) override;  // 1: never a resource index
  int32_t CompareName(const WCHAR* name, uint32_t length) override { return MatchDescriptor(name, length); }
  bool GetMemory(const uint8_t** pointer, uint32_t* size) override;  // true, nothing
  uint32_t GetLength() override { return 0; }
  bool ReadRaw(uint32_t, void*, uint32_t) override { return false; }
  int32_t GetRecordIndex() override { return headerRecordNumber_; }
  int32_t GetStreamKind() override { return kIndexTableStreamKind; }

  // ---- Opening
  // 0 on success, 1 on failure (the table stays closed).
  int32_t Open(PalmDatabase* database, uint32_t headerRecord);
  // Opens a second table on record and keeps it as companion when it opens
  // and has index type 2; Open's answer.
  int32_t OpenCompanion(PalmDatabase* database, uint32_t record);
  // The table "tableid=" h + N + T + 1 from the owner, counted for the
  // caller; 0 on success. The table keeps it open until it closes, so that
  // its cached records serve every look-up.
  int32_t OpenFollowingTable(IndexTable** out);
  // The owner's "special_table=naming" (counted for the caller), or null.
  IndexTable* OpenNamingTable();
  void Close();
  bool IsOpen() const { return headerBuffer_ != nullptr; }

  void SetDescriptorText(const WCHAR* text, uint32_t length);
  const SharedWideString& GetDescriptorText() const { return descriptor_; }
  void SetScratchBuffer(uint8_t* block);
  // Takes ownership of a decoded block (allocated with DeviceAlloc), freed
  // with the table.
  void AdoptBuffer(void* block);
  void SetRecordBase(uint16_t base) { recordBase_ = base; }
  uint16_t GetRecordBase() const { return recordBase_; }
  // The book's primary index record (its special record of kind 1), told by
  // the opener.
  void SetPrimaryIndexRecord(int32_t record) { primaryIndexRecord_ = record; }

  // ---- Record map
  bool AllocateRecordMap(uint32_t n);
  void SetRecordMapEntry(uint32_t i, uint32_t key, uint32_t value);
  int32_t LookupRecordMap(uint32_t key) const;
  // Pairs in the record map: the extra records a directory table lists.
  uint32_t RecordMapCount() const { return recordMapCount_; }

  // ---- Header answers
  const IndexHeader& Header() const { return header_; }
  uint32_t GetCodePage() const { return header_.codePage; }
  bool MatchesDocumentEncoding(int32_t documentCodePage) const {
    return IsOpen() && static_cast<int32_t>(header_.codePage) == documentCodePage;
  }
  uint32_t GetLanguage();
  bool IsPrimaryIndex() const { return primaryIndexRecord_ >= 0 && primaryIndexRecord_ == headerRecordNumber_; }
  int32_t GetHeaderRecordNumber() const { return headerRecordNumber_; }
  uint32_t GetEntryRecordCount() const { return header_.count; }
  uint32_t GetTotalEntries() const { return header_.totalEntries; }
  // Copies the index name; true when it is empty.
  bool GetName(SharedWideString* name);
  IndexTable* Companion() const { return companion_; }
  void SetCompanion(IndexTable* table);
  const TagxEntry* TagTable(uint32_t* count, uint32_t* controlBytes) const;
  bool HasTagTable() const { return tagxValid_; }

  // ---- Stepping
  int32_t Step(IndexEntryRef* ref, int32_t n);
  int32_t GetEntryNumber(const IndexEntryRef& ref) const;
  IndexEntryRef MakeEntryRef(int32_t n);
  // Entries in entry record i (1..N) as the header record counts them.
  uint32_t RecordEntryCount(uint32_t i) const;

  // ---- Entry bytes (in place, valid until another entry record loads)
  // The entry's raw label; false when the entry cannot be reached or its
  // bytes overrun the record.
  bool GetLabelData(int32_t record, int32_t entry, const uint8_t** label, uint32_t* length);
  // The entry's bytes after its label and the end of its record.
  bool GetEntryData(int32_t record, int32_t entry, const uint8_t** data, const uint8_t** end);
  // The label after ligature or character-table decoding: bytes, or UTF-16
  // units for code page 65002 (length in bytes), in the scratch buffer.
  bool GetLabelBytes(const IndexEntryRef& ref, const uint8_t** bytes, uint32_t* length);
  bool GetLabel(const IndexEntryRef& ref, SharedWideString* text);
  bool GetLinkedLabel(int32_t n, SharedWideString* text);
  // Label item i of the header record (the highest key of record i + 1).
  bool GetHeaderLabel(uint32_t i, const uint8_t** label, uint32_t* length);

  // ---- Texts
  // The byte at a text position and the bytes left in its record; null when
  // the position lies outside the text records.
  const uint8_t* GetTextRecord(uint32_t position, uint32_t* available);
  bool ReadStoredText(uint32_t position, uint32_t byteCount, SharedWideString* text);
  bool ReadLengthPrefixedText(uint32_t position, SharedWideString* text);
  // The raw bytes of a length-prefixed text.
  bool ReadLengthPrefixedBytes(uint32_t position, const uint8_t** bytes, uint32_t* length);
  // Decodes bytes in the index code page (UTF-8 for 65002).
  bool DecodeText(const uint8_t* bytes, uint32_t length, SharedWideString* text) const;

  // ---- Explicit locks
  int32_t LockEntryRecord(uint32_t i);
  void UnlockEntryRecord(uint32_t i);
  // The bytes of entry record i while it is locked; null when it is not
  // (a new mapping of the store drops every lock: see StoreGeneration).
  const uint8_t* LockedRecordBytes(uint32_t i, uint32_t* size);
  // The bytes of the entry record loaded last (where an attached reader's
  // values lie); null when none.
  const uint8_t* CurrentEntryRecordBytes(uint32_t* size) const;
  // Changes when the table follows a new mapping of its store; locks taken
  // under an earlier generation are gone.
  uint32_t StoreGeneration() const { return storeGeneration_; }

  // ---- Descriptors and key search (search/)
  int32_t MatchDescriptor(const WCHAR* descriptor, uint32_t length) const;
  bool LookupKey(const WCHAR* key, uint32_t count, IndexEntryRef* ref, bool exactBytes);
  // A wide key as FindKey takes it in the index code page (UTF-16 units
  // for 65002, counted in units); false when a character has no form there
  // or the buffer is too small.
  bool ConvertKey(const WCHAR* key, uint32_t count, uint8_t* out, uint32_t capacity, uint32_t* length,
                  int32_t* keyCodePage) const;
  bool FindKey(const uint8_t* key, uint32_t length, IndexEntryRef* ref, bool exactBytes, int32_t keyCodePage,
               bool firstOfEquals, bool alreadyStored, bool noAdjust, uint32_t limit);
  int32_t StepWithinEqualKeys(IndexEntryRef* ref, bool forward);
  int32_t CompareKeys(const uint8_t* key, uint32_t keyLength, const uint8_t* label, uint32_t labelLength,
                      uint32_t limit) const;
  int32_t CompareEntries(const IndexEntryRef& a, const IndexEntryRef& b);
  void SetTieBreak(bool on) { tieBreak_ = on ? 1 : 0; }
  // Prepares a key in stored form into the scratch buffer; false when it
  // could not be represented (65002) — the bytes are still prepared.
  bool PrepareKey(const uint8_t* key, uint32_t length, int32_t keyCodePage, const uint8_t** stored,
                  uint32_t* storedLength, uint32_t* significant);
  // Significant bytes of a key in stored form.
  uint32_t SignificantLength(const uint8_t* key, uint32_t length) const;

  // ---- Rule outputs (inflection/)
  ByteBuffer& RuleBuffer() { return ruleBuffer_; }
  uint8_t* Scratch() { return scratch_; }
  PalmDatabase* Database() const { return database_; }

  // Drops every record held when the store was mapped again since they were
  // locked (never reading them) and opens the header record again; false
  // when the table is closed or cannot be opened again.
  bool EnsureCurrentStore();

  // ---- Observations
  uint32_t RecordLoads() const { return recordLoads_; }
  // Entry records held by the cache of recent records.
  uint32_t CachedEntryRecords() const;

 protected:
  ~IndexTable() override;

 private:
  bool LoadEntryRecord(uint32_t i);
  // Releases every cached entry record; none is current afterwards.
  void ReleaseEntryRecords();
  RecordBuffer* LoadRecord(uint32_t number);
  void ReleaseRecord(RecordBuffer** buffer);
  bool CheckHeaderItems();
  void ParseTagTable();
  bool EntryOffset(uint32_t entry, uint32_t* offset) const;
  bool SearchRecord(const IndexHeader& h, const uint8_t* key, uint32_t keyLength, uint32_t limit,
                    uint32_t* answer, bool* found);

  ByteBuffer ruleBuffer_;
  PalmDatabase* database_ = nullptr;
  RecordBuffer* textBuffer_ = nullptr;
  int32_t textRecordNumber_ = -1;
  RecordBuffer* headerBuffer_ = nullptr;
  int32_t headerRecordNumber_ = -1;
  IndexHeader header_;
  uint8_t tieBreak_ = 0;
  // The current entry record: one of the cached records (not a lock of its own).
  RecordBuffer* entryBuffer_ = nullptr;
  int32_t entryRecordNumber_ = -1;  // 1-based entry record, -1 none
  IndexHeader entryHeader_;
  struct CachedEntryRecord {
    RecordBuffer* buffer = nullptr;  // null: a free slot
    uint32_t number = 0;             // 1-based entry record
    uint32_t lastUse = 0;
    IndexHeader header;
  };
  CachedEntryRecord entryCache_[kIndexEntryRecordCache];
  uint32_t entryCacheClock_ = 0;
  uint8_t* scratch_ = nullptr;
  IndexTable* companion_ = nullptr;
  IndexTable* following_ = nullptr;  // counted
  bool scratchBorrowed_ = false;
  SharedWideString descriptor_;
  uint32_t* recordMap_ = nullptr;  // pairs {key, value}
  uint32_t recordMapCount_ = 0;
  uint16_t recordBase_ = 0;
  struct LockedRecord {
    RecordBuffer* buffer;
    int32_t useCount;
  };
  LockedRecord* locked_ = nullptr;  // N + 1 pairs
  uint32_t lockedCount_ = 0;
  uint32_t* entryStarts_ = nullptr;  // N + 1 running entry counts from the header's items
  const TagxEntry* tagx_ = nullptr;
  uint32_t tagxCount_ = 0;
  uint32_t controlBytes_ = 0;
  bool tagxValid_ = false;
  void* adopted_ = nullptr;
  int32_t primaryIndexRecord_ = -1;
  uint32_t recordLoads_ = 0;
  uint32_t storeGeneration_ = 0;
};

using IndexTablePtr = RefPtr<IndexTable>;
