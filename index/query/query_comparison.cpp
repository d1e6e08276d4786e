// Comparisons of a table's keys with a text: the text brought into the
// table's key form, the like pattern record, the n-gram narrowing of a like
// node through the table's following table, and the anagram letter record.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "index/query/index_query_result.h"
#include "index/query/query_anagram.h"
#include "index/search/key_collation.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kListTagPrimary = 37;
constexpr uint32_t kListTagSecondary = 39;
constexpr uint32_t kPositionalNgrams = 15;

uint32_t CodeAt(const uint8_t* p, uint32_t i, uint32_t width) { return width == 2 ? LoadU16BE(p + 2 * i) : p[i]; }

void PutCode(uint8_t* out, uint32_t at, uint32_t code, uint32_t width) {
  if (width == 2) StoreU16BE(out + at, static_cast<uint16_t>(code));
  else out[at] = static_cast<uint8_t>(code);
}

// A growable byte buffer owned by one builder call.
struct Bytes {
  uint8_t* data = nullptr;
  uint32_t length = 0;
  uint32_t capacity = 0;
  ~Bytes() { DeviceFree(data); }
  bool Put(uint32_t code, uint32_t width) {
    if (length + width > capacity) {
      const uint32_t grown = capacity < 32 ? 64 : capacity * 2;
      void* block = DeviceRealloc(data, grown);
      if (block == nullptr) return false;
      data = static_cast<uint8_t*>(block);
      capacity = grown;
    }
    PutCode(data, length, code, width);
    length += width;
    return true;
  }
};

// One slot of the narrowing: the rarest n-gram lists found so far.
struct NgramSlot {
  uint32_t size = 0xFFFFFFFFu;
  IndexEntryRef entry;
  int32_t tag = -1;
};

}  // namespace

bool IndexQueryResult::BuildPatternRecord(QueryPatternRecord* record, const uint8_t* text, uint32_t length,
                                          uint32_t anyCharacter, uint32_t anyRun) {
  record->pattern.ClearPattern();
  record->pattern.anyCharacter = anyCharacter;
  record->anyRunCode = anyRun;
  record->prefixCharacters = 0;
  record->longPrefix = 0;
  record->empty = 1;
  if (length == 0) return true;
  const IndexCollation& c = table_->Header().collation;
  const uint32_t width = CodeWidth(c);
  const uint32_t n = length / width;
  Bytes prefix;
  Bytes pattern;
  uint32_t* segments = static_cast<uint32_t*>(DeviceAlloc(sizeof(uint32_t) * (n + 1)));
  if (segments == nullptr) return false;
  uint32_t segmentCount = 1;
  segments[0] = 0;
  bool inPrefix = true;
  bool meaningful = false;
  bool ok = true;
  for (uint32_t i = 0; i < n && ok; ++i) {
    const uint32_t code = CodeAt(text, i, width);
    if (code == anyRun) {
      inPrefix = false;
      meaningful = true;
      segments[segmentCount++] = 0;
      continue;
    }
    const bool wildcard = code == anyCharacter;
    if (!wildcard && CodeWeight(c, code) == 0) continue;  // ignorable
    meaningful = true;
    if (wildcard) inPrefix = false;
    if (inPrefix) {
      ok = prefix.Put(code, width);
      ++record->prefixCharacters;
    }
    ok = ok && pattern.Put(code, width);
    segments[segmentCount - 1] += width;
  }
  if (ok && meaningful) {
    ok = record->pattern.SetPatternBytes(pattern.data, pattern.length, segments, segmentCount) &&
         record->pattern.SetPrefix(prefix.data, prefix.length);
    record->empty = 0;
    record->longPrefix = record->prefixCharacters > 2 ? 1 : 0;
  }
  DeviceFree(segments);
  if (!ok) {
    record->pattern.ClearPattern();
    record->prefixCharacters = 0;
    record->empty = 1;
  }
  return ok;
}

int32_t IndexQueryResult::AddKeyCompareNode(const uint8_t* text, uint32_t length, bool negate, uint32_t anyCharacter,
                                            uint32_t anyRun, bool required) {
  if (table_ == nullptr) return 1;
  QueryNode* node = NewNode(negate ? kQueryNotLike : kQueryLike);
  if (node == nullptr) return 1;
  if (!BuildPatternRecord(&node->pattern, text, length, anyCharacter, anyRun)) return 1;
  if (followingTable_ == nullptr && table_->Header().followingTable != 0) {
    if (table_->OpenFollowingTable(&followingTable_) != 0) return 1;
  }
  if (negate || followingTable_ == nullptr) return 0;
  const int32_t narrowed = NarrowByNgrams(node->pattern, required);
  if (narrowed != 0 && required) {
    // The like node is the one before the narrowing's nodes: none were added.
    RemoveLastNode();
  }
  return narrowed;
}

