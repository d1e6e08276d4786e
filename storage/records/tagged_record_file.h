// TaggedRecordFile: the access layer of the system's own small data files
// (the global settings file and every book's side file). The file is a Palm
// database; every record of it opens with a four-letter tag and a stored
// data length, both big-endian:
//
//   0      4  tag, four ASCII letters in reading order ("BPAR", "DATA", ...)
//   4      4  stored data length n
//   8      n  data
//   8 + n     filler up to the record size (written as zeros, never read)
//
// A record is readable only when its size is at least 8 and at least 8 + n;
// the stored length alone measures the data. Typed fields are read and
// written by (record identifier, offset inside the data, expected tag): a
// field past the stored length, in a record of another tag or in a record
// that is gone is a failure, and the getters' callers keep their presets,
// which is how records written by older versions read before their upgrade.
//
// Record identifiers are the container's 24-bit unique identifiers;
// kHeaderRecordId names the record at index 0 whatever its identifier, and
// kNoRecordId means none. A 32-bit field may link to another record (a text
// or a blob with a tag of its own); a link of -1 is absent.
//
// At most one record is held locked at a time, the cursor. A getter leaves
// its record held for reading, so a run of getters on one record locks it
// once; setters give the record back at once; every other operation first
// gives the held record back (as modified when it was held for writing).
//
// Results: operations answer RecordResult (kOk = 0, kFailed = 1) unless they
// say otherwise; an output argument is left untouched on failure, so callers
// preset it. GrowRecord alone answers a bool: true when it grew the record.
//
// The class is abstract: derived files open, create and upgrade their
// containers. Implementation: tagged_record_file.cpp (cursor, fields,
// lifecycle), tagged_record_file_write.cpp (writing, growing and deleting
// records) and tagged_record_file_linked.cpp (linked texts and blobs).
#pragma once

#include <cstdint>

#include "foundation/streams/byte_stream.h"
#include "foundation/encoded_string/encoded_string.h"
#include "foundation/streams/byte_order.h"  // record words are big-endian
#include "platform/types/device_types.h"
#include "storage/container/palm_database.h"
#include "storage/records/record_id_index.h"
#include "storage/records/settings_environment.h"

// Success and failure of the record-file operations. An enum class so that a
// result cannot be tested as a truth value by mistake (0 is success here).
enum class RecordResult : int32_t { kOk = 0, kFailed = 1 };

constexpr uint32_t kHeaderRecordId = 0xEFFFFFFFu;  // the record at index 0
constexpr uint32_t kNoRecordId = 0xFFFFFFFFu;      // no record; an absent link
constexpr uint16_t kNoRecordIndex = 0xFFFF;
// Index hint of a new record: directly behind the header record.
constexpr uint16_t kInsertBehindHeader = 0xFFFF;
constexpr uint32_t kNoTag = 0xFFFFFFFFu;
constexpr uint32_t kRecordHeadSize = 8;  // tag and stored length

// A tag as the u32 of its four bytes read big-endian ("DATA" = 0x44415441).
constexpr uint32_t RecordTag(const char (&text)[5]) { return MakeFourCC(text); }

// A record's size for n bytes of data: 8 + n rounded up to a multiple of 4.
constexpr uint32_t TaggedRecordSize(uint32_t dataLength) { return (kRecordHeadSize + dataLength + 3u) & ~3u; }

class TaggedRecordFile {
 public:
  TaggedRecordFile() = default;
  // Releases the cursor and closes the container.
  virtual ~TaggedRecordFile();
  TaggedRecordFile(const TaggedRecordFile&) = delete;
  TaggedRecordFile& operator=(const TaggedRecordFile&) = delete;

  // ---- Virtual operations, in slot order (after the destructor) ----
  // Opens the file inside the application's data folder.
  virtual RecordResult OpenInDataFolder(SettingsEnvironment* environment, bool readOnly) = 0;
  // Opens (or creates) the file's container by path.
  virtual RecordResult Open(const EncodedString& path, bool readOnly) = 0;
  // Brings records written by older versions to the current layout; true
  // when anything changed.
  virtual bool Upgrade() = 0;
  // Writes the container to its file; false without writing when there is
  // no container or the file is open read-only.
  virtual bool Save();
  // Releases the cursor and destroys the container. A writable container
  // saves itself on destruction; one whose file is open read-only is
  // discarded, so that it never writes.
  virtual void Close();

  bool IsOpen() const { return database_ != nullptr; }
  bool IsReadOnly() const { return noSave_ != 0; }
  // The container, for the derived files and for tests; null while closed.
  PalmDatabase* Database() const { return database_; }

