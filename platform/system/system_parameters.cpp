// The stored device settings and SystemParametersInfoW over them. The
// platform type comes from the device profile, the work area from the
// windows layer's screen.
#include "platform/system/system_parameters.h"

#include <mutex>

#include "platform/core/last_error.h"
#include "platform/core/device_profile.h"
#include "platform/windows/screen.h"
#include "platform/windows/window_manager.h"

#ifdef TESSALYN_TEST_HOOKS
#include "platform/system/system_parameters_hooks.h"
#endif

namespace {

struct SettingsState {
  std::mutex lock;
  DWORD batteryIdleTimeout = devsystem::kDefaultBatteryIdleTimeout;
  int broadcasts = 0;
#ifdef TESSALYN_TEST_HOOKS
  bool platformTypeRefused = false;
#endif
};

SettingsState& State() {
  static SettingsState* state = new SettingsState;  // lives for the process
  return *state;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

BOOL GetPlatformType(UINT bufferBytes, LPVOID buffer) {
#ifdef TESSALYN_TEST_HOOKS
  {
    SettingsState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.platformTypeRefused) return Fail(ERROR_ACCESS_DENIED);
  }
#endif
  const char16_t* type = devsystem::Profile().platform == devsystem::DevicePlatform::Smartphone ? u"SmartPhone"
                                                                                            : u"PocketPC";
  size_t units = 0;
  while (type[units]) ++units;
  if (!buffer) return Fail(ERROR_INVALID_PARAMETER);
  if (bufferBytes / sizeof(WCHAR) < units + 1) return Fail(ERROR_INSUFFICIENT_BUFFER);
  WCHAR* out = static_cast<WCHAR*>(buffer);
  for (size_t i = 0; i <= units; ++i) out[i] = type[i];
  return TRUE;
}

}  // namespace

BOOL SystemParametersInfoW(UINT action, UINT uiParam, LPVOID pvParam, UINT winIni) {
  SettingsState& state = State();
  switch (action) {
    case SPI_GETBATTERYIDLETIMEOUT: {
      if (!pvParam) return Fail(ERROR_INVALID_PARAMETER);
      std::lock_guard<std::mutex> guard(state.lock);
      *static_cast<DWORD*>(pvParam) = state.batteryIdleTimeout;
      return TRUE;
    }
    case SPI_SETBATTERYIDLETIMEOUT: {
      std::lock_guard<std::mutex> guard(state.lock);
      state.batteryIdleTimeout = uiParam;
      if (winIni & SPIF_SENDCHANGE) ++state.broadcasts;
      return TRUE;
    }
    case SPI_GETPLATFORMTYPE:
      return GetPlatformType(uiParam, pvParam);
    case SPI_GETWORKAREA: {
      if (!pvParam) return Fail(ERROR_INVALID_PARAMETER);
      std::lock_guard<std::mutex> guard(devwin::Manager().lock);
      *static_cast<RECT*>(pvParam) = devwin::WorkArea();
      return TRUE;
    }
    default:
      return Fail(ERROR_INVALID_PARAMETER);
  }
}

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

DWORD BatteryIdleTimeout() {
  SettingsState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.batteryIdleTimeout;
}

void SetBatteryIdleTimeout(DWORD seconds) {
  SettingsState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.batteryIdleTimeout = seconds;
}

int SettingChangeBroadcasts() {
  SettingsState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.broadcasts;
}

void ResetSystemParameters() {
  SettingsState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.batteryIdleTimeout = kDefaultBatteryIdleTimeout;
  state.broadcasts = 0;
  state.platformTypeRefused = false;
}

void RefusePlatformTypeQuery(bool refuse) {
  SettingsState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.platformTypeRefused = refuse;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
