// FramesetElement: frames added and removed, their arrangement, and the
// focus moving among them.
#include "layout/frames/frameset_element.h"

#include <new>

#include "platform/memory/allocator.h"

namespace {
constexpr uint8_t kListShift = 2;  // blocks of four records
constexpr uint32_t kLocalFrames = 8;

int32_t Clamp32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}
}  // namespace

FramesetElement::FramesetElement() : owner_(this) { frames_.InitWithShift(sizeof(FrameRecord*), kListShift, 0, 0); }

FramesetElement::~FramesetElement() {
  RemoveAllFrames();
  frames_.Free();
}

bool FramesetElement::Append(UIElement* element, FrameView* view, FramesetElement* nested,
                             const SharedWideString& name, FrameSize size, uint8_t flags) {
  // An element shows in one frame only: a second record would arrange it
  // twice and report it twice.
  if (element == nullptr || element == this || element->GetParent() == this) return false;
  FrameRecord* record = DeviceNew<FrameRecord>();
  if (record == nullptr) return false;
  record->name = name;
  record->flags = flags;
  record->size = size;
  record->element = element;
  record->view = view;
  record->nested = nested;
  record->alive.Watch(element->Anchor());
  if (frames_.Append(&record) < 0) {
    delete record;
    return false;
  }
  if (!element->SetParent(this)) {
    frames_.RemoveAt(frames_.count - 1, 1);
    delete record;
    return false;
  }
  return true;
}

bool FramesetElement::AddFrame(FrameView* view, const SharedWideString& name, FrameSize size, uint8_t options) {
  if (view == nullptr) return false;
  const uint8_t flags = options & (kFrameNoReport | kFrameSizedByContent);
  return Append(view->FrameElement(), view, nullptr, name, size, flags);
}

bool FramesetElement::AddFrameset(FramesetElement* frameset, const SharedWideString& name, FrameSize size,
                                  uint8_t options) {
  if (frameset == nullptr) return false;
  const uint8_t flags = static_cast<uint8_t>((options & kFrameNoReport) | kFrameNested);
  return Append(frameset, nullptr, frameset, name, size, flags);
}

void FramesetElement::RemoveAllFrames() {
  // The records are taken out of the frameset first: the owner hears of
  // them afterwards and may delete elements, add frames again or destroy
  // this very frameset without the walk touching anything gone.
  SegmentedArray removed(sizeof(FrameRecord*));
  removed.MoveFrom(frames_);
  focusedGuard_.Release();
  focusedFrame_ = nullptr;
  FrameOwner* owner = owner_;
  for (uint32_t i = 0; i < removed.count; ++i) {
    FrameRecord* record = *static_cast<FrameRecord**>(removed.At(i));
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      record->nested->RemoveAllFrames();  // stays attached
    } else {
      record->element->SetParent(nullptr);
    }
  }
  for (uint32_t i = 0; i < removed.count; ++i) {
    FrameRecord* record = *static_cast<FrameRecord**>(removed.At(i));
    if ((record->flags & kFrameNoReport) == 0 && record->alive.IsWatching()) {
      owner->OnFrameRemoved(*record, record->element, (record->flags & kFrameNested) != 0);
    }
    delete record;
  }
  removed.Free();
}

void FramesetElement::Arrange(Rect* remaining, const Rect& rect) {
  rect_ = rect;
  const bool rows = rows_ != 0;
  // The frames take the whole rectangle: what is left is empty, at its end.
  *remaining = rows ? Rect{rect.x, Clamp32(int64_t{rect.y} + rect.height), rect.width, 0}
                    : Rect{Clamp32(int64_t{rect.x} + rect.width), rect.y, 0, rect.height};
  const uint32_t count = frames_.count;
  if (count == 0) return;

  FrameSize localSizes[kLocalFrames];
  Rect localStrips[kLocalFrames];
  FrameSize* sizes = localSizes;
  Rect* strips = localStrips;
  if (count > kLocalFrames) {
    sizes = new (std::nothrow) FrameSize[count];
    strips = new (std::nothrow) Rect[count];
    if (sizes == nullptr || strips == nullptr) {  // nothing is moved rather than half of it
      delete[] sizes;
      delete[] strips;
      return;
    }
  }
  const int32_t across = rows ? rect.width : rect.height;
  for (uint32_t i = 0; i < count; ++i) {
    FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) {
      sizes[i] = FrameSize{0, kFrameSizePixels};
      continue;
    }
    if ((record->flags & kFrameSizedByContent) != 0 && record->nested == nullptr) {
      const int32_t length = record->view->GetContentLength(rows, across);
      record->size = FrameSize{length > 0 ? length : 0, kFrameSizePixels};
    }
    sizes[i] = record->size;
  }
  DivideFrameset(rect, rows, sizes, count, unit_, strips);

  // A frame's arrangement may reach back into the frameset (a view that
  // destroys itself or its frameset): the walk stops when the frameset goes
  // and never reads past the records that remain.
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < count && i < frames_.count; ++i) {
    FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) record->nested->unit_ = unit_;
    Rect left = strips[i];
    record->element->Arrange(&left, strips[i]);
    if (!self.IsWatching()) break;
  }
  if (sizes != localSizes) {
    delete[] sizes;
    delete[] strips;
  }
}

