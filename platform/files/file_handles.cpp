// CreateFileW and the calls on an open file handle, over host descriptors,
// and the reporting of delayed write errors (syncs, closes).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/core/last_error.h"
#include "platform/files/attribute_store.h"
#include "platform/files/beneath_root.h"
#include "platform/files/device_root.h"
#include "platform/files/file_objects.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/files/file_hooks.h"
#endif

namespace fs = std::filesystem;

namespace devicefs {
namespace {

struct OpenTable {
  std::mutex lock;
  std::multimap<std::string, OpenFile*> files;
};

OpenTable& Opens() {
  static OpenTable* table = new OpenTable;
  return *table;
}

// What one WriteFile call does: write `limit` bytes, then fail with
// ERROR_DISK_FULL or end the process. Only injected failures change it.
struct WritePlan {
  DWORD limit;
  bool fail = false;
  bool exitAfter = false;
};

#ifdef TESSALYN_TEST_HOOKS
struct WriteInjection {
  std::mutex lock;
  long writeCalls = 0;
  long failAt = 0;  // absolute call number, 0 = none
  uint32_t failBytes = 0;
  long exitAt = 0;
  bool environmentRead = false;
};

WriteInjection& Injection() {
  static WriteInjection* injection = new WriteInjection;
  return *injection;
}

WritePlan PlanWrite(DWORD bytesToWrite) {
  WritePlan plan{bytesToWrite};
  WriteInjection& inj = Injection();
  std::lock_guard<std::mutex> guard(inj.lock);
  if (!inj.environmentRead) {
    inj.environmentRead = true;
    if (const char* env = std::getenv("TESSALYN_EXIT_AT_WRITE"); env && *env && inj.exitAt == 0)
      inj.exitAt = std::strtol(env, nullptr, 10);
  }
  long call = ++inj.writeCalls;
  if (call == inj.failAt) {
    plan.fail = true;
    plan.limit = inj.failBytes < bytesToWrite ? inj.failBytes : bytesToWrite;
  }
  if (call == inj.exitAt) {
    plan.exitAfter = true;
    plan.limit = bytesToWrite / 2;
  }
  return plan;
}
#else
WritePlan PlanWrite(DWORD bytesToWrite) { return WritePlan{bytesToWrite}; }
#endif

}  // namespace

DWORD ErrorFromErrno(int err) {
  switch (err) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case EACCES:
    case EPERM:
    case EROFS: return ERROR_ACCESS_DENIED;
    case ENOSPC: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    default: return ERROR_ACCESS_DENIED;
  }
}

