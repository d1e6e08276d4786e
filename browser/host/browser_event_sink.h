// BrowserEventSink: the application's hooks into a browser view. The
// application installs itself on each window's view; the view asks it before
// running a page event's script, before a navigation and before reporting a
// selection, tells it what the view does, and lets it open the windows that
// link targets ask for. Every operation carries the view and the context
// word the sink was installed with. Ten operations, in this order.
#pragma once

#include <cstdint>

#include "foundation/geometry/rect.h"
#include "foundation/wide_string/shared_wide_string.h"

class BrowserView;
class BrowserWindow;
class ScriptObject;

class BrowserEventSink {
 public:
  // False drops the page event before any script runs.
  // The source is the page element's script object (null for none).
  virtual bool AllowScriptEvent(BrowserView* view, int32_t context, ScriptObject* source,
                                const SharedWideString& script) = 0;
  // False drops the navigation.
  virtual bool AllowNavigation(BrowserView* view, int32_t context, const SharedWideString& text,
                               bool absolute) = 0;
  virtual void OnNavigationStarting(BrowserView* view, int32_t context) = 0;
  virtual void OnDocumentShown(BrowserView* view, int32_t context) = 0;
  virtual void OnPageChanged(BrowserView* view, int32_t context, int32_t page) = 0;
  // The window for a link target that names none of the set; null when the
  // application opens none.
  virtual BrowserWindow* OpenTargetWindow(BrowserView* view, int32_t context, const SharedWideString& target,
                                          const Rect& rect, int32_t flag, int32_t fromOpen) = 0;
  // False drops the selection report.
  virtual bool AllowSelectionReport(BrowserView* view, int32_t context, const SharedWideString& text,
                                    uint32_t start, uint32_t end, const Rect& rect) = 0;
  // The navigation-finished event of the view's listener.
  virtual void OnListenerEvent5(BrowserView* view, int32_t context, intptr_t notify, bool changed) = 0;
  virtual void SaveReadingState(BrowserView* view, int32_t context) = 0;
  // A value the view asks the application about; the answer goes back to
  // the caller.
  virtual intptr_t AskValue(BrowserView* view, int32_t context, int32_t value) = 0;

 protected:
  ~BrowserEventSink() = default;
};
