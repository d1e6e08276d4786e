// Files the script benchmarks read: the programs' folder (given by the
// build), a program's text, and the path of the scriptrun tool that runs as
// a whole process beside the peers.
#pragma once

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace scriptbench {

inline std::string ProgramDir() { return TESSALYN_SCRIPT_PROGRAMS; }

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// scriptrun sits beside the benchmark in bin/.
inline std::string ScriptrunPath() {
  char self[4096];
  ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (n <= 0) return "scriptrun";
  std::string path(self, static_cast<size_t>(n));
  return path.substr(0, path.rfind('/')) + "/scriptrun";
}

}  // namespace scriptbench
