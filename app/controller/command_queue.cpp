// The queue of pending commands. Commands that arise outside a message
// handler (the audio player's events, on the wave driver's thread) are
// appended here and run in posting order on the UI thread from a
// zero-delay one-shot timer of the controller's timer table.
//
// The timer table belongs to the UI thread, so a post from another thread
// never touches it: the queue and the `armed_` flag live under one lock; a
// post that finds nothing armed sets the flag and, from another thread,
// posts kArmPendingCommandsMessage to the main window, whose handler arms
// the timer (a post on the UI thread arms it at once). The run clears the
// flag under the lock only when it finds the queue empty, so a post that
// lands after that always arms again: no command is left waiting.
#include "app/controller/application_controller.h"
#include "platform/threads/threads.h"
#include "platform/windows/message_queue.h"

int32_t ApplicationController::PostCommand(uint32_t command) {
  int32_t index = -1;
  bool arm = false;
  {
    std::lock_guard<std::mutex> hold(queueLock_);
    const int32_t slot = pending_.Append(&command);
    if (slot < 0) return -1;
    index = slot - static_cast<int32_t>(head_);
    if (!armed_) {
      armed_ = true;
      arm = true;
    }
  }
  if (!arm) return index;
  if (GetCurrentThreadId() == uiThread_) {
    ArmPendingCommands();
  } else if (mainWindow_ == nullptr || !PostMessageW(mainWindow_, kArmPendingCommandsMessage, 0, 0)) {
    // Nothing can wake the UI thread: the next post tries again.
    std::lock_guard<std::mutex> hold(queueLock_);
    armed_ = false;
  }
  return index;
}

void ApplicationController::ArmPendingCommands() {
  if (pendingTimer_ != kNoTimer) return;
  if (!timers_.StartOnce(this, 0, &pendingTimer_, false)) {
    std::lock_guard<std::mutex> hold(queueLock_);
    armed_ = false;
  }
}

bool ApplicationController::TakePendingCommand(uint32_t* command) {
  std::lock_guard<std::mutex> hold(queueLock_);
  if (head_ >= pending_.count) {
    pending_.Clear();
    head_ = 0;
    armed_ = false;
    return false;
  }
  pending_.ReadAt(head_, command, 1);
  ++head_;
  return true;
}

void ApplicationController::OnTimer(TimerTable*, TimerId id) {
  if (id != pendingTimer_) return;
  LifetimeGuard guard(&anchor_);
  uint32_t command = 0;
  while (TakePendingCommand(&command)) {
    ExecuteCommand(command, true);
    if (!guard.IsWatching()) return;  // the command destroyed the controller
  }
  timers_.Stop(this, &pendingTimer_);
}
