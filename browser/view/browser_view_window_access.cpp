// What the browser view asks of its window and the window's set, over the
// set's own operations. A view without a window (a frame's view, a test's
// lone view) has no other window to find or move.
#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"

namespace {

BrowserWindowSet* SetOf(BrowserWindow* window) { return window != nullptr ? window->owner : nullptr; }

}  // namespace

DocumentView* FindViewOfWindowSet(BrowserWindow* window, const SharedWideString& name) {
  BrowserWindowSet* set = SetOf(window);
  return set != nullptr ? set->FindWindowView(name) : nullptr;
}

DocumentView* GetViewOfWindow(BrowserWindow* window) { return window != nullptr ? window->view : nullptr; }

uint32_t CountWindowsOfSet(BrowserWindow* window) {
  BrowserWindowSet* set = SetOf(window);
  return set != nullptr ? set->WindowCount() : 0;
}

BrowserWindow* GetWindowOfSet(BrowserWindow* window, uint32_t i) {
  BrowserWindowSet* set = SetOf(window);
  return set != nullptr && i < set->WindowCount() ? set->WindowAt(i) : nullptr;
}

const SharedWideString* GetWindowName(BrowserWindow* window) { return window != nullptr ? &window->name : nullptr; }

void MoveWindowTo(BrowserWindow* window, const Rect& rect) {
  if (window != nullptr) window->SetWindowRect(rect);
}

GlobalSettingsFile* GetSettingsFileOfWindowSet(BrowserWindow* window) {
  BrowserWindowSet* set = SetOf(window);
  return set != nullptr ? set->settingsFile : nullptr;
}
