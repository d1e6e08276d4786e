// BookDocument: the Document of a corv book or a Palm Doc file. It reads the
// header (record 0), finds the text record that holds a position, and hands
// out its text as blocks: the record's trailing entries are cut off, the
// text is decompressed (PalmDOC or HUFF/CDIC), the bytes of a UTF-8
// character cut by the record's end are carried over from the record, and
// the result is converted into the code page the reader asked for. Decoded
// blocks live in records of an in-memory database (the decode store) and
// are shared by use count until the reader gives them back.
//
// Positions count bytes of the stored text in the book's own encoding.
// Blocks of converted text count characters; AdvancePosition and
// PositionDistance translate between the two through the character-position
// map that a UTF-8 conversion fills, and count two bytes per unit of UTF-16
// text.
//
// A book is untrusted input: every failure sets the error code (8 for a
// corrupt book, 10 for lack of memory) and answers false, and nothing reads
// or writes outside a record or a buffer.
#pragma once

#include <cstdint>

#include "foundation/containers/range_index.h"
#include "foundation/containers/segmented_array.h"
#include "foundation/containers/segmented_array_typed.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "storage/books/book_guide.h"
#include "storage/books/book_header.h"
#include "storage/documents/document.h"
#include "storage/compression/huff_cdic.h"
#include "storage/compression/huff_cdic_text_offsets.h"

class DocumentHost;
class PalmDatabase;
struct CharPositionMap;

// String shown while the HUFF/CDIC tables load from a slow store.
constexpr uint32_t kStringLoadingFromCard = 5106;

class BookDocument : public Document {
 public:
  BookDocument();
  ~BookDocument() override;

  // Binds the store (deleted at Close when owned) and reads the header.
  // Answers 0 or the error code (2, 8, 10, 11). defaultCodePage stands in
  // for a book that names none; requestedCodePage is what the reader wants.
  int32_t Open(PalmDatabase* store, bool ownsStore, DocumentHost* host, int32_t defaultCodePage,
               int32_t requestedCodePage);
  int32_t GetErrorCode() const { return error_; }

  // ---- Document: text
  void Close() override;
  bool ReadBlock(uint32_t position, TextBlock* block, uint32_t section, bool raw) override;
  void ReleaseBlock(uint16_t blockId) override;
  uint32_t AdvancePosition(uint32_t position, uint32_t count, uint32_t section) override;
  uint32_t PositionDistance(uint32_t from, uint32_t to, uint32_t section) override;
  uint32_t GetTextLength() override;
  int32_t GetCodePage() override { return targetCp_; }

  // ---- Document: header answers
  bool GetShortName(SharedWideString* name) override;
  const uint8_t* GetExtraHeaderData(uint32_t* length) override;
  const uint8_t* GetStoreNameBytes(uint32_t* length) override;
  bool GetStoreName(SharedWideString* name) override;
  bool GetHeaderInfo(DocumentHeaderInfo* info) override;
  int32_t GetGuideState() override;
  uint32_t GetLanguage() override;
  bool GetDictionaryLanguages(uint32_t* input, uint32_t* output) override;
  uint32_t GetBookType() override { return header_.bookType; }
  bool HasExthFlag2() override { return (header_.exthFlags & 0x2) != 0; }
  bool HasExtraFlag4() override { return (header_.extraFlags & 0x4) != 0; }
  bool LacksExthFlag8() override { return (header_.exthFlags & 0x8) == 0; }
  bool HasExthFlag80() override { return (header_.exthFlags & 0x80) != 0; }
  // A book's reader can start at any record, so the pager positions it from a
  // page's saved parser state instead of replaying the text from its start.
  bool IsPlainDocument() override { return false; }
  bool IsStoreValid() override;
  // Maps the store again; false, with nothing done, while a block read in
  // place from the store is still held.
  bool ReopenStore() override;
  // ---- Document: properties, links and positions
  bool HasPropertyList(int32_t kind) override;
  uint32_t GetPropertyCount(int32_t kind) override;
  bool GetProperty(int32_t kind, uint32_t n, DocumentProperty* out) override;
  bool FindProperty(const WCHAR* name, uint32_t length, int32_t kind, DocumentProperty* out,
                    int32_t value) override;
  bool GetPositionEntryText(uint32_t position, SharedWideString* text) override;
  void CreatePositionQuery(IndexQueryResult** result, uint32_t position, IndexTable* source) override;
  // Header version above 3: 1 with *entries naming the entry list of the
  // position (and *range its end), 0 when there is none.
  int32_t LookupIndexEntry(uint32_t position, EntryListIterator* entries, bool* changed, uint32_t previous,
                           uint32_t* range) override;
  uint32_t FindAnchorPosition(uint32_t from, uint32_t to, bool forward) override;
  // Slot 42, reserved.
  virtual uint32_t Reserved42() { return 0; }

