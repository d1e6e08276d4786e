// Broken variants of a built index (see index_builder.h).
#include <stdexcept>

#include "tests/support/index_builder.h"

namespace testbuild {

const std::vector<IndexCorruptionCase>& AllIndexCorruptions() {
  static const std::vector<IndexCorruptionCase> cases = {
      {IndexCorruption::kNoMagic, "NoMagic"},
      {IndexCorruption::kHeaderLengthBeyond, "HeaderLengthBeyond"},
      {IndexCorruption::kIdxtCountBeyond, "IdxtCountBeyond"},
      {IndexCorruption::kIdxtMagicMissing, "IdxtMagicMissing"},
      {IndexCorruption::kHeaderItemBeyond, "HeaderItemBeyond"},
      {IndexCorruption::kHeaderItemLabelBeyond, "HeaderItemLabelBeyond"},
      {IndexCorruption::kHeaderKindWrong, "HeaderKindWrong"},
      {IndexCorruption::kEntryKindWrong, "EntryKindWrong"},
      {IndexCorruption::kEntryOffsetBeyond, "EntryOffsetBeyond"},
      {IndexCorruption::kEntryLabelBeyond, "EntryLabelBeyond"},
      {IndexCorruption::kEntryCountSmaller, "EntryCountSmaller"},
      {IndexCorruption::kTagxEndCount, "TagxEndCount"},
      {IndexCorruption::kTagxBeyond, "TagxBeyond"},
      {IndexCorruption::kSpanBeyond, "SpanBeyond"},
      {IndexCorruption::kEntryCut, "EntryCut"},
      {IndexCorruption::kTextOffsetBeyond, "TextOffsetBeyond"},
      {IndexCorruption::kTextLengthBeyond, "TextLengthBeyond"},
      {IndexCorruption::kTextLengthFourBytes, "TextLengthFourBytes"},
      {IndexCorruption::kNameBeyond, "NameBeyond"},
      {IndexCorruption::kLigtBeyond, "LigtBeyond"},
      {IndexCorruption::kOrdtBeyond, "OrdtBeyond"},
      {IndexCorruption::kCharTableBeyond, "CharTableBeyond"},
      {IndexCorruption::kEntryRecordMissing, "EntryRecordMissing"},
  };
  return cases;
}

IndexRecipe CorruptionBaseIndex() {
  IndexRecipe recipe;
  recipe.ordt = CaseFoldingOrdt();
  recipe.ligatures = {{{'o', 'e', 0x9C, 0}}};
  recipe.name = {'b', 'a', 's', 'e'};
  recipe.entriesPerRecord = 4;
  recipe.valuesPerItem[6] = 2;
  const char* words[] = {"alpha", "beta", "delta", "gamma", "kappa", "lambda", "omega", "sigma", "theta", "zeta"};
  uint32_t n = 0;
  for (const char* w : words) {
    IndexEntry e;
    e.label.assign(w, w + std::char_traits<char>::length(w));
    uint32_t text = AddIndexText(recipe, std::string("text of ") + w);
    e.values[1] = {text};
    e.values[3] = {n % 3};
    e.values[5] = {n, n + 1, n + 2, n + 3};  // four items: its span in the count area
    e.values[6] = {n, 7};
    recipe.entries.push_back(e);
    ++n;
  }
  return recipe;
}

namespace {

uint32_t IdxtAt(const std::vector<uint8_t>& r) { return GetU32BE(r, 20); }

}  // namespace

BuiltIndex CorruptIndex(BuiltIndex index, IndexCorruption kind) {
  std::vector<uint8_t>& h = index.records.at(0);
  std::vector<uint8_t>& e = index.records.at(1);
  const size_t firstText = 1 + index.entryRecordCount;
  const uint32_t L = GetU32BE(h, 4);
  switch (kind) {
    case IndexCorruption::kNoMagic: h[0] = 'X'; break;
    case IndexCorruption::kHeaderLengthBeyond: PutU32BE(h, 4, static_cast<uint32_t>(h.size() + 1)); break;
    case IndexCorruption::kIdxtCountBeyond: PutU32BE(h, 24, 0x10000); break;
    case IndexCorruption::kIdxtMagicMissing: h[IdxtAt(h)] = 'X'; break;
    case IndexCorruption::kHeaderItemBeyond: PutU16BE(h, IdxtAt(h) + 4, 0xFFFF); break;
    case IndexCorruption::kHeaderItemLabelBeyond: {
      const uint32_t at = static_cast<uint32_t>(h.size() - 2);
      PutU16BE(h, IdxtAt(h) + 4, static_cast<uint16_t>(at));
      h[at] = 200;
      break;
    }
    case IndexCorruption::kHeaderKindWrong: PutU32BE(h, 12, 5); break;
    case IndexCorruption::kEntryKindWrong: PutU32BE(e, 12, 0); break;
    case IndexCorruption::kEntryOffsetBeyond: PutU16BE(e, IdxtAt(e) + 4, 0xFFFF); break;
    case IndexCorruption::kEntryLabelBeyond: {
      const uint32_t at = static_cast<uint32_t>(e.size() - 1);
      PutU16BE(e, IdxtAt(e) + 4, static_cast<uint16_t>(at));
      e[at] = 200;
      break;
    }
    case IndexCorruption::kEntryCountSmaller: PutU32BE(e, 24, 1); break;
    case IndexCorruption::kTagxEndCount: PutU32BE(h, L + 8, GetU32BE(h, L + 8) + 1); break;
    case IndexCorruption::kTagxBeyond: PutU32BE(h, L + 4, 0xFFFF); break;
    case IndexCorruption::kSpanBeyond: {
      // Entry 0: a count-area span far beyond the record.
      const uint32_t at = GetU16BE(e, IdxtAt(e) + 4);
      const uint32_t control = at + 1 + e[at];
      // One control byte (four tags); tag 5's span opens the count area.
      e[control + 1] = 0x7F;
      e[control + 2] = 0xFF;
      break;
    }
    case IndexCorruption::kEntryCut: {
      // The last entry starts two bytes before the IDXT block.
      const uint32_t idxt = IdxtAt(e);
      const uint32_t count = GetU32BE(e, 24);
      PutU16BE(e, idxt + 4 + 2 * (count - 1), static_cast<uint16_t>(idxt - 2));
      e[idxt - 2] = 0;
      e[idxt - 1] = 0xFF;
      break;
    }
    case IndexCorruption::kTextOffsetBeyond: index.records.at(firstText).resize(3); break;
    case IndexCorruption::kTextLengthBeyond: {
      std::vector<uint8_t>& t = index.records.at(firstText);
      t[0] = 0x7F;
      t[1] = 0xFF;
      break;
    }
    case IndexCorruption::kTextLengthFourBytes: {
      std::vector<uint8_t>& t = index.records.at(firstText);
      t.insert(t.begin(), {0x00, 0x00, 0x00, 0x85});
      break;
    }
    case IndexCorruption::kNameBeyond: PutU32BE(h, 184, 0xFFFF); break;
    case IndexCorruption::kLigtBeyond: PutU32BE(h, 48, 0xFFFF); break;
    case IndexCorruption::kOrdtBeyond: PutU32BE(h, 40, static_cast<uint32_t>(h.size() - 100)); break;
    case IndexCorruption::kCharTableBeyond:
      PutU32BE(h, 168, 0xFFFF);
      PutU32BE(h, 172, L);
      PutU32BE(h, 176, L);
      break;
    case IndexCorruption::kEntryRecordMissing:
      index.records.erase(index.records.begin() + static_cast<long>(index.entryRecordCount));
      break;
  }
  return index;
}

}  // namespace testbuild
