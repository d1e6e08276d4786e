// Index tables written byte by byte (see index_builder.h).
#include "tests/support/index_builder.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace testbuild {

namespace {

void Append(std::vector<uint8_t>& r, const std::vector<uint8_t>& bytes) {
  r.insert(r.end(), bytes.begin(), bytes.end());
}

void Align4(std::vector<uint8_t>& r) {
  while (r.size() % 4 != 0) r.push_back(0);
}

std::vector<IndexTagDef> AutomaticTags(const IndexRecipe& recipe) {
  std::vector<uint8_t> tags;
  for (const IndexEntry& e : recipe.entries)
    for (const auto& [tag, values] : e.values) tags.push_back(tag);
  std::sort(tags.begin(), tags.end());
  tags.erase(std::unique(tags.begin(), tags.end()), tags.end());
  std::vector<IndexTagDef> defs;
  for (size_t i = 0; i < tags.size(); ++i) {
    IndexTagDef d;
    d.tag = tags[i];
    auto width = recipe.valuesPerItem.find(tags[i]);
    d.valuesPerItem = width != recipe.valuesPerItem.end() ? width->second : 1;
    d.mask = static_cast<uint8_t>(3u << (2 * (i % 4)));
    d.controlByte = static_cast<uint8_t>(i / 4);
    defs.push_back(d);
  }
  return defs;
}

uint32_t ValueBits(uint8_t mask) {
  if (mask == 0) return 0;
  if ((mask & 0x55) == 0 || (mask & 0xAA) == 0) return 1;
  uint32_t shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  uint32_t run = 0;
  while (shift + run < 8 && ((mask >> (shift + run)) & 1) != 0) ++run;
  return run;
}

uint32_t LowestBit(uint8_t mask) {
  uint32_t shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  return shift;
}

uint32_t ControlByteCount(const std::vector<IndexTagDef>& tags) {
  uint32_t n = 0;
  for (const IndexTagDef& t : tags) n = std::max<uint32_t>(n, t.controlByte + 1u);
  return n;
}

// Label prefix, label, control bytes, count area, values.
std::vector<uint8_t> EntryBytes(const IndexRecipe& recipe, const std::vector<IndexTagDef>& tags,
                                const IndexEntry& e) {
  std::vector<uint8_t> out;
  if (recipe.indexType == 3) {
    out.push_back(static_cast<uint8_t>(e.label.size() >> 8));
    out.push_back(static_cast<uint8_t>(e.label.size()));
  } else {
    if (e.label.size() > 255) throw std::runtime_error("label longer than 255 bytes");
    out.push_back(static_cast<uint8_t>(e.label.size()));
  }
  Append(out, e.label);
  std::vector<uint8_t> control(ControlByteCount(tags), 0);
  std::vector<uint8_t> countArea;
  std::vector<uint8_t> values;
  for (const IndexTagDef& t : tags) {
    auto it = e.values.find(t.tag);
    if (it == e.values.end() || it->second.empty()) continue;
    const std::vector<uint32_t>& v = it->second;
    const uint32_t perItem = std::max<uint32_t>(1, t.valuesPerItem);
    const uint32_t items = static_cast<uint32_t>(v.size()) / perItem;
    std::vector<uint8_t> bytes;
    for (uint32_t x : v) Append(bytes, IndexVarint(x));
    const uint32_t bits = ValueBits(t.mask);
    const uint32_t maxDirect = (static_cast<uint32_t>(t.mask) >> LowestBit(t.mask));
    if (bits == 1) {
      control[t.controlByte] |= t.mask;  // exactly one item
    } else if (items < maxDirect) {
      control[t.controlByte] |= static_cast<uint8_t>(items << LowestBit(t.mask));
    } else {
      control[t.controlByte] |= t.mask;
      Append(countArea, IndexVarint(static_cast<uint32_t>(bytes.size())));
    }
    Append(values, bytes);
  }
  Append(out, control);
  Append(out, countArea);
  Append(out, values);
  return out;
}

std::vector<uint8_t> RecordHead(const IndexRecipe& recipe, uint32_t kind, uint32_t L) {
  std::vector<uint8_t> r(L, 0);
  std::memcpy(r.data(), "INDX", 4);
  auto put = [&](uint32_t offset, uint32_t value) {
    if (offset + 4 <= L) PutU32BE(r, offset, value);
  };
  put(4, L);
  put(8, recipe.indexType);
  put(12, kind);
  put(28, recipe.codePage);
  put(32, recipe.language);
  return r;
}

void WriteIdxt(std::vector<uint8_t>& r, const std::vector<uint32_t>& offsets) {
  Align4(r);
  const uint32_t at = static_cast<uint32_t>(r.size());
  PutU32BE(r, 20, at);
  r.insert(r.end(), {'I', 'D', 'X', 'T'});
  for (uint32_t o : offsets) {
    r.push_back(static_cast<uint8_t>(o >> 8));
    r.push_back(static_cast<uint8_t>(o));
  }
  Align4(r);
}

}  // namespace

