// GlobalSettingsFile: the library's categories, one "CATE" record each,
// appended at the end of the file so that a walk from the start meets them
// in the order they were added.
#include "storage/settings/global_settings_file.h"
#include "storage/settings/settings_record_layout.h"

using namespace settings;

uint32_t GlobalSettingsFile::AddCategory(const WCHAR* name, uint32_t count) {
  PalmDatabase* database = Database();
  if (!database) return kNoRecordId;
  uint16_t end = database->GetRecordCount();
  if (end == kInsertBehindHeader) return kNoRecordId;
  uint32_t id = kNoRecordId;
  if (WriteWideRecord(&id, name, count, kCategoryTag, end) != RecordResult::kOk) return kNoRecordId;
  return id;
}

RecordResult GlobalSettingsFile::RenameCategory(uint32_t category, const WCHAR* name, uint32_t count) {
  if (category == kNoRecordId) return RecordResult::kFailed;
  uint32_t id = category;
  return WriteWideRecord(&id, name, count, kCategoryTag, kInsertBehindHeader);
}

uint32_t GlobalSettingsFile::ScanCategories(uint32_t index) {
  PalmDatabase* database = Database();
  if (!database) return kNoRecordId;
  uint32_t count = database->GetRecordCount();
  for (; index < count; ++index) {
    if (LockRecordAtIndex(static_cast<uint16_t>(index), false) != kCategoryTag) continue;
    uint32_t id = CursorId();
    ReleaseCurrent();
    categoryCursor_ = static_cast<int32_t>(index);
    return id;
  }
  ReleaseCurrent();
  return kNoRecordId;
}

uint32_t GlobalSettingsFile::FirstCategory() { return ScanCategories(0); }

uint32_t GlobalSettingsFile::NextCategory() { return ScanCategories(static_cast<uint32_t>(categoryCursor_ + 1)); }

uint32_t GlobalSettingsFile::CountCategories() {
  uint32_t count = 0;
  for (uint32_t id = FirstCategory(); id != kNoRecordId; id = NextCategory()) ++count;
  return count;
}

uint32_t GlobalSettingsFile::FindCategory(const WCHAR* name, uint32_t count) {
  for (uint32_t id = FirstCategory(); id != kNoRecordId; id = NextCategory()) {
    // The record the scan stopped on, by its index: a look-up by identifier
    // would search the whole file once per category.
    uint32_t length = 0;
    const uint8_t* stored = LockRecordData(static_cast<uint16_t>(categoryCursor_), &length, kCategoryTag);
    if (!stored || length / 2 != count) continue;
    uint32_t i = 0;
    while (i < count && LoadU16BE(stored + 2 * i) == name[i]) ++i;
    ReleaseCurrent();
    if (i == count) return id;
  }
  return kNoRecordId;
}

const WCHAR* GlobalSettingsFile::GetCategoryName(uint32_t category, uint32_t* count) {
  return ReadWideRecord(category, count, kCategoryTag);
}

RecordResult GlobalSettingsFile::DeleteCategory(uint32_t category) { return DeleteRecord(category, kCategoryTag); }
