// MarkupParser: restarting at a position, replaying a stretch, and the
// saved-state chunk.
//
// Chunk (big-endian 32-bit numbers): the position to restart at; the stack
// depth d; the number p of queued closings not yet delivered; the d stack
// ids bottom first, one byte each; the p queued ids in delivery order; zero
// bytes up to a multiple of four from the chunk's start; when p is not 0,
// the source position of the tag that caused the closings.
//
// While a tag is pending (it caused closings that are being delivered), the
// restart position is that tag's own position: after the restored closings
// the tag is read again and delivered as the pending tag it was, without
// being matched against the stack a second time (which could close more).
// When all its closings were already delivered, the queue is saved as the
// single id 0, which delivers nothing and marks the pending tag. A chunk
// comes from a side file, so every count is checked against the bytes that
// remain, the depth against the parser's limit, and every id against the tag
// table.
#include "foundation/streams/byte_stream.h"
#include "layout/markup/keyword_ids.h"
#include "layout/markup/markup_parser.h"
#include "layout/markup/markup_scanner_table.h"
#include "platform/memory/allocator.h"

namespace {

constexpr uint8_t kPendingMarker = 0;

}  // namespace

bool MarkupParser::Restart(uint32_t position, bool resynchronise) {
  ClearQueue();
  stack_.count = 0;
  pendingTag_ = 0;
  pendingPosition_ = 0;
  resumePending_ = false;
  text_.Clear();
  ClearAttributes();
  tokenizer_.ClearPieces();
  tokenizer_.Seek(position);
  tokenizer_.Scanner().SelectMode(kModeText);
  parseState_ = kOutside;
  inScriptClose_ = false;
  joining_ = false;
  joinCount_ = 0;
  replayLimit_ = 0;
  kind_ = kElementAgain;
  SetCurrentTag(0, false, false);
  attributesShown_ = false;
  if (position != 0 && (!Push(kMarkupHtml) || !Push(kMarkupBody))) return false;
  if (resynchronise) return tokenizer_.Resynchronise();
  return true;
}

void MarkupParser::SeekBack(uint32_t position) {
  uint32_t here = tokenizer_.GetPosition();
  replayLimit_ = here;
  if (position < here) {
    tokenizer_.ClearPieces();
    tokenizer_.Seek(position);
  }
}

bool MarkupParser::SaveState(ByteStream* stream) {
  const uint32_t start = stream->Size();
  const bool pending = pendingTag_ != 0 || resumePending_;
  const uint32_t closings = queue_.count - queueRead_;
  const uint32_t queued = closings != 0 ? closings : (pending ? 1 : 0);
  uint32_t head[3];
  head[0] = pendingTag_ != 0 ? pendingPosition_ : tokenizer_.GetPosition();
  head[1] = stack_.count;
  head[2] = queued;
  stream->WriteU32BE(head, 3);
  for (uint32_t i = 0; i < stack_.count; ++i) stream->WriteBytes(stack_.At(i), 1);
  for (uint32_t i = queueRead_; i < queue_.count; ++i) stream->WriteBytes(queue_.At(i), 1);
  if (closings == 0 && pending) {
    const uint8_t marker = kPendingMarker;
    stream->WriteBytes(&marker, 1);
  }
  while (((stream->Size() - start) & 3u) != 0 && stream->ok) {
    const uint8_t zero = 0;
    stream->WriteBytes(&zero, 1);
  }
  if (queued != 0) stream->WriteU32BE(&pendingPosition_, 1);
  return stream->ok;
}

bool MarkupParser::LoadState(ByteStream* stream) {
  const uint32_t start = stream->readPos;
  if (stream->Remaining() < 12) return false;
  uint32_t head[3];
  if (!stream->ReadU32BE(head, 3)) return false;
  const uint32_t position = head[0];
  const uint32_t depth = head[1];
  const uint32_t queued = head[2];
  const uint64_t remaining = stream->Remaining();
  if (depth > kMaxOpenElements || depth > remaining || queued > remaining - depth) {
    stream->readPos = start;
    return false;
  }
  const uint32_t total = depth + queued;
  uint8_t* ids = nullptr;
  if (total != 0) {
    ids = static_cast<uint8_t*>(DeviceAlloc(total));
    if (ids == nullptr || !stream->ReadBytes(ids, total)) {
      DeviceFree(ids);
      stream->readPos = start;
      return false;
    }
    for (uint32_t i = 0; i < total; ++i) {
      if (ids[i] >= kMarkupIdCount) {
        DeviceFree(ids);
        stream->readPos = start;
        return false;
      }
    }
  }
  bool ok = Restart(position, false) && stack_.Reserve(depth) && queue_.Reserve(queued);
  if (ok) {
    stack_.count = 0;
    for (uint32_t i = 0; i < depth; ++i) *stack_.AtGrow(i) = ids[i];
    // Closings to deliver; a last id 0 only marks the pending tag.
    for (uint32_t i = 0; i < queued; ++i) {
      uint8_t id = ids[depth + i];
      if (id == kPendingMarker && i + 1 == queued) break;
      *queue_.AtGrow(i) = id;
    }
    queueRead_ = 0;
    resumePending_ = queued != 0;
  }
  DeviceFree(ids);
  if (!ok) return false;

  uint32_t pad = (4 - ((stream->readPos - start) & 3u)) & 3u;
  if (pad <= stream->Remaining()) stream->Skip(pad);
  pendingPosition_ = position;
  if (queued != 0 && stream->Remaining() >= 4) stream->ReadU32BE(&pendingPosition_, 1);

  // Inside a script body the stack's top is SCRIPT; right after script text
  // the parser was waiting for the closing name behind "</".
  if (depth != 0 && *stack_.At(depth - 1) == kMarkupScript) {
    static const WCHAR kEndTagStart[] = {'<', '/'};
    parseState_ = tokenizer_.PrecededBy(kEndTagStart, 2) ? kAfterScriptText : kInScript;
  }
  return true;
}
