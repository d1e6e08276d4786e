// Object database tables (see object_table.h).
#include "index/database/object_table.h"

#include <new>

#include "platform/memory/allocator.h"

namespace {

constexpr uint8_t kRowDeleted = 0x01;
constexpr int32_t kValueBitSlots = 7;  // slots 0-6 have a value bit

uint8_t ValueBit(int32_t column) { return static_cast<uint8_t>(1u << (column + 1)); }

template <typename T>
PagedArray<T>* NewValues() {
  void* block = DeviceAlloc(sizeof(PagedArray<T>));
  return block != nullptr ? new (block) PagedArray<T>() : nullptr;
}

template <typename T>
void DeleteValues(PagedArray<T>*& values) {
  if (values == nullptr) return;
  values->~PagedArray<T>();
  DeviceFree(values);
  values = nullptr;
}

}  // namespace

bool IsColumnType(int32_t type) {
  return type == kColumnString || type == kColumnUnsigned || type == kColumnByte || type == kColumnPooledString;
}

ObjectTable::~ObjectTable() { Clear(); }

bool ObjectTable::SetName(const SharedWideString& name) {
  name_.Clear();
  return name.IsEmpty() || name_.FromChars(name.Chars(), name.length);
}

void ObjectTable::Clear() {
  name_.Clear();
  for (uint32_t c = 0; c < columns_.Count(); ++c) RemoveColumn(static_cast<int32_t>(c));
  columns_.Destroy();
  rowFlags_.Destroy();
}

int32_t ObjectTable::NextColumn(int32_t n) const {
  for (uint32_t c = static_cast<uint32_t>(n + 1); c < columns_.Count(); ++c)
    if (columns_[c].Exists()) return static_cast<int32_t>(c);
  return -1;
}

const ObjectColumn* ObjectTable::GetColumn(int32_t n) const {
  if (n < 0 || static_cast<uint32_t>(n) >= columns_.Count() || !columns_[n].Exists()) return nullptr;
  return &columns_[n];
}

int32_t ObjectTable::FindColumn(const SharedWideString& name) const {
  for (int32_t c = FirstColumn(); c >= 0; c = NextColumn(c))
    if (columns_[c].name.CompareTo(name) == 0) return c;
  return -1;
}

bool ObjectTable::IsPresent(int32_t row) const {
  return row >= 0 && static_cast<uint32_t>(row) < rowFlags_.Count() && (rowFlags_[row] & kRowDeleted) == 0;
}

int32_t ObjectTable::NextRow(int32_t n) const {
  for (int64_t r = static_cast<int64_t>(n) + 1; r < rowFlags_.Count(); ++r)
    if ((rowFlags_[static_cast<uint32_t>(r)] & kRowDeleted) == 0) return static_cast<int32_t>(r);
  return -1;
}

int32_t ObjectTable::LastRow() const { return PreviousRow(static_cast<int32_t>(rowFlags_.Count())); }

int32_t ObjectTable::PreviousRow(int32_t n) const {
  if (n < 0 || static_cast<uint32_t>(n) > rowFlags_.Count()) return -1;
  for (int32_t r = n - 1; r >= 0; --r)
    if ((rowFlags_[r] & kRowDeleted) == 0) return r;
  return -1;
}

bool ObjectTable::ValidCell(int32_t row, int32_t column) const {
  return row >= 0 && static_cast<uint32_t>(row) < rowFlags_.Count() && column >= 0 &&
         static_cast<uint32_t>(column) < columns_.Count() && columns_[column].Exists();
}

bool ObjectTable::IsNull(int32_t row, int32_t column) const {
  if (column >= kValueBitSlots) return false;
  if (row < 0 || static_cast<uint32_t>(row) >= rowFlags_.Count() || column < 0) return true;
  return (rowFlags_[row] & ValueBit(column)) == 0;
}

bool ObjectTable::IsNumericColumn(int32_t column) const {
  const ObjectColumn* c = GetColumn(column);
  return c != nullptr && (c->type == kColumnUnsigned || c->type == kColumnByte);
}

bool ObjectTable::IsTextColumn(int32_t column) const {
  const ObjectColumn* c = GetColumn(column);
  return c != nullptr && (c->type == kColumnString || c->type == kColumnPooledString);
}

uint32_t ObjectTable::GetNumber(int32_t row, int32_t column) const {
  if (!ValidCell(row, column)) return 0;
  const ObjectColumn& c = columns_[column];
  if (c.numbers != nullptr) return (*c.numbers)[row];
  if (c.bytes != nullptr) return (*c.bytes)[row];
  return 0;
}

const SharedWideString* ObjectTable::GetText(int32_t row, int32_t column) const {
  if (!ValidCell(row, column)) return nullptr;
  const ObjectColumn& c = columns_[column];
  if (c.texts != nullptr) return &(*c.texts)[row];
  if (c.type == kColumnPooledString) {
    const int32_t index = static_cast<int32_t>((*c.numbers)[row]);
    // A cell that names no string (-1, or an index the pool lacks) has no text.
    if (index < 0 || static_cast<uint32_t>(index) >= pool_->Count()) return nullptr;
    return &pool_->StringAt(static_cast<uint32_t>(index));
  }
  return nullptr;
}

