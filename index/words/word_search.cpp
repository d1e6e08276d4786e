// SearchText and its steps: exact look-up, form-list and rule inflections,
// compound splitting.
#include "index/words/word_search.h"

#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "index/inflection/inflection_rules.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"

namespace {

constexpr uint32_t kMaxWordBytes = kIndexScratchBytes;

uint32_t PrimaryLanguage(IndexTable* table) { return table->GetLanguage() & 0x3FF; }

bool Lookup(IndexTable* table, const uint8_t* key, uint32_t length, int32_t cp, IndexEntryRef* ref) {
  return table->FindKey(key, length, ref, false, cp, true, false, false, 0);
}

// Significant bytes of a word in the key code page.
uint32_t SignificantBytes(IndexTable* table, const uint8_t* word, uint32_t length, int32_t cp) {
  const uint8_t* stored = nullptr;
  uint32_t storedLength = 0;
  uint32_t significant = 0;
  table->PrepareKey(word, length, cp, &stored, &storedLength, &significant);
  if (table->GetCodePage() != kIndexCodePageWide && table->Header().ligatureCount != 0) {
    // Ligatures change lengths: count the source word instead.
    significant = table->SignificantLength(word, length);
  }
  return significant;
}

bool HasTag(IndexEntryReader* reader, uint32_t tag) {
  uint32_t span = 0;
  uint32_t perItem = 0;
  return reader->SeekTag(tag, &span, &perItem) == 0 && span != 0;
}

// Form lists: the word's tail looked up in the inflection table, each form
// group giving a base-form ending to put after the head.
bool FormSearch(IndexTable* table, IndexTable* inflection, const uint8_t* word, uint32_t length, int32_t cp,
                IndexRefList* list) {
  uint32_t m = SignificantBytes(table, word, length, cp);
  if (m > kMaxWordBytes) m = kMaxWordBytes;
  if (m <= 2) return false;
  const uint32_t before = list->Count();
  IndexEntryReader tails;
  IndexEntryReader mains;
  if (!tails.Init(inflection) || !mains.Init(table)) return false;
  for (uint32_t n = m - 2 + 1; n-- > 0;) {
    const uint32_t headLength = m - n;
    IndexEntryRef tailRef;
    if (!Lookup(inflection, word + headLength, n, cp, &tailRef)) continue;
    for (uint32_t groupTag : {7u, 11u}) {
      if (tails.Attach(tailRef) != 0) break;
      uint32_t span = 0;
      uint32_t perItem = 0;
      if (tails.SeekTag(groupTag, &span, &perItem) != 0 || span == 0) continue;
      // The groups' allowed classes (tag 11 with tag 24) are read in order.
      IndexEntryReader classes;
      bool hasClasses = false;
      if (groupTag == 11 && classes.Init(inflection) && classes.Attach(tailRef) == 0) {
        uint32_t s = 0, p = 0;
        hasClasses = classes.SeekTag(24, &s, &p) == 0 && s != 0;
      }
      const uint32_t width = groupTag == 11 ? 3 : 2;
      uint32_t group[3] = {0, 0, 0};
      while (tails.ReadValues(group, width, true) == 0) {
        uint32_t allowed[32];
        uint32_t allowedCount = 0;
        if (groupTag == 11 && hasClasses) {
          for (uint32_t i = 0; i < group[2]; ++i) {
            uint32_t v = 0;
            if (classes.ReadValues(&v, 1, true) != 0) break;
            if (allowedCount < 32) allowed[allowedCount++] = v;
          }
        }
        uint32_t available = 0;
        const uint8_t* ending = inflection->GetTextRecord(group[1], &available);
        if (ending == nullptr || group[0] > available || headLength + group[0] >= kMaxWordBytes) continue;
        uint8_t candidate[kMaxWordBytes];
        std::memcpy(candidate, word, headLength);
        std::memcpy(candidate + headLength, ending, group[0]);
        IndexEntryRef ref;
        if (!Lookup(table, candidate, headLength + group[0], cp, &ref)) continue;
        for (;;) {
          if (mains.Attach(ref) == 0 && !HasTag(&mains, 25)) {
            bool accepted = groupTag == 7 || !hasClasses;
            if (!accepted) {
              uint32_t s = 0, p = 0;
              if (mains.SeekTag(40, &s, &p) == 0 && s != 0) {
                uint32_t v = 0;
                while (!accepted && mains.ReadValues(&v, 1, true) == 0) {
                  for (uint32_t i = 0; i < allowedCount; ++i) accepted = accepted || allowed[i] == v;
                }
              }
            }
            if (accepted && !ListContains(*list, ref)) list->Append(ref);
          }
          if (table->StepWithinEqualKeys(&ref, true) != 0) break;
        }
      }
    }
  }
  return list->Count() > before;
}

bool LabelStartsWith(IndexTable* table, const IndexEntryRef& ref, const uint8_t* probe, uint32_t length,
                     const uint8_t** label, uint32_t* labelLength) {
  if (!table->GetLabelData(ref.record, ref.entry, label, labelLength)) return false;
  return *labelLength >= length && std::memcmp(*label, probe, length) == 0;
}

// Rule classes: probe keys built from the word find the rules that may
// apply; each rule reduces the word, and the result is accepted when its
// entry shares a class (tag 42) with the rule (tag 27).
bool RuleSearch(IndexTable* table, IndexTable* inflection, const uint8_t* word, uint32_t length, int32_t cp,
                IndexRefList* list) {
  const uint32_t significant = SignificantBytes(table, word, length, cp);
  const uint32_t n = significant < 29 ? significant : 29;
  if (n > length) return false;
  struct Probe {
    uint8_t bytes[32];
    uint32_t length;
    uint32_t minimum;
  };
  Probe probes[23];
  uint32_t probeCount = 0;
  auto add = [&](std::initializer_list<uint8_t> codes, const uint8_t* tail, uint32_t tailLength, bool reversed,
                 uint32_t minimum) {
    Probe& p = probes[probeCount++];
    p.length = 0;
    for (uint8_t c : codes) p.bytes[p.length++] = c;
    for (uint32_t i = 0; i < tailLength; ++i) p.bytes[p.length++] = reversed ? tail[tailLength - 1 - i] : tail[i];
    p.minimum = minimum;
  };
  add({2}, word, n, true, 1);
  add({3}, nullptr, 0, false, 1);
  add({1}, word, n, false, 1);
  add({4}, nullptr, 0, false, 1);
  add({10}, nullptr, 0, false, 1);
  for (uint32_t g = 1; g <= 9 && g < significant; ++g) {
    uint32_t keep = significant - g;
    if (keep > 28) keep = 28;
    if (keep > length) keep = length;
    add({static_cast<uint8_t>(g + 10), 2}, word, keep, true, 2);
  }
  for (uint8_t code = 11; code <= 19; ++code) add({code, 3}, nullptr, 0, false, 2);

  const uint32_t before = list->Count();
  IndexEntryReader rules;
  IndexEntryReader mains;
  if (!rules.Init(inflection) || !mains.Init(table)) return false;
  uint8_t wordCopy[kMaxWordBytes];
  uint32_t wordLength = length < kMaxWordBytes ? length : kMaxWordBytes;
  std::memcpy(wordCopy, word, wordLength);
  for (uint32_t p = 0; p < probeCount; ++p) {
    const Probe& probe = probes[p];
    for (uint32_t len = probe.length; len >= probe.minimum && (len > probe.minimum || len == probe.length); --len) {
      IndexEntryRef ref;
      inflection->FindKey(probe.bytes, len, &ref, false, cp, true, true, false, 0);
      if (ref.IsSentinel()) continue;
      for (;;) {
        const uint8_t* label = nullptr;
        uint32_t labelLength = 0;
        if (!LabelStartsWith(inflection, ref, probe.bytes, len, &label, &labelLength)) break;
        if (labelLength > len && len > probe.minimum && !IsRuleCode(label[len])) break;
        uint8_t rule[kIndexScratchBytes];
        uint32_t ruleLength = labelLength < sizeof(rule) ? labelLength : sizeof(rule);
        std::memcpy(rule, label, ruleLength);
        uint32_t span = 0, perItem = 0;
        if (rules.Attach(ref) == 0 && rules.SeekTag(27, &span, &perItem) == 0 && span != 0) {
          uint32_t reducedLength = 0;
          const uint8_t* reduced = ApplyRule(&table->RuleBuffer(), RuleDirection::kReduce, wordCopy, wordLength,
                                             rule, ruleLength, &reducedLength, true);
          IndexEntryRef base;
          if (reduced != nullptr && reducedLength != 0) {
            uint8_t key[kMaxWordBytes];
            uint32_t keyLength = reducedLength < sizeof(key) ? reducedLength : sizeof(key);
            std::memcpy(key, reduced, keyLength);
            if (Lookup(table, key, keyLength, cp, &base)) {
              for (;;) {
                bool shares = false;
                if (mains.Attach(base) == 0 && mains.SeekTag(42, &span, &perItem) == 0 && span != 0) {
                  uint32_t v = 0;
                  while (!shares && mains.ReadValues(&v, 1, true) == 0) {
                    uint32_t s = 0, pi = 0, c = 0;
                    if (rules.SeekTag(27, &s, &pi) != 0) break;
                    while (!shares && rules.ReadValues(&c, 1, true) == 0) shares = c == v;
                  }
                }
                if (shares) {
                  IndexEntryReader links;
                  links.Init(table);
                  AddEntry(table, base, list, &links);
                  break;
                }
                if (table->StepWithinEqualKeys(&base, true) != 0) break;
              }
            }
          }
        }
        if (inflection->Step(&ref, 1) != 0) break;
      }
      if (len == 0) break;
    }
  }
  return list->Count() > before;
}

// Character boundaries of a word: every byte for 1252, UTF-8 lead bytes
// otherwise.
bool IsBoundary(const uint8_t* word, uint32_t at, bool utf8) { return !utf8 || (word[at] & 0xC0) != 0x80; }

bool CompoundSearch(IndexTable* table, const uint8_t* word, uint32_t length, int32_t cp, IndexRefList* list,
                    IndexEntryReader* reader, bool withInflections) {
  const bool utf8 = cp == kCodePageUtf8;
  uint32_t starts[kMaxWordBytes + 1];
  uint32_t characters = 0;
  for (uint32_t i = 0; i < length; ++i)
    if (IsBoundary(word, i, utf8)) starts[characters++] = i;
  starts[characters] = length;
  if (characters < 5) return false;
  const uint32_t before = list->Count();
  auto lower = [](uint8_t c) { return static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c + 32 : c); };
  for (uint32_t split = 2; split + 3 <= characters; ++split) {
    const uint32_t headLength = starts[split];
    IndexEntryRef head;
    if (!Lookup(table, word, headLength, cp, &head)) continue;
    const uint8_t* rest = word + headLength;
    const uint32_t restLength = length - headLength;
    bool success = TrySearch(table, rest, restLength, list, reader, cp, withInflections);
    if (!success) {
      const uint8_t r0 = lower(rest[0]);
      const uint8_t r1 = restLength > 1 ? lower(rest[1]) : 0;
      const uint8_t r2 = restLength > 2 ? lower(rest[2]) : 0;
      if (r0 == 's' || r0 == 'e' || r0 == 'n')
        success = TrySearch(table, rest + 1, restLength - 1, list, reader, cp, withInflections) || success;
      if (r0 == 'e' && (r1 == 's' || r1 == 'n'))
        success = TrySearch(table, rest + 2, restLength - 2, list, reader, cp, withInflections) || success;
      if (r0 == 'e' && r1 == 'n' && r2 == 's' && restLength > 3)
        success = TrySearch(table, rest + 3, restLength - 3, list, reader, cp, withInflections) || success;
      const uint32_t lastStart = starts[split - 1];
      const uint32_t previousStart = starts[split - 2];
      const uint32_t lastLength = headLength - lastStart;
      if (!success && lastLength == lastStart - previousStart &&
          std::memcmp(word + lastStart, word + previousStart, lastLength) == 0 && restLength + lastLength <= kMaxWordBytes) {
        uint8_t doubled[kMaxWordBytes];
        std::memcpy(doubled, word + lastStart, lastLength);
        std::memcpy(doubled + lastLength, rest, restLength);
        success = TrySearch(table, doubled, restLength + lastLength, list, reader, cp, withInflections);
      }
    }
    if (success) {
      Lookup(table, word, headLength, cp, &head);
      AddEqualEntries(table, head, list, reader);
    }
  }
  return list->Count() > before;
}

}  // namespace

