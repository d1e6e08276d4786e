// Spelling correction over one index table (see spelling_lookup.h).
#include "index/spelling/spelling_lookup.h"

#include <cstring>
#include <new>

#include "foundation/characters/char_class.h"
#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "index/inflection/spelling_blocks.h"
#include "index/query/index_query_result.h"
#include "index/search/key_collation.h"
#include "index/spelling/approximate_matcher.h"
#include "index/tables/index_table.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint32_t kFormBytes = 256;
// No key is longer than this; a longer word cannot come close to one.
constexpr uint32_t kMaxKeyForm = 255;
// The list tag of a phonetic key's entries in the following table.
constexpr int32_t kPhoneticListTag = 38;

// A text in the matcher's form: folded characters of one byte.
struct Form {
  uint8_t bytes[kFormBytes];
  uint32_t length = 0;
};

// Encoded keys (character-table indexes of one or two bytes) turned into
// folded one-byte characters; an index beyond the table gives 0.
void EncodedToMatcherForm(const IndexCollation& c, const uint8_t* codes, uint32_t length, Form* out) {
  const uint32_t width = CodeWidth(c);
  out->length = 0;
  for (uint32_t i = 0; i + width <= length && out->length < kFormBytes; i += width) {
    const uint32_t index = width == 2 ? LoadU16BE(codes + i) : codes[i];
    uint8_t byte = 0;
    if (index < c.characterCount && c.characters != nullptr) {
      const WCHAR folded = FoldChar(static_cast<WCHAR>(LoadU16BE(c.characters + 2 * index)));
      const uint32_t narrow = CharToCp1252Approx(folded, 0);
      byte = narrow <= 0xFF ? static_cast<uint8_t>(narrow) : 0;
    }
    out->bytes[out->length++] = byte;
  }
}

// The stored label of an entry in the matcher's form, and its raw bytes
// (for telling labels apart); false when it cannot be read.
bool LabelForms(IndexTable* table, const IndexEntryRef& ref, Form* matcher, Form* raw) {
  const uint8_t* label = nullptr;
  uint32_t length = 0;
  if (!table->GetLabelData(ref.record, ref.entry, &label, &length)) return false;
  if (length > kFormBytes) length = kFormBytes;
  std::memcpy(raw->bytes, label, length);
  raw->length = length;
  const IndexCollation& c = table->Header().collation;
  if (c.utf16Keys) {
    EncodedToMatcherForm(c, raw->bytes, raw->length, matcher);
  } else {
    std::memcpy(matcher->bytes, raw->bytes, length);
    matcher->length = length;
  }
  return true;
}

// The span from the first to the last character that the folding map keeps.
uint32_t TrimmedSpan(const uint8_t* text, uint32_t length, const uint8_t* foldingMap) {
  uint32_t first = 0;
  while (first < length && foldingMap[text[first]] == 0) ++first;
  uint32_t end = length;
  while (end > first && foldingMap[text[end - 1]] == 0) --end;
  return end - first;
}

// One look-up's state.
struct Lookup {
  IndexTable* table = nullptr;
  ApproximateMatcher m;
  SegmentedArray* results = nullptr;
  uint32_t maxResults = 0;
  bool distinct = false;
  SpellingLookupCounters* counters = nullptr;
  SpellingReadings word;
  SpellingReadings candidate;
  int32_t perfect = 0;
  Form keyForm;
  Form wordForm;
  Form previousLabel;  // the label of the last candidate, for distinct keys
  bool havePrevious = false;
  // The raw labels of the listed items, parallel to the results, so that
  // telling labels apart reads no entry record.
  SegmentedArray labels{static_cast<int32_t>(sizeof(Form))};

  const Form& LabelAt(uint32_t i) const { return *static_cast<const Form*>(labels.At(i)); }

  int32_t Minimum() const {
    return results->count == 0 ? 0 : SuggestionAt(*results, results->count - 1).score;
  }

  // Offers an entry with its score; false when the list could not grow.
  bool Offer(const IndexEntryRef& ref, const Form& label, int32_t score) {
    if (maxResults == 0) return true;
    if (results->count >= maxResults && Minimum() >= score) return true;
    SpellingSuggestion item{ref, score};
    // The same label already listed: one item, the lower entry, the higher score.
    for (uint32_t i = 0; i < results->count; ++i) {
      const Form& other = LabelAt(i);
      if (other.length != label.length || std::memcmp(other.bytes, label.bytes, other.length) != 0) continue;
      const SpellingSuggestion& old = SuggestionAt(*results, i);
      if (table->GetEntryNumber(old.entry) < table->GetEntryNumber(ref)) item.entry = old.entry;
      if (old.score > item.score) item.score = old.score;
      results->RemoveAt(i, 1);
      labels.RemoveAt(i, 1);
      break;
    }
    uint32_t place = 0;
    while (place < results->count && SuggestionAt(*results, place).score > item.score) ++place;
    if (!results->InsertAt(place, &item, 1)) return false;
    if (!labels.InsertAt(place, &label, 1)) {
      results->RemoveAt(place, 1);
      return false;
    }
    if (results->count > maxResults) {
      results->RemoveAt(results->count - 1, 1);
      labels.RemoveAt(labels.count - 1, 1);
    }
    return true;
  }

