// IndexTable: descriptors, key preparation and the two-level binary search
// (the header record's highest keys, then one entry record), with the walk
// over runs of equally collating keys.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "index/search/key_collation.h"
#include "index/tables/index_table.h"

namespace {

bool StartsWith(const WCHAR* text, uint32_t length, const char* prefix, uint32_t prefixLength) {
  if (length < prefixLength) return false;
  for (uint32_t i = 0; i < prefixLength; ++i) {
    if (text[i] != static_cast<WCHAR>(static_cast<uint8_t>(prefix[i]))) return false;
  }
  return true;
}

}  // namespace

int32_t IndexTable::MatchDescriptor(const WCHAR* descriptor, uint32_t length) const {
  if (descriptor == nullptr) return 1;
  if (StartsWith(descriptor, length, "table=", 6) || StartsWith(descriptor, length, "special_table=", 14) ||
      StartsWith(descriptor, length, "key_table", 9)) {
    if (descriptor_.IsEmpty()) return 1;
    return descriptor_.length == length && std::memcmp(descriptor_.Chars(), descriptor, length * sizeof(WCHAR)) == 0
               ? 0
               : 1;
  }
  if (StartsWith(descriptor, length, "tableid=", 8)) {
    uint32_t number = 0;
    if (length == 8 || !ParseUnsignedUnits(descriptor + 8, length - 8, 10, &number)) return 1;
    if (headerRecordNumber_ < 0) return 1;
    uint32_t own = static_cast<uint32_t>(headerRecordNumber_);
    return number == own ? 0 : (number < own ? -1 : 1);
  }
  return 1;
}

int32_t IndexTable::CompareKeys(const uint8_t* key, uint32_t keyLength, const uint8_t* label, uint32_t labelLength,
                                uint32_t limit) const {
  return CompareCollated(header_.collation, tieBreak_ != 0, key, keyLength, label, labelLength, limit);
}

uint32_t IndexTable::SignificantLength(const uint8_t* key, uint32_t length) const {
  const IndexCollation& c = header_.collation;
  const uint32_t width = CodeWidth(c);
  uint32_t last = 0;
  for (uint32_t i = 0; i + width <= length; i += width) {
    uint32_t code = width == 2 ? static_cast<uint32_t>(key[i] << 8 | key[i + 1]) : key[i];
    if (CodeWeight(c, code) != 0) last = i + width;
  }
  return last;
}

bool IndexTable::PrepareKey(const uint8_t* key, uint32_t length, int32_t keyCodePage, const uint8_t** stored,
                            uint32_t* storedLength, uint32_t* significant) {
  EnsureCurrentStore();
  bool representable = true;
  uint32_t sig = 0;
  if (header_.collation.utf16Keys) {
    representable = !EncodeKey(header_.collation, key, length, keyCodePage, scratch_, kIndexScratchBytes,
                               storedLength, &sig);
    *stored = scratch_;
  } else if (header_.ligatureCount != 0) {
    *storedLength =
        MapLigatures(key, length, scratch_, kIndexScratchBytes, header_.ligatures, header_.ligatureCount, true);
    *stored = scratch_;
    sig = SignificantLength(*stored, *storedLength);
  } else {
    *storedLength = length < kIndexScratchBytes ? length : kIndexScratchBytes;
    *stored = key;
    sig = SignificantLength(key, *storedLength);
  }
  if (significant) *significant = sig;
  return representable;
}

// The binary search of one record's labels (the header record's item labels
// or an entry record's entries), as the book's writer expects it.
bool IndexTable::SearchRecord(const IndexHeader& h, const uint8_t* key, uint32_t keyLength, uint32_t limit,
                              uint32_t* answer, bool* found) {
  *found = false;
  const bool isHeader = &h == &header_;
  const uint32_t count = isHeader ? h.count : entryHeader_.count;
  if (count == 0) return false;
  const int32_t record = entryRecordNumber_;
  auto compareAt = [&](uint32_t i, int32_t* result) {
    const uint8_t* label = nullptr;
    uint32_t length = 0;
    bool ok = isHeader ? GetHeaderLabel(i, &label, &length)
                       : GetLabelData(record, static_cast<int32_t>(i), &label, &length);
    if (!ok) return false;
    *result = CompareKeys(key, keyLength, label, length, limit);
    return true;
  };
  uint32_t lo = 0;
  uint32_t hi = count - 1;
  uint32_t mid = hi / 2;
  int32_t c = 0;
  for (;;) {
    if (!compareAt(mid, &c)) return false;
    if (c == 0) {
      *answer = mid;
      *found = true;
      return true;
    }
    if (c < 0) hi = mid;
    else lo = mid;
    uint32_t next = lo + (hi - lo) / 2;
    if (next == lo || next == hi) {
      if (!compareAt(lo, &c)) return false;
      if (c <= 0) {
        *answer = lo;
        *found = c == 0;
        return true;
      }
      if (!compareAt(hi, &c)) return false;
      if (c <= 0) {
        *answer = hi;
        *found = c == 0;
        return true;
      }
      *answer = hi + 1;
      return true;
    }
    mid = next;
  }
}

