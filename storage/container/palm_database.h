// PalmDatabase: the one interface through which the system reaches a Palm
// database file (books, side files, settings, catalogues, object databases):
// records are locked into RecordBuffers, released, inserted, resized,
// deleted, sorted, searched and sized by index, and the head's fields are
// read and set. Two implementations exist: MappedPalmDatabase reads a file
// in place through a read-only mapping; StreamPalmDatabase keeps the records
// in memory and writes the file back on Save (or reads records on demand,
// read-only). Both are made by OpenRecordDatabase (stream_factory.h).
//
// Failures are answers: false, null or 0. Operations that change the
// database answer false (or null) on a mapped database, on a read-only
// stream database and for an index at or past the record count, and change
// nothing then. The base class gives the shared forms of ReadBytes,
// LockRange, GetRecordSizes and GetTotalSize and the head getters.
//
// A locked record of a writable database is the database's own block:
// release it before that record is resized or deleted.
#pragma once

#include <cstdint>

#include "storage/container/palm_database_layout.h"
#include "storage/container/record_buffer.h"

// What sort and search callbacks see of a record: its bytes and its entry.
struct RecordView {
  const uint8_t* data;
  uint32_t size;
  uint8_t attributes;
  uint32_t uniqueId;
};

// compare(a, b, context) > 0: record a sorts after record b.
using RecordCompare = int (*)(const RecordView* a, const RecordView* b, void* context);
// compare(record, key, context) < 0: the record lies before the key; 0: a match.
using RecordKeyCompare = int (*)(const RecordView* record, const void* key, void* context);

class PalmDatabase {
 public:
  PalmDatabase() { ZeroPalmHeader(&header_); }
  virtual ~PalmDatabase() = default;
  PalmDatabase(const PalmDatabase&) = delete;
  PalmDatabase& operator=(const PalmDatabase&) = delete;

  // Writes the database to its file; false when any write, flush, sync or
  // close of the save failed, the file then being left as it was (a stream
  // database's one exception, a folder sync failing after the replace, is
  // told in palm_database_stream.h).
  virtual bool Save() { return false; }
  // No save on destruction.
  virtual void Discard() {}
  virtual bool IsMapped() const { return false; }

  // The record for reading (and, when writable and the database can change,
  // for writing); null for a bad index or when it cannot be had.
  virtual RecordBuffer* LockRecord(uint16_t index, bool writable) = 0;
  virtual RecordBuffer* LockRecordDefault(uint16_t index) = 0;
  // A direct pointer into a mapped file, or null.
  virtual const uint8_t* RecordPointer(uint16_t /*index*/, uint32_t* /*size*/) { return nullptr; }
  // From record `first` on: skips `skip` bytes across whole records, then
  // copies `count` bytes; false when the records end first or a record
  // cannot be locked.
  virtual bool ReadBytes(uint16_t first, uint32_t skip, uint32_t count, void* destination);
  // Locks records first .. first + count - 1 into buffers[]; when one fails
  // the ones locked are released and the answer is false.
  virtual bool LockRange(uint16_t first, uint16_t count, bool writable, RecordBuffer** buffers);
  // A new record of `size` bytes (contents undefined) at min(index, count),
  // locked for writing; null when it cannot be made.
  virtual RecordBuffer* InsertRecord(uint16_t /*index*/, uint32_t /*size*/) { return nullptr; }
  // Deletes the buffer. A stream database keeps its records' changes in
  // memory whatever `dirty` says; they reach the file on Save.
  virtual void ReleaseRecord(RecordBuffer* buffer, bool dirty);
  virtual bool DeleteRecord(uint16_t /*index*/) { return false; }
  virtual bool ResizeRecord(uint16_t /*index*/, uint32_t /*size*/) { return false; }
  virtual bool GetRecordSize(uint16_t index, uint32_t* size) = 0;
  virtual bool GetRecordSizes(uint16_t first, uint16_t count, uint32_t* sizes);
  // The sizes of count records from first added up; false on a bad index or
  // when the sum passes 32 bits.
  virtual bool GetTotalSize(uint16_t first, uint16_t count, uint32_t* total);
  // Each output may be null.
  virtual bool GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) = 0;
  // A null pointer leaves that field; a unique id above 24 bits is refused.
  virtual bool SetRecordInfo(uint16_t /*index*/, const uint8_t* /*attributes*/, const uint32_t* /*uniqueId*/) {
    return false;
  }
  virtual bool InsertionSortRecords(RecordCompare /*compare*/, void* /*context*/) { return false; }
  virtual bool QuickSortRecords(RecordCompare /*compare*/, void* /*context*/) { return false; }
  // Over records sorted by `compare`: true with *index at a match; false
  // with *index at the insertion point.
  virtual bool BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key, uint16_t* index) = 0;
  // The first record whose unique id matches (low 24 bits compared).
  virtual bool FindByUniqueId(uint32_t uniqueId, uint16_t* index) = 0;
  virtual bool IsStreamBacked() const = 0;
  // True where reading a record costs file reads (a stream database).
  virtual bool IsSlowStore() const = 0;

  // Copies at most 31 bytes of a NUL-terminated text; the rest of the field
  // is zeroed.
  virtual void SetName(const char* /*text*/) {}
  // The 32-byte name field (always followed by a NUL in memory).
  virtual const char* GetName() const { return header_.name; }
  // Type and creator are four characters as MakeFourCC makes them. Each
  // null pointer leaves its field.
  virtual bool SetHeaderWords(const uint16_t* /*attributes*/, const uint16_t* /*version*/,
                              const uint32_t* /*modificationNumber*/, const uint32_t* /*type*/,
                              const uint32_t* /*creator*/) {
    return false;
  }
  virtual bool GetHeaderWords(uint16_t* attributes, uint16_t* version, uint32_t* modificationNumber,
                              uint32_t* type, uint32_t* creator) const;
  virtual bool SetDates(const uint32_t* /*creation*/, const uint32_t* /*modification*/,
                        const uint32_t* /*backup*/) {
    return false;
  }
  virtual bool GetDates(uint32_t* creation, uint32_t* modification, uint32_t* backup) const;
  virtual uint16_t GetRecordCount() const = 0;
  // Whether the store behind the database is still there (mapped only).
  virtual bool IsStoreValid() { return false; }
  // Maps the file again (mapped only).
  virtual bool ReopenStore() { return false; }

  // The whole head as loaded or set (unique-id seed and offsets included).
  const PalmDatabaseHeader& Header() const { return header_; }
  // Counts the times the store was mapped again: records locked under an
  // older count point into a view that may be gone, so holders that keep
  // records across calls drop them (without reading them) when it changes.
  uint32_t GetStoreGeneration() const { return storeGeneration_; }

 protected:
  PalmDatabaseHeader header_;
  uint32_t storeGeneration_ = 0;
};

// Helpers for the implementations: binary search over records by a view
// callback, following the system's BinarySearch rules.
using RecordViewAt = bool (*)(PalmDatabase* database, uint16_t index, RecordView* view);
bool BinarySearchRecordViews(PalmDatabase* database, uint16_t count, RecordViewAt viewAt,
                             RecordKeyCompare compare, void* context, const void* key, uint16_t* index);
