// What a benchmark reads of its own process: the resident size, to show
// that repeated work leaves nothing behind.
#pragma once

#include <unistd.h>

#include <fstream>

namespace benchprocess {

// Resident set size in kilobytes, from /proc/self/statm.
inline long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace benchprocess
