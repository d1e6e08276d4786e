// Building corv books and Palm Doc files: chunking the text into records,
// compressing them, the multibyte carry, trailing entries, record 0 with its
// native header and EXTH block, and the HUFF/CDIC, DATP and FDST records.
#include "tests/support/book_builder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>

#include "tests/support/palmdoc_encoder.h"

namespace testbuild {

namespace {

uint32_t DefaultHeaderLength(uint32_t version) {
  if (version <= 2) return 24;
  if (version == 3) return 116;
  if (version == 4) return 208;
  if (version == 5) return 228;
  return 232;
}

// The trailing entry of one flag: payload, then the backward varint of the
// entry's whole size.
std::vector<uint8_t> TrailingEntry(std::mt19937& rng, const std::vector<uint8_t>* payload) {
  std::vector<uint8_t> entry(rng() % 12);
  for (uint8_t& b : entry) b = static_cast<uint8_t>(rng());
  if (payload != nullptr) entry = *payload;
  uint32_t varintLength = 1;
  while (BackwardVarint(static_cast<uint32_t>(entry.size()) + varintLength).size() != varintLength) ++varintLength;
  std::vector<uint8_t> size = BackwardVarint(static_cast<uint32_t>(entry.size()) + varintLength);
  entry.insert(entry.end(), size.begin(), size.end());
  return entry;
}

std::vector<uint8_t> BuildRecord0(const BookRecipe& spec, const BookRecordMap& layout, uint32_t textLength,
                                  uint32_t sectionCount) {
  const uint32_t version = spec.headerVersion;
  const uint32_t L = spec.headerLength != 0 ? spec.headerLength : DefaultHeaderLength(version);
  std::vector<uint8_t> r(16 + L, 0);
  uint16_t compression = 1;
  if (spec.compression == TextCompression::kPalmDoc) compression = 2;
  if (spec.compression == TextCompression::kHuffCdic) compression = 0x4448;
  PutU16BE(r, 0, compression);
  PutU32BE(r, 4, textLength);
  PutU16BE(r, 8, static_cast<uint16_t>(layout.textRecordCount));
  PutU16BE(r, 10, static_cast<uint16_t>(spec.recordSize));
  std::memcpy(r.data() + 16, "CORV", 4);
  // Fields past the header's length are not written (the record grows
  // only for the EXTH block and the name).
  auto put = [&](uint32_t offset, uint32_t value) {
    if (offset + 4 <= 16 + L) PutU32BE(r, offset, value);
  };
  put(20, L);
  put(24, spec.bookType);
  put(28, static_cast<uint32_t>(spec.codePage));
  put(32, spec.bookId);
  put(36, version);
  for (uint32_t off = 40; off <= 76; off += 4) put(off, 0xFFFFFFFFu);
  put(80, layout.textRecordCount + 1);
  put(92, spec.language);
  put(96, spec.inputLanguage);
  put(100, spec.outputLanguage);
  put(104, 0);
  put(108, layout.firstResource);
  put(112, layout.huffRecord == 0xFFFF ? 0xFFFFFFFFu : layout.huffRecord);
  put(116, layout.huffRecord == 0xFFFF ? 0 : layout.cdicCount + 1);
  put(120, layout.datpRecord == 0xFFFF ? 0xFFFFFFFFu : layout.datpRecord);
  put(124, layout.datpCount);
  uint32_t exthFlags = spec.exthFlags;
  if (!spec.exth.empty() && version >= 4) exthFlags |= 0x40;
  put(128, exthFlags);
  for (uint32_t off = 132; off < 16 + L; off += 4) put(off, 0xFFFFFFFFu);
  if (version >= 4) {
    put(192, layout.fdstRecord == 0xFFFF ? 0xFFFFFFFFu : layout.fdstRecord);
    put(196, sectionCount);
    put(204, 0);
    put(212, 0);
  }
  if (version >= 6) put(240, spec.extraFlags);

  if ((exthFlags & 0x40) != 0) {
    std::vector<uint8_t> block = {'E', 'X', 'T', 'H'};
    block.resize(12);
    for (const ExthEntry& e : spec.exth) {
      size_t at = block.size();
      PutU32BE(block, at, e.type);
      PutU32BE(block, at + 4, static_cast<uint32_t>(8 + e.data.size()));
      block.insert(block.end(), e.data.begin(), e.data.end());
    }
    while (block.size() % 4 != 0) block.push_back(0);
    PutU32BE(block, 4, static_cast<uint32_t>(block.size()));
    PutU32BE(block, 8, static_cast<uint32_t>(spec.exth.size()));
    r.insert(r.end(), block.begin(), block.end());
  }
  if (!spec.fullName.empty() && 16 + L >= 92) {
    PutU32BE(r, 84, static_cast<uint32_t>(r.size()));
    PutU32BE(r, 88, static_cast<uint32_t>(spec.fullName.size()));
    r.insert(r.end(), spec.fullName.begin(), spec.fullName.end());
  } else if (16 + L >= 92) {
    PutU32BE(r, 84, 0);
    PutU32BE(r, 88, 0);
  }
  r.resize(r.size() + 2, 0);
  while (r.size() % 4 != 0) r.push_back(0);
  return r;
}

}  // namespace

const char* TextCompressionName(TextCompression compression) {
  switch (compression) {
    case TextCompression::kNone: return "none";
    case TextCompression::kPalmDoc: return "palmdoc";
    case TextCompression::kHuffCdic: return "huffcdic";
  }
  return "?";
}

std::vector<uint8_t> BackwardVarint(uint32_t value) {
  std::vector<uint8_t> groups;
  do {
    groups.insert(groups.begin(), static_cast<uint8_t>(value & 0x7F));
    value >>= 7;
  } while (value != 0);
  groups[0] |= 0x80;
  return groups;
}

BuiltBook BuildBook(const BookRecipe& spec) {
  if (spec.recordSize == 0 || spec.recordSize > 0xFFFF) throw std::invalid_argument("record size");
  if (spec.compression == TextCompression::kHuffCdic && spec.headerVersion < 3)
    throw std::invalid_argument("HUFF/CDIC needs header version 3");
  // Only UTF-8 books whose flags word has bit 0 carry the bytes of a
  // character cut by a record's end; the others cut it as it falls.
  const bool carries = spec.codePage == 65001 && spec.headerVersion >= 6 && (spec.extraFlags & 1) != 0;
  const bool utf16 = spec.codePage == 65002;
  const std::vector<uint8_t>& text = spec.text;
  std::mt19937 rng(spec.seed);

  BuiltBook book;
  BookRecordMap& layout = book.layout;
  for (size_t pos = 0; pos < text.size();) {
    size_t length = spec.recordSize;
    if (spec.variableRecordLengths && spec.compression == TextCompression::kHuffCdic)
      length = spec.recordSize - rng() % (spec.recordSize / 2);
    if (utf16) length &= ~size_t{1};
    length = std::min(length, text.size() - pos);
    layout.chunkStart.push_back(static_cast<uint32_t>(pos));
    layout.chunkLength.push_back(static_cast<uint32_t>(length));
    pos += length;
  }
  if (spec.emptyLastRecord) {
    layout.chunkStart.push_back(static_cast<uint32_t>(text.size()));
    layout.chunkLength.push_back(0);
  }
  layout.textRecordCount = static_cast<uint32_t>(layout.chunkStart.size());

  std::unique_ptr<HuffCdicEncoder> huff;
  if (spec.compression == TextCompression::kHuffCdic) huff = std::make_unique<HuffCdicEncoder>(text, spec.huff);

  std::vector<std::vector<uint8_t>> records;
  for (uint32_t i = 0; i < layout.textRecordCount; ++i) {
    const uint32_t start = layout.chunkStart[i];
    const uint32_t length = layout.chunkLength[i];
    std::vector<uint8_t> rec;
    if (length == 0) {
      records.push_back(rec);
      continue;
    }
    const uint8_t* chunk = text.data() + start;
    switch (spec.compression) {
      case TextCompression::kNone: rec.assign(chunk, chunk + length); break;
      case TextCompression::kPalmDoc: rec = EncodePalmDoc(chunk, length); break;
      case TextCompression::kHuffCdic: rec = huff->Encode(chunk, length); break;
    }
    if (carries) {
      size_t end = start + length;
      uint8_t carried = 0;
      while (carried < 3 && end + carried < text.size() && (text[end + carried] & 0xC0) == 0x80) {
        rec.push_back(text[end + carried]);
        ++carried;
      }
      rec.push_back(static_cast<uint8_t>(carried | (spec.carryHighNibble << 4)));
    }
    if (spec.headerVersion >= 6) {
      for (uint32_t bit = 31; bit >= 1; --bit) {
        if ((spec.extraFlags & (1u << bit)) == 0) continue;
        auto chosen = spec.trailingPayloads.find({i + 1, 1u << bit});
        std::vector<uint8_t> entry =
            TrailingEntry(rng, chosen != spec.trailingPayloads.end() ? &chosen->second : nullptr);
        rec.insert(rec.end(), entry.begin(), entry.end());
      }
    }
    records.push_back(std::move(rec));
  }

  uint32_t next = 1 + layout.textRecordCount;
  std::vector<std::vector<uint8_t>> tail;
  if (huff) {
    layout.huffRecord = next;
    layout.cdicCount = static_cast<uint32_t>(huff->CdicRecords().size());
    tail.push_back(huff->HuffRecord());
    for (const auto& c : huff->CdicRecords()) tail.push_back(c);
    next += 1 + layout.cdicCount;
    auto datp = BuildTextOffsetRecords(layout.chunkLength, spec.datpShift, spec.datpPerRecord);
    layout.datpRecord = next;
    layout.datpCount = static_cast<uint32_t>(datp.size());
    for (auto& d : datp) tail.push_back(std::move(d));
    next += layout.datpCount;
  }
  uint32_t sectionCount = 0;
  if (!spec.sections.empty() && spec.headerVersion >= 4) {
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    entries.push_back({0, static_cast<uint32_t>(text.size())});
    entries.insert(entries.end(), spec.sections.begin(), spec.sections.end());
    sectionCount = static_cast<uint32_t>(entries.size());
    const size_t per = spec.sectionsPerRecord == 0 ? entries.size() : spec.sectionsPerRecord;
    layout.fdstRecord = next;
    for (size_t first = 0; first < entries.size(); first += per) {
      std::vector<uint8_t> rec = {'F', 'D', 'S', 'T'};
      PutU32BE(rec, 4, 12);
      PutU32BE(rec, 8, static_cast<uint32_t>(per));
      for (size_t i = first; i < entries.size() && i < first + per; ++i) {
        PutU32BE(rec, rec.size(), entries[i].first);
        PutU32BE(rec, rec.size(), entries[i].second);
      }
      tail.push_back(std::move(rec));
      ++layout.fdstCount;
      ++next;
    }
  }
  layout.firstResource = next;
  for (uint32_t i = 0; i < spec.resourceRecords; ++i) {
    std::vector<uint8_t> res(16 + i, static_cast<uint8_t>(0xA0 + i));
    tail.push_back(res);
  }

  PalmHeadFields& head = book.db.Head();
  head.name = spec.databaseName;
  head.type = FourCC("BOOK");
  head.creator = FourCC("CORV");
  book.db.AddRecord(BuildRecord0(spec, layout, static_cast<uint32_t>(text.size()), sectionCount));
  for (auto& r : records) book.db.AddRecord(std::move(r));
  for (auto& r : tail) book.db.AddRecord(std::move(r));
  return book;
}

BuiltBook BuildPalmDoc(const PalmDocRecipe& spec) {
  BuiltBook book;
  BookRecordMap& layout = book.layout;
  for (size_t pos = 0; pos < spec.text.size(); pos += spec.recordSize) {
    layout.chunkStart.push_back(static_cast<uint32_t>(pos));
    layout.chunkLength.push_back(static_cast<uint32_t>(std::min<size_t>(spec.recordSize, spec.text.size() - pos)));
  }
  layout.textRecordCount = static_cast<uint32_t>(layout.chunkStart.size());
  layout.firstResource = layout.textRecordCount + 1;
  std::vector<uint8_t> r0(16, 0);
  PutU16BE(r0, 0, spec.compressed ? 2 : 1);
  PutU32BE(r0, 4, static_cast<uint32_t>(spec.text.size()));
  PutU16BE(r0, 8, static_cast<uint16_t>(layout.textRecordCount));
  PutU16BE(r0, 10, static_cast<uint16_t>(spec.recordSize));
  if (spec.markup) {
    r0.resize(168, 0);
    r0[150] = 14;
  }
  PalmHeadFields& head = book.db.Head();
  head.name = spec.name;
  head.type = FourCC("TEXt");
  head.creator = FourCC("REAd");
  book.db.AddRecord(r0);
  for (uint32_t i = 0; i < layout.textRecordCount; ++i) {
    const uint8_t* chunk = spec.text.data() + layout.chunkStart[i];
    const uint32_t length = layout.chunkLength[i];
    book.db.AddRecord(spec.compressed ? EncodePalmDoc(chunk, length) : std::vector<uint8_t>(chunk, chunk + length));
  }
  return book;
}

}  // namespace testbuild