std::vector<uint8_t> IndexVarint(uint32_t value) {
  std::vector<uint8_t> groups;
  do {
    groups.insert(groups.begin(), static_cast<uint8_t>(value & 0x7F));
    value >>= 7;
  } while (value != 0);
  groups.back() |= 0x80;
  return groups;
}

uint32_t AddIndexText(IndexRecipe& recipe, const std::vector<uint8_t>& bytes, uint32_t recordBytes) {
  std::vector<uint8_t> text = IndexVarint(static_cast<uint32_t>(bytes.size()));
  Append(text, bytes);
  if (recipe.textRecords.empty() || recipe.textRecords.back().size() + text.size() > recordBytes)
    recipe.textRecords.emplace_back();
  std::vector<uint8_t>& record = recipe.textRecords.back();
  uint32_t position = static_cast<uint32_t>((recipe.textRecords.size() - 1) << 16 | record.size());
  Append(record, text);
  return position;
}

uint32_t AddIndexText(IndexRecipe& recipe, const std::string& bytes, uint32_t recordBytes) {
  return AddIndexText(recipe, std::vector<uint8_t>(bytes.begin(), bytes.end()), recordBytes);
}

std::vector<uint8_t> EncodeWideLabel(const IndexRecipe& recipe, const std::u16string& text) {
  std::vector<uint8_t> out;
  for (char16_t ch : text) {
    auto it = std::find(recipe.characters.begin(), recipe.characters.end(), static_cast<uint16_t>(ch));
    uint32_t index = it != recipe.characters.end() ? static_cast<uint32_t>(it - recipe.characters.begin()) : ch;
    if (recipe.oneByteEntries) {
      out.push_back(static_cast<uint8_t>(index));
    } else {
      out.push_back(static_cast<uint8_t>(index >> 8));
      out.push_back(static_cast<uint8_t>(index));
    }
  }
  return out;
}

std::vector<uint8_t> Latin1(const std::u16string& text) {
  std::vector<uint8_t> out;
  for (char16_t ch : text) out.push_back(static_cast<uint8_t>(ch));
  return out;
}

