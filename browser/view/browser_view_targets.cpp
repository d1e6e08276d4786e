// Addresses and link targets of the browser view: the sink's veto and the
// system's web browser for "http:" addresses, the view a target names, new
// windows for the others, and arranging the set's windows on the screen.
#include "browser/host/browser_event_sink.h"
#include "browser/host/frame_set_controller.h"
#include "browser/host/view_application.h"
#include "browser/view/browser_view.h"
#include "platform/system/system_parameters.h"

namespace {

bool NameIs(const SharedWideString& name, const char* ascii) {
  uint32_t n = 0;
  while (ascii[n] != '\0') ++n;
  if (name.length != n) return false;
  const WCHAR* chars = name.Chars();
  for (uint32_t i = 0; i < n; ++i) {
    if (chars[i] != static_cast<WCHAR>(ascii[i])) return false;
  }
  return true;
}

// The exact, case-sensitive prefix "http:".
bool IsHttpAddress(const SharedWideString& text) {
  static const char kPrefix[] = "http:";
  const uint32_t n = sizeof(kPrefix) - 1;
  if (text.length < n) return false;
  const WCHAR* chars = text.Chars();
  for (uint32_t i = 0; i < n; ++i) {
    if (chars[i] != static_cast<WCHAR>(kPrefix[i])) return false;
  }
  return true;
}

bool GetWorkArea(Rect* out) {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return false;
  *out = Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
  return true;
}

}  // namespace

bool BrowserView::SinkAllowsNavigation(const SharedWideString& text, bool absolute) {
  return eventSink_ == nullptr || eventSink_->AllowNavigation(this, eventSinkContext_, text, absolute);
}

bool BrowserView::OpenUrl(const SharedWideString& text, bool absolute) {
  if (!SinkAllowsNavigation(text, absolute)) return false;
  if (IsHttpAddress(text)) {
    if (controller_ != nullptr) controller_->OpenInSystemBrowser(text);
    return false;
  }
  return DocumentView::OpenUrl(text, absolute);
}

DocumentView* BrowserView::FindTargetView(const SharedWideString& target) {
  if (NameIs(target, "_blank")) return nullptr;
  if (target.length == 0 || NameIs(target, "_top") || NameIs(target, "_self")) return this;
  return FindViewOfWindowSet(window_, target);
}

bool BrowserView::OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect) {
  return OpenUrlInTarget(text, target, rect, 0);
}

bool BrowserView::OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect,
                                  int32_t flag) {
  DocumentView* view = FindTargetView(target);
  // The target may show another document: resolve against this one's
  // address first. An "http:" address stays as it is, for the target's
  // OpenUrl to hand to the system's browser.
  SharedWideString absolute = text;
  if (source_.Get() != nullptr && !IsHttpAddress(text)) {
    Url base;
    SharedWideString resolved;
    if (GetBaseUrl(&base) && Location::FromText(text, &base, &resolved)) absolute = resolved;
  }
  bool created = false;
  if (view == nullptr) {
    view = CreateTargetView(target, rect, flag, 1);
    if (view == nullptr) return false;
    created = true;
  }
  const bool opened = view->OpenUrl(absolute, true);
  if (!opened && created) view->CloseWindow();
  return opened;
}

DocumentView* BrowserView::CreateTargetView(const SharedWideString& target, const Rect& rect) {
  return CreateTargetView(target, rect, 0, 1);
}

DocumentView* BrowserView::CreateTargetView(const SharedWideString& target, const Rect& rect, int32_t flag,
                                            int32_t fromOpen) {
  Rect placed = rect;
  if (placed.IsEmpty()) {
    Rect area;
    if (!GetWorkArea(&area)) return nullptr;
    placed = Rect{area.x, area.y, area.width / 2, area.height / 2};
  }
  BrowserWindow* window = nullptr;
  if (eventSink_ != nullptr) {
    window = eventSink_->OpenTargetWindow(this, eventSinkContext_, target, placed, flag, fromOpen);
  } else if (frameSetController_ != nullptr) {
    window = frameSetController_->OpenTargetWindow(target, placed, flag, fromOpen);
  }
  return GetViewOfWindow(window);
}

// The slots are counted from the windows that will be placed, so that the
// last one never lands outside the work area (every window has a name, so
// counting "all windows but one" when unnamed ones are skipped would leave
// one slot too few).
void BrowserView::Rearrange(bool vertical, bool skipUnnamed) {
  const uint32_t count = CountWindowsOfSet(window_);
  uint32_t slots = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const SharedWideString* name = GetWindowName(GetWindowOfSet(window_, i));
    if (!skipUnnamed || (name != nullptr && name->length != 0)) ++slots;
  }
  if (slots == 0) return;
  Rect area;
  if (!GetWorkArea(&area)) return;
  uint32_t slot = 0;
  for (uint32_t i = 0; i < count && slot < slots; ++i) {
    BrowserWindow* window = GetWindowOfSet(window_, i);
    const SharedWideString* name = GetWindowName(window);
    if (skipUnnamed && (name == nullptr || name->length == 0)) continue;
    MoveWindowTo(window, ArrangeSlot(area, slots, slot++, vertical));
  }
}

Rect BrowserView::ArrangeSlot(const Rect& area, uint32_t slots, uint32_t index, bool vertical) {
  if (slots == 0) return Rect{area.x, area.y, 0, 0};
  const int32_t n = static_cast<int32_t>(slots);
  const int32_t i = static_cast<int32_t>(index);
  const int32_t step = (vertical ? area.height : area.width) / n;
  return vertical ? Rect{area.x, area.y + i * step, area.width, step}
                  : Rect{area.x + i * step, area.y, step, area.height};
}
