// The bytes of a Palm database file, shared by both implementations of the
// container: the head, the record entries and the rules that make a file
// structurally sound.
//
//   0   32  name, NUL-terminated (at most 31 characters)
//   32  2   attributes            34  2  version
//   36  4   creation date         40  4  modification date
//   44  4   backup date           48  4  modification number
//   52  4   app-info offset       56  4  sort-info offset
//   60  4   type (as stored)      64  4  creator (as stored)
//   68  4   unique-id seed        72  4  next record list (written 0, skipped)
//   76  2   record count n
//   78  8n  entries: u32 offset, u8 attributes, 3-byte unique id
//   then    two zero bytes (written, never required), then the records
//
// All numbers are big-endian; dates are seconds since 1970-01-01 UTC. A
// record runs from its offset to the next entry's (the last one to the end
// of the file).
//
// A file is sound when it holds the head and all n entries, every offset
// lies inside the file, no offset is below the one before it, and no record
// is longer than 24 bits can say. Both the mapped and the streamed reader
// refuse anything else at open, so no record size can wrap or be truncated.
#pragma once

#include <cstdint>

#include "foundation/streams/byte_order.h"  // the container's words are big-endian

constexpr uint32_t kPalmHeadBytes = 72;    // name .. unique-id seed: the part kept in memory
constexpr uint32_t kPalmCountOffset = 76;
constexpr uint32_t kPalmHeadSize = 78;     // through the record count
constexpr uint32_t kPalmEntrySize = 8;
constexpr uint32_t kPalmGapSize = 2;
constexpr uint32_t kPalmMaxRecordSize = 0xFFFFFF;
constexpr uint32_t kPalmMaxRecords = 0xFFFF;
constexpr uint32_t kPalmMaxUniqueId = 0xFFFFFF;

// Four characters in file order as the u32 of their big-endian reading:
// "BOOK" is 0x424F4F4B. Types and creators travel in this form.
constexpr uint32_t MakeFourCC(const char (&text)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

// The first 72 bytes of the head in native order; type and creator keep
// their four stored bytes. `name` has one byte more than the field, always
// 0, so the name can be read as a C string even when the file filled all 32.
struct PalmDatabaseHeader {
  char name[33];
  uint16_t attributes;
  uint16_t version;
  uint32_t creationDate;
  uint32_t modificationDate;
  uint32_t backupDate;
  uint32_t modificationNumber;
  uint32_t appInfoOffset;
  uint32_t sortInfoOffset;
  uint8_t type[4];
  uint8_t creator[4];
  uint32_t uniqueIdSeed;
};

void ZeroPalmHeader(PalmDatabaseHeader* header);
// From and to the 72 stored bytes.
void DecodePalmHeader(const uint8_t* bytes, PalmDatabaseHeader* header);
void EncodePalmHeader(const PalmDatabaseHeader& header, uint8_t* bytes);

// The current UTC time as the heads store it: whole seconds, rounded.
uint32_t PalmDateNow();

// Fields of one 8-byte entry.
inline uint32_t PalmEntryOffset(const uint8_t* entry) { return LoadU32BE(entry); }
inline uint8_t PalmEntryAttributes(const uint8_t* entry) { return entry[4]; }
inline uint32_t PalmEntryUniqueId(const uint8_t* entry) { return LoadU24BE(entry + 5); }

// Whether a file of `fileSize` bytes can hold the head and `count` entries.
bool PalmEntriesFit(uint32_t count, uint32_t fileSize);
// The structural rules above for a whole entry table.
bool CheckPalmEntries(const uint8_t* entries, uint32_t count, uint32_t fileSize);
// The length of a record from its offset and the next one's (or the file
// size): false when the end lies before the start or past the file, or the
// length needs more than 24 bits.
bool PalmRecordLength(uint32_t offset, uint32_t end, uint32_t fileSize, uint32_t* length);
