// Registering every control class of this area, and the hold recogniser
// behind SHRecognizeGesture.
#include "platform/controls/control_classes.h"

#include "platform/controls/gesture.h"
#include "platform/shell/shell_calls.h"

namespace devcontrols {
bool RegisterStaticClass();
bool RegisterButtonClass();
bool RegisterEditClass();
bool RegisterListViewClass();
bool RegisterToolbarClass();
bool RegisterComboBoxClass();
bool RegisterStatusBarClass();
bool RegisterTrackBarClass();
bool RegisterUpDownClass();
bool RegisterTabControlClass();
bool RegisterTooltipClass();
}  // namespace devcontrols

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (init != nullptr && init->dwSize < sizeof(INITCOMMONCONTROLSEX)) return FALSE;
  bool ok = devcontrols::RegisterStaticClass() && devcontrols::RegisterButtonClass() &&
            devcontrols::RegisterEditClass() &&
            devcontrols::RegisterListViewClass() &&
            devcontrols::RegisterToolbarClass() &&
            devcontrols::RegisterComboBoxClass() &&
            devcontrols::RegisterStatusBarClass() && devcontrols::RegisterTrackBarClass() &&
            devcontrols::RegisterUpDownClass() && devcontrols::RegisterTabControlClass() && devcontrols::RegisterTooltipClass();
  devshell::SetGestureRecognizer(devcontrols::RecognizeGesture);
  return ok ? TRUE : FALSE;
}

void InitCommonControls() {
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0xFFFF};
  InitCommonControlsEx(&init);
}
