// StreamPalmDatabase: a Palm database worked through a FileStream, or held
// only in memory without any file. Three modes:
//   0  every record in memory; changes are written back by Save;
//   1  records read from the file when locked (private copies); read-only;
//   2  only the head is answered.
// The stream factory (stream_factory.h) makes and loads these.
//
// Loading checks the file whole before it allocates anything for records:
// the head and every entry must fit the file, offsets must not go backwards
// and no record may pass 24 bits (palm_database_layout.h). The result tells
// a structurally invalid file from a failed read and from lack of memory,
// because only the first may ever be replaced by a fresh database.
//
// Saving never writes into the file itself. Save writes the whole database
// to "<name>.new" beside it, checking every write, flushes it to the store
// and closes it, both checked (a full or removed card often shows only
// there), and then replaces the file in one platform call (MoveFileExW with
// MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH, which syncs the
// folder), which keeps the replaced file's emulated attributes (the hidden
// bit) and creation time. A failure at any step up to the rename deletes
// "<name>.new" and leaves the file as it was; a crash leaves at most a stray
// "<name>.new", which the next writable open deletes. A folder sync that
// fails after the rename answers false too: the file is then the whole new
// one, but the store could not promise to keep the change.
//
// The database and the replaced file: the database holds its file open
// (its stream) from open to destruction, as the device's share modes
// expect. The platform refuses to replace a file that is open, so Save
// closes the database's own stream just before the rename and then opens
// the new file under the same path again, with the same access and share
// mode (disposition "open existing"). From then on the stream is the new
// file, whose contents are the database's. Should that reopen fail, the
// save still stands and the database goes on without a stream: its records
// are in memory and later saves work by path. Anyone else holding the file
// open (a mapped reader) makes the rename, and so the save, fail.
#pragma once

#include "foundation/files/file_stream.h"
#include "storage/container/palm_database.h"
#include "storage/container/palm_database_record_table.h"

// The files beside a database: "<name>.new" while a save is written,
// "<name>.bad" for a file set aside as not a sound database.
constexpr WCHAR kPalmNewFileSuffix[] = u".new";
constexpr WCHAR kPalmBadFileSuffix[] = u".bad";
// path + suffix in a new block (DeviceFree), or null.
WCHAR* PalmDatabaseSidePath(const WCHAR* path, const WCHAR* suffix);

enum class PalmLoadResult {
  kLoaded,
  kEmptyFile,   // a file of 0 bytes: nothing to load (a file just created)
  kInvalid,     // not a sound database: short head, entries or offsets that do not fit
  kReadFailed,  // the file is sound as far as known but a read came short
  kNoMemory,
};

class StreamPalmDatabase : public PalmDatabase {
 public:
  static constexpr int32_t kModeInMemory = 0;
  static constexpr int32_t kModeOnDemand = 1;
  static constexpr int32_t kModeHeadOnly = 2;

  // Takes ownership of the stream (may be null). The head starts zeroed,
  // noSaveOnClose set.
  StreamPalmDatabase(FileStream* stream, int32_t mode);
  // Saves first unless noSaveOnClose, discarded or memoryOnly is set.
  ~StreamPalmDatabase() override;

  // The head of a new database: the opener's type and creator, creation and
  // modification dates of now, everything else 0.
  void InitHeader(uint32_t creator, uint32_t type);
  // Loads the head (and in mode 0 every record; in mode 1 the entry table is
  // checked and not kept). On any failure the database is empty and
  // discarded.
  PalmLoadResult Load();
  void SetNoSaveOnClose(bool value) { noSaveOnClose_ = value ? 1 : 0; }
  void SetMemoryOnly() { memoryOnly_ = 1; }
  // Keeps the open-mode word and a copy of the path (false: no memory).
  bool KeepOpenMode(uint32_t mode, const WCHAR* path);
  int32_t Mode() const { return mode_; }
  bool IsDiscarded() const { return discarded_ != 0; }
  bool HasStream() const { return stream_ != nullptr; }

  bool Save() override;
  void Discard() override { discarded_ = 1; }
  RecordBuffer* LockRecord(uint16_t index, bool writable) override;
  RecordBuffer* LockRecordDefault(uint16_t index) override { return LockRecord(index, !noSaveOnClose_); }
  bool ReadBytes(uint16_t first, uint32_t skip, uint32_t count, void* destination) override;
  RecordBuffer* InsertRecord(uint16_t index, uint32_t size) override;
  bool DeleteRecord(uint16_t index) override;
  bool ResizeRecord(uint16_t index, uint32_t size) override;
  bool GetRecordSize(uint16_t index, uint32_t* size) override;
  bool GetRecordSizes(uint16_t first, uint16_t count, uint32_t* sizes) override;
  bool GetTotalSize(uint16_t first, uint16_t count, uint32_t* total) override;
  bool GetRecordInfo(uint16_t index, uint8_t* attributes, uint32_t* uniqueId) override;
  bool SetRecordInfo(uint16_t index, const uint8_t* attributes, const uint32_t* uniqueId) override;
  bool InsertionSortRecords(RecordCompare compare, void* context) override;
  bool QuickSortRecords(RecordCompare compare, void* context) override;
  bool BinarySearchRecords(RecordKeyCompare compare, void* context, const void* key, uint16_t* index) override;
  bool FindByUniqueId(uint32_t uniqueId, uint16_t* index) override;
  bool IsStreamBacked() const override { return true; }
  bool IsSlowStore() const override { return true; }
  void SetName(const char* text) override;
  bool SetHeaderWords(const uint16_t* attributes, const uint16_t* version, const uint32_t* modificationNumber,
                      const uint32_t* type, const uint32_t* creator) override;
  bool SetDates(const uint32_t* creation, const uint32_t* modification, const uint32_t* backup) override;
  uint16_t GetRecordCount() const override;

 private:
  // Frees every record's data and empties the table.
  void FreeRecords();
  PalmLoadResult LoadRecords(const uint8_t* entries, uint16_t count, uint32_t fileSize);
  // Reads n bytes at a file offset; false when fewer came.
  bool ReadAt(uint32_t offset, void* buffer, uint32_t n);
  // Mode 1: a record's place in the file, read from its entries.
  bool FileRecordExtent(uint16_t index, uint32_t* offset, uint32_t* size);
  // Writes the whole database to a new file at `target`, every write checked.
  bool WriteNewFile(const WCHAR* target, uint32_t modificationDate);
  // Closes and destroys the stream; false when the close reported an error.
  bool CloseStream();
  void ReopenStream();
  static bool ViewAt(PalmDatabase* database, uint16_t index, RecordView* view);
  bool SortRecords(RecordCompare compare, void* context, bool stable);

  FileStream* stream_;
  RecordTable table_;
  uint16_t fileCount_ = 0;  // modes 1 and 2: the count in the file's head
  int32_t mode_;
  uint8_t noSaveOnClose_ = 1;
  uint8_t discarded_ = 0;
  uint8_t memoryOnly_ = 0;
  uint32_t openMode_ = 0;
  WCHAR* path_ = nullptr;
};
