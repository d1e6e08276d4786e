// The shell state and, in test builds, its journal and the test control over both.
#include "platform/shell/shell_state.h"

namespace devshell {

// The application keys the shell holds when the device starts.
std::set<UINT> DefaultShellHeldKeys() { return {0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6}; }

ShellState& State() {
  static ShellState* state = [] {
    auto* made = new ShellState;  // lives as long as the process
    made->shellHeldKeys = DefaultShellHeldKeys();
    return made;
  }();
  return *state;
}

#ifdef TESSALYN_TEST_HOOKS
int64_t Record(ShellState& state, const char* function, HWND window, std::vector<int64_t> args,
               std::u16string text, int64_t result) {
  state.journal.push_back(devtest::ShellCall{function, window, std::move(args), std::move(text), result});
  return result;
}
#endif

std::u16string TextOf(LPCWSTR text) { return text ? std::u16string(text) : std::u16string(); }

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

using devshell::State;

std::vector<ShellCall> ShellCalls() {
  std::lock_guard<std::mutex> guard(State().lock);
  return State().journal;
}

std::vector<ShellCall> ShellCallsTo(const std::string& function) {
  std::lock_guard<std::mutex> guard(State().lock);
  std::vector<ShellCall> calls;
  for (const auto& call : State().journal)
    if (call.function == function) calls.push_back(call);
  return calls;
}

void ClearShellCalls() {
  std::lock_guard<std::mutex> guard(State().lock);
  State().journal.clear();
}

void UseHostShell() {
  auto& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.notificationsShown = false;
  state.phoneScripted = false;
}

void ResetShell() {
  auto& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.journal.clear();
  state.notifications.clear();
  state.hotKeys.clear();
  state.shellHeldKeys = devshell::DefaultShellHeldKeys();
  state.keysHeldElsewhere.clear();
  state.appKeyWindows.clear();
  state.menuBars.clear();
  state.changeRegistrations.clear();
  state.liveFileChanges.clear();
  state.placedCalls.clear();
  state.notificationsShown = true;
  state.phoneScripted = true;
  state.orientationSet = false;
  state.orientation = DMDO_0;
  state.displayFailure = 0;
  state.gestureAnswer = 0;
  state.gestureScripted = false;
  state.phoneAnswer = 0;
  // The hooks belong to the windows layer and stay.
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