  // ---- Header
  bool ParseHeader();
  const BookHeader& Header() const { return header_; }
  const SharedWideString& FullName() const { return fullName_; }
  uint32_t GetHeaderVersion() const { return header_.headerVersion; }
  uint32_t GetFormatVersion() const {
    return header_.formatVersion != 0 ? header_.formatVersion : header_.headerVersion;
  }
  int32_t GetBookId() const { return header_.bookId; }
  int32_t GetSourceCodePage() const { return sourceCp_; }
  bool HasSpecialRecord(uint32_t kind) const;
  uint16_t GetSpecialRecord(uint32_t kind) const;
  bool ResolveResourceRecord(uint32_t* number) const;
  PalmDatabase* Store() const { return store_; }

  // ---- Text records
  bool GetSectionRange(uint32_t section, uint32_t* start, uint32_t* end);
  // The text record (1-based) holding an absolute position, its start and
  // the length of text it covers.
  bool LocateTextRecord(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length);
  bool UsesDecodedText() const;

  // ---- HUFF/CDIC tables
  bool EnsureHuffCdicTables();
  bool LoadHuffCdicTables();
  void ReleaseDecoderBuffers();

  // ---- Position directory
  void ReleasePositionDirectory();

  // ---- Trailing data of text records (header version 6 and above)
  // The trailing entries of the text record that holds a position (the
  // record's last bytes that its entry flags claim), held until
  // ReleaseRecordTrailingData(*record). False when the book's records carry
  // none, the position has no record or the entries overrun it.
  bool GetRecordTrailingData(uint32_t position, const uint8_t** data, uint32_t* size, uint32_t* record);
  void ReleaseRecordTrailingData(uint32_t record);
  uint32_t HeldTrailingCount() const { return trailing_.Count(); }

  // ---- Observations for tests
  uint16_t BlockUseCount(uint16_t blockId) const;
  // Block slots examined by the cache's searches since opening: a bound on
  // the cost of a book of very many records without a clock.
  uint64_t CacheProbes() const { return cacheProbes_; }
  uint32_t BlockSlotCount() const { return lockedRecords_.Count(); }
  PalmDatabase* DecodeStore() const { return decodeStore_; }

 private:
  // One block slot: the block as first read (record-relative), its use count
  // and the character-position map behind its text.
  struct CachedBlock {
    TextBlock block;
    uint16_t useCount;
    const CharPositionMap* map;
    uint32_t recordStart;  // absolute position of the record's first byte
    uint32_t span;         // text bytes the record covers, as located
    uint32_t textBytes;    // bytes it decoded to (carried bytes not counted)
    uint32_t unitBytes;    // source bytes per unit when there is no map
  };

  CachedBlock* Slot(uint32_t index) const { return static_cast<CachedBlock*>(cache_.At(index)); }
  RecordBuffer** LockedAt(uint32_t index) const { return static_cast<RecordBuffer**>(lockedRecords_.At(index)); }
  const CachedBlock* FindCached(uint32_t absolute, int raw) const;
  // The index's key of a slot in use: record start, then converted before
  // raw.
  static uint64_t IndexKey(uint32_t recordStart, uint8_t raw) {
    return (static_cast<uint64_t>(recordStart) << 1) | (raw != 0 ? 1u : 0u);
  }
  bool Fail(int32_t code);
  void DecodeNames();
  bool DetectCompression();
  uint32_t OutputRecordSize() const;
  bool Converts(bool raw) const;
  bool UsesMap(bool raw) const;
  int32_t AcquireSlot(uint32_t* index);
  void FreeSlot(uint32_t index);
  void TrimSlots();
  bool ReadInPlace(uint32_t record, uint32_t recordStart, uint32_t length, uint32_t slot, bool raw,
                   CachedBlock* entry);
  bool ReadDecoded(uint32_t record, uint32_t recordStart, uint32_t length, uint32_t slot, bool raw,
                   CachedBlock* entry);
  void MakeSectionRelative(const CachedBlock& entry, uint32_t sectionStart, uint32_t sectionEnd,
                           TextBlock* block) const;
  bool RecordTextLength(uint32_t record, uint32_t* length);
  bool KnownRecordLength(uint32_t record, uint32_t* length) const;
  void NoteRecordLength(uint32_t record, uint32_t length);
  void TakeStatedTextLength();
  bool LocatePalmDocRecord(uint32_t position, uint32_t* record, uint32_t* start, uint32_t* length);
  bool ReadSectionEntry(uint32_t section, uint32_t* start, uint32_t* end);