namespace {

std::shared_ptr<OpenFile> FileOf(HANDLE handle) {
  auto file = LookupHandle<OpenFile>(handle);
  if (!file || file->fd < 0) SetLastError(ERROR_INVALID_HANDLE);
  return file && file->fd >= 0 ? file : nullptr;
}

// How a disposition treats the name; a foreign entry (a link, FIFO, ...)
// is replaced only by CREATE_ALWAYS, which makes a new file of the name.
OpenIntent IntentOf(DWORD disposition) {
  switch (disposition) {
    case CREATE_NEW: return OpenIntent::kCreateNew;
    case CREATE_ALWAYS: return OpenIntent::kReplaceForeign;
    case OPEN_ALWAYS: return OpenIntent::kExistingOrNew;
    default: return OpenIntent::kExisting;
  }
}

HANDLE OpenFileHandle(LPCWSTR path, DWORD access, DWORD share, DWORD disposition, DWORD flags,
                      bool forMapping) {
  Resolved r;
  if (!Resolve(path, &r)) return INVALID_HANDLE_VALUE;
  if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition == CREATE_NEW && (r.isRoot || r.exists || r.isForeign)) {
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
  }
  if (r.isRoot || (r.exists && r.isDirectory)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  bool truncates = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
  bool wantsWrite = (access & GENERIC_WRITE) != 0 || truncates;
  if (r.exists) {
    if (wantsWrite && (StoredAttributes(r.device) & FILE_ATTRIBUTE_READONLY)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
  } else if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  } else if (r.isForeign && disposition == OPEN_ALWAYS) {
    // It cannot be opened, and making a new file would destroy it.
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }
  if (!ShareAllows(r.host, access, share)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return INVALID_HANDLE_VALUE;
  }
  // The host descriptor is always readable so mappings and size queries work;
  // the device access rights are enforced by the calls themselves.
  bool created = false;
  HostFd fd = OpenRegularFile(r.folder->Get(), r.leaf, wantsWrite, IntentOf(disposition), &created);
  if (!fd.Valid()) {
    SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : errno == EISDIR ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  // Truncation waits until the file is known to be one the device may write.
  if (truncates && !created && ::ftruncate(fd.Get(), 0) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_HANDLE_VALUE;
  }
  if (created) {
    ForgetPath(r.device);
    DWORD attrs = flags & kEmulatedAttributeMask & ~FILE_ATTRIBUTE_DIRECTORY;
    if (attrs) StoreAttributes(r.device, attrs);
    StoreCreationTime(r.device, NowAsFileTime());
  } else if (disposition == CREATE_ALWAYS) {
    DWORD attrs = flags & kEmulatedAttributeMask;
    if (attrs) StoreAttributes(r.device, StoredAttributes(r.device) | attrs);
  }
  auto file = std::make_shared<OpenFile>();
  file->fd = fd.Release();
  file->host = r.host;
  file->device = r.device;
  file->access = access;
  file->share = share;
  file->deleteOnClose = (flags & FILE_FLAG_DELETE_ON_CLOSE) != 0;
  if (file->deleteOnClose) {
    file->folder = r.folder;
    file->leaf = r.leaf;
  }
  file->forMapping = forMapping;
  TrackOpen(file);
  SetLastError(!created && (disposition == OPEN_ALWAYS || disposition == CREATE_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                      : ERROR_SUCCESS);
  return RegisterKernelObject(file);
}

}  // namespace

// ---- Write-back errors: syncs and closes ----
namespace {

// The device's code for an error met while data goes to the store (a
// write, fsync or close()): no room, a failed device, a store gone
// read-only.
DWORD WriteBackError(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case EIO: return ERROR_WRITE_FAULT;
    case EROFS: return ERROR_WRITE_PROTECT;
    default: return ErrorFromErrno(error);
  }
}

#ifdef TESSALYN_TEST_HOOKS
// Injected failures of the n-th sync (file or folder) and of the n-th close
// of a handle open for writing; each replaces the host's answer by an errno.
struct WriteBackInjection {
  std::mutex lock;
  long syncCalls = 0;
  long syncFailAt = 0;  // absolute call number, 0 = none
  int syncError = 0;
  long closeCalls = 0;
  long closeFailAt = 0;
  int closeError = 0;
};

WriteBackInjection& WriteBack() {
  static WriteBackInjection* injection = new WriteBackInjection;
  return *injection;
}

int InjectSyncFault(int hostError) {
  WriteBackInjection& inj = WriteBack();
  std::lock_guard<std::mutex> guard(inj.lock);
  return ++inj.syncCalls == inj.syncFailAt ? inj.syncError : hostError;
}

int InjectCloseFault(int hostError) {
  WriteBackInjection& inj = WriteBack();
  std::lock_guard<std::mutex> guard(inj.lock);
  return ++inj.closeCalls == inj.closeFailAt ? inj.closeError : hostError;
}
#else
int InjectSyncFault(int hostError) { return hostError; }
int InjectCloseFault(int hostError) { return hostError; }
#endif

}  // namespace

DWORD SyncFolder(int folder) {
  int error = ::fsync(folder) == 0 ? 0 : errno;
  // Some file systems cannot sync a folder at all; nothing is lost there.
  if (error == EINVAL || error == ENOTSUP) error = 0;
  error = InjectSyncFault(error);
  return error ? WriteBackError(error) : ERROR_SUCCESS;
}

void OpenFile::OnClose() {
  if (fd >= 0) {
    // The descriptor is gone whatever close() answers (no retry: on Linux a
    // retried close could close another thread's new descriptor). Its error
    // is a delayed write that never reached the store, which only matters
    // for a handle that could write.
    int error = ::close(fd) == 0 ? 0 : errno;
    fd = -1;
    if (access & GENERIC_WRITE) {
      error = InjectCloseFault(error);
      closeError = error ? WriteBackError(error) : ERROR_SUCCESS;
    }
  }
  UntrackOpen(this);
  if (deleteOnClose && !IsOpenAnywhere(host)) {
    ::unlinkat(folder->Get(), leaf.c_str(), 0);
    ForgetPath(device);
  }
}

OpenFile::~OpenFile() {
  if (fd >= 0) ::close(fd);
  UntrackOpen(this);
}

bool ShareAllows(const fs::path& host, DWORD access, DWORD share) {
  OpenTable& table = Opens();
  std::lock_guard<std::mutex> guard(table.lock);
  auto range = table.files.equal_range(host.string());
  for (auto it = range.first; it != range.second; ++it) {
    const OpenFile* other = it->second;
    if ((access & GENERIC_READ) && !(other->share & FILE_SHARE_READ)) return false;
    if ((access & GENERIC_WRITE) && !(other->share & FILE_SHARE_WRITE)) return false;
    if ((other->access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return false;
    if ((other->access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return false;
  }
  return true;
}

void TrackOpen(const std::shared_ptr<OpenFile>& file) {
  OpenTable& table = Opens();
  std::lock_guard<std::mutex> guard(table.lock);
  table.files.emplace(file->host.string(), file.get());
}

void UntrackOpen(OpenFile* file) {
  OpenTable& table = Opens();
  std::lock_guard<std::mutex> guard(table.lock);
  for (auto it = table.files.begin(); it != table.files.end(); ++it) {
    if (it->second == file) {
      table.files.erase(it);
      return;
    }
  }
}

bool IsOpenAnywhere(const fs::path& host) {
  OpenTable& table = Opens();
  std::lock_guard<std::mutex> guard(table.lock);
  return table.files.count(host.string()) > 0;
}

}  // namespace devicefs

using namespace devicefs;

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD shareMode, void*, DWORD disposition,
                   DWORD flagsAndAttributes, HANDLE) {
  return OpenFileHandle(path, access, shareMode, disposition, flagsAndAttributes, false);
}

HANDLE CreateFileForMappingW(LPCWSTR path, DWORD access, DWORD shareMode, void*, DWORD disposition,
                             DWORD flagsAndAttributes, HANDLE) {
  return OpenFileHandle(path, access, shareMode, disposition, flagsAndAttributes, true);
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, void*) {
  if (bytesRead) *bytesRead = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_READ)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  DWORD total = 0;
  auto* out = static_cast<char*>(buffer);
  while (total < bytesToRead) {
    ssize_t n = ::read(file->fd, out + total, bytesToRead - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ErrorFromErrno(errno));
      if (bytesRead) *bytesRead = total;
      return FALSE;
    }
    if (n == 0) break;
    total += static_cast<DWORD>(n);
  }
  if (bytesRead) *bytesRead = total;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID data, DWORD bytesToWrite, LPDWORD bytesWritten, void*) {
  if (bytesWritten) *bytesWritten = 0;
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const WritePlan plan = PlanWrite(bytesToWrite);
  const DWORD limit = plan.limit;
  DWORD total = 0;
  const auto* in = static_cast<const char*>(data);
  while (total < limit) {
    ssize_t n = ::write(file->fd, in + total, limit - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      SetLastError(n < 0 ? WriteBackError(errno) : ERROR_DISK_FULL);
      if (bytesWritten) *bytesWritten = total;
      return FALSE;
    }
    total += static_cast<DWORD>(n);
  }
  if (plan.exitAfter) ::_exit(86);
  if (bytesWritten) *bytesWritten = total;
  if (plan.fail) {
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
  }
  return TRUE;
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* distanceHigh, DWORD method) {
  auto file = FileOf(handle);
  if (!file) return INVALID_SET_FILE_POINTER;
  int64_t offset = distanceHigh ? (static_cast<int64_t>(*distanceHigh) << 32) | static_cast<uint32_t>(distance)
                                : static_cast<int64_t>(distance);
  int whence = method == FILE_BEGIN ? SEEK_SET : method == FILE_CURRENT ? SEEK_CUR : method == FILE_END ? SEEK_END : -1;
  if (whence < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  off_t current = ::lseek(file->fd, 0, SEEK_CUR);
  off_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? current : ::lseek(file->fd, 0, SEEK_END);
  if (base + offset < 0) {
    ::lseek(file->fd, current, SEEK_SET);
    SetLastError(ERROR_NEGATIVE_SEEK);
    return INVALID_SET_FILE_POINTER;
  }
  off_t result = ::lseek(file->fd, base + offset, SEEK_SET);
  if (result < 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_SET_FILE_POINTER;
  }
  if (distanceHigh) *distanceHigh = static_cast<LONG>(static_cast<uint64_t>(result) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(result);
}

DWORD GetFileSize(HANDLE handle, LPDWORD sizeHigh) {
  auto file = FileOf(handle);
  if (!file) return INVALID_FILE_SIZE;
  struct stat st;
  if (::fstat(file->fd, &st) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return INVALID_FILE_SIZE;
  }
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_size) >> 32);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(st.st_size);
}

BOOL SetEndOfFile(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  off_t position = ::lseek(file->fd, 0, SEEK_CUR);
  if (position < 0 || ::ftruncate(file->fd, position) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  if (!(file->access & GENERIC_WRITE)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // fsync is where a write the host accepted into its cache and then could
  // not store (a full or removed card) shows itself: it must fail the call.
  int error = ::fsync(file->fd) == 0 ? 0 : errno;
  error = InjectSyncFault(error);
  if (error) {
    SetLastError(WriteBackError(error));
    return FALSE;
  }
  return TRUE;
}

BOOL GetFileTime(HANDLE handle, FILETIME* creation, FILETIME* lastAccess, FILETIME* lastWrite) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  struct stat st;
  if (::fstat(file->fd, &st) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  auto put = [](FILETIME* out, uint64_t value) {
    if (!out) return;
    out->dwLowDateTime = static_cast<DWORD>(value);
    out->dwHighDateTime = static_cast<DWORD>(value >> 32);
  };
  uint64_t write = FileTimeOf(st.st_mtim);
  uint64_t created = StoredCreationTime(file->device);
  put(creation, created ? created : write);
  put(lastAccess, FileTimeOf(st.st_atim));
  put(lastWrite, write);
  return TRUE;
}

BOOL SetFileTime(HANDLE handle, const FILETIME* creation, const FILETIME* lastAccess, const FILETIME* lastWrite) {
  auto file = FileOf(handle);
  if (!file) return FALSE;
  auto value = [](const FILETIME* t) {
    return (static_cast<uint64_t>(t->dwHighDateTime) << 32) | t->dwLowDateTime;
  };
  auto toSpec = [&](const FILETIME* t) {
    struct timespec spec;
    if (!t) {
      spec.tv_sec = 0;
      spec.tv_nsec = UTIME_OMIT;
      return spec;
    }
    int64_t units = static_cast<int64_t>(value(t)) - 116444736000000000LL;
    int64_t seconds = units / 10000000;
    int64_t rest = units % 10000000;
    if (rest < 0) {
      rest += 10000000;
      --seconds;
    }
    spec.tv_sec = static_cast<time_t>(seconds);
    spec.tv_nsec = static_cast<long>(rest * 100);
    return spec;
  };
  struct timespec times[2] = {toSpec(lastAccess), toSpec(lastWrite)};
  if ((lastAccess || lastWrite) && ::futimens(file->fd, times) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  if (creation) StoreCreationTime(file->device, value(creation));
  return TRUE;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void FailNthWrite(long n, uint32_t bytesWritten) {
  WriteInjection& inj = Injection();
  std::lock_guard<std::mutex> guard(inj.lock);
  inj.failAt = n > 0 ? inj.writeCalls + n : 0;
  inj.failBytes = bytesWritten;
}

void ExitAtNthWrite(long n) {
  WriteInjection& inj = Injection();
  std::lock_guard<std::mutex> guard(inj.lock);
  inj.environmentRead = true;
  inj.exitAt = n > 0 ? inj.writeCalls + n : 0;
}

long WriteCallCount() {
  WriteInjection& inj = Injection();
  std::lock_guard<std::mutex> guard(inj.lock);
  return inj.writeCalls;
}

int OpenFileHandleCount() {
  OpenTable& table = Opens();
  std::lock_guard<std::mutex> guard(table.lock);
  return static_cast<int>(table.files.size());
}

void ResetWriteInjection() {
  WriteInjection& inj = Injection();
  std::lock_guard<std::mutex> guard(inj.lock);
  inj.writeCalls = 0;
  inj.failAt = 0;
  inj.exitAt = 0;
  inj.environmentRead = true;  // tests never inherit the program's variable
  FailNthSync(0);
  FailNthClose(0);
}

void FailNthSync(long n, int hostError) {
  WriteBackInjection& inj = WriteBack();
  std::lock_guard<std::mutex> guard(inj.lock);
  inj.syncFailAt = n > 0 ? inj.syncCalls + n : 0;
  inj.syncError = hostError;
}

void FailNthClose(long n, int hostError) {
  WriteBackInjection& inj = WriteBack();
  std::lock_guard<std::mutex> guard(inj.lock);
  inj.closeFailAt = n > 0 ? inj.closeCalls + n : 0;
  inj.closeError = hostError;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
