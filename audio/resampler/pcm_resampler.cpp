// Linear-interpolation resampling of 16-bit PCM (see pcm_resampler.h).
#include "audio/resampler/pcm_resampler.h"

#include <cassert>
#include <cstring>

#include "foundation/containers/segmented_array_sized_buffer.h"

namespace {

constexpr uint32_t kOne = 1u << 15;  // 1.0 in Q15

bool IsPlainPcm16(const PcmFormat& f) {
  return f.bytesPerSample == 2 && f.isSigned && !f.bigEndian && f.rate != 0 &&
         (f.channels == 1 || f.channels == 2);
}

int16_t LoadSample(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

void StoreSample(uint8_t* p, int32_t v) {
  uint16_t u = static_cast<uint16_t>(static_cast<int16_t>(v));
  p[0] = static_cast<uint8_t>(u);
  p[1] = static_cast<uint8_t>(u >> 8);
}

// The sample (f x s1 + (1 - f) x s0) in Q15, rounded and clamped. Both
// products stay within 2^30, so the sum fits 32 bits.
inline int32_t Mix(int32_t s0, int32_t s1, int32_t f) {
  int32_t v = (f * s1 + (static_cast<int32_t>(kOne) - f) * s0 + (1 << 14)) >> 15;
  return v > 32767 ? 32767 : (v < -32768 ? -32768 : v);
}

// Interpolates up to `wanted` frames of `channels` (1 or 2) from `frames`
// available ones, starting at `*phase`; answers the frames written and
// leaves the phase after the last one. Each output frame needs the input
// frame after its own, so the last available frame is never passed. Every
// channel of a frame is made in the same step.
uint32_t Interpolate(const uint8_t* in, uint8_t* out, uint32_t step, uint32_t* phase, uint32_t frames,
                     uint32_t wanted, uint32_t channels) {
  if ((channels != 1 && channels != 2) || frames < 2) return 0;
  const uint64_t limit = static_cast<uint64_t>(frames - 1) * kOne;
  uint32_t written = 0;
  uint64_t d = *phase;
  if (channels == 2) {
    while (d < limit && written < wanted) {
      const uint8_t* frame = in + (d >> 15) * 4;
      int32_t f = static_cast<int32_t>(d & (kOne - 1));
      StoreSample(out + written * 4, Mix(LoadSample(frame), LoadSample(frame + 4), f));
      StoreSample(out + written * 4 + 2, Mix(LoadSample(frame + 2), LoadSample(frame + 6), f));
      d += step;
      ++written;
    }
  } else {
    while (d < limit && written < wanted) {
      const uint8_t* frame = in + (d >> 15) * 2;
      int32_t f = static_cast<int32_t>(d & (kOne - 1));
      StoreSample(out + written * 2, Mix(LoadSample(frame), LoadSample(frame + 2), f));
      d += step;
      ++written;
    }
  }
  *phase = static_cast<uint32_t>(d);
  return written;
}

}  // namespace

PcmResampler::~PcmResampler() { FreeSizedBuffer(&work_); }

bool PcmResampler::Configure(const PcmFormat& input, const PcmFormat& output) {
  input_ = input;
  output_ = output;
  if (!IsPlainPcm16(input) || !IsPlainPcm16(output)) return false;
  if (input.channels != output.channels && output.channels != 1) return false;
  ratio_ = static_cast<double>(input.rate) / static_cast<double>(output.rate);
  double step = ratio_ * 32768.0 + 0.5;
  // A ratio beyond 2^16 (a rate of 1 Hz against 48 kHz) would not fit the
  // Q15 step; no real device asks for it.
  if (step >= 4294967295.0 || step < 1.0) return false;
  step_ = static_cast<uint32_t>(step);
  bufferedBytes_ = 0;
  phase_ = 0;
  return ResizeSizedBuffer(&work_, input.bytesPerSample * input.channels * kWorkFrames);
}

void PcmResampler::Reset() {
  bufferedBytes_ = 0;
  phase_ = 0;
}

uint32_t PcmResampler::Convert(uint32_t bytes, uint8_t* out, PullFunction pull, void* user) {
  if (!work_ || output_.channels == 0) return 0;
  const uint32_t outFrame = output_.channels * 2;
  const uint32_t inFrame = input_.channels * 2;
  if (bytes == 0 || bytes % outFrame != 0) return 0;
  const uint32_t wanted = bytes / outFrame;
  const bool downMix = input_.channels > 1 && output_.channels == 1;
  uint8_t* work = SizedBufferData(work_);

  // Input to ask for: what the wanted output needs, less what is buffered,
  // plus a little slack. It only guides the first pulls: when it is spent
  // and a round made nothing, the buffer is topped up.
  int64_t needed = static_cast<int64_t>((wanted + 1) * ratio_);
  int64_t budget = needed - bufferedBytes_ / outFrame + 10;
  int64_t pulled = 0;
  uint32_t written = 0;
  bool madeNothing = false;
  bool inputEnded = false;
  while (written < wanted) {
    uint32_t buffered = bufferedBytes_ / outFrame;
    assert(buffered < kWorkFrames);
    uint32_t room = kWorkFrames - 1 - buffered;
    int64_t ask = budget - pulled;
    if (ask < 0) ask = 0;
    if (ask > room) ask = room;
    if (ask == 0 && madeNothing) ask = room;
    uint32_t got = 0;
    if (ask > 0 && !inputEnded) {
      uint32_t delivered = pull(work + bufferedBytes_, static_cast<uint32_t>(ask) * inFrame, user);
      if (delivered > static_cast<uint32_t>(ask) * inFrame) delivered = static_cast<uint32_t>(ask) * inFrame;
      // The sources deliver whole frames; a stray tail would be dropped.
      assert(delivered % inFrame == 0);
      got = delivered / inFrame;
      if (got == 0) inputEnded = true;
      pulled += got;
    }
    if (downMix) {
      uint8_t* frames = work + bufferedBytes_;
      for (uint32_t j = 0; j < got; ++j) {
        int32_t left = LoadSample(frames + j * 4);
        int32_t right = LoadSample(frames + j * 4 + 2);
        StoreSample(frames + j * 2, (left >> 1) + (right >> 1));
      }
    }
    uint32_t available = got + buffered;
    uint32_t made = Interpolate(work, out + written * outFrame, step_, &phase_, available,
                                wanted - written, output_.channels);
    written += made;
    // Drop the whole frames passed. When the step is above two frames the
    // phase may lie beyond the input held; it then keeps the frames still
    // to skip, so that the next input starts at the right place.
    uint32_t consumed = phase_ >> 15;
    if (available > consumed) {
      uint32_t keep = available - consumed;
      if (consumed > 0) std::memmove(work, work + consumed * outFrame, keep * outFrame);
      bufferedBytes_ = keep * outFrame;
      phase_ &= kOne - 1;
    } else {
      bufferedBytes_ = 0;
      phase_ -= available << 15;
    }
    if (made == 0 && (got == 0 || inputEnded)) break;
    madeNothing = made == 0;
  }
  return written * outFrame;
}
