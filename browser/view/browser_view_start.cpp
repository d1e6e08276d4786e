// Starting and closing the browser view.
#include "browser/view/browser_view.h"

bool BrowserView::Start(bool restarting) { return DocumentView::Start(restarting); }

void BrowserView::CloseView() { DocumentView::CloseView(); }
