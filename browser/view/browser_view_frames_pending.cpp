// The browser view's frame walk and the focus in frames, not built yet. Each
// operation answers failure or does nothing, so that the view shows its
// document alone, without frames.
#include "browser/view/browser_view.h"

void BrowserView::ExecuteCommand(int32_t command, intptr_t arg) { DocumentView::ExecuteCommand(command, arg); }

bool BrowserView::HandleMoveCommand(int32_t, bool) { return false; }

UIElement* BrowserView::FrameElement() { return this; }

bool BrowserView::CanTakeFocus() { return false; }

void BrowserView::FocusEdgeItem(bool) {}

int32_t BrowserView::GetContentLength(bool, int32_t) { return 0; }

void BrowserView::NotifyFrame(intptr_t) {}

bool BrowserView::RunFrameWalk(int32_t) { return false; }

void BrowserView::RemoveAllFrames() {}

void BrowserView::DeleteSpareFrameViews() {}

bool BrowserView::AttachFrameset() { return false; }

void BrowserView::ReleaseFrameView(const FrameRecord&, UIElement*, bool) {}

bool BrowserView::GetFocusPath(SegmentedTypedArray<int32_t>*) { return false; }

void BrowserView::RestoreFocus() {}

DocumentView* BrowserView::CreateChildView(DocumentView*) { return nullptr; }

DocumentView* BrowserView::CreateFrameView(DocumentView*) { return nullptr; }

bool BrowserView::GetFramePath(SegmentedTypedArray<int32_t>* path) { return DocumentView::GetFramePath(path); }

void BrowserView::SetPendingFocusPath(const SegmentedTypedArray<int32_t>&) {}
