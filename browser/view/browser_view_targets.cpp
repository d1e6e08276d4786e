// Addresses and link targets of the browser view.
#include "browser/view/browser_view.h"

bool BrowserView::OpenUrl(const SharedWideString& text, bool absolute) { return DocumentView::OpenUrl(text, absolute); }

DocumentView* BrowserView::FindTargetView(const SharedWideString&) { return this; }

bool BrowserView::OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect) {
  return OpenUrlInTarget(text, target, rect, 0);
}

bool BrowserView::OpenUrlInTarget(const SharedWideString& text, const SharedWideString& target, const Rect& rect,
                                  int32_t) {
  return DocumentView::OpenUrlInTarget(text, target, rect);
}

DocumentView* BrowserView::CreateTargetView(const SharedWideString& target, const Rect& rect) {
  return CreateTargetView(target, rect, 0, 1);
}

DocumentView* BrowserView::CreateTargetView(const SharedWideString&, const Rect&, int32_t, int32_t) {
  return nullptr;
}

void BrowserView::Rearrange(bool, bool) {}
