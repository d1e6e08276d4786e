// Position directories written byte by byte (see position_directory_builder.h).
#include "tests/support/position_directory_builder.h"

#include <stdexcept>

namespace testbuild {

namespace {

void PutEntries(std::vector<uint8_t>& data, const std::vector<PositionEntry>& entries,
                std::vector<std::pair<size_t, std::string>>& names) {
  for (const PositionEntry& e : entries) {
    const size_t at = data.size();
    data.resize(at + 12);
    PutU16BE(data, at, static_cast<uint16_t>(e.flags | (e.children.empty() ? 0 : 1)));
    PutU16BE(data, at + 2, e.second);
    PutU32BE(data, at + 4, e.value);
    PutU32BE(data, at + 8, 0xFFFFFFFFu);
    if (!e.name.empty()) names.push_back({at + 8, e.name});
    if (!e.children.empty()) {
      const size_t block = data.size();
      data.resize(block + 4);
      PutEntries(data, e.children, names);
      PutU16BE(data, block, static_cast<uint16_t>(e.children.size()));
      PutU16BE(data, block + 2, static_cast<uint16_t>((data.size() - block - 4) / 4));
    }
  }
}

}  // namespace

uint32_t AddPositionDirectory(BuiltBook& book, const PositionDirectoryRecipe& recipe) {
  const uint32_t C = static_cast<uint32_t>(recipe.records.size());
  const uint32_t D = static_cast<uint32_t>(book.db.RecordCount());
  const uint32_t E = D + C;
  std::vector<uint8_t> entryData(4, 0);  // entry lists start after a small head
  std::vector<std::pair<size_t, std::string>> names;
  std::vector<std::vector<uint8_t>> directory;
  for (uint32_t i = 0; i < C; ++i) {
    const auto& ranges = recipe.records[i];
    const uint32_t headerLength = 20;
    std::vector<uint8_t> r(headerLength, 0);
    r[0] = 'D';
    PutU32BE(r, 4, headerLength);
    PutU32BE(r, 8, i == 0 ? recipe.shift : 0);
    PutU32BE(r, 12, static_cast<uint32_t>(ranges.size()));
    PutU32BE(r, 16, recipe.rangeValue);
    if (i == 0) {
      for (uint32_t j = 0; j < C; ++j) {
        const auto& next = recipe.records[j];
        uint32_t limit = j + 1 < C ? recipe.records[j + 1].front().position - 1 : 0xFFFFFFFEu;
        (void)next;
        r.resize(r.size() + 4);
        PutU32BE(r, r.size() - 4, limit);
      }
    }
    const size_t pairsAt = r.size();
    r.resize(pairsAt + 8 * ranges.size());
    for (size_t k = 0; k < ranges.size(); ++k) {
      const PositionRange& range = ranges[k];
      // The list's reference word and parallel words in this record.
      const uint32_t at = static_cast<uint32_t>(r.size());
      const uint32_t r2 = static_cast<uint32_t>(entryData.size());
      r.resize(at + 4 + 4 * range.words.size());
      PutU32BE(r, at, r2);
      for (size_t w = 0; w < range.words.size(); ++w) PutU32BE(r, at + 4 + 4 * w, range.words[w]);
      PutEntries(entryData, range.entries, names);
      PutU32BE(r, pairsAt + 8 * k, range.position);
      PutU32BE(r, pairsAt + 8 * k + 4, (i << recipe.shift) | at);
    }
    directory.push_back(r);
  }
  for (const auto& [field, name] : names) {
    PutU32BE(entryData, field, static_cast<uint32_t>(entryData.size()));
    entryData.push_back(static_cast<uint8_t>(name.size() >> 8));
    entryData.push_back(static_cast<uint8_t>(name.size()));
    entryData.insert(entryData.end(), name.begin(), name.end());
  }
  for (auto& r : directory) book.db.AddRecord(r);
  book.db.AddRecord(entryData);
  std::vector<uint8_t>& r0 = book.Record(0);
  if (r0.size() < 212) throw std::runtime_error("record 0 too short for a position directory");
  PutU32BE(r0, 200, D);
  PutU32BE(r0, 204, C);
  PutU32BE(r0, 208, E);
  return D;
}

}  // namespace testbuild