bool ListContains(const IndexRefList& list, const IndexEntryRef& ref) {
  for (uint32_t i = 0; i < list.Count(); ++i)
    if (list[i] == ref) return true;
  return false;
}

bool AddEntry(IndexTable* table, IndexEntryRef ref, IndexRefList* list, IndexEntryReader* reader) {
  IndexEntryRef target = ref;
  if (reader != nullptr && reader->IsReady()) reader->FollowLink(&target, 25);
  (void)table;
  if (ListContains(*list, target)) return false;
  return list->Append(target) >= 0;
}

void AddEqualEntries(IndexTable* table, IndexEntryRef ref, IndexRefList* list, IndexEntryReader* reader) {
  for (uint32_t guard = 0; guard < 0x10000; ++guard) {
    AddEntry(table, ref, list, reader);
    if (table->StepWithinEqualKeys(&ref, true) != 0) break;
  }
}

bool TrySearch(IndexTable* table, const uint8_t* word, uint32_t length, IndexRefList* list, IndexEntryReader* reader,
               int32_t keyCodePage, bool withInflections) {
  const uint32_t before = list->Count();
  IndexEntryRef ref;
  if (Lookup(table, word, length, keyCodePage, &ref)) AddEqualEntries(table, ref, list, reader);
  if (withInflections) {
    uint8_t copy[kMaxWordBytes];
    if (length > sizeof(copy)) length = sizeof(copy);
    std::memcpy(copy, word, length);
    switch (InflectionKind(table)) {
      case 1: FormSearch(table, table->Companion(), copy, length, keyCodePage, list); break;
      case 2: RuleSearch(table, table->Companion(), copy, length, keyCodePage, list); break;
      default: break;
    }
  }
  return list->Count() > before;
}

