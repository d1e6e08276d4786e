// Applying inflection rules to words, and the small look-ups on a book's
// inflection table.
#include "index/inflection/inflection_rules.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "index/search/key_collation.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/sources/document_source.h"

bool IsRuleCode(uint8_t byte) { return (byte >= 1 && byte <= 4) || (byte >= 10 && byte <= 19); }

namespace {

bool IsBodyCode(uint8_t byte) { return byte == 2 || byte == 3 || (byte >= 10 && byte <= 19); }

bool Push(ByteBuffer* out, uint8_t byte) {
  if (out->length >= out->capacity && !out->Reserve(out->length + 1)) return false;
  out->data[out->length++] = byte;
  return true;
}

// The characters after the first head code `code`: their start and count.
void HeadGroup(const uint8_t* rule, uint32_t headLength, uint8_t code, const uint8_t** chars, uint32_t* count) {
  *chars = nullptr;
  *count = 0;
  for (uint32_t i = 0; i < headLength; ++i) {
    if (rule[i] != code) continue;
    uint32_t j = i + 1;
    while (j < headLength && !IsRuleCode(rule[j])) ++j;
    *chars = rule + i + 1;
    *count = j - i - 1;
    return;
  }
}

}  // namespace

const uint8_t* ApplyRule(ByteBuffer* out, RuleDirection direction, const uint8_t* word, uint32_t wordLength,
                         const uint8_t* rule, uint32_t ruleLength, uint32_t* length, bool verify) {
  *length = 0;
  out->length = 0;
  const bool inflect = direction == RuleDirection::kInflect;
  uint32_t headLength = 0;
  while (headLength < ruleLength && !IsBodyCode(rule[headLength])) ++headLength;
  const uint8_t* added = nullptr;
  const uint8_t* removed = nullptr;
  uint32_t addedCount = 0;
  uint32_t removedCount = 0;
  HeadGroup(rule, headLength, inflect ? 1 : 4, &added, &addedCount);
  HeadGroup(rule, headLength, inflect ? 4 : 1, &removed, &removedCount);

  // Body: k characters consumed from the word's end.
  uint32_t k = 0;
  bool writing = inflect;  // before a side code: the inflected side
  for (uint32_t i = headLength; i < ruleLength; ++i) {
    const uint8_t b = rule[i];
    if (b == 2) {
      writing = inflect;
    } else if (b == 3) {
      writing = !inflect;
    } else if (b == 10) {
    } else if (b >= 11 && b <= 19) {
      const uint32_t keep = b - 10u;
      if (keep > wordLength - k) return nullptr;  // more than the word has
      for (uint32_t n = 0; n < keep; ++n) {
        if (!Push(out, word[wordLength - 1 - k])) return nullptr;
        ++k;
      }
    } else if (IsRuleCode(b)) {
      // A head code inside the body carries nothing.
    } else if (writing) {
      if (!Push(out, b)) return nullptr;
    } else {
      if (k >= wordLength) return nullptr;
      if (verify && word[wordLength - 1 - k] != b) return nullptr;
      ++k;
    }
  }
  // The removed prefix is skipped, the rest of the word copied.
  if (removedCount > wordLength - k) return nullptr;
  if (verify && removedCount != 0 && std::memcmp(word, removed, removedCount) != 0) return nullptr;
  for (uint32_t i = wordLength - k; i > removedCount; --i) {
    if (!Push(out, word[i - 1])) return nullptr;
  }
  for (uint32_t i = addedCount; i > 0; --i) {
    if (!Push(out, added[i - 1])) return nullptr;
  }
  for (uint32_t i = 0, j = out->length; i + 1 < j; ++i, --j) {
    uint8_t t = out->data[i];
    out->data[i] = out->data[j - 1];
    out->data[j - 1] = t;
  }
  *length = out->length;
  // An empty result still answers a valid pointer.
  if (out->data == nullptr && !out->Reserve(1)) return nullptr;
  return out->data;
}

IndexTable* InflectionTable(IndexTable* table) {
  if (table == nullptr) return nullptr;
  if (table->Companion() != nullptr) return table->Companion();
  DocumentSource* owner = table->GetSource();
  if (owner == nullptr) return nullptr;
  DocumentStream* stream = owner->OpenSpecialTable(6, 0);
  if (stream == nullptr) return nullptr;
  if (stream->GetStreamKind() != kIndexTableStreamKind) {
    stream->Release();
    return nullptr;
  }
  table->SetCompanion(static_cast<IndexTable*>(stream));
  return table->Companion();
}

