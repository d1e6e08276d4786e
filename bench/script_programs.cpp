// Script programs (bench/script_programs/*.js: loops, string building,
// calls, members of objects) timed on this engine and, side by side, on the
// mujs and duktape interpreters (Debian packages mujs and duktape) running
// the same files after a one-line prelude that defines Response.Write.
//
// Three forms per program:
//   Engine/<name>          compile and run in this process (a fresh context
//                          each time), what a page pays;
//   Process/<peer>/<name>  the whole process: scriptrun, mujs or duk started
//                          on the file, output discarded. Comparing these
//                          three is like for like (each pays its start-up).
// A peer that is not installed is reported as an error, not timed.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/script_bench_files.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "platform/time/known_zones.h"
#include "platform/time/system_time.h"
#include "platform/time/time_zone.h"
#include "script/builtins/builtin_script_runner.h"

extern char** environ;

namespace {

const char* const kPrograms[] = {"loops", "strings", "calls", "members"};

using scriptbench::ProgramDir;

using scriptbench::ReadFile;
using scriptbench::ScriptrunPath;

// Runs the command with its output sent to /dev/null; its exit status, or
// -1 when it could not be started.
int RunQuietly(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Discard(void*, const WCHAR*, uint32_t) {}

// The clock and zone scriptrun starts with, so that both forms run alike.
void SetScriptrunClock() {
  SYSTEMTIME start{2025, 6, 0, 15, 12, 0, 0, 0};
  SetSystemTime(&start);
  TIME_ZONE_INFORMATION utc = known_zones::UtcZone();
  SetTimeZoneInformation(&utc);
}

void BM_Engine(benchmark::State& state, const char* name) {
  SetScriptrunClock();
  std::string bytes = ReadFile(ProgramDir() + name + ".js");
  std::u16string text(bytes.begin(), bytes.end());  // the programs are ASCII
  SharedWideString source;
  source.FromChars(text.data(), static_cast<uint32_t>(text.size()));
  for (auto _ : state) {
    ScriptProgramRunner runner(&Discard, nullptr);
    ScriptProgramOutcome outcome;
    if (!runner.Run(source, &outcome)) {
      state.SkipWithError("the program failed");
      break;
    }
  }
}

// The peers read the program after their prelude: one combined file each.
std::string PeerFile(const char* name) {
  std::string path = "/tmp/tessalyn_bench_" + std::string(name) + ".js";
  std::ofstream out(path, std::ios::binary);
  out << ReadFile(ProgramDir() + "peer_prelude.js") << ReadFile(ProgramDir() + name + ".js");
  return path;
}

void BM_Process(benchmark::State& state, const char* peer, const char* name) {
  std::vector<std::string> command;
  if (std::string(peer) == "scriptrun") {
    command = {ScriptrunPath(), ProgramDir() + name + ".js"};
  } else {
    command = {peer, PeerFile(name)};
  }
  for (auto _ : state) {
    if (RunQuietly(command) != 0) {
      state.SkipWithError((std::string(peer) + " could not run the program").c_str());
      break;
    }
  }
}

int RegisterAll() {
  for (const char* name : kPrograms) {
    benchmark::RegisterBenchmark((std::string("Engine/") + name).c_str(), BM_Engine, name)
        ->Unit(benchmark::kMillisecond);
    for (const char* peer : {"scriptrun", "mujs", "duk"}) {
      benchmark::RegisterBenchmark((std::string("Process/") + peer + "/" + name).c_str(),
                                   BM_Process, peer, name)
          ->Unit(benchmark::kMillisecond)
          ->UseRealTime();
    }
  }
  return 0;
}

[[maybe_unused]] const int kRegistered = RegisterAll();

}  // namespace

BENCHMARK_MAIN();
