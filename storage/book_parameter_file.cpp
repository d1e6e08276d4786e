// BookParameterFile: lifecycle, opening, creating and upgrading a book's
// side file.
#include "storage/book_parameter_file.h"

#include <cstring>
#include <initializer_list>

#include "foundation/error_status.h"
#include "storage/side_file_layout.h"
#include "storage/stream_factory.h"

using namespace sidefile;

BookParameterFile::~BookParameterFile() {
  if (closeListener_) closeListener_->OnSideFileClosed(this);
  Close();
  bookPath_.FreeBuffer();
}

void BookParameterFile::Release() {
  if (--references_ <= 0) delete this;
}

RecordResult BookParameterFile::OpenInDataFolder(SettingsEnvironment* /*environment*/, bool /*readOnly*/) {
  return RecordResult::kFailed;
}

bool BookParameterFile::StoreBookPath(const EncodedString& path) {
  EncodedString copy(path);
  copy.SelectAll();
  if (!copy.IsOk()) return false;
  bookPath_.MoveFrom(copy);
  return true;
}

RecordResult BookParameterFile::Open(const EncodedString& bookPath, bool readOnly) {
  Close();
  if (bookPath.GetError() == kErrorNoMemory) return RecordResult::kFailed;
  EncodedString sidePath;
  if (!MakeSideFilePath(bookPath, &sidePath)) return RecordResult::kFailed;
  PalmDatabase* database = OpenRecordDatabase(sidePath.CStr(), readOnly ? kModeReadOnly : kModeReadWrite,
                                              kContainerCreator, kContainerType, nullptr);
  if (!database) return RecordResult::kFailed;
  AttachDatabase(database);
  SetNoSave(readOnly);
  // Refused, and never written: this open does not repair.
  if (!HasReadableHeader(kHeaderTag) || !StoreBookPath(bookPath)) {
    DiscardDatabase();
    return RecordResult::kFailed;
  }
  return RecordResult::kOk;
}

bool BookParameterFile::OpenSoundReadOnly(const WCHAR* sidePath) {
  PalmDatabase* database = OpenRecordDatabase(sidePath, kModeReadOnly, kContainerCreator, kContainerType, nullptr);
  if (!database) return false;
  AttachDatabase(database);
  SetNoSave(true);
  if (HasReadableHeader(kHeaderTag)) return true;
  DiscardDatabase();
  return false;
}

void BookParameterFile::ApplyDatabaseName(const char* name, uint32_t nameLength, bool pathIsBookPath) {
  if (!name || nameLength == 0) return;
  EncodedString source;
  source.AssignBytes(name, nameLength, 1252);
  EncodedString databaseName;
  if (pathIsBookPath) {
    MakeSideDatabaseName(source, &databaseName);
  } else {
    databaseName.MoveFrom(source);
  }
  if (!databaseName.IsOk()) return;
  // The name field as SetName would leave it: at most 31 bytes, zeros after.
  char field[32] = {};
  const char* bytes = databaseName.ConstBytes();
  for (uint32_t i = 0; i < 31 && i < databaseName.ByteLength() && bytes[i] != 0; ++i) field[i] = bytes[i];
  if (std::memcmp(field, Database()->GetName(), sizeof field) != 0) Database()->SetName(field);
}

bool BookParameterFile::WriteNewHeader() {
  uint8_t header[kHeaderLength];
  auto put = [&](uint32_t offset, uint32_t value) { StoreRecordU32(header + offset, value); };
  for (uint32_t offset = 0; offset < kHeaderLength; offset += 4) put(offset, kNoRecordId);
  put(kFramePosition, 0);
  put(kFramePosition + 4, 0);
  put(kWord20, kWord20Default);
  put(kReserved28, kReservedDefault);
  put(kReadingValid, 0);
  put(kWord52, 0);
  put(kWord76, 0);
  put(kWord80, 0);
  uint32_t id = kHeaderRecordId;
  return WriteRecordData(&id, header, kHeaderLength, kHeaderTag, kInsertBehindHeader) == RecordResult::kOk;
}

