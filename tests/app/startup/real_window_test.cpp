// The reader in a real window: Xvfb (started with -displayfd), a device
// root prepared by deviceprep with a book made by bookmake, the sanitizer
// build of tessalyn on the SDL2 screen. Its window is found by its process
// (its title follows the device's), captured, paged with Page Down and
// captured again: the page area differs. A second start without arguments
// ends with 0 and shows no second window; "/quit" ends the first with 0,
// and the book's side file holds the new position. A missing tool fails
// the test; `make test` installs them.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/xvfb_server.h"
#include "platform/files/device_root.h"
#include "storage/side_file/book_parameter_file.h"
#include "tests/support/png_reader.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

using testbuild::Xvfb;

// The reader as a process of its own on the X server.
class Reader {
 public:
  Reader(const std::string& display, const std::string& root, const std::vector<std::string>& arguments) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry(*e);
      if (entry.rfind("TESSALYN_", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0) env.push_back(entry);
    }
    env.push_back("DISPLAY=" + display);
    env.push_back("TESSALYN_DEVICE_ROOT=" + root);
    env.push_back("TESSALYN_BACKEND=sdl");
    env.push_back("TESSALYN_FONTS=builtin");
    env.push_back("SDL_AUDIODRIVER=dummy");
    env.push_back("SDL_VIDEODRIVER=x11");
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
  ~Reader() {
    if (started_ && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool started() const { return started_; }
  pid_t pid() const { return pid_; }
  // The exit code once it ended within the time, else -1.
  int WaitFor(std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
  }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
  bool ended_ = false;
};

// A command's first line of output ("" when it printed none).
std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[256];
  if (fgets(buffer, sizeof(buffer), pipe) != nullptr) out = buffer;
  pclose(pipe);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

// The window's picture, taken by ImageMagick's import.
testpng::Picture Capture(const std::string& display, const std::string& window, const std::string& path) {
  Shell("DISPLAY=" + display + " import -window " + window + " " + Quote(path) + " 2>&1");
  testpng::Picture picture;
  testpng::ReadPngRgb(path, &picture);
  return picture;
}

// The page area: the window less a band at the top and the bottom (the
// caption and the menu bar).
std::vector<uint32_t> PageArea(const testpng::Picture& picture) {
  std::vector<uint32_t> pixels;
  for (int y = picture.height / 8; y < picture.height * 7 / 8; ++y)
    for (int x = 0; x < picture.width; ++x) pixels.push_back(picture.pixels[static_cast<size_t>(y) * picture.width + x]);
  return pixels;
}

// A book of a dozen pages of original prose.
std::string WriteSourceText(const fs::path& folder) {
  std::string html = "<html><head><title>Harbour Notes</title></head><body><h1>Harbour Notes</h1>";
  for (int i = 0; i < 30; ++i) {
    html += "<p>Paragraph " + std::to_string(i + 1) +
            " tells of the boats that come in at dusk, of the nets laid out on the quay to dry, of the gulls "
            "that wait for what the fishers throw back, and of the lamp that is lit on the point when the "
            "last boat is home.</p>";
  }
  html += "</body></html>";
  const fs::path path = folder / "harbour.html";
  std::ofstream(path) << html;
  return path.string();
}

}  // namespace

TEST(RealWindow, TheReaderShowsABookInAWindowPagesItAndQuits) {
  for (const char* tool : {"Xvfb", "xdotool", "import"}) {
    ASSERT_NE(Shell(std::string("command -v ") + tool), "") << tool << " is missing (make test installs it)";
  }
  Xvfb server;
  ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
  const std::string& display = server.display();

  // The test's own device root, prepared as a first run prepares one.
  const std::string root = devicefs::RootFolder().string();
  ASSERT_EQ(Shell(std::string(TESSALYN_DEVICEPREP) + " " + Quote(root) + " > /dev/null 2>&1; echo $?"), "0");
  const std::string text = WriteSourceText(devicefs::RootFolder().parent_path());
  const std::string book = (fs::path(root) / "eBooks" / "harbour.corv").string();
  ASSERT_EQ(Shell(std::string(TESSALYN_BOOKMAKE) + " " + Quote(text) + " " + Quote(book) + " > /dev/null 2>&1; echo $?"),
            "0");

  Reader first(display, root, {"\\eBooks\\harbour.corv"});
  ASSERT_TRUE(first.started());
  const std::string xdotool = "DISPLAY=" + display + " timeout 60 xdotool ";
  const std::string window = Shell(xdotool + "search --sync --pid " + std::to_string(first.pid()) + " | head -n 1");
  ASSERT_NE(window, "") << "no window of the reader appeared";
  const std::string name = Shell(xdotool + "getwindowname " + window);
  EXPECT_NE(name.find("Corvelline Reader"), std::string::npos) << name;
  std::this_thread::sleep_for(std::chrono::seconds(2));  // the first page painted
  const fs::path shots = devicefs::RootFolder().parent_path();
  const testpng::Picture before = Capture(display, window, (shots / "first.png").string());
  ASSERT_GT(before.width, 0) << "import could not capture the window";

  Shell(xdotool + "windowfocus --sync " + window + " key Next");
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const testpng::Picture after = Capture(display, window, (shots / "second.png").string());
  ASSERT_EQ(after.width, before.width);
  ASSERT_EQ(after.height, before.height);
  EXPECT_NE(PageArea(after), PageArea(before)) << "Page Down showed no other page";

  // A second start without arguments brings the first forward and ends.
  Reader second(display, root, {});
  ASSERT_TRUE(second.started());
  EXPECT_EQ(second.WaitFor(std::chrono::seconds(60)), 0);
  EXPECT_EQ(Shell(xdotool + "search --onlyvisible --name 'Corvelline Reader' | wc -l"), "1") << "a second window showed";

  Reader quit(display, root, {"/quit"});
  ASSERT_TRUE(quit.started());
  EXPECT_EQ(quit.WaitFor(std::chrono::seconds(60)), 0);
  EXPECT_EQ(first.WaitFor(std::chrono::seconds(60)), 0) << "the first reader did not end cleanly";

  BookParameterFile sideFile;
  EncodedString path;
  path.FromWide(u"\\eBooks\\harbour.corv");
  ASSERT_EQ(sideFile.OpenReadOnly(path), RecordResult::kOk) << "no side file beside the book";
  uint32_t position = 0, second_ = 0, length = 0;
  ASSERT_NE(sideFile.GetFramePosition(&position, &second_, &length), nullptr);
  EXPECT_GT(position, 0u) << "the side file holds the first page's position";

  // The next start without arguments reopens the book on the page it was
  // left at, and leaves the position as it found it.
  Reader again(display, root, {});
  ASSERT_TRUE(again.started());
  const std::string reopened = Shell(xdotool + "search --sync --pid " + std::to_string(again.pid()) + " | head -n 1");
  ASSERT_NE(reopened, "") << "no window of the reader appeared";
  std::this_thread::sleep_for(std::chrono::seconds(2));
  const testpng::Picture shown = Capture(display, reopened, (shots / "reopened.png").string());
  ASSERT_EQ(shown.width, after.width);
  ASSERT_EQ(shown.height, after.height);
  EXPECT_EQ(PageArea(shown), PageArea(after)) << "the book reopened on another page";
  Reader quitAgain(display, root, {"/quit"});
  ASSERT_TRUE(quitAgain.started());
  EXPECT_EQ(quitAgain.WaitFor(std::chrono::seconds(60)), 0);
  EXPECT_EQ(again.WaitFor(std::chrono::seconds(60)), 0);
  BookParameterFile reread;
  ASSERT_EQ(reread.OpenReadOnly(path), RecordResult::kOk);
  uint32_t kept = 0;
  ASSERT_NE(reread.GetFramePosition(&kept, &second_, &length), nullptr);
  EXPECT_EQ(kept, position) << "the reopened reader moved the saved position";
}
