// The reading state a book keeps in its side file: the frame position,
// the audio page's position and its valid bit, the forms' values; and the
// trailer that saved look-up results add to a state stream.
#include "browser/loader/document_loader.h"
#include "browser/host/page_services.h"
#include "browser/view/document_view.h"
#include "storage/side_file/book_parameter_file.h"

namespace {

constexpr uint8_t kTrailerMarker[4] = {'L', 'T', 'T', 'S'};
constexpr uint32_t kTrailerMarkers = 3;
constexpr uint32_t kTrailerMarkerBytes = 4 * kTrailerMarkers;

bool MarkerAt(const ByteStream& stream, uint32_t at) {
  for (uint32_t i = 0; i < 4; ++i)
    if (stream.ByteAt(at + i) != kTrailerMarker[i]) return false;
  return true;
}

uint32_t BigEndianWordAt(const ByteStream& stream, uint32_t at) {
  return (uint32_t{stream.ByteAt(at)} << 24) | (uint32_t{stream.ByteAt(at + 1)} << 16) |
         (uint32_t{stream.ByteAt(at + 2)} << 8) | uint32_t{stream.ByteAt(at + 3)};
}

}  // namespace

void DocumentView::SaveViewState(bool final) {
  if (sideFile_ == nullptr) return;
  if (layout_ != nullptr) {
    HistoryEntry entry;
    if (CaptureState(&entry, true))
      sideFile_->SetFramePosition(static_cast<uint32_t>(entry.elementPosition), static_cast<uint32_t>(entry.value),
                                  entry.state);
  }
  bool valid = false;
  if (IsTextShown() && !TextHasFocus()) {
    // The audio page is shown: its position is what the next opening
    // returns to.
    HistoryEntry entry;
    if (CaptureState(&entry, false))
      valid = sideFile_->SetReadingPosition(static_cast<uint32_t>(entry.elementPosition),
                                            static_cast<uint32_t>(entry.value), entry.state) == RecordResult::kOk;
  }
  sideFile_->SetReadingPositionValid(valid);
  ByteStream forms;
  if (SaveFormState(&forms, final)) sideFile_->SetViewStateBlob(forms);
  if (!final) {
    sideFile_->Save();
    return;
  }
  sideFile_->Release();
  sideFile_ = nullptr;
  if (source_.Get() != nullptr && loader_ != nullptr && loader_->GetCatalogue() != nullptr)
    loader_->GetCatalogue()->GetBookKindForLocation(location_.url);
}

bool DocumentView::SaveFormState(ByteStream* stream, bool final) {
  return forms_ != nullptr && forms_->SaveState(stream, final) && stream->ok;
}

bool DocumentView::RestoreViewState() {
  if (keepForms_ == 0 && forms_ != nullptr) forms_->SetScriptStore(source_.Get());
  if (sideFile_ == nullptr) return true;
  uint32_t length = 0;
  const uint8_t* blob = sideFile_->GetViewStateBlob(&length);
  if (blob == nullptr || length % 4 != 0) return false;
  ByteStream state;
  if (!state.WriteBytes(blob, length)) return false;
  state.readPos = 0;
  return forms_ == nullptr || forms_->LoadState(&state);
}

bool DocumentView::FindTrailer(ByteStream* stream, uint32_t* offset) {
  const uint32_t saved = stream->readPos;
  stream->AlignRead(4);
  const uint32_t size = stream->Size();
  uint32_t at = stream->readPos;
  bool found = false;
  while (at < size && size - at > kTrailerMarkerBytes) {
    uint32_t matched = 0;
    while (matched < kTrailerMarkers && MarkerAt(*stream, at + 4 * matched)) ++matched;
    if (matched == kTrailerMarkers) {
      found = true;
      break;
    }
    at += 4 * (matched + 1);  // on after the word that failed
  }
  bool answer = false;
  // The length word N lies before the markers, and N bytes must follow them.
  if (found && at >= 4) {
    const uint32_t length = BigEndianWordAt(*stream, at - 4);
    if (size - (at + kTrailerMarkerBytes) >= length) {
      *offset = at + kTrailerMarkerBytes;
      answer = true;
    }
  }
  stream->readPos = saved;
  return answer;
}
