// GlobalSettingsFile: opening or creating the settings file, and the
// upgrade of records written by older versions.
#include "storage/settings/global_settings_file.h"

#include "storage/settings/settings_record_layout.h"
#include "storage/container/stream_factory.h"

using namespace settings;

RecordResult GlobalSettingsFile::OpenInDataFolder(SettingsEnvironment* environment, bool readOnly) {
  EncodedString path;
  if (!environment || !environment->GetGlobalConfigurationPath(&path)) return RecordResult::kFailed;
  return OpenOrCreate(path, readOnly);
}

RecordResult GlobalSettingsFile::OpenOrCreate(const EncodedString& path, bool readOnly) {
  Close();
  SetNoSave(false);
  categoryCursor_ = -1;
  if (!path.IsOk()) return RecordResult::kFailed;
  EncodedString widePath;
  widePath.AssignRaw(path.UnsignedBytes(), path.ByteLength(), path.UnitKind(), path.CodePage());
  if (widePath.IsOk() && widePath.CodePage() != 65002) widePath.ConvertToUtf16();
  const WCHAR* file = widePath.IsOk() ? widePath.CStr() : nullptr;
  if (!file) return RecordResult::kFailed;

  if (readOnly) {
    // Never writes: a sound file is read as it is (records of older
    // versions answer presets for what they lack); without one the run
    // goes on without a container and every getter answers its preset.
    PalmDatabase* reader = OpenRecordDatabase(file, kModeReadOnly, kContainerCreator, kContainerType, nullptr);
    SetNoSave(true);
    if (reader) {
      AttachDatabase(reader);
      if (!HasReadableHeader(kSettingsTag)) DiscardDatabase();
    }
    return RecordResult::kOk;
  }

  // Opened, or created when missing; a file that is not a settings file is
  // set aside and replaced. A failed read or lack of memory ends here with
  // the file untouched.
  bool fresh = false;
  if (OpenReplacingForeign(file, kModeReadWrite, kContainerCreator, kContainerType, kSettingsTag, &fresh) !=
      RecordResult::kOk)
    return RecordResult::kFailed;
  if (fresh) {
    uint8_t record[kRecordLength];
    BuildNewSettingsRecord(record);
    uint32_t id = kHeaderRecordId;
    if (WriteRecordData(&id, record, kRecordLength, kSettingsTag, kInsertBehindHeader) != RecordResult::kOk) {
      DiscardDatabase();
      return RecordResult::kFailed;
    }
  }
  Upgrade();
  return RecordResult::kOk;
}

bool GlobalSettingsFile::Upgrade() {
  PalmDatabase* database = Database();
  if (!database) return false;
  bool changed = false;
  uint16_t count = database->GetRecordCount();
  for (uint16_t index = 0; index < count; ++index) {
    uint32_t tag = LockRecordAtIndex(index, false);
    ReleaseCurrent();
    uint32_t old = 0, found = 0;
    if (tag != kSettingsTag || !GrowRecord(index, kRecordLength, &old, &found, kSettingsTag)) continue;
    changed = true;
    // The grown record is filled where it lies.
    uint32_t length = 0;
    uint8_t* data = LockRecordAtIndex(index, true) == kSettingsTag ? HeldRecordData(&length) : nullptr;
    if (data && length == kRecordLength) FillUpgradedSettings(data, old);
    ReleaseCurrent();
  }
  ReleaseCurrent();
  return changed;
}
