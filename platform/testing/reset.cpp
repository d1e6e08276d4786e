// One line per platform concern, lowest first.
#include "platform/testing/reset.h"

#include "platform/core/last_error.h"
#include "platform/testing/allocation.h"
#include "platform/testing/audio.h"
#include "platform/testing/clock.h"
#include "platform/testing/files.h"
#include "platform/testing/fonts.h"
#include "platform/testing/gdi.h"
#include "platform/testing/launch.h"
#include "platform/testing/modules.h"
#include "platform/testing/profile.h"
#include "platform/testing/shell.h"
#include "platform/testing/system_parameters.h"
#include "platform/testing/text.h"
#include "platform/testing/threads.h"
#include "platform/testing/ui.h"
#include "platform/testing/windows.h"

namespace devtest {

void ResetDevice() {
  ResetAllocations();
  SetLastError(0);
  ResetProfile();
  ResetClock();
  ResetThreads();
  ResetAudio();
  ResetSystemParameters();
  ResetModules();
  ResetShell();
  ResetLaunch();
  ResetCodePages();
  ResetWindows();
  ResetUi();
  ResetGdi();
  ResetFonts();
  ResetFiles();
}

}  // namespace devtest