int32_t IndexQueryResult::NarrowByNgrams(const QueryPatternRecord& record, bool required) {
  IndexTable* following = followingTable_;
  IndexEntryReader reader;
  if (!reader.Init(following)) return 1;
  const IndexCollation& c = table_->Header().collation;
  const uint32_t width = CodeWidth(c);
  NgramSlot slots[2];
  // The n-gram's characters go through the key map, so that every form of
  // a letter finds the one list.
  auto mapped = [&](uint32_t code) { return HasKeyMap(c) ? CodeWeight(c, code) : code; };
  auto consider = [&](const uint8_t* key, uint32_t keyLength) {
    IndexEntryRef ref;
    ++counters_.keySearches;
    if (!following->FindKey(key, keyLength, &ref, false, static_cast<int32_t>(following->GetCodePage()), true, true,
                            false, 0)) {
      return;
    }
    if (reader.Attach(ref) != 0) return;
    uint32_t size = 0;
    int32_t tag = -1;
    uint32_t span = 0;
    uint32_t perItem = 0;
    for (uint32_t t = reader.NextTag(&span, &perItem); t != kTagWalkEnd; t = reader.NextTag(&span, &perItem)) {
      if (span == 0) continue;
      if (t == 1) {
        tag = kListTagPrimary;
        size = 0;
      } else if (t == kListTagPrimary) {
        tag = kListTagPrimary;
        size = span;
      } else if (t == 2) {
        tag = kListTagSecondary;
        size = 0;
      } else if (t == kListTagSecondary) {
        tag = kListTagSecondary;
        size = span;
      }
    }
    if (tag < 0) return;
    for (NgramSlot& slot : slots) {
      if (slot.size > size) {
        slot.size = size;
        slot.entry = ref;
        slot.tag = tag;
        break;
      }
    }
  };
  const uint8_t* bytes = record.pattern.bytes;
  uint32_t offset = 0;
  for (uint32_t k = 0; k < record.pattern.segmentCount; ++k) {
    const uint32_t codes = record.pattern.segments[k] / width;
    const uint8_t* segment = bytes + offset;
    offset += record.pattern.segments[k];
    const bool first = k == 0;
    const bool last = k + 1 == record.pattern.segmentCount;
    for (uint32_t i = 0; i < codes; ++i) {
      const uint32_t code = CodeAt(segment, i, width);
      // "_" is never part of an n-gram, but counts as a position.
      if (code == record.pattern.anyCharacter) continue;
      uint8_t key[10];
      PutCode(key, 0, mapped(code), width);
      consider(key, width);
      if (i + 1 < codes) {
        const uint32_t next = CodeAt(segment, i + 1, width);
        if (next != record.pattern.anyCharacter) {
          PutCode(key, width, mapped(next), width);
          consider(key, 2 * width);
        }
      }
      auto positional = [&](uint32_t marker, uint32_t place) {
        PutCode(key, 0, mapped(code), width);
        for (uint32_t j = 1; j <= 3; ++j) PutCode(key, j * width, marker, width);
        PutCode(key, 4 * width, 101 + place, width);
        consider(key, 5 * width);
      };
      if (first && i >= 1 && i < kPositionalNgrams && i >= record.prefixCharacters) positional('a', i);
      if (last && codes - 1 - i < kPositionalNgrams) positional('b', codes - 1 - i);
    }
  }
  uint32_t strength = record.longPrefix + (record.prefixCharacters != 0 ? 1 : 0);
  for (const NgramSlot& slot : slots) strength += slot.tag >= 0 ? 1 : 0;
  if (required && strength < 2) return 1;
  for (const NgramSlot& slot : slots) {
    if (slot.tag < 0) continue;
    if (AddLinkNode(following, slot.entry, slot.tag, false) != 0) return 1;
    if (AddOperator(kQueryIntersection) != 0) return 1;
  }
  return 0;
}

int32_t IndexQueryResult::AddPatternNode(const uint8_t* letters, uint32_t length, bool negate, uint32_t maxLeftover,
                                         uint32_t jokers) {
  if (table_ == nullptr) return 1;
  QueryNode* node = NewNode(negate ? kQueryNotAnagram : kQueryAnagram);
  if (node == nullptr) return 1;
  return BuildLetterRecord(table_->Header().collation, letters, length, maxLeftover, jokers, &node->letters) ? 0 : 1;
}

