// Hot keys held by the shell, by this program's windows and (simulated) by
// other programs' windows.
#include "platform/shell/hot_keys.h"

#include "platform/core/last_error.h"
#include "platform/shell/shell_state.h"

namespace devshell {
namespace {

constexpr UINT kModifierKeys = MOD_ALT | MOD_CONTROL | MOD_SHIFT;

bool SameKey(UINT modifiersA, UINT keyA, UINT modifiersB, UINT keyB) {
  return keyA == keyB && (modifiersA & kModifierKeys) == (modifiersB & kModifierKeys);
}

}  // namespace

BOOL RegisterHotKey(HWND window, int id, UINT modifiers, UINT key) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::vector<int64_t> args{id, modifiers, key};
  bool held = state.shellHeldKeys.count(key) != 0 ||
              state.keysHeldElsewhere.count({modifiers & kModifierKeys, key}) != 0;
  for (const auto& r : state.hotKeys)
    if (r.window != window && SameKey(r.modifiers, r.key, modifiers, key)) held = true;
  if (held || key == 0 || key > 0xFF) {
    SetLastError(held ? ERROR_HOTKEY_ALREADY_REGISTERED : ERROR_INVALID_PARAMETER);
    return static_cast<BOOL>(Record(state, "RegisterHotKey", window, args, u"", FALSE));
  }
  // The window's earlier registration of this id or of this key gives way.
  auto& keys = state.hotKeys;
  for (auto it = keys.begin(); it != keys.end();) {
    if (it->window == window && (it->id == id || SameKey(it->modifiers, it->key, modifiers, key)))
      it = keys.erase(it);
    else
      ++it;
  }
  keys.push_back(HotKeyRegistration{window, id, modifiers, key});
  return static_cast<BOOL>(Record(state, "RegisterHotKey", window, args, u"", TRUE));
}

BOOL UnregisterHotKey(HWND window, int id) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto& keys = state.hotKeys;
  for (auto it = keys.begin(); it != keys.end(); ++it) {
    if (it->window != window || it->id != id) continue;
    keys.erase(it);
    return static_cast<BOOL>(Record(state, "UnregisterHotKey", window, {id}, u"", TRUE));
  }
  SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
  return static_cast<BOOL>(Record(state, "UnregisterHotKey", window, {id}, u"", FALSE));
}

BOOL UnregisterFunc1(UINT modifiers, UINT key) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  BOOL result = state.shellHeldKeys.erase(key) ? TRUE : FALSE;
  return static_cast<BOOL>(Record(state, "UnregisterFunc1", nullptr, {modifiers, key}, u"", result));
}

bool FindHotKey(UINT key, UINT modifiersDown, HotKeyRegistration* found) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  for (const auto& r : state.hotKeys) {
    if (!SameKey(r.modifiers, r.key, modifiersDown, key)) continue;
    *found = r;
    return true;
  }
  return false;
}

void ReleaseHotKeysOf(HWND window) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  auto& keys = state.hotKeys;
  for (auto it = keys.begin(); it != keys.end();) it = it->window == window ? keys.erase(it) : it + 1;
  for (auto it = state.appKeyWindows.begin(); it != state.appKeyWindows.end();)
    it = it->second == window ? state.appKeyWindows.erase(it) : std::next(it);
}

std::vector<HotKeyRegistration> HotKeyRegistrations() {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.hotKeys;
}

bool ShellHoldsKey(UINT key) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.shellHeldKeys.count(key) != 0;
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<devshell::HotKeyRegistration> RegisteredHotKeys() { return devshell::HotKeyRegistrations(); }

void SetKeysHeldByShell(const std::vector<UINT>& keys) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.shellHeldKeys = std::set<UINT>(keys.begin(), keys.end());
}

void HoldHotKeyElsewhere(UINT modifiers, UINT key) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.keysHeldElsewhere.insert({modifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT), key});
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
