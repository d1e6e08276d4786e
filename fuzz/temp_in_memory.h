// Fuzz targets that write files on every input (device roots, replaced
// files) run several times faster when the temporary folder is in memory:
// renames on a disk file system wait for the data to be written out.
#pragma once

#include <sys/stat.h>

#include <cstdlib>

namespace fuzzsupport {

// Points TMPDIR at /dev/shm when the host has it and the caller did not
// choose a folder; call before the device root is made.
inline void UseTempInMemory() {
  struct stat shm;
  if (!std::getenv("TMPDIR") && ::stat("/dev/shm", &shm) == 0 && S_ISDIR(shm.st_mode)) setenv("TMPDIR", "/dev/shm", 0);
}

}  // namespace fuzzsupport
