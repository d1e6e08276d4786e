// The one way the file layer reaches host entries beneath the device root:
// folder by folder from an open descriptor of the root, each step opened
// with O_NOFOLLOW, and every operation made relative to the open folder
// (openat, unlinkat, renameat, mkdirat). So no path operation ever follows a
// symbolic link inside the root, at any component, even when a link is
// planted between the lookup and the operation.
//
// openat2 with RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS would do the walk in one
// call, but names resolve without regard to case, so each folder on the way
// is read anyway; the walk is the same on every kernel and container.
//
// Only regular files and folders are part of the device. Anything else (a
// symbolic link, a FIFO, a socket, a device node) is "foreign": never listed
// and never opened, but its name is taken, and deleting or replacing that
// name acts on the entry itself, never on what a link points to.
#pragma once

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

namespace devicefs {

// An open host descriptor, closed with its owner.
class HostFd {
 public:
  HostFd() = default;
  explicit HostFd(int fd) : fd_(fd) {}
  HostFd(HostFd&& other) noexcept : fd_(other.Release()) {}
  HostFd& operator=(HostFd&& other) noexcept;
  HostFd(const HostFd&) = delete;
  HostFd& operator=(const HostFd&) = delete;
  ~HostFd();

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release();

 private:
  int fd_ = -1;
};

enum class EntryKind { kMissing, kFile, kFolder, kForeign };

// What `name` in `folder` is, without following a link; its status when
// `st` is given and the entry exists.
EntryKind KindAt(int folder, const std::string& name, struct stat* st = nullptr);

// The device root, opened as a folder.
HostFd OpenRootFolder();
// The real sub-folder `name` of `folder`; invalid (errno set) when it is
// missing or anything else, a link to a folder included.
HostFd OpenSubfolder(int folder, const std::string& name);
// The names in an open folder, "." and ".." left out.
std::vector<std::string> ListFolder(int folder);

// How OpenRegularFile treats the name.
enum class OpenIntent {
  kExisting,        // the regular file must be there
  kCreateNew,       // a new file; any entry of the name is EEXIST
  kExistingOrNew,   // the regular file, else a new one
  kReplaceForeign,  // the regular file, else a new one; a foreign entry of
                    // the name is removed first (a link itself, not its target)
};

// Opens a regular file in `folder`: never follows a link, never blocks on a
// FIFO, refuses what is not a regular file (EACCES, or ENOENT for a foreign
// entry with kExisting), and for writing refuses a file with more than one
// hard link (EACCES), since writing it in place would change the other names
// too, which may lie outside the root. Never truncates: the caller does,
// once the file is known to be safe. `*created` tells whether it is new.
HostFd OpenRegularFile(int folder, const std::string& name, bool forWriting, OpenIntent intent,
                       bool* created);

// The platform's private folder ".tessalyn" in the root, opened; a planted
// entry of that name that is not a real folder is removed and replaced.
HostFd OpenStateFolder();

}  // namespace devicefs
