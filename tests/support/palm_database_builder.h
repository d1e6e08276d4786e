// Palm-database containers made byte by byte for the tests: a 78-byte
// big-endian head with every field settable, 8-byte record entries
// (offset, attributes, 3-byte unique id), the two-byte gap and the records'
// bytes back to back. Beside the sound files it makes the broken ones a
// reader must refuse: heads cut short, record counts beyond the file,
// offsets past the end or going backwards, records over 24 bits, files cut
// anywhere. A small independent parser reads a container back, so that what
// the system saves can be checked without the system's own reader.
//
// Plain C++ for tests and tools; the corv-book builder builds on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testbuild {

// Four characters in file order as the u32 of their big-endian reading
// ("BOOK" = 0x424F4F4B), the way the system passes types and creators.
constexpr uint32_t FourCC(const char (&text)[5]) {
  return (static_cast<uint32_t>(static_cast<uint8_t>(text[0])) << 24) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 8) |
         static_cast<uint32_t>(static_cast<uint8_t>(text[3]));
}

// Big-endian stores and loads into byte vectors (the vector grows when a
// store reaches past its end).
void PutU16BE(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void PutU24BE(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void PutU32BE(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
uint16_t GetU16BE(const std::vector<uint8_t>& bytes, size_t at);
uint32_t GetU24BE(const std::vector<uint8_t>& bytes, size_t at);
uint32_t GetU32BE(const std::vector<uint8_t>& bytes, size_t at);

constexpr size_t kPalmHeadSize = 78;   // name .. record count
constexpr size_t kPalmEntrySize = 8;
constexpr size_t kPalmGapSize = 2;
constexpr uint32_t kPalmMaxRecordSize = 0xFFFFFF;

// Every field of the head; written big-endian, type and creator as stored.
struct PalmHeadFields {
  std::string name = "test database";  // NUL-padded to 32 bytes; 32 or more bytes leave no NUL
  uint16_t attributes = 0;
  uint16_t version = 0;
  uint32_t creationDate = 0;      // seconds since 1970
  uint32_t modificationDate = 0;
  uint32_t backupDate = 0;
  uint32_t modificationNumber = 0;
  uint32_t appInfoOffset = 0;
  uint32_t sortInfoOffset = 0;
  uint32_t type = FourCC("TEST");
  uint32_t creator = FourCC("TSTR");
  uint32_t uniqueIdSeed = 0;
  uint32_t nextRecordList = 0;
};

struct PalmRecordContents {
  std::vector<uint8_t> data;
  uint8_t attributes = 0;
  uint32_t uniqueId = 0;  // low 24 bits are written
};

class PalmDatabaseBuilder {
 public:
  PalmHeadFields& Head() { return head_; }
  const PalmHeadFields& Head() const { return head_; }

  // Appends a record and answers its index. Without an explicit unique id
  // the record gets 0x100 + its index (distinct, not 0).
  size_t AddRecord(std::vector<uint8_t> data, uint8_t attributes = 0);
  size_t AddRecord(std::vector<uint8_t> data, uint8_t attributes, uint32_t uniqueId);
  size_t AddRecord(const std::string& text) { return AddRecord(std::vector<uint8_t>(text.begin(), text.end())); }
  PalmRecordContents& Record(size_t index) { return records_.at(index); }
  const std::vector<PalmRecordContents>& Records() const { return records_; }
  size_t RecordCount() const { return records_.size(); }

  // Leaves out the two zero bytes after the entries (readers must not need them).
  void OmitGap(bool omit) { omitGap_ = omit; }

  // Where record `index` starts in Build()'s bytes; the file size for
  // index == RecordCount().
  uint32_t RecordOffset(size_t index) const;
  std::vector<uint8_t> Build() const;

 private:
  PalmHeadFields head_;
  std::vector<PalmRecordContents> records_;
  bool omitGap_ = false;
};

// The ways a container can be broken; every one must be refused.
enum class PalmCorruption {
  kShortHead,          // cut inside the 78-byte head
  kCountBeyondFile,    // the record count promises entries the file does not hold
  kTruncatedEntries,   // the file ends inside the entry table
  kOffsetPastEnd,      // the entry of `record` points past the end of the file
  kDecreasingOffsets,  // the entry of `record` points before the previous record
  kTruncatedRecords,   // the file ends before the data of `record`: later offsets pass the end
};
constexpr PalmCorruption kAllPalmCorruptions[] = {
    PalmCorruption::kShortHead,         PalmCorruption::kCountBeyondFile, PalmCorruption::kTruncatedEntries,
    PalmCorruption::kOffsetPastEnd,     PalmCorruption::kDecreasingOffsets, PalmCorruption::kTruncatedRecords,
};
const char* PalmCorruptionName(PalmCorruption kind);

// A broken copy of a built container. `record` picks the record entry that
// the offset corruptions touch (at least 1 for kDecreasingOffsets, which
// needs records of some length before it); the file must hold more than
// `record` records for the offset and truncation kinds.
std::vector<uint8_t> CorruptPalmDatabase(std::vector<uint8_t> file, PalmCorruption kind, size_t record = 1);

// Patches of a built container's bytes.
void SetEntryOffset(std::vector<uint8_t>& file, size_t record, uint32_t offset);
void SetRecordCountField(std::vector<uint8_t>& file, uint16_t count);

// A container whose last record is one byte over 16,777,215 bytes (a
// length that 24 bits cannot say); `leading` records of a few bytes come first.
std::vector<uint8_t> BuildOversizedRecordDatabase(size_t leading = 1);

// A container read back by its own rules, independent of the system's
// reader: null when the head, the entries or an offset do not fit the file.
struct ParsedPalmDatabase {
  PalmHeadFields head;
  uint16_t recordCount = 0;
  std::vector<PalmRecordContents> records;
  std::vector<uint32_t> offsets;
};
std::optional<ParsedPalmDatabase> ParsePalmDatabase(const std::vector<uint8_t>& file);

// A builder holding a parsed container's head and records, to be changed
// and built again.
PalmDatabaseBuilder BuilderFrom(const ParsedPalmDatabase& parsed);
// A sound container whose record `record` keeps only its first
// `newLength` bytes (the later records move down): the short records that
// the readers of records must refuse. The file must be sound.
std::vector<uint8_t> ShortenRecord(const std::vector<uint8_t>& file, size_t record, size_t newLength);

// Whole files of the emulated device, through the platform's file calls.
bool WriteDeviceFile(const std::u16string& devicePath, const std::vector<uint8_t>& bytes);
std::optional<std::vector<uint8_t>> ReadDeviceFile(const std::u16string& devicePath);
#ifdef TESSALYN_TEST_HOOKS
// The host file behind a device path, read past the device's share modes
// (a database being tested may hold its file open without sharing). Tests
// only: it finds the host file through the file layer's test control.
std::optional<std::vector<uint8_t>> PeekDeviceFile(const std::u16string& devicePath);
#endif

}  // namespace testbuild
