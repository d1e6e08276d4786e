// FrameDocumentView: the document view of one frame of a browser window's
// frame set. It is a plain document view wired as the window's view is (its
// form log, loader, preferences, surface and controller) that shows the
// frame its document numbers, and it is what the frame set asks about the
// frame (its element, whether the reader can move the focus into it). The
// reading text's keys that leave the frame's links go to the window's view,
// which moves between frames before pages.
#pragma once

#include <cstdint>

#include "browser/view/document_view.h"
#include "layout/frames/frame_view.h"
#include "layout/frames/frameset_element.h"

class BrowserView;

class FrameDocumentView final : public DocumentView, public FrameView {
 public:
  FrameDocumentView() = default;

  // A view wired as the parent is (when there is one); null on lack of
  // memory. The frame form marks the view as made for a frame.
  static FrameDocumentView* Create(DocumentView* parent, bool frame);
  // The window's view that holds the view in its frame set; without one the
  // keys move only the frame's own pages.
  void SetWindow(BrowserView* window) { window_ = window; }

  // Shows the document's frame of that number in this view (the number is
  // the view's embedding word from then on); false when it cannot be
  // shown.
  bool ShowFrame(DocumentSource* source, int32_t number);

  // ---- FrameView
  UIElement* FrameElement() override { return static_cast<UIContainer*>(this); }
  bool CanTakeFocus() override;
  void FocusEdgeItem(bool first) override;
  int32_t GetContentLength(bool rows, int32_t across) override;
  void NotifyFrame(intptr_t argument) override;

  // The keys past the frame's first or last link.
  bool HandleMoveCommand(int32_t command, bool noCurrentLink) override;

 private:
  BrowserView* window_ = nullptr;  // not owned: it owns this view
};

// The view that a frame record shows: the window's own view or a frame
// view; null for a nested frame set.
DocumentView* DocumentViewOfFrame(const FrameRecord& record, BrowserView* window);
