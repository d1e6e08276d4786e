// The store is the text file ".tessalyn/attributes" (its lines:
// attribute_store_format.h), rewritten whole on every change through
// "attributes.new" and a rename, and re-read when another process changed
// it. It stays small: only paths with something to keep are listed. It is
// reached through the state folder's descriptor, never by a host path, so a
// link planted in the root cannot carry it elsewhere.
#include "platform/files/attribute_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>

#include "platform/files/attribute_store_format.h"
#include "platform/files/beneath_root.h"
#include "platform/files/device_root.h"

namespace fs = std::filesystem;

namespace devicefs {
namespace {

constexpr char kStoreName[] = "attributes";
constexpr char kNewName[] = "attributes.new";

struct Store {
  std::mutex lock;
  StoredEntries entries;  // key: folded device path
  fs::path root;          // the root the entries belong to
  struct timespec stamp {};
  off_t size = -1;        // -1: no file was read
};

Store& TheStore() {
  static Store* store = new Store;
  return *store;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

void LoadIfChanged(Store& store) {
  HostFd folder = OpenStateFolder();
  struct stat st;
  bool exists = folder.Valid() && KindAt(folder.Get(), kStoreName, &st) == EntryKind::kFile;
  bool sameRoot = store.root == RootFolder();
  if (sameRoot && exists && st.st_mtim.tv_sec == store.stamp.tv_sec && st.st_mtim.tv_nsec == store.stamp.tv_nsec &&
      st.st_size == store.size)
    return;
  if (sameRoot && !exists && store.size == -1) return;
  store.entries.clear();
  store.root = RootFolder();
  store.size = -1;
  if (!exists) return;
  bool created = false;
  HostFd file = OpenRegularFile(folder.Get(), kStoreName, false, OpenIntent::kExisting, &created);
  if (!file.Valid() || ::fstat(file.Get(), &st) != 0) return;
  store.entries = ParseAttributeStore(ReadAll(file.Get()));
  store.stamp = st.st_mtim;
  store.size = st.st_size;
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

void Save(Store& store) {
  HostFd folder = OpenStateFolder();
  if (!folder.Valid()) return;
  // A fresh file each time: whatever holds the name (a leftover, a planted
  // link) is removed itself, never written through.
  ::unlinkat(folder.Get(), kNewName, 0);
  bool created = false;
  HostFd file = OpenRegularFile(folder.Get(), kNewName, true, OpenIntent::kCreateNew, &created);
  if (!file.Valid()) return;
  bool written = WriteAll(file.Get(), FormatAttributeStore(store.entries));
  file = HostFd();
  if (!written || ::renameat(folder.Get(), kNewName, folder.Get(), kStoreName) != 0) {
    ::unlinkat(folder.Get(), kNewName, 0);
    return;
  }
  struct stat st;
  if (KindAt(folder.Get(), kStoreName, &st) == EntryKind::kFile) {
    store.stamp = st.st_mtim;
    store.size = st.st_size;
  }
}

bool IsBeneath(const std::u16string& key, const std::u16string& folder) {
  return key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 && key[folder.size()] == u'\\';
}

}  // namespace

DWORD StoredAttributes(const std::u16string& devicePath) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  auto it = store.entries.find(FoldName(devicePath));
  return it == store.entries.end() ? 0 : it->second.attributes;
}

void StoreAttributes(const std::u16string& devicePath, DWORD attributes) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  StoredEntry& e = store.entries[FoldName(devicePath)];
  if (e.attributes == (attributes & kEmulatedAttributeMask)) return;
  e.attributes = attributes & kEmulatedAttributeMask;
  Save(store);
}

uint64_t StoredCreationTime(const std::u16string& devicePath) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  auto it = store.entries.find(FoldName(devicePath));
  return it == store.entries.end() ? 0 : it->second.creation;
}

void StoreCreationTime(const std::u16string& devicePath, uint64_t fileTime) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  store.entries[FoldName(devicePath)].creation = fileTime;
  Save(store);
}

void ForgetPath(const std::u16string& devicePath) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  std::u16string key = FoldName(devicePath);
  bool changed = store.entries.erase(key) > 0;
  for (auto it = store.entries.begin(); it != store.entries.end();) {
    if (IsBeneath(it->first, key)) {
      it = store.entries.erase(it);
      changed = true;
    } else {
      ++it;
    }
  }
  if (changed) Save(store);
}

void MovePathEntries(const std::u16string& from, const std::u16string& to) {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  LoadIfChanged(store);
  std::u16string source = FoldName(from), target = FoldName(to);
  StoredEntries moved;
  for (auto it = store.entries.begin(); it != store.entries.end();) {
    if (it->first == source || IsBeneath(it->first, source)) {
      moved[target + it->first.substr(source.size())] = it->second;
      it = store.entries.erase(it);
    } else {
      ++it;
    }
  }
  if (moved.empty()) return;
  for (auto& [key, e] : moved) store.entries[key] = e;
  Save(store);
}

void ResetAttributeStore() {
  Store& store = TheStore();
  std::lock_guard<std::mutex> guard(store.lock);
  store.entries.clear();
  store.root.clear();
  store.size = -1;
}

}  // namespace devicefs
