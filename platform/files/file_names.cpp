// The file calls that work on names: delete, move, copy, folders,
// attributes, searches, temporary names and free space.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <system_error>

#include "platform/core/last_error.h"
#include "platform/files/attribute_store.h"
#include "platform/files/beneath_root.h"
#include "platform/files/device_root.h"
#include "platform/files/file_objects.h"
#include "platform/files/host_names.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/files/file_hooks.h"
#endif

namespace fs = std::filesystem;

namespace devicefs {
namespace {

struct SpaceOverride {
  uint64_t freeBytes;
  uint64_t totalBytes;
};

struct NameState {
  std::mutex lock;
#ifdef TESSALYN_TEST_HOOKS
  std::map<std::u16string, SpaceOverride> space;  // folded "\" or "\card"
#endif
  int openSearches = 0;
  unsigned tempCounter = 0;
};

NameState& Names() {
  static NameState* state = new NameState;
  return *state;
}

// The free and total bytes a test set for a volume, if it set any.
bool SpaceOverrideOf(const std::u16string& volume, SpaceOverride* out) {
#ifdef TESSALYN_TEST_HOOKS
  NameState& state = Names();
  std::lock_guard<std::mutex> guard(state.lock);
  auto it = state.space.find(FoldName(volume));
  if (it == state.space.end()) return false;
  *out = it->second;
  return true;
#else
  (void)volume;
  (void)out;
  return false;
#endif
}

bool Matches(const std::u16string& pattern, size_t p, const std::u16string& name, size_t n) {
  while (p < pattern.size()) {
    char16_t c = pattern[p];
    if (c == u'*') {
      for (size_t k = n; k <= name.size(); ++k)
        if (Matches(pattern, p + 1, name, k)) return true;
      return false;
    }
    if (n >= name.size()) return false;
    if (c != u'?' && FoldChar(c) != FoldChar(name[n])) return false;
    ++p;
    ++n;
  }
  return n == name.size();
}

void PutFileTime(FILETIME* out, uint64_t value) {
  out->dwLowDateTime = static_cast<DWORD>(value);
  out->dwHighDateTime = static_cast<DWORD>(value >> 32);
}

bool CheckDeletable(const Resolved& r) {
  if (StoredAttributes(r.device) & FILE_ATTRIBUTE_READONLY) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  if (IsOpenAnywhere(r.host)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return false;
  }
  return true;
}

}  // namespace

uint64_t FileTimeOf(const struct timespec& t) {
  int64_t units = static_cast<int64_t>(t.tv_sec) * 10000000 + t.tv_nsec / 100 + 116444736000000000LL;
  return units < 0 ? 0 : static_cast<uint64_t>(units);
}

DWORD AttributesOf(const std::u16string& device, bool isDirectory) {
  DWORD attrs = StoredAttributes(device);
  if (isDirectory) {
    attrs |= FILE_ATTRIBUTE_DIRECTORY;
    Resolved r;
    r.exists = true;
    r.isDirectory = true;
    r.device = device;
    if (IsStorageCard(r)) attrs |= FILE_ATTRIBUTE_TEMPORARY;
  }
  return attrs ? attrs : FILE_ATTRIBUTE_NORMAL;
}

void FillFindData(int folder, const std::string& name, const std::u16string& device, WIN32_FIND_DATAW* data) {
  *data = WIN32_FIND_DATAW();
  struct stat st;
  if (KindAt(folder, name, &st) == EntryKind::kMissing) return;
  bool dir = S_ISDIR(st.st_mode);
  data->dwFileAttributes = AttributesOf(device, dir);
  uint64_t write = FileTimeOf(st.st_mtim);
  uint64_t created = StoredCreationTime(device);
  PutFileTime(&data->ftCreationTime, created ? created : write);
  PutFileTime(&data->ftLastAccessTime, FileTimeOf(st.st_atim));
  PutFileTime(&data->ftLastWriteTime, write);
  uint64_t size = dir ? 0 : static_cast<uint64_t>(st.st_size);
  data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data->nFileSizeLow = static_cast<DWORD>(size);
  data->dwOID = static_cast<DWORD>(st.st_ino);
  std::u16string shown = device.substr(device.find_last_of(u'\\') + 1);
  size_t n = shown.size() < MAX_PATH - 1 ? shown.size() : MAX_PATH - 1;
  for (size_t i = 0; i < n; ++i) data->cFileName[i] = shown[i];
  data->cFileName[n] = 0;
}

void FindSearch::OnClose() {
  NameState& state = Names();
  std::lock_guard<std::mutex> guard(state.lock);
  --state.openSearches;
}

}  // namespace devicefs

