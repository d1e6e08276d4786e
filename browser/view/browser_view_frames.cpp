// The browser view's frames: the frame walk that builds the window's frame
// set from the shown document's frame description, the frame views it makes
// and keeps for the next walk, and the view itself as the frame "_main".
//
// A walk runs in three steps. The entries that become frames are marked
// (frames of the description, less those whose name an earlier frame
// already has); a view is chosen for each marked entry that numbers a frame
// (a spare view already showing that frame, else a new one); then the frame
// set is filled in entry order. The frame set never owns a view: views it
// lets go come back through ReleaseFrameView and wait in the spare list,
// which every walk empties.
#include <new>

#include "browser/view/browser_view.h"
#include "browser/view/frame_document_view.h"
#include "platform/memory/allocator.h"
#include "storage/sources/document_source.h"

namespace {

// What one walk carries through the filling of nested frame sets.
struct FrameWalk {
  BrowserView* view = nullptr;
  FrameOwner* owner = nullptr;
  const FrameDescription* description = nullptr;
  SegmentedTypedArray<uint8_t> marked;  // one per entry
  SegmentedTypedArray<FrameDocumentView*> chosen;
  uint32_t used = 0;         // chosen views handed to the frame set so far
  bool selfAdded = false;    // the view shows in one frame at most
};

// The entries below the top that the walk reaches, in order: the children
// of an entry with children are reached, what lies below any other entry is
// skipped.
uint32_t NextReached(const FrameDescription& description, uint32_t i) {
  return description.At(i).HasChildren() ? i + 1 : description.After(i);
}

// Marks the frames, then unmarks each whose name an earlier marked frame
// has. Frames without a name cannot be targeted by name, so they never
// clash. False on lack of memory.
bool MarkFrames(FrameWalk* walk) {
  const FrameDescription& description = *walk->description;
  const uint32_t count = description.Count();
  if (!walk->marked.Reserve(count)) return false;
  for (uint32_t i = 0; i < count; ++i) walk->marked.Append(0);
  for (uint32_t i = 1; i < count; i = NextReached(description, i)) {
    const FrameEntry& entry = description.At(i);
    walk->marked[i] = entry.IsFrame() && !entry.HasChildren() ? 1 : 0;
  }
  for (uint32_t i = 1; i < count; i = NextReached(description, i)) {
    const FrameEntry& entry = description.At(i);
    if (walk->marked[i] == 0 || entry.name.IsEmpty()) continue;
    for (uint32_t j = 1; j < i; j = NextReached(description, j)) {
      if (walk->marked[j] != 0 && description.At(j).name.CompareTo(entry.name) == 0) {
        walk->marked[i] = 0;
        break;
      }
    }
  }
  return true;
}

bool AnyMarked(const FrameWalk& walk) {
  for (uint32_t i = 0; i < walk.marked.Count(); ++i) {
    if (walk.marked[i] != 0) return true;
  }
  return false;
}

void DeleteChosenFrom(FrameWalk* walk, uint32_t first) {
  for (uint32_t i = first; i < walk->chosen.Count(); ++i) delete walk->chosen[i];
  walk->chosen.Clear();
}

void RemoveViewAt(SegmentedTypedArray<DocumentView*>* views, uint32_t k) {
  for (uint32_t i = k; i + 1 < views->Count(); ++i) (*views)[i] = (*views)[i + 1];
  --views->count;
}

FrameSize SizeOf(const FrameEntry& entry) { return FrameSize{entry.size, entry.sizeKind}; }

// Adds the children of the entry at `parent` to the frame set, in order.
// False when an add failed; the frames added so far stay.
bool FillFrameset(FrameWalk* walk, FramesetElement* set, uint32_t parent) {
  const FrameDescription& description = *walk->description;
  const uint32_t end = description.After(parent);
  for (uint32_t i = parent + 1; i < end; i = description.After(i)) {
    const FrameEntry& entry = description.At(i);
    if (entry.HasChildren()) {
      FramesetElement* nested = DeviceNew<FramesetElement>();
      if (nested == nullptr) return false;
      nested->SetOwner(walk->owner);
      nested->SetRows((entry.options & kFrameEntryColumns) == 0);
      if (!set->AddFrameset(nested, entry.name, SizeOf(entry), 0)) {
        delete nested;
        return false;
      }
      if (!FillFrameset(walk, nested, i)) return false;
    } else if (walk->marked[i] == 0) {
      continue;
    } else if (entry.value == 0) {
      // The document's own view; it is never the owner's to keep.
      if (walk->selfAdded) continue;
      walk->view->SetFrameView(false);
      if (!set->AddFrame(walk->view, entry.name, SizeOf(entry), kFrameNoReport)) return false;
      walk->selfAdded = true;
    } else {
      if (walk->used >= walk->chosen.Count()) return false;
      FrameDocumentView* frame = walk->chosen[walk->used];
      frame->SetFrameView(true);
      if (!set->AddFrame(frame, entry.name, SizeOf(entry), 0)) return false;
      ++walk->used;
    }
  }
  return true;
}

}  // namespace

DocumentView* BrowserView::CreateChildView(DocumentView* parent) { return FrameDocumentView::Create(parent, false); }

