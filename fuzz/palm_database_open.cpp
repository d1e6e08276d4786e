// Fuzz target: untrusted bytes opened as a Palm database file in a device
// root, through the stream factory in each of its ways (mapped for
// reading, records on demand, records in memory with write access, which may
// set the file aside as "<name>.bad"), and every record then touched through
// every reading call. A sound database that opened for writing is changed,
// saved and opened again. Nothing may read outside the file's bytes, hang,
// or allocate more than the file justifies.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/files/file_stream.h"
#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "storage/container/palm_database_stream.h"
#include "storage/container/stream_factory.h"
#include "tests/support/palm_database_builder.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kPath = u"\\fuzz.pdb";

int CompareFirstByte(const RecordView* record, const void* key, void*) {
  int first = record->size ? record->data[0] : -1;
  return first - *static_cast<const int*>(key);
}

// Touches every byte a database hands out, so the sanitizer sees any read
// outside the file.
uint32_t Exercise(PalmDatabase* db) {
  uint32_t sum = 0;
  uint16_t count = db->GetRecordCount();
  uint16_t limit = count < 64 ? count : 64;
  for (uint16_t i = 0; i <= limit; ++i) {
    RecordBuffer* record = db->LockRecordDefault(i);
    if (record) {
      const uint8_t* data = record->GetData();
      for (uint32_t j = 0; j < record->GetSize(); ++j) sum += data[j];
      db->ReleaseRecord(record, false);
    }
    uint32_t size = 0;
    uint8_t attributes = 0;
    uint32_t id = 0;
    db->GetRecordSize(i, &size);
    db->GetRecordInfo(i, &attributes, &id);
    uint32_t pointerSize = 0;
    if (const uint8_t* p = db->RecordPointer(i, &pointerSize)) {
      for (uint32_t j = 0; j < pointerSize; ++j) sum += p[j];
    }
    sum += size + attributes + id;
  }
  uint32_t total = 0;
  db->GetTotalSize(0, count, &total);
  uint8_t bytes[256];
  db->ReadBytes(0, total / 3, total - total / 3 < sizeof bytes ? total - total / 3 : sizeof bytes, bytes);
  uint16_t index = 0;
  int key = 'a';
  db->BinarySearchRecords(&CompareFirstByte, nullptr, &key, &index);
  db->FindByUniqueId(0x123456, &index);
  RecordBuffer* buffers[4];
  if (db->LockRange(0, count < 4 ? count : 4, false, buffers)) {
    for (uint16_t i = 0; i < (count < 4 ? count : 4); ++i) db->ReleaseRecord(buffers[i], false);
  }
  return sum + total + db->GetName()[0];
}

void OpenAndExercise(uint32_t mode) {
  int32_t error = 0;
  PalmDatabase* db = OpenRecordDatabase(kPath, mode, 0x434F5256, 0x54455354, &error);
  if (!db) return;
  Exercise(db);
  db->Discard();
  delete db;
}

void LoadDirectly(int32_t mode) {
  auto* stream = new FileStream;
  if (!stream->Open(kPath, 41, 128)) {
    delete stream;
    return;
  }
  StreamPalmDatabase db(stream, mode);
  if (db.Load() == PalmLoadResult::kLoaded) Exercise(&db);
}

void ChangeSaveAndReopen() {
  PalmDatabase* db = OpenRecordDatabase(kPath, 15, 0x434F5256, 0x54455354, nullptr);
  if (!db) return;
  uint16_t count = db->GetRecordCount();
  if (RecordBuffer* record = db->InsertRecord(count / 2, 5)) {
    record->Write(0, "fuzz!", 5);
    db->ReleaseRecord(record, true);
  }
  if (count > 0) db->ResizeRecord(0, 3);
  if (count > 1) db->DeleteRecord(1);
  uint16_t expected = db->GetRecordCount();
  bool saved = db->Save();
  delete db;  // saves once more
  db = OpenRecordDatabase(kPath, 41, 0, 0, nullptr);
  if (saved && (!db || db->GetRecordCount() != expected)) __builtin_trap();
  if (db) Exercise(db);
  delete db;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return true;
  }();
  (void)ready;
  if (size > (1u << 20)) return 0;
  if (!testbuild::WriteDeviceFile(kPath, std::vector<uint8_t>(data, data + size))) return 0;
  OpenAndExercise(41);  // mapped
  OpenAndExercise(13);  // read, open always: a stream in mode 1 when not mapped
  LoadDirectly(StreamPalmDatabase::kModeInMemory);
  LoadDirectly(StreamPalmDatabase::kModeOnDemand);
  ChangeSaveAndReopen();
  DeleteFileW(kPath);
  DeleteFileW(u"\\fuzz.pdb.bad");
  DeleteFileW(u"\\fuzz.pdb.new");
  return 0;
}
