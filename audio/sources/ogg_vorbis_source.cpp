// Ogg Vorbis decoding over a DocumentStream (see ogg_vorbis_source.h).
#include "audio/sources/ogg_vorbis_source.h"

#include <tremor/ivorbisfile.h>

#include <cstdio>

#include "platform/memory/allocator.h"

// The decoder's ov_read gives 16-bit samples in host order and takes no byte
// order; the build targets little-endian hosts only, which the format the
// source announces (little-endian) relies on.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the PCM path assumes a little-endian host");

namespace {

bool SameFormat(const vorbis_info* info, const PcmFormat& format) {
  return info && info->channels >= 0 && static_cast<uint32_t>(info->channels) == format.channels &&
         info->rate > 0 && static_cast<uint32_t>(info->rate) == format.rate;
}

}  // namespace

OggVorbisSource::OggVorbisSource(DocumentStream* stream) {
  stream_.Adopt(stream);
  if (!stream) return;
  auto* decoder = static_cast<OggVorbis_File*>(DeviceAllocZeroed(sizeof(OggVorbis_File)));
  if (!decoder) return;
  ov_callbacks callbacks = {&OggVorbisSource::ReadCallback, &OggVorbisSource::SeekCallback,
                            &OggVorbisSource::CloseCallback, &OggVorbisSource::TellCallback};
  // On failure the decoder clears what it made itself.
  if (ov_open_callbacks(this, decoder, nullptr, 0, callbacks) != 0) {
    DeviceFree(decoder);
    return;
  }
  vorbis_info* info = ov_info(decoder, -1);
  if (!info || info->channels <= 0 || info->rate <= 0) {
    ov_clear(decoder);
    DeviceFree(decoder);
    return;
  }
  decoder_ = decoder;
  format_.channels = static_cast<uint32_t>(info->channels);
  format_.rate = static_cast<uint32_t>(info->rate);
  format_.bytesPerSample = 2;
  format_.isSigned = true;
  format_.bigEndian = false;
  currentLink_ = 0;
  // Only the links that keep the first's format play. Positions are kept
  // in samples: the decoder's time calls divide by the rate of every link,
  // which a damaged later link may give as 0.
  long links = ov_streams(decoder_);
  for (long i = 0; i < links; ++i) {
    if (!SameFormat(ov_info(decoder_, static_cast<int>(i)), format_)) break;
    ogg_int64_t samples = ov_pcm_total(decoder_, static_cast<int>(i));
    if (samples < 0) break;
    playableSamples_ += samples;
  }
}

OggVorbisSource::~OggVorbisSource() {
  if (decoder_) {
    ov_clear(decoder_);
    DeviceFree(decoder_);
  }
}

bool OggVorbisSource::GetFormat(PcmFormat* format) {
  if (!decoder_) return false;
  *format = format_;
  return true;
}

bool OggVorbisSource::Read(uint8_t* buffer, uint32_t bytes, uint32_t* read) {
  *read = 0;
  if (!decoder_ || ended_) return false;
  const uint32_t frameBytes = format_.channels * 2;
  uint32_t filled = 0;
  bool failed = false;
  while (bytes - filled >= frameBytes) {
    int link = 0;
    uint32_t ask = bytes - filled;
    if (ask > 0x7FFFFFFF) ask = 0x7FFFFFFF;
    ogg_int64_t before = ov_pcm_tell(decoder_);
    long got = ov_read(decoder_, reinterpret_cast<char*>(buffer + filled), static_cast<int>(ask), &link);
    if (got < 0) {
      failed = true;
      ended_ = true;
      break;
    }
    if (got == 0) break;
    // A lost page does not always come back as the decoder's hole: the
    // position then leaps past the samples given. Either way the track
    // ends at the damage.
    if (link == currentLink_ && ov_pcm_tell(decoder_) != before + got / static_cast<long>(frameBytes)) {
      failed = true;
      ended_ = true;
      break;
    }
    if (link != currentLink_) {
      if (!SameFormat(ov_info(decoder_, link), format_)) {
        // The next link would play at the wrong speed or as noise.
        ended_ = true;
        break;
      }
      currentLink_ = link;
    }
    if (static_cast<uint64_t>(got) > ask) {  // never, but stay inside the buffer
      failed = true;
      ended_ = true;
      break;
    }
    filled += static_cast<uint32_t>(got);
  }
  *read = filled;
  return filled > 0 && !failed;
}

bool OggVorbisSource::IsValid() { return stream_ && stream_->IsValid() != 0; }

int32_t OggVorbisSource::GetDuration() {
  if (!decoder_) return -1;
  return static_cast<int32_t>(playableSamples_ / format_.rate);
}

int32_t OggVorbisSource::GetPosition() {
  if (!decoder_) return 0;
  ogg_int64_t samples = ov_pcm_tell(decoder_);
  return samples < 0 ? 0 : static_cast<int32_t>(samples / format_.rate);
}

bool OggVorbisSource::Seek(int32_t seconds) {
  if (!decoder_ || seconds < 0) return false;
  int64_t target = static_cast<int64_t>(seconds) * format_.rate;
  if (target > playableSamples_) return false;
  if (ov_pcm_seek(decoder_, target) != 0) return false;
  ended_ = false;
  currentLink_ = 0;
  vorbis_info* info = ov_info(decoder_, -1);
  if (!SameFormat(info, format_)) ended_ = true;
  return true;
}

size_t OggVorbisSource::ReadCallback(void* buffer, size_t size, size_t count, void* source) {
  auto* self = static_cast<OggVorbisSource*>(source);
  if (!self || !self->stream_ || size == 0 || count == 0) return 0;
  if (count > 0xFFFFFFFFu / size) count = 0xFFFFFFFFu / size;
  uint32_t want = static_cast<uint32_t>(size * count);
  uint32_t got = 0;
  if (!self->stream_->ReadAt(self->readPosition_, buffer, want, &got)) return 0;
  if (got > want) got = want;
  self->readPosition_ += got;
  return got / size;
}

int OggVorbisSource::SeekCallback(void* source, int64_t offset, int whence) {
  auto* self = static_cast<OggVorbisSource*>(source);
  if (!self || !self->stream_ || self->stream_->IsValid() == 0) return -1;
  uint32_t size = 0;
  if (!self->stream_->GetSize(&size)) return -1;
  int64_t base = 0;
  switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = self->readPosition_; break;
    case SEEK_END: base = size; break;
    default: return -1;
  }
  // Offsets come from the decoder's arithmetic on file data: keep them from
  // overflowing before clamping.
  if (offset > INT64_C(0x100000000) ) offset = INT64_C(0x100000000);
  if (offset < -INT64_C(0x100000000)) offset = -INT64_C(0x100000000);
  int64_t position = base + offset;
  if (position < 0) position = 0;
  if (position > size) position = size;
  self->readPosition_ = static_cast<uint32_t>(position);
  return 0;
}

int OggVorbisSource::CloseCallback(void*) { return 0; }

long OggVorbisSource::TellCallback(void* source) {
  auto* self = static_cast<OggVorbisSource*>(source);
  return self ? static_cast<long>(self->readPosition_) : -1;
}
