// The object database's "DUMP" file: one record holding a 12-byte head
// ("DUMP", the header length 12 and the version 1, big-endian) and a body
// of forward varints and UTF-8 texts: the database name; the tables with
// their columns; the pooled strings still named; then every present row of
// every table as a null mask and the values of its non-null columns.
//
// The reader trusts no count: every table, column, row and pool count is
// checked against the bytes left before anything is made for it, so a
// damaged file cannot make a large allocation or a long loop.
#include <cstring>

#include "foundation/code_pages/code_page.h"
#include "foundation/streams/byte_order.h"
#include "foundation/streams/varint.h"
#include "index/database/database.h"
#include "platform/memory/allocator.h"
#include "storage/container/palm_database.h"
#include "storage/container/palm_database_layout.h"
#include "storage/container/stream_factory.h"

namespace {

constexpr uint32_t kHeadLength = 12;
constexpr uint32_t kVersion = 1;
constexpr uint32_t kModeSave = 15;  // read and write, open always
constexpr uint32_t kModeLoad = 9;   // read, open existing
constexpr uint32_t kCreator = MakeFourCC("CORV");
constexpr uint32_t kType = MakeFourCC("DUMP");

// The record being written, grown by half its size at least.
class RecordWriter {
 public:
  ~RecordWriter() { DeviceFree(data_); }
  bool Reserve(uint32_t extra) {
    if (failed_) return false;
    if (static_cast<uint64_t>(length_) + extra <= capacity_) return true;
    uint64_t capacity = capacity_ + capacity_ / 2;
    if (capacity < static_cast<uint64_t>(length_) + extra) capacity = static_cast<uint64_t>(length_) + extra;
    if (capacity < 1024) capacity = 1024;
    if (capacity > 0xFFFFFF) capacity = 0xFFFFFF;  // a record holds 24 bits of size
    if (static_cast<uint64_t>(length_) + extra > capacity) return Fail();
    void* grown = DeviceRealloc(data_, static_cast<size_t>(capacity));
    if (grown == nullptr) return Fail();
    data_ = static_cast<uint8_t*>(grown);
    capacity_ = static_cast<uint32_t>(capacity);
    return true;
  }
  bool Bytes(const void* bytes, uint32_t n) {
    if (!Reserve(n)) return false;
    if (n != 0) std::memcpy(data_ + length_, bytes, n);
    length_ += n;
    return true;
  }
  bool Number(uint32_t value) {
    if (!Reserve(5)) return false;
    length_ += WriteForwardVarint(data_ + length_, value, 5);
    return true;
  }
  bool Text(const SharedWideString& text) {
    if (text.IsEmpty()) return Number(0);
    uint32_t needed = 0;
    ConvertToUtf8(text.Chars(), text.length * sizeof(WCHAR), kCodePageUtf16, nullptr, &needed);
    if (!Number(needed) || !Reserve(needed)) return false;
    uint32_t written = needed;
    if (ConvertToUtf8(text.Chars(), text.length * sizeof(WCHAR), kCodePageUtf16, data_ + length_, &written) !=
            kConvertOk ||
        written != needed)
      return Fail();
    length_ += needed;
    return true;
  }
  bool Failed() const { return failed_; }
  const uint8_t* Data() const { return data_; }
  uint32_t Length() const { return length_; }

 private:
  bool Fail() {
    failed_ = true;
    return false;
  }
  uint8_t* data_ = nullptr;
  uint32_t length_ = 0;
  uint32_t capacity_ = 0;
  bool failed_ = false;
};

// Reads the body inside [at, end) of the locked record.
class RecordReader {
 public:
  RecordReader(const uint8_t* at, const uint8_t* end) : at_(at), end_(end) {}
  uint32_t Left() const { return static_cast<uint32_t>(end_ - at_); }
  bool Number(uint32_t* value) {
    const uint32_t available = Left();
    if (available == 0) return false;
    const uint32_t used = ReadForwardVarint(at_, value, available);
    // A number whose last byte never came is a cut body.
    if (used == 0 || (at_[used - 1] & 0x80) == 0) return false;
    at_ += used;
    return true;
  }
  bool Text(SharedWideString* out) {
    out->Clear();
    uint32_t n = 0;
    if (!Number(&n) || n > Left()) return false;
    if (n == 0) return true;
    // At most one UTF-16 unit per UTF-8 byte.
    WCHAR* units = nullptr;
    if (!out->GetWriteBuffer(&units, 0, n)) return false;
    uint32_t bytes = n * sizeof(WCHAR);
    if (ConvertFromUtf8(at_, n, kCodePageUtf16, units, &bytes, nullptr) != kConvertOk) {
      out->Clear();
      return false;
    }
    out->length = bytes / sizeof(WCHAR);
    at_ += n;
    return true;
  }

