// PageElement: the interface of every object embedded in a document's page
// (the reading text, the media player, the page elements of the browser):
// what it is, what it shows, and its state saved with the reading position.
// The slots keep one order for every element:
//   0 destructor, 1 GetKind, 2 GetSourceIndex, 3 LoadState, 4 SaveState,
//   5 GetProgress (answers false unless overridden), 6 Refresh (nothing by
//   default), 7 Reserved.
// Load and save take a {track, position} pair that only the media player
// uses; every other element ignores it.
//
// Each element also carries a state buffer of its own, which SaveState
// appends after its chunk as a blob when it holds bytes (AppendStateBuffer).
#pragma once

#include <cstdint>

#include "foundation/streams/byte_stream.h"

struct MediaPoint {
  int32_t track = 0;
  int32_t position = 0;
};

class PageElement {
 public:
  virtual ~PageElement() = default;
  virtual int32_t GetKind() = 0;
  // The record or text position of what the element shows; -1 for none.
  virtual int32_t GetSourceIndex() = 0;
  virtual bool LoadState(const MediaPoint& extra, ByteStream* stream) = 0;
  virtual bool SaveState(const MediaPoint& extra, ByteStream* stream) = 0;
  // Where reading stands: a position, the page number and the length
  // (in: the length known to the caller).
  virtual bool GetProgress(uint32_t* /*position*/, int32_t* /*pageNumber*/, uint32_t* /*length*/) { return false; }
  virtual void Refresh() {}
  virtual void Reserved() {}

  ByteStream& StateBuffer() { return stateBuffer_; }

 protected:
  // When the state buffer holds bytes: pads the stream to a multiple of 4
  // and appends the buffer as a blob. False when the stream ran out of
  // memory.
  bool AppendStateBuffer(ByteStream* stream) {
    if (stateBuffer_.Size() == 0) return true;
    return stream->PadWrite(4) && stream->WriteBlob(stateBuffer_);
  }

 private:
  ByteStream stateBuffer_;
};
