// Capturing the shown state into a history entry (with the frame-path
// record for the application's current view) and restoring it: the frame
// state, a whole history entry, and the reading position saved in the
// book's side file.
#include <new>

#include "browser/host/view_application.h"
#include "browser/view/document_view.h"
#include "layout/pages/layout_context.h"
#include "storage/side_file/book_parameter_file.h"

bool DocumentView::SaveReadingState(ByteStream* stream) {
  if (layout_ == nullptr) return false;
  LayoutPosition position;
  if (!layout_->SaveState(&position, stream)) return false;
  savedPosition_ = position;
  return true;
}

bool DocumentView::LoadReadingState(ByteStream* stream) {
  if (layout_ == nullptr) return false;
  // Saved words come from a file: a position outside the text is damage.
  if (restorePosition_.start >= layout_->GetDocumentLength()) return false;
  LayoutPosition position = restorePosition_;
  if (position.number < -1) position.number = -1;
  return layout_->RestoreState(position, stream);
}

bool DocumentView::GetFramePath(SegmentedTypedArray<int32_t>* path) {
  path->Clear();
  return path->Append(GetCurrentLinkIndex()) >= 0;
}

bool DocumentView::CaptureState(HistoryEntry* entry, bool fromLayout) {
  entry->Reset();
  entry->checkpoint = checkpointFlag_;
  checkpointFlag_ = 0;
  entry->location = location_;
  ByteStream* stream = &entry->state;
  if (IsActiveView()) {
    SegmentedTypedArray<int32_t> path;
    if (!GetFramePath(&path)) return false;
    const uint32_t count = path.Count();
    const uint32_t header[2] = {kViewStateVersion, count};
    if (!stream->WriteBytes(kViewStateTag, 4) || !stream->WriteU32BE(header, 2)) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint32_t item = static_cast<uint32_t>(path[i]);
      if (!stream->WriteU32BE(&item, 1)) return false;
    }
  }
  savedPosition_ = LayoutPosition();
  if (fromLayout) {
    if (!SaveReadingState(stream)) return false;
  } else {
    PageElement* element = FocusedPageElement();
    if (element == nullptr) return false;
    const bool saved = element->SaveState(MediaPoint{entry->elementPosition, entry->value}, stream);
    element->StateBuffer().Clear();
    if (!saved) return false;
    if (element != &text_) {
      entry->elementPosition = element->GetSourceIndex();
      return stream->ok;
    }
  }
  // The layout's position record: the page number and its start.
  entry->elementPosition = savedPosition_.number;
  entry->value = static_cast<int32_t>(savedPosition_.start);
  return stream->ok;
}

bool DocumentView::RestoreFrameState(HistoryEntry* entry) {
  ByteStream* stream = &entry->state;
  stream->readPos = 0;
  SegmentedTypedArray<int32_t> path;
  bool hasPath = false;
  if (IsActiveView() && stream->Remaining() >= kViewStateHeaderBytes) {
    uint8_t tag[4];
    uint32_t header[2];
    if (!stream->ReadBytes(tag, 4) || !stream->ReadU32BE(header, 2)) return false;
    if (tag[0] != kViewStateTag[0] || tag[1] != kViewStateTag[1] || tag[2] != kViewStateTag[2] ||
        tag[3] != kViewStateTag[3]) {
      stream->readPos = 0;  // element state from the first byte
    } else {
      const uint32_t count = header[1];
      // Compared by division: count * 4 overflows for counts from 2^30.
      if (header[0] != kViewStateVersion || count > stream->Remaining() / 4) return false;
      if (!path.Reserve(count)) return false;
      for (uint32_t i = 0; i < count; ++i) {
        uint32_t item = 0;
        if (!stream->ReadU32BE(&item, 1) || path.Append(static_cast<int32_t>(item)) < 0) return false;
      }
      hasPath = true;
    }
  }
  PageElement* element = FocusedPageElement();
  if (element == nullptr) return false;
  restorePosition_.number = entry->elementPosition;
  restorePosition_.start = static_cast<uint32_t>(entry->value);
  const uint32_t elementStart = stream->readPos;
  const bool restored = element->LoadState(MediaPoint{entry->elementPosition, entry->value}, stream);
  if (!restored) return false;
  if (hasPath && IsActiveView()) {
    // A trailer of saved look-up results follows the element's state.
    const uint32_t after = stream->readPos;
    stream->readPos = elementStart;
    uint32_t trailer = 0;
    const bool hasTrailer = FindTrailer(stream, &trailer);
    stream->readPos = after;
    if (!hasTrailer) SetPendingFocusPath(path);
  }
  return true;
}

