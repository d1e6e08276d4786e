// cellcore's call request and voicectl's recorder. The host has no phone: a
// call request fails as having no application to take it (last error
// ERROR_NOT_SUPPORTED) unless a test scripts the phone's answer. The
// recorder's window comes from the windows layer when it offers one.
#include "platform/core/last_error.h"
#include "platform/shell/shell_state.h"

namespace devshell {

LONG tapiRequestMakeCallW(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty, LPCWSTR comment) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  LONG result = TAPIERR_NOREQUESTRECIPIENT;
#ifdef TESSALYN_TEST_HOOKS
  if (state.phoneScripted) {
    result = state.phoneAnswer;
    if (!number || !*number) result = TAPIERR_INVALDESTADDRESS;
    if (result == 0)
      state.placedCalls.push_back(PlacedCall{TextOf(number), TextOf(application), TextOf(calledParty), TextOf(comment)});
    return static_cast<LONG>(Record(state, "tapiRequestMakeCallW", nullptr, {}, TextOf(number), result));
  }
#else
  (void)application;
  (void)calledParty;
  (void)comment;
#endif
  SetLastError(ERROR_NOT_SUPPORTED);
  return static_cast<LONG>(Record(state, "tapiRequestMakeCallW", nullptr, {}, TextOf(number), result));
}

HWND VoiceRecorder_Create(CM_VOICE_RECORDER* settings) {
  HWND recorder = nullptr;
  HWND (*hook)(CM_VOICE_RECORDER*) = nullptr;
  {
    ShellState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    hook = state.hooks.createVoiceRecorder;
  }
  if (settings && settings->cb >= sizeof(CM_VOICE_RECORDER) && hook) recorder = hook(settings);
  // Without a recorder window there is nothing to record with.
  if (!recorder && !hook) SetLastError(ERROR_NOT_SUPPORTED);
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  if (!settings) {
    Record(state, "VoiceRecorder_Create", nullptr, {}, u"", 0);
  } else {
    Record(state, "VoiceRecorder_Create", settings->hwndParent, {settings->dwStyle},
           TextOf(settings->lpszRecordFileName), recorder ? 1 : 0);
  }
  return recorder;
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

std::vector<PlacedCall> PlacedCalls() {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.placedCalls;
}

void SetPhoneCallAnswer(LONG result) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.phoneAnswer = result;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
