// FrameView: what a frameset needs of the document view shown in one of its
// frames. The browser's document view implements it; the frameset reaches
// the view's on-screen element through it and asks it nothing more.
#pragma once

#include <cstdint>

class UIElement;

class FrameView {
 public:
  // The element that shows the view; the frameset makes it a child of its
  // own and arranges it in the frame's strip.
  virtual UIElement* FrameElement() = 0;
  // Whether the view has anything the reader can move the focus to (a link
  // of its page that carries an action).
  virtual bool CanTakeFocus() = 0;
  // Makes the view's first (first = true) or last focusable item current.
  virtual void FocusEdgeItem(bool first) = 0;
  // The pixels the view's content needs along the frameset's divided
  // dimension (its height for rows, its width for columns) when it spans
  // `across` pixels of the other; 0 without a laid-out document.
  virtual int32_t GetContentLength(bool rows, int32_t across) = 0;
  // The notification the frameset hands to every frame.
  virtual void NotifyFrame(intptr_t argument) = 0;

 protected:
  ~FrameView() = default;
};
