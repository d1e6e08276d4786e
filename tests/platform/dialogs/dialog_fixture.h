// A fixture for the dialog tests: a fresh device (32 bits per pixel, the
// built-in font), the controls registered, the program's string table and
// the tests' own dialogs, menus, bars and accelerators (test_resources.txt)
// installed, and a shown owner window that writes down the activations and
// commands it receives.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/controls/control_classes.h"
#include "platform/dialogs/dialogs.h"
#include "platform/input/device_input.h"
#include "platform/resources/program_resources.h"
#include "platform/resources/resources.h"
#include "platform/testing/gdi.h"
#include "platform/testing/input.h"
#include "platform/testing/profile.h"
#include "platform/testing/reset.h"
#include "platform/testing/ui.h"
#include "platform/testing/windows.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/window_positions.h"
#include "platform/windows/windows.h"
#include "resources/string_table.h"

const ResourceEntry* DialogTestResources(size_t* count);

namespace dialogtest {

struct OwnerMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    devtest::ResetDevice();
    devtest::DeviceProfile profile;
    profile.bitsPerPixel = 32;
    devtest::SetProfile(profile);
    InitCommonControls();
    InstallTestResources();
    current_ = this;
    RegisterOwnerClass();
    owner = CreateWindowExW(0, u"DialogOwner", u"Owner", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(owner, nullptr);
    SetForegroundWindow(owner);
    devtest::PumpMessages();
    ownerMessages.clear();
  }
  // The owner's class (again after a device reset), white behind.
  static void RegisterOwnerClass() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = u"DialogOwner";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(5 + 1));  // COLOR_WINDOW + 1
    RegisterClassW(&wc);
  }
  void TearDown() override {
    if (IsWindow(owner)) DestroyWindow(owner);
    current_ = nullptr;
    InstallProgramResources(ProgramResources{});
    devtest::ResetDevice();
  }
  static void InstallTestResources() {
    ProgramResources resources;
    resources.strings = ProgramStringTable(&resources.stringCount);
    resources.resources = DialogTestResources(&resources.resourceCount);
    InstallProgramResources(resources);
  }
  // The installed bytes of a test resource.
  static std::vector<BYTE> ResourceBytes(LPCWSTR type, WORD id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return {};
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return std::vector<BYTE>(data, data + SizeofResource(nullptr, found));
  }
  // A key pressed and released, left in the input queue for whichever loop
  // runs next (a modal's own loop, in a script).
  static void QueueKey(UINT key) {
    devinput::KeyDown(key);
    devinput::KeyUp(key);
  }
  // A tap at a screen point, left in the input queue like QueueKey.
  static void QueueTap(int x, int y) {
    devinput::StylusDown(x, y);
    devinput::StylusUp(x, y);
  }
  // The program's own loop for a modeless dialog: what is queued, through
  // IsDialogMessageW.
  static void PumpDialog(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (!IsDialogMessageW(dialog, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
  }
  // Every live graphics object the test made, of every kind.
  static int LiveGdiObjectCount() {
    int total = 0;
    for (int kind = 0; kind < kGdiKindCount; ++kind)
      total += devtest::LiveGdiObjects(static_cast<GdiKind>(kind));
    return total;
  }
  std::vector<OwnerMessage> MessagesOf(UINT message) const {
    std::vector<OwnerMessage> found;
    for (const OwnerMessage& m : ownerMessages)
      if (m.message == message) found.push_back(m);
    return found;
  }

  HWND owner = nullptr;
  std::vector<OwnerMessage> ownerMessages;
  // Run when the owner receives WM_APP (a test posts it behind other
  // messages to act once they were handled).
  std::function<void()> onApp;

 protected:
  static LRESULT OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (current_ != nullptr && window == current_->owner &&
        (message == WM_ACTIVATE || message == WM_COMMAND || message == WM_INITMENUPOPUP ||
         message == WM_SETTINGCHANGE || message == WM_TIMER))
      current_->ownerMessages.push_back({message, wParam, lParam});
    if (current_ != nullptr && window == current_->owner && message == WM_APP && current_->onApp) current_->onApp();
    return DefWindowProcW(window, message, wParam, lParam);
  }
 private:
  static inline DialogTest* current_ = nullptr;
};

}  // namespace dialogtest
