// What the browser view asks of its window and the window's set, over the
// set's own operations. A view without a window (a frame's view, a test's
// lone view) has no other window to find or move.
#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"

DocumentView* FindViewOfWindowSet(BrowserWindow* window, const SharedWideString& name) {
  if (window == nullptr || window->owner == nullptr) return nullptr;
  return window->owner->FindWindowView(name);
}

DocumentView* GetViewOfWindow(BrowserWindow* window) { return window != nullptr ? window->view : nullptr; }

uint32_t CountWindowsOfSet(BrowserWindow* window) {
  return window != nullptr && window->owner != nullptr ? window->owner->WindowCount() : 0;
}

BrowserWindow* GetWindowOfSet(BrowserWindow* window, uint32_t i) {
  if (window == nullptr || window->owner == nullptr || i >= window->owner->WindowCount()) return nullptr;
  return window->owner->WindowAt(i);
}

const SharedWideString* GetWindowName(BrowserWindow* window) { return window != nullptr ? &window->name : nullptr; }

void MoveWindowTo(BrowserWindow* window, const Rect& rect) {
  if (window != nullptr) window->SetWindowRect(rect);
}