void ObjectTable::ClearSlotBits(int32_t column) {
  if (column < 0 || column >= kValueBitSlots) return;
  for (uint32_t r = 0; r < rowFlags_.Count(); ++r) *rowFlags_.At(r) &= static_cast<uint8_t>(~ValueBit(column));
}

int32_t ObjectTable::AddColumn(const SharedWideString& name, int32_t type) {
  if (!IsColumnType(type)) return -1;
  uint32_t slot = 0;
  while (slot < columns_.Count() && columns_[slot].Exists()) ++slot;
  if (slot == columns_.Count() && !columns_.Reserve(slot + 1)) return -1;
  ObjectColumn column;
  const uint32_t rows = rowFlags_.Count();
  bool ok = name.IsEmpty() || column.name.FromChars(name.Chars(), name.length);
  column.type = type;
  if (ok && type == kColumnString) {
    column.texts = NewValues<SharedWideString>();
    ok = column.texts != nullptr && column.texts->Reserve(rows);
    for (uint32_t r = 0; ok && r < rows; ++r) column.texts->At(r);
  } else if (ok && type == kColumnByte) {
    column.bytes = NewValues<uint8_t>();
    ok = column.bytes != nullptr && column.bytes->Reserve(rows);
    for (uint32_t r = 0; ok && r < rows; ++r) *column.bytes->At(r) = 0;
  } else if (ok) {
    column.numbers = NewValues<uint32_t>();
    ok = column.numbers != nullptr && column.numbers->Reserve(rows);
    const uint32_t empty = type == kColumnPooledString ? 0xFFFFFFFFu : 0;
    for (uint32_t r = 0; ok && r < rows; ++r) *column.numbers->At(r) = empty;
  }
  if (!ok) {
    DeleteValues(column.texts);
    DeleteValues(column.numbers);
    DeleteValues(column.bytes);
    return -1;
  }
  ObjectColumn* target = columns_.At(slot);
  target->name = static_cast<SharedWideString&&>(column.name);
  target->type = type;
  target->texts = column.texts;
  target->numbers = column.numbers;
  target->bytes = column.bytes;
  // Bits a removed column left in this slot would read as values.
  ClearSlotBits(static_cast<int32_t>(slot));
  return static_cast<int32_t>(slot);
}

void ObjectTable::RemoveColumn(int32_t column) {
  if (column < 0 || static_cast<uint32_t>(column) >= columns_.Count()) return;
  ObjectColumn* c = columns_.At(static_cast<uint32_t>(column));
  if (!c->Exists()) return;
  if (c->type == kColumnPooledString) {
    for (uint32_t r = 0; r < rowFlags_.Count(); ++r) {
      const int32_t index = static_cast<int32_t>((*c->numbers)[r]);
      if ((rowFlags_[r] & kRowDeleted) == 0 && index >= 0) pool_->DropReference(static_cast<uint32_t>(index));
    }
  }
  DeleteValues(c->texts);
  DeleteValues(c->numbers);
  DeleteValues(c->bytes);
  c->name.Clear();
  c->type = -1;
  ClearSlotBits(column);
}

int32_t ObjectTable::RemoveColumnByName(const SharedWideString& name) {
  const int32_t c = FindColumn(name);
  if (c < 0) return 1;
  RemoveColumn(c);
  return 0;
}

int32_t ObjectTable::AppendEmptyRow() {
  const uint32_t row = rowFlags_.Count();
  for (int32_t c = FirstColumn(); c >= 0; c = NextColumn(c)) {
    ObjectColumn& column = *columns_.At(static_cast<uint32_t>(c));
    const bool ok = column.texts != nullptr   ? column.texts->Reserve(row + 1)
                    : column.numbers != nullptr ? column.numbers->Reserve(row + 1)
                                                : column.bytes->Reserve(row + 1);
    if (!ok) return -1;
  }
  if (!rowFlags_.Reserve(row + 1)) return -1;
  for (int32_t c = FirstColumn(); c >= 0; c = NextColumn(c)) {
    ObjectColumn& column = *columns_.At(static_cast<uint32_t>(c));
    if (column.texts != nullptr) column.texts->At(row)->Clear();
    else if (column.numbers != nullptr) *column.numbers->At(row) = column.type == kColumnPooledString ? 0xFFFFFFFFu : 0;
    else *column.bytes->At(row) = 0;
  }
  *rowFlags_.At(row) = 0;
  return static_cast<int32_t>(row);
}

