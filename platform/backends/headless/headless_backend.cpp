// The headless backend: the screen stays a memory bitmap, input comes from
// the TESSALYN_INPUT file, one command each time the program is idle, and
// the screen goes to TESSALYN_SCREENSHOT (backend.h, input_script.h).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/backends/backend.h"
#include "platform/backends/headless/input_script.h"
#include "platform/image/png_writer.h"
#include "platform/input/device_input.h"
#include "platform/windows/screen.h"

namespace devbackend {
namespace {

bool WriteScreen(const std::string& path) {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels = devscreen::ScreenPixels(&width, &height);
  bool ok = !pixels.empty() && image::WritePngRgb(path, pixels.data(), width, height, width);
  std::fprintf(ok ? stdout : stderr, ok ? "screenshot: %s\n" : "screenshot: cannot write %s\n", path.c_str());
  return ok;
}

class HeadlessBackend final : public Backend {
 public:
  bool Start() override {
    const char* input = std::getenv("TESSALYN_INPUT");
    if (input != nullptr && *input) {
      std::ifstream file(input);
      if (!file) {
        std::fprintf(stderr, "TESSALYN_INPUT: cannot read %s\n", input);
      } else {
        std::stringstream text;
        text << file.rdbuf();
        std::vector<std::string> errors;
        commands_ = ParseInputScript(text.str(), &errors);
        for (const std::string& error : errors) std::fprintf(stderr, "TESSALYN_INPUT %s\n", error.c_str());
      }
    }
    const char* shot = std::getenv("TESSALYN_SCREENSHOT");
    if (shot != nullptr) screenshot_ = shot;
    return true;
  }

  void Idle(DWORD maxWaitMs) override {
    auto now = std::chrono::steady_clock::now();
    if (now < waitUntil_) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(waitUntil_ - now);
      std::this_thread::sleep_for(std::min(left, std::chrono::milliseconds(std::min<DWORD>(maxWaitMs, 10))));
      return;
    }
    if (next_ >= commands_.size()) {
      Quit();
      if (maxWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min<DWORD>(maxWaitMs, 10)));
      return;
    }
    const InputCommand& c = commands_[next_++];
    switch (c.kind) {
      case InputCommand::Kind::Key:
        devinput::KeyDown(c.key);
        devinput::KeyUp(c.key);
        break;
      case InputCommand::Kind::Tap:
        devinput::StylusDown(c.x1, c.y1);
        devinput::StylusUp(c.x1, c.y1);
        break;
      case InputCommand::Kind::Drag:
        devinput::StylusDown(c.x1, c.y1);
        for (int i = 1; i <= c.steps; ++i)
          devinput::StylusMove(c.x1 + (c.x2 - c.x1) * i / c.steps, c.y1 + (c.y2 - c.y1) * i / c.steps);
        devinput::StylusUp(c.x2, c.y2);
        break;
      case InputCommand::Kind::Wait:
        waitUntil_ = now + std::chrono::milliseconds(c.waitMs);
        break;
      case InputCommand::Kind::Shot:
        WriteScreen(c.file);
        break;
      case InputCommand::Kind::Quit:
        next_ = commands_.size();
        Quit();
        break;
    }
  }

  void Finish() override {
    if (!screenshot_.empty() && !shotTaken_) WriteScreen(screenshot_);
  }

 private:
  void Quit() {
    if (!screenshot_.empty() && !shotTaken_) {
      WriteScreen(screenshot_);
      shotTaken_ = true;
    }
    CloseProgram();
  }

  std::vector<InputCommand> commands_;
  size_t next_ = 0;
  std::chrono::steady_clock::time_point waitUntil_{};
  std::string screenshot_;
  bool shotTaken_ = false;
};

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace devbackend
