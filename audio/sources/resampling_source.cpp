// A source that resamples another one (see resampling_source.h).
#include "audio/sources/resampling_source.h"

ResamplingSource::ResamplingSource(AudioSource* inner) : inner_(inner) {}

ResamplingSource::~ResamplingSource() {
  if (inner_) inner_->Release();
}

bool ResamplingSource::Configure(const PcmFormat& output) {
  configured_ = false;
  if (!inner_) return false;
  PcmFormat input;
  if (!inner_->GetPcmReader()->GetFormat(&input)) return false;
  configured_ = resampler_.Configure(input, output);
  return configured_;
}

bool ResamplingSource::GetFormat(PcmFormat* format) {
  if (!configured_) return false;
  *format = resampler_.OutputFormat();
  return true;
}

uint32_t ResamplingSource::Pull(void* buffer, uint32_t bytes, void* user) {
  auto* self = static_cast<ResamplingSource*>(user);
  uint32_t got = 0;
  if (!self->inner_->GetPcmReader()->Read(static_cast<uint8_t*>(buffer), bytes, &got)) return 0;
  return got;
}

bool ResamplingSource::Read(uint8_t* buffer, uint32_t bytes, uint32_t* read) {
  *read = configured_ ? resampler_.Convert(bytes, buffer, &ResamplingSource::Pull, this) : 0;
  return true;
}

bool ResamplingSource::IsValid() { return inner_ && inner_->IsValid(); }

int32_t ResamplingSource::GetDuration() { return inner_ ? inner_->GetDuration() : -1; }

int32_t ResamplingSource::GetPosition() { return inner_ ? inner_->GetPosition() : 0; }

bool ResamplingSource::Seek(int32_t seconds) {
  if (!inner_ || !inner_->Seek(seconds)) return false;
  resampler_.Reset();
  return true;
}
