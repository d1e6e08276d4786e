// What the browser view asks of its window and the window's set. Until the
// window set is built a view stands alone: no other window has a name or a
// view, and there is nothing to move.
#include "browser/view/browser_view.h"

DocumentView* FindViewOfWindowSet(BrowserWindow*, const SharedWideString&) { return nullptr; }

DocumentView* GetViewOfWindow(BrowserWindow*) { return nullptr; }

uint32_t CountWindowsOfSet(BrowserWindow*) { return 0; }

BrowserWindow* GetWindowOfSet(BrowserWindow*, uint32_t) { return nullptr; }

const SharedWideString* GetWindowName(BrowserWindow*) { return nullptr; }

void MoveWindowTo(BrowserWindow*, const Rect&) {}
