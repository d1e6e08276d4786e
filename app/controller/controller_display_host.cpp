// The controller's and the view's answers to the display manager.
#include "app/controller/controller_display_host.h"

#include "app/controller/application_controller.h"
#include "app/preferences/preferences.h"
#include "platform/gdi/gdi.h"
#include "platform/windows/painting.h"

namespace {

constexpr int32_t kErrorCaption = -1;
constexpr uint32_t kErrorKind = 2;

}  // namespace

uint32_t FilterColorDepth(uint32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 8:
    case 16:
    case 24:
    case 32:
      return bitsPerPixel;
    default:
      return 0;
  }
}

bool ControllerDisplayHost::CanRotateDisplay() { return controller_->CanRotateDisplay(); }

bool ControllerDisplayHost::RotateToNextOrientation() { return controller_->RotateToNextOrientation(); }

bool ControllerDisplayHost::SetDisplayOrientation(uint8_t code) { return controller_->SetDisplayOrientation(code); }

void ControllerDisplayHost::QueryViewCapabilities(bool* a, bool* b, bool* c) {
  const AppFrameView* view = controller_->GetDocumentView();
  const uint32_t mode = view != nullptr ? view->ViewMode() : 1;
  const bool allowed = mode != 2 && mode != 3;
  *a = allowed;
  *b = allowed;
  *c = allowed;
}

void ControllerDisplayHost::SetClientRect(const Rect& rect) {
  const RECT area{rect.x, rect.y, static_cast<LONG>(rect.Right()), static_cast<LONG>(rect.Bottom())};
  controller_->SetViewArea(area, false);
  controller_->LayoutPages(controller_->viewArea());
}

void ControllerDisplayHost::StoreOrientation(uint8_t code) {
  if (controller_->preferences() != nullptr) controller_->preferences()->orientation = code;
}

int32_t ControllerDisplayHost::ColorDepth() {
  HDC screen = GetDC(nullptr);
  const int bits = screen != nullptr ? GetDeviceCaps(screen, BITSPIXEL) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return static_cast<int32_t>(FilterColorDepth(bits > 0 ? static_cast<uint32_t>(bits) : 0));
}

bool ControllerDisplayHost::GetViewRect(Rect* out) {
  AppFrameView* view = controller_->GetDocumentView();
  return view != nullptr && view->GetViewRect(out);
}

bool ControllerDisplayHost::StepViewPage() {
  AppFrameView* view = controller_->GetDocumentView();
  return view != nullptr && view->StepViewPage();
}

void ControllerDisplayHost::ScrollViewToLine(int32_t offset, int32_t step) {
  AppFrameView* view = controller_->GetDocumentView();
  if (view != nullptr) view->ScrollViewToLine(offset, step);
}

void ControllerDisplayHost::ShowError(uint32_t stringId) { controller_->ShowMessage(kErrorCaption, stringId, kErrorKind); }
