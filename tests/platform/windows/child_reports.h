// What a forked child process tells its parent in the cross-process tests:
// small fixed-size reports over a pipe, read with a time limit so that a
// child that never answers fails the test instead of hanging it.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cstdint>

namespace crosstest {

struct Report {
  char kind;
  int64_t value;
};

// The write end of the pipe, set in the child before it reports.
inline int g_reportFd = -1;

inline void SendReport(char kind, int64_t value) {
  Report report{kind, value};
  (void)!::write(g_reportFd, &report, sizeof(report));
}

inline bool ReadReport(int fd, Report* report, int timeoutMs = 5000) {
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return false;
  return ::read(fd, report, sizeof(*report)) == static_cast<ssize_t>(sizeof(*report));
}

}  // namespace crosstest
