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

// The interpolation loop reads and writes samples in host order, which is
// the little-endian order of the PCM on the hosts this build targets.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the PCM path assumes a little-endian host");

inline int32_t Load16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline void Store16(uint8_t* p, int32_t v) {
  int16_t s = static_cast<int16_t>(v);
  std::memcpy(p, &s, sizeof s);
}

// The sample (f x s1 + (1 - f) x s0) in Q15, rounded: written as
// s0 + f x (s1 - s0), which is the same sum since 2^15 x s0 is a multiple of
// 2^15. It lies between s0 and s1, so it needs no clamping; the product
// stays within 2^31.
inline int32_t Mix(int32_t s0, int32_t s1, int32_t f) {
  return s0 + (((s1 - s0) * f + (1 << 14)) >> 15);
}

// Interpolates up to `wanted` frames of `channels` (1 or 2) from `frames`
// available ones, starting at `*phase`; answers the frames written and
// leaves the phase after the last one. Each output frame needs the input
// frame after its own, so the last available frame is never passed. The
// count is known before the loop, which then has a single bound.
uint32_t Interpolate(const uint8_t* in, uint8_t* out, uint32_t step, uint32_t* phase, uint32_t frames,
                     uint32_t wanted, uint32_t channels) {
  if ((channels != 1 && channels != 2) || frames < 2) return 0;
  const uint64_t limit = static_cast<uint64_t>(frames - 1) * kOne;
  uint64_t d = *phase;
  if (d >= limit) return 0;
  uint64_t count = (limit - d + step - 1) / step;  // the frames with d + k x step < limit
  if (count > wanted) count = wanted;
  const uint32_t n = static_cast<uint32_t>(count);
  if (channels == 2) {
    for (uint32_t k = 0; k < n; ++k) {
      const uint8_t* frame = in + (d >> 15) * 4;
      const int32_t f = static_cast<int32_t>(d & (kOne - 1));
      Store16(out + k * 4, Mix(Load16(frame), Load16(frame + 4), f));
      Store16(out + k * 4 + 2, Mix(Load16(frame + 2), Load16(frame + 6), f));
      d += step;
    }
  } else {
    for (uint32_t k = 0; k < n; ++k) {
      const uint8_t* frame = in + (d >> 15) * 2;
      const int32_t f = static_cast<int32_t>(d & (kOne - 1));
      Store16(out + k * 2, Mix(Load16(frame), Load16(frame + 2), f));
      d += step;
    }
  }
  *phase = static_cast<uint32_t>(d);
  return n;
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
        int32_t left = Load16(frames + j * 4);
        int32_t right = Load16(frames + j * 4 + 2);
        Store16(frames + j * 2, (left >> 1) + (right >> 1));
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