 private:
  const uint8_t* at_;
  const uint8_t* end_;
};

// The table's columns in slot order (existing ones only).
uint32_t ExistingColumns(const ObjectTable& t, int32_t* out, uint32_t capacity) {
  uint32_t n = 0;
  for (int32_t c = t.FirstColumn(); c >= 0 && n < capacity; c = t.NextColumn(c)) out[n++] = c;
  return n;
}

}  // namespace

bool Database::Save() {
  if (path_ == nullptr) return true;
  RecordWriter w;
  uint8_t head[kHeadLength];
  std::memcpy(head, "DUMP", 4);
  StoreU32BE(head + 4, kHeadLength);
  StoreU32BE(head + 8, kVersion);
  w.Bytes(head, sizeof(head));
  w.Text(name_);
  w.Number(TableCount());
  for (int32_t t = FirstTable(); t >= 0 && !w.Failed(); t = NextTable(t)) {
    const ObjectTable& table = *tables_[t];
    w.Text(table.Name());
    w.Number(table.CountColumns());
    w.Number(table.CountRows());
    for (int32_t c = table.FirstColumn(); c >= 0; c = table.NextColumn(c)) {
      w.Text(table.GetColumn(c)->name);
      w.Number(static_cast<uint32_t>(table.GetColumn(c)->type));
    }
  }
  // The strings still named, with the file index each one gets.
  const uint32_t poolCount = pool_.Count();
  int32_t* fileIndex = static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * (poolCount == 0 ? 1 : poolCount)));
  if (fileIndex == nullptr) return true;
  w.Number(pool_.CountReferenced());
  int32_t next = 0;
  for (uint32_t i = 0; i < poolCount && !w.Failed(); ++i) {
    if (pool_.ReferenceCount(i) == 0) {
      fileIndex[i] = -1;
      continue;
    }
    fileIndex[i] = next++;
    w.Text(pool_.StringAt(i));
  }
  bool ok = !w.Failed();
  for (int32_t t = FirstTable(); t >= 0 && ok; t = NextTable(t)) {
    const ObjectTable& table = *tables_[t];
    int32_t columns[256];
    const uint32_t count = table.CountColumns();
    int32_t* order = count <= 256 ? columns : static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * count));
    if (order == nullptr) {
      ok = false;
      break;
    }
    const uint32_t n = ExistingColumns(table, order, count);
    for (int32_t row = table.FirstRow(); row >= 0 && ok; row = table.NextRow(row)) {
      const uint8_t mask = table.NullMask(row);
      w.Number(mask);
      for (uint32_t k = 0; k < n; ++k) {
        if (k < 8 && (mask >> k) & 1) continue;
        const int32_t c = order[k];
        switch (table.GetColumn(c)->type) {
          case kColumnString: {
            const SharedWideString* text = table.GetText(row, c);
            w.Text(text != nullptr ? *text : SharedWideString());
            break;
          }
          case kColumnPooledString: {
            const int32_t index = table.GetPooledIndex(row, c);
            const int32_t written =
                index >= 0 && static_cast<uint32_t>(index) < poolCount ? fileIndex[index] : -1;
            // A cell with a value names a string the pool keeps.
            w.Number(written >= 0 ? static_cast<uint32_t>(written) : 0);
            break;
          }
          default:
            w.Number(table.GetNumber(row, c));
            break;
        }
      }
      ok = !w.Failed();
    }
    if (order != columns) DeviceFree(order);
  }
  DeviceFree(fileIndex);
  if (!ok) return true;

  int32_t error = 0;
  PalmDatabase* file = OpenRecordDatabase(path_, kModeSave, kCreator, kType, &error);
  if (file == nullptr) return true;
  for (int32_t i = static_cast<int32_t>(file->GetRecordCount()) - 1; i >= 0 && ok; --i)
    ok = file->DeleteRecord(static_cast<uint16_t>(i));
  if (ok) {
    RecordBuffer* record = file->InsertRecord(0, w.Length());
    ok = record != nullptr && record->Write(0, w.Data(), w.Length());
    if (record != nullptr) file->ReleaseRecord(record, true);
  }
  ok = ok && file->Save();
  // Whatever happened, the container must not write itself back when it
  // goes: a failed save leaves the previous file as it was.
  file->Discard();
  delete file;
  return !ok;
}

