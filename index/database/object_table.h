// ObjectTable: one table of an object database: named, typed columns and
// rows that are appended and marked deleted, never removed. Each row has a
// flag byte: bit 0 deleted, bit c + 1 set when column slot c (0 to 6) holds
// a value; slots 7 and above always count as holding one. Text cells of
// pooled columns name a string of the database's pool.
#pragma once

#include <cstdint>

#include "foundation/wide_string/shared_wide_string.h"
#include "index/database/database_string_pool.h"
#include "index/records/paged_array.h"

// Column types, as the script constants name them.
enum ObjectColumnType : int32_t {
  kColumnString = 0,        // TYPE_STRING: a text per row
  kColumnUnsigned = 2,      // TYPE_UINT: 32 bits per row
  kColumnByte = 5,          // TYPE_UBYTE: 8 bits per row
  kColumnPooledString = 6,  // TYPE_POOLED_STRING: an index into the pool, -1 none
};

bool IsColumnType(int32_t type);

struct ObjectColumn {
  SharedWideString name;
  int32_t type = -1;
  // By type; all null for a free slot.
  PagedArray<SharedWideString>* texts = nullptr;
  PagedArray<uint32_t>* numbers = nullptr;  // types 2 and 6
  PagedArray<uint8_t>* bytes = nullptr;
  bool Exists() const { return texts != nullptr || numbers != nullptr || bytes != nullptr; }
};

// What record sets and the table views see of a table.
class ObjectTableInterface {
 public:
  virtual ~ObjectTableInterface() = default;
  virtual int32_t FirstColumn() const = 0;
  virtual int32_t NextColumn(int32_t n) const = 0;
  virtual const ObjectColumn* GetColumn(int32_t n) const = 0;
  virtual int32_t FindColumn(const SharedWideString& name) const = 0;
  virtual int32_t FirstRow() const = 0;
  virtual int32_t LastRow() const = 0;
  virtual int32_t NextRow(int32_t n) const = 0;
  virtual int32_t PreviousRow(int32_t n) const = 0;
  virtual bool IsNull(int32_t row, int32_t column) const = 0;
  virtual bool IsNumericColumn(int32_t column) const = 0;
  virtual bool IsTextColumn(int32_t column) const = 0;
  virtual uint32_t GetNumber(int32_t row, int32_t column) const = 0;
  // The cell's text, or null (a pooled cell that names no string).
  virtual const SharedWideString* GetText(int32_t row, int32_t column) const = 0;
};

class ObjectTable : public ObjectTableInterface {
 public:
  explicit ObjectTable(DatabaseStringPool* pool) : pool_(pool) {}
  ~ObjectTable() override;
  ObjectTable(const ObjectTable&) = delete;
  ObjectTable& operator=(const ObjectTable&) = delete;

  bool SetName(const SharedWideString& name);
  const SharedWideString& Name() const { return name_; }

  int32_t FirstColumn() const override { return NextColumn(-1); }
  int32_t NextColumn(int32_t n) const override;
  const ObjectColumn* GetColumn(int32_t n) const override;
  int32_t FindColumn(const SharedWideString& name) const override;
  int32_t FirstRow() const override { return NextRow(-1); }
  int32_t LastRow() const override;
  int32_t NextRow(int32_t n) const override;
  int32_t PreviousRow(int32_t n) const override;
  bool IsNull(int32_t row, int32_t column) const override;
  bool IsNumericColumn(int32_t column) const override;
  bool IsTextColumn(int32_t column) const override;
  uint32_t GetNumber(int32_t row, int32_t column) const override;
  const SharedWideString* GetText(int32_t row, int32_t column) const override;

  // The column's index; -1 for a type that makes no column or no memory.
  int32_t AddColumn(const SharedWideString& name, int32_t type);
  void RemoveColumn(int32_t column);
  // 1 when there is no such column.
  int32_t RemoveColumnByName(const SharedWideString& name);
  // The new row's index, -1 when a column cannot grow.
  int32_t AppendEmptyRow();
  void DeleteRow(int32_t row);
  // 0, or 1 when the text cannot be stored.
  int32_t SetText(int32_t row, int32_t column, const SharedWideString& text);
  void SetNumber(int32_t row, int32_t column, uint32_t value);
  void SetPooledIndex(int32_t row, int32_t column, int32_t index);
  int32_t GetPooledIndex(int32_t row, int32_t column) const;
  void ClearValue(int32_t row, int32_t column);
  uint32_t CountColumns() const;
  uint32_t CountRows() const;
  // Rows ever made (present and deleted).
  uint32_t RowSlots() const { return rowFlags_.Count(); }
  bool IsPresent(int32_t row) const;
  int32_t RowToOrdinal(int32_t row) const;
  int32_t OrdinalToRow(int32_t n) const;
  // Bit k set when the k-th existing column is null (first eight only).
  uint8_t NullMask(int32_t row) const;
  void Clear();

  int32_t LockCount() const { return lockCount_; }
  void Lock() { ++lockCount_; }
  void Unlock() { --lockCount_; }

 private:
  bool ValidCell(int32_t row, int32_t column) const;
  void SetValueBit(int32_t row, int32_t column);
  void ClearSlotBits(int32_t column);

  SharedWideString name_;
  PagedArray<ObjectColumn> columns_;
  PagedArray<uint8_t> rowFlags_;
  DatabaseStringPool* pool_;
  int32_t lockCount_ = 0;
};
