// The registry file: change detection, loading, atomic replacement and the
// lock between processes.
#include "platform/registry/registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>
#include <vector>

#include "platform/files/device_root.h"
#include "platform/core/last_error.h"
#include "platform/registry/registry.h"

namespace fs = std::filesystem;

namespace devreg {
namespace {

struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  struct timespec modified {};

  bool operator==(const FileStamp& o) const {
    if (exists != o.exists) return false;
    if (!exists) return true;
    return device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec;
  }
};

struct Store {
  std::mutex lock;
  RegHive hive;
  fs::path file;  // the file the hive was read from; empty when never read
  FileStamp stamp;
  bool valid = false;  // false: re-read at the next call whatever the stamp
  uint64_t generation = 0;
};

Store& TheStore() {
  static Store* store = new Store;  // lives as long as the process
  return *store;
}

FileStamp StampOf(const fs::path& file) {
  FileStamp stamp;
  struct stat st;
  if (::stat(file.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified = st.st_mtim;
  return stamp;
}

bool ReadWhole(const fs::path& file, std::vector<uint8_t>* bytes) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bytes->clear();
  uint8_t buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof(buffer));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    bytes->insert(bytes->end(), buffer, buffer + n);
  }
  ::close(fd);
  return ok;
}

bool WriteWhole(const fs::path& file, const std::vector<uint8_t>& bytes) {
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  bool ok = ::close(fd) == 0 && done == bytes.size();
  return ok;
}

void Refresh(Store& store) {
  fs::path file = RegistryFile();
  if (file != store.file) {
    ++store.generation;
    store.valid = false;
  }
  FileStamp stamp = StampOf(file);
  if (store.valid && file == store.file && stamp == store.stamp) return;
  store.file = file;
  store.stamp = stamp;
  store.valid = true;
  store.hive.Clear();
  if (!stamp.exists) return;
  std::vector<uint8_t> bytes;
  if (!ReadWhole(file, &bytes)) {
    store.valid = false;  // try again next time; nothing is lost
    return;
  }
  if (!ParseHive(bytes.data(), bytes.size(), &store.hive)) {
    // Not a registry: keep it aside for inspection and start empty.
    std::error_code ec;
    fs::path bad = file;
    bad += ".bad";
    fs::rename(file, bad, ec);
    store.stamp = StampOf(file);
  }
}

}  // namespace

std::mutex& RegistryMutex() { return TheStore().lock; }

fs::path RegistryFile() { return devicefs::StateFolder() / "registry"; }

RegHive& CurrentHive(uint64_t* rootGeneration) {
  Store& store = TheStore();
  Refresh(store);
  if (rootGeneration) *rootGeneration = store.generation;
  return store.hive;
}

HiveChange::HiveChange() {
  Store& store = TheStore();
  fs::path lockFile = devicefs::StateFolder() / "registry.lock";
  lockFd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFd_ >= 0) {
    while (::flock(lockFd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  store.valid = false;  // re-read under the lock whatever the stamp says
  Refresh(store);
  hive_ = &store.hive;
}

HiveChange::~HiveChange() {
  if (!committed_) TheStore().valid = false;
  if (lockFd_ >= 0) ::close(lockFd_);  // releases the lock
}

LONG HiveChange::Commit() {
  Store& store = TheStore();
  if (lockFd_ < 0) return ERROR_CANTWRITE;
  fs::path temp = store.file;
  temp += ".new";
  std::error_code ec;
  if (!WriteWhole(temp, SerializeHive(store.hive)) || (fs::rename(temp, store.file, ec), ec)) {
    fs::remove(temp, ec);
    return ERROR_CANTWRITE;
  }
  store.stamp = StampOf(store.file);
  committed_ = true;
  return ERROR_SUCCESS;
}

}  // namespace devreg