  // ---- Cursor and records ----
  // Releases the cursor, locks record `index` and makes it the cursor;
  // answers its tag, or kNoTag (no container, bad index, lock refused).
  uint32_t LockRecordAtIndex(uint16_t index, bool writable);
  // Locks record `index` for reading and answers its data (behind the head)
  // with the stored length, when the record is readable and carries `tag`;
  // otherwise null with *length 0.
  const uint8_t* LockRecordData(uint16_t index, uint32_t* length, uint32_t tag);
  // The same by identifier; null for kNoRecordId or an unknown identifier.
  const uint8_t* LockRecordById(uint32_t id, uint32_t* length, uint32_t tag);
  // The record's data as UTF-16 in native order, a copy valid until the
  // next operation on the file; *count is the stored length / 2. A record of
  // fewer than 2 bytes answers its raw data with count 0.
  const WCHAR* ReadWideRecord(uint32_t id, uint32_t* count, uint32_t tag);

  // Creates (id kNoRecordId), re-sizes or (length 0) deletes a record and
  // leaves it held for writing with its head written and its filler zeroed;
  // the caller writes the data at offset 8 through HeldRecordData.
  RecordResult WriteRecord(uint32_t* id, uint32_t length, uint32_t tag, uint16_t index);
  RecordResult WriteRecordData(uint32_t* id, const void* bytes, uint32_t length, uint32_t tag, uint16_t index);
  // The stream's whole content from its start (its read position is reset).
  RecordResult WriteRecordBlob(uint32_t* id, ByteStream& stream, uint32_t tag, uint16_t index);
  // UTF-16 text stored big-endian; a null text or a count of 0 deletes.
  RecordResult WriteWideRecord(uint32_t* id, const WCHAR* chars, uint32_t count, uint32_t tag, uint16_t index);
  // Success without action for kNoRecordId; a record of another tag stays.
  RecordResult DeleteRecord(uint32_t id, uint32_t tag);
  // For upgrades: enlarges record `index` of tag `expectedTag` to
  // newLength bytes of data, writes the new stored length and zeroes the
  // new bytes. True when it enlarged the record; *oldLength and *tag report
  // what it found.
  bool GrowRecord(uint16_t index, uint32_t newLength, uint32_t* oldLength, uint32_t* tag, uint32_t expectedTag);
  // The data (byte 8 on) of the record that WriteRecord left held for
  // writing, with its stored length; null when no record is so held.
  uint8_t* HeldRecordData(uint32_t* length);
  // Gives the held record back and frees the conversion buffer.
  void ReleaseCurrent();

  // ---- Typed fields ----
  RecordResult SetInt32(uint32_t id, uint32_t offset, uint32_t value, uint32_t tag);
  RecordResult GetInt32(uint32_t id, uint32_t offset, uint32_t* value, uint32_t tag);
  RecordResult SetInt16(uint32_t id, uint32_t offset, uint16_t value, uint32_t tag);
  RecordResult GetInt16(uint32_t id, uint32_t offset, uint16_t* value, uint32_t tag);
  RecordResult SetByte(uint32_t id, uint32_t offset, uint8_t value, uint32_t tag);
  RecordResult GetByte(uint32_t id, uint32_t offset, uint8_t* value, uint32_t tag);
  RecordResult SetBytes32(uint32_t id, uint32_t offset, const uint8_t* bytes, uint32_t tag);
  RecordResult GetBytes32(uint32_t id, uint32_t offset, uint8_t* bytes, uint32_t tag);

  // ---- Linked fields: the field at (id, offset, tag) links a record of
  // dataTag. Setters write the linked record (a new one behind the header
  // when the link is absent; deletion when the text is empty) and store the
  // link back. ----
  RecordResult SetLinkedString(uint32_t id, uint32_t offset, uint32_t tag, const void* bytes, uint32_t length,
                               uint32_t dataTag);
  RecordResult SetLinkedBlob(uint32_t id, uint32_t offset, uint32_t tag, ByteStream& stream, uint32_t dataTag);
  RecordResult SetLinkedWideString(uint32_t id, uint32_t offset, uint32_t tag, const WCHAR* chars, uint32_t count,
                                   uint32_t dataTag);
  const uint8_t* GetLinkedData(uint32_t id, uint32_t offset, uint32_t tag, uint32_t* length, uint32_t dataTag);
  const WCHAR* GetLinkedWideString(uint32_t id, uint32_t offset, uint32_t tag, uint32_t* count, uint32_t dataTag);

