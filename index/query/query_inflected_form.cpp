// IndexQueryResult::GetInflectedForm: an entry's head word inflected into a
// named form. The entry's inflection classes (tag 42) choose among the rules
// of the book's inflection table: a rule serves a class when its tag 27
// lists the class and one of its form names (tag 5) is the asked name. The
// last class served by a rule gives the answer.
#include "index/inflection/inflection_rules.h"
#include "index/query/index_query_result.h"
#include "index/query/query_search.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"

namespace {

// Classes read from one entry; a head word belongs to a few.
constexpr uint32_t kMaxClasses = 64;

// Up to max values of the entry's tag into out; the count read.
uint32_t ReadTag(IndexEntryReader* reader, const IndexEntryRef& ref, uint32_t tag, uint32_t* out, uint32_t max) {
  uint32_t span = 0, perItem = 0;
  if (reader->Attach(ref) != 0 || reader->SeekTag(tag, &span, &perItem) != 0 || span == 0) return 0;
  uint32_t n = 0;
  while (n < max && reader->ReadValues(&out[n], 1, true) == 0) ++n;
  return n;
}

bool Lists(const uint32_t* values, uint32_t count, uint32_t value) {
  for (uint32_t i = 0; i < count; ++i)
    if (values[i] == value) return true;
  return false;
}

}  // namespace

void IndexQueryResult::GetInflectedForm(const SharedWideString& word, const IndexEntryRef& entry,
                                        SharedWideString* out) {
  out->Clear();
  if (table_ == nullptr || entry.record == -1 || word.length == 0) return;
  IndexEntryReader reader;
  uint32_t classes[kMaxClasses];
  if (!reader.Init(table_)) return;
  const uint32_t classCount = ReadTag(&reader, entry, 42, classes, kMaxClasses);
  IndexTable* inflection = classCount == 0 ? nullptr : InflectionTable(table_);
  IndexEntryReader rules;
  if (inflection == nullptr || !rules.Init(inflection)) return;

  // The rules that carry the form name, each with its classes; the later
  // class wins, so the classes are tried from the last.
  const uint32_t ruleCount = CountTableEntries(inflection);
  for (uint32_t c = classCount; c-- > 0;) {
    for (uint32_t r = 0; r < ruleCount; ++r) {
      const IndexEntryRef ruleRef = inflection->MakeEntryRef(static_cast<int32_t>(r));
      uint32_t ruleClasses[kMaxClasses];
      const uint32_t n = ReadTag(&rules, ruleRef, 27, ruleClasses, kMaxClasses);
      if (!Lists(ruleClasses, n, classes[c])) continue;
      if (FindFormValue(table_, static_cast<int32_t>(r), word.Chars(), word.length) < 0) continue;
      if (InflectEntry(table_, entry, static_cast<int32_t>(r), out)) return;
      out->Clear();
    }
  }
}
