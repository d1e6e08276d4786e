// The command-line conventions every developer program in tools/ keeps, in
// one place so that each tool's own parsing stays plain:
//   -h or --help         the usage on standard output, exit 0;
//   an unknown option, a missing or bad value, a wrong number of arguments:
//                        the usage on standard error, exit 2.
// An argument that begins with "-" is always an option, never a file name:
// a mistyped option must not become the name of a file the tool writes
// (a tool once wrote its picture to a file named "--help"). A file whose
// name begins with "-" is still reachable as "./-name".
//
// Header only: every .cpp file in tools/ is a program of its own.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace toolcli {

inline constexpr int kUsageError = 2;

inline bool IsHelp(const char* arg) { return std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0; }

// "-" alone is not an option (it is the usual name of standard input).
inline bool IsOption(const char* arg) { return arg[0] == '-' && arg[1] != '\0'; }

// A whole argument as a decimal number no larger than limit; false for
// anything else (a sign, trailing characters, an empty text, overflow).
inline bool ParseNumber(const char* text, unsigned long long limit, unsigned long long* out) {
  if (text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long value = std::strtoull(text, &end, 10);
  if (errno != 0 || *end != '\0' || value > limit) return false;
  *out = value;
  return true;
}

// The answer to -h/--help.
inline int ShowUsage(const char* usage) {
  std::fputs(usage, stdout);
  return 0;
}

// The answer to a bad command line; complaint (may be null) says what was
// wrong, prefixed with the tool's name.
inline int UsageError(const char* usage, const char* tool = nullptr, const char* complaint = nullptr) {
  if (tool != nullptr && complaint != nullptr) std::fprintf(stderr, "%s: %s\n", tool, complaint);
  std::fputs(usage, stderr);
  return kUsageError;
}

}  // namespace toolcli
