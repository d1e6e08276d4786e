// Going to a random entry of an index table: the entry's link is followed
// to the entry it names, and the page that starts at the entry's text
// position is shown.
#include <cstdint>

#include "browser/view/document_view.h"
#include "browser/view/random_entry.h"
#include "index/books/index_requests.h"
#include "index/tables/index_entry_reader.h"
#include "index/tables/index_table.h"
#include "storage/documents/document.h"

namespace {

constexpr uint32_t kPositionTag = 1;
constexpr uint32_t kUnknownLength = 0xFFFFFFFFu;

}  // namespace

RandomGenerator& RandomEntryGenerator() {
  static RandomGenerator generator;
  return generator;
}

bool DocumentView::GoToRandomEntry(const SharedWideString* name) {
  DocumentSource* source = source_.Get();
  if (source == nullptr) return false;
  Document* document = source->GetDocument();
  int32_t number = kDefaultIndexTableNumber;
  if (name != nullptr && !name->IsEmpty() && !FindIndexTableNumber(document, *name, &number)) return false;
  IndexTablePtr table;
  table.Adopt(OpenIndexTableByNumber(source, number));
  if (!table) return false;
  const uint32_t count = table->GetTotalEntries();
  if (count == 0) return false;
  const uint32_t drawn = RandomEntryGenerator().Next() % count;
  // The count comes from the table's header: an entry number it cannot
  // hold names no entry.
  if (drawn > static_cast<uint32_t>(INT32_MAX)) return false;
  IndexEntryRef ref = table->MakeEntryRef(static_cast<int32_t>(drawn));
  IndexEntryReader reader;
  if (ref.IsSentinel() || !reader.Init(table.Get()) || reader.Attach(ref) != 0) return false;
  reader.FollowEntryLink(&ref);
  uint32_t span = 0;
  uint32_t perItem = 0;
  uint32_t position = 0;
  if (reader.SeekTag(kPositionTag, &span, &perItem) != 0 || span == 0 || reader.ReadValues(&position, 1, false) != 0)
    return false;
  // A position past the text names nothing to show (a length still being
  // counted is not one).
  const uint32_t length = document != nullptr ? document->GetTextLength() : kUnknownLength;
  if (length != kUnknownLength && position >= length) return false;
  table.Clear();
  return GoToPosition(position);
}
