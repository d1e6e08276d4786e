// BookParameterFile: walking the marks in the record order, and forgetting
// every position of a book.
#include "foundation/containers/segmented_array.h"
#include "storage/side_file/book_parameter_file.h"
#include "storage/side_file/side_file_layout.h"

using namespace sidefile;

namespace {

int32_t ClassOfKind(uint32_t kind) { return (kind & kKindSecondClass) ? kMarkClassSecond : kMarkClassFirst; }

}  // namespace

bool BookParameterFile::ReadMarkAt(uint16_t index, MarkWords* words) {
  uint32_t length = 0;
  const uint8_t* data = LockRecordData(index, &length, kMarkTag);
  bool ok = data && length >= kMarkMinimumLength;
  if (ok) {
    words->id = CursorId();
    words->start = LoadU32BE(data + kMarkStart);
    words->end = LoadU32BE(data + kMarkEnd);
    words->kind = LoadU32BE(data + kMarkKind);
  }
  ReleaseCurrent();
  return ok && words->id != kNoRecordId;
}

bool BookParameterFile::FindMarkPlace(const MarkOrderKey& key, uint16_t* index) {
  PalmDatabase* database = Database();
  ReleaseCurrent();
  if (!database) return false;
  uint32_t low = 0, high = database->GetRecordCount();
  while (low < high) {
    uint32_t middle = low + (high - low) / 2;
    RecordBuffer* record = database->LockRecord(static_cast<uint16_t>(middle), false);
    if (!record) return false;
    MarkOrderKey probe = MarkOrderKeyOfRecord(record->GetData(), record->GetSize());
    database->ReleaseRecord(record, false);
    if (CompareSideFileRecords(probe, key) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  *index = static_cast<uint16_t>(low);
  return true;
}

uint32_t BookParameterFile::FirstBookmark(uint32_t from, uint32_t to, MarkIterator* iterator) {
  iterator->markClass = kMarkClassFirst;
  iterator->mark = kNoRecordId;
  iterator->index = kNoRecordIndex;
  iterator->from = from;
  iterator->to = to;
  PalmDatabase* database = Database();
  if (!database) return kNoRecordId;
  MarkOrderKey key;
  key.tag = kMarkTag;
  key.start = from;
  uint16_t index = 0;
  if (!FindMarkPlace(key, &index)) return kNoRecordId;
  // Earlier marks that start at `from` or whose range holds it come first.
  for (uint16_t before = index; before > 1; --before) {
    MarkWords words;
    if (!ReadMarkAt(static_cast<uint16_t>(before - 1), &words)) break;
    if (!(words.start == from || (words.start < from && from < words.end))) break;
    index = static_cast<uint16_t>(before - 1);
  }
  MarkWords words;
  if (index >= database->GetRecordCount() || !ReadMarkAt(index, &words) ||
      ClassOfKind(words.kind) != kMarkClassFirst || !(words.start < to))
    return kNoRecordId;
  iterator->mark = words.id;
  iterator->index = index;
  return words.id;
}

uint32_t BookParameterFile::FirstBookmarkOfKind2(MarkIterator* iterator) {
  iterator->markClass = kMarkClassSecond;
  iterator->mark = kNoRecordId;
  iterator->index = kNoRecordIndex;
  iterator->from = 0;
  iterator->to = kNoRecordId;
  PalmDatabase* database = Database();
  if (!database) return kNoRecordId;
  // The lowest key of the class: the search ends on its first mark.
  MarkOrderKey key;
  key.tag = kMarkTag;
  key.kind = kKindSecondClass;
  uint16_t index = 0;
  if (!FindMarkPlace(key, &index)) return kNoRecordId;
  MarkWords words;
  if (index >= database->GetRecordCount() || !ReadMarkAt(index, &words) ||
      ClassOfKind(words.kind) != kMarkClassSecond)
    return kNoRecordId;
  iterator->mark = words.id;
  iterator->index = index;
  return words.id;
}

uint32_t BookParameterFile::NextBookmark(MarkIterator* iterator) {
  PalmDatabase* database = Database();
  if (!database || iterator->mark == kNoRecordId) {
    iterator->mark = kNoRecordId;
    return kNoRecordId;
  }
  ReleaseCurrent();
  uint16_t index = iterator->index;
  uint32_t id = kNoRecordId;
  if (index >= database->GetRecordCount() || !database->GetRecordInfo(index, nullptr, &id) ||
      id != iterator->mark) {
    if (!FindRecordIndex(iterator->mark, &index)) {
      iterator->mark = kNoRecordId;
      return kNoRecordId;
    }
  }
  uint32_t next = static_cast<uint32_t>(index) + 1;
  MarkWords words;
  if (next >= database->GetRecordCount() || !ReadMarkAt(static_cast<uint16_t>(next), &words) ||
      ClassOfKind(words.kind) != iterator->markClass || !(words.start < iterator->to)) {
    iterator->mark = kNoRecordId;
    return kNoRecordId;
  }
  iterator->mark = words.id;
  iterator->index = static_cast<uint16_t>(next);
  return words.id;
}

RecordResult BookParameterFile::ResetPositions() {
  ByteStream empty;
  RecordResult result = SetFramePosition(0, 0, empty);
  SegmentedArray marks(4);
  bool complete = true;
  MarkIterator iterator;
  for (uint32_t mark = FirstBookmark(0, kNoRecordId, &iterator); mark != kNoRecordId && complete;
       mark = NextBookmark(&iterator))
    complete = marks.Append(&mark) >= 0;
  for (uint32_t mark = FirstBookmarkOfKind2(&iterator); mark != kNoRecordId && complete;
       mark = NextBookmark(&iterator))
    complete = marks.Append(&mark) >= 0;
  for (uint32_t i = 0; i < marks.Count(); ++i) {
    uint32_t mark = 0;
    marks.ReadAt(i, &mark, 1);
    if (DeleteBookmark(mark) != RecordResult::kOk) result = RecordResult::kFailed;
  }
  return complete ? result : RecordResult::kFailed;
}
