// "voicectl.dll": the voice recorder control (platform/shell/phone_and_voice.cpp).
#include "platform/modules/emulated_module.h"
#include "platform/shell/no_throw.h"
#include "platform/shell/shell_calls.h"

namespace {

constexpr VoiceRecorderCreateProc kCreate = NoThrow<devshell::VoiceRecorder_Create>::Call;

}  // namespace

const EmulatedModule& VoicectlModule() {
  // Filled on first use, so that loading from a static initializer finds it.
  static const EmulatedExport kExports[] = {
      {"VoiceRecorder_Create", reinterpret_cast<FARPROC>(kCreate)},
  };
  static const EmulatedModule module{"voicectl.dll", kExports, sizeof(kExports) / sizeof(kExports[0])};
  return module;
}
