// Two real processes of the reader, headless, in one device root: a
// second start without arguments leaves the first running and ends; a
// start with a book path closes the first before it goes on; "/quit" ends
// the running one, which saves its state and exits 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/window/app_window.h"
#include "platform/files/device_root.h"
#include "platform/windows/windows.h"
#include "storage/settings/global_settings_file.h"

extern char** environ;

namespace {

class Process {
 public:
  Process(const std::vector<std::string>& arguments, const std::string& input) {
    const std::string root = devicefs::RootFolder().string();
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry(*e);
      if (entry.rfind("TESSALYN_", 0) != 0) env.push_back(entry);
    }
    env.push_back("TESSALYN_DEVICE_ROOT=" + root);
    env.push_back("TESSALYN_BACKEND=headless");
    env.push_back("TESSALYN_FONTS=builtin");
    env.push_back("TESSALYN_INPUT=" + input);
    env.push_back("LSAN_OPTIONS=suppressions=" TESSALYN_LSAN_SUPPRESSIONS);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args{TESSALYN_PROGRAM};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    started_ = posix_spawn(&pid_, TESSALYN_PROGRAM, nullptr, nullptr, argv.data(), envp.data()) == 0;
  }
  ~Process() {
    if (started_ && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool started() const { return started_; }
  // The exit code once it ended within the time, else -1.
  int WaitFor(std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }
  bool Running() {
    int status = 0;
    return waitpid(pid_, &status, WNOHANG) == 0;
  }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
  bool ended_ = false;
};

std::string InputFile(const std::string& name, const std::string& text) {
  const std::string path = (devicefs::RootFolder().parent_path() / name).string();
  std::ofstream(path) << text;
  return path;
}

bool WaitForMainWindow(std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (FindWindowW(kMainWindowClass, nullptr) != nullptr) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace

TEST(TwoProcesses, OneInstanceSwitchesAndQuit) {
  const std::string longRun = InputFile("long.txt", "wait 60000\nquit\n");
  const std::string shortRun = InputFile("short.txt", "wait 100\nquit\n");

  Process first({}, longRun);
  ASSERT_TRUE(first.started());
  ASSERT_TRUE(WaitForMainWindow(std::chrono::seconds(30)));

  // No arguments: the running one is brought forward; this one ends.
  Process second({}, shortRun);
  EXPECT_EQ(second.WaitFor(std::chrono::seconds(30)), 0);
  EXPECT_TRUE(first.Running());

  // A book path: the running instance closes first, then this one runs.
  Process third({"\\eBooks\\missing book.corv"}, shortRun);
  EXPECT_EQ(first.WaitFor(std::chrono::seconds(40)), 0);
  EXPECT_EQ(third.WaitFor(std::chrono::seconds(40)), 0);

  // "/quit" ends a running instance, which saves its state.
  Process fourth({}, longRun);
  ASSERT_TRUE(WaitForMainWindow(std::chrono::seconds(30)));
  Process quit({"/QUIT"}, shortRun);
  EXPECT_EQ(quit.WaitFor(std::chrono::seconds(40)), 0);
  EXPECT_EQ(fourth.WaitFor(std::chrono::seconds(40)), 0);
  EXPECT_EQ(FindWindowW(kMainWindowClass, nullptr), nullptr);

  GlobalSettingsFile settings;
  EncodedString path;
  path.FromWide(u"\\Windows\\QVR_global_configuration.qvr");
  ASSERT_EQ(settings.OpenOrCreate(path, true), RecordResult::kOk);
  EXPECT_FALSE(settings.GetFlag300());
}
