// The kernel objects behind file, search and mapping handles, shared by the
// file calls' implementation files.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/kernel_object.h"
#include "platform/files/beneath_root.h"
#include "platform/files/files.h"

namespace devicefs {

class OpenFile : public KernelObject {
 public:
  int fd = -1;
  std::filesystem::path host;
  std::u16string device;
  DWORD access = 0;
  DWORD share = 0;
  bool deleteOnClose = false;
  // Kept for deleteOnClose: the folder the file was opened in and its name
  // there, so the deletion goes to that entry and nowhere else.
  std::shared_ptr<HostFd> folder;
  std::string leaf;
  bool forMapping = false;
  // What closing the descriptor reported for a handle open for writing
  // (ERROR_SUCCESS when it closed cleanly); CloseHandle answers it.
  DWORD closeError = 0;
  void OnClose() override;
  DWORD CloseError() const override { return closeError; }
  ~OpenFile() override;
};

class FindSearch : public KernelObject {
 public:
  std::vector<WIN32_FIND_DATAW> entries;
  size_t next = 0;
  void OnClose() override;
};

class FileMapping : public KernelObject {
 public:
  std::shared_ptr<OpenFile> file;
  bool writable = false;
  uint64_t size = 0;
};

// Sharing rules between handles open on one host file.
bool ShareAllows(const std::filesystem::path& host, DWORD access, DWORD share);
void TrackOpen(const std::shared_ptr<OpenFile>& file);
void UntrackOpen(OpenFile* file);
bool IsOpenAnywhere(const std::filesystem::path& host);

// Makes a folder's entries (a rename into it) durable, given the folder's
// open descriptor: ERROR_SUCCESS, or the device's code for what the host's
// folder sync reported.
DWORD SyncFolder(int folder);

// The device's error code for a host errno.
DWORD ErrorFromErrno(int err);

// Emulated attributes plus what the host tells (directory, size).
DWORD AttributesOf(const std::u16string& device, bool isDirectory);
// Host times as FILETIME values.
uint64_t FileTimeOf(const struct timespec& t);
uint64_t NowAsFileTime();
// `name` is the entry's host name in the open folder `folder`.
void FillFindData(int folder, const std::string& name, const std::u16string& device, WIN32_FIND_DATAW* data);

}  // namespace devicefs
