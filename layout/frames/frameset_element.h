// FramesetElement: an on-screen container that divides its rectangle among
// frames, stacked in rows or side by side in columns. Each frame is a
// document view (FrameView) or a nested frameset; the frameset arranges
// them, finds a view by its frame's name, and moves the focus from frame to
// frame for the browser.
//
// The frameset does not own its frames' elements. When its frames are
// removed (RemoveAllFrames, and the destructor) the views are detached and
// every frame not marked otherwise is reported to the frame owner, which
// may delete the element then; nested framesets are emptied the same way and
// stay attached.
#pragma once

#include <cstdint>

#include "foundation/containers/segmented_array.h"
#include "foundation/wide_string/shared_wide_string.h"
#include "layout/elements/ui_container.h"
#include "layout/frames/frame_division.h"
#include "layout/frames/frame_view.h"

class FramesetElement;

// Frame options.
inline constexpr uint8_t kFrameNested = 0x01;         // the frame is a nested frameset (set by AddFrameset)
inline constexpr uint8_t kFrameNoReport = 0x02;       // not reported to the owner when removed
inline constexpr uint8_t kFrameSizedByContent = 0x04;  // a pixel frame as long as its view's content

struct FrameRecord {
  SharedWideString name;
  uint8_t flags = 0;
  FrameSize size;
  UIElement* element = nullptr;
  FrameView* view = nullptr;           // null for a nested frameset
  FramesetElement* nested = nullptr;   // null for a view
  // Watches the element: a frame whose element was destroyed while it was
  // a frame is skipped from then on and never reported.
  LifetimeGuard alive;
};

// Told of every frame removed from a frameset (unless the frame asked not to
// be reported); it may delete the element.
class FrameOwner {
 public:
  virtual void OnFrameRemoved(const FrameRecord& record, UIElement* element, bool nested) = 0;

 protected:
  ~FrameOwner() = default;
};

class FramesetElement : public UIContainer, public FrameOwner {
 public:
  FramesetElement();
  ~FramesetElement() override;

  // ---- Container operations.
  void Arrange(Rect* remaining, const Rect& rect) override;
  int32_t GetLayer() override { return 0; }
  void OnChildFocusChanged(UIElement* element, UIElement* origin, bool focused) override;
  // Arranges again in the rectangle last arranged.
  virtual void Relayout();

  // The frameset's own owner behaviour: nothing to do.
  void OnFrameRemoved(const FrameRecord& /*record*/, UIElement* /*element*/, bool /*nested*/) override {}

  // ---- Set-up.
  // Null gives the frameset itself back as the owner.
  void SetOwner(FrameOwner* owner) { owner_ = owner != nullptr ? owner : this; }
  // Rows: the frames are stacked vertically (the default); else columns.
  void SetRows(bool rows) { rows_ = rows ? 1 : 0; }
  bool Rows() const { return rows_ != 0; }
  // The pixels of one unit for frames sized in units; nested framesets take
  // it over when arranged.
  void SetUnit(int32_t unit) { unit_ = unit; }
  int32_t Unit() const { return unit_; }

  // Appends a frame showing the view (options: kFrameNoReport,
  // kFrameSizedByContent), making the view's element a child. False on lack
  // of memory, with nothing added.
  bool AddFrame(FrameView* view, const SharedWideString& name, FrameSize size, uint8_t options);
  // Appends a nested frameset as a frame (sized-by-content does not apply).
  bool AddFrameset(FramesetElement* frameset, const SharedWideString& name, FrameSize size, uint8_t options);
  // Empties the frameset as the header comment says.
  void RemoveAllFrames();

  // ---- Queries.
  uint32_t FrameCount() const { return frames_.count; }
  const FrameRecord* FrameAt(uint32_t i) const { return i < frames_.count ? RecordAt(i) : nullptr; }
  const Rect& ArrangedRect() const { return rect_; }
  // The view of the first frame with the name, depth first (nested
  // framesets searched where they stand); null when none.
  FrameView* FindFrame(const WCHAR* name, uint32_t length) const;
  // The view that has the focus, through nested framesets; null when none.
  FrameView* GetFocusedFrameView() const;
  // Whether the element is a view frame anywhere below (framesets are not).
  bool ContainsFrame(const UIElement* element) const;
  // Moves the focus to the next (forward) or previous frame whose view can
  // take it, starting after the focused frame, or from the first (last)
  // frame when restarting or when no frame has the focus, nested framesets
  // included; the view's first (forward) or last focusable item becomes
  // current. False when no such frame follows.
  bool FocusNextFrame(bool forward, bool restart);
  // Frames, nested ones included, whose view can take the focus.
  uint32_t CountFocusableFrames() const;
  // Hands the argument to every view, nested ones included.
  void NotifyFrames(intptr_t argument);

 private:
  FrameRecord* RecordAt(uint32_t i) const { return *static_cast<FrameRecord**>(frames_.At(i)); }
  bool Append(UIElement* element, FrameView* view, FramesetElement* nested, const SharedWideString& name,
              FrameSize size, uint8_t flags);
  int32_t IndexOfFocusedFrame() const;

  FrameOwner* owner_;
  uint8_t rows_ = 1;
  int32_t unit_ = 1;
  Rect rect_;
  LifetimeGuard focusedGuard_;           // watches the focused frame's element
  UIElement* focusedFrame_ = nullptr;    // meaningful while the guard watches
  SegmentedArray frames_;                // FrameRecord*, in order
};
