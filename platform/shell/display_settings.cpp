// The emulated display's orientation behind ChangeDisplaySettingsEx.
#include "platform/shell/display_settings.h"

#include "platform/shell/shell_state.h"
#include "platform/core/device_profile.h"

namespace devshell {
namespace {

bool IsOrientation(DWORD value) {
  return value == DMDO_0 || value == DMDO_90 || value == DMDO_180 || value == DMDO_270;
}

// The orientation in force (lock held): the one set last, else the profile's.
DWORD Orientation(const ShellState& state) {
  if (state.orientationSet) return state.orientation;
  devsystem::DeviceProfile profile = devsystem::Profile();
  return profile.canRotate && IsOrientation(profile.orientation) ? profile.orientation : DMDO_0;
}

LONG Change(ShellState& state, DEVMODEW* mode, DWORD flags, bool* changed) {
  if (!mode) return DISP_CHANGE_BADPARAM;
  bool canRotate = devsystem::Profile().canRotate;
  if (flags & CDS_TEST) {
    if (mode->dmFields & DM_DISPLAYQUERYORIENTATION) {
      if (!canRotate) return DISP_CHANGE_BADMODE;
      mode->dmDisplayQueryOrientation = DMDO_90 | DMDO_180 | DMDO_270;
      return DISP_CHANGE_SUCCESSFUL;
    }
    if (mode->dmFields & DM_DISPLAYORIENTATION) {
      mode->dmDisplayOrientation = Orientation(state);
      return DISP_CHANGE_SUCCESSFUL;
    }
    return DISP_CHANGE_BADMODE;
  }
  if (!(mode->dmFields & DM_DISPLAYORIENTATION)) return DISP_CHANGE_BADMODE;
  if (!IsOrientation(mode->dmDisplayOrientation)) return DISP_CHANGE_BADMODE;
  if (state.displayFailure != 0) return state.displayFailure;
  if (!canRotate && mode->dmDisplayOrientation != DMDO_0) return DISP_CHANGE_BADMODE;
  *changed = Orientation(state) != mode->dmDisplayOrientation;
  state.orientation = mode->dmDisplayOrientation;
  state.orientationSet = true;
  return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace

LONG ChangeDisplaySettingsEx(LPCWSTR, DEVMODEW* mode, HWND window, DWORD flags, LPVOID) {
  ShellState& state = State();
  bool changed = false;
  LONG result = DISP_CHANGE_FAILED;
  void (*announce)() = nullptr;
  {
    std::lock_guard<std::mutex> guard(state.lock);
    result = Change(state, mode, flags, &changed);
    std::vector<int64_t> args;
    if (mode) args = {mode->dmFields, mode->dmDisplayOrientation, flags};
    Record(state, "ChangeDisplaySettingsEx", window, std::move(args), u"", result);
    announce = state.hooks.orientationChanged;
  }
  // Without the lock: the windows that receive the news ask the shell for
  // the screen's new size.
  if (changed && announce != nullptr) announce();
  return result;
}

DWORD CurrentDisplayOrientation() {
  ShellState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return Orientation(state);
}

}  // namespace devshell

#ifdef TESSALYN_TEST_HOOKS
namespace devtest {

DWORD DisplayOrientation() { return devshell::CurrentDisplayOrientation(); }

void SetDisplayOrientation(DWORD orientation) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.orientation = orientation;
  state.orientationSet = true;
}

void FailDisplayChanges(LONG result) {
  auto& state = devshell::State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.displayFailure = result;
}

}  // namespace devtest
#endif  // TESSALYN_TEST_HOOKS
