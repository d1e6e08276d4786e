// OpenRecordDatabase: mapped first for read-only opens, else a stream
// database over the file (or none), loaded by the disposition, with a
// structurally invalid file set aside as "<name>.bad" when a fresh one may
// take its place.
#include "storage/container/stream_factory.h"

#include "foundation/files/file_mode.h"
#include "foundation/files/file_stream.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database_mapped.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/storage_errors.h"

namespace {

constexpr uint32_t kDispositionMask = 0x1C;
constexpr uint32_t kDispositionCreateBit = 4;   // create new, open always, create always
constexpr uint32_t kDispositionLoadBit = 8;     // open existing, open always
constexpr uint32_t kDispositionTruncateBit = 16;

// Opens the file by the mode word. The handle is opened here and then
// given to the stream, so that a file that cannot be opened (12) is told
// apart from a stream that cannot be allocated (10).
int32_t OpenStream(const WCHAR* path, uint32_t mode, FileStream** out) {
  *out = nullptr;
  if (!path) return kStorageCannotOpen;
  HANDLE handle = CreateFileW(path, FileModeAccess(mode), FileModeShare(mode), nullptr, FileModeDisposition(mode),
                              FileModeFlags(mode, kFileAttributeArgNormal, true), nullptr);
  if (handle == INVALID_HANDLE_VALUE) return kStorageCannotOpen;
  FileStream* stream = DeviceNew<FileStream>(handle);
  if (!stream) {
    CloseHandle(handle);
    return kStorageNoMemory;
  }
  *out = stream;
  return kStorageOk;
}

// A stream database over a newly opened file; null with the code.
StreamPalmDatabase* OpenStreamDatabase(const WCHAR* path, uint32_t mode, int32_t databaseMode, int32_t* code) {
  FileStream* stream = nullptr;
  *code = OpenStream(path, mode, &stream);
  if (!stream) return nullptr;
  StreamPalmDatabase* database = DeviceNew<StreamPalmDatabase>(stream, databaseMode);
  if (!database) {
    delete stream;
    *code = kStorageNoMemory;
  }
  return database;
}

PalmDatabase* Fail(StreamPalmDatabase* database, int32_t* error, int32_t code) {
  if (database) {
    database->Discard();
    delete database;
  }
  SetStorageError(error, code);
  return nullptr;
}

PalmDatabase* OpenInMemory(uint32_t mode, uint32_t creator, uint32_t type, int32_t* error) {
  bool writable = FileModeWantsWrite(mode);
  StreamPalmDatabase* database =
      DeviceNew<StreamPalmDatabase>(nullptr, writable ? StreamPalmDatabase::kModeInMemory : StreamPalmDatabase::kModeOnDemand);
  if (!database) return Fail(nullptr, error, kStorageNoMemory);
  database->InitHeader(creator, type);
  database->SetNoSaveOnClose(!writable);
  database->SetMemoryOnly();
  database->KeepOpenMode(mode, nullptr);
  return database;
}

}  // namespace

bool SetAsideBadFile(const WCHAR* path) {
  WCHAR* badPath = PalmDatabaseSidePath(path, kPalmBadFileSuffix);
  if (!badPath) return false;
  bool moved = MoveFileExW(path, badPath, MOVEFILE_REPLACE_EXISTING) != FALSE;
  DeviceFree(badPath);
  return moved;
}

WCHAR* DuplicateWideString(const WCHAR* text) { return CopyWideText(text); }

PalmDatabase* OpenRecordDatabase(const WCHAR* path, uint32_t mode, uint32_t creator, uint32_t type,
                                 int32_t* error) {
  SetStorageError(error, kStorageOk);
  mode &= ~kDatabaseModeReloadOnChange;
  if (mode & kDatabaseModeMemoryOnly) return OpenInMemory(mode, creator, type, error);

  uint32_t disposition = mode & kDispositionMask;
  bool writable = FileModeWantsWrite(mode);
  if (!writable) {
    int32_t code = kStorageOk;
    MappedPalmDatabase* mapped = MappedPalmDatabase::Open(path, mode, &code);
    if (mapped) return mapped;
    if (code == kStorageCorrupt && !(disposition & kDispositionCreateBit)) return Fail(nullptr, error, code);
  } else if (path) {
    // A save that was cut short left its new file behind: the old file is
    // the good one.
    WCHAR* newPath = PalmDatabaseSidePath(path, kPalmNewFileSuffix);
    if (!newPath) return Fail(nullptr, error, kStorageNoMemory);
    DeleteFileW(newPath);
    DeviceFree(newPath);
  }

  int32_t databaseMode = writable ? StreamPalmDatabase::kModeInMemory : StreamPalmDatabase::kModeOnDemand;
  // A writable database reaches its file only through Save's replace, so
  // truncating the file at open would only lose the old copy early (and for
  // nothing, should the open then fail): "truncate existing" opens the file
  // as it is, "create always" as "open always", and neither loads it.
  uint32_t streamMode = mode;
  if (writable && disposition == kFileModeTruncateExisting)
    streamMode = (mode & ~kDispositionMask) | kFileModeOpenExisting;
  else if (writable && disposition == kFileModeCreateAlways)
    streamMode = (mode & ~kDispositionMask) | kFileModeOpenAlways;
  int32_t code = kStorageOk;
  StreamPalmDatabase* database = OpenStreamDatabase(path, streamMode, databaseMode, &code);
  if (!database) return Fail(nullptr, error, code);

  bool loaded = false;
  if (disposition & kDispositionLoadBit) {
    bool mayCreate = (disposition & (kDispositionCreateBit | kDispositionTruncateBit)) != 0;
    switch (database->Load()) {
      case PalmLoadResult::kLoaded:
        loaded = true;
        break;
      case PalmLoadResult::kEmptyFile:
        if (!mayCreate) return Fail(database, error, kStorageCorrupt);
        break;
      case PalmLoadResult::kInvalid:
        if (!mayCreate) return Fail(database, error, kStorageCorrupt);
        if (writable) {
          // The fresh database will be saved over this path: keep the bad
          // file aside first. The stream must be closed for the rename.
          database->Discard();
          delete database;
          if (!SetAsideBadFile(path)) return Fail(nullptr, error, kStorageCorrupt);
          database = OpenStreamDatabase(path, streamMode, databaseMode, &code);
          if (!database) return Fail(nullptr, error, code);
        }
        break;
      case PalmLoadResult::kReadFailed:
        return Fail(database, error, kStorageCorrupt);
      case PalmLoadResult::kNoMemory:
        return Fail(database, error, kStorageNoMemory);
    }
  }
  if (!loaded) database->InitHeader(creator, type);
  database->SetNoSaveOnClose(!writable);
  if (!database->KeepOpenMode(mode, path)) return Fail(database, error, kStorageNoMemory);
  return database;
}
