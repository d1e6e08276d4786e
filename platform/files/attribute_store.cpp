// The store is a text file "<attributes hex> <creation time> <folded path>"
// per line, rewritten whole on every change and re-read when another process
// changed it. It stays small: only paths with something to keep are listed.
#include "platform/files/attribute_store.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/files/device_root.h"

namespace fs = std::filesystem;

namespace devicefs {
namespace {

struct Entry {
  DWORD attributes = 0;
  uint64_t creation = 0;
};

struct Store {
  std::mutex lock;
  std::map<std::u16string, Entry> entries;  // key: folded device path
  fs::path file;
  struct timespec stamp {};
  off_t size = -1;
};

Store& TheStore() {
  static Store* store = new Store;
  return *store;
}

void LoadIfChanged(Store& store) {
  fs::path file = StateFolder() / "attributes";
  struct stat st;
  bool exists = ::stat(file.c_str(), &st) == 0;
  if (file == store.file && exists && st.st_mtim.tv_sec == store.stamp.tv_sec &&
      st.st_mtim.tv_nsec == store.stamp.tv_nsec && st.st_size == store.size)
    return;
  if (file == store.file && !exists && store.size == -1) return;
  store.entries.clear();
  store.file = file;
  store.size = -1;
  if (!exists) return;
  store.stamp = st.st_mtim;
  store.size = st.st_size;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string attrs, creation;
    if (!(fields >> attrs >> creation)) continue;
    std::string path;
    std::getline(fields, path);
    if (!path.empty() && path[0] == ' ') path.erase(0, 1);
    Entry e;
    e.attributes = static_cast<DWORD>(std::strtoul(attrs.c_str(), nullptr, 16));
    e.creation = std::strtoull(creation.c_str(), nullptr, 10);
    store.entries[FromUtf8(path)] = e;
  }
}

void Save(Store& store) {
  fs::path tmp = store.file;
  tmp += ".new";
  {
    std::ofstream out(tmp, std::ios::trunc);
    for (const auto& [key, e] : store.entries) {
      if (e.attributes == 0 && e.creation == 0) continue;
      out << std::hex << e.attributes << std::dec << ' ' << e.creation << ' ' << ToUtf8(key) << '\n';
    }
  }
  std::error_code ec;
  fs::rename(tmp, store.file, ec);
  struct stat st;
  if (::stat(store.file.c_str(), &st) == 0) {
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
  Entry& e = store.entries[FoldName(devicePath)];
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
  std::map<std::u16string, Entry> moved;
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
  store.file.clear();
  store.size = -1;
}

}  // namespace devicefs