  // True when the candidate repeats the previous label under distinct keys.
  bool Repeats(const Form& raw) {
    const bool same = havePrevious && raw.length == previousLabel.length &&
                      std::memcmp(raw.bytes, previousLabel.bytes, raw.length) == 0;
    previousLabel = raw;
    havePrevious = true;
    return distinct && same;
  }

  // Scores a candidate against the word, at least `floor` (steps with a
  // floor); a label that cannot be cut is offered with 0.
  bool ScoreWithFloor(const IndexEntryRef& ref, int32_t floor) {
    Form matcher;
    Form raw;
    if (!LabelForms(table, ref, &matcher, &raw)) return true;
    if (Repeats(raw)) return true;
    if (counters != nullptr) ++counters->candidatesScored;
    int32_t score = 0;
    if (FindWords(m, matcher.bytes, matcher.length, &candidate, kMaxReadings) == 0) {
      score = BestReadingScore(m, word, candidate);
      if (score < floor) score = floor;
    }
    return Offer(ref, raw, score);
  }
};

// Step 3: the word's key form and matcher form; false when it cannot have one.
bool PrepareWord(Lookup& k, const uint8_t* word, uint32_t length) {
  if (length > kMaxKeyForm) return false;
  const IndexHeader& h = k.table->Header();
  if (h.collation.utf16Keys) {
    uint32_t written = 0;
    EncodeKey(h.collation, word, length, kCodePage1252, k.keyForm.bytes, kFormBytes, &written, nullptr);
    if (written > kMaxKeyForm) return false;
    k.keyForm.length = written;
    EncodedToMatcherForm(h.collation, k.keyForm.bytes, k.keyForm.length, &k.wordForm);
    return true;
  }
  if (h.ligatureCount != 0) {
    k.keyForm.length = MapLigatures(word, length, k.keyForm.bytes, kFormBytes, h.ligatures, h.ligatureCount, true);
  } else {
    std::memcpy(k.keyForm.bytes, word, length);
    k.keyForm.length = length;
  }
  if (k.keyForm.length > kMaxKeyForm) return false;
  k.wordForm = k.keyForm;
  return true;
}

// Step 5: keys one deletion or one swap of neighbouring bytes away.
bool OneEditCandidates(Lookup& k) {
  const uint32_t n = k.keyForm.length;
  const int32_t folded = k.m.scores[kScoreFoldedLetters];
  uint8_t variant[kFormBytes];
  for (uint32_t i = 0; i < n; ++i) {
    for (int edit = 0; edit < 2; ++edit) {
      if (edit == 1 && i + 1 >= n) break;
      uint32_t length = n;
      std::memcpy(variant, k.keyForm.bytes, n);
      if (edit == 0) {
        std::memmove(variant + i, variant + i + 1, n - i - 1);
        --length;
      } else {
        variant[i] = k.keyForm.bytes[i + 1];
        variant[i + 1] = k.keyForm.bytes[i];
      }
      IndexEntryRef ref;
      if (!k.table->FindKey(variant, length, &ref, false, static_cast<int32_t>(k.table->GetCodePage()), true, true,
                            false, 0))
        continue;
      const int32_t floor = edit == 0 ? k.perfect - folded : k.perfect;
      k.havePrevious = false;
      do {
        if (!k.ScoreWithFloor(ref, floor)) return false;
      } while (k.table->StepWithinEqualKeys(&ref, true) == 0);
    }
  }
  return true;
}

uint32_t TrailingZeros(uint32_t n) {
  uint32_t z = 0;
  while (n != 0 && (n & 1) == 0) {
    n >>= 1;
    ++z;
  }
  return z;
}

uint32_t BitCount(uint32_t n) {
  uint32_t c = 0;
  for (; n != 0; n &= n - 1) ++c;
  return c;
}

// The codes of "_" and "%" in the table's key form; false when the table
// cannot represent them.
bool WildcardCodes(IndexTable* table, uint32_t* anyCharacter, uint32_t* anyRun) {
  const IndexCollation& c = table->Header().collation;
  if (!c.utf16Keys) {
    *anyCharacter = '_';
    *anyRun = '%';
    return true;
  }
  const uint32_t width = CodeWidth(c);
  uint32_t* codes[2] = {anyCharacter, anyRun};
  const WCHAR chars[2] = {u'_', u'%'};
  for (int i = 0; i < 2; ++i) {
    uint8_t code[4];
    uint32_t length = 0;
    if (EncodeKey(c, &chars[i], 1, kIndexCodePageWide, code, sizeof(code), &length, nullptr) || length != width)
      return false;
    *codes[i] = width == 2 ? LoadU16BE(code) : code[0];
  }
  return true;
}

