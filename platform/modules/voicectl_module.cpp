// "voicectl.dll": the voice recorder control (platform/shell/phone_and_voice.cpp).
#include "platform/modules/emulated_module.h"
#include "platform/shell/shell_calls.h"

namespace {

constexpr VoiceRecorderCreateProc kCreate = devshell::VoiceRecorder_Create;

const EmulatedExport kExports[] = {
    {"VoiceRecorder_Create", reinterpret_cast<FARPROC>(kCreate)},
};

}  // namespace

const EmulatedModule& VoicectlModule() {
  static const EmulatedModule module{"voicectl.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
