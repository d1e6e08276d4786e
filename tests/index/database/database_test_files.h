// Files of object databases for the tests: DUMP records written into the
// device's file system, records read back from saved files, and a database
// made for a path.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "index/database/database.h"
#include "platform/testing/files.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/dump_record_builder.h"

namespace dbtest {

inline std::vector<uint8_t> FileBytes(const std::u16string& path) {
  std::ifstream in(devtest::HostPath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::u16string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(devtest::HostPath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Record 0 of a saved file; empty when it cannot be read.
inline std::vector<uint8_t> SavedRecord(const std::u16string& path) {
  int32_t error = 0;
  PalmDatabase* file = OpenRecordDatabase(path.c_str(), 9, 0, 0, &error);
  if (file == nullptr) return {};
  std::vector<uint8_t> out;
  if (RecordBuffer* r = file->LockRecord(0, false)) {
    out.assign(r->GetData(), r->GetData() + r->GetSize());
    file->ReleaseRecord(r, false);
  }
  file->Discard();
  delete file;
  return out;
}

struct DatabaseHolder {
  DatabasePtr db;
  Database* operator->() const { return db.Get(); }
};

inline DatabaseHolder NewDatabase(const std::u16string& path = u"") {
  DatabaseHolder h;
  h.db.Adopt(new Database());
  if (!path.empty()) h.db->SetFileAddress(path.c_str());
  return h;
}

// Loads a file's record through the path.
inline int32_t LoadFile(const std::u16string& path, DatabaseHolder* out) {
  *out = NewDatabase(path);
  return (*out)->LoadFromFile();
}

inline int32_t LoadRecord(const std::vector<uint8_t>& record, DatabaseHolder* out,
                          const std::u16string& path = u"\\load.ebase") {
  WriteFile(path, testbuild::DumpFileBytes(record));
  return LoadFile(path, out);
}

inline SharedWideString W(const char16_t* text) { return SharedWideString(text); }

}  // namespace dbtest

// ASCII text of a wide string, for comparisons.
inline std::string indextest_name(const SharedWideString& s) {
  std::string out;
  for (uint32_t i = 0; i < s.length; ++i) out.push_back(static_cast<char>(s.Chars()[i]));
  return out;
}

namespace dbtest {

}  // namespace dbtest
