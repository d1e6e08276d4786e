// The tag walk over one entry, bounded by the entry's record.
#include "index/tables/index_entry_reader.h"

#include "index/tables/index_table.h"
#include "index/tables/index_varint.h"

uint32_t MaskValueBits(uint8_t mask) {
  if (mask == 0) return 0;
  if ((mask & 0x55) == 0 || (mask & 0xAA) == 0) return 1;
  uint32_t shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  uint32_t run = 0;
  while (shift + run < 8 && ((mask >> (shift + run)) & 1) != 0) ++run;
  return run;
}

namespace {
uint32_t LowestBit(uint8_t mask) {
  uint32_t shift = 0;
  while (shift < 8 && ((mask >> shift) & 1) == 0) ++shift;
  return shift;
}
}  // namespace

bool IndexEntryReader::Init(IndexTable* table) {
  *this = IndexEntryReader();
  table_ = table;
  if (table == nullptr || !table->IsOpen() || !table->HasTagTable()) return false;
  tagx_ = table->TagTable(&tagCount_, &controlBytes_);
  ready_ = true;
  return true;
}

int32_t IndexEntryReader::Attach(const IndexEntryRef& ref) {
  control_ = nullptr;
  tagIndex_ = -1;
  ref_ = IndexEntryRef::BeforeStart();
  if (!ready_) return 1;
  const uint8_t* data = nullptr;
  const uint8_t* end = nullptr;
  if (!table_->GetEntryData(ref.record, ref.entry, &data, &end)) return 1;
  // The tag table lives in the header record, which a reopened store moves.
  tagx_ = table_->TagTable(&tagCount_, &controlBytes_);
  if (!table_->HasTagTable()) return 1;
  if (static_cast<uint32_t>(end - data) < controlBytes_) return 1;
  control_ = data;
  end_ = end;
  if (Rewind() != 0 || !Validate()) {
    control_ = nullptr;
    return 1;
  }
  Rewind();
  ref_ = ref;
  return 0;
}

int32_t IndexEntryReader::Rewind() {
  if (control_ == nullptr) return 1;
  tagIndex_ = -1;
  ended_ = false;
  overrun_ = false;
  span_ = 0;
  const uint8_t* p = control_ + controlBytes_;
  // Skip the count area: one varint per tag whose multi-bit mask is all set.
  uint32_t byte = 0;
  for (uint32_t i = 0; i < tagCount_ && byte < controlBytes_; ++i) {
    const TagxEntry& t = tagx_[i];
    if (t.endOfControlByte) {
      ++byte;
      continue;
    }
    if (MaskValueBits(t.mask) > 1 && (control_[byte] & t.mask) == t.mask) {
      uint32_t length = VarintLength(p, end_);
      if (length == 0) return 1;
      p += length;
    }
  }
  valueArea_ = p;
  valueCursor_ = p;
  valueStart_ = p;
  return 0;
}

bool IndexEntryReader::Validate() {
  uint32_t span = 0;
  uint32_t perItem = 0;
  for (;;) {
    if (NextTag(&span, &perItem) == kTagWalkEnd) break;
  }
  // A walk that ended on an overrun marks the entry as broken.
  return !overrun_;
}

