// What the browser view asks of its window and the window's set.
#include "browser/view/browser_view.h"
#include "browser/view/browser_window_set.h"

namespace {

BrowserWindowSet* SetOf(BrowserWindow* window) { return window != nullptr ? window->owner : nullptr; }

}  // namespace

// The set's look-up of windows by name and the moving of windows are not
// built yet: no other window is found, and nothing moves.
DocumentView* FindViewOfWindowSet(BrowserWindow*, const SharedWideString&) { return nullptr; }

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

void MoveWindowTo(BrowserWindow*, const Rect&) {}

GlobalSettingsFile* GetSettingsFileOfWindowSet(BrowserWindow* window) {
  BrowserWindowSet* set = SetOf(window);
  return set != nullptr ? set->settingsFile : nullptr;
}