RecordResult BookParameterFile::Create(const EncodedString& path, const char* name, uint32_t nameLength,
                                       bool readOnlyAfterwards, bool pathIsBookPath, bool reopenOnDemand) {
  Close();
  SetNoSave(false);
  if (path.GetError() == kErrorNoMemory) return RecordResult::kFailed;
  EncodedString sidePath;
  if (pathIsBookPath) {
    if (!MakeSideFilePath(path, &sidePath)) return RecordResult::kFailed;
  } else {
    sidePath = path;
    sidePath.SelectAll();
    if (!sidePath.ConvertToUtf16() || !sidePath.IsOk()) return RecordResult::kFailed;
  }
  const WCHAR* widePath = sidePath.CStr();
  if (!widePath) return RecordResult::kFailed;

  if (readOnlyAfterwards && OpenSoundReadOnly(widePath)) {
    if (pathIsBookPath && !StoreBookPath(path)) {
      DiscardDatabase();
      return RecordResult::kFailed;
    }
    return RecordResult::kOk;
  }

  uint32_t mode = reopenOnDemand ? kModeOpenAlwaysOnDemand : kModeOpenAlways;
  // A missing file is created, a file that is not a database at all set
  // aside by the factory; a failed read or lack of memory fails here and
  // leaves the file alone.
  PalmDatabase* database = OpenRecordDatabase(widePath, mode, kContainerCreator, kContainerType, nullptr);
  if (!database) return RecordResult::kFailed;
  AttachDatabase(database);
  SetNoSave(false);
  bool isNew = database->GetRecordCount() == 0;
  HeaderState header = isNew ? HeaderState::kAbsent : CheckHeader(kHeaderTag);
  if (header == HeaderState::kUnknown) {
    DiscardDatabase();
    return RecordResult::kFailed;
  }
  if (!isNew && header == HeaderState::kAbsent) {
    // A database, but not a side file: kept aside, never overwritten.
    DiscardDatabase();
    if (!SetAsideDamagedFile(widePath)) return RecordResult::kFailed;
    database = OpenRecordDatabase(widePath, mode, kContainerCreator, kContainerType, nullptr);
    if (!database) return RecordResult::kFailed;
    AttachDatabase(database);
    SetNoSave(false);
    if (database->GetRecordCount() != 0) {
      DiscardDatabase();
      return RecordResult::kFailed;
    }
    isNew = true;
  }
  ApplyDatabaseName(name, nameLength, pathIsBookPath);
  if (isNew && !WriteNewHeader()) {
    DiscardDatabase();
    return RecordResult::kFailed;
  }
  Upgrade();
  if (readOnlyAfterwards) {
    // Closing writes the new or repaired file; then it is held read-only.
    Close();
    PalmDatabase* reader =
        OpenRecordDatabase(widePath, kModeReopenReadOnly, kContainerCreator, kContainerType, nullptr);
    if (reader) AttachDatabase(reader);
    SetNoSave(true);
  }
  if (pathIsBookPath && !StoreBookPath(path)) {
    DiscardDatabase();
    return RecordResult::kFailed;
  }
  return RecordResult::kOk;
}

bool BookParameterFile::Upgrade() {
  PalmDatabase* database = Database();
  if (!database) return false;
  bool changed = false;
  uint16_t count = database->GetRecordCount();
  for (uint16_t index = 0; index < count; ++index) {
    uint32_t tag = LockRecordAtIndex(index, false);
    ReleaseCurrent();
    uint32_t old = 0, found = 0;
    if (tag == kMarkTag) {
      if (!GrowRecord(index, kMarkLength, &old, &found, kMarkTag)) continue;
      changed = true;
      for (uint32_t offset : {kMarkStateLink, kMarkTarget, kMarkExcerptLink, kMarkTitleLink})
        if (old < offset + 1) SetInt32AtIndex(index, offset, kNoRecordId, kMarkTag);
    } else if (tag == kHeaderTag) {
      if (!GrowRecord(index, kHeaderLength, &old, &found, kHeaderTag)) continue;
      changed = true;
      auto set = [&](uint32_t offset, uint32_t value) { SetInt32AtIndex(index, offset, value, kHeaderTag); };
      if (old < 29) set(kReserved28, kReservedDefault);
      if (old < 33) set(kViewStateLink, kNoRecordId);
      if (old <= 48) {
        set(kReadingPosition, kNoRecordId);
        set(kReadingPosition + 4, kNoRecordId);
        set(kReadingStateLink, kNoRecordId);
        set(kReadingValid, 0);
      }
      if (old < 53) set(kWord52, 0);
      if (old <= 56) {
        for (uint32_t offset : {kAuthorLink, kGenreLink, kPublisherLink, kAbstractLink, kIsbnLink})
          set(offset, kNoRecordId);
        set(kWord76, 0);
        set(kWord80, 0);
      }
      if (old < 85) set(kCoverLink, kNoRecordId);
      if (old < 89) set(kTitleLink, kNoRecordId);
    }
  }
  ReleaseCurrent();
  return changed;
}
