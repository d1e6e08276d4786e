// The reader as a whole process, timed from inside: the program of
// programs/tessalyn_main.cpp (the same resources, services, window set and
// message loop, the same command line), run over a headless backend that
// notes times instead of reading an input file. bench/reader_process.py
// starts it and reads what it prints; run alone it does nothing useful.
//
// The backend is the idle hook of the UI thread, as every backend is: it
// runs only when the message loop has nothing left to do (no posted
// message, no input, no paint, no due timer). So:
//   - the first painted page is the first idle turn at which the main
//     frame's view holds a document: its paint has been dispatched;
//   - a page turn is from the moment the key goes into the device's input
//     (down and up, as the headless input file's "key next") to the next
//     idle turn, when the key has been handled and the page painted;
//   - the queue phase runs a second thread that posts the audio player's
//     position event (command 110) to the controller's queue as fast as it
//     can, timing each PostCommand, while the UI thread drains the queue
//     from its timer between idle turns of at most 1 ms.
//
// Environment (besides the reader's own): BENCH_TURNS (page turns, 0 by
// default), BENCH_POSTS (queued commands, 0 by default), BENCH_SHOT_FIRST
// and BENCH_SHOT_LAST (PNG files of the first page and of the page after
// the last turn). It prints one line of JSON on standard output when the
// reader has ended:
//   {"first_page_ns": N (CLOCK_MONOTONIC), "turns_ns": [..],
//    "unchanged_turns": N, "posts": N, "post_failures": N,
//    "post_ns": {"p50": .., "p99": .., "p999": .., "max": ..},
//    "drained": true|false}
// first_page_ns is 0 when no book was shown within 60 seconds.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/controller/application_controller.h"
#include "app/frame/reader_window_set.h"
#include "app/startup/reader_application.h"
#include "platform/backends/backend.h"
#include "platform/image/png_writer.h"
#include "platform/input/device_input.h"
#include "platform/input/virtual_keys.h"
#include "platform/launch/launch.h"
#include "platform/windows/screen.h"
#include "programs/reader_setup.h"

namespace {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC, as Python's time.monotonic_ns

constexpr uint32_t kAudioPositionCommand = 110;
constexpr auto kGiveUp = std::chrono::seconds(60);

FrameWindowSet* g_windowSet = nullptr;

// The program's own window set, kept so that the backend can reach the
// main frame (its view and controller).
FrameWindowSet* MakeWatchedWindowSet() {
  g_windowSet = MakeReaderWindowSet();
  return g_windowSet;
}

AppFrame* MainFrame() { return g_windowSet != nullptr ? g_windowSet->MainFrame() : nullptr; }

long EnvNumber(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr ? std::strtol(text, nullptr, 10) : 0;
}

std::string EnvText(const char* name) {
  const char* text = std::getenv(name);
  return text != nullptr ? text : "";
}

int64_t Nanoseconds(Clock::time_point t) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

void Shot(const std::string& path) {
  if (path.empty()) return;
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels = devscreen::ScreenPixels(&width, &height);
  if (pixels.empty() || !image::WritePngRgb(path, pixels.data(), width, height, width))
    std::fprintf(stderr, "reader_process: cannot write %s\n", path.c_str());
}

void SleepAtMost(DWORD maxWaitMs, DWORD cap) {
  if (maxWaitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(maxWaitMs, cap)));
}

class TimingBackend final : public devbackend::Backend {
 public:
  bool Start() override {
    turnsWanted_ = static_cast<size_t>(std::max(0L, EnvNumber("BENCH_TURNS")));
    postsWanted_ = static_cast<uint32_t>(std::max(0L, EnvNumber("BENCH_POSTS")));
    shotFirst_ = EnvText("BENCH_SHOT_FIRST");
    shotLast_ = EnvText("BENCH_SHOT_LAST");
    started_ = Clock::now();
    return true;
  }

