// The emulated shell's state in this process: what is shown, held and
// registered and, in test builds, the answers tests scripted and the journal
// of calls. One lock guards it all; every function of platform/shell takes it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell/display_settings.h"
#include "platform/shell/hot_keys.h"
#include "platform/shell/shell_calls.h"
#include "platform/shell/shell_records.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/shell/shell_hooks.h"
#endif

namespace devshell {

// A delivered change notification with the path its dwItem1 points at.
struct OwnedFileChange {
  FILECHANGENOTIFY notification{};
  std::u16string path;
};

struct ShellState {
  std::mutex lock;
#ifdef TESSALYN_TEST_HOOKS
  std::vector<devtest::ShellCall> journal;
  // A test shows notifications and places calls; without one the host has
  // neither a notification display nor a phone.
  bool notificationsShown = false;
  bool phoneScripted = false;
  LONG phoneAnswer = 0;
  std::vector<PlacedCall> placedCalls;
#endif

  std::vector<ShownNotification> notifications;
  std::vector<HotKeyRegistration> hotKeys;
  std::set<UINT> shellHeldKeys;
  std::set<std::pair<UINT, UINT>> keysHeldElsewhere;  // {modifier keys, key}
  std::map<BYTE, HWND> appKeyWindows;
  std::map<HWND, HWND> menuBars;  // parent -> bar
  std::vector<ChangeNotifyRegistration> changeRegistrations;
  std::map<FILECHANGENOTIFY*, std::unique_ptr<OwnedFileChange>> liveFileChanges;

  // The orientation set since the reset; until then the display is turned
  // as the device profile says (CurrentDisplayOrientation).
  bool orientationSet = false;
  DWORD orientation = DMDO_0;
  LONG displayFailure = 0;
  DWORD gestureAnswer = 0;
  bool gestureScripted = false;  // a test's answer replaces recognition
  GestureRecognizer gestureRecognizer = nullptr;
  ShellWindowHooks hooks;
};

ShellState& State();
std::set<UINT> DefaultShellHeldKeys();

// Appends one call to the journal (lock held, test builds) and answers
// `result`.
#ifdef TESSALYN_TEST_HOOKS
int64_t Record(ShellState& state, const char* function, HWND window, std::vector<int64_t> args,
               std::u16string text, int64_t result);
#else
inline int64_t Record(ShellState&, const char*, HWND, const std::vector<int64_t>&, const std::u16string&,
                      int64_t result) {
  return result;
}
#endif

// The text of a NUL-terminated wide string; empty for null.
std::u16string TextOf(LPCWSTR text);

}  // namespace devshell
