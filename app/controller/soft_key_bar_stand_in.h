// The soft-key bars as the controller drives them, until the bars
// themselves exist: each of the four bars keeps whether it is shown, its
// mode and how often it was refreshed, and the reading bar makes an empty
// menu bar on the main window so that the screen's layout has the bar's
// height. Tests read the recorded state.
#pragma once

#include <cstdint>

#include "platform/types/window_handle.h"

class SoftKeyBarStandIn {
 public:
  explicit SoftKeyBarStandIn(const char* name) : name_(name) {}
  SoftKeyBarStandIn(const SoftKeyBarStandIn&) = delete;
  SoftKeyBarStandIn& operator=(const SoftKeyBarStandIn&) = delete;

  // With `makeMenuBar`, an empty (hidden unless shown) platform menu bar.
  bool Create(HWND owner, bool makeMenuBar);
  void Show(bool show);
  void SetMode(uint32_t mode) { mode_ = mode; }
  void Refresh() { ++refreshes_; }

  bool shown() const { return shown_; }
  uint32_t mode() const { return mode_; }
  uint32_t refreshes() const { return refreshes_; }
  uint32_t showCount() const { return showCount_; }
  HWND menuBar() const { return menuBar_; }
  const char* name() const { return name_; }

 private:
  const char* name_;
  HWND menuBar_ = nullptr;
  bool shown_ = false;
  uint32_t mode_ = 0;
  uint32_t refreshes_ = 0;
  uint32_t showCount_ = 0;
};