// Step 6: keys one "_" away (inserted or replacing a character), through a
// balanced union of like patterns; false on failure.
bool WildcardCandidates(Lookup& k) {
  uint32_t anyCharacter = 0;
  uint32_t anyRun = 0;
  if (!WildcardCodes(k.table, &anyCharacter, &anyRun)) return true;
  IndexQueryResult* query = new (std::nothrow) IndexQueryResult();
  if (query == nullptr) return false;
  IndexQueryResultPtr holder;
  holder.Adopt(query);
  query->SetTable(k.table);
  const uint32_t width = CodeWidth(k.table->Header().collation);
  const uint32_t codes = k.keyForm.length / width;
  uint8_t pattern[kFormBytes + 4];
  uint32_t accepted = 0;
  for (uint32_t step = 0; step <= 2 * codes; ++step) {
    const uint32_t h = step / 2;
    const uint32_t at = h * width;
    uint32_t length = 0;
    std::memcpy(pattern, k.keyForm.bytes, at);
    length = at;
    if (width == 2) StoreU16BE(pattern + length, static_cast<uint16_t>(anyCharacter));
    else pattern[length] = static_cast<uint8_t>(anyCharacter);
    length += width;
    const uint32_t rest = (step % 2 == 0) ? at : at + width;  // odd: the code at h is replaced
    std::memcpy(pattern + length, k.keyForm.bytes + rest, k.keyForm.length - rest);
    length += k.keyForm.length - rest;
    const uint32_t before = query->NodeCount();
    if (query->AddKeyCompareNode(pattern, length, false, anyCharacter, anyRun, true) != 0) {
      // Refused by the narrowing (no node left): simply not a candidate
      // pattern. A node left behind means the builder itself failed.
      if (query->NodeCount() != before) return false;
      continue;
    }
    ++accepted;
    for (uint32_t z = TrailingZeros(accepted); z > 0; --z)
      if (query->AddOperator(kQueryUnion) != 0) return false;
  }
  if (accepted == 0) return true;
  for (uint32_t left = BitCount(accepted); left > 1; --left)
    if (query->AddOperator(kQueryUnion) != 0) return false;
  const uint8_t* fold = k.m.spl1;
  const uint32_t wordSpan = TrimmedSpan(k.wordForm.bytes, k.wordForm.length, fold);
  const int32_t folded = k.m.scores[kScoreFoldedLetters];
  QueryPosition position;
  query->GetEntryAt(&position);
  k.havePrevious = false;
  while (position.entry.record != -1) {
    Form matcher;
    Form raw;
    if (LabelForms(k.table, position.entry, &matcher, &raw)) {
      const bool longer = TrimmedSpan(matcher.bytes, matcher.length, fold) > wordSpan;
      if (!k.ScoreWithFloor(position.entry, longer ? k.perfect : k.perfect - folded)) return false;
    }
    query->StepForward(&position);
  }
  return true;
}

// Step 8: the candidates that share a phonetic key with a reading of the
// word, or every entry without phonetic keys. 0, 1 (failure), or 2 when no
// reading's key was found (the look-up ends there).
int32_t PhoneticCandidates(Lookup& k, IndexQueryResult* query) {
  query->SetTable(k.table);
  const IndexHeader& h = k.table->Header();
  if (h.followingTable == 0 || k.m.maxKeyLength == 0) return 0;  // every entry
  IndexTable* following = nullptr;
  if (k.table->OpenFollowingTable(&following) != 0 || following == nullptr) return 1;
  IndexTablePtr followingHolder;
  followingHolder.Adopt(following);
  uint8_t seen[kMaxReadings][kPhoneticKeyBytes];
  uint32_t seenLength[kMaxReadings] = {};
  uint32_t found = 0;
  uint32_t first = 0;
  for (uint32_t r = 0; r < k.word.readingCount; ++r) {
    uint8_t key[kPhoneticKeyBytes];
    bool overflow = false;
    const uint32_t length = PhoneticKey(k.m, k.word, first, k.word.counts[r], key, &overflow);
    first += k.word.counts[r];
    bool repeated = false;
    for (uint32_t s = 0; s < r; ++s)
      repeated = repeated || (seenLength[s] == length && std::memcmp(seen[s], key, length) == 0);
    std::memcpy(seen[r], key, length);
    seenLength[r] = length;
    if (repeated) continue;
    IndexEntryRef ref;
    if (!following->FindKey(key, length, &ref, false, kCodePage1252, true, false, false, 0)) continue;
    if (query->AddLinkNode(following, ref, kPhoneticListTag, false) != 0) return 1;
    if (++found > 1 && query->AddOperator(kQueryUnion) != 0) return 1;
  }
  return found == 0 ? 2 : 0;
}

