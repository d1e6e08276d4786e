// Palm-database containers for the tests: building, breaking, reading back,
// and moving whole files in and out of the emulated device.
#include "tests/support/palm_database_builder.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "foundation/streams/byte_order.h"
#include "platform/core/kernel_object.h"
#include "platform/files/files.h"
#ifdef TESSALYN_TEST_HOOKS
#include "platform/testing/files.h"
#endif

namespace testbuild {

namespace {

void Reserve(std::vector<uint8_t>& bytes, size_t end) {
  if (bytes.size() < end) bytes.resize(end, 0);
}

// A word that runs past the end is a fault of the test that asks for it.
const uint8_t* WordAt(const std::vector<uint8_t>& bytes, size_t at, size_t width) {
  if (at > bytes.size() || width > bytes.size() - at) throw std::out_of_range("word past the end of the bytes");
  return bytes.data() + at;
}

void PutFourCC(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { PutU32BE(bytes, at, value); }

}  // namespace

void PutU16BE(std::vector<uint8_t>& bytes, size_t at, uint16_t value) {
  Reserve(bytes, at + 2);
  StoreU16BE(bytes.data() + at, value);
}

void PutU24BE(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Reserve(bytes, at + 3);
  StoreU24BE(bytes.data() + at, value);
}

void PutU32BE(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Reserve(bytes, at + 4);
  StoreU32BE(bytes.data() + at, value);
}

uint16_t GetU16BE(const std::vector<uint8_t>& bytes, size_t at) { return LoadU16BE(WordAt(bytes, at, 2)); }

uint32_t GetU24BE(const std::vector<uint8_t>& bytes, size_t at) { return LoadU24BE(WordAt(bytes, at, 3)); }

uint32_t GetU32BE(const std::vector<uint8_t>& bytes, size_t at) { return LoadU32BE(WordAt(bytes, at, 4)); }

size_t PalmDatabaseBuilder::AddRecord(std::vector<uint8_t> data, uint8_t attributes) {
  return AddRecord(std::move(data), attributes, static_cast<uint32_t>(0x100 + records_.size()));
}

size_t PalmDatabaseBuilder::AddRecord(std::vector<uint8_t> data, uint8_t attributes, uint32_t uniqueId) {
  records_.push_back(PalmRecordContents{std::move(data), attributes, uniqueId});
  return records_.size() - 1;
}

uint32_t PalmDatabaseBuilder::RecordOffset(size_t index) const {
  if (index > records_.size()) throw std::out_of_range("record index");
  size_t offset = kPalmHeadSize + kPalmEntrySize * records_.size() + (omitGap_ ? 0 : kPalmGapSize);
  for (size_t i = 0; i < index; ++i) offset += records_[i].data.size();
  return static_cast<uint32_t>(offset);
}

std::vector<uint8_t> PalmDatabaseBuilder::Build() const {
  if (records_.size() > 0xFFFF) throw std::length_error("more than 65535 records");
  std::vector<uint8_t> out(kPalmHeadSize, 0);
  std::copy_n(head_.name.begin(), std::min<size_t>(head_.name.size(), 32), out.begin());
  PutU16BE(out, 32, head_.attributes);
  PutU16BE(out, 34, head_.version);
  PutU32BE(out, 36, head_.creationDate);
  PutU32BE(out, 40, head_.modificationDate);
  PutU32BE(out, 44, head_.backupDate);
  PutU32BE(out, 48, head_.modificationNumber);
  PutU32BE(out, 52, head_.appInfoOffset);
  PutU32BE(out, 56, head_.sortInfoOffset);
  PutFourCC(out, 60, head_.type);
  PutFourCC(out, 64, head_.creator);
  PutU32BE(out, 68, head_.uniqueIdSeed);
  PutU32BE(out, 72, head_.nextRecordList);
  PutU16BE(out, 76, static_cast<uint16_t>(records_.size()));
  for (size_t i = 0; i < records_.size(); ++i) {
    size_t at = kPalmHeadSize + kPalmEntrySize * i;
    PutU32BE(out, at, RecordOffset(i));
    out.resize(at + 5);
    out[at + 4] = records_[i].attributes;
    PutU24BE(out, at + 5, records_[i].uniqueId & 0xFFFFFF);
  }
  if (!omitGap_) out.resize(out.size() + kPalmGapSize, 0);
  for (const auto& record : records_) out.insert(out.end(), record.data.begin(), record.data.end());
  return out;
}

const char* PalmCorruptionName(PalmCorruption kind) {
  switch (kind) {
    case PalmCorruption::kShortHead: return "short head";
    case PalmCorruption::kCountBeyondFile: return "count beyond file";
    case PalmCorruption::kTruncatedEntries: return "truncated entries";
    case PalmCorruption::kOffsetPastEnd: return "offset past end";
    case PalmCorruption::kDecreasingOffsets: return "decreasing offsets";
    case PalmCorruption::kTruncatedRecords: return "truncated records";
  }
  return "?";
}

void SetEntryOffset(std::vector<uint8_t>& file, size_t record, uint32_t offset) {
  PutU32BE(file, kPalmHeadSize + kPalmEntrySize * record, offset);
}

void SetRecordCountField(std::vector<uint8_t>& file, uint16_t count) { PutU16BE(file, 76, count); }

std::vector<uint8_t> CorruptPalmDatabase(std::vector<uint8_t> file, PalmCorruption kind, size_t record) {
  uint16_t count = file.size() >= kPalmHeadSize ? GetU16BE(file, 76) : 0;
  auto needRecord = [&](size_t index) {
    if (index >= count) throw std::invalid_argument("the container has too few records for this corruption");
  };
  switch (kind) {
    case PalmCorruption::kShortHead:
      file.resize(std::min<size_t>(file.size(), kPalmHeadSize - 1));
      break;
    case PalmCorruption::kCountBeyondFile: {
      // Enough entries to pass the end of the file, whatever it holds.
      size_t needed = (file.size() - kPalmHeadSize) / kPalmEntrySize + 1;
      SetRecordCountField(file, static_cast<uint16_t>(std::min<size_t>(needed, 0xFFFF)));
      break;
    }
    case PalmCorruption::kTruncatedEntries:
      if (count == 0) throw std::invalid_argument("no entries to cut");
      file.resize(kPalmHeadSize + kPalmEntrySize * count - 3);
      break;
    case PalmCorruption::kOffsetPastEnd:
      needRecord(record);
      SetEntryOffset(file, record, static_cast<uint32_t>(file.size() + 1));
      break;
    case PalmCorruption::kDecreasingOffsets: {
      needRecord(record);
      if (record == 0) throw std::invalid_argument("record 0 has no previous record");
      uint32_t previous = GetU32BE(file, kPalmHeadSize + kPalmEntrySize * (record - 1));
      if (previous == 0) throw std::invalid_argument("the previous record starts at 0");
      SetEntryOffset(file, record, previous - 1);
      break;
    }
    case PalmCorruption::kTruncatedRecords: {
      needRecord(record);
      uint32_t start = GetU32BE(file, kPalmHeadSize + kPalmEntrySize * record);
      // Cut just before the record starts, so its offset and every later
      // one point past the end.
      if (start == 0 || start > file.size()) throw std::invalid_argument("bad record start");
      file.resize(start - 1);
      break;
    }
  }
  return file;
}

std::vector<uint8_t> BuildOversizedRecordDatabase(size_t leading) {
  PalmDatabaseBuilder builder;
  for (size_t i = 0; i < leading; ++i) builder.AddRecord("rec" + std::to_string(i));
  builder.AddRecord(std::vector<uint8_t>(static_cast<size_t>(kPalmMaxRecordSize) + 1, 0x5A));
  return builder.Build();
}

std::optional<ParsedPalmDatabase> ParsePalmDatabase(const std::vector<uint8_t>& file) {
  if (file.size() < kPalmHeadSize) return std::nullopt;
  ParsedPalmDatabase parsed;
  PalmHeadFields& h = parsed.head;
  h.name.assign(reinterpret_cast<const char*>(file.data()), 32);
  h.name.resize(h.name.find('\0') == std::string::npos ? 32 : h.name.find('\0'));
  h.attributes = GetU16BE(file, 32);
  h.version = GetU16BE(file, 34);
  h.creationDate = GetU32BE(file, 36);
  h.modificationDate = GetU32BE(file, 40);
  h.backupDate = GetU32BE(file, 44);
  h.modificationNumber = GetU32BE(file, 48);
  h.appInfoOffset = GetU32BE(file, 52);
  h.sortInfoOffset = GetU32BE(file, 56);
  h.type = GetU32BE(file, 60);
  h.creator = GetU32BE(file, 64);
  h.uniqueIdSeed = GetU32BE(file, 68);
  h.nextRecordList = GetU32BE(file, 72);
  parsed.recordCount = GetU16BE(file, 76);
  size_t n = parsed.recordCount;
  if (file.size() < kPalmHeadSize + kPalmEntrySize * n) return std::nullopt;
  for (size_t i = 0; i < n; ++i) parsed.offsets.push_back(GetU32BE(file, kPalmHeadSize + kPalmEntrySize * i));
  for (size_t i = 0; i < n; ++i) {
    size_t at = kPalmHeadSize + kPalmEntrySize * i;
    uint32_t begin = parsed.offsets[i];
    uint32_t end = i + 1 < n ? parsed.offsets[i + 1] : static_cast<uint32_t>(file.size());
    if (begin > file.size() || end > file.size() || end < begin) return std::nullopt;
    PalmRecordContents record;
    record.data.assign(file.begin() + begin, file.begin() + end);
    record.attributes = file[at + 4];
    record.uniqueId = GetU24BE(file, at + 5);
    parsed.records.push_back(std::move(record));
  }
  return parsed;
}

PalmDatabaseBuilder BuilderFrom(const ParsedPalmDatabase& parsed) {
  PalmDatabaseBuilder builder;
  builder.Head() = parsed.head;
  for (const auto& record : parsed.records) builder.AddRecord(record.data, record.attributes, record.uniqueId);
  return builder;
}

std::vector<uint8_t> ShortenRecord(const std::vector<uint8_t>& file, size_t record, size_t newLength) {
  auto parsed = ParsePalmDatabase(file);
  if (!parsed) throw std::invalid_argument("not a sound container");
  PalmDatabaseBuilder builder = BuilderFrom(*parsed);
  auto& data = builder.Record(record).data;
  if (newLength < data.size()) data.resize(newLength);
  return builder.Build();
}

bool WriteDeviceFile(const std::u16string& devicePath, const std::vector<uint8_t>& bytes) {
  HANDLE h = CreateFileW(devicePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
    done += written;
  }
  CloseHandle(h);
  return ok;
}

std::optional<std::vector<uint8_t>> ReadDeviceFile(const std::u16string& devicePath) {
  HANDLE h = CreateFileW(devicePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<uint8_t> out;
  uint8_t buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(h, buffer, sizeof buffer, &got, nullptr)) {
      CloseHandle(h);
      return std::nullopt;
    }
    if (got == 0) break;
    out.insert(out.end(), buffer, buffer + got);
  }
  CloseHandle(h);
  return out;
}

#ifdef TESSALYN_TEST_HOOKS
std::optional<std::vector<uint8_t>> PeekDeviceFile(const std::u16string& devicePath) {
  std::ifstream in(devtest::HostPath(devicePath), std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  std::vector<uint8_t> out(static_cast<size_t>(in.tellg()));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()))) return std::nullopt;
  return out;
}
#endif

}  // namespace testbuild
