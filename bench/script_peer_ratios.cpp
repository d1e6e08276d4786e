// Whole-process comparison of the script engine with its peers: every
// program of bench/script_programs runs in scriptrun and in mujs, duktape
// and node (each after its prelude that defines Response.Write), as a
// separate process, and the table gives each engine's time (the best of
// three runs) and peak resident memory, the ratio of scriptrun's time to
// each peer's, and the geometric mean of the ratios over the programs.
//
// Then the scaling checks that only concern this engine: 10^5 against 10^6
// string appends (amortised appends make the ratio about 10), and the peak
// memory of a loop that drops 10^6 pairs of objects that reference each
// other.
//
// Usage: bench_script_peer_ratios [RUNS [BASELINE]]
//   RUNS: runs per figure, default 3. The engines take turns run by run, so
//   that a machine busy for a while slows them alike.
//   BASELINE: another scriptrun (an earlier build) measured beside this one:
//   its time, its ratio to mujs and its geometric mean are printed too, so
//   that before and after come from one run.
// A peer that is not installed, or a run that fails or outlasts its time
// limit, shows as "-" and leaves the mean.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/script_bench_files.h"

extern char** environ;

namespace {

const char* const kPrograms[] = {"loops", "calls", "strings", "members", "objects"};
const char* const kPeers[] = {"mujs", "duk", "node"};
constexpr double kTimeLimitSeconds = 60.0;

struct Figure {
  bool ok = false;
  double seconds = 0.0;
  long peakKilobytes = 0;
};

using scriptbench::ProgramDir;

using scriptbench::ReadFile;
using scriptbench::ScriptrunPath;

// The file a peer runs: its preludes, then the program.
std::string PeerFile(const std::string& peer, const char* name) {
  std::string path = "/tmp/tessalyn_peer_" + peer + "_" + name + ".js";
  std::ofstream out(path, std::ios::binary);
  if (peer == "node") out << ReadFile(ProgramDir() + "node_prelude.js");
  out << ReadFile(ProgramDir() + "peer_prelude.js") << ReadFile(ProgramDir() + name + ".js");
  return path;
}

// One run with the output discarded: wall time and peak memory, not ok when
// the command cannot start, fails or outlasts the limit (it is killed).
Figure RunOnce(const std::vector<std::string>& command) {
  std::vector<char*> argv;
  for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  Figure figure;
  pid_t pid = 0;
  auto start = std::chrono::steady_clock::now();
  int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return figure;
  int status = 0;
  struct rusage usage {};
  bool killed = false;
  for (;;) {
    pid_t done = wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!killed && elapsed > kTimeLimitSeconds) {
      kill(pid, SIGKILL);
      killed = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  figure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figure.peakKilobytes = usage.ru_maxrss;
  figure.ok = !killed && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return figure;
}

// Keeps the best time (and the largest peak memory) of the runs so far; a
// failed run fails the figure.
void Keep(Figure* best, const Figure& f, bool first) {
  if (!first && !best->ok) return;
  if (!f.ok) {
    *best = Figure{};
    return;
  }
  long peak = std::max(best->peakKilobytes, f.peakKilobytes);
  if (first || f.seconds < best->seconds) *best = f;
  best->peakKilobytes = peak;
}

// The best time of `runs` runs of each command, the commands taking turns.
std::vector<Figure> MeasureTogether(const std::vector<std::vector<std::string>>& commands,
                                    int runs) {
  std::vector<Figure> best(commands.size());
  for (int i = 0; i < runs; ++i) {
    for (size_t c = 0; c < commands.size(); ++c) Keep(&best[c], RunOnce(commands[c]), i == 0);
  }
  return best;
}

Figure Measure(const std::vector<std::string>& command, int runs) {
  return MeasureTogether({command}, runs)[0];
}

std::string Cell(const Figure& f) {
  if (!f.ok) return "-";
  char text[64];
  std::snprintf(text, sizeof text, "%.3fs %ldK", f.seconds, f.peakKilobytes);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 3;
  if (runs < 1) runs = 1;
  const std::string scriptrun = ScriptrunPath();
  const std::string baseline = argc > 2 ? argv[2] : "";

  std::printf("%-9s %-18s", "program", "scriptrun");
  for (const char* peer : kPeers) std::printf(" %-18s %-7s", peer, "ratio");
  if (!baseline.empty()) std::printf(" %-18s %-13s", "baseline", "vs mujs");
  std::printf("\n");
  double logSums[3] = {0, 0, 0};
  int counts[3] = {0, 0, 0};
  double worstMujs = 0.0;
  double baselineLogSum = 0.0;
  int baselineCount = 0;
  double baselineWorst = 0.0;
  for (const char* name : kPrograms) {
    std::vector<std::vector<std::string>> commands = {{scriptrun, ProgramDir() + name + ".js"}};
    for (const char* peer : kPeers) commands.push_back({peer, PeerFile(peer, name)});
    if (!baseline.empty()) commands.push_back({baseline, ProgramDir() + name + ".js"});
    std::vector<Figure> figures = MeasureTogether(commands, runs);
    const Figure& own = figures[0];
    std::printf("%-9s %-18s", name, Cell(own).c_str());
    for (int p = 0; p < 3; ++p) {
      const Figure& peer = figures[1 + p];
      if (own.ok && peer.ok && peer.seconds > 0) {
        double ratio = own.seconds / peer.seconds;
        logSums[p] += std::log(ratio);
        ++counts[p];
        if (p == 0 && ratio > worstMujs) worstMujs = ratio;
        std::printf(" %-18s %-7.2f", Cell(peer).c_str(), ratio);
      } else {
        std::printf(" %-18s %-7s", Cell(peer).c_str(), "-");
      }
    }
    if (!baseline.empty()) {
      const Figure& before = figures[4];
      const Figure& mujs = figures[1];
      if (before.ok && mujs.ok && mujs.seconds > 0) {
        double ratio = before.seconds / mujs.seconds;
        baselineLogSum += std::log(ratio);
        ++baselineCount;
        if (ratio > baselineWorst) baselineWorst = ratio;
        std::printf(" %-18s %-13.2f", Cell(before).c_str(), ratio);
      } else {
        std::printf(" %-18s %-13s", Cell(before).c_str(), "-");
      }
    }
    std::printf("\n");
  }
  std::printf("geometric mean of scriptrun/peer:");
  for (int p = 0; p < 3; ++p) {
    if (counts[p] != 0) {
      std::printf("  %s %.2f", kPeers[p], std::exp(logSums[p] / counts[p]));
    } else {
      std::printf("  %s -", kPeers[p]);
    }
  }
  std::printf("\nslowest program against mujs: %.2f\n", worstMujs);
  if (baselineCount != 0) {
    std::printf("baseline against mujs: geometric mean %.2f, slowest program %.2f\n",
                std::exp(baselineLogSum / baselineCount), baselineWorst);
  }

  Figure small = Measure({scriptrun, ProgramDir() + "appends_small.js"}, 1);
  Figure large = Measure({scriptrun, ProgramDir() + "appends_large.js"}, 1);
  std::printf("appends 10^5: %s   10^6: %s", Cell(small).c_str(), Cell(large).c_str());
  if (small.ok && large.ok) std::printf("   ratio %.1f", large.seconds / small.seconds);
  std::printf("\n");
  Figure cycles = Measure({scriptrun, ProgramDir() + "cycles.js"}, 1);
  std::printf("10^6 dropped pairs of objects in a cycle: %s\n", Cell(cycles).c_str());
  return 0;
}
