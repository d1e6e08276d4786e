// ApplicationController: the Find dialog, the options, about and
// properties sheets, the go-to-page, volume and note dialogs (over their
// stand-ins until they exist), and the display's orientation.
#include "app/controller/application_controller.h"
#include "app/preferences/preferences.h"
#include "foundation/system/platform_detection.h"
#include "platform/windows/painting.h"

namespace {

// The orientation after `code` in the rotation order 1, 0, 2, 3.
int32_t NextOrientation(int32_t code) {
  switch (code) {
    case 1: return 0;
    case 0: return 2;
    case 2: return 3;
    default: return 1;
  }
}

}  // namespace

bool ApplicationController::FullScreenPreferred() const {
  return preferences_ != nullptr && preferences_->fullScreen != 0;
}

void ApplicationController::LeaveFullScreenForDialog() {
  if (fullScreen_ != 0) ToggleFullScreen(false, true);
}

void ApplicationController::ShowBarsAfterSheet() {
  if (view_ != nullptr && view_->ViewMode() == 6) {
    audioBar_.Show(true);
  } else {
    readingBar_.Show(!FullScreenPreferred());
  }
}

void ApplicationController::OpenFindDialog() {
  if (view_ != nullptr && view_->HasDocument() && view_->FollowGuideReference(u"find")) return;
  dialogs_.Run(StandInDialog::kFind);
  readingBar_.Refresh();
}

void ApplicationController::FindNext() {
  // Without an open Find dialog one is made and shown.
  OpenFindDialog();
}

bool ApplicationController::ShowOptions() {
  LeaveFullScreenForDialog();
  readingBar_.Show(false);
  audioBar_.Show(false);
  const bool ok = dialogs_.Run(StandInDialog::kOptions);
  ShowBarsAfterSheet();
  if (ok) {
    if (preferences_ != nullptr) preferences_->ApplyToView();
    SetViewArea(viewArea_, true);
    if (mainWindow_ != nullptr) InvalidateRect(mainWindow_, nullptr, TRUE);
  }
  if ((fullScreen_ != 0) != FullScreenPreferred()) ToggleFullScreen(true, true);
  return ok;
}

bool ApplicationController::ShowAbout() {
  LeaveFullScreenForDialog();
  readingBar_.Show(false);
  audioBar_.Show(false);
  const bool ok = dialogs_.Run(StandInDialog::kAbout);
  ShowBarsAfterSheet();
  return ok;
}

bool ApplicationController::ShowGoToPage() {
  const bool ok = dialogs_.Run(StandInDialog::kGoToPage);
  readingBar_.Show(!FullScreenPreferred());
  return ok;
}

bool ApplicationController::ShowVolume() { return dialogs_.Run(StandInDialog::kVolume); }

bool ApplicationController::AskText(uint32_t kind, SharedWideString* text, int32_t annotationIndex) {
  if (view_ == nullptr || text == nullptr) return false;
  LeaveFullScreenForDialog();
  readingBar_.Show(false);
  // The note dialog: a new annotation when the index is -1.
  const bool ok = dialogs_.Run(StandInDialog::kNote, static_cast<int32_t>(kind));
  (void)annotationIndex;
  readingBar_.Show(!FullScreenPreferred());
  return ok;
}

bool ApplicationController::ShowBookProperties(const EncodedString& path) {
  if (path.IsEmpty()) return false;
  return dialogs_.Run(StandInDialog::kProperties);
}

bool ApplicationController::CanRotateDisplay() const { return CanRotateScreen(); }

bool ApplicationController::SetDisplayOrientation(int32_t orientation) {
  if (!SetScreenOrientation(orientation)) return false;
  if (preferences_ != nullptr) preferences_->orientation = 0;
  return true;
}

bool ApplicationController::RotateToNextOrientation() {
  int32_t code = GetScreenOrientation();
  for (int tries = 0; tries < 4; ++tries) {
    code = NextOrientation(code);
    if (SetDisplayOrientation(code)) return true;
  }
  return false;
}