// Step 9: every candidate scored without a floor; false when a label cannot
// be cut into units or the list cannot grow.
bool ScoreCandidates(Lookup& k, IndexQueryResult* query) {
  QueryPosition position;
  query->GetEntryAt(&position);
  k.havePrevious = false;
  while (position.entry.record != -1) {
    Form matcher;
    Form raw;
    if (LabelForms(k.table, position.entry, &matcher, &raw) && !k.Repeats(raw)) {
      if (k.counters != nullptr) ++k.counters->candidatesScored;
      if (FindWords(k.m, matcher.bytes, matcher.length, &k.candidate, kMaxReadings) != 0) return false;
      if (!k.Offer(position.entry, raw, BestReadingScore(k.m, k.word, k.candidate))) return false;
    }
    query->StepForward(&position);
  }
  return true;
}

// Step 10: items too far below the best, or below the absolute floor, go.
void CutOff(Lookup& k) {
  if (k.results->count == 0) return;
  const int64_t best = SuggestionAt(*k.results, 0).score;
  const int64_t relative = best * (100 - k.m.percentages[kRelativeCutOff]) / 100;
  const int64_t absolute = static_cast<int64_t>(100 - k.m.percentages[kAbsoluteCutOff]) * k.perfect / 100;
  const int64_t threshold = relative > absolute ? relative : absolute;
  while (k.results->count != 0 && SuggestionAt(*k.results, k.results->count - 1).score < threshold) {
    k.results->RemoveAt(k.results->count - 1, 1);
    k.labels.RemoveAt(k.labels.count - 1, 1);
  }
}

}  // namespace

void InitSpellingResults(SegmentedArray* results) { results->Init(static_cast<int32_t>(sizeof(SpellingSuggestion))); }

int32_t LookupWord(IndexTable* table, const uint8_t* word, uint32_t length, SegmentedArray* results,
                   uint32_t maxResults, bool distinctKeys, SpellingLookupCounters* counters) {
  if (table == nullptr || !table->IsOpen() || results == nullptr ||
      results->itemSize != static_cast<int32_t>(sizeof(SpellingSuggestion)))
    return 1;
  Lookup* k = new (std::nothrow) Lookup();
  if (k == nullptr) return 1;
  k->table = table;
  k->results = results;
  k->maxResults = maxResults;
  k->distinct = distinctKeys;
  k->counters = counters;
  struct Owner {
    Lookup* k;
    ~Owner() { delete k; }
  } owner{k};
  const IndexHeader& h = table->Header();
  if (ReadSpellingBlocks(h.data, h.length, &k->m) != 0) return 1;
  if (!PrepareWord(*k, word, length)) return 1;
  if (FindWords(k->m, k->wordForm.bytes, k->wordForm.length, &k->word, kMaxReadings) != 0) return 1;
  results->count = 0;
  for (uint32_t r = 0; r < k->word.readingCount; ++r) {
    const int64_t p = static_cast<int64_t>(k->m.scores[kScoreIdenticalLetters]) * k->word.counts[r];
    if (p > k->perfect) k->perfect = p > INT32_MAX ? INT32_MAX : static_cast<int32_t>(p);
  }
  if (counters != nullptr) counters->perfectScore = static_cast<uint64_t>(k->perfect);
  if (!OneEditCandidates(*k) || !WildcardCandidates(*k)) return 1;
  IndexQueryResult* query = new (std::nothrow) IndexQueryResult();
  if (query == nullptr) return 1;
  IndexQueryResultPtr holder;
  holder.Adopt(query);
  const int32_t phonetic = PhoneticCandidates(*k, query);
  if (phonetic == 1) return 1;
  if (phonetic == 0 && !ScoreCandidates(*k, query)) return 1;
  CutOff(*k);
  return 0;
}

int32_t LookupWordWide(IndexTable* table, const WCHAR* word, uint32_t length, SegmentedArray* results,
                       uint32_t maxResults, bool distinctKeys, SpellingLookupCounters* counters) {
  if (length == 0) return 0;
  if (length > kMaxKeyForm) return 1;
  uint8_t bytes[kMaxKeyForm];
  for (uint32_t i = 0; i < length; ++i) {
    const uint32_t b = CharToCp1252Approx(word[i], 0x100);
    if (b > 0xFF) return 1;
    bytes[i] = static_cast<uint8_t>(b);
  }
  return LookupWord(table, bytes, length, results, maxResults, distinctKeys, counters);
}