BuiltIndex BuildIndexRecords(const IndexRecipe& recipe) {
  BuiltIndex built;
  built.tags = recipe.tags.empty() ? AutomaticTags(recipe) : recipe.tags;
  const uint32_t L = recipe.headerLength;

  // Entry records: entries packed by count or by bytes.
  std::vector<std::vector<uint8_t>> entryRecords;
  std::vector<size_t> lastEntryOf;
  {
    size_t i = 0;
    while (i < recipe.entries.size()) {
      std::vector<uint8_t> r = RecordHead(recipe, 1, 192);
      std::vector<uint32_t> offsets;
      size_t first = i;
      while (i < recipe.entries.size()) {
        if (recipe.entriesPerRecord != 0 && i - first >= recipe.entriesPerRecord) break;
        std::vector<uint8_t> bytes = EntryBytes(recipe, built.tags, recipe.entries[i]);
        size_t projected = r.size() + bytes.size() + 2 * (offsets.size() + 1) + 8;
        if (recipe.entriesPerRecord == 0 && i > first && projected > recipe.recordBytes) break;
        offsets.push_back(static_cast<uint32_t>(r.size()));
        Append(r, bytes);
        ++i;
      }
      PutU32BE(r, 24, static_cast<uint32_t>(offsets.size()));
      WriteIdxt(r, offsets);
      entryRecords.push_back(r);
      built.entriesPerRecord.push_back(static_cast<uint32_t>(offsets.size()));
      lastEntryOf.push_back(i - 1);
    }
  }
  built.entryRecordCount = static_cast<uint32_t>(entryRecords.size());

  // The header record.
  std::vector<uint8_t> h = RecordHead(recipe, 0, L);
  auto put = [&](uint32_t offset, uint32_t value) {
    if (offset + 4 <= L) PutU32BE(h, offset, value);
  };
  put(16, recipe.word16);
  put(24, built.entryRecordCount);
  put(36, recipe.totalEntries != 0xFFFFFFFFu ? recipe.totalEntries : static_cast<uint32_t>(recipe.entries.size()));
  put(52, static_cast<uint32_t>(recipe.textRecords.size()));
  put(56, recipe.followingTable ? 1 : 0);
  put(160, recipe.tieBreak ? 1 : 0);
  put(164, recipe.oneByteEntries ? 1 : 0);
  // TAGX at L.
  {
    std::vector<uint8_t> tagx = {'T', 'A', 'G', 'X'};
    std::vector<uint8_t> entries;
    const uint32_t controls = ControlByteCount(built.tags);
    for (uint32_t c = 0; c < controls; ++c) {
      for (const IndexTagDef& t : built.tags) {
        if (t.controlByte != c) continue;
        entries.insert(entries.end(), {t.tag, t.valuesPerItem, t.mask, 0});
      }
      entries.insert(entries.end(), {0, 0, 0, 1});
    }
    tagx.resize(12);
    PutU32BE(tagx, 4, static_cast<uint32_t>(12 + entries.size()));
    PutU32BE(tagx, 8, controls);
    Append(tagx, entries);
    Append(h, tagx);
  }
  auto block = [&](const char* magic, const std::vector<uint8_t>& data) {
    Align4(h);
    uint32_t at = static_cast<uint32_t>(h.size());
    h.insert(h.end(), magic, magic + 4);
    Append(h, data);
    return at;
  };
  if (!recipe.ordt.empty()) put(40, block("ORDT", recipe.ordt));
  if (!recipe.ligatures.empty()) {
    std::vector<uint8_t> pairs;
    for (const auto& p : recipe.ligatures) pairs.insert(pairs.end(), p.begin(), p.end());
    put(44, block("LIGT", pairs));
    put(48, static_cast<uint32_t>(recipe.ligatures.size()));
  }
  if (!recipe.characters.empty()) {
    std::vector<uint8_t> weights;
    std::vector<uint8_t> characters;
    for (size_t i = 0; i < recipe.characters.size(); ++i) {
      uint16_t w = i < recipe.weights.size() ? recipe.weights[i] : static_cast<uint16_t>(i + 1);
      if (recipe.oneByteEntries) weights.push_back(static_cast<uint8_t>(w));
      else weights.insert(weights.end(), {static_cast<uint8_t>(w >> 8), static_cast<uint8_t>(w)});
      characters.insert(characters.end(),
                        {static_cast<uint8_t>(recipe.characters[i] >> 8), static_cast<uint8_t>(recipe.characters[i])});
    }
    put(168, static_cast<uint32_t>(recipe.characters.size()));
    put(172, block("WGHT", weights));
    put(176, block("CHRS", characters));
  }
  if (!recipe.name.empty()) {
    Align4(h);
    put(180, static_cast<uint32_t>(h.size()));
    put(184, static_cast<uint32_t>(recipe.name.size()));
    Append(h, recipe.name);
  }
  // Label items: each entry record's highest key and its entry count.
  std::vector<uint32_t> items;
  for (size_t r = 0; r < entryRecords.size(); ++r) {
    items.push_back(static_cast<uint32_t>(h.size()));
    const std::vector<uint8_t>& label = recipe.entries[lastEntryOf[r]].label;
    if (recipe.indexType == 3) h.push_back(static_cast<uint8_t>(label.size() >> 8));
    h.push_back(static_cast<uint8_t>(label.size()));
    Append(h, label);
    h.push_back(static_cast<uint8_t>(built.entriesPerRecord[r] >> 8));
    h.push_back(static_cast<uint8_t>(built.entriesPerRecord[r]));
  }
  WriteIdxt(h, items);
  if (recipe.spellingPresent) {
    static const char* kMagic[6] = {"SPL1", "SPL2", "SPL3", "SPL4", "SPL5", "SPL6"};
    static const uint32_t kOffsetField[6] = {60, 64, 76, 68, 72, 80};
    static const uint32_t kNumberField[15] = {88, 92, 96, 100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140, 144};
    // SPL6 last, so that cutting it shortens the record's end.
    for (int b = 0; b < 6; ++b) {
      std::vector<uint8_t> data = recipe.spelling.blocks[b];
      uint32_t at = block(kMagic[b], data);
      put(kOffsetField[b], at);
      if (b == 2) put(84, static_cast<uint32_t>(data.size()));
    }
    // SPL6 ends the record: cutting it shortens the block.
    h.resize(h.size() - std::min<size_t>(recipe.spelling.cutLastBlock, h.size()));
    for (int i = 0; i < 15; ++i) put(kNumberField[i], recipe.spelling.numbers[i]);
  }
  built.records.push_back(h);
  for (auto& r : entryRecords) built.records.push_back(r);
  for (const auto& t : recipe.textRecords) built.records.push_back(t);
  return built;
}