void ObjectTable::DeleteRow(int32_t row) {
  if (!IsPresent(row)) return;
  for (int32_t c = FirstColumn(); c >= 0; c = NextColumn(c)) {
    ObjectColumn& column = *columns_.At(static_cast<uint32_t>(c));
    if (column.texts != nullptr) {
      column.texts->At(static_cast<uint32_t>(row))->Clear();
    } else if (column.type == kColumnPooledString) {
      uint32_t* cell = column.numbers->At(static_cast<uint32_t>(row));
      if (static_cast<int32_t>(*cell) >= 0) pool_->DropReference(*cell);
      *cell = 0xFFFFFFFFu;
    }
  }
  *rowFlags_.At(static_cast<uint32_t>(row)) |= kRowDeleted;
}

void ObjectTable::SetValueBit(int32_t row, int32_t column) {
  if (column < kValueBitSlots) *rowFlags_.At(static_cast<uint32_t>(row)) |= ValueBit(column);
}

int32_t ObjectTable::SetText(int32_t row, int32_t column, const SharedWideString& text) {
  if (!ValidCell(row, column)) return 1;
  ObjectColumn& c = *columns_.At(static_cast<uint32_t>(column));
  if (c.type == kColumnPooledString) {
    const int32_t index = pool_->Intern(text, false);
    if (index < 0) return 1;
    uint32_t* cell = c.numbers->At(static_cast<uint32_t>(row));
    if (static_cast<int32_t>(*cell) >= 0) pool_->DropReference(*cell);
    *cell = static_cast<uint32_t>(index);
  } else if (c.texts != nullptr) {
    SharedWideString* cell = c.texts->At(static_cast<uint32_t>(row));
    *cell = text;
    if (!pool_->Pack(cell)) return 1;
  } else {
    return 1;
  }
  SetValueBit(row, column);
  return 0;
}

void ObjectTable::SetNumber(int32_t row, int32_t column, uint32_t value) {
  if (!ValidCell(row, column)) return;
  ObjectColumn& c = *columns_.At(static_cast<uint32_t>(column));
  if (c.type == kColumnUnsigned) *c.numbers->At(static_cast<uint32_t>(row)) = value;
  else if (c.type == kColumnByte) *c.bytes->At(static_cast<uint32_t>(row)) = static_cast<uint8_t>(value);
  else return;
  SetValueBit(row, column);
}

void ObjectTable::SetPooledIndex(int32_t row, int32_t column, int32_t index) {
  if (!ValidCell(row, column) || columns_[column].type != kColumnPooledString) return;
  *columns_.At(static_cast<uint32_t>(column))->numbers->At(static_cast<uint32_t>(row)) = static_cast<uint32_t>(index);
  if (index >= 0) pool_->AddReference(static_cast<uint32_t>(index));
  SetValueBit(row, column);
}

int32_t ObjectTable::GetPooledIndex(int32_t row, int32_t column) const {
  if (!ValidCell(row, column) || columns_[column].type != kColumnPooledString) return -1;
  return static_cast<int32_t>((*columns_[column].numbers)[row]);
}

void ObjectTable::ClearValue(int32_t row, int32_t column) {
  if (row < 0 || static_cast<uint32_t>(row) >= rowFlags_.Count() || column < 0 || column >= kValueBitSlots) return;
  *rowFlags_.At(static_cast<uint32_t>(row)) &= static_cast<uint8_t>(~ValueBit(column));
}

uint32_t ObjectTable::CountColumns() const {
  uint32_t n = 0;
  for (int32_t c = FirstColumn(); c >= 0; c = NextColumn(c)) ++n;
  return n;
}

uint32_t ObjectTable::CountRows() const {
  uint32_t n = 0;
  for (uint32_t r = 0; r < rowFlags_.Count(); ++r) n += (rowFlags_[r] & kRowDeleted) == 0 ? 1 : 0;
  return n;
}

int32_t ObjectTable::RowToOrdinal(int32_t row) const {
  if (row == -1 || row == -2) return row;
  if (row < 0) return -1;
  int32_t n = 0;
  for (int32_t r = 0; r <= row && static_cast<uint32_t>(r) < rowFlags_.Count(); ++r)
    n += (rowFlags_[r] & kRowDeleted) == 0 ? 1 : 0;
  return n;
}

int32_t ObjectTable::OrdinalToRow(int32_t n) const {
  if (n == -1 || n == -2) return n;
  if (n < 1) return 0;
  int32_t seen = 0;
  for (uint32_t r = 0; r < rowFlags_.Count(); ++r) {
    if ((rowFlags_[r] & kRowDeleted) == 0 && ++seen == n) return static_cast<int32_t>(r);
  }
  return static_cast<int32_t>(rowFlags_.Count());
}

uint8_t ObjectTable::NullMask(int32_t row) const {
  // The existing columns from the last to the first, so that bit k is the
  // k-th existing column.
  int32_t existing[8];
  int32_t k = 0;
  for (int32_t c = FirstColumn(); c >= 0 && k < 8; c = NextColumn(c)) existing[k++] = c;
  uint8_t mask = 0;
  for (int32_t i = k - 1; i >= 0; --i) mask = static_cast<uint8_t>((mask << 1) | (IsNull(row, existing[i]) ? 1 : 0));
  return mask;
}