  // The cursor, for tests and the derived files.
  uint32_t CursorId() const { return cursorId_; }
  uint16_t CursorIndex() const { return cursorIndex_; }
  bool CursorHeldForReading() const { return cursorBuffer_ && lockedForReading_; }

 protected:
  // Takes ownership of a container (the derived open operations).
  void AttachDatabase(PalmDatabase* database) { database_ = database; }
  // Destroys the container without saving it.
  void DiscardDatabase();
  // Opens the writable container at `path` in `mode` (a disposition that
  // creates a missing file; creator and type go into a new one's head) and
  // attaches it. A database whose record 0 is
  // not a header of `headerTag` is not this kind of file: it is set aside as
  // "<name>.bad" and an empty container made in its place. *fresh says the
  // container holds no records, so the caller writes a new header. A failed
  // read, lack of memory or a failed rename answers kFailed with nothing
  // attached, and no file is touched but the one set aside.
  RecordResult OpenReplacingForeign(const WCHAR* path, uint32_t mode, uint32_t creator, uint32_t type,
                                    uint32_t headerTag, bool* fresh);
  void SetNoSave(bool value) { noSave_ = value ? 1 : 0; }
  // The index of an identifier: 0 for kHeaderRecordId; false for
  // kNoRecordId, an identifier beyond 24 bits or one the container lacks.
  bool FindRecordIndex(uint32_t id, uint16_t* index);
  // Whether record 0 is a readable record of `tag`: kReadable; kAbsent when
  // the file structurally lacks it (no record 0, a record 0 of another tag
  // or one that does not hold its stored length); kUnknown when record 0
  // could not be locked (lack of memory), which says nothing of the file.
  enum class HeaderState { kReadable, kAbsent, kUnknown };
  HeaderState CheckHeader(uint32_t tag);
  bool HasReadableHeader(uint32_t tag) { return CheckHeader(tag) == HeaderState::kReadable; }
  // Field access by index (upgrades address each record where it lies).
  RecordResult SetInt32AtIndex(uint16_t index, uint32_t offset, uint32_t value, uint32_t tag);

 private:
  // Locks record `index` and makes it the cursor; false when the lock is
  // refused or (writable) the record cannot be written.
  bool HoldRecord(uint16_t index, bool writable);
  // The held record's size in bytes (0 when nothing is held).
  uint32_t HeldSize() const;
  // The held record's stored length (the caller checked HeldSize() >= 8).
  uint32_t HeldStoredLength() const;
  // Field access: the address of byte 8 + offset of the record, held in the
  // requested mode, when the field fits the record and its stored length
  // and the record carries `tag`; null otherwise.
  uint8_t* AccessField(uint32_t id, uint32_t offset, uint32_t size, bool writable, uint32_t tag);
  uint8_t* AccessFieldAtIndex(uint16_t index, uint32_t offset, uint32_t size, bool writable, uint32_t tag);
  uint8_t* FieldInHeldRecord(uint32_t offset, uint32_t size, uint32_t tag);
  // Writes through a field and gives the record back.
  RecordResult StoreField(uint8_t* field, const void* bytes, uint32_t size);
  // Reads the link at a field; kNoRecordId when it names no record of
  // dataTag (absent, dangling or pointing at another kind of record), so
  // that a damaged link is replaced instead of blocking the field forever.
  RecordResult ReadUsableLink(uint32_t id, uint32_t offset, uint32_t tag, uint32_t dataTag, uint32_t* link);
  // Stores a link written by a linked setter; a record that was created
  // for it is deleted again when the link cannot be stored.
  RecordResult StoreLink(uint32_t id, uint32_t offset, uint32_t tag, uint32_t oldLink, uint32_t newLink,
                         uint32_t dataTag);
  // WriteRecord's step for an existing record: lock, check the tag,
  // re-size, lock again.
  RecordResult ResizeExistingRecord(uint32_t id, uint32_t recordSize, uint32_t tag);

  PalmDatabase* database_ = nullptr;
  RecordIdIndex idIndex_;  // finds records by identifier without walking them
  uint32_t cursorId_ = kNoRecordId;
  uint16_t cursorIndex_ = kNoRecordIndex;
  uint32_t cursorTag_ = kNoTag;
  RecordBuffer* cursorBuffer_ = nullptr;
  uint8_t* cursorData_ = nullptr;  // the held record's first byte (its tag)
  WCHAR* conversion_ = nullptr;    // byte-swapped copy of a UTF-16 record
  uint8_t noSave_ = 1;
  uint8_t lockedForReading_ = 1;
};