bool IndexTable::FindKey(const uint8_t* key, uint32_t length, IndexEntryRef* ref, bool exactBytes,
                         int32_t keyCodePage, bool firstOfEquals, bool alreadyStored, bool noAdjust,
                         uint32_t limit) {
  *ref = IndexEntryRef::BeforeStart();
  if (!EnsureCurrentStore() || scratch_ == nullptr) return false;
  const uint8_t* stored = key;
  uint32_t storedLength = length;
  bool representable = true;
  if (!alreadyStored) {
    representable = PrepareKey(key, length, keyCodePage, &stored, &storedLength, nullptr);
  }
  // The key may live in the scratch buffer, which label decoding reuses:
  // keep a copy on the stack for the search.
  uint8_t keyCopy[kIndexScratchBytes];
  if (storedLength > kIndexScratchBytes) storedLength = kIndexScratchBytes;
  std::memcpy(keyCopy, stored, storedLength);

  uint32_t d = 0;
  bool found = false;
  if (!SearchRecord(header_, keyCopy, storedLength, limit, &d, &found)) return false;
  const uint32_t N = header_.count;
  const uint32_t record = d >= N ? N : d + 1;
  if (!LoadEntryRecord(record)) return false;
  uint32_t answer = 0;
  if (!SearchRecord(entryHeader_, keyCopy, storedLength, limit, &answer, &found)) return false;
  ref->record = static_cast<int32_t>(record);
  ref->entry = static_cast<int32_t>(answer);
  if (found && !noAdjust) {
    while (StepWithinEqualKeys(ref, !firstOfEquals) == 0) {
    }
    if (exactBytes && firstOfEquals) {
      IndexEntryRef walk = *ref;
      for (;;) {
        const uint8_t* label = nullptr;
        uint32_t labelLength = 0;
        if (GetLabelData(walk.record, walk.entry, &label, &labelLength) && labelLength == storedLength &&
            std::memcmp(label, keyCopy, storedLength) == 0) {
          *ref = walk;
          break;
        }
        if (StepWithinEqualKeys(&walk, true) != 0) break;
      }
    }
  }
  return found && representable;
}

int32_t IndexTable::StepWithinEqualKeys(IndexEntryRef* ref, bool forward) {
  const uint8_t* label = nullptr;
  uint32_t length = 0;
  if (!GetLabelData(ref->record, ref->entry, &label, &length)) return 1;
  // The neighbour may lie in another record: copy this label first.
  uint8_t copy[kIndexScratchBytes];
  if (length > sizeof(copy)) length = sizeof(copy);
  std::memcpy(copy, label, length);
  IndexEntryRef next = *ref;
  if (Step(&next, forward ? 1 : -1) != 0) return 1;
  const uint8_t* other = nullptr;
  uint32_t otherLength = 0;
  if (!GetLabelData(next.record, next.entry, &other, &otherLength)) return 1;
  if (CompareKeys(copy, length, other, otherLength, 0) != 0) return 1;
  *ref = next;
  return 0;
}

int32_t IndexTable::CompareEntries(const IndexEntryRef& a, const IndexEntryRef& b) {
  const uint8_t* label = nullptr;
  uint32_t length = 0;
  if (!GetLabelData(a.record, a.entry, &label, &length)) return 0;
  uint8_t copy[kIndexScratchBytes];
  if (length > sizeof(copy)) length = sizeof(copy);
  std::memcpy(copy, label, length);
  const uint8_t* other = nullptr;
  uint32_t otherLength = 0;
  if (!GetLabelData(b.record, b.entry, &other, &otherLength)) return 0;
  return CompareKeys(copy, length, other, otherLength, 0);
}

bool IndexTable::ConvertKey(const WCHAR* key, uint32_t count, uint8_t* out, uint32_t capacity, uint32_t* length,
                            int32_t* keyCodePage) const {
  *length = 0;
  const int32_t cp = static_cast<int32_t>(header_.codePage);
  *keyCodePage = cp;
  if (count > kIndexScratchBytes) count = kIndexScratchBytes;
  if (cp == kCodePageUtf16) {
    // The units themselves, as EncodeKey takes them.
    const uint32_t bytes = count * sizeof(WCHAR);
    if (bytes > capacity) return false;
    if (bytes != 0) std::memcpy(out, key, bytes);
    *length = count;
    return true;
  }
  if (cp == kCodePage1252) {
    // Through the approximation table; a character with no form at all
    // cannot match any key (never search with "?").
    if (count > capacity) return false;
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t b = CharToCp1252Approx(key[i], 0x100);
      if (b > 0xFF) return false;
      out[i] = static_cast<uint8_t>(b);
    }
    *length = count;
    return true;
  }
  // Sized by the code page's longest character (4 bytes for UTF-8).
  uint32_t size = count * MaxBytesPerChar(cp);
  if (size > capacity) size = capacity;
  bool replaced = false;
  if (count != 0 && WideToMultiByte(key, count * sizeof(WCHAR), cp, out, &size, &replaced) != kConvertOk) {
    return false;
  }
  *length = count != 0 ? size : 0;
  return true;
}

bool IndexTable::LookupKey(const WCHAR* key, uint32_t count, IndexEntryRef* ref, bool exactBytes) {
  *ref = IndexEntryRef::BeforeStart();
  if (!IsOpen()) return false;
  uint8_t bytes[kIndexScratchBytes * 4];
  uint32_t length = 0;
  int32_t cp = 0;
  if (!ConvertKey(key, count, bytes, sizeof(bytes), &length, &cp)) return false;
  return FindKey(bytes, length, ref, exactBytes, cp, true, false, false, 0);
}
