// The maker of the audio sources that play Ogg streams: the audio
// subsystem's Ogg Vorbis source, handed to the browser's Ogg stream check
// in a counted holder. The program installs it at start.
#pragma once

#include "audio/sources/audio_source.h"
#include "foundation/system/ref_counted.h"

// What the audio slot of an Ogg stream holds: the counted holder of one
// audio source, which the player reaches through Source().
class OggAudioHolder final : public RefCounted {
 public:
  explicit OggAudioHolder(AudioSource* source) { source_.Adopt(source); }
  AudioSource* Source() const { return source_.Get(); }

 private:
  ~OggAudioHolder() override = default;

  AudioSourcePtr source_;
};

// Installs the Ogg Vorbis maker for IsOggStream.
void InstallOggSourceMaker();
