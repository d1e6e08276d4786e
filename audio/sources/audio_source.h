// The two faces of every audio source: PcmReader (the format and the sample
// data) and AudioSource (validity, duration, position, seeking and the
// reference count). One object carries both; code holding the AudioSource
// reaches the reader through GetPcmReader.
//
// A new source starts with one reference, its creator's. The counts live on
// the user-interface thread: the player's driver thread only reads samples
// and never adds or drops a reference.
#pragma once

#include <cstdint>

#include "audio/resampler/pcm_format.h"
#include "foundation/system/ref_counted.h"

class PcmReader {
 public:
  // The format of the samples Read gives; false when there is none.
  virtual bool GetFormat(PcmFormat* format) = 0;
  // Reads up to `bytes` bytes (whole frames) into `buffer`; *read is what was
  // read. False at the end of the stream (with 0) and after a decoding error.
  virtual bool Read(uint8_t* buffer, uint32_t bytes, uint32_t* read) = 0;
  virtual ~PcmReader() = default;
};

class AudioSource {
 public:
  virtual bool IsValid() = 0;
  // Whole seconds; -1 when unknown.
  virtual int32_t GetDuration() = 0;
  virtual int32_t GetPosition() = 0;
  // False, with nothing moved, when the position cannot be reached.
  virtual bool Seek(int32_t seconds) = 0;
  virtual PcmReader* GetPcmReader() = 0;
  virtual void AddRef() = 0;
  // Destroys the object when the last reference goes.
  virtual void Release() = 0;

 protected:
  ~AudioSource() = default;
};

// The reference count and the reader face shared by the concrete sources.
class CountedAudioSource : public PcmReader, public AudioSource {
 public:
  PcmReader* GetPcmReader() override { return this; }
  void AddRef() override { ++references_; }
  void Release() override {
    if (--references_ == 0) delete static_cast<PcmReader*>(this);
  }
  int32_t ReferenceCount() const { return references_; }

 private:
  int32_t references_ = 1;
};

// A counted pointer to a source (RefPtr counts through AddRef/Release).
using AudioSourcePtr = RefPtr<AudioSource>;