int32_t InflectionKind(IndexTable* table) {
  IndexTable* inflection = InflectionTable(table);
  IndexEntryReader reader;
  if (inflection == nullptr || !reader.Init(inflection) || reader.Attach(inflection->MakeEntryRef(0)) != 0)
    return 0;
  uint32_t span = 0;
  uint32_t perItem = 0;
  auto present = [&](uint32_t tag) { return reader.SeekTag(tag, &span, &perItem) == 0 && span != 0; };
  if (present(7) || present(11)) return 1;
  if (present(27)) return 2;
  return 0;
}

namespace {

// The entry's label as bytes of the rule code page: UTF-8 for 65002 tables
// (256 bytes at most), ligatures undone for the others.
bool LabelInRuleForm(IndexTable* table, const IndexEntryRef& ref, uint8_t* out, uint32_t* length) {
  const uint8_t* bytes = nullptr;
  uint32_t n = 0;
  if (!table->GetLabelBytes(ref, &bytes, &n)) return false;
  if (table->GetCodePage() == kIndexCodePageWide) {
    uint32_t size = kIndexScratchBytes;
    int r = ConvertToUtf8(bytes, n, kCodePageUtf16, out, &size);
    if (r != kConvertOk) return false;
    *length = size;
    return true;
  }
  if (n > kIndexScratchBytes) n = kIndexScratchBytes;
  std::memcpy(out, bytes, n);
  *length = n;
  return true;
}

}  // namespace

bool InflectEntry(IndexTable* table, const IndexEntryRef& ref, int32_t ruleEntry, SharedWideString* text) {
  text->Clear();
  IndexTable* inflection = InflectionTable(table);
  if (inflection == nullptr) return false;
  IndexEntryRef ruleRef = inflection->MakeEntryRef(ruleEntry);
  const uint8_t* rule = nullptr;
  uint32_t ruleLength = 0;
  if (ruleRef.IsSentinel() || !inflection->GetLabelData(ruleRef.record, ruleRef.entry, &rule, &ruleLength))
    return false;
  uint8_t ruleCopy[kIndexScratchBytes];
  if (ruleLength > sizeof(ruleCopy)) ruleLength = sizeof(ruleCopy);
  std::memcpy(ruleCopy, rule, ruleLength);
  uint8_t word[kIndexScratchBytes];
  uint32_t wordLength = 0;
  if (!LabelInRuleForm(table, ref, word, &wordLength)) return false;
  uint32_t length = 0;
  const uint8_t* result =
      ApplyRule(&table->RuleBuffer(), RuleDirection::kInflect, word, wordLength, ruleCopy, ruleLength, &length, false);
  if (result == nullptr) return false;
  return table->DecodeText(result, length, text);
}

int32_t FindFormValue(IndexTable* table, int32_t ruleEntry, const WCHAR* name, uint32_t length) {
  IndexTable* inflection = InflectionTable(table);
  if (inflection == nullptr) return -1;
  uint8_t bytes[kIndexScratchBytes];
  uint32_t n = 0;
  if (inflection->GetCodePage() == kIndexCodePageWide) {
    uint32_t size = sizeof(bytes);
    if (ConvertToUtf8(name, length * sizeof(WCHAR), kCodePageUtf16, bytes, &size) != kConvertOk) return -1;
    n = size;
  } else {
    if (length > sizeof(bytes)) return -1;
    for (uint32_t i = 0; i < length; ++i) {
      uint32_t b = UnicodeToCp1252(name[i], 0x100);
      if (b > 0xFF) return -1;
      bytes[n++] = static_cast<uint8_t>(b);
    }
  }
  IndexEntryReader reader;
  IndexEntryRef ref = inflection->MakeEntryRef(ruleEntry);
  if (!reader.Init(inflection) || reader.Attach(ref) != 0) return -1;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (reader.SeekTag(5, &span, &perItem) != 0 || span == 0) return -1;
  const uint32_t count = reader.CountItems() * (perItem == 0 ? 1 : perItem);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t position = 0;
    if (reader.ReadValues(&position, 1, true) != 0) return -1;
    const uint8_t* text = nullptr;
    uint32_t textLength = 0;
    if (!inflection->ReadLengthPrefixedBytes(position, &text, &textLength)) continue;
    if (textLength != n || std::memcmp(text, bytes, n) != 0) continue;
    // The i-th value of tag 26.
    IndexEntryReader values;
    if (!values.Init(inflection) || values.Attach(ref) != 0) return -1;
    if (values.SeekTag(26, &span, &perItem) != 0 || span == 0) return -1;
    uint32_t v = 0;
    for (uint32_t j = 0; j <= i; ++j) {
      if (values.ReadValues(&v, 1, true) != 0) return -1;
    }
    return static_cast<int32_t>(v);
  }
  return -1;
}
