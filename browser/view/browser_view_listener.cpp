// The browser view's page events and the event sink's gates.
#include "browser/view/browser_view.h"

bool BrowserView::DispatchWidgetEvent(int32_t event, intptr_t argument) {
  return DocumentView::DispatchWidgetEvent(event, argument);
}

void BrowserView::OnSelectionChanged(Point point) { DocumentView::OnSelectionChanged(point); }

void BrowserView::OnNavigationStarting() { DocumentView::OnNavigationStarting(); }

void BrowserView::OnDocumentClosed() { DocumentView::OnDocumentClosed(); }

void BrowserView::OnDocumentShown() { DocumentView::OnDocumentShown(); }

void BrowserView::OnPositionChanged(bool final) { DocumentView::OnPositionChanged(final); }

intptr_t BrowserView::OnNavigationFinished(intptr_t notify, bool changed) {
  return DocumentView::OnNavigationFinished(notify, changed);
}
