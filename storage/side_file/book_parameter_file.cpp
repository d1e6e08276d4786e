// BookParameterFile: lifecycle, opening, creating and upgrading a book's
// side file.
#include "storage/side_file/book_parameter_file.h"

#include <cstring>

#include "foundation/encoded_string/error_status.h"
#include "storage/side_file/side_file_layout.h"
#include "storage/container/stream_factory.h"

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
  // A missing file is created; a file that is not a side file is set aside
  // and replaced; a failed read or lack of memory fails here and leaves the
  // file alone.
  bool isNew = false;
  if (OpenReplacingForeign(widePath, mode, kContainerCreator, kContainerType, kHeaderTag, &isNew) !=
      RecordResult::kOk)
    return RecordResult::kFailed;
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

namespace {

// A header field's value in a new file, and the largest old length that
// the upgrade rewrites it for. Words 36-48 and 56-80 are rewritten as
// groups, even where an old header held some of them.
struct HeaderDefault {
  uint32_t offset;
  uint32_t value;
  uint32_t rewrittenAtMost;
};
constexpr HeaderDefault kHeaderDefaults[] = {
    {kSavedPosition, kNoRecordId, 0},  {kFramePosition, 0, 0},           {kFramePosition + 4, 0, 0},
    {kFrameStateLink, kNoRecordId, 0}, {kCategoryLink, kNoRecordId, 0},   {kWord20, kWord20Default, 0},
    {kDocumentStamp, kNoRecordId, 0},  {kReserved28, kReservedDefault, 28}, {kViewStateLink, kNoRecordId, 32},
    {kReadingPosition, kNoRecordId, 48}, {kReadingPosition + 4, kNoRecordId, 48},
    {kReadingStateLink, kNoRecordId, 48}, {kReadingValid, 0, 48},       {kWord52, 0, 52},
    {kAuthorLink, kNoRecordId, 56},    {kGenreLink, kNoRecordId, 56},    {kPublisherLink, kNoRecordId, 56},
    {kAbstractLink, kNoRecordId, 56},  {kIsbnLink, kNoRecordId, 56},     {kWord76, 0, 56},
    {kWord80, 0, 56},                  {kCoverLink, kNoRecordId, 84},    {kTitleLink, kNoRecordId, 88},
};

// A field is filled when the upgrade rules name it for the old length, or
// when the old record did not hold it whole (an old length between the
// known ones), so that no grown byte is left without a value.
bool FieldFilled(uint32_t offset, uint32_t rewrittenAtMost, uint32_t oldLength) {
  return oldLength <= rewrittenAtMost || offset + 4 > oldLength;
}

}  // namespace

bool BookParameterFile::WriteNewHeader() {
  uint8_t header[kHeaderLength];
  for (const HeaderDefault& field : kHeaderDefaults) StoreU32BE(header + field.offset, field.value);
  uint32_t id = kHeaderRecordId;
  return WriteRecordData(&id, header, kHeaderLength, kHeaderTag, kInsertBehindHeader) == RecordResult::kOk;
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
      // The links a mark lacked (words 36-48 for a mark of 36 bytes).
      for (uint32_t offset = kMarkTextLink; offset < kMarkLength; offset += 4)
        if (FieldFilled(offset, 0, old)) SetInt32AtIndex(index, offset, kNoRecordId, kMarkTag);
    } else if (tag == kHeaderTag) {
      if (!GrowRecord(index, kHeaderLength, &old, &found, kHeaderTag)) continue;
      changed = true;
      for (const HeaderDefault& field : kHeaderDefaults)
        if (FieldFilled(field.offset, field.rewrittenAtMost, old))
          SetInt32AtIndex(index, field.offset, field.value, kHeaderTag);
    }
  }
  ReleaseCurrent();
  return changed;
}
