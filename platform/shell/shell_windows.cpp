// aygshell's window-related calls: dialogs, menu bars, full screen, the
// Done button, the navigation-bar text, gestures and application-key
// associations. What needs real windows goes to the windows layer's hooks.
#include <algorithm>

#include "platform/files/device_root.h"
#include "platform/shell/shell_state.h"

namespace devshell {
namespace {

// The hooks are called without the shell's lock: they create and size
// windows, and may call back into the shell.
ShellWindowHooks Hooks() {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.hooks;
}

}  // namespace

BOOL SHInitDialog(SHINITDLGINFO* info) {
  BOOL result = info && info->hDlg ? TRUE : FALSE;
  if (result) {
    if (auto hook = Hooks().initDialog) result = hook(info);
  }
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!info) return static_cast<BOOL>(Record(state, "SHInitDialog", nullptr, {}, u"", result));
  return static_cast<BOOL>(Record(state, "SHInitDialog", info->hDlg, {info->dwMask, info->dwFlags}, u"", result));
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  BOOL result = FALSE;
  if (info) {
    info->hwndMB = nullptr;
    if (auto hook = Hooks().createMenuBar; hook && info->hwndParent) result = hook(info);
  }
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!info) return static_cast<BOOL>(Record(state, "SHCreateMenuBar", nullptr, {}, u"", FALSE));
  if (result && info->hwndMB) state.menuBars[info->hwndParent] = info->hwndMB;
  return static_cast<BOOL>(
      Record(state, "SHCreateMenuBar", info->hwndParent, {info->dwFlags, info->nToolBarId}, u"", result));
}

HWND SHFindMenuBar(HWND window) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto it = state.menuBars.find(window);
  HWND bar = it == state.menuBars.end() ? nullptr : it->second;
  Record(state, "SHFindMenuBar", window, {}, u"", bar ? 1 : 0);
  return bar;
}

BOOL SHFullScreen(HWND window, DWORD stateFlags) {
  BOOL result = window ? TRUE : FALSE;
  if (result) {
    if (auto hook = Hooks().fullScreen) result = hook(window, stateFlags);
  }
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<BOOL>(Record(state, "SHFullScreen", window, {stateFlags}, u"", result));
}

BOOL SHGetAutoRunPath(LPWSTR path) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  BOOL result = FALSE;
  if (path) {
    for (const auto& card : devicefs::StorageCardNames()) {
      devicefs::Resolved resolved;
      std::u16string folder = u"\\" + card;
      if (!devicefs::Resolve(folder.c_str(), &resolved) || !resolved.exists || !resolved.isDirectory) continue;
      // 2577 names the processor family in the device's auto-run layout.
      std::u16string autorun = resolved.device + u"\\2577\\autorun.exe";
      if (autorun.size() >= MAX_PATH) continue;
      std::copy(autorun.begin(), autorun.end(), path);
      path[autorun.size()] = 0;
      result = TRUE;
      break;
    }
  }
  return static_cast<BOOL>(Record(state, "SHGetAutoRunPath", nullptr, {}, result ? TextOf(path) : u"", result));
}

BOOL SHSetNavBarText(HWND window, LPCWSTR text) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<BOOL>(Record(state, "SHSetNavBarText", window, {}, TextOf(text), window ? TRUE : FALSE));
}

DWORD SHRecognizeGesture(SHRGINFO* info) {
  GestureRecognizer recognizer = nullptr;
  DWORD answer = 0;
  {
    ShellState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.gestureScripted) answer = state.gestureAnswer;
    else recognizer = state.gestureRecognizer;
  }
  bool valid = info && info->cbSize >= sizeof(SHRGINFO);
  if (valid && recognizer) answer = recognizer(*info);
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!valid) return static_cast<DWORD>(Record(state, "SHRecognizeGesture", nullptr, {}, u"", 0));
  return static_cast<DWORD>(
      Record(state, "SHRecognizeGesture", info->hwndClient, {info->ptDown.x, info->ptDown.y, info->dwFlags}, u"", answer));
}

void SetGestureRecognizer(GestureRecognizer recognizer) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.gestureRecognizer = recognizer;
}

BOOL SHDoneButton(HWND window, DWORD stateFlags) {
  BOOL result = window && (stateFlags == SHDB_SHOW || stateFlags == SHDB_HIDE) ? TRUE : FALSE;
  if (result) {
    if (auto hook = Hooks().doneButton) result = hook(window, stateFlags);
  }
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return static_cast<BOOL>(Record(state, "SHDoneButton", window, {stateFlags}, u"", result));
}

BOOL SHSetAppKeyWndAssoc(BYTE key, HWND window) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (window)
    state.appKeyWindows[key] = window;
  else
    state.appKeyWindows.erase(key);
  return static_cast<BOOL>(Record(state, "SHSetAppKeyWndAssoc", window, {key}, u"", TRUE));
}

void SHSendBackToFocusWindow(UINT message, WPARAM wParam, LPARAM lParam) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  Record(state, "SHSendBackToFocusWindow", nullptr,
         {message, static_cast<int64_t>(wParam), static_cast<int64_t>(lParam)}, u"", 0);
}

HWND AppKeyWindow(BYTE key) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto it = state.appKeyWindows.find(key);
  return it == state.appKeyWindows.end() ? nullptr : it->second;
}

void SetShellWindowHooks(const ShellWindowHooks& hooks) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.hooks = hooks;
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

void SetGestureAnswer(DWORD gesture) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.gestureAnswer = gesture;
  state.gestureScripted = true;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
