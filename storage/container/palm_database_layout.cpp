// Head conversion and the structural checks of Palm database files.
#include "storage/container/palm_database_layout.h"

#include <cmath>
#include <cstring>

#include "foundation/time/date_time.h"

uint16_t ReadPalmU16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

uint32_t ReadPalmU24(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

uint32_t ReadPalmU32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

void WritePalmU16(uint8_t* p, uint16_t value) {
  p[0] = static_cast<uint8_t>(value >> 8);
  p[1] = static_cast<uint8_t>(value);
}

void WritePalmU24(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value >> 16);
  p[1] = static_cast<uint8_t>(value >> 8);
  p[2] = static_cast<uint8_t>(value);
}

void WritePalmU32(uint8_t* p, uint32_t value) {
  p[0] = static_cast<uint8_t>(value >> 24);
  p[1] = static_cast<uint8_t>(value >> 16);
  p[2] = static_cast<uint8_t>(value >> 8);
  p[3] = static_cast<uint8_t>(value);
}

void ZeroPalmHeader(PalmDatabaseHeader* header) { std::memset(header, 0, sizeof *header); }

void DecodePalmHeader(const uint8_t* bytes, PalmDatabaseHeader* header) {
  std::memcpy(header->name, bytes, 32);
  header->name[32] = 0;
  header->attributes = ReadPalmU16(bytes + 32);
  header->version = ReadPalmU16(bytes + 34);
  header->creationDate = ReadPalmU32(bytes + 36);
  header->modificationDate = ReadPalmU32(bytes + 40);
  header->backupDate = ReadPalmU32(bytes + 44);
  header->modificationNumber = ReadPalmU32(bytes + 48);
  header->appInfoOffset = ReadPalmU32(bytes + 52);
  header->sortInfoOffset = ReadPalmU32(bytes + 56);
  std::memcpy(header->type, bytes + 60, 4);
  std::memcpy(header->creator, bytes + 64, 4);
  header->uniqueIdSeed = ReadPalmU32(bytes + 68);
}

void EncodePalmHeader(const PalmDatabaseHeader& header, uint8_t* bytes) {
  std::memcpy(bytes, header.name, 32);
  WritePalmU16(bytes + 32, header.attributes);
  WritePalmU16(bytes + 34, header.version);
  WritePalmU32(bytes + 36, header.creationDate);
  WritePalmU32(bytes + 40, header.modificationDate);
  WritePalmU32(bytes + 44, header.backupDate);
  WritePalmU32(bytes + 48, header.modificationNumber);
  WritePalmU32(bytes + 52, header.appInfoOffset);
  WritePalmU32(bytes + 56, header.sortInfoOffset);
  std::memcpy(bytes + 60, header.type, 4);
  std::memcpy(bytes + 64, header.creator, 4);
  WritePalmU32(bytes + 68, header.uniqueIdSeed);
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
