// Where a playlist export takes its sound from: the audio of the current
// document or of a file named relative to its folder, loaded through the
// document loader, whose numbered parts are written out as files. The
// browser's loader implements it; tests use a fake.
#pragma once

#include <cstdint>

#include "foundation/encoded_string/encoded_string.h"
#include "foundation/wide_string/shared_wide_string.h"

enum class PlaylistPartResult { kWritten, kNoSuchPart, kCannotCreate };

class PlaylistSource {
 public:
  // The current document when `name` is empty, else `name` taken relative
  // to the current document's folder (the loader's flags cleared meanwhile
  // and restored). False when it cannot be loaded.
  virtual bool OpenSource(const SharedWideString& name) = 0;
  // Writes part `number` of the open source to the device file `path`.
  virtual PlaylistPartResult WritePart(uint32_t number, const EncodedString& path) = 0;
  virtual void CloseSource() = 0;

 protected:
  ~PlaylistSource() = default;
};
