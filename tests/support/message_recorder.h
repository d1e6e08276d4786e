// A fixture base for tests of windows and messages: it registers a window
// class whose procedure writes down the messages its windows receive, in the
// order they come, so that a test compares the sequence with the device's.
// A fixture narrows what is written down (Records) and makes its windows
// answer (React); everything else goes on to DefWindowProcW.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/testing/windows.h"
#include "platform/windows/windows.h"

namespace msgtest {

struct RecordedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class MessageRecorder : public ::testing::Test {
 protected:
  // The class's name, and its background brush (none: windows do not erase).
  explicit MessageRecorder(const WCHAR* className, HBRUSH background = nullptr)
      : className_(className), background_(background) {}

  // Fixtures that reset the device's windows or threads do so first, then
  // call this.
  void SetUp() override {
    recorded.clear();
    current_ = this;
    RegisterRecorderClass();
  }
  void TearDown() override { current_ = nullptr; }

  // Registers the recording class (again after devtest::ResetWindows).
  void RegisterRecorderClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.lpszClassName = className_;
    wc.hbrBackground = background_;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }
  const WCHAR* ClassName() const { return className_; }

  // Which messages are written down: all unless the fixture says otherwise.
  virtual bool Records(UINT /*message*/) const { return true; }
  // Called for every message after it is written down: true, with *result,
  // answers it; false leaves it to DefWindowProcW.
  virtual bool React(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                     LRESULT* /*result*/) {
    return false;
  }

  // The messages written down, for one window or (nullptr) for all.
  std::vector<UINT> Messages(HWND window = nullptr) const {
    std::vector<UINT> out;
    for (const RecordedMessage& r : recorded)
      if (window == nullptr || r.window == window) out.push_back(r.message);
    return out;
  }
  // The messages written down from first to last inclusive.
  std::vector<UINT> MessagesIn(UINT first, UINT last) const {
    std::vector<UINT> out;
    for (const RecordedMessage& r : recorded)
      if (r.message >= first && r.message <= last) out.push_back(r.message);
    return out;
  }
  // Delivers what is queued, then forgets everything written down so far.
  void Forget() {
    devtest::PumpMessages();
    recorded.clear();
  }

  std::vector<RecordedMessage> recorded;

 private:
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageRecorder* self = current_;
    if (self != nullptr) {
      if (self->Records(message)) self->recorded.push_back({window, message, wParam, lParam});
      LRESULT result = 0;
      if (self->React(window, message, wParam, lParam, &result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // The fixture running now: a window procedure has no other way to it.
  static inline MessageRecorder* current_ = nullptr;
  const WCHAR* className_;
  HBRUSH background_;
};

}  // namespace msgtest
