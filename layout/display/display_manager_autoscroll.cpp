// DisplayManager: automatic scrolling (commands 79 to 82, timer 1 and the
// speed keys). Starting raises the battery idle time-out to an hour so the
// device stays awake while the reader reads by itself; every path that ends
// scrolling goes through EndScrolling, which gives the saved value back.
#include <algorithm>

#include "foundation/language/localized_strings.h"
#include "layout/display/display_manager.h"
#include "layout/drawing/drawing_surface.h"
#include "platform/windows/timers.h"

namespace {
constexpr int32_t kStoppingStep = 75;
constexpr int32_t kLongestDelay = 1000;
}  // namespace

void DisplayManager::StartTimer() {
  StopTimer();
  if (surface_ == nullptr || surface_->Window() == nullptr) return;
  timerId_ = SetTimer(surface_->Window(), kTimerId, static_cast<UINT>(delay_), nullptr);
}

void DisplayManager::StopTimer() {
  if (timerId_ == 0) return;
  if (surface_ != nullptr && surface_->Window() != nullptr) KillTimer(surface_->Window(), kTimerId);
  timerId_ = 0;
}

void DisplayManager::RestoreIdleTimeout() {
  if (savedIdleTimeout_ < 0) return;
  ExchangeBatteryIdleTimeout(static_cast<uint32_t>(savedIdleTimeout_));
  savedIdleTimeout_ = -1;
}

void DisplayManager::EndScrolling() {
  StopTimer();
  running_ = 0;
  remaining_ = 0;
  RestoreIdleTimeout();
}

void DisplayManager::StartScrolling() {
  Rect view;
  if (host_ == nullptr || !host_->GetViewRect(&view) || view.IsEmpty()) return;
  area_ = view;
  running_ = 1;
  reevaluate_ = 1;
  stopAtTick_ = 0;
  remaining_ = area_.height;
  if (savedIdleTimeout_ < 0) savedIdleTimeout_ = ExchangeBatteryIdleTimeout(kScrollIdleTimeout);
  if (!PrepareImage()) {
    // Without a screen image nothing could slide in.
    EndScrolling();
    return;
  }
  StartTimer();
}

void DisplayManager::StopScrolling(bool settle) {
  if (!active_ || !running_) return;
  const int32_t remained = remaining_;
  EndScrolling();
  reevaluate_ = 1;
  InvalidateScreen(nullptr, false);
  if (!settle) return;
  if (remained > 1 && host_ != nullptr) host_->ScrollViewToLine(area_.height - remained, -2);
  InvalidateFull(nullptr);
  Redraw();
}

void DisplayManager::StopAutoscroll() {
  if (running_) HandleCommand(kSettleScroll);
}

void DisplayManager::SetAutoscrollSpeed(int32_t step, int32_t delay) {
  step_ = std::max(step, 1);
  delay_ = std::clamp(delay, 1, kLongestDelay);
  if (timerId_ != 0) StartTimer();
}

bool DisplayManager::HandleAutoscrollKey(int32_t code) {
  if (!running_ || !enabled_) return false;
  if (code == kFaster) {
    if (delay_ < 2) {
      step_ = std::min(step_ + std::max(step_ / 4, 1), std::max(logicalHeight_ / 2, 1));
    } else {
      delay_ = std::max(delay_ - std::max(delay_ / 2, 1), 1);
    }
    StartTimer();
  } else if (code == kSlower) {
    if (step_ < 2) {
      delay_ = std::min(delay_ + std::max(delay_ / 2, 1), kLongestDelay);
    } else {
      step_ = std::max(step_ - std::max(step_ / 4, 1), 1);
    }
    StartTimer();
  } else {
    HandleCommand(kSettleScroll);
  }
  return true;
}

bool DisplayManager::NextAutoscrollPage() {
  if (stopAtTick_) {
    HandleCommand(kStopScroll);
    return false;
  }
  Rect before;
  if (host_ == nullptr || !host_->GetViewRect(&before)) return false;
  if (!host_->StepViewPage()) {
    HandleCommand(kStopScroll);
    return false;
  }
  Rect after;
  if (host_->GetViewRect(&after)) before.Union(after);
  area_ = before;
  return true;
}

void DisplayManager::ScrollAreaOnScreen(int32_t step) {
  Rect area = area_;
  Point delta{0, -step};
  switch (rotation_) {
    case 1:
      delta = Point{-step, 0};
      break;
    case 2:
      delta = Point{step, 0};
      break;
    case 3:
      delta = Point{0, step};
      break;
    default:
      break;
  }
  TransformRect(&area, false);
  enabled_ = 0;
  surface_->BeginDraw(true);
  surface_->ScrollRect(area, delta);
  surface_->EndDraw();
  enabled_ = 1;
}

void DisplayManager::OnTimer() {
  if (!active_ || !enabled_ || !running_ || surface_ == nullptr) return;
  if (reevaluate_ && !NextAutoscrollPage()) return;
  reevaluate_ = 0;
  const int32_t step = std::min(remaining_, stopAtTick_ ? kStoppingStep : step_);
  if (step > 0) {
    ScrollAreaOnScreen(step);
    Rect strip{area_.x, area_.y + area_.height - remaining_, area_.width, step};
    InvalidateScreen(&strip, false);
    remaining_ -= step;
    Redraw();
  }
  if (remaining_ > 0) return;
  if (!NextAutoscrollPage()) return;
  remaining_ = area_.height;
}
