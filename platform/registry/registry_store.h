// Where the registry lives: the file "registry" in the platform's private
// folder of the device root. Every process keeps the hive in memory and
// re-reads the file when its identity (inode, size, modification time)
// changed. A change is made under an exclusive lock on "registry.lock", on a
// freshly re-read hive, and written as "registry.new" renamed over the file,
// so a reader never sees half a registry and no change of another process
// is lost.
#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>

#include "platform/registry/registry_tree.h"

namespace devreg {

// Guards the hive and the open-key table of this process.
std::mutex& RegistryMutex();

// With RegistryMutex held: the hive, up to date with the file. The root
// generation changes whenever the device root (and so the file) changed.
RegHive& CurrentHive(uint64_t* rootGeneration = nullptr);

std::filesystem::path RegistryFile();

// One change of the registry, with RegistryMutex held by the caller. The
// constructor locks the other processes out and re-reads the file; Commit
// writes the hive back. Without a successful Commit the change is dropped
// (the hive is re-read at the next call).
class HiveChange {
 public:
  HiveChange();
  ~HiveChange();
  HiveChange(const HiveChange&) = delete;
  HiveChange& operator=(const HiveChange&) = delete;

  RegHive& hive() { return *hive_; }
  // ERROR_SUCCESS, or ERROR_CANTWRITE when the file could not be replaced.
  LONG Commit();

 private:
  RegHive* hive_;
  int lockFd_ = -1;
  bool committed_ = false;
};

}  // namespace devreg