uint32_t IndexEntryReader::NextTag(uint32_t* span, uint32_t* valuesPerItem) {
  *span = 0;
  *valuesPerItem = 0;
  if (control_ == nullptr || ended_ || controlBytes_ == 0) {
    ended_ = true;
    return kTagWalkEnd;
  }
  if (tagIndex_ < 0) {
    tagIndex_ = 0;
    controlIndex_ = 0;
    countCursor_ = control_ + controlBytes_;
    valueStart_ = valueArea_;
    span_ = 0;
  } else {
    ++tagIndex_;
  }
  // The next tag starts after the current one's values.
  const uint8_t* cursor = valueStart_ + span_;
  for (;; ++tagIndex_) {
    if (static_cast<uint32_t>(tagIndex_) >= tagCount_) break;
    const TagxEntry& t = tagx_[tagIndex_];
    if (t.endOfControlByte) {
      if (++controlIndex_ >= controlBytes_) break;
      continue;
    }
    const uint8_t value = control_[controlIndex_] & t.mask;
    valueStart_ = cursor;
    valueCursor_ = cursor;
    valuesPerItem_ = t.valuesPerItem;
    span_ = 0;
    if (value == 0) {
      *valuesPerItem = t.valuesPerItem;
      return t.tag;
    }
    uint32_t bytes = 0;
    const uint32_t bits = MaskValueBits(t.mask);
    if (bits == 1) {
      if (!SpanOfVarints(cursor, end_, t.valuesPerItem, &bytes)) {
        overrun_ = true;
        break;
      }
    } else if (value == t.mask) {
      uint32_t read = ReadVarint(countCursor_, end_, &bytes);
      if (read == 0) {
        overrun_ = true;
        break;
      }
      countCursor_ += read;
      if (bytes == 0) break;
      if (bytes > static_cast<uint32_t>(end_ - cursor)) {
        overrun_ = true;
        break;
      }
    } else {
      uint32_t items = static_cast<uint32_t>(value) >> LowestBit(t.mask);
      if (!SpanOfVarints(cursor, end_, items * t.valuesPerItem, &bytes)) {
        overrun_ = true;
        break;
      }
    }
    span_ = bytes;
    *span = bytes;
    *valuesPerItem = t.valuesPerItem;
    return t.tag;
  }
  ended_ = true;
  span_ = 0;
  return kTagWalkEnd;
}

uint32_t IndexEntryReader::CurrentTag() const {
  if (tagIndex_ < 0 || ended_ || static_cast<uint32_t>(tagIndex_) >= tagCount_) return kTagWalkEnd;
  return tagx_[tagIndex_].tag;
}

int32_t IndexEntryReader::SeekTag(uint32_t tag, uint32_t* span, uint32_t* valuesPerItem) {
  *span = 0;
  *valuesPerItem = 0;
  if (Rewind() != 0) return 1;
  for (;;) {
    uint32_t found = NextTag(span, valuesPerItem);
    if (found == kTagWalkEnd) return 1;
    if (found == tag) return 0;
  }
}

int32_t IndexEntryReader::ReadValues(uint32_t* out, uint32_t n, bool advance) {
  if (tagIndex_ < 0 || ended_) return 1;
  const uint8_t* tagEnd = valueStart_ + span_;
  if (valueCursor_ >= tagEnd) return 1;
  const uint8_t* p = valueCursor_;
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t v = 0;
    if (p < tagEnd) p += ReadVarint(p, tagEnd, &v);
    out[i] = v;
  }
  if (advance) valueCursor_ = p;
  return 0;
}

uint32_t IndexEntryReader::CountItems() const {
  if (tagIndex_ < 0 || ended_ || valuesPerItem_ == 0) return 0;
  return CountVarints(valueStart_, span_) / valuesPerItem_;
}

bool IndexEntryReader::FollowLink(IndexEntryRef* ref, uint32_t tag) {
  if (Attach(*ref) != 0) return false;
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (SeekTag(tag, &span, &perItem) != 0 || span == 0) return false;
  uint32_t v = 0;
  if (ReadValues(&v, 1, false) != 0 || v >= table_->GetTotalEntries()) return false;
  IndexEntryRef target = table_->MakeEntryRef(static_cast<int32_t>(v));
  if (target.IsSentinel()) return false;
  *ref = target;
  return true;
}

bool IndexEntryReader::FollowEntryLink(IndexEntryRef* ref) {
  bool moved = FollowLink(ref, 25);
  moved = FollowLink(ref, 22) || moved;
  if (moved) return Attach(*ref) == 0;
  Attach(*ref);
  return false;
}

uint32_t IndexEntryReader::ReadListAround(uint32_t tag, uint32_t v, int32_t offset, uint32_t* out, uint32_t n) {
  uint32_t span = 0;
  uint32_t perItem = 0;
  if (SeekTag(tag, &span, &perItem) != 0 || span == 0) return 0;
  const uint8_t* start = valueStart_;
  const uint8_t* end = valueStart_ + span_;
  const uint8_t* p = start;
  while (p < end) {
    uint32_t value = 0;
    uint32_t used = ReadVarint(p, end, &value);
    if (used == 0 || value >= v) break;
    p += used;
  }
  p = StepVarints(start, end, p, offset);
  if (p == nullptr) return 0;
  uint32_t count = 0;
  while (count < n && p < end) {
    uint32_t used = ReadVarint(p, end, &out[count]);
    if (used == 0) break;
    p += used;
    ++count;
  }
  return count;
}