int32_t IndexQueryResult::AddComparison(const SharedWideString& text, int32_t code, bool required) {
  if (table_ == nullptr) return 1;
  if (code != kCompareLike && code != kCompareNotLike && code != kCompareAnagram && code != kCompareNotAnagram &&
      code != kCompareEqual && code != kCompareNotEqual) {
    return 1;
  }
  SharedWideString letters;
  letters.Assign(text);
  uint32_t leftover = 0;
  uint32_t jokers = 0;
  if (code == kCompareAnagram || code == kCompareNotAnagram) {
    uint32_t percent = 0;
    if (text.FindChar('%', &percent)) {
      SharedWideString number;
      number.AssignFrom(text, percent + 1);
      if (!number.ParseUnsigned(10, &leftover)) return 1;
      letters.AssignSubstring(text, 0, percent);
    }
    jokers = letters.CountChar('?');
    if (jokers != 0 && !letters.RemoveChar(u'?')) return 1;
  }
  const IndexCollation& c = table_->Header().collation;
  const uint32_t width = CodeWidth(c);
  const uint32_t n = letters.length;
  // Key bytes: at most four per character, two when encoded.
  const uint32_t capacity = n * 4 + 4;
  uint8_t* converted = static_cast<uint8_t*>(DeviceAlloc(capacity));
  uint8_t* work = static_cast<uint8_t*>(DeviceAlloc(capacity));
  if (converted == nullptr || work == nullptr) {
    DeviceFree(converted);
    DeviceFree(work);
    return 1;
  }
  uint32_t length = 0;
  bool unrepresentable = false;
  bool failed = false;
  uint32_t anyCharacter = '_';
  uint32_t anyRun = '%';
  const int32_t cp = static_cast<int32_t>(table_->GetCodePage());
  if (c.utf16Keys) {
    if (n != 0)
      unrepresentable = EncodeKey(c, letters.Chars(), n, kCodePageUtf16, converted, capacity, &length, nullptr);
    uint8_t code[4];
    uint32_t codeLength = 0;
    const WCHAR underscore = u'_';
    const WCHAR percent = u'%';
    anyCharacter = EncodeKey(c, &underscore, 1, kCodePageUtf16, code, sizeof(code), &codeLength, nullptr) ||
                           codeLength != width
                       ? 0xFFFFFFFFu
                       : CodeAt(code, 0, width);
    anyRun = EncodeKey(c, &percent, 1, kCodePageUtf16, code, sizeof(code), &codeLength, nullptr) ||
                     codeLength != width
                 ? 0xFFFFFFFEu
                 : CodeAt(code, 0, width);
  } else if (n != 0) {
    if (cp == kCodePage1252) {
      for (uint32_t i = 0; i < n && !failed; ++i) {
        const uint32_t b = CharToCp1252Approx(letters.Chars()[i], 0x100);
        if (b > 0xFF) failed = true;
        else work[length++] = static_cast<uint8_t>(b);
      }
    } else {
      uint32_t out = capacity;
      bool replaced = false;
      if (WideToMultiByte(letters.Chars(), n * sizeof(WCHAR), cp, work, &out, &replaced) != kConvertOk) failed = true;
      else length = out;
    }
    if (!failed) {
      const IndexHeader& h = table_->Header();
      if (h.ligatureCount != 0) {
        length = MapLigatures(work, length, converted, capacity, h.ligatures, h.ligatureCount, true);
      } else {
        std::memcpy(converted, work, length);
      }
    }
  }
  int32_t result = 1;
  if (!failed) {
    switch (code) {
      case kCompareLike:
      case kCompareNotLike:
        result = unrepresentable ? AddConstantNode(code == kCompareLike)
                                 : AddKeyCompareNode(converted, length, code == kCompareNotLike, anyCharacter, anyRun,
                                                     required);
        break;
      case kCompareAnagram:
      case kCompareNotAnagram:
        result = AddPatternNode(converted, length, code == kCompareNotAnagram, leftover, jokers);
        break;
      default:
        result = unrepresentable ? AddConstantNode(code == kCompareEqual)
                                 : AddRangeNode(converted, length, code == kCompareNotEqual);
        break;
    }
  }
  DeviceFree(converted);
  DeviceFree(work);
  return result;
}