int32_t Database::Load(PalmDatabase* database) {
  if (FirstTable() >= 0) return kDatabaseNotEmpty;
  uint32_t size = 0;
  if (database == nullptr || !database->GetRecordSize(0, &size) || size <= kHeadLength) return kDatabaseNotEmpty;
  RecordBuffer* record = database->LockRecord(0, false);
  if (record == nullptr) return kDatabaseNotEmpty;
  const uint8_t* data = record->GetData();
  size = record->GetSize();
  int32_t code = kDatabaseLoaded;
  int32_t* poolMap = nullptr;
  if (size <= kHeadLength) {
    code = kDatabaseNotEmpty;
  } else if (std::memcmp(data, "DUMP", 4) != 0) {
    code = kDatabaseUnreadable;
  } else if (LoadU32BE(data + 8) > kVersion) {
    code = kDatabaseNewerVersion;
  } else if (LoadU32BE(data + 4) > size) {
    code = kDatabaseUnreadable;
  }
  RecordReader r(data + (code == kDatabaseLoaded ? LoadU32BE(data + 4) : size), data + size);
  // Bytes the rows still to come need at least: refused when the file
  // cannot hold them, before a row is made.
  uint64_t rowBytes = 0;
  uint32_t tableCount = 0;
  if (code == kDatabaseLoaded && (!r.Text(&name_) || !r.Number(&tableCount) || tableCount > r.Left() / 3))
    code = kDatabaseUnreadable;
  for (uint32_t t = 0; t < tableCount && code == kDatabaseLoaded; ++t) {
    SharedWideString name;
    uint32_t columns = 0;
    uint32_t rows = 0;
    if (!r.Text(&name)) {
      code = kDatabaseUnreadable;
      break;
    }
    const int32_t index = CreateTable(name);
    if (index < 0) {
      code = kDatabaseNoMemory;
      break;
    }
    if (!r.Number(&columns) || !r.Number(&rows) || columns > r.Left() / 2) {
      code = kDatabaseUnreadable;
      break;
    }
    // Each present row: its mask, and a value for every column past the
    // eighth (those have no null bit).
    const uint64_t perRow = 1 + (columns > 8 ? columns - 8 : 0);
    rowBytes += perRow * rows;
    if (rowBytes > r.Left()) {
      code = kDatabaseUnreadable;
      break;
    }
    ObjectTable* table = tables_[index];
    for (uint32_t c = 0; c < columns; ++c) {
      SharedWideString columnName;
      uint32_t type = 0;
      if (!r.Text(&columnName) || !r.Number(&type) || !IsColumnType(static_cast<int32_t>(type))) {
        code = kDatabaseUnreadable;
        break;
      }
      if (table->AddColumn(columnName, static_cast<int32_t>(type)) < 0) {
        code = kDatabaseNoMemory;
        break;
      }
    }
    for (uint32_t row = 0; row < rows && code == kDatabaseLoaded; ++row)
      if (table->AppendEmptyRow() < 0) code = kDatabaseNoMemory;
  }
  // The pool: a file index may repeat an earlier text, which then shares
  // its pool entry; cells name strings through this map.
  uint32_t poolCount = 0;
  if (code == kDatabaseLoaded && (!r.Number(&poolCount) || poolCount > r.Left())) code = kDatabaseUnreadable;
  if (code == kDatabaseLoaded) {
    poolMap = static_cast<int32_t*>(DeviceAlloc(sizeof(int32_t) * (poolCount == 0 ? 1 : poolCount)));
    if (poolMap == nullptr) code = kDatabaseNoMemory;
  }
  for (uint32_t k = 0; k < poolCount && code == kDatabaseLoaded; ++k) {
    SharedWideString text;
    if (!r.Text(&text)) {
      code = kDatabaseUnreadable;
      break;
    }
    poolMap[k] = pool_.Intern(text, true);
    if (poolMap[k] < 0) code = kDatabaseNoMemory;
  }
  for (int32_t t = FirstTable(); t >= 0 && code == kDatabaseLoaded; t = NextTable(t)) {
    ObjectTable* table = tables_[t];
    const uint32_t rows = table->RowSlots();
    for (uint32_t row = 0; row < rows && code == kDatabaseLoaded; ++row) {
      uint32_t mask = 0;
      if (!r.Number(&mask) || mask > 0xFF) {
        code = kDatabaseUnreadable;
        break;
      }
      for (int32_t c = table->FirstColumn(); c >= 0 && code == kDatabaseLoaded; c = table->NextColumn(c), mask >>= 1) {
        if (mask & 1) continue;
        const int32_t type = table->GetColumn(c)->type;
        const int32_t rowIndex = static_cast<int32_t>(row);
        if (type == kColumnString) {
          SharedWideString text;
          if (!r.Text(&text) || table->SetText(rowIndex, c, text) != 0) code = kDatabaseUnreadable;
          continue;
        }
        uint32_t value = 0;
        if (!r.Number(&value)) {
          code = kDatabaseUnreadable;
        } else if (type == kColumnPooledString) {
          if (value >= poolCount) code = kDatabaseUnreadable;
          else table->SetPooledIndex(rowIndex, c, poolMap[value]);
        } else {
          table->SetNumber(rowIndex, c, value);
        }
      }
    }
  }
  DeviceFree(poolMap);
  database->ReleaseRecord(record, false);
  if (code != kDatabaseLoaded) Clear();
  return code;
}

int32_t Database::LoadFromFile() {
  if (path_ == nullptr) return kDatabaseCannotOpen;
  int32_t error = 0;
  PalmDatabase* file = OpenRecordDatabase(path_, kModeLoad, kCreator, kType, &error);
  if (file == nullptr) return kDatabaseCannotOpen;
  const int32_t code = Load(file);
  file->Discard();
  delete file;
  return code;
}