bool DocumentView::RestoreHistoryEntry(HistoryEntry* entry, bool full) {
  DrawPass pass(surface_);
  bool restored = false;
  if (source_.Get() == nullptr || Location::Compare(entry->location, location_) != 0) {
    const Url& url = entry->location.url;
    if (url.IsSpecialPage()) {
      if (!ShowSpecialPage(entry->location, nullptr)) return false;
      restored = true;
    } else {
      Location target = entry->location;
      bool reported = false;
      DocumentSource* source = LoadLocation(&target, &reported);
      if (source == nullptr) return false;
      const bool shown = PerformNavigation(source, target.fragment, false);
      source->Release();
      if (!shown) return false;
      if (!RestoreFrameState(entry) && (documentElement_ == nullptr || TextHasFocus()) && layout_ != nullptr)
        layout_->GoToPage(1);
      if ((documentElement_ != nullptr && !TextHasFocus() && focusedElement_ != nullptr) || announcePending_ != 0)
        OnDocumentShown();
      Invalidate(true);
      restored = true;
    }
  } else if (focusedElement_ != nullptr && RestoreFrameState(entry)) {
    if (documentElement_ != nullptr && !TextHasFocus())
      OnDocumentShown();
    else
      Invalidate(full);
    restored = true;
  }
  if (!restored) return false;
  uint32_t offset = 0;
  entry->state.readPos = 0;
  if (controller_ != nullptr && FindTrailer(&entry->state, &offset) && offset <= entry->state.Size()) {
    // The saved look-up results follow the markers.
    const uint32_t length = entry->state.Size() - offset;
    uint8_t* bytes = new (std::nothrow) uint8_t[length == 0 ? 1 : length];
    if (bytes != nullptr) {
      for (uint32_t i = 0; i < length; ++i) bytes[i] = entry->state.ByteAt(offset + i);
      controller_->ShowSavedLookup(bytes, length);
      delete[] bytes;
    }
  }
  return true;
}

void DocumentView::RestoreReadingPosition() {
  const SharedWideString& fragment = location_.fragment;
  if (layout_ == nullptr && fragment.IsEmpty()) return;
  if (documentElement_ == nullptr && IsAudioFragment(fragment)) return;
  if (source_.Get() != nullptr && source_->GetSourceKind() == DocumentSource::kObjectDatabaseKind) {
    Invalidate(true);
    return;
  }
  bool restored = false;
  if (sideFile_ != nullptr) {
    HistoryEntry entry;
    entry.location = location_;
    uint32_t first = 0;
    uint32_t second = 0;
    uint32_t length = 0;
    const uint8_t* data = IsAudioFragment(fragment) ? sideFile_->GetReadingPosition(&first, &second, &length)
                                                    : sideFile_->GetFramePosition(&first, &second, &length);
    if (data != nullptr && length % 4 == 0) {
      entry.elementPosition = static_cast<int32_t>(first);
      entry.value = static_cast<int32_t>(second);
      if (entry.state.WriteBytes(data, length)) {
        HoldRepaint();
        restored = RestoreHistoryEntry(&entry, true);
        ReleaseRepaint();
      }
    }
  }
  if (restored) return;
  if (layout_ == nullptr) {
    if (PageElement* element = FocusedPageElement()) element->Refresh();
  } else {
    layout_->GoToPage(1);
  }
  if (IsActiveView()) {
    const int32_t recording = historyRecording_;
    historyRecording_ = kRecordSuppressed;
    GoToStartReading();
    historyRecording_ = recording;
  }
  Invalidate(true);
}
