// Descriptor-relative access beneath the device root (see the header).
#include "platform/files/beneath_root.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/files/device_root.h"

namespace devicefs {

HostFd& HostFd::operator=(HostFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

HostFd::~HostFd() {
  if (fd_ >= 0) ::close(fd_);
}

int HostFd::Release() {
  int fd = fd_;
  fd_ = -1;
  return fd;
}

EntryKind KindAt(int folder, const std::string& name, struct stat* st) {
  struct stat local;
  struct stat* s = st ? st : &local;
  if (name.empty() || ::fstatat(folder, name.c_str(), s, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::kMissing;
  if (S_ISREG(s->st_mode)) return EntryKind::kFile;
  if (S_ISDIR(s->st_mode)) return EntryKind::kFolder;
  return EntryKind::kForeign;
}

HostFd OpenRootFolder() {
  return HostFd(::open(RootFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

HostFd OpenSubfolder(int folder, const std::string& name) {
  // O_DIRECTORY refuses a FIFO before opening it, so this never blocks.
  return HostFd(::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::vector<std::string> ListFolder(int folder) {
  std::vector<std::string> names;
  int copy = ::dup(folder);
  if (copy < 0) return names;
  DIR* dir = ::fdopendir(copy);
  if (!dir) {
    ::close(copy);
    return names;
  }
  // The copy shares the read position of `folder`, which an earlier listing
  // may have left at the end.
  ::rewinddir(dir);
  while (struct dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

HostFd OpenRegularFile(int folder, const std::string& name, bool forWriting, OpenIntent intent,
                       bool* created) {
  *created = false;
  const int access = forWriting ? O_RDWR : O_RDONLY;
  EntryKind kind = KindAt(folder, name);
  if (kind == EntryKind::kForeign) {
    switch (intent) {
      case OpenIntent::kExisting: errno = ENOENT; return HostFd();
      case OpenIntent::kCreateNew: errno = EEXIST; return HostFd();
      case OpenIntent::kExistingOrNew: errno = EACCES; return HostFd();
      case OpenIntent::kReplaceForeign:
        // unlinkat removes a link itself, never its target.
        if (::unlinkat(folder, name.c_str(), 0) != 0) return HostFd();
        kind = EntryKind::kMissing;
        break;
    }
  }
  if (kind == EntryKind::kFolder) {
    errno = intent == OpenIntent::kCreateNew ? EEXIST : EISDIR;
    return HostFd();
  }
  if (kind == EntryKind::kMissing) {
    if (intent == OpenIntent::kExisting) {
      errno = ENOENT;
      return HostFd();
    }
    // O_EXCL never follows a link, even a dangling one.
    HostFd fd(::openat(folder, name.c_str(), access | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (fd.Valid()) {
      *created = true;
      return fd;
    }
    if (errno != EEXIST || intent == OpenIntent::kCreateNew) return HostFd();
    // Something took the name since the look: open it only if it is a
    // regular file, below.
  } else if (intent == OpenIntent::kCreateNew) {
    errno = EEXIST;
    return HostFd();
  }
  // O_NONBLOCK: should a FIFO have replaced the file since the look, opening
  // it returns at once and the check below refuses it.
  HostFd fd(::openat(folder, name.c_str(), access | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd.Valid()) {
    if (errno == ELOOP) errno = EACCES;
    return HostFd();
  }
  struct stat st;
  if (::fstat(fd.Get(), &st) != 0) return HostFd();
  if (!S_ISREG(st.st_mode) || (forWriting && st.st_nlink > 1)) {
    errno = EACCES;
    return HostFd();
  }
  int flags = ::fcntl(fd.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) return HostFd();
  return fd;
}

HostFd OpenStateFolder() {
  static const char kName[] = ".tessalyn";
  HostFd root = OpenRootFolder();
  if (!root.Valid()) return HostFd();
  HostFd folder = OpenSubfolder(root.Get(), kName);
  if (folder.Valid()) return folder;
  // A link (or anything else) planted under the platform's own name would
  // carry its state out of the root: remove the entry itself.
  EntryKind kind = KindAt(root.Get(), kName);
  if (kind == EntryKind::kForeign || kind == EntryKind::kFile) ::unlinkat(root.Get(), kName, 0);
  ::mkdirat(root.Get(), kName, 0755);
  return OpenSubfolder(root.Get(), kName);
}

}  // namespace devicefs