  void Idle(DWORD maxWaitMs) override {
    const Clock::time_point now = Clock::now();
    switch (phase_) {
      case Phase::kStarting: {
        AppFrame* frame = MainFrame();
        if (frame != nullptr && frame->view != nullptr && frame->view->HasDocument() &&
            !frame->view->IsInternalPage()) {
          firstPage_ = now;
          stamp_ = devscreen::ScreenChangeStamp();
          Shot(shotFirst_);
          phase_ = Phase::kTurning;
          Turn();
        } else if (now - started_ > kGiveUp) {
          std::fprintf(stderr, "reader_process: no book shown within 60 s\n");
          Close();
        } else {
          SleepAtMost(maxWaitMs, 1);
        }
        return;
      }
      case Phase::kTurning: {
        turns_.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(now - keyTime_).count());
        const uint64_t stamp = devscreen::ScreenChangeStamp();
        if (stamp == stamp_) ++unchangedTurns_;
        stamp_ = stamp;
        Turn();
        return;
      }
      case Phase::kPosting:
        if (!poster_.joinable()) {
          postsDone_ = false;
          poster_ = std::thread(&TimingBackend::Post, this, MainFrame()->controller);
        }
        if (postsDone_) {
          poster_.join();
          drainStarted_ = now;
          phase_ = Phase::kDraining;
        }
        SleepAtMost(maxWaitMs, 1);
        return;
      case Phase::kDraining: {
        AppFrame* frame = MainFrame();
        drained_ = frame == nullptr || frame->controller == nullptr || !frame->controller->PendingTimerArmed();
        if (drained_ || now - drainStarted_ > kGiveUp) {
          Close();
          return;
        }
        SleepAtMost(maxWaitMs, 1);
        return;
      }
      case Phase::kClosing:
        devbackend::CloseProgram();
        SleepAtMost(maxWaitMs, 10);
        return;
    }
  }

  void Finish() override {
    std::sort(postTimes_.begin(), postTimes_.end());
    auto rank = [&](double q) -> long long {
      if (postTimes_.empty()) return 0;
      size_t i = static_cast<size_t>(q * static_cast<double>(postTimes_.size() - 1) + 0.5);
      return static_cast<long long>(postTimes_[std::min(i, postTimes_.size() - 1)]);
    };
    std::string turns;
    for (size_t i = 0; i < turns_.size(); ++i) turns += (i ? "," : "") + std::to_string(turns_[i]);
    std::printf(
        "{\"first_page_ns\": %lld, \"turns_ns\": [%s], \"unchanged_turns\": %zu, \"posts\": %zu, "
        "\"post_failures\": %u, \"post_ns\": {\"p50\": %lld, \"p99\": %lld, \"p999\": %lld, \"max\": %lld}, "
        "\"drained\": %s}\n",
        firstPage_ == Clock::time_point{} ? 0LL : static_cast<long long>(Nanoseconds(firstPage_)), turns.c_str(),
        unchangedTurns_, postTimes_.size(), postFailures_.load(), rank(0.5), rank(0.99), rank(0.999), rank(1.0),
        drained_ ? "true" : "false");
    std::fflush(stdout);
  }

 private:
  enum class Phase { kStarting, kTurning, kPosting, kDraining, kClosing };

  // The next page turn, or the next phase when every turn is made.
  void Turn() {
    if (turns_.size() < turnsWanted_) {
      keyTime_ = Clock::now();
      devinput::KeyDown(VK_NEXT);
      devinput::KeyUp(VK_NEXT);
      return;
    }
    Shot(shotLast_);
    AppFrame* frame = MainFrame();
    if (postsWanted_ > 0 && frame != nullptr && frame->controller != nullptr) {
      phase_ = Phase::kPosting;
    } else {
      drained_ = true;
      Close();
    }
  }

  void Close() {
    phase_ = Phase::kClosing;
    devbackend::CloseProgram();
  }

  // The second thread: every post timed alone, a yield now and then as a
  // driver thread gives up its turn.
  void Post(ApplicationController* controller) {
    postTimes_.reserve(postsWanted_);
    uint32_t state = 20261211;
    for (uint32_t i = 0; i < postsWanted_; ++i) {
      const Clock::time_point before = Clock::now();
      const int32_t index = controller->PostCommand(kAudioPositionCommand);
      const Clock::time_point after = Clock::now();
      postTimes_.push_back(std::chrono::duration_cast<std::chrono::nanoseconds>(after - before).count());
      if (index < 0) ++postFailures_;
      state = state * 1664525u + 1013904223u;
      if ((state >> 26) == 0) std::this_thread::yield();  // one post in 64
    }
    postsDone_ = true;
  }

  Phase phase_ = Phase::kStarting;
  size_t turnsWanted_ = 0;
  uint32_t postsWanted_ = 0;
  std::string shotFirst_;
  std::string shotLast_;
  Clock::time_point started_;
  Clock::time_point firstPage_{};
  Clock::time_point keyTime_;
  Clock::time_point drainStarted_;
  uint64_t stamp_ = 0;
  std::vector<int64_t> turns_;
  size_t unchangedTurns_ = 0;
  std::thread poster_;
  std::atomic<bool> postsDone_{false};
  std::vector<int64_t> postTimes_;
  std::atomic<uint32_t> postFailures_{0};
  bool drained_ = false;
};

int RunReader(void*) {
  int result = 0;
  ReaderMain(nullptr, MakeWatchedWindowSet, &result);
  if (result == kRunFailed) std::fprintf(stderr, "reader_process: the reader could not start\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("reader_process: the reader timed as a whole process; run bench/reader_process.py\n");
    return 0;
  }
  // As the program starts.
  devlaunch::SetProgramArguments(argc, argv);
  InstallReaderServices();
  TimingBackend backend;
  devbackend::RunProgram(backend, RunReader, nullptr);
  return 0;
}
