// Markup with a BODY made sure of (see body_element_stream.h).
#include "browser/sources/body_element_stream.h"

#include <new>

#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "platform/memory/allocator.h"

BodyElementStream* BodyElementStream::Create() {
  if (DeviceAllocationShouldFail()) return nullptr;
  return new (std::nothrow) BodyElementStream();
}

void BodyElementStream::Reset(bool bodySeen) {
  bodySeen_ = bodySeen;
  insideHead_ = false;
  closeAtEnd_ = false;
  synthetic_ = false;
  syntheticClosing_ = false;
  endHeld_ = false;
}

uint32_t BodyElementStream::GetTag(bool* closing, bool* selfContained) {
  if (!synthetic_) return parser_.GetTag(closing, selfContained);
  if (closing != nullptr) *closing = syntheticClosing_;
  if (selfContained != nullptr) *selfContained = false;
  return kMarkupBody;
}

bool BodyElementStream::Restart(uint32_t position, bool resynchronise) {
  // A restart inside the document opens HTML and BODY on the parser's stack.
  Reset(position != 0);
  return parser_.Restart(position, resynchronise);
}

void BodyElementStream::AttachSource(Document* document, uint32_t argument) {
  Reset(false);
  parser_.AttachSource(document, argument);
}

bool BodyElementStream::SaveState(ByteStream* stream) {
  const uint32_t closing = closeAtEnd_ ? 1 : 0;
  return parser_.SaveState(stream) && stream->WriteU32BE(&closing, 1);
}

bool BodyElementStream::LoadState(ByteStream* stream) {
  // States are saved at page starts, all of them after the first BODY.
  Reset(true);
  uint32_t closing = 0;
  if (!parser_.LoadState(stream) || !stream->ReadU32BE(&closing, 1)) return false;
  closeAtEnd_ = closing == 1;
  return true;
}

bool BodyElementStream::IsContent(int32_t kind) {
  if (kind == kElementText || kind == kElementBreak) return !insideHead_;
  if (kind != kElementTag) return false;
  bool closing = false;
  bool selfContained = false;
  const uint32_t tag = parser_.GetTag(&closing, &selfContained);
  if (tag == kMarkupBody) {
    if (!closing) bodySeen_ = true;
    return false;
  }
  if (tag == kMarkupHtml) return false;
  if (tag == kMarkupHead) {
    insideHead_ = !closing && !selfContained;
    return false;
  }
  return !insideHead_ && !closing;
}

int32_t BodyElementStream::Next() {
  if (endHeld_) {
    endHeld_ = false;
    synthetic_ = false;
    return parser_.GetKind();
  }
  synthetic_ = false;
  if (bodySeen_) {
    const int32_t kind = parser_.Next();
    if (closeAtEnd_ && kind == kElementTag) {
      bool closing = false;
      if (parser_.GetTag(&closing, nullptr) == kMarkupBody && closing) closeAtEnd_ = false;
    }
    if (kind == kElementEnd && closeAtEnd_) {
      closeAtEnd_ = false;
      synthetic_ = true;
      syntheticClosing_ = true;
      syntheticPosition_ = parser_.GetPosition();
      endHeld_ = true;
      return kElementTag;
    }
    return kind;
  }
  const uint32_t before = parser_.GetPosition();
  const int32_t kind = parser_.Next();
  if (!IsContent(kind)) return kind;
  // Read the content again after an implied BODY. Inside the document the
  // restart puts BODY on the parser's stack; at the very start it cannot.
  // Either way the parser does not close it at the end: that closing is
  // added, unless the markup closes BODY itself.
  bodySeen_ = true;
  if (!parser_.Restart(before, false)) return kElementEnd;
  closeAtEnd_ = true;
  synthetic_ = true;
  syntheticClosing_ = false;
  syntheticPosition_ = before;
  return kElementTag;
}
