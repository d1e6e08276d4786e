// Head conversion and the structural checks of Palm database files.
#include "storage/container/palm_database_layout.h"

#include <cmath>
#include <cstring>

#include "foundation/time/date_time.h"

void ZeroPalmHeader(PalmDatabaseHeader* header) { std::memset(header, 0, sizeof *header); }

void DecodePalmHeader(const uint8_t* bytes, PalmDatabaseHeader* header) {
  std::memcpy(header->name, bytes, 32);
  header->name[32] = 0;
  header->attributes = LoadU16BE(bytes + 32);
  header->version = LoadU16BE(bytes + 34);
  header->creationDate = LoadU32BE(bytes + 36);
  header->modificationDate = LoadU32BE(bytes + 40);
  header->backupDate = LoadU32BE(bytes + 44);
  header->modificationNumber = LoadU32BE(bytes + 48);
  header->appInfoOffset = LoadU32BE(bytes + 52);
  header->sortInfoOffset = LoadU32BE(bytes + 56);
  std::memcpy(header->type, bytes + 60, 4);
  std::memcpy(header->creator, bytes + 64, 4);
  header->uniqueIdSeed = LoadU32BE(bytes + 68);
}

void EncodePalmHeader(const PalmDatabaseHeader& header, uint8_t* bytes) {
  std::memcpy(bytes, header.name, 32);
  StoreU16BE(bytes + 32, header.attributes);
  StoreU16BE(bytes + 34, header.version);
  StoreU32BE(bytes + 36, header.creationDate);
  StoreU32BE(bytes + 40, header.modificationDate);
  StoreU32BE(bytes + 44, header.backupDate);
  StoreU32BE(bytes + 48, header.modificationNumber);
  StoreU32BE(bytes + 52, header.appInfoOffset);
  StoreU32BE(bytes + 56, header.sortInfoOffset);
  std::memcpy(bytes + 60, header.type, 4);
  std::memcpy(bytes + 64, header.creator, 4);
  StoreU32BE(bytes + 68, header.uniqueIdSeed);
}

uint32_t PalmDateNow() {
  double seconds = TimeValue::Now().milliseconds * 0.001 + 0.5;
  if (!(seconds >= 0)) return 0;
  if (seconds >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(seconds);
}

bool PalmEntriesFit(uint32_t count, uint32_t fileSize) {
  return fileSize >= kPalmHeadSize &&
         static_cast<uint64_t>(count) * kPalmEntrySize <= static_cast<uint64_t>(fileSize) - kPalmHeadSize;
}

bool PalmRecordLength(uint32_t offset, uint32_t end, uint32_t fileSize, uint32_t* length) {
  if (offset > end || end > fileSize || end - offset > kPalmMaxRecordSize) return false;
  *length = end - offset;
  return true;
}

bool CheckPalmEntries(const uint8_t* entries, uint32_t count, uint32_t fileSize) {
  if (!PalmEntriesFit(count, fileSize)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t offset = PalmEntryOffset(entries + kPalmEntrySize * i);
    uint32_t end = i + 1 < count ? PalmEntryOffset(entries + kPalmEntrySize * (i + 1)) : fileSize;
    uint32_t length = 0;
    if (!PalmRecordLength(offset, end, fileSize, &length)) return false;
  }
  return true;
}