bool SearchText(IndexTable* table, const WCHAR* word, uint32_t count, IndexRefList* list, WordSearchFlags flags) {
  if (table == nullptr || !table->IsOpen()) return false;
  const bool wide = table->GetCodePage() == kIndexCodePageWide;
  const int32_t cp = wide ? kCodePageUtf8 : kCodePage1252;
  uint8_t bytes[kMaxWordBytes * 3];
  uint32_t length = 0;
  if (count > kMaxWordBytes) count = kMaxWordBytes;
  if (wide) {
    uint32_t size = sizeof(bytes);
    if (count != 0 && ConvertToUtf8(word, count * sizeof(WCHAR), kCodePageUtf16, bytes, &size) != kConvertOk)
      return false;
    length = count != 0 ? size : 0;
  } else {
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t b = CharToCp1252Approx(word[i], 0x100);
      if (b > 0xFF) return false;  // no form in the index's code page
      bytes[length++] = static_cast<uint8_t>(b);
    }
  }
  const uint8_t* w = bytes;
  const uint32_t language = PrimaryLanguage(table);
  if (language != 9) {
    // An elided article ("l'", "d'") is dropped.
    if (!wide && length > 2 && (w[1] == 39 || w[1] == 146)) {
      w += 2;
      length -= 2;
    } else if (wide && length > 0) {
      uint32_t first = Utf8SequenceLength(w[0]);
      uint32_t second = 0;
      if (first < length && DecodeUtf8Char(w + first, length - first, &second) != 0 &&
          (second == 0x27 || second == 0x2019)) {
        uint32_t drop = first + Utf8EncodedLength(second);
        if (drop < length) {
          w += drop;
          length -= drop;
        }
      }
    }
  }
  IndexEntryReader reader;
  reader.Init(table);
  const uint32_t before = list->Count();
  TrySearch(table, w, length, list, &reader, cp, flags.withInflections);
  if (list->Count() == before) {
    const bool compoundLanguage = language == 6 || language == 7 || language == 19;
    if ((compoundLanguage && (!flags.restrictCompounds || flags.forceCompounds)) ||
        (!compoundLanguage && flags.restrictCompounds && flags.forceCompounds)) {
      CompoundSearch(table, w, length, cp, list, &reader, flags.withInflections);
    }
  }
  return list->Count() > before;
}
