// cellcore's call request and voicectl's recorder: the phone accepts or
// refuses as the test says; the recorder's window comes from the windows
// layer.
#include "platform/shell/shell_state.h"

namespace devshell {

LONG tapiRequestMakeCallW(LPCWSTR number, LPCWSTR application, LPCWSTR calledParty, LPCWSTR comment) {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  LONG result = state.phoneAnswer;
  if (!number || !*number) result = TAPIERR_INVALDESTADDRESS;
  if (result == 0)
    state.placedCalls.push_back(
        devtest::PlacedCall{TextOf(number), TextOf(application), TextOf(calledParty), TextOf(comment)});
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
