// The browser view's page events, each told to the application's event sink,
// and the sink's gates before a page event's script and a selection report.
#include "browser/host/browser_event_sink.h"
#include "browser/host/view_application.h"
#include "browser/view/browser_view.h"
#include "layout/drawing/drawing_surface.h"
#include "layout/pages/layout_context.h"
#include "layout/reading/page_element.h"

bool BrowserView::DispatchWidgetEvent(ScriptObject* source, const SharedWideString& script, Point point,
                                      SharedWideString* result) {
  if (eventSink_ != nullptr && !eventSink_->AllowScriptEvent(this, eventSinkContext_, source, script)) {
    if (result != nullptr) result->Clear();
    return false;
  }
  return DocumentView::DispatchWidgetEvent(source, script, point, result);
}

void BrowserView::OnSelectionChanged(Point point) {
  if (eventSink_ != nullptr) {
    ViewTextRange range;
    SharedWideString text;
    uint32_t firstLanguage = 0;
    uint32_t secondLanguage = 0;
    Rect onScreen;
    if (!GetSelection(&range, &text, &firstLanguage, &secondLanguage, &onScreen)) {
      range = ViewTextRange();
      text = SharedWideString();
      onScreen = Rect();
    }
    if (!eventSink_->AllowSelectionReport(this, eventSinkContext_, text, range.start, range.end, onScreen)) return;
  }
  DocumentView::OnSelectionChanged(point);
}

intptr_t BrowserView::AskSelectionHandler(int32_t value) {
  return eventSink_ != nullptr ? eventSink_->AskValue(this, eventSinkContext_, value) : 0;
}

void BrowserView::OnNavigationStarting() {
  framePosition_ = -1;
  if (eventSink_ != nullptr) eventSink_->OnNavigationStarting(this, eventSinkContext_);
}

void BrowserView::OnDocumentClosed() {
  if (source_.Get() == nullptr) return;
  RemoveAllFrames();
  DeleteSpareFrameViews();
  AttachFrameset();
  ApplyFrameBorderSetting();
  RearrangeFrameset();
}

void BrowserView::OnDocumentShown() {
  const bool reportPending = shownReportPending_ != 0;
  if (reportPending) {
    framePosition_ = -1;
    PageElement* focused = FocusedPageElement();
    if (controller_ != nullptr) controller_->OnDocumentShown(source_.Get(), focused != nullptr ? focused->GetKind() : 0);
    if (layout_ != nullptr) {
      DrawPass pass(surface_);
      layout_->Relayout();
    }
    shownReportPending_ = 0;
  }
  // The frame walk may replace the frames, and with them the element that
  // has the focus: the surface keeps it aside meanwhile.
  if (surface_ != nullptr) surface_->SaveAndClearFocus();
  PageElement* focused = FocusedPageElement();
  const int32_t position = focused != nullptr ? focused->GetSourceIndex() : -1;
  if (RunFrameWalk(position)) {
    ApplyFrameBorderSetting();
    RearrangeFrameset();
  }
  frameset_.NotifyFrames(0);
  framePosition_ = position;
  if (focusedElement_ != nullptr && documentElement_ != nullptr && !TextHasFocus()) {
    focusedElement_->TakeFocus();
  } else if (surface_ != nullptr) {
    surface_->RestoreFocus(nullptr);
  }
  if (eventSink_ != nullptr) eventSink_->OnDocumentShown(this, eventSinkContext_);
  DocumentView::OnDocumentShown();
  if (reportPending) Invalidate(true);
}

void BrowserView::OnPositionChanged(bool final) {
  if (eventSink_ != nullptr) eventSink_->OnPageChanged(this, eventSinkContext_, GetCurrentPageNumber());
  DocumentView::OnPositionChanged(final);
}

intptr_t BrowserView::OnNavigationFinished(intptr_t notify, bool changed) {
  if (eventSink_ != nullptr) eventSink_->OnListenerEvent5(this, eventSinkContext_, notify, changed);
  return DocumentView::OnNavigationFinished(notify, changed);
}
