// Mapped files over mmap. Views are remembered by base address so that
// UnmapViewOfFile finds their length.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "platform/core/last_error.h"
#include "platform/files/file_objects.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/files/file_hooks.h"
#endif

using namespace devicefs;

namespace {

struct View {
  void* mappedBase;
  size_t mappedLength;
  std::shared_ptr<FileMapping> mapping;  // keeps the file open while mapped
};

struct ViewTable {
  std::mutex lock;
  std::map<const void*, View> views;  // key: address handed out
};

ViewTable& Views() {
  static ViewTable* table = new ViewTable;
  return *table;
}

}  // namespace

HANDLE CreateFileMappingW(HANDLE file, void*, DWORD protect, DWORD maximumSizeHigh, DWORD maximumSizeLow,
                          LPCWSTR) {
  auto open = LookupHandle<OpenFile>(file);
  if (!open || open->fd < 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  bool writable = protect == PAGE_READWRITE;
  if (writable && !(open->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  struct stat st;
  if (::fstat(open->fd, &st) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  uint64_t size = (static_cast<uint64_t>(maximumSizeHigh) << 32) | maximumSizeLow;
  if (size == 0) size = static_cast<uint64_t>(st.st_size);
  if (size == 0) {
    // The device refuses to map an empty file.
    SetLastError(ERROR_FILE_INVALID);
    return nullptr;
  }
  if (size > static_cast<uint64_t>(st.st_size)) {
    if (!writable || ::ftruncate(open->fd, static_cast<off_t>(size)) != 0) {
      SetLastError(ERROR_DISK_FULL);
      return nullptr;
    }
  }
  auto mapping = std::make_shared<FileMapping>();
  mapping->file = open;
  mapping->writable = writable;
  mapping->size = size;
  SetLastError(ERROR_SUCCESS);
  return RegisterKernelObject(mapping);
}

LPVOID MapViewOfFile(HANDLE handle, DWORD access, DWORD offsetHigh, DWORD offsetLow, DWORD bytes) {
  auto mapping = LookupHandle<FileMapping>(handle);
  if (!mapping) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  bool write = (access & FILE_MAP_WRITE) != 0;
  if (write && !mapping->writable) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  uint64_t offset = (static_cast<uint64_t>(offsetHigh) << 32) | offsetLow;
  if (offset > mapping->size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  uint64_t length = bytes ? bytes : mapping->size - offset;
  if (length == 0 || offset + length > mapping->size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  static const uint64_t page = static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
  uint64_t aligned = offset - offset % page;
  size_t mappedLength = static_cast<size_t>(length + (offset - aligned));
  void* base = ::mmap(nullptr, mappedLength, write ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED,
                      mapping->file->fd, static_cast<off_t>(aligned));
  if (base == MAP_FAILED) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* address = static_cast<char*>(base) + (offset - aligned);
  ViewTable& table = Views();
  std::lock_guard<std::mutex> guard(table.lock);
  table.views[address] = View{base, mappedLength, mapping};
  return address;
}

BOOL VirtualUnlock(LPVOID address, DWORD size) {
  static const uintptr_t page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const uintptr_t first = reinterpret_cast<uintptr_t>(address);
  if (size == 0 || first + size < first) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ViewTable& table = Views();
  std::lock_guard<std::mutex> guard(table.lock);
  // The view holding the range starts at or before it: the last address
  // handed out that is not above it.
  auto it = table.views.upper_bound(address);
  if (it == table.views.begin()) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  --it;
  const uintptr_t base = reinterpret_cast<uintptr_t>(it->second.mappedBase);
  const uintptr_t end = base + it->second.mappedLength;
  if (first < base || first + size > end) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  // Shared file pages: dropping them keeps their bytes in the file (and in
  // the page cache), so a later touch reads the same bytes back.
  const uintptr_t from = first - (first - base) % page;
  uintptr_t to = first + size;
  to = to + (page - (to - base) % page) % page;
  if (to > end) to = end;
  ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
  SetLastError(ERROR_NOT_LOCKED);
  return FALSE;
}

BOOL UnmapViewOfFile(LPCVOID base) {
  View view;
  {
    ViewTable& table = Views();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.views.find(base);
    if (it == table.views.end()) {
      SetLastError(ERROR_INVALID_ADDRESS);
      return FALSE;
    }
    view = it->second;
    table.views.erase(it);
  }
  ::munmap(view.mappedBase, view.mappedLength);
  return TRUE;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

int MappedViewCount() {
  ViewTable& table = Views();
  std::lock_guard<std::mutex> guard(table.lock);
  return static_cast<int>(table.views.size());
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
