// ResamplingSource: wraps another source and converts its PCM to the rate
// and channel count a wave device accepts (PcmResampler). Validity, duration
// and position are the inner source's.
#pragma once

#include "audio/resampler/pcm_resampler.h"
#include "audio/sources/audio_source.h"

class ResamplingSource final : public CountedAudioSource {
 public:
  // Takes over the caller's reference to `inner`.
  explicit ResamplingSource(AudioSource* inner);
  ~ResamplingSource() override;

  // Configures the resampler from the inner source's format to `output`.
  bool Configure(const PcmFormat& output);

  bool GetFormat(PcmFormat* format) override;
  // Always true: the end of the inner stream shows as 0 bytes read.
  bool Read(uint8_t* buffer, uint32_t bytes, uint32_t* read) override;

  bool IsValid() override;
  int32_t GetDuration() override;
  int32_t GetPosition() override;
  // Seeks the inner source; on success the buffered input is dropped, so
  // nothing from before the seek plays after it.
  bool Seek(int32_t seconds) override;

 private:
  static uint32_t Pull(void* buffer, uint32_t bytes, void* user);

  PcmResampler resampler_;
  AudioSource* inner_;  // counted
  bool configured_ = false;
};