  BookHeader header_;
  SharedWideString fullName_;
  SharedWideString shortName_;
  uint8_t* rawNames_ = nullptr;   // full and short name as stored, until decoded
  uint8_t* extraData_ = nullptr;  // a copy of the EXTH 300 entry
  uint32_t extraDataLength_ = 0;
  DocumentHost* host_ = nullptr;
  PalmDatabase* store_ = nullptr;
  bool ownsStore_ = false;
  PalmDatabase* decodeStore_ = nullptr;
  int32_t error_ = 0;
  int32_t sourceCp_ = -1;
  int32_t targetCp_ = -1;
  uint32_t mapShift_ = 0;
  SegmentedArray lockedRecords_;  // RecordBuffer* per block slot (null: free)
  SegmentedArray cache_;          // CachedBlock per block slot
  // The slots in use by record start, so that a book of very many records
  // with many blocks out finds its blocks without walking every slot; and
  // the slots freed since (checked when taken: trimming forgets some).
  RangeIndex blockIndex_;
  SegmentedTypedArray<uint32_t> freeSlots_;
  mutable uint64_t cacheProbes_ = 0;
  // Palm Doc files: the record a sequential scan last found.
  uint32_t scanRecord_ = 1;
  uint32_t scanStart_ = 0;
  uint32_t scanLength_ = 0;
  // Plain-text books: each text record's decoded length once counted
  // (kUnknown until then); null when it could not be allocated.
  uint32_t* recordLengths_ = nullptr;
  // Palm Doc files: the text length record 0 states, and whether it stands
  // for the records' count until a record decodes to another length.
  uint32_t statedTextLength_ = 0xFFFFFFFFu;
  bool statedLengthInUse_ = false;
  uint32_t sectionEntriesPerRecord_ = 0xFFFF;
  // HUFF/CDIC: the decoder, the DATP tables and the records they point into.
  HuffCdicDecoder decoder_;
  TextOffsetTables offsets_;
  RecordBuffer** heldRecords_ = nullptr;
  uint32_t heldCount_ = 0;
  bool tablesLoaded_ = false;
  // Guide and title (book_document_properties.cpp).
  bool EnsureGuide();
  GuideList guide_;
  bool guideLoaded_ = false;
  int32_t guideState_ = -1;  // -1: not yet asked
  uint32_t guideLanguage_ = 0;
  // Position directory (book_document_positions.cpp): directory record 0
  // locked while open, one further directory record and one entry-data
  // record cached.
  bool LookupPositionPair(uint32_t position, uint32_t* reference, uint32_t* start, uint32_t* end);
  const uint8_t* CachedRecord(RecordBuffer** slot, int32_t* number, uint32_t record, uint32_t* size);
  RecordBuffer* directoryRoot_ = nullptr;
  RecordBuffer* directoryCache_ = nullptr;
  int32_t directoryCacheNumber_ = -1;
  RecordBuffer* entryCache_ = nullptr;
  int32_t entryCacheNumber_ = -1;
  // Held trailing data (book_document_trailing.cpp): a few records' trailing
  // entries, each kept locked in the store or, from a slow store, copied to
  // the heap (buffer null). At most one entry not in use stays.
  struct HeldTrailing {
    const uint8_t* data;
    RecordBuffer* buffer;
    uint32_t record;
    uint32_t size;
    uint32_t useCount;
    uint32_t age;
  };
  HeldTrailing* HeldAt(uint32_t index) const { return static_cast<HeldTrailing*>(trailing_.At(index)); }
  int32_t FindHeld(uint32_t record) const;
  // Holds the record's trailing data (from ReadBlock: `locked` is its lock
  // of the record, and the entry is not counted as in use); its index or -1.
  int32_t HoldTrailingData(uint32_t record, RecordBuffer* locked, bool fromReadBlock);
  void DropHeld(uint32_t index);
  // Drops the oldest entry not in use other than `except`; false when none.
  bool DropOldestUnused(uint32_t except);
  void DropAllHeld();
  bool HoldsMappedTrailingInUse() const;
  SegmentedArray trailing_;
  uint32_t trailingAge_ = 0;
};
