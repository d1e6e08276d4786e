// StreamPalmDatabase::Save: the whole database goes to "<name>.new" beside
// the file, every write, the flush to the store and the close checked, and
// one platform call then puts it in the file's place and syncs the folder
// (see palm_database_stream.h for how the database follows the replaced
// file). The offsets and the modification date in memory take their new
// values only once the file has been replaced.
#include <cstring>

#include "foundation/files/file_mode.h"
#include "platform/files/files.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database_stream.h"

namespace {

bool WriteAll(FileStream* out, const void* data, uint32_t n) { return n == 0 || out->Write(data, n) == n; }

}  // namespace

WCHAR* PalmDatabaseSidePath(const WCHAR* path, const WCHAR* suffix) {
  if (!path || !suffix) return nullptr;
  size_t units = 0, suffixUnits = 0;
  while (path[units]) ++units;
  while (suffix[suffixUnits]) ++suffixUnits;
  auto* out = static_cast<WCHAR*>(DeviceAlloc((units + suffixUnits + 1) * sizeof(WCHAR)));
  if (!out) return nullptr;
  std::memcpy(out, path, units * sizeof(WCHAR));
  std::memcpy(out + units, suffix, (suffixUnits + 1) * sizeof(WCHAR));
  return out;
}

bool StreamPalmDatabase::WriteNewFile(const WCHAR* target, uint32_t modificationDate) {
  uint32_t count = table_.Count();
  uint32_t headBytes = kPalmHeadSize + kPalmEntrySize * count + kPalmGapSize;
  // Offsets are u32: the whole file must stay below 4 GB.
  uint64_t total = headBytes;
  for (uint32_t i = 0; i < count; ++i) total += table_.At(i)->size;
  if (total > 0xFFFFFFFFu) return false;

  auto* head = static_cast<uint8_t*>(DeviceAllocZeroed(headBytes));
  if (!head) return false;
  PalmDatabaseHeader written = header_;
  written.modificationDate = modificationDate;
  EncodePalmHeader(written, head);
  StoreU16BE(head + kPalmCountOffset, static_cast<uint16_t>(count));
  uint32_t offset = headBytes;
  for (uint32_t i = 0; i < count; ++i) {
    const RecordTableEntry* entry = table_.At(i);
    uint8_t* raw = head + kPalmHeadSize + kPalmEntrySize * i;
    StoreU32BE(raw, offset);
    raw[4] = entry->attributes;
    std::memcpy(raw + 5, entry->uniqueId, 3);
    offset += entry->size;
  }

  FileStream* out = DeviceNew<FileStream>();
  bool ok = out && out->Open(target, kFileModeWrite | kFileModeCreateAlways | (openMode_ & kFileModeHidden),
                             kFileAttributeArgNormal);
  ok = ok && WriteAll(out, head, headBytes);
  for (uint32_t i = 0; ok && i < count; ++i) ok = WriteAll(out, table_.At(i)->data, table_.At(i)->size);
  // Writes the host accepted can still fail on their way to the card: only
  // a flush and a close that both succeed make the new file worth a rename.
  ok = ok && out->Flush();
  if (out) {
    bool closed = out->Close();
    ok = ok && closed;
    delete out;
  }
  DeviceFree(head);
  return ok;
}

bool StreamPalmDatabase::CloseStream() {
  if (!stream_) return true;
  bool closed = stream_->Close();
  delete stream_;
  stream_ = nullptr;
  return closed;
}

bool StreamPalmDatabase::Save() {
  if (mode_ != kModeInMemory || memoryOnly_ || !path_) return false;
  WCHAR* newPath = PalmDatabaseSidePath(path_, kPalmNewFileSuffix);
  if (!newPath) return false;
  uint32_t now = PalmDateNow();
  bool ok = WriteNewFile(newPath, now);
  bool replaced = false;
  if (ok) {
    // The platform never replaces a file that is open, our own handle
    // included: close it, replace, open the file again. A close that
    // reports an error says the card is failing: the save stops there.
    ok = CloseStream();
    ok = ok && MoveFileExW(newPath, path_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    // A failed folder sync is reported after the rename: the file in place
    // is then the whole new one, and no "<name>.new" is left.
    replaced = ok || GetFileAttributesW(newPath) == INVALID_FILE_ATTRIBUTES;
    ReopenStream();
  }
  if (!replaced) DeleteFileW(newPath);
  DeviceFree(newPath);
  if (!replaced) return false;

  // The database follows the file now in place, even when the store could
  // not promise that the rename will outlive a power loss (answered false).
  header_.modificationDate = now;
  uint32_t offset = kPalmHeadSize + kPalmEntrySize * table_.Count() + kPalmGapSize;
  for (uint32_t i = 0; i < table_.Count(); ++i) {
    table_.At(i)->offset = offset;
    offset += table_.At(i)->size;
  }
  return ok;
}

void StreamPalmDatabase::ReopenStream() {
  if (stream_ || !path_) return;
  FileStream* stream = DeviceNew<FileStream>();
  if (!stream) return;
  uint32_t mode = (openMode_ & ~(0x1Cu | kFileModeDeleteOnClose)) | kFileModeOpenExisting;
  if (!stream->Open(path_, mode, kFileAttributeArgNormal)) {
    delete stream;
    return;
  }
  stream_ = stream;
}
