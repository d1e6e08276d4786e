// The object database: its table list, naming and its life as a document
// source. The file's writer and reader are database_file.cpp.
#include "index/database/database.h"

#include <cstring>

#include "platform/memory/allocator.h"

Database::~Database() {
  Clear();
  DeviceFree(tables_);
  DeviceFree(path_);
}

void Database::Clear() {
  for (uint32_t i = 0; i < tableSlots_; ++i) {
    delete tables_[i];
    tables_[i] = nullptr;
  }
  tableSlots_ = 0;
  pool_.Clear();
  name_.Clear();
}

int32_t Database::NextTable(int32_t n) const {
  for (int64_t i = static_cast<int64_t>(n) + 1; i < tableSlots_; ++i)
    if (tables_[i] != nullptr) return static_cast<int32_t>(i);
  return -1;
}

int32_t Database::FindTable(const SharedWideString& name) const {
  for (int32_t t = FirstTable(); t >= 0; t = NextTable(t))
    if (tables_[t]->Name().CompareTo(name) == 0) return t;
  return -1;
}

const SharedWideString* Database::TableName(int32_t n) const {
  ObjectTable* t = GetTable(n);
  return t != nullptr ? &t->Name() : nullptr;
}

ObjectTable* Database::GetTable(int32_t n) const {
  if (n < 0 || static_cast<uint32_t>(n) >= tableSlots_) return nullptr;
  return tables_[n];
}

int32_t Database::CreateTable(const SharedWideString& name) {
  if (name.IsEmpty() || FindTable(name) >= 0) return -1;
  if (tableSlots_ == tableCapacity_) {
    const uint32_t capacity = tableCapacity_ < 4 ? 8 : tableCapacity_ + tableCapacity_ / 2;
    void* grown = DeviceRealloc(tables_, sizeof(ObjectTable*) * capacity);
    if (grown == nullptr) return -1;
    tables_ = static_cast<ObjectTable**>(grown);
    tableCapacity_ = capacity;
  }
  ObjectTable* table = DeviceNew<ObjectTable>(&pool_);
  if (table == nullptr) return -1;
  if (!table->SetName(name)) {
    delete table;
    return -1;
  }
  tables_[tableSlots_] = table;
  return static_cast<int32_t>(tableSlots_++);
}

int32_t Database::DropTable(int32_t n) {
  ObjectTable* t = GetTable(n);
  if (t == nullptr) return 0;
  if (t->LockCount() > 0) return 1;
  delete t;
  tables_[n] = nullptr;
  while (tableSlots_ > 0 && tables_[tableSlots_ - 1] == nullptr) --tableSlots_;
  return 0;
}

uint32_t Database::TableCount() const {
  uint32_t n = 0;
  for (int32_t t = FirstTable(); t >= 0; t = NextTable(t)) ++n;
  return n;
}

bool Database::SetPath(const WCHAR* path) {
  DeviceFree(path_);
  path_ = nullptr;
  if (path == nullptr) return true;
  uint32_t n = 0;
  while (path[n] != 0) ++n;
  path_ = static_cast<WCHAR*>(DeviceAlloc(sizeof(WCHAR) * (n + 1)));
  if (path_ == nullptr) return false;
  std::memcpy(path_, path, sizeof(WCHAR) * (n + 1));
  return true;
}

void Database::SetUrl(const Url& url) {
  DocumentSource::SetUrl(url);
  if (!url.IsExternalOrPath()) return;
  SharedWideString path;
  if (!url.GetText(&path, false)) return;
  WCHAR* terminated = path.Duplicate(true);
  if (terminated == nullptr) return;
  SetFileAddress(terminated);
  DeviceFree(terminated);
}

bool Database::SetFileAddress(const WCHAR* path) {
  if (!SetPath(path)) return false;
  if (!name_.IsEmpty() || path == nullptr) return true;
  uint32_t n = 0;
  uint32_t start = 0;
  while (path[n] != 0) {
    if (path[n] == u'\\') start = n + 1;
    ++n;
  }
  static const char16_t kExtension[] = u".ebase";
  const uint32_t extension = 6;
  uint32_t end = n;
  if (n - start >= extension && std::memcmp(path + n - extension, kExtension, extension * sizeof(WCHAR)) == 0)
    end = n - extension;
  return name_.FromChars(path + start, end - start) || end == start;
}

bool Database::GetTitle(SharedWideString* title) {
  title->Assign(title_);
  return !title_.IsEmpty();
}

void Database::NotifyStore(int32_t event) {
  if (event == 0 && attached_ == 0) {
    attached_ = 1;
    AddRef();
  } else if (event == 1 && attached_ != 0) {
    attached_ = 0;
    Release();
  }
}

int32_t LoadDatabase(PalmDatabase* database, Database** out) {
  *out = nullptr;
  Database* d = DeviceNew<Database>();
  if (d == nullptr) return kDatabaseNoMemory;
  const int32_t code = d->Load(database);
  if (code != kDatabaseLoaded) {
    d->Release();
    return code;
  }
  *out = d;
  return kDatabaseLoaded;
}

bool MakeIdentifier(const SharedWideString& text, SharedWideString* out) {
  out->Clear();
  bool kept = false;
  const uint32_t n = text.length < 32 ? text.length : 32;
  for (uint32_t i = 0; i < n; ++i) {
    WCHAR c = text.Chars()[i];
    const bool alphanumeric = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    if (alphanumeric) kept = true;
    else c = u'_';
    if (!out->AppendChars(&c, 1)) {
      out->Clear();
      return true;
    }
  }
  if (!kept) out->Clear();
  return !kept;
}
