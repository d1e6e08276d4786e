// The list of tracks a player plays from (a page's sound list, the
// application's playlist). The player only counts it and opens tracks.
#pragma once

#include <cstdint>

#include "audio/sources/audio_source.h"

class EncodedString;

class AudioTrackList {
 public:
  virtual uint32_t Count() = 0;
  virtual void GetTitle(uint32_t index, EncodedString* title) = 0;
  // *source receives a new reference (the caller's), or null when the track
  // cannot be opened.
  virtual void OpenTrack(AudioSource** source, uint32_t index) = 0;
  virtual ~AudioTrackList() = default;
};
