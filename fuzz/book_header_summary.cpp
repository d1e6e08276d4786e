// Fuzz target: an untrusted book file as the library sees it. The bytes are
// written to a device root and opened the two ways the reader opens a book
// for reading (mapped, and records on demand); its title and its catalogue
// summary are read. Nothing may read outside the file, hang, or make one
// allocation larger than the file justifies: a name is at most what record 0
// holds, so no single block may pass a fixed allowance (stream buffers,
// record tables) plus a small multiple of the input.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/files/files.h"
#include "platform/testing/files.h"
#include "storage/books/book_header_summary.h"
#include "storage/container/palm_database.h"
#include "storage/container/stream_factory.h"
#include "tests/support/palm_database_builder.h"
#include "fuzz/temp_in_memory.h"

namespace {

constexpr const char16_t* kPath = u"\\fuzz.corv";
constexpr size_t kFixedAllowance = 256 * 1024;
constexpr size_t kBytesPerInputByte = 8;

// The sanitizer runtimes' allocation hook, declared weak so that a replay
// built without sanitizers still links (and checks no sizes).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                        void (*)(const volatile void*)) __attribute__((weak));

// The largest block asked for while an input runs.
size_t g_largest = 0;
bool g_watching = false;

void OnMalloc(const volatile void*, size_t size) {
  if (g_watching && size > g_largest) g_largest = size;
}
void OnFree(const volatile void*) {}

void InstallAllocationWatch() {
  static bool installed = [] {
    if (__sanitizer_install_malloc_and_free_hooks != nullptr)
      __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
    return true;
  }();
  (void)installed;
}

// Touches every unit, so the sanitizer sees a name that points outside
// its buffer.
uint32_t Touch(const SharedWideString& s) {
  uint32_t sum = 0;
  const WCHAR* units = s.Chars();
  for (uint32_t i = 0; i < s.length; ++i) sum += units[i];
  return sum;
}

void ReadSummaries(uint32_t mode, size_t inputSize) {
  int32_t error = 0;
  PalmDatabase* store = OpenRecordDatabase(kPath, mode, MakeFourCC("CORV"), MakeFourCC("BOOK"), &error);
  if (store == nullptr) return;

  uint32_t bookType = 0;
  int32_t codePage = 0;
  SharedWideString title;
  if (!PeekBookTitle(store, &bookType, &codePage, &title)) {
    // Each unit of a name comes from at least one byte of the file.
    if (title.length > inputSize) __builtin_trap();
    Touch(title);
  }
  // The answers of a failed call are not looked at; the call itself must
  // still be sound.
  PeekBookTitle(store, nullptr, nullptr, nullptr);

  BookHeaderSummary summary;
  if (!ReadBookHeaderSummary(store, &summary)) {
    if (summary.fullName.length > inputSize || summary.databaseName.length > 32) __builtin_trap();
    Touch(summary.fullName);
    Touch(summary.databaseName);
  }
  delete store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = [] {
    fuzzsupport::UseTempInMemory();
    devtest::UseFreshDeviceRoot();
    return true;
  }();
  (void)ready;
  InstallAllocationWatch();
  if (size > (1u << 20)) return 0;
  if (!testbuild::WriteDeviceFile(kPath, std::vector<uint8_t>(data, data + size))) return 0;

  g_largest = 0;
  g_watching = true;
  ReadSummaries(41, size);  // mapped, as the library's scan opens books
  ReadSummaries(9, size);   // a stream with records read on demand
  g_watching = false;
  if (g_largest > kFixedAllowance + kBytesPerInputByte * size) __builtin_trap();

  DeleteFileW(kPath);
  return 0;
}