DocumentView* BrowserView::CreateFrameView(DocumentView* parent) { return FrameDocumentView::Create(parent, true); }

bool BrowserView::AttachFrameset() {
  SetFrameView(false);
  const SharedWideString name(kMainFrameName);
  return frameset_.AddFrame(this, name, FrameSize{1, kFrameSizeRelative}, kFrameNoReport);
}

void BrowserView::RemoveAllFrames() {
  frameset_.RemoveAllFrames();
  ClearPageLinks();
}

void BrowserView::DeleteSpareFrameViews() {
  // Taken out first: deleting a view must not find itself in the list.
  SegmentedTypedArray<DocumentView*> spare;
  spare.MoveFrom(spareFrameViews_);
  for (uint32_t i = 0; i < spare.Count(); ++i) delete spare[i];
}

void BrowserView::ReleaseFrameView(const FrameRecord& record, UIElement* element, bool nested) {
  if (nested) {
    // The walk made every nested frame set; it goes with its frame.
    delete record.nested;
    return;
  }
  (void)element;
  DocumentView* view = DocumentViewOfFrame(record, this);
  if (view == nullptr || view == this) return;
  if (spareFrameViews_.Append(view) >= 0) return;
  view->CloseView();  // frees what the view held, which may let the list grow
  if (spareFrameViews_.Append(view) >= 0) return;
  delete view;
}

bool BrowserView::RunFrameWalk(int32_t position) {
  DocumentSource* source = GetDocumentSource();
  FrameDescription description;
  bool holdsFrames = false;
  // A description that cannot be made or does not hold together shows the
  // document alone, as one without frames does.
  if (source == nullptr || !source->GetFrameDescription(position, framePosition_, &description, &holdsFrames) ||
      !description.Check())
    holdsFrames = false;

  FrameWalk walk;
  walk.view = this;
  walk.owner = &frameReleaseSink_;
  walk.description = &description;
  if (holdsFrames && (!MarkFrames(&walk) || !AnyMarked(walk))) holdsFrames = false;

  if (!holdsFrames) {
    // Nothing changes when the view is already the only frame.
    const FrameRecord* only = frameset_.FrameCount() == 1 ? frameset_.FrameAt(0) : nullptr;
    const bool alone = only != nullptr && only->view == static_cast<FrameView*>(this);
    if (!alone) frameset_.RemoveAllFrames();
    PageElement* focused = FocusedPageElement();
    const int32_t kind = focused != nullptr ? focused->GetKind() : 0;
    if (kind != kElementWordList && kind != kElementSearchHistory && location_.url.state != kUrlLocalFile)
      ClearPageLinks();
    DeleteSpareFrameViews();
    if (!alone) AttachFrameset();
    return !alone;
  }

  RemoveAllFrames();
  frameset_.SetRows((description.At(0).options & kFrameEntryColumns) == 0);

  // A view for every marked entry that numbers a frame: a spare one that
  // shows that frame of this document, else a new one shown there.
  bool chosen = true;
  for (uint32_t i = 1; chosen && i < description.Count(); i = NextReached(description, i)) {
    const FrameEntry& entry = description.At(i);
    if (walk.marked[i] == 0 || entry.value == 0) continue;
    FrameDocumentView* frame = nullptr;
    for (uint32_t k = 0; k < spareFrameViews_.Count(); ++k) {
      DocumentView* spare = spareFrameViews_[k];
      if (spare->GetDocumentSource() == source && spare->GetEmbedding() == entry.value) {
        frame = static_cast<FrameDocumentView*>(spare);
        RemoveViewAt(&spareFrameViews_, k);
        break;
      }
    }
    if (frame == nullptr) {
      frame = static_cast<FrameDocumentView*>(CreateFrameView(this));
      if (frame == nullptr) {
        chosen = false;
        break;
      }
      frame->SetWindow(this);
      if (!frame->ShowFrame(source, entry.value)) {
        delete frame;
        chosen = false;
        break;
      }
    }
    if (walk.chosen.Append(frame) < 0) {
      delete frame;
      chosen = false;
    }
  }
  DeleteSpareFrameViews();

  if (!chosen) {
    DeleteChosenFrom(&walk, 0);
  } else if (!FillFrameset(&walk, &frameset_, 0)) {
    // The frame set keeps the frames it was given; only the views it never
    // took are deleted.
    DeleteChosenFrom(&walk, walk.used);
    chosen = false;
  }
  // A page whose frames could not be made still shows the document.
  if (!chosen && frameset_.FrameCount() == 0) AttachFrameset();
  return true;
}

// ---- The view as a frame of its own frame set.

UIElement* BrowserView::FrameElement() { return static_cast<UIContainer*>(this); }

bool BrowserView::CanTakeFocus() { return LinkAreaCount() > 0; }

void BrowserView::FocusEdgeItem(bool first) {
  const int32_t count = LinkAreaCount();
  if (count > 0) SetCurrentLink(first ? 0 : count - 1);
}

// The frame of the document's own view is sized by its entry.
int32_t BrowserView::GetContentLength(bool, int32_t) { return 0; }

void BrowserView::NotifyFrame(intptr_t argument) {
  if (focusedElement_ != nullptr) focusedElement_->Notify(static_cast<int32_t>(argument));
}
