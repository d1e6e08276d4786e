// Tagged record files made byte by byte for the tests (side files, the
// settings file, damaged and old-version variants), and read back by rules
// of their own: each record is a four-letter tag, a big-endian stored
// length, the data and zero filler to a multiple of four. Built on the
// Palm-database builder; nothing here uses the system's record-file code.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/palm_database_builder.h"

namespace testbuild {

// Big-endian 32-bit words back to back.
std::vector<uint8_t> Words(std::initializer_list<uint32_t> words);
// UTF-16 big-endian bytes of a text, no terminator.
std::vector<uint8_t> Utf16BE(const std::u16string& text);
// UTF-16 in memory order (the narrow texts of the settings record).
std::vector<uint8_t> Utf16Native(const std::u16string& text);

// A whole record: tag, stored length (the data's unless given), data, and
// zeros up to a multiple of four (or `recordSize` bytes when given).
std::vector<uint8_t> TaggedRecord(const std::string& tag, const std::vector<uint8_t>& data,
                                  std::optional<uint32_t> storedLength = std::nullopt,
                                  std::optional<size_t> recordSize = std::nullopt);

// A container of tagged records with chosen unique identifiers.
class RecordFileBuilder {
 public:
  // Container type ("BPAR", "GPAR") and creator "CORV".
  explicit RecordFileBuilder(const std::string& type);
  PalmHeadFields& Head() { return palm_.Head(); }
  // Appends a tagged record with unique id `uniqueId` (0x100 + index when
  // 0); answers the id.
  uint32_t Add(const std::string& tag, const std::vector<uint8_t>& data, uint32_t uniqueId = 0);
  // Appends raw record bytes.
  uint32_t AddRaw(const std::vector<uint8_t>& bytes, uint32_t uniqueId = 0);
  std::vector<uint8_t> Build() const;

 private:
  PalmDatabaseBuilder palm_;
};

// One record read back from a container's bytes.
struct TaggedRecordView {
  std::string tag;            // the first four bytes ("" when shorter)
  uint32_t storedLength = 0;  // 0 when the record is shorter than 8 bytes
  std::vector<uint8_t> data;  // min(stored length, what the record holds)
  size_t recordSize = 0;
  uint32_t uniqueId = 0;
};
struct TaggedFileView {
  PalmHeadFields head;
  std::vector<TaggedRecordView> records;
  // The first record with this unique id, or null.
  const TaggedRecordView* ById(uint32_t uniqueId) const;
  // The tags in record order.
  std::vector<std::string> Tags() const;
};
std::optional<TaggedFileView> ReadTaggedFile(const std::vector<uint8_t>& file);
#ifdef TESSALYN_TEST_HOOKS
// The same from a file of the emulated device (read past share modes).
std::optional<TaggedFileView> ReadTaggedDeviceFile(const std::u16string& devicePath);
#endif

// A text of UTF-16 big-endian bytes.
std::u16string FromUtf16BE(const std::vector<uint8_t>& bytes);
uint32_t WordAt(const std::vector<uint8_t>& data, size_t offset);

}  // namespace testbuild
