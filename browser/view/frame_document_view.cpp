// FrameDocumentView: making and wiring a frame's view, showing its frame,
// and what the frame set asks of it.
#include "browser/view/frame_document_view.h"

#include "browser/view/browser_view.h"
#include "platform/memory/allocator.h"

FrameDocumentView* FrameDocumentView::Create(DocumentView* parent, bool frame) {
  FrameDocumentView* view = DeviceNew<FrameDocumentView>();
  if (view == nullptr) return nullptr;
  if (parent != nullptr) {
    view->SetFormLog(parent->GetFormLog());
    view->SetLoader(parent->GetLoader());
    view->SetPreferences(parent->GetPreferences());
    view->SetSurface(parent->Surface());
    view->SetController(parent->GetApplication());
  }
  view->SetFrameView(frame);
  return view;
}

bool FrameDocumentView::ShowFrame(DocumentSource* source, int32_t number) {
  embedding_ = number;
  return ShowLoadedSource(source, SharedWideString());
}

bool FrameDocumentView::CanTakeFocus() { return LinkAreaCount() > 0; }

void FrameDocumentView::FocusEdgeItem(bool first) {
  const int32_t count = LinkAreaCount();
  if (count > 0) SetCurrentLink(first ? 0 : count - 1);
}

// The window's frames are sized by their entries, never by their content.
int32_t FrameDocumentView::GetContentLength(bool, int32_t) { return 0; }

void FrameDocumentView::NotifyFrame(intptr_t argument) {
  UIElement* focused = GetFocusedElement();
  if (focused != nullptr) focused->Notify(static_cast<int32_t>(argument));
}

bool FrameDocumentView::HandleMoveCommand(int32_t command, bool noCurrentLink) {
  if (window_ != nullptr) return window_->HandleMoveCommand(command, noCurrentLink);
  return DocumentView::HandleMoveCommand(command, noCurrentLink);
}

DocumentView* DocumentViewOfFrame(const FrameRecord& record, BrowserView* window) {
  if (record.view == nullptr) return nullptr;
  if (record.view == static_cast<FrameView*>(window)) return window;
  // Every other view frame of a window's frame set is a frame view the
  // window made.
  return static_cast<FrameDocumentView*>(record.view);
}