void FramesetElement::Relayout() {
  Rect left;
  Arrange(&left, rect_);
}

void FramesetElement::OnChildFocusChanged(UIElement* element, UIElement* origin, bool focused) {
  // The child of this frameset on the way to the focused element: the
  // element itself, or the nested frameset that passed the news up.
  UIElement* child = origin != nullptr ? origin : element;
  if (focused) {
    focusedGuard_.Watch(child->Anchor());
    focusedFrame_ = child;
  } else if (focusedGuard_.IsWatching() && focusedFrame_ == child) {
    focusedGuard_.Release();
    focusedFrame_ = nullptr;
  }
  UIContainer::OnChildFocusChanged(element, origin, focused);
}

int32_t FramesetElement::IndexOfFocusedFrame() const {
  if (!focusedGuard_.IsWatching()) return -1;
  for (uint32_t i = 0; i < frames_.count; ++i) {
    if (RecordAt(i)->element == focusedFrame_) return static_cast<int32_t>(i);
  }
  return -1;
}

FrameView* FramesetElement::FindFrame(const WCHAR* name, uint32_t length) const {
  for (uint32_t i = 0; i < frames_.count; ++i) {
    const FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      FrameView* found = record->nested->FindFrame(name, length);
      if (found != nullptr) return found;
    } else if (record->name.Compare(name, length, false) == 0) {
      return record->view;
    }
  }
  return nullptr;
}

FrameView* FramesetElement::GetFocusedFrameView() const {
  const int32_t index = IndexOfFocusedFrame();
  if (index < 0) return nullptr;
  const FrameRecord* record = RecordAt(static_cast<uint32_t>(index));
  return record->nested != nullptr ? record->nested->GetFocusedFrameView() : record->view;
}

bool FramesetElement::ContainsFrame(const UIElement* element) const {
  for (uint32_t i = 0; i < frames_.count; ++i) {
    const FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr ? record->nested->ContainsFrame(element) : record->element == element) {
      return true;
    }
  }
  return false;
}

bool FramesetElement::FocusNextFrame(bool forward, bool restart) {
  const int32_t step = forward ? 1 : -1;
  const int32_t focused = restart ? -1 : IndexOfFocusedFrame();
  LifetimeGuard self(&anchor_);
  int32_t i;
  if (focused >= 0) {
    // Inside a focused nested frameset the search goes on from its own
    // focused frame before leaving it.
    FramesetElement* nested = RecordAt(static_cast<uint32_t>(focused))->nested;
    if (nested != nullptr && nested->FocusNextFrame(forward, false)) return true;
    if (!self.IsWatching()) return false;
    i = focused + step;
  } else {
    i = forward ? 0 : static_cast<int32_t>(frames_.count) - 1;
  }
  for (; i >= 0 && i < static_cast<int32_t>(frames_.count); i += step) {
    FrameRecord* record = RecordAt(static_cast<uint32_t>(i));
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      if (record->nested->FocusNextFrame(forward, true)) return true;
      if (!self.IsWatching()) return false;
      continue;
    }
    FrameView* view = record->view;
    UIElement* element = record->element;
    LifetimeGuard viewGuard(element->Anchor());
    if (!view->CanTakeFocus()) {
      if (!self.IsWatching()) return false;
      continue;
    }
    if (!viewGuard.IsWatching()) return false;
    element->TakeFocus();
    if (!viewGuard.IsWatching()) return false;
    view->FocusEdgeItem(forward);
    return true;
  }
  return false;
}

uint32_t FramesetElement::CountFocusableFrames() const {
  uint32_t count = 0;
  for (uint32_t i = 0; i < frames_.count; ++i) {
    const FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      count += record->nested->CountFocusableFrames();
    } else if (record->view->CanTakeFocus()) {
      ++count;
    }
  }
  return count;
}

void FramesetElement::NotifyFrames(intptr_t argument) {
  LifetimeGuard self(&anchor_);
  for (uint32_t i = 0; i < frames_.count; ++i) {
    FrameRecord* record = RecordAt(i);
    if (!record->alive.IsWatching()) continue;
    if (record->nested != nullptr) {
      record->nested->NotifyFrames(argument);
    } else {
      record->view->NotifyFrame(argument);
    }
    if (!self.IsWatching()) return;
  }
}
