// The pending-command queue: posting order across threads with at most one
// timer armed, and a queued command that destroys the controller.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <thread>

#include "platform/testing/windows.h"
#include "tests/app/frame_fixture.h"

using apptest::FrameFixture;

namespace {

class QueueTest : public FrameFixture {};

// A listener that notes the commands run and which timers were armed.
class OrderListener final : public CommandListener {
 public:
  explicit OrderListener(ApplicationController* controller) : controller_(controller) {}
  void AfterCommand(uint32_t command) override {
    order.push_back(command);
    if (controller_->timerTable()->Count() > 1) tooManyTimers = true;
  }
  std::vector<uint32_t> order;
  bool tooManyTimers = false;

 private:
  ApplicationController* controller_;
};

}  // namespace

TEST_F(QueueTest, PostsRunInOrderInOneTimerCall) {
  EXPECT_EQ(controller->PostCommand(110), 0);
  EXPECT_EQ(controller->PostCommand(111), 1);
  EXPECT_TRUE(controller->PendingTimerArmed());
  EXPECT_EQ(controller->timerTable()->Count(), 1u);
  devtest::AdvanceTimeAndPump(1);
  EXPECT_EQ(listener.commands, (std::vector<uint32_t>{110, 111}));
  EXPECT_FALSE(controller->PendingTimerArmed());
  // Queued commands keep the transient interface: the view sees them as
  // element commands of the audio player.
  EXPECT_EQ(view.calls, (std::vector<std::string>{"element 110", "element 111"}));
}

TEST_F(QueueTest, TheAudioPlayersEventsBecomeQueuedCommands) {
  AudioPlayerListener& events = *controller;
  events.TrackChanging(nullptr);
  events.PositionChanged(nullptr, 3, 17);
  events.PlayingChanged(true);
  events.TrackEnded(nullptr);
  EXPECT_TRUE(listener.commands.empty());  // nothing runs where the event came
  devtest::AdvanceTimeAndPump(1);
  EXPECT_EQ(listener.commands, (std::vector<uint32_t>{111, 110, 112, 116}));
}

TEST_F(QueueTest, HundredThousandCommandsFromAnotherThreadRunInPostingOrder) {
  OrderListener order(controller.get());
  controller->SetCommandListener(&order);
  constexpr uint32_t kCount = 100000;
  const uint32_t seed = 20261211;
  std::atomic<bool> done{false};
  std::thread poster([&] {
    std::mt19937 random(seed);
    for (uint32_t i = 0; i < kCount; ++i) {
      // Commands that do nothing but tell the listener: 120 and above.
      ASSERT_GE(controller->PostCommand(120 + i), 0);
      if (random() % 64 == 0) std::this_thread::yield();
    }
    done = true;
  });
  std::mt19937 schedule(seed + 1);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while ((!done || order.order.size() < kCount) && std::chrono::steady_clock::now() < deadline) {
    if (schedule() % 3 == 0) std::this_thread::yield();
    devtest::AdvanceTimeAndPump(schedule() % 3);
  }
  poster.join();
  devtest::AdvanceTimeAndPump(1);
  ASSERT_EQ(order.order.size(), kCount) << "seed " << seed;
  for (uint32_t i = 0; i < kCount; ++i) ASSERT_EQ(order.order[i], 120 + i) << "seed " << seed;
  EXPECT_FALSE(order.tooManyTimers);
  EXPECT_FALSE(controller->PendingTimerArmed());
  controller->SetCommandListener(&listener);
}

TEST_F(QueueTest, ACommandThatDestroysTheControllerEndsTheRun) {
  // The listener of the first command destroys the controller, as closing
  // the window does; the second command must not run.
  class Destroyer final : public CommandListener {
   public:
    explicit Destroyer(std::unique_ptr<ApplicationController>* owner, AppFrame* frame)
        : owner_(owner), frame_(frame) {}
    void AfterCommand(uint32_t command) override {
      ran.push_back(command);
      frame_->controller = nullptr;
      owner_->reset();
    }
    std::vector<uint32_t> ran;

   private:
    std::unique_ptr<ApplicationController>* owner_;
    AppFrame* frame_;
  } destroyer(&controller, &frame);
  controller->SetCommandListener(&destroyer);
  controller->PostCommand(120);
  controller->PostCommand(121);
  devtest::AdvanceTimeAndPump(1);
  EXPECT_EQ(destroyer.ran, std::vector<uint32_t>{120});
  EXPECT_EQ(controller, nullptr);
}
