// Tagged record files for the tests: records, containers of them, and the
// reading back of a saved file.
#include "tests/support/record_file_builder.h"

#include <algorithm>

namespace testbuild {

std::vector<uint8_t> Words(std::initializer_list<uint32_t> words) {
  std::vector<uint8_t> out;
  for (uint32_t w : words) PutU32BE(out, out.size(), w);
  return out;
}

std::vector<uint8_t> Utf16BE(const std::u16string& text) {
  std::vector<uint8_t> out;
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c >> 8));
    out.push_back(static_cast<uint8_t>(c));
  }
  return out;
}

std::vector<uint8_t> Utf16Native(const std::u16string& text) {
  std::vector<uint8_t> out;
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  return out;
}

std::vector<uint8_t> TaggedRecord(const std::string& tag, const std::vector<uint8_t>& data,
                                  std::optional<uint32_t> storedLength, std::optional<size_t> recordSize) {
  std::vector<uint8_t> out(tag.begin(), tag.end());
  out.resize(4, 0);
  PutU32BE(out, 4, storedLength.value_or(static_cast<uint32_t>(data.size())));
  out.insert(out.end(), data.begin(), data.end());
  size_t size = recordSize.value_or((out.size() + 3) & ~size_t{3});
  out.resize(size, 0);
  return out;
}

RecordFileBuilder::RecordFileBuilder(const std::string& type) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = (value << 8) | static_cast<uint8_t>(i < type.size() ? type[i] : 0);
  palm_.Head().type = value;
  palm_.Head().creator = FourCC("CORV");
  palm_.Head().name = "test_PAR";
}

uint32_t RecordFileBuilder::AddRaw(const std::vector<uint8_t>& bytes, uint32_t uniqueId) {
  if (uniqueId == 0) uniqueId = static_cast<uint32_t>(0x100 + palm_.RecordCount());
  palm_.AddRecord(bytes, 0, uniqueId);
  // The seed must stay above every identifier, as a saved file keeps it.
  if (palm_.Head().uniqueIdSeed <= uniqueId) palm_.Head().uniqueIdSeed = uniqueId + 1;
  return uniqueId;
}

uint32_t RecordFileBuilder::Add(const std::string& tag, const std::vector<uint8_t>& data, uint32_t uniqueId) {
  return AddRaw(TaggedRecord(tag, data), uniqueId);
}

std::vector<uint8_t> RecordFileBuilder::Build() const { return palm_.Build(); }

const TaggedRecordView* TaggedFileView::ById(uint32_t uniqueId) const {
  for (const auto& r : records)
    if (r.uniqueId == (uniqueId & 0xFFFFFF)) return &r;
  return nullptr;
}

std::vector<std::string> TaggedFileView::Tags() const {
  std::vector<std::string> tags;
  for (const auto& r : records) tags.push_back(r.tag);
  return tags;
}

std::optional<TaggedFileView> ReadTaggedFile(const std::vector<uint8_t>& file) {
  auto parsed = ParsePalmDatabase(file);
  if (!parsed) return std::nullopt;
  TaggedFileView view;
  view.head = parsed->head;
  for (const auto& record : parsed->records) {
    TaggedRecordView r;
    r.recordSize = record.data.size();
    r.uniqueId = record.uniqueId;
    if (record.data.size() >= 4) r.tag.assign(record.data.begin(), record.data.begin() + 4);
    if (record.data.size() >= 8) {
      r.storedLength = GetU32BE(record.data, 4);
      size_t n = std::min<size_t>(r.storedLength, record.data.size() - 8);
      r.data.assign(record.data.begin() + 8, record.data.begin() + 8 + static_cast<ptrdiff_t>(n));
    }
    view.records.push_back(std::move(r));
  }
  return view;
}

#ifdef TESSALYN_TEST_HOOKS
std::optional<TaggedFileView> ReadTaggedDeviceFile(const std::u16string& devicePath) {
  auto bytes = PeekDeviceFile(devicePath);
  if (!bytes) return std::nullopt;
  return ReadTaggedFile(*bytes);
}
#endif

std::u16string FromUtf16BE(const std::vector<uint8_t>& bytes) {
  std::u16string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back(static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]));
  return out;
}

uint32_t WordAt(const std::vector<uint8_t>& data, size_t offset) { return GetU32BE(data, offset); }

}  // namespace testbuild