using namespace devicefs;

BOOL DeleteFileW(LPCWSTR path) {
  Resolved r;
  if (!Resolve(path, &r)) return FALSE;
  if (!r.exists && !r.isForeign) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (r.isDirectory || r.isRoot) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // A foreign entry is removed itself: a link goes, its target stays.
  if (r.exists && !CheckDeletable(r)) return FALSE;
  if (::unlinkat(r.folder->Get(), r.leaf.c_str(), 0) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  ForgetPath(r.device);
  return TRUE;
}

BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags) {
  Resolved source, target;
  if (!Resolve(from, &source) || !Resolve(to, &target)) return FALSE;
  if (!source.exists || source.isRoot) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (IsStorageCard(source) || IsOpenAnywhere(source.host)) {
    SetLastError(IsStorageCard(source) ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  // The same entry named again (perhaps in another case).
  bool sameFile = target.exists && source.host == target.host;
  bool occupied = (target.exists && !sameFile) || target.isForeign;
  if (occupied) {
    if (!(flags & MOVEFILE_REPLACE_EXISTING) || target.isDirectory || source.isDirectory || target.isRoot) {
      SetLastError(ERROR_ALREADY_EXISTS);
      return FALSE;
    }
    if (target.exists && !CheckDeletable(target)) return FALSE;
  }
  if (source.isDirectory && (target.device.size() > source.device.size()) &&
      FoldName(target.device).compare(0, source.device.size() + 1, FoldName(source.device) + u"\\") == 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  // A replaced file keeps its identity: its attributes and creation time
  // pass to the file that takes its place. A foreign entry had none.
  DWORD keptAttributes = 0;
  uint64_t keptCreation = 0;
  bool replacing = target.exists && !sameFile;
  if (replacing) {
    keptAttributes = StoredAttributes(target.device);
    keptCreation = StoredCreationTime(target.device);
  }
  // renameat replaces the target entry itself, a link included.
  if (::renameat(source.folder->Get(), source.leaf.c_str(), target.folder->Get(), target.leaf.c_str()) != 0) {
    SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  std::u16string newDevice = target.device;
  if (occupied) ForgetPath(target.device);
  MovePathEntries(source.device, newDevice);
  if (replacing) {
    StoreAttributes(newDevice, keptAttributes);
    if (keptCreation) StoreCreationTime(newDevice, keptCreation);
  }
  if (flags & MOVEFILE_WRITE_THROUGH) {
    DWORD error = SyncFolder(target.folder->Get());
    if (!error && source.host.parent_path() != target.host.parent_path()) error = SyncFolder(source.folder->Get());
    if (error) {
      SetLastError(error);
      return FALSE;
    }
  }
  return TRUE;
}

BOOL MoveFileW(LPCWSTR from, LPCWSTR to) { return MoveFileExW(from, to, 0); }

BOOL CopyFileW(LPCWSTR from, LPCWSTR to, BOOL failIfExists) {
  Resolved source, target;
  if (!Resolve(from, &source) || !Resolve(to, &target)) return FALSE;
  if (!source.exists || source.isDirectory) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if ((target.exists || target.isForeign || target.isRoot) && (failIfExists || target.isDirectory || target.isRoot)) {
    SetLastError(ERROR_FILE_EXISTS);
    return FALSE;
  }
  if (target.exists && (StoredAttributes(target.device) & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  bool created = false;
  HostFd in = OpenRegularFile(source.folder->Get(), source.leaf, false, OpenIntent::kExisting, &created);
  if (!in.Valid()) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  // The target is opened as CREATE_ALWAYS opens it: a foreign entry is
  // replaced, a file with other hard links refused.
  HostFd out = OpenRegularFile(target.folder->Get(), target.leaf, true, OpenIntent::kReplaceForeign, &created);
  if (!out.Valid()) {
    SetLastError(errno == EISDIR ? ERROR_FILE_EXISTS : ErrorFromErrno(errno));
    return FALSE;
  }
  struct stat fromStat, toStat;
  if (::fstat(in.Get(), &fromStat) != 0 || ::fstat(out.Get(), &toStat) != 0 ||
      (fromStat.st_dev == toStat.st_dev && fromStat.st_ino == toStat.st_ino)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  if (!created && ::ftruncate(out.Get(), 0) != 0) {
    SetLastError(ErrorFromErrno(errno));
    return FALSE;
  }
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(in.Get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastError(ErrorFromErrno(errno));
      return FALSE;
    }
    if (n == 0) break;
    for (ssize_t done = 0; done < n;) {
      ssize_t w = ::write(out.Get(), buffer + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w <= 0) {
        SetLastError(w < 0 ? ErrorFromErrno(errno) : ERROR_DISK_FULL);
        return FALSE;
      }
      done += w;
    }
  }
  if (created) {
    ForgetPath(target.device);
    StoreCreationTime(target.device, NowAsFileTime());
  }
  StoreAttributes(target.device, StoredAttributes(source.device));
  return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR path, void*) {
  Resolved r;
  if (!Resolve(path, &r)) return FALSE;
  if (r.exists || r.isForeign) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (::mkdirat(r.folder->Get(), r.leaf.c_str(), 0755) != 0) {
    // ENOENT: the parent went away since it was resolved.
    SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno));
    return FALSE;
  }
  ForgetPath(r.device);
  StoreCreationTime(r.device, NowAsFileTime());
  return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR path) {
  Resolved r;
  if (!Resolve(path, &r)) return FALSE;
  if (!r.exists || !r.isDirectory || r.isRoot) {
    SetLastError(r.isRoot ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (IsStorageCard(r) || (StoredAttributes(r.device) & FILE_ATTRIBUTE_READONLY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (::unlinkat(r.folder->Get(), r.leaf.c_str(), AT_REMOVEDIR) != 0) {
    SetLastError(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  ForgetPath(r.device);
  return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR path) {
  Resolved r;
  if (!Resolve(path, &r)) return INVALID_FILE_ATTRIBUTES;
  if (r.isRoot) return FILE_ATTRIBUTE_DIRECTORY;
  if (!r.exists) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_FILE_ATTRIBUTES;
  }
  return AttributesOf(r.device, r.isDirectory);
}

BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes) {
  Resolved r;
  if (!Resolve(path, &r)) return FALSE;
  if (!r.exists || r.isRoot) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  StoreAttributes(r.device, attributes & kEmulatedAttributeMask);
  return TRUE;
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  Resolved r;
  if (!Resolve(pattern, &r, true)) return INVALID_HANDLE_VALUE;
  std::u16string device = r.device;
  size_t slash = device.find_last_of(u'\\');
  std::u16string folderDevice = slash == 0 ? u"\\" : device.substr(0, slash);
  std::u16string namePattern = device.substr(slash + 1);
  auto search = std::make_shared<FindSearch>();
  if (r.isRoot) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::u16string prefix = folderDevice == u"\\" ? u"\\" : folderDevice + u"\\";
  if (namePattern.find_first_of(u"*?") == std::u16string::npos) {
    if (r.exists) {
      WIN32_FIND_DATAW entry;
      FillFindData(r.folder->Get(), r.leaf, r.device, &entry);
      search->entries.push_back(entry);
    }
  } else {
    // Only regular files and folders are listed: links, FIFOs, sockets and
    // device nodes are not part of the device.
    for (const std::string& hostName : ListFolder(r.folder->Get())) {
      if (folderDevice == u"\\" && hostName == ".tessalyn") continue;
      EntryKind kind = KindAt(r.folder->Get(), hostName);
      if (kind != EntryKind::kFile && kind != EntryKind::kFolder) continue;
      std::u16string name = HostNameToDevice(hostName);
      if (!Matches(namePattern, 0, name, 0)) continue;
      WIN32_FIND_DATAW entry;
      FillFindData(r.folder->Get(), hostName, prefix + name, &entry);
      search->entries.push_back(entry);
    }
  }
  if (search->entries.empty()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return INVALID_HANDLE_VALUE;
  }
  *data = search->entries[0];
  search->next = 1;
  {
    NameState& state = Names();
    std::lock_guard<std::mutex> guard(state.lock);
    ++state.openSearches;
  }
  return RegisterKernelObject(search);
}

BOOL FindNextFileW(HANDLE handle, WIN32_FIND_DATAW* data) {
  auto search = LookupHandle<FindSearch>(handle);
  if (!search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (search->next >= search->entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = search->entries[search->next++];
  return TRUE;
}

BOOL FindClose(HANDLE handle) {
  if (!LookupHandle<FindSearch>(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(handle);
}

DWORD GetTempPathW(DWORD bufferUnits, LPWSTR buffer) {
  static const char16_t kTemp[] = u"\\Temp\\";
  const DWORD length = 6;
  CreateDirectoryW(u"\\Temp", nullptr);
  if (!buffer || bufferUnits <= length) return length + 1;
  for (DWORD i = 0; i <= length; ++i) buffer[i] = kTemp[i];
  return length;
}

UINT GetTempFileNameW(LPCWSTR folder, LPCWSTR prefix, UINT unique, LPWSTR out) {
  if (!folder || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string base(folder);
  if (base.empty() || base.back() != u'\\') base += u'\\';
  std::u16string pre;
  for (int i = 0; prefix && prefix[i] && i < 3; ++i) pre += prefix[i];
  NameState& state = Names();
  for (int attempt = 0; attempt < 0x10000; ++attempt) {
    unsigned number = unique;
    if (!unique) {
      std::lock_guard<std::mutex> guard(state.lock);
      if (state.tempCounter == 0) state.tempCounter = (static_cast<unsigned>(::getpid()) * 7919u) & 0xFFFF;
      state.tempCounter = (state.tempCounter + 1) & 0xFFFF;
      if (state.tempCounter == 0) state.tempCounter = 1;
      number = state.tempCounter;
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", number & 0xFFFF);
    std::u16string name = base + pre;
    for (char* h = hex; *h; ++h) name += static_cast<char16_t>(*h);
    name += u".tmp";
    if (name.size() >= MAX_PATH) {
      SetLastError(ERROR_FILENAME_EXCED_RANGE);
      return 0;
    }
    if (unique) {
      for (size_t i = 0; i <= name.size(); ++i) out[i] = i < name.size() ? name[i] : 0;
      return unique;
    }
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      for (size_t i = 0; i <= name.size(); ++i) out[i] = i < name.size() ? name[i] : 0;
      return number;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return 0;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

BOOL GetDiskFreeSpaceExW(LPCWSTR path, ULARGE_INTEGER* freeToCaller, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* totalFree) {
  Resolved r;
  if (!Resolve(path, &r)) return FALSE;
  if (!r.exists) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  // The volume is the storage card the path lies on, else the device itself.
  std::u16string volume = u"\\";
  size_t second = r.device.find(u'\\', 1);
  std::u16string first = r.device.substr(0, second);
  for (const auto& card : StorageCardNames())
    if (first.size() > 1 && NamesEqual(first.substr(1), card)) volume = first;
  SpaceOverride space{};
  const bool overridden = SpaceOverrideOf(volume, &space);
  uint64_t freeBytes = space.freeBytes, totalBytes = space.totalBytes;
  if (!overridden) {
    // The folder itself (a card may be a mount of its own), else the one
    // holding the file.
    HostFd own;
    if (r.isDirectory && !r.isRoot) own = OpenSubfolder(r.folder->Get(), r.leaf);
    struct statvfs vfs;
    if (::fstatvfs(own.Valid() ? own.Get() : r.folder->Get(), &vfs) != 0) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
    freeBytes = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
    totalBytes = static_cast<uint64_t>(vfs.f_blocks) * vfs.f_frsize;
  }
  if (freeToCaller) freeToCaller->QuadPart = freeBytes;
  if (total) total->QuadPart = totalBytes;
  if (totalFree) totalFree->QuadPart = freeBytes;
  return TRUE;
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void SetDiskSpace(const std::u16string& rootOrCard, uint64_t freeBytes, uint64_t totalBytes) {
  NameState& state = Names();
  std::lock_guard<std::mutex> guard(state.lock);
  std::u16string key = rootOrCard.empty() ? u"\\" : rootOrCard;
  if (key[0] != u'\\') key = u"\\" + key;
  state.space[FoldName(key)] = {freeBytes, totalBytes};
}

int OpenFindHandleCount() {
  NameState& state = Names();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.openSearches;
}

void ResetDiskSpace() {
  NameState& state = Names();
  std::lock_guard<std::mutex> guard(state.lock);
  state.space.clear();
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