uint32_t BookRecordBase(const BuiltBook& book) { return book.layout.textRecordCount + 1; }

uint32_t AddIndexToBook(BuiltBook& book, const BuiltIndex& index, int32_t specialKind) {
  const uint32_t first = static_cast<uint32_t>(book.db.RecordCount());
  for (const auto& r : index.records) book.db.AddRecord(r);
  static const std::map<int32_t, uint32_t> kField = {{0, 40}, {6, 44}, {7, 48}, {2, 52},
                                                      {4, 68}, {5, 72}, {9, 76}, {3, 164}, {8, 232}};
  auto field = kField.find(specialKind);
  if (field != kField.end()) {
    std::vector<uint8_t>& r0 = book.Record(0);
    if (field->second + 4 <= r0.size()) PutU32BE(r0, field->second, first);
  }
  return first;
}

std::vector<uint8_t> CaseFoldingOrdt() {
  std::vector<uint8_t> w(256);
  for (int b = 0; b < 256; ++b) w[b] = static_cast<uint8_t>(b);
  for (int c = 'A'; c <= 'Z'; ++c) w[c] = static_cast<uint8_t>(c + 32);
  for (int c = 0xC0; c <= 0xDE; ++c)
    if (c != 0xD7) w[c] = static_cast<uint8_t>(c + 32);
  w['-'] = 0;
  w['\''] = 0;
  return w;
}

IndexRecipe DictionaryIndex(std::vector<DictionaryWord> words) {
  IndexRecipe recipe;
  recipe.ordt = CaseFoldingOrdt();
  const std::vector<uint8_t>& w = recipe.ordt;
  auto key = [&](const std::string& utf8) {
    std::vector<uint8_t> b = EncodeBookText(utf8, 1252);
    std::vector<uint8_t> k;
    for (uint8_t c : b)
      if (w[c] != 0) k.push_back(w[c]);
    return std::make_pair(k, b);
  };
  std::stable_sort(words.begin(), words.end(),
                   [&](const DictionaryWord& a, const DictionaryWord& b) { return key(a.word) < key(b.word); });
  std::vector<uint8_t> previous;
  uint32_t homograph = 0;
  for (const DictionaryWord& word : words) {
    IndexEntry e;
    e.label = EncodeBookText(word.word, 1252);
    std::vector<uint8_t> k = key(word.word).first;
    homograph = k == previous ? homograph + 1 : 0;
    previous = k;
    e.values[6] = {AddIndexText(recipe, EncodeBookText(word.definition, 1252))};
    if (homograph != 0) e.values[4] = {(homograph + 1) << 5};
    recipe.entries.push_back(e);
  }
  return recipe;
}

}  // namespace testbuild
