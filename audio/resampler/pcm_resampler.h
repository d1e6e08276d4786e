// PcmResampler: converts 16-bit signed little-endian PCM from one rate and
// channel count to another, on demand. Each Convert call fills whole output
// frames and pulls just enough input through a callback, keeping what it did
// not consume for the next call. Linear interpolation in Q15 fixed point; the
// rate ratio is turned into a Q15 step once, at configuration. Stereo input
// becomes mono by averaging; only one or two channels are taken on either
// side, and mono never becomes stereo.
//
// The work buffer holds up to kWorkFrames input frames, already in the
// output's channel layout (a down-mixed frame takes one sample); it is
// allocated by Configure and conversion allocates nothing.
#pragma once

#include <cstdint>

#include "audio/resampler/pcm_format.h"

class PcmResampler {
 public:
  static constexpr uint32_t kWorkFrames = 2100;
  // Delivers up to `bytes` bytes of input into `buffer`; 0 means no more input.
  using PullFunction = uint32_t (*)(void* buffer, uint32_t bytes, void* user);

  PcmResampler() = default;
  ~PcmResampler();
  PcmResampler(const PcmResampler&) = delete;
  PcmResampler& operator=(const PcmResampler&) = delete;

  // False when either format is not 16-bit signed little-endian with one or
  // two channels and a non-zero rate, when mono would become stereo, or when
  // the work buffer cannot be had.
  bool Configure(const PcmFormat& input, const PcmFormat& output);
  // Drops the buffered input and the phase; the next Convert starts afresh.
  void Reset();
  // Fills up to `bytes` bytes (a whole number of output frames, else nothing
  // is written) of `out`; the bytes written. 0 only when no output frame can
  // be made any more (the input has ended).
  uint32_t Convert(uint32_t bytes, uint8_t* out, PullFunction pull, void* user);

  const PcmFormat& InputFormat() const { return input_; }
  const PcmFormat& OutputFormat() const { return output_; }
  uint32_t Step() const { return step_; }

 private:
  PcmFormat input_;
  PcmFormat output_;
  uint32_t bufferedBytes_ = 0;  // in the output's channel layout
  uint32_t phase_ = 0;          // Q15 position in the buffered input
  uint32_t* work_ = nullptr;    // sized buffer (foundation/containers)
  double ratio_ = 0;            // input rate / output rate
  uint32_t step_ = 0;           // ratio in Q15
};
